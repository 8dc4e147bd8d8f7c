// Channel allocation: which MIDI channels of a port the tracks leave free (a new track and the
// quick MIDI import take their channels from here), the channel menus of the mixer and the
// port and channel changes they make.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

class cPartition;
class cPiste;

// The lowest channel 1..16, 10 aside, that no track of the port uses for its notes or its
// effects (`sauf` is not counted); -1 when there is none.
int PremierCanalLibre(const cPartition &p, int port, const cPiste *sauf = nullptr);
// The same, leaving channel `canal` aside too.
int SecondCanalLibre(const cPartition &p, int port, int canal, const cPiste *sauf = nullptr);

// Channels for a track about to join port `port`: 10 for both on a drum track; otherwise a free
// pair, the effects on the main channel when only one is free, and the channels of `courante`
// (the cursor's track) when none is.
void CanauxNouvellePiste(const cPartition &p, int port, bool batterie, const cPiste *courante,
                         int &canal, int &canalEffets);

// ---------------------------------------------------------------- channel menus

// How the other non-drum tracks of a port use its channels, seen from one track. Main status:
// 0 free, 1 another track's main channel (linked: its name and effect channel kept), 2 another
// track's effect channel only. Effect status: 0 free, 1 used by another track. The track's own
// channels are always free for its effect menu. Later tracks win over earlier ones.
struct rStatutCanaux {
    std::array<int, 17> Principal{};
    std::array<int, 17> Effets{};
    std::array<std::string, 17> NomPrincipal, NomEffets;
    std::array<int, 17> EffetsLie{}; // the linked track's effect channel
};
rStatutCanaux StatutCanaux(const cPartition &p, const cPiste &t, int port);

// One entry of a channel menu.
struct rEntreeCanal {
    std::string Texte; // "01 - Free"
    bool Actif = true;
    bool Coche = false;
};
// The 16 entries of the main (`effets` false) or effect channel menu of a track, texts through
// `traduire` (message key -> text).
std::vector<rEntreeCanal> MenuCanaux(const cPartition &p, const cPiste &t, bool effets,
                                     const std::function<std::string(const std::string &)> &traduire);

// The changes a menu choice makes. Each returns whether it changed anything; a choice the menu
// would have disabled is refused.
bool ChangerPort(cPartition &p, cPiste &t, int port);
bool ChangerCanal(cPartition &p, cPiste &t, int k);
// Returns the other tracks that followed (their effect channel changed too).
bool ChangerCanalEffets(cPartition &p, cPiste &t, int k, std::vector<cPiste *> *suiveuses = nullptr);
