// The effect editors' state: bend presets and grid clicks, grace note start/OK/Clear/Cancel,
// brush and stroke-of-vibrato editors, all as numbers on small beats.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "model/uEditeursEffets.h"

namespace {
using tPoints = std::vector<std::pair<int, int>>; // (position, height)

tPoints Points(const cEditeurBend &e)
{
    tPoints r;
    for (int p = 0; p < NbPositionsBend; ++p)
        if (e.Grille[p].Hauteur >= 0)
            r.emplace_back(p, e.Grille[p].Hauteur);
    return r;
}

tPoints Points(const cEffet_Bend &b)
{
    tPoints r;
    for (const cEffet_Forme *f = b.PremiereForme; f; f = f->Suivante)
        r.emplace_back(f->Position, f->Hauteur);
    return r;
}

// Pixel of a grid position and height, as a click there would give it.
int X(int p) { return cEditeurBend::XPosition(p); }
int Y(int h) { return static_cast<int>(cEditeurBend::YHauteur(h)); }

// A beat of six strings with one normal note at fret 7, dynamic mf, on string 2.
struct Accord6 : ::testing::Test {
    cAccord a;
    cNote *n = nullptr;
    void SetUp() override
    {
        for (int s = 0; s < 6; ++s)
            a.InsererNoteApres(nullptr);
        a.IndexerNotes();
        a.Etat = 1;
        n = a.Notes[2];
        n->Type = 1;
        n->Case = 7;
        n->Nuance = 5;
    }
};
} // namespace

// ---------------------------------------------------------------- bend

TEST(EditeurBend, AmplitudeListEntries)
{
    EXPECT_EQ(cEditeurBend::AmplitudeDe(0), 300);
    EXPECT_EQ(cEditeurBend::AmplitudeDe(IndexAmplitudeFull), 100);
    EXPECT_EQ(cEditeurBend::AmplitudeDe(11), 25);
    struct {
        const char *Cas;
        int Amplitude, Index;
    } cas[] = {
        {"full tone", 100, 8},       {"quarter", 25, 11}, {"three tones", 300, 0},
        {"between: 37 to quarter", 37, 11}, {"62 to half", 62, 10},
        {"zero from a file", 0, 11}, {"negative from a file", -500, 11},
        {"huge from a file", 100000, 0},
    };
    for (auto &c : cas)
        EXPECT_EQ(cEditeurBend::IndexDe(c.Amplitude), c.Index) << c.Cas;
}

TEST(EditeurBend, PresetsWithTheChosenAmplitude)
{
    struct {
        const char *Cas;
        int Type, Index;
        tPoints Attendu;
    } cas[] = {
        {"Bend, full", 1, 8, {{0, 0}, {30, 100}, {60, 100}}},
        {"Bend/Release, half", 2, 10, {{0, 0}, {15, 50}, {30, 50}, {45, 0}, {60, 0}}},
        {"Bend/Release/Bend, 2",
         3,
         4,
         {{0, 0}, {10, 200}, {20, 200}, {30, 0}, {40, 0}, {50, 200}, {60, 200}}},
        {"PreBend, 3", 4, 0, {{0, 300}, {60, 300}}},
        {"PreBend/Release, quarter", 5, 11, {{0, 25}, {20, 25}, {40, 0}, {60, 0}}},
        {"no preset pressed", 0, 8, {}},
    };
    for (auto &c : cas) {
        cEditeurBend e;
        e.AppliquerPreset(3); // something else drawn first: the preset clears it
        e.IndexAmplitude = c.Index;
        e.AppliquerPreset(c.Type);
        EXPECT_EQ(e.Type, c.Type) << c.Cas;
        EXPECT_EQ(Points(e), c.Attendu) << c.Cas;
    }
}

TEST(EditeurBend, AmplitudeChoiceReappliesThePressedPreset)
{
    cEditeurBend e;
    e.AppliquerPreset(2);
    e.ChoisirAmplitude(10); // "1/2"
    EXPECT_EQ(Points(e), (tPoints{{0, 0}, {15, 50}, {30, 50}, {45, 0}, {60, 0}}));
    e.Effacer();
    e.ChoisirAmplitude(9);
    EXPECT_EQ(e.Type, 0);
    EXPECT_TRUE(Points(e).empty());
}

