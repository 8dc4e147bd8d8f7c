// The transposition dialog: a number of semitones from +12 to -12.
#pragma once

#include <QDialog>

class QComboBox;

class TFTransposition : public QDialog {
    Q_OBJECT
public:
    explicit TFTransposition(QWidget *parent = nullptr);
    QComboBox *Liste() const { return Valeur; }
    // The semitones of the chosen item.
    int Demitons() const;

private:
    QComboBox *Valeur;
};
