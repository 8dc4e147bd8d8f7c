#include "model/uMesurePiste.h"

#include "model/uPartition.h"

#include <algorithm>

cAccord *cMesurePiste::NouvelAccord() const
{
    auto *a = new cAccord;
    return a;
}

cAccord *cMesurePiste::InsererAccordAvant(cAccord *ref)
{
    if (NbAccords >= MaxAccords)
        return nullptr;
    cAccord *a = NouvelAccord();
    if (!ref)
        ref = PremierAccord;
    if (!ref) {
        PremierAccord = a;
    } else {
        a->Suivant = ref;
        a->Precedent = ref->Precedent;
        if (ref->Precedent)
            ref->Precedent->Suivant = a;
        else
            PremierAccord = a;
        ref->Precedent = a;
    }
    ++NbAccords;
    IndexerAccords();
    ReinitialiserAccord(*a, Piste ? Piste->NbCordes : 6);
    return a;
}

cAccord *cMesurePiste::InsererAccordApres(cAccord *ref)
{
    if (NbAccords >= MaxAccords)
        return nullptr;
    if (!ref)
        ref = DernierAccord();
    if (!ref)
        return InsererAccordAvant(nullptr);
    cAccord *a = NouvelAccord();
    a->Precedent = ref;
    a->Suivant = ref->Suivant;
    if (ref->Suivant)
        ref->Suivant->Precedent = a;
    ref->Suivant = a;
    ++NbAccords;
    IndexerAccords();
    ReinitialiserAccord(*a, Piste ? Piste->NbCordes : 6);
    return a;
}

bool cMesurePiste::SupprimerAccord(cAccord *a)
{
    if (!a || NbAccords <= 1)
        return false;
    if (a->Precedent)
        a->Precedent->Suivant = a->Suivant;
    else
        PremierAccord = a->Suivant;
    if (a->Suivant)
        a->Suivant->Precedent = a->Precedent;
    delete a;
    --NbAccords;
    IndexerAccords();
    return true;
}

void cMesurePiste::SupprimerAccords()
{
    cAccord *a = PremierAccord;
    while (a) {
        cAccord *s = a->Suivant;
        delete a;
        a = s;
    }
    PremierAccord = nullptr;
    NbAccords = 0;
    Accords.fill(nullptr);
    DureeTotale = 0;
}

void cMesurePiste::Vider()
{
    SupprimerAccords();
    InsererAccordApres(nullptr);
    CalculerDuree();
}

cAccord *cMesurePiste::DernierAccord() const
{
    if (!SansIndex && NbAccords > 0 && Accords[NbAccords])
        return Accords[NbAccords];
    cAccord *a = PremierAccord;
    while (a && a->Suivant)
        a = a->Suivant;
    return a;
}

void cMesurePiste::IndexerAccords()
{
    if (SansIndex)
        return;
    Accords.fill(nullptr);
    int i = 0;
    for (cAccord *a = PremierAccord; a && i < MaxAccords; a = a->Suivant) {
        Accords[++i] = a;
        a->Index = i;
    }
}

void cMesurePiste::CalculerDuree()
{
    double t = 0;
    for (cAccord *a = PremierAccord; a; a = a->Suivant)
        t += a->Duree;
    DureeTotale = t;
}

bool cMesurePiste::ContientNotes() const
{
    if (!PremierAccord || PremierAccord->Etat == 0)
        return false;
    for (cAccord *a = PremierAccord; a; a = a->Suivant)
        if (a->Etat == 1)
            return true;
    return false;
}

double cMesurePiste::TempsDepuisDebutMesure(const cAccord *cible) const
{
    double t = 0;
    for (cAccord *a = PremierAccord; a && a != cible; a = a->Suivant)
        t += a->Duree;
    return t;
}

void cMesurePiste::ReinitialiserAccord(cAccord &a, int nbCordes) const
{
    a.Vider();
    a.Etat = 0;
    const cAccord *modele = a.Precedent;
    if (!modele && PrecedenteDansPiste)
        modele = PrecedenteDansPiste->DernierAccord();
    if (modele) {
        a.CodeDuree = modele->CodeDuree;
        a.Pointe = modele->Pointe;
        a.Triolet = modele->Triolet;
    } else {
        a.CodeDuree = 0;
        a.Pointe = false;
        a.Triolet = 1;
    }
    a.CalculerDuree();
    if (nbCordes > MaxCordes)
        nbCordes = MaxCordes;
    a.AjouterNotes(nbCordes);
    for (cNote *n = a.PremiereNote; n; n = n->Suivante)
        a.ViderNote(*n);
}

void cMesurePiste::CopierVers(cMesurePiste &cible) const
{
    cible.SupprimerAccords();
    // The target keeps its track's string count: that count holds for the track's other
    // measures too. Beats from a track with another count are fitted to it.
    const int nbCordes = cible.Piste ? std::clamp(cible.Piste->NbCordes, 1, MaxCordes) : 0;
    const bool sansIndex = cible.SansIndex;
    cible.SansIndex = true;
    cAccord *dernier = nullptr;
    for (cAccord *a = PremierAccord; a; a = a->Suivant) {
        cAccord *c = cible.InsererAccordApres(dernier);
        if (!c)
            break;
        a->CopierVers(*c);
        if (nbCordes > 0 && c->NbNotes != nbCordes) {
            while (c->NbNotes < nbCordes)
                c->ViderNote(*c->InsererNoteApres(nullptr));
            while (c->NbNotes > nbCordes)
                c->SupprimerNote(c->DerniereNote());
            if (c->Etat == 1 && !c->ActualiserEtat()) {
                c->LibererEffets();
                c->Etat = 2;
            }
        }
        dernier = c;
    }
    cible.SansIndex = sansIndex;
    cible.IndexerAccords();
    cible.CalculerDuree();
}
