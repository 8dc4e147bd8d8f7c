// Numbers of the printed page layout: scale factors, beat widths, the page frame, which measures
// start each system, systems per page, the chord list and the page range of the print dialog.
#include <gtest/gtest.h>

#include <cmath>

#include "support/Tablature.h"
#include "display/uMiseEnPageImpression.h"
#include "model/uPartition.h"

namespace {

using tab::Remplir;

class MiseEnPageTest : public ::testing::Test {
protected:
    cPartition p;
    TZoneImpression z;
    void SetUp() override { p.Nouveau(); }
    void Mesures(int n, std::initializer_list<int> codes)
    {
        while (p.NbMesures < n)
            p.InsererMesureApres(nullptr);
        for (cMesurePiste *mp = p.PremierePiste->PremiereMesurePiste; mp;
             mp = mp->SuivanteDansPiste)
            Remplir(mp, codes);
    }
    rMiseEnPageImp A4(int liste = 0)
    {
        return MettreEnPageImpression(p, *p.PremierePiste, z, 210, 297, liste);
    }
    // The 1-based numbers of the measures that start a system.
    static std::vector<int> Debuts(const rMiseEnPageImp &m)
    {
        std::vector<int> d;
        for (const rSystemeImp &s : m.Systemes)
            d.push_back(s.Premiere + 1);
        return d;
    }
};

TEST(FacteursImpression, ScaleSpacingAndChordSize)
{
    struct Cas {
        const char *nom;
        double obtenu, attendu;
    } cas[] = {
        {"scale 0 is 1", EchelleGlobale(0), 1},
        {"scale 20 doubles", EchelleGlobale(20), 2},
        {"scale -20 halves", EchelleGlobale(-20), 0.5},
        {"scale beyond 40 is held at 40", EchelleGlobale(90), 3},
        {"chord size 40 doubles", FacteurTailleDiagramme(40), 2},
        {"chord size -40 halves", FacteurTailleDiagramme(-40), 0.5},
        {"spacing 5 is 1", CoefEspacementImp(5), 1},
        {"spacing 10 squares 1.5", CoefEspacementImp(10), 2.25},
        {"spacing 0 is a half", CoefEspacementImp(0), 0.5},
        {"minimum of an eighth", LargeurMinimaleTemps(240, 1), 6},
        {"minimum of a triplet eighth", LargeurMinimaleTemps(160, 1), 6},
        {"minimum of a quarter", LargeurMinimaleTemps(480, 1), 7},
        {"minimum of a dotted quarter", LargeurMinimaleTemps(720, 2), 16},
        {"minimum of a whole", LargeurMinimaleTemps(1920, 1), 10},
        {"a quintuplet sixteenth has no minimum", LargeurMinimaleTemps(96, 1), 0},
    };
    for (const Cas &c : cas)
        EXPECT_DOUBLE_EQ(c.obtenu, c.attendu) << c.nom;
}

TEST_F(MiseEnPageTest, BeatSpacingWidensShortBeatsToTheirMinimum)
{
    struct Cas {
        const char *nom;
        std::initializer_list<int> codes;
        std::vector<double> x;
        double naturelle;
    } cas[] = {
        // 5 mm each at first; a quarter needs 7, so everything grows by 7/5.
        {"four quarters print 7 mm apart", {0, 0, 0, 0}, {0, 7, 14, 21}, 28},
        // The eighths are 5 × (1/2)^log2(1.5) = 3.33 mm and need 6: factor 1.8.
        {"a quarter and two eighths print 9, 6 and 6", {0, 1, 1}, {0, 9, 15}, 21},
        {"one whole note is 10 wide", {-2}, {0}, 10},
    };
    for (const Cas &c : cas) {
        Mesures(1, c.codes);
        std::vector<double> x;
        const double nat = PlacerTempsImp(*p.PremierePiste->PremiereMesurePiste, 1, 1.5, x);
        ASSERT_EQ(x.size(), c.x.size()) << c.nom;
        for (std::size_t i = 0; i < x.size(); ++i)
            EXPECT_NEAR(x[i], c.x[i], 1e-9) << c.nom << " beat " << i;
        EXPECT_NEAR(nat, c.naturelle, 1e-9) << c.nom;
    }
}

TEST_F(MiseEnPageTest, ProportionOutOfRangeIsHeldWithinIt)
{
    Mesures(1, {0, 1, 1});
    z.CoefPImp = 0; // a hand-edited file: log2(0) would make every width infinite
    const rMiseEnPageImp m = A4();
    for (double x : m.Mesures[0].XTemps)
        EXPECT_TRUE(std::isfinite(x));
    EXPECT_TRUE(std::isfinite(m.Mesures[0].Naturelle));
    EXPECT_GT(m.Mesures[0].Naturelle, 0);
}

TEST_F(MiseEnPageTest, PageFrame)
{
    {
        const rCadrePage c = CalculerCadrePage(z, 210, 297);
        EXPECT_DOUBLE_EQ(c.LargeurUtile, 190);
        EXPECT_DOUBLE_EQ(c.HauteurUtile, 297 - 25);
        EXPECT_FALSE(c.Cadre);
    }
    {
        // Everything doubles but the margins stay 10 mm on paper: 5 layout millimetres.
        TZoneImpression g = z;
        g.GlobalProportions_Prt = 20;
        const rCadrePage c = CalculerCadrePage(g, 210, 297);
        EXPECT_DOUBLE_EQ(c.Gauche, 5);
        EXPECT_DOUBLE_EQ(c.LargeurUtile, 95);
        EXPECT_DOUBLE_EQ(c.Gauche * 2 + c.LargeurUtile * 2 + c.Droite * 2, 210);
    }
    {
        // Area mode, centred: right = 210 - 10 - 100 + 10 = 110, then both sides 60.
        TZoneImpression a = z;
        a.FullPage = false;
        a.Largeur_Prt = 100;
        a.Hauteur_Prt = 200;
        const rCadrePage c = CalculerCadrePage(a, 210, 297);
        EXPECT_DOUBLE_EQ(c.Gauche, 60);
        EXPECT_DOUBLE_EQ(c.Droite, 60);
        EXPECT_DOUBLE_EQ(c.LargeurUtile, 90);
        EXPECT_TRUE(c.Cadre);
        EXPECT_DOUBLE_EQ(c.CadreGauche, 50);
        EXPECT_DOUBLE_EQ(c.CadreDroite, 160);
    }
    {
        // Margins wider than the paper still leave a usable line.
        TZoneImpression w = z;
        w.MargeGaucheLignes = 100;
        w.MargeDroiteLignes = 100;
        const rCadrePage c = CalculerCadrePage(w, 150, 297);
        EXPECT_GE(c.LargeurUtile, Imp::LargeurUtileMin);
    }
}

TEST_F(MiseEnPageTest, MeasuresStartingEachSystem)
{
    // Four quarters are 28 wide. Fixed parts: 5 lead + 2 + 3.5 signature in the first measure
    // (38.5 in all), 5 in the middle (33), 5 + 2 in the last. 38.5 + 4 × 33 = 170.5 fits 190,
    // a sixth measure would not.
    Mesures(12, {0, 0, 0, 0});
    const rMiseEnPageImp m = A4();
    EXPECT_EQ(Debuts(m), (std::vector<int>{1, 6, 11}));
    const rSystemeImp &s = m.Systemes[0];
    // Stretch fills the line: (190 - fixed) / natural.
    EXPECT_NEAR(s.Etirement, (190 - (10.5 + 4 * 5)) / (5 * 28.0), 1e-9);
    const rMesureImp &derniere = m.Mesures[4];
    EXPECT_NEAR(derniere.BarreDroite(m.k), 190, 1e-9) << "the first line ends at the margin";
}

TEST_F(MiseEnPageTest, LastSystemIsStretchedOnlyWhenMoreThanThreeQuartersFull)
{
    struct Cas {
        const char *nom;
        int mesures;
        bool etire;
    } cas[] = {
        {"one short measure on the last line keeps its spacing", 6, false},
        {"four measures fill more than three quarters", 10, true},
    };
    for (const Cas &c : cas) {
        p.Nouveau();
        Mesures(c.mesures, {0, 0, 0, 0});
        const rMiseEnPageImp m = A4();
        ASSERT_EQ(m.Systemes.size(), 2u) << c.nom;
        const double e = m.Systemes.back().Etirement;
        if (c.etire)
            EXPECT_GT(e, 1) << c.nom;
        else
            EXPECT_DOUBLE_EQ(e, 1) << c.nom;
    }
}

TEST_F(MiseEnPageTest, SystemsPerPage)
{
    // Six strings: each system takes 30 + 5 × 2.75 = 43.75. The first starts at 15 + 55 - 8;
    // a page closes when 287 < Y + 16.5 + 12.
    Mesures(5 * 11 + 1, {0, 0, 0, 0});
    const rMiseEnPageImp m = A4();
    std::vector<int> parPage(static_cast<std::size_t>(m.NbPages) + 1, 0);
    for (const rSystemeImp &s : m.Systemes)
        ++parPage[static_cast<std::size_t>(s.Page)];
    ASSERT_EQ(m.NbPages, 3);
    EXPECT_EQ(parPage[1], 5);
    EXPECT_EQ(parPage[2], 6);
    EXPECT_DOUBLE_EQ(m.Systemes[0].Y, 62);
    EXPECT_DOUBLE_EQ(m.Systemes[5].Y, 25) << "a new page starts 10 below the top margin";
}

TEST_F(MiseEnPageTest, TitleBlockLinesMoveTheFirstSystem)
{
    Mesures(2, {0, 0, 0, 0});
    struct Cas {
        const char *nom;
        bool triplet;
        int capo;
        bool switchOn;
        double y;
    } cas[] = {
        {"no triplet feel, no capo", false, 0, true, 62},
        {"triplet feel", true, 0, true, 70},
        {"capo", false, 2, true, 70},
        {"capo with the switch off", false, 2, false, 62},
    };
    for (const Cas &c : cas) {
        p.Informations->TripletFeel = c.triplet;
        p.PremierePiste->Capo = c.capo;
        z.AffTriplet_Prt = c.switchOn;
        EXPECT_DOUBLE_EQ(A4().YPremierSysteme, c.y) << c.nom;
    }
}

TEST_F(MiseEnPageTest, ChordListRowsAndHeight)
{
    Mesures(1, {0});
    // d = 8 mm, one diagram takes 13.33: 14 per row on 190 mm.
    rMiseEnPageImp m = A4(20);
    ASSERT_EQ(m.ListeAccords.size(), 20u);
    EXPECT_DOUBLE_EQ(m.ListeAccords[13].Y, m.ListeAccords[0].Y);
    EXPECT_NEAR(m.ListeAccords[14].Y - m.ListeAccords[0].Y, 40.0 / 3, 1e-9);
    EXPECT_NEAR(m.HauteurListeAccords, 40.0 / 3 + 15, 1e-9);
    EXPECT_NEAR(m.YPremierSysteme, 62 + 40.0 / 3 + 15, 1e-9);
    // The six of the second row are centred.
    EXPECT_NEAR(m.ListeAccords[14].X + m.ListeAccords[19].X, 210, 1e-9);

    // Huge diagrams on a narrow line: still one per row, none lost.
    z.ChordSize_Prt = 40;
    z.MargeGaucheLignes = z.MargeDroiteLignes = 80;
    m = A4(3);
    ASSERT_EQ(m.ListeAccords.size(), 3u);
    EXPECT_LT(m.ListeAccords[0].Y, m.ListeAccords[1].Y);
    EXPECT_LT(m.ListeAccords[1].Y, m.ListeAccords[2].Y);

    z.AffListChord_Prt = false;
    EXPECT_TRUE(A4(3).ListeAccords.empty());
}

TEST_F(MiseEnPageTest, PrintingLeavesTheScreenLayoutAlone)
{
    Mesures(8, {0, 1, 1});
    for (cMesure *m = p.PremiereMesure; m; m = m->Suivante) {
        m->X = 17;
        m->Etirement = 1.25;
        m->LargeurNaturelle = 33;
        m->LargeurFixe = 23;
        m->Ligne = 4;
    }
    cAccord *a = p.PremierePiste->PremiereMesurePiste->PremierAccord;
    a->XRelatif = 9;
    (void)A4();
    for (const cMesure *m = p.PremiereMesure; m; m = m->Suivante) {
        EXPECT_EQ(m->X, 17);
        EXPECT_EQ(m->Etirement, 1.25);
        EXPECT_EQ(m->LargeurNaturelle, 33);
        EXPECT_EQ(m->LargeurFixe, 23);
        EXPECT_EQ(m->Ligne, 4);
    }
    EXPECT_EQ(a->XRelatif, 9);
}

TEST_F(MiseEnPageTest, OneMeasureWiderThanTheLineStaysAloneAndForward)
{
    Mesures(2, {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4,
                4, 4, 4, 4, 4});
    z.MargeGaucheLignes = z.MargeDroiteLignes = 90; // 30 mm of line
    const rMiseEnPageImp m = A4();
    ASSERT_EQ(m.Systemes.size(), 2u);
    EXPECT_GT(m.Systemes[0].Etirement, 0);
    EXPECT_LT(m.Systemes[0].Etirement, 1);
    const std::vector<double> &x = m.Mesures[0].XTemps;
    for (std::size_t i = 1; i < x.size(); ++i)
        EXPECT_GT(x[i], x[i - 1]);
}

TEST_F(MiseEnPageTest, TuningNamesOnlyForUnusualTunings)
{
    struct Cas {
        const char *nom;
        std::vector<int> accordage;
        bool imprime;
    } cas[] = {
        {"standard guitar", {64, 59, 55, 50, 45, 40}, false},
        {"drop D", {64, 59, 55, 50, 45, 38}, true},
        {"standard bass", {43, 38, 33, 28}, false},
        {"five-string bass", {43, 38, 33, 28, 23}, false},
        {"low B guitar", {47, 43, 38, 33, 28, 23}, false},
        {"seven strings", {64, 59, 55, 50, 45, 40, 35}, true},
        {"bass tuned as the top of a guitar", {64, 59, 55, 50}, true},
    };
    for (const Cas &c : cas) {
        cPiste &piste = *p.PremierePiste;
        const int ancien = piste.NbCordes;
        piste.NbCordes = static_cast<int>(c.accordage.size());
        piste.ChangerNbCordes(ancien);
        for (std::size_t i = 0; i < c.accordage.size(); ++i)
            piste.Accordage[i] = c.accordage[i];
        EXPECT_EQ(AccordageImprime(piste), c.imprime) << c.nom;
    }
}

TEST(TexteValeurImp, BendAmounts)
{
    struct Cas {
        int valeur;
        const char *texte;
    } cas[] = {{25, "1/4"}, {50, "1/2"}, {75, "3/4"}, {100, "1"},
               {150, "1.5"}, {200, "2"}, {125, "1.25"}, {300, "3"}};
    for (const Cas &c : cas)
        EXPECT_EQ(TexteValeurImp(c.valeur), c.texte) << c.valeur;
}

TEST_F(MiseEnPageTest, PageNumbersOnlyWhenThereAreSeveralPages)
{
    Mesures(5, {0, 0, 0, 0});
    rMiseEnPageImp m = A4();
    EXPECT_EQ(m.NbPages, 1);
    EXPECT_FALSE(NumeroterPages(m, z));
    Mesures(60, {0, 0, 0, 0});
    m = A4();
    EXPECT_GT(m.NbPages, 1);
    EXPECT_TRUE(NumeroterPages(m, z));
    z.AffNumP_Prt = false;
    EXPECT_FALSE(NumeroterPages(m, z));
}

TEST(PlagePages, FieldsOfThePrintDialog)
{
    struct Cas {
        const char *nom, *debut, *fin;
        bool plage;
        int de, a;
    } cas[] = {
        {"a first page alone", "3", "", true, 3, 3},
        {"a zero last page", "3", "0", true, 3, 3},
        {"a reversed range is swapped", "5", "2", true, 2, 5},
        {"a plain range", " 2 ", "4", true, 2, 4},
        {"first page 0 means all", "0", "4", false, 0, 0},
        {"a first page that is no number means all", "a", "4", false, 0, 0},
        {"a last page that is no number counts 0", "2", "x", true, 2, 2},
        {"an absurdly long number counts 0", "99999999999", "", false, 0, 0},
    };
    for (const Cas &c : cas) {
        int de = -1, a = -1;
        EXPECT_EQ(LirePlagePages(c.debut, c.fin, de, a), c.plage) << c.nom;
        if (c.plage) {
            EXPECT_EQ(de, c.de) << c.nom;
            EXPECT_EQ(a, c.a) << c.nom;
        }
    }
}

} // namespace
