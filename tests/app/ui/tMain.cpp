// The document lifecycle driven through the real main window, offscreen. The program's own
// message boxes are answered by clicking their buttons; file dialogs are replaced.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "app/ui/Main.h"
#include "support/ui/FenetreTest.h"
#include "config/ui/uTexteUI.h"
#include "config/uConfig.h"
#include "config/uEmplacements.h"
#include "config/uPatch.h"
#include "config/ui/DlgMyMsg.h"
#include "fileio/uFichierPLT.h"
#include "chords/uListeAccordsImpression.h"

namespace {

using Fenetre = FenetreTest;

TEST_F(Fenetre, PristineQuitAsksNothing)
{
    tReponse r = Repondre();
    EXPECT_TRUE(Fermer());
    QApplication::processEvents();
    EXPECT_EQ(r->NbBoites, 0);
    r->Fini = true;
}

TEST_F(Fenetre, ChangedScoreAsksAndCancelKeepsTheWindow)
{
    f->Partition().MarquerModifie();
    tReponse r = Repondre(ResAnnuler);
    EXPECT_FALSE(Fermer());
    EXPECT_EQ(r->NbBoites, 1);
    EXPECT_NE(r->Texte.find("Untitled"), std::string::npos) << r->Texte;
    tReponse non = Repondre(ResNon);
    EXPECT_TRUE(Fermer());
}

TEST_F(Fenetre, YesOnAnUntitledScoreProposesTheTitleAsFileName)
{
    f->Partition().Informations->Titre = "AC/DC: Live?";
    f->Partition().MarquerModifie();
    choix = QString::fromStdString(Chemin("live.pl3"));
    tReponse r = Repondre(ResOui);
    EXPECT_TRUE(Fermer());
    EXPECT_EQ(propose, "AC_DC_ Live_.pl3");
    EXPECT_TRUE(QFile::exists(choix));
    EXPECT_EQ(Config->Fichier[0], Chemin("live.pl3")) << "the closed file heads the list";
}

TEST_F(Fenetre, FailedSaveKeepsTheOldName)
{
    const std::string a = Fichier("a.pl3");
    ASSERT_TRUE(f->OuvrirChemin(a));
    f->Partition().MarquerModifie();
    choix = QString::fromStdString(Chemin("missing/folder/b.pl3"));
    tReponse r = Repondre(); // the error message
    EXPECT_FALSE(f->FichierEnregistrerSous());
    EXPECT_EQ(r->NbBoites, 1);
    EXPECT_EQ(f->Partition().Chemin, a);
    EXPECT_EQ(f->Partition().NomFichier, "a.pl3");
    EXPECT_TRUE(f->Partition().Modifie);
    EXPECT_EQ(f->windowTitle(), "Plectorium 3.0 - a.pl3");
}

TEST_F(Fenetre, RecentFilesMoveAndASixthPushesTheOldestOut)
{
    std::vector<std::string> fichiers;
    for (const char *n : {"1.pl3", "2.pl3", "3.pl3", "4.pl3", "5.pl3", "6.pl3", "7.pl3"})
        fichiers.push_back(Fichier(n));
    // Each file is listed when it is closed by the next open.
    for (const std::string &c : fichiers)
        ASSERT_TRUE(f->DemanderEnregistrement() && f->OuvrirChemin(c));
    EXPECT_EQ(Config->Fichier[0], fichiers[5]);
    EXPECT_EQ(Config->Fichier[4], fichiers[1]) << "the sixth closed file pushed the first out";
    // Opening entry 3 while 7 is open: 7 goes to the top, the opened one is not added yet.
    f->OuvrirFichierRecent(3);
    EXPECT_EQ(f->Partition().Chemin, fichiers[3]);
    EXPECT_EQ(Config->Fichier[0], fichiers[6]);
    EXPECT_EQ(Config->Fichier[1], fichiers[5]);
    EXPECT_EQ(Config->Fichier[2], fichiers[4]);
    QMenu *menu = f->Menu("Menu_Recents");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->actions()[0]->text(), "&1  7.pl3");
}

