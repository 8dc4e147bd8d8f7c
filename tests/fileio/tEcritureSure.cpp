// Every writer of the program goes through the one safe writer: the same guarantees hold for
// score files, settings and MIDI exports alike (links and modes kept, nothing left on failure,
// the old file whole after a failed write).
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <algorithm>
#include <cctype>
#include <functional>
#include <sstream>

#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "chords/uListeAccordsImpression.h"
#include "config/uIni.h"
#include "fileio/uEcritureSure.h"
#include "fileio/uFichierPLT.h"
#include "midifile/uExportMIDI.h"
#include "model/uPartition.h"

namespace {

struct rEcrivain {
    const char *Nom;
    // Writes something of a few kilobytes to the path; returns success.
    std::function<bool(const std::string &)> Ecrire;
};

cPartition &Partition()
{
    static cPartition p;
    if (p.NbMesures == 0) {
        p.Nouveau();
        for (int k = 0; k < 40; ++k)
            p.InsererMesureApres(p.DerniereMesure());
        p.Informations->Titre = std::string(200, 't');
    }
    return p;
}

void PrintTo(const rEcrivain &e, std::ostream *o) { *o << e.Nom; }

std::vector<rEcrivain> Ecrivains()
{
    return {
        {"raw bytes", [](const std::string &c) { return EcrireFichierSur(c, std::string(5000, 'x')); }},
        {"score file",
         [](const std::string &c) {
             cListeAccordsImpression l;
             std::string cle;
             return EnregistrerFichier(Partition(), l, c, cle);
         }},
        {"settings",
         [](const std::string &c) {
             cFichierIni ini;
             for (int k = 0; k < 200; ++k)
                 ini.EcrireChaine("Section", "Key" + std::to_string(k), std::string(30, 'v'));
             return ini.Enregistrer(c);
         }},
        {"MIDI export",
         [](const std::string &c) {
             std::string cle;
             return EcrireFichierMIDI(Partition(), c, cle);
         }},
    };
}

class EcritureSure : public ::testing::TestWithParam<rEcrivain> {
protected:
    void SetUp() override
    {
        char modele[] = "/tmp/plec-safe-XXXXXX";
        ASSERT_NE(mkdtemp(modele), nullptr);
        Dossier = modele;
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
        std::sort(v.begin(), v.end());
        return v;
    }
    static std::string Contenu(const std::string &chemin)
    {
        std::ifstream f(chemin, std::ios::binary);
        std::ostringstream o;
        o << f.rdbuf();
        return o.str();
    }
    std::string Dossier;
};

TEST_P(EcritureSure, ALinkAndTheModeAreKept)
{
    const std::string cible = Dossier + "/real";
    std::ofstream(cible) << "old";
    ASSERT_EQ(chmod(cible.c_str(), 0640), 0);
    // A relative link, reached through a second link.
    ASSERT_EQ(symlink("real", (Dossier + "/link1").c_str()), 0);
    ASSERT_EQ(symlink((Dossier + "/link1").c_str(), (Dossier + "/link2").c_str()), 0);
    ASSERT_TRUE(GetParam().Ecrire(Dossier + "/link2"));
    struct stat st {};
    for (const char *l : {"/link1", "/link2"}) {
        ASSERT_EQ(lstat((Dossier + l).c_str(), &st), 0);
        EXPECT_TRUE(S_ISLNK(st.st_mode)) << l;
    }
    ASSERT_EQ(stat(cible.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_NE(Contenu(cible), "old");
    EXPECT_EQ(Fichiers(), (std::vector<std::string>{"link1", "link2", "real"}));
}

TEST_P(EcritureSure, AFailedWriteLeavesTheOldFileAndNoTemporary)
{
    const std::string chemin = Dossier + "/out";
    std::ofstream(chemin) << "previous";
    // A file size limit makes the write fail part way, as a full disk does.
    rlimit avant{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &avant), 0);
    auto signalAvant = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limite = avant;
    limite.rlim_cur = 50;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    const bool ok = GetParam().Ecrire(chemin);
    setrlimit(RLIMIT_FSIZE, &avant);
    std::signal(SIGXFSZ, signalAvant);
    EXPECT_FALSE(ok);
    EXPECT_EQ(Contenu(chemin), "previous");
    EXPECT_EQ(Fichiers(), std::vector<std::string>{"out"});
    // A place that cannot take the file at all.
    EXPECT_FALSE(GetParam().Ecrire(Dossier + "/missing/out"));
    EXPECT_FALSE(GetParam().Ecrire(Dossier));
    EXPECT_EQ(Fichiers(), std::vector<std::string>{"out"});
}

INSTANTIATE_TEST_SUITE_P(Tous, EcritureSure, ::testing::ValuesIn(Ecrivains()),
                         [](const auto &info) {
                             std::string n = info.param.Nom;
                             for (char &c : n)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return n;
                         });

TEST(EcritureSureFlux, AnAbandonedWriteChangesNothing)
{
    char modele[] = "/tmp/plec-safe-XXXXXX";
    ASSERT_NE(mkdtemp(modele), nullptr);
    const std::string chemin = std::string(modele) + "/f";
    ASSERT_TRUE(EcrireFichierSur(chemin, "first"));
    {
        cEcritureSure w(chemin);
        ASSERT_TRUE(w.Ouverte());
        ASSERT_TRUE(w.Ecrire(std::string(200000, 'z'))); // past the buffer: on disk already
    } // dropped without Valider
    std::ifstream f(chemin);
    std::string s;
    f >> s;
    EXPECT_EQ(s, "first");
    DIR *d = opendir(modele);
    int n = 0;
    while (dirent *e = readdir(d))
        n += e->d_name[0] != '.';
    closedir(d);
    EXPECT_EQ(n, 1);
    std::remove(chemin.c_str());
    rmdir(modele);
}

} // namespace
