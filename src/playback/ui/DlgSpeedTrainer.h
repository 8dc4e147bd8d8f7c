// The speed trainer's dialog: a range of bars, a start and an end tempo, and the tempo step
// of each pass. Its fields take three digits and step with the arrow and keypad keys.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>

// A number field with its up and down buttons; held buttons repeat faster and faster.
class TChampNombre : public QWidget {
    Q_OBJECT
public:
    TChampNombre(const char *nom, int min, int max, int valeur, QWidget *parent);
    QLineEdit *Edit() const { return Champ; }
    QString Texte() const { return Champ->text(); }
    int Valeur() const { return Champ->text().toInt(); }
    void Pas(int n); // within the range

protected:
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    QLineEdit *Champ;
    QToolButton *Haut, *Bas;
    int Min, Max;
    int Repetitions = 0;
    void Repeter(QToolButton *b, int sens);
};

class TFSpeedTrainer : public QDialog {
    Q_OBJECT
public:
    TFSpeedTrainer(int nbMesures, int mesDeb, int mesFin, int tempoDeb, int tempoFin,
                   int variation, QWidget *parent = nullptr);
    TChampNombre *MesDeb, *MesFin, *TempoDeb, *TempoFin, *Variation;

    // The checks of OK, in order; the first failure names its field.
    static int Verifier(const QString &mesDeb, const QString &mesFin, const QString &tempoDeb,
                        const QString &tempoFin, const QString &variation, int nbMesures);

public slots:
    void accept() override;

private:
    int NbMesures;
};
