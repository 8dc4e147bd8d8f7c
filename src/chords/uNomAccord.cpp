#include "chords/uNomAccord.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace {
const char *const NomsDiese[12] = {"C", "C#", "D", "D#", "E", "F",
                                   "F#", "G", "G#", "A", "A#", "B"};
const char *const NomsBemol[12] = {"C", "Db", "D", "Eb", "E", "F",
                                   "Gb", "G", "Ab", "A", "Bb", "B"};
const char *const TextesTypes[NbTypesAccord] = {"M",    "7",    "7M",    "6",     "m",
                                                "m7",   "m7M",  "m6",    "sus2",  "sus4",
                                                "7sus2", "7sus4", "dim", "aug",   "5"};
const char *const TextesSansDegre[NbDegres] = {"no1", "no3", "no5", "no7", "no9", "no11", "no13"};

int Classe(int hauteur) { return ((hauteur % 12) + 12) % 12; }

// Degrees taken from the marked intervals (values as the naming numbers them).
struct rPrises {
    int Tierce = 0;   // 1 major, 2 minor, 3 sus4, 4 sus2
    int Quinte = 0;   // 1 perfect, 2 diminished, 3 augmented
    int Septieme = 0; // 1 minor seventh, 2 major seventh, 3 sixth
    int Neuvieme = 0; // 1 natural, 2 flat, 3 sharp
    int Onzieme = 0;
    int Treizieme = 0;
};

bool Prendre(std::array<bool, 12> &marque, int intervalle)
{
    if (!marque[static_cast<std::size_t>(intervalle)])
        return false;
    marque[static_cast<std::size_t>(intervalle)] = false;
    return true;
}

int Complexite(const rNomPossible &n)
{
    int c = 0;
    if (n.TypeAccord == TypeDim || n.TypeAccord == TypeAug)
        c = 1;
    else if (n.TypeAccord != TypeM)
        c = static_cast<int>(std::strlen(TextesTypes[n.TypeAccord]));
    if (n.Extension)
        c += 2;
    if (n.DimAug)
        c += 1;
    c += 3 * ((n.Quinte != 0) + (n.Neuvieme != 0) + (n.Onzieme != 0));
    if (n.Add)
        c += 2;
    for (bool s : n.SansDegre)
        c += s ? 4 : 0;
    return c;
}

