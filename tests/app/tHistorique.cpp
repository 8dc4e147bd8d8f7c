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

struct rCasImages {
    const char *Nom;
    std::vector<std::string> Images; // the first starts the history
};
void PrintTo(const rCasImages &c, std::ostream *os) { *os << c.Nom; }
struct Images : ::testing::TestWithParam<rCasImages> {};

TEST_P(Images, UndoAndRedoRebuildEveryImage)
{
    const auto &im = GetParam().Images;
    cHistorique h;
    h.Commencer(im[0]);
    for (std::size_t i = 1; i < im.size(); ++i)
        ASSERT_TRUE(h.Enregistrer(im[i], {static_cast<int>(i), 1, 1, 1}));
    std::string image;
    rPlaceCurseur place;
    for (std::size_t i = im.size() - 1; i > 0; --i) {
        ASSERT_TRUE(h.Annuler(image, place));
        EXPECT_EQ(image, im[i - 1]);
        EXPECT_EQ(place.NumMesure, static_cast<int>(i)) << "the cursor of that change";
    }
    EXPECT_FALSE(h.Annuler(image, place));
    for (std::size_t i = 1; i < im.size(); ++i) {
        ASSERT_TRUE(h.Retablir(image, place));
        EXPECT_EQ(image, im[i]);
    }
    EXPECT_FALSE(h.Retablir(image, place));
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

TEST(Historique, NothingChangedIsNoStep)
{
    cHistorique h;
    h.Commencer("abc");
    EXPECT_FALSE(h.Enregistrer("abc", {}));
    EXPECT_FALSE(h.PeutAnnuler());
}

TEST(Historique, ANewChangeAfterUndoDropsTheRedoSteps)
{
    cHistorique h;
    h.Commencer("a");
    h.Enregistrer("ab", {});
    h.Enregistrer("abc", {});
    std::string i;
    rPlaceCurseur c;
    h.Annuler(i, c);
    EXPECT_TRUE(h.PeutRetablir());
    h.Enregistrer("abX", {});
    EXPECT_FALSE(h.PeutRetablir());
    h.Annuler(i, c);
    EXPECT_EQ(i, "ab");
    h.Commencer("new");
    EXPECT_FALSE(h.PeutAnnuler()) << "New and Open start afresh";
}

TEST(Historique, OldestStepsGoPastTheSizeLimit)
{
    cHistorique h;
    h.TailleMax = 25;
    h.Commencer("");
    for (int k = 1; k <= 10; ++k)
        h.Enregistrer(std::string(static_cast<std::size_t>(k) * 10, 'a' + k), {});
    EXPECT_LE(h.Taille(), 25u + 100u) << "at most one step past the limit: the newest";
    EXPECT_GE(h.NbAnnulations(), 1u);
    std::string i;
    rPlaceCurseur c;
    ASSERT_TRUE(h.Annuler(i, c));
    EXPECT_EQ(i, std::string(90, 'a' + 9)) << "the newest step is always kept";
}

// ---------------------------------------------------------------- a real score

std::string Image(const cPartition &p)
{
    std::string i;
    cListeAccordsImpression vide;
    EcrireFichierMemoire(p, vide, i);
    return i;
}

// One random edit at a random place, as the keys and commands make them.
void EditionAuHasard(cPartition &p, std::mt19937 &g)
{
    auto de = [&g](int n) { return static_cast<int>(g() % static_cast<unsigned>(n)); };
    rPosition c;
    c.NumMesure = 1 + de(p.NbMesures);
    c.NumPiste = 1 + de(p.NbPistes);
    c.NumTemps = 1 + de(8);
    c.NumCorde = 1 + de(6);
    p.PlacerCurseur(c);
    switch (de(12)) {
    case 0: TaperChiffre(p, de(10), 6); TaperChiffre(p, de(10), 6); break;
    case 1: PoserCase(p, de(30), 5); break;
    case 2: EffacerNote(p); break;
    case 3: DureeAccord(p, de(7) - 2); break;
    case 4: BasculerEffet(p, 1 + de(12), 6); break;
    case 5: DeplacerTemps(p, eMouvementTemps::Suivant); TaperChiffre(p, de(10), 6); break;
    case 6: Lier(p); break;
    case 7: DeplacerNote(p, de(2) == 0); break;
    case 8: DureeNote(p, de(7) - 2); break;
    case 9: Silence(p); break;
    case 10: InsererMesure(p); break;
    default: TrioletAccord(p, 3); break;
    }
}

TEST(Historique, TwoHundredRandomEditsUndoToTheSameBytes)
{
    cPartition p;
    p.Nouveau();
    p.InsererPisteApres(nullptr);
    for (int k = 0; k < 3; ++k)
        p.InsererMesureApres(nullptr);
    const std::string depart = Image(p);
    cHistorique h;
    h.Commencer(depart);
    std::mt19937 g(1234);
    int etapes = 0;
    for (int k = 0; k < 200; ++k) {
        EditionAuHasard(p, g);
        etapes += h.Enregistrer(Image(p), {}) ? 1 : 0;
    }
    ASSERT_TRUE(ScoreCoherent(p));
    const std::string fin = Image(p);
    ASSERT_GT(etapes, 100); // some edits do not apply where they land

    // Each undo goes through the reader, as the window does.
    std::string image;
    rPlaceCurseur place;
    cListeAccordsImpression liste;
    std::string cle;
    while (h.Annuler(image, place)) {
        ASSERT_TRUE(LireFichierMemoire(reinterpret_cast<const uint8_t *>(image.data()),
                                       image.size(), p, liste, cle))
            << cle;
        ASSERT_EQ(Image(p), image) << "an image reads back to the same bytes";
    }
    EXPECT_EQ(Image(p), depart);
    while (h.Retablir(image, place))
        ASSERT_TRUE(LireFichierMemoire(reinterpret_cast<const uint8_t *>(image.data()),
                                       image.size(), p, liste, cle));
    EXPECT_EQ(Image(p), fin);
    EXPECT_TRUE(ScoreCoherent(p));
}

} // namespace
