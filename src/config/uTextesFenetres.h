// Where each window finds its texts in a language patch: the commands and menus of the main
// window, and the controls of every dialog. Windows apply them with AppliquerTextes.
#pragma once

#include <string>
#include <vector>

#include "config/uPatch.h"

// A command or a menu of the main window: its caption line and its hint line (0: no hint).
struct rTexteCommande {
    const char *Nom;
    const char *Section; // "MN_000", "MN300_000" or "DLG_DYNA_000"
    int LigneLegende;
    int LigneBulle;
};
const std::vector<rTexteCommande> &TextesCommandes();
// The entry of a command or menu by name, or null.
const rTexteCommande *TexteCommande(const std::string &nom);

// The window texts of a section, in line order (message lines excluded).
const std::vector<rPositionTexte> &PositionsSection(const std::string &section);
// The texts a dialog applies, in order: the shared buttons of "DLG_000" (OK, Cancel, Yes, No,
// the help hint, Clear, Close), then each of its own sections.
std::vector<rPositionTexte> PositionsDialogue(const std::vector<std::string> &sections);
// The main window's texts: every command and menu caption and hint.
std::vector<rPositionTexte> PositionsPrincipal();
