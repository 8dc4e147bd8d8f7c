// The standard notation window's music: where a pitch stands on the staff in a key, the key
// signature's glyphs, the notes of a beat as the window draws them, and what a click on the
// staff does. A pitch is written one octave above its sounding pitch, as guitar music is.
#pragma once

#include <string>
#include <vector>

class cAccord;
class cPartition;
class cPiste;

inline constexpr int TonaliteMin = -7, TonaliteMax = 7;

// Accidentals.
inline constexpr int AltAucune = 0, AltDiese = 1, AltBemol = 2, AltBecarre = 3;

// Staff position of a pitch in a key (7 positions per octave) and the sign it is written with.
int PositionHauteur(int hauteur, int tonalite, int &alteration);
// The name of a key, "Cb" .. "C#".
const char *NomTonalite(int tonalite);
// Staff position of key-signature glyph c (1..|tonalite|) on the treble or the bass staff.
int PositionArmure(bool sol, int tonalite, int c);
// What the key signature does to a step (0 C .. 6 B): +1, -1 or 0.
int AlterationArmure(int etape, int tonalite);
// The pitch a click at position q enters, with the accidental button down (AltAucune: the key's).
int HauteurPosition(int q, int bouton, int tonalite);

// Geometry of the staff picture.
inline constexpr int YPosition(int q) { return 212 - 4 * q; }
int PositionY(int y);
inline constexpr int PositionMin = 5, PositionMax = 51;
inline constexpr int XNote = 70, XNoteDecalee = 76;
inline constexpr int NbRangees = 23;
inline constexpr int YRangee(int i) { return 8 * i + 12; }
// Position of the line of row i, for the rows of the two staves (0 otherwise).
int PositionRangee(int i);
bool RangeeSol(int i);
bool RangeeFa(int i);

struct rNoteSolfege {
    int Corde = 0;
    int Hauteur = 0;
    int Position = 0;
    int Alteration = AltAucune;
    int X = XNote;
};
// The normal notes of the beat with frets 0..30, lowest position first (equal positions keep
// string order); seconds alternate to the right.
std::vector<rNoteSolfege> NotesSolfege(const cPiste &piste, const cAccord &accord, int tonalite);

// A click at position q: delete the note shown there, or enter the pitch on the empty string
// that takes it at the lowest fret (never over a tied or dead note), or nothing.
struct rClicSolfege {
    enum class eAction { Rien, Supprimer, Saisir } Action = eAction::Rien;
    int Corde = 0;
    int Case = 0;
};
rClicSolfege ClicSolfege(const cPiste &piste, const cAccord &accord, int tonalite, int q,
                         int bouton);
// Carries a click out on the cursor's beat: the cursor goes to the string; a deleted note
// leaves the beat empty (or a rest when another beat follows it); an entered note makes the
// beat normal. Returns whether the score changed.
bool AppliquerClicSolfege(cPartition &p, const rClicSolfege &clic, int nuance);
