#include "model/uPartition.h"

#include <algorithm>

namespace {
constexpr std::array<int32_t, MaxCordes> AccordageStandard{64, 59, 55, 50, 45, 40, -1};
}

// ---------------------------------------------------------------- cInformations

void cInformations::CopierVers(cInformations &c) const
{
    c.Titre = Titre;
    c.SousTitre = SousTitre;
    c.Artiste = Artiste;
    c.Album = Album;
    c.Auteur = Auteur;
    c.Droits = Droits;
    c.Tab = Tab;
    c.Instructions = Instructions;
    c.Notice = Notice;
    c.TripletFeel = TripletFeel;
}

// ---------------------------------------------------------------- cMesure

void cMesure::CalculerLongueur()
{
    Longueur = Denominateur != 0
                   ? static_cast<double>(Numerateur) / Denominateur * 4.0 * TicksNoire
                   : 0.0;
}

void cMesure::ChangerSignature(int numerateur, int denominateur)
{
    Numerateur = static_cast<int8_t>(numerateur);
    Denominateur = static_cast<int8_t>(denominateur);
    CalculerLongueur();
}

int cMesure::PremierNumeroRepetition() const
{
    const cMesure *depart = Precedente;
    for (const cMesure *m = depart; m; m = m->Precedente) {
        if (m->RenvoiDebut)
            return 1;
        if (m->RenvoiFin > 0 && m != depart)
            return 1;
        if (m->Repetition > 0)
            return m->Repetition + 1;
    }
    return 1;
}

// ---------------------------------------------------------------- cPiste

void cPiste::ProprietesParDefaut()
{
    NbCordes = 6;
    Accordage = AccordageStandard;
    NbFrets = 24;
    Capo = 0;
    Port = 1;
    Canal = 0;
    CanalEffets = 0;
    Couleur = 255;
    DouzeCordes = false;
    Banjo5 = false;
}

void cPiste::MemoriserAvant()
{
    NbCordesAvant = NbCordes;
    AccordageAvant = Accordage;
    CapoAvant = Capo;
    Banjo5Avant = Banjo5;
}

void cPiste::ChangerNbCordes(int ancien)
{
    if (NbCordes == ancien)
        return;
    const int n = std::clamp(NbCordes, 1, MaxCordes);
    for (cMesurePiste *mp = PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste) {
        for (cAccord *a = mp->PremierAccord; a; a = a->Suivant) {
            while (a->NbNotes < n)
                a->ViderNote(*a->InsererNoteApres(nullptr));
            while (a->NbNotes > n)
                a->SupprimerNote(a->DerniereNote());
            if (!a->ActualiserEtat()) {
                a->LibererEffets();
                a->Etat = 2;
            }
        }
    }
}

void cPiste::TransposerAccordage()
{
    const int n = std::clamp(NbCordes, 1, MaxCordes);
    auto avant = [&](int s) { return AccordageAvant[s - 1] + CapoAvant; };
    auto apres = [&](int s) { return Accordage[s - 1] + Capo; };
    for (cMesurePiste *mp = PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste) {
        for (cAccord *a = mp->PremierAccord; a; a = a->Suivant) {
            if (a->Etat != 1)
                continue;
            // Strings kept: same string, fret moved by the change of its open pitch.
            for (int s = 1; s <= std::min(n, a->NbNotes); ++s) {
                cNote *note = a->Notes[s];
                if (note->Type != 1)
                    continue;
                const int c = note->Case + avant(s) - apres(s);
                note->Case = static_cast<uint8_t>(std::clamp(c, 0, 99));
            }
            // Strings removed: onto the first free string from the new lowest upwards, at the
            // same pitch; a note that fits nowhere is dropped.
            for (int s = n + 1; s <= a->NbNotes; ++s) {
                cNote *src = a->Notes[s];
                if (src->Type != 1)
                    continue;
                for (int t = n; t >= 1; --t) {
                    cNote *cible = a->Notes[t];
                    if (cible->Type != 0)
                        continue;
                    const int c = src->Case + avant(s) - apres(t);
                    if (c < 0 || c > 99)
                        continue;
                    cAccord::CopierNote(*src, *cible);
                    cible->Case = static_cast<uint8_t>(c);
                    break;
                }
            }
        }
    }
    ChangerNbCordes(NbCordesAvant);
}

