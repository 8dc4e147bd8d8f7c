// The playback engine: plays the score through up to four output ports with a metronome, a
// count-down bar, loops, a tempo factor and the speed trainer, keeps the edit cursor on the beat
// being heard, and plays short previews. Bars are generated one ahead into per-port queues; a
// send tick puts the due part of each queue to the MIDI layer, a follow tick moves the cursor.
// Both ticks come from the window (or from a test), never from another thread.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "playback/uGeneration.h"
#include "playback/uMaxMidiDef.h"
#include "playback/uPortsSortie.h"

class cConfig;

// What the engine asks of the window. Every call comes on the window thread.
class iInterfaceLecture {
public:
    virtual ~iInterfaceLecture() = default;
    // The send and follow timers (100 ms each).
    virtual void ActiverEnvoi(bool /*actif*/) {}
    virtual void ActiverSuivi(bool /*actif*/) {}
    // Playback started or stopped: buttons, editing commands, hidden windows, redraw.
    virtual void LectureDemarree() {}
    virtual void LectureArretee() {}
    // The engine moved the edit cursor (into a new bar when `nouvelleMesure`).
    virtual void CurseurSuivi(bool /*nouvelleMesure*/) {}
    // The tempo display: the effective tempo in quarter notes per minute.
    virtual void TempoAffiche(int /*tempoEffectif*/) {}
    // A device could not be opened, or failed while playing (its name).
    virtual void ErreurPeripherique(const std::string & /*nom*/) {}
    // The file browser's bar limit was reached.
    virtual void LimiteNavigateur() {}
};

enum class eModeJeu { PositionCourante, Debut, MesureCourante, Marker };

// One event of a sample (sample playing pattern): ticks from the start, and the message.
struct rEvtEchantillon {
    double Temps;
    uint8_t Statut, Donnee1, Donnee2;
};

class cMidi : public iSortieMidi {
public:
    static constexpr int IntervalleMs = 100;
    static constexpr double AvanceTicks = 480; // look-ahead of the send tick

    // The engine owns the layer; `interface` may be null (no window).
    cMidi(std::unique_ptr<cBibliothequeMidi> bibliotheque, iInterfaceLecture *interface);
    ~cMidi() override;
    cMidi(const cMidi &) = delete;
    cMidi &operator=(const cMidi &) = delete;

    cBibliothequeMidi &Bibliotheque() { return *Biblio; }
    cGenerateurMidi Gen;

    // Devices and instrument lists found at start; ports 1..4.
    std::vector<std::string> NomsPeripheriques;
    std::vector<std::string> NomsPatchs;
    std::array<cPortSortieConfig, MaxPorts + 1> Ports;
    std::string TexteAucunPort = "-no port-"; // "-" + "Gene-AucunPort" + "-"

    // Options (the window copies them from the settings).
    bool Boucle = false;
    bool CountDown = false;
    bool JouerPendantSaisie = true;
    double FacteurTempo = 0.5;
    bool FacteurActif = false;
    int LimiteMesures = 5000;    // the file browser's automatic advance
    bool ModeNavigateur = false; // the browser plays files in turn

    // Speed trainer.
    bool ModeTrainer = false;
    int TrainerPremiere = 1, TrainerDerniere = 1, TrainerTempoDebut = 120,
        TrainerTempoFin = 120, TrainerPas = 0, TrainerTempo = 120;

    // ------------------------------------------------------------ set-up
    // Start-up: device and patch names, ports with the defaults and those named in the
    // settings (`midiOut`, `patchInstr`: ports 1..4 at indices 0..3, unknown names ignored).
    void Initialiser(const std::array<std::string, 4> &midiOut,
                     const std::array<std::string, 4> &patchInstr,
                     const std::array<bool, 4> &limitBend, const std::string &aucunPort,
                     const std::string &aucunPatch, const std::string &patchNonTrouve);
    // Copies the playback options of the settings (metronome, count-down, repeats, effects,
    // metronome volume, "Play while Entering").
    void LireReglages(const cConfig &c);
    // The ports' device and patch names back into the settings.
    void EcrireReglages(cConfig &c) const;
    void ChangerPartition(cPartition *p);
    cPartition *Partition() const { return Gen.Partition; }
    // A port's device (index into NomsPeripheriques, -1 none); the port closes and reopens at
    // the next play.
    void ChoisirPeripherique(int port, int peripherique);
    void Metronome(bool actif) { Gen.PisteMetronome.Muet = !actif; }
    bool MetronomeActif() const { return !Gen.PisteMetronome.Muet; }

