// The chord window driven offscreen: a fingering drawn on the grid gets its names, a chosen
// name lists its fingerings, OK writes the diagram to the beat (and notes to an empty one), and
// the lists refuse what they cannot do.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "chords/uDiagrammeAccord.h"
#include "chords/uListeAccordsImpression.h"
#include "chords/ui/DlgDiagramme.h"
#include "config/uConfig.h"
#include "config/ui/DlgMyMsg.h"
#include "config/uPatch.h"
#include "support/FabriqueAccords.h"
#include "support/ui/FenetreTest.h"

namespace {


std::string Cases(const rDiagramme &d) { return EcrireCases(CasesDiagramme(d)); }

std::vector<std::string> Noms(const QListWidget *l)
{
    std::vector<std::string> v;
    for (int i = 0; i < l->count(); ++i)
        v.push_back(l->item(i)->text().toStdString());
    return v;
}

class Diagramme : public FenetreTest {
protected:
    cPartition &P() { return f->Partition(); }
    cAccord &Temps() { return *P().Curseur.Accord; }
    void SetUp() override
    {
        FenetreTest::SetUp();
        ListeAccordsUtilises().Vider();
        Config->DiagSimpleMoyenTout = NiveauSimple;
        Config->EcouterDiagramme = false;
        Config->AddDiag = true;
        Config->BibliothequeAccords.clear();
        Joue.clear();
        TFDiagramme::Joueur() = [this](int port, const std::vector<rEvtEchantillon> &e) {
            Joue.push_back({port, e});
        };
    }
    void TearDown() override
    {
        TFDiagramme::Joueur() = nullptr;
        FenetreTest::TearDown();
    }
    // Runs the chord command; `action` works on the window and closes it.
    bool Avec(std::function<void(TFDiagramme &)> action)
    {
        auto fait = QuandDialogue("TFDiagramme", [action](QWidget *w) {
            action(*static_cast<TFDiagramme *>(w));
        });
        f->Executer("Accord_Diagramme");
        QApplication::processEvents();
        return *fait;
    }
    // Clicks the grid as the mouse would.
    static void Cliquer(TFDiagramme &d, int corde, int rangee)
    {
        QTest::mouseClick(d.Grille, Qt::LeftButton, {}, TGrilleDiagramme::Centre(corde, rangee));
    }
    // x32010: strings 5, 4, 3, 2, 1.
    static void DessinerDo(TFDiagramme &d)
    {
        Cliquer(d, 5, 3);
        Cliquer(d, 4, 2);
        Cliquer(d, 3, 0);
        Cliquer(d, 2, 1);
        Cliquer(d, 1, 0);
    }
    struct rJeu {
        int Port;
        std::vector<rEvtEchantillon> Evts;
    };
    std::vector<rJeu> Joue;
};

TEST_F(Diagramme, AFingeringDrawnGetsItsNames)
{
    EXPECT_TRUE(Avec([](TFDiagramme &d) {
        // An empty beat opens on a user chord with every string silent.
        EXPECT_EQ(d.Combo_Fondamentale->currentIndex(), RacinePerso);
        EXPECT_EQ(Cases(d.Edite), "x,x,x,x,x,x");
        EXPECT_EQ(d.List_Noms->count(), 0);
        DessinerDo(d);
        EXPECT_EQ(Cases(d.Edite), "x,3,2,0,1,0");
        EXPECT_EQ(Noms(d.List_Noms),
                  (std::vector<std::string>{"C", "Em/5+", "Gsus4add13 (no5)"}));
        EXPECT_EQ(d.List_Noms->currentRow(), -1) << "no name is selected";
        // The same fret again silences the string; above the nut opens it.
        Cliquer(d, 1, 0);
        EXPECT_EQ(d.Edite.Cases[0], -1);
        Cliquer(d, 1, 0);
        EXPECT_EQ(d.Edite.Cases[0], 0);
        // Dragging across strings at one fret sets each of them.
        QTest::mousePress(d.Grille, Qt::LeftButton, {}, TGrilleDiagramme::Centre(6, 5));
        QMouseEvent deplace(QEvent::MouseMove,
                            QPointF(TGrilleDiagramme::Centre(5, 5)),
                            d.Grille->mapToGlobal(QPointF(TGrilleDiagramme::Centre(5, 5))),
                            Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(d.Grille, &deplace);
        QTest::mouseRelease(d.Grille, Qt::LeftButton, {}, TGrilleDiagramme::Centre(5, 5));
        EXPECT_EQ(d.Edite.Cases[5], 5);
        EXPECT_EQ(d.Edite.Cases[4], 5);
        d.reject();
    }));
    EXPECT_EQ(Temps().Diagramme, nullptr) << "Cancel leaves the beat alone";
}

TEST_F(Diagramme, AChosenNameListsItsFingerings)
{
    EXPECT_TRUE(Avec([](TFDiagramme &d) {
        d.Combo_Fondamentale->setCurrentIndex(0); // C major
        EXPECT_EQ(d.Edit_Nom->text(), "C");
        ASSERT_GT(d.Recherche.Solutions.size(), 1u);
        EXPECT_EQ(d.Selection, 1);
        EXPECT_EQ(Cases(d.Edite), "x,3,2,0,1,0") << "the first solution is edited";
        EXPECT_EQ(d.LB_Compte->text().toStdString(),
                  "1/" + std::to_string(d.Recherche.Solutions.size()));
        EXPECT_TRUE(d.SB_Solution->isEnabled());
        EXPECT_FALSE(d.SB_Case->isEnabled());
        EXPECT_EQ(Noms(d.List_Noms).front(), "C");
        // A click on the second cell selects that fingering.
        const QPoint c = d.Solutions->Coin(1) + QPoint(10, 10);
        QTest::mouseClick(d.Solutions, Qt::LeftButton, {}, c);
        EXPECT_EQ(d.Selection, 2);
        EXPECT_EQ(d.SB_Solution->value(), 2);
        EXPECT_EQ(Cases(d.Edite), Cases(d.Recherche.Solutions[1]));
        // Minor: the name and the search follow.
        d.Combo_Type->setCurrentIndex(TypeMin);
        EXPECT_EQ(d.Edit_Nom->text(), "Cm");
        EXPECT_EQ(d.Selection, 1);
        // E in the bass: first inversion, written after the slash only when asked.
        d.Combo_Basse->setCurrentIndex(4);
        EXPECT_EQ(d.Combo_Inversion->currentIndex(), -1) << "E is not a tone of C minor";
        EXPECT_EQ(d.Edit_Nom->text(), "Cm/E");
        d.Combo_Type->setCurrentIndex(TypeM);
        EXPECT_EQ(d.Combo_Inversion->currentIndex(), 1);
        EXPECT_EQ(d.Edit_Nom->text(), "C");
        EXPECT_EQ(Cases(d.Edite), "0,3,2,0,1,0");
        // An inversion puts its tone in the bass.
        d.Combo_Inversion->setCurrentIndex(2);
        EXPECT_EQ(d.Combo_Basse->currentIndex(), 7);
        EXPECT_EQ(Cases(d.Edite), "3,3,2,0,1,0");
        // A thirteenth has seven tones: nothing is searched until some are omitted.
        d.Combo_Inversion->setCurrentIndex(0);
        d.Combo_Extension->setCurrentIndex(3);
        EXPECT_TRUE(d.LB_Omissions->isVisibleTo(&d));
        EXPECT_TRUE(d.Recherche.Solutions.empty());
        EXPECT_EQ(d.LB_Compte->text(), "");
        d.CB_Degre[5]->setChecked(false); // no eleventh
        EXPECT_FALSE(d.LB_Omissions->isVisibleTo(&d));
        EXPECT_FALSE(d.Recherche.Solutions.empty());
        // Sharps and flats rename the root.
        d.Combo_Extension->setCurrentIndex(0);
        d.Combo_Fondamentale->setCurrentIndex(10);
        EXPECT_EQ(d.Edit_Nom->text(), "A#");
        d.CB_Diese->setChecked(false);
        EXPECT_EQ(d.Edit_Nom->text(), "Bb");
        EXPECT_EQ(d.Combo_Fondamentale->currentText(), "Bb");
        d.reject();
    }));
}

TEST_F(Diagramme, OkWritesTheDiagramAndNotesToAnEmptyBeat)
{
    ASSERT_EQ(Temps().Etat, 0);
    EXPECT_TRUE(Avec([](TFDiagramme &d) {
        d.Combo_Fondamentale->setCurrentIndex(0);
        d.accept();
    }));
    ASSERT_NE(Temps().Diagramme, nullptr);
    const cDiagramme &g = *Temps().Diagramme;
    EXPECT_EQ(g.NomTexte(), "C");
    EXPECT_EQ(g.Fondamentale, 0);
    EXPECT_EQ(g.TypeAccord, TypeM);
    EXPECT_EQ(g.Basse, 0);
    EXPECT_EQ(Cases(g), "x,3,2,0,1,0");
    EXPECT_EQ(g.PremiereCase, 1);
    EXPECT_FALSE(g.Omis[0] || g.Omis[1] || g.Omis[2]);
    EXPECT_TRUE(g.Omis[3]);
    // The empty beat takes the fingering as notes.
    EXPECT_EQ(Temps().Etat, 1);
    const int attendu[6] = {0, 1, 0, 2, 3, -1};
    for (int s = 1; s <= 6; ++s) {
        const cNote &n = *Temps().Notes[s];
        EXPECT_EQ(n.Type, attendu[s - 1] < 0 ? 0 : 1) << "string " << s;
        if (attendu[s - 1] >= 0) {
            EXPECT_EQ(n.Case, attendu[s - 1]) << "string " << s;
            EXPECT_EQ(n.Nuance, Config->NuanceParDefaut);
        }
    }
    EXPECT_FALSE(P().Vierge) << "the score is modified";
    EXPECT_TRUE(f->Action("Accord_Diagramme")->isChecked());
    EXPECT_EQ(ListeAccordsUtilises().Nb(), 1);
    // Confirming the same chord again neither doubles it in the used list nor touches notes.
    Temps().Notes[1]->Case = 12;
    EXPECT_TRUE(Avec([](TFDiagramme &d) {
        // Opening on a diagram: the fingering is kept, the solutions only shown.
        EXPECT_EQ(Cases(d.Edite), "x,3,2,0,1,0");
        EXPECT_EQ(d.Selection, 0);
        EXPECT_FALSE(d.SB_Solution->isEnabled());
        EXPECT_EQ(d.LB_Compte->text().toStdString(),
                  std::to_string(d.Recherche.Solutions.size()));
        EXPECT_EQ(d.Edit_Nom->text(), "C");
        EXPECT_EQ(d.Combo_Fondamentale->currentIndex(), 0);
        EXPECT_EQ(d.Listes[2]->count(), 1);
        d.accept();
    }));
    EXPECT_EQ(ListeAccordsUtilises().Nb(), 1);
    EXPECT_EQ(Temps().Notes[1]->Case, 12);
}

TEST_F(Diagramme, NameOnlyWhenTheDiagramIsNotUsed)
{
    EXPECT_TRUE(Avec([](TFDiagramme &d) {
        d.Combo_Fondamentale->setCurrentIndex(7);
        d.CB_Diagramme->setChecked(false);
        d.Edit_Nom->setText("Intro");
        d.accept();
    }));
    ASSERT_NE(Temps().Diagramme, nullptr);
    EXPECT_EQ(Temps().Diagramme->NomTexte(), "Intro");
    EXPECT_EQ(Temps().Diagramme->Fondamentale, RacinePerso);
    EXPECT_EQ(Cases(*Temps().Diagramme), "x,x,x,x,x,x");
    EXPECT_EQ(Temps().Etat, 0) << "no fingering, no notes";
    EXPECT_FALSE(Config->AddDiag) << "the box is remembered";
    // Nothing played and no name: the beat loses its diagram.
    EXPECT_TRUE(Avec([](TFDiagramme &d) {
        d.Effacer();
        d.Edit_Nom->clear();
        d.accept();
    }));
    EXPECT_EQ(Temps().Diagramme, nullptr);
}

TEST_F(Diagramme, OpeningOnNotesHighOnTheNeck)
{
    cMesurePiste &mp = *P().MesurePisteDe(1, 1);
    AjouterAccord(mp, 0, {{1, 7}, {2, 9}, {3, 9}, {4, 8}, {5, 7}, {6, 7}});
    P().PlacerCurseur(P().Curseur);
    EXPECT_TRUE(Avec([](TFDiagramme &d) {
        EXPECT_EQ(d.SB_Case->value(), 7);
        EXPECT_EQ(Cases(d.Edite), "7,7,8,9,9,7");
        ASSERT_GT(d.List_Noms->count(), 0);
        // The first name is applied: its root and its name are the window's.
        EXPECT_EQ(d.List_Noms->currentRow(), 0);
        EXPECT_NE(d.Combo_Fondamentale->currentIndex(), RacinePerso);
        EXPECT_FALSE(d.Edit_Nom->text().isEmpty());
        EXPECT_TRUE(d.List_Noms->item(0)->text().startsWith(d.Edit_Nom->text()));
        // Moving the base fret shifts the fingering and makes it a user chord.
        d.SB_Case->setValue(5);
        EXPECT_EQ(Cases(d.Edite), "5,5,6,7,7,5");
        EXPECT_EQ(d.Combo_Fondamentale->currentIndex(), RacinePerso);
        d.reject();
    }));
}

TEST_F(Diagramme, ListenPlaysTheStringsOneAfterTheOther)
{
    EXPECT_TRUE(Avec([this](TFDiagramme &d) {
        d.Combo_Fondamentale->setCurrentIndex(0);
        EXPECT_TRUE(Joue.empty()) << "the button is up";
        d.BT_Ecouter->setChecked(true);
        ASSERT_EQ(Joue.size(), 1u);
        const auto &e = Joue[0].Evts;
        ASSERT_EQ(e.size(), 10u); // five strings, on and off
        const cPiste &t = *P().Curseur.MesurePiste->Piste;
        const uint8_t on = static_cast<uint8_t>(0x90 + std::max(1, t.Canal) - 1);
        EXPECT_EQ(Joue[0].Port, t.Port);
        EXPECT_EQ(e[0].Statut, on);
        EXPECT_EQ(e[0].Donnee1, 48); // C on string 5
        EXPECT_EQ(e[0].Donnee2, 127);
        EXPECT_EQ(e[1].Temps, 1920);
        EXPECT_EQ(e[1].Donnee2, 50);
        EXPECT_EQ(e[2].Temps, 480);
        EXPECT_EQ(e[2].Donnee1, 52); // E on string 4
        // Every change plays again while the button is down.
        d.Combo_Type->setCurrentIndex(TypeMin);
        EXPECT_EQ(Joue.size(), 2u);
        d.accept();
    }));
    EXPECT_TRUE(Config->EcouterDiagramme);
}

TEST_F(Diagramme, LibraryListOperations)
{
    EXPECT_TRUE(Avec([](TFDiagramme &d) {
        d.Onglets->setCurrentIndex(0);
        // No name: refused with its message.
        d.Edit_Nom->clear();
        tReponse r = Repondre();
        d.AjouterListe();
        EXPECT_EQ(r->Texte, Traduction("Accord-DonnerUnNom"));
        EXPECT_EQ(d.Listes[0]->count(), 0);
        // Three chords.
        for (int racine : {0, 7, 9}) {
            d.Combo_Fondamentale->setCurrentIndex(racine);
            d.AjouterListe();
        }
        EXPECT_EQ(Noms(d.Listes[0]), (std::vector<std::string>{"C", "G", "A"}));
        EXPECT_EQ(d.Listes[0]->currentRow(), 2) << "the new entry is selected";
        ASSERT_EQ(Config->BibliothequeAccords.size(), 3u);
        EXPECT_EQ(Cases(*Config->BibliothequeAccords[1]), "3,2,0,0,0,3");
        // Move and update need a selection.
        d.Listes[0]->setCurrentRow(-1);
        r = Repondre();
        d.DeplacerListe(-1);
        EXPECT_EQ(r->Texte, Traduction("Accord-SelectionnerDepl"));
        r = Repondre();
        d.RemplacerListe();
        EXPECT_EQ(r->Texte, Traduction("Accord-SelectionnerRempl"));
        r = Repondre();
        d.SupprimerListe();
        EXPECT_EQ(r->Texte, Traduction("Accord-SelectionnerSuppr"));
        d.Listes[0]->setCurrentRow(0);
        d.DeplacerListe(-1); // already first: nothing
        d.DeplacerListe(1);
        EXPECT_EQ(Noms(d.Listes[0]), (std::vector<std::string>{"G", "C", "A"}));
        EXPECT_EQ(d.Listes[0]->currentRow(), 1);
        // Update overwrites the selected entry.
        d.Combo_Type->setCurrentIndex(TypeMin);
        d.RemplacerListe();
        EXPECT_EQ(Noms(d.Listes[0]), (std::vector<std::string>{"G", "Am", "A"}));
        // Deleting the last entry selects the new last one; No keeps it.
        d.Listes[0]->setCurrentRow(2);
        r = Repondre(ResNon);
        d.SupprimerListe();
        EXPECT_EQ(d.Listes[0]->count(), 3);
        r = Repondre(ResOui);
        d.SupprimerListe();
        EXPECT_NE(r->Texte.find("A"), std::string::npos);
        EXPECT_EQ(Noms(d.Listes[0]), (std::vector<std::string>{"G", "Am"}));
        EXPECT_EQ(d.Listes[0]->currentRow(), 1);
        // A click on an entry loads it.
        d.ChargerListe(0);
        EXPECT_EQ(d.Edit_Nom->text(), "G");
        EXPECT_EQ(Cases(d.Edite), "3,2,0,0,0,3");
        EXPECT_EQ(d.Combo_Fondamentale->currentIndex(), 7);
        // Hovering shows the diagram beside the list.
        d.show();
        d.MontrerBulle(0, 1);
        EXPECT_TRUE(d.Bulle->isVisible());
        d.MontrerBulle(0, 5);
        EXPECT_FALSE(d.Bulle->isVisible());
        d.reject();
    }));
    EXPECT_EQ(Config->BibliothequeAccords.size(), 2u) << "the library outlives the window";
}

TEST_F(Diagramme, AFullListSaysSo)
{
    for (int i = 0; i < cListeAccordsImpression::Max; ++i) {
        cDiagramme d;
        d.ChangerNom("P" + std::to_string(i));
        ListeAccordsImpression().Ajouter(d.Donnees());
    }
    EXPECT_TRUE(Avec([](TFDiagramme &d) {
        d.Onglets->setCurrentIndex(1);
        EXPECT_EQ(d.Listes[1]->count(), cListeAccordsImpression::Max);
        d.Combo_Fondamentale->setCurrentIndex(0);
        tReponse r = Repondre();
        d.AjouterListe();
        EXPECT_EQ(r->NbBoites, 1);
        EXPECT_NE(r->Texte.find("50"), std::string::npos) << r->Texte;
        EXPECT_EQ(d.Listes[1]->count(), cListeAccordsImpression::Max);
        d.reject();
    }));
    ListeAccordsImpression().Vider();
}

TEST_F(Diagramme, PrintListChangesModifyTheScoreEvenOnCancel)
{
    ListeAccordsImpression().Vider();
    ASSERT_TRUE(P().Vierge);
    EXPECT_TRUE(Avec([](TFDiagramme &d) {
        d.Onglets->setCurrentIndex(1);
        d.Combo_Fondamentale->setCurrentIndex(2);
        d.AjouterListe();
        d.reject();
    }));
    ASSERT_EQ(ListeAccordsImpression().Nb(), 1);
    EXPECT_EQ(NomDiagramme(ListeAccordsImpression().Accord(1)), "D");
    EXPECT_FALSE(P().Vierge) << "the score holds the print list";
    EXPECT_EQ(Temps().Diagramme, nullptr);
    ListeAccordsImpression().Vider();
}

TEST_F(Diagramme, ADamagedDiagramOpensWithoutHarm)
{
    // Values no window writes, as a damaged file could hold them.
    Temps().Diagramme = new cDiagramme;
    rDiagramme &g = Temps().Diagramme->Donnees();
    g.Fondamentale = -5;
    g.TypeAccord = 99;
    g.Extension = 7;
    g.PremiereCase = 0;
    const int cases[6] = {200, -7, 3, 0, -1, 255};
    std::copy(std::begin(cases), std::end(cases), g.Cases);
    g.NbBarres = 9;
    g.BarreCase[0] = 500;
    g.BarreDebut[0] = -3;
    g.BarreFin[0] = 40;
    g.NomLongueur = 200;
    EXPECT_TRUE(Avec([](TFDiagramme &d) {
        EXPECT_EQ(d.Combo_Fondamentale->currentIndex(), RacinePerso);
        d.show();
        d.Grille->repaint();
        d.MontrerBulle(0, 0);
        Cliquer(d, 3, 1);
        EXPECT_EQ(d.Edite.Cases[2], 1);
        d.reject();
    }));
    EXPECT_EQ(Temps().Diagramme->Cases[0], 200) << "Cancel keeps the record as it was";
}

} // namespace