// Names the notes `classes` (pitch classes of the played strings) on `racine`; empty when the
// notes do not form a chord on that root. `speciaux` allows dim, aug and 5.
std::optional<rNomPossible> Analyser(const std::vector<int> &classes, int racine, int basse,
                                     bool speciaux)
{
    std::array<bool, 12> marque{};
    bool un = false;
    for (int c : classes) {
        const int i = Classe(c - racine);
        if (i != 0) {
            marque[static_cast<std::size_t>(i)] = true;
            un = true;
        }
    }
    if (!un)
        return std::nullopt;
    const std::array<bool, 12> ensemble = marque;
    auto exactement = [&ensemble](std::initializer_list<int> l) {
        std::array<bool, 12> e{};
        for (int i : l)
            e[static_cast<std::size_t>(i)] = true;
        return e == ensemble;
    };

    rPrises p;
    p.Tierce = Prendre(marque, 4) ? 1 : Prendre(marque, 3) ? 2 : Prendre(marque, 5) ? 3
               : Prendre(marque, 2)                        ? 4
                                                           : 0;
    p.Quinte = Prendre(marque, 7) ? 1 : Prendre(marque, 6) ? 2 : Prendre(marque, 8) ? 3 : 0;
    const bool tierceSimple = p.Tierce <= 2;
    p.Septieme = Prendre(marque, 10)                  ? 1
                 : (tierceSimple && Prendre(marque, 11)) ? 2
                 : (tierceSimple && Prendre(marque, 9))  ? 3
                                                         : 0;
    p.Neuvieme = Prendre(marque, 2) ? 1 : Prendre(marque, 1) ? 2 : Prendre(marque, 3) ? 3 : 0;
    p.Onzieme = Prendre(marque, 5) ? 1 : Prendre(marque, 4) ? 2 : Prendre(marque, 6) ? 3 : 0;
    p.Treizieme = Prendre(marque, 9) ? 1 : Prendre(marque, 8) ? 2 : Prendre(marque, 10) ? 3 : 0;
    for (bool m : marque)
        if (m)
            return std::nullopt;

    const int haut = p.Treizieme ? 13 : p.Onzieme ? 11 : p.Neuvieme ? 9 : p.Septieme ? 7
                     : p.Quinte  ? 5
                     : p.Tierce  ? 3
                                 : 0;
    const bool suspendue = p.Tierce == 3 || p.Tierce == 4;
    bool add = false;
    if (p.Treizieme)
        add = (!p.Neuvieme && !p.Onzieme) || suspendue;
    else if (p.Onzieme)
        add = !p.Neuvieme || suspendue;
    else if (p.Neuvieme)
        add = p.Septieme == 0 || p.Septieme == 3 || (p.Septieme == 1 && suspendue);
    const int nbExtensions = (p.Neuvieme != 0) + (p.Onzieme != 0) + (p.Treizieme != 0);
    if (add && nbExtensions >= 2)
        return std::nullopt;
    if (p.Septieme == 3 && haut >= 9 && !add)
        return std::nullopt;

    rNomPossible n;
    n.Fondamentale = racine;
    n.Basse = basse;
    if (speciaux && (exactement({3, 6, 9}) || exactement({4, 8}) ||
                     (exactement({7}) && racine == basse))) {
        n.Absent[4] = n.Absent[5] = n.Absent[6] = true;
        if (exactement({3, 6, 9})) {
            n.TypeAccord = TypeDim;
        } else if (exactement({4, 8})) {
            n.TypeAccord = TypeAug;
            n.Absent[3] = true;
        } else {
            n.TypeAccord = Type5;
            n.Absent[1] = n.Absent[3] = true;
        }
        return n;
    }

    switch (p.Tierce) {
    case 0:
    case 1:
        n.TypeAccord = p.Septieme; // 0 M, 1 7, 2 7M, 3 6
        break;
    case 2:
        n.TypeAccord = TypeMin + p.Septieme;
        break;
    case 4:
        n.TypeAccord = p.Septieme == 1 ? Type7Sus2 : TypeSus2;
        break;
    default:
        n.TypeAccord = p.Septieme == 1 ? Type7Sus4 : TypeSus4;
        break;
    }
    // A dominant ninth is named "9", not "79": the seventh is implied by the extension.
    if (haut >= 9 && !add && p.Septieme == 1) {
        if (n.TypeAccord == Type7)
            n.TypeAccord = TypeM;
        else if (n.TypeAccord == TypeMin7)
            n.TypeAccord = TypeMin;
    }
    n.Add = add;
    if (haut == 9) {
        n.Extension = 1;
        n.DimAug = p.Neuvieme - 1;
    } else if (haut == 11) {
        n.Extension = 2;
        n.DimAug = p.Onzieme - 1;
    } else if (haut == 13) {
        n.Extension = 3;
        n.DimAug = p.Treizieme - 1;
    }
    n.Quinte = p.Quinte ? p.Quinte - 1 : 0;
    n.Neuvieme = (p.Neuvieme && haut > 9) ? p.Neuvieme - 1 : 0;
    n.Onzieme = (p.Onzieme && haut > 11) ? p.Onzieme - 1 : 0;

    n.Absent = {false,         p.Tierce == 0,   p.Quinte == 0,    p.Septieme == 0,
                p.Neuvieme == 0, p.Onzieme == 0, p.Treizieme == 0};
    n.SansDegre[1] = n.Absent[1];
    n.SansDegre[2] = n.Absent[2];
    n.SansDegre[3] = n.Absent[3] && haut > 7 && !add;
    n.SansDegre[4] = n.Absent[4] && haut > 9 && !add;
    n.SansDegre[5] = n.Absent[5] && haut > 11 && !add;
    return n;
}

bool MemeAccord(const rNomPossible &a, const rNomPossible &b)
{
    return a.Fondamentale == b.Fondamentale && a.TypeAccord == b.TypeAccord &&
           a.Extension == b.Extension && a.DimAug == b.DimAug && a.Quinte == b.Quinte &&
           a.Neuvieme == b.Neuvieme && a.Onzieme == b.Onzieme && a.Add == b.Add;
}

