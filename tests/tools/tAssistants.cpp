// The dynamics and let-ring assistants and the rules their dialogs share.
#include <gtest/gtest.h>

#include "support/Invariants.h"
#include "support/Tablature.h"
#include "tools/uAssistants.h"

namespace {

TEST(Assistants, RowsStandAtTheBottom)
{
    struct Cas {
        int nbCordes;
        int cordes[7]; // string of rows 1..7, 0 for a row without one
    } cas[] = {
        {6, {0, 1, 2, 3, 4, 5, 6}},
        {7, {1, 2, 3, 4, 5, 6, 7}},
        {4, {0, 0, 0, 1, 2, 3, 4}},
        {5, {0, 0, 1, 2, 3, 4, 5}},
    };
    for (const Cas &c : cas)
        for (int ligne = 1; ligne <= 7; ++ligne)
            EXPECT_EQ(CordeDeLigne(ligne, c.nbCordes), c.cordes[ligne - 1])
                << c.nbCordes << " strings, row " << ligne;
}

TEST(Assistants, RangeFields)
{
    struct Cas {
        const char *nom, *debut, *fin;
        eChampPlage attendu;
    } cas[] = {
        {"whole score", "1", "10", eChampPlage::Aucun},
        {"one measure", "4", "4", eChampPlage::Aucun},
        {"start 0", "0", "5", eChampPlage::Debut},
        {"start empty", "", "5", eChampPlage::Debut},
        {"start past the end", "11", "11", eChampPlage::Debut},
        {"start not a number", "a", "5", eChampPlage::Debut},
        {"end below start", "5", "4", eChampPlage::Fin},
        {"end 0", "1", "0", eChampPlage::Fin},
        {"end empty", "1", "", eChampPlage::Fin},
        {"end past the end", "1", "11", eChampPlage::Fin},
    };
    for (const Cas &c : cas) {
        rPlage p;
        EXPECT_EQ(ValiderPlage(c.debut, c.fin, 10, p), c.attendu) << c.nom;
    }
    rPlage p;
    ASSERT_EQ(ValiderPlage("3", "7", 10, p), eChampPlage::Aucun);
    EXPECT_EQ(p.Debut, 3);
    EXPECT_EQ(p.Fin, 7);
    EXPECT_TRUE(CaractereAccepte('7'));
    EXPECT_FALSE(CaractereAccepte('-'));
    EXPECT_FALSE(CaractereAccepte('a'));
}

TEST(Assistants, HeldSpinButtonAccelerates)
{
    EXPECT_EQ(DelaiAvantTick(0), 300);
    EXPECT_EQ(DelaiAvantTick(1), 100);
    EXPECT_EQ(DelaiAvantTick(9), 100);
    EXPECT_EQ(DelaiAvantTick(10), 50);
    // Holding the end field's up button from 1 on a 60-measure score: one by one for 29 ticks,
    // then by three, and it stops at 60.
    int v = 1, temps = 0;
    std::vector<int> valeurs;
    for (int tick = 0; tick < 40; ++tick) {
        temps += DelaiAvantTick(tick);
        v = ValeurApresPas(v, PasDuTick(tick + 1), 60);
        valeurs.push_back(v);
    }
    EXPECT_EQ(valeurs[28], 30); // 29th tick
    EXPECT_EQ(valeurs[29], 33); // 30th: step 3
    EXPECT_EQ(valeurs[30], 36);
    EXPECT_EQ(valeurs.back(), 60);
    EXPECT_EQ(temps, 300 + 9 * 100 + 30 * 50);
    EXPECT_EQ(ValeurApresPas(1, -1, 60), 1);
    EXPECT_EQ(ValeurApresPas(59, 3, 60), 60);
}

TEST(Assistants, DynamicsOnChosenStringsAndMeasures)
{
    cPartition p;
    tab::Construire(p, {"q 1:0 2:1 3:2", "q 1:0, q r", "q _", "q 1:5 2:5", "q 1:0 2:1"});
    tNuances n{};
    n[1] = 3;
    n[2] = 3;
    AppliquerNuances(*p.PremierePiste, 2, 4, n);
    int m = 0;
    for (cMesurePiste *mp = p.PremierePiste->PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste) {
        ++m;
        for (cAccord *a = mp->PremierAccord; a; a = a->Suivant)
            for (cNote *x = a->PremiereNote; x; x = x->Suivante) {
                // Every slot of strings 1 and 2 in measures 2..4, whatever it holds.
                const bool touche = m >= 2 && m <= 4 && x->Corde <= 2;
                EXPECT_EQ(x->Nuance, touche ? 3 : 6) << "measure " << m << " string "
                                                     << int(x->Corde);
            }
    }
}

TEST(Assistants, LetRing)
{
    cPartition p;
    tab::Construire(p, {"q 1:0 2:1 3:2 4:~, q 1:3"});
    cAccord *a = p.PremierePiste->PremiereMesurePiste->PremierAccord;
    a->Notes[2]->EffetsCrees().Slide = true;
    a->Notes[3]->EffetsCrees().LetRing = true;
    tLetRing choix;
    choix.fill(-1);
    choix[1] = 0; // "No" on a note without effects
    choix[2] = 1; // "Yes" over a slide
    choix[3] = 0; // "No" on a let-ring note
    choix[4] = 1; // a tied note is left alone
    AppliquerLetRing(*p.PremierePiste, 1, 1, choix);
    EXPECT_EQ(a->Notes[1]->Effets, nullptr);
    ASSERT_NE(a->Notes[2]->Effets, nullptr);
    EXPECT_TRUE(a->Notes[2]->Effets->LetRing);
    EXPECT_FALSE(a->Notes[2]->Effets->Slide) << "let ring excludes the slide";
    EXPECT_EQ(a->Notes[3]->Effets, nullptr) << "an emptied effect set is freed";
    EXPECT_EQ(a->Notes[4]->Effets, nullptr);
    EXPECT_EQ(a->Suivant->Notes[1]->Effets, nullptr);
    choix.fill(-1);
    choix[1] = 1;
    AppliquerLetRing(*p.PremierePiste, 1, 1, choix);
    ASSERT_NE(a->Suivant->Notes[1]->Effets, nullptr);
    EXPECT_TRUE(a->Suivant->Notes[1]->Effets->LetRing);
    EXPECT_TRUE(ScoreCoherent(p));
}

} // namespace
