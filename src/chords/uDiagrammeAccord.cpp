#include "chords/uDiagrammeAccord.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "model/uAccord.h"

std::string NomDiagramme(const rDiagramme &d)
{
    return std::string(d.Nom, std::min<std::size_t>(d.NomLongueur, sizeof d.Nom));
}

void ChangerNomDiagramme(rDiagramme &d, const std::string &nom)
{
    std::memset(d.Nom, 0, sizeof d.Nom);
    const std::size_t n = std::min(nom.size(), sizeof d.Nom);
    std::memcpy(d.Nom, nom.data(), n);
    d.NomLongueur = static_cast<uint8_t>(n);
}

tCases CasesDiagramme(const rDiagramme &d)
{
    tCases c{};
    std::copy(std::begin(d.Cases), std::end(d.Cases), c.begin());
    return c;
}

void ChangerCases(rDiagramme &d, const tCases &c) { std::copy(c.begin(), c.end(), d.Cases); }

void ChangerBarres(rDiagramme &d, const rBarres &b)
{
    d.NbBarres = b.Nb;
    for (std::size_t k = 0; k < 2; ++k) {
        d.BarreCase[k] = b.Case[k];
        d.BarreDebut[k] = b.Debut[k];
        d.BarreFin[k] = b.Fin[k];
    }
}

void DoigteDepuisAccord(const cAccord &a, int nbCordes, tCases &cases, int &premiereCase)
{
    cases.fill(-1);
    premiereCase = 1;
    for (int s = 1; s <= 6 && s <= nbCordes && s <= a.NbNotes; ++s) {
        const cNote *n = a.Notes[static_cast<std::size_t>(s)];
        if (n && n->Type == 1)
            cases[static_cast<std::size_t>(s - 1)] = n->Case;
    }
    if (*std::max_element(cases.begin(), cases.end()) <= 5)
        return;
    int bas = 0;
    for (int c : cases)
        if (c > 0 && (bas == 0 || c < bas))
            bas = c;
    premiereCase = bas;
    // The diagram shows five frets from the base.
    for (int &c : cases)
        if (c > bas + 4)
            c = -1;
}

bool NotesDepuisDiagramme(cAccord &a, const rDiagramme &d, int nbCordes, int nuance)
{
    if (a.Etat == 1)
        return false;
    bool joue = false;
    for (int s = 1; s <= 6 && s <= nbCordes && s <= a.NbNotes; ++s)
        joue = joue || d.Cases[s - 1] >= 0;
    if (!joue)
        return false;
    a.ViderNotes();
    a.LibererEffets();
    for (int s = 1; s <= 6 && s <= nbCordes && s <= a.NbNotes; ++s) {
        cNote *n = a.Notes[static_cast<std::size_t>(s)];
        const int c = d.Cases[s - 1];
        if (!n || c < 0)
            continue;
        a.ViderNote(*n);
        n->Type = 1;
        n->Case = static_cast<uint8_t>(std::clamp(c, 0, 99));
        n->Nuance = static_cast<uint8_t>(std::clamp(nuance, 1, 8));
    }
    a.Etat = 1;
    return true;
}

bool MemeAccordUtilise(const rDiagramme &a, const rDiagramme &b)
{
    if (NomDiagramme(a) != NomDiagramme(b) || a.Diese != b.Diese ||
        a.Fondamentale != b.Fondamentale)
        return false;
    if (a.Fondamentale >= 0 && a.Fondamentale <= 11) {
        if (a.TypeAccord != b.TypeAccord || a.Extension != b.Extension || a.Basse != b.Basse ||
            a.DimAug != b.DimAug || a.Add != b.Add || a.Quinte != b.Quinte ||
            a.Neuvieme != b.Neuvieme || a.Onzieme != b.Onzieme ||
            !std::equal(std::begin(a.Omis), std::end(a.Omis), std::begin(b.Omis)))
            return false;
    }
    return a.PremiereCase == b.PremiereCase &&
           std::equal(std::begin(a.Cases), std::end(a.Cases), std::begin(b.Cases));
}

bool cListeAccordsUtilises::AjouterSansDouble(const rDiagramme &d)
{
    for (const rDiagramme &x : Accords)
        if (MemeAccordUtilise(x, d))
            return false;
    return Ajouter(d);
}

cListeAccordsUtilises &ListeAccordsUtilises()
{
    static cListeAccordsUtilises liste;
    return liste;
}
