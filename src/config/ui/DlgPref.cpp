#include "config/ui/DlgPref.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>

#include "app/ui/Main.h"
#include "config/uConfig.h"
#include "config/uPatch.h"
#include "config/uTextesFenetres.h"
#include "config/ui/DlgMyMsg.h"
#include "config/ui/uAppliquerTextesUI.h"
#include "config/ui/uTexteUI.h"
#include "display/ui/uDessinPartition.h"
#include "model/uConstantes.h"

namespace {

// A number field of the display page: its key, its member, its range and the value an empty
// field takes.
struct rChampEcran {
    const char *Cle, *Texte;
    int TParamEcran::*Membre;
    int Min, Max, Vide;
};
const rChampEcran ChampsEcran[] = {
    {"MargeGaucheLignes", "Left margin", &TParamEcran::MargeGaucheLignes, 0, 400, 25},
    {"MargeDroiteLignes", "Right margin", &TParamEcran::MargeDroiteLignes, 0, 400, 25},
    {"EspLignes", "String spacing", &TParamEcran::EspLignes, 4, 40, 10},
    {"EspPortees", "Staff spacing", &TParamEcran::EspPortees, 0, 600, 102},
    {"EspDiagAc", "Diagram position", &TParamEcran::EspDiagAc, 0, 300, 20},
    {"EspNomAc", "Chord name position", &TParamEcran::EspNomAc, 0, 300, 18},
    {"EspTexte", "Text position", &TParamEcran::EspTexte, 0, 300, 31},
    {"EpCroches", "Beam thickness", &TParamEcran::EpCroches, 1, 10, 3},
};

struct rChampImp {
    const char *Cle, *Texte;
    double TZoneImpression::*Membre;
    int Min, Max, Vide;
};
const rChampImp ChampsImp[] = {
    {"MargeHautePart", "Top margin (mm)", &TZoneImpression::MargeHautePart, 0, 100, 15},
    {"MargeBassePart", "Bottom margin (mm)", &TZoneImpression::MargeBassePart, 0, 100, 10},
    {"MargeGaucheLignes_Prt", "Left margin (mm)", &TZoneImpression::MargeGaucheLignes, 0, 100, 10},
    {"MargeDroiteLignes_Prt", "Right margin (mm)", &TZoneImpression::MargeDroiteLignes, 0, 100, 10},
    {"Largeur_Prt", "Width (mm)", &TZoneImpression::Largeur_Prt, 10, 1000, 100},
    {"Hauteur_Prt", "Height (mm)", &TZoneImpression::Hauteur_Prt, 10, 1000, 100},
};

// A setting shown by the window: its key, its caption and the field it edits.
template <class Valeur, class Classe> struct rReglage {
    const char *Cle, *Texte;
    Valeur Classe::*Membre;
};
using rPoliceEcran = rReglage<TMyFont, TParamEcran>;
const rPoliceEcran PolicesEcran[] = {
    {"FontNotes", "Notes", &TParamEcran::FontNotes},
    {"FontAcc", "Chord names", &TParamEcran::FontAcc},
    {"FontTxt", "Texts", &TParamEcran::FontTxt},
    {"FontSign", "Time signatures", &TParamEcran::FontSign},
    {"FontNum", "Bar numbers", &TParamEcran::FontNum},
    {"FontRenv", "Repeats", &TParamEcran::FontRenv},
};
using rPoliceImp = rReglage<TMyFont, TZoneImpression>;
const rPoliceImp PolicesImp[] = {
    {"FontTitle_Prt", "Title", &TZoneImpression::FontTitle_Prt},
    {"FontAuteur_Prt", "Author", &TZoneImpression::FontAuteur_Prt},
    {"FontComment_Prt", "Comment", &TZoneImpression::FontComment_Prt},
    {"FontNumPage_Prt", "Page number", &TZoneImpression::FontNumPage_Prt},
    {"FontNotes_Prt", "Notes", &TZoneImpression::FontNotes_Prt},
    {"FontAcc_Prt", "Chord names", &TZoneImpression::FontAcc_Prt},
    {"FontTxt_Prt", "Texts", &TZoneImpression::FontTxt_Prt},
    {"FontSign_Prt", "Time signatures", &TZoneImpression::FontSign_Prt},
    {"FontAccDiag_Prt", "Chord diagrams", &TZoneImpression::FontAccDiag_Prt},
    {"FontRenv_Prt", "Repeats", &TZoneImpression::FontRenv_Prt},
};
using rCouleur = rReglage<int, TParamEcran>;
const rCouleur CouleursEcran[] = {
    {"ColDiag", "Chord diagrams", &TParamEcran::ColDiag},
    {"ColLines", "Lines", &TParamEcran::ColLines},
    {"ColRythm", "Rhythm", &TParamEcran::ColRythm},
    {"ColEff", "Effects", &TParamEcran::ColEff},
    {"ColBackG", "Background", &TParamEcran::ColBackG},
    {"ColBadBar", "Wrong bars", &TParamEcran::ColBadBar},
    {"ColSelect", "Playback marks", &TParamEcran::ColSelect},
};
using rSwitchEcran = rReglage<bool, TParamEcran>;
const rSwitchEcran SwitchsEcran[] = {
    {"AffDiag", "Chord diagrams", &TParamEcran::AffDiag},
    {"AffChordsName", "Chord names", &TParamEcran::AffChordsName},
    {"AffTxt", "Texts", &TParamEcran::AffTxt},
    {"AffEff", "Effects", &TParamEcran::AffEff},
    {"AffRyt", "Rhythm", &TParamEcran::AffRyt},
    {"AffNum", "Bar numbers", &TParamEcran::AffNum},
    {"AffListChord", "Chord list", &TParamEcran::AffListChord},
};
using rSwitchImp = rReglage<bool, TZoneImpression>;
const rSwitchImp SwitchsImp[] = {
    {"AffTitre_Prt", "Title", &TZoneImpression::AffTitre_Prt},
    {"AffAuteur_Prt", "Author", &TZoneImpression::AffAuteur_Prt},
    {"AffComment_Prt", "Comment", &TZoneImpression::AffComment_Prt},
    {"AffTriplet_Prt", "Triplet feel, capo, tuning", &TZoneImpression::AffTriplet_Prt},
    {"AffNumP_Prt", "Page numbers", &TZoneImpression::AffNumP_Prt},
    {"AffNum_Prt", "Bar numbers", &TZoneImpression::AffNum_Prt},
    {"AffDiag_Prt", "Chord diagrams", &TZoneImpression::AffDiag_Prt},
    {"AffChordsName_Prt", "Chord names", &TZoneImpression::AffChordsName_Prt},
    {"AffListChord_Prt", "Chord list", &TZoneImpression::AffListChord_Prt},
    {"AffTxt_Prt", "Texts", &TZoneImpression::AffTxt_Prt},
    {"AffEff_Prt", "Effects", &TZoneImpression::AffEff_Prt},
    {"AffRyt_Prt", "Rhythm", &TZoneImpression::AffRyt_Prt},
};
struct rCurseurImp {
    const char *Cle, *Texte;
    int TZoneImpression::*Membre;
    int Min, Max;
};
const rCurseurImp CurseursImp[] = {
    {"GlobalProportions_Prt", "Global proportions", &TZoneImpression::GlobalProportions_Prt, -40, 40},
    {"ChordSize_Prt", "Chord diagram size", &TZoneImpression::ChordSize_Prt, -40, 40},
    {"EspPortees_Prt", "Staff spacing", &TZoneImpression::EspPortees_Prt, -40, 40},
    {"EspDiagAc_Prt", "Diagram position", &TZoneImpression::EspDiagAc_Prt, -40, 40},
    {"EspNomAc_Prt", "Chord name position", &TZoneImpression::EspNomAc_Prt, -40, 40},
    {"EspTexte_Prt", "Text position", &TZoneImpression::EspTexte_Prt, -40, 40},
    {"Esp_Titre_Auteur_Prt", "Title / author spacing", &TZoneImpression::Esp_Titre_Auteur_Prt, -40, 40},
    {"Esp_Auteur_Tab_Prt", "Author / tablature spacing", &TZoneImpression::Esp_Auteur_Tab_Prt, -40, 40},
    {"CoefEspAff_Prt", "Note spacing", &TZoneImpression::CoefEspAff_Prt, 0, 10},
};

const char *CasesGeneral[] = {"DifferentMetronomeFirstSound", "PlayEffects", "PlayRepeats",
                              "ExportEffects", "ExportRepeats", "UseRMTF", "AlwaysAddBass",
                              "NoteFollowingRectangle", "NoteFollowingTriangle",
                              "NoteFollowingColor", "PLOnlineAuto", "LimitBend"};

// A number field: digits only, typed or pasted (the validator sees both), three or four long.
QLineEdit *ChampNombre(QWidget *parent, const char *nom, int longueur)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(nom);
    e->setMaxLength(longueur);
    e->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(longueur)), e));
    e->setFixedWidth(60);
    return e;
}

