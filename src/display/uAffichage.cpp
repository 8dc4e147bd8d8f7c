#include "display/uAffichage.h"
#include "model/uCodage.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "model/uDurees.h"

int cAffichage::RangeesParLigne() const
{
    return VueMultipiste ? std::max(1, NbPistesVisibles) : 1;
}

int cAffichage::UniteEspacement(double d) const
{
    const double k = 1.0 + (Param->CoefEspAff - 5) / 10.0;
    double base = 12;
    if (d > 480)
        base = 30;
    else if (d > 240)
        base = 25;
    else if (d > 120)
        base = 20;
    else if (d > 60)
        base = 15;
    return static_cast<int>(Arrondi(base * k));
}

cPiste *cAffichage::PisteCurseur() const { return Partition->PisteNumero(Partition->Curseur.NumPiste); }

cPiste *cAffichage::PisteVisible(int rang) const
{
    int n = 0;
    for (cPiste *t = Partition->PremierePiste; t; t = t->Suivante)
        if (t->Visible && ++n == rang)
            return t;
    return nullptr;
}

void cAffichage::CompterPistesVisibles()
{
    if (Inactif())
        return;
    NbPistesVisibles = 0;
    for (cPiste *t = Partition->PremierePiste; t; t = t->Suivante)
        NbPistesVisibles += t->Visible ? 1 : 0;
}

void cAffichage::CalculerLargeurMesure(cMesure *m)
{
    if (Inactif() || !m)
        return;
    double e = Param->CoefPImp - 1.0;
    const int R = HauteurRangee();
    // The track measures taken into account, in track order.
    std::vector<cMesurePiste *> mps;
    if (VueMultipiste) {
        if (NbPistesVisibles > 1)
            e = 1.0; // strictly proportional, so the rows line up
        int rang = 0;
        for (cMesurePiste *mp = m->PremiereMesurePiste; mp; mp = mp->SuivanteDansMesure)
            if (mp->Piste->Visible) {
                ++rang;
                mp->Piste->RangVisible = rang;
                mp->Piste->DecalageY = (rang - 1) * R;
                mps.push_back(mp);
            }
    } else if (cPiste *t = PisteCurseur()) {
        t->DecalageY = 0;
        for (cMesurePiste *mp = m->PremiereMesurePiste; mp; mp = mp->SuivanteDansMesure)
            if (mp->Piste == t)
                mps.push_back(mp);
    }
    double dmin = 2880;
    for (cMesurePiste *mp : mps)
        for (cAccord *a = mp->PremierAccord; a; a = a->Suivant)
            dmin = std::min(dmin, a->Duree);
    if (dmin < 15)
        dmin = 15;
    double unite = UniteEspacement(dmin);
    if (EspacementRegulier && m->Index == Partition->Curseur.NumMesure && !LectureEnCours) {
        e = 0;
        unite = UniteEspacement(480);
    }
    double naturelle = 0;
    for (cMesurePiste *mp : mps) {
        double s = 0;
        for (cAccord *a = mp->PremierAccord; a; a = a->Suivant) {
            a->XRelatif = static_cast<int32_t>(Arrondi(s));
            s += unite * std::pow(a->Duree / dmin, e);
        }
        naturelle = std::max(naturelle, s);
    }
    m->LargeurNaturelle = naturelle;
    const cMesure *prec = m->Precedente;
    int fixe = 23;
    if (m->RenvoiDebut)
        fixe += 10;
    else if (!prec)
        fixe += 5;
    if (m->RenvoiFin > 0)
        fixe += 10;
    if (!prec || prec->Numerateur != m->Numerateur || prec->Denominateur != m->Denominateur)
        fixe += 20;
    m->LargeurFixe = fixe;
}

