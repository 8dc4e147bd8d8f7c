// MIDI event generation from the score: the play order of bars, the channel setup of every
// track, and the timed events of bars and beats with every effect that is rendered. Playback,
// previews and the MIDI file export all generate through this class; they differ only in what
// consumes the per-port lists.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/uConstantes.h"
#include "model/uPartition.h"
#include "playback/uPile.h"

// The settings generation reads (their configuration keys and defaults).
struct rOptionsGeneration {
    bool PlayRepeats = true;
    bool PlayEffects = true;
    bool ExportRepeats = true;
    bool ExportEffects = true;
    int MetronomeVolume = 16; // 0..16
    bool DifferentMetronomeFirstSound = true;
    std::array<bool, MaxPorts + 1> LimitBend{}; // [1..4]: narrow pitch-wheel range
};

// Where channel setup messages go at once (delta 0): a port's output, or a file track.
class iSortieMidi {
public:
    virtual ~iSortieMidi() = default;
    virtual void Envoyer(int port, const cPiste &piste, uint8_t statut, uint8_t d1,
                         uint8_t d2) = 0;
    virtual void DefinirTempo(int /*tempo*/) {}
};

// Status byte of a message kind (0x80, 0x90, ...) on a model channel; channels outside 1..16
// (tracks whose channels were never allocated) play on the nearest valid one.
uint8_t StatutCanal(uint8_t base, int canal);
// A 0..16 mix value as a controller value: 8 × v modulo 256, 128 sent as 127.
uint8_t ValeurControleur(long v8);
// The three tempo bytes of a tempo in quarter notes per minute, most significant first.
void OctetsTempo(double tempo, uint8_t &d1, uint8_t &d2, uint8_t &d3);

class cGenerateurMidi {
public:
    cPartition *Partition = nullptr;
    rOptionsGeneration Options;
    std::array<cPile, MaxPorts + 1> Piles; // [1..4]
    cBasePile ListeTempo;                  // tempo changes of mix table events (Statut 0)
    cPiste PisteMetronome;                 // channel 10 on port 1; not part of the score
    std::vector<int> OrdreLecture;         // bar numbers in playing order
    double TempoCourant = 120;
    bool EnLecture = false; // playing: triplet feel applies
    bool EnExport = false;  // exporting: triplet feel applies, export options are used

    explicit cGenerateurMidi(cPartition *p);
    cGenerateurMidi(const cGenerateurMidi &) = delete;
    cGenerateurMidi &operator=(const cGenerateurMidi &) = delete;

    static constexpr std::size_t MaxOrdre = 1000;

    // Fills OrdreLecture, with repeats and alternate endings when asked.
    void ConstruireOrdre(bool avecRepetitions);
    // 1-based index of the first entry holding the bar, 1 when absent.
    int IndexOrdre(int numMesure) const;

    bool LimitBendPort(int port) const
    {
        return port >= 1 && port <= MaxPorts && Options.LimitBend[port];
    }

    // Playback setup: bend range and wheel centre for all tracks, the score's tempo (ListeTempo
    // emptied), then program and mix values for all tracks.
    void PreparerCanaux(iSortieMidi &sortie);
    // The setup of one track: bend range and wheel centre, and/or program and six controllers.
    void PreparerCanauxPiste(const cPiste &piste, iSortieMidi &sortie, bool bendEtCentre,
                             bool programmeEtMix) const;

    // One list per score track of the port, in track order, plus the metronome's on port 1.
    void CreerListes(int port, bool avecMetronome = true);
    void LibererListes();

    // The stretch [de, a) of a bar for every track of the port (and the metronome on port 1);
    // Decalage then grows by a - de.
    void GenererMesure(int port, int numMesure, double de, double a, bool sansNotes);
    // The events of one beat at absolute time `temps`.
    void GenererTemps(cBasePile &liste, cAccord *accord, double temps, cMesurePiste *mp);

    // Moves every list of the port into its output queue, earliest first, ties in chain order.
    void Fusionner(int port);
    // The same for one list only.
    void FusionnerListe(int port, cBasePile &liste);

private:
    void Rampe(cBasePile &l, double base, uint8_t controleur, double c, double b, double f) const;
    void RampeTempo(double base, double c, double b, double f);
    void Controle(cBasePile &l, double temps, uint8_t base, uint8_t d1, uint8_t d2) const;
};
