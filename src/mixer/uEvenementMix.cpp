#include "mixer/uEvenementMix.h"

#include <algorithm>

#include "mixer/uMixage.h"
#include "model/uAccord.h"
#include "model/uPartition.h"

rDialogueMix OuvrirDialogueMix(const cPartition &p, const cPiste &t, const cAccord *a)
{
    rDialogueMix d;
    const TPL_MixTable_Values_UnePiste v = ValeursStrip(p, t);
    d.Instrument = v.Instrument;
    d.Jauges = v.Jauges;
    d.Tempo = std::clamp<int>(p.Tempo, 1, TempoMaxMix);
    const cTableMixEvent *m = a ? a->TableMix : nullptr;
    if (!m)
        return d;
    if (m->Instrument >= 0) {
        d.Coche[pmInstrument] = true;
        d.Instrument = std::clamp<int>(m->Instrument, 0, 127);
    }
    const int valeurs[6] = {m->Volume, m->Balance, m->Chorus, m->Reverb, m->Phaser, m->Tremolo};
    const int transitions[7] = {m->TransVolume, m->TransBalance, m->TransChorus, m->TransReverb,
                                m->TransPhaser, m->TransTremolo, m->TransTempo};
    for (int i = 0; i < 6; ++i)
        if (valeurs[i] >= 0) {
            d.Coche[pmVolume + i] = true;
            d.Jauges[i] = JaugeDeValeur(valeurs[i]);
            d.Transitions[pmVolume + i] = std::clamp(transitions[i], 0, TransitionMax);
        }
    if (m->Tempo >= 0) {
        d.Coche[pmTempo] = true;
        d.Tempo = std::clamp<int>(m->Tempo, 1, TempoMaxMix);
        d.Transitions[pmTempo] = std::clamp(transitions[6], 0, TransitionMax);
    }
    return d;
}

bool ConfirmerDialogueMix(cAccord &a, const rDialogueMix &d)
{
    if (d.Coche[pmTempo] && d.Tempo == 0)
        return false;
    delete a.TableMix;
    a.TableMix = nullptr;
    if (std::none_of(d.Coche.begin(), d.Coche.end(), [](bool c) { return c; }))
        return true;
    auto *m = new cTableMixEvent;
    auto trans = [&d](int i) {
        return static_cast<uint8_t>(std::clamp(d.Transitions[i], 0, TransitionMax));
    };
    if (d.Coche[pmInstrument])
        m->Instrument = static_cast<int8_t>(std::clamp(d.Instrument, 0, 127));
    int8_t *valeurs[6] = {&m->Volume, &m->Balance, &m->Chorus, &m->Reverb, &m->Phaser, &m->Tremolo};
    uint8_t *transitions[6] = {&m->TransVolume, &m->TransBalance, &m->TransChorus,
                               &m->TransReverb, &m->TransPhaser, &m->TransTremolo};
    for (int i = 0; i < 6; ++i)
        if (d.Coche[pmVolume + i]) {
            *valeurs[i] = static_cast<int8_t>(ValeurDeJauge(d.Jauges[i]));
            *transitions[i] = trans(pmVolume + i);
        }
    if (d.Coche[pmTempo]) {
        m->Tempo = std::clamp(d.Tempo, 1, TempoMaxMix);
        m->TransTempo = trans(pmTempo);
    }
    a.TableMix = m;
    return true;
}

std::vector<std::string> TextesTransitions(const std::string &immediat, const std::string &un,
                                           const std::string &plusieurs)
{
    std::vector<std::string> v{immediat, un};
    for (int n = 2; n <= TransitionMax; ++n) {
        std::string t = plusieurs;
        const auto i = t.find("%s");
        if (i != std::string::npos)
            t.replace(i, 2, std::to_string(n));
        else
            t = std::to_string(n) + " " + t;
        v.push_back(t);
    }
    return v;
}

int DelaiRepetitionTempo(int k)
{
    if (k <= 1)
        return 300;
    return k > 10 ? 50 : 100;
}

int PasRepetitionTempo(int k) { return k > 30 ? 3 : 1; }
