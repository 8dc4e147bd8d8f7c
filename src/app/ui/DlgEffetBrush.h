// The brush editor (six spreads, the brush set on the beat while the editor is open so that
// listening includes it) and the stroke-of-vibrato editor (one value, 0.5 to 6).
#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>

#include "model/uEditeursEffets.h"

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QToolButton;

class TFEffetBrush : public QDialog {
    Q_OBJECT
public:
    // `haut`: the BrushUp field, else BrushDown. `jouer` plays the beat under the cursor.
    TFEffetBrush(cAccord &a, bool haut, int derniereDuree, bool ecouter,
                 std::function<void()> jouer, QWidget *parent = nullptr);
    void accept() override;
    void reject() override;

    cEditeurBrush Editeur;
    int DureeRetenue = 0; // after OK: the duration to remember
    QButtonGroup *Durees;
    QPushButton *BT_Ecouter;

protected:
    void showEvent(QShowEvent *e) override;

private:
    std::function<void()> Jouer;
    bool Montre = false;
    void Change();
};

class TFEffetCoupVB : public QDialog {
    Q_OBJECT
public:
    TFEffetCoupVB(cAccord &a, QWidget *parent = nullptr);
    void accept() override;

    QLineEdit *Edit_Valeur;
    QToolButton *BT_Haut, *BT_Bas;

protected:
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    cAccord &A;
    QChar Separateur;
    QTimer Repetition;
    int SensRepetition = 0;
    double Valeur() const;
    void Pas(int sens, bool repetition);
};
