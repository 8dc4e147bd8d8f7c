// The bottom panel in a real window: strips and overview follow the document, the strips'
// events change the score, the channel and port menus, the mix table change dialog, the MIDI
// set-up's duplicate check and the drum kit.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTest>

#include "config/ui/DlgMyMsg.h"
#include "display/ui/uVueOrchestre.h"
#include "mixer/ui/DlgMixage.h"
#include "mixer/ui/PL_MixTable.h"
#include "mixer/ui/uPanneauMixage.h"
#include "model/uAccord.h"
#include "model/uMesurePiste.h"
#include "support/ui/FenetreTest.h"

namespace {

class PanneauMixage : public FenetreTest {
protected:
    TPanneauMixage *pm = nullptr;
    void SetUp() override
    {
        FenetreTest::SetUp();
        pm = ::PanneauMixage(*f);
        ASSERT_TRUE(pm);
        f->Separateur()->setSizes({400, 200});
        QApplication::processEvents();
    }
    // Five tracks of different colours and names; track t has notes in measures t and t + 1 of
    // six.
    void CinqPistes()
    {
        cPartition &p = f->Partition();
        for (int k = 1; k < 6; ++k)
            p.InsererMesureApres(p.DerniereMesure());
        const int32_t couleurs[5] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF};
        for (int t = 1; t <= 5; ++t) {
            cPiste *piste = t == 1 ? p.PremierePiste : p.InsererPisteApres(p.DernierePiste());
            piste->Nom = "Guitar " + std::to_string(t);
            piste->Couleur = couleurs[t - 1];
            piste->Canal = t < 5 ? 2 * t - 1 : 11; // 10 is for drums
            piste->CanalEffets = piste->Canal + 1;
            for (int m = t; m <= t + 1 && m <= 6; ++m) {
                cMesurePiste *mp = p.MesurePisteDe(m, t);
                cAccord *a = mp->PremierAccord;
                a->Etat = 1;
                a->Notes[1]->Type = 1;
                a->Notes[1]->Case = 3;
            }
        }
        f->FinEdition(true);
        QApplication::processEvents();
    }
    QColor PixelGrille(int piste, int mesure)
    {
        const QImage &im = pm->Vue()->ImageGrille();
        return im.pixelColor((mesure - 1) * 20 + 9, (piste - 1) * 20 + 2 + 9);
    }
};

TEST_F(PanneauMixage, FollowsEditsNewAndOpen)
{
    CinqPistes();
    TPL_MixTable *t = pm->Table();
    ASSERT_EQ(t->NbStrips(), 5);
    EXPECT_EQ(t->Strip(3)->Nom->text(), "Guitar 3");
    EXPECT_EQ(t->Strip(5)->Canal->text(), "11");
    EXPECT_EQ(t->Strip(5)->CanalE->text(), "12");
    // Blocks in each track's colour where the track measure has notes, face colour elsewhere.
    EXPECT_EQ(PixelGrille(1, 1), QColor(255, 0, 0));
    EXPECT_EQ(PixelGrille(2, 3), QColor(0, 255, 0));
    EXPECT_EQ(PixelGrille(3, 3), QColor(0, 0, 255));
    EXPECT_EQ(PixelGrille(3, 5), pm->Vue()->palette().color(QPalette::Button));

    f->FichierNouveau();
    QApplication::processEvents();
    EXPECT_EQ(t->NbStrips(), 1) << "New gives one strip";
    EXPECT_EQ(pm->Vue()->O.BarreH.Maximum, 0);

    const std::string chemin = Fichier("deux.pl3", "Two");
    ASSERT_TRUE(f->OuvrirChemin(chemin));
    QApplication::processEvents();
    EXPECT_EQ(t->NbStrips(), f->Partition().NbPistes);
}

TEST_F(PanneauMixage, GridClickMovesTheCursorAndTheSelectedStrip)
{
    CinqPistes();
    pm->Vue()->CliquerGrille(3 * 20 + 5, 3 * 20 + 5); // row 4, column 4
    const cPartition &p = f->Partition();
    EXPECT_EQ(p.Curseur.NumPiste, 4);
    EXPECT_EQ(p.Curseur.NumMesure, 4);
    EXPECT_EQ(p.Curseur.NumTemps, 1);
    EXPECT_EQ(pm->Table()->SelectedPiste, 4);
    // Outside the tracks: nothing moves.
    pm->Vue()->CliquerGrille(5, 9 * 20);
    EXPECT_EQ(p.Curseur.NumPiste, 4);
}

TEST_F(PanneauMixage, StripEventsChangeTheScore)
{
    CinqPistes();
    cPartition &p = f->Partition();
    p.MarquerEnregistre();
    pm->Traiter(2, TMixList::mPan, qmValeur, 26);
    EXPECT_EQ(p.Canaux[1][3].Balance, 9);
    EXPECT_EQ(p.Canaux[1][4].Balance, 9);
    EXPECT_TRUE(p.Modifie);

    cPiste *t2 = p.PisteNumero(2);
    t2->Muet = true;
    pm->Traiter(2, TMixList::mSolo, qmValeur, 1);
    EXPECT_TRUE(t2->Solo);
    EXPECT_FALSE(t2->Muet);
    EXPECT_FALSE(pm->Table()->Strip(2)->Mute->Coche());

    pm->Traiter(3, TMixList::mInstrument, qmValeur, 40);
    EXPECT_EQ(p.Canaux[1][5].Instrument, 40);
    EXPECT_EQ(p.Canaux[1][6].Instrument, 40);

    // A click on another track's line makes it current.
    pm->Traiter(5, TMixList::mNomPiste, qmLigne, 0);
    EXPECT_EQ(p.Curseur.NumPiste, 5);
}