void Composer(rNomPossible &n, int inversion, const rOptionsNom &o)
{
    n.Inversion = inversion;
    n.Nom = ComposerNom(n.Fondamentale, n.TypeAccord, true, n.SansDegre, n.Basse, inversion,
                        n.Add, n.Onzieme, n.Neuvieme, n.Quinte, n.DimAug, n.Extension, o)
                .substr(0, 40);
    n.Complexite = Complexite(n);
}
} // namespace

std::string NomNote(int hauteur, bool diese)
{
    if (hauteur < 0 || hauteur > 11)
        return {};
    return diese ? NomsDiese[hauteur] : NomsBemol[hauteur];
}

const char *TexteTypeAccord(int type)
{
    return (type > 0 && type < NbTypesAccord) ? TextesTypes[type] : "";
}

const char *LegendeTypeAccord(int type)
{
    return (type >= 0 && type < NbTypesAccord) ? TextesTypes[type] : "";
}

const char *TexteExtension(int extension)
{
    static const char *const t[4] = {"", "9", "11", "13"};
    return (extension >= 0 && extension <= 3) ? t[extension] : "";
}

const char *TexteAlteration(int alteration)
{
    return alteration == 1 ? "-" : alteration == 2 ? "+" : "";
}

std::string ComposerNom(int fondamentale, int type, bool montrerOmis,
                        const std::array<bool, NbDegres> &sansDegre, int basse, int inversion,
                        bool add, int onzieme, int neuvieme, int quinte, int dimAug,
                        int extension, const rOptionsNom &o)
{
    if (fondamentale < 0 || fondamentale > 11)
        return {};
    std::string s = NomNote(fondamentale, o.Diese);
    s += TexteTypeAccord(type);
    if (add)
        s += "add";
    s += TexteExtension(extension);
    s += TexteAlteration(dimAug);
    if (quinte)
        s += std::string("/5") + TexteAlteration(quinte);
    if (neuvieme)
        s += std::string("/9") + TexteAlteration(neuvieme);
    if (onzieme)
        s += std::string("/11") + TexteAlteration(onzieme);
    if (basse >= 0 && basse <= 11 &&
        (inversion < 0 || (o.AlwaysAddBass && basse != fondamentale)))
        s += "/" + NomNote(basse, o.Diese);
    if (montrerOmis && std::find(sansDegre.begin(), sansDegre.end(), true) != sansDegre.end()) {
        s += " (";
        for (int k = 0; k < NbDegres; ++k)
            if (sansDegre[static_cast<std::size_t>(k)])
                s += TextesSansDegre[k];
        s += ")";
    }
    return s;
}

std::vector<rNomPossible> NommerAccord(const tHauteurs &hauteurs, const rOptionsNom &o)
{
    std::vector<rNomPossible> noms;
    int plusBasse = -1; // index of the lowest played string
    std::vector<int> classes;
    for (int s = 5; s >= 0; --s)
        if (hauteurs[static_cast<std::size_t>(s)] >= 0) {
            if (plusBasse < 0)
                plusBasse = s;
            classes.push_back(Classe(hauteurs[static_cast<std::size_t>(s)]));
        }
    if (plusBasse < 0)
        return noms;
    const int basse = classes.front();

    auto dejaRacine = [&noms](std::size_t depuis, int racine) {
        for (std::size_t i = depuis; i < noms.size(); ++i)
            if (noms[i].Fondamentale == racine)
                return true;
        return false;
    };

    // Pass 1: every note, every played string as the root, from the lowest string up.
    for (int racine : classes) {
        if (noms.size() >= MaxNomsPossibles)
            break;
        if (dejaRacine(0, racine))
            continue;
        std::optional<rNomPossible> n = Analyser(classes, racine, basse, true);
        if (!n)
            continue;
        Composer(*n, 0, o);
        noms.push_back(std::move(*n));
    }
    const std::size_t finPasse1 = noms.size();

    // Pass 2: the bass set apart, the notes above it named over it.
    const std::vector<int> dessus(classes.begin() + 1, classes.end());
    for (int racine : dessus) {
        if (noms.size() >= MaxNomsPossibles)
            break;
        // A root on the bass is already named by the first pass.
        if (racine == basse || dejaRacine(finPasse1, racine))
            continue;
        std::optional<rNomPossible> n = Analyser(dessus, racine, basse, false);
        if (!n)
            continue;
        bool double_ = false;
        for (std::size_t i = 0; i < finPasse1 && !double_; ++i)
            double_ = MemeAccord(noms[i], *n);
        if (double_)
            continue;
        Composer(*n, -1, o);
        noms.push_back(std::move(*n));
    }

    std::stable_sort(noms.begin(), noms.end(), [](const rNomPossible &a, const rNomPossible &b) {
        if (a.Complexite != b.Complexite)
            return a.Complexite < b.Complexite;
        return a.Nom.size() < b.Nom.size();
    });
    return noms;
}

