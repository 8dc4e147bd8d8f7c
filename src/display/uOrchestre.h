// The multitrack overview's numbers: a grid of 20-pixel cells, one row per track and one
// column per measure, under a header of measure numbers and markers. Painting (display/ui)
// only reads these.
#pragma once

#include <array>
#include <cstdint>

#include "display/uAffichage.h"

class cPartition;

struct rSegment {
    int X1, Y1, X2, Y2;
};

class cOrchestre {
public:
    static constexpr int Pas = 20;       // cell pitch
    static constexpr int Bloc = 18;      // the filled block of a cell
    static constexpr int BandeMarkerHaut = 3, BandeMarkerBas = 14, YNumeros = 14;

    rBarreDefilement BarreH; // measures
    rBarreDefilement BarreV; // tracks

    static int NbColonnes(int largeur) { return (largeur > 0 ? largeur : 0) / Pas + 1; }
    static int NbRangees(int hauteur) { return (hauteur > 0 ? hauteur : 0) / Pas + 1; }

    // Maximum = count - visible + 1 (at least 0, position clamped), large change = visible - 1,
    // enabled while the maximum is above 0.
    void AjusterBarreH(int nbMesures, int colonnes);
    void AjusterBarreV(int nbPistes, int rangees);

    // The track and measure under a point of the grid (they may not exist).
    int PisteClic(int y) const { return BarreV.Position + (y >= 0 ? y / Pas : -1) + 1; }
    int MesureClic(int x) const { return BarreH.Position + (x >= 0 ? x / Pas : -1) + 1; }
    // The measure a double click in the header addresses: the column boundary nearest to x;
    // 0 below the marker band (y > 13).
    int MesureMarkerClic(int x, int y) const;

    // Keeps the cursor's measure in view while playing: at or left of the position it becomes
    // the measure - 1; beyond the last column, measure - columns (at most the maximum).
    void Suivre(int numMesure, int colonnes);

    // x of a column k (1-based) in the header; top y of a row r (1-based) in the grid.
    static int XColonne(int k) { return (k - 1) * Pas; }
    static int YRangee(int r) { return (r - 1) * Pas + 2; }
    // Left edge of a measure number of width `largeur` in column x.
    static int XNumero(int x, int largeur);
    // The pennant of a marker at column x.
    static std::array<rSegment, 4> Fanion(int x);
    // The band copied when one track's row is redrawn: its top and height.
    int YBandePiste(int numPiste) const { return (numPiste - BarreV.Position) * Pas - 19; }
    // The shaded cursor row: pixel line j (0..19) of a 0x00BBGGRR colour, each component × (1.2
    // − (j − 2) / 30), truncated and at most 255.
    static uint32_t Ombrage(uint32_t couleur, int j);
};
