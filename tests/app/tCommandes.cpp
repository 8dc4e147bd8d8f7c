// Enabled and checked states of the commands as the cursor and playback set them.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/uCommandes.h"
#include "model/uPartition.h"

namespace {
using tEtats = std::map<std::string, rEtatCommande>;

tEtats Indexer(const std::vector<rEtatCommande> &v)
{
    tEtats m;
    for (const rEtatCommande &e : v)
        m[e.Nom] = e;
    return m;
}

const char *const Effets[] = {
    "EffetNote_BendType",    "EffetNote_HOPO",       "EffetNote_PickSlide",
    "EffetNote_LetRing",     "EffetNote_Sugeree",    "EffetAccord_Vibrato",
    "EffetAccord_TremoloBar", "EffetAccord_HarmN",   "EffetAccord_HarmA",
    "EffetAccord_FadeIn",    "EffetAccord_Tapping",  "EffetAccord_Slap",
    "EffetAccord_Pop",       "EffetNote_Appogiature", "EffetAccord_BrushUp",
    "EffetAccord_BrushDown", "EffetAccord_CoupVB"};
const char *const Dynamiques[] = {"Dynamic_ppp", "Dynamic_pp", "Dynamic_p",   "Dynamic_mp",
                                  "Dynamic_mf",  "Dynamic_f",  "Dynamic_ff", "Dynamic_fff",
                                  "Dynamic_SetDefault"};

struct EtatsCurseur : ::testing::Test {
    cPartition p;
    cAccord *b = nullptr;
    void SetUp() override
    {
        p.Nouveau();
        rPosition c;
        c.NumMesure = 1;
        c.NumPiste = 1;
        c.NumTemps = 1;
        c.NumCorde = 2;
        p.PlacerCurseur(c);
        b = p.Curseur.Accord;
    }
    tEtats Etats(bool lecture = false) { return Indexer(EtatsCommandes(p, lecture, false)); }
};
} // namespace

TEST_F(EtatsCurseur, RestDisablesEveryEffectAndDynamicButKeepsText)
{
    b->Etat = 2;
    const tEtats e = Etats();
    for (const char *n : Effets) {
        ASSERT_TRUE(e.count(n)) << n;
        EXPECT_FALSE(e.at(n).Actif) << n;
    }
    for (const char *n : Dynamiques) {
        ASSERT_TRUE(e.count(n)) << n;
        EXPECT_FALSE(e.at(n).Actif) << n;
    }
    EXPECT_TRUE(e.at("Accord_Texte").Actif);
    EXPECT_TRUE(e.at("Beat_Insert").Actif);
}

TEST_F(EtatsCurseur, DeadNoteKeepsGhostAndDynamicsButNotThePitchEffects)
{
    b->Etat = 1;
    p.Curseur.Note->Type = 3;
    const tEtats e = Etats();
    for (const char *n : {"EffetNote_BendType", "EffetNote_HOPO", "EffetNote_PickSlide",
                          "EffetNote_LetRing", "Note_MoveUp", "Note_MoveDown"})
        EXPECT_FALSE(e.at(n).Actif) << n;
    EXPECT_TRUE(e.at("EffetNote_Sugeree").Actif);
    EXPECT_TRUE(e.at("Dynamic_mf").Actif);
    EXPECT_TRUE(e.at("EffetAccord_CoupVB").Actif); // the beat is normal
    EXPECT_TRUE(e.at("EffetNote_DeadNote").Coche);
}

