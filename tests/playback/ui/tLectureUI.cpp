// Playback in the real window, on the recording device: the follow timer moves the edit cursor
// beat by beat, the buttons change while playing, Space plays and stops, the speed trainer's
// dialog refuses a wrong range, the marker play menu follows the markers.
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <cstdlib>
#include <filesystem>

#include "config/uConfig.h"
#include "config/ui/DlgMyMsg.h"
#include "playback/uPeripheriques.h"
#include "playback/ui/DlgSpeedTrainer.h"
#include "playback/ui/uLectureUI.h"
#include "support/FabriqueMidi.h"
#include "support/ui/FenetreTest.h"

namespace {

// Every port records instead of sounding; set before the first window lists its devices.
const bool CaptureActive = [] {
    static const std::string chemin =
        (std::filesystem::temp_directory_path() / "plectorium-test-capture.txt").string();
    setenv("PLECTORIUM_MIDI_CAPTURE", chemin.c_str(), 1);
    return true;
}();

class LectureUI : public FenetreTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CaptureActive);
        FenetreTest::SetUp();
        JournalEnvironnement()->Vider();
        Config->JouerPendantSaisie = false;
    }
    // Two bars of four quarters at tempo 300: a beat lasts 200 ms.
    void PartitionCourte()
    {
        std::unique_ptr<cPartition> p(NouvellePartitionMidi(2));
        for (int m = 1; m <= 2; ++m)
            for (int b = 1; b <= 4; ++b)
                NoteMidi(TempsMidi(*p, m, 1, b), 1, b);
        FinirPartitionMidi(*p);
        p->Tempo = 300;
        f->Document().Remplacer(std::move(p));
        f->ApresNouvellePartition();
    }
    TLecture &Lecture() { return *TLecture::Instance(); }
    bool Attendre(const std::function<bool()> &c, int ms = 5000)
    {
        for (int t = 0; t < ms && !c(); t += 10)
            QTest::qWait(10);
        return c();
    }
    QToolButton *Bouton(const char *commande)
    {
        auto *barre = f->findChild<QToolBar *>("Toolbar_Lecture");
        return qobject_cast<QToolButton *>(barre->widgetForAction(f->Action(commande)));
    }
};

TEST_F(LectureUI, LeCurseurSuitLaMusiqueTempsParTemps)
{
    PartitionCourte();
    QToolButton *jouer = Bouton("Lecture_JouerPosEC");
    ASSERT_TRUE(jouer);
    f->Executer("Lecture_JouerDebut");
    ASSERT_TRUE(f->Document().EnLecture());
    EXPECT_EQ(jouer->defaultAction(), f->Action("Lecture_Stop"));
    EXPECT_EQ(Bouton("Lecture_PasAPas_Av")->defaultAction(), f->Action("Lecture_AvanceRapide"));
    EXPECT_FALSE(f->Menu("Menu_Edition")->isEnabled());
    EXPECT_TRUE(f->Vue()->Affichage.LectureEnCours);
    EXPECT_TRUE(f->windowTitle().contains(" - t=300"));

    std::vector<std::pair<int, int>> vus;
    Attendre([&] {
        const cPartition &p = f->Partition();
        const std::pair<int, int> c{p.Curseur.NumMesure, p.Curseur.NumTemps};
        if (vus.empty() || vus.back() != c)
            vus.push_back(c);
        return !f->Document().EnLecture();
    });
    EXPECT_FALSE(f->Document().EnLecture());
    const std::vector<std::pair<int, int>> attendu = {{1, 1}, {1, 2}, {1, 3}, {1, 4},
                                                      {2, 1}, {2, 2}, {2, 3}, {2, 4}};
    EXPECT_EQ(vus, attendu);
    // After the stop: the last play command on the button, editing back.
    EXPECT_EQ(jouer->defaultAction(), f->Action("Lecture_JouerDebut"));
    EXPECT_EQ(Bouton("Lecture_PasAPas_Av")->defaultAction(), f->Action("Lecture_PasAPas_Av"));
    EXPECT_TRUE(f->Menu("Menu_Edition")->isEnabled());
    EXPECT_FALSE(f->windowTitle().contains(" - t="));

    // The notes came at their times: 200 ms apart, from the recording device's file.
    std::vector<double> notes;
    for (const std::string &l : JournalEnvironnement()->Lignes())
        if (l.find(",1,90,") != std::string::npos)
            notes.push_back(std::stod(l));
    ASSERT_EQ(notes.size(), 8u);
    for (std::size_t i = 1; i < notes.size(); ++i)
        EXPECT_NEAR(notes[i] - notes[0], 200.0 * i, 20) << i;
}

