// The message box and the welcome window, driven offscreen: buttons, captions, default button,
// Escape, return codes and the layout rules.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <vector>

#include "config/uEmplacements.h"
#include "config/uPatch.h"
#include "config/ui/DlgMyMsg.h"
#include "config/ui/DlgWelcome.h"
#include "config/ui/uAppliquerTextesUI.h"
#include "config/uTextesFenetres.h"

#include <QAction>
#include <QGroupBox>

namespace {

QApplication &Appli()
{
    static int argc = 1;
    static char nom[] = "test_config_ui";
    static char *argv[] = {nom, nullptr};
    static QApplication *a = new QApplication(argc, argv);
    return *a;
}

class MyMsgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Appli();
        // Built-in captions unless a test loads a patch.
        PatchCourant() = cPatchLangue();
    }
};

std::vector<QPushButton *> Visibles(const TFMyMsg &f)
{
    std::vector<QPushButton *> v;
    for (QPushButton *b : {f.BoutonOK(), f.BoutonOui(), f.BoutonNon(), f.BoutonAnnuler()})
        if (!b->isHidden())
            v.push_back(b);
    return v;
}

TEST_F(MyMsgTest, OnlyTheButtonsOfTheSetAreShownInTheirOrder)
{
    struct Cas {
        int boutons;
        std::vector<const char *> noms;
    } cas[] = {
        {BtOK, {"OK"}},
        {BtOui | BtNon, {"Yes", "No"}},
        {BtOui | BtNon | BtAnnuler, {"Yes", "No", "Cancel"}},
        {BtOK | BtAnnuler, {"OK", "Cancel"}},
        {BtOK | BtOui | BtNon | BtAnnuler, {"OK", "Yes", "No", "Cancel"}},
        {0, {"OK"}}, // a box must have a way out
    };
    for (const auto &c : cas) {
        TFMyMsg f("Caption", "Text", MsgInformation, DefOK, c.boutons);
        const auto v = Visibles(f);
        ASSERT_EQ(v.size(), c.noms.size()) << c.boutons;
        for (std::size_t i = 0; i < v.size(); ++i) {
            EXPECT_EQ(v[i]->text().toStdString(), c.noms[i]);
            if (i > 0) {
                EXPECT_EQ(v[i]->x(), v[i - 1]->x() + v[i - 1]->width() + 10); // 10 apart
            }
        }
    }
}

TEST_F(MyMsgTest, EscapeAndReturnCodes)
{
    struct Cas {
        int boutons, defaut;
        int touche; // 0: click the default button
        int attendu;
    } cas[] = {
        {BtOui | BtNon, DefOui, Qt::Key_Escape, ResNon},
        {BtOui | BtNon | BtAnnuler, DefOui, Qt::Key_Escape, ResAnnuler},
        {BtOK | BtAnnuler, DefOK, Qt::Key_Escape, ResAnnuler},
        {BtOK, DefOK, Qt::Key_Escape, ResOK},
        {BtOK | BtAnnuler, DefAnnuler, Qt::Key_Return, ResAnnuler},
        {BtOK | BtAnnuler, DefOK, Qt::Key_Return, ResOK},
        {BtOui | BtNon, DefNon, Qt::Key_Enter, ResNon},
        {BtOui | BtNon, DefOui, Qt::Key_Return, ResOui},
        {BtOui | BtNon, DefOui, 0, ResOui},
        {BtOui | BtNon | BtAnnuler, DefNon, 0, ResNon},
    };
    for (const auto &c : cas) {
        TFMyMsg f("Caption", "Text", MsgConfirmation, c.defaut, c.boutons);
        f.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
        if (c.touche)
            QTest::keyClick(&f, static_cast<Qt::Key>(c.touche));
        else
            QTest::mouseClick(QApplication::focusWidget(), Qt::LeftButton);
        EXPECT_EQ(f.result(), c.attendu) << c.boutons << " " << c.defaut << " " << c.touche;
        EXPECT_FALSE(f.isVisible());
    }
}