void cAffichage::RepartirLignes(int a, const cMesure *p)
{
    if (Inactif() || !Partition->PremiereMesure)
        return;
    const double W = LargeurVue - Param->MargeGaucheLignes - Param->MargeDroiteLignes;
    const int r = RangeesParLigne();
    const int R = HauteurRangee();
    cMesure *debut = Partition->PremiereMesure;
    if (a > 1) {
        cMesure *x = debut;
        while (x && x->Ligne < a)
            x = x->Suivante;
        if (x)
            debut = x;
        else
            a = 1;
    }
    if (debut == Partition->PremiereMesure)
        a = 1;
    int ligne = a;
    int y = R * (a - 1) * r;
    bool pPlacee = false;
    for (cMesure *cur = debut; cur;) {
        double N = 0, F = 0;
        int nb = 0;
        cMesure *x = cur;
        cMesure *dernier = nullptr;
        while (x) {
            N += x->LargeurNaturelle;
            F += x->LargeurFixe;
            ++nb;
            dernier = x;
            x = x->Suivante;
            if (N + F >= W)
                break;
        }
        if (nb > 1 && N + F >= W) {
            // The measure that filled the line starts the next one.
            N -= dernier->LargeurNaturelle;
            F -= dernier->LargeurFixe;
            --nb;
            x = dernier;
        }
        double etirement = N > 0 ? (W - F) / N : 1.0;
        if (!x && etirement > 1)
            etirement = 1; // the last line is not spread over the width
        double X = 0;
        bool derniereChangee = false;
        cMesure *m = cur;
        for (int i = 0; i < nb; ++i, m = m->Suivante) {
            const bool change = m->X != X || m->Y != y || m->Etirement != etirement;
            m->X = X;
            m->Y = y;
            m->Etirement = etirement;
            m->Ligne = ligne;
            m->ARedessiner = m->ARedessiner || change;
            derniereChangee = change;
            if (m == p)
                pPlacee = true;
            X += m->LargeurNaturelle * etirement + m->LargeurFixe;
        }
        if (p && pPlacee && !derniereChangee)
            break; // the following lines cannot have moved
        cur = x;
        ++ligne;
        y += R * r;
    }
}

void cAffichage::PlacerMesuresHorizontal()
{
    if (Inactif())
        return;
    double X = 0;
    for (cMesure *m = Partition->PremiereMesure; m; m = m->Suivante) {
        m->X = X;
        m->Y = 0;
        m->Ligne = 1;
        X += m->LargeurNaturelle + m->LargeurFixe;
    }
    LargeurTotale = X;
    AjusterBarresHorizontales();
}

void cAffichage::AjusterBarresVerticales()
{
    if (Inactif())
        return;
    const cMesure *d = Partition->DerniereMesure();
    BarreV.GrandPas = 1;
    BarreV.Maximum = std::max(0, RangeesParLigne() * (d ? d->Ligne : 0) - 1);
    BarreV.Active = BarreV.Maximum > 0;
    BarreV.Placer(BarreV.Position);
}

void cAffichage::AjusterBarresHorizontales()
{
    if (Inactif())
        return;
    BarreH.GrandPas = LargeurVue - 30;
    BarreH.Maximum = std::max(0, static_cast<int>(Arrondi(LargeurTotale + 25)) - LargeurVue);
    BarreH.Active = BarreH.Maximum > 0;
    BarreH.Placer(BarreH.Position);
    BarreV.GrandPas = 1;
    BarreV.Maximum = std::max(0, RangeesParLigne() - 1);
    BarreV.Active = BarreV.Maximum > 0;
    BarreV.Placer(BarreV.Position);
}

