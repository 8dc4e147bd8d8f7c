#include "display/uOrchestre.h"

#include <algorithm>

#include "model/uConstantes.h"

namespace {
void Ajuster(rBarreDefilement &b, int nombre, int visibles)
{
    b.Maximum = std::max(0, nombre - visibles + 1);
    b.GrandPas = std::max(1, visibles - 1);
    b.Active = b.Maximum > 0;
    b.Placer(b.Position);
}
} // namespace

void cOrchestre::AjusterBarreH(int nbMesures, int colonnes) { Ajuster(BarreH, nbMesures, colonnes); }

void cOrchestre::AjusterBarreV(int nbPistes, int rangees) { Ajuster(BarreV, nbPistes, rangees); }

int cOrchestre::MesureMarkerClic(int x, int y) const
{
    if (y > 13 || x + 11 < 0)
        return 0;
    return BarreH.Position + (x + 11) / Pas + 1;
}

void cOrchestre::Suivre(int numMesure, int colonnes)
{
    if (numMesure <= BarreH.Position)
        BarreH.Position = std::max(0, numMesure - 1);
    else if (numMesure > BarreH.Position + colonnes)
        BarreH.Position = std::min(numMesure - colonnes, BarreH.Maximum);
}

int cOrchestre::XNumero(int x, int largeur)
{
    return static_cast<int>(Arrondi(x + 10 - largeur / 2.0)) - 2;
}

std::array<rSegment, 4> cOrchestre::Fanion(int x)
{
    return {{{x, 5, x, 12}, {x + 1, 6, x + 1, 11}, {x + 2, 7, x + 2, 10}, {x + 3, 8, x + 3, 9}}};
}

uint32_t cOrchestre::Ombrage(uint32_t couleur, int j)
{
    // 1.2 - (j - 2) / 30 is (38 - j) / 30: whole numbers keep the truncation exact.
    const int facteur = std::max(0, 38 - j);
    uint32_t r = 0;
    for (int octet = 0; octet < 3; ++octet) {
        const uint32_t c = (couleur >> (8 * octet)) & 0xFF;
        r |= std::min<uint32_t>(255, c * facteur / 30) << (8 * octet);
    }
    return r;
}
