// Playback in the window: the engine's two 100 ms timers, the layer's notifications brought to
// the window thread, the play button's command, the step buttons, the speed-factor button, the
// marker play menus and the document's playback functions.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>

#include "playback/uMidi.h"

class TMainForm;
class QMenu;
class QToolButton;

class TLecture : public QObject, public iInterfaceLecture {
    Q_OBJECT
public:
    explicit TLecture(TMainForm &f);
    ~TLecture() override;

    cMidi &Moteur() { return *Midi; }
    // The one engine of the window (null before the window is built): the mixer and the MIDI
    // set-up window reach it here.
    static TLecture *Instance();

    // Play commands: the last of the three is kept on the play button.
    void Jouer(eModeJeu mode, int marker = 0, bool garderBouton = false);
    void Arreter();
    // Fast back / forward: while playing, playback pauses and restarts from the new position
    // once the button is released.
    void SautMesure(bool avant);
    void PasAPas(bool avant);
    // Rebuilds the marker entries when the markers changed.
    void ActualiserMarkers();

    // The MIDI set-up window, filled in by whoever builds it: opened once at start while
    // "PremMidiSetup" is set (the key is then cleared), and by the set-up commands.
    std::function<void()> ConfigurationMidi;

    QTimer MIDITimer;
    QTimer AffichageTimer;

    // iInterfaceLecture
    void ActiverEnvoi(bool actif) override;
    void ActiverSuivi(bool actif) override;
    void LectureDemarree() override;
    void LectureArretee() override;
    void CurseurSuivi(bool nouvelleMesure) override;
    void TempoAffiche(int tempoEffectif) override;
    void ErreurPeripherique(const std::string &nom) override;

private:
    TMainForm &F;
    std::unique_ptr<cMidi> Midi;
    std::string CommandeBouton = "Lecture_JouerPosEC";
    QToolButton *BoutonJouer = nullptr;
    QToolButton *BoutonVitesse = nullptr;
    QMenu *MenuBoutonJouer = nullptr;
    QTimer Reprise; // restarts after a fast move while playing
    std::string SignatureMarkers = "?";
    int TempoVu = 0; // the score's tempo as playback last took it

    QToolButton *Bouton(const char *commande) const;
    void ConstruireBoutonVitesse();
    void ConstruireMenusMarkers();
    void ActiverEdition(bool actif);
};
