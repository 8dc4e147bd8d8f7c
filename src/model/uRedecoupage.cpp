#include "model/uRedecoupage.h"

#include <algorithm>

#include "model/uDurees.h"
#include "model/uPartition.h"

namespace {
using tAccord = std::unique_ptr<cAccord>;

constexpr double TicksMax = 2880; // a dotted whole, the longest single duration

long long R(double t) { return static_cast<long long>(Arrondi(t)); }
// Totals compared as the status bar's completeness rule does, to 5 decimals.
double Arrondi5(double x) { return Arrondi(x * 1e5) / 1e5; }

rDuree Duree(int code, bool pointe, int triolet)
{
    return {static_cast<int8_t>(code), pointe, triolet, TicksDuree(code, pointe, triolet, false)};
}

bool ExacteDans(double ticks, int triolet, rDuree &d)
{
    for (int code = -2; code <= 4; ++code)
        for (bool pointe : {true, false}) {
            const rDuree c = Duree(code, pointe, triolet);
            if (R(c.Ticks) == R(ticks)) {
                d = c;
                return true;
            }
        }
    return false;
}

bool AuPlusDans(double ticks, int triolet, rDuree &d)
{
    bool trouve = false;
    for (int code = -2; code <= 4; ++code)
        for (bool pointe : {true, false}) {
            const rDuree c = Duree(code, pointe, triolet);
            if (R(c.Ticks) <= R(ticks) && (!trouve || c.Ticks > d.Ticks)) {
                d = c;
                trouve = true;
            }
        }
    return trouve;
}

void Appliquer(cAccord &a, const rDuree &d)
{
    a.CodeDuree = d.Code;
    a.Pointe = d.Pointe;
    a.Triolet = d.Triolet;
    a.CalculerDuree();
}

tAccord NouveauSilence(int nbCordes, double ticks, int triolet)
{
    auto a = std::make_unique<cAccord>();
    a->Etat = 2;
    a->Triolet = triolet;
    a->Duree = ticks;
    for (int i = 0; i < std::clamp(nbCordes, 1, MaxCordes); ++i)
        a->ViderNote(*a->InsererNoteApres(nullptr));
    return a;
}

// A beat that already says its length keeps its symbolic value (tuplets included); another
// takes the longest value that fits, and returns the ticks it could not express. A sounding
// beat too short for any value takes the shortest one rather than being lost; false for a rest
// or placeholder that short, which the caller drops.
bool RendreSymbolique(cAccord &a, double &reste)
{
    const double t0 = a.Duree;
    reste = 0;
    rDuree d;
    if (R(TicksDuree(a.CodeDuree, a.Pointe, a.Triolet, false)) == R(t0)) {
        a.CalculerDuree();
        return true;
    }
    if (DureeExacte(t0, a.Triolet, d)) {
        Appliquer(a, d);
        return true;
    }
    if (DureeAuPlus(t0, a.Triolet, d)) {
        Appliquer(a, d);
        reste = t0 - a.Duree;
        return true;
    }
    if (a.Etat != 1)
        return false;
    Appliquer(a, Duree(4, false, a.Triolet));
    return true;
}

// How a track measure would be completed: the trailing beats to remove and the rests to append.
struct rCompletion {
    bool Changer = false;
    int Retirer = 0;
    std::vector<int8_t> Silences;
    int NbFinal = 0;
};

rCompletion PrevoirCompletion(const cMesurePiste &mp)
{
    rCompletion c;
    const double longueur = mp.Mesure ? mp.Mesure->Longueur : 0;
    double total = 0;
    for (const cAccord *a = mp.PremierAccord; a; a = a->Suivant)
        total += a->Duree;
    const cAccord *dernier = mp.DernierAccord();
    c.NbFinal = mp.NbAccords;
    if (total == longueur && !(dernier && dernier->Etat == 0))
        return c;
    c.Changer = true;
    for (const cAccord *a = dernier; a && (a->Etat == 0 || a->Etat == 2); a = a->Precedent)
        ++c.Retirer;
    double reste = 0;
    int k = 0;
    for (const cAccord *a = mp.PremierAccord; a && k < mp.NbAccords - c.Retirer; a = a->Suivant, ++k)
        reste += a->Duree;
    double vide = longueur - reste;
    for (int code = -2; code <= 4; ++code) {
        const double t = TicksDuree(code, false, 1, false);
        while (Arrondi5(vide) >= t) {
            c.Silences.push_back(static_cast<int8_t>(code));
            vide -= t;
        }
    }
    c.NbFinal = mp.NbAccords - c.Retirer + static_cast<int>(c.Silences.size());
    return c;
}

void Completer(cMesurePiste &mp, const rCompletion &c)
{
    if (!c.Changer)
        return;
    if (c.NbFinal == 0) { // nothing to keep and nothing to add: a bare placeholder
        mp.Vider();
        return;
    }
    // When every beat is trailing, the last one left goes once the rests stand after it.
    const bool toutRetirer = c.Retirer >= mp.NbAccords;
    for (int k = 0; k < c.Retirer && mp.NbAccords > 1; ++k)
        mp.SupprimerAccord(mp.DernierAccord());
    cAccord *apres = mp.DernierAccord();
    for (int8_t code : c.Silences) {
        cAccord *s = mp.InsererAccordApres(apres);
        if (!s)
            break; // checked beforehand
        s->CodeDuree = code;
        s->Pointe = false;
        s->Triolet = 1;
        s->CalculerDuree();
        s->Etat = 2;
        s->ViderNotes();
        apres = s;
    }
    if (toutRetirer)
        mp.SupprimerAccord(mp.PremierAccord);
    mp.CalculerDuree();
}

std::vector<cMesurePiste *> MesuresPiste(cPiste &piste)
{
    std::vector<cMesurePiste *> v;
    for (cMesurePiste *mp = piste.PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste)
        v.push_back(mp);
    return v;
}
} // namespace