bool cPiste::EstVide() const
{
    for (cMesurePiste *mp = PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste)
        if (mp->ContientNotes())
            return false;
    return true;
}

// ---------------------------------------------------------------- cPartition

cPartition::cPartition() : Informations(new cInformations) {}

cPartition::~cPartition()
{
    EnDestruction = true;
    ToutLiberer();
    delete Informations;
}

void cPartition::ToutLiberer()
{
    for (cPiste *p = PremierePiste; p;) {
        for (cMesurePiste *mp = p->PremiereMesurePiste; mp;) {
            cMesurePiste *s = mp->SuivanteDansPiste;
            delete mp;
            mp = s;
        }
        cPiste *s = p->Suivante;
        delete p;
        p = s;
    }
    for (cMesure *m = PremiereMesure; m;) {
        cMesure *s = m->Suivante;
        delete m; // frees its marker
        m = s;
    }
    PremierePiste = nullptr;
    PremiereMesure = nullptr;
    PremierMarker = nullptr;
    NbMarkers = NbMesures = NbPistes = 0;
    Mesures.assign(1, nullptr);
    Pistes.assign(1, nullptr);
    Curseur = rPosition{};
    EffacerSelection();
}

void cPartition::Nouveau()
{
    ToutLiberer();
    Modifie = true;
    Vierge = true;
    if (Interface)
        Interface->EtatEnregistrer(true);
    Chemin.clear();
    NomFichier.clear();
    const cInformations *defaut = Interface ? Interface->InformationsParDefaut() : nullptr;
    if (defaut) {
        defaut->CopierVers(*Informations);
    } else {
        cInformations vide;
        vide.CopierVers(*Informations);
    }
    Informations->Titre.clear();
    Informations->SousTitre.clear();
    Tempo = 120;
    Tonalite = 0;
    for (int port = 1; port <= MaxPorts; ++port)
        for (int c = 1; c <= MaxCanaux; ++c) {
            Canaux[port][c] = rCanalMidi{};
            if (c == 10)
                Canaux[port][c].Instrument = -1;
        }
    InsererPisteApres(nullptr);
    for (cPiste *p = PremierePiste; p; p = p->Suivante)
        ReinitialiserPiste(p, false);
    cPiste *p1 = PremierePiste;
    p1->Port = 1;
    p1->Canal = 1;
    p1->CanalEffets = 2;
    p1->Percussions = false;
    InsererMesureApres(nullptr);
    for (cMesure *m = PremiereMesure; m; m = m->Suivante)
        ReinitialiserMesure(m);
    AttenteChiffre = false;
    rPosition debut;
    PlacerCurseur(debut);
    EffacerSelection();
    if (Interface) {
        Interface->ActualiserAffichage();
        Interface->ActualiserCanaux();
        Interface->ActualiserMixer();
        Interface->ActualiserTitre();
    }
}

void cPartition::NommerPiste(cPiste *p)
{
    int n = 1;
    for (cPiste *x = PremierePiste; x && x != p; x = x->Suivante)
        ++n;
    p->Nom = Couper(Interface ? Interface->NomPisteParDefaut(n)
                              : iInterfacePartition().NomPisteParDefaut(n),
                    CapNomPiste);
}

cMesurePiste *cPartition::NouvelleMesurePiste(cMesure *m, cPiste *p)
{
    auto *mp = new cMesurePiste;
    mp->Mesure = m;
    mp->Piste = p;
    // Not linked yet, so the fresh beat is a plain quarter.
    mp->InsererAccordApres(nullptr);
    mp->CalculerDuree();
    return mp;
}

