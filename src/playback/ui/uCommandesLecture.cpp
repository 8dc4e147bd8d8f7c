// The Playback menu's commands.
#include "app/ui/Main.h"
#include "app/ui/uModules.h"
#include "config/uConfig.h"

void EnregistrerCommandesLecture(TMainForm &f)
{
    auto cmd = [&f](const char *nom, std::function<void()> fn) {
        f.EnregistrerCommande(nom, [fn](int) { fn(); });
    };
    auto bascule = [&f](const char *nom, std::function<void(bool)> fn) {
        f.EnregistrerCommande(nom, [&f, nom, fn](int) { fn(f.Action(nom)->isChecked()); });
    };
    cmd("Lecture_Debut", [&f] { f.Executer("Bar_First"); });
    cmd("Lecture_Fin", [&f] { f.Executer("Bar_Last"); });
    bascule("Lecture_JouerPendantSaisie", [](bool c) { Config->JouerPendantSaisie = c; });
    bascule("Lecture_Metronome", [](bool c) { Config->Metronome = c; });
    bascule("Lecture_CountDown", [](bool c) { Config->CountDown = c; });
    f.Action("Lecture_JouerPendantSaisie")->setChecked(Config->JouerPendantSaisie);
}
