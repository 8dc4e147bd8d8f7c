#include "app/ui/uSpinRepetition.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>

TBoutonRepete::TBoutonRepete(QWidget *parent, rCadence cadence)
    : QToolButton(parent), Cadence(cadence)
{
    Minuterie.setSingleShot(true);
    connect(&Minuterie, &QTimer::timeout, this, &TBoutonRepete::Repeter);
    connect(this, &QToolButton::pressed, this, [this] {
        NbRepetitions = 0;
        emit Pas(1);
        Minuterie.start(Cadence.Attente(1));
    });
    connect(this, &QToolButton::released, this, [this] { Minuterie.stop(); });
}

void TBoutonRepete::Repeter()
{
    if (!isDown()) // released without the signal (the button was hidden or disabled)
        return;
    ++NbRepetitions;
    emit Pas(Cadence.Pas(NbRepetitions));
    Minuterie.start(Cadence.Attente(NbRepetitions + 1));
}

TSpinRepetition::TSpinRepetition(int min, int max, int valeur, QWidget *parent, rCadence cadence)
    : QWidget(parent), Edit(new QLineEdit(this)), Haut(new TBoutonRepete(this, cadence)),
      Bas(new TBoutonRepete(this, cadence)), Min(min), Max(max),
      ValeurCourante(std::clamp(valeur, min, max)),
      Format([](int v) { return QString::number(v); })
{
    Edit->setReadOnly(true);
    Edit->installEventFilter(this);
    Haut->setArrowType(Qt::UpArrow);
    Bas->setArrowType(Qt::DownArrow);
    for (QToolButton *b : {static_cast<QToolButton *>(Haut), static_cast<QToolButton *>(Bas)}) {
        b->setFixedSize(16, 11);
        b->setFocusPolicy(Qt::NoFocus);
    }
    auto *fleches = new QVBoxLayout;
    fleches->setSpacing(0);
    fleches->setContentsMargins(0, 0, 0, 0);
    fleches->addWidget(Haut);
    fleches->addWidget(Bas);
    auto *h = new QHBoxLayout(this);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(1);
    h->addWidget(Edit);
    h->addLayout(fleches);
    setFocusProxy(Edit);
    connect(Haut, &TBoutonRepete::Pas, this, [this](int n) { Pas(n); });
    connect(Bas, &TBoutonRepete::Pas, this, [this](int n) { Pas(-n); });
    connect(Edit, &QLineEdit::textEdited, this, [this] {
        int v = 0;
        if (LireSaisie(v) && v >= Min && v <= Max && v != ValeurCourante) {
            ValeurCourante = v;
            emit ValeurChangee(v);
        }
    });
    Afficher();
}

void TSpinRepetition::AccepterSaisie(const QString &motif, int longueur)
{
    Edit->setReadOnly(false);
    Edit->setMaxLength(longueur);
    Edit->setValidator(new QRegularExpressionValidator(QRegularExpression(motif), Edit));
}

void TSpinRepetition::ChoisirFormat(std::function<QString(int)> format)
{
    Format = std::move(format);
    Afficher();
}

void TSpinRepetition::ChoisirLargeur(int caracteres)
{
    Edit->setFixedWidth(Edit->fontMetrics().horizontalAdvance(QString(caracteres, '0')) + 14);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void TSpinRepetition::ChoisirValeur(int v)
{
    ValeurCourante = std::clamp(v, Min, Max);
    Afficher();
}

bool TSpinRepetition::LireSaisie(int &v) const
{
    bool ok = false;
    v = Edit->text().trimmed().toInt(&ok);
    return ok;
}

void TSpinRepetition::Pas(int n)
{
    // Steps start from what was typed, when it is a number.
    int depart = ValeurCourante;
    if (!Edit->isReadOnly())
        LireSaisie(depart);
    const int v = std::clamp(depart + n, Min, Max);
    const bool change = v != ValeurCourante;
    ValeurCourante = v;
    Afficher();
    if (change)
        emit ValeurChangee(v);
}

void TSpinRepetition::Afficher() { Edit->setText(Format(ValeurCourante)); }

bool TSpinRepetition::eventFilter(QObject *o, QEvent *e)
{
    if (o == Edit && e->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(e);
        const bool pave = k->modifiers() & Qt::KeypadModifier;
        if (k->key() == Qt::Key_Up || (pave && k->key() == Qt::Key_Plus)) {
            Pas(1);
            return true;
        }
        if (k->key() == Qt::Key_Down || (pave && k->key() == Qt::Key_Minus)) {
            Pas(-1);
            return true;
        }
    }
    return QWidget::eventFilter(o, e);
}
