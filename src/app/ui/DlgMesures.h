// The measure dialogs: a range of measures to clear, copy or cut; the paste dialog; the time
// signature; the repeat count; the last pass of an alternate ending. Each checks its fields on
// OK and stays open on a wrong one.
#pragma once

#include <QDialog>

#include "model/uEdition.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class TSpinRepetition;

class TFPlageMesures : public QDialog {
    Q_OBJECT
public:
    enum class eGenre { Effacer, Copier, Couper };
    // Both fields start at `mesure`; the range must lie within 1..nbMesures.
    TFPlageMesures(eGenre genre, int mesure, int nbMesures, QWidget *parent = nullptr);
    void accept() override;

    int De = 0, A = 0;
    bool ToutesPistes() const;

    QLineEdit *ChampDe, *ChampA;
    QRadioButton *Piste, *Toutes;

private:
    eGenre Genre;
    int NbMesures;
};

class TFCollerMesures : public QDialog {
    Q_OBJECT
public:
    // `nbMesures` clipboard measures, of one track or of the whole score.
    TFCollerMesures(int nbMesures, bool unePiste, QWidget *parent = nullptr);
    void accept() override;

    int Fois = 1;
    eModeCollage Mode() const;

    QLabel *Confirmation;
    TSpinRepetition *Nombre;
    QRadioButton *Selection, *Avant, *Fin;
};

class TFSignature : public QDialog {
    Q_OBJECT
public:
    TFSignature(int numerateur, int denominateur, QWidget *parent = nullptr);
    void accept() override;

    int Numerateur = 4, Denominateur = 4;

    QComboBox *ChoixNumerateur, *ChoixDenominateur;
    QCheckBox *JusquALaFin;
};

// The number of repeats of a repeat close, 1..99.
class TFRenvoiFin : public QDialog {
    Q_OBJECT
public:
    explicit TFRenvoiFin(QWidget *parent = nullptr);
    void accept() override;

    int Nombre = 1;
    TSpinRepetition *Champ;
};

// The passes an alternate ending covers: from `premier` (computed) to the number asked.
class TFFinale : public QDialog {
    Q_OBJECT
public:
    explicit TFFinale(int premier, QWidget *parent = nullptr);
    void accept() override;

    int Dernier = 1;
    TSpinRepetition *Champ;

private:
    int Premier;
};
