// Round trips of a score that uses every field: write, read back equal, rewrite identical;
// through memory, through files and through the command line.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "app/uLigneCommande.h"
#include "fileio/PartitionComplete.h"
#include "fileio/Outils.h"
#include "support/Comparaison.h"
#include "support/Invariants.h"

namespace {

std::string DossierTemp()
{
    char modele[] = "/tmp/plec-fileio-XXXXXX";
    const char *d = mkdtemp(modele);
    return d ? d : "/tmp";
}

std::string LireFichierBrut(const std::string &chemin)
{
    std::ifstream f(chemin, std::ios::binary);
    std::ostringstream o;
    o << f.rdbuf();
    return o.str();
}

TEST(FichierAllerRetour, PartitionCompleteEnMemoire)
{
    cPartition p;
    cListeAccordsImpression liste;
    ConstruirePartitionComplete(p, liste);
    ASSERT_TRUE(ScoreCoherent(p));
    const std::string f = Ecrire(p, liste);

    cPartition q;
    cListeAccordsImpression relue;
    std::string cle;
    ASSERT_TRUE(Lire(f, q, relue, cle)) << cle;
    EXPECT_TRUE(ScoreCoherent(q));
    EXPECT_TRUE(PartitionsEgales(p, q));
    EXPECT_TRUE(ListesEgales(liste, relue));
    EXPECT_EQ(relue.Nb(), 50);
    EXPECT_FALSE(q.Vierge);
    EXPECT_EQ(Ecrire(q, relue), f);
}

TEST(FichierAllerRetour, LeComparateurVoitLesDifferences)
{
    // The helper the round trips rely on must catch a change deep in the score.
    cPartition p, q;
    cListeAccordsImpression l1, l2;
    ConstruirePartitionComplete(p, l1);
    ConstruirePartitionComplete(q, l2);
    EXPECT_TRUE(PartitionsEgales(p, q));
    EXPECT_TRUE(ListesEgales(l1, l2));
    q.MesurePisteDe(1, 1)->PremierAccord->Suivant->Notes[1]->Effets->Bend->PremiereForme
        ->Suivante->Vibrato = 1;
    l2.Accord(50).Cases[0] = 4;
    EXPECT_FALSE(PartitionsEgales(p, q));
    EXPECT_FALSE(ListesEgales(l1, l2));
}

TEST(FichierAllerRetour, ParFichierAvecCheminEtNom)
{
    const std::string dossier = DossierTemp();
    cPartition p;
    cListeAccordsImpression liste;
    ConstruirePartitionComplete(p, liste);
    const std::string chemin = dossier + "/complet.pl3";
    std::string cle;
    ASSERT_TRUE(EnregistrerFichier(p, liste, chemin, cle)) << cle;
    EXPECT_TRUE(p.Chemin.empty()); // the caller names the score

    cPartition q;
    cListeAccordsImpression relue;
    ASSERT_TRUE(OuvrirFichier(q, relue, chemin, cle)) << cle;
    EXPECT_EQ(q.Chemin, chemin);
    EXPECT_EQ(q.NomFichier, "complet.pl3");
    EXPECT_TRUE(PartitionsEgales(p, q));
    EXPECT_TRUE(ListesEgales(liste, relue));

    // A current file named ".plt" is renamed to ".pl3"; only the exact lower-case extension.
    const std::string plt = dossier + "/ancien.plt";
    std::rename(chemin.c_str(), plt.c_str());
    ASSERT_TRUE(OuvrirFichier(q, relue, plt, cle)) << cle;
    EXPECT_EQ(q.Chemin, dossier + "/ancien.pl3");
    EXPECT_EQ(q.NomFichier, "ancien.pl3");
    const std::string majuscules = dossier + "/ANCIEN.PLT";
    std::rename(plt.c_str(), majuscules.c_str());
    ASSERT_TRUE(OuvrirFichier(q, relue, majuscules, cle)) << cle;
    EXPECT_EQ(q.Chemin, majuscules);
    std::remove(majuscules.c_str());
    rmdir(dossier.c_str());
}

TEST(FichierAllerRetour, FichierAbsentOuDossier)
{
    for (const char *chemin : {"/nonexistent/none.pl3", "/tmp"}) {
        SCOPED_TRACE(chemin);
        cPartition p;
        cListeAccordsImpression liste;
        ConstruirePartitionComplete(p, liste);
        p.Chemin = "/old/path.pl3";
        std::string cle;
        EXPECT_FALSE(OuvrirFichier(p, liste, chemin, cle));
        EXPECT_EQ(cle, "Fichier-AccesImpossible");
        EXPECT_TRUE(EstNouvelle(p, liste));
    }
}

TEST(FichierAllerRetour, LigneDeCommande)
{
    const std::string dossier = DossierTemp();
    cPartition p;
    ConstruirePartitionComplete(p, ListeAccordsImpression());
    const std::string entree = dossier + "/in.pl3", sortie = dossier + "/out.pl3";
    std::string cle;
    ASSERT_TRUE(EnregistrerFichier(p, ListeAccordsImpression(), entree, cle)) << cle;

    std::ostringstream out, err;
    EXPECT_EQ(ExecuterLigneCommande({"--info", entree}, out, err), 0) << err.str();
    const std::string json = out.str();
    EXPECT_NE(json.find("\"printChords\":50"), std::string::npos) << json;
    EXPECT_NE(json.find("\"trackCount\":6"), std::string::npos) << json;
    EXPECT_NE(json.find("\"measures\":5"), std::string::npos) << json;
    EXPECT_NE(json.find("\"title\":\"Complete \xC3\xA9t\xC3\xA9 score\""), std::string::npos)
        << json;

    EXPECT_EQ(ExecuterLigneCommande({"--convert", entree, sortie}, out, err), 0) << err.str();
    EXPECT_EQ(LireFichierBrut(sortie), LireFichierBrut(entree));

    // A damaged file: exit 2 with the key on stderr.
    std::ofstream(dossier + "/bad.pl3", std::ios::binary) << "not a score";
    std::ostringstream out2, err2;
    EXPECT_EQ(ExecuterLigneCommande({"--info", dossier + "/bad.pl3"}, out2, err2), 2);
    EXPECT_NE(err2.str().find("Fichier-Incorrect"), std::string::npos) << err2.str();
    EXPECT_TRUE(out2.str().empty());
    std::ostringstream out3, err3;
    EXPECT_EQ(ExecuterLigneCommande({"--convert", entree, "/nonexistent/x.pl3"}, out3, err3), 2);
    EXPECT_NE(err3.str().find("MidiExp-EcritureFichierImpossibleEnregAb"), std::string::npos);

    for (const char *f : {"/in.pl3", "/out.pl3", "/bad.pl3"})
        std::remove((dossier + f).c_str());
    rmdir(dossier.c_str());
    ListeAccordsImpression().Vider();
}

// Seeds for the reader's fuzzer (scripts/fuzz-seeds-fichier_pl3.sh sets the folder).
TEST(FichierAllerRetour, GrainesDuFuzzer)
{
    const char *dossier = std::getenv("PLEC_GRAINES_FICHIER_PL3");
    if (!dossier)
        GTEST_SKIP() << "PLEC_GRAINES_FICHIER_PL3 not set";
    cPartition p;
    cListeAccordsImpression liste;
    ConstruirePartitionComplete(p, liste);
    const std::string complet = Ecrire(p, liste);
    cListeAccordsImpression vide;
    p.Nouveau();
    const std::string nouveau = Ecrire(p, vide);
    for (const auto &[nom, octets] : {std::pair{"complete.pl3", complet},
                                      std::pair{"new.pl3", nouveau},
                                      std::pair{"hand-built.pl3", rMorceaux().Assembler()}}) {
        const std::string chemin = std::string(dossier) + "/" + nom;
        std::ofstream(chemin, std::ios::binary) << octets;
        EXPECT_EQ(LireFichierBrut(chemin), octets);
    }
}

} // namespace