TEST_F(MyMsgTest, EscapeDoesNothingWithoutAWayBack)
{
    TFMyMsg f("Caption", "Text", MsgConfirmation, DefOui, BtOui | BtOK);
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    QTest::keyClick(&f, Qt::Key_Escape);
    EXPECT_TRUE(f.isVisible());
    f.done(0);
}

TEST_F(MyMsgTest, FocusOnTheDefaultButton)
{
    const int defauts[] = {DefOui, DefNon, DefOK, DefAnnuler};
    for (int d : defauts) {
        TFMyMsg f("Caption", "Text", MsgAvertissement, d, BtOK | BtOui | BtNon | BtAnnuler);
        f.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
        QPushButton *attendu = d == DefOui   ? f.BoutonOui()
                               : d == DefNon ? f.BoutonNon()
                               : d == DefOK  ? f.BoutonOK()
                                             : f.BoutonAnnuler();
        EXPECT_TRUE(attendu->isDefault());
        EXPECT_EQ(QApplication::focusWidget(), attendu);
        f.done(0);
    }
    // A default that is not shown falls on the first shown button.
    TFMyMsg f("Caption", "Text", MsgAvertissement, DefAnnuler, BtOui | BtNon);
    EXPECT_TRUE(f.BoutonOui()->isDefault());
}

TEST_F(MyMsgTest, CaptionsComeFromTheSharedDialogSection)
{
    cPatchLangue p;
    ASSERT_TRUE(p.Charger(std::string(PLEC_DATA_DIR) + "/Fran\xC3\xA7" "ais.pll"));
    PatchCourant() = std::move(p);
    TFMyMsg f(Traduction("Dlg-Erreur"), "x", MsgErreur, DefOK, BtOK | BtOui | BtNon | BtAnnuler);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Erreur"));
    EXPECT_EQ(f.BoutonOK()->text(), QStringLiteral("OK"));
    EXPECT_EQ(f.BoutonAnnuler()->text(), QStringLiteral("Annuler"));
    EXPECT_EQ(f.BoutonOui()->text(), QStringLiteral("Oui"));
    EXPECT_EQ(f.BoutonNon()->text(), QStringLiteral("Non"));
    // With automatic accelerators the buttons get theirs, OK and Cancel first.
    cPatchLangue a;
    a.ChargerTexte("AUTOMATIC SHORTCUTS\nDLG_000\n1 \"OK\"\n2 \"Cancel\"\n3 \"Yes\"\n4 \"No\"\n");
    PatchCourant() = std::move(a);
    TFMyMsg g("c", "t", MsgConfirmation, DefOui, BtOK | BtOui | BtNon | BtAnnuler);
    EXPECT_EQ(g.BoutonOK()->text(), QStringLiteral("&OK"));
    EXPECT_EQ(g.BoutonAnnuler()->text(), QStringLiteral("&Cancel"));
    EXPECT_EQ(g.BoutonOui()->text(), QStringLiteral("&Yes"));
    EXPECT_EQ(g.BoutonNon()->text(), QStringLiteral("&No"));
}

TEST_F(MyMsgTest, LayoutFollowsTheText)
{
    for (const char *texte : {"Short.", "A much longer message that has to wrap over several lines "
                                        "because it is far wider than the 425 pixels the label "
                                        "may take before it breaks its words onto new lines."}) {
        TFMyMsg f("Caption", texte, MsgInformation, DefOK, BtOK | BtAnnuler);
        const double e = f.logicalDpiY() / 96.0;
        const QLabel *l = f.Texte();
        EXPECT_EQ(l->x(), qRound(64 * e));
        EXPECT_EQ(l->y(), qRound(16 * e));
        EXPECT_LE(l->width(), qRound(425 * e));
        EXPECT_TRUE(l->wordWrap());
        const QPushButton *ok = f.BoutonOK(), *an = f.BoutonAnnuler();
        EXPECT_EQ(ok->y(), l->y() + l->height() + qRound(25 * e));
        EXPECT_EQ(f.height(), ok->y() + ok->height() + qRound(12 * e));
        EXPECT_GE(f.width(), l->x() + l->width() + qRound(16 * e));
        // The row is centred and fits with 14 pixels on each side at least.
        const int gauche = ok->x(), droite = f.width() - (an->x() + an->width());
        EXPECT_LE(std::abs(gauche - droite), 1);
        EXPECT_GE(gauche, qRound(14 * e) - 1);
        // The icon is centred on the label.
        const QLabel *i = f.Icone();
        EXPECT_LE(std::abs((i->y() + i->height() / 2) - (l->y() + l->height() / 2)), 1);
        EXPECT_FALSE(i->pixmap().isNull());
    }
    TFMyMsg court("c", "Short.", MsgInformation, DefOK, BtOK);
    TFMyMsg long_("c", std::string(600, 'w') + " end", MsgInformation, DefOK, BtOK);
    EXPECT_LT(court.width(), long_.width());
}

