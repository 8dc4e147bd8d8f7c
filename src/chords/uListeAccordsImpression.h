// The chord diagrams printed at the top of the score: saved with the score's file, edited by
// the chord window, and kept outside the score object.
#pragma once

#include <cstddef>
#include <vector>

#include "model/uDiagramme.h"

class cListeAccordsImpression {
public:
    static constexpr int Max = 50;

    int Nb() const { return static_cast<int>(Accords.size()); }
    bool Pleine() const { return Nb() >= Max; }
    // Entry i, 1-based.
    const rDiagramme &Accord(int i) const { return Accords[static_cast<std::size_t>(i - 1)]; }
    rDiagramme &Accord(int i) { return Accords[static_cast<std::size_t>(i - 1)]; }

    // Appends a copy; false (nothing changed) when the list is full.
    bool Ajouter(const rDiagramme &d);
    // Removes entry i, keeping the order of the others; false when i is out of range.
    bool Supprimer(int i);
    // Swaps entries i and j; false when either is out of range.
    bool Echanger(int i, int j);
    void Vider() { Accords.clear(); }

    // Deep copy into `cible` (the records are plain data).
    void CopierVers(cListeAccordsImpression &cible) const { cible.Accords = Accords; }

private:
    std::vector<rDiagramme> Accords;
};

// The list of the score being edited; the file reader and writer and the chord window share it.
cListeAccordsImpression &ListeAccordsImpression();