QSlider *Curseur(QWidget *parent, const char *nom, int min, int max)
{
    auto *s = new QSlider(Qt::Horizontal, parent);
    s->setObjectName(nom);
    s->setRange(min, max);
    s->setMinimumWidth(140);
    return s;
}

QCheckBox *Case(QWidget *parent, const char *nom, const char *texte)
{
    auto *c = new QCheckBox(QString::fromLatin1(texte), parent);
    c->setObjectName(nom);
    return c;
}

QString TexteChamp(int v) { return QString::number(v); }
QString TexteChamp(double v) { return QString::number(static_cast<long>(Arrondi(v))); }
} // namespace

TFPref::TFPref(QWidget *parent, bool depuisApercu) : QDialog(parent), DepuisApercu(depuisApercu)
{
    setObjectName("TFPref");
    setWindowTitle("Preferences");
    Chargement = true;
    Onglets = new QTabWidget(this);
    Onglets->setObjectName("Pages");
    Onglets->addTab(CreerGeneral(), "General");
    Onglets->addTab(CreerAffichage(), "Display");
    Onglets->addTab(CreerImpression(), "Printing");
    auto *boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    boutons->button(QDialogButtonBox::Ok)->setObjectName("OK");
    boutons->button(QDialogButtonBox::Cancel)->setObjectName("Cancel");
    connect(boutons, &QDialogButtonBox::accepted, this, &TFPref::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &TFPref::reject);
    auto *v = new QVBoxLayout(this);
    v->addWidget(Onglets);
    v->addWidget(boutons);

    if (Config) {
        EcranOuverture = Config->ParamEcran;
        ImpOuverture = Config->ParamImp;
        BlackBlocksOuverture = Config->BlackBlocks;
        Config->PreferencesOuvertes = true;
    }
    ChargerGeneral();
    ChargerAffichage(EcranOuverture);
    ChargerImpression(ImpOuverture, BlackBlocksOuverture);
    for (int i = 0; i < 3; ++i)
        SuivreChangements(Onglets->widget(i), i);
    AppliquerTextesFenetre(this, PositionsDialogue({"DLG_PREF_000", "DLG300_PREF_000"}), true);
    // The page tabs, and the buttons every page has (Default, the presets) take their texts too.
    AppliquerTextes(PatchCourant(), PositionsDialogue({"DLG_PREF_000", "DLG300_PREF_000"}), true,
                    [this](const rPositionTexte &p, const std::string &t) {
                        const QString texte = VersQt(t);
                        const QString nom = QString::fromLatin1(p.Nom);
                        for (int i = 0; i < Onglets->count(); ++i)
                            if (Onglets->widget(i)->objectName() == nom)
                                Onglets->setTabText(i, texte);
                        if (p.Genre == eGenreTexte::Bulle)
                            return;
                        for (QPushButton *b : findChildren<QPushButton *>(nom))
                            b->setText(texte);
                        if (nom == QLatin1String("MetronomeVolume"))
                            if (auto *l = findChild<QLabel *>("MetronomeVolume_Label"))
                                l->setText(texte);
                    });
    Chargement = false;
    Change = {};
    ActualiserEtats();
}

