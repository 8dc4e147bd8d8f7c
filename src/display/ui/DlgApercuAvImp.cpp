#include "display/ui/DlgApercuAvImp.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPageLayout>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "chords/uListeAccordsImpression.h"
#include "config/uConfig.h"
#include "config/uPatch.h"
#include "config/uTextesFenetres.h"
#include "config/ui/uAppliquerTextesUI.h"
#include "display/ui/DlgImprimer.h"
#include "display/ui/uRenduImpression.h"
#include "model/uPartition.h"

namespace {
constexpr double ZoomMax = 2, ZoomMin = 0.15, PasZoom = 1.3;
bool PremiereOuverture = true;
} // namespace

double &TFApercuAvImp::DernierZoom()
{
    static double z = 1;
    return z;
}

TFApercuAvImp::TFApercuAvImp(const cPartition &p, const cPiste &piste, QWidget *parent)
    : QDialog(parent), Partition(p), Piste(piste)
{
    setObjectName("TFApercuAvImp");
    setWindowTitle("Print Preview");
    auto bouton = [this](const char *nom, const QString &texte, auto fn) {
        auto *b = new QPushButton(texte, this);
        b->setObjectName(nom);
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, fn);
        return b;
    };
    BT_PagePrec = bouton("BT_PagePrec", "<", [this] { PagePrecedente(); });
    BT_Page_Suiv = bouton("BT_PageSuiv", ">", [this] { PageSuivante(); });
    Lib_Page = new QLabel(this);
    Lib_Page->setObjectName("Lib_Page");
    Lib_Page->setMinimumWidth(60);
    Lib_Page->setAlignment(Qt::AlignCenter);
    auto *zoomPlus = bouton("BT_ZoomIn", "+", [this] { ZoomPlus(); });
    auto *zoomMoins = bouton("BT_ZoomOut", "-", [this] { ZoomMoins(); });
    auto *largeur = bouton("BT_PageWidth", "<->", [this] { LargeurPage(); });
    auto *pleine = bouton("BT_FullScreen", "[ ]", [this] { PleinePage(); });
    auto *imprimer = bouton("BT_Imprimer", "Print", [this] {
        if (Imprimer)
            Imprimer(this);
        Redessiner();
    });
    auto *pref = bouton("BT_Preferences", "P&ref.", [this] { Preferences(); });
    auto *aide = bouton("BT_Aide", "?", [this] {
        if (Aide)
            Aide(this);
    });
    auto *fermer = bouton("Close", "Close", [this] { accept(); });
    for (QPushButton *b : {zoomPlus, zoomMoins, largeur, pleine})
        b->setFixedWidth(40);
    auto *barre = new QHBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{BT_PagePrec, Lib_Page, BT_Page_Suiv,
                                                       zoomPlus, zoomMoins, largeur, pleine,
                                                       imprimer, pref, aide})
        barre->addWidget(w);
    barre->addStretch(1);
    barre->addWidget(fermer);

    Zone = new QScrollArea(this);
    Zone->setObjectName("ScrollBox");
    Zone->setAlignment(Qt::AlignCenter);
    Zone->setBackgroundRole(QPalette::Dark);
    Zone->setFocusPolicy(Qt::NoFocus);
    Vue = new QLabel;
    Vue->setObjectName("Image");
    Vue->setCursor(Qt::OpenHandCursor);
    Vue->installEventFilter(this);
    Zone->setWidget(Vue);
    // The same commands in the window's menu.
    auto *menus = new QMenuBar(this);
    QMenu *menuPage = menus->addMenu(QStringLiteral("&Page"));
    auto action = [this, menuPage](const char *nom, const QString &texte, QPushButton *b) {
        QAction *a = menuPage->addAction(texte);
        a->setObjectName(nom);
        connect(a, &QAction::triggered, b, &QPushButton::click);
    };
    action("MN_PagePrec", QStringLiteral("&Previous page"), BT_PagePrec);
    action("MN_PageSuiv", QStringLiteral("&Next page"), BT_Page_Suiv);
    menuPage->addSeparator();
    action("MN_ZoomIn", QStringLiteral("Zoom &in"), zoomPlus);
    action("MN_ZoomOut", QStringLiteral("Zoom &out"), zoomMoins);
    action("MN_PageWidth", QStringLiteral("Page &width"), largeur);
    action("MN_FullScreen", QStringLiteral("&Full page"), pleine);
    menuPage->addSeparator();
    action("MN_Imprimer", QStringLiteral("P&rint..."), imprimer);
    action("MN_Fermer", QStringLiteral("&Close"), fermer);
    auto *v = new QVBoxLayout(this);
    v->setMenuBar(menus);
    v->addLayout(barre);
    v->addWidget(Zone, 1);
    resize(900, 900);
    AppliquerTextesFenetre(this, PositionsDialogue({"DLG_PRW_000"}), true);
    if (Config)
        Config->ApercuOuvert = true;
    Z = DernierZoom();
    ZoomInitialise = !PremiereOuverture;
}

TFApercuAvImp::~TFApercuAvImp()
{
    if (Config)
        Config->ApercuOuvert = false;
    DernierZoom() = Z;
}

QSizeF TFApercuAvImp::TaillePage1() const
{
    const QRectF papier = ImprimanteSession().pageLayout().fullRect(QPageLayout::Millimeter);
    return {papier.width() * 96 / 25.4, papier.height() * 96 / 25.4};
}

