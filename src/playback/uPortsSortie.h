// The output ports of playback: which device and which instrument list each port uses, and
// the instrument lists read from ".plp" files.
#pragma once

#include <string>
#include <vector>

// Instrument names of one port: a patch file's base name (empty: none) and its entries
// "n - name" for instruments 0, 1, ... (at most 128).
class cPatchInstrument {
public:
    static constexpr int MaxInstruments = 128;
    std::string Nom;
    std::vector<std::string> Instruments;

    // Fills the list from "<Nom>.plp" in the data folders. `aucunPatch` and `nonTrouve` are the
    // texts of "Gene-AucunPatch" and "Gene-FichierPatchNonTrouve".
    void Charger(const std::string &aucunPatch, const std::string &nonTrouve);
    // The same from the file's bytes (null: file missing or unreadable).
    void ChargerDepuis(const std::string *contenu, const std::string &aucunPatch,
                       const std::string &nonTrouve);
};

// One output port: the device index (-1: none), its name, and its instrument list.
class cPortSortieConfig {
public:
    int Peripherique = -1;
    std::string NomPeripherique;
    cPatchInstrument Patch;
};

// Base names of the ".plp" files found in the data folders, in the model's code page.
std::vector<std::string> NomsPatchs();
