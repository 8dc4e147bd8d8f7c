#include "tools/uAssistants.h"

#include <algorithm>

#include "model/uPartition.h"

int CordeDeLigne(int ligne, int nbCordes)
{
    const int corde = ligne - (NbLignesCordes - std::clamp(nbCordes, 1, MaxCordes));
    return ligne >= 1 && ligne <= NbLignesCordes && corde >= 1 ? corde : 0;
}

namespace {
// The number in a field, or -1 when it is empty or not a number.
int Nombre(const std::string &s)
{
    if (s.empty() || s.size() > 9)
        return -1;
    int v = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

template <class F> void Parcourir(cPiste &piste, int debut, int fin, F f)
{
    int m = 0;
    for (cMesurePiste *mp = piste.PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste) {
        ++m;
        if (m < debut)
            continue;
        if (m > fin)
            break;
        for (cAccord *a = mp->PremierAccord; a; a = a->Suivant)
            f(*a);
    }
}
} // namespace

eChampPlage ValiderPlage(const std::string &debut, const std::string &fin, int nbMesures,
                         rPlage &plage)
{
    const int d = Nombre(debut);
    if (d < 1 || d > nbMesures)
        return eChampPlage::Debut;
    const int f = Nombre(fin);
    if (f < 1 || f > nbMesures || f < d)
        return eChampPlage::Fin;
    plage = {d, f};
    return eChampPlage::Aucun;
}

bool CaractereAccepte(char c) { return c >= '0' && c <= '9'; }

int DelaiAvantTick(int tick) { return tick == 0 ? 300 : tick < 10 ? 100 : 50; }

int PasDuTick(int tick) { return tick >= 30 ? 3 : 1; }

int ValeurApresPas(int valeur, int pas, int nbMesures)
{
    return std::clamp(valeur + pas, 1, std::max(1, nbMesures));
}

void AppliquerNuances(cPiste &piste, int debut, int fin, const tNuances &nuances)
{
    Parcourir(piste, debut, fin, [&](cAccord &a) {
        for (int s = 1; s <= std::min(a.NbNotes, MaxCordes); ++s)
            if (nuances[s] >= 1 && nuances[s] <= 8)
                a.Notes[s]->Nuance = static_cast<uint8_t>(nuances[s]);
    });
}

void AppliquerLetRing(cPiste &piste, int debut, int fin, const tLetRing &choix)
{
    Parcourir(piste, debut, fin, [&](cAccord &a) {
        for (int s = 1; s <= std::min(a.NbNotes, MaxCordes); ++s) {
            cNote &n = *a.Notes[s];
            if (choix[s] < 0 || n.Type != 1)
                continue;
            if (choix[s] == 1) {
                cEffets_Note &e = n.EffetsCrees();
                // Let ring excludes bend, hammer-on and slide, as the effect command does.
                if (!e.LetRing)
                    e.Exclure(eEffetNoteExclusif::LetRing);
                e.LetRing = true;
            } else if (n.Effets) {
                n.Effets->LetRing = false;
                n.LibererEffetsVides();
            }
        }
    });
}
