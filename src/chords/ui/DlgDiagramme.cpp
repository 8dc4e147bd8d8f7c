#include "chords/ui/DlgDiagramme.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/ui/uDialogues.h"
#include "chords/uDiagrammeAccord.h"
#include "chords/uListeAccordsImpression.h"
#include "config/uConfig.h"
#include "config/ui/DlgMyMsg.h"
#include "config/ui/uAppliquerTextesUI.h"
#include "config/ui/uTexteUI.h"
#include "config/uPatch.h"
#include "config/uTextesFenetres.h"
#include "display/ui/uDessinPartition.h"
#include "model/uPartition.h"
#include "playback/uGeneration.h"
#include "playback/ui/uLectureUI.h"

namespace {
const char *const Section = "DLG_CHORD_000";
constexpr int MaxBibliotheque = 200;
constexpr int TempoEcoute = 360;

// The library when no settings are loaded (never at run time; keeps the window whole).
std::vector<std::unique_ptr<cDiagramme>> &Bibliotheque()
{
    static std::vector<std::unique_ptr<cDiagramme>> secours;
    return Config ? Config->BibliothequeAccords : secours;
}

QString Texte(int ligne, const char *defaut) { return TexteSection(Section, ligne, defaut); }

void RemplirCombo(QComboBox *c, const QStringList &l)
{
    const QSignalBlocker b(c);
    const int i = c->currentIndex();
    c->clear();
    c->addItems(l);
    c->setCurrentIndex(std::min(i, c->count() - 1));
}

void Choisir(QComboBox *c, int i)
{
    const QSignalBlocker b(c);
    c->setCurrentIndex(i);
}

void Cocher(QCheckBox *c, bool v)
{
    const QSignalBlocker b(c);
    c->setChecked(v);
}

QStringList NomsNotes(bool diese)
{
    QStringList l;
    for (int h = 0; h < 12; ++h)
        l << QString::fromStdString(NomNote(h, diese));
    return l;
}

QFont PoliceGrille()
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSize(8);
    f.setBold(true);
    return f;
}
} // namespace

// ------------------------------------------------------------------ the editing grid

TGrilleDiagramme::TGrilleDiagramme(TFDiagramme &f, QWidget *parent) : QWidget(parent), Fenetre(f)
{
    setObjectName("Grille_Diagramme");
    setFixedSize(sizeHint());
    setCursor(Qt::PointingHandCursor);
}

QSize TGrilleDiagramme::sizeHint() const { return QSize(X0 + 5 * F + 24, Y0 + 5 * F + 30); }

void TGrilleDiagramme::Position(const QPoint &p, int &corde, int &rangee)
{
    const int i = static_cast<int>(std::lround((p.x() - X0) / double(F)));
    corde = 6 - std::clamp(i, 0, 5);
    rangee = p.y() < Y0 ? 0 : std::clamp((p.y() - Y0) / F + 1, 1, 5);
}

QPoint TGrilleDiagramme::Centre(int corde, int rangee)
{
    const int x = X0 + (6 - corde) * F;
    return QPoint(x, rangee == 0 ? Y0 - 12 : Y0 + (rangee - 1) * F + F / 2);
}

void TGrilleDiagramme::paintEvent(QPaintEvent *)
{
    QPainter g(this);
    g.fillRect(rect(), Qt::white);
    const rDiagramme &d = Fenetre.Edite;
    const int base = std::max(1, static_cast<int>(d.PremiereCase));
    const QColor noir(Qt::black);
    for (int s = 1; s <= 6; ++s)
        g.fillRect(X0 + (6 - s) * F, Y0, 1, 5 * F + 1, noir);
    for (int i = 0; i <= 5; ++i)
        g.fillRect(X0, Y0 + i * F, 5 * F + 1, 1, noir);
    int haut = Y0; // the marks stand above this line
    if (base == 1) {
        g.fillRect(X0, Y0 - 5, 5 * F + 1, 2, noir);
        haut -= 5;
    }
    g.setRenderHint(QPainter::Antialiasing, true);
    g.setFont(PoliceGrille());
    const QFontMetrics m(g.font());
    for (int s = 1; s <= 6; ++s) {
        const int x = X0 + (6 - s) * F;
        const int c = d.Cases[s - 1];
        if (c < 0) {
            g.setPen(QPen(noir, 1.5));
            g.drawLine(QPointF(x - 7, haut - 19), QPointF(x + 7, haut - 5));
            g.drawLine(QPointF(x + 7, haut - 19), QPointF(x - 7, haut - 5));
        } else if (c == 0) {
            g.setPen(QPen(noir, 1));
            g.setBrush(Qt::white);
            g.drawEllipse(QRectF(x - 7.5, haut - 19.5, 15, 15));
        } else {
            const int r = c - base + 1;
            if (r >= 1 && r <= 5) {
                g.setPen(Qt::NoPen);
                g.setBrush(noir);
                g.drawEllipse(QRectF(x - 7.5, Y0 + (r - 1) * F + 3, 15, 15));
            }
        }
        const int h = s <= 6 && Fenetre.Accordage[static_cast<std::size_t>(s - 1)] >= 0 && c >= 0
                          ? Fenetre.Accordage[static_cast<std::size_t>(s - 1)] + c
                          : -1;
        if (h >= 0) {
            const QString n = QString::fromStdString(NomNote(h % 12, Fenetre.Diese()));
            g.setPen(noir);
            g.drawText(x - m.horizontalAdvance(n) / 2, Y0 + 5 * F + 5 + m.ascent(), n);
        }
    }
    for (int k = 0; k < std::clamp(static_cast<int>(d.NbBarres), 0, 2); ++k) {
        const int r = d.BarreCase[k] - base + 1;
        if (r < 1 || r > 5)
            continue;
        const int xa = X0 + (6 - std::clamp(static_cast<int>(d.BarreFin[k]), 1, 6)) * F;
        const int xb = X0 + (6 - std::clamp(static_cast<int>(d.BarreDebut[k]), 1, 6)) * F;
        const int y = Y0 + (r - 1) * F + 3;
        g.setPen(Qt::NoPen);
        g.setBrush(noir);
        g.drawRect(QRectF(xa, y + 2, xb - xa, 11));
        g.drawEllipse(QRectF(xa - 7.5, y, 15, 15));
        g.drawEllipse(QRectF(xb - 7.5, y, 15, 15));
    }
    g.setPen(noir);
    const QString b = QString::number(base);
    g.drawText(X0 - 8 - m.horizontalAdvance(b), Y0 + 4 + m.ascent(), b);
}

void TGrilleDiagramme::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return;
    Position(e->position().toPoint(), DerniereCorde, DerniereRangee);
    emit Clic(DerniereCorde, DerniereRangee);
}

