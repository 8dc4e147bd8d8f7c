// Beaming of the rhythm under the tablature: beam groups of a time signature, beams between
// beats, partial-beam sides and tuplet groups. Shared by the screen and print renderers.
#pragma once

#include <array>

class cMesurePiste;
class cAccord;

struct rGroupesRythme {
    std::array<int, 128> Groupes{}; // lengths in units
    int Nb = 0;
    int Unite = 2; // units per quarter note
    double Ticks(int i) const;       // length of group i in ticks
};

rGroupesRythme CalculerGroupesRythme(int numerateur, int denominateur);
// Sets NbLiens, CoteCrochet, RangTuplet, TailleTuplet and CrochetTuplet on every beat.
void CalculerLiaisonsCroches(cMesurePiste &mp, rGroupesRythme &groupes);

// The nearest earlier note of the same string that is not tied, through the beats and
// measures of the track; null when there is none.
const class cNote *OrigineLiaison(const cMesurePiste *mp, const cAccord *a, int corde,
                                  const cAccord **accordOrigine = nullptr);
