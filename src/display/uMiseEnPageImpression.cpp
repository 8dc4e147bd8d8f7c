#include "display/uMiseEnPageImpression.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "model/uConstantes.h"
#include "model/uPartition.h"

double EchelleGlobale(int v)
{
    v = std::clamp(v, -40, 40);
    if (v > 0)
        return 1 + v / 20.0;
    if (v < 0)
        return 1 / (1 + -v / 20.0);
    return 1;
}

double FacteurTailleDiagramme(int c)
{
    c = std::clamp(c, -40, 40);
    if (c >= 1)
        return 1 + c / 40.0;
    if (c < 0)
        return 1 / (1 + -c / 40.0);
    return 1;
}

double CoefEspacementImp(int e)
{
    const double a = std::clamp(e, 0, 10) / 10.0 + 0.5;
    return a > 1 ? a * a : a;
}

double LargeurMinimaleTemps(double duree, double k)
{
    const long t = static_cast<long>(Arrondi(duree / 5)) * 5;
    switch (t) {
    case 30: case 45: case 60: case 90: case 120: case 180:
        return 5 * k;
    case 160: case 240: case 360:
        return 6 * k;
    case 320: case 480:
        return 7 * k;
    case 640: case 720:
        return 8 * k;
    case 960: case 1280: case 1440:
        return 9 * k;
    case 1920:
        return 10 * k;
    default:
        return 0;
    }
}

rCadrePage CalculerCadrePage(const TZoneImpression &zone, double largeurPage, double hauteurPage)
{
    TZoneImpression z = zone;
    BornerParamImp(z);
    rCadrePage c;
    const double s = EchelleGlobale(z.GlobalProportions_Prt);
    double g = z.MargeGaucheLignes, d = z.MargeDroiteLignes, h = z.MargeHautePart,
           b = z.MargeBassePart;
    if (!z.FullPage) {
        d = largeurPage - g - z.Largeur_Prt + d;
        b = hauteurPage - h - z.Hauteur_Prt + b;
        if (z.Center_Prt) {
            g = d = (g + d) / 2;
            h = b = (h + b) / 2;
        }
        c.Cadre = z.TracerCadre_Prt;
        c.CadreGauche = (g - z.MargeGaucheLignes) / s;
        c.CadreDroite = (largeurPage - d + z.MargeDroiteLignes) / s;
        c.CadreHaut = (h - z.MargeHautePart) / s;
        c.CadreBas = (hauteurPage - b + z.MargeBassePart) / s;
    }
    c.LargeurPage = largeurPage / s;
    c.HauteurPage = hauteurPage / s;
    c.Gauche = g / s;
    c.Droite = d / s;
    c.Haut = h / s;
    c.Bas = b / s;
    c.LargeurUtile = c.LargeurPage - c.Gauche - c.Droite;
    // Margins wider than the paper would leave lines of no width: keep a usable minimum
    // (the right margin gives way).
    if (c.LargeurUtile < Imp::LargeurUtileMin) {
        c.LargeurUtile = Imp::LargeurUtileMin;
        c.Droite = c.LargeurPage - c.Gauche - c.LargeurUtile;
    }
    c.HauteurUtile = c.HauteurPage - c.Haut - c.Bas;
    return c;
}

double PlacerTempsImp(const cMesurePiste &mp, double k, double p, std::vector<double> &x)
{
    x.clear();
    double dmax = 0;
    for (const cAccord *a = mp.PremierAccord; a; a = a->Suivant)
        dmax = std::max(dmax, a->Duree);
    const double e = std::log2(std::clamp(p, 1.0, 2.0));
    const double unite = 5 * k;
    double s = 0;
    for (const cAccord *a = mp.PremierAccord; a; a = a->Suivant) {
        x.push_back(s);
        s += dmax > 0 && a->Duree > 0 ? unite * std::pow(a->Duree / dmax, e)
                                      : (dmax > 0 && e > 0 ? 0 : unite);
    }
    const double naturelle = s;
    double f = 1;
    std::size_t i = 0;
    for (const cAccord *a = mp.PremierAccord; a; a = a->Suivant, ++i) {
        const double place = (i + 1 < x.size() ? x[i + 1] : naturelle) - x[i];
        const double min = LargeurMinimaleTemps(a->Duree, k);
        if (min > 0 && place > 0)
            f = std::max(f, min / place);
    }
    if (f > 1)
        for (double &v : x)
            v *= f;
    return naturelle * f;
}

