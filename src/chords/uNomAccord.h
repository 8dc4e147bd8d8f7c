// Chord naming and fingering search: from six string pitches to every name that describes
// them, and from a chord definition to its tones and its playable fingerings.
// Strings are indexed 0..5 for strings 1 (highest) .. 6 (lowest); pitches are MIDI numbers,
// -1 for a string that is not played; pitch classes count from C = 0.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/uDiagramme.h"

inline constexpr int RacinePerso = 12; // the "User" root: a fingering without a definition
inline constexpr int NbDegres = 7;     // degrees 1, 3, 5, 7, 9, 11, 13
inline constexpr int MaxNomsPossibles = 12;
inline constexpr int MaxSolutions = 300;
inline constexpr int MaxPositions = 20;

enum eTypeAccord {
    TypeM, Type7, Type7M, Type6, TypeMin, TypeMin7, TypeMin7M, TypeMin6, TypeSus2, TypeSus4,
    Type7Sus2, Type7Sus4, TypeDim, TypeAug, Type5, NbTypesAccord
};
enum eNiveauRecherche { NiveauSimple = 0, NiveauMoyen = 1, NiveauTout = 2 };

using tHauteurs = std::array<int, 6>; // sounding pitch per string, -1 = not played
using tCases = std::array<int, 6>;    // fret per string, -1 = not played

// "C".."B" with sharps, "Db" "Eb" "Gb" "Ab" "Bb" with flats; empty outside 0..11.
std::string NomNote(int hauteur, bool diese);
const char *TexteTypeAccord(int type);      // "" for type 0 ("M" is only a list caption)
const char *LegendeTypeAccord(int type);    // the list caption: "M" for type 0
const char *TexteExtension(int extension);  // "", "9", "11", "13"
const char *TexteAlteration(int alteration); // "", "-", "+"

struct rOptionsNom {
    bool Diese = true;
    bool AlwaysAddBass = false;
};

// Root 12 gives an empty name. `inversion` < 0 means the bass is not a chord tone (always
// written after "/").
std::string ComposerNom(int fondamentale, int type, bool montrerOmis,
                        const std::array<bool, NbDegres> &sansDegre, int basse, int inversion,
                        bool add, int onzieme, int neuvieme, int quinte, int dimAug,
                        int extension, const rOptionsNom &o);

struct rNomPossible {
    std::string Nom;
    int Basse = 0;
    int Fondamentale = 0;
    int TypeAccord = 0;
    int Extension = 0;
    int DimAug = 0;
    int Quinte = 0;
    int Neuvieme = 0;
    int Onzieme = 0;
    bool Add = false;
    std::array<bool, NbDegres> Absent{};
    std::array<bool, NbDegres> SansDegre{};
    int Complexite = 0;
    int Inversion = 0; // -1 for the names found with the bass set apart
};

// Every name of the fingering, simplest first (at most 12).
std::vector<rNomPossible> NommerAccord(const tHauteurs &hauteurs, const rOptionsNom &o);

// One degree of a chord definition.
struct rDegre {
    int Hauteur = -1; // pitch class, -1 when the chord has no such degree
    bool Actif = false;
    bool Coche = false;
};
using tDegres = std::array<rDegre, NbDegres>;
// The degrees of the definition held by the record's root, type, extension and alterations.
tDegres DegresAccord(const rDiagramme &d);

// Which option lists the window leaves enabled.
struct rOptionsActives {
    bool Extension = true, DimAug = true, Quinte = true, Neuvieme = true, Onzieme = true,
         Add = true;
};
// Clears the options the type and extension forbid (and forces "add" where an extension needs
// it); returns which lists stay enabled.
rOptionsActives AppliquerReglesOptions(rDiagramme &d);

// Barres found in a fingering, in the record's layout.
struct rBarres {
    int Nb = 0;
    std::array<int, 2> Case{}, Debut{}, Fin{};
};
rBarres DetecterBarres(const tCases &cases, int position);

// The context a fingering is judged in: the open-string pitches (-1 for a string the
// instrument does not have), the chord type and the search level.
struct rContexteDoigte {
    tHauteurs Accordage{64, 59, 55, 50, 45, 40};
    int TypeAccord = 0;
    int Niveau = NiveauSimple;
};
bool Jouable(const tCases &cases, const rBarres &barres, int position,
             const rContexteDoigte &ctx);

enum class eRecherche {
    Faite,          // the search ran (Solutions may still be empty)
    TropDeNotes,    // more than six tones: the user must omit some
    TropPeuDeNotes, // fewer than two tones
    SansDefinition  // the user chord has no tones
};
struct rResultatRecherche {
    eRecherche Etat = eRecherche::Faite;
    int Inversion = -1;           // index of the bass among the tones, -1 when it is none
    std::vector<int> Notes;       // the tones, pitch classes
    std::vector<rDiagramme> Solutions;
};
// Every playable fingering of the definition `d` (root, type and options) with the ticked
// degrees `inclus` and the bass `basse`. Each solution copies the definition of `d`, its
// name (`nom`, 20 characters) and `diese`. At most 300.
rResultatRecherche ChercherDoigtes(const rDiagramme &d, int basse,
                                   const std::array<bool, NbDegres> &inclus, int niveau,
                                   const tHauteurs &accordage, const std::string &nom,
                                   bool diese);

// Sounding pitches of a fingering on a tuning (strings outside it are silent).
tHauteurs HauteursDoigte(const tCases &cases, const tHauteurs &accordage);

// A record's definition reset to the user chord with no fingering.
void ViderDiagramme(rDiagramme &d);

// ---------------------------------------------------------------- text forms (command line)

// "x32010", "x,3,2,0,1,0" or "8,10,10,9,8,8": strings 6 to 1. False when malformed.
bool LireCases(const std::string &texte, tCases &cases);
// Strings 6 to 1, comma-separated, "x" for a silent string.
std::string EcrireCases(const tCases &cases);

// A name in the form ComposerNom writes it (root, type, "add", extension, its alteration,
// "/5±", "/9±", "/11±", "/bass", and optionally " (no..)"), read back into a definition with
// the window's option rules applied. False when it is not such a name.
struct rNomLu {
    rDiagramme Definition{};
    int Basse = 0;
    std::array<bool, NbDegres> Inclus{};
};
bool LireNomAccord(const std::string &nom, rNomLu &lu);
