// The chord diagrams printed at the top of the score: saved with the score's file, edited by
// the chord window, and kept outside the score object.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "model/uDiagramme.h"

// An ordered list of diagram records with a fixed capacity; entries are 1-based.
template <int N> class cListeDiagrammes {
public:
    static constexpr int Max = N;

    int Nb() const { return static_cast<int>(Accords.size()); }
    bool Pleine() const { return Nb() >= Max; }
    const rDiagramme &Accord(int i) const { return Accords[static_cast<std::size_t>(i - 1)]; }
    rDiagramme &Accord(int i) { return Accords[static_cast<std::size_t>(i - 1)]; }

    // Appends a copy; false (nothing changed) when the list is full.
    bool Ajouter(const rDiagramme &d)
    {
        if (Pleine())
            return false;
        Accords.push_back(d);
        return true;
    }
    // Removes entry i, keeping the order of the others; false when i is out of range.
    bool Supprimer(int i)
    {
        if (i < 1 || i > Nb())
            return false;
        Accords.erase(Accords.begin() + (i - 1));
        return true;
    }
    // Swaps entries i and j; false when either is out of range.
    bool Echanger(int i, int j)
    {
        if (i < 1 || i > Nb() || j < 1 || j > Nb())
            return false;
        std::swap(Accord(i), Accord(j));
        return true;
    }
    void Vider() { Accords.clear(); }

protected:
    std::vector<rDiagramme> Accords;
};

class cListeAccordsImpression : public cListeDiagrammes<50> {
public:
    // Deep copy into `cible` (the records are plain data).
    void CopierVers(cListeAccordsImpression &cible) const { cible.Accords = Accords; }
};

// The list of the score being edited; the file reader and writer and the chord window share it.
cListeAccordsImpression &ListeAccordsImpression();
