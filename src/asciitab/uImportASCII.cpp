#include "asciitab/uImportASCII.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <span>
#include <string_view>

#include "model/uCodage.h"
#include "model/uDurees.h"
#include "model/uPartition.h"

namespace {

const char *const CleAucune = "ASCIIImp-AucuneTablature";
const char *const CleNbLignes = "ASCIIImp-NbLignesIncorrect";
const char *const CleAcces = "ASCIIImp-AccesFicImpossibleImportationAb";

// Larger than any tab; a bigger file is not a text tab.
constexpr std::size_t TailleMaxTexte = 16u << 20;

// ---------------------------------------------------------------- characters

// One character per column: the dashes, bars and spaces of other scripts and typefaces become
// the plain ones, tabs go to the next multiple of 8, and the rest becomes its Windows-1252
// character ('?' when it has none). A UTF-8 line is decoded; bytes that are not UTF-8 are
// taken as Windows-1252.
std::string Cellules(const std::string &ligne)
{
    std::string o;
    o.reserve(ligne.size());
    const auto *s = reinterpret_cast<const unsigned char *>(ligne.data());
    const std::size_t n = ligne.size();
    for (std::size_t i = 0; i < n;) {
        char32_t cp = s[i];
        std::size_t l = 1;
        if (cp >= 0x80) {
            const std::size_t suite = (cp & 0xE0) == 0xC0 ? 1 : (cp & 0xF0) == 0xE0 ? 2
                                    : (cp & 0xF8) == 0xF0 ? 3 : 0;
            bool ok = suite > 0 && i + suite < n;
            char32_t v = ok ? cp & (0x3Fu >> suite) : 0;
            for (std::size_t k = 1; ok && k <= suite; ++k) {
                ok = (s[i + k] & 0xC0) == 0x80;
                v = v << 6 | (s[i + k] & 0x3F);
            }
            if (ok) {
                cp = v;
                l = suite + 1;
            } else {
                cp = Win1252VersCodePoint(s[i]);
            }
        }
        i += l;
        if (cp == '\t') {
            o.append(8 - o.size() % 8, ' ');
            continue;
        }
        if ((cp >= 0x2010 && cp <= 0x2015) || cp == 0x2212 || cp == 0x2500 || cp == 0x2501 ||
            cp == 0xFE58 || cp == 0xFF0D || cp == 0x00AD) {
            o += '-';
        } else if (cp == 0x2502 || cp == 0x2503 || cp == 0xFF5C || cp == 0x00A6) {
            o += '|';
        } else if (cp == 0x00A0 || cp == '\r' || cp == 0x3000) {
            o += ' ';
        } else if (cp < 0x80) {
            o += static_cast<char>(cp);
        } else {
            const int c = CodePointVersWin1252(cp);
            o += c >= 0 ? static_cast<char>(c) : '?';
        }
    }
    return o;
}

// Whether no byte of [p, p + n) is above 0x7F, eight at a time.
bool ToutAscii(const char *p, std::size_t n)
{
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, p + i, 8);
        if (w & 0x8080808080808080ull)
            return false;
    }
    for (; i < n; ++i)
        if (static_cast<unsigned char>(p[i]) >= 0x80)
            return false;
    return true;
}

// Whether the cells of a line are its bytes as they are: plain ASCII with no tab and no
// carriage return (the common case, which then needs no copy).
bool CellulesTellesQuelles(std::string_view ligne)
{
    return !std::memchr(ligne.data(), '\t', ligne.size()) &&
           !std::memchr(ligne.data(), '\r', ligne.size()) &&
           ToutAscii(ligne.data(), ligne.size());
}

bool EstUtf8(const std::string &t)
{
    if (ToutAscii(t.data(), t.size()))
        return true;
    const auto *s = reinterpret_cast<const unsigned char *>(t.data());
    const std::size_t n = t.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned c = s[i];
        const std::size_t suite = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2
                                : (c & 0xF8) == 0xF0 ? 3 : 4;
        if (suite == 4 || i + suite >= n + (suite == 0 ? 1 : 0))
            return false;
        for (std::size_t k = 1; k <= suite; ++k)
            if ((s[i + k] & 0xC0) != 0x80)
                return false;
        i += suite + 1;
    }
    return true;
}

bool EstChiffre(char c) { return c >= '0' && c <= '9'; }
bool EstLettreNote(char c) { return (c >= 'A' && c <= 'G') || (c >= 'a' && c <= 'g'); }

// ---------------------------------------------------------------- lines

struct rLigne {
    int Numero = 0; // 1-based
    bool Corde = false;
    bool Vide = false;
    std::string Etiquette;
    int Debut = 0;             // column where the tablature starts in the line as written
    std::string_view Contenu;  // the tablature, label removed
    std::string_view Reste;    // what follows it after a blank
};

