// Text tablature out: the worked example and the layout rules, character for character.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/FabriqueAccords.h"
#include "asciitab/uExportASCII.h"
#include "model/uPartition.h"

namespace {

using tLignes = std::vector<std::string>;

struct Export : ::testing::Test {
    cPartition p;
    cPiste *t = nullptr;
    void SetUp() override
    {
        p.Nouveau();
        t = p.PremierePiste;
        t->Nom.clear();
    }
    cMesurePiste &M(int m) { return MesureDe(p, *t, m); }
    tLignes Texte(int largeur = 80) { return ConstruireTexteASCII(p, *t, largeur); }
};

std::string Espaces(std::size_t n) { return std::string(n, ' '); }

TEST_F(Export, WorkedExample)
{
    cMesurePiste &m = M(1);
    AjouterAccord(m, 0, {{6, 0}});
    AjouterAccord(m, 0, {{5, 2}});
    AjouterAccord(m, 0, {{4, 2}});
    AjouterAccord(m, 0, {{3, 1}});
    const tLignes attendu = {
        Espaces(27),
        "E||----------------------||",
        "B||----------------------||",
        "G||-----------------1----||",
        "D||------------2---------||",
        "A||-------2--------------||",
        "E||--0-------------------||",
        "",
        "",
    };
    EXPECT_EQ(Texte(), attendu);
}

TEST_F(Export, HeaderTitleCentredAuthorRightTrackWithCapoInstructions)
{
    p.Informations->Titre = "Song";
    p.Informations->Auteur = "Me";
    p.Informations->Instructions = "Slowly";
    t->Nom = "Guitar";
    t->Capo = 2;
    AjouterAccord(M(1), -2, {{1, 0}});
    const tLignes l = Texte(40);
    ASSERT_GE(l.size(), 9u);
    // nearest((40 - 4) / 2 - 1) + 1 = 18: the title starts in column 18.
    EXPECT_EQ(l[0], Espaces(17) + "Song" + Espaces(19));
    EXPECT_EQ(l[1], "");
    EXPECT_EQ(l[2], "");
    EXPECT_EQ(l[3], Espaces(38) + "Me");
    EXPECT_EQ(l[4], "Guitar (Capo 2)");
    EXPECT_EQ(l[5], "Slowly");
    EXPECT_EQ(l[6], "");
    EXPECT_EQ(l[7], "");
    EXPECT_EQ(l[8], "");
    EXPECT_EQ(l[10], "E||--0----------------||");
}

TEST_F(Export, TitleLongerThanTheWidthIsCutAtBothEnds)
{
    p.Informations->Titre = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwx"; // 50
    const tLignes l = Texte(40);
    // nearest((40 - 50) / 2 - 1) + 1 = -5: the first 6 and the last 4 characters fall outside.
    EXPECT_EQ(l[0], "GHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrst");
    // Without author or instructions, the track line (empty here) and no blank trio.
    EXPECT_EQ(l[1], "");
    EXPECT_EQ(l[2], "");
    EXPECT_EQ(l[3], Espaces(11));
}

// Columns a beat takes: its widest fret text, then its duration's advance.
TEST_F(Export, DurationsAdvanceTheColumns)
{
    struct rCas {
        const char *Pourquoi;
        int Code;
        bool Pointe;
        int Colonnes; // from one beat's fret to the next
    };
    const rCas cas[] = {
        {"whole: 16 (dotting ignored)", -2, true, 17},
        {"half", -1, false, 9},
        {"dotted half", -1, true, 13},
        {"quarter", 0, false, 5},
        {"dotted quarter", 0, true, 7},
        {"eighth", 1, false, 3},
        {"dotted eighth", 1, true, 4},
        {"sixteenth (dotting ignored)", 2, true, 2},
        {"sixty-fourth", 4, false, 2},
    };
    for (const rCas &c : cas) {
        p.Nouveau();
        t = p.PremierePiste;
        t->Nom.clear();
        AjouterAccord(M(1), c.Code, {{1, 3}}, c.Pointe);
        AjouterAccord(M(1), c.Code, {{1, 4}}, c.Pointe);
        const std::string l = Texte(200)[1];
        EXPECT_EQ(l.find('4') - l.find('3'), static_cast<std::size_t>(c.Colonnes)) << c.Pourquoi;
    }
}

TEST_F(Export, TwoDigitFretsSixteenthsAndDeadNotes)
{
    cMesurePiste &m = M(1);
    AjouterAccord(m, 2, {{1, 12}, {2, -1}});
    AjouterAccord(m, 2, {{1, 13}});
    AjouterAccord(m, 2, {{2, 7}});
    const tLignes l = Texte();
    EXPECT_EQ(l[1], "E||--12-13---||");
    EXPECT_EQ(l[2], "B||--x-----7-||");
}

TEST_F(Export, EffectLetterFollowsTheFretWithoutWideningTheBeat)
{
    cMesurePiste &m = M(1);
    AjouterAccord(m, 2, {{1, 5}}).Notes[1]->EffetsCrees().HammerPullOff = true;
    AjouterAccord(m, 2, {{1, 7}});
    cAccord &b = AjouterAccord(m, 1, {{2, 9}, {3, 7}});
    // A slide and a bend on one note: only the later letter of the list, the bend's.
    b.Notes[2]->EffetsCrees().Slide = true;
    b.Notes[2]->Effets->Bend = new cEffet_Bend;
    b.Notes[2]->Effets->Bend->Type = 1;
    auto *r = new cEffet_Bend;
    r->Type = 5;
    b.Notes[3]->EffetsCrees().Bend = r;
    cAccord &v = AjouterAccord(m, 1, {{1, 0}, {2, 1}});
    v.EffetsCrees().Vibrato = true;
    v.Notes[2]->EffetsCrees().Slide = true; // the note's own effect comes later in the list
    cAccord &s = AjouterAccord(m, 1, {{1, 3}});
    s.EffetsCrees().Frappe = 2;
    const tLignes l = Texte();
    EXPECT_EQ(l[1], "E||--5h7----0~-3s-||");
    EXPECT_EQ(l[2], "B||------9b-1/----||");
    EXPECT_EQ(l[3], "G||------7r-------||");
}

TEST_F(Export, RestsAndEmptyBeatsLeaveDashes)
{
    cMesurePiste &m = M(1);
    AjouterSilence(m, 0);
    AjouterAccord(m, 0, {{1, 1}});
    const tLignes l = Texte();
    EXPECT_EQ(l[1], "E||------1----||");
}

TEST_F(Export, ChordNamesRunOverTheNextBeats)
{
    cMesurePiste &m = M(1);
    cAccord &a = AjouterAccord(m, 1, {{2, 1}});
    a.Diagramme = new cDiagramme;
    a.Diagramme->ChangerNom("Cmaj7/G");
    AjouterAccord(m, 1, {{2, 0}});
    const tLignes l = Texte();
    EXPECT_EQ(l[0], "     Cmaj7/G ");
    EXPECT_EQ(l[2], "B||--1--0--||");
}

TEST_F(Export, SharpsInTheTuningGiveTwoColumnLabels)
{
    t->Accordage = {63, 58, 54, 49, 44, 39, -1}; // a half step down
    AjouterAccord(M(1), 0, {{1, 0}});
    const tLignes l = Texte();
    EXPECT_EQ(l[1], "D#||--0----||");
    EXPECT_EQ(l[4], "C#||-------||");
    t->Accordage = {64, 59, 55, 50, 45, 37, -1}; // only the low string is sharp
    const tLignes k = Texte();
    EXPECT_EQ(k[1], "E ||--0----||");
    EXPECT_EQ(k[6], "C#||-------||");
}

TEST_F(Export, RepeatOpeningMidSystemCompletesTheDoubleBar)
{
    AjouterAccord(M(1), 0, {{1, 1}});
    M(2);
    p.MesureNumero(2)->RenvoiDebut = true;
    AjouterAccord(M(2), 0, {{1, 2}});
    const tLignes l = Texte();
    // Measure 1 ends with one bar; measure 2 adds one to make "||", then the dots on
    // strings 3 and 4 of six.
    EXPECT_EQ(l[1], "E||--1----||---2----||");
    EXPECT_EQ(l[2], "B||-------||--------||");
    EXPECT_EQ(l[3], "G||-------||*-------||");
    EXPECT_EQ(l[4], "D||-------||*-------||");
    EXPECT_EQ(l[5], "A||-------||--------||");
}

TEST_F(Export, RepeatClosesWithDotsBarsAndItsCount)
{
    struct rCas {
        int Fois;
        const char *Nom;
    };
    for (const rCas &c : {rCas{1, "            "}, rCas{3, "          3x"},
                          rCas{12, "         12x"}}) {
        p.Nouveau();
        t = p.PremierePiste;
        t->Nom.clear();
        p.PremiereMesure->RenvoiDebut = true;
        p.PremiereMesure->RenvoiFin = static_cast<int8_t>(c.Fois);
        AjouterAccord(M(1), 1, {{4, 5}});
        const tLignes l = Texte();
        // The count's "x" stands over the second bar, its digits just before.
        EXPECT_EQ(l[0], c.Nom) << c.Fois;
        EXPECT_EQ(l[1], "E||-------||") << c.Fois;
        EXPECT_EQ(l[3], "G||*-----*||") << c.Fois;
        EXPECT_EQ(l[4], "D||*--5--*||") << c.Fois;
    }
}

TEST_F(Export, MeasuresWrapIntoSystemsOfTheWidth)
{
    for (int m = 1; m <= 3; ++m)
        for (int b = 0; b < 4; ++b)
            AjouterAccord(M(m), 0, {{1, m}});
    // Measure 1 takes 26 columns, the next ones 23 each (the last one 24).
    const tLignes l = Texte(50);
    ASSERT_EQ(l.size(), 18u);
    EXPECT_EQ(l[1], "E||--1----1----1----1----|--2----2----2----2----|");
    EXPECT_EQ(l[8], "");
    EXPECT_EQ(l[9], Espaces(24));
    EXPECT_EQ(l[10], "--3----3----3----3----||");
}

TEST_F(Export, AMeasureWiderThanTheLineIsCutWithoutAnEmptySystem)
{
    for (int b = 0; b < 16; ++b)
        AjouterAccord(M(1), 2, {{1, 10}});
    const tLignes l = Texte(40);
    ASSERT_EQ(l.size(), 9u);
    EXPECT_EQ(l[1], "E||--10-10-10-10-10-10-10-10-10-10-10-10");
}

TEST_F(Export, FileIsUtf8WithALineBreakAfterEachLine)
{
    p.Informations->Titre = "\xC9t\xE9"; // Été in the model's code page
    AjouterAccord(M(1), 0, {{1, 0}});
    const std::string chemin = testing::TempDir() + "/ete.tab";
    std::string cle;
    ASSERT_TRUE(EcrireFichierTAB(p, 1, 40, chemin, cle));
    std::ifstream f(chemin, std::ios::binary);
    const std::string s((std::istreambuf_iterator<char>(f)), {});
    // nearest((40 - 3) / 2 - 1) = nearest(17.5) = 18: column 19.
    EXPECT_EQ(s.substr(0, 23), Espaces(18) + "\xC3\x89t\xC3\xA9");
    EXPECT_EQ(s.back(), '\n');
    EXPECT_FALSE(EcrireFichierTAB(p, 2, 40, chemin, cle)) << "no track 2";
    EXPECT_FALSE(EcrireFichierTAB(p, 1, 40, testing::TempDir() + "/no/such/dir/x.tab", cle));
    EXPECT_EQ(cle, "ASCIIExp-EcritureFichierImpossibleExportAb");
}

TEST_F(Export, ProposedFileName)
{
    EXPECT_EQ(NomProposeASCII(p), "");
    p.Informations->Titre = "AC/DC: T.N.T.";
    EXPECT_EQ(NomProposeASCII(p), "AC_DC_ T.N.T..tab");
    p.Chemin = "/home/me/Songs/My Song.PL3";
    EXPECT_EQ(NomProposeASCII(p), "/home/me/Songs/my song.tab");
}

} // namespace
