// Printing as a user meets it: the PDF route of the command line, the print dialog's page
// range, a printer that cannot be opened, the preview's paging and zoom, and that neither
// printing nor previewing moves the score view.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <sstream>

#include "app/uLigneCommande.h"
#include "config/uConfig.h"
#include "config/ui/DlgMyMsg.h"
#include "display/ui/DlgApercuAvImp.h"
#include "display/ui/DlgImprimer.h"
#include "display/ui/uRenduImpression.h"
#include "fileio/uFichierPLT.h"
#include "support/ui/FenetreTest.h"

namespace {

// A score of n measures of four quarter notes on the first track (five measures a line on A4).
void Remplir(cPartition &p, int n)
{
    while (p.NbMesures < n)
        p.InsererMesureApres(nullptr);
    for (cMesurePiste *mp = p.PremierePiste->PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste) {
        cAccord *a = mp->PremierAccord;
        for (int b = 0; b < 4; ++b) {
            if (b > 0)
                a = mp->InsererAccordApres(a);
            a->CodeDuree = 0;
            a->CalculerDuree();
            a->PropagerDuree();
            a->Etat = 1;
            a->Notes[1]->Type = 1;
            a->Notes[1]->Case = static_cast<uint8_t>(b + 1);
        }
        mp->CalculerDuree();
    }
}

std::string Lire(const std::string &chemin)
{
    QFile f(QString::fromStdString(chemin));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll().toStdString();
}

int Convertir(const std::vector<std::string> &args, std::string &erreurs)
{
    std::ostringstream out, err;
    const int code = ExecuterLigneCommande(args, out, err, {{".pdf", EcrirePDF}});
    erreurs = err.str();
    return code;
}

class ImpressionTest : public FenetreTest {};

TEST_F(ImpressionTest, ConvertWritesAPdfTitledAfterTheScore)
{
    cPartition p;
    p.Nouveau();
    p.Informations->Titre = "Study in E";
    Remplir(p, 60); // more than one page
    std::string cle;
    const std::string source = Chemin("etude.pl3");
    ASSERT_TRUE(EcrireFichierPL3(p, source, cle)) << cle;
    const std::string pdf = Chemin("etude.pdf");
    std::string erreurs;
    ASSERT_EQ(Convertir({"--convert", source, pdf}, erreurs), 0) << erreurs;
    const std::string octets = Lire(pdf);
    ASSERT_GT(octets.size(), 1000u);
    EXPECT_EQ(octets.rfind("%PDF", 0), 0u);
    // The title is written in UTF-16.
    std::string titre;
    for (char c : std::string("Study in E"))
        titre += std::string(1, '\0') + c;
    EXPECT_NE(octets.find(titre), std::string::npos) << "the document's title";
    // Twelve lines of five measures: 5 on the first page, 6 on the second, 1 on the third.
    EXPECT_NE(octets.find("/Count 3"), std::string::npos) << "three pages";
}

TEST_F(ImpressionTest, ConvertFailuresLeaveNothingBehind)
{
    cPartition p;
    p.Nouveau();
    std::string cle;
    const std::string source = Chemin("un.pl3");
    ASSERT_TRUE(EcrireFichierPL3(p, source, cle)) << cle;
    struct Cas {
        const char *nom;
        std::vector<std::string> args;
        std::string sortie;
    } cas[] = {
        {"a folder that does not exist", {"--convert", source, Chemin("nulle/part.pdf")},
         Chemin("nulle/part.pdf")},
        {"a track the score does not have",
         {"--convert", source, Chemin("piste.pdf"), "--track", "3"},
         Chemin("piste.pdf")},
    };
    for (const Cas &c : cas) {
        std::string erreurs;
        EXPECT_EQ(Convertir(c.args, erreurs), 2) << c.nom;
        EXPECT_FALSE(erreurs.empty()) << c.nom;
        EXPECT_FALSE(QFile::exists(QString::fromStdString(c.sortie))) << c.nom;
    }
}

TEST_F(ImpressionTest, PrintDialogRangeFields)
{
    QPrinter imprimante;
    TFImprimer d(imprimante);
    EXPECT_TRUE(d.BoutonTout()->isChecked());
    QTest::keyClicks(d.PageDebut(), "5");
    EXPECT_TRUE(d.BoutonPages()->isChecked()) << "typing in a page field selects the range";
    QTest::keyClicks(d.PageFin(), "2");
    int de = 0, a = 0;
    d.Plage(de, a);
    EXPECT_EQ(de, 2);
    EXPECT_EQ(a, 5);
    // Pasted text goes through the same check as typed text.
    d.PageFin()->clear();
    d.PageFin()->insert("1x");
    EXPECT_EQ(d.PageFin()->text(), QString());
    d.Plage(de, a);
    EXPECT_EQ(de, 5);
    EXPECT_EQ(a, 5) << "an empty last page prints the first alone";
    d.BoutonTout()->setChecked(true);
    d.Plage(de, a);
    EXPECT_EQ(de, 0);
}

TEST_F(ImpressionTest, APrinterThatCannotBeOpenedIsReported)
{
    cPartition &p = f->Partition();
    QPrinter &imprimante = ImprimanteSession();
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(QString::fromStdString(Chemin("nulle/part.pdf")));
    std::string cle;
    EXPECT_FALSE(ImprimerPiste(p, *p.PremierePiste, imprimante, 0, 0, cle));
    EXPECT_EQ(cle, "Imp-ImpressionImpossible");

    // Through the dialog, the user is told.
    auto ok = QuandDialogue("TFImprimer", [](QWidget *w) {
        static_cast<QDialog *>(w)->accept();
    });
    auto message = Repondre(ResOK);
    EXPECT_FALSE(ImprimerAvecDialogue(p, *p.PremierePiste, f.get()));
    EXPECT_TRUE(*ok);
    EXPECT_EQ(message->NbBoites, 1);
    EXPECT_NE(message->Texte.find("could not be printed"), std::string::npos) << message->Texte;

    // And a working one prints every page.
    imprimante.setOutputFileName(QString::fromStdString(Chemin("ok.pdf")));
    EXPECT_TRUE(ImprimerPiste(p, *p.PremierePiste, imprimante, 0, 0, cle));
    EXPECT_EQ(Lire(Chemin("ok.pdf")).rfind("%PDF", 0), 0u);
    imprimante.setOutputFileName(QString());
}

TEST_F(ImpressionTest, WithoutAPrinterThePagesGoToAChosenPdf)
{
    cPartition &p = f->Partition();
    p.Informations->Titre = "Sans imprimante";
    QPrinter &imprimante = ImprimanteSession();
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(QString());
    const auto ancien = ChoisirFichierPDF;
    int demandes = 0;
    QString reponse;
    ChoisirFichierPDF = [&](QWidget *) {
        ++demandes;
        return reponse;
    };
    auto accepter = [] {
        return QuandDialogue("TFImprimer", [](QWidget *w) { static_cast<QDialog *>(w)->accept(); });
    };
    // Cancelling the file choice prints nothing and says nothing.
    auto ok = accepter();
    EXPECT_FALSE(ImprimerAvecDialogue(p, *p.PremierePiste, f.get()));
    EXPECT_TRUE(*ok);
    EXPECT_EQ(demandes, 1);
    // A chosen file gets the whole document.
    reponse = QString::fromStdString(Chemin("choisi.pdf"));
    ok = accepter();
    EXPECT_TRUE(ImprimerAvecDialogue(p, *p.PremierePiste, f.get()));
    EXPECT_EQ(demandes, 2);
    EXPECT_EQ(Lire(Chemin("choisi.pdf")).rfind("%PDF", 0), 0u);
    ChoisirFichierPDF = ancien;
    imprimante.setOutputFileName(QString());
}

TEST_F(ImpressionTest, PreviewPagesAndZoomStayInTheirBounds)
{
    cPartition &p = f->Partition();
    Remplir(p, 130); // several pages whatever the paper
    TFApercuAvImp d(p, *p.PremierePiste, f.get());
    d.show();
    QApplication::processEvents();
    EXPECT_EQ(d.Page(), 1);
    const int n = d.NbPagesConnu();
    ASSERT_GE(n, 3);
    // The window's menu does what its buttons do.
    d.findChild<QAction *>("MN_PageSuiv")->trigger();
    EXPECT_EQ(d.Page(), 2);
    d.findChild<QAction *>("MN_PagePrec")->trigger();
    EXPECT_EQ(d.Page(), 1);
    for (int i = 0; i < n + 3; ++i)
        d.PageSuivante();
    EXPECT_EQ(d.Page(), n) << "next page stops at the last one";
    d.PagePrecedente();
    EXPECT_EQ(d.Page(), n - 1);
    for (int i = 0; i < n + 3; ++i)
        d.PagePrecedente();
    EXPECT_EQ(d.Page(), 1);
    for (int i = 0; i < 10; ++i)
        d.ZoomPlus();
    EXPECT_DOUBLE_EQ(d.Zoom(), 2);
    for (int i = 0; i < 20; ++i)
        d.ZoomMoins();
    EXPECT_DOUBLE_EQ(d.Zoom(), 0.15);
    // The page is drawn: something black on white.
    d.LargeurPage();
    const QImage &img = d.Image();
    int noirs = 0;
    for (int y = 0; y < img.height(); y += 2)
        for (int x = 0; x < img.width(); x += 2)
            noirs += qGray(img.pixel(x, y)) < 100;
    EXPECT_GT(noirs, 100);
    d.close();
}

TEST_F(ImpressionTest, PrintingAndPreviewLeaveTheScoreViewAlone)
{
    cPartition &p = f->Partition();
    Remplir(p, 40);
    f->Actualiser(true);
    struct rEtat {
        double X, Etirement, Naturelle;
        int Ligne, Fixe;
    };
    auto etat = [&p] {
        std::vector<rEtat> e;
        for (const cMesure *m = p.PremiereMesure; m; m = m->Suivante)
            e.push_back({m->X, m->Etirement, m->LargeurNaturelle, m->Ligne, m->LargeurFixe});
        return e;
    };
    const std::vector<rEtat> avant = etat();
    auto fait = QuandDialogue("TFApercuAvImp", [](QWidget *w) {
        auto *d = static_cast<TFApercuAvImp *>(w);
        d->PageSuivante();
        d->ZoomPlus();
        d->close();
    });
    f->Executer("Fichier_Imp_Apercu");
    EXPECT_TRUE(*fait);
    QPrinter &imprimante = ImprimanteSession();
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(QString::fromStdString(Chemin("vue.pdf")));
    std::string cle;
    ASSERT_TRUE(ImprimerPiste(p, *p.PremierePiste, imprimante, 1, 1, cle));
    imprimante.setOutputFileName(QString());
    const std::vector<rEtat> apres = etat();
    ASSERT_EQ(avant.size(), apres.size());
    for (std::size_t i = 0; i < avant.size(); ++i) {
        EXPECT_EQ(avant[i].X, apres[i].X) << "measure " << i + 1;
        EXPECT_EQ(avant[i].Etirement, apres[i].Etirement) << "measure " << i + 1;
        EXPECT_EQ(avant[i].Naturelle, apres[i].Naturelle) << "measure " << i + 1;
        EXPECT_EQ(avant[i].Ligne, apres[i].Ligne) << "measure " << i + 1;
        EXPECT_EQ(avant[i].Fixe, apres[i].Fixe) << "measure " << i + 1;
    }
}

TEST_F(ImpressionTest, DoublingTheScaleDoublesWhatIsDrawnButNotTheMargins)
{
    cPartition &p = f->Partition();
    Remplir(p, 2);
    p.Informations->Titre = "T";
    // The leftmost ink (the first barline at the left margin) stays put; the bottom of the
    // first system moves down as everything grows.
    auto encre = [&p](int proportions, int &gauche, int &bas) {
        TZoneImpression z;
        z.GlobalProportions_Prt = proportions;
        z.AffTitre_Prt = z.AffAuteur_Prt = z.AffComment_Prt = z.AffNum_Prt = false;
        cRenduImpression r(p, *p.PremierePiste, z, false, nullptr);
        r.MettreEnPage(210, 297);
        QImage img(794, 1123, QImage::Format_RGB32);
        img.setDotsPerMeterX(3780);
        img.setDotsPerMeterY(3780);
        img.fill(Qt::white);
        QPainter g(&img);
        r.DessinerPage(g, 1, 96);
        g.end();
        gauche = img.width();
        bas = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (qGray(img.pixel(x, y)) < 128) {
                    gauche = std::min(gauche, x);
                    bas = std::max(bas, y);
                }
    };
    int g1, b1, g2, b2;
    encre(0, g1, b1);
    encre(20, g2, b2);
    EXPECT_NEAR(g1, 10 * 96 / 25.4, 2) << "left margin of 10 mm";
    EXPECT_NEAR(g2, g1, 2) << "the margin stays the same on paper";
    EXPECT_GT(b2, b1 * 3 / 2) << "the system is drawn twice as large";
}

} // namespace