// What a string line is made of besides words: frets, vibratos, slides, ghost notes.
struct rSignesCorde {
    bool T[256] = {};
    constexpr rSignesCorde()
    {
        for (char c = '0'; c <= '9'; ++c)
            T[static_cast<unsigned char>(c)] = true;
        for (char c : std::string_view("-|~/\\()*x="))
            T[static_cast<unsigned char>(c)] = true;
    }
};
constexpr rSignesCorde SignesCorde;

// A string line: an optional label ("e", "D#", "Bb", with ":" or blanks before the bar), then
// tablature up to the first blank: at least five dashes (or tildes), or two and a bar, and at least
// half of it dashes, bars, digits and the signs of effects.
rLigne Classer(std::string_view cellules, int numero)
{
    rLigne r;
    r.Numero = numero;
    const std::size_t n = cellules.size();
    std::size_t i = 0;
    while (i < n && cellules[i] == ' ')
        ++i;
    if (i == n) {
        r.Vide = true;
        return r;
    }
    std::size_t debut = i;
    if (EstLettreNote(cellules[i])) {
        std::size_t k = i + 1;
        if (k < n && (cellules[k] == '#' || cellules[k] == 'b') && k + 1 < n &&
            std::string_view("|-: ").find(cellules[k + 1]) != std::string_view::npos)
            ++k;
        if (k < n && EstChiffre(cellules[k]) && k + 1 < n &&
            (cellules[k + 1] == '|' || cellules[k + 1] == ':'))
            ++k; // an octave number
        std::size_t m = k;
        if (m < n && cellules[m] == ':')
            ++m;
        while (m < n && cellules[m] == ' ')
            ++m;
        if (m < n && (cellules[m] == '|' || cellules[m] == '-')) {
            r.Etiquette = std::string(cellules.substr(i, k - i));
            debut = m;
        }
    }
    if (r.Etiquette.empty() &&
        std::string_view("|-/\\(*~.:0123456789").find(cellules[debut]) == std::string_view::npos)
        return r;
    std::size_t fin = debut;
    while (fin < n && cellules[fin] != ' ')
        ++fin;
    r.Debut = static_cast<int>(debut);
    r.Contenu = cellules.substr(debut, fin - debut);
    std::size_t reste = fin;
    while (reste < n && cellules[reste] == ' ')
        ++reste;
    std::size_t finReste = n;
    while (finReste > reste && cellules[finReste - 1] == ' ')
        --finReste;
    r.Reste = cellules.substr(reste, finReste - reste);
    int tirets = 0, barres = 0, signes = 0;
    for (char c : r.Contenu) {
        tirets += c == '-' || c == '~'; // a long vibrato is drawn in place of the dashes
        barres += c == '|';
        signes += SignesCorde.T[static_cast<unsigned char>(c)];
    }
    r.Corde = (tirets >= 5 || (tirets >= 2 && barres >= 1)) &&
              2 * static_cast<std::size_t>(signes) >= r.Contenu.size();
    return r;
}

// The spans of the lines point into the text or into `cellules` (the lines that had to be
// converted), which must outlive them.
std::vector<rLigne> ClasserTout(const std::vector<std::string> &lignes,
                                std::vector<std::string> &cellules)
{
    std::vector<rLigne> r;
    r.reserve(lignes.size());
    cellules.clear();
    cellules.reserve(lignes.size()); // never reallocated: the spans into it stay valid
    for (std::size_t i = 0; i < lignes.size(); ++i) {
        std::string_view c = lignes[i];
        if (!CellulesTellesQuelles(c)) {
            cellules.push_back(Cellules(lignes[i]));
            c = cellules.back();
        }
        r.push_back(Classer(c, static_cast<int>(i) + 1));
    }
    return r;
}

// ---------------------------------------------------------------- blocks

// A run of string lines, by their indexes in the text.
struct rBloc {
    std::span<const std::size_t> Lignes; // within rBlocs::Cordes
    std::size_t Premiere = 0; // index of its first line
    bool Fusionnable = false; // one non-blank line only stands between it and the block before
};

// The string lines of a text in order, and its blocks as runs of them: the blocks that follow
// each other are side by side in Cordes, so that putting two together is widening a span.
struct rBlocs {
    std::vector<std::size_t> Cordes;
    std::vector<rBloc> Liste;
};

