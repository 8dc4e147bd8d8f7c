// Channel allocation: which MIDI channels of a port the tracks leave free. A new track and the
// quick MIDI import take their channels from here.
#pragma once

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
