#include "tools/uDoigte.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "model/uPartition.h"

namespace {

constexpr int PasDeHauteur = std::numeric_limits<int>::min();

// What the fingering knows of one string of one beat while it runs.
struct rCordeTemps {
    int Hauteur = PasDeHauteur; // pitch of its normal note
    int Grace = PasDeHauteur;   // pitch of that note's grace note
    bool Reservee = false;      // a tied or dead note stays on it
};
struct rTemps {
    std::array<rCordeTemps, MaxCordes + 1> Cordes{}; // 1-based
    bool Silence = false;
};
struct rPosAccord {
    cMesurePiste *Mesure;
    cAccord *Accord;
};

// The cost terms, from sums that the search keeps as it goes. Hand movement is kept in tenths
// so that its sums are exact integers whatever order they are added in.
double CoutDepuisSommes(int nbCases, bool depart, int ecartsDepart, int lo, int hi,
                        int horsManche, long long mouvement10, int nbMouvement)
{
    double cout = 0;
    if (depart && nbCases > 0)
        cout += 4.0 * ecartsDepart / nbCases;
    if (lo != hi) {
        const double w = hi - lo;
        cout += std::pow(w, w / 2);
    }
    cout += 0.35 * (lo + hi) / 2.0;
    cout += 1000.0 * horsManche;
    if (nbMouvement > 0)
        cout += static_cast<double>(mouvement10) / (10.0 * nbMouvement);
    return cout;
}

// Hand movement sums of one fret against the previous beats.
void Mouvement(int f, const rFretPondere *prec, int nb, long long &somme10, int &compte)
{
    for (int i = 0; i < nb; ++i) {
        const int g = prec[i].Case;
        if (f != 0 && g != 0) {
            somme10 += 10LL * prec[i].Poids * std::abs(f - g);
            compte += 2;
        } else if (f == 0) {
            somme10 += 7LL * g;
            compte += 1;
        } else {
            somme10 += 7LL * f;
            compte += 1;
        }
    }
}

class cOptimiseur {
public:
    cOptimiseur(cPiste &piste, const rOptionsDoigte &o) : Piste(piste), Options(o)
    {
        N = std::clamp(piste.NbCordes, 1, MaxCordes);
    }

    rResultatDoigte Executer(int premiere, int derniere);

private:
    cPiste &Piste;
    const rOptionsDoigte &Options;
    int N = 6;
    std::vector<rPosAccord> Tous;   // every beat of the track, in order
    std::vector<rTemps> Scratch;    // for Tous[Debut .. Fin)
    std::size_t Debut = 0, Fin = 0;
    rResultatDoigte Resultat;

    // The beat being placed.
    int K = 0;
    std::array<int, MaxCordes> Hauteurs{}, Origines{};
    std::array<std::array<int, MaxCordes + 1>, MaxCordes> Cases{}; // [pitch][string]
    std::array<bool, MaxCordes + 1> Libre{};
    bool AvecDepart = false;
    int Suivante = -1;
    std::vector<rFretPondere> Precedents;
    std::array<long long, MaxCase + 1> Mouv10{};
    std::array<int, MaxCase + 1> MouvN{};
    // The search.
    int E = 0;
    double Meilleur = 0;
    bool Trouve = false;
    std::array<int, MaxCordes> Choix{}, MeilleurChoix{};
    std::array<bool, MaxCordes + 1> Pris{};

