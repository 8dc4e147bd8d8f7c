// The drum-kit window's logic: the percussion keys 27..87 with their names, the sample a click
// plays, and the entry of a key as the fret of the cursor's note on a drum track.
#pragma once

#include <string>
#include <vector>

class cPartition;

inline constexpr int PremiereCleBatterie = 27;
inline constexpr int DerniereCleBatterie = 87;

// The name of a percussion key; empty outside 27..87.
const char *NomPercussion(int cle);
// key + " - " + name.
std::string EntreePercussion(int cle);

// A note on at 0 on `canal` with velocity 127 and its note off at 480 ticks with velocity 50.
struct rNoteEchantillon {
    double Temps;
    unsigned char Statut, Donnee1, Donnee2;
};
std::vector<rNoteEchantillon> EchantillonPercussion(int canal, int cle);

// The key as the fret of the cursor's note, the note and the beat made normal. Only on a drum
// track (a key is no fret on a guitar): false elsewhere, and for a key outside 27..87.
bool SaisirPercussion(cPartition &p, int cle);
