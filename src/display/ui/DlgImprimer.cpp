#include "display/ui/DlgImprimer.h"

#include <QApplication>
#include <QBuffer>
#include <QFileDialog>
#include <QPdfWriter>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "chords/uListeAccordsImpression.h"
#include "config/uConfig.h"
#include "config/uPatch.h"
#include "config/uTextesFenetres.h"
#include "config/ui/DlgMyMsg.h"
#include "config/ui/uAppliquerTextesUI.h"
#include "config/ui/uTexteUI.h"
#include "app/ui/Main.h"
#include "display/ui/uRenduImpression.h"
#include "fileio/uEcritureSure.h"
#include "model/uPartition.h"

QPrinter &ImprimanteSession()
{
    static QPrinter *imprimante = [] {
        auto *p = new QPrinter(QPrinter::HighResolution);
        p->setFullPage(true);
        return p;
    }();
    return *imprimante;
}

std::function<bool(QPrinter &, QWidget *)> ConfigurerImprimante = [](QPrinter &p, QWidget *w) {
    QPrintDialog d(&p, w);
    return d.exec() == QDialog::Accepted;
};

std::function<QString(QWidget *)> ChoisirFichierPDF = [](QWidget *w) {
    return QFileDialog::getSaveFileName(w, QString(), QString(), QStringLiteral("PDF (*.pdf)"));
};

TFImprimer::TFImprimer(QPrinter &imprimante, QWidget *parent)
    : QDialog(parent), Imprimante(imprimante)
{
    setObjectName("TFImprimer");
    setWindowTitle("Print");
    auto *lbImp = new QLabel("Printer", this);
    lbImp->setObjectName("LB_Imprimante");
    LabelImp = new QLabel(this);
    LabelImp->setObjectName("LabelImp");
    auto *configurer = new QPushButton("Set&up...", this);
    configurer->setObjectName("BT_Configurer");
    auto *lbPages = new QLabel("Pages", this);
    lbPages->setObjectName("LB_Pages");
    RB_Tout = new QRadioButton("All", this);
    RB_Tout->setObjectName("RB_Toutes");
    RB_Tout->setChecked(true);
    RB_Pages = new QRadioButton("From", this);
    RB_Pages->setObjectName("RB_De");
    auto *lbA = new QLabel("to", this);
    lbA->setObjectName("LB_A");
    auto chiffres = [this](const char *nom) {
        auto *e = new QLineEdit(this);
        e->setObjectName(nom);
        e->setMaxLength(4);
        e->setFixedWidth(60);
        // Typed or pasted, only digits get in.
        e->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,4}"), e));
        connect(e, &QLineEdit::textEdited, this, [this] { RB_Pages->setChecked(true); });
        return e;
    };
    ED_PageDeb = chiffres("ED_PageDeb");
    ED_PageFin = chiffres("ED_PageFin");
    auto *boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    boutons->button(QDialogButtonBox::Ok)->setObjectName("OK");
    boutons->button(QDialogButtonBox::Cancel)->setObjectName("Cancel");
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(configurer, &QPushButton::clicked, this, [this] {
        if (ConfigurerImprimante)
            ConfigurerImprimante(Imprimante, this);
        ActualiserNomImprimante();
    });

    auto *grille = new QGridLayout;
    grille->addWidget(lbImp, 0, 0);
    grille->addWidget(LabelImp, 0, 1, 1, 3);
    grille->addWidget(configurer, 0, 4);
    grille->addWidget(lbPages, 1, 0);
    grille->addWidget(RB_Tout, 1, 1, 1, 3);
    grille->addWidget(RB_Pages, 2, 1);
    grille->addWidget(ED_PageDeb, 2, 2);
    grille->addWidget(lbA, 2, 3);
    grille->addWidget(ED_PageFin, 2, 4);
    auto *v = new QVBoxLayout(this);
    v->addLayout(grille);
    v->addWidget(boutons);
    ActualiserNomImprimante();
    AppliquerTextesFenetre(this, PositionsDialogue({"DLG_PRT_000"}), true);
}

void TFImprimer::ActualiserNomImprimante()
{
    QString nom = Imprimante.printerName();
    if (nom.isEmpty())
        nom = Imprimante.outputFileName().isEmpty() ? QStringLiteral("PDF")
                                                     : Imprimante.outputFileName();
    LabelImp->setText(nom);
}

void TFImprimer::Plage(int &de, int &a) const
{
    de = a = 0;
    if (RB_Pages->isChecked() &&
        !LirePlagePages(ED_PageDeb->text().toStdString(), ED_PageFin->text().toStdString(), de, a))
        de = a = 0;
}

bool ImprimerPiste(const cPartition &p, const cPiste &piste, QPrinter &imprimante, int de, int a,
                   std::string &cle)
{
    imprimante.setFullPage(true);
    imprimante.setDocName(VersQt(p.Informations ? p.Informations->Titre : std::string()));
    const TZoneImpression z = Config ? Config->ParamImp : TZoneImpression();
    cRenduImpression rendu(p, piste, z, Config && Config->BlackBlocks, &ListeAccordsImpression());
    rendu.Traduire = [](const std::string &c) { return Traduction(c); };
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool ok;
    if (imprimante.outputFormat() == QPrinter::PdfFormat) {
        // A PDF is a file the program writes: made in memory, then written whole through a
        // temporary file, so a failed print never leaves half a file behind.
        QByteArray octets;
        {
            QBuffer tampon(&octets);
            ok = tampon.open(QIODevice::WriteOnly);
            if (ok) {
                QPdfWriter pdf(&tampon);
                pdf.setResolution(imprimante.resolution());
                pdf.setPageLayout(imprimante.pageLayout());
                pdf.setTitle(imprimante.docName());
                pdf.setCreator(QStringLiteral("Plectorium"));
                ok = rendu.Imprimer(pdf, de, a);
            }
        }
        const std::string chemin = CheminDepuisQt(imprimante.outputFileName());
        ok = ok && !chemin.empty() && !octets.isEmpty() &&
             EcrireFichierSur(chemin, std::string_view(octets.constData(),
                                                       static_cast<std::size_t>(octets.size())));
    } else {
        ok = rendu.Imprimer(imprimante, de, a);
    }
    QApplication::restoreOverrideCursor();
    if (!ok)
        cle = "Imp-ImpressionImpossible";
    return ok;
}

bool ImprimerAvecDialogue(const cPartition &p, const cPiste &piste, QWidget *parent)
{
    QPrinter &imprimante = ImprimanteSession();
    TFImprimer d(imprimante, parent);
    if (d.exec() != QDialog::Accepted)
        return false;
    int de = 0, a = 0;
    d.Plage(de, a);
    // Without a printer, the pages go to a PDF file: its name is asked for first.
    if (imprimante.outputFormat() == QPrinter::PdfFormat && imprimante.outputFileName().isEmpty()) {
        const QString nom = ChoisirFichierPDF ? ChoisirFichierPDF(parent) : QString();
        if (nom.isEmpty())
            return false;
        imprimante.setOutputFileName(nom);
    }
    // The dialog is gone from the screen before the pages are produced.
    QApplication::processEvents();
    std::string cle;
    if (!ImprimerPiste(p, piste, imprimante, de, a, cle)) {
        MyMsgCle("Dlg-Erreur", cle, MsgErreur, DefOK, BtOK);
        return false;
    }
    return true;
}
