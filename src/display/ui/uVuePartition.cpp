#include "display/ui/uVuePartition.h"

#include <QGridLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <vector>

namespace {
int Gel = 0;
std::vector<TVuePartition *> &Vues()
{
    static std::vector<TVuePartition *> v;
    return v;
}
} // namespace

TVuePartition::TVuePartition(cPartition *partition, const TParamEcran *param, QWidget *parent)
    : QWidget(parent), Affichage(partition, param), PaintBox_Partition(new QWidget(this)),
      ScrollBar_TablatureV(new QScrollBar(Qt::Vertical, this)),
      ScrollBar_TablatureH(new QScrollBar(Qt::Horizontal, this))
{
    Vues().push_back(this);
    setObjectName("PaintBox_PartitionCadre");
    PaintBox_Partition->setObjectName("PaintBox_Partition");
    ScrollBar_TablatureV->setObjectName("ScrollBar_TablatureV");
    ScrollBar_TablatureH->setObjectName("ScrollBar_TablatureH");
    PaintBox_Partition->setAttribute(Qt::WA_OpaquePaintEvent);
    PaintBox_Partition->setMinimumSize(100, 60);
    PaintBox_Partition->installEventFilter(this);
    auto *grille = new QGridLayout(this);
    grille->setContentsMargins(0, 0, 0, 0);
    grille->setSpacing(0);
    grille->addWidget(PaintBox_Partition, 0, 0);
    grille->addWidget(ScrollBar_TablatureV, 0, 1);
    grille->addWidget(ScrollBar_TablatureH, 1, 0);
    ScrollBar_TablatureH->setEnabled(false);

    connect(ScrollBar_TablatureV, &QScrollBar::valueChanged, this, [this](int v) {
        if (Synchronisation)
            return;
        Affichage.BarreV.Position = v;
        Affichage.ToutRedessiner = true;
        Dessiner();
    });
    // While the thumb is dragged, repaint at most every 300 ms.
    Timer_RefreshAffScrollingH.setInterval(300);
    connect(&Timer_RefreshAffScrollingH, &QTimer::timeout, this, [this] {
        if (ScrollBar_TablatureH->value() != Affichage.PositionHAffichee) {
            Affichage.BarreH.Position = ScrollBar_TablatureH->value();
            Dessiner();
        }
        Affichage.PositionHAffichee = ScrollBar_TablatureH->value();
    });
    connect(ScrollBar_TablatureH, &QScrollBar::sliderPressed, this, [this] {
        if (!Timer_RefreshAffScrollingH.isActive())
            Timer_RefreshAffScrollingH.start();
    });
    connect(ScrollBar_TablatureH, &QScrollBar::sliderReleased, this, [this] {
        Timer_RefreshAffScrollingH.stop();
        Affichage.BarreH.Position = ScrollBar_TablatureH->value();
        Dessiner();
        Affichage.PositionHAffichee = ScrollBar_TablatureH->value();
    });
    connect(ScrollBar_TablatureH, &QScrollBar::valueChanged, this, [this](int v) {
        if (Synchronisation || ScrollBar_TablatureH->isSliderDown())
            return;
        if (v != Affichage.PositionHAffichee) {
            Affichage.BarreH.Position = v;
            Dessiner();
        }
        Affichage.PositionHAffichee = v;
    });
}

cDessinPartition &TVuePartition::Dessin()
{
    if (!Peintre)
        Peintre = std::make_unique<cDessinPartition>(Affichage, Options);
    return *Peintre;
}

void TVuePartition::AppliquerPolices()
{
    Peintre.reset();
    ActualiserTout();
}

void TVuePartition::TaillerVue()
{
    Affichage.LargeurVue = std::max(1, PaintBox_Partition->width());
    Affichage.HauteurVue = std::max(1, PaintBox_Partition->height());
}

void TVuePartition::AppliquerBarres()
{
    Synchronisation = true;
    const cAffichage &a = Affichage;
    ScrollBar_TablatureV->setRange(0, a.BarreV.Maximum);
    ScrollBar_TablatureV->setPageStep(std::max(1, a.BarreV.GrandPas));
    ScrollBar_TablatureV->setValue(a.BarreV.Position);
    ScrollBar_TablatureV->setEnabled(a.BarreV.Active);
    if (a.DefilementVertical) {
        ScrollBar_TablatureH->setRange(0, 0);
        ScrollBar_TablatureH->setValue(0);
        ScrollBar_TablatureH->setEnabled(false);
    } else {
        ScrollBar_TablatureH->setRange(0, a.BarreH.Maximum);
        ScrollBar_TablatureH->setPageStep(std::max(1, a.BarreH.GrandPas));
        ScrollBar_TablatureH->setSingleStep(20);
        ScrollBar_TablatureH->setValue(a.BarreH.Position);
        ScrollBar_TablatureH->setEnabled(a.BarreH.Active);
    }
    Synchronisation = false;
}

void TVuePartition::ActualiserTout()
{
    TaillerVue();
    Affichage.CompterPistesVisibles();
    Affichage.ActualiserPiste();
    if (!Affichage.DefilementVertical)
        Affichage.SuivreCurseurHorizontal();
    Affichage.ToutRedessiner = true;
    Dessiner();
}

