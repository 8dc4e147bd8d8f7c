// The MIDI import window driven as a user would: opened through the menu command on files
// written by the tests, its buttons clicked, the program's message boxes answered.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include "config/ui/DlgMyMsg.h"
#include "midifile/ui/DlgMIDIImport.h"
#include "model/uPartition.h"
#include "support/FichierMidiTest.h"
#include "support/ui/FenetreTest.h"

namespace {

class ImportMIDI : public FenetreTest {
protected:
    void TearDown() override
    {
        delete TFMIDIImport::Instance();
        FenetreTest::TearDown();
    }

    // Two tracks: a lead and a bass, in 3/4, titled.
    std::string Ecrire(const char *nom)
    {
        cPisteTest c;
        c.Nom("Waltz").Tempo(0, 600000).Signature(0, 3, 2);
        cPisteTest lead, basse;
        lead.Nom("Lead");
        basse.Nom("Bass");
        for (int k = 0; k < 6; ++k) {
            lead.Note(k * 480, 1, 64 + k, 480);
            basse.Note(k * 1440 / 3 * 3, 2, 40, 1440);
        }
        const std::string chemin = Chemin(nom);
        EXPECT_TRUE(EcrireFichierTest(chemin, FichierTest(1, 480, {c, lead, basse})));
        return chemin;
    }

    TFMIDIImport *Ouvrir(const std::string &chemin)
    {
        choix = QString::fromStdString(chemin);
        f->Executer("Fichier_Import_MIDI");
        return TFMIDIImport::Instance();
    }

