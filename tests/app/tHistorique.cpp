// Undo and redo over file images: each step rebuilds its neighbour exactly, whatever changed.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/uHistorique.h"
#include "app/uSaisie.h"
#include "chords/uListeAccordsImpression.h"
#include "fileio/uFichierPLT.h"
#include "model/uEdition.h"
#include "model/uPartition.h"
#include "support/Invariants.h"

namespace {

// A history over plain strings: every step replaces the whole "score".
struct rCibleTexte {
    std::string Etat;
    cPartition Inutile;
    cHistorique::rCible Cible()
    {
        return {[this]() -> cPartition & { return Inutile; },
                [this](const std::string &i) {
                    Etat = i;
                    return true;
                }};
    }
};

struct rCasImages {
    const char *Nom;
    std::vector<std::string> Images; // the first is the starting state
};
void PrintTo(const rCasImages &c, std::ostream *os) { *os << c.Nom; }
struct Images : ::testing::TestWithParam<rCasImages> {};

TEST_P(Images, UndoAndRedoRebuildEveryImage)
{
    const auto &im = GetParam().Images;
    cHistorique h;
    rCibleTexte t;
    for (std::size_t i = 1; i < im.size(); ++i)
        ASSERT_TRUE(h.EnregistrerImages(im[i - 1], im[i], {static_cast<int>(i), 1, 1, 1}));
    rPlaceCurseur place;
    for (std::size_t i = im.size() - 1; i > 0; --i) {
        ASSERT_TRUE(h.Annuler(t.Cible(), place));
        EXPECT_EQ(t.Etat, im[i - 1]);
        EXPECT_EQ(place.NumMesure, static_cast<int>(i)) << "the cursor of that change";
    }
    EXPECT_FALSE(h.Annuler(t.Cible(), place));
    for (std::size_t i = 1; i < im.size(); ++i) {
        ASSERT_TRUE(h.Retablir(t.Cible(), place));
        EXPECT_EQ(t.Etat, im[i]);
    }
    EXPECT_FALSE(h.Retablir(t.Cible(), place));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Images,
    ::testing::Values(
        rCasImages{"ChangeInTheMiddle", {"abcdef", "abXdef", "abXYef"}},
        rCasImages{"Growing", {"abc", "abcabc", "abcabcabc"}},
        rCasImages{"Shrinking", {"aaaaaa", "aaa", "a", ""}},
        rCasImages{"RepeatedBytesAtTheSeam", {"aaaa", "aaaaa", "aaaa", "aabaa"}},
        rCasImages{"AllDifferent", {"xyz", "uvw", "", "q"}},
        rCasImages{"ZeroBytes", {std::string("a\0b", 3), std::string("a\0\0b", 4)}}),
    [](const auto &i) { return std::string(i.param.Nom); });

TEST(Historique, EqualImagesAreNoStep)
{
    cHistorique h;
    EXPECT_FALSE(h.EnregistrerImages("abc", "abc", {}));
    EXPECT_FALSE(h.PeutAnnuler());
}

TEST(Historique, ANewChangeAfterUndoDropsTheRedoSteps)
{
    cHistorique h;
    rCibleTexte t;
    h.EnregistrerImages("a", "ab", {});
    h.EnregistrerImages("ab", "abc", {});
    rPlaceCurseur c;
    h.Annuler(t.Cible(), c);
    EXPECT_TRUE(h.PeutRetablir());
    h.EnregistrerImages("ab", "abX", {});
    EXPECT_FALSE(h.PeutRetablir());
    h.Annuler(t.Cible(), c);
    EXPECT_EQ(t.Etat, "ab");
    h.Vider();
    EXPECT_FALSE(h.PeutAnnuler()) << "New and Open start afresh";
}

TEST(Historique, OldestStepsGoPastTheSizeLimit)
{
    cHistorique h;
    rCibleTexte t;
    h.TailleMax = 1000;
    std::string avant;
    for (int k = 1; k <= 10; ++k) {
        std::string apres(static_cast<std::size_t>(k) * 100, static_cast<char>('a' + k));
        h.EnregistrerImages(avant, apres, {});
        avant = apres;
    }
    EXPECT_LT(h.NbAnnulations(), 10u);
    EXPECT_GE(h.NbAnnulations(), 1u) << "the newest step is always kept";
    rPlaceCurseur c;
    ASSERT_TRUE(h.Annuler(t.Cible(), c));
    EXPECT_EQ(t.Etat, std::string(900, 'a' + 9));
}

// ---------------------------------------------------------------- a real score

std::string Image(const cPartition &p)
{
    std::string i;
    cListeAccordsImpression vide;
    EcrireFichierMemoire(p, vide, i);
    return i;
}

// One random edit inside the cursor's track measure, as the keys and commands make them.
void EditionAuHasard(cPartition &p, std::mt19937 &g)
{
    auto de = [&g](int n) { return static_cast<int>(g() % static_cast<unsigned>(n)); };
    switch (de(12)) {
    case 0: TaperChiffre(p, de(10), 6); TaperChiffre(p, de(10), 6); break;
    case 1: PoserCase(p, de(30), 5); break;
    case 2: EffacerNote(p); break;
    case 3: DureeAccord(p, de(7) - 2); break;
    case 4: BasculerEffet(p, 1 + de(12), 6); break;
    case 5: CopierAccordALaFin(p); break;
    case 6: Lier(p); break;
    case 7: DeplacerNote(p, de(2) == 0); break;
    case 8: DureeNote(p, de(7) - 2); break;
    case 9: Silence(p); break;
    case 10: NoteMorte(p); break;
    default: TrioletAccord(p, 3); break;
    }
}

struct rScore {
    std::unique_ptr<cPartition> p = std::make_unique<cPartition>();
    cHistorique::rCible Cible()
    {
        return {[this]() -> cPartition & { return *p; },
                [this](const std::string &i) {
                    auto n = std::make_unique<cPartition>();
                    cListeAccordsImpression liste;
                    std::string cle;
                    if (!LireFichierMemoire(reinterpret_cast<const uint8_t *>(i.data()), i.size(),
                                            *n, liste, cle))
                        return false;
                    p = std::move(n);
                    return true;
                }};
    }
};

TEST(Historique, MeasureStepsAndTiedStepsGoBackAndForth)
{
    rScore s;
    cPartition &p = *s.p;
    p.Nouveau();
    cHistorique h;
    const std::string vide = Image(p);
    // A fret typed in measure 1.
    auto avant = cHistorique::CopierMesure(*p.MesurePisteDe(1, 1));
    TaperChiffre(p, 5, 6);
    h.EnregistrerMesure(1, 1, std::move(avant), cHistorique::CopierMesure(*p.MesurePisteDe(1, 1)),
                        {1, 1, 1, 3});
    const std::string un = Image(p);
    // Right appends a beat (tied to what follows), then a second fret.
    avant = cHistorique::CopierMesure(*p.MesurePisteDe(1, 1));
    DeplacerTemps(p, eMouvementTemps::Suivant);
    h.EnregistrerMesure(1, 1, std::move(avant), cHistorique::CopierMesure(*p.MesurePisteDe(1, 1)),
                        {1, 1, 1, 1}, true);
    const std::string place = Image(p);
    avant = cHistorique::CopierMesure(*p.MesurePisteDe(1, 1));
    TaperChiffre(p, 7, 6);
    h.EnregistrerMesure(1, 1, std::move(avant), cHistorique::CopierMesure(*p.MesurePisteDe(1, 1)),
                        {1, 1, 2, 1});
    const std::string deux = Image(p);
    // A measure appended by a move.
    p.InsererMesureApres(nullptr);
    p.ReinitialiserMesure(p.DerniereMesure());
    h.EnregistrerMesureAjoutee({1, 1, 2, 1}, true);
    const std::string trois = Image(p);

    rPlaceCurseur c;
    ASSERT_TRUE(h.Annuler(s.Cible(), c));
    EXPECT_EQ(Image(*s.p), place) << "the trailing measure goes with the second fret";
    EXPECT_EQ(c.NumTemps, 2);
    ASSERT_TRUE(h.Annuler(s.Cible(), c));
    EXPECT_EQ(Image(*s.p), vide) << "the appended beat goes with the first fret";
    EXPECT_EQ(c.NumCorde, 3);
    EXPECT_FALSE(h.PeutAnnuler());
    ASSERT_TRUE(h.Retablir(s.Cible(), c));
    EXPECT_EQ(Image(*s.p), un);
    ASSERT_TRUE(h.Retablir(s.Cible(), c));
    EXPECT_EQ(Image(*s.p), deux);
    ASSERT_TRUE(h.Retablir(s.Cible(), c));
    EXPECT_EQ(Image(*s.p), trois);
    EXPECT_TRUE(ScoreCoherent(*s.p));
}

TEST(Historique, AStepThatNoLongerFitsEmptiesTheHistory)
{
    rScore s;
    s.p->Nouveau();
    s.p->InsererMesureApres(nullptr);
    cHistorique h;
    auto avant = cHistorique::CopierMesure(*s.p->MesurePisteDe(2, 1));
    h.EnregistrerMesure(2, 1, std::move(avant), cHistorique::CopierMesure(*s.p->MesurePisteDe(2, 1)),
                        {});
    s.p->SupprimerMesure(s.p->DerniereMesure()); // changed behind the history's back
    rPlaceCurseur c;
    EXPECT_FALSE(h.Annuler(s.Cible(), c));
    EXPECT_FALSE(h.PeutAnnuler());
    EXPECT_FALSE(h.PeutRetablir());
}

TEST(Historique, TwoHundredRandomEditsUndoToTheSameBytes)
{
    rScore s;
    s.p->Nouveau();
    s.p->InsererPisteApres(nullptr);
    for (int k = 0; k < 3; ++k)
        s.p->InsererMesureApres(nullptr);
    const std::string depart = Image(*s.p);
    cHistorique h;
    std::mt19937 g(1234);
    auto de = [&g](int n) { return static_cast<int>(g() % static_cast<unsigned>(n)); };
    int etapes = 0;
    for (int k = 0; k < 200; ++k) {
        cPartition &p = *s.p;
        rPosition c;
        c.NumMesure = 1 + de(p.NbMesures);
        c.NumPiste = 1 + de(p.NbPistes);
        c.NumTemps = 1 + de(8);
        c.NumCorde = 1 + de(6);
        p.PlacerCurseur(c);
        if (de(15) == 0) { // a measure operation: the whole score
            const std::string avant = Image(p);
            InsererMesure(p);
            etapes += h.EnregistrerImages(avant, Image(p), {}) ? 1 : 0;
            continue;
        }
        auto avant = cHistorique::CopierMesure(*p.Curseur.MesurePiste);
        const int m = p.Curseur.NumMesure, t = p.Curseur.NumPiste;
        EditionAuHasard(p, g);
        h.EnregistrerMesure(m, t, std::move(avant), cHistorique::CopierMesure(*p.MesurePisteDe(m, t)),
                            {});
        ++etapes;
    }
    ASSERT_TRUE(ScoreCoherent(*s.p));
    const std::string fin = Image(*s.p);
    ASSERT_NE(fin, depart);
    rPlaceCurseur place;
    int annulations = 0;
    while (h.Annuler(s.Cible(), place))
        ++annulations;
    EXPECT_EQ(annulations, etapes);
    EXPECT_EQ(Image(*s.p), depart);
    while (h.Retablir(s.Cible(), place))
        ;
    EXPECT_EQ(Image(*s.p), fin);
    EXPECT_TRUE(ScoreCoherent(*s.p));
}

} // namespace
