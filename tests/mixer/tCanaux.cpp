// Free channels of a port, and the channels a new track takes.
#include <gtest/gtest.h>

#include "mixer/uCanaux.h"
#include "model/uPartition.h"

namespace {

// A score whose tracks use these (port, channel, effect channel) triples.
std::unique_ptr<cPartition> Avec(std::initializer_list<std::array<int, 3>> pistes)
{
    auto p = std::make_unique<cPartition>();
    p->Nouveau();
    bool premiere = true;
    for (const auto &c : pistes) {
        cPiste *t = premiere ? p->PremierePiste : p->InsererPisteApres(nullptr);
        premiere = false;
        t->Port = c[0];
        t->Canal = c[1];
        t->CanalEffets = c[2];
    }
    return p;
}

TEST(Canaux, FirstAndSecondFreeSkipTenAndUsedChannels)
{
    struct rCas {
        const char *Nom;
        std::initializer_list<std::array<int, 3>> Pistes;
        int Premier, Second;
    };
    const rCas cas[] = {
        {"the new-score track takes 1 and 2", {{1, 1, 2}}, 3, 4},
        // Effect channels count as used; channel 10 is never offered.
        {"around ten", {{1, 1, 2}, {1, 3, 4}, {1, 5, 6}, {1, 7, 8}, {1, 9, 11}}, 12, 13},
        // Tracks of another port leave port 1 free.
        {"other port", {{2, 1, 2}, {2, 3, 3}}, 1, 2},
        {"one left", {{1, 1, 2}, {1, 3, 4}, {1, 5, 6}, {1, 7, 8}, {1, 9, 11},
                      {1, 12, 13}, {1, 14, 15}}, 16, -1},
        {"none left", {{1, 1, 2}, {1, 3, 4}, {1, 5, 6}, {1, 7, 8}, {1, 9, 11},
                       {1, 12, 13}, {1, 14, 15}, {1, 16, 16}}, -1, -1},
    };
    for (const rCas &c : cas) {
        SCOPED_TRACE(c.Nom);
        auto p = Avec(c.Pistes);
        const int premier = PremierCanalLibre(*p, 1);
        EXPECT_EQ(premier, c.Premier);
        if (premier > 0) {
            EXPECT_EQ(SecondCanalLibre(*p, 1, premier), c.Second);
        }
    }
}

TEST(Canaux, ATrackLeftOutDoesNotCount)
{
    auto p = Avec({{1, 1, 2}, {1, 3, 4}});
    EXPECT_EQ(PremierCanalLibre(*p, 1, p->PisteNumero(1)), 1);
}

TEST(Canaux, NewTrack)
{
    int c = 0, e = 0;
    // Drums play on 10, notes and effects.
    auto p = Avec({{1, 1, 2}});
    CanauxNouvellePiste(*p, 1, true, p->PremierePiste, c, e);
    EXPECT_EQ(c, 10);
    EXPECT_EQ(e, 10);
    CanauxNouvellePiste(*p, 1, false, p->PremierePiste, c, e);
    EXPECT_EQ(c, 3);
    EXPECT_EQ(e, 4);
    // The search is on the new track's own port.
    CanauxNouvellePiste(*p, 2, false, p->PremierePiste, c, e);
    EXPECT_EQ(c, 1);
    EXPECT_EQ(e, 2);
    // A single free channel plays the effects too.
    auto un = Avec({{1, 1, 2}, {1, 3, 4}, {1, 5, 6}, {1, 7, 8}, {1, 9, 11}, {1, 12, 13},
                    {1, 14, 15}});
    CanauxNouvellePiste(*un, 1, false, un->PremierePiste, c, e);
    EXPECT_EQ(c, 16);
    EXPECT_EQ(e, 16);
    // Every channel but 10 taken: the cursor track's pair.
    auto plein = Avec({{1, 1, 2}, {1, 3, 4}, {1, 5, 6}, {1, 7, 8}, {1, 9, 11}, {1, 12, 13},
                       {1, 14, 15}, {1, 16, 16}});
    CanauxNouvellePiste(*plein, 1, false, plein->PisteNumero(3), c, e);
    EXPECT_EQ(c, 5);
    EXPECT_EQ(e, 6);
}

} // namespace
