#include "display/ui/uVueOrchestre.h"

#include <QGridLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolButton>
#include <QWheelEvent>

#include "app/uCurseur.h"
#include "app/ui/DlgMarkers.h"
#include "app/ui/Main.h"
#include "app/ui/uDialogues.h"
#include "config/ui/uTexteUI.h"
#include "model/uMesurePiste.h"
#include "playback/ui/uLectureUI.h"

namespace {
QColor Qt3(uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }
uint32_t Modele(const QColor &c)
{
    return uint32_t(c.red()) | (uint32_t(c.green()) << 8) | (uint32_t(c.blue()) << 16);
}
} // namespace

TVueOrchestre::TVueOrchestre(TMainForm &f, QWidget *parent)
    : QWidget(parent), F(f), PaintBox_Orchestre_Droite_Entete(new QWidget(this)),
      PaintBox_Orchestre_Droite(new QWidget(this)),
      ScrollBarH_Orchestre_Droite(new QScrollBar(Qt::Horizontal, this)),
      ScrollBarV_Orchestre_Droite(new QScrollBar(Qt::Vertical, this)),
      SpeedButton_GarderLaMesureEnCoursVisibleVG(new QToolButton(this))
{
    setObjectName("Orchestre_Droite");
    PaintBox_Orchestre_Droite_Entete->setObjectName("PaintBox_Orchestre_Droite_Entete");
    PaintBox_Orchestre_Droite->setObjectName("PaintBox_Orchestre_Droite");
    ScrollBarH_Orchestre_Droite->setObjectName("ScrollBarH_Orchestre_Droite");
    ScrollBarV_Orchestre_Droite->setObjectName("ScrollBarV_Orchestre_Droite");
    auto *b = SpeedButton_GarderLaMesureEnCoursVisibleVG;
    b->setObjectName("SpeedButton_GarderLaMesureEnCoursVisibleVG");
    b->setCheckable(true);
    b->setChecked(true);
    b->setAutoRaise(true);
    b->setText(QStringLiteral("\u2192"));
    b->setToolTip(TexteSection("MIXT300_000", 15, "Keep the Current Bar Viewable when Playing"));
    b->setFixedSize(16, 16);
    PaintBox_Orchestre_Droite_Entete->setFixedHeight(24);
    for (QWidget *w : {PaintBox_Orchestre_Droite_Entete, PaintBox_Orchestre_Droite}) {
        w->setAttribute(Qt::WA_OpaquePaintEvent);
        w->installEventFilter(this);
        w->setMinimumSize(20, 0);
    }
    PaintBox_Orchestre_Droite->setMinimumHeight(0);
    auto *g = new QGridLayout(this);
    g->setContentsMargins(0, 0, 0, 0);
    g->setSpacing(0);
    g->addWidget(PaintBox_Orchestre_Droite_Entete, 0, 0);
    g->addWidget(b, 0, 1, Qt::AlignCenter);
    g->addWidget(PaintBox_Orchestre_Droite, 1, 0);
    g->addWidget(ScrollBarV_Orchestre_Droite, 1, 1);
    g->addWidget(ScrollBarH_Orchestre_Droite, 2, 0);
    g->setRowStretch(1, 1);
    connect(ScrollBarH_Orchestre_Droite, &QScrollBar::valueChanged, this, [this](int v) {
        if (Synchronisation)
            return;
        O.BarreH.Placer(v);
        DessinerEntete();
        DessinerGrille();
    });
    connect(ScrollBarV_Orchestre_Droite, &QScrollBar::valueChanged, this, [this](int v) {
        if (Synchronisation)
            return;
        O.BarreV.Placer(v);
        if (PremiereChangee)
            PremiereChangee(v + 1);
        DessinerGrille();
    });
}

void TVueOrchestre::Reinitialiser()
{
    O.BarreH.Position = O.BarreV.Position = 0;
    DessinerEntete();
    DessinerGrille();
}

void TVueOrchestre::AppliquerBarres()
{
    Synchronisation = true;
    for (auto [s, b] : {std::pair{ScrollBarH_Orchestre_Droite, &O.BarreH},
                        std::pair{ScrollBarV_Orchestre_Droite, &O.BarreV}}) {
        s->setRange(0, b->Maximum);
        s->setPageStep(std::max(1, b->GrandPas));
        s->setValue(b->Position);
        s->setEnabled(b->Active);
    }
    Synchronisation = false;
}