tDegres DegresAccord(const rDiagramme &d)
{
    tDegres g;
    const int t = d.TypeAccord;
    if (d.Fondamentale < 0 || d.Fondamentale > 11 || t < 0 || t >= NbTypesAccord)
        return g;
    std::array<int, NbDegres> ecart{0, -1, 7, -1, -1, -1, -1};
    switch (t) {
    case TypeM: case Type7: case Type7M: case Type6: case TypeAug:
        ecart[1] = 4;
        break;
    case TypeMin: case TypeMin7: case TypeMin7M: case TypeMin6: case TypeDim:
        ecart[1] = 3;
        break;
    case TypeSus2: case Type7Sus2:
        ecart[1] = 2;
        break;
    case TypeSus4: case Type7Sus4:
        ecart[1] = 5;
        break;
    default: // a power chord has no third
        break;
    }
    if (t == TypeDim)
        ecart[2] = 6;
    else if (t == TypeAug)
        ecart[2] = 8;
    switch (t) {
    case Type6: case TypeMin6: case TypeDim:
        ecart[3] = 9;
        break;
    case Type7: case TypeMin7: case Type7Sus2: case Type7Sus4:
        ecart[3] = 10;
        break;
    case Type7M: case TypeMin7M:
        ecart[3] = 11;
        break;
    case TypeM: case TypeMin:
        if (d.Extension != 0 && !d.Add)
            ecart[3] = 10;
        break;
    default:
        break;
    }
    const int alt = d.DimAug == 1 ? -1 : d.DimAug == 2 ? 1 : 0;
    if (d.Extension == 1)
        ecart[4] = 2 + alt;
    else if ((d.Extension == 2 || d.Extension == 3) && !d.Add)
        ecart[4] = 2;
    if (d.Extension == 2)
        ecart[5] = 5 + alt;
    else if (d.Extension == 3 && !d.Add)
        ecart[5] = 5;
    if (d.Extension == 3)
        ecart[6] = 9 + alt;
    auto deplacer = [](int &e, int alteration) {
        if (e >= 0 && alteration)
            e += alteration == 1 ? -1 : 1;
    };
    deplacer(ecart[2], d.Quinte);
    deplacer(ecart[4], d.Neuvieme);
    deplacer(ecart[5], d.Onzieme);
    for (int k = 0; k < NbDegres; ++k) {
        rDegre &x = g[static_cast<std::size_t>(k)];
        const int e = ecart[static_cast<std::size_t>(k)];
        x.Hauteur = e >= 0 ? Classe(d.Fondamentale + e) : -1;
        x.Actif = x.Coche = e >= 0;
    }
    return g;
}

rOptionsActives AppliquerReglesOptions(rDiagramme &d)
{
    rOptionsActives a;
    auto couper = [](int &valeur, bool &actif) {
        valeur = 0;
        actif = false;
    };
    auto couperAdd = [&d, &a] {
        d.Add = false;
        a.Add = false;
    };
    const int t = d.TypeAccord;
    if (t == TypeDim || t == TypeAug || t == Type5) {
        couper(d.Extension, a.Extension);
        couper(d.DimAug, a.DimAug);
        couper(d.Neuvieme, a.Neuvieme);
        couper(d.Onzieme, a.Onzieme);
        couperAdd();
        if (t != Type5)
            couper(d.Quinte, a.Quinte);
    }
    if (d.Extension == 0) {
        couper(d.DimAug, a.DimAug);
        couper(d.Neuvieme, a.Neuvieme);
        couper(d.Onzieme, a.Onzieme);
        couperAdd();
        return a;
    }
    // These types have no seventh to build the extension on: it can only be added.
    if (t == Type6 || t == TypeMin6 || t == TypeSus2 || t == TypeSus4 || t == Type7Sus2 ||
        t == Type7Sus4) {
        d.Add = true;
        a.Add = false;
    }
    if (d.Extension == 1) {
        couper(d.Neuvieme, a.Neuvieme);
        couper(d.Onzieme, a.Onzieme);
        if (t == Type7 || t == Type7M || t == TypeMin7 || t == TypeMin7M)
            couperAdd();
    } else if (d.Extension == 2) {
        couper(d.Onzieme, a.Onzieme);
        if (d.Add)
            couper(d.Neuvieme, a.Neuvieme);
    } else if (d.Add) {
        couper(d.Neuvieme, a.Neuvieme);
        couper(d.Onzieme, a.Onzieme);
    }
    return a;
}

