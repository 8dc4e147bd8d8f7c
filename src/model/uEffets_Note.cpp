#include "model/uEffets_Note.h"

#include "model/uConstantes.h"

cEffet_Bend::~cEffet_Bend() { SupprimerFormes(); }

void cEffet_Bend::SupprimerFormes()
{
    cEffet_Forme *f = PremiereForme;
    while (f) {
        cEffet_Forme *s = f->Suivante;
        delete f;
        f = s;
    }
    PremiereForme = nullptr;
}

cEffet_Forme *cEffet_Bend::DerniereForme() const
{
    cEffet_Forme *f = PremiereForme;
    while (f && f->Suivante)
        f = f->Suivante;
    return f;
}

int cEffet_Bend::NbFormes() const
{
    int n = 0;
    for (auto *f = PremiereForme; f; f = f->Suivante)
        ++n;
    return n;
}

cEffet_Forme *cEffet_Bend::AjouterForme(int32_t position, int32_t hauteur, uint8_t vibrato)
{
    auto *f = new cEffet_Forme;
    f->Position = position;
    f->Hauteur = hauteur;
    f->Vibrato = vibrato;
    cEffet_Forme *d = DerniereForme();
    f->Precedente = d;
    if (d)
        d->Suivante = f;
    else
        PremiereForme = f;
    return f;
}

int cEffet_Bend::HauteurA(double position, bool lissage, int &vibrato) const
{
    vibrato = 0;
    const cEffet_Forme *p = PremiereForme;
    if (!p)
        return 0;
    while (p->Suivante && !(p->Position > position))
        p = p->Suivante;
    const cEffet_Forme *a = p->Precedente;
    if (!a)
        return 0;
    const double longueur = static_cast<double>(p->Position) - a->Position;
    if (longueur <= 0)
        return 0;
    vibrato = a->Vibrato;
    if (vibrato == 0 && lissage && a->Hauteur == p->Hauteur)
        vibrato = 1;
    const double v = a->Hauteur + (p->Hauteur - a->Hauteur) * (position - a->Position) / longueur;
    return static_cast<int>(Arrondi(v));
}

int cEffet_Bend::HauteurMax() const
{
    int m = 0;
    for (auto *f = PremiereForme; f && f->Suivante; f = f->Suivante)
        if (f->Hauteur > m)
            m = f->Hauteur;
    return m;
}

void cEffet_Bend::CopierVers(cEffet_Bend &cible) const
{
    cible.SupprimerFormes();
    cible.Type = Type;
    cible.Valeur = Valeur;
    for (auto *f = PremiereForme; f; f = f->Suivante)
        cible.AjouterForme(f->Position, f->Hauteur, f->Vibrato);
}

cEffets_Note::~cEffets_Note()
{
    LibererBend();
    LibererAppogiature();
}

void cEffets_Note::LibererBend()
{
    delete Bend;
    Bend = nullptr;
}

void cEffets_Note::LibererAppogiature()
{
    delete Appogiature;
    Appogiature = nullptr;
}

void cEffets_Note::Exclure(eEffetNoteExclusif garde)
{
    if (garde != eEffetNoteExclusif::Bend)
        LibererBend();
    if (garde != eEffetNoteExclusif::HammerPullOff)
        HammerPullOff = false;
    if (garde != eEffetNoteExclusif::Slide)
        Slide = false;
    if (garde != eEffetNoteExclusif::LetRing)
        LetRing = false;
}

void cEffets_Note::CopierVers(cEffets_Note &cible) const
{
    cible.LibererBend();
    cible.LibererAppogiature();
    if (Bend) {
        cible.Bend = new cEffet_Bend;
        Bend->CopierVers(*cible.Bend);
    }
    if (Appogiature) {
        cible.Appogiature = new cEffet_Appogiature;
        cible.Appogiature->Case = Appogiature->Case;
        cible.Appogiature->Nuance = Appogiature->Nuance;
        cible.Appogiature->Transition = Appogiature->Transition;
        cible.Appogiature->Duree = Appogiature->Duree;
    }
    cible.HammerPullOff = HammerPullOff;
    cible.Slide = Slide;
    cible.LetRing = LetRing;
}
