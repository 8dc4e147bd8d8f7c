#include "asciitab/ui/DlgExportASCII.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "asciitab/uExportASCII.h"
#include "config/uConfig.h"
#include "config/uPatch.h"
#include "config/uTextesFenetres.h"
#include "config/ui/DlgMyMsg.h"
#include "config/ui/uAppliquerTextesUI.h"
#include "config/ui/uTexteUI.h"
#include "fileio/uEcritureSure.h"
#include "model/uPartition.h"

TFExportASCII::TFExportASCII(const cPartition &p, const cPiste &piste, QWidget *parent)
    : QDialog(parent), P(p), Piste(piste)
{
    setObjectName("TFExportASCII");
    setWindowTitle("ASCII Tab Export");
    auto *lbLargeur = new QLabel("Line width (columns)", this);
    lbLargeur->setObjectName("LB_NbColonnes");
    E_NbColonnes = new QLineEdit(this);
    E_NbColonnes->setObjectName("E_NbColonnes");
    E_NbColonnes->setMaxLength(3);
    E_NbColonnes->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]{0,3}"), E_NbColonnes));
    E_NbColonnes->setFixedWidth(60);
    E_NbColonnes->installEventFilter(this);
    lbLargeur->setBuddy(E_NbColonnes);
    BT_Plus = new QToolButton(this);
    BT_Plus->setObjectName("BT_Plus");
    BT_Plus->setArrowType(Qt::UpArrow);
    BT_Moins = new QToolButton(this);
    BT_Moins->setObjectName("BT_Moins");
    BT_Moins->setArrowType(Qt::DownArrow);
    auto *actualiser = new QPushButton("Refresh", this);
    actualiser->setObjectName("BT_Actualiser");
    auto *lbApercu = new QLabel("Preview", this);
    lbApercu->setObjectName("LB_Apercu");
    M_Apercu = new QPlainTextEdit(this);
    M_Apercu->setObjectName("M_Apercu");
    M_Apercu->setFont(PoliceTexteASCII());
    M_Apercu->setLineWrapMode(QPlainTextEdit::NoWrap);
    M_Apercu->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    M_Apercu->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette pal = M_Apercu->palette();
    pal.setColor(QPalette::Text, Qt::black);
    pal.setColor(QPalette::Base, Qt::white);
    M_Apercu->setPalette(pal);
    LB_Etat = new QLabel(this);
    LB_Etat->setObjectName("LB_Etat");
    auto *enregistrer = new QPushButton("Save", this);
    enregistrer->setObjectName("BT_Enregistrer");
    enregistrer->setDefault(true);
    auto *imprimer = new QPushButton("Print", this);
    imprimer->setObjectName("BT_Imprimer");
    auto *annuler = new QPushButton("Cancel", this);
    annuler->setObjectName("Cancel");

    auto *haut = new QHBoxLayout;
    haut->addWidget(lbLargeur);
    haut->addWidget(E_NbColonnes);
    auto *fleches = new QVBoxLayout;
    fleches->setSpacing(0);
    fleches->addWidget(BT_Plus);
    fleches->addWidget(BT_Moins);
    haut->addLayout(fleches);
    haut->addWidget(actualiser);
    haut->addStretch(1);
    auto *bas = new QHBoxLayout;
    bas->addWidget(LB_Etat, 1);
    bas->addWidget(imprimer);
    bas->addWidget(enregistrer);
    bas->addWidget(annuler);
    auto *v = new QVBoxLayout(this);
    v->addLayout(haut);
    v->addWidget(lbApercu);
    v->addWidget(M_Apercu, 1);
    v->addLayout(bas);

    connect(actualiser, &QPushButton::clicked, this, &TFExportASCII::Actualiser);
    connect(enregistrer, &QPushButton::clicked, this, [this] { Enregistrer(); });
    connect(imprimer, &QPushButton::clicked, this, &TFExportASCII::Imprimer);
    connect(annuler, &QPushButton::clicked, this, &QDialog::reject);
    connect(BT_Plus, &QToolButton::pressed, this, [this] { Appuye(1); });
    connect(BT_Moins, &QToolButton::pressed, this, [this] { Appuye(-1); });
    connect(BT_Plus, &QToolButton::released, &Repetition, &QTimer::stop);
    connect(BT_Moins, &QToolButton::released, &Repetition, &QTimer::stop);
    Repetition.setSingleShot(true);
    connect(&Repetition, &QTimer::timeout, this, &TFExportASCII::Repeter);

    AppliquerTextesFenetre(this, PositionsDialogue({"DLG_EXPA_000"}), true);
    E_NbColonnes->setText(QString::number(
        std::clamp(Config ? Config->NbColASCII : LargeurASCIIDefaut, LargeurASCIIMin,
                   LargeurASCIIMax)));
    Actualiser();
    resize(760, 520);
}