TEST_F(PanneauMixage, ChannelMenusAndPortMenu)
{
    CinqPistes();
    cPartition &p = f->Partition();
    QMenu *m = pm->MenuCanal(1, false);
    auto entree = [m](int k) { return m->findChild<QAction *>(QString("Canal%1").arg(k)); };
    ASSERT_TRUE(entree(3));
    EXPECT_TRUE(entree(1)->isChecked());
    EXPECT_EQ(entree(3)->text(), "03 - Linked with Guitar 2");
    EXPECT_FALSE(entree(4)->isEnabled()) << "Guitar 2's effect channel";
    EXPECT_FALSE(entree(10)->isEnabled());
    EXPECT_TRUE(entree(13)->text().startsWith("13 - Free"));
    entree(3)->trigger();
    EXPECT_EQ(p.PremierePiste->Canal, 3);
    EXPECT_EQ(p.PremierePiste->CanalEffets, 4);
    EXPECT_EQ(pm->Table()->Strip(1)->Canal->text(), "03");
    delete m;

    QMenu *port = pm->MenuPort(2);
    QAction *p2 = port->findChild<QAction *>("Port2");
    ASSERT_TRUE(p2);
    EXPECT_TRUE(port->findChild<QAction *>("Port1")->isChecked());
    EXPECT_TRUE(p2->text().startsWith("2 : "));
    p2->trigger();
    EXPECT_EQ(p.PisteNumero(2)->Port, 2);
    EXPECT_EQ(pm->Table()->Strip(2)->Port->text(), "2");
    delete port;
}

TEST_F(PanneauMixage, MixTableChangeDialog)
{
    cPartition &p = f->Partition();
    p.Tempo = 100;
    auto fait = QuandDialogue("TFTableMixEvent", [](QWidget *w) {
        auto *d = static_cast<TFTableMixEvent *>(w);
        EXPECT_TRUE(d->Tempo->isHidden()) << "an unticked box hides its control";
        EXPECT_EQ(d->Tempo->text(), "100");
        d->Cases[pmTempo]->setChecked(true);
        d->Tempo->setText("0");
        auto r = Repondre(ResOK);
        d->accept(); // refused: the dialog stays open
        EXPECT_EQ(r->NbBoites, 1);
        EXPECT_TRUE(d->isVisible());
        d->Tempo->setText("150");
        d->Cases[pmPhaser]->setChecked(true);
        d->Transitions[pmPhaser]->setCurrentIndex(4);
        d->accept();
    });
    f->Executer("Edition_Inserer_MixTableChange");
    ASSERT_TRUE(*fait);
    const cTableMixEvent *m = p.Curseur.Accord->TableMix;
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Tempo, 150);
    EXPECT_EQ(m->TransPhaser, 4);
    EXPECT_EQ(m->Volume, -1);

    // Clear and OK removes it.
    fait = QuandDialogue("TFTableMixEvent", [](QWidget *w) {
        auto *d = static_cast<TFTableMixEvent *>(w);
        EXPECT_TRUE(d->Cases[pmPhaser]->isChecked());
        EXPECT_EQ(d->Transitions[pmPhaser]->currentIndex(), 4);
        d->Effacer();
        d->accept();
    });
    f->Executer("Edition_Inserer_MixTableChange");
    ASSERT_TRUE(*fait);
    EXPECT_EQ(p.Curseur.Accord->TableMix, nullptr);
}

TEST_F(PanneauMixage, MidiSetupRefusesTheSameDeviceTwice)
{
    auto fait = QuandDialogue("TFMidiSetup", [](QWidget *w) {
        auto *d = static_cast<TFMidiSetup *>(w);
        for (QComboBox *c : d->Peripheriques)
            c->setCurrentIndex(0);
        EXPECT_EQ(d->VerifierDoublons(), 0) << "rows without a device are no duplicates";
        if (d->Peripheriques[0]->count() > 1) {
            d->Peripheriques[0]->setCurrentIndex(1);
            d->Peripheriques[2]->setCurrentIndex(1);
            auto r = Repondre(ResOK);
            d->accept();
            EXPECT_EQ(r->NbBoites, 1);
            EXPECT_TRUE(d->isVisible());
        }
        d->reject();
    });
    f->Executer("Options_MidiSetup");
    EXPECT_TRUE(*fait);
}

TEST_F(PanneauMixage, DrumKitEntersKeysOnDrumTracksOnly)
{
    f->Executer("Tools_PercussionAssistant");
    TFBatterie *b = pm->Batterie();
    ASSERT_TRUE(b);
    EXPECT_TRUE(b->isVisible());
    EXPECT_EQ(b->Liste->count(), 61);
    EXPECT_EQ(b->Liste->item(11)->text(), "38 - Acoustic Snare");
    cPartition &p = f->Partition();
    b->Saisir(38);
    EXPECT_EQ(p.Curseur.Note->Type, 0) << "a guitar track takes no key";
    p.PremierePiste->Percussions = true;
    b->Saisir(38);
    EXPECT_EQ(p.Curseur.Note->Case, 38);
    EXPECT_EQ(p.Curseur.Note->Type, 1);
    EXPECT_TRUE(p.Modifie);
}

TEST_F(PanneauMixage, HeightToggle)
{
    const int avant = f->Separateur()->sizes()[1];
    ASSERT_GT(avant, 0);
    f->Executer("Affichage_VueHMinMax");
    EXPECT_EQ(f->Separateur()->sizes()[1], 0);
    f->Executer("Affichage_VueHMinMax");
    EXPECT_EQ(f->Separateur()->sizes()[1], avant);
    f->Executer("Affichage_VueVMinMax");
    EXPECT_EQ(pm->Separateur()->sizes()[0], 0);
}

} // namespace
