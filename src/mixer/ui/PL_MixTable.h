// The mix table control: one strip per track with its number, solo and mute, name, port,
// channels, instrument and six gauges. Every user action on a strip comes out as one event;
// what it does to the score is decided by whoever listens (uCommandesMixage.cpp).
#pragma once

#include <QTimer>
#include <QWidget>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "mixer/uMixage.h"

class QLabel;
class QScrollBar;

// Kinds of strip events.
enum eQuoiMix { qmLigne = 0, qmValeur = 1, qmClicGauche = 2, qmClicDroit = 3 };

// A gauge: position 0..48. Extended, a 67 × 18 slider whose position is the pointer's x − 9;
// compact, 21 pixels wide showing its number, a press in the upper half adding 3 and in the
// lower half subtracting 3, repeated while held.
class TPL_Jauge : public QWidget {
    Q_OBJECT
public:
    TPL_Jauge(bool etendue, int minimum, QWidget *parent = nullptr);
    int Position() const { return Pos; }
    void ChoisirPosition(int p); // no signal
    bool Etendue() const { return EnLong; }
    int MinValue = 0;
signals:
    void Change(int position);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    bool EnLong;
    int Pos = 0;
    bool Haut = false;
    int Pas = 0;
    QTimer Repetition;
    void Placer(int p);
};

// The solo, mute and view toggles.
class TPL_MixCheckBox : public QWidget {
    Q_OBJECT
public:
    TPL_MixCheckBox(const QString &lettre, const QColor &couleur, QWidget *parent = nullptr);
    bool Coche() const { return Etat; }
    void ChoisirCoche(bool c); // no signal
signals:
    void Bascule(bool coche);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;

private:
    QString Lettre;
    QColor Couleur;
    bool Etat = false;
};

class TPL_MixTable;

// One track's strip, 20 pixels high.
class TPL_Mix1Piste : public QWidget {
    Q_OBJECT
public:
    TPL_Mix1Piste(TPL_MixTable &table, QWidget *parent);
    void Remplir(const TPL_MixTable_Values_UnePiste &v, const std::string &instrument);
    void Disposer(); // columns shown and their places
    void ChoisirSelection(bool s);
    const TPL_MixTable_Values_UnePiste &Valeurs() const { return V; }

    QLabel *Numero, *Nom, *Port, *Canal, *CanalE, *Instrument;
    TPL_MixCheckBox *View, *Solo, *Mute;
    TPL_Jauge *Jauges[6];

protected:
    void paintEvent(QPaintEvent *) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    TPL_MixTable &Table;
    TPL_MixTable_Values_UnePiste V;
    bool Selection = false;
    QTimer RepetitionInstrument;
    int PasInstrument = 0;
    void Emettre(TMixList qui, int quoi, int valeur);
};

class TPL_MixTable : public QWidget {
    Q_OBJECT
public:
    static constexpr int HauteurStrip = 20;
    static constexpr int HauteurEntete = 24; // level with the overview's header

    explicit TPL_MixTable(QWidget *parent = nullptr);

    std::set<TMixList> VisibleMix;
    std::set<TMixList> ExtendedViewJauges; // among mInstrument, mVolume .. mTremolo
    int PremNumPiste = 1;
    int SelectedPiste = 0;
    int PositionH = 0; // the scroll bar under the mixer, 0..10
    // The instrument names of a port (entries "n - name"), and the drum-kit text.
    std::function<const std::vector<std::string> *(int port)> Instruments;
    std::string TexteDrumKit = "Drum kit";

    // Every strip again, for all tracks of the score.
    void RemplirTout(const cPartition &p);
    // One track's strip.
    void RemplirPiste(const cPartition &p, int numPiste);
    void ChoisirPremiere(int numPiste);
    void ChoisirSelection(int numPiste);
    void ChoisirPositionH(int p);
    // False while playing: port and channel cells are disabled.
    void CanChangePort(bool peut);
    bool PeutChangerPort() const { return PortActif; }
    // The column captions, from the language patch.
    void ChoisirLegendes(const std::vector<QString> &legendes);

    int NbStrips() const { return static_cast<int>(Strips.size()); }
    TPL_Mix1Piste *Strip(int numPiste) const;
    // x and width of a column in a strip (width 0 when hidden).
    int XColonne(TMixList c) const;
    int LargeurColonne(TMixList c) const;
    int LargeurTotale() const;
    std::string TexteInstrument(const TPL_MixTable_Values_UnePiste &v) const;

signals:
    void MixActionIntercepted(QObject *sender, int numPiste, TMixList qui, int quoi, int valeur);

protected:
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;

private:
    friend class TPL_Mix1Piste;
    std::vector<TPL_Mix1Piste *> Strips;
    std::vector<QString> Legendes;
    bool PortActif = true;
    void Placer();
};
