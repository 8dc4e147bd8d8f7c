#include "tools/ui/DlgSolfege.h"

#include <QKeyEvent>
#include <cmath>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QTextBrowser>
#include <QToolButton>

#include "app/ui/DlgAide.h"
#include "app/ui/Main.h"
#include "config/uConfig.h"
#include "config/uPatch.h"
#include "config/ui/uAppliquerTextesUI.h"
#include "config/uTextesFenetres.h"

namespace {
constexpr int LargeurImage = 121, HauteurImage = 200;
constexpr int XImage = 40;
const QColor GrisPortee(192, 192, 192); // 12632256

const QString Diese = QString::fromUtf8("\u266F");
const QString Bemol = QString::fromUtf8("\u266D");
const QString Becarre = QString::fromUtf8("\u266E");

QFont PoliceSignes()
{
    QFont f("DejaVu Sans");
    f.setPixelSize(16);
    return f;
}

// A sign drawn with its centre at (x, y).
void Signe(QPainter &p, int x, int y, const QString &s)
{
    const QRect r(x - 6, y - 11, 12, 20);
    p.drawText(r, Qt::AlignCenter, s);
}
} // namespace

// ---------------------------------------------------------------- the staff

TImageSolfege::TImageSolfege(QWidget *parent)
    : QWidget(parent), Fond(LargeurImage, HauteurImage, QImage::Format_RGB32)
{
    setObjectName("Image1");
    setFixedSize(LargeurImage, HauteurImage);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    Fond.fill(Qt::white);
}

void TImageSolfege::Dessiner(bool sol, bool fa, int tonalite,
                             const std::vector<rNoteSolfege> &notes)
{
    Fond.fill(Qt::white);
    QPainter p(&Fond);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i < NbRangees; ++i) {
        const int y = YRangee(i);
        if ((RangeeSol(i) && sol) || (RangeeFa(i) && fa)) {
            p.setPen(Qt::black);
            p.drawLine(0, y, LargeurImage - 1, y);
        } else {
            p.setPen(GrisPortee);
            p.drawLine(63, y, 77, y);
        }
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setFont(PoliceSignes());
    p.setPen(Qt::black);
    const int n = std::abs(std::clamp(tonalite, TonaliteMin, TonaliteMax));
    const QString signe = tonalite > 0 ? Diese : Bemol;
    for (bool cle : {true, false}) {
        if ((cle && !sol) || (!cle && !fa))
            continue;
        for (int c = 1; c <= n; ++c) {
            // A flat's bowl sits on its line or space, a little below the glyph's middle.
            const int y = YPosition(PositionArmure(cle, tonalite, c)) - (tonalite > 0 ? 0 : 3);
            Signe(p, 5 * c + 2, y, signe);
        }
    }
    p.setBrush(Qt::black);
    for (const rNoteSolfege &note : notes) {
        const int y = YPosition(note.Position);
        if (y < 0 || y >= HauteurImage)
            continue;
        p.drawEllipse(QPointF(note.X, y), 4.5, 3.5);
        if (note.Alteration != AltAucune) {
            const QString s = note.Alteration == AltDiese  ? Diese
                              : note.Alteration == AltBemol ? Bemol
                                                           : Becarre;
            Signe(p, note.X - 15, y - (note.Alteration == AltBemol ? 3 : 0), s);
        }
    }
    update();
}

void TImageSolfege::paintEvent(QPaintEvent *)
{
    QImage vue = Fond;
    if (PositionMarqueur >= PositionMin && PositionMarqueur <= PositionMax) {
        // The mouse's position is inverted in yellow, as the marker of a staff editor.
        QPainter p(&vue);
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        const int haut = 210 - 4 * PositionMarqueur;
        p.fillRect(QRect(43, haut, LargeurImage - 43, 6), QColor(255, 255, 0));
    }
    QPainter p(this);
    p.drawImage(0, 0, vue);
}

void TImageSolfege::mouseMoveEvent(QMouseEvent *e)
{
    const int q = PositionY(static_cast<int>(e->position().y()));
    if (q < PositionMin || q > PositionMax || q == PositionMarqueur)
        return;
    PositionMarqueur = q;
    update();
}

