#include "model/uDiagramme.h"

#include <cstring>

cDiagramme::cDiagramme() : rDiagramme{}
{
    Diese = true;
    Fondamentale = 12;
    PremiereCase = 1;
    for (int &c : Cases)
        c = -1;
    for (bool &o : Omis)
        o = true;
}

std::string cDiagramme::NomTexte() const
{
    const std::size_t n = NomLongueur > sizeof(Nom) ? sizeof(Nom) : NomLongueur;
    return std::string(Nom, n);
}

void cDiagramme::ChangerNom(const std::string &nom)
{
    std::memset(Nom, 0, sizeof(Nom));
    const std::size_t n = nom.size() > sizeof(Nom) ? sizeof(Nom) : nom.size();
    std::memcpy(Nom, nom.data(), n);
    NomLongueur = static_cast<uint8_t>(n);
}
