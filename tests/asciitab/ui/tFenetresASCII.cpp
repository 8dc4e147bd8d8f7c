// The text tablature windows and the older-version export, driven as a user would: through the
// commands of the main window, with the program's own message boxes answered.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "support/FabriqueAccords.h"
#include "asciitab/uExportASCII.h"
#include "asciitab/ui/DlgExportASCII.h"
#include "asciitab/ui/DlgImportASCII.h"
#include "chords/uListeAccordsImpression.h"
#include "config/uConfig.h"
#include "config/ui/DlgMyMsg.h"
#include "fileio/uFichierAncien.h"
#include "fileio/uFichierPLT.h"
#include "support/Invariants.h"
#include "support/ui/FenetreTest.h"

namespace {

using Fenetres = FenetreTest;

std::string Octets(const cPartition &p)
{
    std::string s;
    EcrireFichierMemoire(p, ListeAccordsImpression(), s);
    return s;
}

std::string LireTout(const std::string &chemin)
{
    QFile f(QString::fromStdString(chemin));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll().toStdString();
}

const char *const Riff = "e|--0--3--|--5--|\n"
                         "B|--------|-----|\n"
                         "G|--------|-----|\n"
                         "D|--------|-----|\n"
                         "A|--------|-----|\n"
                         "E|--------|-----|";

// ---------------------------------------------------------------- export window

TEST_F(Fenetres, ExportWidthFieldRefreshRules)
{
    cPartition &p = f->Partition();
    AjouterAccord(MesureDe(p, *p.PremierePiste, 1), 0, {{1, 3}});
    TFExportASCII d(p, *p.PremierePiste, f.get());
    EXPECT_EQ(d.ChampLargeur()->text(), "80");
    const auto texte = [&](int w) {
        QStringList l;
        for (const std::string &x : ConstruireTexteASCII(p, *p.PremierePiste, w))
            l << QString::fromStdString(x);
        return l.join('\n');
    };
    EXPECT_EQ(d.Apercu()->toPlainText(), texte(80));
    d.ChampLargeur()->setText("");
    d.Actualiser();
    EXPECT_EQ(d.ChampLargeur()->text(), "80") << "an empty field is 80";
    d.ChampLargeur()->setText("30");
    d.Actualiser();
    EXPECT_EQ(d.ChampLargeur()->text(), "40") << "below 40 is 40";
    EXPECT_EQ(Config->NbColASCII, 40);
    EXPECT_EQ(d.Apercu()->toPlainText(), texte(40));
    // Digits only, three at most.
    d.ChampLargeur()->clear();
    QTest::keyClicks(d.ChampLargeur(), "1a2b34");
    EXPECT_EQ(d.ChampLargeur()->text(), "123");
}

TEST_F(Fenetres, ExportUpDownButtonsKeysAndHeldRepeats)
{
    cPartition &p = f->Partition();
    TFExportASCII d(p, *p.PremierePiste, f.get());
    d.ChampLargeur()->setText("998");
    QTest::mouseClick(d.BoutonPlus(), Qt::LeftButton);
    QTest::mouseClick(d.BoutonPlus(), Qt::LeftButton);
    EXPECT_EQ(d.ChampLargeur()->text(), "999") << "never above 999";
    d.ChampLargeur()->setText("41");
    QTest::mouseClick(d.BoutonMoins(), Qt::LeftButton);
    QTest::mouseClick(d.BoutonMoins(), Qt::LeftButton);
    EXPECT_EQ(d.ChampLargeur()->text(), "40") << "never below 40";
    d.ChampLargeur()->setText("60");
    QTest::keyClick(d.ChampLargeur(), Qt::Key_Up);
    QTest::keyClick(d.ChampLargeur(), Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(d.ChampLargeur()->text(), "62");
    QTest::keyClick(d.ChampLargeur(), Qt::Key_Down);
    QTest::keyClick(d.ChampLargeur(), Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(d.ChampLargeur()->text(), "60");
    // Held: one step at the press, repeats every 200 ms, every 100 ms after the tenth, and by
    // 3 from the thirtieth.
    d.ChampLargeur()->setText("100");
    emit d.BoutonPlus()->pressed();
    EXPECT_EQ(d.ChampLargeur()->text(), "101");
    EXPECT_EQ(d.DelaiRepetition(), 300);
    int v = 101;
    for (int i = 1; i <= 35; ++i) {
        d.Repeter();
        v += i >= 30 ? 3 : 1;
        ASSERT_EQ(d.ChampLargeur()->text().toInt(), v) << i;
        ASSERT_EQ(d.DelaiRepetition(), i >= 10 ? 100 : 200) << i;
    }
    emit d.BoutonPlus()->released();
}

TEST_F(Fenetres, ExportSavesThePreviewAsEditedAndCloses)
{
    cPartition &p = f->Partition();
    p.Informations->Titre = "My Song";
    AjouterAccord(MesureDe(p, *p.PremierePiste, 1), 0, {{1, 3}});
    TFExportASCII d(p, *p.PremierePiste, f.get());
    std::string propose;
    const std::string chemin = Chemin("song.tab");
    d.ChoisirFichier = [&](const std::string &x, const QString &filtre) {
        propose = x;
        EXPECT_TRUE(filtre.startsWith("ASCII tablatures (*.tab)")) << filtre.toStdString();
        return chemin;
    };
    d.Apercu()->setPlainText(d.Apercu()->toPlainText() + "\nmy own note \xC3\xA9");
    EXPECT_TRUE(d.Enregistrer());
    EXPECT_EQ(propose, "My Song.tab");
    EXPECT_EQ(d.result(), QDialog::Accepted);
    const std::string s = LireTout(chemin);
    EXPECT_NE(s.find("E||--3----||\n"), std::string::npos) << s;
    EXPECT_NE(s.find("my own note \xC3\xA9\n"), std::string::npos) << "typed text is saved";
}

TEST_F(Fenetres, ExportThatCannotWriteSaysSoAndStays)
{
    cPartition &p = f->Partition();
    TFExportASCII d(p, *p.PremierePiste, f.get());
    d.ChoisirFichier = [&](const std::string &, const QString &) {
        return Chemin("no/such/folder/x.tab");
    };
    d.show();
    tReponse r = Repondre();
    EXPECT_FALSE(d.Enregistrer());
    EXPECT_EQ(r->NbBoites, 1);
    EXPECT_EQ(r->Texte, "The file cannot be written. Export aborted.");
    EXPECT_TRUE(d.isVisible());
    d.ChoisirFichier = [](const std::string &, const QString &) { return std::string(); };
    EXPECT_FALSE(d.Enregistrer()) << "a cancelled save dialog keeps the window";
    EXPECT_TRUE(d.isVisible());
}

// The print job goes to a PDF file here: pages follow the lines, and a cancelled print dialog
// is said in the window.
TEST_F(Fenetres, ExportPrintsOnPagesOrSaysItWasCancelled)
{
    cPartition &p = f->Partition();
    for (int m = 1; m <= 40; ++m)
        AjouterAccord(MesureDe(p, *p.PremierePiste, m), -2, {{1, m % 20}});
    TFExportASCII d(p, *p.PremierePiste, f.get());
    d.ChampLargeur()->setText("40");
    d.Actualiser();
    const QString pdf = QString::fromStdString(Chemin("print.pdf"));
    d.ChoisirImprimante = [&](QPrinter &imprimante, QWidget *) {
        imprimante.setOutputFormat(QPrinter::PdfFormat);
        imprimante.setOutputFileName(pdf);
        return true;
    };
    d.Imprimer();
    const std::string s = LireTout(pdf.toStdString());
    ASSERT_FALSE(s.empty());
    int pages = 0;
    for (std::size_t i = s.find("/Type /Page"); i != std::string::npos;
         i = s.find("/Type /Page", i + 1))
        pages += s.compare(i, 12, "/Type /Pages") != 0;
    EXPECT_GE(pages, 2) << d.Apercu()->blockCount() << " lines";
    EXPECT_TRUE(d.Etat()->text().isEmpty());
    d.ChoisirImprimante = [](QPrinter &, QWidget *) { return false; };
    d.Imprimer();
    EXPECT_EQ(d.Etat()->text(), "Printing was cancelled.");
}

// ---------------------------------------------------------------- import window

TEST_F(Fenetres, ImportReplacesTheCursorsTrackThroughTheCommand)
{
    cPartition &p = f->Partition();
    p.InsererPisteApres(p.PremierePiste);
    AjouterAccord(MesureDe(p, *p.PisteNumero(2), 1), 0, {{1, 9}});
    rPosition pos;
    pos.NumPiste = 2;
    p.PlacerCurseur(pos);
    auto fait = QuandDialogue("TFImportASCII", [](QWidget *w) {
        auto *d = static_cast<TFImportASCII *>(w);
        d->Texte()->setPlainText(Riff);
        d->BoutonImporter()->click();
    });
    f->Executer("Fichier_Import_ASCII");
    EXPECT_TRUE(*fait);
    cPartition &q = f->Partition();
    EXPECT_TRUE(ScoreCoherent(q));
    EXPECT_TRUE(q.Modifie);
    EXPECT_EQ(q.NbMesures, 2);
    EXPECT_EQ(q.MesurePisteDe(1, 2)->NbAccords, 2);
    EXPECT_EQ(q.MesurePisteDe(1, 2)->PremierAccord->Notes[1]->Case, 0);
    EXPECT_EQ(q.MesurePisteDe(2, 2)->PremierAccord->Notes[1]->Case, 5);
    EXPECT_EQ(q.MesurePisteDe(1, 1)->PremierAccord->Etat, 0) << "track 1 untouched";
    EXPECT_EQ(q.Curseur.NumPiste, 2);
}

TEST_F(Fenetres, ARefusedTextLeavesTheScoreAsItWas)
{
    cPartition &p = f->Partition();
    AjouterAccord(MesureDe(p, *p.PremierePiste, 1), 0, {{1, 9}});
    const std::string avant = Octets(p);
    tReponse r;
    auto fait = QuandDialogue("TFImportASCII", [&r](QWidget *w) {
        auto *d = static_cast<TFImportASCII *>(w);
        // Four lines for a six-string track.
        d->Texte()->setPlainText("G|--5--|\nD|-----|\nA|-----|\nE|-----|");
        r = Repondre();
        d->BoutonImporter()->click();
        EXPECT_TRUE(d->isVisible()) << "the window stays open";
        d->reject();
    });
    f->Executer("Fichier_Import_ASCII");
    ASSERT_TRUE(*fait);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->NbBoites, 1);
    EXPECT_EQ(r->Texte, "The blocks of string lines do not fit a track of 6 strings (the first "
                        "block has 4 lines). Import aborted.");
    EXPECT_EQ(Octets(f->Partition()), avant);
}

TEST_F(Fenetres, ImportSettingsAndReport)
{
    Config->TypeImport = 0;
    Config->NbTirets = 3;
    TFImportASCII d(6, 24, f.get());
    EXPECT_TRUE(d.Mode(ImportVariable)->isChecked());
    EXPECT_TRUE(d.ListeTirets()->isEnabled());
    EXPECT_EQ(d.ListeTirets()->currentText(), "4");
    d.ListeTirets()->setCurrentIndex(2);
    EXPECT_EQ(Config->NbTirets, 2);
    d.Mode(ImportCroches)->click();
    EXPECT_EQ(Config->TypeImport, ImportCroches);
    EXPECT_FALSE(d.ListeTirets()->isEnabled());
    EXPECT_EQ(d.ListeTirets()->currentIndex(), -1) << "shows nothing in a fixed mode";
    EXPECT_EQ(Config->NbTirets, 2);
    d.Mode(ImportVariable)->click();
    EXPECT_EQ(d.ListeTirets()->currentText(), "3");
    // The report follows the text: what was read and what was passed over.
    d.Texte()->setPlainText(QString(Riff) + " x2\n\ne|--1--|\nB|--1--|");
    d.Analyser();
    const QString r = d.Rapport()->toPlainText();
    EXPECT_TRUE(r.contains("1 systems read, 3 notes.")) << r.toStdString();
    EXPECT_TRUE(r.contains("Line 6, ignored: x2")) << r.toStdString();
    EXPECT_TRUE(r.contains("Line 8: the last system is cut short (2 lines) and was skipped."))
        << r.toStdString();
}

TEST_F(Fenetres, ImportOpensAFileOrSaysItCannot)
{
    const std::string chemin = Chemin("riff.tab");
    {
        QFile x(QString::fromStdString(chemin));
        ASSERT_TRUE(x.open(QIODevice::WriteOnly));
        x.write(Riff);
    }
    TFImportASCII d(6, 24, f.get());
    const QString legende = d.windowTitle();
    d.ChoisirFichierOuvrir = [&](const QString &) { return QString::fromStdString(chemin); };
    d.Ouvrir();
    EXPECT_EQ(d.Texte()->toPlainText(), Riff);
    EXPECT_EQ(d.windowTitle(), legende + " - riff.tab");
    tReponse r = Repondre();
    EXPECT_FALSE(d.OuvrirFichier(Chemin("missing.tab")));
    EXPECT_EQ(r->Texte, "The file cannot be read. Import aborted.");
    EXPECT_EQ(d.Texte()->toPlainText(), Riff) << "the box keeps its text";
}

TEST_F(Fenetres, EnterInTheTextConfirmsTheWindow)
{
    TFImportASCII d(6, 24, f.get());
    d.Texte()->setPlainText(Riff);
    d.show();
    QTest::keyClick(d.Texte(), Qt::Key_Return);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.Texte()->blockCount(), 6) << "no line was broken";
    EXPECT_EQ(d.Resultat().NbNotes, 3);
}

// ---------------------------------------------------------------- older version

TEST_F(Fenetres, ExportToTheOlderVersionThenOpenIt)
{
    cPartition &p = f->Partition();
    p.Informations->Titre = "Old times";
    AjouterAccord(MesureDe(p, *p.PremierePiste, 1), 0, {{2, 7}});
    choix = QString::fromStdString(Chemin("old.plt"));
    f->Executer("Fichier_Export_PL220");
    EXPECT_EQ(propose, "Old times.plt");
    const std::string octets = LireTout(Chemin("old.plt"));
    ASSERT_GT(octets.size(), 31u);
    EXPECT_EQ(octets.substr(1, 24), "FICHIER PLECTORIUM v2.21");
    p.MarquerEnregistre();
    ASSERT_TRUE(f->OuvrirChemin(Chemin("old.plt")));
    cPartition &q = f->Partition();
    EXPECT_EQ(q.NomFichier, "old.pl3");
    EXPECT_TRUE(q.Modifie) << "an older file opens modified";
    EXPECT_EQ(Config->Fichier[0], Chemin("old.plt")) << "the older file heads the recent list";
    EXPECT_EQ(q.MesurePisteDe(1, 1)->PremierAccord->Notes[2]->Case, 7);
}

TEST_F(Fenetres, ExportToTheOlderVersionWarnsBeforeLosingBeats)
{
    cPartition &p = f->Partition();
    cMesurePiste &mp = MesureDe(p, *p.PremierePiste, 1);
    for (int i = 0; i < 65; ++i)
        AjouterAccord(mp, 4, {{1, 1}});
    choix = QString::fromStdString(Chemin("cut.plt"));
    tReponse r = Repondre(ResAnnuler);
    f->Executer("Fichier_Export_PL220");
    EXPECT_EQ(r->NbBoites, 1);
    EXPECT_EQ(r->Texte.rfind("The Plectorium 2.2 format cannot hold", 0), 0u) << r->Texte;
    EXPECT_EQ(nbDialogues, 0);
    EXPECT_FALSE(QFile::exists(choix));
    r = Repondre(ResOK);
    f->Executer("Fichier_Export_PL220");
    EXPECT_TRUE(QFile::exists(choix));
}

} // namespace
