// Text tablature out: one track of the score laid out as lines of characters, systems of
// measures side by side up to a line width, and the ".tab" file holding them.
#pragma once

#include <string>
#include <vector>

class cPartition;
class cPiste;

constexpr int LargeurASCIIMin = 40;
constexpr int LargeurASCIIMax = 999;
constexpr int LargeurASCIIDefaut = 80;

// The lines of the text (Windows-1252, as the model's texts): the header, then for each system
// its chord-name line, one line per string and two empty lines. `largeur` is the line width W.
std::vector<std::string> ConstruireTexteASCII(const cPartition &p, const cPiste &piste,
                                              int largeur);

// The bytes of a text file: each line in UTF-8 followed by a line break.
std::string ContenuFichierTexte(const std::vector<std::string> &lignesUtf8);

// The name a save dialog proposes: the score's file name in lower case with ".tab" in place of
// its last four characters, in the score's folder; for a score never saved, the title (with the
// characters file names cannot hold replaced) and ".tab"; empty without either. UTF-8.
std::string NomProposeASCII(const cPartition &p);

// Command line: track `numPiste` (1-based) at width `largeur` into a UTF-8 text file, through
// the safe writer. Failure keys: "ASCIIExp-EcritureFichierImpossibleExportAb".
bool EcrireFichierTAB(const cPartition &p, int numPiste, int largeur, const std::string &chemin,
                      std::string &cle);
