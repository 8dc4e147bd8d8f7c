// Chord diagrams: the chord window on the beat under the cursor, and the used chord list that
// lives as long as the score.
#include "app/ui/Main.h"
#include "app/ui/uModules.h"
#include "chords/uDiagrammeAccord.h"
#include "chords/ui/DlgDiagramme.h"

namespace {
void Diagramme(TMainForm &f)
{
    cPartition &p = f.Partition();
    if (!p.Curseur.Accord || !p.Curseur.MesurePiste || !p.Curseur.MesurePiste->Piste)
        return;
    bool impression = false;
    const bool confirme = EditerAccord(p, &f, &impression);
    // The window's listen button has just sounded the chord: no second hearing.
    const bool sauter = SauterEcouteAccord();
    SauterEcouteAccord() = false;
    if (!confirme) {
        if (impression)
            f.FinEdition(true); // the printed chords are part of the score
        else
            f.Actualiser(false);
        return;
    }
    f.FinEdition(false);
    if (!sauter && p.Curseur.Accord && p.Curseur.MesurePiste && p.Curseur.MesurePiste->Piste)
        f.Document().EcouterAccord(*p.Curseur.MesurePiste->Piste, *p.Curseur.Accord);
}
} // namespace

void EnregistrerCommandesAccords(TMainForm &f)
{
    f.EnregistrerCommande("Accord_Diagramme", [&f](int) { Diagramme(f); });
    // The used list belongs to the score: a new or opened one starts it empty.
    f.Document().Abonner(cDocument::eEvenement::ApresRemplacement,
                         [] { ListeAccordsUtilises().Vider(); });
}
