// The built-in synthesizer: FluidSynth with a General MIDI SoundFont. Live, its sequencer is
// clocked by the synthesizer's own samples, so records handed over ahead of time play at their
// exact sample; offline, the same synthesizer renders a score to samples as fast as it can.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "playback/uMaxMidiDef.h"

inline constexpr const char *NomSynthInterne = "Built-in synthesizer";

// The SoundFont to use: the settings' path when that file exists, else the best General MIDI
// SoundFont installed; empty when there is none.
std::string CheminSoundFont(const std::string &reglage);

// Quiets ALSA's own error printing (a machine without sound is no error); FluidSynth's is
// quieted when it is loaded.
void TaireJournauxAudio();

// Renders without any audio device: messages go in at sample positions the caller chooses.
class cSynthHorsLigne {
public:
    static constexpr int Frequence = 44100;
    // `nbPorts` groups of 16 channels; channel 10 of each group is a drum channel.
    cSynthHorsLigne(const std::string &soundFont, int nbPorts);
    ~cSynthHorsLigne();
    cSynthHorsLigne(const cSynthHorsLigne &) = delete;
    cSynthHorsLigne &operator=(const cSynthHorsLigne &) = delete;

    bool Pret() const { return Pret_; }
    void Envoyer(int port, const uint8_t *octets, int n);
    // Appends `frames` stereo frames of 16-bit samples.
    void Rendre(int frames, std::vector<int16_t> &sortie);
    // Number of voices still sounding.
    int VoixActives() const;

private:
    struct rImpl;
    std::unique_ptr<rImpl> I;
    bool Pret_ = false;
};

// The live device; `avecAudio` false opens no audio driver (tests render by hand).
class cSynthInterne : public iPeripheriqueSortie {
public:
    static constexpr double AvanceMs = 60;
    // Null with the error text when the SoundFont or the audio output cannot be opened.
    static std::unique_ptr<cSynthInterne> Ouvrir(const std::string &soundFont, bool avecAudio,
                                                 std::string &erreur);
    ~cSynthInterne() override;

    bool Envoyer(const uint8_t *octets, int n, double ms) override;
    double Avance() const override { return AvanceMs; }
    bool Programmer(const uint8_t *octets, int n, double msEcheance) override;
    void Demarrer() override;
    void Arreter() override;

    // Without audio driver: renders frames, which advances the synthesizer's clock.
    void Rendre(int frames, std::vector<int16_t> &sortie);
    // The synthesizer's clock, in samples.
    unsigned TempsEchantillons() const;

private:
    struct rImpl;
    std::unique_ptr<rImpl> I;
    cSynthInterne();
};