// Creates the track measures of a measure just linked into the measure chain, and links each
// into its track's chain at the measure's place and into the measure's cross chain.
void cPartition::LierMesure(cMesure *m)
{
    cMesurePiste *precCroix = m->Precedente ? m->Precedente->PremiereMesurePiste : nullptr;
    cMesurePiste *suivCroix = m->Suivante ? m->Suivante->PremiereMesurePiste : nullptr;
    cMesurePiste *dernier = nullptr;
    for (cPiste *p = PremierePiste; p; p = p->Suivante) {
        cMesurePiste *mp = NouvelleMesurePiste(m, p);
        mp->PrecedenteDansPiste = precCroix;
        mp->SuivanteDansPiste = suivCroix;
        if (precCroix)
            precCroix->SuivanteDansPiste = mp;
        else
            p->PremiereMesurePiste = mp;
        if (suivCroix)
            suivCroix->PrecedenteDansPiste = mp;
        mp->PrecedenteDansMesure = dernier;
        if (dernier)
            dernier->SuivanteDansMesure = mp;
        else
            m->PremiereMesurePiste = mp;
        dernier = mp;
        if (precCroix)
            precCroix = precCroix->SuivanteDansMesure;
        if (suivCroix)
            suivCroix = suivCroix->SuivanteDansMesure;
    }
}

// The same for a track just linked into the track chain.
void cPartition::LierPiste(cPiste *p)
{
    cMesurePiste *precLong = p->Precedente ? p->Precedente->PremiereMesurePiste : nullptr;
    cMesurePiste *suivLong = p->Suivante ? p->Suivante->PremiereMesurePiste : nullptr;
    cMesurePiste *dernier = nullptr;
    for (cMesure *m = PremiereMesure; m; m = m->Suivante) {
        cMesurePiste *mp = NouvelleMesurePiste(m, p);
        mp->PrecedenteDansMesure = precLong;
        mp->SuivanteDansMesure = suivLong;
        if (precLong)
            precLong->SuivanteDansMesure = mp;
        else
            m->PremiereMesurePiste = mp;
        if (suivLong)
            suivLong->PrecedenteDansMesure = mp;
        mp->PrecedenteDansPiste = dernier;
        if (dernier)
            dernier->SuivanteDansPiste = mp;
        else
            p->PremiereMesurePiste = mp;
        dernier = mp;
        if (precLong)
            precLong = precLong->SuivanteDansPiste;
        if (suivLong)
            suivLong = suivLong->SuivanteDansPiste;
    }
}

cMesure *cPartition::InsererMesureAvant(cMesure *ref)
{
    if (NbMesures >= MaxMesures)
        return nullptr;
    if (!ref)
        ref = PremiereMesure;
    if (!ref)
        return InsererMesureApres(nullptr);
    auto *m = new cMesure;
    m->Suivante = ref;
    m->Precedente = ref->Precedente;
    if (ref->Precedente)
        ref->Precedente->Suivante = m;
    else
        PremiereMesure = m;
    ref->Precedente = m;
    if (m->Precedente)
        m->ChangerSignature(m->Precedente->Numerateur, m->Precedente->Denominateur);
    else
        m->CalculerLongueur();
    ++NbMesures;
    LierMesure(m);
    IndexerMesures();
    return m;
}

cMesure *cPartition::InsererMesureApres(cMesure *ref)
{
    if (NbMesures >= MaxMesures)
        return nullptr;
    if (!ref)
        ref = DerniereMesure();
    auto *m = new cMesure;
    if (!ref) {
        PremiereMesure = m;
    } else {
        m->Precedente = ref;
        m->Suivante = ref->Suivante;
        if (ref->Suivante)
            ref->Suivante->Precedente = m;
        ref->Suivante = m;
    }
    if (m->Precedente)
        m->ChangerSignature(m->Precedente->Numerateur, m->Precedente->Denominateur);
    else
        m->CalculerLongueur();
    ++NbMesures;
    LierMesure(m);
    IndexerMesures();
    return m;
}

bool cPartition::SupprimerMesure(cMesure *m)
{
    if (!m || NbMesures <= 1)
        return false;
    SupprimerMarker(m);
    for (cMesurePiste *mp = m->PremiereMesurePiste; mp;) {
        cMesurePiste *s = mp->SuivanteDansMesure;
        if (mp->PrecedenteDansPiste)
            mp->PrecedenteDansPiste->SuivanteDansPiste = mp->SuivanteDansPiste;
        else
            mp->Piste->PremiereMesurePiste = mp->SuivanteDansPiste;
        if (mp->SuivanteDansPiste)
            mp->SuivanteDansPiste->PrecedenteDansPiste = mp->PrecedenteDansPiste;
        delete mp;
        mp = s;
    }
    if (m->Precedente)
        m->Precedente->Suivante = m->Suivante;
    else
        PremiereMesure = m->Suivante;
    if (m->Suivante)
        m->Suivante->Precedente = m->Precedente;
    delete m;
    --NbMesures;
    IndexerMesures();
    EffacerSelection();
    Resoudre(Curseur);
    return true;
}