TEST_F(Accord6, BendOpenedWithoutBendThenOkGivesTheDefaultBend)
{
    cEditeurBend e;
    EXPECT_FALSE(e.Charger(*n));
    e.Appliquer(*n);
    ASSERT_TRUE(n->Effets && n->Effets->Bend);
    EXPECT_EQ(n->Effets->Bend->Type, 1);
    EXPECT_EQ(n->Effets->Bend->Valeur, 100);
    EXPECT_EQ(Points(*n->Effets->Bend), (tPoints{{0, 0}, {30, 100}, {60, 100}}));
}

TEST_F(Accord6, BendOkClearsTheEffectsItExcludesAndKeepsTheGraceNote)
{
    cEffets_Note &en = n->EffetsCrees();
    en.HammerPullOff = true;
    en.Appogiature = new cEffet_Appogiature;
    cEditeurBend e;
    e.Charger(*n);
    e.Appliquer(*n);
    EXPECT_FALSE(n->Effets->HammerPullOff);
    EXPECT_NE(n->Effets->Appogiature, nullptr);
    EXPECT_NE(n->Effets->Bend, nullptr);
}

TEST_F(Accord6, BendClearThenOkFreesAnEffectSetLeftEmpty)
{
    cEditeurBend e;
    e.Charger(*n);
    e.Appliquer(*n);
    cEditeurBend f;
    EXPECT_TRUE(f.Charger(*n));
    f.Effacer();
    f.Appliquer(*n);
    EXPECT_EQ(n->Effets, nullptr);
}

TEST_F(Accord6, BendReadFromAFileIsClampedOntoTheGrid)
{
    cEffet_Bend *b = new cEffet_Bend;
    n->EffetsCrees().Bend = b;
    b->Type = 9;
    b->Valeur = 1000;
    b->AjouterForme(-4, -20, 7);
    b->AjouterForme(30, 999, 2);
    b->AjouterForme(500, 50, 0);
    cEditeurBend e;
    EXPECT_TRUE(e.Charger(*n));
    EXPECT_EQ(e.Type, 5);
    EXPECT_EQ(e.IndexAmplitude, 0);
    EXPECT_EQ(Points(e), (tPoints{{0, 0}, {30, 300}, {60, 50}}));
    EXPECT_EQ(e.Grille[0].Vibrato, 3);
    EXPECT_EQ(e.Grille[30].Vibrato, 2);
}

TEST(EditeurBend, ClicksOnTheGrid)
{
    // Every case starts from the "Bend" preset, full tone: points 0:0, 30:100, 60:100.
    struct {
        const char *Cas;
        int x, y;
        eBoutonSouris Bouton;
        bool Change;
        int Position, Hauteur, Vibrato; // the grid position looked at afterwards
    } cas[] = {
        {"next to an existing point: ignored", X(31), Y(50), eBoutonSouris::Gauche, false, 31, -1, 0},
        {"two away from a point: created", X(32), Y(50), eBoutonSouris::Gauche, true, 32, 50, 0},
        {"right click creates with vibrato", X(20), Y(75), eBoutonSouris::Droit, true, 20, 75, 1},
        {"too near the start", X(1), Y(50), eBoutonSouris::Gauche, false, 1, -1, 0},
        {"left on the first point at its height", X(0), Y(0), eBoutonSouris::Gauche, false, 0, 0, 0},
        {"right on the first point cycles vibrato", X(0), Y(0), eBoutonSouris::Droit, true, 0, 0, 1},
        {"first point moved up", X(0), Y(50), eBoutonSouris::Gauche, true, 0, 50, 0},
        {"left of the grid counts as 0", X(0) - 5, Y(25), eBoutonSouris::Gauche, true, 0, 25, 0},
        {"right of the grid counts as 60", X(61), Y(25), eBoutonSouris::Gauche, true, 60, 25, 0},
        {"far outside: ignored", X(63), Y(25), eBoutonSouris::Gauche, false, 60, 100, 0},
        {"last point at its height stays", X(60), Y(100), eBoutonSouris::Gauche, false, 60, 100, 0},
        {"middle point removed by a left click", X(30), Y(100), eBoutonSouris::Gauche, true, 30, -1, 0},
        {"middle point vibrato by another button", X(30), Y(100), eBoutonSouris::Autre, true, 30, 100, 1},
        {"middle point moved, right gives vibrato", X(30), Y(150), eBoutonSouris::Droit, true, 30, 150, 1},
        {"above three tones: ignored", X(30), Y(300) - 10, eBoutonSouris::Gauche, false, 30, 100, 0},
        {"below zero: ignored", X(30), Y(0) + 10, eBoutonSouris::Gauche, false, 30, 100, 0},
        {"height rounds to the nearest 25", X(40), Y(50) + 4, eBoutonSouris::Gauche, true, 40, 50, 0},
    };
    for (auto &c : cas) {
        cEditeurBend e;
        e.AppliquerPreset(1);
        EXPECT_EQ(e.Clic(c.x, c.y, c.Bouton), c.Change) << c.Cas;
        EXPECT_EQ(e.Grille[c.Position].Hauteur, c.Hauteur) << c.Cas;
        EXPECT_EQ(e.Grille[c.Position].Vibrato, c.Vibrato) << c.Cas;
    }
}