void TGrilleDiagramme::mouseMoveEvent(QMouseEvent *e)
{
    if (!(e->buttons() & Qt::LeftButton))
        return;
    int c = 0, r = 0;
    Position(e->position().toPoint(), c, r);
    if (c == DerniereCorde && r == DerniereRangee)
        return;
    DerniereCorde = c;
    DerniereRangee = r;
    emit Clic(c, r);
}

// ------------------------------------------------------------------ the solutions grid

TGrilleSolutions::TGrilleSolutions(TFDiagramme &f, QWidget *parent) : QWidget(parent), Fenetre(f)
{
    setObjectName("Grille_Solutions");
    setFixedWidth(342);
}

int TGrilleSolutions::Colonnes() const { return std::max(1, 342 / LargeurCase); }

QPoint TGrilleSolutions::Coin(int k) const
{
    return QPoint(MargeX + LargeurCase * (k % Colonnes()), MargeY + HauteurCase * (k / Colonnes()));
}

int TGrilleSolutions::SolutionEn(const QPoint &p) const
{
    const int col = (p.x() - MargeX + 8) / LargeurCase, ligne = (p.y() - MargeY + 5) / HauteurCase;
    if (p.x() < MargeX - 8 || p.y() < MargeY - 5 || col >= Colonnes())
        return -1;
    const int k = ligne * Colonnes() + col;
    return k < static_cast<int>(Fenetre.Recherche.Solutions.size()) ? k : -1;
}

void TGrilleSolutions::Ajuster(int hauteurVisible)
{
    const int n = static_cast<int>(Fenetre.Recherche.Solutions.size());
    const int derniere = n > 0 ? (n - 1) / Colonnes() : 0;
    setFixedHeight(std::clamp(40 + HauteurCase * derniere, std::min(hauteurVisible, 800), 800));
    update();
}

void TGrilleSolutions::paintEvent(QPaintEvent *)
{
    QPainter g(this);
    g.fillRect(rect(), Qt::white);
    const rPolice f = cDessinPartition::PoliceDiagramme();
    const auto &s = Fenetre.Recherche.Solutions;
    for (int k = 0; k < static_cast<int>(s.size()); ++k) {
        const QPoint c = Coin(k);
        if (k + 1 == Fenetre.Selection)
            g.fillRect(c.x(), c.y(), 26, 26, QColor(255, 255, 0));
        cDessinPartition::DessinerDiagramme(g, s[static_cast<std::size_t>(k)], c.x(), c.y(), 3,
                                            Qt::black, QString(), f);
    }
}

void TGrilleSolutions::mousePressEvent(QMouseEvent *e)
{
    const int k = SolutionEn(e->position().toPoint());
    if (k >= 0)
        emit Choisie(k);
}

// ------------------------------------------------------------------ the window

TFDiagramme::FnJouer &TFDiagramme::Joueur()
{
    static FnJouer j = [](int port, const std::vector<rEvtEchantillon> &evts) {
        if (TLecture *l = TLecture::Instance())
            l->Moteur().JouerEchantillon(port, evts, TempoEcoute);
    };
    return j;
}

bool &SauterEcouteAccord()
{
    static bool sauter = false;
    return sauter;
}

TFDiagramme::TFDiagramme(cPartition &p, QWidget *parent)
    : QDialog(parent), P(p), Beat(p.Curseur.Accord),
      Piste(p.Curseur.MesurePiste ? p.Curseur.MesurePiste->Piste : nullptr)
{
    setObjectName("TFDiagramme");
    setWindowTitle("Chord");
    for (std::size_t s = 0; s < 6; ++s)
        Accordage[s] = (Piste && static_cast<int>(s) < Piste->NbCordes)
                           ? Piste->AccordageCorde(static_cast<int>(s) + 1)
                           : -1;
    Construire();
    AppliquerTextesFenetre(this, PositionsDialogue({Section}), true);
    Ouvrir();
}