rBarres DetecterBarres(const tCases &cases, int position)
{
    rBarres b;
    int frettees = 0;
    for (int c : cases)
        frettees += c > 0;
    if (frettees <= 3)
        return b;
    for (int j = 1; j <= 5 && b.Nb < 2; ++j) {
        const int f = position + j - 1;
        int utilisent = 0;
        for (int c : cases)
            utilisent += c == f;
        if (utilisent <= 1)
            continue;
        int rencontrees = 0, derniere = 0;
        for (int s = 0; s < 6; ++s) {
            const int c = cases[static_cast<std::size_t>(s)];
            if (c < 0)
                continue;
            if (c < f)
                break;
            if (c == f) {
                ++rencontrees;
                derniere = s + 1;
            }
        }
        if (rencontrees >= 2) {
            const auto i = static_cast<std::size_t>(b.Nb++);
            b.Case[i] = f;
            b.Debut[i] = 1;
            b.Fin[i] = derniere;
        }
    }
    return b;
}

bool Jouable(const tCases &cases, const rBarres &barres, int position, const rContexteDoigte &ctx)
{
    const bool puissance = ctx.TypeAccord == Type5;
    const auto &acc = ctx.Accordage;
    // A unison on adjacent strings is one note fingered twice.
    for (std::size_t s = 0; s + 1 < 6; ++s)
        if (cases[s] >= 0 && cases[s + 1] >= 0 && acc[s] >= 0 && acc[s + 1] >= 0 &&
            acc[s] + cases[s] == acc[s + 1] + cases[s + 1])
            return false;
    int plusHaute = 0, plusBasse = 0, frettees = 0, surPremiere = 0, surCinquieme = 0;
    for (int c : cases)
        if (c > 0) {
            ++frettees;
            plusHaute = std::max(plusHaute, c);
            plusBasse = plusBasse ? std::min(plusBasse, c) : c;
            surPremiere += c == position;
            surCinquieme += c == position + 4;
        }
    // Below fret 6 the same shape belongs to the first position.
    if (position >= 2 && position <= 5 && !puissance && plusHaute < 6)
        return false;
    int doigts = frettees;
    for (int k = 0; k < barres.Nb; ++k) {
        const auto i = static_cast<std::size_t>(k);
        for (int s = barres.Debut[i]; s <= barres.Fin[i] && s <= 6; ++s)
            if (s >= 1 && cases[static_cast<std::size_t>(s - 1)] == barres.Case[i])
                --doigts;
        ++doigts;
    }
    if (doigts > 4)
        return false;
    if (doigts == 4 && surPremiere && surCinquieme &&
        (surPremiere + surCinquieme > 2 || barres.Nb > 0))
        return false;
    if (ctx.Niveau != NiveauTout && !puissance && frettees) {
        const int ecart = plusHaute - plusBasse + 1;
        if (ecart > (ctx.Niveau == NiveauSimple ? 3 : 4))
            return false;
    }
    if (puissance) {
        int k = -1;
        for (int s = 5; s >= 0 && k < 0; --s)
            if (cases[static_cast<std::size_t>(s)] >= 0)
                k = s;
        if (k < 2)
            return false;
        const auto ku = static_cast<std::size_t>(k);
        if (cases[ku - 1] < 1 || cases[ku - 2] < 1)
            return false;
        if (cases[ku] == 0 && (cases[ku - 1] > 3 || cases[ku - 2] > 3))
            return false;
        if (Classe(acc[ku] + cases[ku]) == Classe(acc[ku - 1] + cases[ku - 1]))
            return false;
        if (position >= 2 && !surPremiere)
            return false;
    }
    return true;
}

