// Track-wide operations: string-count changes and tuning changes that keep pitches.
#include <gtest/gtest.h>

#include "model/uPartition.h"
#include "support/Invariants.h"

namespace {

int Hauteur(const cPiste &t, const cNote &n)
{
    return t.Accordage[n.Corde - 1] + t.Capo + n.Case;
}

TEST(ChangerNbCordes, AddingAndRemovingStrings)
{
    cPartition p;
    p.Nouveau();
    cPiste *t = p.PremierePiste;
    cMesurePiste *mp = t->PremiereMesurePiste;
    cAccord *a = mp->PremierAccord; // empty placeholder
    cAccord *b = mp->InsererAccordApres(a);
    cAccord *c = mp->InsererAccordApres(b);
    b->Etat = 1;
    b->Notes[6]->Type = 1;   // only on string 6
    b->EffetsCrees().Vibrato = true;
    c->Etat = 1;
    c->Notes[2]->Type = 1;
    c->Notes[2]->Case = 3;
    c->EffetsCrees().Vibrato = true;
    mp->CalculerDuree();

    t->NbCordes = 7;
    t->ChangerNbCordes(6);
    EXPECT_TRUE(ScoreCoherent(p));
    EXPECT_EQ(c->Notes[7]->Type, 0);
    EXPECT_EQ(c->Notes[7]->DureeTicks, c->Duree);
    EXPECT_EQ(a->Etat, 2) << "an empty placeholder becomes a rest";

    t->NbCordes = 5;
    t->ChangerNbCordes(7);
    EXPECT_TRUE(ScoreCoherent(p));
    EXPECT_EQ(b->Etat, 2) << "its only note was on a removed string";
    EXPECT_EQ(b->Effets, nullptr) << "a rest loses its beat effects";
    EXPECT_EQ(c->Etat, 1);
    EXPECT_EQ(c->Notes[2]->Case, 3);
    EXPECT_NE(c->Effets, nullptr);

    t->ChangerNbCordes(5); // unchanged count: nothing happens
    EXPECT_EQ(c->NbNotes, 5);
}

struct CasTransposition {
    const char *nom;
    int cordesAvant, cordesApres;
    std::array<int32_t, 7> accordageApres;
    int capoAvant, capoApres;
};

class TranspositionTest : public ::testing::TestWithParam<CasTransposition> {};

TEST_P(TranspositionTest, SoundingPitchesAreKept)
{
    const CasTransposition &k = GetParam();
    cPartition p;
    p.Nouveau();
    cPiste *t = p.PremierePiste;
    t->NbCordes = k.cordesAvant;
    if (k.cordesAvant == 7)
        t->Accordage[6] = 35; // low B
    t->ChangerNbCordes(6);
    t->Capo = k.capoAvant;
    cMesurePiste *mp = t->PremiereMesurePiste;
    // One beat per string with a note at fret 8, plus a chord using strings 1, 3 and the last.
    std::vector<int> hauteurs; // pitch per beat, per string (0 = none)
    cAccord *a = mp->PremierAccord;
    for (int s = 1; s <= k.cordesAvant; ++s) {
        if (s > 1)
            a = mp->InsererAccordApres(a);
        a->Etat = 1;
        a->Notes[s]->Type = 1;
        a->Notes[s]->Case = 8;
    }
    cAccord *acc = mp->InsererAccordApres(a);
    acc->Etat = 1;
    for (int s : {1, 3, k.cordesAvant}) {
        acc->Notes[s]->Type = 1;
        acc->Notes[s]->Case = 7;
    }
    mp->CalculerDuree();
    std::vector<std::vector<int>> avant;
    for (cAccord *x = mp->PremierAccord; x; x = x->Suivant) {
        std::vector<int> v;
        for (cNote *n = x->PremiereNote; n; n = n->Suivante)
            if (n->Type == 1)
                v.push_back(Hauteur(*t, *n));
        std::sort(v.begin(), v.end());
        avant.push_back(v);
    }

    t->MemoriserAvant();
    t->NbCordes = k.cordesApres;
    t->Accordage = k.accordageApres;
    t->Capo = k.capoApres;
    t->TransposerAccordage();
    EXPECT_TRUE(ScoreCoherent(p));

    std::size_t i = 0;
    for (cAccord *x = mp->PremierAccord; x; x = x->Suivant, ++i) {
        std::vector<int> v;
        for (cNote *n = x->PremiereNote; n; n = n->Suivante)
            if (n->Type == 1) {
                v.push_back(Hauteur(*t, *n));
                EXPECT_LE(n->Case, 99);
            }
        std::sort(v.begin(), v.end());
        EXPECT_EQ(v, avant[i]) << k.nom << ", beat " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Accordages, TranspositionTest,
    ::testing::Values(
        // Drop D: only the sixth string's frets move (+2).
        CasTransposition{"drop D", 6, 6, {64, 59, 55, 50, 45, 38, -1}, 0, 0},
        // A capo at 2 with the same tuning: every fret two lower.
        CasTransposition{"capo 2", 6, 6, {64, 59, 55, 50, 45, 40, -1}, 0, 2},
        // Removing the capo at the same time as tuning down a whole step.
        CasTransposition{"capo off, whole step down", 6, 6, {62, 57, 53, 48, 43, 38, -1}, 3, 0},
        // Seven to six strings: the low B notes move onto a free higher string.
        CasTransposition{"seven to six", 7, 6, {64, 59, 55, 50, 45, 40, -1}, 0, 0},
        // With a capo change too, the moved note keeps its pitch.
        CasTransposition{"seven to six with capo", 7, 6, {64, 59, 55, 50, 45, 40, -1}, 0, 1}));

TEST(Transposition, NoteWithoutAFreeStringIsDropped)
{
    cPartition p;
    p.Nouveau();
    cPiste *t = p.PremierePiste;
    cAccord *a = t->PremiereMesurePiste->PremierAccord;
    a->Etat = 1;
    for (cNote *n = a->PremiereNote; n; n = n->Suivante) {
        n->Type = 1;
        n->Case = 5;
    }
    t->MemoriserAvant();
    t->NbCordes = 5;
    t->Accordage[5] = -1;
    t->TransposerAccordage();
    EXPECT_TRUE(ScoreCoherent(p));
    EXPECT_EQ(a->NbNotes, 5);
    for (cNote *n = a->PremiereNote; n; n = n->Suivante)
        EXPECT_EQ(n->Case, 5) << "the five kept strings are unchanged";
}

TEST(Piste, EstVide)
{
    cPartition p;
    p.Nouveau();
    p.InsererMesureApres(nullptr);
    cPiste *t = p.PremierePiste;
    EXPECT_TRUE(t->EstVide());
    cMesurePiste *mp = p.MesurePisteDe(2, 1);
    mp->PremierAccord->Etat = 1;
    EXPECT_FALSE(t->EstVide());
}

} // namespace
