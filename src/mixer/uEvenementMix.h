// The "Mix Table Change Event" dialog's values: what it shows for a beat and what it stores
// back. Values read from files are clamped here before any list or table is indexed with them.
#pragma once

#include <array>
#include <string>
#include <vector>

class cAccord;
class cPartition;
class cPiste;
class cTableMixEvent;

// The parameters in the dialog's order.
enum eParamMix { pmInstrument, pmVolume, pmPan, pmChorus, pmReverb, pmPhaser, pmTremolo, pmTempo };
inline constexpr int NbParamsMix = 8;
inline constexpr int TransitionMax = 8; // beats
inline constexpr int TempoMaxMix = 999;

struct rDialogueMix {
    std::array<bool, NbParamsMix> Coche{};
    int Instrument = 0;              // 0..127
    std::array<int, 6> Jauges{};     // volume .. tremolo, 0..48
    int Tempo = 120;                 // 1..999
    std::array<int, NbParamsMix> Transitions{}; // beats 0..8 (the instrument has none)
};

// What the dialog starts from: the track's channel values and the score's tempo, every
// transition immediate; then what the beat's change sets, ticked.
rDialogueMix OuvrirDialogueMix(const cPartition &p, const cPiste &t, const cAccord *a);
// OK: false (nothing changed) when the tempo is ticked and 0. Otherwise the beat's old change
// is freed and, when a box is ticked, a new one stored: nearest(gauge / 3) for the values, the
// tempo clamped to 1..999, unticked values -1.
bool ConfirmerDialogueMix(cAccord &a, const rDialogueMix &d);

// The transition list: "Immediatly", "1 beat", then `plusieurs` with "%s" replaced by 2..8.
std::vector<std::string> TextesTransitions(const std::string &immediat, const std::string &un,
                                           const std::string &plusieurs);
// The held tempo arrows: delay before repeat k (1 first) and the step of that repeat.
int DelaiRepetitionTempo(int k);
int PasRepetitionTempo(int k);
