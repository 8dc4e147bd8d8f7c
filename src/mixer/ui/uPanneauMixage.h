// The bottom panel of the main window: the mix table on the left, the multitrack overview on
// the right. It follows the one document (every replacement and edit) and the cursor, and
// turns the strips' events into changes of the score, of the channels and of the live output.
#pragma once

#include <QObject>
#include <QList>
#include <QPointer>

#include "mixer/uMixage.h"

class QMenu;
class QScrollBar;
class QSplitter;
class TFBatterie;
class TMainForm;
class TPL_MixTable;
class TVueOrchestre;
class cMidi;
class cPiste;

class TPanneauMixage : public QObject {
    Q_OBJECT
public:
    explicit TPanneauMixage(TMainForm &f);

    TPL_MixTable *Table() const { return MixTable; }
    TVueOrchestre *Vue() const { return Orchestre; }
    QSplitter *Separateur() const { return Division; }
    QScrollBar *BarreH() const { return ScrollBar_Mix; }
    TFBatterie *Batterie() const { return FenetreBatterie; }

    // Strips, header and grid again from the score.
    void ActualiserTout();
    // The cursor moved or playback started or stopped.
    void ActualiserCurseur();
    // One strip event (see TPL_MixTable).
    void Traiter(int numPiste, TMixList qui, int quoi, int valeur);

    // The commands of the mixer.
    void EvenementMix();   // "Mix Table Change Event..."
    void ConfigurationMidi(); // "MIDI Setup"
    void BasculerBatterie(bool montrer);
    void BasculerHauteur();  // the panel against the score view
    void BasculerLargeur();  // the mixer against the overview

    // The menus a strip cell opens: built here, shown by the strip (tests pick an entry).
    QMenu *MenuPort(int numPiste);
    QMenu *MenuCanal(int numPiste, bool effets);

private:
    TMainForm &F;
    TPL_MixTable *MixTable;
    QScrollBar *ScrollBar_Mix;
    TVueOrchestre *Orchestre;
    QSplitter *Division;
    QPointer<TFBatterie> FenetreBatterie;
    int PisteVue = -1;
    const void *MesureVue = nullptr;
    bool LectureVue = false;
    bool BatterieCacheeParLecture = false;
    int HauteurAvant = 0;
    QList<int> LargeursAvant;

    cMidi *Moteur() const;
    void Envoyer(const cPiste &t, const rMessageMix &m);
    void ApresChangementCanaux(bool modifie);
    void JouerPercussion(int cle);
    void SaisirPercussion(int cle);
};

// The panel of a window (null before it is built).
TPanneauMixage *PanneauMixage(const TMainForm &f);
