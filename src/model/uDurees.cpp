#include "model/uDurees.h"

#include <algorithm>

#include "model/uPartition.h"

long double FacteurTriolet(int code)
{
    switch (code) {
    case 3:
    case 6:
    case 12:
        return 0.6666666666666666667L;
    case 5:
    case 10:
        return 0.8L;
    case 7:
        return 0.57142857142857142856L;
    case 9:
        return 0.8888888888888888889L;
    case 11:
        return 0.72727272727272727275L;
    case 13:
        return 0.6153846153846153846L;
    default:
        return 1.0L;
    }
}

double TicksDuree(int code, bool pointe, int triolet, bool sansTriolet)
{
    code = std::clamp(code, -2, 4);
    double ticks = TicksNoire * 4.0 / static_cast<double>(1 << (code + 2));
    if (pointe)
        ticks *= 1.5;
    if (!sansTriolet)
        ticks = static_cast<double>(static_cast<long double>(ticks) * FacteurTriolet(triolet));
    return ticks;
}

void DureeSymbolique(double ticks, int8_t &code, bool &pointe)
{
    struct Ligne {
        double q;
        int8_t code;
        bool pointe;
    };
    static constexpr Ligne table[] = {{128, -2, false}, {96, -1, true}, {64, -1, false},
                                      {48, 0, true},    {32, 0, false}, {24, 1, true},
                                      {16, 1, false},   {12, 2, true},  {8, 2, false},
                                      {6, 3, true},     {4, 3, false},  {3, 4, true}};
    const double q = Arrondi(ticks / 15.0);
    for (const Ligne &l : table)
        if (q >= l.q) {
            code = l.code;
            pointe = l.pointe;
            return;
        }
    code = 4;
    pointe = false;
}

rDureeSonore DureeSonore(cMesurePiste *mp, cAccord *accord, int corde)
{
    rDureeSonore r;
    if (!mp || !accord || corde < 1 || corde > accord->NbNotes || !accord->Notes[corde])
        return r;
    const cNote *depart = accord->Notes[corde];
    double resultat = depart->DureeTicks;
    double dernier = depart->DureeTicks;
    double enAttente = 0;
    int passages = 0;
    const bool letRing = depart->ALetRing();
    r.Pitch = depart->Effets && (depart->Effets->Bend || depart->Effets->Slide);
    // Let ring lasts until the note's length reaches one measure length: a note starting late
    // in its measure rings on over the bar line (never past the second, by the crossings).
    const double limite = mp->Mesure ? mp->Mesure->Longueur : 0;
    bool premier = true;
    while (accord && corde <= accord->NbNotes && accord->Notes[corde] && passages < 2) {
        const cNote *n = accord->Notes[corde];
        if (!premier) {
            if (n->Type == 1 || n->Type == 3)
                break;
            if (letRing && accord->Etat == 2)
                break;
        }
        if (n->Type == 2 || (letRing && resultat < limite)) {
            resultat = resultat + n->DureeTicks - dernier + enAttente;
            enAttente = 0;
            dernier = n->DureeTicks;
        }
        enAttente += accord->Duree;
        const bool lie = n->Type == 2;
        if (accord->Suivant) {
            accord = accord->Suivant;
        } else {
            mp = mp->SuivanteDansPiste;
            accord = mp ? mp->PremierAccord : nullptr;
            ++passages;
        }
        if (lie)
            passages = 0;
        premier = false;
    }
    r.Ticks = resultat;
    r.MesurePiste = accord ? mp : nullptr;
    r.Accord = accord;
    return r;
}

namespace {
double Arrondi5(double x) { return Arrondi(x * 1e5) / 1e5; }
} // namespace

bool MesurePleine(const cMesurePiste &mp)
{
    const double longueur = mp.Mesure ? mp.Mesure->Longueur : 0;
    return Arrondi5(mp.DureeTotale) == Arrondi5(longueur);
}

rEtatDuree EtatDureeMesure(const cMesurePiste &mp)
{
    rEtatDuree e;
    e.Total = mp.DureeTotale / TicksNoire;
    e.Longueur = (mp.Mesure ? mp.Mesure->Longueur : 0) / TicksNoire;
    if (e.Longueur > e.Total)
        e.Etat = eEtatDuree::Incomplete;
    else if (e.Longueur < e.Total)
        e.Etat = eEtatDuree::Depassee;
    else
        e.Etat = eEtatDuree::Complete;
    return e;
}

rMesureInvalide VerifierDurees(const cPartition &p)
{
    rMesureInvalide r;
    int numPiste = 0;
    for (cPiste *piste = p.PremierePiste; piste; piste = piste->Suivante) {
        ++numPiste;
        int numMesure = 0;
        for (cMesurePiste *mp = piste->PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste) {
            ++numMesure;
            if (!mp->PremierAccord || mp->PremierAccord->Etat == 0)
                continue;
            if (mp->DureeTotale != mp->Mesure->Longueur) {
                r.NumMesure = numMesure;
                r.NumPiste = numPiste;
                r.MesurePiste = mp;
                return r;
            }
        }
    }
    return r;
}