void TVueOrchestre::DessinerEntete()
{
    const cPartition &p = F.Partition();
    QWidget *w = PaintBox_Orchestre_Droite_Entete;
    if (p.EnDestruction || w->width() <= 0 || w->height() <= 0)
        return;
    const int colonnes = cOrchestre::NbColonnes(w->width());
    O.AjusterBarreH(p.NbMesures, colonnes);
    AppliquerBarres();
    ImgEntete = QImage(w->size(), QImage::Format_RGB32);
    const QPalette &pal = palette();
    const QColor face = pal.color(QPalette::Button);
    QPainter g(&ImgEntete);
    g.fillRect(ImgEntete.rect(), face);
    QFont petite("Small Fonts");
    petite.setPointSize(6);
    QFont marker("Small Fonts");
    marker.setPointSize(7);
    marker.setBold(true);
    for (int k = 1; k <= colonnes; ++k) {
        const int m = O.BarreH.Position + k;
        const cMesure *mesure = p.MesureNumero(m);
        if (!mesure)
            break;
        const int x = cOrchestre::XColonne(k);
        if (const cMarker *mk = mesure->Marker) {
            // A long name runs over the next columns until a later marker clears the band.
            g.fillRect(QRect(QPoint(x - 1, cOrchestre::BandeMarkerHaut),
                             QPoint(ImgEntete.width(), cOrchestre::BandeMarkerBas)),
                       face);
            const QColor c = Qt3(uint32_t(mk->Couleur));
            g.setPen(c);
            for (const rSegment &s : cOrchestre::Fanion(x))
                g.drawLine(s.X1, s.Y1, s.X2, s.Y2);
            g.setFont(marker);
            g.drawText(QPoint(x + 6, cOrchestre::BandeMarkerHaut + g.fontMetrics().ascent()),
                       VersQt(mk->Nom));
        }
        g.setFont(petite);
        g.setPen(pal.color(QPalette::WindowText));
        const QString n = QString::number(m);
        const int l = g.fontMetrics().horizontalAdvance(n);
        g.drawText(QPoint(cOrchestre::XNumero(x, l), cOrchestre::YNumeros + g.fontMetrics().ascent()),
                   n);
    }
    g.end();
    w->update();
}

void TVueOrchestre::DessinerGrille(int piste, bool suivre)
{
    const cPartition &p = F.Partition();
    QWidget *w = PaintBox_Orchestre_Droite;
    if (p.EnDestruction || w->width() <= 0 || w->height() <= 0)
        return;
    const int colonnes = cOrchestre::NbColonnes(w->width());
    const int rangees = cOrchestre::NbRangees(w->height());
    O.AjusterBarreH(p.NbMesures, colonnes);
    O.AjusterBarreV(p.NbPistes, rangees);
    if (suivre && SpeedButton_GarderLaMesureEnCoursVisibleVG->isChecked()) {
        const int avant = O.BarreH.Position;
        O.Suivre(p.Curseur.NumMesure, colonnes);
        if (O.BarreH.Position != avant) {
            piste = 0; // everything moved
            DessinerEntete();
        }
    }
    AppliquerBarres();
    if (ImgGrille.size() != w->size()) {
        ImgGrille = QImage(w->size(), QImage::Format_RGB32);
        piste = 0;
    }
    const QPalette &pal = palette();
    const QColor face = pal.color(QPalette::Button), ombre = pal.color(QPalette::Dark),
                 lumiere = pal.color(QPalette::Light);
    QPainter g(&ImgGrille);
    const int largeur = ImgGrille.width();
    if (piste == 0) {
        g.fillRect(ImgGrille.rect(), face);
        g.setPen(ombre);
        g.drawLine(0, 0, largeur, 0);
        g.setPen(lumiere);
        g.drawLine(0, 1, largeur, 1);
    }
    const cMesurePiste *curseur = p.Curseur.MesurePiste;
    for (int r = 1; r <= rangees; ++r) {
        const int t = O.BarreV.Position + r;
        if (piste != 0 && t != piste)
            continue;
        const int y = cOrchestre::YRangee(r);
        g.fillRect(QRect(0, y, largeur, cOrchestre::Pas), face);
        if (t == p.Curseur.NumPiste)
            for (int j = 0; j < cOrchestre::Pas; ++j) {
                g.setPen(Qt3(cOrchestre::Ombrage(Modele(face), j)));
                g.drawLine(0, y + j, largeur, y + j);
            }
        const cPiste *tp = p.PisteNumero(t);
        if (!tp)
            continue;
        g.setPen(ombre);
        g.drawLine(0, y + 18, largeur, y + 18);
        g.setPen(lumiere);
        g.drawLine(0, y + 19, largeur, y + 19);
        for (int c = 0; c < colonnes; ++c) {
            const int m = O.BarreH.Position + c + 1;
            const cMesurePiste *mp = p.MesurePisteDe(m, t);
            if (!mp)
                break;
            const int x = c * cOrchestre::Pas;
            g.fillRect(QRect(x, y, cOrchestre::Bloc, cOrchestre::Bloc),
                       mp->ContientNotes() ? Qt3(uint32_t(tp->Couleur)) : face);
            if (mp == curseur) {
                g.setPen(ombre);
                g.drawLine(x + 3, y + 13, x + 3, y + 3);
                g.drawLine(x + 3, y + 3, x + 14, y + 3);
                g.setPen(lumiere);
                g.drawLine(x + 4, y + 14, x + 14, y + 14);
                g.drawLine(x + 14, y + 14, x + 14, y + 3);
                g.fillRect(QRect(QPoint(x + 4, y + 4), QPoint(x + 13, y + 13)), Qt::black);
            }
            g.setPen(ombre);
            g.drawLine(x + 18, y, x + 18, y + 18);
            g.setPen(lumiere);
            g.drawLine(x + 19, y, x + 19, y + 18);
        }
    }
    g.end();
    if (piste == 0)
        w->update();
    else
        w->update(QRect(0, O.YBandePiste(piste), largeur, cOrchestre::Pas));
}

