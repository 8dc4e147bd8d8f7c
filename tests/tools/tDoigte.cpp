// Automatic fingering: where a guitarist would play the notes, what it never moves, and what it
// drops.
#include <gtest/gtest.h>

#include <cmath>

#include "support/Invariants.h"
#include "support/Tablature.h"
#include "tools/uDoigte.h"

namespace {

using tab::Construire;
using tab::LirePiste;

// Places a whole standard-tuned guitar track whose frets are written as MIDI pitches.
std::string PlacerHauteurs(const std::vector<std::string> &mesures, rResultatDoigte *r = nullptr)
{
    cPartition p;
    Construire(p, mesures);
    rOptionsDoigte o;
    o.CasesEnHauteurs = true;
    const rResultatDoigte res = PlacerDoigts(*p.PremierePiste, 1, p.NbMesures, o);
    if (r)
        *r = res;
    EXPECT_TRUE(ScoreCoherent(p));
    return LirePiste(*p.PremierePiste);
}

struct CasPlacement {
    const char *nom;
    std::vector<std::string> pitches; // measures, frets written as MIDI pitches
    const char *attendu;              // as strings and frets
};

class Placement : public ::testing::TestWithParam<CasPlacement> {};

TEST_P(Placement, StandardGuitar)
{
    EXPECT_EQ(PlacerHauteurs(GetParam().pitches), GetParam().attendu) << GetParam().nom;
}

INSTANTIATE_TEST_SUITE_P(
    Doigte, Placement,
    ::testing::Values(
        // E4 = 64: the open first string (no stretch, position 0).
        CasPlacement{"single E4", {"q 2:64"}, "q 1:0"},
        // C major scale from C3: the open position, as it is taught.
        CasPlacement{"C major scale",
                     {"q 6:48, q 6:50, q 6:52, q 6:53", "q 6:55, q 6:57, q 6:59, q 6:60"},
                     "q 5:3, q 4:0, q 4:2, q 4:3 | q 3:0, q 3:2, q 2:0, q 2:1"},
        // C = C3 E3 G3 C4 E4: x32010.
        CasPlacement{"open C", {"w 1:48 2:52 3:55 4:60 5:64"}, "w 1:0 2:1 3:0 4:2 5:3"},
        // G = G2 B2 D3 G3 B3 G4: 320003.
        CasPlacement{"open G", {"w 1:43 2:47 3:50 4:55 5:59 6:67"},
                     "w 1:3 2:0 3:0 4:0 5:2 6:3"},
        // E minor = E2 B2 E3 G3 B3 E4: 022000.
        CasPlacement{"open E minor", {"w 1:40 2:47 3:52 4:55 5:59 6:64"},
                     "w 1:0 2:0 3:0 4:2 5:2 6:0"},
        // D = D3 A3 D4 F#4: xx0232.
        CasPlacement{"open D", {"w 1:50 2:57 3:62 4:66"}, "w 1:2 2:3 3:2 4:0"},
        // A = A2 E3 A3 C#4 E4: x02220.
        CasPlacement{"open A", {"w 1:45 2:52 3:57 4:61 5:64"}, "w 1:0 2:2 3:2 4:2 5:0"}));

TEST(Doigte, CostTerms)
{
    const rFretPondere aucun[1] = {{0, 0}};
    struct Cas {
        const char *nom;
        std::vector<int> cases;
        double attendu;
    };
    const Cas cas[] = {
        {"open string: nothing", {0}, 0},
        // One fret: no stretch, position 0.35 x 5.
        {"single fret 5", {5}, 0.35 * 5},
        // Open strings do not count in the span: frets 2..3 only.
        {"span 2..3 with open strings", {0, 2, 3, 0}, 1 + 0.35 * 2.5},
        // A stretch of 5 costs 5^2.5 = 55.9 ...
        {"stretch of 5", {1, 6}, std::pow(5.0, 2.5) + 0.35 * 3.5},
        // ... so a stretch of 3 a few frets higher is far cheaper.
        {"stretch of 3 higher", {7, 10}, std::pow(3.0, 1.5) + 0.35 * 8.5},
        // Beyond a 24-fret neck: 1000 per fret.
        {"fret 26 on a 24-fret neck", {26}, 2000 + 0.35 * 26},
    };
    for (const Cas &c : cas)
        EXPECT_NEAR(CoutDoigte(c.cases.data(), static_cast<int>(c.cases.size()), 24, -1, aucun, 0),
                    c.attendu, 1e-9)
            << c.nom;
    EXPECT_LT(CoutDoigte(cas[4].cases.data(), 2, 24, -1, aucun, 0),
              CoutDoigte(cas[3].cases.data(), 2, 24, -1, aucun, 0));

    // Hand movement: weight x distance between fretted notes (counted twice), 0.7 x the fret
    // when either note is open (counted once); the third beat back weighs 0 but still counts.
    const rFretPondere prec[] = {{7, 5}, {3, 0}, {0, 9}};
    const int f[] = {7};
    const double mouvement = (7.0 * 2 + 0.7 * 7 + 0) / (2 + 1 + 2);
    EXPECT_NEAR(CoutDoigte(f, 1, 24, -1, prec, 3), 0.35 * 7 + mouvement, 1e-9);
    // Start of the track: 4 x the distance to where the next notes lie.
    EXPECT_NEAR(CoutDoigte(f, 1, 24, 3, aucun, 0), 4.0 * 4 + 0.35 * 7, 1e-9);
}

TEST(Doigte, TiedAndDeadNotesKeepTheirStrings)
{
    cPartition p;
    // Beat 1: E4 on string 2 fret 5, moved to the open first string; its tie in beat 2 follows
    // it there, and beat 2's own E4 then avoids the tied string.
    Construire(p, {"q 2:5, q 2:~ 3:9"});
    PlacerDoigts(*p.PremierePiste, 1, 1);
    EXPECT_EQ(LirePiste(*p.PremierePiste), "q 1:0, q 1:~ 2:5");
    EXPECT_TRUE(ScoreCoherent(p));

    // A tie across the bar line moves with its note too.
    Construire(p, {"h. 2:5, q 2:~", "q 2:~, h. 4:2"});
    PlacerDoigts(*p.PremierePiste, 1, 2);
    EXPECT_EQ(LirePiste(*p.PremierePiste), "h. 1:0, q 1:~ | q 1:~, h. 4:2");

    // A dead note reserves its string: G3 cannot take the open third string.
    Construire(p, {"q 3:x 4:5"});
    PlacerDoigts(*p.PremierePiste, 1, 1);
    EXPECT_EQ(LirePiste(*p.PremierePiste), "q 3:x 4:5");
}

TEST(Doigte, WhatCannotBePlacedIsDroppedAndCounted)
{
    rResultatDoigte r;
    // Pitch 100 lies above fret 30 on every string: the beat is made a rest.
    EXPECT_EQ(PlacerHauteurs({"q 1:100, q 1:64"}, &r), "q r, q 1:0");
    EXPECT_EQ(r.NotesPerdues, 1);
    EXPECT_EQ(r.Silences, 1);
    // Only the note that does not fit goes; the beat stays.
    EXPECT_EQ(PlacerHauteurs({"q 1:64 2:100"}, &r), "q 1:0");
    EXPECT_EQ(r.NotesPerdues, 1);
    EXPECT_EQ(r.Silences, 0);
    // A beat that loses its only own note keeps its tied and dead notes.
    cPartition p;
    Construire(p, {"q 1:0, q 1:~ 2:x 3:200"});
    r = PlacerDoigts(*p.PremierePiste, 1, 1);
    EXPECT_EQ(LirePiste(*p.PremierePiste), "q 1:0, q 1:~ 2:x");
    EXPECT_EQ(r.NotesPerdues, 1);
    EXPECT_TRUE(ScoreCoherent(p));
}

TEST(Doigte, RangeAndDrums)
{
    cPartition p;
    // Measure 2 alone: its E4 at fret 24 comes down to fret 5 of string 2, where the previous
    // beat's hand already is (the open string would move the hand away from fret 5).
    Construire(p, {"q 2:5", "q 6:24", "q 6:24"});
    PlacerDoigts(*p.PremierePiste, 2, 2);
    EXPECT_EQ(LirePiste(*p.PremierePiste), "q 2:5 | q 2:5 | q 6:24");
    p.PremierePiste->Percussions = true;
    PlacerDoigts(*p.PremierePiste, 1, 3);
    EXPECT_EQ(LirePiste(*p.PremierePiste), "q 2:5 | q 2:5 | q 6:24") << "drums: nothing";
    p.PremierePiste->Percussions = false;
    PlacerDoigts(*p.PremierePiste, 3, 1);
    EXPECT_EQ(LirePiste(*p.PremierePiste), "q 2:5 | q 2:5 | q 6:24") << "reversed range";
    // From measure 1 the start of the track looks ahead: the next E4 is lowest on the open
    // string, so the first one goes there and the others follow. A range past the end is
    // clamped; the progress runs 0..28 by measure.
    std::vector<int> etapes;
    rOptionsDoigte o;
    o.Progression = [&](int e) { etapes.push_back(e); };
    PlacerDoigts(*p.PremierePiste, 1, 99, o);
    EXPECT_EQ(etapes, (std::vector<int>{0, 9, 19, 28}));
    EXPECT_EQ(LirePiste(*p.PremierePiste), "q 1:0 | q 1:0 | q 1:0");
}

TEST(Doigte, BanjoFifthString)
{
    cPiste b;
    b.NbCordes = 5;
    b.Banjo5 = true;
    b.Accordage = {62, 59, 55, 50, 67, -1, -1}; // open G: D4 B3 G3 D3, short G4
    // The short string's frets are numbered from the neck's fifth fret.
    struct Cas {
        int fret, hauteur;
    } cas[] = {{0, 67}, {6, 68}, {7, 69}, {12, 74}};
    for (const Cas &c : cas) {
        EXPECT_EQ(HauteurCase(b, 5, c.fret), c.hauteur) << c.fret;
        EXPECT_EQ(CaseHauteur(b, 5, c.hauteur), c.fret) << c.hauteur;
    }
    EXPECT_LT(CaseHauteur(b, 5, 66), 0) << "below the open short string";
    EXPECT_EQ(HauteurCase(b, 1, 5), 67) << "other strings are plain";

    auto placer = [&](const char *mesure) {
        cPartition p;
        Construire(p, {mesure});
        cPiste &t = *p.PremierePiste;
        t.NbCordes = 5;
        t.ChangerNbCordes(6);
        t.Banjo5 = true;
        t.Accordage = b.Accordage;
        PlacerDoigts(t, 1, 1);
        EXPECT_TRUE(ScoreCoherent(p));
        return LirePiste(t);
    };
    // G4 rings on the open short string; F#4 cannot go there and stays fretted.
    EXPECT_EQ(placer("q 1:5"), "q 5:0");
    EXPECT_EQ(placer("q 1:4"), "q 1:4");
    // A4 lies at fret 7 of both the first and the short string: the first string comes first.
    EXPECT_EQ(placer("q 2:10"), "q 1:7");
}

TEST(Doigte, GraceNoteKeepsItsPitch)
{
    auto placer = [](const char *mesure, int corde, int grace, int &graceApres) {
        cPartition p;
        Construire(p, {mesure});
        cNote &n = *p.PremierePiste->PremiereMesurePiste->PremierAccord->Notes[corde];
        n.EffetsCrees().Appogiature = new cEffet_Appogiature;
        n.Effets->Appogiature->Case = static_cast<uint8_t>(grace);
        const rResultatDoigte r = PlacerDoigts(*p.PremierePiste, 1, 1);
        EXPECT_EQ(r.NotesPerdues, 0);
        graceApres = -1;
        for (cNote *x = p.PremierePiste->PremiereMesurePiste->PremierAccord->PremiereNote; x;
             x = x->Suivante)
            if (x->Type == 1 && x->Effets && x->Effets->Appogiature)
                graceApres = x->Effets->Appogiature->Case;
        return LirePiste(*p.PremierePiste);
    };
    int g = 0;
    // E4 with a grace D#4: the open first string cannot hold a grace below it, so the note
    // stays at fret 5 of string 2 rather than going open.
    EXPECT_EQ(placer("q 2:5", 2, 4, g), "q 2:5");
    EXPECT_EQ(g, 4);
    // E4 at fret 9 of string 3 with a grace D4 at fret 7 moves to fret 5 of string 2, and the
    // grace to fret 3 there: the same D4.
    EXPECT_EQ(placer("q 3:9", 3, 7, g), "q 2:5");
    EXPECT_EQ(g, 3);
}

TEST(Doigte, OptimiserFindsTheCheapestOfAllAssignments)
{
    // Against a brute force over every assignment of a 4-note chord, with the optimiser's own
    // cost: the result is never dearer than any playable assignment.
    cPartition p;
    Construire(p, {"w 1:45 2:52 3:57 4:62"});
    rOptionsDoigte o;
    o.CasesEnHauteurs = true;
    PlacerDoigts(*p.PremierePiste, 1, 1, o);
    const cPiste &t = *p.PremierePiste;
    const cAccord &a = *t.PremiereMesurePiste->PremierAccord;
    std::vector<int> choisies;
    for (int s = 1; s <= 6; ++s)
        if (a.Notes[s]->Type == 1)
            choisies.push_back(a.Notes[s]->Case);
    ASSERT_EQ(choisies.size(), 4u);
    const double cout = CoutDoigte(choisies.data(), 4, 24, -1, nullptr, 0);
    const int h[4] = {45, 52, 57, 62};
    int s[4];
    for (s[0] = 1; s[0] <= 6; ++s[0])
        for (s[1] = 1; s[1] <= 6; ++s[1])
            for (s[2] = 1; s[2] <= 6; ++s[2])
                for (s[3] = 1; s[3] <= 6; ++s[3]) {
                    if (s[0] == s[1] || s[0] == s[2] || s[0] == s[3] || s[1] == s[2] ||
                        s[1] == s[3] || s[2] == s[3])
                        continue;
                    int f[4];
                    bool ok = true;
                    for (int k = 0; k < 4; ++k) {
                        f[k] = CaseHauteur(t, s[k], h[k]);
                        ok = ok && f[k] >= 0 && f[k] <= MaxCase;
                    }
                    if (ok) {
                        EXPECT_LE(cout, CoutDoigte(f, 4, 24, -1, nullptr, 0) + 1e-12);
                    }
                }
}

} // namespace
