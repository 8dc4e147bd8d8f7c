// The output devices of the system: the built-in synthesizer, every RtMidi output port, and the
// recording device that replaces them all when PLECTORIUM_MIDI_CAPTURE names a file.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "playback/uMaxMidiDef.h"

// What the recording device writes: one line per message, "ms,port,byte,byte,..." (ms since
// StartSync with three decimals, bytes in hexadecimal). Shared by every port.
class cJournalCapture {
public:
    explicit cJournalCapture(std::string chemin = {}) : Chemin(std::move(chemin)) {}
    void Ajouter(double ms, int port, const uint8_t *octets, int n);
    std::vector<std::string> Lignes() const;
    void Vider();
    // Writes every line so far to the file (whole, through the safe writer); nothing without
    // a path or when nothing changed since the last write.
    bool Ecrire();
    const std::string &CheminFichier() const { return Chemin; }

private:
    mutable std::mutex Verrou;
    std::string Chemin;
    std::vector<std::string> Texte;
    bool Change = false;
};

// A device that records into a journal; `echecApres` >= 0 makes it fail after that many
// messages (a device that disappears).
class cPeripheriqueCapture : public iPeripheriqueSortie {
public:
    cPeripheriqueCapture(std::shared_ptr<cJournalCapture> j, int port, long echecApres = -1)
        : Journal(std::move(j)), Port(port), Reste(echecApres)
    {
    }
    ~cPeripheriqueCapture() override { Journal->Ecrire(); }
    bool Envoyer(const uint8_t *octets, int n, double ms) override;
    void Arreter() override { Journal->Ecrire(); }

private:
    std::shared_ptr<cJournalCapture> Journal;
    int Port;
    long Reste;
};

// The recording file named by the environment, or empty.
std::string CheminCaptureEnvironnement();
// The journal of that file, one per program run (null without the variable).
std::shared_ptr<cJournalCapture> JournalEnvironnement();

// Names of the RtMidi output ports; none where the system has no MIDI sequencer.
bool SequenceurPresent();
std::vector<std::string> PortsRtMidi();

// The devices in device order: the built-in synthesizer (when a SoundFont is found), then the
// RtMidi ports. With the capture variable every device opens the recording device, and a
// machine without any device still offers one, so that playback can be checked anywhere.
std::vector<rPeripherique> ListerPeripheriques(const std::string &soundFontReglage);