void TVueOrchestre::CliquerGrille(int x, int y)
{
    TLecture *lecteur = TLecture::Instance();
    const bool lecture = lecteur && lecteur->Moteur().EnLecture();
    if (lecture)
        lecteur->Arreter();
    cPartition &p = F.Partition();
    const int t = O.PisteClic(y), m = O.MesureClic(x);
    cPiste *piste = p.PisteNumero(t);
    if (piste && p.MesureNumero(m)) {
        QuitterPlaceholder(p);
        rPosition pos;
        pos.NumPiste = t;
        pos.NumMesure = m;
        pos.NumTemps = 1;
        pos.NumCorde = p.Curseur.NumCorde;
        p.AttenteChiffre = false;
        p.EffacerSelection();
        bool tout = true;
        if (F.Vue()->Affichage.VueMultipiste) {
            tout = !piste->Visible;
            piste->Visible = true;
        }
        p.PlacerCurseur(pos);
        F.Actualiser(tout);
    }
    if (lecture)
        lecteur->Jouer(eModeJeu::PositionCourante, 0, true);
}

void TVueOrchestre::EditerMarkerEntete(int x, int y)
{
    cPartition &p = F.Partition();
    const int m = O.MesureMarkerClic(x, y);
    cMesure *mesure = p.MesureNumero(m);
    if (!mesure)
        return;
    const bool edition = mesure->Marker != nullptr;
    TFMesureMarker d(m, false, p.NbMesures, edition ? mesure->Marker->Nom : NomMarkerDefaut(p),
                     edition ? mesure->Marker->Couleur : 255, edition, &F);
    if (d.exec() != QDialog::Accepted)
        return;
    p.AjouterMarker(mesure, d.Nom, d.Couleur);
    p.MarquerModifie();
    DessinerEntete();
    F.Document().Edite();
    if (MarkerChange)
        MarkerChange();
}

bool TVueOrchestre::eventFilter(QObject *o, QEvent *e)
{
    const bool entete = o == PaintBox_Orchestre_Droite_Entete;
    if (!entete && o != PaintBox_Orchestre_Droite)
        return QWidget::eventFilter(o, e);
    switch (e->type()) {
    case QEvent::Paint: {
        QPainter g(static_cast<QWidget *>(o));
        const QImage &im = entete ? ImgEntete : ImgGrille;
        if (im.isNull() || im.size() != static_cast<QWidget *>(o)->size())
            g.fillRect(static_cast<QWidget *>(o)->rect(), palette().color(QPalette::Button));
        if (!im.isNull()) {
            if (entete) // rows 1 .. height - 2 only
                g.drawImage(QPoint(0, 1), im, QRect(0, 1, im.width(), im.height() - 2));
            else
                g.drawImage(0, 0, im);
        }
        return true;
    }
    case QEvent::Resize:
        if (entete)
            DessinerEntete();
        else
            DessinerGrille();
        return false;
    case QEvent::MouseButtonPress: {
        auto *me = static_cast<QMouseEvent *>(e);
        F.ChampClavier()->setFocus();
        if (entete)
            ClicEntete = me->position().toPoint();
        else if (me->button() == Qt::LeftButton)
            CliquerGrille(me->position().toPoint().x(), me->position().toPoint().y());
        return true;
    }
    case QEvent::MouseButtonDblClick:
        if (entete)
            EditerMarkerEntete(ClicEntete.x(), ClicEntete.y());
        return true;
    case QEvent::Wheel: {
        auto *we = static_cast<QWheelEvent *>(e);
        QScrollBar *s = entete ? ScrollBarH_Orchestre_Droite : ScrollBarV_Orchestre_Droite;
        s->setValue(s->value() + (we->angleDelta().y() < 0 ? 1 : -1));
        return true;
    }
    default:
        return QWidget::eventFilter(o, e);
    }
}
