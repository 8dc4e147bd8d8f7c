// Where the program finds its files: the program directory, the data folders that hold the
// language and instrument patches, and the settings file.
#pragma once

#include <string>
#include <vector>

// The directory of the executable, with a trailing separator. Recorded at start; by default the
// directory of the running executable.
const std::string &RepertoireProgramme();
void DefinirRepertoireProgramme(const std::string &rep);

// Folders searched for patch files, in order: the program directory, the installed data folder
// beside it (../share/plectorium), then the source data folder of a development build.
std::vector<std::string> DossiersDonnees();
// Replaces the search list (tests, or a packager's layout); an empty list restores the default.
void DefinirDossiersDonnees(const std::vector<std::string> &dossiers);

// First existing file of that name in the data folders, or empty.
std::string TrouverFichierDonnees(const std::string &nomFichier);
// Every file with that extension (".pll", ".plp") in the data folders, by file name without the
// folder; a name found in an earlier folder hides the same name in later ones.
std::vector<std::string> ListerFichiersDonnees(const std::string &extension);

// The settings file: "Plec300.ini" in the program directory when that directory is writable,
// otherwise in $XDG_CONFIG_HOME/plectorium/ (~/.config/plectorium/), created when needed.
std::string CheminConfiguration();
// Forces the settings file path (tests); empty restores the rule above.
void DefinirCheminConfiguration(const std::string &chemin);

bool FichierExiste(const std::string &chemin);
