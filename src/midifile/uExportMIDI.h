// MIDI file export: the whole score, as playback would sound it, in a format-1 Standard MIDI
// File with a conductor track and one track per score track.
#pragma once

#include <string>

#include "playback/uGeneration.h"

class cPartition;

inline constexpr const char *CleEcritureMIDIImpossible = "MidiExp-EcritureFichierImpossibleEnregAb";

// The name the save dialog proposes: the score's folder and file name with ".mid" in place of
// its last four characters, or the title made safe for a file name; both empty otherwise.
struct rNomExportMIDI {
    std::string Dossier;
    std::string Nom;
};
rNomExportMIDI NomExportMIDI(const cPartition &p);

// Writes the file. Generation follows "ExportRepeats" and "ExportEffects" of `options`; every
// track gets its events whatever MIDI hardware is present. On failure returns false with the
// message key in `cle`, and an existing file at `chemin` is left as it was.
bool ExporterMIDI(cPartition &p, const std::string &chemin, const rOptionsGeneration &options,
                  std::string &cle);

// The command line's route: export with the default options.
bool EcrireFichierMIDI(cPartition &p, const std::string &chemin, std::string &cle);