rBlocs Blocs(const std::vector<rLigne> &lignes)
{
    rBlocs r;
    struct rDebut {
        std::size_t Position, Premiere;
        bool Fusionnable;
    };
    std::vector<rDebut> debuts;
    std::size_t derniere = 0; // index after the last string line seen
    bool dejaUn = false;
    for (std::size_t i = 0; i < lignes.size(); ++i) {
        if (!lignes[i].Corde)
            continue;
        if (debuts.empty() || !dejaUn || i != derniere)
            debuts.push_back(
                {r.Cordes.size(), i, dejaUn && i == derniere + 1 && !lignes[derniere].Vide});
        r.Cordes.push_back(i);
        derniere = i + 1;
        dejaUn = true;
    }
    // The spans are made once Cordes is complete and will not move again.
    r.Liste.reserve(debuts.size());
    for (std::size_t k = 0; k < debuts.size(); ++k) {
        const std::size_t fin = k + 1 < debuts.size() ? debuts[k + 1].Position : r.Cordes.size();
        r.Liste.push_back({std::span<const std::size_t>(r.Cordes).subspan(
                               debuts[k].Position, fin - debuts[k].Position),
                           debuts[k].Premiere, debuts[k].Fusionnable});
    }
    return r;
}

template <class F> std::vector<std::size_t> Garder(const std::vector<std::size_t> &v, F f)
{
    std::vector<std::size_t> r;
    std::copy_if(v.begin(), v.end(), std::back_inserter(r), f);
    return r;
}

// The most frequent value, the smallest of them on a tie.
template <class F> int Mode(const std::vector<std::size_t> &v, F valeur)
{
    std::vector<int> valeurs;
    valeurs.reserve(v.size());
    for (std::size_t i : v)
        valeurs.push_back(valeur(i));
    std::sort(valeurs.begin(), valeurs.end());
    int mode = 0, nb = -1;
    for (std::size_t i = 0; i < valeurs.size();) {
        std::size_t j = i;
        while (j < valeurs.size() && valeurs[j] == valeurs[i])
            ++j;
        if (static_cast<int>(j - i) > nb) {
            mode = valeurs[i];
            nb = static_cast<int>(j - i);
        }
        i = j;
    }
    return mode;
}

// The lines of a block that are strings for `nbCordes` strings: all of them when they make
// whole systems; otherwise rows that stand apart from the others (no label among labelled
// lines, another indentation, another length) are left out. Empty when nothing fits.
void LignesSystemes(const std::vector<rLigne> &lignes, std::span<const std::size_t> bloc,
                    int nbCordes, std::vector<std::size_t> &v)
{
    const auto entier = [&](std::size_t taille) {
        return taille != 0 && taille % static_cast<std::size_t>(nbCordes) == 0;
    };
    v.assign(bloc.begin(), bloc.end());
    if (entier(v.size()))
        return;
    if (bloc.size() < static_cast<std::size_t>(nbCordes)) {
        v.clear();
        return;
    }
    const auto etiquetees = Garder(v, [&](std::size_t i) { return !lignes[i].Etiquette.empty(); });
    if (etiquetees.size() >= static_cast<std::size_t>(nbCordes) && etiquetees.size() < v.size()) {
        v = etiquetees;
        if (entier(v.size()))
            return;
    }
    const int debut = Mode(v, [&](std::size_t i) { return lignes[i].Debut; });
    v = Garder(v, [&](std::size_t i) { return lignes[i].Debut == debut; });
    if (entier(v.size()))
        return;
    const int longueur =
        Mode(v, [&](std::size_t i) { return static_cast<int>(lignes[i].Contenu.size()); });
    v = Garder(v, [&](std::size_t i) {
        return std::abs(static_cast<int>(lignes[i].Contenu.size()) - longueur) <= 3;
    });
    if (!entier(v.size()))
        v.clear();
}

// The blocks as they will be read: a block cut in two by a single line of something else is
// put back together when that makes whole systems.
std::vector<rBloc> BlocsFusionnes(const rBlocs &blocs, int nbCordes)
{
    std::vector<rBloc> r;
    r.reserve(blocs.Liste.size());
    const auto n = static_cast<std::size_t>(nbCordes);
    for (const rBloc &b : blocs.Liste) {
        if (!r.empty() && b.Fusionnable && r.back().Lignes.size() % n != 0 &&
            (r.back().Lignes.size() + b.Lignes.size()) % n == 0) {
            // The two runs are side by side in Cordes.
            r.back().Lignes = {r.back().Lignes.data(), r.back().Lignes.size() + b.Lignes.size()};
            continue;
        }
        r.push_back(b);
    }
    return r;
}

// ---------------------------------------------------------------- reading the columns

class cAnalyseur {
public:
    cAnalyseur(const rOptionsImportASCII &o, int nbCordes, rAnalyseASCII &r)
        : O(o), N(nbCordes), R(r)
    {
    }

