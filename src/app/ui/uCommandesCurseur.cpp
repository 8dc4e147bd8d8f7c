// Cursor moves between measures and tracks.
#include "app/uCurseur.h"
#include "app/ui/Main.h"
#include "app/ui/uModules.h"

void EnregistrerCommandesCurseur(TMainForm &f)
{
    auto cmd = [&f](const char *nom, std::function<void()> fn) {
        f.EnregistrerCommande(nom, [fn](int) { fn(); });
    };
    auto mesure = [&f](eMouvementMesure m) {
        // The measure items stop playback: Next may append a measure the engine would miss.
        if (f.Document().EnLecture())
            f.Document().ArreterLecture();
        cPartition &p = f.Partition();
        const int avant = p.NbMesures;
        DeplacerMesure(p, m);
        if (p.NbMesures != avant) { // Next past the end appends a measure
            f.FinEdition(true);
            return;
        }
        f.Actualiser(false);
    };
    cmd("Bar_First", [mesure] { mesure(eMouvementMesure::Premiere); });
    cmd("Bar_Previous", [mesure] { mesure(eMouvementMesure::Precedente); });
    cmd("Bar_Next", [mesure] { mesure(eMouvementMesure::Suivante); });
    cmd("Bar_Last", [mesure] { mesure(eMouvementMesure::Derniere); });
    auto piste = [&f](eMouvementPiste m) {
        DeplacerPiste(f.Partition(), m, f.Vue()->Affichage.VueMultipiste);
        f.Actualiser(true);
    };
    cmd("Track_First", [piste] { piste(eMouvementPiste::Premiere); });
    cmd("Track_Previous", [piste] { piste(eMouvementPiste::Precedente); });
    cmd("Track_Next", [piste] { piste(eMouvementPiste::Suivante); });
    cmd("Track_Last", [piste] { piste(eMouvementPiste::Derniere); });
}
