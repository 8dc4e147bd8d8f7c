#include "app/uSaisie.h"

#include <algorithm>

#include "app/uCurseur.h"
#include "model/uDurees.h"
#include "model/uEdition.h"
#include "model/uPartition.h"

namespace {
// Every move and every edit but a typed digit ends so.
void Terminer(cPartition &p, const rPosition &c)
{
    p.AttenteChiffre = false;
    p.EffacerSelection();
    p.PlacerCurseur(c);
}

void Terminer(cPartition &p) { Terminer(p, p.Curseur); }

bool Curseur(cPartition &p, rPosition &c)
{
    p.PositionCurseur(c);
    return c.Note && c.Accord && c.MesurePiste && c.MesurePiste->Piste;
}

bool Sonne(const cNote &n) { return n.Type == 1 || n.Type == 3; }

void RecalculerAccord(cAccord &b, cMesurePiste &mp)
{
    b.CalculerDuree();
    b.PropagerDuree();
    mp.CalculerDuree();
}
} // namespace

// ---------------------------------------------------------------- moves

void DeplacerCorde(cPartition &p, eMouvementCorde m)
{
    rPosition c;
    if (!Curseur(p, c))
        return;
    const int nb = std::max(1, c.MesurePiste->Piste->NbCordes);
    switch (m) {
    case eMouvementCorde::Haut:
        c.NumCorde = c.NumCorde > 1 ? c.NumCorde - 1 : nb;
        break;
    case eMouvementCorde::Bas:
        c.NumCorde = c.NumCorde < nb ? c.NumCorde + 1 : 1;
        break;
    case eMouvementCorde::Premiere:
        c.NumCorde = 1;
        break;
    case eMouvementCorde::Derniere:
        c.NumCorde = nb;
        break;
    }
    Terminer(p, c);
}

eResultatMouvement DeplacerTemps(cPartition &p, eMouvementTemps m)
{
    rPosition c;
    if (!Curseur(p, c))
        return eResultatMouvement::Rien;
    switch (m) {
    case eMouvementTemps::Premier: {
        const bool supprime = QuitterPlaceholder(p);
        c = p.Curseur;
        c.NumTemps = 1;
        Terminer(p, c);
        return supprime ? eResultatMouvement::Modifie : eResultatMouvement::Deplace;
    }
    case eMouvementTemps::Precedent:
        // Leaving the placeholder already puts the cursor on the beat before it.
        if (QuitterPlaceholder(p)) {
            Terminer(p);
            return eResultatMouvement::Modifie;
        }
        if (c.NumTemps > 1) {
            --c.NumTemps;
        } else if (c.NumMesure > 1) {
            --c.NumMesure;
            c.NumTemps = p.MesurePisteDe(c.NumMesure, c.NumPiste)->NbAccords;
        }
        Terminer(p, c);
        return eResultatMouvement::Deplace;
    case eMouvementTemps::Suivant: {
        if (c.Accord->Etat == 0)
            return eResultatMouvement::Rien;
        if (c.Accord->Suivant) {
            ++c.NumTemps;
            Terminer(p, c);
            return eResultatMouvement::Deplace;
        }
        if (MesurePleine(*c.MesurePiste)) {
            eResultatMouvement r = eResultatMouvement::Deplace;
            if (c.NumMesure >= p.NbMesures) {
                cMesure *nouvelle = p.InsererMesureApres(nullptr);
                if (!nouvelle)
                    return eResultatMouvement::Rien; // the score is full
                p.ReinitialiserMesure(nouvelle);
                r = eResultatMouvement::MesureAjoutee;
            }
            ++c.NumMesure;
            c.NumTemps = 1;
            Terminer(p, c);
            return r;
        }
        cAccord *a = c.MesurePiste->InsererAccordApres(nullptr);
        if (!a)
            return eResultatMouvement::Rien; // the measure holds the most beats it can
        c.MesurePiste->CalculerDuree();
        c.NumTemps = a->Index;
        Terminer(p, c);
        return eResultatMouvement::Modifie;
    }
    case eMouvementTemps::Dernier:
        if (c.Accord->Etat == 0)
            return eResultatMouvement::Rien;
        c.NumTemps = c.MesurePiste->NbAccords;
        Terminer(p, c);
        return eResultatMouvement::Deplace;
    }
    return eResultatMouvement::Rien;
}

// ---------------------------------------------------------------- frets and notes

int HauteurNote(const cPiste &t, int corde, int fret)
{
    const int f = (t.Banjo5 && corde == 5 && fret > 0) ? fret - 5 : fret;
    return t.AccordageCorde(corde) + t.Capo + f;
}

