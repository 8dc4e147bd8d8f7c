// The MIDI library layer: output devices, per-output queues of timed records, the sync clock
// (tempo, start, stop, position) and the notifications for the window. One scheduler thread
// sends every record at its due time, by absolute deadlines; with a manual clock (tests) no
// thread runs and the caller advances time, so timing is exact and deterministic.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// One record as the engine puts it: delta in ticks (1/480 quarter) after the previous record
// of the same output, then the message bytes (Donnee3 is unused by channel messages).
struct rEvtMidiOut {
    int32_t Delta = 0;
    uint8_t Statut = 0;
    uint8_t Donnee1 = 0;
    uint8_t Donnee2 = 0;
    uint8_t Donnee3 = 0;
};

// Bytes of a channel message, from its status (1 for a system message).
int LongueurMessage(uint8_t statut);
// True when the message may leave the program: a channel status and data bytes of 7 bits.
bool MessageValide(uint8_t statut, uint8_t d1, uint8_t d2);

// One opened output device. The layer calls it from its scheduler thread, and from the
// window thread for immediate messages, never from both at once.
class iPeripheriqueSortie {
public:
    virtual ~iPeripheriqueSortie() = default;
    // Sends a message now; `ms` is the time since StartSync. False: the device is gone.
    virtual bool Envoyer(const uint8_t *octets, int n, double ms) = 0;
    // A device that schedules by itself (the built-in synthesizer) takes records this many
    // milliseconds before they are due, through Programmer.
    virtual double Avance() const { return 0; }
    // A record due at `msEcheance` since StartSync, handed over ahead of time.
    virtual bool Programmer(const uint8_t *octets, int n, double msEcheance)
    {
        return Envoyer(octets, n, msEcheance);
    }
    // The clock started (its time 0 is now) or stopped (forget what was handed over).
    virtual void Demarrer() {}
    virtual void Arreter() {}
};

// An output device the system offers: its name and how to open it for a port (1..4).
struct rPeripherique {
    std::string Nom;
    std::function<std::unique_ptr<iPeripheriqueSortie>(int port, std::string &erreur)> Ouvrir;
};

// What the layer posts to the window (message numbers of the event window).
enum eNotificationMidi : int {
    NotifPlusDeDonnees = 21587, // an output's queue ran low: it can take more
    NotifSortieTerminee = 21591, // an output has sent everything it was given
    NotifPeripheriquePerdu = 21592, // a device failed while sending: it is closed
};

// Time for the layer when tests drive it: nanoseconds, moved by AvancerJusqua only.
struct cHorlogeManuelle {
    int64_t Ns = 0;
};

class cBibliothequeMidi {
public:
    static constexpr int Resolution = 480;
    // Queue length below which an output asks for more (NotifPlusDeDonnees).
    static constexpr std::size_t SeuilPlusDeDonnees = 64;

    // `manuelle` null: the system's steady clock and a scheduler thread.
    explicit cBibliothequeMidi(std::vector<rPeripherique> peripheriques,
                               cHorlogeManuelle *manuelle = nullptr);
    ~cBibliothequeMidi();
    cBibliothequeMidi(const cBibliothequeMidi &) = delete;
    cBibliothequeMidi &operator=(const cBibliothequeMidi &) = delete;

    int GetNumOutDevices() const { return static_cast<int>(Peripheriques.size()); }
    // The name, at most 32 characters; empty for an index out of range.
    std::string GetMidiOutDescription(int index) const;
    int GetMaxMidiVersion() const { return 0x0300; }

    // The one clock; its handle is 1.
    int OpenSync();
    void CloseSync(int sync);
    // Opens a device for a port. Returns a handle > 0, or 0 with the device's error text.
    int OpenMidiOut(int device, int sync, int port, std::string &erreur);
    void CloseMidiOut(int sortie);
    // The record goes out at the previous record's time on this output plus its delta, on the
    // clock. A message with a data byte above 127, or no channel status, never leaves: false.
    bool PutMidiOut(int sortie, const rEvtMidiOut &r);
    // Sends at once, whatever the clock (silencing, previews of a stopped clock).
    bool EnvoyerImmediat(int sortie, uint8_t statut, uint8_t d1, uint8_t d2);
    void SetTempo(int sync, int microsecondesParNoire);
    // Start from position 0 / stop; a stop forgets every record not yet sent.
    void StartSync(int sync);
    void StopSync(int sync);
    bool SyncDemarree() const;
    // Ticks since StartSync (frozen while stopped).
    int64_t GetPosition(int sync) const;
    double PositionExacte() const;

    // Receives the notifications, from the scheduler thread: it must only post them on.
    void DefinirNotification(std::function<void(int message, int sortie)> fn);

    // Called after every timed send with its due and actual times (ms since StartSync), from
    // the scheduler thread: the accuracy benchmark measures through it.
    void DefinirMesure(std::function<void(double prevu, double reel)> fn);

    // Records waiting on an output.
    std::size_t EnAttente(int sortie) const;
    bool Ouverte(int sortie) const;
    // Manual clock: sends every record due up to `ns`, each at its exact due time.
    void AvancerJusqua(int64_t ns);
    // Milliseconds since StartSync on the layer's clock.
    double MsDepuisDebut() const;

private:
    struct rEnAttente {
        double Ticks;
        uint8_t Octets[3];
        uint8_t N;
    };
    struct cSortie {
        int Port = 0;
        std::shared_ptr<iPeripheriqueSortie> Peripherique;
        std::shared_ptr<std::mutex> Verrou; // one sender at a time on the device
        double TempsDernier = 0;            // ticks of the last record put
        std::deque<rEnAttente> File;
        bool AEnvoye = false; // something was sent since the queue was last empty
        bool DemandePlus = false;
        bool Perdue = false;
    };
    struct rLot {
        int Sortie;
        std::shared_ptr<iPeripheriqueSortie> Peripherique;
        std::shared_ptr<std::mutex> Verrou;
        rEnAttente E;
        double MsEcheance;
        bool Programme;
    };

    std::vector<rPeripherique> Peripheriques;
    cHorlogeManuelle *Manuelle;
    mutable std::mutex Verrou;
    std::condition_variable Reveil;
    std::map<int, cSortie> Sorties;
    int ProchaineSortie = 1;
    bool SyncOuverte = false;
    bool Demarree = false;
    int64_t DebutNs = 0;  // clock time of StartSync
    int64_t RefNs = 0;    // clock time of the last tempo change (or start)
    double RefTicks = 0;  // position at RefNs
    double UsParNoire = 500000;
    bool Fin = false;
    std::function<void(int, int)> Notification;
    std::function<void(double, double)> Mesure;
    std::thread Ordonnanceur;

    int64_t Maintenant() const;
    double PositionA(int64_t ns) const;
    int64_t EcheanceNs(double ticks) const;
    double MsA(double ticks) const;
    // Takes what is due at `ns` (and what the scheduling devices may take early); returns the
    // next deadline, or -1 when nothing waits. Called with the lock held.
    int64_t Collecter(int64_t ns, std::vector<rLot> &lot, std::vector<std::pair<int, int>> &avis);
    void Envoyer(std::vector<rLot> &lot, std::vector<std::pair<int, int>> &avis);
    void Boucle();
};
