// The help window: the HTML help of the chosen language.
#pragma once

#include <QDialog>
#include <string>

class QTextBrowser;

class TFAide : public QDialog {
    Q_OBJECT
public:
    explicit TFAide(QWidget *parent = nullptr);
    QTextBrowser *Navigateur() const { return Texte; }
    // Opens (or raises) the window on the help file; "PL_xx.hlp" is looked for as "PL_xx.html".
    static TFAide *Montrer(QWidget *parent, const std::string &fichierAide);

private:
    QTextBrowser *Texte;
};
