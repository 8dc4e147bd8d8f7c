// The three shipped patches: every message and every window text the program reads is there,
// in the code page the patches are written in.
#include <gtest/gtest.h>

#include <fstream>

#include "app/uLigneCommande.h"
#include "config/uPatch.h"
#include "config/uTextesFenetres.h"

namespace {

struct rPatchLivre {
    const char *Fichier; // name on disk (UTF-8)
    const char *Erreur;  // "Dlg-Erreur" in that language, Windows-1252
};
const rPatchLivre Livres[] = {
    {"English.pll", "Error"},
    {"Fran\xC3\xA7" "ais.pll", "Erreur"},
    {"Deutsch.pll", "Fehler"},
};

cPatchLangue Charger(const char *nom)
{
    cPatchLangue p;
    EXPECT_TRUE(p.Charger(std::string(PLEC_DATA_DIR) + "/" + nom)) << nom;
    return p;
}

int Compter(const std::string &t, const std::string &motif)
{
    int n = 0;
    for (auto i = t.find(motif); i != std::string::npos; i = t.find(motif, i + 1))
        ++n;
    return n;
}

class PatchesLivres : public ::testing::TestWithParam<rPatchLivre> {};

TEST_P(PatchesLivres, EveryMessageKeyHasItsText)
{
    const cPatchLangue p = Charger(GetParam().Fichier);
    ASSERT_EQ(p.TableMessages.size(), PositionsMessages().size());
    for (const auto &m : PositionsMessages()) {
        const std::string t = p.Traduction(m.Cle);
        EXPECT_NE(t, TexteTraductionAbsente) << m.Cle;
        EXPECT_FALSE(t.empty()) << m.Cle;
        // Parameters have their markers once the table is built.
        if (m.NbParametres >= 1) {
            EXPECT_EQ(Compter(t, "#1"), 1) << m.Cle << ": " << t;
            EXPECT_EQ(Compter(t, "%s"), 0) << m.Cle << ": " << t;
        }
        if (m.NbParametres >= 2) {
            EXPECT_EQ(Compter(t, "#2"), 1) << m.Cle << ": " << t;
        }
    }
    EXPECT_EQ(p.Traduction("Dlg-Erreur"), GetParam().Erreur);
}

TEST_P(PatchesLivres, NamesItsAuthor)
{
    const cPatchLangue p = Charger(GetParam().Fichier);
    EXPECT_FALSE(p.Auteur.empty());
    EXPECT_FALSE(p.RaccourcisAutomatiques); // shipped captions carry their own accelerators
}

TEST_P(PatchesLivres, EveryWindowTextIsThere)
{
    const cPatchLangue p = Charger(GetParam().Fichier);
    for (const auto &c : TextesCommandes()) {
        ASSERT_TRUE(p.SectionExiste(c.Section)) << c.Section;
        EXPECT_FALSE(p.TexteEntreGuillemets(c.Section, c.LigneLegende).empty()) << c.Nom;
        if (c.LigneBulle > 0) {
            EXPECT_FALSE(p.TexteEntreGuillemets(c.Section, c.LigneBulle).empty()) << c.Nom;
        }
    }
    int sections = 0;
    for (const auto &m : PositionsMessages())
        for (const auto &x : PositionsSection(m.Section)) {
            ++sections;
            EXPECT_FALSE(p.TexteEntreGuillemets(x.Section, x.Ligne).empty())
                << x.Section << " " << x.Ligne << " " << x.Nom;
        }
    EXPECT_GT(sections, 0);
    const char *fenetres[] = {"MIXT300_000", "DLG_BROWSE_000", "DLG300_MARKERS_000",
                              "DLG300_IMPM_000", "DLG_INSTR_000", "DLG300_MIDISETUP_000",
                              "DLG_CUT_000", "DLG_COPY_000", "DLG_TIMES_000", "DLG_REPE_000",
                              "DLG300_TRACK_INFO_000", "DLG300_BEND_000", "DLG_GRACE_000",
                              "DLG300_GRACE_000", "DLG300_SCORE_INFO_000", "DLG_MIX_000",
                              "DLG_BRUSH_000", "DLG_STROKV_000", "DLG_TXT_000", "DLG_PRT_000",
                              "DLG_PRW_000", "DLG_PREF_000", "DLG300_PREF_000",
                              "DLG300_IMPA_000", "DLG_ASS_FG_000", "DLG_ASS_TR_000",
                              "DLG_ASS_ST_000", "DLG300_ASS_DY_000", "DLG_ASS_CR_000",
                              "DLG_ASS_LR_000", "DLG300_SOLFEGE_000"};
    for (const char *s : fenetres) {
        ASSERT_TRUE(p.SectionExiste(s)) << s;
        ASSERT_FALSE(PositionsSection(s).empty()) << s;
        for (const auto &x : PositionsSection(s))
            EXPECT_FALSE(p.TexteEntreGuillemets(s, x.Ligne).empty()) << s << " " << x.Ligne;
    }
    // The message box's buttons.
    for (int l = 1; l <= 4; ++l)
        EXPECT_FALSE(p.TexteEntreGuillemets("DLG_000", l).empty());
}

TEST_P(PatchesLivres, WrittenInTheWindowsCodePage)
{
    std::ifstream f(std::string(PLEC_DATA_DIR) + "/" + GetParam().Fichier, std::ios::binary);
    const std::string t((std::istreambuf_iterator<char>(f)), {});
    ASSERT_FALSE(t.empty());
    // Accents are single bytes: none of the UTF-8 forms of the letters these languages use.
    for (const char *utf8 : {"\xC3\xA0", "\xC3\xA2", "\xC3\xA4", "\xC3\xA7", "\xC3\xA8",
                             "\xC3\xA9", "\xC3\xAA", "\xC3\xAE", "\xC3\xB4", "\xC3\xB6",
                             "\xC3\xBB", "\xC3\xBC", "\xC3\x84", "\xC3\x96", "\xC3\x9C",
                             "\xC3\x9F"})
        EXPECT_EQ(t.find(utf8), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Config, PatchesLivres, ::testing::ValuesIn(Livres));

TEST(PatchesLivres, AccentsAsExpected)
{
    const cPatchLangue fr = Charger("Fran\xC3\xA7" "ais.pll");
    EXPECT_EQ(fr.Traduction("Repet-A"), "\xE0");
    EXPECT_EQ(fr.TexteEntreGuillemets("DLG_000", 7), "Fermer");
    const cPatchLangue de = Charger("Deutsch.pll");
    EXPECT_EQ(de.TexteEntreGuillemets("DLG_000", 7), "Schlie\xDF" "en");
    EXPECT_EQ(de.Traduction("Fichier-EnregistrerModif"), "\xC4nderungen an #1 speichern?");
}

TEST(PatchesLivres, CommandLineSpeaksEnglish)
{
    EXPECT_EQ(TexteAnglais("Fichier-Incorrect"),
              "This file is not a Plectorium score, or it is damaged.");
    EXPECT_EQ(TexteAnglais("Fichier-AccesImpossible"), "The file cannot be opened.");
    EXPECT_EQ(TexteAnglais("Not-A-Key"), "Not-A-Key");
}

TEST(PatchesLivres, CommandNamesAreUnique)
{
    const auto &t = TextesCommandes();
    for (std::size_t i = 0; i < t.size(); ++i)
        for (std::size_t j = i + 1; j < t.size(); ++j)
            EXPECT_STRNE(t[i].Nom, t[j].Nom);
    ASSERT_NE(TexteCommande("Fichier_Ouvrir"), nullptr);
    EXPECT_EQ(TexteCommande("Nope"), nullptr);
}

} // namespace