void TFDiagramme::Construire()
{
    auto nomme = [](QWidget *w, const char *nom) {
        w->setObjectName(nom);
        return w;
    };
    auto etiquette = [this, &nomme](const char *nom, const QString &texte, QWidget *pour) {
        auto *l = new QLabel(texte, this);
        nomme(l, nom);
        l->setBuddy(pour);
        return l;
    };

    // The grid, its base fret, Clear and Listen.
    Grille = new TGrilleDiagramme(*this, this);
    connect(Grille, &TGrilleDiagramme::Clic, this, &TFDiagramme::CliquerGrille);
    SB_Case = new QScrollBar(Qt::Vertical, this);
    nomme(SB_Case, "SB_Case");
    SB_Case->setRange(1, MaxPositions);
    SB_Case->setPageStep(1);
    SB_Case->setFixedHeight(5 * TGrilleDiagramme::F + 1);
    connect(SB_Case, &QScrollBar::valueChanged, this, [this](int v) {
        if (Chargement)
            return;
        if (Edite.Fondamentale != RacinePerso)
            DevenirPerso(true);
        const int d = v - Edite.PremiereCase;
        for (int &c : Edite.Cases)
            if (c > 0)
                c = std::max(1, c + d);
        for (int k = 0; k < Edite.NbBarres && k < 2; ++k)
            Edite.BarreCase[k] = std::max(1, Edite.BarreCase[k] + d);
        Edite.PremiereCase = v;
        Redessiner();
    });
    BT_Effacer = new QPushButton(Texte(31, "Clear"), this);
    nomme(BT_Effacer, "BT_Effacer");
    connect(BT_Effacer, &QPushButton::clicked, this, &TFDiagramme::Effacer);
    BT_Ecouter = new QToolButton(this);
    nomme(BT_Ecouter, "BT_Ecouter");
    BT_Ecouter->setText(QString::fromUtf8("\u266A"));
    BT_Ecouter->setToolTip("Listen");
    BT_Ecouter->setCheckable(true);
    connect(BT_Ecouter, &QToolButton::toggled, this, [this](bool bas) {
        if (bas && !Chargement)
            Ecouter();
    });
    auto *gauche = new QGridLayout;
    gauche->addWidget(Grille, 0, 0, 1, 2);
    gauche->addWidget(SB_Case, 0, 2, Qt::AlignBottom);
    gauche->addWidget(BT_Effacer, 1, 0);
    gauche->addWidget(BT_Ecouter, 1, 1);
    gauche->setRowStretch(2, 1);

    // The name and the names of the fingering.
    Edit_Nom = new QLineEdit(this);
    nomme(Edit_Nom, "Edit_Nom");
    Edit_Nom->setMaxLength(sizeof(rDiagramme{}.Nom));
    List_Noms = new QListWidget(this);
    nomme(List_Noms, "List_Noms");
    List_Noms->setFixedHeight(90);
    connect(List_Noms, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *i) { ChoisirNom(List_Noms->row(i)); });

    // The definition.
    Combo_Fondamentale = new QComboBox(this);
    nomme(Combo_Fondamentale, "Combo_Fondamentale");
    Combo_Type = new QComboBox(this);
    nomme(Combo_Type, "Combo_Type");
    for (int t = 0; t < NbTypesAccord; ++t)
        Combo_Type->addItem(LegendeTypeAccord(t));
    Combo_Extension = new QComboBox(this);
    nomme(Combo_Extension, "Combo_Extension");
    Combo_Extension->addItems({"", "9", "11", "13"});
    Combo_DimAug = new QComboBox(this);
    nomme(Combo_DimAug, "Combo_DimAug");
    Combo_DimAug->addItems({"", "-", "+"});
    Combo_Quinte = new QComboBox(this);
    nomme(Combo_Quinte, "Combo_Quinte");
    Combo_Quinte->addItems({"", "/5-", "/5+"});
    Combo_Neuvieme = new QComboBox(this);
    nomme(Combo_Neuvieme, "Combo_Neuvieme");
    Combo_Neuvieme->addItems({"", "/9-", "/9+"});
    Combo_Onzieme = new QComboBox(this);
    nomme(Combo_Onzieme, "Combo_Onzieme");
    Combo_Onzieme->addItems({"", "/11-", "/11+"});
    CB_Add = new QCheckBox("Add", this);
    nomme(CB_Add, "CB_Add");
    Combo_Basse = new QComboBox(this);
    nomme(Combo_Basse, "Combo_Basse");
    Combo_Inversion = new QComboBox(this);
    nomme(Combo_Inversion, "Combo_Inversion");
    Combo_Inversion->addItem("Root");
    for (int i = 1; i <= 5; ++i)
        Combo_Inversion->addItem(Texte(32, "Inversion") + QString(" #%1").arg(i));
    CB_Diese = new QCheckBox("Sharps", this);
    nomme(CB_Diese, "CB_Diese");
    CB_Diese->setChecked(true);
    RemplirCombo(Combo_Fondamentale, NomsNotes(true) << VersQt(Traduction("Accord-Perso")));
    RemplirCombo(Combo_Basse, NomsNotes(true));

    auto *def = new QGridLayout;
    def->addWidget(etiquette("LB_Fondamentale", "Root", Combo_Fondamentale), 0, 0);
    def->addWidget(Combo_Fondamentale, 0, 1);
    def->addWidget(CB_Diese, 0, 2);
    def->addWidget(etiquette("LB_Type", "Type", Combo_Type), 1, 0);
    def->addWidget(Combo_Type, 1, 1);
    def->addWidget(CB_Add, 1, 2);
    def->addWidget(etiquette("LB_Extension", "Extension", Combo_Extension), 2, 0);
    def->addWidget(Combo_Extension, 2, 1);
    def->addWidget(Combo_DimAug, 2, 2);
    auto *alterations = new QHBoxLayout;
    alterations->addWidget(Combo_Quinte);
    alterations->addWidget(Combo_Neuvieme);
    alterations->addWidget(Combo_Onzieme);
    def->addLayout(alterations, 3, 0, 1, 3);
    def->addWidget(etiquette("LB_Basse", "Bass", Combo_Basse), 4, 0);
    def->addWidget(Combo_Basse, 4, 1);
    def->addWidget(Combo_Inversion, 4, 2);

    auto *omis = new QGroupBox("Omitted degrees", this);
    nomme(omis, "GB_Omis");
    auto *lo = new QHBoxLayout(omis);
    const char *const degres[NbDegres] = {"1", "3'", "5", "7'", "9", "11", "13"};
    for (int k = 0; k < NbDegres; ++k) {
        CB_Degre[k] = new QCheckBox(degres[k], omis);
        CB_Degre[k]->setObjectName(QString("CB_Degre%1").arg(k));
        lo->addWidget(CB_Degre[k]);
        connect(CB_Degre[k], &QCheckBox::toggled, this, [this] {
            if (!Chargement) {
                ComposerLeNom();
                Rechercher(false);
            }
        });
    }

    auto *niveaux = new QHBoxLayout;
    const QString textesNiveaux[3] = {Texte(27, "Simple"), Texte(28, "Medium"), Texte(29, "All")};
    for (int k = 0; k < 3; ++k) {
        RB_Niveau[k] = new QRadioButton(textesNiveaux[k], this);
        RB_Niveau[k]->setObjectName(QString("RB_Niveau%1").arg(k));
        niveaux->addWidget(RB_Niveau[k]);
        connect(RB_Niveau[k], &QRadioButton::toggled, this, [this](bool on) {
            if (on && !Chargement)
                Rechercher(false);
        });
    }

    auto *milieu = new QVBoxLayout;
    auto *ligneNom = new QHBoxLayout;
    ligneNom->addWidget(etiquette("LB_Nom", "Name", Edit_Nom));
    ligneNom->addWidget(Edit_Nom);
    milieu->addLayout(ligneNom);
    milieu->addWidget(List_Noms);
    milieu->addLayout(def);
    milieu->addWidget(omis);
    milieu->addLayout(niveaux);

    // The solutions.
    auto *gs = new QGroupBox("Fingerings", this);
    nomme(gs, "GB_Solutions");
    Solutions = new TGrilleSolutions(*this, gs);
    connect(Solutions, &TGrilleSolutions::Choisie, this,
            [this](int k) { ChoisirSolution(k + 1); });
    Zone_Solutions = new QScrollArea(gs);
    nomme(Zone_Solutions, "Zone_Solutions");
    Zone_Solutions->setWidget(Solutions);
    Zone_Solutions->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Zone_Solutions->setBackgroundRole(QPalette::Base);
    Zone_Solutions->setFixedWidth(342 + Zone_Solutions->verticalScrollBar()->sizeHint().width() + 4);
    Zone_Solutions->setMinimumHeight(150);
    Solutions->Ajuster(150);
    SB_Solution = new QScrollBar(Qt::Horizontal, gs);
    nomme(SB_Solution, "SB_Solution");
    SB_Solution->setEnabled(false);
    connect(SB_Solution, &QScrollBar::valueChanged, this, [this](int v) {
        if (!Chargement)
            ChoisirSolution(v);
    });
    LB_Compte = new QLabel(gs);
    nomme(LB_Compte, "LB_Compte");
    LB_Compte->setMinimumWidth(60);
    LB_Omissions = new QLabel(Texte(30, "Please choose omissions"), gs);
    nomme(LB_Omissions, "LB_Omissions");
    LB_Omissions->setVisible(false);
    auto *ls = new QVBoxLayout(gs);
    ls->addWidget(Zone_Solutions, 1);
    auto *bas = new QHBoxLayout;
    bas->addWidget(SB_Solution, 1);
    bas->addWidget(LB_Compte);
    ls->addLayout(bas);
    ls->addWidget(LB_Omissions);

    // The three lists.
    auto *gl = new QGroupBox(this);
    nomme(gl, "GB_Listes");
    Onglets = new QTabWidget(gl);
    nomme(Onglets, "Onglets_Listes");
    const QString titres[3] = {Texte(11, "My chords"), Texte(25, "Printed chords"),
                               Texte(26, "Used chords")};
    const char *const noms[3] = {"List_Bibliotheque", "List_Impression", "List_Utilises"};
    for (int l = 0; l < 3; ++l) {
        Listes[l] = new QListWidget(Onglets);
        Listes[l]->setObjectName(noms[l]);
        Listes[l]->setMouseTracking(true);
        Listes[l]->viewport()->installEventFilter(this);
        Onglets->addTab(Listes[l], titres[l]);
        connect(Listes[l], &QListWidget::itemClicked, this,
                [this, l](QListWidgetItem *i) { ChargerListe(Listes[l]->row(i)); });
        connect(Listes[l], &QListWidget::itemEntered, this,
                [this, l](QListWidgetItem *i) { MontrerBulle(l, Listes[l]->row(i)); });
    }
    BT_Ajouter = new QPushButton("Add", gl);
    nomme(BT_Ajouter, "BT_Ajouter");
    BT_Supprimer = new QPushButton("Delete", gl);
    nomme(BT_Supprimer, "BT_Supprimer");
    BT_Remplacer = new QPushButton("Update", gl);
    nomme(BT_Remplacer, "BT_Remplacer");
    BT_Monter = new QPushButton(QString::fromUtf8("\u25B2"), gl);
    nomme(BT_Monter, "BT_Monter");
    BT_Monter->setToolTip("Move up");
    BT_Descendre = new QPushButton(QString::fromUtf8("\u25BC"), gl);
    nomme(BT_Descendre, "BT_Descendre");
    BT_Descendre->setToolTip("Move down");
    connect(BT_Ajouter, &QPushButton::clicked, this, &TFDiagramme::AjouterListe);
    connect(BT_Supprimer, &QPushButton::clicked, this, &TFDiagramme::SupprimerListe);
    connect(BT_Remplacer, &QPushButton::clicked, this, &TFDiagramme::RemplacerListe);
    connect(BT_Monter, &QPushButton::clicked, this, [this] { DeplacerListe(-1); });
    connect(BT_Descendre, &QPushButton::clicked, this, [this] { DeplacerListe(1); });
    auto *boutons = new QVBoxLayout;
    for (QPushButton *b : {BT_Ajouter, BT_Supprimer, BT_Remplacer, BT_Monter, BT_Descendre})
        boutons->addWidget(b);
    boutons->addStretch(1);
    auto *ll = new QHBoxLayout(gl);
    ll->addWidget(Onglets, 1);
    ll->addLayout(boutons);

    Bulle = new QLabel(this, Qt::ToolTip);
    nomme(Bulle, "Bulle_Diagramme");
    Bulle->hide();

    CB_Diagramme = new QCheckBox("Use diagram", this);
    nomme(CB_Diagramme, "CB_Diagramme");

    auto *haut = new QHBoxLayout;
    haut->addLayout(gauche);
    haut->addLayout(milieu);
    haut->addWidget(gs, 1);
    auto *pied = new QHBoxLayout;
    pied->addWidget(CB_Diagramme);
    pied->addStretch(1);
    pied->addWidget(BoutonsDialogue(this));
    auto *v = new QVBoxLayout(this);
    v->addLayout(haut);
    v->addWidget(gl);
    v->addLayout(pied);

    // The definition's controls.
    connect(Combo_Fondamentale, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (Chargement)
            return;
        if (i == RacinePerso) {
            DevenirPerso(false);
            return;
        }
        ActiverDefinition(true);
        Choisir(Combo_Basse, i);
        DefinitionChangee();
    });
    for (QComboBox *c : {Combo_Type, Combo_Extension, Combo_DimAug, Combo_Quinte,
                         Combo_Neuvieme, Combo_Onzieme})
        connect(c, &QComboBox::currentIndexChanged, this, [this] {
            if (!Chargement)
                DefinitionChangee();
        });
    connect(CB_Add, &QCheckBox::toggled, this, [this] {
        if (!Chargement)
            DefinitionChangee();
    });
    connect(Combo_Basse, &QComboBox::currentIndexChanged, this, [this] {
        if (Chargement)
            return;
        ComposerLeNom();
        Rechercher(false);
    });
    connect(Combo_Inversion, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (Chargement || i < 0)
            return;
        // The tones in degree order; an inversion past them falls back on the root.
        std::vector<int> tons;
        const tDegres g = DegresAccord([this] {
            rDiagramme d{};
            LireDefinition(d);
            return d;
        }());
        const auto inclus = Inclus();
        for (int k = 0; k < NbDegres; ++k)
            if (inclus[static_cast<std::size_t>(k)] && g[static_cast<std::size_t>(k)].Hauteur >= 0 &&
                std::find(tons.begin(), tons.end(), g[static_cast<std::size_t>(k)].Hauteur) ==
                    tons.end())
                tons.push_back(g[static_cast<std::size_t>(k)].Hauteur);
        if (i >= static_cast<int>(tons.size()) || tons.empty()) {
            i = 0;
            Choisir(Combo_Inversion, 0);
        }
        if (!tons.empty())
            Choisir(Combo_Basse, tons[static_cast<std::size_t>(i)]);
        ComposerLeNom();
        Rechercher(false);
    });
    connect(CB_Diese, &QCheckBox::toggled, this, [this](bool diese) {
        RemplirCombo(Combo_Fondamentale, NomsNotes(diese) << VersQt(Traduction("Accord-Perso")));
        RemplirCombo(Combo_Basse, NomsNotes(diese));
        Edite.Diese = diese;
        if (!Chargement && Edite.Fondamentale != RacinePerso)
            ComposerLeNom();
        Grille->update();
        RenommerNotes();
    });
}

