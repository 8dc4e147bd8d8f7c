// The state of the four effect editors (bend, grace note, brush, stroke of the vibrato): how
// each starts from the model, what a user action changes, and what OK, Clear and Cancel leave
// in the score. The dialogs only show this state and forward clicks and keys to it.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "model/uAccord.h"
#include "model/uEffets_Accord.h"
#include "model/uEffets_Note.h"
#include "model/uNote.h"

// ---------------------------------------------------------------- bend

constexpr int NbPositionsBend = 61; // grid positions 0..60
constexpr int NbAmplitudesBend = 12;
constexpr int IndexAmplitudeFull = 8;

struct rPointBend {
    int Hauteur = -1; // -1: no point; else 0..300
    int Vibrato = 0;  // 0..3
};

enum class eBoutonSouris { Gauche, Droit, Autre };

class cEditeurBend {
public:
    int Type = 0; // 0 none, 1..5 the presets
    int IndexAmplitude = IndexAmplitudeFull;
    std::array<rPointBend, NbPositionsBend> Grille{};

    // Entry i of the amplitude list, top to bottom, in hundredths of a whole tone.
    static int AmplitudeDe(int index) { return 300 - 25 * index; }
    // The list entry of an amplitude (any value read from a file lands on an entry).
    static int IndexDe(int amplitude);
    int Amplitude() const { return AmplitudeDe(IndexAmplitude); }

    // Starts from a note: its bend when it has one (values clamped to the grid), else "Full"
    // and the "Bend" preset. Returns whether the note had a bend.
    bool Charger(const cNote &n);
    // A preset button (1..5) pressed, or none (0): grid cleared and refilled.
    void AppliquerPreset(int type);
    // An amplitude chosen in the list: the pressed preset (Type) is applied again with it.
    void ChoisirAmplitude(int index);
    // "Clear": no type, empty grid.
    void Effacer();
    // A click in the drawing area at (x, y); returns whether the grid changed.
    bool Clic(int x, int y, eBoutonSouris bouton);
    int NbPoints() const;

    // Grid geometry of the drawing area.
    static int XPosition(int p) { return 10 + 5 * p; }
    static double YHauteur(int h) { return 130 - h / 2.5; }

    // The bend as OK would build it; null when the type is 0.
    std::unique_ptr<cEffet_Bend> Construire() const;
    // OK: the note's bend replaced (or removed, freeing an empty effect set). Bend, slide,
    // hammer-on and let ring exclude each other: a bend put on the note clears the three others.
    void Appliquer(cNote &n) const;
    // Highest point other than the last, as the pitch-wheel limit sees it.
    int HauteurMaxAvantDernier() const;
};

// ---------------------------------------------------------------- grace note

class cEditeurGraceNote {
public:
    // Starts on a note: its grace note (values clamped to what the dialog can show), or a fresh
    // one attached at once with the note's fret and dynamic, no transition, duration 2.
    explicit cEditeurGraceNote(cNote &n);

    cNote &Note;
    bool Cree = false; // the grace note was created by this editor

    cEffet_Appogiature &Grace() { return *Note.Effets->Appogiature; }
    bool Morte() const { return Note.Effets->Appogiature->Case == 255; }
    // What the fret field shows (empty for a dead note).
    std::string TexteCase() const;

    // Every change is written straight into the grace note.
    void ChoisirMorte(bool morte, const std::string &champ);
    void ChangerChamp(const std::string &champ); // also selects the fret choice
    void ChoisirNuance(int nuance);
    void ChoisirTransition(int transition);
    void ChoisirDuree(int duree);

    // OK: accepted for a dead note, or a non-empty field at most the track's fret count.
    static bool Valide(bool morte, const std::string &champ, int nbFrets);
    // "Clear": the grace note removed; an empty effect set freed.
    void Effacer();
    // Cancel: a grace note that existed gets its values back; a new one is removed.
    void Annuler();

private:
    cEffet_Appogiature Sauvegarde;
};

// Fret field arithmetic. Keys Up/Down step by one within what the two-character field holds;
// the buttons clamp to 0..24; held down they repeat, from the thirtieth repeat in steps of 3
// within 3..24.
int PasCaseClavier(int valeur, int sens);
int PasCaseBouton(int valeur, int sens, int repetition);
// Delay before the n-th repeat (0 = the first press to the first repeat), in ms.
int DelaiRepetitionCase(int repetition);

// ---------------------------------------------------------------- brush

class cEditeurBrush {
public:
    // Starts on a beat: the brush field (up: BrushUp, else BrushDown) takes the last duration at
    // once, so that playing while the editor is open includes the brush.
    cEditeurBrush(cAccord &a, bool haut, int derniereDuree);

    cAccord &Accord;
    bool Haut;
    int Choix;

    void Choisir(int duree); // 1..6
    // OK: the field kept, the other brush cleared; returns the duration to remember.
    int Valider();
    // Cancel: the beat's effects exactly as they were before the editor opened.
    void Annuler();

private:
    bool AvaitEffets = false;
    cEffets_Accord Sauvegarde;
};

// ---------------------------------------------------------------- stroke of the vibrato

// The value the editor opens on: the beat's stroke when it is one the editor accepts, else 1.
double CoupVibratoInitial(const cAccord &a);
// "1", "2.5": the field's text with the given decimal separator.
std::string TexteCoupVibrato(double v, char separateur);
// The up and down buttons: +/-0.5; up does nothing at 6 or above, down at 0.5 or below.
double MonterCoupVibrato(double v);
double DescendreCoupVibrato(double v);
// The field's text read as OK reads it; false when empty, only separators, not a number, 0 or
// above 6.
bool LireCoupVibrato(const std::string &texte, double &v);
// OK: the beat's stroke set (hundredths), the six single beat effects cleared.
void AppliquerCoupVibrato(cAccord &a, double v);

// ---------------------------------------------------------------- toggles without an editor

// A set brush or stroke of the vibrato cleared by its command (the exclusions applied as for
// any change, empty sets freed). Returns false when the field was not set: the editor opens.
bool EffacerBrush(cAccord &a, bool haut);
bool EffacerCoupVibrato(cAccord &a);
