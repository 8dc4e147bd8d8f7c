// The multitrack overview's numbers: scroll bars, the cell under a click, the measure a header
// double click addresses, the follow rule, the pennant and the shaded cursor row.
#include <gtest/gtest.h>

#include "display/uOrchestre.h"

namespace {

TEST(Orchestre, VisibleCountsAndBars)
{
    EXPECT_EQ(cOrchestre::NbColonnes(400), 21);
    EXPECT_EQ(cOrchestre::NbColonnes(419), 21);
    EXPECT_EQ(cOrchestre::NbRangees(100), 6);
    EXPECT_EQ(cOrchestre::NbColonnes(-3), 1);

    struct rCas {
        const char *Nom;
        int Nombre, Visibles, Position;
        int Maximum, GrandPas, PositionApres;
        bool Active;
    } cas[] = {
        // Three tracks in a panel five rows high: nothing to scroll.
        {"fewer tracks than rows", 3, 5, 0, 0, 4, 0, false},
        {"exactly one more than fits", 5, 5, 0, 1, 4, 0, true},
        {"long score", 100, 21, 10, 80, 20, 10, true},
        {"position past a shrunk maximum is clamped", 30, 21, 25, 10, 20, 10, true},
    };
    for (const rCas &c : cas) {
        SCOPED_TRACE(c.Nom);
        cOrchestre o;
        o.BarreH.Position = c.Position;
        o.AjusterBarreH(c.Nombre, c.Visibles);
        EXPECT_EQ(o.BarreH.Maximum, c.Maximum);
        EXPECT_EQ(o.BarreH.GrandPas, c.GrandPas);
        EXPECT_EQ(o.BarreH.Position, c.PositionApres);
        EXPECT_EQ(o.BarreH.Active, c.Active);
        o.AjusterBarreV(c.Nombre, c.Visibles);
        EXPECT_EQ(o.BarreV.Maximum, c.Maximum);
    }
}

TEST(Orchestre, ClickToCell)
{
    cOrchestre o;
    o.BarreH.Maximum = o.BarreV.Maximum = 50;
    o.BarreH.Position = 4;
    o.BarreV.Position = 2;
    struct rCas {
        int X, Y, Piste, Mesure;
    } cas[] = {
        {0, 0, 3, 5},   {19, 19, 3, 5}, {20, 20, 4, 6}, {59, 45, 5, 7}, {-1, -1, 2, 4},
    };
    for (const rCas &c : cas) {
        SCOPED_TRACE(std::to_string(c.X) + "," + std::to_string(c.Y));
        EXPECT_EQ(o.PisteClic(c.Y), c.Piste);
        EXPECT_EQ(o.MesureClic(c.X), c.Mesure);
    }
}

TEST(Orchestre, HeaderDoubleClickTakesTheNearestBoundary)
{
    cOrchestre o;
    struct rCas {
        int X, Y, Mesure;
    } cas[] = {
        {8, 5, 1},  // left of the middle of the first column
        {9, 5, 2},  // past it: the next column's boundary is nearer
        {28, 13, 2},
        {29, 13, 3},
        {9, 14, 0}, // below the marker band
    };
    for (const rCas &c : cas) {
        SCOPED_TRACE(c.X);
        EXPECT_EQ(o.MesureMarkerClic(c.X, c.Y), c.Mesure);
    }
    o.BarreH.Maximum = 20;
    o.BarreH.Position = 7;
    EXPECT_EQ(o.MesureMarkerClic(8, 0), 8);
}

TEST(Orchestre, FollowKeepsTheCursorMeasureInView)
{
    struct rCas {
        const char *Nom;
        int Position, Mesure, Attendue;
    } cas[] = {
        {"inside", 10, 15, 10},
        {"at the position", 10, 10, 9},
        {"left of it", 10, 3, 2},
        {"last visible column", 10, 20, 10},
        {"beyond the last column", 10, 21, 11},
        {"beyond, limited by the maximum", 10, 80, 40},
    };
    for (const rCas &c : cas) {
        SCOPED_TRACE(c.Nom);
        cOrchestre o;
        o.BarreH.Maximum = 40;
        o.BarreH.Position = c.Position;
        o.Suivre(c.Mesure, 10);
        EXPECT_EQ(o.BarreH.Position, c.Attendue);
    }
}

TEST(Orchestre, PennantNumbersAndRows)
{
    const auto f = cOrchestre::Fanion(40);
    EXPECT_EQ(f[0].X1, 40);
    EXPECT_EQ(f[0].Y1, 5);
    EXPECT_EQ(f[0].Y2, 12);
    EXPECT_EQ(f[1].X1, 41);
    EXPECT_EQ(f[1].Y1, 6);
    EXPECT_EQ(f[1].Y2, 11);
    EXPECT_EQ(f[2].X1, 42);
    EXPECT_EQ(f[2].Y1, 7);
    EXPECT_EQ(f[2].Y2, 10);
    EXPECT_EQ(f[3].X1, 43);
    EXPECT_EQ(f[3].Y1, 8);
    EXPECT_EQ(f[3].Y2, 9);
    // Number 12, 9 pixels wide, in the column at x = 20: nearest(20 + 10 - 4.5) - 2.
    EXPECT_EQ(cOrchestre::XNumero(20, 9), 24);
    EXPECT_EQ(cOrchestre::XNumero(20, 11), 22) << "24.5 rounds to even";
    EXPECT_EQ(cOrchestre::YRangee(1), 2);
    EXPECT_EQ(cOrchestre::YRangee(3), 42);
    cOrchestre o;
    o.BarreV.Position = 2;
    EXPECT_EQ(o.YBandePiste(3), 1) << "track 3 is the first visible row";
    EXPECT_EQ(o.YBandePiste(4), 21);
}

TEST(Orchestre, CursorRowShading)
{
    // Line 2 is 1.2 times the face colour, line 8 1.0, the last line darker.
    const uint32_t face = 0x00C8C8C8; // 200, 200, 200
    EXPECT_EQ(cOrchestre::Ombrage(face, 2), 0x00F0F0F0u);
    EXPECT_EQ(cOrchestre::Ombrage(face, 8), face);
    EXPECT_EQ(cOrchestre::Ombrage(0x00FFFFFF, 0), 0x00FFFFFFu) << "limited to 255";
    EXPECT_EQ(cOrchestre::Ombrage(0x0000000A, 19) & 0xFF, 6u) << "10 x 0.6333 truncated";
}

} // namespace
