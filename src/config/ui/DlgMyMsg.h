// The program's own modal message box, through which every message is shown, and the
// shorthand for an invalid dialog entry.
#pragma once

#include <QDialog>
#include <string>

class QLabel;
class QPushButton;

// Kinds (icons).
inline constexpr int MsgAvertissement = 0, MsgErreur = 1, MsgInformation = 2,
                     MsgConfirmation = 3;
// Button set.
inline constexpr int BtOui = 1, BtNon = 2, BtOK = 4, BtAnnuler = 8;
// Default button.
inline constexpr int DefOui = 0, DefNon = 1, DefOK = 2, DefAnnuler = 3;
// Results.
inline constexpr int ResOK = 1, ResAnnuler = 2, ResOui = 6, ResNon = 7;

class TFMyMsg : public QDialog {
    Q_OBJECT
public:
    // Caption and text are Windows-1252, as Traduction gives them.
    TFMyMsg(const std::string &legende, const std::string &texte, int genre, int defaut,
            int boutons, QWidget *parent = nullptr);

    QPushButton *BoutonOK() const { return OK; }
    QPushButton *BoutonOui() const { return Oui; }
    QPushButton *BoutonNon() const { return Non; }
    QPushButton *BoutonAnnuler() const { return Annuler; }
    QLabel *Texte() const { return Label; }
    QLabel *Icone() const { return Image; }
    int Genre() const { return GenreMsg; }

public slots:
    // Escape and the window's close box: Cancel, or No when Cancel is not shown, or OK when it
    // is the only way out; otherwise the box stays.
    void reject() override;

private:
    QLabel *Label = nullptr;
    QLabel *Image = nullptr;
    QPushButton *OK = nullptr, *Oui = nullptr, *Non = nullptr, *Annuler = nullptr;
    int GenreMsg = 0;

    void Disposer(int boutons);
};

// Shows the box and returns the code of the button pressed (ResOK, ResAnnuler, ResOui, ResNon).
int MyMsg(const std::string &legende, const std::string &texte, int genre, int defaut,
          int boutons);
// The usual call: caption and text by message key, the text's "#1"/"#2" filled with the
// parameters (Windows-1252), e.g. MyMsgCle("Dlg-Erreur", "Fichier-Introuvable", MsgErreur,
// DefOK, BtOK, chemin).
int MyMsgCle(const std::string &cleLegende, const std::string &cleTexte, int genre, int defaut,
             int boutons, const std::string &p1 = {}, const std::string &p2 = {});
// "Dlg-SaisieIncorrecte" under "Dlg-Erreur"; the focus then goes back into the field (whose
// text is selected when it is an edit field).
void ErreurSaisie(QWidget *champ = nullptr);
