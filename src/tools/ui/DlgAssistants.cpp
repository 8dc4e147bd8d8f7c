#include "tools/ui/DlgAssistants.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "config/ui/DlgMyMsg.h"
#include "config/ui/uAppliquerTextesUI.h"
#include "config/uPatch.h"
#include "model/uPartition.h"
#include "tools/ui/uAideOutils.h"

// ---------------------------------------------------------------- measure range

TPlageMesures::TPlageMesures(QWidget *parent, int nbMesures, int debut, int fin)
    : QWidget(parent), NbMesures(std::max(1, nbMesures))
{
    auto *h = new QHBoxLayout(this);
    h->setContentsMargins(0, 0, 0, 0);
    auto *lab = new QLabel("Bar Range :", this);
    lab->setObjectName("Lab_Mesure");
    auto champ = [this](const char *nom, int v) {
        auto *e = new QLineEdit(QString::number(v), this);
        e->setObjectName(nom);
        e->setMaxLength(3);
        e->setFixedWidth(44);
        e->setAlignment(Qt::AlignRight);
        e->installEventFilter(this);
        return e;
    };
    auto fleche = [this](const char *nom, Qt::ArrowType sens) {
        auto *b = new QToolButton(this);
        b->setObjectName(nom);
        b->setArrowType(sens);
        b->setFixedSize(18, 12);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    MesDeb = champ("MesDeb", debut);
    MesFin = champ("MesFin", fin);
    MesDebUp = fleche("MesDebUp", Qt::UpArrow);
    MesDebDown = fleche("MesDebDown", Qt::DownArrow);
    MesFinUp = fleche("MesFinUp", Qt::UpArrow);
    MesFinDown = fleche("MesFinDown", Qt::DownArrow);
    lab->setBuddy(MesDeb);
    auto *a = new QLabel("to", this);
    a->setObjectName("Lab_a");
    auto colonne = [this](QToolButton *haut, QToolButton *bas) {
        auto *v = new QVBoxLayout;
        v->setSpacing(0);
        v->addWidget(haut);
        v->addWidget(bas);
        return v;
    };
    h->addWidget(lab);
    h->addWidget(MesDeb);
    h->addLayout(colonne(MesDebUp, MesDebDown));
    h->addWidget(a);
    h->addWidget(MesFin);
    h->addLayout(colonne(MesFinUp, MesFinDown));
    h->addStretch();
    Relier(MesDebUp, MesDeb, 1);
    Relier(MesDebDown, MesDeb, -1);
    Relier(MesFinUp, MesFin, 1);
    Relier(MesFinDown, MesFin, -1);
    Repetition.setSingleShot(true);
    connect(&Repetition, &QTimer::timeout, this, [this] {
        if (!ChampRepete)
            return;
        ++Tick;
        Pas(ChampRepete, Sens * PasDuTick(Tick));
        Repetition.start(DelaiAvantTick(Tick));
    });
}

QToolButton *TPlageMesures::Bouton(bool debut, bool haut) const
{
    return debut ? (haut ? MesDebUp : MesDebDown) : (haut ? MesFinUp : MesFinDown);
}

void TPlageMesures::Pas(QLineEdit *champ, int pas)
{
    if (champ->text().isEmpty())
        return;
    champ->setText(QString::number(ValeurApresPas(champ->text().toInt(), pas, NbMesures)));
}

// A press steps once at once; held, the button repeats faster and faster until released.
void TPlageMesures::Relier(QToolButton *b, QLineEdit *champ, int sens)
{
    connect(b, &QToolButton::pressed, this, [this, champ, sens] {
        Pas(champ, sens);
        ChampRepete = champ;
        Sens = sens;
        Tick = 0;
        Repetition.start(DelaiAvantTick(0));
    });
    connect(b, &QToolButton::released, this, [this] {
        Repetition.stop();
        ChampRepete = nullptr;
    });
}

bool TPlageMesures::eventFilter(QObject *o, QEvent *e)
{
    auto *champ = qobject_cast<QLineEdit *>(o);
    if (!champ || e->type() != QEvent::KeyPress)
        return QWidget::eventFilter(o, e);
    auto *k = static_cast<QKeyEvent *>(e);
    const bool pave = k->modifiers() & Qt::KeypadModifier;
    if (k->key() == Qt::Key_Up || (pave && k->key() == Qt::Key_Plus)) {
        Pas(champ, 1);
        return true;
    }
    if (k->key() == Qt::Key_Down || (pave && k->key() == Qt::Key_Minus)) {
        Pas(champ, -1);
        return true;
    }
    // Only digits are typed; editing keys (Backspace, arrows, Delete) work as usual.
    const QString t = k->text();
    if (!t.isEmpty() && t[0].isPrint() && !CaractereAccepte(t[0].toLatin1()))
        return true;
    return QWidget::eventFilter(o, e);
}

bool TPlageMesures::Valider(rPlage &plage)
{
    switch (ValiderPlage(MesDeb->text().toStdString(), MesFin->text().toStdString(), NbMesures,
                         plage)) {
    case eChampPlage::Debut:
        ErreurSaisie(MesDeb);
        return false;
    case eChampPlage::Fin:
        ErreurSaisie(MesFin);
        return false;
    case eChampPlage::Aucun:
        return true;
    }
    return false;
}

// ---------------------------------------------------------------- string rows

namespace {
// A string drawn as a line, thicker for the lower strings; a click ticks its row.
class TImageCorde : public QWidget {
public:
    TImageCorde(QWidget *parent, int corde, QCheckBox *cb) : QWidget(parent), Corde(corde), CB(cb)
    {
        setFixedSize(70, 19);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        if (Corde < 1)
            return;
        const QColor c = isEnabled() ? QColor(120, 110, 90) : QColor(200, 200, 200);
        p.fillRect(0, height() / 2 - (Corde + 2) / 4, width(), 1 + Corde / 3, c);
    }
    void mousePressEvent(QMouseEvent *) override
    {
        if (CB->isEnabled())
            CB->toggle();
    }

private:
    int Corde;
    QCheckBox *CB;
};
} // namespace

TLignesCordes::TLignesCordes(QWidget *parent, int nbCordes) : QWidget(parent), NbCordes(nbCordes)
{
    auto *g = new QGridLayout(this);
    g->setContentsMargins(0, 0, 0, 0);
    g->setVerticalSpacing(2);
    for (int l = 1; l <= NbLignesCordes; ++l) {
        const int corde = Corde(l);
        CB[l] = new QCheckBox(this);
        CB[l]->setObjectName(QString("CB%1").arg(l));
        auto *image = new TImageCorde(this, corde, CB[l]);
        auto *lib = new QLabel(corde ? QString::number(corde) : QString(), this);
        lib->setObjectName(QString("Lib%1").arg(l));
        Controles[l] = new QHBoxLayout;
        Controles[l]->setSpacing(1);
        g->addWidget(CB[l], l, 0);
        g->addWidget(image, l, 1);
        g->addWidget(lib, l, 2);
        g->addLayout(Controles[l], l, 3);
        CB[l]->setEnabled(corde > 0);
        image->setEnabled(corde > 0);
        connect(CB[l], &QCheckBox::toggled, this, [this, l](bool c) { emit Cochee(l, c); });
    }
    g->setColumnStretch(4, 1);
}

bool TLignesCordes::AucuneCochee() const
{
    for (int l = 1; l <= NbLignesCordes; ++l)
        if (CB[l]->isChecked())
            return false;
    return true;
}

namespace {
QLabel *Libelle(QWidget *parent, const char *nom, const char *texte)
{
    auto *l = new QLabel(texte, parent);
    l->setObjectName(nom);
    return l;
}
} // namespace

// ---------------------------------------------------------------- dynamics

TFAssistantDynamic::TFAssistantDynamic(QWidget *parent, const cPiste &piste, int nbMesures,
                                       int nuanceDefaut)
    : QDialog(parent)
{
    setObjectName("TFAssistantDynamic");
    setWindowTitle("Dynamic Selector");
    PlageMesures = new TPlageMesures(this, nbMesures, 1, nbMesures);
    LignesCordes = new TLignesCordes(this, piste.NbCordes);
    static const char *faces[8] = {"ppp", "pp", "p", "mp", "mf", "f", "ff", "fff"};
    static const char *bulles[8] = {"(very) pianissimo", "pianissimo", "piano", "mezzo piano",
                                    "mezzo forte", "forte", "fortissimo", "(very) fortissimo"};
    for (int l = 1; l <= NbLignesCordes; ++l) {
        Groupes[l] = new QButtonGroup(this);
        for (int d = 1; d <= 8; ++d) {
            auto *b = new QToolButton(this);
            b->setObjectName(QString("BT_DynaNote_%1_%2").arg(d).arg(l));
            b->setText(faces[d - 1]);
            b->setToolTip(bulles[d - 1]);
            b->setCheckable(true);
            b->setFixedSize(30, 19);
            b->setChecked(d == nuanceDefaut);
            b->setEnabled(false);
            Groupes[l]->addButton(b, d);
            LignesCordes->Contenu(l)->addWidget(b);
        }
    }
    connect(LignesCordes, &TLignesCordes::Cochee, this, [this](int l, bool c) {
        for (QAbstractButton *b : Groupes[l]->buttons())
            b->setEnabled(c);
    });
    auto *v = new QVBoxLayout(this);
    v->addWidget(Libelle(this, "Intro", "Sets the dynamic of every note of the chosen strings."));
    v->addWidget(PlageMesures);
    auto *titres = new QHBoxLayout;
    titres->addWidget(Libelle(this, "Lab_Cordes", "Strings to affect :"));
    titres->addStretch();
    titres->addWidget(Libelle(this, "Lab_LetRing", "Dynamic value :"));
    v->addLayout(titres);
    v->addWidget(LignesCordes);
    v->addWidget(BoutonsOutil(this, "cmd-tools"));
    AppliquerTextesFenetre(this, PositionsDialogueOutil({"DLG300_ASS_DY_000"}), true);
    // The patch gives row 1's hints; every row has the same buttons.
    for (int d = 1; d <= 8; ++d) {
        const QString bulle = Groupes[1]->button(d)->toolTip();
        for (int l = 2; l <= NbLignesCordes; ++l)
            Groupes[l]->button(d)->setToolTip(bulle);
    }
}

tNuances TFAssistantDynamic::Nuances() const
{
    tNuances n{};
    for (int l = 1; l <= NbLignesCordes; ++l) {
        const int corde = LignesCordes->Corde(l);
        if (corde > 0 && LignesCordes->Case(l)->isChecked())
            n[corde] = std::max(0, Groupes[l]->checkedId());
    }
    return n;
}

void TFAssistantDynamic::accept()
{
    if (!PlageMesures->Valider(PlageChoisie))
        return;
    if (LignesCordes->AucuneCochee()) {
        MyMsgCle("Dlg-Erreur", "AssDY-AucuneCordeSelectionnee", MsgErreur, DefOK, BtOK);
        return;
    }
    QDialog::accept();
}

// ---------------------------------------------------------------- let ring

TFAssistantLetRing::TFAssistantLetRing(QWidget *parent, const cPiste &piste, int nbMesures)
    : QDialog(parent)
{
    setObjectName("TFAssistantLetRing");
    setWindowTitle("Let Ring Selector");
    PlageMesures = new TPlageMesures(this, nbMesures, 1, nbMesures);
    LignesCordes = new TLignesCordes(this, piste.NbCordes);
    for (int l = 1; l <= NbLignesCordes; ++l) {
        auto *groupe = new QButtonGroup(this);
        Oui[l] = new QRadioButton("Yes", this);
        Oui[l]->setObjectName(QString("RY%1").arg(l));
        Non[l] = new QRadioButton("No", this);
        Non[l]->setObjectName(QString("RN%1").arg(l));
        groupe->addButton(Oui[l]);
        groupe->addButton(Non[l]);
        Oui[l]->setEnabled(false);
        Non[l]->setEnabled(false);
        LignesCordes->Contenu(l)->addWidget(Oui[l]);
        LignesCordes->Contenu(l)->addWidget(Non[l]);
    }
    connect(LignesCordes, &TLignesCordes::Cochee, this, [this](int l, bool c) {
        Oui[l]->setEnabled(c);
        Non[l]->setEnabled(c);
        if (c)
            Oui[l]->setChecked(true);
    });
    auto *v = new QVBoxLayout(this);
    v->addWidget(Libelle(this, "Intro", "Switches let ring on or off for every note of the "
                                        "chosen strings."));
    v->addWidget(PlageMesures);
    auto *titres = new QHBoxLayout;
    titres->addWidget(Libelle(this, "Lab_Cordes", "Strings to affect :"));
    titres->addStretch();
    titres->addWidget(Libelle(this, "Lab_LetRing", "Let ring :"));
    v->addLayout(titres);
    v->addWidget(LignesCordes);
    v->addWidget(BoutonsOutil(this, "cmd-tools"));
    AppliquerTextesFenetre(this, PositionsDialogueOutil({"DLG_ASS_LR_000"}), true);
}

tLetRing TFAssistantLetRing::Choix() const
{
    tLetRing c;
    c.fill(-1);
    for (int l = 1; l <= NbLignesCordes; ++l) {
        const int corde = LignesCordes->Corde(l);
        if (corde > 0 && LignesCordes->Case(l)->isChecked())
            c[corde] = Oui[l]->isChecked() ? 1 : 0;
    }
    return c;
}

void TFAssistantLetRing::accept()
{
    if (!PlageMesures->Valider(PlageChoisie))
        return;
    if (LignesCordes->AucuneCochee()) {
        MyMsgCle("Dlg-Erreur", "AssLR-AucuneCordeSelectionnee", MsgErreur, DefOK, BtOK);
        return;
    }
    QDialog::accept();
}

// ---------------------------------------------------------------- fingering

TFAssistantDoigte::TFAssistantDoigte(QWidget *parent, int nbMesures, int mesureCurseur)
    : QDialog(parent)
{
    setObjectName("TFAssistantDoigte");
    setWindowTitle("Placement automatique");
    PlageMesures = new TPlageMesures(this, nbMesures, mesureCurseur, nbMesures);
    auto *v = new QVBoxLayout(this);
    v->addWidget(PlageMesures);
    v->addWidget(BoutonsOutil(this, "cmd-tools"));
    AppliquerTextesFenetre(this, PositionsDialogueOutil({"DLG_ASS_FG_000"}), true);
    PlageMesures->Debut()->setFocus();
    PlageMesures->Debut()->selectAll();
}

void TFAssistantDoigte::accept()
{
    if (!PlageMesures->Valider(PlageChoisie))
        return;
    QDialog::accept();
}