void TImageSolfege::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return;
    const int q = PositionY(static_cast<int>(e->position().y()));
    if (q >= PositionMin && q <= PositionMax)
        emit Clic(q);
}

void TImageSolfege::leaveEvent(QEvent *)
{
    PositionMarqueur = 0;
    update();
}

// ---------------------------------------------------------------- the clefs

void TImageCle::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn in the staff picture's coordinates: the widget stands at the same height.
    p.translate(0, -pos().y());
    constexpr double s = 8; // a staff space
    // The staff goes on under its clef.
    auto lignes = [&](int premiere) {
        p.setPen(QPen(Qt::black, 1));
        for (int i = premiere; i < premiere + 5; ++i)
            p.drawLine(QPointF(0, YRangee(i) + 0.5), QPointF(width(), YRangee(i) + 0.5));
    };
    switch (Cle) {
    case eCle::Sol: {
        lignes(6);
        const double cx = 15, gy = YPosition(32); // the G line, second from the bottom
        QPainterPath c;
        // The curl around the G line, drawn outwards from its centre.
        bool premier = true;
        for (int k = 0; k <= 80; ++k) {
            const double t = k / 80.0;
            const double angle = (10 - 430 * t) * M_PI / 180;
            const double r = (0.3 + 1.15 * t) * s;
            const QPointF pt(cx + 0.15 * s + r * std::cos(angle),
                             gy + 0.15 * s + r * std::sin(angle) * 0.95);
            if (premier)
                c.moveTo(pt);
            else
                c.lineTo(pt);
            premier = false;
        }
        // Up to the top loop, down through the curl, and the tail with its ball.
        c.cubicTo(cx + 1.8 * s, gy - 2.4 * s, cx + 1.1 * s, gy - 4.6 * s, cx + 0.4 * s,
                  gy - 4.6 * s);
        c.cubicTo(cx - 0.4 * s, gy - 4.4 * s, cx - 0.4 * s, gy - 3.2 * s, cx - 0.1 * s,
                  gy - 2.4 * s);
        c.lineTo(cx + 0.45 * s, gy + 1.7 * s);
        c.cubicTo(cx + 0.55 * s, gy + 2.3 * s, cx - 0.4 * s, gy + 2.4 * s, cx - 0.55 * s,
                  gy + 1.9 * s);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::black, 1.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(c);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(cx - 0.3 * s, gy + 1.85 * s), 0.34 * s, 0.34 * s);
        break;
    }
    case eCle::Fa: {
        lignes(12);
        const double x = 8, lf = YPosition(24); // the F line, second from the top
        QPainterPath c;
        c.moveTo(x - 2, lf - 1);
        c.cubicTo(x - 1, lf - 1.1 * s, x + 1.8 * s, lf - 1.2 * s, x + 1.8 * s, lf + 0.2 * s);
        c.cubicTo(x + 1.8 * s, lf + 1.4 * s, x + 1.0 * s, lf + 2.2 * s, x - 0.4 * s,
                  lf + 2.8 * s);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::black, 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(c);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(x, lf), 0.42 * s, 0.42 * s);
        p.drawEllipse(QPointF(x + 2.6 * s, lf - 0.5 * s), 1.5, 1.5);
        p.drawEllipse(QPointF(x + 2.6 * s, lf + 0.5 * s), 1.5, 1.5);
        break;
    }
    case eCle::Accolade: {
        const double haut = YRangee(6), bas = YRangee(16), milieu = (haut + bas) / 2;
        QPainterPath c;
        c.moveTo(8, haut);
        c.cubicTo(1, haut + 10, 8, milieu - 16, 1, milieu);
        c.cubicTo(8, milieu + 16, 1, bas - 10, 8, bas);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::black, 1.8));
        p.drawPath(c);
        break;
    }
    }
}

// ---------------------------------------------------------------- the window

