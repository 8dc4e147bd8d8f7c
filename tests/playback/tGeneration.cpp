// Events of beats and bars: notes, ties and let ring, brushes, harmonics, bends, slides,
// vibratos, grace and dead notes, mix table ramps, triplet feel and the metronome.
// Track 1 plays on channel 1 (statuses 0x90, 0x80, 0xB0, 0xE0) and its effect channel is 2
// (0x91, 0x81, 0xB1, 0xE1). Open strings: 64 59 55 50 45 40. Dynamic 6 gives velocity 95.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "playback/uGeneration.h"
#include "support/FabriqueMidi.h"
#include "support/Invariants.h"

namespace {

enum class eMode { Preview, Lecture, Export };

std::vector<rEvt> Generer(cPartition &p, const rOptionsGeneration &o, eMode mode, int piste = 1)
{
    cGenerateurMidi g(&p);
    g.Options = o;
    g.EnLecture = mode == eMode::Lecture;
    g.EnExport = mode == eMode::Export;
    g.CreerListes(1, false);
    for (int m = 1; m <= p.NbMesures; ++m)
        g.GenererMesure(1, m, 0, p.MesureNumero(m)->Longueur, false);
    return EvenementsDe(*g.Piles[1].ListeDe(p.PisteNumero(piste)));
}

cEffets_Accord &EffetsDe(cAccord *a) { return a->EffetsCrees(); }

struct rCas {
    const char *Nom;
    int NbMesures;
    std::function<void(cPartition &)> Construire;
    std::vector<rEvt> Attendu;
    int Type = 0; // keep only this status kind; 0 keeps all
    std::function<void(rOptionsGeneration &)> Reglages = nullptr;
    eMode Mode = eMode::Lecture;
};

class Generation : public ::testing::TestWithParam<rCas> {};

TEST_P(Generation, Evenements)
{
    const rCas &c = GetParam();
    std::unique_ptr<cPartition> p(NouvellePartitionMidi(c.NbMesures));
    c.Construire(*p);
    FinirPartitionMidi(*p);
    ASSERT_TRUE(ScoreCoherent(*p));
    rOptionsGeneration o;
    if (c.Reglages)
        c.Reglages(o);
    std::vector<rEvt> v = Generer(*p, o, c.Mode);
    if (c.Type)
        v = Filtrer(v, c.Type);
    EXPECT_EQ(v, c.Attendu);
}

const std::vector<rEvt> BrushDescendant = {
    {0, 0x90, 64, 95},  {64, 0x90, 59, 95},  {128, 0x90, 55, 95}, {192, 0x90, 50, 95},
    {256, 0x90, 45, 95}, {320, 0x90, 40, 95}, {480, 0x80, 64, 80}, {480, 0x80, 59, 80},
    {480, 0x80, 55, 80}, {480, 0x80, 50, 80}, {480, 0x80, 45, 80}, {480, 0x80, 40, 80}};

void Accord6(cAccord *a)
{
    for (int s = 1; s <= 6; ++s)
        NoteMidi(a, s, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Regles, Generation,
    ::testing::Values(
        rCas{"NoteSimple", 1,
             [](cPartition &p) { NoteMidi(TempsMidi(p, 1, 1, 1), 1, 3); },
             {{0, 0x90, 67, 95}, {480, 0x80, 67, 80}}},
        rCas{"NotesLieesUnSeulOnEtOff", 1,
             [](cPartition &p) {
                 NoteMidi(TempsMidi(p, 1, 1, 1), 1, 3);
                 NoteMidi(TempsMidi(p, 1, 1, 2), 1, 3, 2);
             },
             {{0, 0x90, 67, 95}, {960, 0x80, 67, 80}}},
        // Let ring through empty strings stops at the measure's length, even over a bar line.
        rCas{"LetRingJusquALaLongueurDeMesure", 2,
             [](cPartition &p) {
                 NoteMidi(TempsMidi(p, 1, 1, 1), 1, 0)->EffetsCrees().LetRing = true;
                 for (int b = 2; b <= 4; ++b)
                     NoteMidi(TempsMidi(p, 1, 1, b), 6, 1);
                 NoteMidi(TempsMidi(p, 2, 1, 1), 6, 1);
             },
             {{0, 0x90, 64, 95},
              {480, 0x90, 41, 95},
              {960, 0x80, 41, 80},
              {960, 0x90, 41, 95},
              {1440, 0x80, 41, 80},
              {1440, 0x90, 41, 95},
              {1920, 0x80, 64, 80},
              {1920, 0x80, 41, 80},
              {1920, 0x90, 41, 95},
              {2400, 0x80, 41, 80}}},
        rCas{"LetRingJusquAuSilence", 1,
             [](cPartition &p) {
                 NoteMidi(TempsMidi(p, 1, 1, 1), 1, 0)->EffetsCrees().LetRing = true;
                 TempsMidi(p, 1, 1, 2)->Etat = 2;
                 NoteMidi(TempsMidi(p, 1, 1, 3), 6, 1);
             },
             {{0, 0x90, 64, 95}, {480, 0x80, 64, 80}, {960, 0x90, 41, 95},
              {1440, 0x80, 41, 80}}},
        // Spread min(480, 0.8 × 480) = 384 over six strings: 64 ticks apart, offs together.
        rCas{"Brush6Descendant", 1,
             [](cPartition &p) {
                 cAccord *a = TempsMidi(p, 1, 1, 1);
                 Accord6(a);
                 EffetsDe(a).BrushDown = 6;
             },
             BrushDescendant},
        rCas{"Brush6Montant", 1,
             [](cPartition &p) {
                 cAccord *a = TempsMidi(p, 1, 1, 1);
                 Accord6(a);
                 EffetsDe(a).BrushUp = 6;
             },
             {{0, 0x90, 40, 95}, {64, 0x90, 45, 95}, {128, 0x90, 50, 95}, {192, 0x90, 55, 95},
              {256, 0x90, 59, 95}, {320, 0x90, 64, 95}},
             0x90},
        rCas{"Brush1", 1,
             [](cPartition &p) {
                 cAccord *a = TempsMidi(p, 1, 1, 1);
                 NoteMidi(a, 1, 0);
                 NoteMidi(a, 2, 0);
                 NoteMidi(a, 3, 0);
                 EffetsDe(a).BrushDown = 1; // 15 ticks over six strings
             },
             {{0, 0x90, 64, 95}, {2.5, 0x90, 59, 95}, {5, 0x90, 55, 95}},
             0x90},
        rCas{"HarmoniqueNaturelleCase7", 1,
             [](cPartition &p) {
                 cAccord *a = TempsMidi(p, 1, 1, 1);
                 NoteMidi(a, 1, 7);
                 NoteMidi(a, 2, 3); // no harmonic at 3: keeps the transposition of string 1
                 EffetsDe(a).HarmoniqueNaturelle = true;
             },
             {{0, 0x90, 83, 95}, {0, 0x90, 74, 95}},
             0x90},
        rCas{"HarmoniqueNaturelleCase12Et5", 1,
             [](cPartition &p) {
                 cAccord *a = TempsMidi(p, 1, 1, 1);
                 NoteMidi(a, 1, 12);
                 NoteMidi(a, 2, 5);
                 EffetsDe(a).HarmoniqueNaturelle = true;
             },
             {{0, 0x90, 76, 95}, {0, 0x90, 83, 95}},
             0x90},
        rCas{"HarmoniqueArtificielle", 1,
             [](cPartition &p) {
                 cAccord *a = TempsMidi(p, 1, 1, 1);
                 NoteMidi(a, 1, 3);
                 EffetsDe(a).HarmoniqueArtificielle = true;
             },
             {{0, 0x90, 79, 95}},
             0x90},
        // Above a whole tone with the narrow range: no wheel at all, the note on channel 2.
        rCas{"BendAuDessusDe100AvecLimitBend", 1,
             [](cPartition &p) {
                 cNote *n = NoteMidi(TempsMidi(p, 1, 1, 1), 1, 0);
                 n->EffetsCrees().Bend = new cEffet_Bend;
                 n->Effets->Bend->Type = 1;
                 n->Effets->Bend->AjouterForme(0, 0);
                 n->Effets->Bend->AjouterForme(30, 150);
                 n->Effets->Bend->AjouterForme(60, 0);
             },
             {{0, 0x91, 64, 95}, {480, 0x81, 64, 80}},
             0,
             [](rOptionsGeneration &o) { o.LimitBend[1] = true; }},
        // From 5 to 5: one semitone up at 80 % of the note; the next note is softened.
        rCas{"SlideDeCinqACinq", 1,
             [](cPartition &p) {
                 NoteMidi(TempsMidi(p, 1, 1, 1), 1, 5)->EffetsCrees().Slide = true;
                 NoteMidi(TempsMidi(p, 1, 1, 2), 1, 5);
             },
             {{0, 0x91, 69, 95},
              {384, 0xE1, 0, 72},
              {480, 0x81, 69, 80},
              {480, 0xE1, 0, 64},
              {480, 0x90, 69, 76},
              {960, 0x80, 69, 80}}},
        rCas{"SlideDeCinqANeufLimitBend", 1,
             [](cPartition &p) {
                 NoteMidi(TempsMidi(p, 1, 1, 1), 1, 5)->EffetsCrees().Slide = true;
                 NoteMidi(TempsMidi(p, 1, 1, 2), 1, 9);
             },
             {{240, 0xE1, 0, 96}, {320, 0xE1, 0, 127}, {400, 0xE1, 0, 127}, {480, 0xE1, 0, 64}},
             0xE0,
             [](rOptionsGeneration &o) { o.LimitBend[1] = true; }},
        rCas{"SlideDescendant", 1,
             [](cPartition &p) {
                 NoteMidi(TempsMidi(p, 1, 1, 1), 1, 9)->EffetsCrees().Slide = true;
                 NoteMidi(TempsMidi(p, 1, 1, 2), 1, 6);
             },
             {{240, 0xE1, 0, 56}, {360, 0xE1, 0, 48}, {480, 0xE1, 0, 64}},
             0xE0},
        // A slide off the end of the track has no target: nothing is rendered.
        rCas{"SlideSansCible", 1,
             [](cPartition &p) {
                 NoteMidi(TempsMidi(p, 1, 1, 1), 1, 5)->EffetsCrees().Slide = true;
             },
             {},
             0xE0},
        rCas{"SlideSansEffets", 1,
             [](cPartition &p) {
                 NoteMidi(TempsMidi(p, 1, 1, 1), 1, 5)->EffetsCrees().Slide = true;
                 NoteMidi(TempsMidi(p, 1, 1, 2), 1, 7);
             },
             {{0, 0x91, 69, 95}, {480, 0x81, 69, 80}, {480, 0x90, 71, 95}, {960, 0x80, 71, 80}},
             0,
             [](rOptionsGeneration &o) { o.ExportEffects = false; },
             eMode::Export},
        rCas{"HammerAdoucitLaNoteSuivante", 1,
             [](cPartition &p) {
                 NoteMidi(TempsMidi(p, 1, 1, 1), 1, 3)->EffetsCrees().HammerPullOff = true;
                 NoteMidi(TempsMidi(p, 1, 1, 2), 1, 5);
                 NoteMidi(TempsMidi(p, 1, 1, 3), 1, 7);
             },
             {{0, 0x90, 67, 95}, {480, 0x90, 69, 76}, {960, 0x90, 71, 95}},
             0x90},
        rCas{"NoteMorte", 1,
             [](cPartition &p) { NoteMidi(TempsMidi(p, 1, 1, 1), 2, 7, 3); },
             {{0, 0x90, 59, 95}, {20, 0x80, 59, 80}}},
        rCas{"Appogiature", 1,
             [](cPartition &p) {
                 TempsMidi(p, 1, 1, 1)->Etat = 2;
                 cNote *n = NoteMidi(TempsMidi(p, 1, 1, 2), 1, 3);
                 auto *g = new cEffet_Appogiature;
                 g->Case = 2;
                 g->Duree = 2;
                 g->Nuance = 8;
                 n->EffetsCrees().Appogiature = g;
             },
             {{420, 0x90, 66, 127}, {479, 0x80, 66, 80}, {480, 0x90, 67, 95},
              {960, 0x80, 67, 80}}},
        rCas{"AppogiatureMorteEtSansEffets", 1,
             [](cPartition &p) {
                 TempsMidi(p, 1, 1, 1)->Etat = 2;
                 cNote *n = NoteMidi(TempsMidi(p, 1, 1, 2), 1, 3);
                 auto *g = new cEffet_Appogiature;
                 g->Case = 255;
                 g->Duree = 3;
                 n->EffetsCrees().Appogiature = g;
             },
             {{360, 0x90, 64, 95}, {479, 0x80, 64, 80}, {480, 0x90, 67, 95},
              {960, 0x80, 67, 80}},
             0,
             [](rOptionsGeneration &o) { o.ExportEffects = false; },
             eMode::Export},
        rCas{"DouzeCordes", 1,
             [](cPartition &p) {
                 p.PremierePiste->DouzeCordes = true;
                 cAccord *a = TempsMidi(p, 1, 1, 1);
                 NoteMidi(a, 1, 0);
                 NoteMidi(a, 3, 0);
             },
             {{0, 0x90, 64, 95},
              {0, 0x90, 55, 95},
              {4, 0x90, 67, 76},
              {480, 0x80, 64, 80},
              {480, 0x80, 55, 80},
              {480, 0x80, 67, 80}}},
        rCas{"Banjo5", 1,
             [](cPartition &p) {
                 p.PremierePiste->Banjo5 = true;
                 cAccord *a = TempsMidi(p, 1, 1, 1);
                 NoteMidi(a, 5, 7);
                 NoteMidi(a, 4, 7);
             },
             {{0, 0x90, 57, 95}, {0, 0x90, 47, 95}},
             0x90},
        rCas{"VibratoEtroit", 1,
             [](cPartition &p) {
                 cAccord *a = TempsMidi(p, 1, 1, 1);
                 NoteMidi(a, 1, 0);
                 EffetsDe(a).Vibrato = true;
             },
             {{80, 0xE1, 0, 64},
              {160, 0xE1, 0, 67},
              {240, 0xE1, 0, 64},
              {320, 0xE1, 0, 67},
              {400, 0xE1, 0, 64},
              {480, 0xE1, 0, 67},
              {480, 0xE1, 0, 64}},
             0xE0},
        rCas{"VibratoLarge", 1,
             [](cPartition &p) {
                 cAccord *a = TempsMidi(p, 1, 1, 1);
                 NoteMidi(a, 1, 0);
                 EffetsDe(a).TremoloBar = true;
             },
             {{0, 0x91, 64, 95}, {100, 0xE1, 0, 58}, {200, 0xE1, 0, 70}, {300, 0xE1, 0, 58},
              {400, 0xE1, 0, 70}, {480, 0xE1, 0, 64}, {480, 0x81, 64, 80}}},
        rCas{"CoupDeVibrato", 1,
             [](cPartition &p) {
                 cAccord *a = TempsMidi(p, 1, 1, 1);
                 NoteMidi(a, 1, 0);
                 EffetsDe(a).CoupVibrato = 100;
             },
             {{30, 0xE1, 0, 60},
              {60, 0xE1, 0, 56},
              {90, 0xE1, 0, 52},
              {120, 0xE1, 0, 48},
              {150, 0xE1, 0, 48},
              {180, 0xE1, 0, 50},
              {210, 0xE1, 0, 52},
              {240, 0xE1, 0, 54},
              {270, 0xE1, 0, 56},
              {300, 0xE1, 0, 58},
              {330, 0xE1, 0, 60},
              {420, 0xE1, 0, 62},
              {480, 0xE1, 0, 64}},
             0xE0},
        rCas{"CoupDeVibratoLimitBendTropProfond", 1,
             [](cPartition &p) {
                 cAccord *a = TempsMidi(p, 1, 1, 1);
                 NoteMidi(a, 1, 0);
                 EffetsDe(a).CoupVibrato = 150;
             },
             {{0, 0x91, 64, 95}, {480, 0x81, 64, 80}},
             0,
             [](rOptionsGeneration &o) { o.LimitBend[1] = true; }},
        // The ramp 13 -> 0 over one beat: five steps of 120 ticks, on both channels.
        rCas{"RampeDeVolume", 1,
             [](cPartition &p) {
                 cAccord *a = TempsMidi(p, 1, 1, 1);
                 a->TableMix = new cTableMixEvent;
                 a->TableMix->Volume = 0;
                 a->TableMix->TransVolume = 1;
             },
             {{0, 0xB0, 7, 83},
              {0, 0xB1, 7, 83},
              {120, 0xB0, 7, 62},
              {120, 0xB1, 7, 62},
              {240, 0xB0, 7, 42},
              {240, 0xB1, 7, 42},
              {360, 0xB0, 7, 21},
              {360, 0xB1, 7, 21},
              {480, 0xB0, 7, 0},
              {480, 0xB1, 7, 0}},
             0xB0},
        // Values start from the last change: the second one ramps 0 -> 16 in one step.
        rCas{"ChangementsSuccessifsEtInstrument", 1,
             [](cPartition &p) {
                 cAccord *a = TempsMidi(p, 1, 1, 1);
                 a->TableMix = new cTableMixEvent;
                 a->TableMix->Balance = 0;
                 a->TableMix->Instrument = 40;
                 cAccord *b = TempsMidi(p, 1, 1, 2);
                 b->TableMix = new cTableMixEvent;
                 b->TableMix->Balance = 16;
             },
             {{0, 0xC0, 40, 0},
              {0, 0xC1, 40, 0},
              {0, 0xB0, 10, 0},
              {0, 0xB1, 10, 0},
              {480, 0xB0, 10, 127},
              {480, 0xB1, 10, 127}}},
        rCas{"FadeIn", 1,
             [](cPartition &p) {
                 cAccord *a = TempsMidi(p, 1, 1, 1);
                 NoteMidi(a, 1, 0);
                 EffetsDe(a).FadeIn = true;
             },
             {{0, 0xB0, 7, 26},
              {0, 0xB1, 7, 26},
              {120, 0xB0, 7, 52},
              {120, 0xB1, 7, 52},
              {240, 0xB0, 7, 78},
              {240, 0xB1, 7, 78},
              {360, 0xB0, 7, 104},
              {360, 0xB1, 7, 104}},
             0xB0},
        // Triplet feel: a pair of eighths sounds 320 + 160.
        rCas{"TripletFeel", 1,
             [](cPartition &p) {
                 p.Informations->TripletFeel = true;
                 NoteMidi(TempsMidi(p, 1, 1, 1, 1), 1, 0);
                 NoteMidi(TempsMidi(p, 1, 1, 2, 1), 1, 2);
             },
             {{0, 0x90, 64, 95}, {320, 0x80, 64, 80}, {320, 0x90, 66, 95},
              {480, 0x80, 66, 80}},
             0,
             nullptr,
             eMode::Export},
        rCas{"TripletFeelPasEnApercu", 1,
             [](cPartition &p) {
                 p.Informations->TripletFeel = true;
                 NoteMidi(TempsMidi(p, 1, 1, 1, 1), 1, 0);
                 NoteMidi(TempsMidi(p, 1, 1, 2, 1), 1, 2);
             },
             {{0, 0x90, 64, 95}, {240, 0x80, 64, 80}, {240, 0x90, 66, 95},
              {480, 0x80, 66, 80}},
             0,
             nullptr,
             eMode::Preview}),
    [](const auto &info) { return std::string(info.param.Nom); });

TEST(Generation, BendSansLimitMonteDUnTon)
{
    std::unique_ptr<cPartition> p(NouvellePartitionMidi(1));
    cNote *n = NoteMidi(TempsMidi(*p, 1, 1, 1), 1, 0);
    n->EffetsCrees().Bend = new cEffet_Bend;
    n->Effets->Bend->Type = 1;
    n->Effets->Bend->AjouterForme(0, 0);
    n->Effets->Bend->AjouterForme(30, 100);
    n->Effets->Bend->AjouterForme(60, 100);
    FinirPartitionMidi(*p);
    const std::vector<rEvt> v = Filtrer(Generer(*p, {}, eMode::Lecture), 0xE0);
    ASSERT_GE(v.size(), 3u);
    EXPECT_EQ(v.front(), (rEvt{0, 0xE1, 0, 64}));
    EXPECT_EQ(v.back(), (rEvt{480, 0xE1, 0, 64}));
    // A whole tone is 16 steps with the wide range; each change is one event, 16 ticks apart.
    EXPECT_EQ(v[v.size() - 2].D2, 80);
    for (std::size_t i = 1; i + 1 < v.size(); ++i) {
        EXPECT_GT(v[i].D2, v[i - 1].D2);
        EXPECT_EQ(std::fmod(v[i].Temps, 16.0), 0.0);
    }
    // With the narrow range the same curve reaches 64 + 64, clamped to 127.
    rOptionsGeneration o;
    o.LimitBend[1] = true;
    const std::vector<rEvt> w = Filtrer(Generer(*p, o, eMode::Lecture), 0xE0);
    ASSERT_GE(w.size(), 2u);
    EXPECT_EQ(w[w.size() - 2].D2, 127);
}

TEST(Generation, MetronomeSixHuit)
{
    std::unique_ptr<cPartition> p(NouvellePartitionMidi(1));
    p->MesureNumero(1)->ChangerSignature(6, 8);
    FinirPartitionMidi(*p);
    cGenerateurMidi g(p.get());
    g.CreerListes(1);
    g.GenererMesure(1, 1, 0, p->MesureNumero(1)->Longueur, false);
    const std::vector<rEvt> v = EvenementsDe(*g.Piles[1].ListeDe(&g.PisteMetronome));
    std::vector<rEvt> attendu;
    for (int k = 0; k < 6; ++k) {
        attendu.push_back({240.0 * k, 0x99, 37, k == 0 ? 127 : 90});
        attendu.push_back({240.0 * k + 60, 0x89, 37, 50});
    }
    EXPECT_EQ(v, attendu);
    EXPECT_DOUBLE_EQ(g.Piles[1].Decalage, 1440);

    // Starting in the middle of a bar skips the clicks before the start; half volume, no
    // first-beat emphasis.
    cGenerateurMidi h(p.get());
    h.Options.MetronomeVolume = 8;
    h.Options.DifferentMetronomeFirstSound = false;
    h.CreerListes(1);
    h.Piles[1].Decalage = 1000;
    h.GenererMesure(1, 1, 500, 1440, true);
    const std::vector<rEvt> w = Filtrer(EvenementsDe(*h.Piles[1].ListeDe(&h.PisteMetronome)), 0x90);
    EXPECT_EQ(w, (std::vector<rEvt>{{1220, 0x99, 37, 45}, {1460, 0x99, 37, 45},
                                    {1700, 0x99, 37, 45}}));
    EXPECT_DOUBLE_EQ(h.Piles[1].Decalage, 1940);
}

TEST(Generation, MesureAPartirDUnTempsEtDecalage)
{
    std::unique_ptr<cPartition> p(NouvellePartitionMidi(1));
    for (int b = 1; b <= 4; ++b)
        NoteMidi(TempsMidi(*p, 1, 1, b), 1, b);
    FinirPartitionMidi(*p);
    cGenerateurMidi g(p.get());
    g.CreerListes(1, false);
    g.Piles[1].Decalage = 100;
    g.GenererMesure(1, 1, 960, 1920, false);
    const std::vector<rEvt> v = Filtrer(EvenementsDe(*g.Piles[1].PremiereListe), 0x90);
    EXPECT_EQ(v, (std::vector<rEvt>{{100, 0x90, 67, 95}, {580, 0x90, 68, 95}}));
}

TEST(Generation, TempoDesTablesDeMixage)
{
    std::unique_ptr<cPartition> p(NouvellePartitionMidi(1));
    cAccord *a = TempsMidi(*p, 1, 1, 1);
    a->TableMix = new cTableMixEvent;
    a->TableMix->Tempo = 60;
    cAccord *b = TempsMidi(*p, 1, 1, 2);
    b->TableMix = new cTableMixEvent;
    b->TableMix->Tempo = 100;
    b->TableMix->TransTempo = 1; // 60 -> 100 in four steps of 120 ticks
    cAccord *c = TempsMidi(*p, 1, 1, 3);
    c->TableMix = new cTableMixEvent;
    c->TableMix->Tempo = 0; // no valid tempo: ignored
    FinirPartitionMidi(*p);
    cGenerateurMidi g(p.get());
    g.CreerListes(1, false);
    g.GenererMesure(1, 1, 0, 1920, false);
    std::vector<std::pair<double, int>> tempos;
    for (const cEvtPile *e = g.ListeTempo.Premier; e; e = e->Suivant) {
        EXPECT_EQ(e->Statut, 0);
        tempos.push_back({e->Temps, (e->Donnee1 << 16) | (e->Donnee2 << 8) | e->Donnee3});
    }
    EXPECT_EQ(tempos, (std::vector<std::pair<double, int>>{
                          {0, 1000000}, {600, 857142}, {720, 750000}, {840, 666666},
                          {960, 600000}}));
    EXPECT_DOUBLE_EQ(g.TempoCourant, 100);
}

} // namespace
