// The speed trainer's dialog.
#include "playback/ui/DlgSpeedTrainer.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>

#include "config/uTextesFenetres.h"
#include "config/ui/DlgMyMsg.h"
#include "config/ui/uAppliquerTextesUI.h"

TChampNombre::TChampNombre(const char *nom, int min, int max, int valeur, QWidget *parent)
    : QWidget(parent), Min(min), Max(max)
{
    setObjectName(nom);
    auto *h = new QHBoxLayout(this);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(1);
    Champ = new QLineEdit(QString::number(valeur), this);
    Champ->setObjectName(QString(nom) + "_Edit");
    Champ->setMaxLength(3);
    Champ->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,3}"), Champ));
    Champ->setFixedWidth(48);
    Champ->installEventFilter(this);
    Haut = new QToolButton(this);
    Haut->setArrowType(Qt::UpArrow);
    Bas = new QToolButton(this);
    Bas->setArrowType(Qt::DownArrow);
    for (QToolButton *b : {Haut, Bas}) {
        b->setAutoRepeat(true);
        b->setAutoRepeatDelay(300);
        b->setAutoRepeatInterval(100);
        b->setFixedSize(16, 12);
        connect(b, &QToolButton::pressed, this, [this] { Repetitions = 0; });
    }
    Haut->setObjectName(QString(nom) + "_Haut");
    Bas->setObjectName(QString(nom) + "_Bas");
    connect(Haut, &QToolButton::clicked, this, [this] { Repeter(Haut, 1); });
    connect(Bas, &QToolButton::clicked, this, [this] { Repeter(Bas, -1); });
    auto *v = new QVBoxLayout;
    v->setSpacing(0);
    v->addWidget(Haut);
    v->addWidget(Bas);
    h->addWidget(Champ);
    h->addLayout(v);
}

void TChampNombre::Pas(int n)
{
    Champ->setText(QString::number(std::clamp(Valeur() + n, Min, Max)));
}

void TChampNombre::Repeter(QToolButton *b, int sens)
{
    // Faster after ten repeats, by threes after thirty.
    ++Repetitions;
    b->setAutoRepeatInterval(Repetitions > 10 ? 50 : 100);
    Pas(sens * (Repetitions > 30 ? 3 : 1));
}

bool TChampNombre::eventFilter(QObject *o, QEvent *e)
{
    if (o == Champ && e->type() == QEvent::KeyPress) {
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

TFSpeedTrainer::TFSpeedTrainer(int nbMesures, int mesDeb, int mesFin, int tempoDeb, int tempoFin,
                               int variation, QWidget *parent)
    : QDialog(parent), NbMesures(nbMesures)
{
    setObjectName("TFSpeedTrainer");
    setWindowTitle("Speed Trainer");
    auto *g = new QGridLayout(this);
    auto label = [this](const char *nom, const char *texte) {
        auto *l = new QLabel(QString::fromLatin1(texte), this);
        l->setObjectName(nom);
        return l;
    };
    MesDeb = new TChampNombre("MesDeb", 1, std::max(1, nbMesures), mesDeb, this);
    MesFin = new TChampNombre("MesFin", 1, std::max(1, nbMesures), mesFin, this);
    TempoDeb = new TChampNombre("TempoDeb", 1, 999, tempoDeb, this);
    TempoFin = new TChampNombre("TempoFin", 1, 999, tempoFin, this);
    Variation = new TChampNombre("Variation", 0, 999, variation, this);
    g->addWidget(label("LB_Mesures", "Bars :"), 0, 0);
    g->addWidget(MesDeb, 0, 1);
    g->addWidget(label("LB_MesuresA", "to"), 0, 2);
    g->addWidget(MesFin, 0, 3);
    g->addWidget(label("LB_Tempos", "Tempos :"), 1, 0);
    g->addWidget(TempoDeb, 1, 1);
    g->addWidget(label("LB_TemposA", "to"), 1, 2);
    g->addWidget(TempoFin, 1, 3);
    g->addWidget(label("LB_Variation", "Each pass tempo variation :"), 2, 0, 1, 3);
    g->addWidget(Variation, 2, 3);
    auto *boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    boutons->button(QDialogButtonBox::Ok)->setObjectName("OK");
    boutons->button(QDialogButtonBox::Cancel)->setObjectName("Annuler");
    connect(boutons, &QDialogButtonBox::accepted, this, &TFSpeedTrainer::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &TFSpeedTrainer::reject);
    g->addWidget(boutons, 3, 0, 1, 4);
    AppliquerTextesFenetre(this, PositionsDialogue({"DLG_ASS_ST_000"}), true);
}

int TFSpeedTrainer::Verifier(const QString &mesDeb, const QString &mesFin,
                             const QString &tempoDeb, const QString &tempoFin,
                             const QString &variation, int nbMesures)
{
    const auto mesure = [nbMesures](const QString &t) {
        return !t.isEmpty() && t.toInt() != 0 && t.toInt() <= nbMesures;
    };
    if (!mesure(mesDeb))
        return 1;
    if (!mesure(mesFin) || mesFin.toInt() < mesDeb.toInt())
        return 2;
    if (tempoDeb.isEmpty() || tempoDeb.toInt() == 0)
        return 3;
    if (tempoFin.isEmpty() || tempoFin.toInt() == 0)
        return 4;
    if (variation.isEmpty())
        return 5;
    return 0;
}

void TFSpeedTrainer::accept()
{
    const int e = Verifier(MesDeb->Texte(), MesFin->Texte(), TempoDeb->Texte(),
                           TempoFin->Texte(), Variation->Texte(), NbMesures);
    if (e) {
        TChampNombre *champs[] = {MesDeb, MesFin, TempoDeb, TempoFin, Variation};
        ErreurSaisie(champs[e - 1]->Edit());
        return;
    }
    QDialog::accept();
}
