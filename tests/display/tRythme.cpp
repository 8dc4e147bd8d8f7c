// Beaming: groups of a time signature, beams between beats, sides and tuplet groups.
#include <gtest/gtest.h>

#include "display/uRythme.h"
#include "model/uPartition.h"

namespace {

TEST(GroupesRythme, BySignature)
{
    const struct {
        int n, d;
        std::vector<int> groupes;
        int unite;
    } cas[] = {
        {4, 4, {2, 2, 2, 2}, 2},       // beams by quarter notes
        {3, 4, {2, 2, 2}, 2},
        {2, 2, {2, 2, 2, 2}, 2},
        {6, 8, {3, 3}, 2},
        {7, 8, {3, 2, 2}, 2},
        {5, 8, {3, 2}, 2},
        {12, 8, {3, 3, 3, 3}, 2},
        {4, 8, {2, 2}, 2},
        {8, 8, {2, 2, 2, 2}, 2},       // read as 4/4
        {16, 16, {2, 2, 2, 2}, 2},     // read as 4/4
        {3, 16, {3}, 4},
        {1, 8, {1}, 2},
    };
    for (const auto &c : cas) {
        const rGroupesRythme g = CalculerGroupesRythme(c.n, c.d);
        EXPECT_EQ(std::vector<int>(g.Groupes.begin(), g.Groupes.begin() + g.Nb), c.groupes)
            << c.n << "/" << c.d;
        EXPECT_EQ(g.Unite, c.unite) << c.n << "/" << c.d;
    }
    EXPECT_EQ(CalculerGroupesRythme(6, 8).Ticks(0), 720);
    EXPECT_EQ(CalculerGroupesRythme(32, 1).Nb, 128) << "never past the table";
}

struct Temps {
    int code;
    int triolet = 1;
    bool silence = false;
};

// Beams and sides of a measure of the given signature and beats.
std::vector<std::pair<int, int>> Liens(int n, int d, std::vector<Temps> temps,
                                       cPartition *garder = nullptr)
{
    cPartition local;
    cPartition &p = garder ? *garder : local;
    p.Nouveau();
    p.PremiereMesure->ChangerSignature(n, d);
    cMesurePiste *mp = p.PremiereMesure->PremiereMesurePiste;
    cAccord *a = mp->PremierAccord;
    for (std::size_t i = 0; i < temps.size(); ++i) {
        if (i)
            a = mp->InsererAccordApres(a);
        a->CodeDuree = static_cast<int8_t>(temps[i].code);
        a->Triolet = temps[i].triolet;
        a->Etat = temps[i].silence ? 2 : 1;
        a->CalculerDuree();
    }
    mp->CalculerDuree();
    rGroupesRythme g;
    CalculerLiaisonsCroches(*mp, g);
    std::vector<std::pair<int, int>> r;
    for (cAccord *x = mp->PremierAccord; x; x = x->Suivant)
        r.emplace_back(x->NbLiens, x->CoteCrochet);
    return r;
}

using V = std::vector<std::pair<int, int>>;

TEST(LiaisonsCroches, Beams)
{
    // Eighth, eighth, quarter: one beam over the eighths, none to the quarter.
    EXPECT_EQ(Liens(4, 4, {{1}, {1}, {0}}), (V{{1, 2}, {0, 1}, {0, 2}}));
    // Eighth, sixteenth, sixteenth: one beam over all three, a second between the
    // sixteenths; the last one's partial beams point left.
    EXPECT_EQ(Liens(4, 4, {{1}, {2}, {2}}), (V{{1, 2}, {2, 2}, {0, 1}}));
    // Four eighths in 4/4 are beamed by quarter notes.
    EXPECT_EQ(Liens(4, 4, {{1}, {1}, {1}, {1}}), (V{{1, 2}, {0, 1}, {1, 2}, {0, 1}}));
    // Six eighths in 6/8: two groups of three.
    EXPECT_EQ(Liens(6, 8, {{1}, {1}, {1}, {1}, {1}, {1}}),
              (V{{1, 2}, {1, 2}, {0, 1}, {1, 2}, {1, 2}, {0, 1}}));
    // Seven eighths in 7/8: 3 + 2 + 2.
    const V sept = Liens(7, 8, {{1}, {1}, {1}, {1}, {1}, {1}, {1}});
    std::vector<int> coupes;
    for (std::size_t i = 0; i < sept.size(); ++i)
        if (sept[i].first == 0)
            coupes.push_back(static_cast<int>(i) + 1);
    EXPECT_EQ(coupes, (std::vector<int>{3, 5, 7}));
    // A half note first does not shift the groups after it: the two eighths of beat 3 join.
    EXPECT_EQ(Liens(4, 4, {{-1}, {1}, {1}, {0}}), (V{{0, 2}, {1, 2}, {0, 1}, {0, 2}}));
}

TEST(LiaisonsCroches, Rests)
{
    // A rest first has no beam.
    EXPECT_EQ(Liens(4, 4, {{1, 1, true}, {1}})[0].first, 0);
    // A sixteenth rest between sixteenths takes the smaller link of its neighbours.
    const V v = Liens(4, 4, {{2}, {2, 1, true}, {1}});
    EXPECT_EQ(v[0].first, 2);
    EXPECT_EQ(v[1].first, 1);
}

TEST(LiaisonsCroches, TupletGroups)
{
    cPartition p;
    Liens(4, 4, {{1, 3}, {1, 3}, {1, 3}, {1, 3}, {1, 3}, {0}}, &p);
    const cMesurePiste *mp = p.PremiereMesure->PremiereMesurePiste;
    // Three triplet eighths make a complete group of 480 ticks; the next two stay alone.
    for (int i = 1; i <= 3; ++i) {
        EXPECT_TRUE(mp->Accords[i]->CrochetTuplet) << i;
        EXPECT_EQ(mp->Accords[i]->TailleTuplet, 3) << i;
    }
    EXPECT_FALSE(mp->Accords[4]->CrochetTuplet);
    EXPECT_FALSE(mp->Accords[5]->CrochetTuplet);
    EXPECT_EQ(mp->Accords[5]->RangTuplet, 2);
    EXPECT_FALSE(mp->Accords[6]->CrochetTuplet) << "plain beats are never bracketed";
}

TEST(OrigineLiaison, ThroughBeatsAndMeasures)
{
    cPartition p;
    p.Nouveau();
    p.InsererMesureApres(nullptr);
    cMesurePiste *m1 = p.MesurePisteDe(1, 1);
    cMesurePiste *m2 = p.MesurePisteDe(2, 1);
    cAccord *a = m1->PremierAccord;
    cAccord *b = m1->InsererAccordApres(a);
    cAccord *c = m2->PremierAccord;
    a->Notes[2]->Type = 1;
    b->Notes[2]->Type = 2;
    c->Notes[2]->Type = 2;
    const cAccord *origine = nullptr;
    EXPECT_EQ(OrigineLiaison(m2, c, 2, &origine), a->Notes[2]);
    EXPECT_EQ(origine, a);
    a->Notes[2]->Type = 3;
    EXPECT_EQ(OrigineLiaison(m2, c, 2)->Type, 3) << "a dead origin: the caller shows L";
    a->Notes[2]->Type = 0;
    EXPECT_EQ(OrigineLiaison(m2, c, 2), nullptr);
}

} // namespace
