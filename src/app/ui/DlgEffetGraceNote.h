// The grace-note editor: fret (or dead note), dynamic, transition and duration, each change
// written into the grace note at once so that the listen button plays what is shown.
#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>

#include "model/uEditeursEffets.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

class TFEffetGraceNote : public QDialog {
    Q_OBJECT
public:
    // The result of exec() after "&Clear".
    static constexpr int Efface = 2;

    // `jouer` plays the beat under the cursor.
    TFEffetGraceNote(cNote &n, int nbFrets, bool ecouter, std::function<void()> jouer,
                     QWidget *parent = nullptr);
    void accept() override;
    void reject() override;

    cEditeurGraceNote Editeur;
    QRadioButton *CB_Morte, *RB_Case;
    QLineEdit *Edit_Case;
    QToolButton *BT_Haut, *BT_Bas;
    QButtonGroup *Nuances, *Durees;
    QComboBox *CTransition;
    QPushButton *BT_Ecouter, *BT_Effacer;

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    int NbFrets;
    std::function<void()> Jouer;
    QTimer Repetition;
    int SensRepetition = 0, NbRepetitions = 0;
    bool Montre = false;
    void Change();
    void Pas(int sens, int repetition, bool bouton);
    void MontrerCase();
};
