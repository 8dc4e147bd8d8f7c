#include "app/ui/DlgEffetBend.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdio>

#include "app/ui/uDialogues.h"
#include "config/uPatch.h"
#include "config/ui/DlgMyMsg.h"

namespace {
const char *const Section = "DLG300_BEND_000";
const char *const NomsPresets[] = {"Bend", "Bend/Release", "Bend/Release/Bend", "PreBend",
                                   "PreBend/Release"};
// The amplitude list, top to bottom: 3 tones down to a quarter.
const char *const Amplitudes[] = {"3",      "2 \u00be", "2 \u00bd", "2 \u00bc",
                                  "2",      "1\u00be",  "1 \u00bd", "1 \u00bc",
                                  "Full",   "\u00be",   "\u00bd",   "\u00bc"};
} // namespace

TGrilleBend::TGrilleBend(cEditeurBend &e, QWidget *parent) : QWidget(parent), E(e)
{
    setObjectName("PB_Grille");
    setFixedSize(320, 140);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TGrilleBend::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const QColor clair(200, 200, 200), ligne(150, 150, 150);
    // Light dots every 5 positions and every 25 hundredths.
    p.setPen(clair);
    for (int pos = 0; pos <= 60; pos += 5)
        for (int h = 0; h <= 300; h += 25)
            p.drawPoint(QPointF(cEditeurBend::XPosition(pos), cEditeurBend::YHauteur(h)));
    // Vertical lines: solid every quarter of the note (15 positions), dashed otherwise.
    for (int pos = 0; pos <= 60; pos += 5) {
        p.setPen(QPen(ligne, 1, pos % 15 == 0 ? Qt::SolidLine : Qt::DashLine));
        const int x = cEditeurBend::XPosition(pos);
        p.drawLine(QPointF(x, cEditeurBend::YHauteur(0)), QPointF(x, cEditeurBend::YHauteur(300)));
    }
    // Horizontal lines: every semitone, solid every whole tone.
    for (int h = 0; h <= 300; h += 50) {
        p.setPen(QPen(ligne, 1, h % 100 == 0 ? Qt::SolidLine : Qt::DashLine));
        const double y = cEditeurBend::YHauteur(h);
        p.drawLine(QPointF(cEditeurBend::XPosition(0), y), QPointF(cEditeurBend::XPosition(60), y));
    }
    p.setRenderHint(QPainter::Antialiasing);
    const QColor courbe(0, 0, 160);
    int prec = -1;
    for (int pos = 0; pos < NbPositionsBend; ++pos) {
        if (E.Grille[pos].Hauteur < 0)
            continue;
        if (prec >= 0) {
            const int v = E.Grille[prec].Vibrato;
            p.setPen(v == 0 ? QPen(courbe, 3) : QPen(courbe, v, Qt::DotLine));
            p.drawLine(QPointF(cEditeurBend::XPosition(prec), cEditeurBend::YHauteur(E.Grille[prec].Hauteur)),
                       QPointF(cEditeurBend::XPosition(pos), cEditeurBend::YHauteur(E.Grille[pos].Hauteur)));
        }
        prec = pos;
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::black);
    p.setBrush(QColor(220, 0, 0));
    for (int pos = 0; pos < NbPositionsBend; ++pos)
        if (E.Grille[pos].Hauteur >= 0)
            p.drawRect(QRectF(cEditeurBend::XPosition(pos) - 3,
                              cEditeurBend::YHauteur(E.Grille[pos].Hauteur) - 3, 6, 6));
}

void TGrilleBend::mousePressEvent(QMouseEvent *e)
{
    const eBoutonSouris b = e->button() == Qt::LeftButton    ? eBoutonSouris::Gauche
                            : e->button() == Qt::RightButton ? eBoutonSouris::Droit
                                                             : eBoutonSouris::Autre;
    const QPoint pt = e->position().toPoint();
    if (E.Clic(pt.x(), pt.y(), b)) {
        update();
        emit Modifiee();
    }
}

