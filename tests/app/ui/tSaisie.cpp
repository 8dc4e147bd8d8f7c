// Typing tablature in the real main window with real key events: frets, moves, durations from
// the keypad, effects, the fret menu, and undo/redo of everything back to the same file bytes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QMenu>
#include <QTest>
#include <QToolButton>

#include <random>

#include "chords/uListeAccordsImpression.h"
#include "config/ui/DlgMyMsg.h"
#include "fileio/uFichierPLT.h"
#include "support/Invariants.h"
#include "support/ui/FenetreTest.h"

namespace {

class Frappe : public FenetreTest {
protected:
    cPartition &P() { return f->Partition(); }
    cNote &Note(int m, int t, int s) { return *P().MesurePisteDe(m, 1)->Accords[t]->Notes[s]; }
    cMesurePiste &Mp(int m = 1) { return *P().MesurePisteDe(m, 1); }
    void Preparer()
    {
        // As after a click on the score: the window active, the keys in its keyboard field.
        f->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
        f->ChampClavier()->setFocus();
    }
    void Touche(int k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QTest::keyClick(f->ChampClavier(), static_cast<Qt::Key>(k), m);
        QApplication::processEvents();
    }
    void Taper(const char *chiffres, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        for (const char *c = chiffres; *c; ++c)
            Touche(Qt::Key_0 + (*c - '0'), m);
    }
    void Aller(int mesure, int temps, int corde)
    {
        rPosition c;
        c.NumMesure = mesure;
        c.NumTemps = temps;
        c.NumCorde = corde;
        P().PlacerCurseur(c);
        f->Actualiser(true);
    }
    std::string Image()
    {
        std::string i;
        EcrireFichierMemoire(P(), ListeAccordsImpression(), i);
        return i;
    }
    bool Actif(const char *nom) { return f->Action(nom)->isEnabled(); }
    bool Coche(const char *nom) { return f->Action(nom)->isChecked(); }
};

enum class eGenre { Guitare, Batterie, Banjo };
struct rCasFret {
    const char *Nom;
    eGenre Genre;
    int Corde;
    const char *Chiffres;
    bool Pave;
    int Fret;
};
void PrintTo(const rCasFret &c, std::ostream *os) { *os << c.Nom; }
class Frets : public Frappe, public ::testing::WithParamInterface<rCasFret> {};

TEST_P(Frets, TypedDigitsMakeTheFret)
{
    const rCasFret &c = GetParam();
    cPiste &t = *P().PisteNumero(1);
    if (c.Genre == eGenre::Batterie) {
        t.Percussions = true;
    } else if (c.Genre == eGenre::Banjo) {
        t.NbCordes = 5;
        t.Banjo5 = true;
        t.Accordage = {62, 59, 55, 50, 67, -1, -1};
        t.ChangerNbCordes(6);
    }
    Aller(1, 1, c.Corde);
    Preparer();
    Taper(c.Chiffres, c.Pave ? Qt::KeypadModifier : Qt::NoModifier);
    EXPECT_EQ(Note(1, 1, c.Corde).Type, 1);
    EXPECT_EQ(Note(1, 1, c.Corde).Case, c.Fret);
    EXPECT_TRUE(P().Modifie);
    EXPECT_TRUE(Actif("Fichier_Enregistrer"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Frets,
    ::testing::Values(rCasFret{"OneTwo", eGenre::Guitare, 1, "12", false, 12},
                      rCasFret{"ThreeFive", eGenre::Guitare, 1, "35", false, 5},
                      rCasFret{"ThreeZero", eGenre::Guitare, 1, "30", false, 30},
                      rCasFret{"KeypadOneTwo", eGenre::Guitare, 3, "12", true, 12},
                      rCasFret{"DrumsFourTwo", eGenre::Batterie, 1, "42", false, 42},
                      rCasFret{"BanjoFifthStringTwo", eGenre::Banjo, 5, "2", false, 7}),
    [](const auto &i) { return std::string(i.param.Nom); });

TEST_F(Frappe, LeftOnATrailingPlaceholderDeletesIt)
{
    Preparer();
    Taper("5");
    Touche(Qt::Key_Right);
    ASSERT_EQ(Mp().NbAccords, 2) << "a measure that is not full gets a new beat";
    EXPECT_EQ(P().Curseur.NumTemps, 2);
    Touche(Qt::Key_Left);
    EXPECT_EQ(Mp().NbAccords, 1);
    EXPECT_EQ(P().Curseur.NumTemps, 1);
    EXPECT_TRUE(ScoreCoherent(P()));
}

TEST_F(Frappe, RightPastAFullLastMeasureAppendsOne)
{
    Preparer();
    Taper("5");
    Touche(Qt::Key_Minus, Qt::KeypadModifier);
    Touche(Qt::Key_Minus, Qt::KeypadModifier);
    ASSERT_EQ(Mp().PremierAccord->CodeDuree, -2) << "quarter, half, whole";
    Touche(Qt::Key_Right);
    EXPECT_EQ(P().NbMesures, 2);
    EXPECT_EQ(P().Curseur.NumMesure, 2);
    EXPECT_EQ(P().Curseur.NumTemps, 1);
    EXPECT_TRUE(ScoreCoherent(P()));
}

TEST_F(Frappe, UpOnStringOneGoesToStringSix)
{
    Preparer();
    Touche(Qt::Key_Up);
    EXPECT_EQ(P().Curseur.NumCorde, 6);
    Touche(Qt::Key_Down);
    EXPECT_EQ(P().Curseur.NumCorde, 1);
}

TEST_F(Frappe, GhostNoteOnAndOffSetsTheDynamic)
{
    Preparer();
    Taper("5");
    f->Executer("EffetNote_Sugeree");
    EXPECT_EQ(Note(1, 1, 1).Nuance, 4);
    EXPECT_TRUE(Coche("EffetNote_Sugeree"));
    EXPECT_TRUE(Coche("Dynamic_mp"));
    f->Executer("EffetNote_Sugeree");
    EXPECT_EQ(Note(1, 1, 1).Nuance, 6);
    EXPECT_FALSE(Coche("EffetNote_Sugeree"));
}

TEST_F(Frappe, ShiftDownMovesTheNoteToTheNextString)
{
    Aller(1, 1, 2);
    Preparer();
    Taper("3");
    Touche(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(P().Curseur.NumCorde, 3);
    EXPECT_EQ(Note(1, 1, 3).Case, 7) << "D4 on the G string";
    EXPECT_EQ(Note(1, 1, 2).Type, 0);
}

TEST_F(Frappe, KeypadPlusAndMinusStepTheCheckedDuration)
{
    Preparer();
    Taper("5");
    ASSERT_TRUE(Coche("Duree_Accord_Noire"));
    Touche(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(Mp().PremierAccord->CodeDuree, 1);
    EXPECT_TRUE(Coche("Duree_Accord_Croche"));
    for (int k = 0; k < 5; ++k)
        Touche(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(Mp().PremierAccord->CodeDuree, 4) << "no step past the sixty-fourth";
    for (int k = 0; k < 8; ++k)
        Touche(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(Mp().PremierAccord->CodeDuree, -2) << "no step past the whole";
    Touche(Qt::Key_Asterisk, Qt::KeypadModifier);
    EXPECT_TRUE(Mp().PremierAccord->Pointe);
    EXPECT_TRUE(Coche("Duree_Accord_Pointe"));
    // With Ctrl: the note's own duration.
    Touche(Qt::Key_Plus, Qt::KeypadModifier | Qt::ControlModifier);
    EXPECT_EQ(Note(1, 1, 1).CodeDuree, -1);
    EXPECT_TRUE(Note(1, 1, 1).DureePropre);
    EXPECT_EQ(Mp().PremierAccord->CodeDuree, -2);
    // The tuplet key toggles the beat's tuplet.
    Touche(Qt::Key_Slash, Qt::KeypadModifier);
    EXPECT_EQ(Mp().PremierAccord->Triolet, 3);
    Touche(Qt::Key_Slash, Qt::KeypadModifier);
    EXPECT_EQ(Mp().PremierAccord->Triolet, 1);
    EXPECT_TRUE(ScoreCoherent(P()));
}

TEST_F(Frappe, TheTupletMenuChoosesWhatTheTupletKeyApplies)
{
    Preparer();
    Taper("5");
    f->Executer("Duree_Accord_Triolet_5_2");
    EXPECT_EQ(Mp().PremierAccord->Triolet, 5);
    EXPECT_TRUE(Coche("Duree_Accord_Triolet_5_2"));
    Touche(Qt::Key_Slash, Qt::KeypadModifier); // a beat with a tuplet loses it
    EXPECT_EQ(Mp().PremierAccord->Triolet, 1);
    Touche(Qt::Key_Slash, Qt::KeypadModifier); // and takes the one last chosen
    EXPECT_EQ(Mp().PremierAccord->Triolet, 5);
    EXPECT_DOUBLE_EQ(Mp().DureeTotale, 480 * 0.8);
}

TEST_F(Frappe, DeleteBackspaceAndRest)
{
    Preparer();
    Taper("5");
    Touche(Qt::Key_Right);
    Taper("7");
    Touche(Qt::Key_Backspace); // clears the 7, then back to beat 1
    EXPECT_EQ(P().Curseur.NumTemps, 1);
    EXPECT_EQ(Mp().NbAccords, 1) << "the emptied last beat was a placeholder left behind";
    Touche(Qt::Key_R); // the rest shortcut
    EXPECT_EQ(Mp().PremierAccord->Etat, 2);
    // With a rest under the cursor: no effect, no dynamic; text stays.
    for (const char *n : {"EffetNote_HOPO", "EffetNote_PickSlide", "EffetNote_LetRing",
                          "EffetNote_Sugeree", "EffetAccord_Vibrato", "EffetAccord_TremoloBar",
                          "EffetAccord_HarmN", "EffetAccord_HarmA", "EffetAccord_FadeIn",
                          "EffetAccord_Tapping", "EffetAccord_Slap", "EffetAccord_Pop",
                          "EffetNote_BendType", "EffetNote_Appogiature", "EffetAccord_BrushUp",
                          "EffetAccord_BrushDown", "EffetAccord_CoupVB", "Dynamic_ppp",
                          "Dynamic_mf", "Dynamic_fff", "Dynamic_SetDefault"})
        EXPECT_FALSE(Actif(n)) << n;
    EXPECT_TRUE(Actif("Accord_Texte"));
    Touche(Qt::Key_Delete);
    EXPECT_EQ(Mp().PremierAccord->Etat, 0) << "Delete on the only beat, a rest, empties it";
    EXPECT_TRUE(ScoreCoherent(P()));
}

TEST_F(Frappe, EffectCommandsCheckWhatTheyToggle)
{
    Preparer();
    Taper("5");
    f->Executer("EffetNote_HOPO");
    EXPECT_TRUE(Coche("EffetNote_HOPO"));
    f->Executer("EffetNote_PickSlide");
    EXPECT_TRUE(Coche("EffetNote_PickSlide"));
    EXPECT_FALSE(Coche("EffetNote_HOPO")) << "slide excludes hammer-on";
    f->Executer("EffetAccord_Tapping");
    f->Executer("EffetAccord_Vibrato");
    EXPECT_TRUE(Coche("EffetAccord_Vibrato"));
    EXPECT_FALSE(Coche("EffetAccord_Tapping"));
    EXPECT_TRUE(ScoreCoherent(P()));
}

TEST_F(Frappe, KeyEditsStopPlaybackFirst)
{
    bool joue = true;
    int arrets = 0;
    f->Document().EnLecture = [&joue] { return joue; };
    f->Document().ArreterLecture = [&] {
        ++arrets;
        joue = false;
    };
    Preparer();
    Touche(Qt::Key_Down); // moves are allowed while playing
    EXPECT_EQ(arrets, 0);
    Taper("5");
    EXPECT_EQ(arrets, 1);
    EXPECT_EQ(Note(1, 1, 2).Case, 5);
    joue = true;
    Touche(Qt::Key_Up);
    Touche(Qt::Key_Home);
    EXPECT_EQ(arrets, 1);
    Touche(Qt::Key_Right); // appends a beat: not under the engine's feet
    EXPECT_EQ(arrets, 2);
    EXPECT_EQ(Mp().NbAccords, 2);
    joue = true;
    Touche(Qt::Key_Left); // drops that placeholder beat
    EXPECT_EQ(arrets, 3);
    EXPECT_EQ(Mp().NbAccords, 1);
    joue = true;
    Touche(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_TRUE(!joue || Mp().PremierAccord->CodeDuree == 0)
        << "a duration key stops playback or is ignored";
    f->Document().EnLecture = [] { return false; };
    f->Document().ArreterLecture = [] {};
}

TEST_F(Frappe, TheFretMenuSetsTheFretAndDoubleClickAsksForAMixChange)
{
    Preparer();
    QWidget *vue = f->Vue()->PaintBox();
    QTest::mouseRelease(vue, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    QApplication::processEvents();
    auto *menu = f->findChild<QMenu *>("PopupMenu_Saisie");
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    auto *sept = menu->findChild<QAction *>("ValNote_07");
    ASSERT_NE(sept, nullptr);
    EXPECT_EQ(menu->findChildren<QToolButton *>().size(), 30) << "frets 0..29";
    sept->trigger();
    menu->close();
    EXPECT_EQ(Note(1, 1, 1).Case, 7);

    int mix = 0;
    f->EnregistrerCommande("Edition_Inserer_MixTableChange", [&mix](int) { ++mix; });
    f->ActualiserCommandes();
    QTest::mouseDClick(vue, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(mix, 1);
}

TEST_F(Frappe, GoToBarTakesANumberOfTheScore)
{
    for (int k = 0; k < 4; ++k)
        f->Executer("Bar_Next");
    ASSERT_EQ(P().NbMesures, 5);
    f->Action("Bar_GoTo")->setVisible(true); // hidden in the default menu
    for (auto [demande, attendue] : {std::pair{3, 3}, std::pair{9, 5}, std::pair{0, 1}}) {
        auto fait = QuandDialogue("QInputDialog", [demande](QWidget *w) {
            auto *d = static_cast<QInputDialog *>(w);
            d->setIntValue(demande); // held to 1..measure count
            d->accept();
        });
        f->Executer("Bar_GoTo");
        EXPECT_TRUE(*fait);
        EXPECT_EQ(P().Curseur.NumMesure, attendue) << demande;
        EXPECT_EQ(P().Curseur.NumTemps, 1);
    }
}

// ---------------------------------------------------------------- undo and redo

TEST_F(Frappe, UndoReturnsTheCursorToTheChange)
{
    Preparer();
    EXPECT_FALSE(Actif("Edition_Annuler")) << "nothing to undo in a new score";
    Aller(1, 1, 4);
    Taper("9");
    f->Executer("Bar_Next");
    f->Executer("Bar_Next");
    ASSERT_EQ(P().Curseur.NumMesure, 3);
    EXPECT_TRUE(Actif("Edition_Annuler"));
    // The measures the moves appended go with the edit before them.
    Touche(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(P().NbMesures, 1);
    EXPECT_EQ(Note(1, 1, 4).Type, 0);
    EXPECT_EQ(P().Curseur.NumMesure, 1);
    EXPECT_EQ(P().Curseur.NumCorde, 4);
    EXPECT_FALSE(Actif("Edition_Annuler"));
    Touche(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Note(1, 1, 4).Case, 9);
    Touche(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(P().NbMesures, 3);
    EXPECT_FALSE(Actif("Edition_Retablir"));
}

TEST_F(Frappe, SaveKeepsTheHistoryAndNewStartsAnother)
{
    Preparer();
    Taper("5");
    choix = QString::fromStdString(Chemin("a.pl3"));
    ASSERT_TRUE(f->FichierEnregistrerSous());
    EXPECT_TRUE(Actif("Edition_Annuler"));
    f->Executer("Edition_Annuler");
    EXPECT_EQ(Note(1, 1, 1).Type, 0);
    EXPECT_EQ(P().NomFichier, "a.pl3") << "undo keeps the file the score belongs to";
    EXPECT_TRUE(P().Modifie);
    tReponse r = Repondre(ResNon); // do not save the changes
    auto infos = QuandDialogue("TFScoreInfo", [](QWidget *w) { static_cast<QDialog *>(w)->reject(); });
    f->FichierNouveau();
    r->Fini = true;
    EXPECT_TRUE(*infos);
    EXPECT_FALSE(Actif("Edition_Annuler"));
    EXPECT_FALSE(Actif("Edition_Retablir"));
}

TEST_F(Frappe, ChangesOutsideTypingAreStepsToo)
{
    Preparer();
    Taper("5");
    QTest::qWait(400); // a pause in the typing
    f->BoiteTempo()->setValue(200);
    emit f->BoiteTempo()->editingFinished(); // the tempo box is no command
    ASSERT_EQ(P().Tempo, 200);
    f->Executer("Mesure_RenvDeb");
    ASSERT_TRUE(P().PremiereMesure->RenvoiDebut);
    f->Executer("Edition_Annuler");
    EXPECT_FALSE(P().PremiereMesure->RenvoiDebut);
    EXPECT_EQ(P().Tempo, 200);
    f->Executer("Edition_Annuler");
    EXPECT_EQ(P().Tempo, 120);
    EXPECT_EQ(Note(1, 1, 1).Case, 5);
    f->Executer("Edition_Annuler");
    EXPECT_EQ(Note(1, 1, 1).Type, 0);
    f->Executer("Edition_Retablir");
    f->Executer("Edition_Retablir");
    f->Executer("Edition_Retablir");
    EXPECT_EQ(P().Tempo, 200);
    EXPECT_TRUE(P().PremiereMesure->RenvoiDebut);
    EXPECT_EQ(Note(1, 1, 1).Case, 5);
}

TEST_F(Frappe, TwoHundredRandomEditsUndoToTheSameBytes)
{
    Preparer();
    const std::string depart = Image();
    std::mt19937 g(42);
    auto de = [&g](int n) { return static_cast<int>(g() % static_cast<unsigned>(n)); };
    const char *effets[] = {"EffetNote_HOPO",      "EffetNote_PickSlide", "EffetNote_LetRing",
                            "EffetNote_Sugeree",   "EffetAccord_Vibrato", "EffetAccord_FadeIn",
                            "EffetAccord_Slap",    "Dynamic_pp",          "Duree_Note_Liee",
                            "EffetNote_DeadNote",  "Bar_Insert",          "Beat_Insert",
                            "CopyBeatToTheEnd",    "Note_MoveDown",       "Duree_Accord_Silence"};
    for (int k = 0; k < 200; ++k) {
        switch (de(8)) {
        case 0:
        case 1: Taper(std::to_string(de(10)).c_str()); break;
        case 2: Touche(de(2) ? Qt::Key_Right : Qt::Key_Left); break;
        case 3: Touche(de(2) ? Qt::Key_Up : Qt::Key_Down); break;
        case 4: Touche(Qt::Key_Delete); break;
        case 5: Touche(de(2) ? Qt::Key_Plus : Qt::Key_Minus, Qt::KeypadModifier); break;
        case 6: f->Executer(effets[de(15)]); break;
        default: f->Executer(de(2) ? "Bar_Next" : "Bar_Previous"); break;
        }
    }
    Taper("7"); // the last step holds every move before it
    ASSERT_TRUE(ScoreCoherent(P()));
    const std::string fin = Image();
    ASSERT_NE(fin, depart);
    int annulations = 0;
    while (Actif("Edition_Annuler") && annulations < 1000) {
        Touche(Qt::Key_Z, Qt::ControlModifier);
        ++annulations;
    }
    EXPECT_GT(annulations, 50);
    EXPECT_EQ(Image(), depart);
    int retablissements = 0;
    while (Actif("Edition_Retablir") && retablissements < 1000) {
        Touche(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        ++retablissements;
    }
    EXPECT_EQ(retablissements, annulations);
    EXPECT_EQ(Image(), fin);
    EXPECT_TRUE(ScoreCoherent(P()));
}

} // namespace