    // Reads one system (its N lines of tablature). False once the measure limit is reached.
    bool Systeme(const std::vector<std::string_view> &lignes);

private:
    const rOptionsImportASCII &O;
    const int N;
    rAnalyseASCII &R;
    std::size_t Courante = 0;      // the current measure; == size while it holds no beat yet
    bool AccordDepuisBarre = false; // a beat was placed since the last bar line
    bool DureeFixee = false;        // the current beat was given its length at a system's end
    int ColPrec = 0;
    int LargeurPrec = 1; // columns of the previous beat's widest fret
    bool Pourcent = false; // "%" (repeat the previous bar) seen since the last bar line
    bool Plein = false;

    bool Variable() const { return O.TypeImport == ImportVariable; }
    rAccordASCII *Actuel()
    {
        if (Courante < R.Mesures.size() && !R.Mesures[Courante].Accords.empty())
            return &R.Mesures[Courante].Accords.back();
        return nullptr;
    }
    const rAccordASCII *Precedent() const
    {
        for (std::size_t m = std::min(Courante + 1, R.Mesures.size()); m-- > 0;)
            if (!R.Mesures[m].Accords.empty())
                return &R.Mesures[m].Accords.back();
        return nullptr;
    }
    void DureeEspacement(int distance);
    bool OuvrirMesure();
    rAccordASCII *NouvelAccord();
    void Barre();
    int LireNote(std::string_view l, int c, rNoteASCII &note, rAccordASCII &a, int &chiffres);
};

// Columns from one beat to the next: one more than "NbTirets" is a quarter, fewer an eighth,
// more a half. The distance is counted from the last digit of the previous beat's widest fret,
// so that "12" followed by a quarter's dashes is a quarter as "5" is.
void cAnalyseur::DureeEspacement(int colonne)
{
    rAccordASCII *a = Actuel();
    if (!a)
        return;
    const int e = colonne - ColPrec - (LargeurPrec - 1) - 1;
    a->CodeDuree = static_cast<int8_t>(e == O.NbTirets ? 0 : e < O.NbTirets ? 1 : -1);
    a->Pointe = false;
}

bool cAnalyseur::OuvrirMesure()
{
    if (Courante < R.Mesures.size())
        return true;
    if (R.Mesures.size() >= static_cast<std::size_t>(MaxMesures)) {
        if (!Plein) {
            rRemarqueASCII k;
            k.Genre = rRemarqueASCII::MesuresMax;
            k.Nombre = MaxMesures;
            R.Remarques.push_back(k);
        }
        Plein = true;
        return false;
    }
    R.Mesures.emplace_back();
    return true;
}

rAccordASCII *cAnalyseur::NouvelAccord()
{
    if (Courante < R.Mesures.size() &&
        R.Mesures[Courante].Accords.size() >= static_cast<std::size_t>(MaxAccordsImportASCII))
        ++Courante; // the measure is full: the beat starts the next one
    const rAccordASCII *prec = Precedent();
    if (!OuvrirMesure())
        return nullptr;
    rAccordASCII a;
    switch (O.TypeImport) {
    case ImportBlanches: a.CodeDuree = -1; break;
    case ImportNoires: a.CodeDuree = 0; break;
    case ImportCroches: a.CodeDuree = 1; break;
    case ImportDoublesCroches: a.CodeDuree = 2; break;
    default:
        // Until the next beat says how long it is, a beat is as long as the one before.
        if (prec) {
            a.CodeDuree = prec->CodeDuree;
            a.Pointe = prec->Pointe;
        }
    }
    R.Mesures[Courante].Accords.push_back(a);
    return &R.Mesures[Courante].Accords.back();
}

void cAnalyseur::Barre()
{
    if (!AccordDepuisBarre) {
        // A bar of "%" repeats the bar before it.
        if (Pourcent && Courante == R.Mesures.size() && Courante > 0 && OuvrirMesure()) {
            R.Mesures[Courante].Accords = R.Mesures[Courante - 1].Accords;
            ++Courante;
        }
        Pourcent = false;
        return;
    }
    ++Courante;
    AccordDepuisBarre = false;
    DureeFixee = false;
    Pourcent = false;
}

