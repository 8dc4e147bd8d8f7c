// The text tablature import window: the text box (opened from a file, typed or pasted), the
// rhythm mode and the columns per quarter note, and what the analysis found, shown as the text
// changes, before anything is imported.
#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "asciitab/uImportASCII.h"
#include "asciitab/ui/uImpressionTexte.h"

class QComboBox;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class TFImportASCII : public QDialog {
    Q_OBJECT
public:
    // For a track of `nbCordes` strings and `nbFrets` frets.
    TFImportASCII(int nbCordes, int nbFrets, QWidget *parent = nullptr);

    // The open dialog: filter -> chosen path, empty when cancelled.
    std::function<QString(const QString &filtre)> ChoisirFichierOuvrir;
    FnChoisirImprimante ChoisirImprimante;
    // The length in ticks of measure i (1-based) of the score the import goes into; the report
    // counts the measures that come out complete when it is given.
    std::function<double(int)> LongueurMesure;

    QPlainTextEdit *Texte() const { return M_Texte; }
    QPlainTextEdit *Rapport() const { return M_Rapport; }
    QComboBox *ListeTirets() const { return CB_NbTirets; }
    QRadioButton *Mode(int typeImport) const { return Modes[typeImport]; }
    QPushButton *BoutonImporter() const { return BT_Importer; }

    // Reads a file into the box (the old text is replaced); the message when it cannot.
    bool OuvrirFichier(const std::string &chemin);
    void Ouvrir();
    void Imprimer();
    // The analysis of the box's text with the current settings, shown in the report.
    void Analyser();
    // The analysis the import is to write (valid once the window was accepted).
    const rAnalyseASCII &Resultat() const { return Analyse; }
    // A refused text gives its message and the window stays open.
    void accept() override;

protected:
    bool eventFilter(QObject *objet, QEvent *e) override;

private:
    const int NbCordes;
    const int NbFrets;
    QPlainTextEdit *M_Texte = nullptr;
    QPlainTextEdit *M_Rapport = nullptr;
    QRadioButton *Modes[5] = {};
    QComboBox *CB_NbTirets = nullptr;
    QPushButton *BT_Importer = nullptr;
    QString Legende;
    QString NomFichier; // of the file last opened, for the print job
    QTimer Differe;
    rAnalyseASCII Analyse;

    rOptionsImportASCII Options() const;
    void ChangerMode(int typeImport);
};