void TVuePartition::ActualiserMesure(cMesurePiste *mp)
{
    TaillerVue();
    Affichage.ActualiserMesure(mp);
    Affichage.MesureCurseurAffichee = Affichage.Partition->Curseur.MesurePiste;
    Dessiner();
}

void TVuePartition::Dessiner()
{
    cPartition *p = Affichage.Partition;
    if (!p || p->EnDestruction || !p->PremiereMesure)
        return;
    TaillerVue();
    AppliquerBarres();
    emit BarreEtatChangee(Affichage.ActualiserBarreEtat());
    if (Affichage.DefilementVertical) {
        PaintBox_Partition->update(LignesSales());
    } else {
        cMesure *premiere = nullptr, *fin = nullptr;
        MesuresVisiblesH(premiere, fin);
        for (cMesure *m = premiere; m && m != fin; m = m->Suivante)
            m->Etirement = 1;
        PaintBox_Partition->update();
    }
}

cGelVues::cGelVues() { ++Gel; }

cGelVues::~cGelVues()
{
    if (--Gel == 0)
        for (TVuePartition *v : Vues())
            v->Degeler();
}

void TVuePartition::Degeler()
{
    if (RepeindreApresGel) {
        RepeindreApresGel = false;
        PaintBox_Partition->update();
    }
}

TVuePartition::~TVuePartition() { std::erase(Vues(), this); }

QRegion TVuePartition::LignesSales()
{
    cAffichage &a = Affichage;
    const int R = a.HauteurRangee();
    const int r = a.RangeesParLigne();
    const QRect tout(0, 0, a.LargeurVue + 1, a.HauteurVue + 1);
    QRegion sale;
    int basDerniere = 0;
    for (cMesure *m = a.Partition->PremiereMesure; m;) {
        cMesure *fin = m;
        bool marquee = false;
        while (fin && fin->Ligne == m->Ligne) {
            marquee = marquee || fin->ARedessiner;
            fin->ARedessiner = false;
            fin = fin->Suivante;
        }
        const int t = m->Y - a.BarreV.Position * R;
        basDerniere = t + R * r;
        if (marquee && t <= a.HauteurVue && t + R * r > 0)
            sale += QRect(0, t, tout.width(), R * r + 1);
        m = fin;
    }
    if (a.ToutRedessiner || basDerniere < a.HauteurVue)
        sale = a.ToutRedessiner ? QRegion(tout) : sale + QRect(0, basDerniere, tout.width(),
                                                               tout.height() - basDerniere);
    a.ToutRedessiner = false;
    return sale & tout;
}

void TVuePartition::MesuresVisiblesH(cMesure *&premiere, cMesure *&fin) const
{
    const cAffichage &a = Affichage;
    const int P = a.BarreH.Position;
    premiere = a.Partition->PremiereMesure;
    while (premiere && premiere->X + 2 * premiere->LargeurNaturelle < P && premiere->Suivante)
        premiere = premiere->Suivante;
    fin = premiere;
    while (fin && fin->X - P < a.LargeurVue)
        fin = fin->Suivante;
    if (fin)
        fin = fin->Suivante;
}

QImage &TVuePartition::Tampon()
{
    const cAffichage &a = Affichage;
    const int h = a.Param->EspPortees + 44;
    if (TamponLigne.width() != a.LargeurVue + 1 || TamponLigne.height() != h)
        TamponLigne = QImage(a.LargeurVue + 1, h, QImage::Format_RGB32);
    return TamponLigne;
}

// Rows are composed one at a time in the row buffer and copied into the widget's own backing
// store: no second full-size image is kept, and only the rows of the repainted region are drawn.
void TVuePartition::Peindre(QPainter &g, const QRect &zone)
{
    cAffichage &a = Affichage;
    cPartition &p = *a.Partition;
    const TParamEcran &prm = *a.Param;
    const int R = a.HauteurRangee();
    const int W = a.LargeurVue + 1;
    QImage &tampon = Tampon();
    cDessinPartition &dessin = Dessin();
    int bas = 0; // below the last row drawn or passed
    auto rangee = [&](cMesure *de, cMesure *a_, cPiste &piste, int haut, int decalage) {
        if (QRect(0, haut, W, R + 1).intersects(zone)) {
            dessin.DessinerRangee(tampon, de, a_, piste, decalage);
            g.drawImage(0, haut, tampon);
        }
    };
    auto montree = [&](const cPiste &piste) {
        return a.VueMultipiste ? piste.Visible : piste.Index == p.Curseur.NumPiste;
    };
    if (a.DefilementVertical) {
        const int r = a.RangeesParLigne();
        for (cMesure *m = p.PremiereMesure; m;) {
            cMesure *fin = m;
            while (fin && fin->Ligne == m->Ligne)
                fin = fin->Suivante;
            const int t = m->Y - a.BarreV.Position * R;
            bas = t + R * r;
            if (t <= zone.bottom() && bas >= zone.top()) {
                int rang = 0;
                for (cPiste *piste = p.PremierePiste; piste; piste = piste->Suivante) {
                    if (!montree(*piste))
                        continue;
                    const int haut = t + (a.VueMultipiste ? rang * R : 0);
                    ++rang;
                    if (haut > a.HauteurVue)
                        break;
                    rangee(m, fin, *piste, haut, 0);
                }
            }
            m = fin;
        }
        ++bas;
    } else {
        cMesure *premiere = nullptr, *fin = nullptr;
        MesuresVisiblesH(premiere, fin);
        int t = -a.BarreV.Position * R;
        for (cPiste *piste = p.PremierePiste; piste; piste = piste->Suivante) {
            if (!montree(*piste))
                continue;
            if (t + R >= 0 && t <= a.HauteurVue)
                rangee(premiere, fin, *piste, t, -a.BarreH.Position);
            t += R;
        }
        bas = t + 1;
    }
    const QRect fond = QRect(0, bas, W, a.HauteurVue + 1 - bas) & zone;
    if (!fond.isEmpty())
        g.fillRect(fond, CouleurQt(prm.ColBackG));
}

