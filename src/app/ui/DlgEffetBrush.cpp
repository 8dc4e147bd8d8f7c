#include "app/ui/DlgEffetBrush.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "app/ui/uDialogues.h"
#include "app/ui/uIconesOutils.h"

// ---------------------------------------------------------------- brush

TFEffetBrush::TFEffetBrush(cAccord &a, bool haut, int derniereDuree, bool ecouter,
                           std::function<void()> jouer, QWidget *parent)
    : QDialog(parent), Editeur(a, haut, derniereDuree), Jouer(std::move(jouer))
{
    setObjectName("TFEffetBrush");
    setWindowTitle(TexteSection("DLG_BRUSH_000", 1, "Brush"));
    auto *g = new QGroupBox(QStringLiteral(" Brush Duration "), this);
    g->setObjectName("GB_Duree");
    Durees = new QButtonGroup(this);
    auto *h = new QHBoxLayout(g);
    // Spreads of 15 to 480 ticks: a hundred-twenty-eighth up to a quarter note.
    for (int d = 1; d <= 6; ++d) {
        auto *r = new QRadioButton(g);
        r->setObjectName(QString("RB_Duree%1").arg(d));
        r->setIcon(IconeValeurNote(6 - d));
        r->setIconSize(QSize(22, 22));
        Durees->addButton(r, d);
        h->addWidget(r);
    }
    Durees->button(Editeur.Choix)->setChecked(true);
    connect(Durees, &QButtonGroup::idClicked, this, [this](int d) {
        Editeur.Choisir(d);
        Change();
    });
    BT_Ecouter = new QPushButton(TexteSection("DLG_BRUSH_000", 3, "Listen"), this);
    BT_Ecouter->setObjectName("BT_Ecouter");
    BT_Ecouter->setCheckable(true);
    BT_Ecouter->setChecked(ecouter);
    BT_Ecouter->setAutoDefault(false);
    connect(BT_Ecouter, &QPushButton::toggled, this, [this] { Change(); });
    auto *bas = new QHBoxLayout;
    bas->addWidget(BT_Ecouter);
    bas->addStretch();
    bas->addWidget(BoutonsDialogue(this));
    auto *v = new QVBoxLayout(this);
    v->addWidget(g);
    v->addLayout(bas);
}

void TFEffetBrush::Change()
{
    if (Montre && BT_Ecouter->isChecked() && Jouer)
        Jouer();
}

void TFEffetBrush::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (Montre)
        return;
    Montre = true;
    Change();
}

void TFEffetBrush::accept()
{
    DureeRetenue = Editeur.Valider();
    QDialog::accept();
}

void TFEffetBrush::reject()
{
    Editeur.Annuler();
    QDialog::reject();
}

// ---------------------------------------------------------------- stroke of the vibrato

TFEffetCoupVB::TFEffetCoupVB(cAccord &a, QWidget *parent) : QDialog(parent), A(a)
{
    setObjectName("TFEffetCoupVB");
    setWindowTitle(TexteSection("DLG_STROKV_000", 1, "Coup de vibrato"));
    Separateur = QLocale().decimalPoint().isEmpty() ? QChar('.') : QLocale().decimalPoint().at(0);
    auto *l = new QLabel(TexteSection("DLG_STROKV_000", 2, "Duration"), this);
    l->setObjectName("LB_Duree");
    Edit_Valeur = new QLineEdit(this);
    Edit_Valeur->setObjectName("Edit_Valeur");
    Edit_Valeur->setMaxLength(3);
    Edit_Valeur->setFixedWidth(48);
    Edit_Valeur->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9.,]{0,3}"), Edit_Valeur));
    Edit_Valeur->setText(QString::fromStdString(
        TexteCoupVibrato(CoupVibratoInitial(a), static_cast<char>(Separateur.toLatin1()))));
    Edit_Valeur->installEventFilter(this);
    l->setBuddy(Edit_Valeur);
    BT_Haut = new QToolButton(this);
    BT_Haut->setObjectName("BT_Haut");
    BT_Haut->setArrowType(Qt::UpArrow);
    BT_Bas = new QToolButton(this);
    BT_Bas->setObjectName("BT_Bas");
    BT_Bas->setArrowType(Qt::DownArrow);
    auto *h = new QHBoxLayout;
    h->addWidget(l);
    h->addWidget(Edit_Valeur);
    h->addWidget(BT_Haut);
    h->addWidget(BT_Bas);
    h->addStretch();
    auto *v = new QVBoxLayout(this);
    v->addLayout(h);
    v->addWidget(BoutonsDialogue(this));
    // A typed "." or "," becomes the decimal separator.
    connect(Edit_Valeur, &QLineEdit::textEdited, this, [this](const QString &t) {
        QString u = t;
        u.replace('.', Separateur).replace(',', Separateur);
        if (u != t) {
            const int c = Edit_Valeur->cursorPosition();
            Edit_Valeur->setText(u);
            Edit_Valeur->setCursorPosition(c);
        }
    });
    // Held buttons repeat after 300 ms, then every 130 ms.
    Repetition.setSingleShot(true);
    connect(&Repetition, &QTimer::timeout, this, [this] {
        Pas(SensRepetition, true);
        Repetition.start(130);
    });
    for (auto [b, sens] : {std::pair{BT_Haut, +1}, std::pair{BT_Bas, -1}}) {
        const int s = sens;
        connect(b, &QToolButton::pressed, this, [this, s] {
            SensRepetition = s;
            Pas(s, false);
            Repetition.start(300);
        });
        connect(b, &QToolButton::released, this, [this] { Repetition.stop(); });
    }
    Edit_Valeur->selectAll();
}

double TFEffetCoupVB::Valeur() const
{
    double v = 0;
    LireCoupVibrato(Edit_Valeur->text().toStdString(), v);
    return v;
}

void TFEffetCoupVB::Pas(int sens, bool repetition)
{
    double v = Valeur();
    if (v == 0 && !Edit_Valeur->text().isEmpty())
        v = std::strtod(Edit_Valeur->text().replace(',', '.').toLatin1().constData(), nullptr);
    double n = sens > 0 ? MonterCoupVibrato(v) : DescendreCoupVibrato(v);
    if (repetition)
        n = std::clamp(n, 0.5, 6.0);
    if (n != v)
        Edit_Valeur->setText(
            QString::fromStdString(TexteCoupVibrato(n, static_cast<char>(Separateur.toLatin1()))));
}

bool TFEffetCoupVB::eventFilter(QObject *o, QEvent *e)
{
    if (o == Edit_Valeur && e->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(e);
        if (k->key() == Qt::Key_Up) {
            Pas(+1, false);
            return true;
        }
        if (k->key() == Qt::Key_Down) {
            Pas(-1, false);
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

void TFEffetCoupVB::accept()
{
    double v = 0;
    if (!LireCoupVibrato(Edit_Valeur->text().toStdString(), v)) {
        Edit_Valeur->setFocus();
        Edit_Valeur->selectAll();
        return;
    }
    AppliquerCoupVibrato(A, v);
    QDialog::accept();
}
