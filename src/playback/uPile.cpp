// Event lists: insertion sorts from the tail, which is cheap because generation produces
// events almost in time order.
#include "playback/uPile.h"

void cBasePile::Inserer(double temps, uint8_t statut, uint8_t d1, uint8_t d2, uint8_t d3)
{
    auto *e = new cEvtPile;
    e->Temps = temps;
    e->Statut = statut;
    e->Donnee1 = d1;
    e->Donnee2 = d2;
    e->Donnee3 = d3;
    cEvtPile *avant = Dernier;
    while (avant && avant->Temps > temps)
        avant = avant->Precedent;
    e->Precedent = avant;
    e->Suivant = avant ? avant->Suivant : Premier;
    if (e->Suivant)
        e->Suivant->Precedent = e;
    else
        Dernier = e;
    if (avant)
        avant->Suivant = e;
    else
        Premier = e;
    ++NbEvenements;
}

cEvtPile *cBasePile::Extraire()
{
    cEvtPile *e = Premier;
    if (!e)
        return nullptr;
    Premier = e->Suivant;
    if (Premier)
        Premier->Precedent = nullptr;
    else
        Dernier = nullptr;
    e->Suivant = nullptr;
    --NbEvenements;
    return e;
}

void cBasePile::Vider()
{
    cEvtPile *e = Premier;
    while (e) {
        cEvtPile *s = e->Suivant;
        delete e;
        e = s;
    }
    Premier = Dernier = nullptr;
    NbEvenements = 0;
}

void cMyHMidiOut::Inserer(const cMyEvtMidiOut &e)
{
    auto it = Evts.end();
    while (it != Evts.begin() && std::prev(it)->Temps > e.Temps)
        --it;
    Evts.insert(it, e);
}

cBasePile *cPile::AjouterListe(cPiste *piste)
{
    auto *l = new cBasePile;
    l->Piste = piste;
    cBasePile **fin = &PremiereListe;
    while (*fin)
        fin = &(*fin)->Suivante;
    *fin = l;
    return l;
}

cBasePile *cPile::ListeDe(const cPiste *piste) const
{
    for (cBasePile *l = PremiereListe; l; l = l->Suivante)
        if (l->Piste == piste)
            return l;
    return nullptr;
}

void cPile::LibererListes()
{
    cBasePile *l = PremiereListe;
    while (l) {
        cBasePile *s = l->Suivante;
        delete l;
        l = s;
    }
    PremiereListe = nullptr;
}