bool DureeExacte(double ticks, int triolet, rDuree &d)
{
    if (ExacteDans(ticks, 1, d))
        return true;
    if (triolet != 1 && ExacteDans(ticks, triolet, d))
        return true;
    return triolet != 3 && ExacteDans(ticks, 3, d);
}

bool DureeAuPlus(double ticks, int triolet, rDuree &d)
{
    if (AuPlusDans(ticks, 1, d))
        return true;
    if (triolet != 1 && AuPlusDans(ticks, triolet, d))
        return true;
    return triolet != 3 && AuPlusDans(ticks, 3, d);
}

bool CompleterMesure(cMesurePiste &mp)
{
    const rCompletion c = PrevoirCompletion(mp);
    if (c.NbFinal > MaxAccords)
        return false;
    Completer(mp, c);
    return true;
}

bool CompleterMesures(cPiste &piste, int premiere, int derniere, std::string &cle)
{
    std::vector<cMesurePiste *> v = MesuresPiste(piste);
    premiere = std::max(premiere, 1);
    derniere = std::min(derniere, static_cast<int>(v.size()));
    std::vector<rCompletion> plans;
    for (int k = premiere; k <= derniere; ++k) {
        plans.push_back(PrevoirCompletion(*v[k - 1]));
        if (plans.back().NbFinal > MaxAccords) {
            cle = CleTropDeTemps;
            return false;
        }
    }
    for (int k = premiere; k <= derniere; ++k)
        Completer(*v[k - 1], plans[k - premiere]);
    return true;
}