void TFApercuAvImp::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!ZoomInitialise) {
        // The first opening of the program fits the page's width.
        ZoomInitialise = true;
        PremiereOuverture = false;
        Z = std::clamp((Zone->viewport()->width() - 27) / TaillePage1().width(), ZoomMin, ZoomMax);
    }
    Redessiner();
}

void TFApercuAvImp::Redessiner()
{
    const QSizeF t1 = TaillePage1();
    const QSize taille(std::max(1, static_cast<int>(std::lround(t1.width() * Z))),
                       std::max(1, static_cast<int>(std::lround(t1.height() * Z))));
    const double dpi = 96 * Z;
    ImagePage = QImage(taille, QImage::Format_RGB32);
    ImagePage.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
    ImagePage.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
    ImagePage.fill(Qt::white);
    const QRectF papier = ImprimanteSession().pageLayout().fullRect(QPageLayout::Millimeter);
    const TZoneImpression z = Config ? Config->ParamImp : TZoneImpression();
    cRenduImpression rendu(Partition, Piste, z, Config && Config->BlackBlocks,
                           &ListeAccordsImpression());
    rendu.Traduire = [](const std::string &c) { return Traduction(c); };
    rendu.MettreEnPage(papier.width(), papier.height());
    NbPages = rendu.NbPages();
    NumPage = std::clamp(NumPage, 1, NbPages);
    {
        QPainter g(&ImagePage);
        rendu.DessinerPage(g, NumPage, dpi);
    }
    Afficher();
}

void TFApercuAvImp::Afficher()
{
    // The page with a shadow two pixels off, right and below.
    QPixmap pm(ImagePage.width() + 4, ImagePage.height() + 4);
    pm.fill(Qt::transparent);
    {
        QPainter g(&pm);
        g.fillRect(4, 4, ImagePage.width(), ImagePage.height(), QColor(64, 64, 64));
        g.drawImage(0, 0, ImagePage);
    }
    Vue->setPixmap(pm);
    Vue->resize(pm.size() + QSize(10, 10));
    Vue->setAlignment(Qt::AlignCenter);
    Lib_Page->setText(QString::number(NumPage) + " / " + QString::number(NbPages));
    BT_PagePrec->setEnabled(NumPage > 1);
    BT_Page_Suiv->setEnabled(NumPage < NbPages);
}

void TFApercuAvImp::PageSuivante()
{
    if (NbPages > 0 && NumPage >= NbPages)
        return;
    ++NumPage;
    Redessiner();
}

void TFApercuAvImp::PagePrecedente()
{
    if (NumPage <= 1)
        return;
    --NumPage;
    Redessiner();
}

void TFApercuAvImp::ZoomPlus()
{
    Z = std::min(Z * PasZoom, ZoomMax);
    Redessiner();
}

void TFApercuAvImp::ZoomMoins()
{
    Z = std::max(Z / PasZoom, ZoomMin);
    Redessiner();
}

void TFApercuAvImp::LargeurPage()
{
    Z = std::clamp((Zone->viewport()->width() - 20) / TaillePage1().width(), ZoomMin, ZoomMax);
    Redessiner();
}

void TFApercuAvImp::PleinePage()
{
    const QSizeF t = TaillePage1();
    const QSize v = Zone->viewport()->size();
    Z = std::clamp(std::min((v.width() - 14) / t.width(), (v.height() - 14) / t.height()), ZoomMin,
                   ZoomMax);
    Redessiner();
}

void TFApercuAvImp::Preferences()
{
    // Opened from the preferences' own "Preview": going back closes this window rather than
    // opening the preferences a second time.
    if (Config && Config->PreferencesOuvertes) {
        accept();
        return;
    }
    if (OuvrirPreferences && OuvrirPreferences(this)) {
        // New settings may change the number of pages.
        NbPages = 0;
        Redessiner();
    }
}

void TFApercuAvImp::Defiler(int dx, int dy)
{
    QScrollBar *h = Zone->horizontalScrollBar();
    QScrollBar *v = Zone->verticalScrollBar();
    h->setValue(h->value() + dx);
    v->setValue(v->value() + dy);
}

void TFApercuAvImp::keyPressEvent(QKeyEvent *e)
{
    switch (e->key()) {
    case Qt::Key_PageUp:
        Defiler(0, -2);
        return;
    case Qt::Key_PageDown:
        Defiler(0, 2);
        return;
    case Qt::Key_Home:
        Defiler(-2, 0);
        return;
    case Qt::Key_End:
        Defiler(2, 0);
        return;
    default:
        QDialog::keyPressEvent(e);
    }
}

bool TFApercuAvImp::eventFilter(QObject *objet, QEvent *e)
{
    if (objet == Vue) {
        if (e->type() == QEvent::MouseButtonPress) {
            Glisser = true;
            DepartGlisser = static_cast<QMouseEvent *>(e)->globalPosition().toPoint();
            Vue->setCursor(Qt::ClosedHandCursor);
            return true;
        }
        if (e->type() == QEvent::MouseMove && Glisser) {
            const QPoint p = static_cast<QMouseEvent *>(e)->globalPosition().toPoint();
            Defiler(DepartGlisser.x() - p.x(), DepartGlisser.y() - p.y());
            DepartGlisser = p;
            return true;
        }
        if (e->type() == QEvent::MouseButtonRelease) {
            Glisser = false;
            Vue->setCursor(Qt::OpenHandCursor);
            return true;
        }
    }
    return QDialog::eventFilter(objet, e);
}
