#include "support/FabriqueMidi.h"

#include <iomanip>
#include <ostream>

#include "playback/uPile.h"

cPartition *NouvellePartitionMidi(int mesures, int pistes)
{
    auto *p = new cPartition;
    p->Nouveau();
    for (int t = 1; t < pistes; ++t)
        p->InsererPisteApres(nullptr);
    for (int m = 1; m < mesures; ++m)
        p->InsererMesureApres(nullptr);
    p->IndexerMesures();
    p->IndexerPistes();
    int k = 0;
    for (cPiste *t = p->PremierePiste; t; t = t->Suivante, ++k) {
        t->Port = 1;
        int c = 2 * k + 1, ce = 2 * k + 2;
        if (c >= 10)
            ++c, ++ce;
        if (ce == 10)
            ++ce;
        t->Canal = c;
        t->CanalEffets = ce;
    }
    return p;
}

cAccord *TempsMidi(cPartition &p, int mesure, int piste, int numTemps, int code)
{
    cMesurePiste *mp = p.MesurePisteDe(mesure, piste);
    cAccord *a = mp->PremierAccord;
    for (int i = 1; i < numTemps; ++i)
        a = a->Suivant ? a->Suivant : mp->InsererAccordApres(a);
    a->CodeDuree = static_cast<int8_t>(code);
    a->CalculerDuree();
    a->PropagerDuree();
    mp->CalculerDuree();
    return a;
}

cNote *NoteMidi(cAccord *a, int corde, int fret, int type)
{
    cNote *n = a->Notes[corde];
    n->Type = static_cast<uint8_t>(type);
    n->Case = static_cast<uint8_t>(fret);
    a->Etat = 1;
    return n;
}

void FinirPartitionMidi(cPartition &p)
{
    for (cPiste *t = p.PremierePiste; t; t = t->Suivante)
        for (cMesurePiste *mp = t->PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste) {
            mp->IndexerAccords();
            mp->CalculerDuree();
        }
}

std::ostream &operator<<(std::ostream &o, const rEvt &e)
{
    return o << "{" << e.Temps << ", 0x" << std::hex << e.Statut << std::dec << ", " << e.D1
             << ", " << e.D2 << "}";
}

std::vector<rEvt> EvenementsDe(const cBasePile &l)
{
    std::vector<rEvt> v;
    for (const cEvtPile *e = l.Premier; e; e = e->Suivant)
        v.push_back({e->Temps, e->Statut, e->Donnee1, e->Donnee2});
    return v;
}

std::vector<rEvt> EvenementsDe(const cMyHMidiOut &q)
{
    std::vector<rEvt> v;
    for (const auto &e : q.Evts)
        v.push_back({e.Temps, e.Statut, e.Donnee1, e.Donnee2});
    return v;
}

std::vector<rEvt> Filtrer(const std::vector<rEvt> &v, int type)
{
    std::vector<rEvt> r;
    for (const rEvt &e : v)
        if ((e.Statut & 0xF0) == type)
            r.push_back(e);
    return r;
}
