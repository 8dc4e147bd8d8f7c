// Layout numbers of the score view: widths, line breaking, scrolling and the hit test.
#include <gtest/gtest.h>

#include <clocale>

#include "support/Tablature.h"
#include "display/uAffichage.h"
#include "support/Invariants.h"

namespace {

using tab::Remplir;

class AffichageTest : public ::testing::Test {
protected:
    TParamEcran param;
    cPartition p;
    cAffichage aff{&p, &param};
    void SetUp() override
    {
        p.Nouveau();
        aff.LargeurVue = 1000; // 970 between the margins
        aff.HauteurVue = 600;
        aff.CompterPistesVisibles();
    }
    void Mesures(int n, std::initializer_list<int> codes)
    {
        while (p.NbMesures < n)
            p.InsererMesureApres(nullptr);
        for (cMesurePiste *mp = p.PremierePiste->PremiereMesurePiste; mp;
             mp = mp->SuivanteDansPiste)
            Remplir(mp, codes);
    }
};

TEST_F(AffichageTest, FourQuartersWithDefaults)
{
    Mesures(2, {0, 0, 0, 0});
    aff.ActualiserPiste();
    const cMesure *m1 = p.MesureNumero(1);
    EXPECT_EQ(aff.UniteEspacement(480), 25);
    EXPECT_EQ(m1->LargeurNaturelle, 100);
    EXPECT_EQ(m1->LargeurFixe, 48) << "23 + 5 (first, no repeat) + 20 (signature)";
    EXPECT_EQ(p.MesureNumero(2)->LargeurFixe, 23);
    const cMesurePiste *mp = m1->PremiereMesurePiste;
    EXPECT_EQ(mp->Accords[1]->XRelatif, 0);
    EXPECT_EQ(mp->Accords[4]->XRelatif, 75);
}

TEST_F(AffichageTest, WholeNoteBesideSixteenths)
{
    Mesures(1, {-2, 2, 2});
    aff.ActualiserPiste();
    const cMesurePiste *mp = p.PremiereMesure->PremiereMesurePiste;
    EXPECT_EQ(mp->Accords[2]->XRelatif, 60) << "15 x 16^0.5";
    EXPECT_EQ(mp->Accords[3]->XRelatif, 75);
    EXPECT_EQ(p.PremiereMesure->LargeurNaturelle, 90);
}

TEST_F(AffichageTest, FixedWidthParts)
{
    Mesures(3, {0});
    cMesure *m2 = p.MesureNumero(2);
    cMesure *m3 = p.MesureNumero(3);
    m2->RenvoiDebut = true;
    m2->RenvoiFin = 2;
    m3->ChangerSignature(3, 4);
    aff.ActualiserPiste();
    EXPECT_EQ(m2->LargeurFixe, 23 + 10 + 10);
    EXPECT_EQ(cAffichage::FixeAvantTemps(*m2), 33);
    EXPECT_EQ(m3->LargeurFixe, 23 + 20);
    p.PremiereMesure->RenvoiDebut = true;
    aff.ActualiserPiste();
    EXPECT_EQ(p.PremiereMesure->LargeurFixe, 23 + 10 + 20) << "a repeat replaces the 5";
}

TEST_F(AffichageTest, UnitFollowsZoom)
{
    param.CoefEspAff = 10; // k = 1.5
    const struct {
        double d;
        int unite;
    } cas[] = {{1920, 45}, {481, 45}, {480, 38}, {240, 30}, {120, 22}, {60, 18}, {15, 18}};
    for (const auto &c : cas)
        EXPECT_EQ(aff.UniteEspacement(c.d), c.unite) << c.d;
}

TEST_F(AffichageTest, MultitrackIsStrictlyProportionalWithTwoVisibleTracks)
{
    p.InsererPisteApres(nullptr);
    Remplir(p.MesurePisteDe(1, 1), {-1, 0, 0});
    Remplir(p.MesurePisteDe(1, 2), {1, 1, 1, 1, -1});
    aff.VueMultipiste = true;
    aff.CompterPistesVisibles();
    aff.ActualiserPiste();
    // dmin 240, unit 20, exponent 1: the half is 80 wide, each eighth 20.
    EXPECT_EQ(p.MesurePisteDe(1, 1)->Accords[2]->XRelatif, 80);
    EXPECT_EQ(p.MesurePisteDe(1, 2)->Accords[5]->XRelatif, 80) << "beats line up across rows";
    EXPECT_EQ(p.PremiereMesure->LargeurNaturelle, 160);
    EXPECT_EQ(p.PisteNumero(2)->RangVisible, 2);
    EXPECT_EQ(p.PisteNumero(2)->DecalageY, aff.HauteurRangee());
    // With one visible track the configured exponent applies again.
    p.PisteNumero(2)->Visible = false;
    aff.CompterPistesVisibles();
    aff.ActualiserPiste();
    EXPECT_EQ(p.MesurePisteDe(1, 1)->Accords[2]->XRelatif,
              static_cast<int>(Arrondi(25 * std::sqrt(2.0))));
}

TEST_F(AffichageTest, LineBreakingAndStretch)
{
    Mesures(16, {0, 0, 0, 0});
    aff.ActualiserPiste();
    // Line 1: m1 (148) + 6 x 123 = 886; the 7th more would reach 970 and starts line 2.
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(p.MesureNumero(i)->Ligne, 1) << i;
    EXPECT_EQ(p.MesureNumero(8)->Ligne, 2);
    const double e1 = (970.0 - (48 + 6 * 23)) / 700.0;
    EXPECT_DOUBLE_EQ(p.MesureNumero(1)->Etirement, e1);
    EXPECT_DOUBLE_EQ(p.MesureNumero(2)->X, 100 * e1 + 48);
    // Line 2: seven measures of 123 (the eighth would reach 984 >= 970).
    EXPECT_EQ(p.MesureNumero(14)->Ligne, 2);
    EXPECT_EQ(p.MesureNumero(15)->Ligne, 3);
    EXPECT_EQ(p.MesureNumero(15)->Y, aff.HauteurRangee() * 2);
    // The last line (two measures) is not spread.
    EXPECT_EQ(p.MesureNumero(16)->Etirement, 1.0);
    EXPECT_EQ(aff.BarreV.Maximum, 2);
}

TEST_F(AffichageTest, LoneOverWideMeasureIsCompressed)
{
    Mesures(2, {0});
    cMesurePiste *large = p.MesurePisteDe(1, 1);
    cAccord *a = large->PremierAccord;
    for (int i = 1; i < 128; ++i)
        a = large->InsererAccordApres(a);
    for (a = large->PremierAccord; a; a = a->Suivant) {
        a->CodeDuree = 4;
        a->CalculerDuree();
    }
    large->CalculerDuree();
    aff.ActualiserPiste();
    const cMesure *m1 = p.MesureNumero(1);
    EXPECT_EQ(m1->LargeurNaturelle, 128 * 12);
    EXPECT_EQ(m1->Ligne, 1);
    EXPECT_EQ(p.MesureNumero(2)->Ligne, 2);
    EXPECT_LT(m1->Etirement, 1.0);
    EXPECT_DOUBLE_EQ(m1->Etirement, (970.0 - 48) / (128 * 12));
}

TEST_F(AffichageTest, EditRelayoutMatchesAFullRelayout)
{
    Mesures(40, {0, 0, 0, 0});
    aff.ActualiserPiste();
    // Widen measure 12 and let the cursor come from measure 30 (far apart).
    rPosition c;
    c.NumMesure = 30;
    p.PlacerCurseur(c);
    aff.MesureCurseurAffichee = p.Curseur.MesurePiste;
    cMesurePiste *mp = p.MesurePisteDe(12, 1);
    Remplir(mp, {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2});
    c.NumMesure = 12;
    p.PlacerCurseur(c);
    aff.ActualiserMesure(mp);
    std::vector<std::tuple<double, int, double, int>> apres;
    for (cMesure *m = p.PremiereMesure; m; m = m->Suivante)
        apres.emplace_back(m->X, m->Y, m->Etirement, m->Ligne);
    cAffichage frais(&p, &param);
    frais.LargeurVue = 1000;
    frais.ActualiserPiste();
    int i = 0;
    for (cMesure *m = p.PremiereMesure; m; m = m->Suivante, ++i)
        EXPECT_EQ(apres[i], std::make_tuple(m->X, m->Y, m->Etirement, m->Ligne)) << i + 1;
}

TEST_F(AffichageTest, RegularSpacingInTheEditedBarOnly)
{
    Mesures(2, {-1, 1, 1});
    aff.EspacementRegulier = true;
    aff.ActualiserPiste();
    const cMesurePiste *mp1 = p.MesurePisteDe(1, 1);
    const cMesurePiste *mp2 = p.MesurePisteDe(2, 1);
    EXPECT_EQ(mp1->Accords[2]->XRelatif, 25) << "the cursor's measure: equal widths";
    EXPECT_EQ(mp1->Accords[3]->XRelatif, 50);
    EXPECT_EQ(mp2->Accords[2]->XRelatif, 40) << "other measures stay proportional: 20 x 2";
    aff.LectureEnCours = true;
    aff.ActualiserPiste();
    EXPECT_EQ(mp1->Accords[2]->XRelatif, 40) << "during playback the proportions come back";
}

TEST_F(AffichageTest, HitTest)
{
    param.CoefEspAff = 7; // quarters 30 wide: an exact middle between two beats exists
    Mesures(3, {0, 0, 0, 0});
    aff.ActualiserPiste();
    for (cMesure *m = p.PremiereMesure; m; m = m->Suivante)
        aff.PlacerTemps(*m);
    const cMesurePiste *mp = p.MesurePisteDe(2, 1);
    const int x2 = mp->Accords[2]->XAffiche;
    const int x3 = mp->Accords[3]->XAffiche;
    const int yCorde = [&](int s) {
        return aff.Y0(6) + (s - 1) * param.EspLignes;
    }(3);
    ASSERT_EQ(x3 - x2, 30);
    rClic c = aff.CliquerPartition((x2 + x3) / 2, yCorde);
    EXPECT_EQ(c.NumMesure, 2);
    EXPECT_EQ(c.NumTemps, 2) << "exactly between two beats: the earlier";
    EXPECT_EQ(c.NumCorde, 3);
    EXPECT_FALSE(c.Dehors);
    // Below the bottom string, inside the row: the bottom string.
    c = aff.CliquerPartition(x3, aff.HauteurRangee() - 2);
    EXPECT_EQ(c.NumCorde, 6);
    // Right of the last measure: the last beat of the track.
    c = aff.CliquerPartition(aff.LargeurVue - 2, yCorde);
    EXPECT_TRUE(c.Dehors);
    EXPECT_EQ(c.NumMesure, 3);
    EXPECT_EQ(c.NumTemps, 4);
    // Well above the top string.
    c = aff.CliquerPartition(x2, aff.Y0(6) - 2 * param.EspLignes);
    EXPECT_TRUE(c.AuDessus);
    EXPECT_EQ(c.NumCorde, 1);
}

TEST_F(AffichageTest, VerticalFollowScrollsJustEnoughOrJumps)
{
    Mesures(60, {0, 0, 0, 0});
    const int R = aff.HauteurRangee(); // 145
    aff.HauteurVue = 2 * R + 10;
    aff.GarderMesureVisible = false;
    aff.ActualiserPiste();
    ASSERT_GT(aff.BarreV.Maximum, 5);
    rPosition c;
    c.NumMesure = 36; // line 6 (7 measures a line): top 5 R
    p.PlacerCurseur(c);
    ASSERT_EQ(p.MesureNumero(36)->Ligne, 6);
    aff.SuivreCurseurVertical();
    EXPECT_EQ(aff.BarreV.Position, 4) << "trunc((5R + R - H) / R) + 1";
    aff.BarreV.Position = 0;
    aff.LectureEnCours = true;
    aff.SuivreCurseurVertical();
    EXPECT_EQ(aff.BarreV.Position, 5) << "during playback the row jumps to the top";
    aff.LectureEnCours = false;
    c.NumMesure = 1;
    p.PlacerCurseur(c);
    aff.SuivreCurseurVertical();
    EXPECT_EQ(aff.BarreV.Position, 0) << "a row above the view comes back to the top";
    aff.HauteurVue = R - 1;
    c.NumMesure = 15;
    p.PlacerCurseur(c);
    aff.SuivreCurseurVertical();
    EXPECT_EQ(aff.BarreV.Position, 2) << "a view lower than a row shows the row's top";
}

TEST_F(AffichageTest, HorizontalModePlacementAndFollow)
{
    Mesures(30, {0, 0, 0, 0});
    aff.DefilementVertical = false;
    aff.GarderMesureVisible = false;
    aff.ActualiserPiste();
    EXPECT_EQ(aff.LargeurTotale, 148 + 29 * 123);
    EXPECT_EQ(p.MesureNumero(3)->X, 148 + 123);
    EXPECT_EQ(aff.BarreH.Maximum, 148 + 29 * 123 + 25 - 1000);
    EXPECT_EQ(aff.BarreH.GrandPas, 970);
    rPosition c;
    c.NumMesure = 20;
    c.NumTemps = 1;
    p.PlacerCurseur(c);
    aff.SuivreCurseurHorizontal();
    const int h = 15 + 148 + 18 * 123 + 23;
    EXPECT_EQ(aff.BarreH.Position, h + 70 - 1000);
    aff.BarreH.Position = 0;
    aff.LectureEnCours = true;
    aff.SuivreCurseurHorizontal();
    EXPECT_EQ(aff.BarreH.Position, h - 70);
}

TEST_F(AffichageTest, StatusBar)
{
    Mesures(12, {0, 0, 0});
    rPosition c;
    c.NumMesure = 7;
    p.PlacerCurseur(c);
    const rBarreEtat b = aff.ActualiserBarreEtat();
    EXPECT_EQ(b.NumMesure, "007 : 012");
    EXPECT_EQ(b.Duree, "3.000 : 4.000");
    EXPECT_EQ(b.CleEtat, "Gene-MesureIncomplete");
    EXPECT_EQ(b.Couleur, 255u);
    EXPECT_EQ(aff.AjusterHauteurOrchestre(false), 20 + 54);
}

TEST_F(AffichageTest, StatusBarDurationsIgnoreTheLocale)
{
    // Under a locale with a decimal comma the program's own "3.000" format must not change.
    const std::string avant = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no French locale on this machine (scripts/install-deps.sh makes one)";
    Mesures(1, {0, 0, 0});
    const rBarreEtat b = aff.ActualiserBarreEtat();
    std::setlocale(LC_NUMERIC, avant.c_str());
    EXPECT_EQ(b.Duree, "3.000 : 4.000");
}

TEST_F(AffichageTest, NothingHappensWhileTheScoreIsDestroyed)
{
    Mesures(2, {0});
    p.EnDestruction = true;
    aff.ActualiserPiste();
    EXPECT_EQ(p.PremiereMesure->Ligne, 0);
    p.EnDestruction = false;
}

} // namespace
