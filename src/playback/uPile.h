// Event lists of generation: one timed event, the time-sorted list of one track for one port,
// the per-port output queue and the per-port store that chains the track lists.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <iterator>

class cPiste;

class cEvtPile {
public:
    double Temps = 0; // ticks, absolute on the playback clock
    uint8_t Statut = 0;
    uint8_t Donnee1 = 0;
    uint8_t Donnee2 = 0;
    uint8_t Donnee3 = 0; // tempo events only
    cEvtPile *Precedent = nullptr;
    cEvtPile *Suivant = nullptr;
};

// Indices of ValeursCourantes, in the order of the channel table's mix values.
enum eValeurMix { mixVolume, mixBalance, mixChorus, mixReverb, mixPhaser, mixTremolo };

class cBasePile {
public:
    cPiste *Piste = nullptr;
    cEvtPile *Premier = nullptr;
    cEvtPile *Dernier = nullptr;
    cBasePile *Suivante = nullptr; // next list of the same port
    std::array<bool, 8> Adoucir{};  // [1..7]: the next normal note on that string is softer
    std::array<int, 6> ValeursCourantes{};
    std::size_t NbEvenements = 0;

    cBasePile() = default;
    cBasePile(const cBasePile &) = delete;
    cBasePile &operator=(const cBasePile &) = delete;
    ~cBasePile() { Vider(); }

    // Keeps the list sorted by time; an event goes after every event of the same time, so
    // equal times stay in the order they were generated.
    void Inserer(double temps, uint8_t statut, uint8_t d1, uint8_t d2, uint8_t d3 = 0);
    // Unlinks the first event; the caller owns it.
    cEvtPile *Extraire();
    void Vider();
};

class cMyEvtMidiOut {
public:
    cPiste *Piste = nullptr;
    double Temps = 0;
    uint8_t Statut = 0;
    uint8_t Donnee1 = 0;
    uint8_t Donnee2 = 0;
    uint8_t Donnee3 = 0;
};

// The time-ordered output queue of one port.
class cMyHMidiOut {
public:
    std::deque<cMyEvtMidiOut> Evts;
    int64_t DernierEnvoi = 0; // rounded time of the last record put out

    // Stable insertion, as in the track lists.
    void Inserer(const cMyEvtMidiOut &e);
    bool EstVide() const { return Evts.empty(); }
    const cMyEvtMidiOut &Premier() const { return Evts.front(); }
    void RetirerPremier() { Evts.pop_front(); }
    void Vider()
    {
        Evts.clear();
        DernierEnvoi = 0;
    }
};

// The event store of one output port.
class cPile {
public:
    cMyHMidiOut Sortie;
    int NbPistes = 0;             // score tracks on this port (0 when the port has no device)
    bool Ouvert = false;
    cBasePile *PremiereListe = nullptr; // the track lists, in track order (metronome last)
    double Decalage = 0;          // absolute time at which the next generated bar starts

    cPile() = default;
    cPile(const cPile &) = delete;
    cPile &operator=(const cPile &) = delete;
    ~cPile() { LibererListes(); }

    cBasePile *AjouterListe(cPiste *piste);
    cBasePile *ListeDe(const cPiste *piste) const;
    void LibererListes();
};
