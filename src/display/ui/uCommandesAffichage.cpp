// The View menu's commands of the score view.
#include "app/ui/Main.h"
#include "app/ui/uModules.h"
#include "config/uConfig.h"

void EnregistrerCommandesAffichage(TMainForm &f)
{
    TVuePartition *v = f.Vue();
    auto cmd = [&f](const char *nom, std::function<void()> fn) {
        f.EnregistrerCommande(nom, [fn](int) { fn(); });
    };
    auto bascule = [&f](const char *nom, std::function<void(bool)> fn) {
        f.EnregistrerCommande(nom, [&f, nom, fn](int) { fn(f.Action(nom)->isChecked()); });
    };
    bascule("Affichage_Vue_Multipiste", [v](bool c) { v->ChoisirMultipiste(c); });
    cmd("Affichage_Scrolling_Vertical", [v] { v->ChoisirDefilementVertical(true); });
    cmd("Affichage_Scrolling_Horizontal", [v] { v->ChoisirDefilementVertical(false); });
    bascule("Affichage_Esp_Regulier", [v](bool c) { v->ChoisirEspacementRegulier(c); });
    bascule("Affichage_Proportions_Strictes", [v](bool c) { v->ChoisirProportionsStrictes(c); });
    bascule("Affichage_MontrerLetRing", [v](bool c) {
        Config->ShowLetRingNotes = v->Options.ShowLetRingNotes = c;
        v->ActualiserTout();
    });
    bascule("Affichage_MontrerDynamique", [v](bool c) {
        Config->ShowDynamic = v->Options.ShowDynamic = c;
        v->ActualiserTout();
    });
    f.Action("Affichage_MontrerLetRing")->setChecked(Config->ShowLetRingNotes);
    f.Action("Affichage_MontrerDynamique")->setChecked(Config->ShowDynamic);
}