TFPref::~TFPref()
{
    if (Config)
        Config->PreferencesOuvertes = false;
}

// ------------------------------------------------------------------ building

QWidget *TFPref::CreerGeneral()
{
    auto *page = new QWidget(this);
    page->setObjectName("TS_General");
    auto *defil = new QGroupBox("Scrolling while playing", page);
    defil->setObjectName("GB_Defilement");
    auto *hd = new QVBoxLayout(defil);
    auto *rs = new QRadioButton("Screen per screen", defil);
    rs->setObjectName("ScrollingScreen");
    auto *rl = new QRadioButton("Staff per staff", defil);
    rl->setObjectName("ScrollingLine");
    hd->addWidget(rs);
    hd->addWidget(rl);

    auto *musique = new QGroupBox("Music at start", page);
    musique->setObjectName("GB_Musique");
    auto *gm = new QGridLayout(musique);
    auto *mpl = new QRadioButton("Plectorium tune", musique);
    mpl->setObjectName("Music_PL");
    auto *mwav = new QRadioButton("Wave file", musique);
    mwav->setObjectName("Music_WAV");
    auto *mrien = new QRadioButton("Nothing", musique);
    mrien->setObjectName("Music_Rien");
    auto *fichier = new QLineEdit(musique);
    fichier->setObjectName("Music_File");
    auto *parcourir = new QPushButton("...", musique);
    parcourir->setObjectName("BT_Music_File");
    connect(parcourir, &QPushButton::clicked, this, [this, fichier] {
        const std::string f = ChoisirFichierWAV ? ChoisirFichierWAV(this)
                                                : DepuisQt(QFileDialog::getOpenFileName(
                                                      this, QString(), QString(),
                                                      "Wave Files (*.WAV)"));
        if (!f.empty())
            fichier->setText(VersQt(f));
    });
    connect(mwav, &QRadioButton::toggled, this, [this] { ActualiserEtats(); });
    gm->addWidget(mpl, 0, 0);
    gm->addWidget(mwav, 1, 0);
    gm->addWidget(fichier, 1, 1);
    gm->addWidget(parcourir, 1, 2);
    gm->addWidget(mrien, 2, 0);

    auto *lbVol = new QLabel("Metronome volume", page);
    lbVol->setObjectName("MetronomeVolume_Label");
    auto *volume = Curseur(page, "MetronomeVolume", 0, 48);

    auto *cases = new QGridLayout;
    int r = 0;
    for (const char *nom : CasesGeneral) {
        auto *c = Case(page, nom, nom);
        cases->addWidget(c, r / 2, r % 2);
        ++r;
    }
    Controle<QCheckBox>("UseRMTF")->setVisible(false);
    Controle<QCheckBox>("LimitBend")->setVisible(false);
    // Captions of the patch-less window.
    const std::pair<const char *, const char *> legendes[] = {
        {"DifferentMetronomeFirstSound", "Emphasise the first beat"},
        {"PlayEffects", "Play effects"},
        {"PlayRepeats", "Play repeats"},
        {"ExportEffects", "Effects in MIDI export"},
        {"ExportRepeats", "Repeats in MIDI export"},
        {"AlwaysAddBass", "Always name the bass"},
        {"NoteFollowingRectangle", "Rectangle around the bar"},
        {"NoteFollowingTriangle", "Triangle under the note"},
        {"NoteFollowingColor", "Highlight the played notes"},
        {"PLOnlineAuto", "Check for a new version"}};
    for (const auto &[nom, texte] : legendes)
        Controle<QCheckBox>(nom)->setText(texte);

    auto *periode = new QComboBox(page);
    periode->setObjectName("PLOnlinePeriod");
    periode->addItems({"Never", "2 weeks", "Month", "3 months", "6 months"});
    auto *enLigne = new QPushButton("Check now", page);
    enLigne->setObjectName("BT_PLOnline");
    connect(enLigne, &QPushButton::clicked, this, [this] {
        if (VerifierEnLigne)
            VerifierEnLigne(this);
    });
    auto *defaut = new QPushButton("Default", page);
    defaut->setObjectName("BT_Defaut");
    connect(defaut, &QPushButton::clicked, this, [this] { DefautGeneral(); });

    auto *v = new QVBoxLayout(page);
    auto *haut = new QHBoxLayout;
    haut->addWidget(defil);
    haut->addWidget(musique, 1);
    v->addLayout(haut);
    auto *hv = new QHBoxLayout;
    hv->addWidget(lbVol);
    hv->addWidget(volume);
    hv->addStretch(1);
    v->addLayout(hv);
    v->addLayout(cases);
    auto *hp = new QHBoxLayout;
    hp->addWidget(periode);
    hp->addWidget(enLigne);
    hp->addStretch(1);
    hp->addWidget(defaut);
    v->addLayout(hp);
    v->addStretch(1);
    return page;
}

