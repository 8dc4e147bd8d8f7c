// Spin buttons that repeat while held, faster and then in bigger steps the longer they are
// held, and a number field with a pair of them. Used by the editing dialogs wherever a value is
// stepped with the mouse.
#pragma once

#include <QLineEdit>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <functional>

// When a held button steps again. Repeat k (from 1) comes Attente(k) ms after the previous
// step (the press itself is the first step) and moves by Pas(k).
struct rCadence {
    int Delai = 300;           // before the first repeat
    int Intervalle = 200;      // between repeats
    int IntervalleRapide = 150; // from repeat DebutRapide on
    int DebutRapide = 11;
    int DebutGrandPas = 30;    // from this repeat on, steps of GrandPas
    int GrandPas = 2;

    int Attente(int k) const { return k <= 1 ? Delai : k >= DebutRapide ? IntervalleRapide : Intervalle; }
    int Pas(int k) const { return k >= DebutGrandPas ? GrandPas : 1; }
};
// Pitches and counts: 300 ms, then 200, from the 11th repeat 150, from the 30th steps of 2.
inline constexpr rCadence CadenceNormale{};
// Fret count and capo: 300 ms, then 100, from the 11th repeat 50, from the 30th steps of 3.
inline constexpr rCadence CadenceRapide{300, 100, 50, 11, 30, 3};

// A button that steps once when pressed and again while held.
class TBoutonRepete : public QToolButton {
    Q_OBJECT
public:
    explicit TBoutonRepete(QWidget *parent = nullptr, rCadence cadence = CadenceNormale);
    void ChoisirCadence(rCadence c) { Cadence = c; }
    int Repetitions() const { return NbRepetitions; }

signals:
    void Pas(int taille); // 1 for the press and the early repeats

private:
    rCadence Cadence;
    QTimer Minuterie;
    int NbRepetitions = 0;
    void Repeter();
};

// A number field with up and down buttons that repeat while held. Up, Down, keypad + and - in
// the field step too. The field may accept typing (a pattern of characters and a length) or
// only show the value through a format (a pitch as its note name).
class TSpinRepetition : public QWidget {
    Q_OBJECT
public:
    TSpinRepetition(int min, int max, int valeur, QWidget *parent = nullptr,
                    rCadence cadence = CadenceNormale);

    // Typing: characters matching `motif` (a regular expression of the whole text), at most
    // `longueur` of them. Without it the field is read-only.
    void AccepterSaisie(const QString &motif, int longueur);
    // How a value is shown (default: its number).
    void ChoisirFormat(std::function<QString(int)> format);
    // A field as wide as `caracteres` digits; the widget then keeps its width in layouts.
    void ChoisirLargeur(int caracteres);

    int Valeur() const { return ValeurCourante; }
    // Sets the value (kept within min..max) without emitting ValeurChangee.
    void ChoisirValeur(int v);
    // The typed text as a number; false when it is empty or not a number.
    bool LireSaisie(int &v) const;
    void Pas(int n); // steps by n (negative: down), emits ValeurChangee when it changes

    QLineEdit *Champ() const { return Edit; }
    TBoutonRepete *BoutonHaut() const { return Haut; }
    TBoutonRepete *BoutonBas() const { return Bas; }

signals:
    void ValeurChangee(int v);

protected:
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    QLineEdit *Edit;
    TBoutonRepete *Haut, *Bas;
    int Min, Max, ValeurCourante;
    std::function<QString(int)> Format;
    void Afficher();
};
