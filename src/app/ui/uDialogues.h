// What the editing dialogs share: the OK and Cancel row named for the patch's texts, a text of
// a dialog's patch section with its built-in fallback, number fields, and colours.
#pragma once

#include <QColor>
#include <QString>
#include <functional>

class QDialog;
class QDialogButtonBox;
class QLineEdit;
class QPushButton;
class QWidget;

// OK (and Cancel) wired to accept and reject; the buttons carry the names the patch's
// "DLG_000" texts go to.
QDialogButtonBox *BoutonsDialogue(QDialog *d, bool annuler = true);
// Line n of a dialog section, or `defaut` when the patch lacks it.
QString TexteSection(const char *section, int ligne, const char *defaut);
// A field that takes at most `longueur` digits.
QLineEdit *ChampNombre(QWidget *parent, int longueur, int valeur);
// The field's number; false when it is empty or not a number.
bool LireNombre(const QLineEdit *e, int &v);

// Model colours are 0x00BBGGRR.
QColor VersCouleurQt(int couleur);
int DepuisCouleurQt(const QColor &c);
// A button that shows a colour; a click asks for another through `choisir`.
void PeindreBoutonCouleur(QPushButton *b, int couleur);
// The colour dialog; tests replace it.
using FnChoisirCouleur = std::function<QColor(const QColor &depart, QWidget *parent)>;
FnChoisirCouleur &ChoixCouleur();