TEST_F(Fenetre, MissingRecentFileSaysSoAndStaysListed)
{
    Config->Fichier[0] = Chemin("gone.pl3");
    tReponse r = Repondre();
    f->OuvrirFichierRecent(1);
    EXPECT_EQ(r->NbBoites, 1);
    EXPECT_NE(r->Texte.find("gone.pl3"), std::string::npos) << r->Texte;
    EXPECT_EQ(Config->Fichier[0], Chemin("gone.pl3"));
}

TEST_F(Fenetre, CommandLineArgumentsJoinWithBlanks)
{
    Fichier("My Song x.pl3");
    const QString avant = QDir::currentPath();
    QDir::setCurrent(dossier.path());
    TMainForm g; // its start directory is the temporary folder
    QDir::setCurrent(avant);
    g.OuvrirLigneCommande({"My", "Song", "x.pl3"});
    EXPECT_EQ(g.windowTitle(), "Plectorium 3.0 - My Song x.pl3");
    tReponse r = Repondre();
    g.OuvrirLigneCommande({"Nope.pl3"});
    EXPECT_EQ(r->NbBoites, 1);
    EXPECT_NE(r->Texte.find("Nope.pl3"), std::string::npos) << r->Texte;
}

TEST_F(Fenetre, SaveIsEnabledOnlyWhileModified)
{
    const std::string a = Fichier("s.pl3");
    ASSERT_TRUE(f->OuvrirChemin(a));
    QAction *save = f->Action("Fichier_Enregistrer");
    EXPECT_FALSE(save->isEnabled());
    f->Partition().MarquerModifie();
    EXPECT_TRUE(save->isEnabled());
    EXPECT_TRUE(f->FichierEnregistrer());
    EXPECT_FALSE(save->isEnabled());
    EXPECT_FALSE(f->Action("Edition_Annuler")->isEnabled()) << "an opened file starts a new history";
}

TEST_F(Fenetre, LanguageMenuRelabelsAtOnce)
{
    QMenu *fichier = f->Menu("Menu_Fichier");
    const QString anglais = fichier->title();
    f->ChoisirLangue("Fran\xe7" "ais");
    EXPECT_NE(fichier->title(), anglais);
    EXPECT_EQ(fichier->title().remove(QLatin1Char(0x26)), "Fichier");
    QString attendu = VersQt(TexteEntreGuillemets("MN_000", 26));
    EXPECT_FALSE(attendu.isEmpty());
    EXPECT_EQ(f->Action("Fichier_Nouveau")->text(), attendu);
}

TEST(Legendes, AcceleratorMarksGoAndADoubledAmpersandStays)
{
    const struct {
        const char *Nom, *Legende, *Attendu;
    } cas[] = {
        {"mark inside", "&File", "File"},
        {"mark at the end", "Save&", "Save"},
        {"doubled", "Rock && Roll", "Rock & Roll"},
        {"tripled", "a&&&b", "a&&b"},
        {"none", "Tempo", "Tempo"},
    };
    for (const auto &c : cas)
        EXPECT_EQ(SansAccelerateur(QString::fromUtf8(c.Legende)), QString::fromUtf8(c.Attendu))
            << c.Nom;
}

TEST_F(Fenetre, ToolTipsShowCaptionsWithoutAcceleratorMarks)
{
    int vus = 0;
    for (QAction *a : f->findChildren<QAction *>()) {
        if (a->objectName().isEmpty() || !a->text().contains(QLatin1Char('&')) ||
            a->text().contains(QLatin1String("&&")) || a->toolTip() == a->text())
            continue;
        ++vus;
        EXPECT_FALSE(a->toolTip().contains(QLatin1Char('&'))) << a->toolTip().toStdString();
    }
    EXPECT_GT(vus, 20) << "the menus carry accelerators";
}

} // namespace
