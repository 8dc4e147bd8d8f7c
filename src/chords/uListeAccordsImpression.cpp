#include "chords/uListeAccordsImpression.h"

#include <utility>

bool cListeAccordsImpression::Ajouter(const rDiagramme &d)
{
    if (Pleine())
        return false;
    Accords.push_back(d);
    return true;
}

bool cListeAccordsImpression::Supprimer(int i)
{
    if (i < 1 || i > Nb())
        return false;
    Accords.erase(Accords.begin() + (i - 1));
    return true;
}

bool cListeAccordsImpression::Echanger(int i, int j)
{
    if (i < 1 || i > Nb() || j < 1 || j > Nb())
        return false;
    std::swap(Accord(i), Accord(j));
    return true;
}

cListeAccordsImpression &ListeAccordsImpression()
{
    static cListeAccordsImpression liste;
    return liste;
}
