// The command line's routes for text tablature and the older file version: each works, and
// each failure says why, exits with 2 and leaves no output file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/uLigneCommande.h"
#include "config/uEmplacements.h"
#include "fileio/uFichierPLT.h"
#include "model/uPartition.h"

namespace {

namespace fs = std::filesystem;

struct Conversion : ::testing::Test {
    fs::path dossier;
    std::ostringstream out, err;

    void SetUp() override
    {
        dossier = fs::path(testing::TempDir()) /
                  ("conv-" + std::string(testing::UnitTest::GetInstance()
                                             ->current_test_info()
                                             ->name()));
        fs::remove_all(dossier);
        fs::create_directories(dossier);
        // The English texts of the messages come from the source tree's patch.
        DefinirDossiersDonnees({PLEC_DATA_DIR});
    }
    void TearDown() override
    {
        fs::remove_all(dossier);
        DefinirDossiersDonnees({});
    }

    std::string Chemin(const char *nom) const { return (dossier / nom).string(); }
    void Ecrire(const char *nom, const std::string &contenu) const
    {
        std::ofstream(Chemin(nom), std::ios::binary) << contenu;
    }
    std::string Lire(const char *nom) const
    {
        std::ifstream f(Chemin(nom), std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(f)), {});
    }
    int Executer(std::vector<std::string> args)
    {
        out.str("");
        err.str("");
        return ExecuterLigneCommande(args, out, err);
    }
};

const char *const Basse = "G|--5--7--|--0--| x2\n"
                          "D|--------|-----|\n"
                          "A|--------|-----|\n"
                          "E|--------|-----|\n";

TEST_F(Conversion, TabToScoreTakesStringsAndTuningFromTheLabels)
{
    Ecrire("riff.tab", Basse);
    ASSERT_EQ(Executer({"--convert", Chemin("riff.tab"), Chemin("riff.pl3")}), 0) << err.str();
    EXPECT_NE(err.str().find("warning: Line 1, ignored: x2"), std::string::npos) << err.str();
    cPartition p;
    p.Nouveau();
    std::string cle;
    ASSERT_TRUE(LireFichierPL3(Chemin("riff.pl3"), p, cle));
    ASSERT_EQ(p.NbPistes, 1);
    EXPECT_EQ(p.PremierePiste->NbCordes, 4);
    EXPECT_EQ(p.PremierePiste->AccordageCorde(1), 43);
    EXPECT_EQ(p.NbMesures, 2);
    EXPECT_EQ(p.NbNotesJouees(), 3);
}

TEST_F(Conversion, ScoreToTabWithTrackAndWidth)
{
    Ecrire("riff.tab", Basse);
    ASSERT_EQ(Executer({"--convert", Chemin("riff.tab"), Chemin("riff.pl3")}), 0);
    ASSERT_EQ(Executer({"--convert", Chemin("riff.pl3"), Chemin("out.tab"), "--width", "40",
                        "--track", "1"}),
              0)
        << err.str();
    const std::string t = Lire("out.tab");
    // Three columns from beat to beat read as eighths, which export at three columns again.
    EXPECT_NE(t.find("G||--5--7--|--0--||\n"), std::string::npos) << t;
    // Past the last track, or a width out of range: said, exit 2, no file.
    for (const std::vector<std::string> &options :
         {std::vector<std::string>{"--track", "2"}, {"--width", "39"}, {"--width", "1000"},
          {"--track", "0"}}) {
        std::vector<std::string> args = {"--convert", Chemin("riff.pl3"), Chemin("bad.tab")};
        args.insert(args.end(), options.begin(), options.end());
        EXPECT_EQ(Executer(args), 2) << options[0] << " " << options[1];
        EXPECT_FALSE(err.str().empty());
        EXPECT_FALSE(fs::exists(Chemin("bad.tab")));
    }
    EXPECT_EQ(Executer({"--convert", Chemin("riff.pl3"), Chemin("bad.tab"), "--width", "wide"}),
              1)
        << "not a number: the usage";
}

TEST_F(Conversion, ScoreToOlderVersionAndBack)
{
    Ecrire("riff.tab", Basse);
    ASSERT_EQ(Executer({"--convert", Chemin("riff.tab"), Chemin("riff.pl3")}), 0);
    ASSERT_EQ(Executer({"--convert", Chemin("riff.pl3"), Chemin("riff.plt")}), 0) << err.str();
    EXPECT_EQ(Lire("riff.plt").substr(1, 24), "FICHIER PLECTORIUM v2.21");
    ASSERT_EQ(Executer({"--convert", Chemin("riff.plt"), Chemin("back.pl3")}), 0) << err.str();
    cPartition p;
    p.Nouveau();
    std::string cle;
    ASSERT_TRUE(LireFichierPL3(Chemin("back.pl3"), p, cle));
    EXPECT_EQ(p.NbNotesJouees(), 3);
    EXPECT_EQ(p.PremierePiste->NbCordes, 4);
}

TEST_F(Conversion, FailuresSayWhyAndLeaveNoFile)
{
    struct rCas {
        const char *Pourquoi;
        bool Existe;
        std::string Contenu;
        const char *Entree;
        const char *Sortie;
        const char *Cle;
    };
    const rCas cas[] = {
        {"no tablature", true, "Just some words\nand chords: Am C G\n", "words.tab", "w.pl3",
         "ASCIIImp-AucuneTablature"},
        {"blocks of three lines only", true, "e|--0--|\nB|--1--|\nG|--2--|\n", "three.tab",
         "t.pl3", "ASCIIImp-NbLignesIncorrect"},
        {"missing input", false, "", "missing.tab", "m.pl3",
         "ASCIIImp-AccesFicImpossibleImportationAb"},
        {"damaged old file", true,
         std::string("\x18" "FICHIER PLECTORIUM v2.21") + std::string(6, '\0') + "\x01",
         "old.plt", "o.pl3", "Fichier-Incorrect"},
    };
    for (const rCas &c : cas) {
        if (c.Existe)
            Ecrire(c.Entree, c.Contenu);
        EXPECT_EQ(Executer({"--convert", Chemin(c.Entree), Chemin(c.Sortie)}), 2) << c.Pourquoi;
        EXPECT_EQ(err.str().rfind(c.Cle, 0), 0u) << c.Pourquoi << ": " << err.str();
        EXPECT_FALSE(fs::exists(Chemin(c.Sortie))) << c.Pourquoi;
    }
    Ecrire("riff.tab", Basse);
    for (const char *sortie : {"no/dir/x.plt", "no/dir/x.tab"}) {
        EXPECT_EQ(Executer({"--convert", Chemin("riff.tab"), Chemin(sortie)}), 2) << sortie;
        EXPECT_FALSE(err.str().empty());
    }
}

} // namespace