TEST(EditeurBend, VibratoCyclesBackToNoneAndNothingIsDrawnWithoutType)
{
    cEditeurBend e;
    e.AppliquerPreset(1);
    for (int attendu : {1, 2, 3, 0}) {
        e.Clic(X(30), Y(100), eBoutonSouris::Droit);
        EXPECT_EQ(e.Grille[30].Vibrato, attendu);
    }
    e.Effacer();
    EXPECT_FALSE(e.Clic(X(30), Y(100), eBoutonSouris::Gauche));
    EXPECT_EQ(e.NbPoints(), 0);
}

TEST(EditeurBend, HighestPointBeforeTheLast)
{
    cEditeurBend e;
    e.IndexAmplitude = 4; // 2 tones
    e.AppliquerPreset(4); // 0:200, 60:200
    EXPECT_EQ(e.HauteurMaxAvantDernier(), 200);
    e.IndexAmplitude = IndexAmplitudeFull;
    e.AppliquerPreset(1);
    e.Clic(X(60), Y(300), eBoutonSouris::Gauche); // only the last point goes high
    EXPECT_EQ(e.HauteurMaxAvantDernier(), 100);
}

// ---------------------------------------------------------------- grace note

TEST_F(Accord6, FreshGraceNoteStartsFromTheNoteAndCancelRemovesIt)
{
    {
        cEditeurGraceNote g(*n);
        EXPECT_TRUE(g.Cree);
        EXPECT_EQ(g.Grace().Case, 7);
        EXPECT_EQ(g.Grace().Nuance, 5);
        EXPECT_EQ(g.Grace().Transition, 0);
        EXPECT_EQ(g.Grace().Duree, 2);
        EXPECT_EQ(g.TexteCase(), "7");
        g.Annuler();
    }
    EXPECT_EQ(n->Effets, nullptr);
}

TEST_F(Accord6, GraceNoteChangesAreLiveAndCancelRestoresTheOldValues)
{
    auto *old = new cEffet_Appogiature;
    old->Case = 255;
    old->Nuance = 2;
    old->Transition = 3;
    old->Duree = 1;
    n->EffetsCrees().Appogiature = old;
    cEditeurGraceNote g(*n);
    EXPECT_FALSE(g.Cree);
    EXPECT_TRUE(g.Morte());
    EXPECT_EQ(g.TexteCase(), "");
    g.ChangerChamp("12");
    g.ChoisirNuance(8);
    g.ChoisirTransition(1);
    g.ChoisirDuree(3);
    EXPECT_EQ(old->Case, 12); // written straight into the model
    EXPECT_EQ(old->Nuance, 8);
    g.Annuler();
    EXPECT_EQ(n->Effets->Appogiature, old);
    EXPECT_EQ(old->Case, 255);
    EXPECT_EQ(old->Nuance, 2);
    EXPECT_EQ(old->Transition, 3);
    EXPECT_EQ(old->Duree, 1);
}

