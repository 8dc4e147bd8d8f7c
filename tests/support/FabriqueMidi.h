// Small scores for the MIDI generation and export tests, and the events they give.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "model/uPartition.h"

class cBasePile;
class cMyHMidiOut;

// A new score of `mesures` 4/4 bars and `pistes` six-string tracks; track k plays on port 1,
// channels 2k - 1 and 2k (10 skipped), each bar holding one empty quarter beat.
cPartition *NouvellePartitionMidi(int mesures = 1, int pistes = 1);

// Beat `numTemps` (1-based; beats are appended as needed) of a track measure, normal, with the
// duration code (0 quarter, 1 eighth, ...) given to the beat and its notes.
cAccord *TempsMidi(cPartition &p, int mesure, int piste, int numTemps, int code = 0);
// Makes the note on a string normal (type 1) with a fret, or gives it another type.
cNote *NoteMidi(cAccord *a, int corde, int fret, int type = 1);
// Recomputes the totals of every track measure after building.
void FinirPartitionMidi(cPartition &p);

// One event, comparable in tests.
struct rEvt {
    double Temps;
    int Statut, D1, D2;
    bool operator==(const rEvt &o) const
    {
        return Temps == o.Temps && Statut == o.Statut && D1 == o.D1 && D2 == o.D2;
    }
};
std::ostream &operator<<(std::ostream &o, const rEvt &e);

std::vector<rEvt> EvenementsDe(const cBasePile &l);
std::vector<rEvt> EvenementsDe(const cMyHMidiOut &q);
// Only the events whose status kind (high nibble, e.g. 0x90) is `type`.
std::vector<rEvt> Filtrer(const std::vector<rEvt> &v, int type);