cPiste *cPartition::InsererPisteAvant(cPiste *ref)
{
    if (NbPistes >= MaxPistes)
        return nullptr;
    if (!ref)
        ref = PremierePiste;
    if (!ref)
        return InsererPisteApres(nullptr);
    auto *p = new cPiste;
    p->Suivante = ref;
    p->Precedente = ref->Precedente;
    if (ref->Precedente)
        ref->Precedente->Suivante = p;
    else
        PremierePiste = p;
    ref->Precedente = p;
    ++NbPistes;
    LierPiste(p);
    IndexerPistes();
    NommerPiste(p);
    return p;
}

cPiste *cPartition::InsererPisteApres(cPiste *ref)
{
    if (NbPistes >= MaxPistes)
        return nullptr;
    if (!ref)
        ref = DernierePiste();
    auto *p = new cPiste;
    if (!ref) {
        PremierePiste = p;
    } else {
        p->Precedente = ref;
        p->Suivante = ref->Suivante;
        if (ref->Suivante)
            ref->Suivante->Precedente = p;
        ref->Suivante = p;
    }
    ++NbPistes;
    LierPiste(p);
    IndexerPistes();
    NommerPiste(p);
    return p;
}

bool cPartition::SupprimerPiste(cPiste *p)
{
    if (!p || NbPistes <= 1)
        return false;
    for (cMesurePiste *mp = p->PremiereMesurePiste; mp;) {
        cMesurePiste *s = mp->SuivanteDansPiste;
        if (mp->PrecedenteDansMesure)
            mp->PrecedenteDansMesure->SuivanteDansMesure = mp->SuivanteDansMesure;
        else
            mp->Mesure->PremiereMesurePiste = mp->SuivanteDansMesure;
        if (mp->SuivanteDansMesure)
            mp->SuivanteDansMesure->PrecedenteDansMesure = mp->PrecedenteDansMesure;
        delete mp;
        mp = s;
    }
    if (p->Precedente)
        p->Precedente->Suivante = p->Suivante;
    else
        PremierePiste = p->Suivante;
    if (p->Suivante)
        p->Suivante->Precedente = p->Precedente;
    delete p;
    --NbPistes;
    IndexerPistes();
    EffacerSelection();
    Resoudre(Curseur);
    return true;
}

cMarker *cPartition::AjouterMarker(cMesure *m, const std::string &nom, int32_t couleur)
{
    if (!m)
        return nullptr;
    if (!m->Marker) {
        auto *k = new cMarker;
        k->Mesure = m;
        m->Marker = k;
        cMarker *avant = nullptr; // the marker of the nearest earlier measure that has one
        for (cMesure *x = m->Precedente; x && !avant; x = x->Precedente)
            avant = x->Marker;
        k->Precedent = avant;
        k->Suivant = avant ? avant->Suivant : PremierMarker;
        if (k->Suivant)
            k->Suivant->Precedent = k;
        if (avant)
            avant->Suivant = k;
        else
            PremierMarker = k;
        ++NbMarkers;
    }
    m->Marker->Nom = Couper(nom, CapNomMarker);
    m->Marker->Couleur = couleur;
    return m->Marker;
}

void cPartition::SupprimerMarker(cMesure *m)
{
    if (!m || !m->Marker)
        return;
    cMarker *k = m->Marker;
    if (k->Precedent)
        k->Precedent->Suivant = k->Suivant;
    else if (PremierMarker == k)
        PremierMarker = k->Suivant;
    if (k->Suivant)
        k->Suivant->Precedent = k->Precedent;
    delete k;
    m->Marker = nullptr;
    --NbMarkers;
}

