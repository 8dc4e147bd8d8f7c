#include "app/ui/DlgMarkers.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/ui/uDialogues.h"
#include "config/ui/DlgMyMsg.h"
#include "config/ui/uAppliquerTextesUI.h"
#include "config/ui/uTexteUI.h"
#include "config/uPatch.h"
#include "config/uTextesFenetres.h"
#include "model/uEdition.h"

namespace {
constexpr const char *Section = "DLG300_MARKERS_000";
}

std::string NomMarkerDefaut(const cPartition &p)
{
    return NomMarkerParDefaut(p, DepuisQt(TexteSection(Section, 9, "Section")));
}

TFMesureMarker::TFMesureMarker(int mesure, bool mesureModifiable, int nbMesures,
                               const std::string &nom, int couleur, bool edition, QWidget *parent)
    : QDialog(parent), Mesure(mesure), Nom(nom), Couleur(couleur), NbMesures(nbMesures)
{
    setObjectName("TFMesureMarker");
    ChampMesure = ChampNombre(this, 4, mesure);
    ChampMesure->setObjectName("Edit_Mesure");
    ChampMesure->setEnabled(mesureModifiable);
    ChampNom = new QLineEdit(VersQt(nom), this);
    ChampNom->setObjectName("Edit_Nom");
    ChampNom->setMaxLength(CapNomMarker);
    BoutonCouleur = new QPushButton(this);
    BoutonCouleur->setObjectName("BT_Couleur");
    PeindreBoutonCouleur(BoutonCouleur, couleur);
    connect(BoutonCouleur, &QPushButton::clicked, this, [this] {
        const QColor c = ChoixCouleur()(VersCouleurQt(Couleur), this);
        if (!c.isValid())
            return;
        Couleur = DepuisCouleurQt(c);
        PeindreBoutonCouleur(BoutonCouleur, Couleur);
    });
    auto label = [this](const char *nom, const char *texte, QWidget *pour) {
        auto *l = new QLabel(QString::fromLatin1(texte), this);
        l->setObjectName(nom);
        l->setBuddy(pour);
        return l;
    };
    auto *f = new QFormLayout;
    f->addRow(label("LB_Mesure", "Bar", ChampMesure), ChampMesure);
    f->addRow(label("LB_Nom", "Name", ChampNom), ChampNom);
    f->addRow(label("LB_Couleur", "Colour", BoutonCouleur), BoutonCouleur);
    auto *v = new QVBoxLayout(this);
    v->addLayout(f);
    v->addWidget(BoutonsDialogue(this));
    AppliquerTextesFenetre(this, PositionsDialogue({Section}), true);
    setWindowTitle(edition ? TexteSection(Section, 10, "Edit a Marker")
                           : TexteSection(Section, 1, "Insert a Marker"));
    resize(360, sizeHint().height());
    (mesureModifiable ? ChampMesure : ChampNom)->setFocus();
    ChampNom->selectAll();
}

void TFMesureMarker::accept()
{
    int m = 0;
    if (ChampMesure->isEnabled() && (!LireNombre(ChampMesure, m) || m < 1 || m > NbMesures)) {
        ErreurSaisie(ChampMesure);
        return;
    }
    if (ChampMesure->isEnabled())
        Mesure = m;
    Nom = Couper(DepuisQt(ChampNom->text()), CapNomMarker);
    QDialog::accept();
}

// ---------------------------------------------------------------- the list

