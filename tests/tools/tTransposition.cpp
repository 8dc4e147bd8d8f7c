// Transposition of a track, and of every fretted track from the command line.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <unistd.h>

#include "app/uLigneCommande.h"
#include "fileio/uFichierPLT.h"
#include "support/Invariants.h"
#include "support/Tablature.h"
#include "tools/uDoigte.h"
#include "tools/uTransposition.h"

namespace {

using tab::Construire;
using tab::LirePiste;

// The sounding pitches of every beat, sorted.
std::vector<std::vector<int>> Hauteurs(const cPiste &t)
{
    std::vector<std::vector<int>> v;
    for (const cMesurePiste *mp = t.PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste)
        for (const cAccord *a = mp->PremierAccord; a; a = a->Suivant) {
            std::vector<int> h;
            for (const cNote *n = a->PremiereNote; n; n = n->Suivante)
                if (n->Type == 1)
                    h.push_back(t.Percussions ? n->Case : HauteurCase(t, n->Corde, n->Case));
            std::sort(h.begin(), h.end());
            v.push_back(h);
        }
    return v;
}

TEST(Transposition, UpTwoKeepsEveryPitchAndEveryFretPlayable)
{
    cPartition p;
    // An open C chord, a riff on the low strings, a high lick at frets 17..19.
    Construire(p, {"w 2:1 3:0 4:2 5:3", "e 6:0, e 6:3, e 5:0, e 5:2, h 4:0",
                   "q 1:17, q 1:19, q 2:17 1:19, q r"});
    auto avant = Hauteurs(*p.PremierePiste);
    const rResultatDoigte r = TransposerPiste(*p.PremierePiste, 2);
    EXPECT_EQ(r.NotesPerdues, 0);
    auto apres = Hauteurs(*p.PremierePiste);
    ASSERT_EQ(apres.size(), avant.size());
    for (std::size_t i = 0; i < avant.size(); ++i) {
        for (int &h : avant[i])
            h += 2;
        EXPECT_EQ(apres[i], avant[i]) << "beat " << i + 1;
    }
    for (const cMesurePiste *mp = p.PremierePiste->PremiereMesurePiste; mp;
         mp = mp->SuivanteDansPiste)
        for (const cAccord *a = mp->PremierAccord; a; a = a->Suivant)
            for (const cNote *n = a->PremiereNote; n; n = n->Suivante)
                if (n->Type == 1) {
                    EXPECT_LE(n->Case, p.PremierePiste->NbFrets);
                }
    EXPECT_TRUE(ScoreCoherent(p));
}

TEST(Transposition, Cases)
{
    struct Cas {
        const char *nom;
        const char *avant;
        int demitons;
        const char *apres;
        int perdues;
    };
    const Cas cas[] = {
        // 0 still runs the fingering: E4 goes to the open string.
        {"zero refingers", "q 2:5", 0, "q 1:0", 0},
        // Fret 20 of string 3 (D#5) + 12: fret 32 there, fret 23 of string 1.
        {"octave up moves strings", "q 3:20", 12, "q 1:23", 0},
        // Fret 20 of string 1 (C6) + 12: above fret 30 everywhere; the beat becomes a rest.
        {"octave up off the neck", "q 1:20", 12, "q r", 1},
        // The open low E - 12 lies below every string; E4 - 12 is fret 2 of string 4.
        {"octave down below the neck", "q 6:0, q 1:0", -12, "q r, q 4:2", 1},
        // Tied notes follow their note; rests stay rests.
        {"tie and rest", "h 2:5, q 2:~, q r", -2, "h 2:3, q 2:~, q r", 0},
    };
    for (const Cas &c : cas) {
        cPartition p;
        Construire(p, {c.avant});
        const rResultatDoigte r = TransposerPiste(*p.PremierePiste, c.demitons);
        EXPECT_EQ(LirePiste(*p.PremierePiste), c.apres) << c.nom;
        EXPECT_EQ(r.NotesPerdues, c.perdues) << c.nom;
        EXPECT_TRUE(ScoreCoherent(p)) << c.nom;
    }
}

TEST(Transposition, DrumKeysShiftWithoutFingering)
{
    cPartition p;
    // Bass drum 36 and a key at 120: + 12 gives 48, and 132 leaves the MIDI keys.
    Construire(p, {"q 1:36 2:120, q 2:120"});
    p.PremierePiste->Percussions = true;
    const rResultatDoigte r = TransposerPiste(*p.PremierePiste, 12);
    EXPECT_EQ(LirePiste(*p.PremierePiste), "q 1:48, q r");
    EXPECT_EQ(r.NotesPerdues, 2);
}

class LigneCommande : public ::testing::Test {
protected:
    std::filesystem::path dossier;
    void SetUp() override
    {
        dossier = std::filesystem::temp_directory_path() /
                  ("plec_transpose_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dossier);
    }
    void TearDown() override { std::filesystem::remove_all(dossier); }
    std::string Chemin(const char *nom) const { return (dossier / nom).string(); }
};

TEST_F(LigneCommande, TransposesFrettedTracksOnly)
{
    cPartition p;
    Construire(p, {"q 2:5, q 6:3"});
    cPiste *batterie = p.InsererPisteApres(nullptr);
    batterie->Percussions = true;
    tab::Ecrire(*batterie->PremiereMesurePiste, "q 1:36");
    std::string cle;
    ASSERT_TRUE(EcrireFichierPL3(p, Chemin("in.pl3"), cle)) << cle;
    std::ostringstream out, err;
    EXPECT_EQ(ExecuterLigneCommande({"--convert", Chemin("in.pl3"), Chemin("out.pl3"),
                                     "--transpose", "2"},
                                    out, err),
              0)
        << err.str();
    cPartition q;
    q.Nouveau();
    ASSERT_TRUE(LireFichierPL3(Chemin("out.pl3"), q, cle)) << cle;
    EXPECT_EQ(Hauteurs(*q.PremierePiste), (std::vector<std::vector<int>>{{66}, {45}}));
    EXPECT_EQ(LirePiste(*q.PremierePiste->Suivante), "q 1:36") << "drums untouched";
}

TEST_F(LigneCommande, BadTranspositionLeavesNoFile)
{
    cPartition p;
    Construire(p, {"q 2:5"});
    std::string cle;
    ASSERT_TRUE(EcrireFichierPL3(p, Chemin("in.pl3"), cle));
    for (const char *n : {"13", "-13", "x", "", "2.5"}) {
        std::ostringstream out, err;
        EXPECT_NE(ExecuterLigneCommande(
                      {"--convert", Chemin("in.pl3"), Chemin("out.pl3"), "--transpose", n}, out,
                      err),
                  0)
            << n;
        EXPECT_FALSE(err.str().empty()) << n;
        EXPECT_FALSE(std::filesystem::exists(Chemin("out.pl3"))) << n;
    }
    std::ostringstream out, err;
    EXPECT_NE(ExecuterLigneCommande({"--convert", Chemin("in.pl3"), Chemin("out.pl3"),
                                     "--transpose"},
                                    out, err),
              0);
}

} // namespace
