// The text tablature export window: the line width with its repeating up and down buttons,
// the preview the user may edit, and refresh, print and save.
#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>
#include <string>

#include "asciitab/ui/uImpressionTexte.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class cPartition;
class cPiste;

class TFExportASCII : public QDialog {
    Q_OBJECT
public:
    TFExportASCII(const cPartition &p, const cPiste &piste, QWidget *parent = nullptr);

    // The save dialog: (proposed path, filter) -> chosen path in UTF-8, empty when cancelled;
    // it asks before an existing file is replaced.
    std::function<std::string(const std::string &propose, const QString &filtre)> ChoisirFichier;
    FnChoisirImprimante ChoisirImprimante;

    QLineEdit *ChampLargeur() const { return E_NbColonnes; }
    QPlainTextEdit *Apercu() const { return M_Apercu; }
    QToolButton *BoutonPlus() const { return BT_Plus; }
    QToolButton *BoutonMoins() const { return BT_Moins; }
    QLabel *Etat() const { return LB_Etat; }

    // The width field's value after the refresh rule (empty: 80, below 40: 40), stored in
    // "NbColASCII", and the text built again.
    void Actualiser();
    // Writes the preview as it stands; closes the window once written.
    bool Enregistrer();
    void Imprimer();
    // One step of the up and down buttons (and the keys that act like them).
    void Pas(int delta);
    // One repeat of a held button, and the delay before the next one.
    void Repeter();
    int DelaiRepetition() const { return Repetition.interval(); }

protected:
    bool eventFilter(QObject *objet, QEvent *e) override;

private:
    const cPartition &P;
    const cPiste &Piste;
    QLineEdit *E_NbColonnes = nullptr;
    QToolButton *BT_Plus = nullptr, *BT_Moins = nullptr;
    QPlainTextEdit *M_Apercu = nullptr;
    QLabel *LB_Etat = nullptr;
    // Held buttons repeat: first after 300 ms, then every 200 ms, every 100 ms after the
    // tenth repeat, and by 3 from the thirtieth.
    QTimer Repetition;
    int NbRepetitions = 0;
    int Sens = 0;

    void Appuye(int sens);
};