QWidget *TFPref::BoutonPolice(QWidget *page, const std::string &cle, const QString &texte, int index)
{
    auto *b = new QPushButton(texte, page);
    b->setObjectName(QString::fromStdString("BT_" + cle));
    auto *exemple = new QLabel(page);
    exemple->setObjectName(QString::fromStdString("LB_" + cle));
    exemple->setMinimumWidth(220);
    connect(b, &QPushButton::clicked, this, [this, cle, index] {
        TMyFont f = Polices[cle];
        bool ok = false;
        if (ChoisirPolice) {
            ok = ChoisirPolice(f, this);
        } else {
            QFont q = PoliceQt(f);
            q = QFontDialog::getFont(&ok, q, this);
            if (ok) {
                f.Name = DepuisQt(q.family());
                f.Size = q.pointSize() > 0 ? q.pointSize() : f.Size;
                f.Bold = q.bold();
                f.Italic = q.italic();
            }
        }
        if (!ok)
            return;
        BornerPolice(f);
        Polices[cle] = f;
        MontrerPolice(cle);
        Change[static_cast<std::size_t>(index)] = true;
    });
    auto *w = new QWidget(page);
    auto *h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(b);
    h->addWidget(exemple, 1);
    return w;
}

QWidget *TFPref::BoutonCouleur(QWidget *page, const std::string &cle, const QString &texte)
{
    auto *b = new QPushButton(texte, page);
    b->setObjectName(QString::fromStdString("BT_" + cle));
    auto *exemple = new QLabel(page);
    exemple->setObjectName(QString::fromStdString("SH_" + cle));
    exemple->setFixedSize(24, 16);
    exemple->setAutoFillBackground(true);
    connect(b, &QPushButton::clicked, this, [this, cle] {
        int c = Couleurs[cle];
        bool ok = false;
        if (ChoisirCouleur) {
            ok = ChoisirCouleur(c, this);
        } else {
            const QColor q = QColorDialog::getColor(CouleurQt(static_cast<uint32_t>(c)), this);
            ok = q.isValid();
            if (ok)
                c = q.red() | (q.green() << 8) | (q.blue() << 16);
        }
        if (!ok)
            return;
        Couleurs[cle] = c & 0xFFFFFF;
        MontrerCouleur(cle);
        Change[PageAffichage] = true;
    });
    auto *w = new QWidget(page);
    auto *h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(exemple);
    h->addWidget(b, 1);
    return w;
}

QWidget *TFPref::CreerAffichage()
{
    auto *page = new QWidget(this);
    page->setObjectName("TS_Affichage");
    auto *champs = new QFormLayout;
    for (const rChampEcran &c : ChampsEcran)
        champs->addRow(QString::fromLatin1(c.Texte), ChampNombre(page, c.Cle, 3));
    auto *polices = new QVBoxLayout;
    for (const rPoliceEcran &p : PolicesEcran)
        polices->addWidget(BoutonPolice(page, p.Cle, p.Texte, PageAffichage));
    auto *couleurs = new QGridLayout;
    int i = 0;
    for (const rCouleur &c : CouleursEcran) {
        couleurs->addWidget(BoutonCouleur(page, c.Cle, c.Texte), i / 2, i % 2);
        ++i;
    }
    auto *cases = new QGridLayout;
    i = 0;
    for (const rSwitchEcran &s : SwitchsEcran) {
        cases->addWidget(Case(page, s.Cle, s.Texte), i / 4, i % 4);
        ++i;
    }
    auto *curseurs = new QFormLayout;
    curseurs->addRow("Rhythm proportion", Curseur(page, "CoefPAff", 10, 20));
    curseurs->addRow("Note spacing", Curseur(page, "CoefEspAff", 0, 10));
    auto *tailles = new QHBoxLayout;
    for (int t = 1; t <= 3; ++t) {
        auto *rb = new QRadioButton(t == 1 ? "Large" : t == 2 ? "Medium" : "Small", page);
        rb->setObjectName(QStringLiteral("TypeDiag%1").arg(t));
        tailles->addWidget(rb);
    }
    auto *boutons = new QHBoxLayout;
    auto ajouter = [&](const char *nom, const QString &texte, auto fn) {
        auto *b = new QPushButton(texte, page);
        b->setObjectName(nom);
        connect(b, &QPushButton::clicked, this, fn);
        boutons->addWidget(b);
    };
    ajouter("BT_Defaut", "Default", [this] { DefautAffichage(); });
    for (int k = 0; k < 3; ++k) {
        ajouter(k == 0 ? "BT_User1" : k == 1 ? "BT_User2" : "BT_User3",
                QStringLiteral("User #%1").arg(k + 1), [this, k] { ChargerPresetAffichage(k); });
        ajouter(k == 0 ? "BT_SaveUser1" : k == 1 ? "BT_SaveUser2" : "BT_SaveUser3",
                QStringLiteral("Save #%1").arg(k + 1),
                [this, k] { EnregistrerPresetAffichage(k); });
    }
    boutons->addStretch(1);
    ajouter("BT_Voir", "Look", [this] { Voir(); });

    auto *grille = new QGridLayout(page);
    grille->addLayout(champs, 0, 0);
    grille->addLayout(polices, 0, 1);
    grille->addLayout(couleurs, 1, 0, 1, 2);
    grille->addLayout(cases, 2, 0, 1, 2);
    grille->addLayout(curseurs, 3, 0);
    grille->addLayout(tailles, 3, 1);
    grille->addLayout(boutons, 4, 0, 1, 2);
    return page;
}