bool VerserAccords(cPartition &p, cPiste &piste, std::vector<std::unique_ptr<cAccord>> accords,
                   std::string &cle)
{
    const std::vector<cMesurePiste *> existantes = MesuresPiste(piste);
    if (existantes.empty())
        return false;
    const double longueurFin = existantes.back()->Mesure->Longueur; // appended measures copy it
    auto longueur = [&](std::size_t m) {
        return m < existantes.size() ? existantes[m]->Mesure->Longueur : longueurFin;
    };
    const int nbCordes = piste.NbCordes;

    // Pour the beats into measures, cutting at bar lines.
    std::vector<std::vector<tAccord>> mesures(1);
    std::size_t i = 0;
    tAccord enAttente;
    double pos = 0;
    auto suivant = [&]() -> tAccord {
        if (enAttente)
            return std::move(enAttente);
        while (i < accords.size())
            if (tAccord a = std::move(accords[i++]))
                return a;
        return nullptr;
    };
    auto reste = [&] {
        if (enAttente)
            return true;
        for (std::size_t k = i; k < accords.size(); ++k)
            if (accords[k])
                return true;
        return false;
    };
    auto mesureSuivante = [&] {
        if (mesures.size() >= static_cast<std::size_t>(MaxMesures))
            return false;
        mesures.emplace_back();
        pos = 0;
        return true;
    };
    while (tAccord a = suivant()) {
        const double t = a->Duree;
        const double L = longueur(mesures.size() - 1);
        std::vector<tAccord> &m = mesures.back();
        if (R(t) > TicksMax && R(L) - R(pos) > TicksMax) {
            enAttente = NouveauSilence(nbCordes, t - TicksMax, a->Triolet);
            a->Duree = TicksMax;
            pos += TicksMax;
            m.push_back(std::move(a));
        } else if (R(pos + t) < R(L)) {
            pos += t;
            m.push_back(std::move(a));
        } else if (R(pos + t) == R(L)) {
            m.push_back(std::move(a));
            if (reste() && !mesureSuivante()) {
                cle = CleTropDeMesures;
                return false;
            }
        } else {
            const double dehors = static_cast<double>(R(pos + t) - R(L));
            a->Duree = static_cast<double>(R(L) - R(pos));
            enAttente = NouveauSilence(nbCordes, dehors, a->Triolet);
            m.push_back(std::move(a));
            if (!mesureSuivante()) {
                cle = CleTropDeMesures;
                return false;
            }
        }
    }

    // Symbolic durations; what a beat cannot express becomes a rest right after it.
    for (std::vector<tAccord> &m : mesures) {
        std::vector<tAccord> sortie;
        for (tAccord &a : m) {
            tAccord courant = std::move(a);
            while (courant) {
                const int triolet = courant->Triolet;
                double r = 0;
                if (!RendreSymbolique(*courant, r)) {
                    courant.reset(); // a rest shorter than any value
                    break;
                }
                sortie.push_back(std::move(courant));
                if (r > 0.5)
                    courant = NouveauSilence(nbCordes, r, triolet);
            }
        }
        if (sortie.size() > static_cast<std::size_t>(MaxAccords)) {
            cle = CleTropDeTemps;
            return false;
        }
        m = std::move(sortie);
    }

    // Everything fits: write the measures back.
    while (p.NbMesures < static_cast<int>(mesures.size()))
        if (!p.InsererMesureApres(nullptr)) {
            cle = CleTropDeMesures; // cannot happen: the count was checked against the limit
            return false;
        }
    std::size_t k = 0;
    for (cMesurePiste *mp = piste.PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste, ++k) {
        if (k >= mesures.size() || mesures[k].empty()) {
            mp->Vider();
            continue;
        }
        mp->SupprimerAccords();
        mp->SansIndex = true;
        cAccord *dernier = nullptr;
        for (const tAccord &a : mesures[k]) {
            cAccord *c = mp->InsererAccordApres(dernier);
            a->CopierVers(*c);
            dernier = c;
        }
        mp->SansIndex = false;
        mp->IndexerAccords();
        mp->CalculerDuree();
    }
    return true;
}

void LierCoupures(cPiste &piste)
{
    cAccord *prec = nullptr;
    for (cMesurePiste *mp = piste.PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste)
        for (cAccord *a = mp->PremierAccord; a; a = a->Suivant) {
            if (a->Etat == 2 && prec && prec->Etat == 1) {
                const int n = std::min(a->NbNotes, prec->NbNotes);
                for (int s = 1; s <= n; ++s) {
                    cNote *avant = prec->Notes[s];
                    if (avant->Type == 0 || R(avant->DureeTicks) <= R(prec->Duree))
                        continue;
                    cNote *lie = a->Notes[s];
                    a->ViderNote(*lie);
                    lie->Type = 2;
                    lie->DureeTicks = avant->DureeTicks - prec->Duree;
                    avant->DureeTicks = prec->Duree;
                    a->Etat = 1;
                }
            }
            prec = a;
        }
}