TEST_F(MyMsgTest, MyMsgRunsModallyAndReturnsTheButton)
{
    int vu = -1;
    QTimer::singleShot(0, [&vu] {
        auto *f = qobject_cast<TFMyMsg *>(QApplication::activeModalWidget());
        if (!f)
            return;
        vu = f->Genre();
        QTest::keyClick(f, Qt::Key_Escape);
    });
    EXPECT_EQ(MyMsg("Dlg", "Save?", MsgConfirmation, DefOui, BtOui | BtNon), ResNon);
    EXPECT_EQ(vu, MsgConfirmation);
}

TEST_F(MyMsgTest, ErreurSaisieShowsTheInvalidEntryAndRefocusesTheField)
{
    cPatchLangue p;
    ASSERT_TRUE(p.Charger(std::string(PLEC_DATA_DIR) + "/English.pll"));
    PatchCourant() = std::move(p);
    QWidget fenetre;
    auto *champ = new QLineEdit(QStringLiteral("12x"), &fenetre);
    auto *autre = new QLineEdit(&fenetre);
    fenetre.show();
    autre->setFocus();
    QString titre, texte;
    std::vector<std::string> boutons;
    QTimer::singleShot(0, [&] {
        auto *f = qobject_cast<TFMyMsg *>(QApplication::activeModalWidget());
        if (!f)
            return;
        titre = f->windowTitle();
        texte = f->Texte()->text();
        for (QPushButton *b : Visibles(*f))
            boutons.push_back(b->objectName().toStdString());
        QTest::keyClick(f, Qt::Key_Return);
    });
    ErreurSaisie(champ);
    EXPECT_EQ(titre, QStringLiteral("Error"));
    EXPECT_EQ(texte, QStringLiteral("This entry is not valid. Please correct it."));
    EXPECT_EQ(boutons, (std::vector<std::string>{"OK"}));
    EXPECT_EQ(champ->selectedText(), QStringLiteral("12x"));
}

TEST_F(MyMsgTest, MessageByKeysWithItsParameter)
{
    cPatchLangue p;
    ASSERT_TRUE(p.Charger(std::string(PLEC_DATA_DIR) + "/English.pll"));
    PatchCourant() = std::move(p);
    QString titre, texte;
    QTimer::singleShot(0, [&] {
        auto *f = qobject_cast<TFMyMsg *>(QApplication::activeModalWidget());
        if (!f)
            return;
        titre = f->windowTitle();
        texte = f->Texte()->text();
        QTest::keyClick(f, Qt::Key_Escape);
    });
    EXPECT_EQ(MyMsgCle("Dlg-Erreur", "Fichier-Introuvable", MsgErreur, DefOK, BtOK,
                       "/tmp/Caf\xE9.pl3"),
              ResOK);
    EXPECT_EQ(titre, QStringLiteral("Error"));
    EXPECT_EQ(texte, QStringLiteral("The file /tmp/Caf\u00e9.pl3 cannot be found."));
}

TEST_F(MyMsgTest, LineBreaksOfTheFixedMessage)
{
    TFMyMsg f("Error", "No language patch installed (files *.pll).\r\rPlease install", MsgErreur,
              DefOK, BtOK);
    EXPECT_EQ(f.Texte()->text(),
              QStringLiteral("No language patch installed (files *.pll).\n\nPlease install"));
}

