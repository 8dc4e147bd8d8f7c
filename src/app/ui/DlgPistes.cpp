#include "app/ui/DlgPistes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/ui/uDialogues.h"
#include "app/ui/uSpinRepetition.h"
#include "config/ui/DlgMyMsg.h"
#include "config/ui/uAppliquerTextesUI.h"
#include "config/ui/uTexteUI.h"
#include "config/uTextesFenetres.h"

namespace {
constexpr const char *SectionProp = "DLG_PROP_000";

QLabel *Etiquette(QWidget *parent, const char *nom, const char *texte, QWidget *pour = nullptr)
{
    auto *l = new QLabel(QString::fromLatin1(texte), parent);
    l->setObjectName(nom);
    if (pour)
        l->setBuddy(pour);
    return l;
}

QGroupBox *GroupeSortie(QWidget *parent, rSortiePiste s)
{
    auto *g = new QGroupBox("MIDI", parent);
    g->setObjectName("GB_MIDI");
    auto *f = new QFormLayout(g);
    // The drum dialog's section has no channel texts: both take them from here.
    f->addRow(new QLabel(TexteSection(SectionProp, 7, "Port"), g),
              new QLabel(QString::number(s.Port), g));
    f->addRow(new QLabel(TexteSection(SectionProp, 8, "Channel"), g),
              new QLabel(QString::number(s.Canal), g));
    f->addRow(new QLabel(TexteSection(SectionProp, 9, "Channel for effects"), g),
              new QLabel(QString::number(s.CanalEffets), g));
    g->setVisible(s.Port > 0);
    return g;
}

QPushButton *BoutonCouleur(QWidget *parent, int couleur)
{
    auto *b = new QPushButton(parent);
    b->setObjectName("BT_Couleur");
    b->setAutoDefault(false);
    PeindreBoutonCouleur(b, couleur);
    return b;
}
} // namespace

// ---------------------------------------------------------------- add

TFAjoutPiste::TFAjoutPiste(QWidget *parent) : QDialog(parent)
{
    setObjectName("TFAjoutPiste");
    setWindowTitle("Add a Track");
    auto radio = [](QWidget *g, const char *nom, const char *texte) {
        auto *r = new QRadioButton(QString::fromLatin1(texte), g);
        r->setObjectName(nom);
        g->layout()->addWidget(r);
        return r;
    };
    auto *type = new QGroupBox("Type", this);
    type->setObjectName("GB_Type");
    new QVBoxLayout(type);
    Guitare = radio(type, "RB_Guitare", "Guitar");
    Percussions = radio(type, "RB_Batterie", "Drums");
    Guitare->setChecked(true);
    auto *place = new QGroupBox("Position", this);
    place->setObjectName("GB_Position");
    new QVBoxLayout(place);
    Premiere = radio(place, "RB_Premiere", "First");
    Derniere = radio(place, "RB_Derniere", "Last");
    Avant = radio(place, "RB_Avant", "Before the current track");
    Apres = radio(place, "RB_Apres", "After the current track");
    Apres->setChecked(true);
    auto *h = new QHBoxLayout;
    h->addWidget(type);
    h->addWidget(place);
    auto *v = new QVBoxLayout(this);
    v->addLayout(h);
    v->addWidget(BoutonsDialogue(this));
    AppliquerTextesFenetre(this, PositionsDialogue({"DLG300_ADD_TRACK_000"}), true);
}

bool TFAjoutPiste::Batterie() const { return Percussions->isChecked(); }

ePlacePiste TFAjoutPiste::Place() const
{
    return Premiere->isChecked() ? ePlacePiste::Premiere
           : Derniere->isChecked() ? ePlacePiste::Derniere
           : Avant->isChecked()    ? ePlacePiste::Avant
                                   : ePlacePiste::Apres;
}

// ---------------------------------------------------------------- guitar track

