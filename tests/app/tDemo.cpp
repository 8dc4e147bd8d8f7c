// The demo score shipped in data/ is exactly what the demo builder makes, and is sound.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "app/uDemo.h"
#include "chords/uListeAccordsImpression.h"
#include "fileio/uFichierPLT.h"
#include "model/uDurees.h"
#include "model/uPartition.h"
#include "support/Invariants.h"

TEST(Demo, ShippedFileMatchesTheBuilder)
{
    cPartition p;
    ConstruireDemo(p);
    EXPECT_TRUE(ScoreCoherent(p));
    EXPECT_EQ(VerifierDurees(p).NumMesure, 0) << "every measure of the demo is complete";
    EXPECT_GE(p.NbPistes, 3);
    cListeAccordsImpression liste;
    std::string octets;
    EcrireFichierMemoire(p, liste, octets);
    const std::string chemin = std::string(PLEC_DATA_DIR) + "/Demo.pl3";
    if (std::getenv("PLEC_REGENERER_DEMO")) {
        std::ofstream(chemin, std::ios::binary) << octets;
    }
    std::ifstream f(chemin, std::ios::binary);
    ASSERT_TRUE(f) << chemin;
    const std::string livre((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    EXPECT_EQ(livre, octets) << "regenerate with PLEC_REGENERER_DEMO=1";
    cPartition relu;
    std::string cle;
    ASSERT_TRUE(LireFichierMemoire(reinterpret_cast<const uint8_t *>(livre.data()), livre.size(),
                                   relu, liste, cle))
        << cle;
    EXPECT_EQ(relu.NbMesures, p.NbMesures);
}
