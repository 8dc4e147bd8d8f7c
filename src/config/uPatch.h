// Language patches: the patch lines, the message table built from them, message lookup and
// parameters, window texts by line position, automatic accelerators and the help file.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "config/uIni.h"

// Shown in place of a message whose key is absent from the table.
inline constexpr const char *TexteTraductionAbsente = "[Internal error : Translation not found]";
inline constexpr const char *MarqueConfigurationPatch = "### PATCH CONFIGURATION ###";
inline constexpr const char *MarqueRaccourcisAuto = "AUTOMATIC SHORTCUTS";

// One entry of the message table: where its text stands in the patch, and how many "%s" of the
// text become "#1"/"#2".
struct rPositionMessage {
    const char *Section;
    int Ligne;
    const char *Cle; // Windows-1252
    int NbParametres;
};
// The fixed message positions, in chain order.
const std::vector<rPositionMessage> &PositionsMessages();

class cPatchLangue {
public:
    // File lines, as read, without line ends. Whoever changes them rebuilds the table.
    std::vector<std::string> LignesPatch;
    std::vector<std::string> TableMessages; // "key=text"
    std::string Auteur;
    bool RaccourcisAutomatiques = false;

    // Reads a patch file and builds the table. A file that cannot be read leaves this patch
    // as it was and returns false.
    bool Charger(const std::string &chemin);
    void ChargerTexte(const std::string &texte);
    void ConstruireTableMessages();

    // Index in LignesPatch of the section's header line, or -1.
    int LigneSection(std::string_view section) const;
    bool SectionExiste(std::string_view section) const { return LigneSection(section) >= 0; }
    // Text between the first two double quotes of line n after the header; empty when the
    // section is missing, the line lies beyond the end of the file, or has no two quotes.
    std::string TexteEntreGuillemets(std::string_view section, int n) const;
    std::string Traduction(const std::string &cle) const;
    // The caption with an "&" before its first free letter, when automatic accelerators are on.
    std::string RaccourcisAuto(const std::string &legende, std::string &lettresUtilisees) const;

private:
    // First index of each line text, without regard to case: section headers are found without
    // a scan of the whole file for every window text. Rebuilt by ConstruireTableMessages.
    cIndexSansCasse Index;
};

// Text between the first and the second double quote of a line.
std::string TexteDeLigne(std::string_view ligne);
// "#1" and "#2" replaced by the parameters; a missing marker puts its parameter in front.
std::string RemplacerParam(const std::string &texte, const std::string &p1);
std::string RemplacerParam(const std::string &texte, const std::string &p1,
                           const std::string &p2);
// The first "%s" becomes "#1" and, for two parameters, the next one "#2".
std::string RemplacerPourcentS(const std::string &texte, int nbParametres);
// Accelerator letter choice on its own (used by cPatchLangue::RaccourcisAuto).
std::string InsererRaccourci(const std::string &legende, std::string &lettresUtilisees);

// The patch of the running program.
cPatchLangue &PatchCourant();
// File name of a language's patch ("Français" -> "Français.pll"; language names are
// Windows-1252, file names UTF-8).
std::string NomFichierPatch(const std::string &langue);
// Path of a language's patch in the data folders, or empty.
std::string CheminPatch(const std::string &langue);
// Loads the language's patch into the current patch; false keeps the previous one.
bool ChargerPatch(const std::string &langue);
std::string Traduction(const std::string &cle);
std::string TexteEntreGuillemets(std::string_view section, int n);
std::string RaccourcisAuto(const std::string &legende, std::string &lettresUtilisees);
const std::string &AuteurPatch();

// Help files: 1 French, 2 English, 3 German.
std::string NomFichierAide(int helpFile);
// "HelpFile" 0 (not chosen) derived from the language: English 2, Deutsch 3, anything else 1.
int DeriverHelpFile(int helpFile, const std::string &langue);
// The help language that follows a language change, or 0 for a language without its own help.
int HelpFilePourLangue(const std::string &langue);
// Selects the application's help file (program directory, then the data folders).
void SelectionnerFichierAide(int helpFile);
const std::string &FichierAideCourant();

// Window texts applied by line position.
enum class eGenreTexte {
    Legende, // a caption: takes an automatic accelerator
    Bulle,   // a hint
    Element, // a list item, a column title, a label without accelerator
};
struct rPositionTexte {
    const char *Section;
    int Ligne;
    const char *Nom; // the control (or the window itself, "")
    eGenreTexte Genre;
};
using FnTexteFenetre = std::function<void(const rPositionTexte &, const std::string &texte)>;

// Applies a window's texts, in the order of the positions (which is the order of the automatic
// accelerators: OK and Cancel first). A section whose header is missing is skipped and its
// controls keep their built-in captions. For a dialog, nothing is applied without "DLG_000",
// and each further section is applied only when the one before it exists.
// Returns the number of texts applied.
int AppliquerTextes(const cPatchLangue &patch, const std::vector<rPositionTexte> &positions,
                    bool dialogue, const FnTexteFenetre &fn);
