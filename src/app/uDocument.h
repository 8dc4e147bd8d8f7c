// The document rules of the main window that need no window: the file name proposed from a
// title, the recent-files list, the caption.
#pragma once

#include <array>
#include <string>

class cPartition;

inline constexpr int NbRecents = 5;
using tFichiersRecents = std::array<std::string, NbRecents>;

// The title with " * / : < > ? \ | replaced by "_", then ".pl3"; empty for an empty title.
std::string NomProposeDepuisTitre(const std::string &titre);
// The file-name part of a path.
std::string PartieNomFichier(const std::string &chemin);
// Puts a path at the top of the list (nothing when the file does not exist; entries above an
// earlier place move down; a new path pushes the fifth entry out).
void AjouterFichierRecent(tFichiersRecents &liste, const std::string &chemin, bool existe);
// "&k  " and the file-name part (k from 1).
std::string LibelleFichierRecent(int k, const std::string &chemin);
// "Plectorium 3.0 - " and the file name (or `sansNom`), with " - t=" and the playback tempo
// while playing.
std::string TitreFenetre(const cPartition &p, const std::string &sansNom, bool enLecture = false,
                         int tempoLecture = 0);
// The name shown by the save-changes prompt: the file name or `sansNom`, cut to 50 characters.
std::string NomPourQuestion(const cPartition &p, const std::string &sansNom);
