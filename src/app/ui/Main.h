// The main window: menus, toolbars, status bar, the score view and the document lifecycle.
// Commands come from the command table; each subsystem registers the handlers of its own.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QSpinBox>
#include <QSplitter>
#include <QToolButton>
#include <functional>
#include <map>
#include <memory>

#include "display/ui/uVuePartition.h"
#include "model/uPartition.h"

class QMenu;
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
};

class TMainForm : public QMainWindow, public iInterfacePartition {
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    cPartition &Partition() { return *PartitionCourante; }
    cPartition &PressePapiers() { return PartitionPressePapiers; }
    TVuePartition *Vue() const { return VuePartition; }
    QAction *Action(const std::string &nom) const;
    QMenu *Menu(const std::string &nom) const;

    // A handler for a command of the table; a command without one stays disabled.
    using FnCommande = std::function<void(int tag)>;
    void EnregistrerCommande(const std::string &nom, FnCommande fn);
    void Executer(const std::string &nom);

    // File dialogs, replaceable by tests: (save?, proposed path, start folder) -> chosen path.
    std::function<QString(bool enregistrer, const QString &propose)> ChoisirFichier;

    // The document lifecycle.
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

    void AppliquerTextesPrincipal();
    void ChoisirLangue(const std::string &langue);
    // After every cursor move and edit: relayout, repaint, command states, status bar.
    void Actualiser(bool tout);
    void ActualiserCommandes();
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
    std::unique_ptr<cPartition> PartitionCourante;
    cPartition PartitionPressePapiers;
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
    void ConstruireMenuLangue();
    void ActualiserBarrePistes();
    void ToucheAppuyee(int touche, Qt::KeyboardModifiers m, const QString &texte);
    bool Enregistrer(const std::string &chemin);
    bool EnregistrerAvecDialogue(bool sousAutreNom);
    void RemplacerPartition();
    void AllerPiste(int mouvement, int numero = 0);
    void VerifierDureesMesures();
    void AfficherAide();
    void AfficherAPropos();
    void ExporterMIDI();
};
