// The settings file format: case, defaults on bad values, accented keys, atomic writes.
#include <gtest/gtest.h>

#include <filesystem>

#include "DossierTemp.h"
#include "config/uIni.h"

namespace {

TEST(Ini, SectionsAndKeysIgnoreCase)
{
    cFichierIni ini;
    ini.ChargerTexte("[ConFig]\r\nNbColASCII=120\r\n[PARAMECRAN]\nespLIGNES=12\n");
    EXPECT_EQ(ini.LireEntier("config", "NBCOLASCII", 80), 120);
    EXPECT_EQ(ini.LireEntier("ParamEcran", "EspLignes", 10), 12);
    EXPECT_TRUE(ini.SectionExiste("paramecran"));
    // Writing through another case updates the same entry instead of adding one.
    ini.EcrireEntier("CONFIG", "nbcolascii", 99);
    EXPECT_EQ(ini.Texte().find("nbcolascii"), std::string::npos);
    EXPECT_EQ(ini.LireEntier("Config", "NbColASCII", 0), 99);
}

TEST(Ini, IntegersThatDoNotParseGiveTheDefault)
{
    struct Cas {
        const char *valeur;
        int attendu;
    } cas[] = {
        {"42", 42},      {" 42 ", 42},  {"-7", -7},          {"+3", 3},
        {"", 5},         {"abc", 5},    {"12abc", 5},        {"4.5", 5},
        {"0x10", 5},     {"-", 5},      {"99999999999", 5},  {"2147483647", 2147483647},
        {"-2147483648", -2147483648LL},
    };
    for (const auto &c : cas) {
        cFichierIni ini;
        ini.ChargerTexte(std::string("[S]\nK=") + c.valeur + "\n");
        EXPECT_EQ(ini.LireEntier("S", "K", 5), c.attendu) << "value \"" << c.valeur << "\"";
    }
    cFichierIni vide;
    EXPECT_EQ(vide.LireEntier("S", "K", 5), 5);
}

TEST(Ini, BooleansAreIntegers)
{
    cFichierIni ini;
    ini.ChargerTexte("[S]\nA=1\nB=0\nC=2\nD=-1\nE=yes\n");
    EXPECT_TRUE(ini.LireBooleen("S", "A", false));
    EXPECT_FALSE(ini.LireBooleen("S", "B", true));
    EXPECT_TRUE(ini.LireBooleen("S", "C", false));
    EXPECT_TRUE(ini.LireBooleen("S", "D", false));
    EXPECT_TRUE(ini.LireBooleen("S", "E", true));   // not a number: default
    EXPECT_FALSE(ini.LireBooleen("S", "E", false));
    EXPECT_TRUE(ini.LireBooleen("S", "Absent", true));
    ini.EcrireBooleen("S", "A", false);
    ini.EcrireBooleen("S", "B", true);
    EXPECT_EQ(ini.LireChaine("S", "A"), "0");
    EXPECT_EQ(ini.LireChaine("S", "B"), "1");
}

TEST(Ini, StringsAreTheRestOfTheLine)
{
    cFichierIni ini;
    ini.ChargerTexte("[S]\nA=  two  blanks = kept\r\nB=\nC==x\n");
    EXPECT_EQ(ini.LireChaine("S", "A"), "  two  blanks = kept");
    EXPECT_EQ(ini.LireChaine("S", "B", "def"), ""); // present but empty
    EXPECT_EQ(ini.LireChaine("S", "C"), "=x");
    EXPECT_EQ(ini.LireChaine("S", "Absent", "def"), "def");
}

TEST(Ini, FirstOfDuplicateKeysWins)
{
    cFichierIni ini;
    ini.ChargerTexte("[S]\nK=1\nK=2\n[s]\nL=3\n");
    EXPECT_EQ(ini.LireEntier("S", "K", 0), 1);
    EXPECT_EQ(ini.LireEntier("S", "L", 0), 3); // a repeated section continues the first
}

TEST(Ini, Windows1252AccentedKeyRoundTrips)
{
    cDossierTemp d;
    cFichierIni ini;
    const std::string cle = "R\xE9pertoire";
    ini.EcrireChaine("Config", cle, "/home/Andr\xE9/Tabs");
    ASSERT_TRUE(ini.Enregistrer(d.Chemin + "a.ini"));
    // The bytes on disk are the code page's, one byte for é.
    EXPECT_NE(d.Lire("a.ini").find("R\xE9pertoire=/home/Andr\xE9/Tabs"), std::string::npos);

    cFichierIni relu;
    ASSERT_TRUE(relu.Charger(d.Chemin + "a.ini"));
    EXPECT_EQ(relu.LireChaine("Config", cle), "/home/Andr\xE9/Tabs");
    // Accented capitals fold as well: RÉPERTOIRE is the same key.
    EXPECT_EQ(relu.LireChaine("config", "R\xC9PERTOIRE"), "/home/Andr\xE9/Tabs");
}

TEST(Ini, FontGroupsUseFiveKeys)
{
    cFichierIni ini;
    const TMyFont f{"Small Fonts", 7, true, false, 255};
    ini.EcrirePolice("ParamEcran", "FontNum", f);
    EXPECT_EQ(ini.LireChaine("ParamEcran", "FontNum_Name"), "Small Fonts");
    EXPECT_EQ(ini.LireChaine("ParamEcran", "FontNum_Size"), "7");
    EXPECT_EQ(ini.LireChaine("ParamEcran", "FontNum_Bold"), "1");
    EXPECT_EQ(ini.LireChaine("ParamEcran", "FontNum_Italic"), "0");
    EXPECT_EQ(ini.LireChaine("ParamEcran", "FontNum_Col"), "255");
    EXPECT_EQ(ini.LirePolice("ParamEcran", "FontNum", TMyFont{}), f);

    // Each key falls back on its own default.
    cFichierIni partiel;
    partiel.ChargerTexte("[P]\nF_Size=abc\nF_Italic=1\n");
    const TMyFont d{"Arial", 9, true, false, 0};
    const TMyFont lu = partiel.LirePolice("P", "F", d);
    EXPECT_EQ(lu.Name, "Arial");
    EXPECT_EQ(lu.Size, 9);
    EXPECT_TRUE(lu.Bold);
    EXPECT_TRUE(lu.Italic);
}

TEST(Ini, LineBreaksInValuesCannotSplitTheFile)
{
    cFichierIni ini;
    ini.EcrireChaine("S", "Notice", "line one\r\n[Injected]\nK=1");
    cFichierIni relu;
    relu.ChargerTexte(ini.Texte());
    EXPECT_FALSE(relu.SectionExiste("Injected"));
    EXPECT_EQ(relu.LireChaine("S", "Notice"), "line one  [Injected] K=1");
}

TEST(Ini, ReadsWhatItWrites)
{
    cFichierIni ini;
    ini.EcrireEntier("General", "Version", 300);
    ini.EcrireChaine("Config", "PatcheLangue", "Fran\347ais");
    ini.EcrireBooleen("Config", "Metronome", true);
    cFichierIni relu;
    relu.ChargerTexte(ini.Texte());
    EXPECT_EQ(relu.Texte(), ini.Texte());
    EXPECT_EQ(relu.LireEntier("General", "Version", 0), 300);
}

TEST(Ini, BlankSectionNamesAndValuesWriteBackAsTheyWere)
{
    const struct {
        const char *Nom, *Texte, *Section, *Cle, *Valeur;
    } cas[] = {
        {"empty section name", "[]\r\nK=1\r\n", "", "K", "1"},
        {"blank section name", "[   ]\r\nK=2\r\n", "", "K", "2"},
        {"empty value", "[S]\r\nK=\r\n", "S", "K", ""},
        {"blank value", "[S]\r\nK=  \r\n", "S", "K", "  "},
    };
    for (const auto &c : cas) {
        cFichierIni ini;
        ini.ChargerTexte(c.Texte);
        EXPECT_EQ(ini.LireChaine(c.Section, c.Cle, "absent"), c.Valeur) << c.Nom;
        cFichierIni relu;
        relu.ChargerTexte(ini.Texte());
        EXPECT_EQ(relu.Texte(), ini.Texte()) << c.Nom;
        EXPECT_EQ(relu.LireChaine(c.Section, c.Cle, "absent"), c.Valeur) << c.Nom;
    }
}

TEST(Ini, CommentsAndJunkLinesAreIgnored)
{
    cFichierIni ini;
    ini.ChargerTexte("K=before any section\n; comment\n[S]\nno equals sign\n=novalue\n[broken\nK=1\n");
    EXPECT_FALSE(ini.CleExiste("S", ""));
    EXPECT_EQ(ini.LireEntier("S", "K", 0), 1);
}

TEST(Ini, WriteIsAtomic)
{
    namespace fs = std::filesystem;
    cDossierTemp d;
    const std::string cible = d.Ecrire("Plec300.ini", "[General]\r\nVersion=299\r\n");
    cFichierIni ini;
    ini.EcrireEntier("General", "Version", 300);
    ASSERT_TRUE(ini.Enregistrer(cible));
    EXPECT_EQ(d.Lire("Plec300.ini"), "[General]\r\nVersion=300\r\n");
    // No temporary file is left beside it.
    int n = 0;
    for (const auto &e : fs::directory_iterator(d.Chemin)) {
        (void)e;
        ++n;
    }
    EXPECT_EQ(n, 1);

    // A target that cannot be replaced (here a directory) fails, leaves it, and leaves no
    // temporary file.
    fs::create_directory(d.Chemin + "dossier.ini");
    EXPECT_FALSE(ini.Enregistrer(d.Chemin + "dossier.ini"));
    EXPECT_TRUE(fs::is_directory(d.Chemin + "dossier.ini"));
    n = 0;
    for (const auto &e : fs::directory_iterator(d.Chemin)) {
        (void)e;
        ++n;
    }
    EXPECT_EQ(n, 2);
    // A folder that does not exist: nothing written.
    EXPECT_FALSE(ini.Enregistrer(d.Chemin + "absent/Plec300.ini"));
}

TEST(Ini, MissingFileGivesDefaults)
{
    cFichierIni ini;
    EXPECT_FALSE(ini.Charger("/nonexistent/dir/Plec300.ini"));
    EXPECT_EQ(ini.LireEntier("Config", "NbColASCII", 80), 80);
}

} // namespace