const rSystemeImp *rMiseEnPageImp::SystemeDe(int indexMesure) const
{
    for (const rSystemeImp &s : Systemes)
        if (indexMesure >= s.Premiere && indexMesure < s.Premiere + s.Nb)
            return &s;
    return nullptr;
}

rMiseEnPageImp MettreEnPageImpression(const cPartition &partition, const cPiste &piste,
                                      const TZoneImpression &zone, double largeurPage,
                                      double hauteurPage, int nbAccordsListe)
{
    TZoneImpression z = zone;
    BornerParamImp(z);
    rMiseEnPageImp mp;
    mp.Cadre = CalculerCadrePage(z, largeurPage, hauteurPage);
    mp.s = EchelleGlobale(z.GlobalProportions_Prt);
    mp.k = CoefEspacementImp(z.CoefEspAff_Prt);
    mp.p = z.CoefPImp;
    mp.NbCordes = std::max(1, static_cast<int>(piste.NbCordes));
    const rCadrePage &c = mp.Cadre;
    const double k = mp.k;
    const double W = c.LargeurUtile;

    const bool triplet = partition.Informations && partition.Informations->TripletFeel;
    mp.LigneTripletCapo = z.AffTriplet_Prt && (triplet || piste.Capo > 0);
    const double sansLigne = mp.LigneTripletCapo ? 0 : 8;

    // The chord list of the first page.
    const int nbListe = z.AffListChord_Prt ? std::clamp(nbAccordsListe, 0, 50) : 0;
    if (nbListe > 0) {
        const double d = 1.6 * 5 * FacteurTailleDiagramme(z.ChordSize_Prt);
        const double place = d + 2 * d / 3;
        const int parRangee = std::max(1, static_cast<int>(Tronque(W / place)));
        const int nbRangees = (nbListe + parRangee - 1) / parRangee;
        for (int r = 0; r < nbRangees; ++r) {
            const int nb = std::min(parRangee, nbListe - r * parRangee);
            const double x0 = c.Gauche + (W - nb * place) / 2;
            const double y = c.Haut + 50 + z.Esp_Titre_Auteur_Prt / 4.0 +
                             z.Esp_Auteur_Tab_Prt / 4.0 - sansLigne + r * 5 * d / 3;
            for (int i = 0; i < nb; ++i)
                mp.ListeAccords.push_back({r * parRangee + i + 1, x0 + i * place + place / 2, y});
        }
        mp.HauteurListeAccords = 5 * d / 3 * (nbRangees - 1) + 15;
    }
    mp.YPremierSysteme = c.Haut + 55 + z.Esp_Titre_Auteur_Prt / 2.0 +
                         z.Esp_Auteur_Tab_Prt / 2.0 - sansLigne + mp.HauteurListeAccords;

    // Measures of the track with their natural widths.
    for (const cMesurePiste *m = piste.PremiereMesurePiste; m; m = m->SuivanteDansPiste) {
        rMesureImp r;
        r.Mp = m;
        r.Mesure = m->Mesure;
        const cMesure *me = m->Mesure;
        const cMesure *prec = me ? me->Precedente : nullptr;
        const bool premiere = !prec;
        const bool derniere = !me || !me->Suivante;
        r.Signature = me && (premiere || prec->Numerateur != me->Numerateur ||
                             prec->Denominateur != me->Denominateur);
        if (me && me->RenvoiDebut)
            r.AvantTemps = Imp::EspRenvoi;
        else if (premiere)
            r.AvantTemps = Imp::AvantPremiere;
        if (r.Signature)
            r.AvantTemps += Imp::EspSignature;
        if (me && me->RenvoiFin > 0)
            r.ApresTemps = Imp::EspRenvoi;
        else if (derniere)
            r.ApresTemps = Imp::ApresDerniere;
        r.Naturelle = PlacerTempsImp(*m, k, mp.p, r.XTemps);
        mp.Mesures.push_back(std::move(r));
    }

    // Systems and pages.
    const int n = mp.NbCordes;
    const int N = static_cast<int>(mp.Mesures.size());
    double Y = mp.YPremierSysteme;
    int page = 1;
    for (int i = 0; i < N;) {
        double nat = 0, fix = 0;
        int j = i;
        while (j < N) {
            const double wn = mp.Mesures[j].Naturelle, wf = mp.Mesures[j].Fixe(k);
            if (j > i && nat + fix + wn + wf > W)
                break;
            nat += wn;
            fix += wf;
            ++j;
        }
        double etirement = nat > 0 ? (W - fix) / nat : 1;
        if (j == N && nat + fix > 0 && W / (nat + fix) > 4.0 / 3.0)
            etirement = 1;
        // A lone measure wider than the line is compressed, never turned back on itself.
        etirement = std::max(etirement, 0.1);
        double h = 0;
        for (int m = i; m < j; ++m) {
            rMesureImp &r = mp.Mesures[m];
            r.H = h;
            r.Etirement = etirement;
            h += r.Fixe(k) + r.Naturelle * etirement;
        }
        mp.Systemes.push_back({i, j - i, Y, etirement, page});
        Y += Imp::HauteurSysteme + z.EspPortees_Prt / 2.0 + (n - 1) * Imp::EspCordes;
        if (j < N && c.HauteurPage - c.Bas < Y + n * Imp::EspCordes + 12) {
            ++page;
            Y = c.Haut + 10;
        }
        i = j;
    }
    mp.NbPages = page;
    return mp;
}