    static bool Jouable(int f) { return f >= 0 && f <= MaxCase; }
    rTemps *ScratchDe(std::size_t i) { return i >= Debut && i < Fin ? &Scratch[i - Debut] : nullptr; }
    int HauteurModele(const cNote &n, int corde) const
    {
        return Options.CasesEnHauteurs ? n.Case : HauteurCase(Piste, corde, n.Case);
    }
    void Preparer(std::size_t i, rTemps &t);
    bool Placer(std::size_t i, bool debut);
    int MaxPlacables();
    void Chercher(int i, int injouables, int nbCases, int ecarts, int lo, int hi, int hors,
                  long long mouv10, int mouvN);
    void Contexte(std::size_t i, bool debut);
    void Appliquer(std::size_t i);
    void SuivreLiaisons(std::size_t i, const std::vector<std::pair<int, int>> &chaines);
    static void Silence(cAccord &a);
};

void cOptimiseur::Preparer(std::size_t i, rTemps &t)
{
    cAccord &a = *Tous[i].Accord;
    if (a.Etat == 2) {
        t.Silence = true;
        return;
    }
    for (int s = 1; s <= std::min(N, a.NbNotes); ++s) {
        const cNote &n = *a.Notes[s];
        if (n.Type == 1) {
            t.Cordes[s].Hauteur = HauteurModele(n, s) + Options.Decalage;
            const cEffet_Appogiature *g = n.Effets ? n.Effets->Appogiature : nullptr;
            if (g && g->Case != 255)
                t.Cordes[s].Grace = (Options.CasesEnHauteurs ? g->Case
                                                             : HauteurCase(Piste, s, g->Case)) +
                                    Options.Decalage;
        } else if (n.Type == 2 || n.Type == 3) {
            t.Cordes[s].Reservee = true;
        }
    }
}

// The largest number of pitches that can be playable at once on different free strings: a
// small bipartite matching.
int cOptimiseur::MaxPlacables()
{
    std::array<int, MaxCordes + 1> occupant{};
    occupant.fill(-1);
    std::array<bool, MaxCordes + 1> vu{};
    std::function<bool(int)> augmenter = [&](int p) {
        for (int s = 1; s <= N; ++s) {
            if (!Libre[s] || vu[s] || !Jouable(Cases[p][s]))
                continue;
            vu[s] = true;
            if (occupant[s] < 0 || augmenter(occupant[s])) {
                occupant[s] = p;
                return true;
            }
        }
        return false;
    };
    int n = 0;
    for (int p = 0; p < K; ++p) {
        vu.fill(false);
        if (augmenter(p))
            ++n;
    }
    return n;
}

void cOptimiseur::Contexte(std::size_t i, bool debut)
{
    // Where the music goes next, for the first notes of the track.
    AvecDepart = false;
    Suivante = -1;
    if (debut) {
        for (std::size_t j = i + 1; j < Tous.size(); ++j) {
            std::vector<int> hauteurs;
            if (const rTemps *t = ScratchDe(j)) {
                if (t->Silence)
                    continue;
                for (int s = 1; s <= N; ++s)
                    if (t->Cordes[s].Hauteur != PasDeHauteur)
                        hauteurs.push_back(t->Cordes[s].Hauteur);
            } else {
                const cAccord &a = *Tous[j].Accord;
                if (a.Etat == 2)
                    continue;
                for (int s = 1; s <= std::min(N, a.NbNotes); ++s)
                    if (a.Notes[s]->Type == 1)
                        hauteurs.push_back(HauteurModele(*a.Notes[s], s));
            }
            for (int h : hauteurs) {
                int plusBas = -1;
                for (int s = 1; s <= N; ++s) {
                    const int f = CaseHauteur(Piste, s, h);
                    if (Jouable(f) && (plusBas < 0 || f < plusBas))
                        plusBas = f;
                }
                Suivante = std::max(Suivante, plusBas);
            }
            break;
        }
        AvecDepart = Suivante >= 0;
    }
    // The frets of the three previous sounding beats.
    static constexpr int poids[3] = {7, 3, 0};
    Precedents.clear();
    int pris = 0;
    for (std::size_t j = i; j-- > 0 && pris < 3;) {
        const cAccord &a = *Tous[j].Accord;
        if (a.Etat == 2)
            continue;
        for (int s = 1; s <= std::min(N, a.NbNotes); ++s)
            if (a.Notes[s]->Type == 1)
                Precedents.push_back({poids[pris], a.Notes[s]->Case});
        ++pris;
    }
    for (int f = 0; f <= MaxCase; ++f) {
        Mouv10[f] = 0;
        MouvN[f] = 0;
        Mouvement(f, Precedents.data(), static_cast<int>(Precedents.size()), Mouv10[f], MouvN[f]);
    }
}

// Every assignment of the pitches to different free strings, in lexicographic order of the
// strings, keeping the first of the cheapest among those with E playable pitches.
void cOptimiseur::Chercher(int i, int injouables, int nbCases, int ecarts, int lo, int hi,
                           int hors, long long mouv10, int mouvN)
{
    if (i == K) {
        const int l = lo > MaxCase ? 0 : lo;
        const int h = lo > MaxCase ? 0 : hi;
        const double c = CoutDepuisSommes(nbCases, AvecDepart, ecarts, l, h, hors, mouv10, mouvN);
        if (!Trouve || c < Meilleur) {
            Trouve = true;
            Meilleur = c;
            MeilleurChoix = Choix;
        }
        return;
    }
    for (int s = 1; s <= N; ++s) {
        if (!Libre[s] || Pris[s])
            continue;
        const int f = Cases[i][s];
        Pris[s] = true;
        Choix[i] = s;
        if (Jouable(f)) {
            Chercher(i + 1, injouables, nbCases + 1, ecarts + (AvecDepart ? std::abs(f - Suivante) : 0),
                     f > 0 ? std::min(lo, f) : lo, std::max(hi, f),
                     hors + (f > Piste.NbFrets ? f - Piste.NbFrets : 0), mouv10 + Mouv10[f],
                     mouvN + MouvN[f]);
        } else if (injouables < K - E) {
            Chercher(i + 1, injouables + 1, nbCases, ecarts, lo, hi, hors, mouv10, mouvN);
        }
        Pris[s] = false;
    }
}

void cOptimiseur::Silence(cAccord &a)
{
    a.Etat = 2;
    a.ViderNotes();
    a.LibererEffets();
}

bool cOptimiseur::Placer(std::size_t i, bool debut)
{
    rTemps &t = Scratch[i - Debut];
    K = 0;
    for (int s = 1; s <= N; ++s) {
        Libre[s] = !t.Cordes[s].Reservee;
        if (t.Cordes[s].Hauteur != PasDeHauteur) {
            Hauteurs[K] = t.Cordes[s].Hauteur;
            Origines[K] = s;
            ++K;
        }
    }
    if (K == 0)
        return false; // nothing of its own to place: empty, or only tied and dead notes
    for (int p = 0; p < K; ++p) {
        for (int s = 1; s <= N; ++s)
            Cases[p][s] = CaseHauteur(Piste, s, Hauteurs[p]);
        // A note with a grace note goes where both fit, when there is such a string.
        const int grace = t.Cordes[Origines[p]].Grace;
        if (grace == PasDeHauteur)
            continue;
        bool ensemble = false;
        for (int s = 1; s <= N; ++s)
            ensemble = ensemble || (Libre[s] && Jouable(Cases[p][s]) &&
                                    Jouable(CaseHauteur(Piste, s, grace)));
        if (ensemble)
            for (int s = 1; s <= N; ++s)
                if (!Jouable(CaseHauteur(Piste, s, grace)))
                    Cases[p][s] = -1;
    }
    E = MaxPlacables();
    Contexte(i, debut);
    Trouve = false;
    Pris.fill(false);
    if (E > 0)
        Chercher(0, 0, 0, 0, MaxCase + 1, 0, 0, 0, 0);
    Appliquer(i);
    return E > 0;
}

void cOptimiseur::Appliquer(std::size_t i)
{
    rTemps &t = Scratch[i - Debut];
    cAccord &a = *Tous[i].Accord;
    cAccord copie;
    a.CopierVers(copie);
    for (int s = 1; s <= N; ++s)
        if (!t.Cordes[s].Reservee)
            a.ViderNote(*a.Notes[s]);
    std::vector<std::pair<int, int>> chaines; // (old string, new string or 0 when dropped)
    bool reste = false;
    for (int p = 0; p < K; ++p) {
        const int o = Origines[p];
        const int s = Trouve ? MeilleurChoix[p] : 0;
        if (s == 0 || !Jouable(Cases[p][s])) {
            ++Resultat.NotesPerdues;
            chaines.push_back({o, 0});
            continue;
        }
        cNote &n = *a.Notes[s];
        cAccord::CopierNote(*copie.Notes[o], n);
        n.Case = static_cast<uint8_t>(Cases[p][s]);
        const int grace = t.Cordes[o].Grace;
        if (grace != PasDeHauteur) {
            const int g = CaseHauteur(Piste, s, grace);
            if (Jouable(g)) {
                n.Effets->Appogiature->Case = static_cast<uint8_t>(g);
            } else {
                n.Effets->LibererAppogiature();
                n.LibererEffetsVides();
                ++Resultat.NotesPerdues;
            }
        }
        reste = true;
        if (s != o)
            chaines.push_back({o, s});
    }
    for (int s = 1; s <= N; ++s)
        reste = reste || t.Cordes[s].Reservee;
    if (reste) {
        a.Etat = 1;
    } else {
        Silence(a);
        ++Resultat.Silences;
    }
    if (!chaines.empty())
        SuivreLiaisons(i, chaines);
}

// The ties that continue a moved note go with it, beat after beat: the tied note moves to the
// new string and what stood there takes the freed one (a normal note keeping its pitch). The
// ties of a dropped note go with it.
void cOptimiseur::SuivreLiaisons(std::size_t i, const std::vector<std::pair<int, int>> &chaines)
{
    std::vector<std::pair<int, int>> actives = chaines;
    for (std::size_t j = i + 1; j < Tous.size() && !actives.empty(); ++j) {
        cAccord &f = *Tous[j].Accord;
        if (f.Etat != 1)
            break;
        rTemps *t = ScratchDe(j);
        std::vector<std::pair<int, int>> suite;
        for (const auto &c : actives)
            if (c.first <= f.NbNotes && f.Notes[c.first]->Type == 2)
                suite.push_back(c);
        actives = suite;
        if (actives.empty())
            break;
        for (const auto &[o, s] : actives)
            if (s == 0) {
                f.ViderNote(*f.Notes[o]);
                if (t)
                    t->Cordes[o] = rCordeTemps{};
            }
        // The permutation of the strings: o -> s for the moved ties; what stood on a target
        // that is not itself a source goes to a source that is not a target.
        std::array<int, MaxCordes + 1> vers{};
        for (int s = 1; s <= N; ++s)
            vers[s] = s;
        std::vector<int> sources, cibles;
        for (const auto &[o, s] : actives)
            if (s != 0) {
                sources.push_back(o);
                cibles.push_back(s);
            }
        std::vector<int> deplacees, liberees;
        for (int s : cibles)
            if (std::find(sources.begin(), sources.end(), s) == sources.end())
                deplacees.push_back(s);
        for (int o : sources)
            if (std::find(cibles.begin(), cibles.end(), o) == cibles.end())
                liberees.push_back(o);
        std::sort(deplacees.begin(), deplacees.end());
        std::sort(liberees.begin(), liberees.end());
        for (std::size_t k = 0; k < sources.size(); ++k)
            vers[sources[k]] = cibles[k];
        for (std::size_t k = 0; k < deplacees.size() && k < liberees.size(); ++k)
            vers[deplacees[k]] = liberees[k];
        if (!sources.empty()) {
            cAccord copie;
            f.CopierVers(copie);
            rTemps avant;
            if (t)
                avant = *t;
            for (int s = 1; s <= N; ++s) {
                if (vers[s] == s)
                    continue;
                const int d = vers[s];
                cNote &n = *f.Notes[d];
                cAccord::CopierNote(*copie.Notes[s], n);
                if (t)
                    t->Cordes[d] = avant.Cordes[s];
                if (n.Type != 1 || t)
                    continue; // a note still to be placed keeps its pitch in the scratch
                const int fret = CaseHauteur(Piste, d, HauteurCase(Piste, s, n.Case));
                if (Jouable(fret)) {
                    n.Case = static_cast<uint8_t>(fret);
                } else {
                    f.ViderNote(n);
                    ++Resultat.NotesPerdues;
                }
            }
        }
        if (!f.ActualiserEtat()) {
            Silence(f);
            if (t)
                t->Silence = true;
        }
    }
}

rResultatDoigte cOptimiseur::Executer(int premiere, int derniere)
{
    int nbMesures = 0;
    for (cMesurePiste *mp = Piste.PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste)
        ++nbMesures;
    premiere = std::max(premiere, 1);
    derniere = std::min(derniere, nbMesures);
    if (Piste.Percussions || premiere > derniere)
        return Resultat;
    std::vector<std::size_t> finMesure; // index in Tous past each measure of the range
    int m = 0;
    for (cMesurePiste *mp = Piste.PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste) {
        ++m;
        if (m == premiere)
            Debut = Tous.size();
        for (cAccord *a = mp->PremierAccord; a; a = a->Suivant)
            Tous.push_back({mp, a});
        if (m >= premiere && m <= derniere)
            finMesure.push_back(Tous.size());
    }
    Fin = finMesure.back();
    Scratch.assign(Fin - Debut, rTemps{});
    for (std::size_t i = Debut; i < Fin; ++i)
        Preparer(i, Scratch[i - Debut]);

    if (Options.Progression)
        Options.Progression(0);
    bool debut = premiere == 1;
    std::size_t i = Debut;
    for (std::size_t k = 0; k < finMesure.size(); ++k) {
        for (; i < finMesure[k]; ++i) {
            if (Scratch[i - Debut].Silence)
                continue;
            if (Placer(i, debut))
                debut = false;
        }
        if (Options.Progression) {
            const double part = static_cast<double>(k + 1) / static_cast<double>(finMesure.size());
            Options.Progression(static_cast<int>(std::nearbyint(part * EtapesProgression)));
        }
    }
    return Resultat;
}
} // namespace

