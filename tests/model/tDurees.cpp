// Rhythm: ticks of symbolic durations, the reverse conversion, sounding lengths, completeness.
#include <gtest/gtest.h>

#include "model/uDurees.h"
#include "model/uPartition.h"
#include "support/Invariants.h"

namespace {

struct CasTicks {
    const char *nom;
    int code;
    bool pointe;
    int triolet;
    long double attendu; // exact musical value
};

class TicksTest : public ::testing::TestWithParam<CasTicks> {};

TEST_P(TicksTest, TicksDuree)
{
    const CasTicks &c = GetParam();
    cAccord a;
    a.CodeDuree = static_cast<int8_t>(c.code);
    a.Pointe = c.pointe;
    a.Triolet = c.triolet;
    a.CalculerDuree();
    // The stored value is the extended-precision product rounded once to double.
    EXPECT_EQ(a.Duree, static_cast<double>(c.attendu)) << c.nom;
    a.CalculerDuree(true);
    EXPECT_EQ(a.Duree, static_cast<double>(TicksDuree(c.code, c.pointe, 1, false))) << c.nom;
}

INSTANTIATE_TEST_SUITE_P(
    Durees, TicksTest,
    ::testing::Values(CasTicks{"whole", -2, false, 1, 1920}, CasTicks{"half", -1, false, 1, 960},
                      CasTicks{"quarter", 0, false, 1, 480}, CasTicks{"eighth", 1, false, 1, 240},
                      CasTicks{"64th", 4, false, 1, 30},
                      CasTicks{"dotted half", -1, true, 1, 1440},
                      // 720 x 2/3 in extended precision rounds to exactly 480.
                      CasTicks{"dotted quarter triplet", 0, true, 3, 480},
                      CasTicks{"eighth triplet", 1, false, 3, 160},
                      CasTicks{"quarter quintuplet", 0, false, 5, 384},
                      CasTicks{"quarter sextuplet", 0, false, 6, 320},
                      CasTicks{"eighth 7-tuplet", 1, false, 7, 240 * 0.57142857142857142856L},
                      CasTicks{"16th 13-tuplet", 2, false, 13, 120 * 0.6153846153846153846L},
                      CasTicks{"16th 11-tuplet", 2, false, 11, 120 * 0.72727272727272727275L},
                      CasTicks{"unknown tuplet code counts as 1", 0, false, 4, 480}));

TEST(Durees, ThreeEighthTripletsFillAOneFourMeasure)
{
    cPartition p;
    p.Nouveau();
    cMesure *m = p.PremiereMesure;
    m->ChangerSignature(1, 4);
    cMesurePiste *mp = m->PremiereMesurePiste;
    cAccord *a = mp->PremierAccord;
    for (int i = 0; i < 3; ++i) {
        if (i)
            a = mp->InsererAccordApres(a);
        a->CodeDuree = 1;
        a->Triolet = 3;
        a->Etat = 1;
        a->CalculerDuree();
    }
    mp->CalculerDuree();
    EXPECT_EQ(mp->DureeTotale, 480.0);
    EXPECT_TRUE(MesurePleine(*mp));
    EXPECT_EQ(EtatDureeMesure(*mp).Etat, eEtatDuree::Complete);
}

TEST(Durees, MeasureLengths)
{
    const struct {
        int num, den;
        double ticks;
    } cas[] = {{4, 4, 1920}, {6, 8, 1440}, {3, 4, 1440}, {7, 16, 840}, {32, 1, 61440},
               {1, 32, 60}};
    for (const auto &c : cas) {
        cMesure m;
        m.ChangerSignature(c.num, c.den);
        EXPECT_EQ(m.Longueur, c.ticks) << c.num << "/" << c.den;
    }
}

TEST(Durees, DureeDepuisTicks)
{
    const struct {
        double ticks;
        int code;
        bool pointe;
    } cas[] = {
        {1920, -2, false}, {1440, -1, true}, {1000, -1, false}, {960, -1, false},
        {720, 0, true},    {480, 0, false},  {479, 0, false},   {360, 1, true},
        {240, 1, false},   {180, 2, true},   {120, 2, false},   {90, 3, true},
        {60, 3, false},    {45, 4, true},    {30, 4, false},    {20, 4, false},
        {0, 4, false},
        // q = 31.5 rounds to the even 32: a plain quarter, not a dotted eighth.
        {472.5, 0, false},
        // q = 46.5 rounds to the even 46: a plain quarter.
        {697.5, 0, false},
    };
    for (const auto &c : cas) {
        cAccord a;
        a.Triolet = 3;
        a.Duree = 12345;
        a.DureeDepuisTicks(c.ticks);
        EXPECT_EQ(a.CodeDuree, c.code) << c.ticks;
        EXPECT_EQ(a.Pointe, c.pointe) << c.ticks;
        EXPECT_EQ(a.Triolet, 1);
        EXPECT_EQ(a.Duree, 12345) << "cached ticks are left to the caller";
        cNote n;
        n.DureeDepuisTicks(c.ticks);
        EXPECT_EQ(n.CodeDuree, c.code);
        EXPECT_EQ(n.Pointe, c.pointe);
    }
}

// A score of one six-string track; helpers to put notes down.
class SonoreTest : public ::testing::Test {
protected:
    cPartition p;
    void SetUp() override
    {
        p.Nouveau();
        p.InsererMesureApres(nullptr);
        p.InsererMesureApres(nullptr);
    }
    cMesurePiste *mp(int m) { return p.MesurePisteDe(m, 1); }
    // Gives measure m the beats of the given codes; returns them 1-based.
    std::vector<cAccord *> Temps(int m, std::initializer_list<int> codes)
    {
        std::vector<cAccord *> v{nullptr};
        cMesurePiste *x = mp(m);
        cAccord *a = x->PremierAccord;
        bool premier = true;
        for (int c : codes) {
            if (!premier)
                a = x->InsererAccordApres(a);
            premier = false;
            a->CodeDuree = static_cast<int8_t>(c);
            a->CalculerDuree();
            a->Etat = 2;
            a->PropagerDuree();
            v.push_back(a);
        }
        x->CalculerDuree();
        return v;
    }
    static void Note(cAccord *a, int corde, int type, bool letRing = false)
    {
        a->Notes[corde]->Type = static_cast<uint8_t>(type);
        a->Etat = 1;
        if (letRing)
            a->Notes[corde]->EffetsCrees().LetRing = true;
    }
};

TEST_F(SonoreTest, PlainNoteSoundsItsOwnLength)
{
    auto t = Temps(1, {0, 0, 0, 0});
    Note(t[1], 1, 1);
    Note(t[2], 1, 1);
    const rDureeSonore r = DureeSonore(mp(1), t[1], 1);
    EXPECT_EQ(r.Ticks, 480);
    EXPECT_EQ(r.Accord, t[2]);
    EXPECT_FALSE(r.Pitch);
}

TEST_F(SonoreTest, TieChainOverThreeMeasures)
{
    auto t1 = Temps(1, {0, 0, 0, 0});
    auto t2 = Temps(2, {-2});
    auto t3 = Temps(3, {-1, -1});
    Note(t1[4], 3, 1);
    Note(t2[1], 3, 2);
    Note(t3[1], 3, 2);
    Note(t3[2], 3, 1);
    const rDureeSonore r = DureeSonore(mp(1), t1[4], 3);
    EXPECT_EQ(r.Ticks, 480 + 1920 + 960);
    EXPECT_EQ(r.Accord, t3[2]);
    EXPECT_EQ(r.MesurePiste, mp(3));
}

TEST_F(SonoreTest, LetRingRingsOneMeasureLengthOverTheBarLine)
{
    auto t1 = Temps(1, {0, 0, 0, 0});
    auto t2 = Temps(2, {0, 0, 0, 0});
    Note(t1[2], 1, 1, true);
    for (cAccord *a : {t1[3], t1[4], t2[1], t2[2], t2[3]})
        Note(a, 2, 1); // the other beats sound on another string
    const rDureeSonore r = DureeSonore(mp(1), t1[2], 1);
    EXPECT_EQ(r.Ticks, 4 * 480) << "from beat 2 of bar 1 to beat 2 of bar 2: one measure length";
    // A note starting on beat 1 reaches the length at its own bar line.
    Note(t1[1], 3, 1, true);
    Note(t1[2], 2, 1);
    EXPECT_EQ(DureeSonore(mp(1), t1[1], 3).Ticks, 4 * 480);
}

TEST_F(SonoreTest, LetRingNeverPassesTheSecondBarLine)
{
    // Bar 2 is a single short beat: one measure length from beat 4 of bar 1 would reach into
    // bar 3, but the note stops at the second bar line it meets.
    auto t1 = Temps(1, {0, 0, 0, 0});
    auto t2 = Temps(2, {0});
    auto t3 = Temps(3, {0, 0, 0, 0});
    Note(t1[4], 1, 1, true);
    Note(t2[1], 2, 1);
    Note(t3[1], 2, 1);
    const rDureeSonore r = DureeSonore(mp(1), t1[4], 1);
    EXPECT_EQ(r.Ticks, 2 * 480);
    EXPECT_EQ(r.MesurePiste, mp(3)) << "it stops where bar 3 starts";
    EXPECT_EQ(r.Accord, t3[1]);
}

TEST_F(SonoreTest, LetRingStopsAtARest)
{
    auto t = Temps(1, {0, 0, 0, 0});
    Note(t[1], 1, 1, true);
    Note(t[2], 2, 1); // another string: the let-ring note keeps sounding
    t[3]->Etat = 2;   // a rest
    const rDureeSonore r = DureeSonore(mp(1), t[1], 1);
    EXPECT_EQ(r.Ticks, 960);
    EXPECT_EQ(r.Accord, t[3]);
}

TEST_F(SonoreTest, LetRingStopsAtTheNextNoteOnTheString)
{
    auto t = Temps(1, {1, 1, 1, 0, 0});
    Note(t[1], 1, 1, true);
    Note(t[2], 2, 1);
    Note(t[3], 2, 1);
    Note(t[4], 1, 3); // a dead note ends it
    const rDureeSonore r = DureeSonore(mp(1), t[1], 1);
    EXPECT_EQ(r.Ticks, 720);
}

TEST_F(SonoreTest, PitchFlagFollowsBendOrSlide)
{
    auto t = Temps(1, {0, 0});
    Note(t[1], 1, 1);
    t[1]->Notes[1]->EffetsCrees().Slide = true;
    EXPECT_TRUE(DureeSonore(mp(1), t[1], 1).Pitch);
    EXPECT_FALSE(DureeSonore(mp(1), t[1], 2).Pitch);
}

TEST_F(SonoreTest, EndOfTrackGivesNoPosition)
{
    auto t = Temps(3, {-2});
    Note(t[1], 1, 1);
    const rDureeSonore r = DureeSonore(mp(3), t[1], 1);
    EXPECT_EQ(r.Ticks, 1920);
    EXPECT_EQ(r.Accord, nullptr);
    EXPECT_EQ(r.MesurePiste, nullptr);
}

TEST(Completude, RoundedAndExactTestsDisagreeOnlyBelowFiveDecimals)
{
    cPartition p;
    p.Nouveau();
    cMesurePiste *mp = p.PremiereMesure->PremiereMesurePiste;
    mp->DureeTotale = 1920.000001;
    EXPECT_TRUE(MesurePleine(*mp));
    EXPECT_EQ(EtatDureeMesure(*mp).Etat, eEtatDuree::Depassee);
    EXPECT_EQ(EtatDureeMesure(*mp).Couleur(), 255u);
    mp->DureeTotale = 1919.99;
    EXPECT_FALSE(MesurePleine(*mp));
    EXPECT_EQ(EtatDureeMesure(*mp).Etat, eEtatDuree::Incomplete);
    mp->DureeTotale = 1920;
    const rEtatDuree e = EtatDureeMesure(*mp);
    EXPECT_EQ(e.Etat, eEtatDuree::Complete);
    EXPECT_EQ(e.Total, 4.0);
    EXPECT_EQ(e.Longueur, 4.0);
    EXPECT_EQ(e.Couleur(), 0x00FF00u);
}

TEST(Completude, VerifierDureesSkipsMeasuresStartingWithAnEmptyBeat)
{
    cPartition p;
    p.Nouveau();
    p.InsererPisteApres(nullptr);
    p.InsererMesureApres(nullptr);
    // Track 1 measure 1: empty first beat, then a normal beat — never reported.
    cMesurePiste *a = p.MesurePisteDe(1, 1);
    cAccord *b = a->InsererAccordApres(a->PremierAccord);
    b->Etat = 1;
    a->CalculerDuree();
    EXPECT_EQ(VerifierDurees(p).NumMesure, 0);
    // Track 2 measure 2: one normal quarter in 4/4 — reported with its numbers.
    cMesurePiste *c = p.MesurePisteDe(2, 2);
    c->PremierAccord->Etat = 1;
    const rMesureInvalide r = VerifierDurees(p);
    EXPECT_EQ(r.NumMesure, 2);
    EXPECT_EQ(r.NumPiste, 2);
    EXPECT_EQ(r.MesurePiste, c);
    // Filled up to four quarters it is right again.
    cAccord *x = c->PremierAccord;
    for (int i = 0; i < 3; ++i)
        x = c->InsererAccordApres(x);
    c->CalculerDuree();
    EXPECT_EQ(VerifierDurees(p).NumMesure, 0);
    EXPECT_TRUE(ScoreCoherent(p));
}

} // namespace