TEST_F(LectureUI, EspaceJoueEtArrete)
{
    PartitionCourte();
    QTest::keyClick(f->ChampClavier(), Qt::Key_Space);
    EXPECT_TRUE(f->Document().EnLecture());
    QTest::qWait(150);
    QTest::keyClick(f->ChampClavier(), Qt::Key_Space);
    EXPECT_FALSE(f->Document().EnLecture());
    QTest::keyClick(f->ChampClavier(), Qt::Key_Space);
    EXPECT_TRUE(f->Document().EnLecture());
    QTest::keyClick(f->ChampClavier(), Qt::Key_Escape);
    EXPECT_FALSE(f->Document().EnLecture());
    // A new score stops playback before the old one goes.
    f->Executer("Lecture_JouerDebut");
    f->Document().Nouvelle();
    EXPECT_FALSE(f->Document().EnLecture());
}

TEST_F(LectureUI, EntraineurRefuseUneMauvaisePlagePuisJoue)
{
    PartitionCourte();
    auto reponse = std::make_shared<tReponse>();
    auto fait = QuandDialogue("TFSpeedTrainer", [reponse](QWidget *w) {
        auto *d = static_cast<TFSpeedTrainer *>(w);
        d->MesDeb->Edit()->setText("2");
        d->MesFin->Edit()->setText("1");
        *reponse = Repondre(ResOK);
        d->findChild<QPushButton *>("OK")->click();
        // The dialog stays: a last bar before the first is refused.
        EXPECT_TRUE(d->isVisible());
        d->MesFin->Edit()->setText("2");
        d->TempoDeb->Edit()->setText("200");
        d->TempoFin->Edit()->setText("220");
        d->Variation->Edit()->setText("10");
        d->findChild<QPushButton *>("OK")->click();
    });
    f->Executer("Tools_SpeedTrainer");
    EXPECT_TRUE(*fait);
    ASSERT_TRUE(*reponse);
    EXPECT_EQ((*reponse)->NbBoites, 1);
    EXPECT_TRUE(f->Document().EnLecture());
    EXPECT_TRUE(Lecture().Moteur().ModeTrainer);
    EXPECT_EQ(Lecture().Moteur().TempoEffectif(), 200);
    EXPECT_EQ(f->Partition().Curseur.NumMesure, 2);
    f->Executer("Lecture_Stop");
    EXPECT_FALSE(f->Document().EnLecture());
    // The checks of OK, in their order.
    EXPECT_EQ(TFSpeedTrainer::Verifier("", "2", "1", "1", "0", 2), 1);
    EXPECT_EQ(TFSpeedTrainer::Verifier("3", "3", "1", "1", "0", 2), 1);
    EXPECT_EQ(TFSpeedTrainer::Verifier("1", "0", "1", "1", "0", 2), 2);
    EXPECT_EQ(TFSpeedTrainer::Verifier("1", "2", "0", "1", "0", 2), 3);
    EXPECT_EQ(TFSpeedTrainer::Verifier("1", "2", "1", "", "0", 2), 4);
    EXPECT_EQ(TFSpeedTrainer::Verifier("1", "2", "1", "1", "", 2), 5);
    EXPECT_EQ(TFSpeedTrainer::Verifier("1", "2", "1", "1", "0", 2), 0);
}

TEST_F(LectureUI, MenuDesMarkersEtBoutonDeVitesse)
{
    PartitionCourte();
    QMenu *menu = f->Menu("Menu_JouerMarker");
    ASSERT_TRUE(menu);
    f->ActualiserCommandes();
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_FALSE(menu->actions()[0]->isEnabled());
    EXPECT_TRUE(menu->actions()[0]->isVisible()) << "(no marker defined)";
    f->Partition().AjouterMarker(f->Partition().MesureNumero(2), "Chorus", 255);
    f->ActualiserCommandes();
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), "Chorus");
    EXPECT_FALSE(menu->actions()[1]->isVisible());
    auto *bouton = f->findChild<QMenu *>("Menu_BoutonJouer");
    ASSERT_TRUE(bouton);
    bool trouve = false;
    for (QAction *a : bouton->actions())
        trouve = trouve || a->text() == "Play from Chorus";
    EXPECT_TRUE(trouve);
    menu->actions()[0]->trigger();
    EXPECT_TRUE(f->Document().EnLecture());
    EXPECT_EQ(f->Partition().Curseur.NumMesure, 2);
    f->Executer("Lecture_Stop");

    // The speed factor: "x 0.50 " halves the effective tempo and shows on the button.
    auto *vitesse = f->findChild<QToolButton *>("BT_Vitesse");
    ASSERT_TRUE(vitesse);
    for (QAction *a : vitesse->menu()->actions())
        if (a->text() == "x 0.50 ")
            a->trigger();
    EXPECT_EQ(vitesse->text(), "0.50 ");
    EXPECT_EQ(Lecture().Moteur().TempoEffectif(), 150);
    vitesse->click(); // the button only switches the factor
    EXPECT_EQ(Lecture().Moteur().TempoEffectif(), 300);
}

} // namespace
