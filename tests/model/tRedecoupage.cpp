// Completing measures with rests and re-splitting a track into its measures.
#include <gtest/gtest.h>

#include "model/uRedecoupage.h"
#include "support/Invariants.h"
#include "support/Tablature.h"

namespace {

using tab::Construire;
using tab::Lire;
using tab::LirePiste;

struct CasCompletion {
    const char *nom;
    int num, den;
    const char *avant;
    const char *apres;
};

class Completion : public ::testing::TestWithParam<CasCompletion> {};

TEST_P(Completion, OneMeasure)
{
    const CasCompletion &c = GetParam();
    cPartition p;
    Construire(p, {c.avant}, c.num, c.den);
    cMesurePiste &mp = *p.PremierePiste->PremiereMesurePiste;
    ASSERT_TRUE(CompleterMesure(mp));
    EXPECT_EQ(Lire(mp), c.apres) << c.nom;
    EXPECT_TRUE(ScoreCoherent(p));
}

INSTANTIATE_TEST_SUITE_P(
    Redecoupage, Completion,
    ::testing::Values(
        // The largest rests first: 1920 - 480 = 960 + 480.
        CasCompletion{"quarter in 4/4", 4, 4, "q 1:0", "q 1:0, h r, q r"},
        // The placeholder goes; 6/4 = 2880 = whole + half.
        CasCompletion{"placeholder in 6/4", 6, 4, "", "w r, h r"},
        // Trailing rests are removed before the gap is measured.
        CasCompletion{"quarter and two rests", 4, 4, "q 1:0, q r, q r", "q 1:0, h r, q r"},
        // A rest in the middle stays; only the trailing ones go.
        CasCompletion{"rest inside", 4, 4, "q 1:0, q r, q 1:2, e r", "q 1:0, q r, q 1:2, q r"},
        // A full measure ending on a placeholder only loses the placeholder.
        CasCompletion{"full with placeholder", 3, 4, "h 1:0, q 1:1, q _", "h 1:0, q 1:1"},
        // Overfull stays overfull: nothing to fill, nothing trailing to remove.
        CasCompletion{"overfull", 4, 4, "w 1:0, h 1:0", "w 1:0, h 1:0"},
        // 60 - 20 = 40: one sixty-fourth rest, and the last 10 ticks stay unfilled.
        CasCompletion{"gap under a 64th", 1, 32, "x3 1:0", "x3 1:0, x r"},
        // A complete measure ending on a rest is left alone.
        CasCompletion{"complete", 4, 4, "h 1:0, h r", "h 1:0, h r"}));

TEST(Completion, RefusedWhenTheRestsWouldPassTheBeatLimit)
{
    cPartition p;
    Construire(p, {""}, 32, 1);
    cMesurePiste &mp = *p.PremierePiste->PremiereMesurePiste;
    std::string t = "x 1:0";
    for (int k = 1; k < 127; ++k)
        t += ", x 1:0";
    tab::Ecrire(mp, t);
    const std::string avant = Lire(mp);
    EXPECT_FALSE(CompleterMesure(mp)); // 127 beats + 30 whole rests
    EXPECT_EQ(Lire(mp), avant);
}

TEST(Completion, TrackIsCheckedBeforeAnyMeasureChanges)
{
    cPartition p;
    Construire(p, {"q 1:0", ""}, 4, 4);
    cMesurePiste &deux = *p.PremierePiste->PremiereMesurePiste->SuivanteDansPiste;
    p.PremiereMesure->Suivante->ChangerSignature(32, 1);
    std::string t = "x 1:0";
    for (int k = 1; k < 127; ++k)
        t += ", x 1:0";
    tab::Ecrire(deux, t);
    std::string cle;
    EXPECT_FALSE(CompleterMesures(*p.PremierePiste, 1, 2, cle));
    EXPECT_EQ(cle, CleTropDeTemps);
    EXPECT_EQ(Lire(*p.PremierePiste->PremiereMesurePiste), "q 1:0") << "measure 1 untouched";

    Construire(p, {"q 1:0", "h 2:2, q r", "w 3:3"});
    EXPECT_TRUE(CompleterMesures(*p.PremierePiste, 1, 3, cle));
    EXPECT_EQ(LirePiste(*p.PremierePiste), "q 1:0, h r, q r | h 2:2, h r | w 3:3");
    EXPECT_TRUE(ScoreCoherent(p));
}

struct CasDuree {
    const char *nom;
    double ticks;
    int triolet;
    bool exacte;   // DureeExacte finds it
    bool auPlus;   // DureeAuPlus finds something
    int code;      // of what is found (exact first)
    bool pointe;
    int trioletTrouve;
};

TEST(Redecoupage, DurationsThatFit)
{
    const CasDuree cas[] = {
        {"plain quarter", 480, 1, true, true, 0, false, 1},
        // 480 is a plain quarter before it is a dotted quarter triplet.
        {"quarter in a triplet beat", 480, 3, true, true, 0, false, 1},
        {"eighth triplet", 160, 1, true, true, 1, false, 3},
        {"quarter quintuplet kept", 384, 5, true, true, 0, false, 5},
        {"32nd triplet", 40, 1, true, true, 3, false, 3},
        {"dotted whole", 2880, 1, true, true, -2, true, 1},
        // 1000 is no value: the longest that fits is a half.
        {"1000 ticks", 1000, 1, false, true, -1, false, 1},
        {"600 ticks", 600, 1, false, true, 0, false, 1},
        // Shorter than a sixty-fourth triplet: nothing fits.
        {"10 ticks", 10, 1, false, false, 0, false, 1},
    };
    for (const CasDuree &c : cas) {
        rDuree d;
        EXPECT_EQ(DureeExacte(c.ticks, c.triolet, d), c.exacte) << c.nom;
        if (!c.exacte) {
            EXPECT_EQ(DureeAuPlus(c.ticks, c.triolet, d), c.auPlus) << c.nom;
        }
        if (c.exacte || c.auPlus) {
            EXPECT_EQ(d.Code, c.code) << c.nom;
            EXPECT_EQ(d.Pointe, c.pointe) << c.nom;
            EXPECT_EQ(d.Triolet, c.trioletTrouve) << c.nom;
            EXPECT_LE(Arrondi(d.Ticks), Arrondi(c.ticks)) << c.nom << ": never longer";
        }
    }
}

struct CasRedecoupage {
    const char *nom;
    std::vector<std::string> mesures; // in 4/4
    std::vector<std::pair<int, int>> signatures; // new signature of measures 1, 2, ...
    const char *apres;
};

class Redecoupe : public ::testing::TestWithParam<CasRedecoupage> {};

TEST_P(Redecoupe, Track)
{
    const CasRedecoupage &c = GetParam();
    cPartition p;
    Construire(p, c.mesures);
    cMesure *m = p.PremiereMesure;
    for (const auto &[num, den] : c.signatures) {
        m->ChangerSignature(num, den);
        m = m->Suivante;
    }
    std::string cle;
    ASSERT_TRUE(Redecouper(p, *p.PremierePiste, cle)) << cle;
    EXPECT_EQ(LirePiste(*p.PremierePiste), c.apres) << c.nom;
    EXPECT_TRUE(ScoreCoherent(p));
    // A tied continuation carries the rest of its note: every note ends up with its beat's
    // duration, so nothing sounds across the bar line but through the tie.
    for (cMesurePiste *mp = p.PremierePiste->PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste)
        for (cAccord *a = mp->PremierAccord; a; a = a->Suivant)
            for (cNote *n = a->PremiereNote; n; n = n->Suivante)
                if (n->Type != 0 && !n->DureePropre) {
                    EXPECT_EQ(n->DureeTicks, a->Duree) << c.nom;
                }
}

INSTANTIATE_TEST_SUITE_P(
    Redecoupage, Redecoupe,
    ::testing::Values(
        // Measure 1 becomes 3/4: the half on beat 3 is cut into a quarter tied to a quarter, and
        // everything after moves on by a quarter; the whole note of measure 2 is cut the same
        // way into a new measure 3, whose end is completed with rests.
        CasRedecoupage{"4/4 to 3/4",
                       {"q 1:1, q 1:2, h 1:3", "w 1:5"},
                       {{3, 4}},
                       "q 1:1, q 1:2, q 1:3 | q 1:~, h. 1:5 | q 1:~, h r, q r"},
        // A whole note in 2/4: a half and a tied half.
        CasRedecoupage{"whole in 2/4", {"w 1:0 2:1"}, {{2, 4}}, "h 1:0 2:1 | h 1:~ 2:~"},
        // Triplets that fit keep their tuplet, so the passage stays complete.
        CasRedecoupage{"triplets kept",
                       {"q 1:0, e3 1:1, e3 1:2, e3 1:3, h 1:4"},
                       {{2, 4}},
                       "q 1:0, e3 1:1, e3 1:2, e3 1:3 | h 1:4"},
        // A triplet quarter cut in two halves of 160 ticks: two tied triplet eighths.
        CasRedecoupage{"triplet cut at the bar line",
                       {"h. 1:0, q3 1:1, q3 1:2, q3 1:3"},
                       {},
                       "h. 1:0, q3 1:1, e3 1:2 | e3 1:~, q3 1:3, h r, q r"},
        // Empty measures in the middle are skipped by the gathering; the empty end of the
        // track is completed with rests.
        CasRedecoupage{"empty measures",
                       {"h 1:0, h 1:1", "", "w 2:2", ""},
                       {},
                       "h 1:0, h 1:1 | w 2:2 | w r | w r"},
        // 7/16 leaves 840 ticks for the dotted half: no single value, so a dotted quarter and a
        // sixteenth; the note goes on tied through that sixteenth and over the bar line, where
        // the 600-tick overflow is again a quarter and a sixteenth.
        CasRedecoupage{"cut piece that is no single value",
                       {"h. 1:0, h 1:7", ""},
                       {{7, 16}, {4, 4}},
                       "q. 1:0, s 1:~ | q 1:~, s 1:~, h 1:7, e r, s r"}));

TEST(Redecoupage, MoreThan128BeatsSpreadOverMeasures)
{
    cPartition p;
    std::string cent = "x 1:0";
    for (int k = 1; k < 100; ++k)
        cent += ", x 1:" + std::to_string(k % 10);
    Construire(p, {cent, cent}); // 200 sixty-fourths, 3000 ticks per 4/4 measure
    std::string cle;
    ASSERT_TRUE(Redecouper(p, *p.PremierePiste, cle)) << cle;
    EXPECT_TRUE(ScoreCoherent(p));
    int total = 0;
    for (cMesurePiste *mp = p.PremierePiste->PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste) {
        EXPECT_LE(mp->NbAccords, MaxAccords);
        for (cAccord *a = mp->PremierAccord; a; a = a->Suivant)
            total += a->Etat == 1;
    }
    EXPECT_EQ(total, 200);
    EXPECT_EQ(p.NbMesures, 4); // 64 per measure: 64, 64, 64, 8 and rests
    EXPECT_EQ(p.PremierePiste->PremiereMesurePiste->NbAccords, 64);
}

TEST(Redecoupage, RefusedWhenAMeasureWouldPassTheBeatLimit)
{
    cPartition p;
    std::string cent = "x 1:0";
    for (int k = 1; k < 100; ++k)
        cent += ", x 1:1";
    Construire(p, {cent, cent});
    p.PremiereMesure->ChangerSignature(4, 1); // 7680 ticks: all 200 would stand in it
    const std::string avant = LirePiste(*p.PremierePiste);
    std::string cle;
    EXPECT_FALSE(Redecouper(p, *p.PremierePiste, cle));
    EXPECT_EQ(cle, CleTropDeTemps);
    EXPECT_EQ(LirePiste(*p.PremierePiste), avant);
    EXPECT_EQ(p.NbMesures, 2);
}

TEST(Redecoupage, RefusedPastTheLastMeasure)
{
    cPartition p;
    std::vector<std::string> mesures(MaxMesures, "w 1:0");
    mesures.back() = "w 1:0, q 1:1"; // one quarter too many for the score's last measure
    Construire(p, mesures);
    std::string cle;
    EXPECT_FALSE(Redecouper(p, *p.PremierePiste, cle));
    EXPECT_EQ(cle, CleTropDeMesures);
    EXPECT_EQ(p.NbMesures, MaxMesures);
    EXPECT_EQ(Lire(*p.DerniereMesure()->PremiereMesurePiste), "w 1:0, q 1:1");
}

TEST(Redecoupage, OtherTracksOnlyGainTheAppendedMeasures)
{
    cPartition p;
    Construire(p, {"w 1:0, w 1:1"});
    cPiste *autre = p.InsererPisteApres(nullptr);
    tab::Ecrire(*autre->PremiereMesurePiste, "h 3:3, h 3:4");
    std::string cle;
    ASSERT_TRUE(Redecouper(p, *p.PremierePiste, cle));
    EXPECT_EQ(LirePiste(*p.PremierePiste), "w 1:0 | w 1:1");
    EXPECT_EQ(LirePiste(*autre), "h 3:3, h 3:4 | q _");
    EXPECT_TRUE(ScoreCoherent(p));
}

} // namespace
