// Plain text on the printer, for the text tablature windows: the lines one under the other in
// a fixed-pitch font, a new page when one is full.
#pragma once

#include <QFont>
#include <QStringList>
#include <functional>

class QPrinter;
class QWidget;

// The font of the text boxes: "Courier", 11 pixels high, black text.
QFont PoliceTexteASCII();

// Prints on a printer already chosen. False when the printer cannot be started.
bool ImprimerLignes(QPrinter &imprimante, const QStringList &lignes, const QFont &police);

// Chooses a printer for a job; false when the user cancels. Windows hold one they can replace.
using FnChoisirImprimante = std::function<bool(QPrinter &imprimante, QWidget *parent)>;
// The standard print dialog.
bool ChoisirImprimanteDialogue(QPrinter &imprimante, QWidget *parent);

// The print dialog, then the lines, the job titled `titre`. A cancelled dialog sets
// `annule`; a printer that cannot be started returns false (the caller says so).
bool ImprimerTexte(const FnChoisirImprimante &choisir, QWidget *parent, const QStringList &lignes,
                   const QString &titre, bool &annule);
