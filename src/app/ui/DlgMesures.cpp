#include "app/ui/DlgMesures.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/ui/uDialogues.h"
#include "app/ui/uSpinRepetition.h"
#include "config/ui/DlgMyMsg.h"
#include "config/ui/uAppliquerTextesUI.h"
#include "config/ui/uTexteUI.h"
#include "config/uPatch.h"
#include "config/uTextesFenetres.h"

namespace {
QLabel *Etiquette(const char *nom, const char *texte, QWidget *parent, QWidget *pour = nullptr)
{
    auto *l = new QLabel(QString::fromLatin1(texte), parent);
    l->setObjectName(nom);
    if (pour)
        l->setBuddy(pour);
    return l;
}

QRadioButton *Radio(const char *nom, const char *texte, QWidget *parent)
{
    auto *r = new QRadioButton(QString::fromLatin1(texte), parent);
    r->setObjectName(nom);
    return r;
}
} // namespace

// ---------------------------------------------------------------- range

TFPlageMesures::TFPlageMesures(eGenre genre, int mesure, int nbMesures, QWidget *parent)
    : QDialog(parent), Genre(genre), NbMesures(nbMesures)
{
    setObjectName("TFPlageMesures");
    ChampDe = ChampNombre(this, 3, mesure);
    ChampDe->setObjectName("Edit_De");
    ChampA = ChampNombre(this, 3, mesure);
    ChampA->setObjectName("Edit_A");
    Piste = Radio("RB_Piste", "Current track", this);
    Toutes = Radio("RB_Toutes", "All tracks", this);
    Piste->setChecked(true);
    auto *f = new QFormLayout;
    f->addRow(Etiquette("LB_De", "From bar", this, ChampDe), ChampDe);
    f->addRow(Etiquette("LB_A", "To bar", this, ChampA), ChampA);
    auto *v = new QVBoxLayout(this);
    v->addLayout(f);
    v->addWidget(Piste);
    v->addWidget(Toutes);
    v->addWidget(BoutonsDialogue(this));
    // Cutting always takes every track.
    Piste->setVisible(genre != eGenre::Couper);
    Toutes->setVisible(genre != eGenre::Couper);
    const char *section = genre == eGenre::Copier ? "DLG_COPY_000" : "DLG_CUT_000";
    setWindowTitle(genre == eGenre::Copier ? "Copy Bars"
                   : genre == eGenre::Couper ? "Cut Bars"
                                             : "Clear Bars");
    AppliquerTextesFenetre(this, PositionsDialogue({section}), true);
    if (genre == eGenre::Effacer)
        setWindowTitle(TexteSection("DLG_CUT_000", 6, "Clear Bars"));
    ChampDe->selectAll();
}

bool TFPlageMesures::ToutesPistes() const { return Genre == eGenre::Couper || Toutes->isChecked(); }

void TFPlageMesures::accept()
{
    int de = 0, a = 0;
    if (!LireNombre(ChampDe, de) || de < 1 || de > NbMesures) {
        ErreurSaisie(ChampDe);
        return;
    }
    if (!LireNombre(ChampA, a) || a < de || a > NbMesures) {
        ErreurSaisie(ChampA);
        return;
    }
    De = de;
    A = a;
    QDialog::accept();
}

// ---------------------------------------------------------------- paste

TFCollerMesures::TFCollerMesures(int nbMesures, bool unePiste, QWidget *parent) : QDialog(parent)
{
    setObjectName("TFCollerMesures");
    setWindowTitle("Paste Bars");
    const QString confirmation =
        unePiste ? TexteSection("DLG_PASTE_000", 11, "Paste #1 bar(s) of one track.")
                 : TexteSection("DLG_PASTE_000", 12, "Paste #1 bar(s) of every track.");
    Confirmation = new QLabel(
        VersQt(RemplacerParam(DepuisQt(confirmation), std::to_string(nbMesures))), this);
    Confirmation->setObjectName("LB_Confirmation");
    Nombre = new TSpinRepetition(1, MaxMesures, 1, this);
    Nombre->setObjectName("Edit_Fois");
    Nombre->AccepterSaisie("\\d{0,4}", 4);
    Nombre->ChoisirLargeur(5);
    auto *groupe = new QGroupBox("Where to paste", this);
    groupe->setObjectName("LB_Position");
    Selection = Radio("RB_Remplacer", "Place the clipboard at the selection", groupe);
    Avant = Radio("RB_Inserer", "Insert the clipboard before the selection", groupe);
    Fin = Radio("RB_Fin", "Add the clipboard at the end of the score", groupe);
    Selection->setChecked(true);
    auto *g = new QVBoxLayout(groupe);
    g->addWidget(Selection);
    g->addWidget(Avant);
    g->addWidget(Fin);
    auto *f = new QFormLayout;
    f->addRow(Etiquette("LB_Fois", "Number of times", this, Nombre->Champ()), Nombre);
    auto *v = new QVBoxLayout(this);
    v->addWidget(Confirmation);
    v->addLayout(f);
    v->addWidget(groupe);
    v->addWidget(BoutonsDialogue(this));
    AppliquerTextesFenetre(this, PositionsDialogue({"DLG_PASTE_000"}), true);
    Nombre->Champ()->selectAll();
}

