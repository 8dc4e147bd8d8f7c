// The print dialog of the score: the printer's name with its set-up button, and all pages or a
// page range. Printing itself goes through ImprimerPiste.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QPrinter;
class QRadioButton;
class cPartition;
class cPiste;

// The printer of the session: its set-up (Print Set-up, the print dialog's button) is kept from
// one print to the next.
QPrinter &ImprimanteSession();

// The system's printer set-up dialog; false when cancelled. Replaceable by tests.
extern std::function<bool(QPrinter &, QWidget *)> ConfigurerImprimante;
// The PDF file to print to when no printer was chosen; empty when cancelled.
extern std::function<QString(QWidget *)> ChoisirFichierPDF;

class TFImprimer : public QDialog {
    Q_OBJECT
public:
    TFImprimer(QPrinter &imprimante, QWidget *parent = nullptr);

    QLabel *LabelImprimante() const { return LabelImp; }
    QRadioButton *BoutonTout() const { return RB_Tout; }
    QRadioButton *BoutonPages() const { return RB_Pages; }
    QLineEdit *PageDebut() const { return ED_PageDeb; }
    QLineEdit *PageFin() const { return ED_PageFin; }

    // The range chosen: de = a = 0 for every page.
    void Plage(int &de, int &a) const;
    void ActualiserNomImprimante();

private:
    QPrinter &Imprimante;
    QLabel *LabelImp = nullptr;
    QRadioButton *RB_Tout = nullptr, *RB_Pages = nullptr;
    QLineEdit *ED_PageDeb = nullptr, *ED_PageFin = nullptr;
};

// Prints pages de..a (0: all) of `piste` on `imprimante`, the document titled after the score.
// Shows the hourglass while pages are produced. Returns false, with the message key in `cle`,
// when the printer could not be used.
bool ImprimerPiste(const cPartition &p, const cPiste &piste, QPrinter &imprimante, int de, int a,
                   std::string &cle);

// Fichier_Imprimer: the dialog, then the print; a failure is reported. Returns whether
// something was printed.
bool ImprimerAvecDialogue(const cPartition &p, const cPiste &piste, QWidget *parent);
