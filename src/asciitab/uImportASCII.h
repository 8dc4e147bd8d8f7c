// Text tablature in: the analysis of a text into measures of beats, done completely before the
// score is touched, and the writing of its result into a track.
//
// Tabs as people post them are read too: labels such as "e|", "G |", "e:|" or "D#|", lines
// drawn with dashes of any kind, systems cut short, rows that are not strings among them
// (rhythm, palm-mute and bracket rows, lyrics, chord names), systems glued together without a
// blank line, and remarks after the last bar ("x2"). What is passed over is reported.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/uConstantes.h"

class cPartition;
class cPiste;

// "TypeImport": how rhythm is found.
enum eTypeImport { ImportVariable = 0, ImportBlanches, ImportNoires, ImportCroches,
                   ImportDoublesCroches };

struct rOptionsImportASCII {
    int TypeImport = ImportVariable;
    int NbTirets = 4;  // columns between two quarter-note beats in variable mode ("NbTirets" + 1)
    int MaxFrets = 24; // a two-digit number above this is read as two frets
};

struct rNoteASCII {
    uint8_t Type = 0; // 0 none, 1 normal, 3 dead
    uint8_t Case = 0;
    bool Sugeree = false; // written in parentheses
    bool HammerPullOff = false;
    bool Slide = false;
    uint8_t Bend = 0; // 0 none, 1 bend, 2 bend and release
    int32_t ValeurBend = 0;
};

struct rAccordASCII {
    int8_t CodeDuree = 0;
    bool Pointe = false;
    std::array<rNoteASCII, MaxCordes> Notes{}; // string 1 first
    bool Vibrato = false;
    int8_t Frappe = 0; // 1 tapping, 2 slap
};

struct rMesureASCII {
    std::vector<rAccordASCII> Accords;
};

// Something of the text that was passed over, by its line (1-based).
struct rRemarqueASCII {
    enum eGenre {
        BlocIgnore, // string lines that do not form whole systems (Nombre = their count)
        FinCoupee,  // the last system, cut short (Nombre = its line count)
        TexteIgnore, // a remark after the tablature of a line (Texte)
        MesuresMax,  // bars past the score's limit (Nombre = the limit)
    };
    eGenre Genre = BlocIgnore;
    int Ligne = 0;
    int Nombre = 0;
    std::string Texte; // Windows-1252
};

struct rAnalyseASCII {
    // A refused text: the message key and its parameters; nothing may be imported.
    std::string Cle;
    std::string Param1, Param2;
    int NbCordes = 6;
    std::vector<rMesureASCII> Mesures;
    int NbSystemes = 0;
    int NbNotes = 0;
    std::vector<rRemarqueASCII> Remarques;
    // The string labels of the first system read ("" where a line has none).
    std::vector<std::string> Etiquettes;

    bool Refusee() const { return !Cle.empty(); }
};

// Beats a measure of the import holds before the next beat starts a new one.
constexpr int MaxAccordsImportASCII = 32;

// Analyses UTF-8 lines (a text file's or the import box's) for a track of `nbCordes` strings.
// Keys of a refusal: "ASCIIImp-AucuneTablature" (no line is a string line),
// "ASCIIImp-NbLignesIncorrect" (no whole system for that many strings; parameters: the string
// count and the line count of the first block).
rAnalyseASCII AnalyserTexteASCII(const std::vector<std::string> &lignes, int nbCordes,
                                 const rOptionsImportASCII &options);

// A text's lines classified once, for the string count and any number of analyses of the same
// text. It refers to the lines it is made from, which must outlive it.
class cTexteASCII {
public:
    explicit cTexteASCII(const std::vector<std::string> &lignes);
    ~cTexteASCII();
    cTexteASCII(const cTexteASCII &) = delete;
    cTexteASCII &operator=(const cTexteASCII &) = delete;

    struct rDonnees;
    const rDonnees &Donnees() const { return *D; }

private:
    std::unique_ptr<rDonnees> D;
};
rAnalyseASCII AnalyserTexteASCII(const cTexteASCII &texte, int nbCordes,
                                 const rOptionsImportASCII &options);

// How many of the analysed measures have exactly their length, `longueur`(i) giving the length
// in ticks of measure i (1-based) of the score they go into.
int MesuresCompletesASCII(const rAnalyseASCII &analyse,
                          const std::function<double(int)> &longueur);

// The string count the text's systems have (4..7), 0 when it holds no string line.
int NbCordesTexteASCII(const std::vector<std::string> &lignes);
int NbCordesTexteASCII(const cTexteASCII &texte);

// Open-string pitches for `nbCordes` strings from their labels (letters with an optional sharp
// or flat), each in the octave nearest the usual tuning of such an instrument; the usual tuning
// where any label is missing or is no note name.
std::array<int32_t, MaxCordes> AccordageEtiquettes(const std::vector<std::string> &etiquettes,
                                                   int nbCordes);

// Replaces the content of `piste` (its properties stay) by the analysed measures, adding
// measures to the score where needed; the cursor goes to the track's first beat.
void ImporterDansPiste(cPartition &p, cPiste &piste, const rAnalyseASCII &analyse);

// The lines of a text file as UTF-8: a byte-order mark is dropped, a file that is not UTF-8 is
// read as Windows-1252, and any line end is accepted. False when it cannot be read.
bool LireFichierTexte(const std::string &chemin, std::vector<std::string> &lignes);

// Splits a text (UTF-8 or Windows-1252 bytes) into UTF-8 lines as LireFichierTexte does.
std::vector<std::string> LignesTexte(std::string contenu);

// Command line: a new score with one track whose string count and tuning come from the text.
// Failure keys: "ASCIIImp-AccesFicImpossibleImportationAb" and those of AnalyserTexteASCII.
// What was passed over is left in `remarques` (English is up to the caller).
bool LireFichierTAB(const std::string &chemin, cPartition &p, std::string &cle,
                    std::vector<rRemarqueASCII> *remarques = nullptr);
