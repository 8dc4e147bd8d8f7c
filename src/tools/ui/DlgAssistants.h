// The assistants' dialogs: dynamics and let ring per string over a range of measures, and the
// range of the automatic fingering; with the controls they share, the measure range fields and
// the seven string rows aligned to the bottom.
#pragma once

#include <QDialog>
#include <QTimer>
#include <array>

#include "tools/uAssistants.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;
class cPiste;

// "Bar range: [MesDeb] to [MesFin]" with up and down buttons that repeat while held.
class TPlageMesures : public QWidget {
    Q_OBJECT
public:
    TPlageMesures(QWidget *parent, int nbMesures, int debut, int fin);
    QLineEdit *Debut() const { return MesDeb; }
    QLineEdit *Fin() const { return MesFin; }
    QToolButton *Bouton(bool debut, bool haut) const;
    // The check of OK: on a fault the message is shown and the field focused and selected.
    bool Valider(rPlage &plage);

protected:
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    int NbMesures;
    QLineEdit *MesDeb, *MesFin;
    QToolButton *MesDebUp, *MesDebDown, *MesFinUp, *MesFinDown;
    QTimer Repetition;
    QLineEdit *ChampRepete = nullptr;
    int Sens = 0;
    int Tick = 0;

    void Pas(QLineEdit *champ, int pas);
    void Relier(QToolButton *b, QLineEdit *champ, int sens);
};

// Seven rows, one per string, the last row being the last string; the rows of a track with
// fewer strings stay disabled at the top. Each row: its check box, a picture of the string
// (clicking it ticks the box) and the string's number, then the dialog's own controls.
class TLignesCordes : public QWidget {
    Q_OBJECT
public:
    TLignesCordes(QWidget *parent, int nbCordes);
    QCheckBox *Case(int ligne) const { return CB[ligne]; }
    QHBoxLayout *Contenu(int ligne) const { return Controles[ligne]; }
    int Corde(int ligne) const { return CordeDeLigne(ligne, NbCordes); }
    bool AucuneCochee() const;

signals:
    void Cochee(int ligne, bool coche);

private:
    int NbCordes;
    std::array<QCheckBox *, NbLignesCordes + 1> CB{};
    std::array<QHBoxLayout *, NbLignesCordes + 1> Controles{};
};

class TFAssistantDynamic : public QDialog {
    Q_OBJECT
public:
    TFAssistantDynamic(QWidget *parent, const cPiste &piste, int nbMesures, int nuanceDefaut);
    void accept() override;
    const rPlage &Plage() const { return PlageChoisie; }
    // The chosen dynamic of each ticked string, 0 for the others.
    tNuances Nuances() const;
    TPlageMesures *Mesures() const { return PlageMesures; }
    TLignesCordes *Lignes() const { return LignesCordes; }

private:
    TPlageMesures *PlageMesures;
    TLignesCordes *LignesCordes;
    std::array<QButtonGroup *, NbLignesCordes + 1> Groupes{};
    rPlage PlageChoisie;
};

class TFAssistantLetRing : public QDialog {
    Q_OBJECT
public:
    TFAssistantLetRing(QWidget *parent, const cPiste &piste, int nbMesures);
    void accept() override;
    const rPlage &Plage() const { return PlageChoisie; }
    // 1 "Yes", 0 "No" for each ticked string, -1 for the others.
    tLetRing Choix() const;
    TPlageMesures *Mesures() const { return PlageMesures; }
    TLignesCordes *Lignes() const { return LignesCordes; }

private:
    TPlageMesures *PlageMesures;
    TLignesCordes *LignesCordes;
    std::array<QRadioButton *, NbLignesCordes + 1> Oui{}, Non{};
    rPlage PlageChoisie;
};

class TFAssistantDoigte : public QDialog {
    Q_OBJECT
public:
    TFAssistantDoigte(QWidget *parent, int nbMesures, int mesureCurseur);
    void accept() override;
    const rPlage &Plage() const { return PlageChoisie; }
    TPlageMesures *Mesures() const { return PlageMesures; }

private:
    TPlageMesures *PlageMesures;
    rPlage PlageChoisie;
};
