// The print chord list: at most 50 entries, order kept by removal, swaps within bounds.
#include <gtest/gtest.h>

#include "chords/uListeAccordsImpression.h"

namespace {

rDiagramme Nomme(const std::string &nom)
{
    cDiagramme d;
    d.ChangerNom(nom);
    return d.Donnees();
}

std::string Nom(const cListeAccordsImpression &l, int i)
{
    return std::string(l.Accord(i).Nom, l.Accord(i).NomLongueur);
}

TEST(ListeAccordsImpression, CinquanteAuPlus)
{
    cListeAccordsImpression l;
    for (int i = 1; i <= cListeAccordsImpression::Max; ++i)
        ASSERT_TRUE(l.Ajouter(Nomme(std::to_string(i))));
    EXPECT_TRUE(l.Pleine());
    EXPECT_FALSE(l.Ajouter(Nomme("51")));
    EXPECT_EQ(l.Nb(), 50);
    EXPECT_EQ(Nom(l, 50), "50");
}

TEST(ListeAccordsImpression, SupprimerEtEchanger)
{
    cListeAccordsImpression l;
    for (const char *n : {"A", "B", "C", "D"})
        l.Ajouter(Nomme(n));
    EXPECT_TRUE(l.Supprimer(2));
    EXPECT_EQ(Nom(l, 1) + Nom(l, 2) + Nom(l, 3), "ACD");
    EXPECT_TRUE(l.Echanger(1, 3));
    EXPECT_EQ(Nom(l, 1) + Nom(l, 2) + Nom(l, 3), "DCA");
    for (int i : {0, 4, -1})
        EXPECT_FALSE(l.Supprimer(i)) << i;
    EXPECT_FALSE(l.Echanger(0, 1));
    EXPECT_FALSE(l.Echanger(1, 4));
    EXPECT_EQ(l.Nb(), 3);

    cListeAccordsImpression copie;
    l.CopierVers(copie);
    l.Vider();
    EXPECT_EQ(l.Nb(), 0);
    EXPECT_EQ(copie.Nb(), 3);
}

} // namespace