int cAnalyseur::LireNote(std::string_view l, int c, rNoteASCII &note, rAccordASCII &a,
                         int &chiffres)
{
    chiffres = 1;
    const int n = static_cast<int>(l.size());
    const auto car = [&](int i) { return i >= 0 && i < n ? l[static_cast<std::size_t>(i)] : ' '; };
    if (car(c) == 'x' || car(c) == 'X') {
        note.Type = 3;
        note.Case = 0;
        return c + 1;
    }
    // A number of two digits above the highest fret is two frets side by side.
    const auto nombre = [&](int i, int &valeur) {
        if (!EstChiffre(car(i)))
            return 0;
        valeur = car(i) - '0';
        if (EstChiffre(car(i + 1))) {
            const int v2 = valeur * 10 + (car(i + 1) - '0');
            if (v2 <= O.MaxFrets) {
                valeur = v2;
                return 2;
            }
        }
        return 1;
    };
    int fret = 0;
    chiffres = nombre(c, fret);
    int e = c + chiffres;
    note.Type = 1;
    note.Case = static_cast<uint8_t>(fret);
    if (car(c - 1) == '(') {
        note.Sugeree = true;
        if (car(e) == ')')
            ++e;
    }
    const char effet = car(e);
    switch (effet) {
    case 'h': case 'H': case 'p': case 'P':
        note.HammerPullOff = true;
        return e + 1;
    case '/': case '\\':
        note.Slide = true;
        return e + 1;
    case '~':
        a.Vibrato = true;
        a.Frappe = 0;
        return e + 1;
    case 't': case 'T':
        a.Frappe = 1;
        a.Vibrato = false;
        return e + 1;
    case 's': case 'S':
        a.Frappe = 2;
        a.Vibrato = false;
        return e + 1;
    case 'b': case 'B': {
        // "7b9": the frets after the letter say how far the string is bent ("7b9r7": and
        // released), instead of being new notes.
        int i = e + 1, cible = 0;
        note.Bend = 1;
        note.ValeurBend = 100;
        const int k = nombre(i, cible);
        if (k > 0 && cible > fret && cible - fret <= 6) {
            note.ValeurBend = (cible - fret) * 50;
            i += k;
            if (car(i) == 'r' || car(i) == 'R') {
                note.Bend = 2;
                int retour = 0;
                const int k2 = nombre(i + 1, retour);
                i += 1 + (k2 > 0 && retour < cible ? k2 : 0);
            }
        } else if (car(i) == 'r' || car(i) == 'R') {
            note.Bend = 2;
            ++i;
        }
        return i;
    }
    case 'r': case 'R': {
        int i = e + 1, retour = 0;
        note.Bend = 2;
        note.ValeurBend = 100;
        const int k = nombre(i, retour);
        if (k > 0 && retour < fret && fret - retour <= 6) {
            note.ValeurBend = (fret - retour) * 50;
            i += k;
        }
        return i;
    }
    default:
        return e;
    }
}

bool cAnalyseur::Systeme(const std::vector<std::string_view> &lignes)
{
    std::size_t longueur = 0;
    for (const std::string_view l : lignes)
        longueur = std::max(longueur, l.size());
    const auto car = [&](int k, int c) {
        const std::string_view l = lignes[static_cast<std::size_t>(k)];
        return c >= 0 && static_cast<std::size_t>(c) < l.size() ? l[static_cast<std::size_t>(c)]
                                                                  : ' ';
    };
    const auto estNote = [&](int k, int c) {
        const char x = car(k, c);
        return EstChiffre(x) || x == 'x' || x == 'X';
    };
    std::vector<int> libre(static_cast<std::size_t>(N), 0);
    bool accordDansSysteme = false;
    for (int c = 0; c < static_cast<int>(longueur); ++c) {
        bool barre = true, note = false;
        for (int k = 0; k < N; ++k) {
            barre = barre && car(k, c) == '|';
            if (c >= libre[static_cast<std::size_t>(k)]) {
                note = note || estNote(k, c);
                Pourcent = Pourcent || car(k, c) == '%';
            }
        }
        if (barre) {
            // A bar that only starts the line of a system continuing the measure of the one
            // before is not a bar line.
            if (!AccordDepuisBarre || accordDansSysteme) {
                if (AccordDepuisBarre && Variable() && !DureeFixee)
                    DureeEspacement(c);
                Barre();
            }
            continue;
        }
        if (!note)
            continue;
        if (Variable() && AccordDepuisBarre && !DureeFixee)
            DureeEspacement(c);
        rAccordASCII *a = NouvelAccord();
        if (!a)
            return false;
        bool deuxChiffres = false;
        int largeur = 1;
        for (int k = 0; k < N; ++k) {
            auto &l = libre[static_cast<std::size_t>(k)];
            if (c < l || !estNote(k, c))
                continue;
            rNoteASCII &n = a->Notes[static_cast<std::size_t>(k)];
            int chiffres = 0;
            l = LireNote(lignes[static_cast<std::size_t>(k)], c, n, *a, chiffres);
            deuxChiffres = deuxChiffres || chiffres == 2;
            largeur = std::max(largeur, chiffres);
            ++R.NbNotes;
        }
        // A fret of two digits takes the next column too: a fret written there on another
        // string belongs to the same beat.
        if (deuxChiffres)
            for (int k = 0; k < N; ++k) {
                auto &l = libre[static_cast<std::size_t>(k)];
                rNoteASCII &n = a->Notes[static_cast<std::size_t>(k)];
                if (n.Type != 0 || c + 1 < l || !estNote(k, c + 1))
                    continue;
                int chiffres = 0;
                l = LireNote(lignes[static_cast<std::size_t>(k)], c + 1, n, *a, chiffres);
                largeur = std::max(largeur, 1 + chiffres);
                ++R.NbNotes;
            }
        ColPrec = c;
        LargeurPrec = largeur;
        AccordDepuisBarre = true;
        accordDansSysteme = true;
        DureeFixee = false;
    }
    // A system that ends inside a measure: its last beat lasts to the end of the line, and the
    // next system goes on in the same measure.
    if (AccordDepuisBarre && accordDansSysteme && Variable() && !DureeFixee) {
        DureeEspacement(static_cast<int>(longueur));
        DureeFixee = true;
    }
    ++R.NbSystemes;
    return true;
}