void cAffichage::ActualiserMesure(cMesurePiste *mp)
{
    if (Inactif() || !mp)
        return;
    cMesure *m = mp->Mesure;
    cMesure *ancienne = MesureCurseurAffichee ? MesureCurseurAffichee->Mesure : nullptr;
    if (!DefilementVertical) {
        CalculerLargeurMesure(m);
        if (ancienne && ancienne != m)
            CalculerLargeurMesure(ancienne);
        PlacerMesuresHorizontal();
        if (GarderMesureVisible)
            SuivreCurseurHorizontal();
        return;
    }
    if (ancienne && ancienne != m)
        CalculerLargeurMesure(ancienne);
    CalculerLargeurMesure(m);
    cMesure *basse = (ancienne && ancienne->Ligne < m->Ligne) ? ancienne : m;
    cMesure *haute = (basse == m && ancienne) ? ancienne : m;
    const int a = std::max(1, basse->Ligne - 1);
    // Breaking stops only once both changed measures are placed, however far apart they are.
    RepartirLignes(a, haute);
    m->ARedessiner = true;
    if (ancienne)
        ancienne->ARedessiner = true;
    AjusterBarresVerticales();
    if (GarderMesureVisible)
        SuivreCurseurVertical();
}

void cAffichage::ActualiserPiste()
{
    if (Inactif())
        return;
    for (cMesure *m = Partition->PremiereMesure; m; m = m->Suivante)
        CalculerLargeurMesure(m);
    if (DefilementVertical) {
        RepartirLignes(1, nullptr);
        AjusterBarresVerticales();
        if (GarderMesureVisible)
            SuivreCurseurVertical();
    } else {
        PlacerMesuresHorizontal();
        if (GarderMesureVisible)
            SuivreCurseurHorizontal();
    }
}

namespace {
// Keeps a row whose top is `a` (pixels, rows of R) in a view of height H scrolled by rows.
int SuivreRangee(int position, int a, int R, int H, bool sauter)
{
    const auto rangee = [&](double v) { return static_cast<int>(Arrondi(v / R)); };
    if (H < R)
        return rangee(a);
    if (H < a + R - position * R)
        position = sauter ? rangee(a) : static_cast<int>(Tronque(double(a + R - H) / R)) + 1;
    if (a - position * R < 0)
        position = rangee(a);
    return position;
}
} // namespace

void cAffichage::SuivreCurseurVertical()
{
    if (Inactif() || BarreV.Maximum <= 0)
        return;
    cMesure *m = Partition->MesureNumero(Partition->Curseur.NumMesure);
    cPiste *t = PisteCurseur();
    if (!m || !t)
        return;
    const int R = HauteurRangee();
    const int a = m->Y + (VueMultipiste ? (t->RangVisible - 1) * R : 0);
    int pos = BarreV.Position;
    if (LectureEnCours && TypeScrolling == 2 && a - pos * R > 0)
        pos = static_cast<int>(Arrondi(double(a) / R));
    pos = SuivreRangee(pos, a, R, HauteurVue, LectureEnCours);
    BarreV.Placer(pos);
}

int cAffichage::XTemps(const cMesure &m, const cAccord &a) const
{
    const double etirement = DefilementVertical ? m.Etirement : 1.0;
    const int h = Param->MargeGaucheLignes + static_cast<int>(Arrondi(m.X)) + FixeAvantTemps(m) +
                  static_cast<int>(Arrondi(a.XRelatif * etirement));
    return DefilementVertical ? h : h - BarreH.Position;
}

void cAffichage::PlacerTemps(const cMesure &m) const
{
    for (cMesurePiste *mp = m.PremiereMesurePiste; mp; mp = mp->SuivanteDansMesure)
        for (cAccord *a = mp->PremierAccord; a; a = a->Suivant)
            a->XAffiche = XTemps(m, *a);
}

void cAffichage::SuivreCurseurHorizontal()
{
    if (Inactif())
        return;
    cMesure *m = Partition->MesureNumero(Partition->Curseur.NumMesure);
    cAccord *b = Partition->Curseur.Accord;
    cPiste *t = PisteCurseur();
    if (!m || !b || !t)
        return;
    const int P = BarreH.Position;
    const int Wv = LargeurVue;
    const int f = std::min(static_cast<int>(Arrondi(Wv / 2.0)), 70);
    const double h = Param->MargeGaucheLignes + m->X + FixeAvantTemps(*m) +
                     Arrondi(b->XRelatif * m->Etirement);
    const int hn = static_cast<int>(Arrondi(h));
    int pos = P;
    if (h > P + Wv - f)
        pos = LectureEnCours ? hn - f : hn + f - Wv;
    if (h < P + f)
        pos = hn - f;
    BarreH.Placer(pos);
    if (VueMultipiste && BarreV.Maximum > 0)
        BarreV.Placer(SuivreRangee(BarreV.Position, t->DecalageY, HauteurRangee(), HauteurVue,
                                   false));
}

