// The chord window: edits the diagram of the beat under the cursor, either by drawing a
// fingering on the grid (the window names it) or by choosing a chord by its parts (the window
// lists its fingerings), or by taking one from the library, the print list or the used list.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "chords/uNomAccord.h"
#include "playback/uMidi.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QScrollBar;
class QTabWidget;
class QToolButton;
class cAccord;
class cPartition;
class cPiste;
class TFDiagramme;

// The large editing grid: six strings, five frets, the marks above the nut and the note names
// under the strings. A click (or a drag) on a string and a row is reported to the window.
class TGrilleDiagramme : public QWidget {
    Q_OBJECT
public:
    static constexpr int F = 20, X0 = 24, Y0 = 33;
    explicit TGrilleDiagramme(TFDiagramme &f, QWidget *parent);
    QSize sizeHint() const override;
    // The string (1..6) and row (0 above the first fret line, 1..5 the frets) under a point.
    static void Position(const QPoint &p, int &corde, int &rangee);
    // The centre of a string's mark in a row (for tests driving the mouse).
    static QPoint Centre(int corde, int rangee);

signals:
    void Clic(int corde, int rangee);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;

private:
    TFDiagramme &Fenetre;
    int DerniereCorde = 0, DerniereRangee = -1;
};

// The solutions of the search, eight to a row, in the small size of the score's diagrams.
class TGrilleSolutions : public QWidget {
    Q_OBJECT
public:
    static constexpr int LargeurCase = 41, HauteurCase = 37, MargeX = 15, MargeY = 10;
    explicit TGrilleSolutions(TFDiagramme &f, QWidget *parent);
    int Colonnes() const;
    // The solution (0-based) under a point, -1 for none.
    int SolutionEn(const QPoint &p) const;
    QPoint Coin(int k) const; // the top left of solution k's grid
    void Ajuster(int hauteurVisible);

signals:
    void Choisie(int k); // 0-based

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;

private:
    TFDiagramme &Fenetre;
};

class TFDiagramme : public QDialog {
    Q_OBJECT
public:
    // The beat under the cursor of `p` (it must exist).
    TFDiagramme(cPartition &p, QWidget *parent = nullptr);

    // What the window edits and shows (read by its grids).
    rDiagramme Edite{};
    tHauteurs Accordage{};
    rResultatRecherche Recherche;
    int Selection = 0; // selected solution, 1-based, 0 none
    bool Diese() const;

    // The listen button's sound: (port, channel events). Tests replace it.
    using FnJouer = std::function<void(int port, const std::vector<rEvtEchantillon> &)>;
    static FnJouer &Joueur();
    // Whether the listen button was down when the window closed.
    bool EcouteAuFermer = false;
    // The print chord list is saved with the score: a change to it modifies the score even
    // when the window is cancelled.
    bool ImpressionModifiee = false;

    // Widgets, named for the patch and for tests.
    TGrilleDiagramme *Grille;
    QScrollBar *SB_Case;
    QLineEdit *Edit_Nom;
    QListWidget *List_Noms;
    QComboBox *Combo_Fondamentale, *Combo_Type, *Combo_Extension, *Combo_DimAug, *Combo_Quinte,
        *Combo_Neuvieme, *Combo_Onzieme, *Combo_Basse, *Combo_Inversion;
    QCheckBox *CB_Add, *CB_Diese, *CB_Degre[NbDegres], *CB_Diagramme;
    QRadioButton *RB_Niveau[3];
    TGrilleSolutions *Solutions;
    QScrollArea *Zone_Solutions;
    QScrollBar *SB_Solution;
    QLabel *LB_Compte, *LB_Omissions;
    QTabWidget *Onglets;
    QListWidget *Listes[3]; // library, print list, used list
    QPushButton *BT_Ajouter, *BT_Supprimer, *BT_Remplacer, *BT_Monter, *BT_Descendre,
        *BT_Effacer;
    QToolButton *BT_Ecouter;
    QLabel *Bulle; // the hover popup of the lists

    // The operations the window's controls run (public for tests).
    void CliquerGrille(int corde, int rangee);
    void ChoisirNom(int index);
    void ChoisirSolution(int k); // 1-based
    void AjouterListe();
    void SupprimerListe();
    void RemplacerListe();
    void DeplacerListe(int sens);
    void ChargerListe(int index);
    void Effacer();
    void Ecouter();
    void MontrerBulle(int liste, int index);

public slots:
    void accept() override;
    void reject() override;

protected:
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    cPartition &P;
    cAccord *Beat;
    cPiste *Piste;
    int TempoAvant = 0;
    bool Chargement = false;
    std::vector<rNomPossible> Candidats;

    void Construire();
    void Ouvrir();
    rOptionsNom OptionsNom() const;
    int Niveau() const;
    // The window's definition: root, type, extension and alterations, add, sharps, bass and
    // degree boxes (as Omis).
    void LireDefinition(rDiagramme &d) const;
    std::array<bool, NbDegres> Inclus() const;
    // Sets the option lists, the bass and the degree boxes from a record.
    void AfficherDefinition(const rDiagramme &d, bool degresDuRecord);
    void ReglesEtDegres(bool cocherParDefaut);
    void ActiverDefinition(bool actif);
    int InversionCourante() const;
    void ComposerLeNom();
    void Rechercher(bool affichageSeul);
    void Redessiner();
    void RenommerNotes();
    void DevenirPerso(bool garderDoigte);
    void ChargerEnregistrement(const rDiagramme &d);
    void Fermer();

    // The three lists behind the tabs.
    int NbListe(int l) const;
    int MaxListe(int l) const;
    rDiagramme LireListe(int l, int i) const; // 1-based
    void EcrireListe(int l, int i, const rDiagramme &d); // i = Nb + 1 appends
    void SupprimerDeListe(int l, int i);
    void EchangerDansListe(int l, int i, int j);
    void RemplirListe(int l);
    rDiagramme EnregistrementFenetre() const;
    void DefinitionChangee();
};

// Shows the window for the beat under the cursor; true when confirmed. The beat has then
// received (or lost) its diagram, and an empty beat or a rest its notes.
// `impressionModifiee` (may be null) tells whether the print chord list changed meanwhile.
bool EditerAccord(cPartition &p, QWidget *parent, bool *impressionModifiee = nullptr);
// Set when the listen button was down at closing: the chord command skips its own playback of
// the beat once and clears it.
bool &SauterEcouteAccord();