namespace {
bool PoserFret(cPartition &p, rPosition &c, int fret, bool attente, int nuanceDefaut)
{
    const cPiste &t = *c.MesurePiste->Piste;
    // A pitch past the MIDI range would sound wrong or not at all.
    if (fret < 0 || fret > 99 || (!t.Percussions && HauteurNote(t, c.NumCorde, fret) > 127)) {
        p.AttenteChiffre = false;
        return false;
    }
    cNote &n = *c.Note;
    c.Accord->Etat = 1;
    if (n.Type == 0)
        n.Nuance = static_cast<uint8_t>(std::clamp(nuanceDefaut, 1, 8));
    n.Type = 1;
    n.Case = static_cast<uint8_t>(fret);
    p.AttenteChiffre = attente;
    return true;
}
} // namespace

bool TaperChiffre(cPartition &p, int d, int nuanceDefaut)
{
    rPosition c;
    if (!Curseur(p, c) || d < 0 || d > 9) {
        p.AttenteChiffre = false;
        return false;
    }
    const cPiste &t = *c.MesurePiste->Piste;
    const bool batterie = t.Percussions;
    const bool banjo5 = t.Banjo5 && !batterie && c.NumCorde == 5;
    int fret = d;
    bool attente = false;
    if (p.AttenteChiffre && c.Note->Type == 1) {
        const int actuel = c.Note->Case;
        if (banjo5) {
            fret = actuel * 10 + d - 50; // the first digit was stored shifted by five
            if (fret > 30 || fret < 0)
                fret = d;
            if (fret >= 1 && fret <= 5)
                fret += 5;
        } else if (actuel == 3 && d > 0 && !batterie) {
            fret = d; // no fret above 30
        } else {
            fret = actuel * 10 + d;
        }
    } else {
        attente = (d >= 1 && d <= 3) || batterie;
        if (banjo5 && d >= 1 && d <= 5) {
            fret = d + 5;
            attente = d <= 3;
        }
    }
    return PoserFret(p, c, fret, attente, nuanceDefaut);
}

bool PoserCase(cPartition &p, int fret, int nuanceDefaut)
{
    rPosition c;
    if (!Curseur(p, c) || fret < 0 || fret > 29) {
        p.AttenteChiffre = false;
        return false;
    }
    const cPiste &t = *c.MesurePiste->Piste;
    if (t.Banjo5 && !t.Percussions && c.NumCorde == 5 && fret >= 1 && fret <= 5)
        fret += 5;
    const bool ok = PoserFret(p, c, fret, false, nuanceDefaut);
    p.AttenteChiffre = false;
    return ok;
}

namespace {
// The note cleared; a beat left without notes becomes a rest when another beat follows it and
// the empty placeholder otherwise.
void ViderNoteCurseur(rPosition &c)
{
    cAccord &b = *c.Accord;
    b.ViderNote(*c.Note);
    if (b.ActualiserEtat())
        return;
    b.Etat = b.Suivant ? 2 : 0;
    b.LibererEffets();
}
} // namespace

bool EffacerNote(cPartition &p)
{
    rPosition c;
    if (!Curseur(p, c))
        return false;
    if (c.Accord->Etat == 2) {
        const bool ok = SupprimerAccordCurseur(p);
        Terminer(p);
        return ok;
    }
    if (c.Accord->Etat == 0) {
        Terminer(p);
        return false;
    }
    ViderNoteCurseur(c);
    Terminer(p, c);
    return true;
}

bool NoteMorte(cPartition &p)
{
    rPosition c;
    if (!Curseur(p, c))
        return false;
    c.Accord->ViderNote(*c.Note);
    c.Note->Type = 3;
    c.Accord->Etat = 1;
    Terminer(p, c);
    return true;
}

bool Lier(cPartition &p)
{
    rPosition c;
    if (!Curseur(p, c))
        return false;
    cNote &n = *c.Note;
    if (n.Type == 2) {
        ViderNoteCurseur(c);
    } else {
        n.LibererEffets();
        n.Sugeree = false;
        n.Nuance = 6;
        n.Case = 0;
        n.Type = 2;
        c.Accord->Etat = 1;
    }
    Terminer(p, c);
    return true;
}

bool Silence(cPartition &p)
{
    rPosition c;
    if (!Curseur(p, c))
        return false;
    c.Accord->ViderNotes();
    c.Accord->LibererEffets();
    c.Accord->Etat = 2;
    Terminer(p, c);
    return true;
}

