// The Playback menu's commands, the speed trainer, and the keys Space and Escape.
#include <QAction>

#include "app/ui/Main.h"
#include "app/ui/uModules.h"
#include "config/uConfig.h"
#include "playback/ui/DlgSpeedTrainer.h"
#include "playback/ui/uLectureUI.h"

namespace {
// The dialog shows the trainer's last values after a run, the cursor's bar the first time.
struct rDernierTrainer {
    bool Fait = false;
    int MesDeb = 1, MesFin = 1, TempoDeb = 120, TempoFin = 120, Variation = 0;
};
} // namespace

void EnregistrerCommandesLecture(TMainForm &f)
{
    auto *l = new TLecture(f);
    auto cmd = [&f](const char *nom, std::function<void()> fn) {
        f.EnregistrerCommande(nom, [fn](int) { fn(); });
    };
    auto bascule = [&f](const char *nom, std::function<void(bool)> fn) {
        f.EnregistrerCommande(nom, [&f, nom, fn](int) { fn(f.Action(nom)->isChecked()); });
    };
    cmd("Lecture_JouerPosEC", [l] { l->Jouer(eModeJeu::PositionCourante); });
    cmd("Lecture_JouerDebut", [l] { l->Jouer(eModeJeu::Debut); });
    cmd("Lecture_JouerMesureEC", [l] { l->Jouer(eModeJeu::MesureCourante); });
    cmd("Lecture_Stop", [l] { l->Arreter(); });
    cmd("Lecture_Debut", [&f, l] {
        l->Arreter();
        f.Executer("Bar_First");
    });
    cmd("Lecture_Fin", [&f, l] {
        l->Arreter();
        f.Executer("Bar_Last");
    });
    cmd("Lecture_PasAPas_Ar", [l] { l->PasAPas(false); });
    cmd("Lecture_PasAPas_Av", [l] { l->PasAPas(true); });
    cmd("Lecture_RetourRapide", [l] { l->SautMesure(false); });
    cmd("Lecture_AvanceRapide", [l] { l->SautMesure(true); });
    bascule("Lecture_EnBoucle", [l](bool c) { l->Moteur().Boucle = c; });
    bascule("Lecture_JouerPendantSaisie", [l](bool c) {
        Config->JouerPendantSaisie = c;
        l->Moteur().JouerPendantSaisie = c;
    });
    bascule("Lecture_Metronome", [l](bool c) {
        Config->Metronome = c;
        l->Moteur().Metronome(c);
    });
    bascule("Lecture_CountDown", [l](bool c) {
        Config->CountDown = c;
        l->Moteur().CountDown = c;
    });
    f.Action("Lecture_JouerPendantSaisie")->setChecked(Config->JouerPendantSaisie);

    auto dernier = std::make_shared<rDernierTrainer>();
    cmd("Tools_SpeedTrainer", [&f, l, dernier] {
        l->Arreter();
        cPartition &p = f.Partition();
        if (!dernier->Fait) {
            dernier->MesDeb = p.Curseur.NumMesure;
            dernier->MesFin = p.NbMesures;
            dernier->TempoDeb = dernier->TempoFin = p.Tempo;
        }
        TFSpeedTrainer d(p.NbMesures, std::min(dernier->MesDeb, p.NbMesures),
                         std::min(dernier->MesFin, p.NbMesures), dernier->TempoDeb,
                         dernier->TempoFin, dernier->Variation, &f);
        if (d.exec() != QDialog::Accepted)
            return;
        *dernier = {true, d.MesDeb->Valeur(), d.MesFin->Valeur(), d.TempoDeb->Valeur(),
                    d.TempoFin->Valeur(), d.Variation->Valeur()};
        if (Config)
            l->Moteur().LireReglages(*Config);
        l->Moteur().JouerTrainer(dernier->MesDeb, dernier->MesFin, dernier->TempoDeb,
                                 dernier->TempoFin, dernier->Variation);
    });

    // Space plays from the cursor or stops; Escape stops.
    f.AjouterGestionnaireTouches([l](int touche, Qt::KeyboardModifiers, const QString &) {
        if (touche == Qt::Key_Space) {
            if (l->Moteur().EnLecture() || l->Moteur().Suspendu())
                l->Arreter();
            else
                l->Jouer(eModeJeu::PositionCourante, 0, true);
            return true;
        }
        if (touche == Qt::Key_Escape && (l->Moteur().EnLecture() || l->Moteur().Suspendu())) {
            l->Arreter();
            return true;
        }
        return false;
    });
    f.AjouterEtats([l](TMainForm &) { l->ActualiserMarkers(); });
}
