// Score files of the older generation (extension "plt", versions 1.00 to 2.21): reading every
// version into the model, and the export of a score to version 2.21.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class cPartition;
class cListeAccordsImpression;

// The highest number of beats a track measure keeps in version 2.21.
constexpr int MaxAccordsAncien = 64;

// Reads a whole file image whose header matched an older version (100..221) into `p`, which
// is first replaced by a new score, and its print chord list into `liste`. On failure returns
// false with "Fichier-Incorrect"; `p` is then a new, empty, untitled score and `liste` empty.
// Path fields are left to the caller.
bool LireAncienFormat(const uint8_t *donnees, std::size_t n, int version, cPartition &p,
                      cListeAccordsImpression &liste, std::string &cle);

// The file image of version 2.21. The score is only read: the slots that no track fills take
// a filler track that exists only while writing. `nomPercussions` names the filler of the
// drum slot (the "Gene-Percussions" text).
void EcrireAncienFormatMemoire(const cPartition &p, const cListeAccordsImpression &liste,
                               const std::string &nomPercussions, std::string &sortie);

// True when an exported track has a measure of more than 64 beats, which the export cuts.
bool ExportAncienPerdAccords(const cPartition &p);

// Writes version 2.21 through the safe writer. Failure key:
// "MidiExp-EcritureFichierImpossibleEnregAb".
bool ExporterAncienFormat(const cPartition &p, const cListeAccordsImpression &liste,
                          const std::string &nomPercussions, const std::string &chemin,
                          std::string &cle);
