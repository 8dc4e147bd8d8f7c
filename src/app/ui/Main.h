// The main window: menus, toolbars, status bar, the score view and the split pane below it.
// It owns the window and the one document; the commands live with their subsystems, which
// register their handlers here (uModules.h).
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QSpinBox>
#include <QSplitter>
#include <QToolButton>
#include <functional>
#include <map>
#include <memory>

#include "app/uDocument.h"
#include "app/uRecuperation.h"
#include "display/ui/uVuePartition.h"
#include "model/uPartition.h"

class QMenu;
class QTimer;
class QToolBar;

// The invisible field that receives every key typed over the score.
class TChampClavier : public QWidget {
    Q_OBJECT
public:
    explicit TChampClavier(QWidget *parent) : QWidget(parent)
    {
        setFocusPolicy(Qt::StrongFocus);
    }
signals:
    void Touche(int touche, Qt::KeyboardModifiers modificateurs, const QString &texte);

protected:
    void keyPressEvent(QKeyEvent *e) override;
    bool focusNextPrevChild(bool) override { return false; } // Tab is a key of the editor
};

class TMainForm : public QMainWindow, public iInterfacePartition {
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    // The one document: the current score, the clipboard and their hooks.
    cDocument &Document() { return Doc; }
    cPartition &Partition() { return Doc.Partition(); }
    cPartition &PressePapiers() { return Doc.PressePapiers(); }
    TVuePartition *Vue() const { return VuePartition; }
    QAction *Action(const std::string &nom) const;
    QMenu *Menu(const std::string &nom) const;
    // The pane under the score view, beside which the overview and the mixer stand.
    QWidget *PanneauBas() const { return RzPanel_Orchestre; }
    QSplitter *Separateur() const { return RzSizePanel_H; }
    QSpinBox *BoiteTempo() const { return SpinEdit_Tempo; }
    QWidget *ChampClavier() const { return Edit_Clavier; }

    // A handler for a command of the table; a command without one stays disabled. Every run
    // of a command goes through the document's DebutCommande/FinCommande.
    using FnCommande = std::function<void(int tag)>;
    void EnregistrerCommande(const std::string &nom, FnCommande fn);
    bool ACommande(const std::string &nom) const { return Gestionnaires.count(nom) != 0; }
    // Runs a command as its menu item would (nothing when it is disabled).
    void Executer(const std::string &nom);
    // Keys typed over the score go to these handlers, the last added first, until one takes it.
    using FnTouche = std::function<bool(int touche, Qt::KeyboardModifiers m, const QString &texte)>;
    void AjouterGestionnaireTouches(FnTouche fn);
    // Enabled and checked states that a subsystem sets itself (playback, mixer), run after the
    // table's states at every ActualiserCommandes.
    using FnEtats = std::function<void(TMainForm &)>;
    void AjouterEtats(FnEtats fn);

    // File dialogs, replaceable by tests: (save?, proposed path, filter) -> chosen path, empty
    // when cancelled. The filter is a Qt filter ("MIDI (*.mid)"); empty means score files.
    std::function<QString(bool enregistrer, const QString &propose, const QString &filtre)>
        ChoisirFichier;
    // The save dialog of an export: proposes `propose`, asks before replacing an existing
    // file; returns the chosen path (UTF-8), empty when cancelled.
    std::string ChoisirFichierExport(const std::string &propose, const QString &filtre);
    // "Fichier-ExisteDeja" / "Fichier-Remplacer": true when the user agrees.
    bool ConfirmerRemplacement(const std::string &chemin);

    // The document lifecycle (uCommandesFichier.cpp).
    bool DemanderEnregistrement();
    void FichierNouveau();
    void FichierOuvrir();
    bool FichierEnregistrer();
    bool FichierEnregistrerSous();
    bool OuvrirChemin(const std::string &chemin);
    void OuvrirFichierRecent(int k);
    void AfficherFichiersRecents();
    void MettreAJourTitre();
    // The command line: arguments joined with blanks; a missing file says so.
    void OuvrirLigneCommande(const std::vector<std::string> &args);
    // After a score came from elsewhere (an import): cursor at the start, full relayout.
    void ApresNouvellePartition();
    // Recovery copies: written every minute while the score is modified (and by playback
    // before it starts); offered back at start when an earlier instance left one. Returns
    // whether a copy was restored.
    void EcrireRecuperation();
    bool ProposerRecuperation();

    void AppliquerTextesPrincipal();
    void ChoisirLangue(const std::string &langue);
    // After every cursor move: relayout (all, or the cursor's measure), repaint, command
    // states, status bar.
    void Actualiser(bool tout);
    // The end of every editing command: selection cleared, pending digit forgotten, relayout
    // and repaint, command states, the score marked modified, the document's edit hooks.
    void FinEdition(bool tout);
    void ActualiserCommandes();
    void ActualiserBarrePistes();
    // Saves the settings and then the toolbar layout (at exit).
    void EnregistrerEtat();

    // iInterfacePartition
    void ActualiserAffichage() override;
    void EtatEnregistrer(bool actif) override;
    void ActualiserTitre() override { MettreAJourTitre(); }
    const cInformations *InformationsParDefaut() override;
    std::string NomPisteParDefaut(int n) override;

protected:
    void closeEvent(QCloseEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    cDocument Doc;
    std::unique_ptr<cRecuperation> Recuperation;
    QTimer *TimerRecuperation = nullptr;
    TVuePartition *VuePartition = nullptr;
    QSplitter *RzSizePanel_H = nullptr;
    QWidget *RzPanel_Orchestre = nullptr;
    TChampClavier *Edit_Clavier = nullptr;
    QSpinBox *SpinEdit_Tempo = nullptr;
    QLabel *RzStatusPane_NumMesure = nullptr, *RzStatusPane_Duree = nullptr,
           *RzStatusPane_DureeEtat = nullptr, *RzStatusPane_Titre = nullptr;
    QToolButton *RzStatusPane_Piste = nullptr;
    QToolButton *BT_Piste[8] = {};
    QToolButton *BT_PistePrec = nullptr, *BT_PisteSuiv = nullptr;
    std::map<std::string, QAction *> Actions;
    std::map<std::string, QMenu *> Menus;
    std::map<std::string, FnCommande> Gestionnaires;
    std::vector<FnTouche> GestionnairesTouches;
    std::vector<FnEtats> Etats;
    std::vector<QToolBar *> BarresOutils;
    QByteArray DispositionParDefaut;
    QAction *Recents[2][5] = {};
    QAction *SeparateurRecents = nullptr;
    QMenu *MenuLangue = nullptr;
    bool PremiereActivation = true;
    QString RepertoireDepart; // the working directory at start, for command-line paths

    void CreerActions();
    void CreerMenus();
    void CreerBarresOutils();
    void CreerBarreEtat();
    void EnregistrerGestionnaires();
    void EnregistrerCommandesFenetre();
    void ConstruireMenuLangue();
    void ToucheAppuyee(int touche, Qt::KeyboardModifiers m, const QString &texte);
    bool Enregistrer(const std::string &chemin);
    bool EnregistrerAvecDialogue(bool sousAutreNom);
    void AllerPiste(int numero);
};

// Paths cross between Qt and the program as UTF-8.
QString CheminQt(const std::string &chemin);
std::string CheminDepuisQt(const QString &chemin);