TEST_F(EtatsCurseur, EffectCheckedStatesFollowTheBeatAndNote)
{
    b->Etat = 1;
    cNote *n = p.Curseur.Note;
    n->Type = 1;
    n->Nuance = 3;
    cEffets_Accord &eb = b->EffetsCrees();
    eb.BrushDown = 2;
    eb.CoupVibrato = 150;
    eb.Frappe = 2;
    n->EffetsCrees().Appogiature = new cEffet_Appogiature;
    n->Effets->Bend = new cEffet_Bend;
    const tEtats e = Etats();
    struct {
        const char *Nom;
        bool Coche;
    } cas[] = {
        {"EffetAccord_BrushDown", true}, {"EffetAccord_BrushUp", false},
        {"EffetAccord_CoupVB", true},    {"EffetAccord_Slap", true},
        {"EffetAccord_Tapping", false},  {"EffetNote_Appogiature", true},
        {"EffetNote_BendType", true},    {"EffetNote_PickSlide", false},
        {"Dynamic_p", true},             {"Dynamic_f", false},
    };
    for (auto &c : cas) {
        EXPECT_TRUE(e.at(c.Nom).ACoche) << c.Nom;
        EXPECT_EQ(e.at(c.Nom).Coche, c.Coche) << c.Nom;
    }
}

TEST_F(EtatsCurseur, TupletButtonFollowsTheBeatOrTheLastChoice)
{
    b->Etat = 1;
    b->Triolet = 5;
    tEtats e = Etats();
    EXPECT_TRUE(e.at("Duree_Accord_Triolet_5").Coche);
    EXPECT_FALSE(e.at("Duree_Accord_Triolet_3").Coche);
    EXPECT_TRUE(e.at("Duree_Accord_Triolet_5_2").Coche);
    EXPECT_EQ(CommandeBoutonTriolet(5, 3), "Duree_Accord_Triolet_5");
    b->Triolet = 1;
    e = Etats();
    EXPECT_FALSE(e.at("Duree_Accord_Triolet_5").Coche);
    EXPECT_TRUE(e.at("Beat_1").Coche);
    EXPECT_EQ(CommandeBoutonTriolet(1, 7), "Duree_Accord_Triolet_7");
    EXPECT_EQ(CommandeBoutonTriolet(1, 42), "Duree_Accord_Triolet_3"); // nothing valid
    EXPECT_EQ(CommandeBoutonDureeNote(2), "Duree_Note_DCroche");
    EXPECT_EQ(CommandeBoutonDureeNote(-9), "Duree_Note_Noire");
}

TEST_F(EtatsCurseur, NothingWhilePlayingOrBeingDestroyed)
{
    EXPECT_TRUE(Etats(true).empty());
    p.EnDestruction = true;
    EXPECT_TRUE(Etats().empty());
    p.EnDestruction = false;
}

TEST(EtatsEdition, PlaybackStartSwitchesOffEveryEditingCommand)
{
    const tEtats arret = Indexer(EtatsEdition(false));
    for (const char *n : Effets)
        EXPECT_FALSE(arret.at(n).Actif) << n;
    for (int k = 0; k < 8; ++k)
        EXPECT_FALSE(arret.at(Dynamiques[k]).Actif) << Dynamiques[k];
    for (const char *n : {"Duree_Accord_Noire", "Duree_Accord_Pointe", "Duree_Accord_Triolet_3",
                          "Duree_Accord_Silence", "Duree_Note_Noire", "Duree_Note_Pointe",
                          "Duree_Note_XTuplet", "Duree_Note_Liee", "EffetNote_DeadNote",
                          "Accord_Diagramme", "Accord_Texte", "Edition_Couper", "Marker_Ajouter",
                          "Mesure_Signature", "Beat_1", "Duree_Accord_Triolet_5_2"})
        EXPECT_FALSE(arret.at(n).Actif) << n;

    // At the stop only what does not depend on the cursor comes back here.
    const tEtats marche = Indexer(EtatsEdition(true));
    for (const char *n : {"Duree_Accord_Noire", "Duree_Accord_Pointe", "Duree_Accord_Triolet_3",
                          "Duree_Accord_Silence", "Duree_Note_Liee", "EffetNote_DeadNote",
                          "Accord_Diagramme", "Edition_Copier"})
        EXPECT_TRUE(marche.at(n).Actif) << n;
    for (const char *n : {"EffetNote_BendType", "Dynamic_f", "Accord_Texte", "Duree_Note_Pointe"})
        EXPECT_EQ(marche.count(n), 0u) << n;
}
