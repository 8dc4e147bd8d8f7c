// The command table of the main window: every command with its name, category, default
// caption and hint, shortcut and tag. Menus, tool buttons and keys all point at these entries;
// the language patch replaces the captions at start.
#pragma once

#include <string>
#include <vector>

class cPartition;

enum class eCategorie {
    Fichier,
    Edition,
    Mesure,
    Accord,
    DureeAccord,
    DureeNote,
    Note,
    Effet,
    Dynamique,
    Marker,
    Piste,
    Lecture,
    Affichage,
    Outils,
    Options,
    Aide
};

struct rCommande {
    const char *Nom;
    eCategorie Categorie;
    const char *Legende;   // default caption
    const char *Bulle;     // default hint
    const char *Raccourci; // key name with Ctrl+ and Shift+ prefixes, or ""
    int Tag;
    bool Cochable;
    const char *Groupe;    // commands of one exclusive group, or ""
};

const std::vector<rCommande> &TableCommandes();
const rCommande *Commande(const std::string &nom);

// Enabled and checked states that follow the cursor, for the commands they concern.
struct rEtatCommande {
    std::string Nom;
    bool Actif = true;
    bool Coche = false;
    bool ACoche = false; // the command's checked state is set by this refresh
};
// The refresh after every cursor move and edit; empty while the score is being destroyed,
// during playback or when the cursor has no note. `pressePapiersPlein` tells whether the
// clipboard holds a measure.
std::vector<rEtatCommande> EtatsCommandes(const cPartition &p, bool enLecture,
                                          bool pressePapiersPlein);

// The command the tuplet tool button stands for: the cursor beat's tuplet, or for a beat
// without one the tuplet last chosen from the tuplet menu (`dernier`, 3 at start).
std::string CommandeBoutonTriolet(int trioletAccord, int dernier);
// The note duration command whose picture the note duration tool button shows.
std::string CommandeBoutonDureeNote(int codeDuree);

// When playback starts (actif false) the editing commands are switched off; when it stops
// (actif true) those that do not follow the cursor come back, the others wait for the next
// EtatsCommandes. Only Actif is meaningful.
std::vector<rEtatCommande> EtatsEdition(bool actif);
