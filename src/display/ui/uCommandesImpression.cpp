// Printing, print preview and print set-up of the cursor's track.
#include <QPrinter>

#include "app/ui/DlgAide.h"
#include "app/ui/Main.h"
#include "app/ui/uModules.h"
#include "config/uConfig.h"
#include "config/uPatch.h"
#include "config/ui/DlgPref.h"
#include "display/ui/DlgApercuAvImp.h"
#include "display/ui/DlgImprimer.h"

namespace {
const cPiste *PisteCurseur(cPartition &p)
{
    rPosition pos;
    p.PositionCurseur(pos);
    return pos.MesurePiste ? pos.MesurePiste->Piste : p.PremierePiste;
}

void Apercu(TMainForm &f)
{
    cPartition &p = f.Partition();
    const cPiste *piste = PisteCurseur(p);
    if (!piste)
        return;
    // The preferences opened from a preview close rather than open a second preview.
    if (Config && Config->ApercuOuvert)
        return;
    TFApercuAvImp d(p, *piste, &f);
    d.Imprimer = [&p, piste](QWidget *parent) { ImprimerAvecDialogue(p, *piste, parent); };
    d.OuvrirPreferences = [&f](QWidget *parent) {
        return EditerPreferences(f, parent, TFPref::PageImpression, true);
    };
    d.Aide = [](QWidget *parent) { TFAide::Montrer(parent, FichierAideCourant()); };
    d.exec();
}
} // namespace

void EnregistrerCommandesImpression(TMainForm &f)
{
    f.EnregistrerCommande("Fichier_Imprimer", [&f](int) {
        cPartition &p = f.Partition();
        if (const cPiste *piste = PisteCurseur(p))
            ImprimerAvecDialogue(p, *piste, &f);
    });
    f.EnregistrerCommande("Fichier_Imp_Config", [&f](int) {
        if (ConfigurerImprimante)
            ConfigurerImprimante(ImprimanteSession(), &f);
    });
    f.EnregistrerCommande("Fichier_Imp_Apercu", [&f](int) { Apercu(f); });
}
