#include "tools/uSolfege.h"

#include <algorithm>
#include <cmath>

#include "model/uPartition.h"
#include "tools/uDoigte.h"

namespace {
struct rCase {
    int Position;
    int Alteration;
};
constexpr rCase P(int p) { return {p, AltAucune}; }
constexpr rCase D(int p) { return {p, AltDiese}; }
constexpr rCase B(int p) { return {p, AltBemol}; }
constexpr rCase N(int p) { return {p, AltBecarre}; }

// Position within the octave and sign of each pitch class (rows) in each key (-7..7): the
// spelling the window uses. -1 is the B below (B sharp), 7 the C above (C flat).
constexpr rCase Table[12][15] = {
    {N(0), N(0), P(0), P(0), P(0), P(0), P(0), P(0), P(0), D(-1), D(-1), D(-1), D(-1), D(-1), P(-1)},
    {P(1), P(1), P(1), P(1), B(1), B(1), B(1), D(0), D(0), P(0), P(0), P(0), P(0), P(0), P(0)},
    {N(1), N(1), N(1), N(1), P(1), P(1), P(1), P(1), P(1), P(1), P(1), N(1), N(1), N(1), N(1)},
    {P(2), P(2), P(2), P(2), P(2), P(2), B(2), D(1), D(1), D(1), D(1), P(1), P(1), P(1), P(1)},
    {N(2), N(2), N(2), N(2), N(2), N(2), P(2), P(2), P(2), P(2), P(2), P(2), P(2), N(2), N(2)},
    {N(3), P(3), P(3), P(3), P(3), P(3), P(3), P(3), N(3), N(3), N(3), N(3), N(3), P(2), P(2)},
    {P(4), P(4), P(4), B(4), B(4), B(4), B(4), D(3), P(3), P(3), P(3), P(3), P(3), P(3), P(3)},
    {N(4), N(4), N(4), P(4), P(4), P(4), P(4), P(4), P(4), P(4), N(4), N(4), N(4), N(4), N(4)},
    {P(5), P(5), P(5), P(5), P(5), B(5), B(5), D(4), D(4), D(4), P(4), P(4), P(4), P(4), P(4)},
    {N(5), N(5), N(5), N(5), N(5), P(5), P(5), P(5), P(5), P(5), P(5), P(5), N(5), N(5), N(5)},
    {P(6), P(6), P(6), P(6), P(6), P(6), P(6), D(5), D(5), D(5), D(5), D(5), P(5), P(5), P(5)},
    {P(7), P(7), N(6), N(6), N(6), N(6), N(6), P(6), P(6), P(6), P(6), P(6), P(6), P(6), N(6)},
};

constexpr int Demitons[7] = {0, 2, 4, 5, 7, 9, 11};
// Steps altered by the key signature, in the order the signs are added.
constexpr int OrdreDieses[7] = {3, 0, 4, 1, 5, 2, 6};  // F C G D A E B
constexpr int OrdreBemols[7] = {6, 2, 5, 1, 4, 0, 3};  // B E A D G C F

constexpr int ArmureSolDieses[7] = {38, 35, 39, 36, 33, 37, 34};
constexpr int ArmureSolBemols[7] = {34, 37, 33, 36, 32, 35, 31};
constexpr int ArmureFaDieses[7] = {24, 21, 25, 22, 19, 23, 20};
constexpr int ArmureFaBemols[7] = {20, 23, 19, 22, 18, 21, 17};

int Ton(int tonalite) { return std::clamp(tonalite, TonaliteMin, TonaliteMax); }
int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
} // namespace

int PositionHauteur(int hauteur, int tonalite, int &alteration)
{
    const int classe = ((hauteur % 12) + 12) % 12;
    const rCase c = Table[classe][Ton(tonalite) + 7];
    alteration = c.Alteration;
    return c.Position + 7 * FloorDiv(hauteur, 12);
}

const char *NomTonalite(int tonalite)
{
    static const char *noms[15] = {"Cb", "Gb", "Db", "Ab", "Eb", "Bb", "F", "C",
                                   "G",  "D",  "A",  "E",  "B",  "F#", "C#"};
    return noms[Ton(tonalite) + 7];
}

int PositionArmure(bool sol, int tonalite, int c)
{
    if (c < 1 || c > 7)
        return 0;
    if (tonalite > 0)
        return sol ? ArmureSolDieses[c - 1] : ArmureFaDieses[c - 1];
    return sol ? ArmureSolBemols[c - 1] : ArmureFaBemols[c - 1];
}

