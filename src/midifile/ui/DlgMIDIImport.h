// The MIDI import window: the file's tracks to tick, their preview, the quick import into a new
// score, and the three steps into the open score. Non-modal, on top, one at a time.
#pragma once

#include <QDialog>
#include <QPointer>

#include <string>
#include <vector>

#include "midifile/uImportMIDI.h"

class QButtonGroup;
class QCheckBox;
class QListWidget;
class QPushButton;
class QRadioButton;
class QWidget;
class TMainForm;

class TFMIDIImport : public QDialog {
    Q_OBJECT
public:
    // Opens the window on a file. An unreadable file, or one of a format the import does not
    // know, shows its message and opens nothing: null then. An open window takes the new file.
    static TFMIDIImport *Ouvrir(TMainForm &f, const std::string &chemin);
    static TFMIDIImport *Instance();

    TFMIDIImport(TMainForm &f);
    ~TFMIDIImport() override;

    // Reads the file's track list; false (the window unchanged) with a message key when the
    // file cannot be used. `formatInconnu` receives the format number of an unknown format.
    bool ChargerFichier(const std::string &chemin, std::string &cle, int *formatInconnu = nullptr);

    // The actions of the buttons.
    void CocherTout(bool coche);
    void Jouer();
    void Arreter();
    void OuvrirAutre();
    bool ImportRapide();
    void Etape1();
    void Etape2();
    bool Etape3();
    void Reduire();
    void Agrandir();

    rOptionsImportMIDI Options() const;
    std::vector<int> Cochees() const;
    const std::vector<rEntreeMIDI> &Entrees() const { return ListeEntrees; }
    const std::string &Chemin() const { return CheminFichier; }
    // What the last import said (the measure limit, lost notes).
    const rResultatImportMIDI &DernierResultat() const { return Resultat; }

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    TMainForm &F;
    std::string CheminFichier;
    std::vector<rEntreeMIDI> ListeEntrees;
    std::vector<rTempoMIDI> Tempos; // collected by step 1 for step 3
    rResultatImportMIDI Resultat;

    QWidget *Contenu = nullptr;
    QListWidget *ListePistes = nullptr;
    QPushButton *BT_Expand = nullptr;
    QRadioButton *PositionP[4] = {};
    QRadioButton *DureeD[4] = {};
    QCheckBox *CB_OptionsTranspose = nullptr;
    QCheckBox *CB_TwoChannels = nullptr;

    bool VerifierCochees();
    void SignalerResultat();
    std::string TextePiste() const;
};
