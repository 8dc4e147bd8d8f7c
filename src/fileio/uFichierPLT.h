// Native score files: the current version ("FICHIER PLECTORIUM v3.00", extension "pl3"),
// header detection for every version, safe saving, and the command line's routes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class cPartition;
class cListeAccordsImpression;

constexpr int VersionCourante = 300;
constexpr std::size_t TailleEntete = 31;

// Version number of a file header (the first 31 bytes), 0 when it matches no known magic.
int VersionEntete(const uint8_t *entete, std::size_t n);

// The whole file image of a score and its print chord list, in the current version.
// Filler, pad bytes and unused text tails are zeros, so equal content gives equal bytes.
void EcrireFichierMemoire(const cPartition &p, const cListeAccordsImpression &liste,
                          std::string &sortie);

// Replaces `p` by a new score (`Nouveau`) and reads a file image into it, and the print chord
// list into `liste`. On failure returns false with a message key; `p` is then a new, empty,
// untitled score and `liste` is empty. Path fields are left to the caller.
bool LireFichierMemoire(const uint8_t *donnees, std::size_t n, cPartition &p,
                        cListeAccordsImpression &liste, std::string &cle);

// Writes through a temporary file beside the target, renamed over it only after a complete,
// synced write: a failed save leaves the previous file as it was. The score is not changed
// (its name included). Failure key: "MidiExp-EcritureFichierImpossibleEnregAb".
bool EnregistrerFichier(const cPartition &p, const cListeAccordsImpression &liste,
                        const std::string &chemin, std::string &cle);

// Reads a score file. On success `Chemin` and `NomFichier` name the file, a ".plt" path
// renamed to ".pl3" (the caller puts the original path into the recent files first).
// On failure: as LireFichierMemoire; keys "Fichier-AccesImpossible", "Fichier-VersionAncienne",
// "Fichier-Incorrect".
bool OuvrirFichier(cPartition &p, cListeAccordsImpression &liste, const std::string &chemin,
                   std::string &cle);

// Command-line routes: the score with the shared print chord list.
bool LireFichierPL3(const std::string &chemin, cPartition &p, std::string &cle);
bool EcrireFichierPL3(cPartition &p, const std::string &chemin, std::string &cle);