bool AccordageImprime(const cPiste &p)
{
    static const std::vector<std::vector<int>> usuels = {{64, 59, 55, 50, 45, 40},
                                                         {47, 43, 38, 33, 28, 23},
                                                         {43, 38, 33, 28, 23},
                                                         {43, 38, 33, 28}};
    for (const auto &u : usuels) {
        if (static_cast<int>(u.size()) != p.NbCordes)
            continue;
        bool egal = true;
        for (std::size_t i = 0; i < u.size(); ++i)
            egal = egal && p.Accordage[i] == u[i];
        if (egal)
            return false;
    }
    return true;
}

std::string TexteValeurImp(int v)
{
    switch (v) {
    case 25: return "1/4";
    case 50: return "1/2";
    case 75: return "3/4";
    default: break;
    }
    std::string t = std::to_string(v / 100);
    const int reste = std::abs(v % 100);
    if (reste != 0) {
        t += '.';
        t += static_cast<char>('0' + reste / 10);
        if (reste % 10)
            t += static_cast<char>('0' + reste % 10);
    }
    return t;
}

namespace {
int Nombre(const std::string &t)
{
    std::size_t i = 0;
    while (i < t.size() && t[i] == ' ')
        ++i;
    std::size_t j = t.size();
    while (j > i && t[j - 1] == ' ')
        --j;
    if (i == j || j - i > 9)
        return 0;
    int v = 0;
    for (std::size_t q = i; q < j; ++q) {
        if (t[q] < '0' || t[q] > '9')
            return 0;
        v = v * 10 + (t[q] - '0');
    }
    return v;
}
} // namespace

bool LirePlagePages(const std::string &debut, const std::string &fin, int &de, int &a)
{
    de = Nombre(debut);
    a = Nombre(fin);
    if (de <= 0)
        return false;
    if (a <= 0)
        a = de;
    if (a < de)
        std::swap(de, a);
    return true;
}
