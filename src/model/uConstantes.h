// Hard limits of the score and the two roundings every computation uses.
#pragma once

#include <cmath>
#include <cstdint>

constexpr int MaxMesures = 1024;
constexpr int MaxPistes = 256;
constexpr int MaxAccords = 128;
constexpr int MaxCordes = 7;
constexpr int MaxPorts = 4;
constexpr int MaxCanaux = 16;

constexpr double TicksNoire = 480.0;

// Capacities of the fixed texts (single-byte characters).
constexpr std::size_t CapInformation = 255;
constexpr std::size_t CapNomPiste = 40;
constexpr std::size_t CapNomMarker = 100;
constexpr std::size_t CapTexte = 50;
constexpr std::size_t CapNomDiagramme = 20;

// Nearest integer, halves to the even neighbour (default rounding mode).
inline double Arrondi(double v) { return std::nearbyint(v); }
inline long double Arrondi(long double v) { return std::nearbyintl(v); }
// Drops the fraction.
inline double Tronque(double v) { return std::trunc(v); }

// Text stored in a field of capacity n: longer input is cut.
#include <string>
inline std::string Couper(const std::string &s, std::size_t n)
{
    return s.size() <= n ? s : s.substr(0, n);
}