QWidget *TFPref::CreerImpression()
{
    auto *page = new QWidget(this);
    page->setObjectName("TS_Impression");
    auto *champs = new QFormLayout;
    for (const rChampImp &c : ChampsImp)
        champs->addRow(QString::fromLatin1(c.Texte), ChampNombre(page, c.Cle, 4));
    auto *pleine = new QRadioButton("Full page", page);
    pleine->setObjectName("FullPage");
    auto *zone = new QRadioButton("Selected area", page);
    zone->setObjectName("SelectedArea");
    connect(pleine, &QRadioButton::toggled, this, [this] { ActualiserEtats(); });
    champs->addRow(pleine, zone);
    champs->addRow(Case(page, "Center_Prt", "Centre"), Case(page, "TracerCadre_Prt", "Border"));
    auto *curseurs = new QFormLayout;
    for (const rCurseurImp &c : CurseursImp)
        curseurs->addRow(QString::fromLatin1(c.Texte), Curseur(page, c.Cle, c.Min, c.Max));
    curseurs->addRow("Rhythm proportion", Curseur(page, "CoefPImp_Prt", 10, 20));
    auto *polices = new QVBoxLayout;
    for (const rPoliceImp &p : PolicesImp)
        polices->addWidget(BoutonPolice(page, p.Cle, p.Texte, PageImpression));
    auto *cases = new QGridLayout;
    int i = 0;
    for (const rSwitchImp &s : SwitchsImp) {
        cases->addWidget(Case(page, s.Cle, s.Texte), i / 4, i % 4);
        ++i;
    }
    cases->addWidget(Case(page, "BlackBlocks", "Texts on white blocks"), i / 4, i % 4);
    auto *boutons = new QHBoxLayout;
    auto ajouter = [&](const char *nom, const QString &texte, auto fn) {
        auto *b = new QPushButton(texte, page);
        b->setObjectName(nom);
        connect(b, &QPushButton::clicked, this, fn);
        boutons->addWidget(b);
    };
    ajouter("BT_Defaut", "Default", [this] { DefautImpression(); });
    for (int k = 0; k < 3; ++k) {
        ajouter(k == 0 ? "BT_User1" : k == 1 ? "BT_User2" : "BT_User3",
                QStringLiteral("User #%1").arg(k + 1), [this, k] { ChargerPresetImpression(k); });
        ajouter(k == 0 ? "BT_SaveUser1" : k == 1 ? "BT_SaveUser2" : "BT_SaveUser3",
                QStringLiteral("Save #%1").arg(k + 1),
                [this, k] { EnregistrerPresetImpression(k); });
    }
    boutons->addStretch(1);
    ajouter("BT_Apercu", "Preview", [this] { Apercu(); });

    auto *grille = new QGridLayout(page);
    grille->addLayout(champs, 0, 0);
    grille->addLayout(curseurs, 0, 1);
    grille->addLayout(polices, 0, 2);
    grille->addLayout(cases, 1, 0, 1, 3);
    grille->addLayout(boutons, 2, 0, 1, 3);
    return page;
}

void TFPref::SuivreChangements(QWidget *page, int index)
{
    auto marquer = [this, index] {
        if (!Chargement)
            Change[static_cast<std::size_t>(index)] = true;
    };
    for (QLineEdit *e : page->findChildren<QLineEdit *>())
        connect(e, &QLineEdit::textChanged, this, marquer);
    for (QAbstractButton *b : page->findChildren<QAbstractButton *>())
        if (b->isCheckable())
            connect(b, &QAbstractButton::toggled, this, marquer);
    for (QSlider *s : page->findChildren<QSlider *>())
        connect(s, &QSlider::valueChanged, this, marquer);
    for (QComboBox *c : page->findChildren<QComboBox *>())
        connect(c, &QComboBox::currentIndexChanged, this, marquer);
}