TFProprietesPiste::TFProprietesPiste(const rProprietesPiste &v, rSortiePiste sortie, bool annuler,
                                     QWidget *parent)
    : QDialog(parent), V(v), CouleurDepart(v.Couleur), AvecAnnuler(annuler)
{
    setObjectName("TFProprietesPiste");
    setWindowTitle("Track Properties");
    Nom = new QLineEdit(VersQt(v.Nom), this);
    Nom->setObjectName("Edit_Nom");
    Nom->setMaxLength(CapNomPiste);
    Couleur = BoutonCouleur(this, v.Couleur);
    connect(Couleur, &QPushButton::clicked, this, [this] {
        const QColor c = ChoixCouleur()(VersCouleurQt(V.Couleur), this);
        if (c.isValid())
            ChoisirCouleur(DepuisCouleurQt(c));
    });

    Presets = new QComboBox(this);
    Presets->setObjectName("CB_Presets");
    for (const rPresetAccordage &p : PresetsAccordage())
        Presets->addItem(QString::fromLatin1(p.Nom));
    connect(Presets, &QComboBox::activated, this, &TFProprietesPiste::ChoisirPreset);

    NbCordes = new TSpinRepetition(4, MaxCordes, v.NbCordes, this);
    NbCordes->setObjectName("Edit_NbCordes");
    NbCordes->AccepterSaisie("[4-6]?", 1);
    NbCordes->ChoisirLargeur(2);
    connect(NbCordes, &TSpinRepetition::ValeurChangee, this, &TFProprietesPiste::ChangerNbCordes);
    Douze = new QCheckBox("12-string guitar", this);
    Douze->setObjectName("CB_Douze");
    connect(Douze, &QCheckBox::toggled, this, [this](bool c) { V.DouzeCordes = c; });
    Banjo = new QCheckBox("5-string banjo", this);
    Banjo->setObjectName("CB_Banjo5");
    connect(Banjo, &QCheckBox::toggled, this, [this](bool c) { V.Banjo5 = c; });

    auto *accordage = new QGroupBox("Tuning", this);
    accordage->setObjectName("LB_Accordage");
    auto *grille = new QGridLayout(accordage);
    grille->addWidget(Etiquette(accordage, "LB_Corde", "String"), 0, 0);
    grille->addWidget(Etiquette(accordage, "LB_Note", "Note"), 0, 1);
    const QIcon ecoute = style()->standardIcon(QStyle::SP_MediaVolume);
    for (int s = 0; s < MaxCordes; ++s) {
        NumCorde[s] = new QLabel(QString::number(s + 1), accordage);
        Hauteurs[s] = new TSpinRepetition(0, 119, 0, accordage);
        Hauteurs[s]->setObjectName(QString("Edit_Hauteur%1").arg(s + 1));
        Hauteurs[s]->ChoisirLargeur(4);
        Hauteurs[s]->ChoisirFormat([](int h) { return QString::fromLatin1(NomHauteur(h).c_str()); });
        connect(Hauteurs[s], &TSpinRepetition::ValeurChangee, this,
                [this, s](int h) { ChangerHauteur(s + 1, h); });
        EcouterCorde[s] = new QToolButton(accordage);
        EcouterCorde[s]->setObjectName(QString("BT_Ecouter%1").arg(s + 1));
        EcouterCorde[s]->setIcon(ecoute);
        EcouterCorde[s]->setToolTip(TexteSection(SectionProp, 27, "Listen to the open string"));
        connect(EcouterCorde[s], &QToolButton::pressed, this, [this, s] { DebutEcoute(s + 1); });
        connect(EcouterCorde[s], &QToolButton::released, this, &TFProprietesPiste::FinEcoute);
        grille->addWidget(NumCorde[s], s + 1, 0);
        grille->addWidget(Hauteurs[s], s + 1, 1);
        grille->addWidget(EcouterCorde[s], s + 1, 2);
    }
    Monter = new TBoutonRepete(accordage);
    Monter->setObjectName("BT_Monter");
    Monter->setArrowType(Qt::UpArrow);
    Monter->setToolTip("Raise every string by a semitone");
    Descendre = new TBoutonRepete(accordage);
    Descendre->setObjectName("BT_Descendre");
    Descendre->setArrowType(Qt::DownArrow);
    Descendre->setToolTip("Lower every string by a semitone");
    connect(Monter, &TBoutonRepete::Pas, this, [this](int n) { DeplacerTout(n); });
    connect(Descendre, &TBoutonRepete::Pas, this, [this](int n) { DeplacerTout(-n); });
    EcouterTout = new QToolButton(accordage);
    EcouterTout->setObjectName("BT_EcouterTout");
    EcouterTout->setIcon(ecoute);
    EcouterTout->setToolTip(TexteSection(SectionProp, 28, "Listen to every string"));
    connect(EcouterTout, &QToolButton::pressed, this, [this] { DebutEcoute(0); });
    connect(EcouterTout, &QToolButton::released, this, &TFProprietesPiste::FinEcoute);
    auto *boutons = new QHBoxLayout;
    boutons->addWidget(Monter);
    boutons->addWidget(Descendre);
    boutons->addStretch();
    boutons->addWidget(EcouterTout);
    grille->addLayout(boutons, MaxCordes + 1, 0, 1, 3);
    grille->setColumnStretch(3, 1);

    NbFrets = new TSpinRepetition(3, 30, v.NbFrets, this, CadenceRapide);
    NbFrets->setObjectName("Edit_NbFrets");
    NbFrets->AccepterSaisie("\\d{0,2}", 2);
    NbFrets->ChoisirLargeur(3);
    NbFrets->Champ()->setText(QString::number(v.NbFrets)); // shown as stored, even out of range
    Capo = new TSpinRepetition(0, 12, v.Capo, this, CadenceRapide);
    Capo->setObjectName("Edit_Capo");
    Capo->AccepterSaisie("\\d{0,2}", 2);
    Capo->ChoisirLargeur(3);
    Capo->Champ()->setText(QString::number(v.Capo));

    auto *haut = new QFormLayout;
    haut->addRow(Etiquette(this, "LB_Nom", "Name", Nom), Nom);
    haut->addRow(Etiquette(this, "LB_Couleur", "Colour", Couleur), Couleur);
    haut->addRow(Etiquette(this, "GB_Accordages", "Preset tunings", Presets), Presets);
    auto *cordes = new QHBoxLayout;
    cordes->addWidget(NbCordes);
    cordes->addWidget(Douze);
    cordes->addWidget(Banjo);
    cordes->addStretch();
    haut->addRow(Etiquette(this, "LB_NbCordes", "Number of strings", NbCordes->Champ()), cordes);
    auto *bas = new QFormLayout;
    bas->addRow(Etiquette(this, "LB_NbFrets", "Number of frets", NbFrets->Champ()), NbFrets);
    bas->addRow(Etiquette(this, "LB_Capo", "Capo", Capo->Champ()), Capo);
    auto *v2 = new QVBoxLayout(this);
    v2->addLayout(haut);
    v2->addWidget(accordage);
    v2->addLayout(bas);
    v2->addWidget(GroupeSortie(this, sortie));
    v2->addWidget(BoutonsDialogue(this, annuler));
    AppliquerTextesFenetre(this, PositionsDialogue({SectionProp}), true);

    Sequence.setInterval(500); // a quarter note at 120
    connect(&Sequence, &QTimer::timeout, this, &TFProprietesPiste::JouerSuivante);
    connect(&Repetition, &QTimer::timeout, this, [this] {
        if (EcouterTout->isDown()) {
            CordeSuivante = 1;
            Sequence.start();
            JouerSuivante();
        } else {
            for (int s = 0; s < MaxCordes; ++s)
                if (EcouterCorde[s]->isDown() && Ecouter)
                    Ecouter(V, s + 1);
        }
    });
    Douze->setChecked(v.DouzeCordes);
    Banjo->setChecked(v.Banjo5);
    Actualiser();
}

