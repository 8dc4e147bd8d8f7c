// Tunings: the presets the track properties offer, the default tuning and colour of each string
// count, and the names of pitches.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/uConstantes.h"

using tAccordage = std::array<int, MaxCordes>; // strings 1..7, -1 past the string count

struct rPresetAccordage {
    const char *Nom;
    int NbCordes;
    tAccordage Hauteurs;
};

// The presets in the order of the list.
const std::vector<rPresetAccordage> &PresetsAccordage();
// Index of the first preset with this string count and these pitches, or -1.
int PresetCorrespondant(int nbCordes, const tAccordage &hauteurs);
// A banjo preset: its name holds "BANJO", in any case.
bool PresetBanjo(const rPresetAccordage &preset);

// The tuning a change of string count resets to (4..7 strings).
tAccordage AccordageParDefaut(int nbCordes);
// The track colour that goes with it: 0x00FFFF for 4 or 5 strings, red for 6 or 7.
int CouleurParDefaut(int nbCordes);

// "C", "C#", ... "B" followed by trunc(pitch / 12): 64 is "E5".
std::string NomHauteur(int hauteur);
