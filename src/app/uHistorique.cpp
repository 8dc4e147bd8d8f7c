#include "app/uHistorique.h"

#include <algorithm>

#include "model/uPartition.h"

struct cHistorique::rEtape {
    enum class eGenre { Images, Mesure, MesureAjoutee } Genre = eGenre::Images;
    // Images: the image before, and the after image as the middle that differs from it.
    std::string Avant;
    std::size_t Debut = 0, Fin = 0; // bytes of Avant shared at the head and at the tail
    std::string Milieu;
    // Mesure
    int NumMesure = 0, NumPiste = 0;
    std::unique_ptr<cMesurePiste> MesureAvant, MesureApres;
    rPlaceCurseur Place;
    bool Lie = false;

    std::string ImageApres() const
    {
        std::string r;
        r.reserve(Debut + Milieu.size() + Fin);
        r.append(Avant, 0, Debut);
        r.append(Milieu);
        r.append(Avant, Avant.size() - Fin, Fin);
        return r;
    }
};

cHistorique::cHistorique() = default;
cHistorique::~cHistorique() = default;

void cHistorique::Vider()
{
    Annulations.clear();
    Retablissements.clear();
    TailleEtapes = 0;
}

std::size_t cHistorique::TailleDe(const rEtape &e)
{
    std::size_t t = sizeof(rEtape) + e.Avant.size() + e.Milieu.size();
    // A measure copy: about a beat's worth of bytes per beat.
    for (const cMesurePiste *m : {e.MesureAvant.get(), e.MesureApres.get()})
        if (m)
            t += sizeof(cMesurePiste) + static_cast<std::size_t>(m->NbAccords) * 512;
    return t;
}

void cHistorique::Empiler(std::unique_ptr<rEtape> e)
{
    for (const auto &r : Retablissements)
        TailleEtapes -= TailleDe(*r);
    Retablissements.clear();
    TailleEtapes += TailleDe(*e);
    Annulations.push_back(std::move(e));
    Elaguer();
}

bool cHistorique::EnregistrerImages(const std::string &avant, const std::string &apres,
                                    const rPlaceCurseur &place, bool lie)
{
    if (avant == apres)
        return false;
    auto e = std::make_unique<rEtape>();
    e->Genre = rEtape::eGenre::Images;
    const std::size_t n = std::min(avant.size(), apres.size());
    std::size_t d = 0;
    while (d < n && avant[d] == apres[d])
        ++d;
    std::size_t f = 0;
    while (f < n - d && avant[avant.size() - 1 - f] == apres[apres.size() - 1 - f])
        ++f;
    e->Debut = d;
    e->Fin = f;
    e->Milieu = apres.substr(d, apres.size() - d - f);
    e->Avant = avant;
    e->Place = place;
    e->Lie = lie;
    Empiler(std::move(e));
    return true;
}

void cHistorique::EnregistrerMesure(int mesure, int piste, std::unique_ptr<cMesurePiste> avant,
                                    std::unique_ptr<cMesurePiste> apres,
                                    const rPlaceCurseur &place, bool lie)
{
    if (!avant || !apres)
        return;
    auto e = std::make_unique<rEtape>();
    e->Genre = rEtape::eGenre::Mesure;
    e->NumMesure = mesure;
    e->NumPiste = piste;
    e->MesureAvant = std::move(avant);
    e->MesureApres = std::move(apres);
    e->Place = place;
    e->Lie = lie;
    Empiler(std::move(e));
}

void cHistorique::EnregistrerMesureAjoutee(const rPlaceCurseur &place, bool lie)
{
    auto e = std::make_unique<rEtape>();
    e->Genre = rEtape::eGenre::MesureAjoutee;
    e->Place = place;
    e->Lie = lie;
    Empiler(std::move(e));
}

std::unique_ptr<cMesurePiste> cHistorique::CopierMesure(const cMesurePiste &mp)
{
    // Without a track, the copy keeps every beat's notes as they are.
    auto c = std::make_unique<cMesurePiste>();
    mp.CopierVers(*c);
    return c;
}

bool cHistorique::Appliquer(const rEtape &e, bool versAvant, const rCible &c)
{
    switch (e.Genre) {
    case rEtape::eGenre::Images:
        return c.Remplacer(versAvant ? e.Avant : e.ImageApres());
    case rEtape::eGenre::Mesure: {
        cPartition &p = c.Partition();
        if (e.NumMesure > p.NbMesures || e.NumPiste > p.NbPistes)
            return false;
        cMesurePiste *mp = p.MesurePisteDe(e.NumMesure, e.NumPiste);
        if (!mp)
            return false;
        (versAvant ? e.MesureAvant : e.MesureApres)->CopierVers(*mp);
        return true;
    }
    case rEtape::eGenre::MesureAjoutee: {
        cPartition &p = c.Partition();
        if (versAvant)
            return p.SupprimerMesure(p.DerniereMesure());
        cMesure *m = p.InsererMesureApres(nullptr);
        if (!m)
            return false;
        p.ReinitialiserMesure(m);
        return true;
    }
    }
    return false;
}

bool cHistorique::Passer(std::vector<std::unique_ptr<rEtape>> &source,
                         std::vector<std::unique_ptr<rEtape>> &cible, bool versAvant,
                         const rCible &c, rPlaceCurseur &place)
{
    if (source.empty())
        return false;
    // Undo takes a tied step with the older one it belongs to; redo takes the tied steps
    // that follow a step with the next one.
    while (!source.empty()) {
        std::unique_ptr<rEtape> e = std::move(source.back());
        source.pop_back();
        if (!Appliquer(*e, versAvant, c)) {
            Vider(); // the score no longer matches the steps
            return false;
        }
        place = e->Place;
        const bool lie = e->Lie;
        cible.push_back(std::move(e));
        if (!lie)
            break;
    }
    return true;
}

bool cHistorique::Annuler(const rCible &c, rPlaceCurseur &place)
{
    return Passer(Annulations, Retablissements, true, c, place);
}

bool cHistorique::Retablir(const rCible &c, rPlaceCurseur &place)
{
    return Passer(Retablissements, Annulations, false, c, place);
}

void cHistorique::Elaguer()
{
    // The oldest steps go first; the newest one always stays.
    std::size_t k = 0;
    while (TailleEtapes > TailleMax && k + 1 < Annulations.size()) {
        TailleEtapes -= TailleDe(*Annulations[k]);
        ++k;
    }
    if (k)
        Annulations.erase(Annulations.begin(), Annulations.begin() + static_cast<long>(k));
}
