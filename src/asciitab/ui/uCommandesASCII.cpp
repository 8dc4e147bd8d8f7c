// Text tablature export and import commands.
#include <algorithm>

#include "app/ui/Main.h"
#include "app/ui/uModules.h"
#include "asciitab/uImportASCII.h"
#include "asciitab/ui/DlgExportASCII.h"
#include "asciitab/ui/DlgImportASCII.h"

namespace {
// The track of the edit cursor.
cPiste *PisteCurseur(cPartition &p)
{
    rPosition pos;
    p.PositionCurseur(pos);
    return pos.MesurePiste ? pos.MesurePiste->Piste : p.PremierePiste;
}

void ExporterASCII(TMainForm &f)
{
    cPartition &p = f.Partition();
    const cPiste *piste = PisteCurseur(p);
    if (!piste)
        return;
    TFExportASCII d(p, *piste, &f);
    d.ChoisirFichier = [&f](const std::string &propose, const QString &filtre) {
        return f.ChoisirFichierExport(propose, filtre);
    };
    d.exec();
}

void ImporterASCII(TMainForm &f)
{
    const cPiste *piste = PisteCurseur(f.Partition());
    if (!piste)
        return;
    const int numPiste = piste->Index;
    TFImportASCII d(piste->NbCordes, piste->NbFrets, &f);
    d.ChoisirFichierOuvrir = [&f](const QString &filtre) {
        return f.ChoisirFichier(false, QString(), filtre);
    };
    // Measures the import adds take the signature of the score's last one.
    d.LongueurMesure = [&f](int i) {
        const cPartition &p = f.Partition();
        const cMesure *m = p.MesureNumero(std::min(i, p.NbMesures));
        return m ? m->Longueur : 1920.0;
    };
    d.Analyser();
    if (d.exec() != QDialog::Accepted)
        return;
    if (f.Document().EnLecture())
        f.Document().ArreterLecture();
    // Found again by number: nothing of the score is held across the window.
    cPartition &p = f.Partition();
    cPiste *cible = p.PisteNumero(numPiste);
    if (!cible)
        return;
    ImporterDansPiste(p, *cible, d.Resultat());
    f.FinEdition(true);
}
} // namespace

void EnregistrerCommandesASCII(TMainForm &f)
{
    f.EnregistrerCommande("Fichier_Export_ASCII", [&f](int) { ExporterASCII(f); });
    f.EnregistrerCommande("Fichier_Import_ASCII", [&f](int) { ImporterASCII(f); });
}