TFEffetBend::TFEffetBend(cNote &n, double dureeSonore,
                         std::function<void(const cEffet_Bend &)> jouer, bool limiteBend,
                         QWidget *parent)
    : QDialog(parent), N(n), Jouer(std::move(jouer)), LimiteBend(limiteBend)
{
    setObjectName("TFEffetBend");
    setWindowTitle(TexteSection(Section, 1, "Bend Type"));
    Editeur.Charger(n);

    auto *gauche = new QVBoxLayout;
    auto *lbType = new QLabel(TexteSection(Section, 2, "Type"), this);
    lbType->setObjectName("LB_Type");
    gauche->addWidget(lbType);
    Presets = new QButtonGroup(this);
    Presets->setExclusive(false); // none pressed is a state of its own (after Clear)
    for (int t = 1; t <= 5; ++t) {
        auto *b = new QPushButton(QString::fromLatin1(NomsPresets[t - 1]), this);
        b->setObjectName(QString("BT_Preset%1").arg(t));
        b->setCheckable(true);
        Presets->addButton(b, t);
        gauche->addWidget(b);
    }
    gauche->addStretch();
    connect(Presets, &QButtonGroup::idClicked, this, [this](int t) {
        Editeur.AppliquerPreset(t);
        MontrerEtat();
    });

    auto *milieu = new QVBoxLayout;
    Grille = new TGrilleBend(Editeur, this);
    milieu->addWidget(Grille);
    char texte[64];
    std::snprintf(texte, sizeof texte, "Note duration = %.3f", dureeSonore / 480.0);
    LB_Duree = new QLabel(QString::fromLatin1(texte), this);
    LB_Duree->setObjectName("LB_DureeNote");
    milieu->addWidget(LB_Duree);

    auto *droite = new QVBoxLayout;
    auto *lbHauteur = new QLabel(TexteSection(Section, 3, "Height"), this);
    lbHauteur->setObjectName("LB_Hauteur");
    droite->addWidget(lbHauteur);
    ValueList = new QListWidget(this);
    ValueList->setObjectName("ValueList");
    for (const char *a : Amplitudes)
        ValueList->addItem(QString::fromUtf8(a));
    ValueList->setFixedWidth(64);
    droite->addWidget(ValueList);
    connect(ValueList, &QListWidget::currentRowChanged, this, [this](int ligne) {
        if (Montrant || ligne < 0)
            return;
        Editeur.ChoisirAmplitude(ligne);
        MontrerEtat();
    });

    auto *haut = new QHBoxLayout;
    haut->addLayout(gauche);
    haut->addLayout(milieu, 1);
    haut->addLayout(droite);

    BT_Effacer = new QPushButton(QStringLiteral("Clear"), this);
    BT_Effacer->setObjectName("BT_Effacer");
    BT_Effacer->setAutoDefault(false);
    connect(BT_Effacer, &QPushButton::clicked, this, [this] {
        Editeur.Effacer();
        MontrerEtat();
    });
    BT_Ecouter = new QPushButton(QStringLiteral("Play"), this);
    BT_Ecouter->setObjectName("BT_Ecouter");
    BT_Ecouter->setToolTip(TexteSection(Section, 5, "Listen"));
    BT_Ecouter->setAutoDefault(false);
    connect(BT_Ecouter, &QPushButton::clicked, this, &TFEffetBend::Ecouter);
    auto *bas = new QHBoxLayout;
    bas->addWidget(BT_Effacer);
    bas->addWidget(BT_Ecouter);
    bas->addStretch();
    bas->addWidget(BoutonsDialogue(this));

    auto *v = new QVBoxLayout(this);
    v->addLayout(haut);
    v->addLayout(bas);
    connect(Grille, &TGrilleBend::Modifiee, this, [this] { MontrerEtat(); });
    MontrerEtat();
}

void TFEffetBend::MontrerEtat()
{
    // Showing the state must not read back as a choice of the user.
    const bool avant = Montrant;
    Montrant = true;
    for (int t = 1; t <= 5; ++t)
        Presets->button(t)->setChecked(Editeur.Type == t);
    ValueList->setCurrentRow(Editeur.IndexAmplitude);
    BT_Ecouter->setEnabled(Editeur.Type != 0);
    Grille->update();
    Montrant = avant;
}

void TFEffetBend::Ecouter()
{
    std::unique_ptr<cEffet_Bend> b = Editeur.Construire();
    if (!b)
        return;
    // A port that narrows the pitch wheel cannot render more than a tone.
    if (LimiteBend && Editeur.HauteurMaxAvantDernier() > 100) {
        MyMsg(Traduction("Dlg-Attention"),
              TexteEntreGuillemets(Section, 6) + " " + TexteEntreGuillemets(Section, 7),
              MsgAvertissement, DefOK, BtOK);
        return;
    }
    if (Jouer)
        Jouer(*b);
}

void TFEffetBend::accept()
{
    Editeur.Appliquer(N);
    QDialog::accept();
}
