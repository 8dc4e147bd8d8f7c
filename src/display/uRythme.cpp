#include "display/uRythme.h"

#include <algorithm>

#include "model/uPartition.h"

double rGroupesRythme::Ticks(int i) const { return Groupes[i] * 480.0 / Unite; }

rGroupesRythme CalculerGroupesRythme(int N, int D)
{
    rGroupesRythme g;
    if (D > 4 && (N == 2 || N == 4 || N == 8 || N == 16 || N == 32) && N >= D) {
        N = static_cast<int>(Arrondi(N / (D / 4.0)));
        D = 4;
    }
    auto ajouter = [&](int v) {
        if (g.Nb < static_cast<int>(g.Groupes.size()))
            g.Groupes[g.Nb++] = v;
    };
    if (D <= 4) {
        const int nb = D == 1 ? 4 * N : D == 2 ? 2 * N : N;
        for (int i = 0; i < nb; ++i)
            ajouter(2);
        g.Unite = 2;
    } else {
        int reste = N;
        while (reste > 4) {
            ajouter(3);
            reste -= 3;
        }
        if (reste == 4) {
            ajouter(2);
            ajouter(2);
        } else if (reste > 0) {
            ajouter(reste);
        }
        g.Unite = static_cast<int>(Arrondi(D / 4.0));
    }
    if (g.Nb == 0)
        ajouter(2);
    return g;
}

namespace {
double Arrondi5(double x) { return Arrondi(x * 1e5) / 1e5; }
int Code(const cAccord *a) { return std::max(0, static_cast<int>(a->CodeDuree)); }
} // namespace

void CalculerLiaisonsCroches(cMesurePiste &mp, rGroupesRythme &g)
{
    g = CalculerGroupesRythme(mp.Mesure->Numerateur, mp.Mesure->Denominateur);
    for (cAccord *a = mp.PremierAccord; a; a = a->Suivant)
        a->NbLiens = static_cast<int8_t>(a->Suivant ? std::min(Code(a), Code(a->Suivant)) : 0);

    // Group boundaries cut the beams: the next beat starts a new group when it ends past the
    // end of the group the current beat ends in. Times count from the start of the measure,
    // so a long note spanning several groups does not shift the boundaries after it.
    int gi = 0;
    double limite = g.Ticks(0);
    double fin = 0;
    for (cAccord *a = mp.PremierAccord; a; a = a->Suivant) {
        fin += a->Duree;
        while (Arrondi5(fin) > Arrondi5(limite)) {
            if (gi + 1 < g.Nb)
                ++gi; // past the table the last group's length repeats
            limite += g.Ticks(gi);
        }
        if (a->Suivant && Arrondi5(fin + a->Suivant->Duree) > Arrondi5(limite))
            a->NbLiens = 0;
    }

    // Rests.
    if (mp.PremierAccord && mp.PremierAccord->Etat == 2)
        mp.PremierAccord->NbLiens = 0;
    for (cAccord *a = mp.PremierAccord ? mp.PremierAccord->Suivant : nullptr; a; a = a->Suivant) {
        if (a->Etat == 2)
            a->NbLiens = std::min(a->NbLiens, a->Precedent->NbLiens);
        if (a->Suivant && a->Suivant->Etat == 2) {
            const int8_t m = std::min(a->NbLiens, a->Suivant->NbLiens);
            a->NbLiens = a->Suivant->NbLiens = m;
        }
    }

    for (cAccord *a = mp.PremierAccord; a; a = a->Suivant) {
        const int avant = a->Precedent ? a->Precedent->NbLiens : 0;
        a->CoteCrochet = a->NbLiens < avant ? 1 : 2;
    }

    // Tuplet groups: a run of equal tuplet codes is complete once it holds at least that many
    // beats and lasts a plain note value.
    for (cAccord *a = mp.PremierAccord; a; a = a->Suivant) {
        a->TailleTuplet = 0;
        a->CrochetTuplet = false;
        a->RangTuplet = 0;
    }
    static constexpr double valeurs[] = {60, 120, 240, 480, 960, 1920, 3840};
    cAccord *debut = mp.PremierAccord;
    int nb = 0;
    double somme = 0;
    for (cAccord *a = mp.PremierAccord; a; a = a->Suivant) {
        if (nb > 0 && a->Triolet != debut->Triolet) {
            debut = a;
            nb = 0;
            somme = 0;
        }
        if (nb == 0)
            debut = a;
        ++nb;
        somme += a->Duree;
        a->RangTuplet = static_cast<int16_t>(nb);
        const double s = Arrondi5(somme);
        if (nb >= a->Triolet && std::find(std::begin(valeurs), std::end(valeurs), s) !=
                                    std::end(valeurs)) {
            for (cAccord *x = debut;; x = x->Suivant) {
                x->TailleTuplet = static_cast<int16_t>(nb);
                x->CrochetTuplet = a->Triolet > 1;
                if (x == a)
                    break;
            }
            nb = 0;
            somme = 0;
        }
    }
}

const cNote *OrigineLiaison(const cMesurePiste *mp, const cAccord *a, int corde,
                            const cAccord **accordOrigine)
{
    if (accordOrigine)
        *accordOrigine = nullptr;
    const cAccord *b = a ? a->Precedent : nullptr;
    while (mp) {
        for (; b; b = b->Precedent) {
            if (corde > b->NbNotes)
                return nullptr;
            const cNote *n = b->Notes[corde];
            if (n && n->Type != 2 && n->Type != 0) {
                if (accordOrigine)
                    *accordOrigine = b;
                return n;
            }
            if (n && n->Type == 0)
                return nullptr; // nothing sounds on that string before the tie
        }
        mp = mp->PrecedenteDansPiste;
        b = mp ? mp->DernierAccord() : nullptr;
    }
    return nullptr;
}