bool TFDiagramme::Diese() const { return CB_Diese->isChecked(); }

rOptionsNom TFDiagramme::OptionsNom() const
{
    rOptionsNom o;
    o.Diese = Diese();
    o.AlwaysAddBass = Config && Config->AlwaysAddBass;
    return o;
}

int TFDiagramme::Niveau() const
{
    for (int k = 0; k < 3; ++k)
        if (RB_Niveau[k]->isChecked())
            return k;
    return NiveauMoyen;
}

void TFDiagramme::LireDefinition(rDiagramme &d) const
{
    d.Diese = Diese();
    d.Fondamentale = Combo_Fondamentale->currentIndex();
    d.TypeAccord = std::max(0, Combo_Type->currentIndex());
    d.Extension = std::max(0, Combo_Extension->currentIndex());
    d.DimAug = std::max(0, Combo_DimAug->currentIndex());
    d.Quinte = std::max(0, Combo_Quinte->currentIndex());
    d.Neuvieme = std::max(0, Combo_Neuvieme->currentIndex());
    d.Onzieme = std::max(0, Combo_Onzieme->currentIndex());
    d.Add = CB_Add->isChecked();
    d.Basse = std::max(0, Combo_Basse->currentIndex());
    for (int k = 0; k < NbDegres; ++k)
        d.Omis[k] = !CB_Degre[k]->isChecked();
}