void TFPref::ActualiserEtats()
{
    if (auto *f = Controle<QLineEdit>("Music_File"))
        f->setEnabled(Controle<QRadioButton>("Music_WAV")->isChecked());
    if (auto *b = Controle<QPushButton>("BT_Music_File"))
        b->setEnabled(Controle<QRadioButton>("Music_WAV")->isChecked());
    if (auto *b = Controle<QPushButton>("BT_PLOnline"))
        b->setEnabled(static_cast<bool>(VerifierEnLigne));
    const bool zone = !Controle<QRadioButton>("FullPage")->isChecked();
    for (const char *nom : {"Largeur_Prt", "Hauteur_Prt"})
        Controle<QLineEdit>(nom)->setEnabled(zone);
    for (const char *nom : {"Center_Prt", "TracerCadre_Prt"})
        Controle<QCheckBox>(nom)->setEnabled(zone);
}

void TFPref::MontrerPolice(const std::string &cle)
{
    auto *l = findChild<QLabel *>(QString::fromStdString("LB_" + cle));
    if (!l)
        return;
    const TMyFont &f = Polices[cle];
    QFont q = PoliceQt(f);
    l->setFont(q);
    l->setText(VersQt(f.Name) + " (0123456789)");
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, CouleurQt(static_cast<uint32_t>(f.Col)));
    l->setPalette(pal);
}

void TFPref::MontrerCouleur(const std::string &cle)
{
    auto *l = findChild<QLabel *>(QString::fromStdString("SH_" + cle));
    if (!l)
        return;
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, CouleurQt(static_cast<uint32_t>(Couleurs[cle])));
    l->setPalette(pal);
}

// ------------------------------------------------------------------ loading

void TFPref::ChargerGeneral()
{
    const bool ancien = Chargement;
    Chargement = true;
    const cConfig *c = Config;
    const int defil = c ? c->TypeScrolling : 1;
    Controle<QRadioButton>(defil == 2 ? "ScrollingLine" : "ScrollingScreen")->setChecked(true);
    const int musique = c ? c->StartingMusic : 1;
    Controle<QRadioButton>(musique == 2 ? "Music_WAV" : musique == 3 ? "Music_Rien" : "Music_PL")
        ->setChecked(true);
    Controle<QLineEdit>("Music_File")->setText(c ? VersQt(c->StartingFile) : QString());
    Controle<QSlider>("MetronomeVolume")->setValue(3 * (c ? c->MetronomeVolume : 16));
    const bool valeurs[] = {c ? c->DifferentMetronomeFirstSound : true,
                            c ? c->PlayEffects : true,
                            c ? c->PlayRepeats : true,
                            c ? c->ExportEffects : true,
                            c ? c->ExportRepeats : true,
                            c ? c->UseRMTF : true,
                            c ? c->AlwaysAddBass : false,
                            c ? c->NoteFollowingRectangle : true,
                            c ? c->NoteFollowingTriangle : true,
                            c ? c->NoteFollowingColor : false,
                            c ? c->PLOnlineAuto : false,
                            false};
    for (std::size_t i = 0; i < std::size(CasesGeneral); ++i)
        Controle<QCheckBox>(CasesGeneral[i])->setChecked(valeurs[i]);
    Controle<QComboBox>("PLOnlinePeriod")->setCurrentIndex(std::clamp(c ? c->PLOnlinePeriod : 3, 0, 4));
    Chargement = ancien;
    ActualiserEtats();
}

void TFPref::ChargerAffichage(const TParamEcran &p)
{
    const bool ancien = Chargement;
    Chargement = true;
    for (const rChampEcran &c : ChampsEcran)
        Controle<QLineEdit>(c.Cle)->setText(TexteChamp(p.*(c.Membre)));
    for (const rPoliceEcran &f : PolicesEcran) {
        Polices[f.Cle] = p.*(f.Membre);
        MontrerPolice(f.Cle);
    }
    for (const rCouleur &c : CouleursEcran) {
        Couleurs[c.Cle] = p.*(c.Membre);
        MontrerCouleur(c.Cle);
    }
    for (const rSwitchEcran &s : SwitchsEcran)
        Controle<QCheckBox>(s.Cle)->setChecked(p.*(s.Membre));
    Controle<QSlider>("CoefPAff")->setValue(static_cast<int>(Arrondi(p.CoefPImp * 10)));
    Controle<QSlider>("CoefEspAff")->setValue(p.CoefEspAff);
    Controle<QRadioButton>(p.TypeDiag == 1 ? "TypeDiag1" : p.TypeDiag == 2 ? "TypeDiag2"
                                                                             : "TypeDiag3")
        ->setChecked(true);
    Chargement = ancien;
    if (!Chargement)
        Change[PageAffichage] = true;
}

void TFPref::ChargerImpression(const TZoneImpression &p, bool blackBlocks)
{
    const bool ancien = Chargement;
    Chargement = true;
    for (const rChampImp &c : ChampsImp)
        Controle<QLineEdit>(c.Cle)->setText(TexteChamp(p.*(c.Membre)));
    Controle<QRadioButton>(p.FullPage ? "FullPage" : "SelectedArea")->setChecked(true);
    Controle<QCheckBox>("Center_Prt")->setChecked(p.Center_Prt);
    Controle<QCheckBox>("TracerCadre_Prt")->setChecked(p.TracerCadre_Prt);
    for (const rCurseurImp &c : CurseursImp)
        Controle<QSlider>(c.Cle)->setValue(p.*(c.Membre));
    Controle<QSlider>("CoefPImp_Prt")->setValue(static_cast<int>(Arrondi(p.CoefPImp * 10)));
    for (const rPoliceImp &f : PolicesImp) {
        Polices[f.Cle] = p.*(f.Membre);
        MontrerPolice(f.Cle);
    }
    for (const rSwitchImp &s : SwitchsImp)
        Controle<QCheckBox>(s.Cle)->setChecked(p.*(s.Membre));
    Controle<QCheckBox>("BlackBlocks")->setChecked(blackBlocks);
    Chargement = ancien;
    if (!Chargement)
        Change[PageImpression] = true;
    ActualiserEtats();
}

