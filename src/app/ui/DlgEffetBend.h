// The bend editor: five presets, the amplitude list, and the curve drawn on a grid of 61
// positions by 13 heights with the mouse (a right click adds vibrato).
#pragma once

#include <QDialog>
#include <QWidget>
#include <functional>

#include "model/uEditeursEffets.h"

class QButtonGroup;
class QLabel;
class QListWidget;
class QPushButton;

class TGrilleBend : public QWidget {
    Q_OBJECT
public:
    TGrilleBend(cEditeurBend &e, QWidget *parent);
    QSize sizeHint() const override { return {320, 140}; }
signals:
    void Modifiee();

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;

private:
    cEditeurBend &E;
};

class TFEffetBend : public QDialog {
    Q_OBJECT
public:
    // `jouer` sounds the cursor note with a bend (not attached to it); `limiteBend` tells
    // whether the track's port narrows the pitch wheel to one tone.
    TFEffetBend(cNote &n, double dureeSonore, std::function<void(const cEffet_Bend &)> jouer,
                bool limiteBend, QWidget *parent = nullptr);
    void accept() override;

    cEditeurBend Editeur;
    QButtonGroup *Presets;
    QListWidget *ValueList;
    TGrilleBend *Grille;
    QLabel *LB_Duree;
    QPushButton *BT_Effacer, *BT_Ecouter;

    void Ecouter();

private:
    cNote &N;
    std::function<void(const cEffet_Bend &)> Jouer;
    bool LimiteBend;
    bool Montrant = false;
    void MontrerEtat();
};