std::array<bool, NbDegres> TFDiagramme::Inclus() const
{
    std::array<bool, NbDegres> v{};
    for (int k = 0; k < NbDegres; ++k)
        v[static_cast<std::size_t>(k)] = CB_Degre[k]->isChecked();
    return v;
}

void TFDiagramme::AfficherDefinition(const rDiagramme &d, bool degresDuRecord)
{
    Cocher(CB_Diese, d.Diese);
    RemplirCombo(Combo_Fondamentale, NomsNotes(d.Diese) << VersQt(Traduction("Accord-Perso")));
    RemplirCombo(Combo_Basse, NomsNotes(d.Diese));
    Choisir(Combo_Fondamentale, std::clamp(static_cast<int>(d.Fondamentale), 0, RacinePerso));
    if (d.Fondamentale < 0 || d.Fondamentale > 11) {
        DevenirPerso(true);
        return;
    }
    ActiverDefinition(true);
    Choisir(Combo_Type, std::clamp(static_cast<int>(d.TypeAccord), 0, NbTypesAccord - 1));
    Choisir(Combo_Extension, std::clamp(static_cast<int>(d.Extension), 0, 3));
    Choisir(Combo_DimAug, std::clamp(static_cast<int>(d.DimAug), 0, 2));
    Choisir(Combo_Quinte, std::clamp(static_cast<int>(d.Quinte), 0, 2));
    Choisir(Combo_Neuvieme, std::clamp(static_cast<int>(d.Neuvieme), 0, 2));
    Choisir(Combo_Onzieme, std::clamp(static_cast<int>(d.Onzieme), 0, 2));
    Cocher(CB_Add, d.Add);
    Choisir(Combo_Basse, std::clamp(static_cast<int>(d.Basse), 0, 11));
    ReglesEtDegres(true);
    if (degresDuRecord)
        for (int k = 0; k < NbDegres; ++k)
            if (CB_Degre[k]->isEnabled())
                Cocher(CB_Degre[k], !d.Omis[k]);
}

void TFDiagramme::ReglesEtDegres(bool cocherParDefaut)
{
    rDiagramme d{};
    LireDefinition(d);
    const rOptionsActives a = AppliquerReglesOptions(d);
    Choisir(Combo_Extension, d.Extension);
    Choisir(Combo_DimAug, d.DimAug);
    Choisir(Combo_Quinte, d.Quinte);
    Choisir(Combo_Neuvieme, d.Neuvieme);
    Choisir(Combo_Onzieme, d.Onzieme);
    Cocher(CB_Add, d.Add);
    Combo_Extension->setEnabled(a.Extension);
    Combo_DimAug->setEnabled(a.DimAug);
    Combo_Quinte->setEnabled(a.Quinte);
    Combo_Neuvieme->setEnabled(a.Neuvieme);
    Combo_Onzieme->setEnabled(a.Onzieme);
    CB_Add->setEnabled(a.Add);
    const int t = d.TypeAccord;
    CB_Degre[1]->setText((t == TypeSus2 || t == Type7Sus2)   ? "2'"
                         : (t == TypeSus4 || t == Type7Sus4) ? "4'"
                                                             : "3'");
    CB_Degre[3]->setText((t == Type6 || t == TypeMin6) ? "6'" : "7'");
    const tDegres g = DegresAccord(d);
    for (int k = 0; k < NbDegres; ++k) {
        CB_Degre[k]->setEnabled(g[static_cast<std::size_t>(k)].Actif);
        if (cocherParDefaut || !g[static_cast<std::size_t>(k)].Actif)
            Cocher(CB_Degre[k], g[static_cast<std::size_t>(k)].Coche);
    }
}

void TFDiagramme::ActiverDefinition(bool actif)
{
    for (QWidget *w : std::initializer_list<QWidget *>{
             Combo_Type, Combo_Extension, Combo_DimAug, Combo_Quinte, Combo_Neuvieme,
             Combo_Onzieme, CB_Add, Combo_Basse, Combo_Inversion, RB_Niveau[0], RB_Niveau[1],
             RB_Niveau[2]})
        w->setEnabled(actif);
    for (QCheckBox *c : CB_Degre)
        c->setEnabled(actif);
}

int TFDiagramme::InversionCourante() const
{
    rDiagramme d{};
    LireDefinition(d);
    const tDegres g = DegresAccord(d);
    const auto inclus = Inclus();
    std::vector<int> tons;
    for (int k = 0; k < NbDegres; ++k) {
        const int h = g[static_cast<std::size_t>(k)].Hauteur;
        if (inclus[static_cast<std::size_t>(k)] && h >= 0 &&
            std::find(tons.begin(), tons.end(), h) == tons.end())
            tons.push_back(h);
    }
    for (std::size_t i = 0; i < tons.size() && i < 6; ++i)
        if (tons[i] == d.Basse)
            return static_cast<int>(i);
    return -1;
}

void TFDiagramme::ComposerLeNom()
{
    rDiagramme d{};
    LireDefinition(d);
    if (d.Fondamentale == RacinePerso)
        return;
    const int inversion = InversionCourante();
    Choisir(Combo_Inversion, inversion);
    Edit_Nom->setText(VersQt(ComposerNom(d.Fondamentale, d.TypeAccord, false, {}, d.Basse,
                                         inversion, d.Add, d.Onzieme, d.Neuvieme, d.Quinte,
                                         d.DimAug, d.Extension, OptionsNom())
                                 .substr(0, sizeof d.Nom)));
}

void TFDiagramme::DefinitionChangee()
{
    ReglesEtDegres(true);
    ComposerLeNom();
    Rechercher(false);
}

