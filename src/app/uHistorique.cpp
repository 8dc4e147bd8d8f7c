#include "app/uHistorique.h"

#include <algorithm>

void cHistorique::Commencer(std::string image)
{
    Courante = std::move(image);
    Annulations.clear();
    Retablissements.clear();
    TailleEtapes = 0;
}

// The step that rebuilds `vers` from `depuis`.
cHistorique::rEtape cHistorique::Difference(const std::string &depuis, const std::string &vers)
{
    rEtape e;
    const std::size_t n = std::min(depuis.size(), vers.size());
    std::size_t d = 0;
    while (d < n && depuis[d] == vers[d])
        ++d;
    std::size_t f = 0;
    while (f < n - d && depuis[depuis.size() - 1 - f] == vers[vers.size() - 1 - f])
        ++f;
    e.Debut = d;
    e.Fin = f;
    e.Milieu = vers.substr(d, vers.size() - d - f);
    return e;
}

std::string cHistorique::Appliquer(const rEtape &e, const std::string &depuis)
{
    std::string r;
    r.reserve(e.Debut + e.Milieu.size() + e.Fin);
    r.append(depuis, 0, e.Debut);
    r.append(e.Milieu);
    r.append(depuis, depuis.size() - e.Fin, e.Fin);
    return r;
}

bool cHistorique::Enregistrer(std::string image, const rPlaceCurseur &place)
{
    if (image == Courante)
        return false;
    rEtape e = Difference(image, Courante);
    e.Place = place;
    TailleEtapes += e.Milieu.size();
    for (const rEtape &r : Retablissements)
        TailleEtapes -= r.Milieu.size();
    Retablissements.clear();
    Annulations.push_back(std::move(e));
    Courante = std::move(image);
    Elaguer();
    return true;
}

bool cHistorique::Passer(std::vector<rEtape> &source, std::vector<rEtape> &cible,
                         std::string &image, rPlaceCurseur &place)
{
    if (source.empty())
        return false;
    rEtape e = std::move(source.back());
    source.pop_back();
    std::string autre = Appliquer(e, Courante);
    rEtape retour = Difference(autre, Courante);
    retour.Place = e.Place;
    TailleEtapes = TailleEtapes - e.Milieu.size() + retour.Milieu.size();
    cible.push_back(std::move(retour));
    Courante = std::move(autre);
    image = Courante;
    place = e.Place;
    return true;
}

bool cHistorique::Annuler(std::string &image, rPlaceCurseur &place)
{
    return Passer(Annulations, Retablissements, image, place);
}

bool cHistorique::Retablir(std::string &image, rPlaceCurseur &place)
{
    return Passer(Retablissements, Annulations, image, place);
}

void cHistorique::Elaguer()
{
    // The oldest steps go first; the newest one always stays.
    std::size_t k = 0;
    while (TailleEtapes > TailleMax && k + 1 < Annulations.size()) {
        TailleEtapes -= Annulations[k].Milieu.size();
        ++k;
    }
    if (k)
        Annulations.erase(Annulations.begin(), Annulations.begin() + static_cast<long>(k));
}