int HauteurCase(const cPiste &piste, int corde, int fret)
{
    int h = fret + piste.AccordageCorde(corde);
    if (piste.Banjo5 && corde == 5 && fret > 0)
        h -= 5;
    return h;
}

int CaseHauteur(const cPiste &piste, int corde, int hauteur)
{
    int f = hauteur - piste.AccordageCorde(corde);
    if (piste.Banjo5 && corde == 5 && f > 0)
        f += 5;
    return f;
}

double CoutDoigte(const int *cases, int nb, int nbFrets, int suivante,
                  const rFretPondere *precedents, int nbPrecedents)
{
    int ecarts = 0, lo = MaxCase + 1, hi = 0, hors = 0, n = 0;
    long long mouv10 = 0;
    int mouvN = 0;
    for (int k = 0; k < nb; ++k) {
        const int f = cases[k];
        if (f < 0 || f > MaxCase)
            continue;
        ++n;
        if (suivante >= 0)
            ecarts += std::abs(f - suivante);
        if (f > 0)
            lo = std::min(lo, f);
        hi = std::max(hi, f);
        if (f > nbFrets)
            hors += f - nbFrets;
        Mouvement(f, precedents, nbPrecedents, mouv10, mouvN);
    }
    if (lo > MaxCase)
        lo = hi = 0;
    return CoutDepuisSommes(n, suivante >= 0, ecarts, lo, hi, hors, mouv10, mouvN);
}

rResultatDoigte PlacerDoigts(cPiste &piste, int premiere, int derniere,
                             const rOptionsDoigte &options)
{
    cOptimiseur o(piste, options);
    return o.Executer(premiere, derniere);
}
