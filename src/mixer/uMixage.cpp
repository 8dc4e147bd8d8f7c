#include "mixer/uMixage.h"

#include <algorithm>
#include <cmath>

#include "model/uConstantes.h"
#include "model/uPartition.h"
#include "playback/uPortsSortie.h"

int BornerJauge(int position) { return std::clamp(position, 0, PositionMaxJauge); }

int ValeurDeJauge(int position) { return static_cast<int>(Arrondi(BornerJauge(position) / 3.0)); }

int JaugeDeValeur(int valeur) { return std::clamp(valeur, 0, 16) * 3; }

int ValeurAffichee(int position, int minimum)
{
    return static_cast<int>(Arrondi((BornerJauge(position) + minimum) / 3.0));
}

int PasJaugeCompacte(int position, bool moitieHaute)
{
    return BornerJauge(position + (moitieHaute ? 3 : -3));
}

int DelaiRepetitionJauge(int k) { return std::max(50, 200 - 30 * std::max(k, 0)); }

bool ColonneVisible(TMixList c, int p)
{
    switch (c) {
    case TMixList::mPort:
        return p == 0;
    case TMixList::mChannel:
    case TMixList::mChannelE:
    case TMixList::mInstrument:
    case TMixList::mVolume:
    case TMixList::mPan:
    case TMixList::mChorus:
    case TMixList::mReverb:
    case TMixList::mPhaser:
    case TMixList::mTremolo:
        // mChannel shows while p < 2, each later column one step longer.
        return p < static_cast<int>(c) - static_cast<int>(TMixList::mChannel) + 2;
    case TMixList::mMixLine:
    case TMixList::mNumPiste:
    case TMixList::mView:
    case TMixList::mSolo:
    case TMixList::mMute:
    case TMixList::mSoloMute:
    case TMixList::mNomPiste:
        return true;
    }
    return true;
}

rCanalMidi &CanalDe(cPartition &p, int port, int canal)
{
    return p.Canaux[std::clamp(port, 1, MaxPorts)][std::clamp(canal, 1, MaxCanaux)];
}

const rCanalMidi &CanalDe(const cPartition &p, int port, int canal)
{
    return p.Canaux[std::clamp(port, 1, MaxPorts)][std::clamp(canal, 1, MaxCanaux)];
}

namespace {
uint8_t &Valeur(rCanalMidi &c, int i)
{
    switch (i) {
    case 0:
        return c.Volume;
    case 1:
        return c.Balance;
    case 2:
        return c.Chorus;
    case 3:
        return c.Reverb;
    case 4:
        return c.Phaser;
    default:
        return c.Tremolo;
    }
}
} // namespace

TPL_MixTable_Values_UnePiste ValeursStrip(const cPartition &p, const cPiste &t)
{
    TPL_MixTable_Values_UnePiste v;
    v.NumPiste = t.Index;
    v.View = t.Visible;
    v.Solo = t.Solo;
    v.Mute = t.Muet;
    v.Batterie = t.Percussions;
    v.Nom = t.Nom;
    v.Port = std::clamp<int32_t>(t.Port, 1, MaxPorts);
    v.Canal = std::clamp<int32_t>(t.Canal, 1, MaxCanaux);
    v.CanalEffets = std::clamp<int32_t>(t.CanalEffets, 1, MaxCanaux);
    v.Instrument = InstrumentDe(p, t);
    rCanalMidi c = CanalDe(p, t.Port, t.Canal);
    for (int i = 0; i < 6; ++i)
        v.Jauges[i] = JaugeDeValeur(Valeur(c, i));
    return v;
}

int IndexValeur(TMixList c)
{
    const int i = static_cast<int>(c) - static_cast<int>(TMixList::mVolume);
    return (i >= 0 && i < 6) ? i : -1;
}

uint8_t ControleurValeur(int i)
{
    static constexpr uint8_t c[6] = {7, 10, 93, 91, 92, 95};
    return c[std::clamp(i, 0, 5)];
}

bool ChangerValeurMix(cPartition &p, const cPiste &t, TMixList c, int position, rMessageMix &m)
{
    const int i = IndexValeur(c);
    if (i < 0)
        return false;
    const int v = ValeurDeJauge(position);
    rCanalMidi &principal = CanalDe(p, t.Port, t.Canal);
    if (Valeur(principal, i) == v)
        return false;
    Valeur(principal, i) = static_cast<uint8_t>(v);
    Valeur(CanalDe(p, t.Port, t.CanalEffets), i) = static_cast<uint8_t>(v);
    // 8 × v on the wire, 16 sent as 127.
    m = {0xB0, ControleurValeur(i), static_cast<uint8_t>(std::min(8 * v, 127))};
    return true;
}

int InstrumentDe(const cPartition &p, const cPiste &t)
{
    return std::clamp<int32_t>(CanalDe(p, t.Port, t.Canal).Instrument, 0, 127);
}

bool ChangerInstrument(cPartition &p, const cPiste &t, int instrument, rMessageMix &m)
{
    instrument = std::clamp(instrument, 0, 127);
    rCanalMidi &principal = CanalDe(p, t.Port, t.Canal);
    rCanalMidi &effets = CanalDe(p, t.Port, t.CanalEffets);
    const bool change = principal.Instrument != instrument || effets.Instrument != instrument;
    principal.Instrument = effets.Instrument = instrument;
    m = {0xC0, static_cast<uint8_t>(instrument), 0};
    return change;
}

void ChangerSolo(cPiste &t, bool solo)
{
    t.Solo = solo;
    if (solo)
        t.Muet = false;
}

void ChangerMuet(cPiste &t, bool muet)
{
    t.Muet = muet;
    if (muet)
        t.Solo = false;
}

std::vector<std::string> ListeInstruments(const cPatchInstrument *patch, bool batterie,
                                          const std::string &drumKit)
{
    std::vector<std::string> v;
    v.reserve(cPatchInstrument::MaxInstruments);
    for (int n = 0; n < cPatchInstrument::MaxInstruments; ++n) {
        const std::string num = std::to_string(n);
        if (batterie)
            v.push_back(num + " - " + drumKit + " " + num);
        else if (patch && n < static_cast<int>(patch->Instruments.size()))
            v.push_back(patch->Instruments[n]);
        else
            v.push_back(num);
    }
    return v;
}

int PortPeripheriqueDouble(const std::array<int, 4> &indices)
{
    for (int n = 1; n < 4; ++n)
        for (int k = 0; k < n; ++k)
            if (indices[n] > 0 && indices[n] == indices[k])
                return n + 1;
    return 0;
}
