// The mix table's arithmetic and the changes a strip makes to the score: gauge positions and
// the 0..16 values behind them, the columns shown at each scroll position, the values of one
// strip, and the instrument, mix values, solo and mute a strip edits.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class cPartition;
class cPiste;
class cPatchInstrument;
struct rCanalMidi;

// The columns of a strip, in their order.
enum class TMixList {
    mMixLine,
    mNumPiste,
    mView,
    mSolo,
    mMute,
    mSoloMute,
    mNomPiste,
    mPort,
    mChannel,
    mChannelE,
    mInstrument,
    mVolume,
    mPan,
    mChorus,
    mReverb,
    mPhaser,
    mTremolo,
};
inline constexpr int NbColonnesMix = 17;

// Gauges work on 0..48, three steps per value of the score's 0..16 scale.
inline constexpr int PositionMaxJauge = 48;
int BornerJauge(int position);
// The value stored for a gauge position: nearest(position / 3), halves to even.
int ValeurDeJauge(int position);
// The gauge position of a stored value (clamped to 0..16 first).
int JaugeDeValeur(int valeur);
// The number a gauge shows: nearest((position + minimum) / 3).
int ValeurAffichee(int position, int minimum);
// The compact gauge: a press in the upper half adds 3, in the lower half subtracts 3.
int PasJaugeCompacte(int position, bool moitieHaute);
// Delay before step k (0 first) of a held compact gauge: 200 ms, 30 ms less each step, at
// least 50 ms.
int DelaiRepetitionJauge(int k);

// Whether a column shows at horizontal scroll position p (0..10). The number, solo/mute, name
// and view columns always stay.
bool ColonneVisible(TMixList c, int p);

// What one strip shows.
struct TPL_MixTable_Values_UnePiste {
    int32_t NumPiste = 0;
    bool View = true, Solo = false, Mute = false, Batterie = false;
    std::string Nom;
    int32_t Port = 1, Canal = 1, CanalEffets = 1;
    int32_t Instrument = 0;                 // 0..127
    std::array<int32_t, 6> Jauges{};        // volume, pan, chorus, reverb, phaser, tremolo 0..48
};
TPL_MixTable_Values_UnePiste ValeursStrip(const cPartition &p, const cPiste &t);

// The channel entry of a track's main channel; port and channel are clamped, so that values
// read from a damaged file never index outside the table.
rCanalMidi &CanalDe(cPartition &p, int port, int canal);
const rCanalMidi &CanalDe(const cPartition &p, int port, int canal);

// A message to send live on the track's channels while playing: status base (0xB0, 0xC0) and
// its two data bytes.
struct rMessageMix {
    uint8_t Base = 0, Donnee1 = 0, Donnee2 = 0;
};

// Index 0..5 of a value column (mVolume .. mTremolo), -1 for others.
int IndexValeur(TMixList c);
// The controller of value i: volume 7, pan 10, chorus 93, reverb 91, phaser 92, tremolo 95.
uint8_t ControleurValeur(int i);

// A gauge of a value column moved to `position`: v = nearest(position / 3) goes into both
// channels of the track. False when the stored value was already v (nothing to send).
bool ChangerValeurMix(cPartition &p, const cPiste &t, TMixList c, int position, rMessageMix &m);
// The instrument (clamped to 0..127) into both channels, with its program change.
bool ChangerInstrument(cPartition &p, const cPiste &t, int instrument, rMessageMix &m);
int InstrumentDe(const cPartition &p, const cPiste &t);

// Solo on clears mute, mute on clears solo.
void ChangerSolo(cPiste &t, bool solo);
void ChangerMuet(cPiste &t, bool muet);

// The 128 entries of the "Instruments" dialog: for a drum track n + " - " + `drumKit` + " " + n;
// otherwise the port's list, and the number alone for a program the list does not reach.
std::vector<std::string> ListeInstruments(const cPatchInstrument *patch, bool batterie,
                                          const std::string &drumKit);

// The MIDI set-up's duplicate check on the device lists' indices (0: no device, left aside):
// the first port (1..4) that repeats an earlier port's device, 0 when none.
int PortPeripheriqueDouble(const std::array<int, 4> &indices);