TEST_F(Accord6, GraceNoteFieldsFromAFileAreClampedToTheChoices)
{
    auto *old = new cEffet_Appogiature;
    old->Case = 180;
    old->Nuance = 0;
    old->Transition = 77;
    old->Duree = 9;
    n->EffetsCrees().Appogiature = old;
    cEditeurGraceNote g(*n);
    EXPECT_EQ(old->Case, 99);
    EXPECT_EQ(old->Nuance, 1);
    EXPECT_EQ(old->Transition, 3);
    EXPECT_EQ(old->Duree, 3);
}

TEST_F(Accord6, GraceNoteClearFreesOnlyWhatIsLeftEmpty)
{
    n->EffetsCrees().Slide = true;
    cEditeurGraceNote g(*n);
    g.Effacer();
    ASSERT_NE(n->Effets, nullptr);
    EXPECT_EQ(n->Effets->Appogiature, nullptr);
    EXPECT_TRUE(n->Effets->Slide);
    n->Effets->Slide = false;
    cEditeurGraceNote h(*n);
    h.Effacer();
    EXPECT_EQ(n->Effets, nullptr);
}

TEST(EditeurGraceNote, OkChecksTheFretAgainstTheTrack)
{
    struct {
        const char *Cas;
        bool Morte;
        const char *Champ;
        int NbFrets;
        bool Valide;
    } cas[] = {
        {"24 frets, 24", false, "24", 24, true},  {"24 frets, 25", false, "25", 24, false},
        {"20 frets, 21", false, "21", 20, false}, {"20 frets, 0", false, "0", 20, true},
        {"empty field", false, "", 24, false},    {"dead note, empty", true, "", 24, true},
        {"dead note, too high", true, "80", 24, true},
    };
    for (auto &c : cas)
        EXPECT_EQ(cEditeurGraceNote::Valide(c.Morte, c.Champ, c.NbFrets), c.Valide) << c.Cas;
}

TEST(EditeurGraceNote, FretStepsAndRepeatTimes)
{
    EXPECT_EQ(PasCaseBouton(24, +1, 0), 24);
    EXPECT_EQ(PasCaseBouton(0, -1, 0), 0);
    EXPECT_EQ(PasCaseBouton(40, +1, 0), 24); // a typed value beyond the buttons' range
    EXPECT_EQ(PasCaseBouton(10, +1, 29), 11);
    EXPECT_EQ(PasCaseBouton(10, +1, 30), 13);  // from the thirtieth repeat, steps of 3
    EXPECT_EQ(PasCaseBouton(23, +1, 31), 24);
    EXPECT_EQ(PasCaseBouton(4, -1, 35), 3);
    EXPECT_EQ(PasCaseClavier(0, -1), 0);
    EXPECT_EQ(PasCaseClavier(30, +1), 31);
    EXPECT_EQ(DelaiRepetitionCase(0), 300);
    EXPECT_EQ(DelaiRepetitionCase(1), 100);
    EXPECT_EQ(DelaiRepetitionCase(9), 100);
    EXPECT_EQ(DelaiRepetitionCase(10), 50); // the eleventh repeat
}

// ---------------------------------------------------------------- brush

TEST_F(Accord6, BrushIsSetAtOnceAndOkClearsTheOtherBrush)
{
    a.EffetsCrees().BrushDown = 2;
    cEditeurBrush b(a, true, 3);
    EXPECT_EQ(a.Effets->BrushUp, 3); // playing while the editor is open includes it
    b.Choisir(5);
    EXPECT_EQ(a.Effets->BrushUp, 5);
    EXPECT_EQ(b.Valider(), 5);
    EXPECT_EQ(a.Effets->BrushUp, 5);
    EXPECT_EQ(a.Effets->BrushDown, 0);
}