void TFProprietesPiste::Actualiser()
{
    NbCordes->ChoisirValeur(V.NbCordes);
    for (int s = 0; s < MaxCordes; ++s) {
        const bool visible = s < V.NbCordes;
        NumCorde[s]->setVisible(visible);
        Hauteurs[s]->setVisible(visible);
        EcouterCorde[s]->setVisible(visible);
        if (visible)
            Hauteurs[s]->ChoisirValeur(V.Accordage[s]);
    }
    Presets->setCurrentIndex(PresetCorrespondant(V.NbCordes, V.Accordage));
    Douze->setEnabled(V.NbCordes == 6);
    Banjo->setEnabled(V.NbCordes == 5);
    Douze->setChecked(V.DouzeCordes);
    Banjo->setChecked(V.Banjo5);
}

void TFProprietesPiste::ChangerNbCordes(int n)
{
    if (n < 4 || n > MaxCordes)
        return;
    V.NbCordes = n;
    V.Accordage = AccordageParDefaut(n);
    V.Banjo5 = false;
    if (n != 6)
        V.DouzeCordes = false;
    ChoisirCouleur(CouleurParDefaut(n));
    Actualiser();
}

void TFProprietesPiste::ChoisirPreset(int i)
{
    const auto &t = PresetsAccordage();
    if (i < 0 || i >= static_cast<int>(t.size()))
        return;
    V.NbCordes = t[i].NbCordes;
    V.Accordage = t[i].Hauteurs;
    V.Banjo5 = PresetBanjo(t[i]);
    if (V.NbCordes != 6)
        V.DouzeCordes = false;
    Actualiser();
}

