#include "model/uEdition.h"

#include <algorithm>

namespace {

void CurseurDebutMesure(cPartition &p)
{
    p.Curseur.NumTemps = 1;
    p.PlacerCurseur(p.Curseur);
}

cPiste *PisteCurseur(const cPartition &p) { return p.PisteNumero(p.Curseur.NumPiste); }

// A measure header's signature and length, then its track measures in track order as far as
// both measures have tracks.
void CopierMesure(const cMesure &src, cMesure &dst)
{
    dst.ChangerSignature(src.Numerateur, src.Denominateur);
    const cMesurePiste *s = src.PremiereMesurePiste;
    cMesurePiste *d = dst.PremiereMesurePiste;
    for (; s && d; s = s->SuivanteDansMesure, d = d->SuivanteDansMesure)
        s->CopierVers(*d);
}

void CopierProprietesPiste(const cPiste &src, cPiste &dst)
{
    dst.Nom = src.Nom;
    dst.Percussions = src.Percussions;
    dst.NbCordes = src.NbCordes;
    dst.Accordage = src.Accordage;
    dst.NbFrets = src.NbFrets;
    dst.Capo = src.Capo;
    dst.DouzeCordes = src.DouzeCordes;
    dst.Banjo5 = src.Banjo5;
    dst.Couleur = src.Couleur;
    dst.MemoriserAvant();
}

bool PistesCompatibles(const cPiste &a, const cPiste &b)
{
    return a.Percussions == b.Percussions && a.NbCordes == b.NbCordes;
}

tAccordage AccordageLimite(const tAccordage &a, int nbCordes)
{
    tAccordage r = a;
    for (int s = nbCordes; s < MaxCordes; ++s)
        r[s] = -1;
    return r;
}

} // namespace

// ---------------------------------------------------------------- measures

bool PlageValide(const cPartition &p, int de, int a)
{
    return de >= 1 && de <= a && a <= p.NbMesures;
}

bool InsererMesure(cPartition &p)
{
    cMesure *m = p.InsererMesureAvant(p.MesureNumero(p.Curseur.NumMesure));
    if (!m)
        return false;
    p.ReinitialiserMesure(m);
    CurseurDebutMesure(p);
    return true;
}

void EffacerMesures(cPartition &p, int de, int a, bool toutesPistes)
{
    if (!PlageValide(p, de, a))
        return;
    for (int n = de; n <= a; ++n) {
        if (toutesPistes)
            p.ReinitialiserMesure(p.MesureNumero(n));
        else if (cMesurePiste *mp = p.MesurePisteDe(n, p.Curseur.NumPiste))
            mp->Vider();
    }
    CurseurDebutMesure(p);
}

void CopierMesures(const cPartition &p, cPartition &pp, int de, int a, bool toutesPistes)
{
    if (!PlageValide(p, de, a))
        return;
    pp.ToutVider();
    const cPiste *courante = PisteCurseur(p);
    // Tracks first, with their string counts, so that the measures are built to fit them.
    if (toutesPistes) {
        for (const cPiste *t = p.PremierePiste; t; t = t->Suivante)
            CopierProprietesPiste(*t, *pp.InsererPisteApres(nullptr));
    } else if (courante) {
        CopierProprietesPiste(*courante, *pp.InsererPisteApres(nullptr));
    }
    for (int n = de; n <= a; ++n) {
        const cMesure *src = p.MesureNumero(n);
        cMesure *dst = pp.InsererMesureApres(nullptr);
        if (toutesPistes) {
            CopierMesure(*src, *dst);
        } else {
            dst->ChangerSignature(src->Numerateur, src->Denominateur);
            p.MesurePisteDe(n, p.Curseur.NumPiste)->CopierVers(*dst->PremiereMesurePiste);
        }
    }
    pp.Curseur = rPosition{};
    pp.PlacerCurseur(pp.Curseur);
}