tHauteurs HauteursDoigte(const tCases &cases, const tHauteurs &accordage)
{
    tHauteurs h;
    for (std::size_t s = 0; s < 6; ++s)
        h[s] = (cases[s] >= 0 && accordage[s] >= 0) ? accordage[s] + cases[s] : -1;
    return h;
}

void ViderDiagramme(rDiagramme &d)
{
    d.Fondamentale = RacinePerso;
    d.TypeAccord = 0;
    d.Extension = 0;
    d.DimAug = 0;
    d.Add = false;
    d.Quinte = d.Neuvieme = d.Onzieme = 0;
    d.PremiereCase = 1;
    for (auto &c : d.Cases)
        c = -1;
    d.NbBarres = 0;
    for (int k = 0; k < 2; ++k)
        d.BarreCase[k] = d.BarreDebut[k] = d.BarreFin[k] = 0;
    for (bool &o : d.Omis)
        o = true;
}

// ---------------------------------------------------------------- the search

namespace {
struct cRecherche {
    const rDiagramme &Def;
    rContexteDoigte Ctx;
    int Basse;
    unsigned Tons = 0; // bit per pitch class
    std::string Nom;
    bool Diese;
    rResultatRecherche &R;

    int P = 1;
    int CordeBasse = 0; // index of the bass string
    std::array<std::vector<int>, 6> Candidats;
    tCases Cases{};

    bool Puissance() const { return Ctx.TypeAccord == Type5; }
    bool Plein() const { return static_cast<int>(R.Solutions.size()) >= MaxSolutions; }

    bool JouableIci(const tCases &c) const { return Jouable(c, DetecterBarres(c, P), P, Ctx); }

    void Garder()
    {
        unsigned sonnent = 0;
        int muettes = 0;
        bool surP = false;
        for (std::size_t s = 0; s < 6; ++s) {
            if (Cases[s] < 0) {
                ++muettes;
                continue;
            }
            sonnent |= 1u << Classe(Ctx.Accordage[s] + Cases[s]);
            surP = surP || Cases[s] == P;
        }
        if (Puissance() ? 6 - muettes != 3 : muettes > 2)
            return;
        if ((sonnent & Tons) != Tons)
            return;
        if (P != 1 && P != MaxPositions && !Puissance() && !surP)
            return;
        if (Ctx.Niveau != NiveauTout && !Puissance()) {
            // No silent string inside the chord, and no open string high on the neck.
            bool jouee = false;
            for (int s = 0; s < CordeBasse; ++s) {
                const int c = Cases[static_cast<std::size_t>(s)];
                if (c >= 0)
                    jouee = true;
                else if (jouee)
                    return;
                if (P >= 6 && c == 0)
                    return;
            }
        }
        const rBarres barres = DetecterBarres(Cases, P);
        if (!Jouable(Cases, barres, P, Ctx))
            return;
        if (!Puissance()) {
            // A fuller fingering is preferred: a silent string that could still sound.
            tCases essai = Cases;
            for (int s = 0; s < CordeBasse; ++s) {
                const auto su = static_cast<std::size_t>(s);
                if (Cases[su] >= 0)
                    continue;
                for (int c : Candidats[su]) {
                    if (c < 0)
                        continue;
                    essai[su] = c;
                    if (JouableIci(essai))
                        return;
                }
                essai[su] = -1;
            }
        }
        rDiagramme d = Def;
        std::memset(d.Nom, 0, sizeof d.Nom);
        const std::string nom = Nom.substr(0, sizeof d.Nom);
        std::memcpy(d.Nom, nom.data(), nom.size());
        d.NomLongueur = static_cast<uint8_t>(nom.size());
        d.Diese = Diese;
        d.PremiereCase = P;
        for (std::size_t s = 0; s < 6; ++s)
            d.Cases[s] = Cases[s];
        d.NbBarres = barres.Nb;
        for (std::size_t k = 0; k < 2; ++k) {
            d.BarreCase[k] = barres.Case[k];
            d.BarreDebut[k] = barres.Debut[k];
            d.BarreFin[k] = barres.Fin[k];
        }
        R.Solutions.push_back(d);
    }

