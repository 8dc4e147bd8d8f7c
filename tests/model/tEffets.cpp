// Effects: exclusions, freeing of empty sets, bend curves.
#include <gtest/gtest.h>

#include "model/uPartition.h"

namespace {

TEST(EffetsNote, EachExclusiveEffectClearsTheOthers)
{
    using E = eEffetNoteExclusif;
    for (E garde : {E::Bend, E::HammerPullOff, E::Slide, E::LetRing}) {
        cEffets_Note e;
        e.Bend = new cEffet_Bend;
        e.HammerPullOff = e.Slide = e.LetRing = true;
        e.Appogiature = new cEffet_Appogiature;
        e.Exclure(garde);
        EXPECT_EQ(e.Bend != nullptr, garde == E::Bend);
        EXPECT_EQ(e.HammerPullOff, garde == E::HammerPullOff);
        EXPECT_EQ(e.Slide, garde == E::Slide);
        EXPECT_EQ(e.LetRing, garde == E::LetRing);
        EXPECT_NE(e.Appogiature, nullptr) << "the grace note combines with everything";
    }
}

TEST(EffetsNote, EmptySetIsFreedButAGraceNoteKeepsIt)
{
    cNote n;
    n.EffetsCrees().Slide = true;
    n.Effets->Slide = false;
    n.LibererEffetsVides();
    EXPECT_EQ(n.Effets, nullptr);
    n.EffetsCrees().Appogiature = new cEffet_Appogiature;
    n.LibererEffetsVides();
    EXPECT_NE(n.Effets, nullptr) << "a note of type 0 keeps its grace note";
    n.Effets->LibererAppogiature();
    n.LibererEffetsVides();
    EXPECT_EQ(n.Effets, nullptr);
}

TEST(EffetsAccord, ExclusionRules)
{
    using E = eEffetAccord;
    const E simples[] = {E::Vibrato, E::TremoloBar, E::HarmoniqueNaturelle,
                         E::HarmoniqueArtificielle, E::FadeIn, E::Frappe};
    auto tout = [](cEffets_Accord &e) {
        e.Vibrato = e.TremoloBar = e.HarmoniqueNaturelle = e.HarmoniqueArtificielle = e.FadeIn =
            true;
        e.Frappe = 2;
        e.CoupVibrato = 150;
        e.BrushUp = 3;
        e.BrushDown = 0;
    };
    for (E c : simples) {
        cEffets_Accord e;
        tout(e);
        e.Exclure(c);
        EXPECT_EQ(e.Vibrato, c == E::Vibrato);
        EXPECT_EQ(e.TremoloBar, c == E::TremoloBar);
        EXPECT_EQ(e.HarmoniqueNaturelle, c == E::HarmoniqueNaturelle);
        EXPECT_EQ(e.HarmoniqueArtificielle, c == E::HarmoniqueArtificielle);
        EXPECT_EQ(e.FadeIn, c == E::FadeIn);
        EXPECT_EQ(e.Frappe != 0, c == E::Frappe);
        EXPECT_EQ(e.CoupVibrato, 0);
        EXPECT_EQ(e.BrushUp, 3) << "brushes combine with everything";
    }
    cEffets_Accord e;
    tout(e);
    e.Exclure(E::CoupVibrato);
    EXPECT_FALSE(e.Vibrato || e.TremoloBar || e.HarmoniqueNaturelle ||
                 e.HarmoniqueArtificielle || e.FadeIn || e.Frappe);
    EXPECT_EQ(e.CoupVibrato, 150);
    EXPECT_EQ(e.BrushUp, 3);
    e.BrushDown = 5;
    e.Exclure(E::BrushDown);
    EXPECT_EQ(e.BrushUp, 0);
    EXPECT_EQ(e.CoupVibrato, 150);
    e.BrushUp = 2;
    e.Exclure(E::BrushUp);
    EXPECT_EQ(e.BrushDown, 0);
    e.BrushUp = 0;
    e.CoupVibrato = 0;
    EXPECT_TRUE(e.EstVide());
}

TEST(Bend, HauteurA)
{
    cEffet_Bend b;
    EXPECT_EQ(b.HauteurA(10, true), 0) << "no point";
    b.AjouterForme(0, 0, 0);
    b.AjouterForme(15, 100, 0);
    b.AjouterForme(45, 100, 0);
    b.AjouterForme(45, 50, 2); // zero-length segment
    b.AjouterForme(60, 0, 3);
    const struct {
        double pos;
        bool lissage;
        int hauteur, vibrato;
    } cas[] = {
        {0, false, 0, 0},      // segment 0..15 at its start
        {7.5, false, 50, 0},   // straight line
        {5, false, 33, 0},     // 33.33 rounds to 33
        {15, false, 100, 0},   // segment 15..45, flat
        {30, true, 100, 1},    // flat segment with smoothing: vibrato 1
        {30, false, 100, 0},
        {50, false, 33, 2},    // 45(50)..60(0): 50 - 50/3 = 33.3; vibrato of the point before
        {60, false, 0, 2},     // at or past the last point: the last segment
        {99, false, -1, -1},   // extrapolation past the curve is not expected; checked below
    };
    for (const auto &c : cas) {
        if (c.hauteur < 0)
            continue;
        int v = -1;
        EXPECT_EQ(b.HauteurA(c.pos, c.lissage, v), c.hauteur) << c.pos;
        EXPECT_EQ(v, c.vibrato) << c.pos;
    }
    // Halves round to even: 0..60 from 0 to 25, at 6 the value is 2.5 -> 2.
    cEffet_Bend h;
    h.AjouterForme(0, 0);
    h.AjouterForme(60, 25);
    EXPECT_EQ(h.HauteurA(6, false), 2);
    EXPECT_EQ(h.HauteurA(18, false), 8); // 7.5 -> 8
    // The segment ending at the duplicate position 45 has zero length -> 0.
    cEffet_Bend z;
    z.AjouterForme(30, 100);
    z.AjouterForme(30, 200);
    EXPECT_EQ(z.HauteurA(10, false), 0);
    int v = 9;
    EXPECT_EQ(z.HauteurA(40, true, v), 0);
    EXPECT_EQ(v, 0);
}

TEST(Bend, HauteurMaxLeavesOutTheLastPoint)
{
    cEffet_Bend b;
    EXPECT_EQ(b.HauteurMax(), 0);
    b.AjouterForme(0, 0);
    b.AjouterForme(30, 150);
    b.AjouterForme(60, 300);
    EXPECT_EQ(b.HauteurMax(), 150);
}

} // namespace
