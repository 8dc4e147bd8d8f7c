// The track dialogs: the type and place of a new track, the properties of a guitar track
// (name, tuning with its presets, strings, frets, capo, twelve-string, banjo, colour) and those
// of a drum track (name and colour).
#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>

#include "model/uEdition.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class TBoutonRepete;
class TSpinRepetition;

class TFAjoutPiste : public QDialog {
    Q_OBJECT
public:
    explicit TFAjoutPiste(QWidget *parent = nullptr);

    bool Batterie() const;
    ePlacePiste Place() const;

    QRadioButton *Guitare, *Percussions;
    QRadioButton *Premiere, *Derniere, *Avant, *Apres;
};

// Where a track's sound goes, shown in the properties (port 0: not shown).
struct rSortiePiste {
    int Port = 0, Canal = 0, CanalEffets = 0;
};

// Both properties dialogs keep the colour shown on the track while they are open: `Apercu`
// gets every colour chosen, and the first one back when the dialog is cancelled.
class TFProprietesPiste : public QDialog {
    Q_OBJECT
public:
    // Without `annuler` (a track being added) the dialog can only be closed with OK.
    TFProprietesPiste(const rProprietesPiste &v, rSortiePiste sortie, bool annuler,
                      QWidget *parent = nullptr);
    void accept() override;
    void reject() override;

    const rProprietesPiste &Valeurs() const { return V; }
    std::function<void(int couleur)> Apercu;
    // Sounds the open string (1-based) of the tuning being edited.
    std::function<void(const rProprietesPiste &v, int corde)> Ecouter;

    // The rules of the dialog, as its controls run them.
    void ChangerNbCordes(int n);
    void ChoisirPreset(int i);
    void ChangerHauteur(int corde, int hauteur);
    void DeplacerTout(int demiTons);
    void ChoisirCouleur(int couleur);

    QLineEdit *Nom;
    QComboBox *Presets;
    TSpinRepetition *NbCordes;
    TSpinRepetition *Hauteurs[MaxCordes];
    QToolButton *EcouterCorde[MaxCordes];
    QLabel *NumCorde[MaxCordes];
    TBoutonRepete *Monter, *Descendre;
    QToolButton *EcouterTout;
    TSpinRepetition *NbFrets, *Capo;
    QCheckBox *Douze, *Banjo;
    QPushButton *Couleur;

private:
    rProprietesPiste V;
    int CouleurDepart;
    bool AvecAnnuler;
    QTimer Repetition, Sequence; // listening while a listen button is held
    int CordeSuivante = 0;
    void Actualiser();
    void DebutEcoute(int corde); // 0: every string
    void JouerSuivante();
    void FinEcoute();
};

class TFProprietesBatterie : public QDialog {
    Q_OBJECT
public:
    TFProprietesBatterie(const rProprietesPiste &v, rSortiePiste sortie, bool annuler,
                         QWidget *parent = nullptr);
    void accept() override;
    void reject() override;

    const rProprietesPiste &Valeurs() const { return V; }
    std::function<void(int couleur)> Apercu;
    void ChoisirCouleur(int couleur);

    QLineEdit *Nom;
    QPushButton *Couleur;

private:
    rProprietesPiste V;
    int CouleurDepart;
    bool AvecAnnuler;
};