bool Nuance(cPartition &p, int nuance, bool toutAccord)
{
    rPosition c;
    if (!Curseur(p, c) || nuance < 1 || nuance > 8 || !Sonne(*c.Note))
        return false;
    if (toutAccord)
        for (cNote *n = c.Accord->PremiereNote; n; n = n->Suivante)
            n->Nuance = static_cast<uint8_t>(nuance);
    else
        c.Note->Nuance = static_cast<uint8_t>(nuance);
    Terminer(p, c);
    return true;
}

bool DeplacerNote(cPartition &p, bool haut)
{
    rPosition c;
    if (!Curseur(p, c) || c.Note->Type != 1 || c.Accord->Etat != 1)
        return false;
    const cPiste &t = *c.MesurePiste->Piste;
    cAccord &b = *c.Accord;
    const int s = c.NumCorde;
    const int pas = haut ? -1 : 1;
    const int nb = std::min(t.NbCordes, b.NbNotes);
    for (int k = s + pas; k >= 1 && k <= nb; k += pas) {
        int decalage = t.AccordageCorde(k) - t.AccordageCorde(s);
        if (t.Banjo5) {
            if (k == 5)
                decalage -= 5;
            if (s == 5)
                decalage += 5;
        }
        const int fret = c.Note->Case - decalage;
        if (t.Percussions) {
            if (fret < 0 || fret > 99) // a key number must stay a key number
                continue;
        } else if (fret < 0 || fret > 30 || (t.Banjo5 && k == 5 && fret < 5)) {
            continue;
        }
        cNote *cible = b.Notes[k];
        if (!cible || cible->Type != 0)
            continue;
        cAccord::CopierNote(*c.Note, *cible);
        cible->Case = static_cast<uint8_t>(fret);
        b.ViderNote(*c.Note);
        c.NumCorde = k;
        Terminer(p, c);
        return true;
    }
    return false;
}

// ---------------------------------------------------------------- durations

bool DureeAccord(cPartition &p, int code)
{
    rPosition c;
    if (!Curseur(p, c))
        return false;
    c.Accord->CodeDuree = static_cast<int8_t>(std::clamp(code, -2, 4));
    RecalculerAccord(*c.Accord, *c.MesurePiste);
    Terminer(p, c);
    return true;
}

bool BasculerPointeAccord(cPartition &p)
{
    rPosition c;
    if (!Curseur(p, c))
        return false;
    c.Accord->Pointe = !c.Accord->Pointe;
    RecalculerAccord(*c.Accord, *c.MesurePiste);
    Terminer(p, c);
    return true;
}

bool TrioletAccord(cPartition &p, int triolet)
{
    rPosition c;
    if (!Curseur(p, c))
        return false;
    c.Accord->Triolet = FacteurTriolet(triolet) == 1.0L ? 1 : triolet;
    RecalculerAccord(*c.Accord, *c.MesurePiste);
    Terminer(p, c);
    return true;
}

namespace {
bool ChangerDureeNote(cPartition &p, const std::function<void(cNote &, const cAccord &)> &f)
{
    rPosition c;
    if (!Curseur(p, c) || c.Note->Type == 0)
        return false;
    f(*c.Note, *c.Accord);
    c.Note->CalculerDuree();
    c.Note->DureePropre = c.Note->DureeTicks != c.Accord->Duree;
    Terminer(p, c);
    return true;
}
} // namespace

bool DureeNote(cPartition &p, int code)
{
    return ChangerDureeNote(p, [code](cNote &n, const cAccord &) {
        n.CodeDuree = static_cast<int8_t>(std::clamp(code, -2, 4));
    });
}

bool BasculerPointeNote(cPartition &p)
{
    return ChangerDureeNote(p, [](cNote &n, const cAccord &) { n.Pointe = !n.Pointe; });
}

bool BasculerTrioletNote(cPartition &p)
{
    return ChangerDureeNote(p, [](cNote &n, const cAccord &b) {
        n.Triolet = static_cast<int8_t>(n.Triolet == 1 ? b.Triolet : 1);
    });
}

int PasDuree(int code, int sens) { return std::clamp(code + sens, -2, 4); }

// ---------------------------------------------------------------- effects

