// Transposition of a track by a number of semitones: fretted tracks are fingered again so that
// the shifted pitches stay playable; drum tracks shift their percussion keys.
#pragma once

#include "tools/uDoigte.h"

class cPartition;

inline constexpr int TranspositionMax = 12;

// Every played note of the track moves by `demitons` (-12..12). Fretted: the fingering of the
// whole track follows. Drums: a key that would leave 0..127 is dropped. Counts what was lost.
rResultatDoigte TransposerPiste(cPiste &piste, int demitons, const FnProgression &progression = {});
// Every fretted track of the score (drum tracks untouched), as the command line does it.
rResultatDoigte TransposerPistesFrettees(cPartition &p, int demitons);
