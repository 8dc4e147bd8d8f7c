// The score information dialog: the header of the score, and the defaults for new scores.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class cInformations;

class TFScoreInfo : public QDialog {
    Q_OBJECT
public:
    TFScoreInfo(cInformations &score, cInformations &defaut, QWidget *parent = nullptr);
    void accept() override;

private:
    struct rPage {
        QLineEdit *Titre = nullptr, *SousTitre = nullptr, *Artiste = nullptr, *Album = nullptr,
                  *Auteur = nullptr, *Droits = nullptr, *Tab = nullptr, *Instructions = nullptr;
        QPlainTextEdit *Notice = nullptr;
        QCheckBox *TripletFeel = nullptr;
    };
    cInformations &Score, &Defaut;
    rPage Page1, Page2;
    QWidget *Construire(rPage &page, const cInformations &i, bool titres, bool nommer);
    static void Lire(const rPage &page, cInformations &i, bool titres);
};