void TVuePartition::Cliquer(int x, int y)
{
    emit FocusDemande();
    cPartition &p = *Affichage.Partition;
    const rClic c = Affichage.CliquerPartition(x, y);
    if (c.NumPiste == 0)
        return;
    const bool changePiste = c.NumPiste != p.Curseur.NumPiste;
    // A click on a real beat first drops the empty placeholder the cursor stands on.
    cMesurePiste *ancienne = p.Curseur.MesurePiste;
    cAccord *place = p.Curseur.Accord;
    cMesurePiste *cible = p.MesurePisteDe(c.NumMesure, c.NumPiste);
    cAccord *clique = cible && c.NumTemps >= 1 ? cible->Accords[c.NumTemps] : nullptr;
    if (clique && clique->Etat != 0 && place && place->Etat == 0 && place != ancienne->PremierAccord &&
        place != clique) {
        ancienne->SupprimerAccord(place);
        ancienne->CalculerDuree();
    }
    rPosition pos;
    pos.NumPiste = c.NumPiste;
    pos.NumMesure = c.NumMesure;
    pos.NumTemps = clique ? clique->Index : c.NumTemps;
    pos.NumCorde = c.NumCorde;
    p.AttenteChiffre = false;
    p.EffacerSelection();
    p.PlacerCurseur(pos);
    if (changePiste)
        ActualiserTout();
    else
        ActualiserMesure(p.Curseur.MesurePiste);
    emit CurseurDeplace();
}

bool TVuePartition::eventFilter(QObject *o, QEvent *e)
{
    if (o != PaintBox_Partition)
        return QWidget::eventFilter(o, e);
    switch (e->type()) {
    case QEvent::Paint: {
        cPartition *p = Affichage.Partition;
        if (Gel > 0 || !p || p->EnDestruction || !p->PremiereMesure) {
            // The backing store keeps what was shown; draw the score once it holds together.
            RepeindreApresGel = RepeindreApresGel || Gel > 0;
            return true;
        }
        TaillerVue();
        QPainter g(PaintBox_Partition);
        Peindre(g, static_cast<QPaintEvent *>(e)->rect());
        return true;
    }
    case QEvent::Resize:
        if (PaintBox_Partition->height() > 0)
            ActualiserTout();
        return false;
    case QEvent::MouseButtonPress: {
        auto *me = static_cast<QMouseEvent *>(e);
        Cliquer(static_cast<int>(me->position().x()), static_cast<int>(me->position().y()));
        return true;
    }
    case QEvent::MouseButtonDblClick: {
        // The first press already moved the cursor onto the beat.
        auto *me = static_cast<QMouseEvent *>(e);
        if (me->button() == Qt::LeftButton)
            emit DoubleClic();
        return true;
    }
    case QEvent::Wheel: {
        auto *we = static_cast<QWheelEvent *>(e);
        const int pas = we->angleDelta().y() < 0 ? 1 : -1;
        ScrollBar_TablatureV->setValue(ScrollBar_TablatureV->value() + pas);
        return true;
    }
    default:
        return QWidget::eventFilter(o, e);
    }
}

void TVuePartition::ChoisirMultipiste(bool multipiste)
{
    Affichage.VueMultipiste = multipiste;
    if (cPiste *t = Affichage.Partition->PisteNumero(Affichage.Partition->Curseur.NumPiste))
        t->Visible = true; // the cursor's track is always shown
    ActualiserTout();
}

void TVuePartition::ChoisirDefilementVertical(bool vertical)
{
    Affichage.DefilementVertical = vertical;
    if (vertical)
        Affichage.BarreH = rBarreDefilement{};
    ActualiserTout();
}

void TVuePartition::ChoisirEspacementRegulier(bool regulier)
{
    Affichage.EspacementRegulier = regulier;
    ActualiserMesure(Affichage.Partition->Curseur.MesurePiste);
}

void TVuePartition::ChoisirProportionsStrictes(bool strictes)
{
    Affichage.ProportionsStrictes = strictes;
    ActualiserTout();
}