void TFDiagramme::Rechercher(bool affichageSeul)
{
    rDiagramme d{};
    LireDefinition(d);
    if (d.Fondamentale == RacinePerso) {
        Recherche = rResultatRecherche{};
        LB_Omissions->setVisible(false);
    } else {
        Recherche = ChercherDoigtes(d, d.Basse, Inclus(), Niveau(), Accordage,
                                    DepuisQt(Edit_Nom->text()), Diese());
        LB_Omissions->setVisible(Recherche.Etat == eRecherche::TropDeNotes);
        Choisir(Combo_Inversion, Recherche.Inversion);
    }
    const int n = static_cast<int>(Recherche.Solutions.size());
    Selection = 0;
    Chargement = true;
    SB_Solution->setRange(1, std::max(1, n));
    SB_Solution->setValue(1);
    Chargement = false;
    Solutions->Ajuster(Zone_Solutions->viewport()->height());
    Zone_Solutions->verticalScrollBar()->setValue(0);
    if (affichageSeul) {
        SB_Solution->setEnabled(false);
        LB_Compte->setText(n ? QString::number(n) : QString());
        Chargement = true;
        SB_Case->setValue(std::clamp(static_cast<int>(Edite.PremiereCase), 1, MaxPositions));
        Chargement = false;
        SB_Case->setEnabled(true);
        return;
    }
    SB_Case->setEnabled(false);
    if (n == 0) {
        SB_Solution->setEnabled(false);
        LB_Compte->clear();
        for (int &c : Edite.Cases)
            c = -1;
        Edite.NbBarres = 0;
        Edite.PremiereCase = 1;
        Redessiner();
        return;
    }
    SB_Solution->setEnabled(true);
    ChoisirSolution(1);
}

void TFDiagramme::ChoisirSolution(int k)
{
    const int n = static_cast<int>(Recherche.Solutions.size());
    if (k < 1 || k > n)
        return;
    Selection = k;
    Edite = Recherche.Solutions[static_cast<std::size_t>(k - 1)];
    Edite.Diese = Diese();
    Chargement = true;
    SB_Solution->setValue(k);
    SB_Case->setValue(std::clamp(static_cast<int>(Edite.PremiereCase), 1, MaxPositions));
    Chargement = false;
    SB_Case->setEnabled(false);
    LB_Compte->setText(QString("%1/%2").arg(k).arg(n));
    const QPoint c = Solutions->Coin(k - 1);
    Zone_Solutions->ensureVisible(c.x() + 13, c.y() + 13, 20, 24);
    Solutions->update();
    Redessiner();
}

void TFDiagramme::Redessiner()
{
    Grille->update();
    Candidats = NommerAccord(HauteursDoigte(CasesDiagramme(Edite), Accordage), OptionsNom());
    RenommerNotes();
    if (BT_Ecouter->isChecked() && !Chargement)
        Ecouter();
}

void TFDiagramme::RenommerNotes()
{
    // The candidates keep their parts; only their names follow sharps and flats.
    const rOptionsNom o = OptionsNom();
    List_Noms->clear();
    for (rNomPossible &n : Candidats) {
        n.Nom = ComposerNom(n.Fondamentale, n.TypeAccord, true, n.SansDegre, n.Basse,
                            n.Inversion, n.Add, n.Onzieme, n.Neuvieme, n.Quinte, n.DimAug,
                            n.Extension, o)
                    .substr(0, 40);
        List_Noms->addItem(VersQt(n.Nom));
    }
    List_Noms->setCurrentRow(-1);
}

void TFDiagramme::DevenirPerso(bool garderDoigte)
{
    Chargement = true;
    Choisir(Combo_Fondamentale, RacinePerso);
    for (QComboBox *c : {Combo_Type, Combo_Extension, Combo_DimAug, Combo_Quinte,
                         Combo_Neuvieme, Combo_Onzieme})
        Choisir(c, 0);
    Choisir(Combo_Basse, -1);
    Choisir(Combo_Inversion, -1);
    Cocher(CB_Add, false);
    for (QCheckBox *c : CB_Degre)
        Cocher(c, false);
    ActiverDefinition(false);
    Chargement = false;
    Edite.Fondamentale = RacinePerso;
    Edite.TypeAccord = Edite.Extension = Edite.DimAug = 0;
    Edite.Quinte = Edite.Neuvieme = Edite.Onzieme = 0;
    Edite.Add = false;
    if (!garderDoigte) {
        ViderDiagramme(Edite);
        Recherche = rResultatRecherche{};
        Selection = 0;
        Solutions->Ajuster(Zone_Solutions->viewport()->height());
        LB_Compte->clear();
        SB_Solution->setEnabled(false);
        LB_Omissions->setVisible(false);
        Chargement = true;
        SB_Case->setValue(1);
        Chargement = false;
        Redessiner();
    }
    SB_Case->setEnabled(true);
}

void TFDiagramme::CliquerGrille(int corde, int rangee)
{
    // Strings the track does not have stay silent.
    if (corde < 1 || corde > 6 || rangee < 0 || rangee > 5 ||
        Accordage[static_cast<std::size_t>(corde - 1)] < 0)
        return;
    const int base = std::max(1, static_cast<int>(Edite.PremiereCase));
    const int fret = rangee == 0 ? 0 : base + rangee - 1;
    int &c = Edite.Cases[corde - 1];
    const int avant = c;
    c = c == fret ? -1 : fret;
    if (c == avant)
        return;
    if (Edite.Fondamentale != RacinePerso)
        DevenirPerso(true);
    Edite.PremiereCase = base;
    ChangerBarres(Edite, DetecterBarres(CasesDiagramme(Edite), base));
    Redessiner();
}

void TFDiagramme::ChoisirNom(int index)
{
    if (index < 0 || index >= static_cast<int>(Candidats.size()))
        return;
    const rNomPossible n = Candidats[static_cast<std::size_t>(index)];
    Chargement = true;
    rDiagramme d = Edite;
    d.Diese = Diese();
    d.Fondamentale = n.Fondamentale;
    d.TypeAccord = n.TypeAccord;
    d.Extension = n.Extension;
    d.DimAug = n.DimAug;
    d.Quinte = n.Quinte;
    d.Neuvieme = n.Neuvieme;
    d.Onzieme = n.Onzieme;
    d.Add = n.Add;
    d.Basse = n.Basse;
    for (int k = 0; k < NbDegres; ++k)
        d.Omis[k] = n.Absent[static_cast<std::size_t>(k)];
    AfficherDefinition(d, true);
    Chargement = false;
    Edite.Fondamentale = d.Fondamentale;
    ComposerLeNom();
    Rechercher(true);
    List_Noms->setCurrentRow(index);
}