    // ------------------------------------------------------------ playback
    // Every play command: sets the mode, stops what plays, and starts.
    void Jouer(eModeJeu mode, int numMarker = 0);
    // The speed trainer's start (the values checked by its dialog).
    void JouerTrainer(int premiere, int derniere, int tempoDebut, int tempoFin, int pas);
    void Arreter();
    bool EnLecture() const { return Lecture; }
    // The two ticks.
    void EnvoyerJusqua();
    void SuivreCurseur();
    // The send tick at a given clock position (the first put, before the clock starts, is 0).
    void EnvoyerJusquaPosition(double pos);
    // The edit cursor moved to another track while playing: the engine follows it.
    void ChangerPiste();
    // The mixer changed a track while playing: a controller or program message goes out at
    // once on the track's main and effect channels (nothing when not playing).
    void EnvoyerMixDirect(const cPiste &piste, uint8_t base, uint8_t d1, uint8_t d2);
    // Solo or mute changed: the engine recomputes whether any track is soloed and, while
    // playing, silences every track that is now muted (all notes off).
    void ActualiserSolo();
    // Fast back/forward while playing: clock and ticks stop until Reprendre.
    void Suspendre();
    bool Suspendu() const { return Pause; }
    void Reprendre();
    // Stops and closes every port and the clock; they reopen at the next play.
    void FermerPorts();
    // A message of the layer, on the window thread.
    void Notification(int message, int sortie);

    // ------------------------------------------------------------ tempo
    // Puts tempo T (quarter notes per minute) to the clock, with the factor when it applies.
    void DefinirTempo(double tempo);
    // The score's own tempo was edited while playing.
    void ChangerTempoPartition();
    void ChoisirFacteur(double facteur);
    void BasculerFacteur(bool actif);
    double TempoEnCours() const { return TempoCourant; }
    int TempoEffectif() const { return TempoEffectif_; }

    // ------------------------------------------------------------ previews
    // The single-beat preview of a beat on a track ("Play while Entering"); the beat need not
    // belong to the score. Nothing happens with the option off.
    void EcouterAccord(const cPiste &piste, const cAccord &accord);
    // The sample pattern: events on a port, at `tempo` (0: the score's), then the score's
    // tempo comes back.
    void JouerEchantillon(int port, const std::vector<rEvtEchantillon> &evts, int tempo = 0);
    // The MIDI set-up's test: port 1 takes device `peripherique` and plays a short phrase on
    // it at tempo 120, whatever tracks the score has there. False when it cannot be opened.
    bool TesterSortie(int peripherique);

    // ------------------------------------------------------------ state, for the window
    int NumMesureLue() const { return NumMesure; }
    int NumTempsLu() const { return NumTemps; }
    int IndexOrdreLu() const { return IndexOrdre; }
    bool ModeMesureCourante() const { return ModeMesure; }
    bool PortOuvert(int port) const { return port >= 1 && port <= MaxPorts && Sorties[port] > 0; }
    int MesuresJouees() const { return NbMesuresJouees; }
    bool ApercuFlux = false; // a MIDI file preview streams on port 1
    // The preview of a MIDI file's tracks: events (time-sorted, in ticks) on port 1 after the
    // channel set-up, at `tempo` (0: the score's). The queue goes out 250 records at a time, as
    // the library asks for more; Arreter ends it.
    void JouerApercu(const std::vector<rEvtEchantillon> &evts, int tempo);
    // Puts at most n queued records of a port (the streaming preview).
    void EnvoyerN(int port, int n);
    // Opens what the score needs. `explicite` (a play command) retries ports that failed
    // before and shows the error of those that fail; previews skip them silently. Returns
    // whether some port is open.
    bool OuvrirPorts(bool explicite);

    // iSortieMidi: channel set-up messages go out at delta 0.
    void Envoyer(int port, const cPiste &piste, uint8_t statut, uint8_t d1, uint8_t d2) override;
    void DefinirTempo(int tempo) override { DefinirTempo(double(tempo)); }

private:
    std::unique_ptr<cBibliothequeMidi> Biblio;
    iInterfaceLecture *Interface;
    int Sync = 0;
    std::array<int, MaxPorts + 1> Sorties{};        // layer handles, 0 closed
    std::array<bool, MaxPorts + 1> EchecPort{};     // failed: previews do not retry it

    bool Lecture = false;
    bool Pause = false;
    double TempoCourant = 120;
    int TempoEffectif_ = 120;
    bool CountDownActif = false;
    double LongueurCountDown = 0;
    bool ModeMesure = false;
    rPosition CurseurSauve;
    bool ModeMarker = false;
    int MesureMarker = 1;
    bool UnSolo = false;

    cMesurePiste *MP = nullptr;
    cAccord *Acc = nullptr;
    int NumMesure = 1, NumTemps = 1;
    double DebutTemps = 0, FinMesure = 0;
    int IndexOrdre = 1;
    int NbMesuresJouees = 0;

    int NbPistesPort(int port) const;
    bool PortActif(int port) const { return Sorties[port] > 0 && Gen.Piles[port].NbPistes > 0; }
    void Demarrer();
    bool FinOrdre() const { return IndexOrdre >= int(Gen.OrdreLecture.size()); }
    int MesureA(int index) const;
    void PreparerMesureSuivante();
    void GenererPourPorts(int numMesure, double de, double a);
    void EnvoyerMixAnterieurs();
    void PlacerCurseurEdition();
    void Silencier();
    void ToutEnvoyer(int port);
    bool EstMuet(const cPiste *piste, double temps) const;
    cMesurePiste *MesurePisteDe(int numMesure) const;
};