void CouperMesures(cPartition &p, cPartition &pp, int de, int a)
{
    if (!PlageValide(p, de, a))
        return;
    CopierMesures(p, pp, de, a, true);
    // The model never deletes the only measure: the last one of the range stays, reset.
    const bool tout = de == 1 && a == p.NbMesures;
    const int nb = a - de + 1 - (tout ? 1 : 0);
    for (int i = 0; i < nb; ++i)
        p.SupprimerMesure(p.MesureNumero(de));
    if (tout)
        p.ReinitialiserMesure(p.PremiereMesure);
    p.Curseur.NumMesure = std::min(p.Curseur.NumMesure, p.NbMesures);
    CurseurDebutMesure(p);
}

std::string VerifierCollage(const cPartition &p, const cPartition &pp)
{
    if (pp.NbPistes == 1) {
        const cPiste *t = PisteCurseur(p);
        if (!t || !PistesCompatibles(*t, *pp.PremierePiste))
            return "Paste-CollageImpNbCordesDiff";
        return {};
    }
    // A whole-score clipboard goes track by track: every pair must fit, or one track would
    // receive beats of another string count.
    const cPiste *t = p.PremierePiste;
    for (const cPiste *c = pp.PremierePiste; c && t; c = c->Suivante, t = t->Suivante)
        if (!PistesCompatibles(*t, *c))
            return "Paste-CollageImpNbCordesDiff";
    return {};
}

long long MesuresAjoutees(const cPartition &p, const cPartition &pp, eModeCollage mode, int fois)
{
    const long long total = static_cast<long long>(std::max(fois, 0)) * pp.NbMesures;
    switch (mode) {
    case eModeCollage::Selection:
        return std::max(0LL, p.Curseur.NumMesure + total - 1 - p.NbMesures);
    case eModeCollage::Avant:
    case eModeCollage::Fin:
        return total;
    }
    return total;
}

std::string CollerMesures(cPartition &p, const cPartition &pp, eModeCollage mode, int fois)
{
    if (pp.NbMesures < 1 || pp.NbPistes < 1)
        return {};
    if (fois < 1)
        return "Dlg-SaisieIncorrecte";
    std::string cle = VerifierCollage(p, pp);
    if (!cle.empty())
        return cle;
    // Everything needed is known before anything changes.
    const long long ajout = MesuresAjoutees(p, pp, mode, fois);
    if (p.NbMesures + ajout > MaxMesures)
        return "Gene-MaxMesures";
    const int total = fois * pp.NbMesures;
    const int courante = p.Curseur.NumMesure;
    int debut = courante;
    if (mode == eModeCollage::Avant) {
        cMesure *ref = p.MesureNumero(courante);
        for (int i = 0; i < total; ++i)
            p.ReinitialiserMesure(p.InsererMesureAvant(ref));
    } else {
        if (mode == eModeCollage::Fin)
            debut = p.NbMesures + 1;
        for (long long i = 0; i < ajout; ++i)
            p.ReinitialiserMesure(p.InsererMesureApres(nullptr));
    }
    const int piste = p.Curseur.NumPiste;
    for (int k = 0; k < total; ++k) {
        const cMesure *src = pp.MesureNumero(k % pp.NbMesures + 1);
        cMesure *dst = p.MesureNumero(debut + k);
        if (pp.NbPistes == 1) {
            dst->ChangerSignature(src->Numerateur, src->Denominateur);
            src->PremiereMesurePiste->CopierVers(*p.MesurePisteDe(debut + k, piste));
        } else {
            CopierMesure(*src, *dst);
        }
    }
    CurseurDebutMesure(p);
    return {};
}

// ---------------------------------------------------------------- signatures and repeats

bool SignatureValide(int numerateur, int denominateur)
{
    if (numerateur < 1 || numerateur > 32)
        return false;
    for (int d : {1, 2, 4, 8, 16, 32})
        if (d == denominateur)
            return true;
    return false;
}

