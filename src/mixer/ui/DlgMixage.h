// The mixer's dialogs: the instrument list of a strip, the mix table change of a beat, the
// MIDI set-up of the four ports, and the drum-kit window.
#pragma once

#include <QDialog>
#include <QTimer>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "mixer/uEvenementMix.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;
class TPL_Jauge;
class cMidi;

// "Instruments": 128 entries; a single click applies the entry at once, OK or a double click
// confirms, Cancel gives the first instrument back.
class TFInstruments : public QDialog {
    Q_OBJECT
public:
    TFInstruments(const std::vector<std::string> &entrees, int courant, QWidget *parent = nullptr);
    void reject() override;
    std::function<void(int instrument)> Appliquer;
    int Choisi() const;
    QListWidget *Liste;

private:
    int Depart;
};

// "Mix Table Change Event": one check box per parameter; a ticked box shows its control and,
// but for the instrument, its transition.
class TFTableMixEvent : public QDialog {
    Q_OBJECT
public:
    TFTableMixEvent(const rDialogueMix &depart, const std::vector<std::string> &instruments,
                    QWidget *parent = nullptr);
    void accept() override;
    rDialogueMix Valeurs() const;
    // Unticks every box.
    void Effacer();

    std::array<QCheckBox *, NbParamsMix> Cases{};
    QComboBox *Instrument;
    std::array<TPL_Jauge *, 6> Jauges{};
    QLineEdit *Tempo;
    QToolButton *TempoPlus, *TempoMoins;
    std::array<QComboBox *, NbParamsMix> Transitions{}; // null for the instrument
    QPushButton *BoutonEffacer;

private:
    QTimer Repetition;
    int NbRepetitions = 0, Sens = 0;
    void PasTempo(int pas);
    void Visibilites();
};

// "MIDI Setup": device, instrument list and "Limit pitch variations" of ports 1..4, a test
// button per port, and the SoundFont of the built-in synthesizer.
class TFMidiSetup : public QDialog {
    Q_OBJECT
public:
    TFMidiSetup(cMidi &midi, const std::string &soundFont, QWidget *parent = nullptr);
    void accept() override;
    void reject() override;
    // The first port whose device another port already has (rows with no device are left
    // aside); 0 when none. Shows the error box for it.
    int VerifierDoublons();
    void Tester(int port);

    std::array<QComboBox *, 4> Peripheriques{}, Patchs{};
    std::array<QCheckBox *, 4> LimitBend{};
    std::array<QPushButton *, 4> Tests{};
    QLineEdit *SoundFont;
    std::string SoundFontChoisie() const;

private:
    cMidi &Midi;
    int PeripheriqueDepart; // port 1's device before the dialog
    bool Teste = false;
};

// The drum kit: keys 27..87 in four columns. A click plays the key on the current track's
// channel, a double click or Enter enters it on the current drum track.
class TFBatterie : public QDialog {
    Q_OBJECT
public:
    explicit TFBatterie(QWidget *parent = nullptr);
    std::function<void(int cle)> Jouer;
    std::function<void(int cle)> Saisir;
    QListWidget *Liste;

protected:
    void keyPressEvent(QKeyEvent *e) override;
};