// ------------------------------------------------------------------ reading

bool TFPref::LireAffichage(TParamEcran &p, bool signaler)
{
    for (const rChampEcran &c : ChampsEcran) {
        QLineEdit *e = Controle<QLineEdit>(c.Cle);
        if (e->text().isEmpty()) {
            p.*(c.Membre) = c.Vide;
            continue;
        }
        bool ok = false;
        const int v = e->text().toInt(&ok);
        if (!ok || v < c.Min || v > c.Max) {
            if (signaler) {
                Onglets->setCurrentIndex(PageAffichage);
                ErreurSaisie(e);
            }
            return false;
        }
        p.*(c.Membre) = v;
    }
    for (const rPoliceEcran &f : PolicesEcran)
        p.*(f.Membre) = Polices[f.Cle];
    for (const rCouleur &c : CouleursEcran)
        p.*(c.Membre) = Couleurs[c.Cle];
    for (const rSwitchEcran &s : SwitchsEcran)
        p.*(s.Membre) = Controle<QCheckBox>(s.Cle)->isChecked();
    p.CoefPImp = Controle<QSlider>("CoefPAff")->value() / 10.0;
    p.CoefEspAff = Controle<QSlider>("CoefEspAff")->value();
    p.TypeDiag = Controle<QRadioButton>("TypeDiag1")->isChecked()   ? 1
                 : Controle<QRadioButton>("TypeDiag2")->isChecked() ? 2
                                                                    : 3;
    return true;
}

bool TFPref::LireImpression(TZoneImpression &p, bool &blackBlocks, bool signaler)
{
    for (const rChampImp &c : ChampsImp) {
        QLineEdit *e = Controle<QLineEdit>(c.Cle);
        if (e->text().isEmpty()) {
            p.*(c.Membre) = c.Vide;
            continue;
        }
        bool ok = false;
        const int v = e->text().toInt(&ok);
        if (!ok || v < c.Min || v > c.Max) {
            if (signaler) {
                Onglets->setCurrentIndex(PageImpression);
                ErreurSaisie(e);
            }
            return false;
        }
        p.*(c.Membre) = v;
    }
    p.FullPage = Controle<QRadioButton>("FullPage")->isChecked();
    p.Center_Prt = Controle<QCheckBox>("Center_Prt")->isChecked();
    p.TracerCadre_Prt = Controle<QCheckBox>("TracerCadre_Prt")->isChecked();
    for (const rCurseurImp &c : CurseursImp)
        p.*(c.Membre) = Controle<QSlider>(c.Cle)->value();
    p.CoefPImp = Controle<QSlider>("CoefPImp_Prt")->value() / 10.0;
    for (const rPoliceImp &f : PolicesImp)
        p.*(f.Membre) = Polices[f.Cle];
    for (const rSwitchImp &s : SwitchsImp)
        p.*(s.Membre) = Controle<QCheckBox>(s.Cle)->isChecked();
    blackBlocks = Controle<QCheckBox>("BlackBlocks")->isChecked();
    return true;
}

// ------------------------------------------------------------------ buttons

void TFPref::DefautGeneral()
{
    Controle<QRadioButton>("Music_PL")->setChecked(true);
    Controle<QRadioButton>("ScrollingScreen")->setChecked(true);
    Controle<QSlider>("MetronomeVolume")->setValue(48);
    for (const char *on : {"DifferentMetronomeFirstSound", "PlayEffects", "PlayRepeats",
                           "ExportEffects", "ExportRepeats", "UseRMTF", "NoteFollowingRectangle",
                           "NoteFollowingTriangle"})
        Controle<QCheckBox>(on)->setChecked(true);
    for (const char *off : {"LimitBend", "AlwaysAddBass", "NoteFollowingColor", "PLOnlineAuto"})
        Controle<QCheckBox>(off)->setChecked(false);
    Controle<QComboBox>("PLOnlinePeriod")->setCurrentIndex(3);
    Change[PageGeneral] = true;
}

void TFPref::DefautAffichage() { ChargerAffichage(TParamEcran()); }

void TFPref::DefautImpression()
{
    ChargerImpression(TZoneImpression(), Controle<QCheckBox>("BlackBlocks")->isChecked());
}

void TFPref::ChargerPresetAffichage(int k)
{
    if (Config && k >= 0 && k < 3)
        ChargerAffichage(Config->ParamEcran_US[static_cast<std::size_t>(k)]);
}

void TFPref::EnregistrerPresetAffichage(int k)
{
    TParamEcran p = Config ? Config->ParamEcran : TParamEcran();
    if (!Config || k < 0 || k >= 3 || !LireAffichage(p))
        return;
    BornerParamEcran(p);
    Config->ParamEcran_US[static_cast<std::size_t>(k)] = p;
}