void TFExportASCII::Pas(int delta)
{
    bool ok = false;
    int v = E_NbColonnes->text().toInt(&ok);
    if (!ok)
        v = LargeurASCIIDefaut;
    E_NbColonnes->setText(QString::number(std::clamp(v + delta, LargeurASCIIMin,
                                                     LargeurASCIIMax)));
}

void TFExportASCII::Appuye(int sens)
{
    Sens = sens;
    NbRepetitions = 0;
    Pas(sens);
    Repetition.start(300);
}

void TFExportASCII::Repeter()
{
    ++NbRepetitions;
    Pas(Sens * (NbRepetitions >= 30 ? 3 : 1));
    Repetition.start(NbRepetitions >= 10 ? 100 : 200);
}

bool TFExportASCII::eventFilter(QObject *objet, QEvent *e)
{
    if (objet == E_NbColonnes && e->type() == QEvent::KeyPress) {
        const auto *k = static_cast<QKeyEvent *>(e);
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
    return QDialog::eventFilter(objet, e);
}

void TFExportASCII::Actualiser()
{
    bool ok = false;
    int v = E_NbColonnes->text().toInt(&ok);
    if (!ok)
        v = LargeurASCIIDefaut;
    v = std::max(v, LargeurASCIIMin);
    E_NbColonnes->setText(QString::number(v));
    if (Config)
        Config->NbColASCII = v;
    QStringList lignes;
    for (const std::string &l : ConstruireTexteASCII(P, Piste, v))
        lignes << VersQt(l);
    M_Apercu->setPlainText(lignes.join('\n'));
}

bool TFExportASCII::Enregistrer()
{
    const QString filtre = VersQt(Traduction("Fichier-ASCII")) + " (*.tab);;" +
                           VersQt(Traduction("Fichier-TousLesFichiers")) + " (*)";
    const std::string chemin = ChoisirFichier ? ChoisirFichier(NomProposeASCII(P), filtre)
                                              : std::string();
    if (chemin.empty())
        return false;
    std::vector<std::string> lignes;
    for (const QString &l : M_Apercu->toPlainText().split('\n'))
        lignes.push_back(l.toStdString());
    if (!EcrireFichierSur(chemin, ContenuFichierTexte(lignes))) {
        MyMsgCle("Dlg-Erreur", "ASCIIExp-EcritureFichierImpossibleExportAb", MsgErreur, DefOK,
                 BtOK);
        return false;
    }
    accept();
    return true;
}

void TFExportASCII::Imprimer()
{
    bool annule = false;
    LB_Etat->clear();
    if (ImprimerTexte(ChoisirImprimante, this, M_Apercu->toPlainText().split('\n'),
                      VersQt(P.Informations->Titre), annule))
        return;
    if (annule)
        LB_Etat->setText(VersQt(Traduction("ASCIIExp-ImpressionAnnulee")));
    else
        MyMsgCle("Dlg-Erreur", "ASCIIExp-ImpressionImpossible", MsgErreur, DefOK, BtOK);
}
