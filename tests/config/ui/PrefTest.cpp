// The preferences window: what OK applies (only the pages that changed, with the empty-field
// fallbacks), what Cancel undoes, the presets, and the checks of the number fields.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include "config/uConfig.h"
#include "config/ui/DlgMyMsg.h"
#include "config/ui/DlgPref.h"
#include "support/ui/FenetreTest.h"

namespace {

class PrefTest : public FenetreTest {
protected:
    void Cliquer(TFPref &d, const char *page, const char *bouton)
    {
        QWidget *p = d.findChild<QWidget *>(page);
        ASSERT_NE(p, nullptr) << page;
        auto *b = p->findChild<QPushButton *>(bouton);
        ASSERT_NE(b, nullptr) << bouton;
        b->click();
    }
    QLineEdit *Champ(TFPref &d, const char *nom) { return d.Controle<QLineEdit>(nom); }
};

TEST_F(PrefTest, OkAppliesOnlyTheChangedPagesWithFallbacks)
{
    const TParamEcran ecran = Config->ParamEcran;
    TFPref d(f.get());
    EXPECT_FALSE(d.Modifie(TFPref::PageGeneral));
    EXPECT_FALSE(d.Modifie(TFPref::PageAffichage));
    EXPECT_FALSE(d.Modifie(TFPref::PageImpression));
    // A print switch alone.
    d.Controle<QCheckBox>("AffNumP_Prt")->setChecked(false);
    EXPECT_TRUE(d.Modifie(TFPref::PageImpression));
    EXPECT_FALSE(d.Modifie(TFPref::PageAffichage));
    // An emptied print margin takes its fallback.
    Champ(d, "MargeHautePart")->clear();
    d.accept();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_FALSE(Config->ParamImp.AffNumP_Prt);
    EXPECT_EQ(Config->ParamImp.MargeHautePart, 15);
    EXPECT_EQ(Config->ParamEcran, ecran) << "the screen parameters are untouched";
}

TEST_F(PrefTest, EmptyFieldsTakeTheirFallbacksNotTheDefaults)
{
    TFPref d(f.get());
    struct Cas {
        const char *champ;
        int TParamEcran::*membre;
        int attendu;
    } cas[] = {
        // "Default" would give 2 here.
        {"EpCroches", &TParamEcran::EpCroches, 3},
        {"MargeGaucheLignes", &TParamEcran::MargeGaucheLignes, 25},
        {"EspPortees", &TParamEcran::EspPortees, 102},
    };
    for (const Cas &c : cas)
        Champ(d, c.champ)->clear();
    d.accept();
    for (const Cas &c : cas)
        EXPECT_EQ(Config->ParamEcran.*(c.membre), c.attendu) << c.champ;
}

TEST_F(PrefTest, NumberFieldsRefuseOutOfRangeValuesAndLetters)
{
    TFPref d(f.get());
    // Letters never get in, typed or pasted.
    QLineEdit *e = Champ(d, "EspLignes");
    e->clear();
    QTest::keyClicks(e, "1a2");
    EXPECT_EQ(e->text(), "12");
    e->clear();
    e->insert("x9");
    EXPECT_EQ(e->text(), "");
    // A string spacing of 2 pixels is out of range: the window stays open on that field.
    e->setText("2");
    auto message = Repondre(ResOK);
    d.accept();
    EXPECT_EQ(message->NbBoites, 1);
    EXPECT_NE(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.Pages()->currentIndex(), TFPref::PageAffichage);
    EXPECT_EQ(Config->ParamEcran.EspLignes, 10) << "nothing was applied";

    auto message2 = Repondre(ResOK);
    e->setText("12");
    Champ(d, "Largeur_Prt")->setText("5"); // below 10 mm
    d.accept();
    EXPECT_EQ(message2->NbBoites, 1);
    EXPECT_EQ(d.Pages()->currentIndex(), TFPref::PageImpression);
    EXPECT_EQ(Config->ParamEcran.EspLignes, 10);
}

TEST_F(PrefTest, CancelUndoesWhatLookApplied)
{
    const TParamEcran avant = Config->ParamEcran;
    TFPref d(f.get());
    int relayouts = 0;
    d.ApresAffichage = [&relayouts] { ++relayouts; };
    Champ(d, "EspLignes")->setText("14");
    ASSERT_TRUE(d.Voir());
    EXPECT_EQ(Config->ParamEcran.EspLignes, 14) << "Look applies at once";
    EXPECT_EQ(relayouts, 1);
    d.reject();
    EXPECT_EQ(Config->ParamEcran, avant);
    EXPECT_EQ(relayouts, 2) << "the view is laid out again with the old values";
}

TEST_F(PrefTest, DisplayPresetRoundTrip)
{
    TFPref d(f.get());
    d.ChoisirPolice = [](TMyFont &p, QWidget *) {
        p.Name = "Courier";
        p.Size = 11;
        p.Italic = true;
        return true;
    };
    d.ChoisirCouleur = [](int &c, QWidget *) {
        c = 0x123456;
        return true;
    };
    Cliquer(d, "TS_Affichage", "BT_FontNotes");
    Cliquer(d, "TS_Affichage", "BT_ColBackG");
    d.Controle<QCheckBox>("AffRyt")->setChecked(false);
    d.Controle<QRadioButton>("TypeDiag1")->setChecked(true);
    Cliquer(d, "TS_Affichage", "BT_SaveUser2");
    const TParamEcran &u2 = Config->ParamEcran_US[1];
    EXPECT_EQ(u2.FontNotes.Name, "Courier");
    EXPECT_EQ(u2.ColBackG, 0x123456);
    EXPECT_FALSE(u2.AffRyt);
    EXPECT_EQ(u2.TypeDiag, 1);
    // Defaults, then the preset back.
    d.DefautAffichage();
    EXPECT_TRUE(d.Controle<QCheckBox>("AffRyt")->isChecked());
    Cliquer(d, "TS_Affichage", "BT_User2");
    TParamEcran relu;
    ASSERT_TRUE(d.LireAffichage(relu, false));
    EXPECT_EQ(relu, u2);
}

TEST_F(PrefTest, PrintPresetKeepsBlackBlocksOut)
{
    Config->ParamImp_US[0].GlobalProportions_Prt = 12;
    TFPref d(f.get());
    d.Controle<QCheckBox>("BlackBlocks")->setChecked(true);
    Cliquer(d, "TS_Impression", "BT_User1");
    EXPECT_EQ(d.Controle<QSlider>("GlobalProportions_Prt")->value(), 12);
    EXPECT_TRUE(d.Controle<QCheckBox>("BlackBlocks")->isChecked());
    // The area controls follow the full-page choice.
    d.Controle<QRadioButton>("FullPage")->setChecked(true);
    EXPECT_FALSE(Champ(d, "Largeur_Prt")->isEnabled());
    d.Controle<QRadioButton>("SelectedArea")->setChecked(true);
    EXPECT_TRUE(Champ(d, "Largeur_Prt")->isEnabled());
    d.accept();
    EXPECT_EQ(Config->ParamImp.GlobalProportions_Prt, 12);
    EXPECT_FALSE(Config->ParamImp.FullPage);
    EXPECT_TRUE(Config->BlackBlocks);
}

TEST_F(PrefTest, GeneralPage)
{
    TFPref d(f.get());
    EXPECT_FALSE(d.Controle<QLineEdit>("Music_File")->isEnabled());
    d.Controle<QRadioButton>("Music_WAV")->setChecked(true);
    EXPECT_TRUE(d.Controle<QLineEdit>("Music_File")->isEnabled());
    d.Controle<QSlider>("MetronomeVolume")->setValue(31);
    d.Controle<QRadioButton>("ScrollingLine")->setChecked(true);
    d.accept();
    EXPECT_EQ(Config->MetronomeVolume, 10) << "nearest(31 / 3)";
    EXPECT_EQ(Config->StartingMusic, 2);
    EXPECT_EQ(Config->TypeScrolling, 2);

    TFPref e(f.get());
    e.DefautGeneral();
    e.accept();
    EXPECT_EQ(Config->MetronomeVolume, 16);
    EXPECT_EQ(Config->StartingMusic, 1);
    EXPECT_EQ(Config->TypeScrolling, 1);
}

TEST_F(PrefTest, TheLanguageReachesEveryPage)
{
    ASSERT_TRUE(ChangerLangue(*Config, "Fran\xE7" "ais"));
    TFPref d(f.get());
    EXPECT_EQ(d.Pages()->tabText(TFPref::PageAffichage), "Affichage");
    // Each page has its own "Default" and preset buttons.
    for (const char *page : {"TS_General", "TS_Affichage", "TS_Impression"})
        for (QPushButton *b : d.findChild<QWidget *>(page)->findChildren<QPushButton *>("BT_Defaut"))
            EXPECT_EQ(b->text(), QString::fromUtf8("Par d\xC3\xA9" "faut")) << page;
    int presets = 0;
    for (QPushButton *b : d.findChildren<QPushButton *>("BT_User1")) {
        EXPECT_EQ(b->text(), "Utilisateur 1");
        ++presets;
    }
    EXPECT_EQ(presets, 2);
}

TEST_F(PrefTest, OptionsCommandOpensTheWindowOnce)
{
    auto fait = QuandDialogue("TFPref", [](QWidget *w) {
        EXPECT_TRUE(Config->PreferencesOuvertes);
        static_cast<QDialog *>(w)->reject();
    });
    f->Executer("Options_Preferences");
    EXPECT_TRUE(*fait);
    EXPECT_FALSE(Config->PreferencesOuvertes);
}

} // namespace