void AppliquerExclusions(cPartition &p, int effet)
{
    rPosition c;
    if (!Curseur(p, c))
        return;
    cNote &n = *c.Note;
    cAccord &b = *c.Accord;
    auto note = [&n](eEffetNoteExclusif e) {
        if (n.Effets)
            n.Effets->Exclure(e);
    };
    auto accord = [&b](eEffetAccord e) {
        if (b.Effets)
            b.Effets->Exclure(e);
    };
    switch (effet) {
    case EffetBend: note(eEffetNoteExclusif::Bend); break;
    case EffetHammer: note(eEffetNoteExclusif::HammerPullOff); break;
    case EffetSlide: note(eEffetNoteExclusif::Slide); break;
    case EffetLetRing: note(eEffetNoteExclusif::LetRing); break;
    case EffetVibrato: accord(eEffetAccord::Vibrato); break;
    case EffetTremolo: accord(eEffetAccord::TremoloBar); break;
    case EffetHarmN: accord(eEffetAccord::HarmoniqueNaturelle); break;
    case EffetHarmA: accord(eEffetAccord::HarmoniqueArtificielle); break;
    case EffetFadeIn: accord(eEffetAccord::FadeIn); break;
    case EffetTapping:
    case EffetSlap:
    case EffetPop: accord(eEffetAccord::Frappe); break;
    case EffetBrushUp: accord(eEffetAccord::BrushUp); break;
    case EffetBrushDown: accord(eEffetAccord::BrushDown); break;
    case EffetCoupVB: accord(eEffetAccord::CoupVibrato); break;
    default: break; // ghost note and grace note combine with everything
    }
    n.LibererEffetsVides();
    b.LibererEffetsVides();
}

bool BasculerEffet(cPartition &p, int effet, int nuanceDefaut, const FnEditeurEffet &editeur)
{
    rPosition c;
    if (!Curseur(p, c) || effet < EffetBend || effet > EffetCoupVB)
        return false;
    cNote &n = *c.Note;
    cAccord &b = *c.Accord;
    if (effet <= EffetSugeree ? !Sonne(n) : b.Etat != 1)
        return false;
    auto editer = [&] { return editeur && editeur(effet); };
    bool change = true;
    switch (effet) {
    case EffetBend:
    case EffetAppogiature:
        change = editer();
        break;
    case EffetHammer:
        n.EffetsCrees().HammerPullOff = !n.EffetsCrees().HammerPullOff;
        break;
    case EffetSlide:
        n.EffetsCrees().Slide = !n.EffetsCrees().Slide;
        break;
    case EffetLetRing:
        n.EffetsCrees().LetRing = !n.EffetsCrees().LetRing;
        break;
    case EffetSugeree: {
        n.Sugeree = !n.Sugeree;
        const int defaut = std::clamp(nuanceDefaut, 1, 8);
        n.Nuance = static_cast<uint8_t>(
            n.Sugeree ? std::max(1, static_cast<int>(Arrondi(defaut * 2.0 / 3.0))) : defaut);
        break;
    }
    case EffetVibrato:
        b.EffetsCrees().Vibrato = !b.EffetsCrees().Vibrato;
        break;
    case EffetTremolo:
        b.EffetsCrees().TremoloBar = !b.EffetsCrees().TremoloBar;
        break;
    case EffetHarmN:
        b.EffetsCrees().HarmoniqueNaturelle = !b.EffetsCrees().HarmoniqueNaturelle;
        break;
    case EffetHarmA:
        b.EffetsCrees().HarmoniqueArtificielle = !b.EffetsCrees().HarmoniqueArtificielle;
        break;
    case EffetFadeIn:
        b.EffetsCrees().FadeIn = !b.EffetsCrees().FadeIn;
        break;
    case EffetTapping:
    case EffetSlap:
    case EffetPop: {
        const int v = effet - EffetTapping + 1;
        cEffets_Accord &e = b.EffetsCrees();
        e.Frappe = static_cast<int8_t>(e.Frappe == v ? 0 : v);
        break;
    }
    case EffetBrushUp:
        if (b.Effets && b.Effets->BrushUp > 0)
            b.Effets->BrushUp = 0;
        else
            change = editer();
        break;
    case EffetBrushDown:
        if (b.Effets && b.Effets->BrushDown > 0)
            b.Effets->BrushDown = 0;
        else
            change = editer();
        break;
    case EffetCoupVB:
        if (b.Effets && b.Effets->CoupVibrato > 0)
            b.Effets->CoupVibrato = 0;
        else
            change = editer();
        break;
    default:
        return false;
    }
    if (change) {
        AppliquerExclusions(p, effet);
    } else {
        n.LibererEffetsVides();
        b.LibererEffetsVides();
    }
    Terminer(p, c);
    return change;
}