TEST_F(MyMsgTest, WindowTextsGoToTheNamedControls)
{
    QWidget f;
    f.setWindowTitle(QStringLiteral("Built-in"));
    auto *ok = new QPushButton(QStringLiteral("OK"), &f);
    ok->setObjectName(QStringLiteral("OK"));
    auto *annuler = new QPushButton(QStringLiteral("Cancel"), &f);
    annuler->setObjectName(QStringLiteral("Cancel"));
    auto *groupe = new QGroupBox(QStringLiteral("Strings"), &f);
    groupe->setObjectName(QStringLiteral("Lab_Cordes"));
    auto *etiquette = new QLabel(QStringLiteral("From"), &f);
    etiquette->setObjectName(QStringLiteral("Lab_Mesure"));
    auto *action = new QAction(QStringLiteral("Open"), &f);
    action->setObjectName(QStringLiteral("Fichier_Ouvrir"));
    f.addAction(action);

    // Without the shared dialog section a dialog keeps every built-in caption.
    cPatchLangue sans;
    sans.ChargerTexte("DLG_ASS_LR_000\n1 \"Titre\"\n");
    PatchCourant() = std::move(sans);
    const auto positions = PositionsDialogue({"DLG_ASS_LR_000"});
    EXPECT_EQ(AppliquerTextesFenetre(&f, positions, true), 0);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Built-in"));
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));

    cPatchLangue de;
    ASSERT_TRUE(de.Charger(std::string(PLEC_DATA_DIR) + "/Deutsch.pll"));
    PatchCourant() = std::move(de);
    EXPECT_GT(AppliquerTextesFenetre(&f, positions, true), 0);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Assistent Klingen lassen"));
    EXPECT_EQ(annuler->text(), QStringLiteral("Abbrechen"));
    EXPECT_EQ(groupe->title(), QStringLiteral("Betroffene Saiten:"));
    EXPECT_EQ(etiquette->text(), QStringLiteral("Takte:"));

    // The main window's commands: caption and hint of an action.
    AppliquerTextesFenetre(&f, PositionsPrincipal(), false);
    EXPECT_EQ(action->text(), QStringLiteral("\u00d6&ffnen"));
    EXPECT_EQ(action->toolTip(), QStringLiteral("Partitur \u00f6ffnen (Strg+O)"));
}

TEST_F(MyMsgTest, WelcomeOffersOnlyInstalledLanguages)
{
    namespace fs = std::filesystem;
    std::string modele = (fs::temp_directory_path() / "plec-welcome-XXXXXX").string();
    const std::string dossier = std::string(mkdtemp(modele.data())) + "/";
    fs::copy_file(std::string(PLEC_DATA_DIR) + "/Deutsch.pll", dossier + "Deutsch.pll");
    fs::copy_file(std::string(PLEC_DATA_DIR) + "/English.pll", dossier + "Italiano.pll");
    DefinirDossiersDonnees({dossier});
    const std::vector<std::string> langues = {"English", "Fran\347ais", "Deutsch",
                                              "Espa\xF1ol", "Italiano"};
    {
        TFWelcome f(langues);
        EXPECT_FALSE(f.BoutonLangue(0)->isEnabled());
        EXPECT_FALSE(f.BoutonLangue(1)->isEnabled());
        EXPECT_TRUE(f.BoutonLangue(2)->isEnabled());
        EXPECT_FALSE(f.BoutonLangue(3)->isEnabled());
        EXPECT_EQ(f.BoutonLangue(1)->text(), QStringLiteral("Fran\u00e7ais"));
        ASSERT_EQ(f.Liste()->count(), 1);
        EXPECT_EQ(f.Liste()->item(0)->text(), QStringLiteral("Italiano"));
        EXPECT_FALSE(f.BoutonOK()->isEnabled());
        EXPECT_EQ(f.Choix(), "English"); // nothing chosen: the first of the list
        f.Liste()->setCurrentRow(0);
        EXPECT_TRUE(f.BoutonOK()->isEnabled());
        EXPECT_EQ(f.Choix(), "Italiano");
        f.show();
        QTest::mouseClick(f.BoutonLangue(2), Qt::LeftButton);
        EXPECT_EQ(f.result(), QDialog::Accepted);
        EXPECT_EQ(f.Choix(), "Deutsch");
    }
    DefinirDossiersDonnees({});
    fs::remove_all(dossier);
}

} // namespace
