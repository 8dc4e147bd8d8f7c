#include "asciitab/ui/DlgImportASCII.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

#include "config/uConfig.h"
#include "config/uPatch.h"
#include "config/uTextesFenetres.h"
#include "config/ui/DlgMyMsg.h"
#include "config/ui/uAppliquerTextesUI.h"
#include "config/ui/uTexteUI.h"

namespace {
QString T(const char *cle) { return VersQt(Traduction(cle)); }

QString TexteRemarque(const rRemarqueASCII &r)
{
    const std::string ligne = std::to_string(r.Ligne);
    std::string t;
    switch (r.Genre) {
    case rRemarqueASCII::BlocIgnore:
        t = RemplacerParam(Traduction("ASCIIImp-BlocIgnore"), ligne, std::to_string(r.Nombre));
        break;
    case rRemarqueASCII::FinCoupee:
        t = RemplacerParam(Traduction("ASCIIImp-FinCoupee"), ligne, std::to_string(r.Nombre));
        break;
    case rRemarqueASCII::TexteIgnore:
        t = RemplacerParam(Traduction("ASCIIImp-TexteIgnore"), ligne, r.Texte);
        break;
    case rRemarqueASCII::MesuresMax:
        t = RemplacerParam(Traduction("ASCIIImp-MesuresMax"), std::to_string(r.Nombre));
        break;
    }
    return VersQt(t);
}
} // namespace

TFImportASCII::TFImportASCII(int nbCordes, int nbFrets, QWidget *parent)
    : QDialog(parent), NbCordes(nbCordes), NbFrets(nbFrets)
{
    setObjectName("TFImportASCII");
    setWindowTitle("ASCII Tab Import");
    auto *lbApercu = new QLabel("Preview", this);
    lbApercu->setObjectName("LB_Apercu");
    M_Texte = new QPlainTextEdit(this);
    M_Texte->setObjectName("M_Texte");
    M_Texte->setFont(PoliceTexteASCII());
    M_Texte->setLineWrapMode(QPlainTextEdit::NoWrap);
    M_Texte->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    M_Texte->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette pal = M_Texte->palette();
    pal.setColor(QPalette::Text, Qt::black);
    pal.setColor(QPalette::Base, Qt::white);
    M_Texte->setPalette(pal);
    M_Texte->installEventFilter(this);

    auto *rythme = new QGroupBox("Rhythm", this);
    rythme->setObjectName("GB_Rythme");
    auto *groupe = new QButtonGroup(this);
    const char *noms[5] = {"RB_Espacement", "RB_Blanches", "RB_Noires", "RB_Croches",
                           "RB_DCroches"};
    const char *legendes[5] = {"From the spacing", "Half notes", "Quarter notes",
                               "Eighth notes", "Sixteenth notes"};
    auto *vr = new QVBoxLayout(rythme);
    for (int i = 0; i < 5; ++i) {
        Modes[i] = new QRadioButton(legendes[i], rythme);
        Modes[i]->setObjectName(noms[i]);
        groupe->addButton(Modes[i], i);
        vr->addWidget(Modes[i]);
    }
    auto *lbTirets = new QLabel("Columns per quarter note", this);
    lbTirets->setObjectName("LB_NbTirets");
    CB_NbTirets = new QComboBox(this);
    CB_NbTirets->setObjectName("CB_NbTirets");
    for (int i = 1; i <= 8; ++i)
        CB_NbTirets->addItem(QString::number(i));
    lbTirets->setBuddy(CB_NbTirets);
    vr->addWidget(lbTirets);
    vr->addWidget(CB_NbTirets);
    vr->addStretch(1);

    M_Rapport = new QPlainTextEdit(this);
    M_Rapport->setObjectName("M_Rapport");
    M_Rapport->setReadOnly(true);
    M_Rapport->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    M_Rapport->setMaximumHeight(90);
    auto *note = new QLabel("Note: the import replaces the content of the active track.", this);
    note->setObjectName("LB_Note");

    auto *ouvrir = new QPushButton("Open...", this);
    ouvrir->setObjectName("BT_Ouvrir");
    auto *imprimer = new QPushButton("Print", this);
    imprimer->setObjectName("BT_Imprimer");
    BT_Importer = new QPushButton("Import", this);
    BT_Importer->setObjectName("BT_Importer");
    BT_Importer->setDefault(true);
    auto *annuler = new QPushButton("Cancel", this);
    annuler->setObjectName("Cancel");

    auto *centre = new QHBoxLayout;
    auto *gauche = new QVBoxLayout;
    gauche->addWidget(lbApercu);
    gauche->addWidget(M_Texte, 1);
    centre->addLayout(gauche, 1);
    centre->addWidget(rythme);
    auto *bas = new QHBoxLayout;
    bas->addWidget(ouvrir);
    bas->addWidget(imprimer);
    bas->addStretch(1);
    bas->addWidget(BT_Importer);
    bas->addWidget(annuler);
    auto *v = new QVBoxLayout(this);
    v->addLayout(centre, 1);
    v->addWidget(M_Rapport);
    v->addWidget(note);
    v->addLayout(bas);

    AppliquerTextesFenetre(this, PositionsDialogue({"DLG_IMPA_000", "DLG300_IMPA_000"}), true);
    Legende = windowTitle();

    const int mode = std::clamp(Config ? Config->TypeImport : 0, 0, 4);
    Modes[mode]->setChecked(true);
    ChangerMode(mode);
    connect(groupe, &QButtonGroup::idClicked, this, [this](int i) {
        if (Config)
            Config->TypeImport = i;
        ChangerMode(i);
        Analyser();
    });
    connect(CB_NbTirets, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0 && Config && Config->TypeImport == ImportVariable) {
            Config->NbTirets = i;
            Analyser();
        }
    });
    connect(ouvrir, &QPushButton::clicked, this, &TFImportASCII::Ouvrir);
    connect(imprimer, &QPushButton::clicked, this, &TFImportASCII::Imprimer);
    connect(BT_Importer, &QPushButton::clicked, this, &TFImportASCII::accept);
    connect(annuler, &QPushButton::clicked, this, &QDialog::reject);
    // The analysis follows the text once typing pauses.
    Differe.setSingleShot(true);
    Differe.setInterval(250);
    connect(&Differe, &QTimer::timeout, this, &TFImportASCII::Analyser);
    connect(M_Texte, &QPlainTextEdit::textChanged, &Differe, qOverload<>(&QTimer::start));
    Analyser();
    resize(900, 600);
}

