// The note of one string in one beat.
#pragma once

#include <cstdint>

#include "model/uEffets_Note.h"

class cNote {
public:
    uint8_t Type = 0;          // 0 none, 1 normal, 2 tied, 3 dead
    bool DureePropre = false;  // duration independent of the beat
    int8_t CodeDuree = 0;      // duration code, -2 whole .. 4 sixty-fourth
    bool Pointe = false;
    int8_t Triolet = 1;        // tuplet code
    bool Sugeree = false;      // ghost note
    uint8_t Nuance = 6;        // dynamic 1..8
    uint8_t Case = 0;          // fret (drums: percussion key)
    cEffets_Note *Effets = nullptr;
    double DureeTicks = 0;
    uint8_t Corde = 0;         // = slot in the beat, 1..7
    cNote *Precedente = nullptr;
    cNote *Suivante = nullptr;

    cNote() = default;
    cNote(const cNote &) = delete;
    cNote &operator=(const cNote &) = delete;
    virtual ~cNote() { delete Effets; }

    void CalculerDuree();
    void DureeDepuisTicks(double ticks);
    // The effect set, created when missing.
    cEffets_Note &EffetsCrees();
    void LibererEffets();
    // Frees the effect set when nothing in it is left.
    void LibererEffetsVides();
    bool ALetRing() const { return Effets && Effets->LetRing; }
};
