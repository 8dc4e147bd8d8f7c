// A beat's fingering for the chord window, the notes a diagram gives an empty beat, and the
// used chord list that keeps each chord once and never passes its capacity.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "chords/uDiagrammeAccord.h"
#include "model/uPartition.h"
#include "support/FabriqueAccords.h"

namespace {

struct rCasDoigte {
    const char *Cas;
    std::vector<std::pair<int, int>> Notes; // (string, fret), -1 a dead note
    int NbCordes;
    const char *Cases; // strings 6 to 1
    int Base;
};

class DoigteDepuisAccordCas : public ::testing::TestWithParam<rCasDoigte> {};

TEST_P(DoigteDepuisAccordCas, CasesEtBase)
{
    const rCasDoigte &c = GetParam();
    cPartition p;
    p.Nouveau();
    cAccord &a = AjouterAccord(MesureDe(p, *p.PremierePiste, 1), 2, {});
    for (const auto &[corde, fret] : c.Notes) {
        a.Notes[static_cast<std::size_t>(corde)]->Type = fret < 0 ? 3 : 1;
        a.Notes[static_cast<std::size_t>(corde)]->Case = static_cast<uint8_t>(std::max(fret, 0));
    }
    tCases cases{};
    int base = 0;
    DoigteDepuisAccord(a, c.NbCordes, cases, base);
    EXPECT_EQ(EcrireCases(cases), c.Cases);
    EXPECT_EQ(base, c.Base);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, DoigteDepuisAccordCas,
    ::testing::Values(
        rCasDoigte{"AccordOuvert", {{1, 0}, {2, 1}, {3, 0}, {4, 2}, {5, 3}}, 6, "x,3,2,0,1,0", 1},
        // High on the neck: the base is the lowest fretted note.
        rCasDoigte{"HautDuManche", {{1, 7}, {2, 9}, {3, 9}, {4, 8}, {5, 7}, {6, 7}}, 6,
                   "7,7,8,9,9,7", 7},
        // Frets more than four above the base do not fit the five-fret window.
        rCasDoigte{"HorsFenetre", {{1, 12}, {2, 7}, {3, 0}}, 6, "x,x,x,0,7,x", 7},
        // A dead note is not a fret.
        rCasDoigte{"NoteMorte", {{1, -1}, {2, 3}}, 6, "x,x,x,x,3,x", 1},
        // Strings past the track's count are silent.
        rCasDoigte{"QuatreCordes", {{1, 2}, {5, 3}}, 4, "x,x,x,x,x,2", 1}),
    [](const auto &info) { return std::string(info.param.Cas); });

rDiagramme Doigte(const char *cases, int base = 1)
{
    rDiagramme d{};
    ViderDiagramme(d);
    tCases c{};
    EXPECT_TRUE(LireCases(cases, c));
    ChangerCases(d, c);
    d.PremiereCase = base;
    return d;
}

TEST(NotesDepuisDiagramme, SeulementSurUnTempsVideOuUnSilence)
{
    cPartition p;
    p.Nouveau();
    cMesurePiste &mp = MesureDe(p, *p.PremierePiste, 1);
    cAccord &silence = AjouterSilence(mp, 2);
    ASSERT_TRUE(NotesDepuisDiagramme(silence, Doigte("x32010"), 6, 4));
    EXPECT_EQ(silence.Etat, 1);
    EXPECT_EQ(silence.Notes[6]->Type, 0);
    EXPECT_EQ(silence.Notes[5]->Type, 1);
    EXPECT_EQ(silence.Notes[5]->Case, 3);
    EXPECT_EQ(silence.Notes[3]->Case, 0);
    EXPECT_EQ(silence.Notes[3]->Nuance, 4);
    // A beat with notes keeps them.
    cAccord &joue = AjouterAccord(mp, 2, {{1, 5}});
    EXPECT_FALSE(NotesDepuisDiagramme(joue, Doigte("x32010"), 6, 4));
    EXPECT_EQ(joue.Notes[1]->Case, 5);
    EXPECT_EQ(joue.Notes[5]->Type, 0);
    // Nothing played: the rest stays a rest.
    cAccord &autre = AjouterSilence(mp, 2);
    EXPECT_FALSE(NotesDepuisDiagramme(autre, Doigte("xxxxxx"), 6, 4));
    EXPECT_EQ(autre.Etat, 2);
    // Only the track's strings.
    cAccord &court = AjouterSilence(mp, 2);
    EXPECT_FALSE(NotesDepuisDiagramme(court, Doigte("x3xxxx"), 4, 4));
}

TEST(ListeAccordsUtilises, UneFoisChaqueAccord)
{
    cListeAccordsUtilises l;
    rDiagramme c = Doigte("x32010");
    c.Fondamentale = 0;
    ChangerNomDiagramme(c, "C");
    EXPECT_TRUE(l.AjouterSansDouble(c));
    EXPECT_FALSE(l.AjouterSansDouble(c));
    // Any difference that shows makes another entry.
    struct rCas {
        const char *Cas;
        std::function<void(rDiagramme &)> Changer;
    };
    const rCas cas[] = {
        {"Nom", [](rDiagramme &d) { ChangerNomDiagramme(d, "C major"); }},
        {"Diese", [](rDiagramme &d) { d.Diese = !d.Diese; }},
        {"Type", [](rDiagramme &d) { d.TypeAccord = TypeMin; }},
        {"Basse", [](rDiagramme &d) { d.Basse = 4; }},
        {"Omis", [](rDiagramme &d) { d.Omis[2] = !d.Omis[2]; }},
        {"Case", [](rDiagramme &d) { d.Cases[0] = 3; }},
        {"Base", [](rDiagramme &d) { d.PremiereCase = 3; }},
    };
    for (const rCas &k : cas) {
        rDiagramme d = c;
        k.Changer(d);
        EXPECT_FALSE(MemeAccordUtilise(c, d)) << k.Cas;
    }
    // A user chord is compared by name, sharps, root and fingering only.
    rDiagramme u = Doigte("x32010"), v = u;
    ChangerNomDiagramme(u, "mine");
    ChangerNomDiagramme(v, "mine");
    v.TypeAccord = TypeMin;
    v.Omis[1] = !v.Omis[1];
    EXPECT_TRUE(MemeAccordUtilise(u, v));
}

TEST(ListeAccordsUtilises, SeptCentsAuPlus)
{
    cListeAccordsUtilises l;
    for (int i = 0; i < cListeAccordsUtilises::Max; ++i) {
        rDiagramme d = Doigte("x32010");
        ChangerNomDiagramme(d, std::to_string(i));
        ASSERT_TRUE(l.AjouterSansDouble(d));
    }
    rDiagramme d = Doigte("x32010");
    ChangerNomDiagramme(d, "one more");
    EXPECT_FALSE(l.AjouterSansDouble(d));
    EXPECT_EQ(l.Nb(), cListeAccordsUtilises::Max);
}

} // namespace