void TFProprietesPiste::ChangerHauteur(int corde, int hauteur)
{
    if (corde < 1 || corde > V.NbCordes)
        return;
    V.Accordage[corde - 1] = std::clamp(hauteur, 0, 119);
    Actualiser();
}

void TFProprietesPiste::DeplacerTout(int demiTons)
{
    for (int s = 0; s < V.NbCordes; ++s)
        V.Accordage[s] = std::clamp(V.Accordage[s] + demiTons, 0, 119);
    Actualiser();
}

void TFProprietesPiste::ChoisirCouleur(int couleur)
{
    V.Couleur = couleur;
    PeindreBoutonCouleur(Couleur, couleur);
    if (Apercu)
        Apercu(couleur);
}

void TFProprietesPiste::DebutEcoute(int corde)
{
    if (corde == 0) {
        CordeSuivante = 1;
        Sequence.start();
        JouerSuivante(); // the first string at once
        Repetition.start(V.NbCordes * 500 + 500);
    } else {
        if (Ecouter)
            Ecouter(V, corde);
        Repetition.start(2000);
    }
}

void TFProprietesPiste::JouerSuivante()
{
    if (CordeSuivante > V.NbCordes) {
        Sequence.stop();
        return;
    }
    if (Ecouter)
        Ecouter(V, CordeSuivante);
    ++CordeSuivante;
}

void TFProprietesPiste::FinEcoute()
{
    Repetition.stop();
    Sequence.stop();
}

void TFProprietesPiste::accept()
{
    int frets = 0, capo = 0;
    if (!NbFrets->LireSaisie(frets) || frets < 3 || frets > 30) {
        ErreurSaisie(NbFrets->Champ());
        return;
    }
    if (!Capo->LireSaisie(capo) || capo < 0 || capo > 12) {
        ErreurSaisie(Capo->Champ());
        return;
    }
    FinEcoute();
    V.Nom = Couper(DepuisQt(Nom->text()), CapNomPiste);
    V.NbFrets = frets;
    V.Capo = capo;
    QDialog::accept();
}

void TFProprietesPiste::reject()
{
    if (!AvecAnnuler)
        return; // a track being added gets its properties: only OK closes
    FinEcoute();
    if (Apercu && V.Couleur != CouleurDepart)
        Apercu(CouleurDepart);
    QDialog::reject();
}

// ---------------------------------------------------------------- drum track

TFProprietesBatterie::TFProprietesBatterie(const rProprietesPiste &v, rSortiePiste sortie,
                                           bool annuler, QWidget *parent)
    : QDialog(parent), V(v), CouleurDepart(v.Couleur), AvecAnnuler(annuler)
{
    setObjectName("TFProprietesBatterie");
    setWindowTitle("Drum Track Properties");
    Nom = new QLineEdit(VersQt(v.Nom), this);
    Nom->setObjectName("Edit_Nom");
    Nom->setMaxLength(CapNomPiste);
    Couleur = BoutonCouleur(this, v.Couleur);
    connect(Couleur, &QPushButton::clicked, this, [this] {
        const QColor c = ChoixCouleur()(VersCouleurQt(V.Couleur), this);
        if (c.isValid())
            ChoisirCouleur(DepuisCouleurQt(c));
    });
    auto *f = new QFormLayout;
    f->addRow(Etiquette(this, "LB_Nom", "Name", Nom), Nom);
    f->addRow(new QLabel(TexteSection(SectionProp, 6, "Colour"), this), Couleur);
    auto *v2 = new QVBoxLayout(this);
    v2->addLayout(f);
    v2->addWidget(GroupeSortie(this, sortie));
    v2->addWidget(BoutonsDialogue(this, annuler));
    AppliquerTextesFenetre(this, PositionsDialogue({"DLG300_TRACK_INFO_000"}), true);
    resize(340, sizeHint().height());
}

void TFProprietesBatterie::ChoisirCouleur(int couleur)
{
    V.Couleur = couleur;
    PeindreBoutonCouleur(Couleur, couleur);
    if (Apercu)
        Apercu(couleur);
}

void TFProprietesBatterie::accept()
{
    V.Nom = Couper(DepuisQt(Nom->text()), CapNomPiste);
    QDialog::accept();
}

void TFProprietesBatterie::reject()
{
    if (!AvecAnnuler)
        return;
    if (Apercu && V.Couleur != CouleurDepart)
        Apercu(CouleurDepart);
    QDialog::reject();
}