eModeCollage TFCollerMesures::Mode() const
{
    return Avant->isChecked() ? eModeCollage::Avant
           : Fin->isChecked() ? eModeCollage::Fin
                              : eModeCollage::Selection;
}

void TFCollerMesures::accept()
{
    int n = 0;
    if (!Nombre->LireSaisie(n) || n < 1) {
        ErreurSaisie(Nombre->Champ());
        return;
    }
    Fois = n;
    QDialog::accept();
}

// ---------------------------------------------------------------- time signature

TFSignature::TFSignature(int numerateur, int denominateur, QWidget *parent) : QDialog(parent)
{
    setObjectName("TFSignature");
    setWindowTitle("Time Signature");
    auto combo = [this](const char *nom, std::initializer_list<int> valeurs, int valeur) {
        auto *c = new QComboBox(this);
        c->setObjectName(nom);
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        for (int v : valeurs)
            c->addItem(QString::number(v));
        c->setCurrentText(QString::number(valeur));
        c->lineEdit()->setMaxLength(2);
        return c;
    };
    ChoixNumerateur = combo("Edit_Numerateur", {}, numerateur);
    for (int i = 1; i <= 32; ++i)
        ChoixNumerateur->addItem(QString::number(i));
    ChoixNumerateur->setCurrentText(QString::number(numerateur));
    ChoixDenominateur = combo("Edit_Denominateur", {1, 2, 4, 8, 16, 32}, denominateur);
    JusquALaFin = new QCheckBox("Until the end", this);
    JusquALaFin->setObjectName("CB_Fin");
    auto *f = new QFormLayout;
    f->addRow(Etiquette("LB_Numerateur", "Beats per bar", this, ChoixNumerateur),
              ChoixNumerateur);
    f->addRow(Etiquette("LB_Denominateur", "Beat value", this, ChoixDenominateur),
              ChoixDenominateur);
    auto *v = new QVBoxLayout(this);
    v->addLayout(f);
    v->addWidget(JusquALaFin);
    v->addWidget(BoutonsDialogue(this));
    AppliquerTextesFenetre(this, PositionsDialogue({"DLG_TIMES_000"}), true);
}

void TFSignature::accept()
{
    bool ok = false;
    const int n = ChoixNumerateur->currentText().trimmed().toInt(&ok);
    if (!ok || !SignatureValide(n, 4)) {
        ErreurSaisie(ChoixNumerateur->lineEdit());
        return;
    }
    const int d = ChoixDenominateur->currentText().trimmed().toInt(&ok);
    if (!ok || !SignatureValide(n, d)) {
        ErreurSaisie(ChoixDenominateur->lineEdit());
        return;
    }
    Numerateur = n;
    Denominateur = d;
    QDialog::accept();
}

// ---------------------------------------------------------------- repeat close

TFRenvoiFin::TFRenvoiFin(QWidget *parent) : QDialog(parent)
{
    setObjectName("TFRenvoiFin");
    setWindowTitle("Repeat Close");
    Champ = new TSpinRepetition(1, 99, 1, this);
    Champ->setObjectName("Edit_Nombre");
    Champ->AccepterSaisie("\\d{0,2}", 2);
    Champ->ChoisirLargeur(3);
    auto *f = new QFormLayout;
    f->addRow(Etiquette("LB_Nombre", "Number of repeats", this, Champ->Champ()), Champ);
    auto *v = new QVBoxLayout(this);
    v->addLayout(f);
    v->addWidget(BoutonsDialogue(this));
    AppliquerTextesFenetre(this, PositionsDialogue({"DLG_REPE_000"}), true);
    Champ->Champ()->selectAll();
}

void TFRenvoiFin::accept()
{
    int n = 0;
    if (!Champ->LireSaisie(n) || n < 1 || n > 99) {
        ErreurSaisie(Champ->Champ());
        return;
    }
    Nombre = n;
    QDialog::accept();
}

// ---------------------------------------------------------------- alternate ending

TFFinale::TFFinale(int premier, QWidget *parent) : QDialog(parent), Premier(premier)
{
    setObjectName("TFFinale");
    setWindowTitle("Alternate Endings");
    Champ = new TSpinRepetition(1, 99, premier, this);
    Champ->setObjectName("Edit_Dernier");
    Champ->AccepterSaisie("\\d{0,2}", 2);
    Champ->ChoisirLargeur(3);
    auto *ligne = new QHBoxLayout;
    auto *premierLabel = new QLabel(QString::number(premier), this);
    premierLabel->setObjectName("LB_Premier");
    ligne->addWidget(premierLabel);
    std::string a = Traduction("Repet-A");
    if (a == TexteTraductionAbsente)
        a = "to";
    ligne->addWidget(new QLabel(VersQt(a), this));
    ligne->addWidget(Champ);
    auto *v = new QVBoxLayout(this);
    v->addWidget(Etiquette("LB_Passages", "Passes that play this bar", this, Champ->Champ()));
    v->addLayout(ligne);
    v->addWidget(BoutonsDialogue(this));
    AppliquerTextesFenetre(this, PositionsDialogue({"DLG_DIFE_000"}), true);
    Champ->Champ()->selectAll();
}

void TFFinale::accept()
{
    int n = 0;
    if (!Champ->LireSaisie(n) || !FinaleValide(Premier, n)) {
        ErreurSaisie(Champ->Champ());
        return;
    }
    Dernier = n;
    QDialog::accept();
}
