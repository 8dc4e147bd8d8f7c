// Offline rendering of a score to a WAV file through the built-in synthesizer: the events of
// playback (channel set-up, every bar of the play order, mix table changes, mute and solo),
// timed by the score's tempo changes exactly, rendered as fast as the machine allows.
#pragma once

#include <string>

#include "playback/uGeneration.h"

class cPartition;

inline constexpr const char *CleAucuneSoundFont = "Gene-AucuneSoundFont";
inline constexpr const char *CleEcritureAudioImpossible = "Gene-EcritureAudioImpossible";

struct rRenduWAV {
    double DureeMusique = 0; // seconds until the last event
    double DureeTotale = 0;  // seconds written, release included
};

// 44.1 kHz, 16-bit stereo. On failure returns false with a message key and leaves no file.
bool RendreWAV(cPartition &p, const std::string &chemin, const rOptionsGeneration &options,
               const std::string &soundFont, std::string &cle, rRenduWAV *infos = nullptr);

// The command line's route: the playback options of the settings when loaded, the defaults
// otherwise, and the installed SoundFont.
bool EcrireFichierWAV(cPartition &p, const std::string &chemin, std::string &cle);
