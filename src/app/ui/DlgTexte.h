// The text of a beat: one line of at most 50 characters; an empty one removes the text.
#pragma once

#include <QDialog>
#include <string>

class QLineEdit;

class TFTexteAccord : public QDialog {
    Q_OBJECT
public:
    explicit TFTexteAccord(const std::string &texte, QWidget *parent = nullptr);
    void accept() override;

    std::string Texte;
    QLineEdit *Champ;
};