rClic cAffichage::CliquerPartition(int x, int y) const
{
    rClic c;
    if (Inactif())
        return c;
    const int R = HauteurRangee();
    const int r = RangeesParLigne();
    cPiste *t = nullptr;
    if (VueMultipiste) {
        int n = (BarreV.Position + static_cast<int>(Tronque(double(y) / R)) + 1) % r;
        if (n <= 0)
            n += r;
        t = PisteVisible(n);
    }
    if (!t)
        t = PisteCurseur();
    if (!t)
        return c;
    c.NumPiste = t->Index;
    const double xr = x + (DefilementVertical ? 0 : BarreH.Position) - Param->MargeGaucheLignes;
    const int yr = y + BarreV.Position * R;
    cMesurePiste *cible = nullptr;
    int num = 0;
    for (cMesurePiste *mp = t->PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste) {
        ++num;
        const cMesure &m = *mp->Mesure;
        const double et = DefilementVertical ? m.Etirement : 1.0;
        const double droite = m.X + Arrondi(m.LargeurNaturelle * et + m.LargeurFixe);
        const int haut = m.Y + t->DecalageY;
        if (m.X <= xr && xr <= droite && haut <= yr && yr <= haut + R) {
            cible = mp;
            break;
        }
    }
    cAccord *choisi = nullptr;
    int numTemps = 0;
    if (cible) {
        c.NumMesure = num;
        int meilleure = 5000;
        int i = 0;
        for (cAccord *a = cible->PremierAccord; a; a = a->Suivant) {
            ++i;
            const int d = std::abs(a->XAffiche - x);
            if (d < meilleure) {
                meilleure = d;
                choisi = a;
                numTemps = i;
            }
        }
    }
    if (!choisi) {
        c.Dehors = true;
        cible = t->PremiereMesurePiste;
        c.NumMesure = 1;
        while (cible->SuivanteDansPiste) {
            cible = cible->SuivanteDansPiste;
            ++c.NumMesure;
        }
        choisi = cible->DernierAccord();
        numTemps = cible->NbAccords;
    }
    c.NumTemps = numTemps;
    const double v =
        Arrondi(double(yr - cible->Mesure->Y - t->DecalageY - Y0(t->NbCordes)) / Param->EspLignes);
    c.AuDessus = v < -1 && !LectureEnCours;
    c.NumCorde = std::clamp(static_cast<int>(v) + 1, 1, std::max(1, t->NbCordes));
    return c;
}

rBarreEtat cAffichage::ActualiserBarreEtat() const
{
    rBarreEtat b;
    if (Inactif())
        return b;
    char tampon[64];
    std::snprintf(tampon, sizeof tampon, "%03d : %03d", Partition->Curseur.NumMesure,
                  Partition->NbMesures);
    b.NumMesure = tampon;
    const cMesurePiste *mp = Partition->Curseur.MesurePiste;
    if (!mp)
        return b;
    const rEtatDuree e = EtatDureeMesure(*mp);
    b.Duree = FormaterDecimal(e.Total, 3) + " : " + FormaterDecimal(e.Longueur, 3);
    b.CleEtat = e.Etat == eEtatDuree::Complete     ? "Gene-MesureComplete"
                : e.Etat == eEtatDuree::Incomplete ? "Gene-MesureIncomplete"
                                                   : "Gene-MesureDepassee";
    b.Couleur = e.Couleur();
    return b;
}

int cAffichage::AjusterHauteurOrchestre(bool tout) const
{
    int n = Partition ? Partition->NbPistes : 0;
    if (!tout)
        n = std::min(n, 12);
    return n * 20 + 54;
}
