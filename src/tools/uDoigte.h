// Automatic fingering: every note of a range of measures of a track gets a string and a fret
// again, so that each beat is playable and the hand moves as little as possible. Used by the
// fingering tool, the transposition and the MIDI import.
#pragma once

#include <functional>

class cPiste;

// Highest fret the fingering uses on any string, whatever the track's fret count (frets above
// the track's count are allowed but cost much).
inline constexpr int MaxCase = 30;
// The progress runs from 0 to this value.
inline constexpr int EtapesProgression = 28;
using FnProgression = std::function<void(int etape)>;

struct rOptionsDoigte {
    // Semitones added to every pitch before it is placed (the transposition).
    int Decalage = 0;
    // The `Case` of normal notes holds a MIDI pitch rather than a fret (the MIDI import, whose
    // pitches need not fit any string yet).
    bool CasesEnHauteurs = false;
    // Called with 0 at the start and after each measure.
    FnProgression Progression;
};

struct rResultatDoigte {
    int NotesPerdues = 0;  // notes no string could hold (their grace notes included)
    int Silences = 0;      // beats that became rests because nothing in them could be placed
};

// Places measures premiere..derniere (1-based, clamped to the track). A beat keeps its tied and
// dead notes where they are; a tie that continues a moved note follows it to its new string;
// what cannot be placed in frets 0..MaxCase is dropped and counted. Nothing on a drum track.
rResultatDoigte PlacerDoigts(cPiste &piste, int premiere, int derniere,
                             const rOptionsDoigte &options = {});

// Pitch of a fret on a string (1-based) and back, with the five-string banjo's short string,
// whose frets are numbered from the fifth fret of the neck. No range check.
int HauteurCase(const cPiste &piste, int corde, int fret);
int CaseHauteur(const cPiste &piste, int corde, int hauteur);

// Cost of a beat's frets, given the context the optimiser sees (exposed for its tests):
// `suivante` the fret the next notes lie at (-1: none), `precedents` the frets of the normal
// notes of the three previous beats with their weights (7, 3, 0).
struct rFretPondere {
    int Poids;
    int Case;
};
double CoutDoigte(const int *cases, int nb, int nbFrets, int suivante,
                  const rFretPondere *precedents, int nbPrecedents);
