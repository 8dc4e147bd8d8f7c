// Rhythm arithmetic: ticks of symbolic durations and back, sounding lengths, completeness.
#pragma once

#include <cstdint>

class cAccord;
class cMesurePiste;
class cPartition;

// Extended-precision factor of a tuplet code (any unknown code counts as 1).
long double FacteurTriolet(int code);
// Ticks of a duration code (clamped to -2..4), dotted, with the tuplet unless left out.
double TicksDuree(int code, bool pointe, int triolet, bool sansTriolet);
// Reverse conversion: the duration code and dotted flag of a tick count (tuplet 1).
void DureeSymbolique(double ticks, int8_t &code, bool &pointe);

// Sounding length of the note on string `corde` of beat `accord` in `mp`, through ties and
// let ring.
struct rDureeSonore {
    double Ticks = 0;
    cMesurePiste *MesurePiste = nullptr; // where the note stops (null at the end of the track)
    cAccord *Accord = nullptr;
    bool Pitch = false; // the starting note has a bend or a slide
};
rDureeSonore DureeSonore(cMesurePiste *mp, cAccord *accord, int corde);

// Rounded completeness used while typing: totals equal to 5 decimals.
bool MesurePleine(const cMesurePiste &mp);

enum class eEtatDuree { Complete, Incomplete, Depassee };
struct rEtatDuree {
    eEtatDuree Etat = eEtatDuree::Complete;
    double Total = 0;    // DureeTotale / 480
    double Longueur = 0; // measure length / 480
    uint32_t Couleur() const { return Etat == eEtatDuree::Complete ? 0x00FF00u : 255u; }
};
// What the status bar shows for a track measure.
rEtatDuree EtatDureeMesure(const cMesurePiste &mp);

// First track measure (tracks in order, then measures) whose first beat is not empty and whose
// total differs from its measure's length; numbers are 1-based, 0 when every measure is right.
struct rMesureInvalide {
    int NumMesure = 0;
    int NumPiste = 0;
    cMesurePiste *MesurePiste = nullptr;
};
rMesureInvalide VerifierDurees(const cPartition &p);