void ChangerSignature(cPartition &p, int numerateur, int denominateur, bool jusquALaFin)
{
    for (cMesure *m = p.MesureNumero(p.Curseur.NumMesure); m; m = m->Suivante) {
        m->ChangerSignature(numerateur, denominateur);
        if (!jusquALaFin)
            break;
    }
}

void BasculerRenvoiDebut(cPartition &p)
{
    if (cMesure *m = p.MesureNumero(p.Curseur.NumMesure))
        m->RenvoiDebut = !m->RenvoiDebut;
}

bool PreparerRenvoiFin(cPartition &p)
{
    cMesure *m = p.MesureNumero(p.Curseur.NumMesure);
    if (!m)
        return false;
    if (m->RenvoiFin > 0) {
        m->RenvoiFin = 0;
        return false;
    }
    // Before a second (or later) ending the repeat is played once more, whatever is asked.
    const cMesure *s = m->Suivante;
    if (s && s->Repetition > 0 && s->PremierNumeroRepetition() >= 2) {
        m->RenvoiFin = 1;
        return false;
    }
    return true;
}

void PoserRenvoiFin(cPartition &p, int nombre)
{
    if (cMesure *m = p.MesureNumero(p.Curseur.NumMesure))
        m->RenvoiFin = static_cast<int8_t>(std::clamp(nombre, 0, 99));
}

int PremierNumeroFinale(const cPartition &p)
{
    const cMesure *m = p.MesureNumero(p.Curseur.NumMesure);
    return m ? m->PremierNumeroRepetition() : 1;
}

bool FinaleValide(int premier, int dernier) { return dernier >= 1 && dernier <= 99 && dernier >= premier; }

void PoserFinale(cPartition &p, int dernier)
{
    if (cMesure *m = p.MesureNumero(p.Curseur.NumMesure))
        m->Repetition = static_cast<int8_t>(std::clamp(dernier, 0, 99));
}

// ---------------------------------------------------------------- markers

std::string NomMarkerParDefaut(const cPartition &p, const std::string &texte)
{
    return Couper(texte + " " + std::to_string(p.NbMarkers + 1), CapNomMarker);
}

int MesureMarkerPrecedent(const cPartition &p, int n)
{
    for (const cMesure *m = p.MesureNumero(n); m && (m = m->Precedente);)
        if (m->Marker)
            return m->Index;
    return 0;
}

int MesureMarkerSuivant(const cPartition &p, int n)
{
    for (const cMesure *m = p.MesureNumero(n); m && (m = m->Suivante);)
        if (m->Marker)
            return m->Index;
    return 0;
}

int MesureMarkerNumero(const cPartition &p, int k)
{
    const cMarker *m = p.PremierMarker;
    for (int i = 1; m && i < k; ++i)
        m = m->Suivant;
    return (k >= 1 && m && m->Mesure) ? m->Mesure->Index : 0;
}

void AllerMesure(cPartition &p, int n)
{
    if (n < 1 || n > p.NbMesures)
        return;
    p.Curseur.NumMesure = n;
    p.Curseur.NumTemps = 1;
    p.AttenteChiffre = false;
    p.EffacerSelection();
    p.PlacerCurseur(p.Curseur);
}

// ---------------------------------------------------------------- tracks

rProprietesPiste ProprietesDe(const cPiste &t)
{
    rProprietesPiste v;
    v.Nom = t.Nom;
    v.Percussions = t.Percussions;
    v.NbCordes = t.NbCordes;
    v.Accordage = t.Accordage;
    v.NbFrets = t.NbFrets;
    v.Capo = t.Capo;
    v.DouzeCordes = t.DouzeCordes;
    v.Banjo5 = t.Banjo5;
    v.Couleur = t.Couleur;
    return v;
}