TFListeMarkers::TFListeMarkers(cPartition &p, int mesureCurseur, QWidget *parent)
    : QDialog(parent), P(p), MesureCurseur(mesureCurseur)
{
    setObjectName("TFListeMarkers");
    Liste = new QTreeWidget(this);
    Liste->setObjectName("LV_Markers");
    Liste->setRootIsDecorated(false);
    Liste->setColumnCount(2);
    Liste->setHeaderLabels({TexteSection(Section, 5, "Bar"), TexteSection(Section, 6, "Name")});
    Liste->header()->setStretchLastSection(true);
    Liste->setColumnWidth(0, 70);
    auto bouton = [this](const char *nom, const char *texte) {
        auto *b = new QPushButton(QString::fromLatin1(texte), this);
        b->setObjectName(nom);
        b->setAutoDefault(false);
        return b;
    };
    Ajouter = bouton("BT_Ajouter", "Add");
    Editer = bouton("BT_Editer", "Edit");
    Supprimer = bouton("BT_Supprimer", "Delete");
    Aller = bouton("BT_Aller", "Go to");
    auto *fermer = new QDialogButtonBox(QDialogButtonBox::Close, this);
    fermer->button(QDialogButtonBox::Close)->setObjectName("Close");
    connect(fermer, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *colonne = new QVBoxLayout;
    for (QPushButton *b : {Ajouter, Editer, Supprimer, Aller})
        colonne->addWidget(b);
    colonne->addStretch();
    auto *h = new QHBoxLayout;
    h->addWidget(Liste, 1);
    h->addLayout(colonne);
    auto *v = new QVBoxLayout(this);
    v->addLayout(h);
    v->addWidget(fermer);
    connect(Ajouter, &QPushButton::clicked, this, &TFListeMarkers::AjouterMarker);
    connect(Editer, &QPushButton::clicked, this, &TFListeMarkers::EditerMarker);
    connect(Supprimer, &QPushButton::clicked, this, &TFListeMarkers::SupprimerMarker);
    connect(Liste, &QTreeWidget::itemDoubleClicked, this, &TFListeMarkers::EditerMarker);
    connect(Aller, &QPushButton::clicked, this, [this] {
        MesureAller = MesureChoisie();
        if (MesureAller > 0)
            accept();
    });
    connect(Liste, &QTreeWidget::itemSelectionChanged, this, [this] {
        const bool choix = MesureChoisie() > 0;
        Editer->setEnabled(choix);
        Supprimer->setEnabled(choix);
        Aller->setEnabled(choix);
    });
    AppliquerTextesFenetre(this, PositionsDialogue({Section}), true);
    setWindowTitle(TexteSection(Section, 2, "Markers"));
    Remplir();
    resize(440, 320);
}

void TFListeMarkers::Remplir(int mesureChoisie)
{
    Liste->clear();
    for (const cMarker *k = P.PremierMarker; k; k = k->Suivant) {
        auto *i = new QTreeWidgetItem(Liste, {QString::number(k->Mesure->Index), VersQt(k->Nom)});
        i->setData(0, Qt::UserRole, k->Mesure->Index);
        if (k->Mesure->Index == mesureChoisie)
            Liste->setCurrentItem(i);
    }
    if (!Liste->currentItem() && Liste->topLevelItemCount() > 0)
        Liste->setCurrentItem(Liste->topLevelItem(0));
    const bool choix = MesureChoisie() > 0;
    Editer->setEnabled(choix);
    Supprimer->setEnabled(choix);
    Aller->setEnabled(choix);
}

int TFListeMarkers::MesureChoisie() const
{
    const QTreeWidgetItem *i = Liste->currentItem();
    return (i && i->isSelected()) ? i->data(0, Qt::UserRole).toInt() : 0;
}

void TFListeMarkers::AjouterMarker()
{
    TFMesureMarker d(MesureCurseur, true, P.NbMesures, NomMarkerDefaut(P), 255, false, this);
    if (d.exec() != QDialog::Accepted)
        return;
    P.AjouterMarker(P.MesureNumero(d.Mesure), d.Nom, d.Couleur);
    Modifie = true;
    Remplir(d.Mesure);
}

void TFListeMarkers::EditerMarker()
{
    const int m = MesureChoisie();
    cMesure *mesure = P.MesureNumero(m);
    if (!mesure || !mesure->Marker)
        return;
    TFMesureMarker d(m, false, P.NbMesures, mesure->Marker->Nom, mesure->Marker->Couleur, true,
                     this);
    if (d.exec() != QDialog::Accepted)
        return;
    P.AjouterMarker(mesure, d.Nom, d.Couleur);
    Modifie = true;
    Remplir(m);
}

void TFListeMarkers::SupprimerMarker()
{
    const int m = MesureChoisie();
    cMesure *mesure = P.MesureNumero(m);
    if (!mesure || !mesure->Marker)
        return;
    std::string question =
        DepuisQt(TexteSection(Section, 11, "Delete the marker %s?"));
    const auto i = question.find("%s");
    if (i != std::string::npos)
        question.replace(i, 2, mesure->Marker->Nom);
    if (MyMsg(Traduction("Dlg-Confirmation"), question, MsgConfirmation, DefNon, BtOui | BtNon) !=
        ResOui)
        return;
    P.SupprimerMarker(mesure);
    Modifie = true;
    Remplir();
}
