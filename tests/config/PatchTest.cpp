// Language patches: line texts, the message table and its chain, lookups, parameters,
// automatic accelerators and window texts by position.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "DossierTemp.h"
#include "config/uPatch.h"
#include "config/uTextesFenetres.h"

namespace {

std::string Fichier(const std::string &nom)
{
    std::ifstream f(std::string(PLEC_DATA_DIR) + "/" + nom, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// A patch whose sections hold only their numbered lines: line n of section S reads "S.n".
std::string PatchSynthetique(const std::vector<std::pair<std::string, int>> &sections)
{
    std::string t;
    for (const auto &[s, n] : sections) {
        t += s + "\r\n";
        for (int i = 1; i <= n; ++i)
            t += std::to_string(i) + " \"" + s + "." + std::to_string(i) + "\"\r\n";
    }
    return t;
}

TEST(Patch, TextOfALineIsBetweenTheFirstTwoQuotes)
{
    struct Cas {
        const char *ligne, *texte;
    } cas[] = {
        {"12 \"Error\" caption of errors", "Error"},
        {"\"a\" \"b\"", "a"},
        {"no quotes", ""},
        {"one \" quote", ""},
        {"\"\"", ""},
        {"7 \"Don't stop\"", "Don't stop"},
    };
    for (const auto &c : cas)
        EXPECT_EQ(TexteDeLigne(c.ligne), c.texte) << c.ligne;
}

TEST(Patch, LinesAreCountedFromTheirSectionHeader)
{
    cPatchLangue p;
    p.ChargerTexte("intro \"x\"\nDLG_000\n1 \"OK\"\n2 \"Cancel\"\nother_000\n1 \"first\"\n");
    EXPECT_EQ(p.TexteEntreGuillemets("DLG_000", 1), "OK");
    EXPECT_EQ(p.TexteEntreGuillemets("dlg_000", 2), "Cancel"); // header without regard to case
    EXPECT_EQ(p.TexteEntreGuillemets("DLG_000", 3), "");         // the next header, no quotes
    EXPECT_EQ(p.TexteEntreGuillemets("OTHER_000", 1), "first");
    EXPECT_EQ(p.TexteEntreGuillemets("OTHER_000", 2), "");       // beyond the end of the file
    EXPECT_EQ(p.TexteEntreGuillemets("OTHER_000", 1000000), "");
    EXPECT_EQ(p.TexteEntreGuillemets("MISSING", 1), "");
    // A header must stand alone on its line.
    p.ChargerTexte(" DLG_000\n1 \"OK\"\n");
    EXPECT_FALSE(p.SectionExiste("DLG_000"));
}

TEST(Patch, ErrorCaptionFromANumberedCommentedLine)
{
    std::string t = PatchSynthetique({{"DLG_000", 11}});
    t += "12 \"Error\" // caption of errors\r\n";
    cPatchLangue p;
    p.ChargerTexte(t);
    EXPECT_EQ(p.Traduction("Dlg-Erreur"), "Error");
    EXPECT_EQ(p.Traduction("Dlg-Information"), "DLG_000.8");
    EXPECT_EQ(p.Traduction("Dlg-SaisieIncorrecte"), ""); // line beyond the end: empty text
}

TEST(Patch, PercentSBecomesNumberedMarkers)
{
    struct Cas {
        const char *texte;
        int n;
        const char *attendu;
    } cas[] = {
        {"File %s not found", 1, "File #1 not found"},
        {"%s and %s", 1, "#1 and %s"},
        {"Bar %s of track %s", 2, "Bar #1 of track #2"},
        {"no marker", 2, "no marker"},
        {"%s", 0, "%s"},
        {"100%s%s", 2, "100#1#2"},
    };
    for (const auto &c : cas)
        EXPECT_EQ(RemplacerPourcentS(c.texte, c.n), c.attendu) << c.texte;
}

TEST(Patch, MessagesWithParametersAreRewrittenWhenTheTableIsBuilt)
{
    std::string t = Fichier("English.pll");
    const std::string avant = "\"The file %s cannot be found.\"";
    ASSERT_NE(t.find(avant), std::string::npos);
    cPatchLangue p;
    p.ChargerTexte(t);
    EXPECT_EQ(p.Traduction("Fichier-Introuvable"), "The file #1 cannot be found.");
    EXPECT_EQ(RemplacerParam(p.Traduction("Fichier-Introuvable"), "/tmp/a.pl3"),
              "The file /tmp/a.pl3 cannot be found.");
    EXPECT_EQ(RemplacerParam(p.Traduction("AssCD-DureeInvalide"), "12", "3"),
              "Bar 12 of track 3 does not have the duration of its time signature.");
    // Messages without parameters keep "%s" for the code that fills them itself.
    EXPECT_EQ(p.Traduction("Gene-ConfSupPiste"), "Do you really want to delete track %s?");
}

TEST(Patch, TraductionOfAMissingKey)
{
    cPatchLangue p;
    p.ChargerTexte(Fichier("English.pll"));
    EXPECT_EQ(p.Traduction("No-Such-Key"), "[Internal error : Translation not found]");
    EXPECT_EQ(p.Traduction(""), "[Internal error : Translation not found]");
    EXPECT_EQ(p.Traduction("fichier-sansnom"), "Untitled"); // keys without regard to case
    // A key with accents finds its entry whether written in the code page or in UTF-8.
    EXPECT_EQ(p.Traduction("Gene-R\xE9serv\xE9Par"), "Reserved by %s");
    EXPECT_EQ(p.Traduction("Gene-R\xC3\xA9serv\xC3\xA9Par"), "Reserved by %s");
    cPatchLangue vide;
    EXPECT_EQ(vide.Traduction("Dlg-Erreur"), "[Internal error : Translation not found]");
}

TEST(Patch, TextsAreCutTo500Characters)
{
    std::string t = PatchSynthetique({{"DLG_000", 11}});
    t += "12 \"" + std::string(800, 'e') + "\"\r\n";
    cPatchLangue p;
    p.ChargerTexte(t);
    EXPECT_EQ(p.Traduction("Dlg-Erreur").size(), 500u);
}

TEST(Patch, AMissingSectionEndsTheChain)
{
    std::string t = Fichier("English.pll");
    const auto i = t.find("\r\nDLG_PASTE_000\r\n");
    ASSERT_NE(i, std::string::npos);
    t.replace(i, 17, "\r\nDLG_PASTE_OFF\r\n");
    cPatchLangue p;
    p.ChargerTexte(t);
    const std::string erreur = TexteTraductionAbsente;
    EXPECT_EQ(p.Traduction("Accord-Perso"), erreur);
    EXPECT_EQ(p.Traduction("Paste-CollageImpNbCordesDiff"), erreur);
    EXPECT_EQ(p.Traduction("PLOnline"), erreur);
    for (const auto &m : PositionsMessages()) {
        const std::string cle = m.Cle;
        if (cle.rfind("Fichier-", 0) == 0 && cle != "Fichier-Plectorium220") {
            EXPECT_EQ(p.Traduction(cle), erreur) << cle;
        }
    }
    // Sections before the gap are whole.
    EXPECT_EQ(p.Traduction("AssCD-VerificationTerminee"),
              "The check is finished: every bar has the right duration.");
    EXPECT_EQ(p.Traduction("Fichier-Plectorium220"), "Plectorium 2.2 scores");
}

TEST(Patch, RemplacerParam)
{
    struct Cas {
        const char *texte, *p1, *p2, *attendu;
    } cas[] = {
        {"Open #1 now", "a", nullptr, "Open a now"},
        {"#1 then #2", "x", "y", "x then y"},
        {"#2 before #1", "x", "y", "y before x"},
        {"#1 #1", "x", nullptr, "x #1"},        // only the first marker
        {"no marker", "x", nullptr, "xno marker"}, // the parameter goes in front
        {"only #1", "x", "y", "yonly x"},
        {"", "x", "y", "yx"},
        {"no marker", "x", "y", "yxno marker"},
        {"#2 only", "x", "y", "xy only"},
        {"File #1 at #2", "Take #2.pl3", "3", "File Take #2.pl3 at 3"}, // markers of the text only
        {"#1#2", "a", "b", "ab"},
    };
    for (const auto &c : cas) {
        const std::string r =
            c.p2 ? RemplacerParam(c.texte, c.p1, c.p2) : RemplacerParam(c.texte, c.p1);
        EXPECT_EQ(r, c.attendu) << c.texte;
    }
}

TEST(Patch, AuthorAndAutomaticShortcuts)
{
    cPatchLangue p;
    p.ChargerTexte("x\n### PATCH CONFIGURATION ###\n\"Ana Lima\"\nAUTOMATIC SHORTCUTS\n");
    EXPECT_EQ(p.Auteur, "Ana Lima");
    EXPECT_TRUE(p.RaccourcisAutomatiques);
    p.ChargerTexte("### PATCH CONFIGURATION ###\nJ. Smith, 2026\n");
    EXPECT_EQ(p.Auteur, "J. Smith, 2026");
    EXPECT_FALSE(p.RaccourcisAutomatiques);
    p.ChargerTexte("### PATCH CONFIGURATION ###");
    EXPECT_EQ(p.Auteur, "");
}

TEST(Patch, RaccourcisAutoPicksTheFirstFreeLetter)
{
    cPatchLangue p;
    p.ChargerTexte("AUTOMATIC SHORTCUTS\n");
    std::string lettres;
    EXPECT_EQ(p.RaccourcisAuto("OK", lettres), "&OK");
    EXPECT_EQ(p.RaccourcisAuto("Open", lettres), "O&pen");
    EXPECT_EQ(p.RaccourcisAuto("1 bar", lettres), "1 &bar");
    EXPECT_EQ(lettres, "OPB");
    EXPECT_EQ(p.RaccourcisAuto("pob", lettres), "pob"); // nothing free
    EXPECT_EQ(p.RaccourcisAuto("\xE9t\xE9", lettres), "\xE9&t\xE9"); // é is skipped
    EXPECT_EQ(p.RaccourcisAuto("(12) [x], 'y'", lettres), "(12) [&x], 'y'");
    EXPECT_EQ(p.RaccourcisAuto("Sa&ve", lettres), "Sa&ve"); // the translator's own choice
    cPatchLangue sans;
    std::string l2;
    EXPECT_EQ(sans.RaccourcisAuto("OK", l2), "OK");
    EXPECT_EQ(l2, "");
}

TEST(Patch, DialogTextsNeedTheSharedSectionAndFollowTheirChain)
{
    const std::vector<rPositionTexte> positions = {
        {"DLG_000", 1, "OK", eGenreTexte::Legende},
        {"DLG_000", 2, "Cancel", eGenreTexte::Legende},
        {"DLG_IMPA_000", 1, "Caption", eGenreTexte::Element},
        {"DLG300_IMPA_000", 1, "LB_NbTirets", eGenreTexte::Legende},
    };
    std::vector<std::string> vus;
    const auto noter = [&vus](const rPositionTexte &p, const std::string &t) {
        vus.push_back(std::string(p.Nom) + "=" + t);
    };
    cPatchLangue p;
    p.ChargerTexte(PatchSynthetique({{"DLG_IMPA_000", 2}, {"DLG300_IMPA_000", 1}}));
    EXPECT_EQ(AppliquerTextes(p, positions, true, noter), 0); // no "DLG_000": built-in captions
    EXPECT_TRUE(vus.empty());

    p.ChargerTexte(PatchSynthetique({{"DLG_000", 13}, {"DLG300_IMPA_000", 1}}));
    EXPECT_EQ(AppliquerTextes(p, positions, true, noter), 2); // the second needs the first
    EXPECT_EQ(vus, (std::vector<std::string>{"OK=DLG_000.1", "Cancel=DLG_000.2"}));

    vus.clear();
    EXPECT_EQ(AppliquerTextes(p, positions, false, noter), 3); // a main window: each alone
    EXPECT_EQ(vus.back(), "LB_NbTirets=DLG300_IMPA_000.1");

    vus.clear();
    p.ChargerTexte("AUTOMATIC SHORTCUTS\n" +
                   PatchSynthetique({{"DLG_000", 13}, {"DLG_IMPA_000", 2}, {"DLG300_IMPA_000", 1}}));
    EXPECT_EQ(AppliquerTextes(p, positions, true, noter), 4);
    // Captions get accelerators in order; the window caption (an element) does not.
    EXPECT_EQ(vus, (std::vector<std::string>{"OK=&DLG_000.1", "Cancel=D&LG_000.2",
                                             "Caption=DLG_IMPA_000.1",
                                             "LB_NbTirets=DL&G300_IMPA_000.1"}));
}

TEST(Patch, ChargerPatchFailureKeepsThePreviousPatch)
{
    cInstallationTemp inst;
    inst.Installer("Deutsch.pll");
    ASSERT_TRUE(ChargerPatch("Deutsch"));
    EXPECT_EQ(Traduction("Dlg-Oui"), TexteTraductionAbsente);
    EXPECT_EQ(Traduction("Dlg-Erreur"), "Fehler");
    EXPECT_EQ(AuteurPatch(), "Das Plectorium-Team");
    EXPECT_FALSE(ChargerPatch("English"));
    EXPECT_EQ(Traduction("Dlg-Erreur"), "Fehler");
}

} // namespace
