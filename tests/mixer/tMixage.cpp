// The mix table's arithmetic and edits: gauges, scrolled columns, values written to both
// channels of a track, solo and mute, the 128-entry instrument list, and the mix table change
// dialog's values.
#include <gtest/gtest.h>

#include "mixer/uEvenementMix.h"
#include "mixer/uMixage.h"
#include "model/uAccord.h"
#include "model/uMesurePiste.h"
#include "model/uPartition.h"
#include "playback/uPortsSortie.h"

namespace {

std::unique_ptr<cPartition> Partition()
{
    auto p = std::make_unique<cPartition>();
    p->Nouveau();
    return p;
}

TEST(Jauges, StoreNearestThirdAndShowWithOffset)
{
    struct rCas {
        const char *Nom;
        int Position, Valeur;
    } cas[] = {
        {"zero", 0, 0},
        {"one third rounds down", 1, 0},
        {"two thirds rounds up", 2, 1},
        {"pan 26 is 9", 26, 9},
        {"pan 24 is 8", 24, 8},
        {"top", 48, 16},
        {"below the range is clamped", -7, 0},
        {"above the range is clamped", 70, 16},
    };
    for (const rCas &c : cas) {
        SCOPED_TRACE(c.Nom);
        EXPECT_EQ(ValeurDeJauge(c.Position), c.Valeur);
    }
    EXPECT_EQ(JaugeDeValeur(9), 27);
    EXPECT_EQ(JaugeDeValeur(200), 48);
    // The change dialog's pan shows -8..+8 around the centre.
    EXPECT_EQ(ValeurAffichee(0, -24), -8);
    EXPECT_EQ(ValeurAffichee(24, -24), 0);
    EXPECT_EQ(ValeurAffichee(26, -24), 1);
    EXPECT_EQ(ValeurAffichee(48, -24), 8);
}

TEST(Jauges, CompactStepsAndRepeat)
{
    EXPECT_EQ(PasJaugeCompacte(24, true), 27);
    EXPECT_EQ(PasJaugeCompacte(24, false), 21);
    EXPECT_EQ(PasJaugeCompacte(47, true), 48);
    EXPECT_EQ(PasJaugeCompacte(1, false), 0);
    EXPECT_EQ(DelaiRepetitionJauge(0), 200);
    EXPECT_EQ(DelaiRepetitionJauge(1), 170);
    EXPECT_EQ(DelaiRepetitionJauge(5), 50);
    EXPECT_EQ(DelaiRepetitionJauge(40), 50);
}

TEST(Colonnes, HorizontalScrollHidesFromTheLeft)
{
    struct rCas {
        TMixList Colonne;
        int DernierePositionVisible; // -1: never hidden
    } cas[] = {
        {TMixList::mPort, 0},     {TMixList::mChannel, 1},  {TMixList::mChannelE, 2},
        {TMixList::mInstrument, 3}, {TMixList::mVolume, 4}, {TMixList::mPan, 5},
        {TMixList::mChorus, 6},   {TMixList::mReverb, 7},   {TMixList::mPhaser, 8},
        {TMixList::mTremolo, 9},  {TMixList::mNumPiste, -1}, {TMixList::mSoloMute, -1},
        {TMixList::mNomPiste, -1}, {TMixList::mView, -1},
    };
    for (const rCas &c : cas) {
        SCOPED_TRACE(static_cast<int>(c.Colonne));
        for (int p = 0; p <= 10; ++p)
            EXPECT_EQ(ColonneVisible(c.Colonne, p),
                      c.DernierePositionVisible < 0 || p <= c.DernierePositionVisible)
                << "position " << p;
    }
}

TEST(Strip, ValuesGoToBothChannelsOfTheTrack)
{
    auto p = Partition();
    cPiste &t = *p->PremierePiste;
    t.Port = 2;
    t.Canal = 3;
    t.CanalEffets = 4;
    p->Canaux[2][3].Balance = 8;
    p->Canaux[2][4].Balance = 8;
    rMessageMix m;
    ASSERT_TRUE(ChangerValeurMix(*p, t, TMixList::mPan, 26, m));
    EXPECT_EQ(p->Canaux[2][3].Balance, 9);
    EXPECT_EQ(p->Canaux[2][4].Balance, 9);
    EXPECT_EQ(m.Base, 0xB0);
    EXPECT_EQ(m.Donnee1, 10);
    EXPECT_EQ(m.Donnee2, 72);
    EXPECT_FALSE(ChangerValeurMix(*p, t, TMixList::mPan, 27, m)) << "27 is 9 again: nothing";
    ASSERT_TRUE(ChangerValeurMix(*p, t, TMixList::mVolume, 48, m));
    EXPECT_EQ(m.Donnee1, 7);
    EXPECT_EQ(m.Donnee2, 127) << "16 goes out as 127";
    for (auto [c, controleur] : {std::pair{TMixList::mChorus, 93}, {TMixList::mReverb, 91},
                                 {TMixList::mPhaser, 92}, {TMixList::mTremolo, 95}}) {
        ASSERT_TRUE(ChangerValeurMix(*p, t, c, 3, m));
        EXPECT_EQ(m.Donnee1, controleur);
        EXPECT_EQ(m.Donnee2, 8);
    }
    EXPECT_EQ(p->Canaux[2][4].Tremolo, 1);
    EXPECT_FALSE(ChangerValeurMix(*p, t, TMixList::mNomPiste, 3, m));

    ASSERT_TRUE(ChangerInstrument(*p, t, 30, m));
    EXPECT_EQ(p->Canaux[2][3].Instrument, 30);
    EXPECT_EQ(p->Canaux[2][4].Instrument, 30);
    EXPECT_EQ(m.Base, 0xC0);
    EXPECT_EQ(m.Donnee1, 30);
    ChangerInstrument(*p, t, 400, m);
    EXPECT_EQ(p->Canaux[2][3].Instrument, 127);
}

TEST(Strip, DamagedPortAndChannelsNeverIndexOutside)
{
    auto p = Partition();
    cPiste &t = *p->PremierePiste;
    t.Port = 9;
    t.Canal = -4;
    t.CanalEffets = 99;
    rMessageMix m;
    ChangerValeurMix(*p, t, TMixList::mVolume, 30, m);
    EXPECT_EQ(p->Canaux[4][1].Volume, 10);
    EXPECT_EQ(p->Canaux[4][16].Volume, 10);
    const TPL_MixTable_Values_UnePiste v = ValeursStrip(*p, t);
    EXPECT_EQ(v.Port, 4);
    EXPECT_EQ(v.Canal, 1);
    EXPECT_EQ(v.CanalEffets, 16);
    EXPECT_EQ(v.Jauges[0], 30);
}

TEST(Strip, SoloClearsMuteAndTheReverse)
{
    cPiste t;
    t.Muet = true;
    ChangerSolo(t, true);
    EXPECT_TRUE(t.Solo);
    EXPECT_FALSE(t.Muet);
    ChangerMuet(t, true);
    EXPECT_TRUE(t.Muet);
    EXPECT_FALSE(t.Solo);
    ChangerMuet(t, false);
    EXPECT_FALSE(t.Muet);
    EXPECT_FALSE(t.Solo);
}

TEST(Instruments, AlwaysOneHundredTwentyEightEntries)
{
    cPatchInstrument court;
    court.Nom = "Court";
    std::string contenu;
    for (int n = 0; n < 100; ++n)
        contenu += "Sound " + std::to_string(n) + "\r\n";
    court.ChargerDepuis(&contenu, "(none)", "(not found)");
    ASSERT_EQ(court.Instruments.size(), 100u);

    const auto v = ListeInstruments(&court, false, "Drum kit");
    ASSERT_EQ(v.size(), 128u);
    EXPECT_EQ(v[0], "0 - Sound 0");
    EXPECT_EQ(v[99], "99 - Sound 99");
    EXPECT_EQ(v[100], "100") << "a program past the list shows its number";
    EXPECT_EQ(v[127], "127");

    const auto b = ListeInstruments(&court, true, "Drum kit");
    ASSERT_EQ(b.size(), 128u);
    EXPECT_EQ(b[5], "5 - Drum kit 5");
    EXPECT_EQ(ListeInstruments(nullptr, false, "").size(), 128u);
}

TEST(ConfigurationMidi, DuplicateDevicesButNotEmptyRows)
{
    struct rCas {
        const char *Nom;
        std::array<int, 4> Indices;
        int Port;
    } cas[] = {
        {"all different", {1, 2, 3, 4}, 0},
        {"rows without a device are no duplicates", {1, 0, 0, 0}, 0},
        {"port 3 repeats port 1", {2, 1, 2, 0}, 3},
        {"the first repeat is named", {1, 1, 1, 0}, 2},
        {"last two", {0, 3, 0, 3}, 4},
    };
    for (const rCas &c : cas) {
        SCOPED_TRACE(c.Nom);
        EXPECT_EQ(PortPeripheriqueDouble(c.Indices), c.Port);
    }
}

// ---------------------------------------------------------------- mix table change dialog

struct Evenement : ::testing::Test {
    std::unique_ptr<cPartition> p = Partition();
    cAccord &a = *p->PremierePiste->PremiereMesurePiste->PremierAccord;
    void SetUp() override
    {
        p->Tempo = 96;
        p->Canaux[1][1].Volume = 10;
        p->Canaux[1][1].Instrument = 25;
    }
};

TEST_F(Evenement, OpensFromTheTrackAndTheBeatsChange)
{
    rDialogueMix d = OuvrirDialogueMix(*p, *p->PremierePiste, &a);
    EXPECT_EQ(d.Coche, (std::array<bool, NbParamsMix>{}));
    EXPECT_EQ(d.Jauges[0], 30);
    EXPECT_EQ(d.Instrument, 25);
    EXPECT_EQ(d.Tempo, 96);

    a.TableMix = new cTableMixEvent;
    a.TableMix->Phaser = 5;
    a.TableMix->TransPhaser = 3;
    d = OuvrirDialogueMix(*p, *p->PremierePiste, &a);
    EXPECT_TRUE(d.Coche[pmPhaser]);
    EXPECT_FALSE(d.Coche[pmVolume]);
    EXPECT_EQ(d.Jauges[4], 15);
    EXPECT_EQ(d.Transitions[pmPhaser], 3);
    ASSERT_TRUE(ConfirmerDialogueMix(a, d));
    ASSERT_TRUE(a.TableMix);
    EXPECT_EQ(a.TableMix->Phaser, 5);
    EXPECT_EQ(a.TableMix->TransPhaser, 3) << "OK keeps the transition";
    EXPECT_EQ(a.TableMix->Volume, -1);
}

TEST_F(Evenement, OnlyTempoTickedLeavesTheRestUnchanged)
{
    rDialogueMix d = OuvrirDialogueMix(*p, *p->PremierePiste, &a);
    d.Coche[pmTempo] = true;
    d.Tempo = 140;
    d.Transitions[pmTempo] = 2;
    ASSERT_TRUE(ConfirmerDialogueMix(a, d));
    ASSERT_TRUE(a.TableMix);
    const cTableMixEvent &m = *a.TableMix;
    EXPECT_EQ(m.Tempo, 140);
    EXPECT_EQ(m.TransTempo, 2);
    for (int v : {m.Instrument, m.Volume, m.Balance, m.Chorus, m.Reverb, m.Phaser, m.Tremolo})
        EXPECT_EQ(v, -1);
}

TEST_F(Evenement, NothingTickedRemovesTheChangeAndZeroTempoIsRefused)
{
    a.TableMix = new cTableMixEvent;
    a.TableMix->Volume = 3;
    rDialogueMix d = OuvrirDialogueMix(*p, *p->PremierePiste, &a);
    d.Coche[pmTempo] = true;
    d.Tempo = 0;
    EXPECT_FALSE(ConfirmerDialogueMix(a, d));
    ASSERT_TRUE(a.TableMix) << "a refused OK changes nothing";
    EXPECT_EQ(a.TableMix->Volume, 3);
    d.Coche = {};
    ASSERT_TRUE(ConfirmerDialogueMix(a, d));
    EXPECT_EQ(a.TableMix, nullptr);
}

TEST_F(Evenement, ValuesFromAFileAreClamped)
{
    a.TableMix = new cTableMixEvent;
    a.TableMix->Volume = 100;
    a.TableMix->TransVolume = 200;
    a.TableMix->Tempo = 5000;
    a.TableMix->TransTempo = 9;
    const rDialogueMix d = OuvrirDialogueMix(*p, *p->PremierePiste, &a);
    EXPECT_EQ(d.Jauges[0], 48);
    EXPECT_EQ(d.Transitions[pmVolume], TransitionMax);
    EXPECT_EQ(d.Tempo, TempoMaxMix);
    EXPECT_EQ(d.Transitions[pmTempo], TransitionMax);
}

TEST(Transitions, ListAndHeldTempoArrows)
{
    const auto v = TextesTransitions("Immediatly", "1 beat", "%s beats");
    ASSERT_EQ(v.size(), 9u);
    EXPECT_EQ(v[0], "Immediatly");
    EXPECT_EQ(v[1], "1 beat");
    EXPECT_EQ(v[2], "2 beats");
    EXPECT_EQ(v[8], "8 beats");
    EXPECT_EQ(DelaiRepetitionTempo(1), 300);
    EXPECT_EQ(DelaiRepetitionTempo(2), 100);
    EXPECT_EQ(DelaiRepetitionTempo(11), 50);
    EXPECT_EQ(PasRepetitionTempo(30), 1);
    EXPECT_EQ(PasRepetitionTempo(31), 3);
}

} // namespace