// Pitch class of a label, -1 when it is no note name.
int ClasseEtiquette(const std::string &e)
{
    if (e.empty())
        return -1;
    static const int base[7] = {9, 11, 0, 2, 4, 5, 7}; // A..G
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(e[0])));
    if (c < 'A' || c > 'G')
        return -1;
    int v = base[c - 'A'];
    if (e.size() > 1 && e[1] == '#')
        ++v;
    if (e.size() > 1 && e[1] == 'b')
        --v;
    return (v + 12) % 12;
}

std::array<int32_t, MaxCordes> AccordageUsuel(int nbCordes)
{
    switch (nbCordes) {
    case 4: return {43, 38, 33, 28, -1, -1, -1};
    case 5: return {43, 38, 33, 28, 23, -1, -1};
    case 7: return {64, 59, 55, 50, 45, 40, 35};
    default: return {64, 59, 55, 50, 45, 40, -1};
    }
}

} // namespace

struct cTexteASCII::rDonnees {
    std::vector<std::string> Cellules; // the lines that had to be converted
    std::vector<rLigne> Lignes;
    rBlocs Blocs;
};

cTexteASCII::cTexteASCII(const std::vector<std::string> &lignes) : D(new rDonnees)
{
    D->Lignes = ClasserTout(lignes, D->Cellules);
    D->Blocs = Blocs(D->Lignes);
}

cTexteASCII::~cTexteASCII() = default;

rAnalyseASCII AnalyserTexteASCII(const std::vector<std::string> &texte, int nbCordes,
                                 const rOptionsImportASCII &options)
{
    return AnalyserTexteASCII(cTexteASCII(texte), nbCordes, options);
}

rAnalyseASCII AnalyserTexteASCII(const cTexteASCII &texte, int nbCordes,
                                 const rOptionsImportASCII &options)
{
    rAnalyseASCII r;
    r.NbCordes = std::clamp(nbCordes, 1, MaxCordes);
    const int n = r.NbCordes;
    const std::vector<rLigne> &lignes = texte.Donnees().Lignes;
    const rBlocs &tous = texte.Donnees().Blocs;
    const std::vector<rBloc> blocs = BlocsFusionnes(tous, n);
    if (blocs.empty()) {
        r.Cle = CleAucune;
        return r;
    }
    rOptionsImportASCII o = options;
    o.NbTirets = std::max(1, o.NbTirets);
    cAnalyseur analyseur(o, n, r);
    std::vector<std::size_t> v;
    for (std::size_t b = 0; b < blocs.size(); ++b) {
        const rBloc &bloc = blocs[b];
        LignesSystemes(lignes, bloc.Lignes, n, v);
        if (v.empty()) {
            const bool derniere = b + 1 == blocs.size();
            rRemarqueASCII k;
            k.Genre = derniere && bloc.Lignes.size() < static_cast<std::size_t>(n)
                          ? rRemarqueASCII::FinCoupee
                          : rRemarqueASCII::BlocIgnore;
            k.Ligne = lignes[bloc.Lignes.front()].Numero;
            k.Nombre = static_cast<int>(bloc.Lignes.size());
            r.Remarques.push_back(k);
            continue;
        }
        for (std::size_t i : bloc.Lignes)
            if (std::find(v.begin(), v.end(), i) == v.end()) {
                rRemarqueASCII k;
                k.Genre = rRemarqueASCII::TexteIgnore;
                k.Ligne = lignes[i].Numero;
                k.Texte = std::string(lignes[i].Contenu);
                r.Remarques.push_back(k);
            }
        for (std::size_t s = 0; s < v.size(); s += static_cast<std::size_t>(n)) {
            std::vector<std::string_view> systeme;
            for (int k = 0; k < n; ++k) {
                const rLigne &l = lignes[v[s + static_cast<std::size_t>(k)]];
                systeme.push_back(l.Contenu);
                if (!l.Reste.empty()) {
                    rRemarqueASCII x;
                    x.Genre = rRemarqueASCII::TexteIgnore;
                    x.Ligne = l.Numero;
                    x.Texte = std::string(l.Reste);
                    r.Remarques.push_back(x);
                }
            }
            if (r.Etiquettes.empty())
                for (int k = 0; k < n; ++k)
                    r.Etiquettes.push_back(lignes[v[s + static_cast<std::size_t>(k)]].Etiquette);
            if (!analyseur.Systeme(systeme))
                return r;
        }
    }
    if (r.NbSystemes == 0) {
        r.Cle = CleNbLignes;
        r.Param1 = std::to_string(n);
        r.Param2 = std::to_string(
            tous.Liste.empty() ? 0 : static_cast<int>(tous.Liste.front().Lignes.size()));
        r.Mesures.clear();
    }
    return r;
}

