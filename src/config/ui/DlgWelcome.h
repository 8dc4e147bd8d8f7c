// The language choice at the first start, and the start-up dialogs the settings loader uses.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "config/uConfig.h"

class QListWidget;
class QPushButton;

class TFWelcome : public QDialog {
    Q_OBJECT
public:
    // Languages are Windows-1252 names, in the order of the language list.
    explicit TFWelcome(const std::vector<std::string> &langues, QWidget *parent = nullptr);

    // The language chosen: a button's, or the selected list entry, or the first of the list.
    std::string Choix() const;

    QPushButton *BoutonLangue(int i) const { return Boutons[i]; } // 0..3
    QListWidget *Liste() const { return AutresLangues; }
    QPushButton *BoutonOK() const { return OK; }
    // The help file of this window, whatever the language.
    static std::string FichierAide() { return "PL_en.hlp"; }

private:
    std::vector<std::string> Langues;
    std::string Choisie;
    QPushButton *Boutons[4] = {};
    QListWidget *AutresLangues = nullptr;
    QPushButton *OK = nullptr;
};

// The loader's dialogs as real windows: the fixed message box and the welcome window.
class cDialoguesConfigQt : public iDialoguesConfig {
public:
    void MessageAucunPatch(const std::string &texte) override;
    std::string ChoisirLangue(const std::vector<std::string> &langues) override;
};
