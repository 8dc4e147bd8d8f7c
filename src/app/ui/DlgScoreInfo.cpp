#include "app/ui/DlgScoreInfo.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include "config/ui/uTexteUI.h"
#include "config/uTextesFenetres.h"
#include "config/ui/uAppliquerTextesUI.h"
#include "model/uPartition.h"

TFScoreInfo::TFScoreInfo(cInformations &score, cInformations &defaut, QWidget *parent)
    : QDialog(parent), Score(score), Defaut(defaut)
{
    setObjectName("TFScoreInfo");
    setWindowTitle("Score Information");
    auto *pages = new QTabWidget(this);
    pages->addTab(Construire(Page1, score, true, true), "Score");
    pages->addTab(Construire(Page2, defaut, false, false), "Default Values");
    auto *boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    boutons->button(QDialogButtonBox::Ok)->setObjectName("BT_OK");
    boutons->button(QDialogButtonBox::Cancel)->setObjectName("BT_Annuler");
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *v = new QVBoxLayout(this);
    v->addWidget(pages);
    v->addWidget(boutons);
    AppliquerTextesFenetre(this, PositionsDialogue({"DLG300_SCORE_INFO_000"}), true);
    resize(520, 460);
}

QWidget *TFScoreInfo::Construire(rPage &page, const cInformations &i, bool titres, bool nommer)
{
    auto *w = new QWidget(this);
    auto *f = new QFormLayout(w);
    auto ligne = [&](const char *nomLabel, const char *legende, const std::string &texte) {
        auto *e = new QLineEdit(VersQt(texte), w);
        e->setMaxLength(255);
        auto *l = new QLabel(QString::fromLatin1(legende), w);
        if (nommer)
            l->setObjectName(nomLabel); // the patch's captions go to the first page
        l->setBuddy(e);
        f->addRow(l, e);
        return e;
    };
    if (titres) {
        page.Titre = ligne("LB_Titre", "Title", i.Titre);
        page.SousTitre = ligne("LB_SousTitre", "Subtitle", i.SousTitre);
    }
    page.Artiste = ligne("LB_Artiste", "Artist", i.Artiste);
    page.Album = ligne("LB_Album", "Album", i.Album);
    page.Auteur = ligne("LB_Auteur", "Words and music", i.Auteur);
    page.Droits = ligne("LB_Droits", "Copyright", i.Droits);
    page.Tab = ligne("LB_Tab", "Tablature by", i.Tab);
    page.Instructions = ligne("LB_Instructions", "Instructions", i.Instructions);
    QString notice;
    for (const std::string &n : i.Notice)
        notice += VersQt(n) + "\n";
    notice.chop(1);
    page.Notice = new QPlainTextEdit(notice, w);
    auto *ln = new QLabel("Notice", w);
    if (nommer)
        ln->setObjectName("LB_Notice");
    f->addRow(ln, page.Notice);
    page.TripletFeel = new QCheckBox("Triplet feel", w);
    if (nommer)
        page.TripletFeel->setObjectName("CB_TripletFeel");
    page.TripletFeel->setChecked(i.TripletFeel);
    f->addRow(page.TripletFeel);
    return w;
}

void TFScoreInfo::Lire(const rPage &page, cInformations &i, bool titres)
{
    auto texte = [](QLineEdit *e) { return Couper(DepuisQt(e->text()), CapInformation); };
    if (titres) {
        i.Titre = texte(page.Titre);
        i.SousTitre = texte(page.SousTitre);
    }
    i.Artiste = texte(page.Artiste);
    i.Album = texte(page.Album);
    i.Auteur = texte(page.Auteur);
    i.Droits = texte(page.Droits);
    i.Tab = texte(page.Tab);
    i.Instructions = texte(page.Instructions);
    i.Notice.clear();
    const QString notice = page.Notice->toPlainText();
    if (!notice.isEmpty())
        for (const QString &l : notice.split('\n'))
            i.AjouterNotice(DepuisQt(l));
    i.TripletFeel = page.TripletFeel->isChecked();
}

void TFScoreInfo::accept()
{
    Lire(Page1, Score, true);
    Lire(Page2, Defaut, false);
    QDialog::accept();
}