TEST_F(Accord6, CancelledBrushLeavesTheBeatAsItWas)
{
    {
        cEditeurBrush b(a, false, 3);
        b.Choisir(6);
        b.Annuler();
    }
    EXPECT_EQ(a.Effets, nullptr);
    a.EffetsCrees().BrushUp = 4;
    a.Effets->Vibrato = true;
    cEditeurBrush b(a, false, 9); // an out-of-range remembered duration opens on 6
    EXPECT_EQ(b.Choix, 6);
    b.Annuler();
    ASSERT_NE(a.Effets, nullptr);
    EXPECT_EQ(a.Effets->BrushUp, 4);
    EXPECT_EQ(a.Effets->BrushDown, 0);
    EXPECT_TRUE(a.Effets->Vibrato);
}

TEST_F(Accord6, BrushToggleClearsASetBrush)
{
    EXPECT_FALSE(EffacerBrush(a, true)); // not set: the editor opens instead
    a.EffetsCrees().BrushUp = 2;
    EXPECT_FALSE(EffacerBrush(a, false));
    EXPECT_TRUE(EffacerBrush(a, true));
    EXPECT_EQ(a.Effets, nullptr);
}

// ---------------------------------------------------------------- stroke of the vibrato

TEST_F(Accord6, StrokeOfVibratoOpensOnAValidValue)
{
    EXPECT_EQ(CoupVibratoInitial(a), 1); // no beat effects
    a.EffetsCrees().Vibrato = true;
    EXPECT_EQ(CoupVibratoInitial(a), 1); // effects, but no stroke: not 0
    a.Effets->CoupVibrato = 250;
    EXPECT_EQ(CoupVibratoInitial(a), 2.5);
    a.Effets->CoupVibrato = 5000; // beyond what OK accepts
    EXPECT_EQ(CoupVibratoInitial(a), 1);
    a.Effets->CoupVibrato = -3;
    EXPECT_EQ(CoupVibratoInitial(a), 1);
}

TEST(EditeurCoupVibrato, FieldTextSteppingAndReading)
{
    EXPECT_EQ(TexteCoupVibrato(1, '.'), "1");
    EXPECT_EQ(TexteCoupVibrato(2.5, ','), "2,5");
    EXPECT_EQ(TexteCoupVibrato(0.25, '.'), "0.25");
    EXPECT_EQ(MonterCoupVibrato(5.5), 6);
    EXPECT_EQ(MonterCoupVibrato(6), 6);
    EXPECT_EQ(MonterCoupVibrato(7), 7); // typed above 6: up does nothing
    EXPECT_EQ(DescendreCoupVibrato(1), 0.5);
    EXPECT_EQ(DescendreCoupVibrato(0.5), 0.5);
    EXPECT_EQ(DescendreCoupVibrato(0.7), 0.5);
    struct {
        const char *Texte;
        bool Accepte;
        double Valeur;
    } cas[] = {
        {"2.5", true, 2.5}, {"2,5", true, 2.5}, {"6", true, 6},   {".5", true, 0.5},
        {"", false, 0},     {".", false, 0},    {",.", false, 0}, {"0", false, 0},
        {"6.5", false, 0},  {"1.2.", false, 0}, {"a", false, 0},
    };
    for (auto &c : cas) {
        double v = -1;
        EXPECT_EQ(LireCoupVibrato(c.Texte, v), c.Accepte) << c.Texte;
        if (c.Accepte) {
            EXPECT_EQ(v, c.Valeur) << c.Texte;
        }
    }
}

TEST_F(Accord6, StrokeOfVibratoOkStoresHundredthsAndClearsTheSingleEffects)
{
    a.EffetsCrees().TremoloBar = true;
    a.Effets->BrushUp = 3;
    AppliquerCoupVibrato(a, 2.5);
    EXPECT_EQ(a.Effets->CoupVibrato, 250);
    EXPECT_FALSE(a.Effets->TremoloBar);
    EXPECT_EQ(a.Effets->BrushUp, 3); // brushes combine with everything
    EXPECT_TRUE(EffacerCoupVibrato(a));
    EXPECT_EQ(a.Effets->CoupVibrato, 0);
    EXPECT_FALSE(EffacerCoupVibrato(a));
}