    // Strings below the bass, from the one next to it (slowest) to string 1 (fastest).
    void Parcourir(int s, int muettes)
    {
        if (Plein())
            return;
        if (s < 0) {
            Garder();
            return;
        }
        const auto su = static_cast<std::size_t>(s);
        for (int c : Candidats[su]) {
            const int m = muettes + (c < 0);
            // Prune: too many silent strings (power chords: too many played ones).
            if (Puissance() ? (6 - m) - s > 3 : m > 2)
                continue;
            Cases[su] = c;
            Parcourir(s - 1, m);
        }
        Cases[su] = -1;
    }

    void Lancer()
    {
        for (P = 1; P <= MaxPositions && !Plein(); ++P) {
            for (std::size_t s = 0; s < 6; ++s) {
                auto &l = Candidats[s];
                l.assign(1, -1);
                const int o = Ctx.Accordage[s];
                if (o < 0)
                    continue;
                if (Tons & (1u << Classe(o)))
                    l.push_back(0);
                for (int f = P; f <= P + 4; ++f)
                    if (Tons & (1u << Classe(o + f)))
                        l.push_back(f);
            }
            for (CordeBasse = 5; CordeBasse >= 3 && !Plein(); --CordeBasse) {
                const auto b = static_cast<std::size_t>(CordeBasse);
                const int o = Ctx.Accordage[b];
                if (o < 0)
                    continue;
                std::vector<int> places;
                if (Classe(o) == Basse && !(Puissance() && P >= 2))
                    places.push_back(0);
                for (int f = P; f <= P + 3; ++f)
                    if (Classe(o + f) == Basse)
                        places.push_back(f);
                for (int f : places) {
                    Cases.fill(-1);
                    Cases[b] = f;
                    Parcourir(CordeBasse - 1, 5 - CordeBasse);
                }
            }
        }
    }
};
} // namespace

rResultatRecherche ChercherDoigtes(const rDiagramme &d, int basse,
                                   const std::array<bool, NbDegres> &inclus, int niveau,
                                   const tHauteurs &accordage, const std::string &nom,
                                   bool diese)
{
    rResultatRecherche r;
    if (d.Fondamentale < 0 || d.Fondamentale > 11) {
        r.Etat = eRecherche::SansDefinition;
        return r;
    }
    const tDegres g = DegresAccord(d);
    for (int k = 0; k < NbDegres; ++k) {
        const int h = g[static_cast<std::size_t>(k)].Hauteur;
        if (inclus[static_cast<std::size_t>(k)] && h >= 0 &&
            std::find(r.Notes.begin(), r.Notes.end(), h) == r.Notes.end())
            r.Notes.push_back(h);
    }
    for (std::size_t i = 0; i < r.Notes.size() && i < 6; ++i)
        if (r.Notes[i] == Classe(basse))
            r.Inversion = static_cast<int>(i);
    if (r.Notes.size() > 6) {
        r.Etat = eRecherche::TropDeNotes;
        return r;
    }
    if (r.Notes.size() < 2) {
        r.Etat = eRecherche::TropPeuDeNotes;
        return r;
    }
    cRecherche c{d, {accordage, d.TypeAccord, std::clamp(niveau, 0, 2)}, Classe(basse), 0u,
                 nom, diese, r, 1, 0, {}, {}};
    for (int h : r.Notes)
        c.Tons |= 1u << h;
    c.Lancer();
    return r;
}

// ---------------------------------------------------------------- text forms

bool LireCases(const std::string &texte, tCases &cases)
{
    std::vector<std::string> champs;
    if (texte.find(',') == std::string::npos) {
        if (texte.size() != 6)
            return false;
        for (char c : texte)
            champs.emplace_back(1, c);
    } else {
        std::size_t debut = 0;
        for (;;) {
            const std::size_t v = texte.find(',', debut);
            champs.push_back(texte.substr(debut, v - debut));
            if (v == std::string::npos)
                break;
            debut = v + 1;
        }
    }
    if (champs.size() != 6)
        return false;
    for (std::size_t k = 0; k < 6; ++k) {
        const std::string &c = champs[k];
        int v = -1;
        if (c == "x" || c == "X") {
            v = -1;
        } else {
            if (c.empty() || c.size() > 2)
                return false;
            v = 0;
            for (char ch : c) {
                if (ch < '0' || ch > '9')
                    return false;
                v = v * 10 + (ch - '0');
            }
            if (v > 24)
                return false;
        }
        cases[5 - k] = v; // the text starts with string 6
    }
    return true;
}

