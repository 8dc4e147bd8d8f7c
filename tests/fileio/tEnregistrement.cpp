// Saving safely: a failed save leaves the previous file byte for byte and the score's name.
#include <csignal>
#include <cstdio>
#include <fstream>
#include <sstream>

#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fileio/PartitionComplete.h"
#include "fileio/Outils.h"

namespace {

class Enregistrement : public ::testing::Test {
protected:
    void SetUp() override
    {
        char modele[] = "/tmp/plec-save-XXXXXX";
        ASSERT_NE(mkdtemp(modele), nullptr);
        Dossier = modele;
        ConstruirePartitionComplete(P, Liste);
        P.Chemin = "/named/before.pl3";
        P.NomFichier = "before.pl3";
    }
    void TearDown() override
    {
        for (const std::string &f : Fichiers())
            std::remove((Dossier + "/" + f).c_str());
        rmdir(Dossier.c_str());
    }
    std::vector<std::string> Fichiers() const
    {
        std::vector<std::string> v;
        if (DIR *d = opendir(Dossier.c_str())) {
            while (dirent *e = readdir(d))
                if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
                    v.push_back(e->d_name);
            closedir(d);
        }
        return v;
    }
    static std::string Contenu(const std::string &chemin)
    {
        std::ifstream f(chemin, std::ios::binary);
        std::ostringstream o;
        o << f.rdbuf();
        return o.str();
    }
    void AttendreEchec(const std::string &chemin)
    {
        std::string cle;
        EXPECT_FALSE(EnregistrerFichier(P, Liste, chemin, cle));
        EXPECT_EQ(cle, "MidiExp-EcritureFichierImpossibleEnregAb");
        EXPECT_EQ(P.Chemin, "/named/before.pl3");
        EXPECT_EQ(P.NomFichier, "before.pl3");
    }

    std::string Dossier;
    cPartition P;
    cListeAccordsImpression Liste;
};

TEST_F(Enregistrement, EmplacementsImpossibles)
{
    const std::string fichier = Dossier + "/plain";
    std::ofstream(fichier) << "x";
    // Root passes permission checks, so these fail for everyone: a missing folder, a "folder"
    // that is a file, a file system that takes no new files, a folder as the target.
    for (const std::string &chemin :
         {Dossier + "/missing/x.pl3", fichier + "/x.pl3", std::string("/proc/x.pl3"), Dossier,
          std::string("")}) {
        SCOPED_TRACE(chemin);
        AttendreEchec(chemin);
    }
    EXPECT_EQ(Contenu(fichier), "x");
    EXPECT_EQ(Fichiers().size(), 1u);
}

TEST_F(Enregistrement, DisquePleinGardeLAncienFichier)
{
    const std::string chemin = Dossier + "/score.pl3";
    const std::string ancien = "previous content, shorter than the score";
    std::ofstream(chemin, std::ios::binary) << ancien;

    // A file size limit makes the write fail part way, as a full disk does.
    rlimit avant{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &avant), 0);
    auto signalAvant = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limite = avant;
    limite.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    std::string cle;
    const bool ok = EnregistrerFichier(P, Liste, chemin, cle);
    setrlimit(RLIMIT_FSIZE, &avant);
    std::signal(SIGXFSZ, signalAvant);

    EXPECT_FALSE(ok);
    EXPECT_EQ(cle, "MidiExp-EcritureFichierImpossibleEnregAb");
    EXPECT_EQ(Contenu(chemin), ancien);
    EXPECT_EQ(Fichiers(), std::vector<std::string>{"score.pl3"}); // no temporary left
    EXPECT_EQ(P.Chemin, "/named/before.pl3");
}

TEST_F(Enregistrement, RemplacementGardeModeEtLien)
{
    const std::string chemin = Dossier + "/score.pl3";
    std::ofstream(chemin) << "old";
    ASSERT_EQ(chmod(chemin.c_str(), 0640), 0);
    const std::string lien = Dossier + "/link.pl3";
    ASSERT_EQ(symlink(chemin.c_str(), lien.c_str()), 0);

    std::string cle;
    ASSERT_TRUE(EnregistrerFichier(P, Liste, lien, cle)) << cle;
    EXPECT_EQ(Contenu(chemin), Ecrire(P, Liste));
    struct stat st {};
    ASSERT_EQ(lstat(lien.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(stat(chemin.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(Fichiers().size(), 2u);

    // A new file gets the usual permissions, not the temporary file's private ones.
    const std::string neuf = Dossier + "/new.pl3";
    ASSERT_TRUE(EnregistrerFichier(P, Liste, neuf, cle)) << cle;
    const mode_t masque = umask(0);
    umask(masque);
    ASSERT_EQ(stat(neuf.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0666u & ~masque);
}

} // namespace