void TFDiagramme::ChargerEnregistrement(const rDiagramme &d)
{
    Edite = d;
    Chargement = true;
    AfficherDefinition(d, true);
    Chargement = false;
    Edit_Nom->setText(VersQt(NomDiagramme(d)));
    Redessiner();
    if (d.Fondamentale >= 0 && d.Fondamentale <= 11)
        Rechercher(true);
    Chargement = true;
    SB_Case->setValue(std::clamp(static_cast<int>(d.PremiereCase), 1, MaxPositions));
    Chargement = false;
    SB_Case->setEnabled(true);
}

void TFDiagramme::Ouvrir()
{
    TempoAvant = P.Tempo;
    Chargement = true;
    BT_Ecouter->setChecked(Config ? Config->EcouterDiagramme : false);
    RB_Niveau[std::clamp(Config ? Config->DiagSimpleMoyenTout : 1, 0, 2)]->setChecked(true);
    Chargement = false;
    const bool ecoute = BT_Ecouter->isChecked();
    // No sound while the window fills itself.
    {
        const QSignalBlocker b(BT_Ecouter);
        BT_Ecouter->setChecked(false);
    }
    if (Beat && Beat->Diagramme) {
        ChargerEnregistrement(Beat->Diagramme->Donnees());
    } else {
        ViderDiagramme(Edite);
        Edite.Diese = true;
        int base = 1;
        tCases c{};
        if (Beat)
            DoigteDepuisAccord(*Beat, Piste ? Piste->NbCordes : 6, c, base);
        else
            c.fill(-1);
        ChangerCases(Edite, c);
        Edite.PremiereCase = base;
        ChangerBarres(Edite, DetecterBarres(c, base));
        DevenirPerso(true);
        Chargement = true;
        SB_Case->setValue(base);
        Chargement = false;
        Redessiner();
        if (!Candidats.empty())
            ChoisirNom(0);
    }
    {
        const QSignalBlocker b(BT_Ecouter);
        BT_Ecouter->setChecked(ecoute);
    }
    for (int l = 0; l < 3; ++l)
        RemplirListe(l);
    CB_Diagramme->setChecked(Config ? Config->AddDiag : true);
    Edit_Nom->setFocus();
    Edit_Nom->selectAll();
}

void TFDiagramme::Effacer() { DevenirPerso(false); }

void TFDiagramme::Ecouter()
{
    if (!Piste)
        return;
    std::vector<rEvtEchantillon> evts;
    double t = 0;
    for (int s = 6; s >= 1; --s) {
        const int c = Edite.Cases[s - 1];
        const int o = Accordage[static_cast<std::size_t>(s - 1)];
        if (c < 0 || o < 0)
            continue;
        const auto h = static_cast<uint8_t>(std::clamp(o + c + Piste->Capo, 0, 127));
        evts.push_back({t, StatutCanal(0x90, Piste->Canal), h, 127});
        evts.push_back({t + 1920, StatutCanal(0x80, Piste->Canal), h, 50});
        t += 480;
    }
    if (!evts.empty() && Joueur())
        Joueur()(Piste->Port, evts);
}

// ------------------------------------------------------------------ the lists

int TFDiagramme::NbListe(int l) const
{
    switch (l) {
    case 0:
        return static_cast<int>(Bibliotheque().size());
    case 1:
        return ListeAccordsImpression().Nb();
    default:
        return ListeAccordsUtilises().Nb();
    }
}

int TFDiagramme::MaxListe(int l) const
{
    return l == 0 ? MaxBibliotheque
                  : l == 1 ? cListeAccordsImpression::Max : cListeAccordsUtilises::Max;
}

rDiagramme TFDiagramme::LireListe(int l, int i) const
{
    switch (l) {
    case 0:
        return Bibliotheque()[static_cast<std::size_t>(i - 1)]->Donnees();
    case 1:
        return ListeAccordsImpression().Accord(i);
    default:
        return ListeAccordsUtilises().Accord(i);
    }
}

void TFDiagramme::EcrireListe(int l, int i, const rDiagramme &d)
{
    const bool ajout = i > NbListe(l);
    ImpressionModifiee = ImpressionModifiee || l == 1;
    switch (l) {
    case 0:
        if (ajout)
            Bibliotheque().push_back(std::make_unique<cDiagramme>());
        static_cast<rDiagramme &>(*Bibliotheque()[static_cast<std::size_t>(ajout ? NbListe(0) - 1
                                                                                  : i - 1)]) = d;
        break;
    case 1:
        if (ajout)
            ListeAccordsImpression().Ajouter(d);
        else
            ListeAccordsImpression().Accord(i) = d;
        break;
    default:
        if (ajout)
            ListeAccordsUtilises().Ajouter(d);
        else
            ListeAccordsUtilises().Accord(i) = d;
        break;
    }
}

void TFDiagramme::SupprimerDeListe(int l, int i)
{
    ImpressionModifiee = ImpressionModifiee || l == 1;
    if (l == 0)
        Bibliotheque().erase(Bibliotheque().begin() + (i - 1));
    else if (l == 1)
        ListeAccordsImpression().Supprimer(i);
    else
        ListeAccordsUtilises().Supprimer(i);
}

void TFDiagramme::EchangerDansListe(int l, int i, int j)
{
    ImpressionModifiee = ImpressionModifiee || l == 1;
    if (l == 0)
        std::swap(Bibliotheque()[static_cast<std::size_t>(i - 1)],
                  Bibliotheque()[static_cast<std::size_t>(j - 1)]);
    else if (l == 1)
        ListeAccordsImpression().Echanger(i, j);
    else
        ListeAccordsUtilises().Echanger(i, j);
}

void TFDiagramme::RemplirListe(int l)
{
    QListWidget *w = Listes[l];
    const int garde = w->currentRow();
    w->clear();
    for (int i = 1; i <= NbListe(l); ++i)
        w->addItem(VersQt(NomDiagramme(LireListe(l, i))));
    w->setCurrentRow(std::min(garde, w->count() - 1));
}

rDiagramme TFDiagramme::EnregistrementFenetre() const
{
    rDiagramme d = Edite;
    LireDefinition(d);
    if (d.Fondamentale < 0 || d.Fondamentale > 11)
        d.Fondamentale = RacinePerso;
    ChangerNomDiagramme(d, DepuisQt(Edit_Nom->text()));
    return d;
}

