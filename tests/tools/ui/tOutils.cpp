// The Tools menu driven through the real main window, offscreen: the dialogs, their checks and
// what each command leaves in the score; the notation window that follows the cursor.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "config/uConfig.h"
#include "config/ui/DlgMyMsg.h"
#include "support/Invariants.h"
#include "support/Tablature.h"
#include "support/ui/FenetreTest.h"
#include "tools/ui/DlgAssistants.h"
#include "tools/ui/DlgSolfege.h"

namespace {

using Outils = FenetreTest;

template <class T> T *Enfant(QWidget *w, const char *nom)
{
    T *e = w->findChild<T *>(nom);
    EXPECT_NE(e, nullptr) << nom;
    return e;
}

void Cliquer(QWidget *w, const char *nom) { Enfant<QAbstractButton>(w, nom)->click(); }

// A score that is not marked modified, with the cursor on measure 1 of track 1.
void Charger(FenetreTest &t, cPartition &p, const std::vector<std::string> &mesures)
{
    tab::Construire(p, mesures);
    rPosition c;
    p.PlacerCurseur(c);
    p.MarquerEnregistre();
    (void)t;
}

TEST_F(Outils, TranspositionCancelChangesNothing)
{
    cPartition &p = f->Partition();
    Charger(*this, p, {"q 2:5, q 6:3"});
    auto fait = QuandDialogue("TFTransposition", [](QWidget *d) {
        auto *liste = Enfant<QComboBox>(d, "Valeur");
        EXPECT_EQ(liste->count(), 25);
        EXPECT_EQ(liste->currentText(), "0");
        EXPECT_EQ(liste->itemText(0), "+12");
        EXPECT_EQ(liste->itemText(24), "-12");
        liste->setCurrentIndex(0);
        Cliquer(d, "BT_Annuler");
    });
    f->Executer("Tools_Transposer");
    EXPECT_TRUE(*fait);
    EXPECT_EQ(tab::LirePiste(*p.PremierePiste), "q 2:5, q 6:3");
    EXPECT_FALSE(p.Modifie);
}

TEST_F(Outils, TranspositionUpTwoRefingers)
{
    cPartition &p = f->Partition();
    Charger(*this, p, {"q 2:5, q 6:3"});
    auto fait = QuandDialogue("TFTransposition", [](QWidget *d) {
        Enfant<QComboBox>(d, "Valeur")->setCurrentText("+2");
        Cliquer(d, "BT_OK");
    });
    f->Executer("Tools_Transposer");
    EXPECT_TRUE(*fait);
    // F#4 goes to fret 2 of the first string, A2 to the open fifth string.
    EXPECT_EQ(tab::LirePiste(*p.PremierePiste), "q 1:2, q 5:0");
    EXPECT_TRUE(p.Modifie);
    EXPECT_TRUE(ScoreCoherent(p));
}

TEST_F(Outils, TranspositionReportsWhatItDropped)
{
    cPartition &p = f->Partition();
    Charger(*this, p, {"q 1:20 2:5"});
    QuandDialogue("TFTransposition", [](QWidget *d) {
        Enfant<QComboBox>(d, "Valeur")->setCurrentText("+12");
        Cliquer(d, "BT_OK");
    });
    tReponse r = Repondre();
    f->Executer("Tools_Transposer");
    QApplication::processEvents();
    EXPECT_EQ(r->NbBoites, 1);
    EXPECT_NE(r->Texte.find("1 notes"), std::string::npos) << r->Texte;
    // C7 fits no string; E5 goes to fret 12 of the first string.
    EXPECT_EQ(tab::LirePiste(*p.PremierePiste), "q 1:12");
}

TEST_F(Outils, ResplitAsksFirst)
{
    cPartition &p = f->Partition();
    Charger(*this, p, {"w 1:0 2:1"});
    p.PremiereMesure->ChangerSignature(2, 4);
    tReponse non = Repondre(ResNon);
    f->Executer("Tools_Redecouper");
    EXPECT_EQ(non->NbBoites, 1);
    EXPECT_NE(non->Texte.find("split the bars"), std::string::npos) << non->Texte;
    EXPECT_EQ(tab::LirePiste(*p.PremierePiste), "w 1:0 2:1");
    EXPECT_FALSE(p.Modifie);

    rPosition c;
    c.NumTemps = 1;
    c.NumCorde = 2;
    p.PlacerCurseur(c);
    tReponse oui = Repondre(ResOui);
    f->Executer("Tools_Redecouper");
    EXPECT_EQ(oui->NbBoites, 1);
    EXPECT_EQ(tab::LirePiste(*p.PremierePiste), "h 1:0 2:1 | h 1:~ 2:~");
    EXPECT_TRUE(p.Modifie);
    EXPECT_EQ(p.Curseur.NumMesure, 1);
    EXPECT_EQ(p.Curseur.NumTemps, 1);
    EXPECT_EQ(p.Curseur.NumCorde, 2);
}

TEST_F(Outils, ResplitThatDoesNotFitSaysSo)
{
    cPartition &p = f->Partition();
    std::string cent = "x 1:0";
    for (int k = 1; k < 100; ++k)
        cent += ", x 1:1";
    Charger(*this, p, {cent, cent});
    p.PremiereMesure->ChangerSignature(4, 1);
    const std::string avant = tab::LirePiste(*p.PremierePiste);
    tReponse oui = Repondre(ResOui);
    // The refusal comes once the question is answered.
    tReponse refus;
    QTimer::singleShot(100, [&refus] { refus = Repondre(); });
    f->Executer("Tools_Redecouper");
    QApplication::processEvents();
    EXPECT_EQ(oui->NbBoites, 1);
    ASSERT_TRUE(refus);
    EXPECT_EQ(refus->NbBoites, 1);
    EXPECT_NE(refus->Texte.find("128 beats"), std::string::npos) << refus->Texte;
    EXPECT_EQ(tab::LirePiste(*p.PremierePiste), avant);
    EXPECT_FALSE(p.Modifie);
}

TEST_F(Outils, CompletionFillsEveryMeasureOfTheTrack)
{
    cPartition &p = f->Partition();
    Charger(*this, p, {"q 1:0", "h 2:2, q r", "w 3:3"});
    rPosition c;
    c.NumMesure = 2;
    c.NumTemps = 2;
    p.PlacerCurseur(c);
    f->Executer("Tools_CompleterReduire");
    EXPECT_EQ(tab::LirePiste(*p.PremierePiste), "q 1:0, h r, q r | h 2:2, h r | w 3:3");
    EXPECT_EQ(p.Curseur.NumMesure, 2);
    EXPECT_EQ(p.Curseur.NumTemps, 1);
    EXPECT_TRUE(p.Modifie);
}

TEST_F(Outils, DynamicsDialogChecksAndApplies)
{
    cPartition &p = f->Partition();
    Charger(*this, p, {"q 1:0 2:1", "q 1:0 2:1", "q 1:0 2:1"});
    auto fait = QuandDialogue("TFAssistantDynamic", [](QWidget *w) {
        // A 6-string track: row 1 stands empty, row 2 is string 1, row 7 string 6.
        EXPECT_FALSE(Enfant<QCheckBox>(w, "CB1")->isEnabled());
        EXPECT_EQ(Enfant<QLabel>(w, "Lib2")->text(), "1");
        EXPECT_EQ(Enfant<QLabel>(w, "Lib7")->text(), "6");
        EXPECT_TRUE(Enfant<QToolButton>(w, "BT_DynaNote_6_3")->isChecked()) << "forte";
        EXPECT_FALSE(Enfant<QToolButton>(w, "BT_DynaNote_3_3")->isEnabled());
        EXPECT_EQ(Enfant<QToolButton>(w, "BT_DynaNote_3_5")->toolTip(), "piano");
        auto *debut = Enfant<QLineEdit>(w, "MesDeb");
        auto *fin = Enfant<QLineEdit>(w, "MesFin");
        EXPECT_EQ(fin->text(), "3");
        // Start 0 is refused and the field selected.
        debut->setText("0");
        tReponse r = Repondre();
        Cliquer(w, "BT_OK");
        EXPECT_EQ(r->NbBoites, 1);
        EXPECT_EQ(debut->selectedText(), "0");
        // End below start is refused.
        debut->setText("3");
        fin->setText("2");
        r = Repondre();
        Cliquer(w, "BT_OK");
        EXPECT_EQ(r->NbBoites, 1);
        EXPECT_EQ(fin->selectedText(), "2");
        // No string ticked.
        fin->setText("3");
        debut->setText("2");
        r = Repondre();
        Cliquer(w, "BT_OK");
        EXPECT_EQ(r->NbBoites, 1);
        EXPECT_EQ(r->Texte, "No string is selected.");
        EXPECT_TRUE(w->isVisible());
        // Strings 1 and 2 piano.
        Enfant<QCheckBox>(w, "CB2")->setChecked(true);
        Enfant<QCheckBox>(w, "CB3")->setChecked(true);
        EXPECT_TRUE(Enfant<QToolButton>(w, "BT_DynaNote_3_3")->isEnabled());
        Cliquer(w, "BT_DynaNote_3_2");
        Cliquer(w, "BT_DynaNote_3_3");
        Cliquer(w, "BT_OK");
    });
    f->Executer("Tools_AssistantDynamic");
    EXPECT_TRUE(*fait);
    int m = 0;
    for (cMesurePiste *mp = p.PremierePiste->PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste) {
        ++m;
        const cAccord &a = *mp->PremierAccord;
        EXPECT_EQ(a.Notes[1]->Nuance, m >= 2 ? 3 : 6) << m;
        EXPECT_EQ(a.Notes[2]->Nuance, m >= 2 ? 3 : 6) << m;
        EXPECT_EQ(a.Notes[3]->Nuance, 6) << m;
    }
    EXPECT_TRUE(p.Modifie);
}

TEST_F(Outils, LetRingDialog)
{
    cPartition &p = f->Partition();
    Charger(*this, p, {"q 1:0 2:1"});
    auto fait = QuandDialogue("TFAssistantLetRing", [](QWidget *w) {
        auto *oui = Enfant<QRadioButton>(w, "RY2");
        EXPECT_FALSE(oui->isEnabled());
        // The string picture ticks its row, which selects "Yes".
        Enfant<QCheckBox>(w, "CB2")->click();
        EXPECT_TRUE(oui->isEnabled());
        EXPECT_TRUE(oui->isChecked());
        Cliquer(w, "BT_OK");
    });
    f->Executer("Tools_AssistantLetRing");
    EXPECT_TRUE(*fait);
    const cAccord &a = *p.PremierePiste->PremiereMesurePiste->PremierAccord;
    EXPECT_TRUE(a.Notes[1]->ALetRing());
    EXPECT_FALSE(a.Notes[2]->ALetRing());
}

TEST_F(Outils, FingeringDialogStartsAtTheCursorMeasure)
{
    cPartition &p = f->Partition();
    Charger(*this, p, {"q 2:5", "q 6:24", "q 2:5"});
    rPosition c;
    c.NumMesure = 2;
    p.PlacerCurseur(c);
    auto fait = QuandDialogue("TFAssistantDoigte", [](QWidget *w) {
        auto *debut = Enfant<QLineEdit>(w, "MesDeb");
        auto *fin = Enfant<QLineEdit>(w, "MesFin");
        EXPECT_EQ(debut->text(), "2");
        EXPECT_EQ(fin->text(), "3");
        EXPECT_EQ(debut->selectedText(), "2");
        // Letters are not typed; Up and the keypad's minus step the value.
        QTest::keyClicks(debut, "a");
        EXPECT_EQ(debut->text(), "2");
        QTest::keyClick(fin, Qt::Key_Up);
        EXPECT_EQ(fin->text(), "3") << "already the last measure";
        QTest::keyClick(fin, Qt::Key_Minus, Qt::KeypadModifier);
        EXPECT_EQ(fin->text(), "2");
        auto *d = qobject_cast<TFAssistantDoigte *>(w);
        QTest::mousePress(d->Mesures()->Bouton(false, true), Qt::LeftButton);
        QTest::mouseRelease(d->Mesures()->Bouton(false, true), Qt::LeftButton);
        EXPECT_EQ(fin->text(), "3");
        fin->setText("2");
        Cliquer(w, "BT_OK");
    });
    f->Executer("Tools_PlacementAuto");
    EXPECT_TRUE(*fait);
    EXPECT_EQ(tab::LirePiste(*p.PremierePiste), "q 2:5 | q 2:5 | q 2:5");
    EXPECT_TRUE(p.Modifie);
}

TEST_F(Outils, NotationWindowFollowsTheCursor)
{
    cPartition &p = f->Partition();
    Charger(*this, p, {"q 1:0 2:6, q 5:0"});
    QAction *a = f->Action("Tools_Solfege");
    ASSERT_TRUE(a->isEnabled());
    a->trigger();
    auto *w = f->findChild<TFSolfege *>("TFSolfege");
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    const QImage avant = w->Portee()->Image().copy();
    // The cursor moves to beat 2: the window draws that beat.
    rPosition c;
    c.NumTemps = 2;
    p.PlacerCurseur(c);
    f->Actualiser(false);
    EXPECT_NE(w->Portee()->Image(), avant);
    // Hidden and shown again by the command; closing the window unchecks it.
    a->trigger();
    EXPECT_FALSE(w->isVisible());
    a->trigger();
    EXPECT_TRUE(w->isVisible());
    w->close();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(a->isChecked());
    EXPECT_EQ(f->findChild<TFSolfege *>("TFSolfege"), nullptr);
}

TEST_F(Outils, NotationWindowChangesGoThroughCommands)
{
    cPartition &p = f->Partition();
    Charger(*this, p, {"q 2:5"});
    std::vector<std::string> commandes;
    f->Document().Abonner(cDocument::eEvenement::AvantCommande, [&] {
        commandes.push_back(f->Document().CommandeEnCours());
    });
    f->Action("Tools_Solfege")->trigger();
    auto *w = f->findChild<TFSolfege *>("TFSolfege");
    ASSERT_NE(w, nullptr);
    commandes.clear();
    // The key signature marks the score modified.
    Cliquer(w, "TonUp");
    EXPECT_EQ(p.Tonalite, 1);
    EXPECT_TRUE(p.Modifie);
    EXPECT_EQ(Enfant<QLabel>(w, "NomTon")->text(), "G");
    p.Tonalite = 7;
    w->RafraichirPortee();
    EXPECT_FALSE(Enfant<QToolButton>(w, "TonUp")->isEnabled());
    w->ChangerTonalite(1);
    EXPECT_EQ(p.Tonalite, 7);
    p.Tonalite = 0;
    // A click on F4's place enters it on the first string, fret 1.
    p.MarquerEnregistre();
    w->CliquerPosition(38);
    EXPECT_EQ(tab::Lire(*p.PremierePiste->PremiereMesurePiste), "q 1:1 2:5");
    EXPECT_EQ(p.Curseur.NumCorde, 1);
    EXPECT_TRUE(p.Modifie);
    // A click on the E4 shown deletes it.
    w->CliquerPosition(37);
    EXPECT_EQ(tab::Lire(*p.PremierePiste->PremiereMesurePiste), "q 1:1");
    EXPECT_EQ(commandes, (std::vector<std::string>{"Tools_Solfege", "Tools_Solfege",
                                                   "Tools_Solfege"}));
    // The clef buttons keep one staff at least and store the choice.
    Cliquer(w, "BT_ClefSol");
    EXPECT_FALSE(Config->CleSol);
    Cliquer(w, "BT_ClefFa");
    EXPECT_TRUE(Enfant<QToolButton>(w, "BT_ClefFa")->isChecked());
    EXPECT_TRUE(Config->CleFA);
    // At most one accidental down.
    Cliquer(w, "BT_Diese");
    Cliquer(w, "BT_Bemol");
    EXPECT_FALSE(Enfant<QToolButton>(w, "BT_Diese")->isChecked());
    EXPECT_EQ(w->Alteration(), AltBemol);
    Cliquer(w, "BT_Bemol");
    EXPECT_EQ(w->Alteration(), AltAucune);
    EXPECT_TRUE(ScoreCoherent(p));
}

} // namespace