void AjusterDureesNotes(cPiste &piste)
{
    for (cMesurePiste *mp = piste.PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste) {
        for (cAccord *a = mp->PremierAccord; a; a = a->Suivant) {
            double reste = 0;
            RendreSymbolique(*a, reste); // already symbolic: only recomputes
            for (cNote *n = a->PremiereNote; n; n = n->Suivante) {
                if (n->Type != 0 && n->DureeTicks > TicksMax)
                    n->DureeTicks = TicksMax;
                if (n->Type != 0 && R(n->DureeTicks) != R(a->Duree)) {
                    rDuree d;
                    if (DureeExacte(n->DureeTicks, n->Triolet, d)) {
                        n->CodeDuree = d.Code;
                        n->Pointe = d.Pointe;
                        n->Triolet = static_cast<int8_t>(d.Triolet);
                    } else {
                        n->DureeDepuisTicks(n->DureeTicks);
                    }
                    n->CalculerDuree();
                    if (n->DureeTicks != a->Duree) {
                        n->DureePropre = true;
                        continue;
                    }
                }
                n->DureePropre = false;
                n->CodeDuree = a->CodeDuree;
                n->Pointe = a->Pointe;
                n->Triolet = static_cast<int8_t>(a->Triolet);
                n->DureeTicks = a->Duree;
            }
        }
        mp->CalculerDuree();
    }
}

bool CompleterFin(cPiste &piste, std::string &cle)
{
    std::vector<cMesurePiste *> v = MesuresPiste(piste);
    std::vector<cMesurePiste *> choisies;
    for (auto it = v.rbegin(); it != v.rend(); ++it) {
        choisies.push_back(*it);
        if ((*it)->PremierAccord && (*it)->PremierAccord->Etat != 0)
            break;
    }
    std::vector<rCompletion> plans;
    for (cMesurePiste *mp : choisies) {
        plans.push_back(PrevoirCompletion(*mp));
        if (plans.back().NbFinal > MaxAccords) {
            cle = CleTropDeTemps;
            return false;
        }
    }
    for (std::size_t k = 0; k < choisies.size(); ++k)
        Completer(*choisies[k], plans[k]);
    return true;
}

bool Redecouper(cPartition &p, cPiste &piste, std::string &cle)
{
    // Gather every beat of the measures that hold something, outside the model: the list is
    // not bounded by a measure's beat limit.
    std::vector<tAccord> accords;
    for (cMesurePiste *mp = piste.PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste) {
        if (!mp->PremierAccord || mp->PremierAccord->Etat == 0)
            continue;
        for (cAccord *a = mp->PremierAccord; a; a = a->Suivant) {
            auto c = std::make_unique<cAccord>();
            a->CopierVers(*c);
            accords.push_back(std::move(c));
        }
    }

    // The work is done on a copy holding the same measure headers and one track of the same
    // strings, so that a result that does not fit leaves the score untouched.
    cPartition copie;
    copie.Nouveau();
    cPiste &t = *copie.PremierePiste;
    t.NbCordes = piste.NbCordes;
    t.Accordage = piste.Accordage;
    t.Percussions = piste.Percussions;
    copie.PremiereMesure->PremiereMesurePiste->Vider();
    copie.EnChargement = true;
    for (int k = 1; k < p.NbMesures; ++k)
        copie.InsererMesureApres(nullptr);
    copie.EnChargement = false;
    copie.IndexerMesures();
    for (cMesure *m = p.PremiereMesure, *c = copie.PremiereMesure; m && c;
         m = m->Suivante, c = c->Suivante) {
        c->Numerateur = m->Numerateur;
        c->Denominateur = m->Denominateur;
        c->Longueur = m->Longueur;
    }
    if (!VerserAccords(copie, t, std::move(accords), cle))
        return false;
    LierCoupures(t);
    AjusterDureesNotes(t);
    if (!CompleterFin(t, cle))
        return false;

    while (p.NbMesures < copie.NbMesures)
        if (!p.InsererMesureApres(nullptr)) {
            cle = CleTropDeMesures;
            return false;
        }
    cMesurePiste *source = t.PremiereMesurePiste;
    for (cMesurePiste *mp = piste.PremiereMesurePiste; mp && source;
         mp = mp->SuivanteDansPiste, source = source->SuivanteDansPiste)
        source->CopierVers(*mp);
    return true;
}