void cPartition::SupprimerMarkers()
{
    for (cMesure *m = PremiereMesure; m; m = m->Suivante) {
        delete m->Marker;
        m->Marker = nullptr;
    }
    PremierMarker = nullptr;
    NbMarkers = 0;
}

void cPartition::ReconstruireMarkers()
{
    PremierMarker = nullptr;
    NbMarkers = 0;
    cMarker *dernier = nullptr;
    for (cMesure *m = PremiereMesure; m; m = m->Suivante) {
        cMarker *k = m->Marker;
        if (!k)
            continue;
        k->Mesure = m;
        k->Precedent = dernier;
        k->Suivant = nullptr;
        if (dernier)
            dernier->Suivant = k;
        else
            PremierMarker = k;
        dernier = k;
        ++NbMarkers;
    }
}

void cPartition::ReinitialiserMesure(cMesure *m)
{
    if (!m)
        return;
    if (m->Precedente)
        m->ChangerSignature(m->Precedente->Numerateur, m->Precedente->Denominateur);
    else
        m->ChangerSignature(4, 4);
    m->RenvoiDebut = false;
    m->RenvoiFin = 0;
    m->Repetition = 0;
    SupprimerMarker(m);
    for (cMesurePiste *mp = m->PremiereMesurePiste; mp; mp = mp->SuivanteDansMesure)
        mp->Vider();
}

void cPartition::ReinitialiserPiste(cPiste *p, bool garderProprietes)
{
    if (!p)
        return;
    if (!garderProprietes) {
        p->ProprietesParDefaut();
        NommerPiste(p);
    }
    p->Solo = false;
    p->Muet = false;
    p->Visible = true;
    for (cMesurePiste *mp = p->PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste)
        mp->Vider();
}

cMesure *cPartition::DerniereMesure() const
{
    if (!EnChargement && NbMesures > 0 && static_cast<int>(Mesures.size()) > NbMesures)
        return Mesures[NbMesures];
    cMesure *m = PremiereMesure;
    while (m && m->Suivante)
        m = m->Suivante;
    return m;
}

cMesure *cPartition::MesureNumero(int n) const
{
    if (n < 1 || n > NbMesures)
        return nullptr;
    if (!EnChargement && static_cast<int>(Mesures.size()) > n)
        return Mesures[n];
    cMesure *m = PremiereMesure;
    for (int i = 1; m && i < n; ++i)
        m = m->Suivante;
    return m;
}

cPiste *cPartition::DernierePiste() const
{
    if (!EnChargement && NbPistes > 0 && static_cast<int>(Pistes.size()) > NbPistes)
        return Pistes[NbPistes];
    cPiste *p = PremierePiste;
    while (p && p->Suivante)
        p = p->Suivante;
    return p;
}

cPiste *cPartition::PisteNumero(int n) const
{
    if (n < 1 || n > NbPistes)
        return nullptr;
    if (!EnChargement && static_cast<int>(Pistes.size()) > n)
        return Pistes[n];
    cPiste *p = PremierePiste;
    for (int i = 1; p && i < n; ++i)
        p = p->Suivante;
    return p;
}

cMesurePiste *cPartition::MesurePisteDe(int numMesure, int numPiste) const
{
    cMesure *m = MesureNumero(numMesure);
    if (!m || numPiste < 1 || numPiste > NbPistes)
        return nullptr;
    cMesurePiste *mp = m->PremiereMesurePiste;
    for (int i = 1; mp && i < numPiste; ++i)
        mp = mp->SuivanteDansMesure;
    return mp;
}

void cPartition::IndexerMesures()
{
    if (EnChargement)
        return;
    Mesures.assign(static_cast<std::size_t>(NbMesures) + 1, nullptr);
    int i = 0;
    for (cMesure *m = PremiereMesure; m && i < NbMesures; m = m->Suivante) {
        Mesures[++i] = m;
        m->Index = i;
    }
}

void cPartition::IndexerPistes()
{
    if (EnChargement)
        return;
    Pistes.assign(static_cast<std::size_t>(NbPistes) + 1, nullptr);
    int i = 0;
    for (cPiste *p = PremierePiste; p && i < NbPistes; p = p->Suivante) {
        Pistes[++i] = p;
        p->Index = i;
    }
}

