// The editing commands through the real main window, offscreen: their dialogs refuse wrong
// entries and stay open, Cancel changes nothing, and what OK does reaches the score and the file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include "app/ui/DlgMarkers.h"
#include "app/ui/DlgMesures.h"
#include "app/ui/DlgPistes.h"
#include "app/ui/DlgTexte.h"
#include "app/ui/uDialogues.h"
#include "app/ui/uSpinRepetition.h"
#include "chords/uListeAccordsImpression.h"
#include "config/ui/DlgMyMsg.h"
#include "config/uPatch.h"
#include "fileio/uFichierPLT.h"
#include "model/uEdition.h"
#include "support/Invariants.h"
#include "support/ui/FenetreTest.h"

namespace {

QPushButton *Bouton(QWidget *w, const char *nom) { return w->findChild<QPushButton *>(nom); }
void Ok(QWidget *w) { Bouton(w, "OK")->click(); }
void Annuler(QWidget *w) { Bouton(w, "Cancel")->click(); }

// ---------------------------------------------------------------- dialogs on their own

struct rCasSaisie {
    const char *Nom;
    std::function<QDialog *()> Creer;
    std::function<QWidget *(QDialog *)> Remplir; // fills the fields, returns the wrong one (null:
                                                 // everything is right)
};

void PrintTo(const rCasSaisie &c, std::ostream *os) { *os << c.Nom; }

class Saisie : public ::testing::TestWithParam<rCasSaisie> {
protected:
    void SetUp() override { Application(); }
};

TEST_P(Saisie, AWrongFieldIsRefusedAndKeptSelected)
{
    const rCasSaisie &c = GetParam();
    std::unique_ptr<QDialog> d(c.Creer());
    d->show();
    QWidget *faux = c.Remplir(d.get());
    tReponse r = Repondre();
    QMetaObject::invokeMethod(d.get(), "accept");
    QApplication::processEvents();
    if (faux) {
        EXPECT_EQ(r->NbBoites, 1);
        EXPECT_EQ(r->Texte, Traduction("Dlg-SaisieIncorrecte"));
        EXPECT_TRUE(d->isVisible()) << "the dialog stays open";
        EXPECT_NE(d->result(), QDialog::Accepted);
        // An editable combo box takes the focus for its line.
        EXPECT_TRUE(d->focusWidget() == faux || d->focusWidget() == faux->parentWidget())
            << "the wrong field has the focus again";
    } else {
        EXPECT_EQ(r->NbBoites, 0);
        EXPECT_EQ(d->result(), QDialog::Accepted);
    }
    r->Fini = true;
}

TFPlageMesures *Plage(TFPlageMesures::eGenre g) { return new TFPlageMesures(g, 3, 8); }
QWidget *DeA(QDialog *d, const char *de, const char *a, int faux)
{
    auto *p = static_cast<TFPlageMesures *>(d);
    p->ChampDe->setText(de);
    p->ChampA->setText(a);
    return faux == 0 ? nullptr : faux == 1 ? p->ChampDe : p->ChampA;
}

QWidget *Proprietes(QDialog *d, const char *frets, const char *capo, int faux)
{
    auto *p = static_cast<TFProprietesPiste *>(d);
    p->NbFrets->Champ()->setText(frets);
    p->Capo->Champ()->setText(capo);
    return faux == 0 ? nullptr : faux == 1 ? p->NbFrets->Champ() : p->Capo->Champ();
}

const auto Copie = [] { return Plage(TFPlageMesures::eGenre::Copier); };
const auto Guitare = [] {
    return new TFProprietesPiste(ProprietesNouvellePiste(false, "g"), {}, true);
};

INSTANTIATE_TEST_SUITE_P(
    Edition, Saisie,
    ::testing::Values(
        rCasSaisie{"RangeWithin", Copie, [](QDialog *d) { return DeA(d, "2", "8", 0); }},
        rCasSaisie{"RangeFromZero", Copie, [](QDialog *d) { return DeA(d, "0", "2", 1); }},
        rCasSaisie{"RangeEmpty", Copie, [](QDialog *d) { return DeA(d, "", "2", 1); }},
        rCasSaisie{"RangeBackwards", Copie, [](QDialog *d) { return DeA(d, "5", "4", 2); }},
        rCasSaisie{"RangePastTheEnd",
                   [] { return Plage(TFPlageMesures::eGenre::Effacer); },
                   [](QDialog *d) { return DeA(d, "1", "9", 2); }},
        rCasSaisie{"PasteNoTimes", [] { return new TFCollerMesures(2, true); },
                   [](QDialog *d) {
                       auto *p = static_cast<TFCollerMesures *>(d);
                       p->Nombre->Champ()->setText("0");
                       return static_cast<QWidget *>(p->Nombre->Champ());
                   }},
        rCasSaisie{"PasteManyTimes", [] { return new TFCollerMesures(2, false); },
                   [](QDialog *d) {
                       auto *p = static_cast<TFCollerMesures *>(d);
                       p->Nombre->Champ()->setText("9999"); // the limit is checked afterwards
                       return static_cast<QWidget *>(nullptr);
                   }},
        rCasSaisie{"NumeratorAbove32", [] { return new TFSignature(4, 4); },
                   [](QDialog *d) {
                       auto *p = static_cast<TFSignature *>(d);
                       p->ChoixNumerateur->setCurrentText("33");
                       return static_cast<QWidget *>(p->ChoixNumerateur->lineEdit());
                   }},
        rCasSaisie{"DenominatorNotAPowerOfTwo", [] { return new TFSignature(4, 4); },
                   [](QDialog *d) {
                       auto *p = static_cast<TFSignature *>(d);
                       p->ChoixDenominateur->setCurrentText("6");
                       return static_cast<QWidget *>(p->ChoixDenominateur->lineEdit());
                   }},
        rCasSaisie{"SevenEights", [] { return new TFSignature(4, 4); },
                   [](QDialog *d) {
                       auto *p = static_cast<TFSignature *>(d);
                       p->ChoixNumerateur->setCurrentText("7");
                       p->ChoixDenominateur->setCurrentText("8");
                       return static_cast<QWidget *>(nullptr);
                   }},
        rCasSaisie{"RepeatCountZero", [] { return new TFRenvoiFin; },
                   [](QDialog *d) {
                       auto *p = static_cast<TFRenvoiFin *>(d);
                       p->Champ->Champ()->setText("0");
                       return static_cast<QWidget *>(p->Champ->Champ());
                   }},
        // The ending after passes 1..2 starts at 3: it cannot end at 2.
        rCasSaisie{"EndingBelowItsFirstPass", [] { return new TFFinale(3); },
                   [](QDialog *d) {
                       auto *p = static_cast<TFFinale *>(d);
                       p->Champ->Champ()->setText("2");
                       return static_cast<QWidget *>(p->Champ->Champ());
                   }},
        rCasSaisie{"EndingEmpty", [] { return new TFFinale(1); },
                   [](QDialog *d) {
                       auto *p = static_cast<TFFinale *>(d);
                       p->Champ->Champ()->clear();
                       return static_cast<QWidget *>(p->Champ->Champ());
                   }},
        rCasSaisie{"MarkerPastTheLastBar",
                   [] { return new TFMesureMarker(2, true, 5, "A", 255, false); },
                   [](QDialog *d) {
                       auto *p = static_cast<TFMesureMarker *>(d);
                       p->ChampMesure->setText("6");
                       return static_cast<QWidget *>(p->ChampMesure);
                   }},
        rCasSaisie{"FretsTwo", Guitare, [](QDialog *d) { return Proprietes(d, "2", "0", 1); }},
        rCasSaisie{"FretsThirtyOne", Guitare,
                   [](QDialog *d) { return Proprietes(d, "31", "0", 1); }},
        rCasSaisie{"CapoThirteen", Guitare,
                   [](QDialog *d) { return Proprietes(d, "22", "13", 2); }},
        rCasSaisie{"CapoEmpty", Guitare, [](QDialog *d) { return Proprietes(d, "22", "", 2); }},
        rCasSaisie{"FretsAndCapoAtTheirLimits", Guitare,
                   [](QDialog *d) { return Proprietes(d, "30", "12", 0); }}),
    [](const auto &i) { return std::string(i.param.Nom); });

// ---------------------------------------------------------------- track properties rules

class DialogueProprietes : public ::testing::Test {
protected:
    void SetUp() override { Application(); }
    std::vector<int> Hauteurs(const TFProprietesPiste &d)
    {
        std::vector<int> h;
        for (int s = 0; s < d.Valeurs().NbCordes; ++s)
            h.push_back(d.Hauteurs[s]->Valeur());
        return h;
    }
};

TEST_F(DialogueProprietes, StringCountStepsResetTuningPresetAndColour)
{
    TFProprietesPiste d(ProprietesNouvellePiste(false, "g"), {}, true);
    std::vector<int> apercus;
    d.Apercu = [&](int c) { apercus.push_back(c); };
    d.Douze->setChecked(true);
    // Up from 6: the seven-string guitar.
    QTest::keyClick(d.NbCordes->Champ(), Qt::Key_Up);
    EXPECT_EQ(d.NbCordes->Valeur(), 7);
    EXPECT_EQ(Hauteurs(d), (std::vector<int>{64, 59, 55, 50, 45, 40, 35}));
    EXPECT_EQ(d.Presets->currentText(), "Guitar 7 strings : BEADGBE");
    EXPECT_FALSE(d.Douze->isChecked());
    EXPECT_FALSE(d.Douze->isEnabled());
    EXPECT_TRUE(d.Hauteurs[6]->isVisibleTo(&d));
    // Down twice (the second with the keypad minus): the five-string bass, in yellow.
    d.NbCordes->BoutonBas()->pressed();
    d.NbCordes->BoutonBas()->released();
    QTest::keyClick(d.NbCordes->Champ(), Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(d.NbCordes->Valeur(), 5);
    EXPECT_EQ(Hauteurs(d), (std::vector<int>{43, 38, 33, 28, 23}));
    EXPECT_EQ(d.Presets->currentText(), "Bass 5 strings : BEADG");
    EXPECT_EQ(d.Valeurs().Couleur, 0x00FFFF);
    EXPECT_EQ(apercus.back(), 0x00FFFF) << "the track shows the colour at once";
    EXPECT_TRUE(d.Banjo->isEnabled());
    EXPECT_FALSE(d.Hauteurs[5]->isVisibleTo(&d));
    // Never below 4 nor above 7.
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(d.NbCordes->Champ(), Qt::Key_Down);
    EXPECT_EQ(d.NbCordes->Valeur(), 4);
    // Typing is limited to 4, 5 and 6.
    d.NbCordes->Champ()->clear();
    QTest::keyClicks(d.NbCordes->Champ(), "7");
    EXPECT_EQ(d.NbCordes->Valeur(), 4);
    QTest::keyClicks(d.NbCordes->Champ(), "6");
    EXPECT_EQ(d.NbCordes->Valeur(), 6);
    EXPECT_EQ(Hauteurs(d), (std::vector<int>{64, 59, 55, 50, 45, 40}));
    // Cancel brings the first colour back on the track.
    d.reject();
    EXPECT_EQ(apercus.back(), 255);
}

TEST_F(DialogueProprietes, PresetsFollowThePitchesAndSetTheBanjoBox)
{
    TFProprietesPiste d(ProprietesNouvellePiste(false, "g"), {}, true);
    const auto &t = PresetsAccordage();
    auto index = [&](const char *nom) {
        for (std::size_t i = 0; i < t.size(); ++i)
            if (std::string(t[i].Nom) == nom)
                return static_cast<int>(i);
        return -1;
    };
    d.ChoisirPreset(index("Banjo Open G : GDGBD"));
    EXPECT_TRUE(d.Banjo->isChecked());
    EXPECT_EQ(d.NbCordes->Valeur(), 5);
    EXPECT_EQ(d.Hauteurs[4]->Champ()->text(), "G5");
    d.ChoisirPreset(index("Bass 5 strings : BEADG"));
    EXPECT_FALSE(d.Banjo->isChecked());
    // A pitch moved off every preset leaves the list empty; moved back, it finds it again.
    QTest::keyClick(d.Hauteurs[0]->Champ(), Qt::Key_Up);
    EXPECT_EQ(d.Presets->currentIndex(), -1);
    EXPECT_EQ(d.Hauteurs[0]->Champ()->text(), "G#3");
    QTest::keyClick(d.Hauteurs[0]->Champ(), Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(d.Presets->currentText(), "Bass 5 strings : BEADG");
    // Every string one semitone down, then up again.
    d.Descendre->pressed();
    d.Descendre->released();
    EXPECT_EQ(Hauteurs(d), (std::vector<int>{42, 37, 32, 27, 22}));
    d.Monter->pressed();
    d.Monter->released();
    EXPECT_EQ(Hauteurs(d), (std::vector<int>{43, 38, 33, 28, 23}));
    // Pitches stay within 0..119, and typing is not accepted.
    d.DeplacerTout(-200);
    EXPECT_EQ(Hauteurs(d), (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_TRUE(d.Hauteurs[0]->Champ()->isReadOnly());
}

TEST_F(DialogueProprietes, WithoutCancelOnlyOkCloses)
{
    TFProprietesBatterie d(ProprietesNouvellePiste(true, "Drums"), {1, 10, 10}, false);
    d.show();
    EXPECT_EQ(Bouton(&d, "Cancel"), nullptr);
    d.reject();
    EXPECT_TRUE(d.isVisible());
    d.Nom->setText("Kit");
    Ok(&d);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.Valeurs().Nom, "Kit");
}

// ---------------------------------------------------------------- repeating buttons

TEST(Repetition, CadencesOfThePitchAndFretButtons)
{
    // 300 ms, then every 200 ms; from the 11th repeat every 150 ms; from the 30th, steps of 2.
    EXPECT_EQ(CadenceNormale.Attente(1), 300);
    EXPECT_EQ(CadenceNormale.Attente(10), 200);
    EXPECT_EQ(CadenceNormale.Attente(11), 150);
    EXPECT_EQ(CadenceNormale.Pas(29), 1);
    EXPECT_EQ(CadenceNormale.Pas(30), 2);
    EXPECT_EQ(CadenceRapide.Attente(1), 300);
    EXPECT_EQ(CadenceRapide.Attente(2), 100);
    EXPECT_EQ(CadenceRapide.Attente(11), 50);
    EXPECT_EQ(CadenceRapide.Pas(30), 3);
}

TEST(Repetition, AHeldButtonRepeatsFasterThenInBiggerStepsAndStopsWhenReleased)
{
    Application();
    // The same rules, quicker, so that the test holds it long enough.
    TSpinRepetition s(0, 1000, 0, nullptr, rCadence{20, 4, 2, 3, 5, 10});
    s.show();
    QTest::mousePress(s.BoutonHaut(), Qt::LeftButton);
    EXPECT_EQ(s.Valeur(), 1) << "the press itself steps";
    // Held long enough (the machine may be slow: up to three seconds), it takes big steps.
    for (int i = 0; i < 300 && s.Valeur() <= 20; ++i)
        QTest::qWait(10);
    EXPECT_GT(s.Valeur(), 20) << "steps of 10 after the fifth repeat";
    EXPECT_GE(s.BoutonHaut()->Repetitions(), 5);
    EXPECT_EQ((s.Valeur() - 5) % 10, 0) << "1 for the press, 1 for each of the first four";
    QTest::mouseRelease(s.BoutonHaut(), Qt::LeftButton);
    const int lache = s.Valeur();
    QTest::qWait(40);
    EXPECT_EQ(s.Valeur(), lache);
}

// ---------------------------------------------------------------- through the main window

class Edition : public FenetreTest {
protected:
    cPartition &P() { return f->Partition(); }
    // A score of n measures; beat 1 of each has fret = measure number on string 1.
    void Mesures(int n)
    {
        cPartition &p = P();
        while (p.NbMesures < n)
            p.InsererMesureApres(nullptr);
        for (int m = 1; m <= n; ++m) {
            cAccord *a = p.MesurePisteDe(m, 1)->PremierAccord;
            a->Etat = 1;
            a->Notes[1]->Type = 1;
            a->Notes[1]->Case = static_cast<uint8_t>(m);
        }
        f->Actualiser(true);
    }
    void Curseur(int mesure, int piste = 1)
    {
        P().Curseur.NumMesure = mesure;
        P().Curseur.NumPiste = piste;
        P().Curseur.NumTemps = 1;
        P().PlacerCurseur(P().Curseur);
        f->Actualiser(true);
    }
    std::vector<int> Marques(int piste = 1)
    {
        std::vector<int> r;
        for (const cMesurePiste *mp = P().PisteNumero(piste)->PremiereMesurePiste; mp;
             mp = mp->SuivanteDansPiste) {
            const cNote *n = mp->PremierAccord->Notes[1];
            r.push_back(n->Type == 1 ? n->Case : 0);
        }
        return r;
    }
    // Runs a command whose dialog `classe` gets `action`; true when the dialog showed.
    bool Avec(const char *commande, const char *classe, std::function<void(QWidget *)> action)
    {
        auto fait = QuandDialogue(classe, std::move(action));
        f->Executer(commande);
        QApplication::processEvents();
        return *fait;
    }
};

TEST_F(Edition, CancelChangesNothing)
{
    Mesures(3);
    P().PisteNumero(1)->Couleur = 255;
    CopierMesures(P(), f->PressePapiers(), 1, 1, false);
    f->ActualiserCommandes();
    Curseur(2);
    struct rCas {
        const char *Commande, *Dialogue;
        std::function<void(QWidget *)> Action;
    };
    const rCas cas[] = {
        {"Bar_Clear", "TFPlageMesures", Annuler},
        {"Edition_Copier", "TFPlageMesures", Annuler},
        {"Edition_Couper", "TFPlageMesures", Annuler},
        {"Edition_Coller", "TFCollerMesures", Annuler},
        {"Mesure_Signature", "TFSignature", Annuler},
        {"Mesure_RenvFin", "TFRenvoiFin", Annuler},
        {"Mesure_Repet", "TFFinale", Annuler},
        {"Marker_Ajouter", "TFMesureMarker", Annuler},
        {"Accord_Texte", "TFTexteAccord", Annuler},
        {"Track_Insert", "TFAjoutPiste", Annuler},
        // A colour tried on the track goes back with Cancel.
        {"Track_Properties", "TFProprietesPiste",
         [](QWidget *w) {
             auto *d = static_cast<TFProprietesPiste *>(w);
             d->ChoisirCouleur(0x00FF00);
             d->Nom->setText("changed");
             Annuler(w);
         }},
    };
    const long long revision = f->Document().Revision();
    for (const rCas &c : cas) {
        SCOPED_TRACE(c.Commande);
        EXPECT_TRUE(Avec(c.Commande, c.Dialogue, c.Action));
        EXPECT_EQ(f->Document().Revision(), revision);
        EXPECT_EQ(P().NbMesures, 3);
        EXPECT_EQ(P().NbPistes, 1);
        EXPECT_EQ(Marques(), (std::vector<int>{1, 2, 3}));
        EXPECT_EQ(P().PisteNumero(1)->Couleur, 255);
        EXPECT_EQ(P().PisteNumero(1)->Nom, "Track 1");
        EXPECT_EQ(P().MesureNumero(2)->RenvoiFin, 0);
        EXPECT_EQ(P().MesureNumero(2)->Marker, nullptr);
        EXPECT_EQ(f->PressePapiers().NbMesures, 1);
    }
    EXPECT_TRUE(P().Vierge) << "never marked modified";
    // The delete-track question answered No.
    P().InsererPisteApres(nullptr);
    f->ActualiserCommandes();
    tReponse r = Repondre(ResNon);
    f->Executer("Track_Remove");
    EXPECT_EQ(r->NbBoites, 1);
    EXPECT_NE(r->Texte.find("track 1"), std::string::npos) << r->Texte;
    EXPECT_EQ(P().NbPistes, 2);
}

TEST_F(Edition, CopyInsertPasteCutWithTheKeysAndSave)
{
    Mesures(2);
    Curseur(1);
    QWidget *clavier = f->ChampClavier();
    auto touche = [&](Qt::Key k, Qt::KeyboardModifiers m, const char *dialogue) {
        // As after a click on the score: the window active, the keys in its keyboard field.
        f->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
        clavier->setFocus();
        std::shared_ptr<bool> fait;
        if (dialogue)
            fait = QuandDialogue(dialogue, [](QWidget *w) {
                QWidget *champ = w->focusWidget() ? w->focusWidget() : w;
                QTest::keyClick(champ, Qt::Key_Return);
                if (w->isVisible()) { // Enter did not close it: fail, but do not hang
                    ADD_FAILURE() << "Enter left the dialog open";
                    static_cast<QDialog *>(w)->reject();
                }
            });
        QTest::keyClick(clavier, k, m);
        QApplication::processEvents();
        if (dialogue) {
            EXPECT_TRUE(*fait) << dialogue;
        }
    };
    touche(Qt::Key_C, Qt::ControlModifier, "TFPlageMesures"); // measure 1 to the clipboard
    touche(Qt::Key_Insert, Qt::ControlModifier, nullptr);     // a new measure 1
    EXPECT_EQ(Marques(), (std::vector<int>{0, 1, 2}));
    touche(Qt::Key_V, Qt::ControlModifier, "TFCollerMesures"); // onto it
    EXPECT_EQ(Marques(), (std::vector<int>{1, 1, 2}));
    Curseur(3);
    touche(Qt::Key_X, Qt::ControlModifier, "TFPlageMesures"); // measure 3 goes
    EXPECT_EQ(Marques(), (std::vector<int>{1, 1}));
    EXPECT_EQ(f->PressePapiers().NbMesures, 1);
    EXPECT_TRUE(ScoreCoherent(P()));
    choix = QString::fromStdString(Chemin("clavier.pl3"));
    touche(Qt::Key_S, Qt::ControlModifier, nullptr);
    cPartition lu;
    cListeAccordsImpression liste;
    std::string cle;
    ASSERT_TRUE(OuvrirFichier(lu, liste, Chemin("clavier.pl3"), cle)) << cle;
    ASSERT_EQ(lu.NbMesures, 2);
    for (int m = 1; m <= 2; ++m) {
        const cNote *n = lu.MesurePisteDe(m, 1)->PremierAccord->Notes[1];
        EXPECT_EQ(n->Type, 1);
        EXPECT_EQ(n->Case, 1);
    }
}

TEST_F(Edition, PasteOntoATrackOfAnotherShapeIsRefused)
{
    Mesures(2);
    CopierMesures(P(), f->PressePapiers(), 1, 1, false);
    rProprietesPiste v = ProprietesNouvellePiste(false, "bass");
    v.NbCordes = 4;
    v.Accordage = AccordageParDefaut(4);
    AjouterPiste(P(), ePlacePiste::Derniere, v, 1, 3, 4);
    f->Actualiser(true);
    tReponse r = Repondre();
    auto dialogue = QuandDialogue("TFCollerMesures", Annuler, 20);
    f->Executer("Edition_Coller");
    EXPECT_EQ(r->NbBoites, 1);
    EXPECT_NE(r->Texte.find("number of strings"), std::string::npos) << r->Texte;
    EXPECT_FALSE(*dialogue) << "refused before the dialog";
    EXPECT_EQ(Marques(2), (std::vector<int>{0, 0}));
}

TEST_F(Edition, RepeatCloseBeforeASecondEndingAsksNothing)
{
    Mesures(3);
    P().MesureNumero(2)->Repetition = 1;
    P().MesureNumero(3)->Repetition = 2;
    Curseur(2);
    // Both watches answer alike, so whichever sees the count dialog gives 3.
    auto trois = [](QWidget *w) {
        static_cast<TFRenvoiFin *>(w)->Champ->Champ()->setText("3");
        Ok(w);
    };
    auto dialogue = QuandDialogue("TFRenvoiFin", trois, 20);
    f->Executer("Mesure_RenvFin");
    EXPECT_FALSE(*dialogue);
    EXPECT_EQ(P().MesureNumero(2)->RenvoiFin, 1);
    EXPECT_TRUE(f->Action("Mesure_RenvFin")->isChecked());
    // Elsewhere the count is asked.
    Curseur(1);
    auto autre = QuandDialogue("TFRenvoiFin", trois);
    f->Executer("Mesure_RenvFin");
    EXPECT_TRUE(*dialogue || *autre);
    EXPECT_EQ(P().MesureNumero(1)->RenvoiFin, 3);
}

TEST_F(Edition, MarkersAndTheirMenu)
{
    Mesures(6);
    QMenu *menu = f->Menu("Menu_AllerMarker");
    ASSERT_NE(menu, nullptr);
    auto elements = [&] {
        std::vector<std::string> r;
        for (QAction *a : menu->actions())
            if (a->isVisible())
                r.push_back(a->text().toStdString());
        return r;
    };
    EXPECT_EQ(elements(), std::vector<std::string>{"(no marker defined)"});
    // Insert at measure 4, then at 2: the default names count the markers.
    Curseur(4);
    EXPECT_TRUE(Avec("Marker_Ajouter", "TFMesureMarker", [](QWidget *w) {
        auto *d = static_cast<TFMesureMarker *>(w);
        EXPECT_FALSE(d->ChampMesure->isEnabled());
        EXPECT_EQ(d->ChampNom->text(), "Section 1");
        Ok(w);
    }));
    Curseur(2);
    EXPECT_TRUE(Avec("Marker_Ajouter", "TFMesureMarker", [](QWidget *w) {
        static_cast<TFMesureMarker *>(w)->ChampNom->setText("Intro");
        Ok(w);
    }));
    EXPECT_EQ(elements(), (std::vector<std::string>{"Intro", "Section 1"}));
    EXPECT_FALSE(P().Vierge);
    // Next and previous marker, and the menu's items.
    Curseur(1);
    f->Executer("Marker_AllerSuiv");
    EXPECT_EQ(P().Curseur.NumMesure, 2);
    f->Executer("Marker_AllerSuiv");
    EXPECT_EQ(P().Curseur.NumMesure, 4);
    f->Executer("Marker_AllerSuiv");
    EXPECT_EQ(P().Curseur.NumMesure, 4) << "no marker after it";
    f->Executer("Marker_AllerPrec");
    EXPECT_EQ(P().Curseur.NumMesure, 2);
    Curseur(6);
    menu->actions().back()->trigger();
    EXPECT_EQ(P().Curseur.NumMesure, 4);
    // Delete from the list: the menu follows.
    const long long revision = f->Document().Revision();
    tReponse oui = Repondre(ResOui);
    EXPECT_TRUE(Avec("Marker_Liste", "TFListeMarkers", [](QWidget *w) {
        auto *d = static_cast<TFListeMarkers *>(w);
        EXPECT_EQ(d->Liste->topLevelItemCount(), 2);
        d->Liste->setCurrentItem(d->Liste->topLevelItem(0));
        d->Supprimer->click();
        EXPECT_EQ(d->Liste->topLevelItemCount(), 1);
        d->reject();
    }));
    EXPECT_NE(oui->Texte.find("Intro"), std::string::npos) << oui->Texte;
    EXPECT_GT(f->Document().Revision(), revision);
    EXPECT_EQ(elements(), std::vector<std::string>{"Section 1"});
    EXPECT_EQ(P().NbMarkers, 1);
    EXPECT_TRUE(ScoreCoherent(P()));
}

TEST_F(Edition, AddADrumTrackThenDeleteIt)
{
    Mesures(2);
    P().PisteNumero(1)->Port = 2;
    Curseur(2);
    auto proprietes = QuandDialogue("TFProprietesBatterie", [](QWidget *w) {
        EXPECT_EQ(Bouton(w, "Cancel"), nullptr);
        EXPECT_EQ(static_cast<TFProprietesBatterie *>(w)->Nom->text(), "Drums");
        Ok(w);
    }, 800);
    EXPECT_TRUE(Avec("Track_Insert", "TFAjoutPiste", [](QWidget *w) {
        static_cast<TFAjoutPiste *>(w)->Percussions->setChecked(true);
        static_cast<TFAjoutPiste *>(w)->Premiere->setChecked(true);
        Ok(w);
    }));
    EXPECT_TRUE(*proprietes);
    ASSERT_EQ(P().NbPistes, 2);
    const cPiste *b = P().PisteNumero(1);
    EXPECT_TRUE(b->Percussions);
    EXPECT_EQ(b->Canal, 10);
    EXPECT_EQ(b->Port, 2) << "the current track's port";
    EXPECT_EQ(b->Couleur, 0xFF0000);
    EXPECT_EQ(P().Curseur.NumPiste, 1);
    EXPECT_EQ(P().Curseur.NumMesure, 2);
    EXPECT_TRUE(f->Action("Track_Remove")->isEnabled());
    tReponse oui = Repondre(ResOui);
    f->Executer("Track_Remove");
    EXPECT_EQ(oui->NbBoites, 1);
    EXPECT_EQ(P().NbPistes, 1);
    EXPECT_FALSE(P().PisteNumero(1)->Percussions);
    EXPECT_FALSE(f->Action("Track_Remove")->isEnabled()) << "the only track stays";
}

TEST_F(Edition, LimitsAreToldAndNothingChanges)
{
    cPartition &p = P();
    while (p.NbPistes < MaxPistes)
        p.InsererPisteApres(nullptr);
    f->Actualiser(true);
    tReponse r = Repondre();
    auto dialogue = QuandDialogue("TFAjoutPiste", Annuler, 20);
    f->Executer("Track_Insert");
    EXPECT_EQ(r->NbBoites, 1);
    EXPECT_EQ(r->Texte, Traduction("Gene-MaxPistes") + " 256");
    EXPECT_FALSE(*dialogue);
    EXPECT_EQ(p.NbPistes, MaxPistes);
    while (p.NbPistes > 1)
        p.SupprimerPiste(p.DernierePiste());
    while (p.NbMesures < MaxMesures)
        p.InsererMesureApres(nullptr);
    f->Actualiser(true);
    const long long revision = f->Document().Revision();
    tReponse m = Repondre();
    f->Executer("Bar_Insert");
    EXPECT_EQ(m->Texte, Traduction("Gene-MaxMesures"));
    EXPECT_EQ(p.NbMesures, MaxMesures);
    EXPECT_EQ(f->Document().Revision(), revision);
}

TEST_F(Edition, TuningChangeAsksWhetherNotesKeepTheirPitch)
{
    Mesures(1);
    for (int reponse : {ResOui, ResNon}) {
        SCOPED_TRACE(reponse == ResOui ? "Yes" : "No");
        P().MesurePisteDe(1, 1)->PremierAccord->Notes[1]->Case = 5;
        P().PisteNumero(1)->Accordage[0] = 64;
        tReponse r = Repondre(reponse);
        EXPECT_TRUE(Avec("Track_Properties", "TFProprietesPiste", [](QWidget *w) {
            auto *d = static_cast<TFProprietesPiste *>(w);
            QTest::keyClick(d->Hauteurs[0]->Champ(), Qt::Key_Down);
            QTest::keyClick(d->Hauteurs[0]->Champ(), Qt::Key_Down);
            Ok(w);
        }));
        EXPECT_EQ(r->NbBoites, 1);
        EXPECT_EQ(P().PisteNumero(1)->Accordage[0], 62);
        EXPECT_EQ(P().MesurePisteDe(1, 1)->PremierAccord->Notes[1]->Case,
                  reponse == ResOui ? 7 : 5);
    }
}

TEST_F(Edition, BeatCommandsAndText)
{
    Mesures(1);
    Curseur(1);
    f->Executer("Beat_Insert");
    cMesurePiste *mp = P().MesurePisteDe(1, 1);
    EXPECT_EQ(mp->NbAccords, 2);
    EXPECT_EQ(mp->PremierAccord->Etat, 2);
    EXPECT_TRUE(Avec("Accord_Texte", "TFTexteAccord", [](QWidget *w) {
        static_cast<TFTexteAccord *>(w)->Champ->setText("Verse");
        Ok(w);
    }));
    ASSERT_NE(mp->PremierAccord->Texte, nullptr);
    EXPECT_EQ(mp->PremierAccord->Texte->Texte, "Verse");
    EXPECT_TRUE(f->Action("Accord_Texte")->isChecked());
    f->Executer("Beat_Delete");
    EXPECT_EQ(mp->NbAccords, 1);
    EXPECT_EQ(mp->PremierAccord->Notes[1]->Case, 1);
    f->Executer("CopyBeatToTheEnd");
    EXPECT_EQ(mp->NbAccords, 2);
    EXPECT_EQ(P().Curseur.NumTemps, 2);
    EXPECT_TRUE(ScoreCoherent(P()));
}

} // namespace
