// Document rules: proposed names, recent files, captions; and the command table's states.
#include <gtest/gtest.h>

#include <set>

#include "app/uCommandes.h"
#include "app/uDocument.h"
#include "model/uPartition.h"

TEST(Document, NameProposedFromTheTitle)
{
    const struct {
        const char *titre, *nom;
    } cas[] = {{"AC/DC: Live?", "AC_DC_ Live_.pl3"},
               {"a\"b*c<d>e\\f|g", "a_b_c_d_e_f_g.pl3"},
               {"Plain", "Plain.pl3"},
               {"", ""}};
    for (const auto &c : cas)
        EXPECT_EQ(NomProposeDepuisTitre(c.titre), c.nom) << c.titre;
}

TEST(Document, RecentFiles)
{
    tFichiersRecents l{};
    for (const char *f : {"/a", "/b", "/c", "/d", "/e"})
        AjouterFichierRecent(l, f, true);
    EXPECT_EQ(l, (tFichiersRecents{"/e", "/d", "/c", "/b", "/a"}));
    AjouterFichierRecent(l, "/f", true); // a sixth file pushes the oldest out
    EXPECT_EQ(l, (tFichiersRecents{"/f", "/e", "/d", "/c", "/b"}));
    AjouterFichierRecent(l, "/d", true); // entry 3 comes to the top, 1..2 move down
    EXPECT_EQ(l, (tFichiersRecents{"/d", "/f", "/e", "/c", "/b"}));
    AjouterFichierRecent(l, "/d", true); // already first: unchanged
    AjouterFichierRecent(l, "/gone", false); // missing files are not listed
    AjouterFichierRecent(l, "/D", true);     // paths compare with case
    EXPECT_EQ(l, (tFichiersRecents{"/D", "/d", "/f", "/e", "/c"}));
    EXPECT_EQ(LibelleFichierRecent(2, "/x/My Song.pl3"), "&2  My Song.pl3");
}

TEST(Document, Caption)
{
    cPartition p;
    p.Nouveau();
    EXPECT_EQ(TitreFenetre(p, "Untitled"), "Plectorium 3.0 - Untitled");
    p.NomFichier = "My Song x.pl3";
    EXPECT_EQ(TitreFenetre(p, "Untitled"), "Plectorium 3.0 - My Song x.pl3");
    EXPECT_EQ(TitreFenetre(p, "Untitled", true, 132), "Plectorium 3.0 - My Song x.pl3 - t=132");
    p.NomFichier = std::string(80, 'n');
    EXPECT_EQ(NomPourQuestion(p, "Untitled").size(), 50u);
    // File names are UTF-8: the caption keeps them, the message gets them in its code page,
    // cut between characters.
    std::string ete;
    for (int k = 0; k < 60; ++k)
        ete += "\xc3\xa9"; // é
    p.NomFichier = ete;
    EXPECT_EQ(TitreFenetre(p, "Untitled"), "Plectorium 3.0 - " + ete);
    EXPECT_EQ(NomPourQuestion(p, "Untitled"), std::string(50, '\xe9'));
    // The patch's own text (Windows-1252) becomes UTF-8 in the caption.
    p.NomFichier.clear();
    EXPECT_EQ(TitreFenetre(p, "Sans nom \xe9"), "Plectorium 3.0 - Sans nom \xc3\xa9");
}

TEST(Commandes, TableHasUniqueNamesAndNoCollidingShortcuts)
{
    std::set<std::string> noms, raccourcis;
    for (const rCommande &c : TableCommandes()) {
        EXPECT_TRUE(noms.insert(c.Nom).second) << c.Nom;
        if (*c.Raccourci) {
            EXPECT_TRUE(raccourcis.insert(c.Raccourci).second) << c.Raccourci << " " << c.Nom;
        }
    }
    EXPECT_GE(noms.size(), 140u);
    for (const char *n : {"Fichier_Nouveau", "Duree_Accord_Noire", "EffetAccord_CoupVB",
                          "Tools_SpeedTrainer", "Affichage_ToolBar_Dynamic"})
        EXPECT_NE(Commande(n), nullptr) << n;
    EXPECT_EQ(Commande("Duree_Accord_Ronde")->Tag, -2);
    EXPECT_EQ(Commande("Dynamic_fff")->Tag, 8);
}

namespace {
std::map<std::string, rEtatCommande> Etats(const cPartition &p, bool colle = false)
{
    std::map<std::string, rEtatCommande> m;
    for (const auto &e : EtatsCommandes(p, false, colle))
        m[e.Nom] = e;
    return m;
}
} // namespace

TEST(Commandes, StatesFollowTheCursor)
{
    cPartition p;
    p.Nouveau();
    cAccord *a = p.Curseur.Accord;
    a->Etat = 2; // a rest
    auto e = Etats(p);
    for (const char *n : {"EffetAccord_Vibrato", "EffetNote_HOPO", "Dynamic_f", "EffetNote_Sugeree"})
        EXPECT_FALSE(e[n].Actif) << n;
    EXPECT_TRUE(e["Accord_Texte"].Actif);
    EXPECT_FALSE(e["Edition_Coller"].Actif) << "nothing copied yet";
    EXPECT_TRUE(e["Duree_Accord_Noire"].Coche);
    EXPECT_FALSE(e["Duree_Accord_Croche"].Coche);
    // A dead note: no bend, slide, legato or let ring, but ghost and dynamics.
    a->Etat = 1;
    a->Notes[1]->Type = 3;
    e = Etats(p, true);
    for (const char *n : {"EffetNote_BendType", "EffetNote_PickSlide", "EffetNote_HOPO",
                          "EffetNote_LetRing"})
        EXPECT_FALSE(e[n].Actif) << n;
    EXPECT_TRUE(e["EffetNote_Sugeree"].Actif);
    EXPECT_TRUE(e["Dynamic_fff"].Actif);
    EXPECT_TRUE(e["Dynamic_f"].Coche);
    EXPECT_TRUE(e["EffetNote_DeadNote"].Coche);
    EXPECT_TRUE(e["Edition_Coller"].Actif);
    EXPECT_TRUE(EtatsCommandes(p, true, false).empty()) << "nothing is refreshed during playback";
}