void cPartition::MarquerModifie()
{
    if (Modifie && !Vierge)
        return;
    Modifie = true;
    Vierge = false;
    if (Interface)
        Interface->EtatEnregistrer(true);
}

void cPartition::MarquerEnregistre()
{
    Modifie = false;
    if (Interface) {
        Interface->EtatEnregistrer(false);
        Interface->ActualiserTitre();
    }
}

bool cPartition::Resoudre(rPosition &pos) const
{
    if (NbMesures < 1 || NbPistes < 1) {
        pos = rPosition{};
        return false;
    }
    pos.NumMesure = std::clamp(pos.NumMesure, 1, NbMesures);
    pos.NumPiste = std::clamp(pos.NumPiste, 1, NbPistes);
    pos.MesurePiste = MesurePisteDe(pos.NumMesure, pos.NumPiste);
    cMesurePiste *mp = pos.MesurePiste;
    pos.NumTemps = std::clamp(pos.NumTemps, 1, std::max(1, mp->NbAccords));
    cAccord *a = mp->PremierAccord;
    for (int i = 1; a && i < pos.NumTemps; ++i)
        a = a->Suivant;
    pos.Accord = a;
    if (!a) {
        pos.Note = nullptr;
        return false;
    }
    pos.NumCorde = std::clamp(pos.NumCorde, 1, std::max(1, a->NbNotes));
    pos.Note = a->Notes[pos.NumCorde];
    return pos.Note != nullptr;
}

void cPartition::PositionCurseur(rPosition &pos) const
{
    pos = Curseur;
    Resoudre(pos);
}

void cPartition::PlacerCurseur(const rPosition &pos)
{
    Curseur = pos;
    Resoudre(Curseur);
}

void cPartition::Selectionner(const rPosition &ancre, int nb)
{
    rPosition a = ancre;
    if (nb < 1 || !Resoudre(a)) {
        EffacerSelection();
        return;
    }
    SelectionActive = true;
    SelNbAccords = nb;
    SelMesurePiste = a.MesurePiste;
    SelNumMesure = a.NumMesure;
    SelAccord = a.Accord;
    SelNumTemps = a.NumTemps;
    SelTempsDebut = a.MesurePiste->TempsDepuisDebutMesure(a.Accord);
    cMesurePiste *mp = a.MesurePiste;
    cAccord *b = a.Accord;
    int numMesure = a.NumMesure;
    int numTemps = a.NumTemps;
    for (int i = 1; i < nb; ++i) {
        if (b->Suivant) {
            b = b->Suivant;
            ++numTemps;
        } else if (mp->SuivanteDansPiste) {
            mp = mp->SuivanteDansPiste;
            b = mp->PremierAccord;
            ++numMesure;
            numTemps = 1;
        } else {
            break; // the walk stops at the last measure
        }
    }
    SelFinMesurePiste = mp;
    SelFinAccord = b;
    SelFinNumMesure = numMesure;
    SelFinNumTemps = numTemps;
}

void cPartition::EffacerSelection()
{
    SelectionActive = false;
    SelNbAccords = 0;
    SelMesurePiste = SelFinMesurePiste = nullptr;
    SelAccord = SelFinAccord = nullptr;
    SelNumMesure = SelNumTemps = SelFinNumMesure = SelFinNumTemps = 0;
    SelTempsDebut = 0;
}

long long cPartition::NbAccordsTotal() const
{
    long long n = 0;
    for (cPiste *p = PremierePiste; p; p = p->Suivante)
        for (cMesurePiste *mp = p->PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste)
            n += mp->NbAccords;
    return n;
}

long long cPartition::NbNotesJouees() const
{
    long long n = 0;
    for (cPiste *p = PremierePiste; p; p = p->Suivante)
        for (cMesurePiste *mp = p->PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste)
            for (cAccord *a = mp->PremierAccord; a; a = a->Suivant)
                for (cNote *x = a->PremiereNote; x; x = x->Suivante)
                    if (x->Type >= 1 && x->Type <= 3)
                        ++n;
    return n;
}
