#include "app/ui/DlgEffetGraceNote.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/ui/uDialogues.h"
#include "app/ui/uIconesOutils.h"
#include "config/ui/DlgMyMsg.h"

namespace {
const char *const Section = "DLG_GRACE_000";
const char *const Section300 = "DLG300_GRACE_000";
const char *const Dynamiques[] = {"Dynamic_ppp", "Dynamic_pp", "Dynamic_p",  "Dynamic_mp",
                                  "Dynamic_mf",  "Dynamic_f",  "Dynamic_ff", "Dynamic_fff"};
} // namespace

TFEffetGraceNote::TFEffetGraceNote(cNote &n, int nbFrets, bool ecouter,
                                   std::function<void()> jouer, QWidget *parent)
    : QDialog(parent), Editeur(n), NbFrets(nbFrets), Jouer(std::move(jouer))
{
    setObjectName("TFEffetGraceNote");
    setWindowTitle(TexteSection(Section, 1, "Grace Note"));

    // Fret or dead note.
    auto *gCase = new QGroupBox(TexteSection(Section, 2, "Fret"), this);
    gCase->setObjectName("GB_Case");
    RB_Case = new QRadioButton(gCase);
    RB_Case->setObjectName("RB_Case");
    Edit_Case = new QLineEdit(gCase);
    Edit_Case->setObjectName("Edit_Case");
    Edit_Case->setMaxLength(2);
    Edit_Case->setFixedWidth(40);
    Edit_Case->setValidator(new QRegularExpressionValidator(QRegularExpression("\\d{0,2}"), Edit_Case));
    Edit_Case->installEventFilter(this);
    BT_Haut = new QToolButton(gCase);
    BT_Haut->setObjectName("BT_Haut");
    BT_Haut->setArrowType(Qt::UpArrow);
    BT_Bas = new QToolButton(gCase);
    BT_Bas->setObjectName("BT_Bas");
    BT_Bas->setArrowType(Qt::DownArrow);
    CB_Morte = new QRadioButton(TexteSection(Section300, 1, "Dead note"), gCase);
    CB_Morte->setObjectName("CB_Morte");
    auto *hc = new QHBoxLayout;
    hc->addWidget(RB_Case);
    hc->addWidget(Edit_Case);
    hc->addWidget(BT_Haut);
    hc->addWidget(BT_Bas);
    hc->addStretch();
    auto *vc = new QVBoxLayout(gCase);
    vc->addLayout(hc);
    vc->addWidget(CB_Morte);

    // Dynamic: eight buttons.
    auto *gNuance = new QGroupBox(TexteSection(Section, 3, "Dynamic"), this);
    gNuance->setObjectName("GB_Nuance");
    Nuances = new QButtonGroup(this);
    auto *hn = new QHBoxLayout(gNuance);
    for (int k = 1; k <= 8; ++k) {
        auto *b = new QToolButton(gNuance);
        b->setObjectName(QString("BT_Nuance%1").arg(k));
        b->setCheckable(true);
        b->setIcon(IconeCommande(Dynamiques[k - 1]));
        b->setIconSize(QSize(22, 22));
        b->setToolTip(QString::fromLatin1(Dynamiques[k - 1] + 8));
        Nuances->addButton(b, k);
        hn->addWidget(b);
    }

    // Transition and duration.
    auto *gTransition = new QGroupBox(TexteSection(Section, 5, "Transition"), this);
    gTransition->setObjectName("GB_Transition");
    CTransition = new QComboBox(gTransition);
    CTransition->setObjectName("CTransition");
    CTransition->addItems({"None", "Slide", "Bend", "Hammer"});
    (new QVBoxLayout(gTransition))->addWidget(CTransition);
    auto *gDuree = new QGroupBox(TexteSection(Section, 4, "Duration"), this);
    gDuree->setObjectName("GB_Duree");
    Durees = new QButtonGroup(this);
    auto *hd = new QHBoxLayout(gDuree);
    // Lead times of 30, 60 and 120 ticks: a sixty-fourth, a thirty-second, a sixteenth.
    for (int d = 1; d <= 3; ++d) {
        auto *r = new QRadioButton(gDuree);
        r->setObjectName(QString("RB_Duree%1").arg(d));
        r->setIcon(IconeValeurNote(5 - d));
        r->setIconSize(QSize(22, 22));
        Durees->addButton(r, d);
        hd->addWidget(r);
    }

    BT_Ecouter = new QPushButton(TexteSection(Section300, 3, "Listen"), this);
    BT_Ecouter->setObjectName("BT_Ecouter");
    BT_Ecouter->setCheckable(true);
    BT_Ecouter->setChecked(ecouter);
    BT_Ecouter->setAutoDefault(false);
    BT_Effacer = new QPushButton(QStringLiteral("&Clear"), this);
    BT_Effacer->setObjectName("BT_Effacer");
    BT_Effacer->setAutoDefault(false);

    auto *bas = new QHBoxLayout;
    bas->addWidget(BT_Effacer);
    bas->addWidget(BT_Ecouter);
    bas->addStretch();
    bas->addWidget(BoutonsDialogue(this));
    auto *milieu = new QHBoxLayout;
    milieu->addWidget(gTransition);
    milieu->addWidget(gDuree);
    auto *v = new QVBoxLayout(this);
    v->addWidget(gCase);
    v->addWidget(gNuance);
    v->addLayout(milieu);
    v->addLayout(bas);

    // The model's values on show before any signal is connected.
    MontrerCase();
    Nuances->button(Editeur.Grace().Nuance)->setChecked(true);
    CTransition->setCurrentIndex(Editeur.Grace().Transition);
    Durees->button(Editeur.Grace().Duree)->setChecked(true);

    connect(Edit_Case, &QLineEdit::textEdited, this, [this](const QString &t) {
        Editeur.ChangerChamp(t.toStdString());
        RB_Case->setChecked(true);
        Change();
    });
    connect(RB_Case, &QRadioButton::clicked, this, [this] {
        Editeur.ChoisirMorte(false, Edit_Case->text().toStdString());
        Change();
    });
    connect(CB_Morte, &QRadioButton::clicked, this, [this] {
        Editeur.ChoisirMorte(true, Edit_Case->text().toStdString());
        Change();
    });
    connect(Nuances, &QButtonGroup::idClicked, this, [this](int k) {
        Editeur.ChoisirNuance(k);
        Change();
    });
    connect(CTransition, &QComboBox::activated, this, [this](int k) {
        Editeur.ChoisirTransition(k);
        Change();
    });
    connect(Durees, &QButtonGroup::idClicked, this, [this](int d) {
        Editeur.ChoisirDuree(d);
        Change();
    });
    connect(BT_Ecouter, &QPushButton::toggled, this, [this] { Change(); });
    connect(BT_Effacer, &QPushButton::clicked, this, [this] {
        Editeur.Effacer();
        done(Efface);
    });
    // Held arrow buttons: 300 ms, then every 100 ms, from the eleventh repeat every 50 ms.
    Repetition.setSingleShot(true);
    connect(&Repetition, &QTimer::timeout, this, [this] {
        ++NbRepetitions;
        Pas(SensRepetition, NbRepetitions, true);
        Repetition.start(DelaiRepetitionCase(NbRepetitions));
    });
    for (auto [b, sens] : {std::pair{BT_Haut, +1}, std::pair{BT_Bas, -1}}) {
        const int s = sens;
        connect(b, &QToolButton::pressed, this, [this, s] {
            SensRepetition = s;
            NbRepetitions = 0;
            Pas(s, 0, true);
            Repetition.start(DelaiRepetitionCase(0));
        });
        connect(b, &QToolButton::released, this, [this] { Repetition.stop(); });
    }
}

