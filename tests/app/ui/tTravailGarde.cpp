// Work is never lost: a failed Open keeps the score on screen; a copy of unsaved work is written,
// removed by a save, and offered back by the next start; file names keep their accents.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/uRecuperation.h"
#include "chords/uListeAccordsImpression.h"
#include "config/ui/DlgMyMsg.h"
#include "support/ui/FenetreTest.h"

namespace {

using TravailGarde = FenetreTest;

// Any number no process has: the copies it names belong to an instance that is gone.
constexpr int PidDisparu = 999999999;

int Pid() { return static_cast<int>(QCoreApplication::applicationPid()); }

TEST_F(TravailGarde, AFailedOpenKeepsTheScoreOnScreen)
{
    f->Partition().Informations->Titre = "Mine";
    f->Partition().MarquerModifie();
    const std::string abime = Chemin("broken.pl3");
    QFile q(QString::fromStdString(abime));
    ASSERT_TRUE(q.open(QIODevice::WriteOnly));
    q.write("\x18" "FICHIER PLECTORIUM v3.00" "garbage that ends too soon");
    q.close();
    tReponse r = Repondre();
    EXPECT_FALSE(f->OuvrirChemin(abime));
    EXPECT_EQ(r->NbBoites, 1);
    EXPECT_NE(r->Texte.find("damaged"), std::string::npos) << r->Texte;
    EXPECT_EQ(f->Partition().Informations->Titre, "Mine");
    EXPECT_TRUE(f->Partition().Modifie);
    EXPECT_TRUE(f->Partition().Chemin.empty());
}

TEST_F(TravailGarde, TheCopyIsWrittenWhileModifiedAndRemovedBySaving)
{
    const std::string copie = Chemin(("recovery-" + std::to_string(Pid()) + ".pl3").c_str());
    f->EcrireRecuperation();
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(copie))) << "nothing to keep yet";
    f->Partition().Informations->Titre = "Work";
    f->Partition().MarquerModifie();
    f->EcrireRecuperation();
    ASSERT_TRUE(QFileInfo::exists(QString::fromStdString(copie)));
    choix = QString::fromStdString(Chemin("work.pl3"));
    ASSERT_TRUE(f->FichierEnregistrer());
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(copie)));
}

TEST_F(TravailGarde, ACopyLeftByAStoppedInstanceIsOfferedAndRestored)
{
    const std::string origine = Fichier("song.pl3", "Saved title");
    // The copy is newer than the file it belongs to.
    {
        cPartition perdue;
        perdue.Nouveau();
        perdue.Informations->Titre = "Unsaved work";
        perdue.Chemin = origine;
        cListeAccordsImpression liste;
        const QDateTime ancien = QDateTime::currentDateTime().addSecs(-3600);
        QFile o(QString::fromStdString(origine));
        ASSERT_TRUE(o.open(QIODevice::ReadWrite));
        ASSERT_TRUE(o.setFileTime(ancien, QFileDevice::FileModificationTime));
        o.close();
        cRecuperation(dossier.path().toStdString(), PidDisparu).Ecrire(perdue, liste);
    }
    tReponse r = Repondre(ResOui);
    EXPECT_TRUE(f->ProposerRecuperation());
    EXPECT_EQ(r->NbBoites, 1);
    EXPECT_NE(r->Texte.find("song.pl3"), std::string::npos) << r->Texte;
    EXPECT_EQ(f->Partition().Informations->Titre, "Unsaved work");
    EXPECT_EQ(f->Partition().Chemin, origine) << "Save writes where the work belongs";
    EXPECT_TRUE(f->Partition().Modifie);
    EXPECT_TRUE(f->Action("Fichier_Enregistrer")->isEnabled());
    EXPECT_FALSE(QFileInfo::exists(
        QString::fromStdString(Chemin(("recovery-" + std::to_string(PidDisparu) + ".pl3").c_str()))));
    // Nothing more to offer.
    EXPECT_FALSE(f->ProposerRecuperation());
}

TEST_F(TravailGarde, NoDiscardsTheCopyAndACopyOlderThanItsFileIsNotOffered)
{
    cPartition perdue;
    perdue.Nouveau();
    perdue.Informations->Titre = "Unsaved";
    cListeAccordsImpression liste;
    cRecuperation(dossier.path().toStdString(), PidDisparu).Ecrire(perdue, liste);
    tReponse r = Repondre(ResNon);
    EXPECT_FALSE(f->ProposerRecuperation());
    EXPECT_EQ(r->NbBoites, 1);
    EXPECT_NE(f->Partition().Informations->Titre, "Unsaved");
    EXPECT_FALSE(f->ProposerRecuperation()) << "the copy was discarded";

    // A file saved after the copy was taken: the copy is stale and goes without a question.
    perdue.Chemin = Chemin("later.pl3");
    cRecuperation(dossier.path().toStdString(), PidDisparu).Ecrire(perdue, liste);
    Fichier("later.pl3");
    QFile o(QString::fromStdString(perdue.Chemin));
    ASSERT_TRUE(o.open(QIODevice::ReadWrite));
    ASSERT_TRUE(o.setFileTime(QDateTime::currentDateTime().addSecs(3600),
                              QFileDevice::FileModificationTime));
    o.close();
    tReponse aucune = Repondre(ResOui, 20);
    EXPECT_FALSE(f->ProposerRecuperation());
    QCoreApplication::processEvents();
    EXPECT_EQ(aucune->NbBoites, 0);
    aucune->Fini = true;
}

TEST_F(TravailGarde, AccentedFileNamesReadAsTheyAre)
{
    const std::string ete = Fichier("\xc3\x89t\xc3\xa9.pl3"); // "Été.pl3" in UTF-8
    ASSERT_TRUE(f->OuvrirChemin(ete));
    EXPECT_EQ(f->windowTitle(), QString::fromUtf8("Plectorium 3.0 - \xc3\x89t\xc3\xa9.pl3"));
    f->Partition().MarquerModifie();
    tReponse r = Repondre(ResAnnuler);
    EXPECT_FALSE(f->DemanderEnregistrement());
    // The message's text is in the patches' code page: É and é are single bytes there.
    EXPECT_NE(r->Texte.find("\xc9t\xe9.pl3"), std::string::npos) << r->Texte;
}

} // namespace