void TFImportASCII::ChangerMode(int typeImport)
{
    const bool variable = typeImport == ImportVariable;
    CB_NbTirets->setEnabled(variable);
    const QSignalBlocker bloque(CB_NbTirets);
    CB_NbTirets->setCurrentIndex(variable ? std::clamp(Config ? Config->NbTirets : 3, 0, 7) : -1);
}

rOptionsImportASCII TFImportASCII::Options() const
{
    rOptionsImportASCII o;
    for (int i = 0; i < 5; ++i)
        if (Modes[i]->isChecked())
            o.TypeImport = i;
    o.NbTirets = std::clamp(Config ? Config->NbTirets : 3, 0, 7) + 1;
    o.MaxFrets = std::max(24, NbFrets);
    return o;
}

void TFImportASCII::Analyser()
{
    Differe.stop();
    std::vector<std::string> lignes;
    for (const QString &l : M_Texte->toPlainText().split('\n'))
        lignes.push_back(l.toStdString());
    Analyse = AnalyserTexteASCII(lignes, NbCordes, Options());
    QStringList r;
    if (Analyse.Refusee()) {
        // An empty box is no mistake yet.
        if (!M_Texte->toPlainText().trimmed().isEmpty())
            r << VersQt(RemplacerParam(Traduction(Analyse.Cle), Analyse.Param1, Analyse.Param2));
    } else {
        r << VersQt(RemplacerParam(Traduction("ASCIIImp-Resume"),
                                   std::to_string(Analyse.NbSystemes),
                                   std::to_string(Analyse.NbNotes)));
        if (LongueurMesure && !Analyse.Mesures.empty())
            r << VersQt(RemplacerParam(
                Traduction("ASCIIImp-MesuresCompletes"),
                std::to_string(MesuresCompletesASCII(Analyse, LongueurMesure)),
                std::to_string(Analyse.Mesures.size())));
        for (const rRemarqueASCII &k : Analyse.Remarques)
            r << TexteRemarque(k);
        if (Analyse.Remarques.empty())
            r << T("ASCIIImp-RienIgnore");
    }
    M_Rapport->setPlainText(r.join('\n'));
}

void TFImportASCII::accept()
{
    Analyser();
    if (Analyse.Refusee()) {
        MyMsg(Traduction("Dlg-Erreur"),
              RemplacerParam(Traduction(Analyse.Cle), Analyse.Param1, Analyse.Param2), MsgErreur,
              DefOK, BtOK);
        return;
    }
    QDialog::accept();
}

bool TFImportASCII::OuvrirFichier(const std::string &chemin)
{
    std::vector<std::string> lignes;
    if (!LireFichierTexte(chemin, lignes)) {
        MyMsgCle("Dlg-Erreur", "ASCIIImp-AccesFicImpossibleImportationAb", MsgErreur, DefOK, BtOK);
        return false;
    }
    QStringList l;
    for (const std::string &x : lignes)
        l << QString::fromStdString(x);
    M_Texte->setPlainText(l.join('\n'));
    NomFichier = QFileInfo(QString::fromStdString(chemin)).fileName();
    setWindowTitle(Legende + " - " + NomFichier);
    Analyser();
    return true;
}

void TFImportASCII::Ouvrir()
{
    const QString filtre = T("Fichier-ASCII") + " (*.tab);;" + T("Fichier-TousLesFichiers") + " (*)";
    const QString choisi = ChoisirFichierOuvrir ? ChoisirFichierOuvrir(filtre) : QString();
    if (!choisi.isEmpty())
        OuvrirFichier(choisi.toStdString());
}

void TFImportASCII::Imprimer()
{
    bool annule = false;
    if (ImprimerTexte(ChoisirImprimante, this, M_Texte->toPlainText().split('\n'), NomFichier,
                      annule))
        return;
    if (annule)
        M_Rapport->appendPlainText(T("ASCIIExp-ImpressionAnnulee"));
    else
        MyMsgCle("Dlg-Erreur", "ASCIIExp-ImpressionImpossible", MsgErreur, DefOK, BtOK);
}

bool TFImportASCII::eventFilter(QObject *objet, QEvent *e)
{
    // Enter confirms the window instead of breaking the line.
    if (objet == M_Texte && e->type() == QEvent::KeyPress) {
        const auto *k = static_cast<QKeyEvent *>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            BT_Importer->click();
            return true;
        }
    }
    return QDialog::eventFilter(objet, e);
}