rProprietesPiste ProprietesNouvellePiste(bool batterie, const std::string &nom)
{
    rProprietesPiste v;
    v.Nom = Couper(nom, CapNomPiste);
    if (batterie) {
        v.Percussions = true;
        v.Accordage = {0, 0, 0, 0, 0, 0, -1};
        v.NbFrets = 87;
        v.Couleur = 0xFF0000;
    }
    return v;
}

cPiste *AjouterPiste(cPartition &p, ePlacePiste place, const rProprietesPiste &v, int port,
                     int canal, int canalEffets)
{
    cPiste *courante = PisteCurseur(p);
    cPiste *t = nullptr;
    switch (place) {
    case ePlacePiste::Premiere:
        t = p.InsererPisteAvant(p.PremierePiste);
        break;
    case ePlacePiste::Derniere:
        t = p.InsererPisteApres(nullptr);
        break;
    case ePlacePiste::Avant:
        t = p.InsererPisteAvant(courante);
        break;
    case ePlacePiste::Apres:
        t = p.InsererPisteApres(courante);
        break;
    }
    if (!t)
        return nullptr;
    t->Nom = Couper(v.Nom, CapNomPiste);
    t->Percussions = v.Percussions;
    if (v.Percussions) {
        t->NbCordes = 6;
        t->Accordage = {0, 0, 0, 0, 0, 0, -1};
        t->NbFrets = 87;
        t->Capo = 0;
        t->DouzeCordes = false;
        t->Banjo5 = false;
    } else {
        t->NbCordes = std::clamp(v.NbCordes, 1, MaxCordes);
        t->Accordage = AccordageLimite(v.Accordage, t->NbCordes);
        t->NbFrets = v.NbFrets;
        t->Capo = v.Capo;
        t->DouzeCordes = v.DouzeCordes && t->NbCordes == 6;
        t->Banjo5 = v.Banjo5 && t->NbCordes == 5;
    }
    t->Couleur = v.Couleur;
    t->Port = port;
    t->Canal = canal;
    t->CanalEffets = canalEffets;
    t->MemoriserAvant();
    // Its measures were made before the string count was set: rebuild them empty.
    p.ReinitialiserPiste(t, true);
    p.Curseur.NumPiste = t->Index;
    p.Curseur.NumTemps = 1;
    p.Curseur.NumCorde = 1;
    p.PlacerCurseur(p.Curseur);
    return t;
}

bool AccordageModifie(const cPiste &t, const rProprietesPiste &v)
{
    if (t.Percussions)
        return false;
    if (t.NbCordes != v.NbCordes || t.Capo != v.Capo || t.Banjo5 != v.Banjo5)
        return true;
    for (int s = 0; s < std::min(v.NbCordes, MaxCordes); ++s)
        if (t.Accordage[s] != v.Accordage[s])
            return true;
    return false;
}

bool QuestionTransposition(const cPiste &t, const rProprietesPiste &v)
{
    return AccordageModifie(t, v) && !t.EstVide();
}

void AppliquerProprietes(cPartition &p, cPiste &t, const rProprietesPiste &v, bool transposer)
{
    t.Nom = Couper(v.Nom, CapNomPiste);
    t.Couleur = v.Couleur;
    if (t.Percussions)
        return;
    const bool change = AccordageModifie(t, v);
    const bool vide = t.EstVide();
    t.MemoriserAvant();
    t.NbCordes = std::clamp(v.NbCordes, 1, MaxCordes);
    t.Accordage = AccordageLimite(v.Accordage, t.NbCordes);
    t.NbFrets = v.NbFrets;
    t.Capo = v.Capo;
    t.Banjo5 = v.Banjo5 && t.NbCordes == 5;
    t.DouzeCordes = v.DouzeCordes && t.NbCordes == 6;
    if (change) {
        if (transposer && !vide)
            t.TransposerAccordage();
        else
            t.ChangerNbCordes(t.NbCordesAvant);
    }
    // Notes may have gone: the cursor finds its objects again from its numbers.
    if (p.Curseur.NumPiste == t.Index)
        p.Curseur.NumCorde = std::min(p.Curseur.NumCorde, t.NbCordes);
    p.PlacerCurseur(p.Curseur);
}