void TFPref::ChargerPresetImpression(int k)
{
    // "BlackBlocks" is no part of a preset.
    if (Config && k >= 0 && k < 3)
        ChargerImpression(Config->ParamImp_US[static_cast<std::size_t>(k)],
                          Controle<QCheckBox>("BlackBlocks")->isChecked());
}

void TFPref::EnregistrerPresetImpression(int k)
{
    TZoneImpression p = Config ? Config->ParamImp : TZoneImpression();
    bool bb = false;
    if (!Config || k < 0 || k >= 3 || !LireImpression(p, bb))
        return;
    BornerParamImp(p);
    Config->ParamImp_US[static_cast<std::size_t>(k)] = p;
}

void TFPref::AppliquerGeneral()
{
    if (!Config)
        return;
    cConfig &c = *Config;
    c.TypeScrolling = Controle<QRadioButton>("ScrollingLine")->isChecked() ? 2 : 1;
    c.StartingMusic = Controle<QRadioButton>("Music_WAV")->isChecked()    ? 2
                      : Controle<QRadioButton>("Music_Rien")->isChecked() ? 3
                                                                          : 1;
    c.StartingFile = DepuisQt(Controle<QLineEdit>("Music_File")->text());
    c.MetronomeVolume =
        static_cast<int>(Arrondi(Controle<QSlider>("MetronomeVolume")->value() / 3.0));
    bool *membres[] = {&c.DifferentMetronomeFirstSound, &c.PlayEffects, &c.PlayRepeats,
                       &c.ExportEffects, &c.ExportRepeats, &c.UseRMTF, &c.AlwaysAddBass,
                       &c.NoteFollowingRectangle, &c.NoteFollowingTriangle,
                       &c.NoteFollowingColor, &c.PLOnlineAuto, nullptr};
    for (std::size_t i = 0; i < std::size(CasesGeneral); ++i)
        if (membres[i])
            *membres[i] = Controle<QCheckBox>(CasesGeneral[i])->isChecked();
    c.PLOnlinePeriod = Controle<QComboBox>("PLOnlinePeriod")->currentIndex();
}

void TFPref::AppliquerAffichage(const TParamEcran &p)
{
    if (!Config)
        return;
    Config->ParamEcran = p;
    BornerParamEcran(Config->ParamEcran);
    if (ApresAffichage)
        ApresAffichage();
}

void TFPref::AppliquerImpression(const TZoneImpression &p, bool blackBlocks)
{
    if (!Config)
        return;
    Config->ParamImp = p;
    BornerParamImp(Config->ParamImp);
    Config->BlackBlocks = blackBlocks;
}

bool TFPref::Voir()
{
    TParamEcran p = Config ? Config->ParamEcran : TParamEcran();
    if (!LireAffichage(p))
        return false;
    AppliquerAffichage(p);
    EcranApplique = true;
    return true;
}

void TFPref::Apercu()
{
    TZoneImpression p = Config ? Config->ParamImp : TZoneImpression();
    bool bb = false;
    if (!LireImpression(p, bb))
        return;
    if (DepuisApercu) {
        accept();
        return;
    }
    AppliquerImpression(p, bb);
    ImpApplique = true;
    if (OuvrirApercu)
        OuvrirApercu(this);
}

void TFPref::accept()
{
    // Every page is read first: a wrong field keeps the window open with nothing applied.
    TParamEcran ecran = Config ? Config->ParamEcran : TParamEcran();
    TZoneImpression imp = Config ? Config->ParamImp : TZoneImpression();
    bool bb = false;
    if (Change[PageAffichage] && !LireAffichage(ecran))
        return;
    if (Change[PageImpression] && !LireImpression(imp, bb))
        return;
    if (Change[PageGeneral])
        AppliquerGeneral();
    if (Change[PageImpression])
        AppliquerImpression(imp, bb);
    if (Change[PageAffichage])
        AppliquerAffichage(ecran);
    QDialog::accept();
}

void TFPref::reject()
{
    // What "Look" and "Preview" applied goes back to what it was at opening.
    if (Config && EcranApplique) {
        Config->ParamEcran = EcranOuverture;
        if (ApresAffichage)
            ApresAffichage();
    }
    if (Config && ImpApplique) {
        Config->ParamImp = ImpOuverture;
        Config->BlackBlocks = BlackBlocksOuverture;
    }
    QDialog::reject();
}

bool EditerPreferences(TMainForm &f, QWidget *parent, int page, bool depuisApercu)
{
    if (Config && Config->PreferencesOuvertes)
        return false;
    TFPref d(parent, depuisApercu);
    d.Pages()->setCurrentIndex(page);
    // The score view keeps its fonts: it builds them again from the new parameters.
    d.ApresAffichage = [&f] {
        f.Vue()->AppliquerPolices();
        f.Actualiser(true);
    };
    d.OuvrirApercu = [&f](QWidget *) { f.Executer("Fichier_Imp_Apercu"); };
    const bool ok = d.exec() == QDialog::Accepted;
    if (ok && Config) {
        // The general page's switches the view reads.
        TVuePartition &v = *f.Vue();
        v.Affichage.TypeScrolling = Config->TypeScrolling;
        v.Options.NoteFollowingRectangle = Config->NoteFollowingRectangle;
        v.Options.NoteFollowingTriangle = Config->NoteFollowingTriangle;
        v.Options.NoteFollowingColor = Config->NoteFollowingColor;
    }
    return ok;
}
