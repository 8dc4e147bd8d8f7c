// Play order of bars with repeats and alternate endings, the stable event lists, channel setup
// and merging into a port's queue.
#include <gtest/gtest.h>

#include <memory>

#include "playback/uGeneration.h"
#include "support/FabriqueMidi.h"
#include "support/Invariants.h"

namespace {

struct rMesureTest {
    int Numero;
    bool Ouvre;
    int Ferme;      // RenvoiFin
    int Repetition; // alternate ending
};

struct rCasOrdre {
    const char *Nom;
    int NbMesures;
    std::vector<rMesureTest> Mesures;
    bool Repetitions;
    std::vector<int> Attendu;
};

class OrdreLecture : public ::testing::TestWithParam<rCasOrdre> {};

TEST_P(OrdreLecture, SuitLesRenvois)
{
    const rCasOrdre &c = GetParam();
    std::unique_ptr<cPartition> p(NouvellePartitionMidi(c.NbMesures));
    for (const rMesureTest &m : c.Mesures) {
        cMesure *h = p->MesureNumero(m.Numero);
        h->RenvoiDebut = m.Ouvre;
        h->RenvoiFin = static_cast<int8_t>(m.Ferme);
        h->Repetition = static_cast<int8_t>(m.Repetition);
    }
    cGenerateurMidi g(p.get());
    g.ConstruireOrdre(c.Repetitions);
    EXPECT_EQ(g.OrdreLecture, c.Attendu);
    EXPECT_TRUE(ScoreCoherent(*p));
}

INSTANTIATE_TEST_SUITE_P(
    Cas, OrdreLecture,
    ::testing::Values(
        rCasOrdre{"SansRenvoi", 4, {}, true, {1, 2, 3, 4}},
        // Ending 1 closes back once, ending 2 follows, then the rest.
        rCasOrdre{"DeuxFins",
                  5,
                  {{1, true, 0, 0}, {3, false, 1, 1}, {4, false, 0, 2}},
                  true,
                  {1, 2, 3, 1, 2, 4, 5}},
        rCasOrdre{"DeuxFinsSansRepetitions",
                  5,
                  {{1, true, 0, 0}, {3, false, 1, 1}, {4, false, 0, 2}},
                  false,
                  {1, 2, 3, 4, 5}},
        // A close with count 2 plays its section three times.
        rCasOrdre{"FermetureDeux", 3, {{1, true, 0, 0}, {2, false, 2, 0}}, true,
                  {1, 2, 1, 2, 1, 2, 3}},
        // Without an opening, the repeat goes back to bar 1.
        rCasOrdre{"SansOuverture", 3, {{2, false, 1, 0}}, true, {1, 2, 1, 2, 3}},
        // One ending for passes 1 and 2, another for pass 3.
        rCasOrdre{"FinCouvrantDeuxPassages",
                  5,
                  {{2, true, 0, 0}, {3, false, 2, 2}, {4, false, 0, 3}},
                  true,
                  {1, 2, 3, 2, 3, 2, 4, 5}},
        // Two sections in a row, each with its own repeat.
        rCasOrdre{"DeuxSections",
                  4,
                  {{1, true, 1, 0}, {3, true, 0, 0}, {4, false, 1, 0}},
                  true,
                  {1, 1, 2, 3, 4, 3, 4}}),
    [](const auto &info) { return std::string(info.param.Nom); });

TEST(OrdreLecture, CoupeAMilleEntrees)
{
    std::unique_ptr<cPartition> p(NouvellePartitionMidi(1024));
    cGenerateurMidi g(p.get());
    g.ConstruireOrdre(false);
    ASSERT_EQ(g.OrdreLecture.size(), 1000u);
    EXPECT_EQ(g.OrdreLecture.back(), 1000);
    // A long repeat is cut in the same way: 128 plays of bar 1 and the rest up to 1000.
    p->MesureNumero(1)->RenvoiFin = 127;
    g.ConstruireOrdre(true);
    EXPECT_EQ(g.OrdreLecture.size(), 1000u);
}

TEST(OrdreLecture, IndexPremiereOccurrence)
{
    std::unique_ptr<cPartition> p(NouvellePartitionMidi(5));
    p->MesureNumero(1)->RenvoiDebut = true;
    p->MesureNumero(3)->RenvoiFin = 1;
    p->MesureNumero(3)->Repetition = 1;
    p->MesureNumero(4)->Repetition = 2;
    cGenerateurMidi g(p.get());
    g.ConstruireOrdre(true);
    EXPECT_EQ(g.IndexOrdre(2), 2);
    EXPECT_EQ(g.IndexOrdre(4), 6);
    EXPECT_EQ(g.IndexOrdre(99), 1); // absent
}

TEST(BasePile, InsertionStableParTemps)
{
    cBasePile l;
    // Each event carries its generation rank in Donnee1.
    const double temps[] = {10, 5, 10, 5, 0, 7, 10};
    for (int i = 0; i < 7; ++i)
        l.Inserer(temps[i], 0x90, static_cast<uint8_t>(i), 0);
    std::vector<int> ordre;
    for (const cEvtPile *e = l.Premier; e; e = e->Suivant)
        ordre.push_back(e->Donnee1);
    EXPECT_EQ(ordre, (std::vector<int>{4, 1, 3, 5, 0, 2, 6}));
    // Back links agree with the forward chain.
    std::vector<int> inverse;
    for (const cEvtPile *e = l.Dernier; e; e = e->Precedent)
        inverse.push_back(e->Donnee1);
    EXPECT_EQ(inverse, (std::vector<int>{6, 2, 0, 5, 3, 1, 4}));
    EXPECT_EQ(l.NbEvenements, 7u);
    delete l.Extraire();
    EXPECT_EQ(l.Premier->Donnee1, 1);
    EXPECT_EQ(l.NbEvenements, 6u);
}

TEST(Echelles, ValeursMixEtTempo)
{
    EXPECT_EQ(ValeurControleur(8 * 16), 127);
    EXPECT_EQ(ValeurControleur(8 * 8), 64);
    EXPECT_EQ(ValeurControleur(8 * 13), 104);
    EXPECT_EQ(ValeurControleur(8 * 33), 8); // modulo 256
    uint8_t a, b, c;
    OctetsTempo(120, a, b, c); // 500000 us
    EXPECT_EQ((a << 16) | (b << 8) | c, 500000);
    OctetsTempo(0, a, b, c); // never a division by zero
    EXPECT_EQ((a << 16) | (b << 8) | c, 0xFFFFFF);
    EXPECT_EQ(StatutCanal(0x90, 10), 0x99);
    EXPECT_EQ(StatutCanal(0x90, 0), 0x90); // unallocated channel
}

struct rMessage {
    int Port, Statut, D1, D2;
    bool operator==(const rMessage &o) const
    {
        return Port == o.Port && Statut == o.Statut && D1 == o.D1 && D2 == o.D2;
    }
};

class cSortieTest : public iSortieMidi {
public:
    std::vector<rMessage> Messages;
    std::vector<int> Tempos;
    void Envoyer(int port, const cPiste &, uint8_t s, uint8_t d1, uint8_t d2) override
    {
        Messages.push_back({port, s, d1, d2});
    }
    void DefinirTempo(int t) override { Tempos.push_back(t); }
};

TEST(PreparerCanaux, MessagesSurLesDeuxCanaux)
{
    std::unique_ptr<cPartition> p(NouvellePartitionMidi(1, 2));
    cPiste *t2 = p->PisteNumero(2);
    t2->Canal = t2->CanalEffets = 10; // a drum track: one channel, no program
    p->Canaux[1][1].Instrument = 30;
    p->Canaux[1][1].Balance = 16;
    cGenerateurMidi g(p.get());
    g.Options.LimitBend[1] = true;
    cSortieTest s;
    g.PreparerCanaux(s);
    const std::vector<rMessage> attendu = {
        // bend range and centre, track 1 on channels 1 and 2, then track 2 on 10
        {1, 0xB0, 100, 0}, {1, 0xB1, 100, 0}, {1, 0xB0, 101, 0}, {1, 0xB1, 101, 0},
        {1, 0xB0, 6, 2},   {1, 0xB1, 6, 2},   {1, 0xE0, 0, 64},  {1, 0xE1, 0, 64},
        {1, 0xB9, 100, 0}, {1, 0xB9, 101, 0}, {1, 0xB9, 6, 2},   {1, 0xE9, 0, 64},
        // programs and mix values
        {1, 0xC0, 30, 0},  {1, 0xC1, 30, 0},  {1, 0xB0, 7, 104}, {1, 0xB1, 7, 104},
        {1, 0xB0, 10, 127}, {1, 0xB1, 10, 127}, {1, 0xB0, 93, 0}, {1, 0xB1, 93, 0},
        {1, 0xB0, 91, 0},  {1, 0xB1, 91, 0},  {1, 0xB0, 92, 0},  {1, 0xB1, 92, 0},
        {1, 0xB0, 95, 0},  {1, 0xB1, 95, 0},
        {1, 0xB9, 7, 104}, {1, 0xB9, 10, 64}, {1, 0xB9, 93, 0},  {1, 0xB9, 91, 0},
        {1, 0xB9, 92, 0},  {1, 0xB9, 95, 0}};
    EXPECT_EQ(s.Messages, attendu);
    EXPECT_EQ(s.Tempos, std::vector<int>{120});
}

TEST(Fusionner, OrdreDesPistesAEgaliteMetronomeDernier)
{
    std::unique_ptr<cPartition> p(NouvellePartitionMidi(1, 2));
    NoteMidi(TempsMidi(*p, 1, 1, 1), 1, 0);
    NoteMidi(TempsMidi(*p, 1, 2, 1), 1, 2);
    FinirPartitionMidi(*p);
    cGenerateurMidi g(p.get());
    g.CreerListes(1);
    g.GenererMesure(1, 1, 0, 1920, false);
    g.Fusionner(1);
    const std::vector<rEvt> q = EvenementsDe(g.Piles[1].Sortie);
    ASSERT_GE(q.size(), 3u);
    // At time 0: track 1, track 2, then the click.
    EXPECT_EQ(q[0], (rEvt{0, 0x90, 64, 95}));
    EXPECT_EQ(q[1], (rEvt{0, 0x92, 66, 95}));
    EXPECT_EQ(q[2], (rEvt{0, 0x99, 37, 127}));
    for (std::size_t i = 1; i < q.size(); ++i)
        EXPECT_LE(q[i - 1].Temps, q[i].Temps);
    EXPECT_EQ(g.Piles[1].Sortie.Evts[2].Piste, &g.PisteMetronome);
    for (cBasePile *l = g.Piles[1].PremiereListe; l; l = l->Suivante)
        EXPECT_EQ(l->Premier, nullptr);
    EXPECT_DOUBLE_EQ(g.Piles[1].Decalage, 1920);
}

TEST(Fusionner, FileDejaGarnieGardeLOrdreDesTemps)
{
    // A let-ring note off of the previous bar is still queued when the next bar is merged.
    cMyHMidiOut q;
    q.Inserer({nullptr, 3000, 0x80, 1, 80, 0});
    q.Inserer({nullptr, 1920, 0x90, 2, 95, 0});
    q.Inserer({nullptr, 3000, 0x90, 3, 95, 0});
    q.Inserer({nullptr, 2400, 0x80, 2, 80, 0});
    EXPECT_EQ(EvenementsDe(q), (std::vector<rEvt>{{1920, 0x90, 2, 95},
                                                  {2400, 0x80, 2, 80},
                                                  {3000, 0x80, 1, 80},
                                                  {3000, 0x90, 3, 95}}));
}

TEST(Listes, ParPortEtValeursDeDepart)
{
    std::unique_ptr<cPartition> p(NouvellePartitionMidi(1, 3));
    p->PisteNumero(2)->Port = 2;
    p->Canaux[1][5].Volume = 3; // track 3 plays on channels 5 and 6 of port 1
    for (int t = 1; t <= 3; ++t)
        NoteMidi(TempsMidi(*p, 1, t, 1), 1, t);
    FinirPartitionMidi(*p);
    cGenerateurMidi g(p.get());
    g.CreerListes(1);
    g.CreerListes(2);
    std::vector<const cPiste *> port1;
    for (const cBasePile *l = g.Piles[1].PremiereListe; l; l = l->Suivante)
        port1.push_back(l->Piste);
    EXPECT_EQ(port1, (std::vector<const cPiste *>{p->PisteNumero(1), p->PisteNumero(3),
                                                  &g.PisteMetronome}));
    EXPECT_EQ(g.Piles[1].ListeDe(p->PisteNumero(3))->ValeursCourantes,
              (std::array<int, 6>{3, 8, 0, 0, 0, 0}));
    EXPECT_EQ(g.Piles[1].ListeDe(&g.PisteMetronome)->ValeursCourantes,
              (std::array<int, 6>{16, 0, 0, 0, 0, 0}));
    EXPECT_EQ(g.Piles[2].ListeDe(&g.PisteMetronome), nullptr);
    EXPECT_TRUE(g.PisteMetronome.Muet);
    EXPECT_EQ(g.PisteMetronome.Canal, 10);
    // Port 2 generates its own track only, and no clicks.
    g.GenererMesure(2, 1, 0, 1920, false);
    ASSERT_NE(g.Piles[2].PremiereListe, nullptr);
    EXPECT_EQ(g.Piles[2].PremiereListe->Suivante, nullptr);
    EXPECT_EQ(Filtrer(EvenementsDe(*g.Piles[2].PremiereListe), 0x90),
              (std::vector<rEvt>{{0, 0x92, 66, 95}}));
    EXPECT_EQ(g.Piles[1].ListeDe(p->PisteNumero(1))->Premier, nullptr);
    // Skip-notes generates the clicks of port 1 alone.
    g.GenererMesure(1, 1, 0, 1920, true);
    EXPECT_EQ(g.Piles[1].ListeDe(p->PisteNumero(1))->Premier, nullptr);
    EXPECT_EQ(g.Piles[1].ListeDe(&g.PisteMetronome)->NbEvenements, 8u);
}

} // namespace