std::string EcrireCases(const tCases &cases)
{
    std::string s;
    for (int k = 5; k >= 0; --k) {
        const int c = cases[static_cast<std::size_t>(k)];
        s += c < 0 ? std::string("x") : std::to_string(c);
        if (k)
            s += ",";
    }
    return s;
}

namespace {
bool Prefixe(const std::string &s, std::size_t &i, const char *p)
{
    const std::size_t n = std::strlen(p);
    if (s.compare(i, n, p) != 0)
        return false;
    i += n;
    return true;
}

// A note name as NomNote writes it, with either accidental ("E#" and "Cb" are not such names).
bool LireNote(const std::string &s, std::size_t &i, int &hauteur, int &diese)
{
    static const int Naturelles[7] = {9, 11, 0, 2, 4, 5, 7}; // A..G
    if (i >= s.size() || s[i] < 'A' || s[i] > 'G')
        return false;
    int h = Naturelles[s[i] - 'A'];
    std::size_t n = 1;
    int d = -1;
    if (i + 1 < s.size() && (s[i + 1] == '#' || s[i + 1] == 'b')) {
        d = s[i + 1] == '#' ? 1 : 0;
        h = Classe(h + (d ? 1 : -1));
        n = 2;
        if (NomNote(h, d == 1).size() != 2)
            return false;
    }
    i += n;
    hauteur = h;
    if (d >= 0)
        diese = d;
    return true;
}

bool LireAlteration(const std::string &s, std::size_t &i, int &v)
{
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        v = s[i] == '-' ? 1 : 2;
        ++i;
        return true;
    }
    return false;
}
} // namespace

bool LireNomAccord(const std::string &nom, rNomLu &lu)
{
    rDiagramme d{};
    d.Diese = true;
    int diese = -1;
    std::size_t i = 0;
    if (!LireNote(nom, i, d.Fondamentale, diese))
        return false;
    int type = 0;
    std::size_t meilleur = 0;
    for (int t = 1; t < NbTypesAccord; ++t) {
        const std::size_t n = std::strlen(TextesTypes[t]);
        if (n > meilleur && nom.compare(i, n, TextesTypes[t]) == 0) {
            type = t;
            meilleur = n;
        }
    }
    i += meilleur;
    d.TypeAccord = type;
    d.Add = Prefixe(nom, i, "add");
    d.Extension = Prefixe(nom, i, "13") ? 3 : Prefixe(nom, i, "11") ? 2 : Prefixe(nom, i, "9") ? 1
                                                                                           : 0;
    if (d.Add && !d.Extension) // "add" only ever stands before an extension
        return false;
    if (d.Extension)
        LireAlteration(nom, i, d.DimAug);
    for (auto [texte, champ] : {std::pair{"/5", &d.Quinte}, std::pair{"/9", &d.Neuvieme},
                                std::pair{"/11", &d.Onzieme}}) {
        std::size_t j = i;
        if (Prefixe(nom, j, texte) && LireAlteration(nom, j, *champ))
            i = j;
    }
    int basse = d.Fondamentale;
    if (i < nom.size() && nom[i] == '/') {
        ++i;
        if (!LireNote(nom, i, basse, diese))
            return false;
    }
    std::array<bool, NbDegres> sans{};
    if (Prefixe(nom, i, " (")) {
        bool un = false;
        for (bool encore = true; encore;) {
            encore = false;
            // Longest first, so that "no11" is not read as "no1" and a stray "1".
            for (int m = NbDegres - 1; m >= 0 && !encore; --m)
                if (Prefixe(nom, i, TextesSansDegre[m]))
                    encore = un = sans[static_cast<std::size_t>(m)] = true;
        }
        if (!un || !Prefixe(nom, i, ")"))
            return false;
    }
    if (i != nom.size())
        return false;
    if (diese >= 0)
        d.Diese = diese == 1;
    AppliquerReglesOptions(d);
    const tDegres g = DegresAccord(d);
    lu.Definition = d;
    lu.Basse = basse;
    for (int k = 0; k < NbDegres; ++k) {
        const auto ku = static_cast<std::size_t>(k);
        lu.Inclus[ku] = g[ku].Coche && !(sans[ku] && g[ku].Actif);
    }
    return true;
}
