// The dynamics and let-ring assistants over a range of measures of a track, and the rules their
// dialogs share with the fingering dialog: the string rows, the measure range fields and the
// repeat of a held spin button.
#pragma once

#include <array>
#include <string>

#include "model/uConstantes.h"

class cPiste;

inline constexpr int NbLignesCordes = 7;

// Rows stand at the bottom: row 7 is the track's last string. 0 for a row without a string.
int CordeDeLigne(int ligne, int nbCordes);

// The range fields checked on OK: the field at fault, or Aucun with the range.
enum class eChampPlage { Aucun, Debut, Fin };
struct rPlage {
    int Debut = 1;
    int Fin = 1;
};
eChampPlage ValiderPlage(const std::string &debut, const std::string &fin, int nbMesures,
                         rPlage &plage);
// A typed character the fields keep: digits (and Backspace, which the dialog handles).
bool CaractereAccepte(char c);

// A held spin button: the first tick comes after 300 ms, the next ones every 100 ms, from the
// tenth every 50 ms; from the thirtieth the step is 3. `tick` counts the ticks already run.
int DelaiAvantTick(int tick);
int PasDuTick(int tick);
// The field's value after a step, kept in 1..nbMesures.
int ValeurApresPas(int valeur, int pas, int nbMesures);

// Per string (1-based): 0 leaves the string, 1..8 sets that dynamic on every note slot.
using tNuances = std::array<int, MaxCordes + 1>;
void AppliquerNuances(cPiste &piste, int debut, int fin, const tNuances &nuances);
// Per string: -1 leaves it, 0 removes let ring, 1 adds it, on every normal note.
using tLetRing = std::array<int, MaxCordes + 1>;
void AppliquerLetRing(cPiste &piste, int debut, int fin, const tLetRing &choix);
