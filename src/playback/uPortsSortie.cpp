// Instrument lists: one name per line, line n naming instrument n - 1.
#include "playback/uPortsSortie.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "config/uEmplacements.h"
#include "model/uCodage.h"

void cPatchInstrument::ChargerDepuis(const std::string *contenu, const std::string &aucunPatch,
                                     const std::string &nonTrouve)
{
    Instruments.clear();
    if (Nom.empty() || !contenu) {
        const std::string &t = Nom.empty() ? aucunPatch : nonTrouve;
        for (int n = 0; n < MaxInstruments; ++n)
            Instruments.push_back(std::to_string(n) + " - " + t);
        return;
    }
    std::istringstream f(*contenu);
    std::string ligne;
    for (int n = 0; n < MaxInstruments && std::getline(f, ligne); ++n) {
        if (!ligne.empty() && ligne.back() == '\r')
            ligne.pop_back();
        Instruments.push_back(std::to_string(n) + " - " + ligne);
    }
}

void cPatchInstrument::Charger(const std::string &aucunPatch, const std::string &nonTrouve)
{
    std::string contenu;
    bool lu = false;
    if (!Nom.empty()) {
        const std::string chemin = TrouverFichierDonnees(Win1252VersUtf8(Nom) + ".plp");
        std::ifstream f(chemin, std::ios::binary);
        if (!chemin.empty() && f) {
            contenu.assign(std::istreambuf_iterator<char>(f), {});
            lu = !f.bad();
        }
    }
    ChargerDepuis(lu ? &contenu : nullptr, aucunPatch, nonTrouve);
}

std::vector<std::string> NomsPatchs()
{
    std::vector<std::string> v;
    for (const std::string &f : ListerFichiersDonnees(".plp"))
        v.push_back(Utf8VersWin1252(f.substr(0, f.size() - 4)));
    return v;
}
