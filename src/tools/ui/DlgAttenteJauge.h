// The progress panel of long runs (the fingering of a whole track, the MIDI import): a label and
// a bar of 28 steps. It shows itself only once a run has lasted a moment, so short runs do not
// flash a window.
#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <string>

#include "display/ui/uVuePartition.h"

class QLabel;
class QProgressBar;

class TFAttenteJauge : public QWidget {
    Q_OBJECT
public:
    // `texte` is a patch text (Windows-1252).
    TFAttenteJauge(QWidget *parent, const std::string &texte);

    // The step reached, 0..28; lets the window repaint.
    void Avancer(int etape);
    QLabel *Etat() const { return LabelEtat; }
    QProgressBar *Barre() const { return ProgressBar1; }

private:
    QLabel *LabelEtat;
    QProgressBar *ProgressBar1;
    QElapsedTimer Chrono;
    cGelVues Gel; // the score is half changed while the panel lets events through
};
