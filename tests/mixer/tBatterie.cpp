// The drum kit: key names, the sample of a click, and keys entered only on drum tracks.
#include <gtest/gtest.h>

#include "mixer/uBatterie.h"
#include "model/uAccord.h"
#include "model/uPartition.h"

namespace {

TEST(Batterie, KeysAndNames)
{
    struct rCas {
        int Cle;
        const char *Texte;
    } cas[] = {
        {27, "27 - High Q"},          {35, "35 - Acoustic Bass Drum"},
        {42, "42 - Closed Hi-Hat"},   {49, "49 - Crash Cymbal 1"},
        {85, "85 - Castinets"},       {87, "87 - Open Surdo"},
    };
    for (const rCas &c : cas)
        EXPECT_EQ(EntreePercussion(c.Cle), c.Texte);
    EXPECT_STREQ(NomPercussion(26), "");
    EXPECT_STREQ(NomPercussion(88), "");
    for (int k = PremiereCleBatterie; k <= DerniereCleBatterie; ++k)
        EXPECT_STRNE(NomPercussion(k), "") << k;
}

TEST(Batterie, SampleIsOneNoteOnTheTracksChannel)
{
    const auto v = EchantillonPercussion(10, 38);
    ASSERT_EQ(v.size(), 2u);
    EXPECT_EQ(v[0].Temps, 0);
    EXPECT_EQ(v[0].Statut, 0x99);
    EXPECT_EQ(v[0].Donnee1, 38);
    EXPECT_EQ(v[0].Donnee2, 127);
    EXPECT_EQ(v[1].Temps, 480);
    EXPECT_EQ(v[1].Statut, 0x89);
    EXPECT_EQ(v[1].Donnee2, 50);
}

TEST(Batterie, KeysGoOnlyOnDrumTracks)
{
    cPartition p;
    p.Nouveau();
    p.PlacerCurseur(p.Curseur);
    ASSERT_TRUE(p.Curseur.Note);
    EXPECT_FALSE(SaisirPercussion(p, 38)) << "a guitar track takes no percussion key";
    EXPECT_EQ(p.Curseur.Note->Type, 0);

    p.PremierePiste->Percussions = true;
    EXPECT_FALSE(SaisirPercussion(p, 12)) << "not a percussion key";
    ASSERT_TRUE(SaisirPercussion(p, 38));
    EXPECT_EQ(p.Curseur.Note->Case, 38);
    EXPECT_EQ(p.Curseur.Note->Type, 1);
    EXPECT_EQ(p.Curseur.Accord->Etat, 1);
}

} // namespace
