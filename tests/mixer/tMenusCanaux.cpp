// Channel status, the channel menus and the port and channel changes they make.
#include <gtest/gtest.h>

#include "mixer/uCanaux.h"
#include "model/uPartition.h"

namespace {

struct rPisteCas {
    int Port, Canal, CanalEffets;
    bool Batterie = false;
};

// Tracks named "A", "B", ... with these channels.
std::unique_ptr<cPartition> Avec(std::initializer_list<rPisteCas> pistes)
{
    auto p = std::make_unique<cPartition>();
    p->Nouveau();
    bool premiere = true;
    char nom = 'A';
    for (const rPisteCas &c : pistes) {
        cPiste *t = premiere ? p->PremierePiste : p->InsererPisteApres(p->DernierePiste());
        premiere = false;
        t->Nom = std::string(1, nom++);
        t->Port = c.Port;
        t->Canal = c.Canal;
        t->CanalEffets = c.CanalEffets;
        t->Percussions = c.Batterie;
    }
    return p;
}

std::string Cle(const std::string &cle) { return "<" + cle + ">"; }

TEST(StatutCanaux, Table)
{
    struct rCas {
        const char *Nom;
        std::initializer_list<rPisteCas> Pistes;
        int Canal;
        int Principal, Effets;
        const char *NomVu;
    } cas[] = {
        {"free", {{1, 1, 2}, {1, 3, 4}}, 5, 0, 0, ""},
        {"another track's main channel is linked", {{1, 1, 2}, {1, 3, 4}}, 3, 1, 1, "B"},
        {"another track's effect channel is reserved", {{1, 1, 2}, {1, 3, 4}}, 4, 2, 1, "B"},
        {"an effect channel equal to the main one stays linked", {{1, 1, 2}, {1, 3, 3}}, 3, 1, 1,
         "B"},
        {"the track's own channels are free for its effect menu", {{1, 1, 2}, {1, 3, 4}}, 2, 0, 0,
         ""},
        {"tracks of another port do not count", {{1, 1, 2}, {2, 3, 4}}, 3, 0, 0, ""},
        {"drum tracks do not count", {{1, 1, 2}, {1, 10, 10, true}}, 10, 0, 0, ""},
        {"the later track wins", {{1, 1, 2}, {1, 3, 5}, {1, 5, 6}}, 5, 1, 1, "C"},
        {"the later track wins the other way", {{1, 1, 2}, {1, 5, 6}, {1, 3, 5}}, 5, 2, 1, "C"},
    };
    for (const rCas &c : cas) {
        SCOPED_TRACE(c.Nom);
        auto p = Avec(c.Pistes);
        const rStatutCanaux s = StatutCanaux(*p, *p->PremierePiste, 1);
        EXPECT_EQ(s.Principal[c.Canal], c.Principal);
        EXPECT_EQ(s.Effets[c.Canal], c.Effets);
        EXPECT_EQ(s.NomPrincipal[c.Canal], c.NomVu);
    }
    auto p = Avec({{1, 1, 2}, {1, 3, 4}, {1, 1, 2}});
    const rStatutCanaux s = StatutCanaux(*p, *p->PremierePiste, 1);
    EXPECT_EQ(s.Effets[1], 0) << "own channel, even when shared";
    EXPECT_EQ(s.EffetsLie[3], 4);
}

TEST(MenusCanaux, TextsEnabledAndChecked)
{
    auto p = Avec({{1, 1, 2}, {1, 3, 4}});
    const auto principal = MenuCanaux(*p, *p->PremierePiste, false, Cle);
    ASSERT_EQ(principal.size(), 16u);
    EXPECT_EQ(principal[0].Texte, "01 - <Gene-Libre>");
    EXPECT_TRUE(principal[0].Coche);
    EXPECT_FALSE(principal[1].Coche) << "the main menu checks the main channel";
    EXPECT_EQ(principal[2].Texte, "03 - <Gene-LieAvec>");
    EXPECT_TRUE(principal[2].Actif);
    EXPECT_EQ(principal[3].Texte, "04 - <Gene-R\xE9serv\xE9Par>");
    EXPECT_FALSE(principal[3].Actif) << "another track's effect channel";
    EXPECT_EQ(principal[9].Texte, "10 - <Gene-PisteBattUniquement>");
    EXPECT_FALSE(principal[9].Actif);
    EXPECT_EQ(principal[15].Texte, "16 - <Gene-Libre>");

    const auto effets = MenuCanaux(*p, *p->PremierePiste, true, Cle);
    EXPECT_TRUE(effets[1].Coche);
    EXPECT_FALSE(effets[2].Actif);
    EXPECT_FALSE(effets[3].Actif);
    EXPECT_TRUE(effets[4].Actif);

    // The "%s" takes the other track's name.
    auto t = [](const std::string &c) {
        return c == "Gene-LieAvec" ? std::string("with %s") : std::string("-");
    };
    EXPECT_EQ(MenuCanaux(*p, *p->PremierePiste, false, t)[2].Texte, "03 - with B");
}

TEST(MenusCanaux, DrumTrackOffersOnlyTen)
{
    auto p = Avec({{1, 1, 2}, {1, 10, 10, true}});
    const auto v = MenuCanaux(*p, *p->PisteNumero(2), false, Cle);
    for (int k = 1; k <= 16; ++k)
        EXPECT_EQ(v[k - 1].Actif, k == 10) << k;
    EXPECT_FALSE(ChangerCanal(*p, *p->PisteNumero(2), 3));
    EXPECT_EQ(p->PisteNumero(2)->Canal, 10);
    EXPECT_FALSE(ChangerCanal(*p, *p->PremierePiste, 10)) << "ten is for drums";
}

TEST(ChangerPort, FreeChannelsCarryTheSound)
{
    auto p = Avec({{1, 1, 2}, {2, 5, 6}});
    p->Canaux[1][1].Instrument = 30;
    p->Canaux[1][1].Reverb = 7;
    ASSERT_TRUE(ChangerPort(*p, *p->PremierePiste, 2));
    const cPiste &t = *p->PremierePiste;
    EXPECT_EQ(t.Port, 2);
    EXPECT_EQ(t.Canal, 1);
    EXPECT_EQ(t.CanalEffets, 2);
    EXPECT_EQ(p->Canaux[2][1].Instrument, 30);
    EXPECT_EQ(p->Canaux[2][2].Instrument, 30);
    EXPECT_EQ(p->Canaux[2][2].Reverb, 7);
}

TEST(ChangerPort, ATakenChannelIsNeverOverwritten)
{
    struct rCas {
        const char *Nom;
        rPisteCas Autre; // a track already on port 2
        int Canal, CanalEffets;
    } cas[] = {
        // Our effect channel is B's main channel: copying would change B's sound.
        {"effect channel taken", {2, 2, 3}, 1, 4},
        // Our main channel is B's bend channel: our notes would bend with B's.
        {"main channel is another track's effect channel", {2, 5, 1}, 2, 3},
        // Our main channel is B's main channel.
        {"main channel taken", {2, 1, 6}, 2, 3},
    };
    for (const rCas &c : cas) {
        SCOPED_TRACE(c.Nom);
        auto p = Avec({{1, 1, 2}, c.Autre});
        p->Canaux[1][1].Instrument = 30;
        for (int k = 1; k <= 16; ++k)
            p->Canaux[2][k].Instrument = 70;
        ASSERT_TRUE(ChangerPort(*p, *p->PremierePiste, 2));
        const cPiste &t = *p->PremierePiste;
        EXPECT_EQ(t.Canal, c.Canal);
        EXPECT_EQ(t.CanalEffets, c.CanalEffets);
        const cPiste &b = *p->PisteNumero(2);
        EXPECT_EQ(p->Canaux[2][b.Canal].Instrument, 70);
        EXPECT_EQ(p->Canaux[2][b.CanalEffets].Instrument, 70);
        EXPECT_EQ(p->Canaux[2][t.Canal].Instrument, 30);
    }
}

TEST(ChangerPort, FullPortSharesAnExistingTrack)
{
    auto p = Avec({{1, 1, 2}, {2, 1, 2}, {2, 3, 4}, {2, 5, 6}, {2, 7, 8}, {2, 9, 11},
                   {2, 12, 13}, {2, 14, 15}, {2, 16, 16}});
    p->Canaux[2][1].Instrument = 70;
    ASSERT_TRUE(ChangerPort(*p, *p->PremierePiste, 2));
    EXPECT_EQ(p->PremierePiste->Canal, 1);
    EXPECT_EQ(p->PremierePiste->CanalEffets, 2) << "the linked track's effect channel";
    EXPECT_EQ(p->Canaux[2][1].Instrument, 70);
    EXPECT_FALSE(ChangerPort(*p, *p->PremierePiste, 2)) << "same port";
    EXPECT_FALSE(ChangerPort(*p, *p->PremierePiste, 5));
}

TEST(ChangerCanal, FreeTakesTheSoundLinkedShares)
{
    auto p = Avec({{1, 1, 2}, {1, 3, 4}});
    p->Canaux[1][1].Instrument = 30;
    p->Canaux[1][3].Instrument = 50;
    cPiste &a = *p->PremierePiste;
    ASSERT_TRUE(ChangerCanal(*p, a, 6));
    EXPECT_EQ(a.Canal, 6);
    EXPECT_EQ(a.CanalEffets, 6);
    EXPECT_EQ(p->Canaux[1][6].Instrument, 30);

    ASSERT_TRUE(ChangerCanal(*p, a, 3));
    EXPECT_EQ(a.Canal, 3);
    EXPECT_EQ(a.CanalEffets, 4) << "the other track's effect channel";
    EXPECT_EQ(p->Canaux[1][3].Instrument, 50) << "the shared channel's sound stays";

    EXPECT_FALSE(ChangerCanal(*p, *p->PisteNumero(2), 0));
    auto q = Avec({{1, 1, 2}, {1, 3, 4}});
    EXPECT_FALSE(ChangerCanal(*q, *q->PremierePiste, 4)) << "another track's effect channel";
    EXPECT_EQ(q->PremierePiste->Canal, 1);
}

TEST(ChangerCanalEffets, SharedChannelChangesForBoth)
{
    auto p = Avec({{1, 3, 4}, {1, 3, 4}, {1, 5, 6}});
    p->Canaux[1][3].Instrument = 40;
    std::vector<cPiste *> suiveuses;
    ASSERT_TRUE(ChangerCanalEffets(*p, *p->PremierePiste, 7, &suiveuses));
    EXPECT_EQ(p->PremierePiste->CanalEffets, 7);
    EXPECT_EQ(p->PisteNumero(2)->CanalEffets, 7);
    EXPECT_EQ(p->PisteNumero(3)->CanalEffets, 6);
    EXPECT_EQ(p->Canaux[1][7].Instrument, 40);
    ASSERT_EQ(suiveuses.size(), 1u);
    EXPECT_EQ(suiveuses[0], p->PisteNumero(2));
    EXPECT_FALSE(ChangerCanalEffets(*p, *p->PremierePiste, 5)) << "used by the third track";
    EXPECT_FALSE(ChangerCanalEffets(*p, *p->PremierePiste, 10));
}

} // namespace
