// Typing tablature at the edit cursor: string and beat moves with the placeholder rule, frets
// typed digit by digit, note and beat edits, durations, dynamics and the on/off effects with
// their exclusions. Every function works on the score's cursor and changes nothing when the
// operation does not apply there.
#pragma once

#include <functional>

class cPartition;
class cPiste;

// ---------------------------------------------------------------- moves

enum class eMouvementCorde { Haut, Bas, Premiere, Derniere };
// Up from string 1 wraps to the last string, down from the last to string 1.
void DeplacerCorde(cPartition &p, eMouvementCorde m);

enum class eMouvementTemps { Premier, Precedent, Suivant, Dernier };
// What a beat move did to the score besides moving.
enum class eResultatMouvement {
    Rien,       // not applicable: nothing moved
    Deplace,    // the cursor moved, the score is as it was
    Modifie,    // the placeholder was removed or a beat appended in the cursor's measure
    MesureAjoutee // a measure was appended at the end of the score
};
// First (Home), previous (Left), next (Right, Enter) and last (End) beat.
eResultatMouvement DeplacerTemps(cPartition &p, eMouvementTemps m);

// ---------------------------------------------------------------- frets and notes

// Sounding pitch of fret `fret` on string `corde` of a fretted track (tuning and capo; the
// banjo's fifth string keeps its frets shifted by five).
int HauteurNote(const cPiste &t, int corde, int fret);

// One digit typed at the cursor: two-digit frets (0..30, any pair on drums), the banjo's fifth
// string. A fret whose pitch would pass 127 is refused: nothing changes but the pending digit is
// forgotten; returns false then.
bool TaperChiffre(cPartition &p, int chiffre, int nuanceDefaut);
// A fret from the fret menu (0..29), as a single entry. False when refused (pitch past 127).
bool PoserCase(cPartition &p, int fret, int nuanceDefaut);
// Delete key: a rest beat is deleted; otherwise the note is cleared and the beat becomes empty
// (the last beat of its measure) or a rest (another beat follows) when no note is left.
bool EffacerNote(cPartition &p);
// The cursor note becomes a dead note; the beat becomes normal.
bool NoteMorte(cPartition &p);
// Ties a note that is not tied; a tied note is cleared as by EffacerNote.
bool Lier(cPartition &p);
// The cursor beat becomes a rest.
bool Silence(cPartition &p);
// Dynamic 1..8 of the cursor note, or of every note of the beat.
bool Nuance(cPartition &p, int nuance, bool toutAccord);
// Moves a normal note to the nearest free string towards string 1 (haut) or the last one whose
// fret stays in 0..30 (any on drums, 5 or more on the banjo's fifth string). The cursor follows.
bool DeplacerNote(cPartition &p, bool haut);

// ---------------------------------------------------------------- durations

// Beat duration code -2..4, dotted flag and tuplet; notes without their own duration follow.
bool DureeAccord(cPartition &p, int code);
bool BasculerPointeAccord(cPartition &p);
bool TrioletAccord(cPartition &p, int triolet);
// The note's own duration; DureePropre says whether it differs from its beat's.
bool DureeNote(cPartition &p, int code);
bool BasculerPointeNote(cPartition &p);
// No tuplet <-> the beat's tuplet.
bool BasculerTrioletNote(cPartition &p);
// One step shorter (+1) or longer (-1) from `code`, held within whole..sixty-fourth.
int PasDuree(int code, int sens);

// ---------------------------------------------------------------- effects

// Effect numbers of the effect commands.
enum eEffet {
    EffetBend = 0,
    EffetHammer = 1,
    EffetSlide = 2,
    EffetLetRing = 3,
    EffetSugeree = 4,
    EffetVibrato = 5,
    EffetTremolo = 6,
    EffetHarmN = 7,
    EffetHarmA = 8,
    EffetFadeIn = 9,
    EffetTapping = 10,
    EffetSlap = 11,
    EffetPop = 12,
    EffetAppogiature = 13,
    EffetBrushUp = 14,
    EffetBrushDown = 15,
    EffetCoupVB = 16,
};
// Opens the editor of an effect that has one; returns whether the score changed.
using FnEditeurEffet = std::function<bool(int effet)>;
// Toggles effect 0..16 at the cursor. Bend and grace note always go to their editor; a brush or
// the stroke of vibrato is cleared when set, otherwise edited. Without an editor those report no
// change. When the score changed, the exclusions of the effect are applied and empty effect sets
// freed. Returns whether the score changed.
bool BasculerEffet(cPartition &p, int effet, int nuanceDefaut, const FnEditeurEffet &editeur = {});
// The exclusions of an effect at the cursor, then empty effect sets freed (for editors that
// change an effect themselves).
void AppliquerExclusions(cPartition &p, int effet);
