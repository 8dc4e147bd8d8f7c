// The marker dialogs: insert or edit the marker of a measure, and the list of all markers with
// add, edit, delete and go to.
#pragma once

#include <QDialog>
#include <string>

class QLineEdit;
class QPushButton;
class QTreeWidget;
class cPartition;

// The marker of one measure: its name (100 characters) and colour. The measure number is shown,
// and editable only when the dialog adds a marker from the list.
class TFMesureMarker : public QDialog {
    Q_OBJECT
public:
    TFMesureMarker(int mesure, bool mesureModifiable, int nbMesures, const std::string &nom,
                   int couleur, bool edition, QWidget *parent = nullptr);
    void accept() override;

    int Mesure = 1;
    std::string Nom;
    int Couleur = 255;

    QLineEdit *ChampMesure, *ChampNom;
    QPushButton *BoutonCouleur;

private:
    int NbMesures;
};

// Every measure with a marker: number and name. Changes go to the score at once; `Modifie`
// tells the caller to finish the edit, `MesureAller` where to put the cursor (0: nowhere).
class TFListeMarkers : public QDialog {
    Q_OBJECT
public:
    TFListeMarkers(cPartition &p, int mesureCurseur, QWidget *parent = nullptr);

    bool Modifie = false;
    int MesureAller = 0;

    QTreeWidget *Liste;
    QPushButton *Ajouter, *Editer, *Supprimer, *Aller;

    void Remplir(int mesureChoisie = 0);
    // The measure of the selected line, or 0.
    int MesureChoisie() const;
    void AjouterMarker();
    void EditerMarker();
    void SupprimerMarker();

private:
    cPartition &P;
    int MesureCurseur;
};

// "Section 3": the dialog's default marker text, a blank and the marker count + 1.
std::string NomMarkerDefaut(const cPartition &p);