void TFEffetGraceNote::MontrerCase()
{
    const bool morte = Editeur.Morte();
    CB_Morte->setChecked(morte);
    RB_Case->setChecked(!morte);
    Edit_Case->setText(QString::fromStdString(Editeur.TexteCase()));
}

void TFEffetGraceNote::Pas(int sens, int repetition, bool bouton)
{
    int v = 0;
    LireNombre(Edit_Case, v);
    v = bouton ? PasCaseBouton(v, sens, repetition) : PasCaseClavier(v, sens);
    Edit_Case->setText(QString::number(v));
    RB_Case->setChecked(true);
    Editeur.ChangerChamp(Edit_Case->text().toStdString());
    Change();
}

bool TFEffetGraceNote::eventFilter(QObject *o, QEvent *e)
{
    if (o == Edit_Case && e->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(e);
        const bool pave = k->modifiers() & Qt::KeypadModifier;
        if (k->key() == Qt::Key_Up || (pave && k->key() == Qt::Key_Plus)) {
            Pas(+1, 0, false);
            return true;
        }
        if (k->key() == Qt::Key_Down || (pave && k->key() == Qt::Key_Minus)) {
            Pas(-1, 0, false);
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

void TFEffetGraceNote::Change()
{
    if (Montre && BT_Ecouter->isChecked() && Jouer)
        Jouer();
}

void TFEffetGraceNote::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (Montre)
        return;
    Montre = true;
    Edit_Case->setFocus();
    Edit_Case->selectAll();
    Change();
}

void TFEffetGraceNote::accept()
{
    if (!cEditeurGraceNote::Valide(CB_Morte->isChecked(), Edit_Case->text().toStdString(),
                                   NbFrets)) {
        ErreurSaisie(Edit_Case);
        return;
    }
    QDialog::accept();
}

void TFEffetGraceNote::reject()
{
    Repetition.stop();
    Editeur.Annuler();
    QDialog::reject();
}