    template <class T> T *Enfant(QWidget *w, const char *nom)
    {
        T *e = w->findChild<T *>(nom);
        EXPECT_NE(e, nullptr) << nom;
        return e;
    }
};

TEST_F(ImportMIDI, OpensOnTheFileWithEveryTrackTicked)
{
    const std::string chemin = Ecrire("waltz.mid");
    TFMIDIImport *w = Ouvrir(chemin);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(w->isModal());
    QListWidget *liste = Enfant<QListWidget>(w, "ListePistes");
    ASSERT_EQ(liste->count(), 2);
    EXPECT_EQ(liste->item(0)->text(), "Lead");
    EXPECT_EQ(liste->item(1)->text(), "Bass");
    EXPECT_EQ(w->Cochees(), (std::vector<int>{0, 1}));
    EXPECT_TRUE(w->windowTitle().endsWith(" - " + QString::fromStdString(chemin)));
    EXPECT_EQ(w->Options().GrilleP, 60);
    EXPECT_EQ(w->Options().GrilleD, 60);
    // A second command reuses the one window.
    EXPECT_EQ(Ouvrir(chemin), w);
}

TEST_F(ImportMIDI, PicturesAndButtonsSetTheOptions)
{
    TFMIDIImport *w = Ouvrir(Ecrire("a.mid"));
    ASSERT_NE(w, nullptr);
    Enfant<QToolButton>(w, "CQuantizeP4_Image")->click();
    EXPECT_TRUE(Enfant<QRadioButton>(w, "CQuantizeP4")->isChecked());
    Enfant<QRadioButton>(w, "CQuantizeD16")->click();
    EXPECT_EQ(w->Options().GrilleP, 120);
    EXPECT_EQ(w->Options().GrilleD, 30);
    Enfant<QPushButton>(w, "BT_UnCkeckAll")->click();
    EXPECT_TRUE(w->Cochees().empty());
    Enfant<QPushButton>(w, "BT_CheckAll")->click();
    EXPECT_EQ(w->Cochees().size(), 2u);
}

TEST_F(ImportMIDI, UnreadableFileShowsItsMessageAndOpensNothing)
{
    const std::string chemin = Chemin("bad.mid");
    ASSERT_TRUE(EcrireFichierTest(chemin, {'n', 'o', 't', ' ', 'm', 'i', 'd', 'i'}));
    const long long avant = f->Document().Revision();
    tReponse r = Repondre(ResOK);
    EXPECT_EQ(Ouvrir(chemin), nullptr);
    EXPECT_EQ(r->NbBoites, 1);
    EXPECT_FALSE(r->Texte.empty());
    EXPECT_EQ(f->Document().Revision(), avant);
}

TEST_F(ImportMIDI, NoTickedTrackSaysSoAndChangesNothing)
{
    TFMIDIImport *w = Ouvrir(Ecrire("b.mid"));
    ASSERT_NE(w, nullptr);
    w->CocherTout(false);
    const cPartition *avant = &f->Partition();
    tReponse r = Repondre(ResOK);
    EXPECT_FALSE(w->ImportRapide());
    EXPECT_EQ(r->Texte, "Select at least one track.");
    EXPECT_EQ(&f->Partition(), avant);
    r = Repondre(ResOK);
    EXPECT_FALSE(w->Etape3());
    EXPECT_EQ(r->NbBoites, 1);
}

TEST_F(ImportMIDI, QuickImportMakesANewScore)
{
    TFMIDIImport *w = Ouvrir(Ecrire("c.mid"));
    ASSERT_NE(w, nullptr);
    Enfant<QPushButton>(w, "VT_QuickImport")->click();
    cPartition &p = f->Partition();
    EXPECT_EQ(p.Informations->Titre, "Waltz");
    ASSERT_EQ(p.NbPistes, 2);
    EXPECT_EQ(p.Pistes[1]->Nom, "Lead");
    EXPECT_EQ(p.Pistes[2]->NbCordes, 4);
    EXPECT_EQ(p.PremiereMesure->Numerateur, 3);
    EXPECT_EQ(p.NbNotesJouees(), 12);
    EXPECT_TRUE(p.Modifie);
    EXPECT_EQ(p.Curseur.NumPiste, 1);
}

TEST_F(ImportMIDI, StepsImportIntoTheOpenScore)
{
    TFMIDIImport *w = Ouvrir(Ecrire("d.mid"));
    ASSERT_NE(w, nullptr);
    cPartition *avant = &f->Partition();
    Enfant<QPushButton>(w, "BT_TimeSignatureMap")->click();
    EXPECT_EQ(&f->Partition(), avant);
    EXPECT_EQ(f->Partition().Informations->Titre, "Waltz");
    EXPECT_EQ(f->Partition().PremiereMesure->Numerateur, 3);
    EXPECT_EQ(f->Partition().Tempo, 100);
    EXPECT_EQ(f->BoiteTempo()->value(), 100);
    // Only the lead, into the current (first) track.
    w->CocherTout(false);
    Enfant<QListWidget>(w, "ListePistes")->item(0)->setCheckState(Qt::Checked);
    EXPECT_TRUE(w->Etape3());
    cPartition &p = f->Partition();
    EXPECT_EQ(p.NbPistes, 1);
    EXPECT_EQ(p.PremierePiste->Nom, "Lead");
    EXPECT_EQ(p.NbNotesJouees(), 6);
    EXPECT_TRUE(w->Cochees().empty()) << "every entry is unticked afterwards";
}

TEST_F(ImportMIDI, ReduceAndExpand)
{
    TFMIDIImport *w = Ouvrir(Ecrire("e.mid"));
    ASSERT_NE(w, nullptr);
    Enfant<QPushButton>(w, "BT_Reduce")->click();
    EXPECT_EQ(w->size(), QSize(100, 30));
    QPushButton *agrandir = Enfant<QPushButton>(w, "BT_Expand");
    EXPECT_TRUE(agrandir->isVisible());
    EXPECT_FALSE(Enfant<QListWidget>(w, "ListePistes")->isVisible());
    agrandir->click();
    EXPECT_EQ(w->size(), QSize(502, 334));
    EXPECT_TRUE(Enfant<QListWidget>(w, "ListePistes")->isVisible());
    EXPECT_FALSE(agrandir->isVisible());
}

} // namespace