int AlterationArmure(int etape, int tonalite)
{
    const int t = Ton(tonalite);
    for (int k = 0; k < std::abs(t); ++k)
        if ((t > 0 ? OrdreDieses[k] : OrdreBemols[k]) == etape)
            return t > 0 ? 1 : -1;
    return 0;
}

int HauteurPosition(int q, int bouton, int tonalite)
{
    const int etape = ((q % 7) + 7) % 7;
    int h = 12 * FloorDiv(q, 7) + Demitons[etape];
    if (bouton == AltDiese)
        h += 1;
    else if (bouton == AltBemol)
        h -= 1;
    else if (bouton == AltAucune)
        h += AlterationArmure(etape, tonalite);
    return h;
}

int PositionY(int y) { return static_cast<int>(std::nearbyint((212 - y) / 4.0)); }

int PositionRangee(int i)
{
    if (i >= 6 && i <= 10)
        return 38 - 2 * (i - 6);
    if (i >= 12 && i <= 16)
        return 26 - 2 * (i - 12);
    return 0;
}

bool RangeeSol(int i) { return i >= 6 && i <= 10; }
bool RangeeFa(int i) { return i >= 12 && i <= 16; }

std::vector<rNoteSolfege> NotesSolfege(const cPiste &piste, const cAccord &accord, int tonalite)
{
    std::vector<rNoteSolfege> notes;
    if (accord.Etat != 1 || piste.Percussions)
        return notes;
    for (int s = 1; s <= std::min(accord.NbNotes, piste.NbCordes); ++s) {
        const cNote &n = *accord.Notes[s];
        if (n.Type != 1 || n.Case > MaxCase)
            continue;
        rNoteSolfege x;
        x.Corde = s;
        x.Hauteur = HauteurCase(piste, s, n.Case);
        x.Position = PositionHauteur(x.Hauteur, tonalite, x.Alteration);
        notes.push_back(x);
    }
    std::stable_sort(notes.begin(), notes.end(),
                     [](const rNoteSolfege &a, const rNoteSolfege &b) {
                         return a.Position < b.Position;
                     });
    for (std::size_t k = 1; k < notes.size(); ++k) {
        const rNoteSolfege &prec = notes[k - 1];
        if (notes[k].Position - prec.Position <= 1 && prec.X == XNote)
            notes[k].X = XNoteDecalee;
    }
    return notes;
}

rClicSolfege ClicSolfege(const cPiste &piste, const cAccord &accord, int tonalite, int q,
                         int bouton)
{
    rClicSolfege r;
    if (piste.Percussions)
        return r;
    for (const rNoteSolfege &n : NotesSolfege(piste, accord, tonalite))
        if (n.Position == q) {
            r.Action = rClicSolfege::eAction::Supprimer;
            r.Corde = n.Corde;
            return r;
        }
    const int h = HauteurPosition(q, bouton, tonalite);
    int meilleure = -1;
    for (int s = 1; s <= std::min(accord.NbNotes, piste.NbCordes); ++s) {
        if (accord.Notes[s]->Type != 0)
            continue; // a normal, tied or dead note stays
        const int f = CaseHauteur(piste, s, h);
        if (f >= 0 && f <= MaxCase && (meilleure < 0 || f < meilleure)) {
            meilleure = f;
            r.Corde = s;
        }
    }
    if (meilleure >= 0) {
        r.Action = rClicSolfege::eAction::Saisir;
        r.Case = meilleure;
    }
    return r;
}

bool AppliquerClicSolfege(cPartition &p, const rClicSolfege &clic, int nuance)
{
    rPosition c;
    p.PositionCurseur(c);
    if (!c.Accord || clic.Action == rClicSolfege::eAction::Rien || clic.Corde < 1 ||
        clic.Corde > c.Accord->NbNotes)
        return false;
    cAccord &a = *c.Accord;
    cNote &n = *a.Notes[clic.Corde];
    c.NumCorde = clic.Corde;
    if (clic.Action == rClicSolfege::eAction::Supprimer) {
        a.ViderNote(n);
        if (!a.ActualiserEtat()) {
            if (a.Suivant) {
                a.Etat = 2;
                a.LibererEffets();
            } else {
                a.Etat = 0;
            }
        }
    } else {
        if (a.Etat != 1) {
            a.ViderNotes();
            a.LibererEffets();
        }
        a.ViderNote(n);
        n.Type = 1;
        n.Case = static_cast<uint8_t>(clic.Case);
        n.Nuance = static_cast<uint8_t>(std::clamp(nuance, 1, 8));
        a.Etat = 1;
    }
    p.EffacerSelection();
    p.AttenteChiffre = false;
    p.PlacerCurseur(c);
    return true;
}
