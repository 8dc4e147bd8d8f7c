#include "model/uCoherence.h"

#include <sstream>

#include "model/uPartition.h"

namespace {
struct Rapport {
    std::vector<std::string> lignes;
    template <class... T> void operator()(T &&...parties)
    {
        std::ostringstream o;
        (o << ... << parties);
        lignes.push_back(o.str());
    }
};

bool EffetsNoteVides(const cEffets_Note &e) { return e.EstVide(); }
} // namespace

std::vector<std::string> ViolationsInvariants(const cPartition &p)
{
    Rapport err;
    // Measure chain, count and index table.
    int nm = 0;
    const cMesure *precM = nullptr;
    for (const cMesure *m = p.PremiereMesure; m; m = m->Suivante) {
        ++nm;
        if (m->Precedente != precM)
            err("measure ", nm, ": Precedente link broken");
        if (!p.EnChargement) {
            if (m->Index != nm)
                err("measure ", nm, ": Index ", m->Index);
            if (static_cast<int>(p.Mesures.size()) <= nm || p.Mesures[nm] != m)
                err("measure ", nm, ": index table differs from chain");
        }
        if (m->Marker && m->Marker->Mesure != m)
            err("measure ", nm, ": marker does not point back");
        precM = m;
        if (nm > MaxMesures + 1)
            break;
    }
    if (nm != p.NbMesures)
        err("NbMesures ", p.NbMesures, " but chain has ", nm);
    if (nm > MaxMesures)
        err("more than ", MaxMesures, " measures");

    int np = 0;
    const cPiste *precP = nullptr;
    for (const cPiste *t = p.PremierePiste; t; t = t->Suivante) {
        ++np;
        if (t->Precedente != precP)
            err("track ", np, ": Precedente link broken");
        if (!p.EnChargement) {
            if (t->Index != np)
                err("track ", np, ": Index ", t->Index);
            if (static_cast<int>(p.Pistes.size()) <= np || p.Pistes[np] != t)
                err("track ", np, ": index table differs from chain");
        }
        if (t->NbCordes < 1 || t->NbCordes > MaxCordes)
            err("track ", np, ": NbCordes ", t->NbCordes);
        precP = t;
        if (np > MaxPistes + 1)
            break;
    }
    if (np != p.NbPistes)
        err("NbPistes ", p.NbPistes, " but chain has ", np);

    // Track chains: one track measure per measure, in measure order, cross-linked.
    int it = 0;
    for (const cPiste *t = p.PremierePiste; t; t = t->Suivante) {
        ++it;
        const cMesure *m = p.PremiereMesure;
        const cMesurePiste *prec = nullptr;
        int im = 0;
        for (const cMesurePiste *mp = t->PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste) {
            ++im;
            if (!m) {
                err("track ", it, ": more track measures than measures");
                break;
            }
            if (mp->Mesure != m)
                err("track ", it, " measure ", im, ": wrong Mesure");
            if (mp->Piste != t)
                err("track ", it, " measure ", im, ": wrong Piste");
            if (mp->PrecedenteDansPiste != prec)
                err("track ", it, " measure ", im, ": PrecedenteDansPiste broken");
            // Beats.
            int nb = 0;
            double total = 0;
            const cAccord *pa = nullptr;
            for (const cAccord *a = mp->PremierAccord; a; a = a->Suivant) {
                ++nb;
                if (a->Precedent != pa)
                    err("track ", it, " measure ", im, " beat ", nb, ": Precedent broken");
                if (!mp->SansIndex && (mp->Accords[nb] != a || a->Index != nb))
                    err("track ", it, " measure ", im, " beat ", nb, ": index differs");
                if (a->Etat > 2)
                    err("track ", it, " measure ", im, " beat ", nb, ": Etat ", int(a->Etat));
                if (a->Effets && a->Effets->EstVide())
                    err("track ", it, " measure ", im, " beat ", nb, ": empty beat effects");
                total += a->Duree;
                int nn = 0;
                const cNote *pn = nullptr;
                for (const cNote *n = a->PremiereNote; n; n = n->Suivante) {
                    ++nn;
                    if (n->Precedente != pn)
                        err("beat ", nb, " note ", nn, ": Precedente broken");
                    if (n->Corde != nn || a->Notes[nn] != n)
                        err("track ", it, " measure ", im, " beat ", nb, " note ", nn,
                            ": Corde/slot mismatch");
                    if (n->Effets && EffetsNoteVides(*n->Effets))
                        err("track ", it, " measure ", im, " beat ", nb, " note ", nn,
                            ": empty note effects");
                    pn = n;
                    if (nn > MaxCordes)
                        break;
                }
                if (nn != a->NbNotes)
                    err("track ", it, " measure ", im, " beat ", nb, ": NbNotes ", a->NbNotes,
                        " but ", nn, " notes");
                if (nn != t->NbCordes)
                    err("track ", it, " measure ", im, " beat ", nb, ": ", nn,
                        " notes on a track of ", t->NbCordes, " strings");
                for (int s = nn + 1; s <= MaxCordes; ++s)
                    if (a->Notes[s])
                        err("beat ", nb, ": slot ", s, " past the strings is set");
                pa = a;
                if (nb > MaxAccords + 1)
                    break;
            }
            if (nb < 1)
                err("track ", it, " measure ", im, ": no beat");
            if (nb > MaxAccords)
                err("track ", it, " measure ", im, ": more than ", MaxAccords, " beats");
            if (nb != mp->NbAccords)
                err("track ", it, " measure ", im, ": NbAccords ", mp->NbAccords, " but ", nb);
            if (total != mp->DureeTotale)
                err("track ", it, " measure ", im, ": DureeTotale ", mp->DureeTotale,
                    " but beats sum to ", total);
            prec = mp;
            m = m->Suivante;
        }
        if (m)
            err("track ", it, ": fewer track measures than measures");
    }

    // Cross chains: in track order.
    int im = 0;
    for (const cMesure *m = p.PremiereMesure; m; m = m->Suivante) {
        ++im;
        const cPiste *t = p.PremierePiste;
        const cMesurePiste *prec = nullptr;
        for (const cMesurePiste *mp = m->PremiereMesurePiste; mp; mp = mp->SuivanteDansMesure) {
            if (!t) {
                err("measure ", im, ": more track measures than tracks");
                break;
            }
            if (mp->Piste != t || mp->Mesure != m)
                err("measure ", im, ": cross chain out of track order");
            if (mp->PrecedenteDansMesure != prec)
                err("measure ", im, ": PrecedenteDansMesure broken");
            prec = mp;
            t = t->Suivante;
        }
        if (t)
            err("measure ", im, ": fewer track measures than tracks");
    }

    // Markers: the chain is every measure's marker, in measure order.
    int nk = 0;
    const cMarker *pk = nullptr;
    const cMesure *m = p.PremiereMesure;
    for (const cMarker *k = p.PremierMarker; k; k = k->Suivant) {
        ++nk;
        if (k->Precedent != pk)
            err("marker ", nk, ": Precedent broken");
        while (m && m->Marker != k)
            m = m->Suivante;
        if (!m)
            err("marker ", nk, ": not owned by a later measure");
        pk = k;
        if (nk > MaxMesures)
            break;
    }
    int owned = 0;
    for (const cMesure *x = p.PremiereMesure; x; x = x->Suivante)
        owned += x->Marker ? 1 : 0;
    if (nk != p.NbMarkers || owned != p.NbMarkers)
        err("NbMarkers ", p.NbMarkers, ", chain ", nk, ", owned by measures ", owned);
    return err.lignes;
}

