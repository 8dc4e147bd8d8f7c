// Measure repairs of one track: completing measures with rests, and re-splitting the track's
// beats into its measures after time signatures changed. The MIDI import runs the same steps on
// the beats it builds, so each step is available on its own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class cAccord;
class cMesurePiste;
class cPartition;
class cPiste;

// Message keys of the refusals: nothing is changed when a result would not fit the model.
inline constexpr const char *CleTropDeMesures = "AssCR-TropDeMesures";
inline constexpr const char *CleTropDeTemps = "AssCR-TropDeTemps";

// A symbolic duration and its ticks.
struct rDuree {
    int8_t Code = 0;
    bool Pointe = false;
    int Triolet = 1;
    double Ticks = 0;
};
// The duration whose ticks round to the same integer as `ticks`: in the tuplet `triolet` first,
// then without tuplet, then as a triplet. False when there is none.
bool DureeExacte(double ticks, int triolet, rDuree &d);
// The longest duration whose rounded ticks do not pass those of `ticks`: without tuplet first,
// then in `triolet`, then as a triplet. False when even a sixty-fourth is too long.
bool DureeAuPlus(double ticks, int triolet, rDuree &d);

// Completion of one track measure: trailing rests and placeholders removed, a short measure
// filled with rests, the largest first (whole .. sixty-fourth); an overfull one stays so, and a
// gap under a sixty-fourth stays unfilled. Returns false, changing nothing, when the measure
// would pass the beat limit.
bool CompleterMesure(cMesurePiste &mp);
// The same for measures premiere..derniere (1-based) of a track. Every measure is checked
// before any is changed; on refusal `cle` names the reason.
bool CompleterMesures(cPiste &piste, int premiere, int derniere, std::string &cle);

// The steps of re-splitting, on the model. Beats are taken from `accords` in order, their
// `Duree` being their length; the track's measures are emptied and refilled from measure 1,
// cutting beats at bar lines (the notes of a cut beat keep their longer ticks) and appending
// measures as needed; then every beat gets a symbolic duration, a rest taking what it cannot
// express. Refused, changing nothing, beyond the measure or beat limits.
bool VerserAccords(cPartition &p, cPiste &piste, std::vector<std::unique_ptr<cAccord>> accords,
                   std::string &cle);
// A rest after a beat whose notes last longer than it becomes the tied rest of those notes.
void LierCoupures(cPiste &piste);
// Notes take their beat's duration, or their own when they still differ; totals recomputed.
void AjusterDureesNotes(cPiste &piste);
// From the last measure back: completes the empty measures and then the last one with music.
bool CompleterFin(cPiste &piste, std::string &cle);

// The re-split tool: all the steps above on a copy of the track, written back only when the
// result fits. The caller has removed the cursor's placeholder beat first.
bool Redecouper(cPartition &p, cPiste &piste, std::string &cle);
