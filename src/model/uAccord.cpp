#include "model/uAccord.h"

#include "model/uDurees.h"

cAccord::~cAccord() { Vider(); }

namespace {
// A new note linked in after `ref` (null: as head), counted but not yet indexed.
cNote *LierApres(cAccord &a, cNote *ref)
{
    auto *n = new cNote;
    n->Precedente = ref;
    cNote *&lien = ref ? ref->Suivante : a.PremiereNote;
    n->Suivante = lien;
    if (lien)
        lien->Precedente = n;
    lien = n;
    ++a.NbNotes;
    return n;
}
} // namespace

cNote *cAccord::InsererNoteAvant(cNote *ref)
{
    if (NbNotes >= MaxCordes)
        return nullptr;
    cNote *n = LierApres(*this, ref ? ref->Precedente : nullptr);
    IndexerNotes();
    return n;
}

cNote *cAccord::InsererNoteApres(cNote *ref)
{
    if (NbNotes >= MaxCordes)
        return nullptr;
    cNote *n = LierApres(*this, ref ? ref : DerniereNote());
    IndexerNotes();
    return n;
}

void cAccord::AjouterNotes(int n)
{
    cNote *derniere = DerniereNote();
    for (int i = 0; i < n && NbNotes < MaxCordes; ++i)
        derniere = LierApres(*this, derniere);
    IndexerNotes();
}

void cAccord::SupprimerNote(cNote *n)
{
    if (!n)
        return;
    if (n->Precedente)
        n->Precedente->Suivante = n->Suivante;
    else
        PremiereNote = n->Suivante;
    if (n->Suivante)
        n->Suivante->Precedente = n->Precedente;
    delete n;
    --NbNotes;
    IndexerNotes();
}

void cAccord::SupprimerNotes()
{
    cNote *n = PremiereNote;
    while (n) {
        cNote *s = n->Suivante;
        delete n;
        n = s;
    }
    PremiereNote = nullptr;
    NbNotes = 0;
    Notes.fill(nullptr);
}

cNote *cAccord::DerniereNote() const
{
    cNote *n = PremiereNote;
    while (n && n->Suivante)
        n = n->Suivante;
    return n;
}

void cAccord::IndexerNotes()
{
    Notes.fill(nullptr);
    int i = 0;
    for (cNote *n = PremiereNote; n && i < MaxCordes; n = n->Suivante) {
        Notes[++i] = n;
        n->Corde = static_cast<uint8_t>(i);
    }
}

void cAccord::CalculerDuree(bool sansTriolet)
{
    Duree = TicksDuree(CodeDuree, Pointe, Triolet, sansTriolet);
}

void cAccord::PropagerDuree()
{
    for (cNote *n = PremiereNote; n; n = n->Suivante) {
        if (n->DureePropre)
            continue;
        n->CodeDuree = CodeDuree;
        n->Pointe = Pointe;
        n->Triolet = static_cast<int8_t>(Triolet);
        n->DureeTicks = Duree;
    }
}

void cAccord::DureeDepuisTicks(double ticks)
{
    DureeSymbolique(ticks, CodeDuree, Pointe);
    Triolet = 1;
}

void cAccord::ViderNote(cNote &n) const
{
    n.Type = 0;
    n.DureePropre = false;
    n.CodeDuree = CodeDuree;
    n.Pointe = Pointe;
    n.Triolet = static_cast<int8_t>(Triolet);
    n.DureeTicks = Duree;
    n.Sugeree = false;
    n.Nuance = 6;
    n.Case = 0;
    n.LibererEffets();
}

void cAccord::ViderNotes()
{
    for (cNote *n = PremiereNote; n; n = n->Suivante)
        ViderNote(*n);
}

void cAccord::LibererEffets()
{
    delete Effets;
    Effets = nullptr;
}

void cAccord::LibererAttachements()
{
    delete Diagramme;
    Diagramme = nullptr;
    delete Texte;
    Texte = nullptr;
    LibererEffets();
    delete TableMix;
    TableMix = nullptr;
}

void cAccord::Vider()
{
    LibererAttachements();
    SupprimerNotes();
}

cEffets_Accord &cAccord::EffetsCrees()
{
    if (!Effets)
        Effets = new cEffets_Accord;
    return *Effets;
}

void cAccord::LibererEffetsVides()
{
    if (Effets && Effets->EstVide())
        LibererEffets();
}

bool cAccord::SansSon() const
{
    if (Etat != 1)
        return false;
    for (cNote *n = PremiereNote; n; n = n->Suivante)
        if (n->Type == 1 || n->Type == 3)
            return false;
    return true;
}

bool cAccord::APitch() const
{
    if (Etat != 1)
        return false;
    for (cNote *n = PremiereNote; n; n = n->Suivante)
        if (n->Type == 1 && n->Effets && (n->Effets->Bend || n->Effets->Slide))
            return true;
    return false;
}

bool cAccord::ActualiserEtat()
{
    for (cNote *n = PremiereNote; n; n = n->Suivante)
        if (n->Type != 0) {
            Etat = 1;
            return true;
        }
    return false;
}

void cAccord::CopierNote(const cNote &src, cNote &dst)
{
    dst.Type = src.Type;
    dst.DureePropre = src.DureePropre;
    dst.CodeDuree = src.CodeDuree;
    dst.Pointe = src.Pointe;
    dst.Triolet = src.Triolet;
    dst.Sugeree = src.Sugeree;
    dst.Nuance = src.Nuance;
    dst.Case = src.Case;
    dst.DureeTicks = src.DureeTicks;
    dst.LibererEffets();
    if (src.Effets) {
        dst.Effets = new cEffets_Note;
        src.Effets->CopierVers(*dst.Effets);
    }
}

void cAccord::CopierAttachements(const cAccord &src)
{
    LibererAttachements();
    if (src.Diagramme) {
        Diagramme = new cDiagramme;
        src.Diagramme->CopierVers(*Diagramme);
    }
    if (src.Texte) {
        Texte = new cTexte;
        Texte->Texte = src.Texte->Texte;
    }
    if (src.Effets) {
        Effets = new cEffets_Accord;
        src.Effets->CopierVers(*Effets);
    }
    if (src.TableMix) {
        TableMix = new cTableMixEvent;
        src.TableMix->CopierVers(*TableMix);
    }
}

void cAccord::CopierVers(cAccord &c) const
{
    c.Vider();
    c.Etat = Etat;
    c.CodeDuree = CodeDuree;
    c.Pointe = Pointe;
    c.Triolet = Triolet;
    c.Duree = Duree;
    for (cNote *n = PremiereNote; n; n = n->Suivante)
        CopierNote(*n, *c.InsererNoteApres(nullptr));
    c.CopierAttachements(*this);
}