int MesuresCompletesASCII(const rAnalyseASCII &analyse,
                          const std::function<double(int)> &longueur)
{
    int nb = 0;
    for (std::size_t i = 0; i < analyse.Mesures.size(); ++i) {
        double total = 0;
        for (const rAccordASCII &a : analyse.Mesures[i].Accords)
            total += TicksDuree(a.CodeDuree, a.Pointe, 1, false);
        nb += total == longueur(static_cast<int>(i) + 1);
    }
    return nb;
}

int NbCordesTexteASCII(const std::vector<std::string> &texte)
{
    return NbCordesTexteASCII(cTexteASCII(texte));
}

int NbCordesTexteASCII(const cTexteASCII &texte)
{
    const std::vector<rLigne> &lignes = texte.Donnees().Lignes;
    const rBlocs &blocs = texte.Donnees().Blocs;
    if (blocs.Liste.empty())
        return 0;
    int meilleur = 0;
    std::size_t score = 0;
    std::vector<std::size_t> v;
    for (int n : {6, 4, 7, 5}) {
        std::size_t s = 0;
        for (const rBloc &b : BlocsFusionnes(blocs, n)) {
            LignesSystemes(lignes, b.Lignes, n, v);
            // Labels that come back every n lines confirm the count.
            bool periodique = true;
            for (std::size_t i = 0; i + static_cast<std::size_t>(n) < v.size(); ++i)
                periodique = periodique && lignes[v[i]].Etiquette ==
                                               lignes[v[i + static_cast<std::size_t>(n)]].Etiquette;
            if (periodique)
                s += v.size();
        }
        if (s > score) {
            score = s;
            meilleur = n;
        }
    }
    if (meilleur == 0)
        meilleur = std::clamp(static_cast<int>(blocs.Liste.front().Lignes.size()), 4, MaxCordes);
    return meilleur;
}

std::array<int32_t, MaxCordes> AccordageEtiquettes(const std::vector<std::string> &etiquettes,
                                                   int nbCordes)
{
    const int n = std::clamp(nbCordes, 1, MaxCordes);
    std::array<int32_t, MaxCordes> usuel = AccordageUsuel(n);
    if (n < 4) {
        for (int s = n; s < MaxCordes; ++s)
            usuel[static_cast<std::size_t>(s)] = -1;
        return usuel;
    }
    if (etiquettes.size() < static_cast<std::size_t>(n))
        return usuel;
    std::array<int32_t, MaxCordes> r = usuel;
    for (int s = 0; s < n; ++s) {
        const int classe = ClasseEtiquette(etiquettes[static_cast<std::size_t>(s)]);
        if (classe < 0)
            return usuel;
        const int ref = usuel[static_cast<std::size_t>(s)];
        // The pitch of that class nearest the usual one, the lower on a tie.
        const int bas = ref - ((ref - classe) % 12 + 12) % 12;
        r[static_cast<std::size_t>(s)] = (ref - bas <= bas + 12 - ref) ? bas : bas + 12;
    }
    return r;
}