bool SupprimerPisteCurseur(cPartition &p)
{
    if (p.NbPistes <= 1)
        return false;
    cPiste *t = PisteCurseur(p);
    const int n = p.Curseur.NumPiste;
    if (!t || !p.SupprimerPiste(t))
        return false;
    // The next track now has the deleted one's number; the last gives way to the previous.
    p.Curseur.NumPiste = std::min(n, p.NbPistes);
    p.Curseur.NumTemps = 1;
    p.Curseur.NumCorde = 1;
    p.PlacerCurseur(p.Curseur);
    return true;
}

// ---------------------------------------------------------------- beats

bool InsererAccordCurseur(cPartition &p)
{
    rPosition c;
    p.PositionCurseur(c);
    if (!c.Accord || c.Accord->Etat == 0)
        return false;
    cAccord *a = c.MesurePiste->InsererAccordAvant(c.Accord);
    if (!a)
        return false;
    a->CodeDuree = c.Accord->CodeDuree;
    a->Pointe = c.Accord->Pointe;
    a->Triolet = c.Accord->Triolet;
    a->CalculerDuree();
    a->ViderNotes();
    a->Etat = 2;
    c.MesurePiste->CalculerDuree();
    p.PlacerCurseur(c); // same beat number: the new rest
    return true;
}

bool SupprimerAccordCurseur(cPartition &p)
{
    rPosition c;
    p.PositionCurseur(c);
    if (!c.Accord)
        return false;
    cMesurePiste *mp = c.MesurePiste;
    mp->ReinitialiserAccord(*c.Accord, mp->Piste ? mp->Piste->NbCordes : c.Accord->NbNotes);
    if (c.Accord->Suivant)
        mp->SupprimerAccord(c.Accord); // the next beat takes its number
    mp->CalculerDuree();
    p.PlacerCurseur(c);
    return true;
}

bool CopierAccordALaFin(cPartition &p)
{
    rPosition c;
    p.PositionCurseur(c);
    if (!c.Accord || c.Accord->Etat == 0)
        return false;
    cAccord *copie = c.MesurePiste->InsererAccordApres(nullptr);
    if (!copie)
        return false;
    c.Accord->CopierVers(*copie);
    c.MesurePiste->CalculerDuree();
    c.NumTemps += 1;
    p.PlacerCurseur(c);
    return true;
}

bool LierAccordCurseur(cPartition &p)
{
    rPosition c;
    p.PositionCurseur(c);
    if (!c.Accord)
        return false;
    const cAccord *prec = c.Accord->Precedent;
    if (!prec && c.MesurePiste->PrecedenteDansPiste)
        prec = c.MesurePiste->PrecedenteDansPiste->DernierAccord();
    if (!prec)
        return false;
    bool lie = false;
    for (int s = 1; s <= std::min(c.Accord->NbNotes, prec->NbNotes); ++s) {
        cNote *n = c.Accord->Notes[s];
        const cNote *avant = prec->Notes[s];
        if (n->Type != 0 || (avant->Type != 1 && avant->Type != 2))
            continue;
        n->Type = 2;
        n->LibererEffets();
        n->Sugeree = false;
        n->Nuance = 6;
        lie = true;
    }
    if (lie)
        c.Accord->Etat = 1;
    return lie;
}

void ChangerTexteAccord(cPartition &p, const std::string &texte)
{
    rPosition c;
    p.PositionCurseur(c);
    if (!c.Accord)
        return;
    if (texte.empty()) {
        delete c.Accord->Texte;
        c.Accord->Texte = nullptr;
        return;
    }
    if (!c.Accord->Texte)
        c.Accord->Texte = new cTexte;
    c.Accord->Texte->Texte = Couper(texte, CapTexte);
}
