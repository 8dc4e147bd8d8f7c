// The chord dictionary on the command line: names of a fingering, fingerings of a name, the
// settings they follow, and the exit codes of bad arguments.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/uLigneCommande.h"
#include "config/uConfig.h"
#include "config/uEmplacements.h"

namespace {

namespace fs = std::filesystem;

struct LigneCommandeAccords : ::testing::Test {
    fs::path ini;
    cConfig *ConfigAvant = nullptr;
    std::ostringstream out, err;

    void SetUp() override
    {
        ini = fs::path(testing::TempDir()) / "accords-cli.ini";
        fs::remove(ini);
        DefinirCheminConfiguration(ini.string());
        // A headless verb runs without the loaded settings.
        ConfigAvant = Config;
        Config = nullptr;
    }
    void TearDown() override
    {
        Config = ConfigAvant;
        DefinirCheminConfiguration({});
        fs::remove(ini);
    }
    void Reglages(bool toujoursBasse, int niveau) const
    {
        std::ofstream(ini) << "[Config]\nAlwaysAddBass=" << (toujoursBasse ? 1 : 0)
                           << "\nDiagSimpleMoyenTout=" << niveau << "\n";
    }
    int Executer(std::vector<std::string> args)
    {
        out.str("");
        err.str("");
        return ExecuterLigneCommande(args, out, err);
    }
    std::vector<std::string> Lignes() const
    {
        std::vector<std::string> v;
        std::istringstream in(out.str());
        for (std::string l; std::getline(in, l);)
            v.push_back(l);
        return v;
    }
};

TEST_F(LigneCommandeAccords, NomsDansLOrdre)
{
    for (const char *forme : {"x32010", "x,3,2,0,1,0", "X32010"}) {
        ASSERT_EQ(Executer({"--chord-names", forme}), 0) << forme;
        EXPECT_EQ(Lignes(), (std::vector<std::string>{"C", "Em/5+", "Gsus4add13 (no5)"}))
            << forme;
        EXPECT_EQ(err.str(), "");
    }
    // A barre chord high on the neck needs the comma form.
    ASSERT_EQ(Executer({"--chord-names", "8,10,10,9,8,8"}), 0);
    ASSERT_FALSE(Lignes().empty());
    EXPECT_EQ(Lignes().front(), "C");
    // Nothing played: no name, still a success.
    ASSERT_EQ(Executer({"--chord-names", "xxxxxx"}), 0);
    EXPECT_EQ(out.str(), "");
}

TEST_F(LigneCommandeAccords, NomsSuiventAlwaysAddBass)
{
    // E G C: C over its third.
    Reglages(true, 1);
    ASSERT_EQ(Executer({"--chord-names", "0,3,2,0,1,0"}), 0);
    ASSERT_FALSE(Lignes().empty());
    EXPECT_EQ(Lignes().front(), "C/E");
    Reglages(false, 1);
    ASSERT_EQ(Executer({"--chord-names", "0,3,2,0,1,0"}), 0);
    EXPECT_EQ(Lignes().front(), "C");
}

TEST_F(LigneCommandeAccords, FrettesMalFormees)
{
    for (const char *faux : {"x3201", "x320a0", "x,3,2,0,1", "x,3,2,0,1,99", "", "x;3;2;0;1;0"}) {
        EXPECT_EQ(Executer({"--chord-names", faux}), 2) << faux;
        EXPECT_NE(err.str().find("cannot read the frets"), std::string::npos) << faux;
        EXPECT_EQ(out.str(), "");
    }
}

TEST_F(LigneCommandeAccords, DoigtesParNiveau)
{
    ASSERT_EQ(Executer({"--chord-fingerings", "E", "--level", "simple"}), 0);
    const std::vector<std::string> simple = Lignes();
    ASSERT_FALSE(simple.empty());
    EXPECT_EQ(simple.front(), "0,2,2,1,0,0");
    ASSERT_EQ(Executer({"--chord-fingerings", "E", "--level", "all"}), 0);
    const std::vector<std::string> tout = Lignes();
    ASSERT_FALSE(tout.empty());
    EXPECT_EQ(tout.front(), "0,2,x,1,5,4");
    EXPECT_GT(tout.size(), simple.size());
    ASSERT_EQ(Executer({"--chord-fingerings", "E", "--level", "medium"}), 0);
    EXPECT_GE(Lignes().size(), simple.size());
    EXPECT_LE(Lignes().size(), tout.size());
    // Without --level, the settings' level.
    Reglages(false, 2);
    ASSERT_EQ(Executer({"--chord-fingerings", "E"}), 0);
    EXPECT_EQ(Lignes(), tout);
    Reglages(false, 0);
    ASSERT_EQ(Executer({"--chord-fingerings", "E"}), 0);
    EXPECT_EQ(Lignes(), simple);
}

TEST_F(LigneCommandeAccords, DoigtesDesNomsComposes)
{
    ASSERT_EQ(Executer({"--chord-fingerings", "C/E", "--level", "simple"}), 0);
    EXPECT_EQ(Lignes().front(), "0,3,2,0,1,0");
    ASSERT_EQ(Executer({"--chord-fingerings", "Dm", "--level", "simple"}), 0);
    EXPECT_EQ(Lignes().front(), "x,x,0,2,3,1");
    // Seven tones: nothing to list, but the name was understood.
    ASSERT_EQ(Executer({"--chord-fingerings", "C13"}), 0);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "");
}

TEST_F(LigneCommandeAccords, NomInconnuEtUsage)
{
    for (const char *faux : {"H7", "Cmaj7", "C/X", "c"}) {
        EXPECT_EQ(Executer({"--chord-fingerings", faux}), 2) << faux;
        EXPECT_NE(err.str().find("unknown chord name"), std::string::npos) << faux;
        EXPECT_EQ(out.str(), "");
    }
    EXPECT_EQ(Executer({"--chord-fingerings", "C", "--level", "hard"}), 1);
    EXPECT_EQ(Executer({"--chord-fingerings", "C", "--niveau", "all"}), 1);
    EXPECT_EQ(Executer({"--chord-fingerings"}), 1);
    EXPECT_EQ(Executer({"--chord-names"}), 1);
    EXPECT_NE(err.str().find("--chord-names FRETS"), std::string::npos);
}

} // namespace
