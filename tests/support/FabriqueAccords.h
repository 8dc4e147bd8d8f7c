// Small scores for tests: beats given as durations and (string, fret) pairs.
#pragma once

#include <initializer_list>
#include <utility>

#include "model/uPartition.h"

// A fret of -1 is a dead note.
using tNotes = std::initializer_list<std::pair<int, int>>;

// Appends a beat to the track measure (its first, empty beat is used first).
cAccord &AjouterAccord(cMesurePiste &mp, int code, tNotes notes, bool pointe = false);
// A rest of that duration.
cAccord &AjouterSilence(cMesurePiste &mp, int code, bool pointe = false);
// The track measure of measure m (1-based) of the track, measures added as needed.
cMesurePiste &MesureDe(cPartition &p, cPiste &t, int m);