void ImporterDansPiste(cPartition &p, cPiste &piste, const rAnalyseASCII &analyse)
{
    // Only the content goes: the track's properties and its view states stay.
    for (cMesurePiste *mp = piste.PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste)
        mp->Vider();
    const auto nbMesures = static_cast<int>(analyse.Mesures.size());
    while (p.NbMesures < nbMesures && p.InsererMesureApres(p.DerniereMesure())) {
    }
    const int n = std::min(piste.NbCordes, analyse.NbCordes);
    cMesurePiste *mp = piste.PremiereMesurePiste;
    for (const rMesureASCII &m : analyse.Mesures) {
        if (!mp)
            break;
        mp->SansIndex = true;
        cAccord *a = nullptr;
        for (const rAccordASCII &x : m.Accords) {
            a = a ? mp->InsererAccordApres(a) : mp->PremierAccord;
            if (!a)
                break;
            a->CodeDuree = x.CodeDuree;
            a->Pointe = x.Pointe;
            a->Triolet = 1;
            a->CalculerDuree();
            a->ViderNotes();
            for (int s = 1; s <= n; ++s) {
                const rNoteASCII &y = x.Notes[static_cast<std::size_t>(s - 1)];
                if (y.Type == 0)
                    continue;
                cNote &note = *a->Notes[s];
                note.Type = y.Type;
                note.Case = y.Case;
                note.Sugeree = y.Sugeree;
                if (y.HammerPullOff)
                    note.EffetsCrees().HammerPullOff = true;
                else if (y.Slide)
                    note.EffetsCrees().Slide = true;
                else if (y.Bend) {
                    auto *b = new cEffet_Bend;
                    note.EffetsCrees().Bend = b;
                    b->Type = y.Bend;
                    b->Valeur = y.ValeurBend;
                    b->AjouterForme(0, 0);
                    if (y.Bend == 1) {
                        b->AjouterForme(30, b->Valeur);
                        b->AjouterForme(60, b->Valeur);
                    } else {
                        b->AjouterForme(15, b->Valeur);
                        b->AjouterForme(30, b->Valeur);
                        b->AjouterForme(45, 0);
                        b->AjouterForme(60, 0);
                    }
                }
            }
            if (x.Vibrato)
                a->EffetsCrees().Vibrato = true;
            if (x.Frappe)
                a->EffetsCrees().Frappe = x.Frappe;
            a->Etat = a->ActualiserEtat() ? 1 : 0;
            a->PropagerDuree();
        }
        mp->SansIndex = false;
        mp->IndexerAccords();
        mp->CalculerDuree();
        mp = mp->SuivanteDansPiste;
    }
    rPosition debut;
    debut.NumPiste = piste.Index > 0 ? piste.Index : 1;
    p.EffacerSelection();
    p.AttenteChiffre = false;
    p.PlacerCurseur(debut);
}

std::vector<std::string> LignesTexte(std::string contenu)
{
    if (contenu.size() >= 3 && contenu.compare(0, 3, "\xEF\xBB\xBF") == 0)
        contenu.erase(0, 3);
    // Lines go to the analysis as UTF-8; a file in the Windows code page is converted whole.
    if (!EstUtf8(contenu))
        contenu = Win1252VersUtf8(contenu);
    std::vector<std::string> lignes;
    const char *const debut = contenu.data();
    const std::size_t n = contenu.size();
    // The next carriage return and line feed, each found once.
    const auto suivant = [debut, n](char c, std::size_t depuis) {
        const void *p = depuis < n ? std::memchr(debut + depuis, c, n - depuis) : nullptr;
        return p ? static_cast<std::size_t>(static_cast<const char *>(p) - debut) : n;
    };
    std::size_t cr = suivant('\r', 0), lf = suivant('\n', 0);
    std::size_t i = 0;
    while (i < n) {
        const std::size_t fin = std::min(cr, lf);
        if (fin == n) {
            lignes.emplace_back(debut + i, n - i);
            break;
        }
        lignes.emplace_back(debut + i, fin - i);
        i = fin + (fin == cr && fin + 1 == lf ? 2 : 1);
        if (cr < i)
            cr = suivant('\r', i);
        if (lf < i)
            lf = suivant('\n', i);
    }
    return lignes;
}

bool LireFichierTexte(const std::string &chemin, std::vector<std::string> &lignes)
{
    std::ifstream f(chemin, std::ios::binary);
    if (!f)
        return false;
    std::string contenu;
    char tampon[65536];
    while (f.read(tampon, sizeof tampon) || f.gcount() > 0) {
        contenu.append(tampon, static_cast<std::size_t>(f.gcount()));
        if (contenu.size() > TailleMaxTexte)
            return false;
    }
    if (f.bad())
        return false;
    lignes = LignesTexte(std::move(contenu));
    return true;
}

bool LireFichierTAB(const std::string &chemin, cPartition &p, std::string &cle,
                    std::vector<rRemarqueASCII> *remarques)
{
    std::vector<std::string> lignes;
    if (!LireFichierTexte(chemin, lignes)) {
        cle = CleAcces;
        return false;
    }
    const cTexteASCII texte(lignes);
    const int n = NbCordesTexteASCII(texte);
    if (n == 0) {
        cle = CleAucune;
        return false;
    }
    const rAnalyseASCII analyse = AnalyserTexteASCII(texte, n, rOptionsImportASCII{});
    if (analyse.Refusee()) {
        cle = analyse.Cle;
        return false;
    }
    p.Nouveau();
    cPiste &piste = *p.PremierePiste;
    const int ancien = piste.NbCordes;
    piste.NbCordes = n;
    piste.Accordage = AccordageEtiquettes(analyse.Etiquettes, n);
    piste.MemoriserAvant();
    piste.ChangerNbCordes(ancien);
    ImporterDansPiste(p, piste, analyse);
    p.Vierge = false;
    if (remarques)
        *remarques = analyse.Remarques;
    return true;
}