TFSolfege::TFSolfege(TMainForm &f)
    : QWidget(&f, Qt::Tool | Qt::WindowStaysOnTopHint), F(f)
{
    setObjectName("TFSolfege");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Standard Notation");
    setFixedSize(161, 263);
    setFocusPolicy(Qt::StrongFocus);
    Image1 = new TImageSolfege(this);
    Image1->move(XImage, 0);
    Img_Clef_Acco = new TImageCle(this, TImageCle::eCle::Accolade);
    Img_Clef_Acco->setObjectName("Img_Clef_Acco");
    Img_Clef_Acco->setGeometry(0, YRangee(6) - 2, 9, YRangee(16) - YRangee(6) + 4);
    Img_Clef_Sol = new TImageCle(this, TImageCle::eCle::Sol);
    Img_Clef_Sol->setObjectName("Img_Clef_Sol");
    Img_Clef_Sol->setGeometry(10, YRangee(2), XImage - 10, YRangee(12) - YRangee(2));
    Img_Clef_Fa = new TImageCle(this, TImageCle::eCle::Fa);
    Img_Clef_Fa->setObjectName("Img_Clef_Fa");
    Img_Clef_Fa->setGeometry(10, YRangee(11) + 2, XImage - 10, YRangee(18) - YRangee(11));

    auto bouton = [this](const char *nom, const QString &face, int x, int y, int l) {
        auto *b = new QToolButton(this);
        b->setObjectName(nom);
        b->setText(face);
        b->setGeometry(x, y, l, 26);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    const int y1 = HauteurImage + 4, y2 = y1 + 30;
    BT_ClefSol = bouton("BT_ClefSol", "G", 2, y1, 30);
    BT_ClefFa = bouton("BT_ClefFa", "F", 34, y1, 30);
    BT_Diese = bouton("BT_Diese", Diese, 71, y1, 28);
    BT_Bemol = bouton("BT_Bemol", Bemol, 101, y1, 28);
    BT_Becarre = bouton("BT_Becarre", Becarre, 131, y1, 28);
    TonDown = bouton("TonDown", QString(), 2, y2, 26);
    TonDown->setArrowType(Qt::LeftArrow);
    TonUp = bouton("TonUp", QString(), 74, y2, 26);
    TonUp->setArrowType(Qt::RightArrow);
    BT_Aide = bouton("BT_Aide", "?", 131, y2, 28);
    NomTon = new QLabel(this);
    NomTon->setObjectName("NomTon");
    NomTon->setGeometry(30, y2, 42, 26);
    NomTon->setAlignment(Qt::AlignCenter);
    QFont gras = NomTon->font();
    gras.setBold(true);
    NomTon->setFont(gras);
    for (QToolButton *b : {BT_ClefSol, BT_ClefFa, BT_Diese, BT_Bemol, BT_Becarre})
        b->setCheckable(true);
    BT_ClefSol->setChecked(!Config || Config->CleSol || !Config->CleFA);
    BT_ClefFa->setChecked(!Config || Config->CleFA);

    connect(BT_ClefSol, &QToolButton::clicked, this, [this] { ChoisirCle(BT_ClefSol); });
    connect(BT_ClefFa, &QToolButton::clicked, this, [this] { ChoisirCle(BT_ClefFa); });
    // At most one accidental down; all may be up.
    for (QToolButton *b : {BT_Diese, BT_Bemol, BT_Becarre})
        connect(b, &QToolButton::toggled, this, [this, b](bool bas) {
            if (!bas)
                return;
            for (QToolButton *autre : {BT_Diese, BT_Bemol, BT_Becarre})
                if (autre != b)
                    autre->setChecked(false);
        });
    connect(TonUp, &QToolButton::clicked, this, [this] { ChangerTonalite(1); });
    connect(TonDown, &QToolButton::clicked, this, [this] { ChangerTonalite(-1); });
    connect(BT_Aide, &QToolButton::clicked, this, [this] {
        if (TFAide *a = TFAide::Montrer(&F, FichierAideCourant()))
            a->Navigateur()->scrollToAnchor("cmd-tools");
    });
    connect(Image1, &TImageSolfege::Clic, this, &TFSolfege::CliquerPosition);

    std::vector<rPositionTexte> textes = PositionsSection("DLG300_SOLFEGE_000");
    textes.push_back({"DLG_000", 5, "BT_Aide", eGenreTexte::Bulle});
    AppliquerTextesFenetre(this, textes, false);
    // Beside the main window's right edge, at the top.
    const QRect r = f.geometry();
    move(r.right() - width() - 24, r.top() + 120);
    RafraichirPortee();
}

int TFSolfege::Alteration() const
{
    return BT_Diese->isChecked()    ? AltDiese
           : BT_Bemol->isChecked()  ? AltBemol
           : BT_Becarre->isChecked() ? AltBecarre
                                     : AltAucune;
}

void TFSolfege::RafraichirPortee()
{
    cPartition &p = F.Partition();
    rPosition c;
    p.PositionCurseur(c);
    std::vector<rNoteSolfege> notes;
    const cPiste *piste = p.PisteNumero(c.NumPiste);
    if (piste && c.Accord)
        notes = NotesSolfege(*piste, *c.Accord, p.Tonalite);
    const bool sol = BT_ClefSol->isChecked(), fa = BT_ClefFa->isChecked();
    Img_Clef_Sol->setVisible(sol);
    Img_Clef_Fa->setVisible(fa);
    Img_Clef_Acco->setVisible(sol && fa);
    NomTon->setText(QString::fromLatin1(NomTonalite(p.Tonalite)));
    TonUp->setEnabled(p.Tonalite < TonaliteMax);
    TonDown->setEnabled(p.Tonalite > TonaliteMin);
    Image1->Dessiner(sol, fa, p.Tonalite, notes);
}

void TFSolfege::ChoisirCle(QToolButton *clique)
{
    // One staff at least stays shown.
    if (!BT_ClefSol->isChecked() && !BT_ClefFa->isChecked())
        clique->setChecked(true);
    if (Config) {
        Config->CleSol = BT_ClefSol->isChecked();
        Config->CleFA = BT_ClefFa->isChecked();
    }
    RafraichirPortee();
}

void TFSolfege::ChangerTonalite(int pas)
{
    cPartition &p = F.Partition();
    const int t = p.Tonalite + pas;
    if (t < TonaliteMin || t > TonaliteMax)
        return;
    if (F.Document().EnLecture())
        F.Document().ArreterLecture();
    F.Document().DebutCommande("Tools_Solfege");
    F.Partition().Tonalite = t;
    F.FinEdition(false);
    F.Document().FinCommande("Tools_Solfege");
    RafraichirPortee();
}

void TFSolfege::CliquerPosition(int q)
{
    cPartition &p = F.Partition();
    rPosition c;
    p.PositionCurseur(c);
    const cPiste *piste = p.PisteNumero(c.NumPiste);
    if (!piste || !c.Accord)
        return;
    const rClicSolfege clic = ClicSolfege(*piste, *c.Accord, p.Tonalite, q, Alteration());
    if (clic.Action == rClicSolfege::eAction::Rien)
        return;
    if (F.Document().EnLecture())
        F.Document().ArreterLecture();
    F.Document().DebutCommande("Tools_Solfege");
    AppliquerClicSolfege(F.Partition(), clic, Config ? Config->NuanceParDefaut : 6);
    F.FinEdition(false);
    F.Document().FinCommande("Tools_Solfege");
    cPartition &apres = F.Partition();
    if (Config && Config->JouerPendantSaisie && apres.Curseur.Accord)
        if (const cPiste *t = apres.PisteNumero(apres.Curseur.NumPiste))
            F.Document().EcouterAccord(*t, *apres.Curseur.Accord);
    RafraichirPortee();
}

void TFSolfege::paintEvent(QPaintEvent *)
{
    // The clefs stand on the same white paper as the staff.
    QPainter p(this);
    p.fillRect(0, 0, XImage, HauteurImage, Qt::white);
}

void TFSolfege::keyPressEvent(QKeyEvent *e)
{
    // The window is only a view of the cursor: typing goes on as over the score.
    if (auto *champ = qobject_cast<TChampClavier *>(F.ChampClavier()))
        emit champ->Touche(e->key(), e->modifiers(), e->text());
}