void TFDiagramme::AjouterListe()
{
    const int l = Onglets->currentIndex();
    if (Edit_Nom->text().isEmpty()) {
        MyMsgCle("Dlg-Erreur", "Accord-DonnerUnNom", MsgErreur, DefOK, BtOK);
        return;
    }
    if (NbListe(l) >= MaxListe(l)) {
        MyMsgCle("Dlg-Erreur", "Accord-ListePleine", MsgErreur, DefOK, BtOK,
                 std::to_string(MaxListe(l)));
        return;
    }
    EcrireListe(l, NbListe(l) + 1, EnregistrementFenetre());
    RemplirListe(l);
    Listes[l]->setCurrentRow(NbListe(l) - 1);
}

void TFDiagramme::SupprimerListe()
{
    const int l = Onglets->currentIndex();
    const int i = Listes[l]->currentRow() + 1;
    if (i < 1 || i > NbListe(l)) {
        MyMsgCle("Dlg-Erreur", "Accord-SelectionnerSuppr", MsgErreur, DefOK, BtOK);
        return;
    }
    if (MyMsgCle("Dlg-Confirmation", "Accord-ConfirmerSuppr", MsgConfirmation, DefOui,
                 BtOui | BtNon, NomDiagramme(LireListe(l, i))) != ResOui)
        return;
    SupprimerDeListe(l, i);
    RemplirListe(l);
    const int n = NbListe(l);
    Listes[l]->setCurrentRow(n == 0 ? -1 : std::min(i, n) - 1);
    if (n == 0)
        DevenirPerso(false);
}

void TFDiagramme::RemplacerListe()
{
    const int l = Onglets->currentIndex();
    const int i = Listes[l]->currentRow() + 1;
    if (i < 1 || i > NbListe(l)) {
        MyMsgCle("Dlg-Erreur", "Accord-SelectionnerRempl", MsgErreur, DefOK, BtOK);
        return;
    }
    if (Edit_Nom->text().isEmpty()) {
        MyMsgCle("Dlg-Erreur", "Accord-DonnerUnNom", MsgErreur, DefOK, BtOK);
        return;
    }
    EcrireListe(l, i, EnregistrementFenetre());
    RemplirListe(l);
    Listes[l]->setCurrentRow(i - 1);
}

void TFDiagramme::DeplacerListe(int sens)
{
    const int l = Onglets->currentIndex();
    const int i = Listes[l]->currentRow() + 1;
    if (i < 1 || i > NbListe(l)) {
        MyMsgCle("Dlg-Erreur", "Accord-SelectionnerDepl", MsgErreur, DefOK, BtOK);
        return;
    }
    const int j = i + sens;
    if (j < 1 || j > NbListe(l))
        return;
    EchangerDansListe(l, i, j);
    RemplirListe(l);
    Listes[l]->setCurrentRow(j - 1);
}

void TFDiagramme::ChargerListe(int index)
{
    const int l = Onglets->currentIndex();
    if (index < 0 || index >= NbListe(l))
        return;
    ChargerEnregistrement(LireListe(l, index + 1));
}

void TFDiagramme::MontrerBulle(int l, int index)
{
    if (index < 0 || index >= NbListe(l)) {
        Bulle->hide();
        return;
    }
    const rDiagramme d = LireListe(l, index + 1);
    const bool avecNom = !Config || Config->ParamEcran.AffChordsName;
    const int gauche = d.PremiereCase <= 1 ? 11 : d.PremiereCase <= 9 ? 13 : 15;
    QPixmap image(gauche + 50, 13 + 36 + (avecNom ? 16 : 4));
    image.fill(Qt::white);
    {
        QPainter g(&image);
        const rPolice f = cDessinPartition::PoliceDiagramme();
        cDessinPartition::DessinerDiagramme(g, d, gauche, 13, 1, Qt::black,
                                            avecNom ? VersQt(NomDiagramme(d)) : QString(), f);
    }
    Bulle->setPixmap(image);
    Bulle->adjustSize();
    QListWidget *w = Listes[l];
    const QRect r = w->visualItemRect(w->item(index));
    const QPoint p = w->viewport()->mapToGlobal(QPoint(0, r.top()));
    Bulle->move(p.x() - Bulle->width() - 4, p.y());
    Bulle->show();
}

bool TFDiagramme::eventFilter(QObject *o, QEvent *e)
{
    if (e->type() == QEvent::Leave)
        for (QListWidget *w : Listes)
            if (o == w->viewport())
                Bulle->hide();
    return QDialog::eventFilter(o, e);
}

// ------------------------------------------------------------------ closing

void TFDiagramme::Fermer()
{
    Bulle->hide();
    P.Tempo = TempoAvant;
    EcouteAuFermer = BT_Ecouter->isChecked();
    if (Config) {
        Config->EcouterDiagramme = EcouteAuFermer;
        Config->DiagSimpleMoyenTout = Niveau();
    }
}

void TFDiagramme::accept()
{
    if (Beat) {
        bool joue = false;
        for (int c : Edite.Cases)
            joue = joue || c >= 0;
        const std::string nom = DepuisQt(Edit_Nom->text());
        const bool diagramme = CB_Diagramme->isChecked();
        if ((joue || !nom.empty()) && (diagramme || !nom.empty())) {
            if (!Beat->Diagramme)
                Beat->Diagramme = new cDiagramme;
            rDiagramme d{};
            if (diagramme) {
                d = EnregistrementFenetre();
            } else {
                // The name alone, shown above the beat.
                ViderDiagramme(d);
                d.Diese = Diese();
                ChangerNomDiagramme(d, nom);
            }
            static_cast<rDiagramme &>(*Beat->Diagramme) = d;
            ListeAccordsUtilises().AjouterSansDouble(d);
        } else if (Beat->Diagramme) {
            delete Beat->Diagramme;
            Beat->Diagramme = nullptr;
        }
    }
    if (Config)
        Config->AddDiag = CB_Diagramme->isChecked();
    Fermer();
    QDialog::accept();
}

void TFDiagramme::reject()
{
    Fermer();
    QDialog::reject();
}

bool EditerAccord(cPartition &p, QWidget *parent, bool *impressionModifiee)
{
    if (impressionModifiee)
        *impressionModifiee = false;
    cAccord *a = p.Curseur.Accord;
    if (!a || !p.Curseur.MesurePiste || !p.Curseur.MesurePiste->Piste)
        return false;
    const bool videOuSilence = a->Etat != 1;
    TFDiagramme f(p, parent);
    const bool ok = f.exec() == QDialog::Accepted;
    SauterEcouteAccord() = f.EcouteAuFermer;
    if (impressionModifiee)
        *impressionModifiee = f.ImpressionModifiee;
    if (!ok)
        return false;
    if (videOuSilence && a->Diagramme)
        NotesDepuisDiagramme(*a, *a->Diagramme, p.Curseur.MesurePiste->Piste->NbCordes,
                             Config ? Config->NuanceParDefaut : 6);
    return true;
}
