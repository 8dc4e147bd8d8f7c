// Cursor moves between measures and tracks, and the placeholder beat they leave behind.
#include <gtest/gtest.h>

#include "app/uCurseur.h"
#include "model/uPartition.h"
#include "support/Invariants.h"

namespace {
struct Partition3x3 : ::testing::Test {
    cPartition p;
    void SetUp() override
    {
        p.Nouveau();
        p.InsererPisteApres(nullptr);
        p.InsererPisteApres(nullptr);
        p.PisteNumero(3)->NbCordes = 4;
        p.PisteNumero(3)->ChangerNbCordes(6);
        p.InsererMesureApres(nullptr);
        p.InsererMesureApres(nullptr);
        for (int m = 1; m <= 3; ++m)
            for (int t = 1; t <= 3; ++t) {
                cMesurePiste *mp = p.MesurePisteDe(m, t);
                mp->PremierAccord->Etat = 1;
                mp->InsererAccordApres(nullptr)->Etat = 1;
                mp->CalculerDuree();
            }
    }
};
} // namespace

TEST_F(Partition3x3, PlaceholderIsRemovedUnlessFirst)
{
    cMesurePiste *mp = p.MesurePisteDe(2, 1);
    mp->InsererAccordApres(nullptr); // an empty placeholder, beat 3
    rPosition c;
    c.NumMesure = 2;
    c.NumTemps = 3;
    p.PlacerCurseur(c);
    EXPECT_TRUE(QuitterPlaceholder(p));
    EXPECT_EQ(mp->NbAccords, 2);
    EXPECT_EQ(p.Curseur.NumTemps, 2);
    EXPECT_TRUE(ScoreCoherent(p));
    p.MesurePisteDe(1, 1)->PremierAccord->Etat = 0;
    c.NumMesure = 1;
    c.NumTemps = 1;
    p.PlacerCurseur(c);
    EXPECT_FALSE(QuitterPlaceholder(p)) << "the first beat stays";
}

TEST_F(Partition3x3, MeasureMoves)
{
    rPosition c;
    c.NumMesure = 2;
    c.NumTemps = 2;
    c.NumCorde = 5;
    p.PlacerCurseur(c);
    DeplacerMesure(p, eMouvementMesure::Precedente);
    EXPECT_EQ(p.Curseur.NumMesure, 1);
    EXPECT_EQ(p.Curseur.NumTemps, 2) << "previous measure: its last beat";
    EXPECT_EQ(p.Curseur.NumCorde, 5);
    DeplacerMesure(p, eMouvementMesure::Precedente);
    EXPECT_EQ(p.Curseur.NumTemps, 1) << "at measure 1: the first beat";
    DeplacerMesure(p, eMouvementMesure::Derniere);
    EXPECT_EQ(p.Curseur.NumMesure, 3);
    EXPECT_EQ(p.Curseur.NumTemps, 2);
    DeplacerMesure(p, eMouvementMesure::Suivante);
    EXPECT_EQ(p.NbMesures, 4) << "next from the last measure appends one";
    EXPECT_EQ(p.Curseur.NumMesure, 4);
    EXPECT_EQ(p.Curseur.NumTemps, 1);
    DeplacerMesure(p, eMouvementMesure::Premiere);
    EXPECT_EQ(p.Curseur.NumMesure, 1);
    EXPECT_TRUE(ScoreCoherent(p));
}

TEST_F(Partition3x3, TrackMoves)
{
    rPosition c;
    c.NumMesure = 2;
    c.NumTemps = 2;
    c.NumCorde = 6;
    p.PlacerCurseur(c);
    EXPECT_TRUE(DeplacerPiste(p, eMouvementPiste::Derniere, false));
    EXPECT_EQ(p.Curseur.NumPiste, 3);
    EXPECT_EQ(p.Curseur.NumMesure, 2);
    EXPECT_EQ(p.Curseur.NumTemps, 1);
    EXPECT_EQ(p.Curseur.NumCorde, 4) << "limited to the four strings of track 3";
    EXPECT_FALSE(DeplacerPiste(p, eMouvementPiste::Suivante, false)) << "no track after";
    // Multitrack: a hidden target gives way to the next visible one in the move's direction.
    p.PisteNumero(2)->Visible = false;
    EXPECT_TRUE(DeplacerPiste(p, eMouvementPiste::Precedente, true));
    EXPECT_EQ(p.Curseur.NumPiste, 1);
    p.PisteNumero(1)->Visible = false;
    p.PisteNumero(3)->Visible = false;
    DeplacerPiste(p, eMouvementPiste::Numero, true, 2);
    EXPECT_EQ(p.Curseur.NumPiste, 2);
    EXPECT_TRUE(p.PisteNumero(2)->Visible) << "no visible track at all: the target is shown";
}
