// A mix table change carried by a beat: new values (-1 = unchanged) and transition lengths.
#pragma once

#include <cstdint>

class cTableMixEvent {
public:
    int8_t Instrument = -1;
    int8_t Volume = -1;
    int8_t Balance = -1;
    int8_t Chorus = -1;
    int8_t Reverb = -1;
    int8_t Phaser = -1;
    int8_t Tremolo = -1;
    int32_t Tempo = -1;
    uint8_t TransVolume = 0; // lengths in beats
    uint8_t TransBalance = 0;
    uint8_t TransChorus = 0;
    uint8_t TransReverb = 0;
    uint8_t TransPhaser = 0;
    uint8_t TransTremolo = 0;
    uint8_t TransTempo = 0;

    cTableMixEvent() = default;
    cTableMixEvent(const cTableMixEvent &) = delete;
    cTableMixEvent &operator=(const cTableMixEvent &) = delete;
    virtual ~cTableMixEvent() = default;

    void CopierVers(cTableMixEvent &c) const
    {
        c.Instrument = Instrument;
        c.Volume = Volume;
        c.Balance = Balance;
        c.Chorus = Chorus;
        c.Reverb = Reverb;
        c.Phaser = Phaser;
        c.Tremolo = Tremolo;
        c.Tempo = Tempo;
        c.TransVolume = TransVolume;
        c.TransBalance = TransBalance;
        c.TransChorus = TransChorus;
        c.TransReverb = TransReverb;
        c.TransPhaser = TransPhaser;
        c.TransTremolo = TransTremolo;
        c.TransTempo = TransTempo;
    }
};
