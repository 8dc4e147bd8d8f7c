#include "display/ui/uRenduImpression.h"

#include <QBuffer>
#include <QTextLayout>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QPolygonF>
#include <cmath>
#include <unordered_map>

#include "app/uLigneCommande.h"
#include "chords/uListeAccordsImpression.h"
#include "config/uConfig.h"
#include "config/uEmplacements.h"
#include "config/ui/uTexteUI.h"
#include "model/uCodage.h"
#include "display/uRythme.h"
#include "display/ui/uDessinPartition.h"
#include "fileio/uEcritureSure.h"
#include "model/uConstantes.h"
#include "model/uPartition.h"

namespace {
int N(double v) { return static_cast<int>(Arrondi(v)); }

const char *NomsNotes[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};

QString Fraction(int valeur) { return QString::fromStdString(TexteValeurImp(valeur)); }

std::string NomDiagramme(const rDiagramme &d)
{
    const std::size_t n = std::min<std::size_t>(d.NomLongueur, sizeof(d.Nom));
    return std::string(d.Nom, n);
}

bool NomSeul(const rDiagramme &d)
{
    if (d.Fondamentale != 12)
        return false;
    for (int c : d.Cases)
        if (c != -1)
            return false;
    return true;
}

// The text a note shows (fret, "x", parentheses, "L" for a tie with no playable origin).
QString TexteNote(const cNote &n, const cMesurePiste *mp, const cAccord *a, const cNote **origine,
                  const cAccord **accOrigine)
{
    *origine = nullptr;
    *accOrigine = nullptr;
    QString t;
    if (n.Type == 3)
        t = QStringLiteral("x");
    else if (n.Type == 1)
        t = QString::number(n.Case);
    else if (n.Type == 2) {
        *origine = OrigineLiaison(mp, a, n.Corde, accOrigine);
        if (!*origine || (*origine)->Type == 3)
            t = QStringLiteral("L");
    }
    if (n.Sugeree && !t.isEmpty())
        t = "(" + t + ")";
    return t;
}
} // namespace

cRenduImpression::cRenduImpression(const cPartition &partition, const cPiste &piste,
                                   const TZoneImpression &z, bool blackBlocks,
                                   const cListeAccordsImpression *liste)
    : Partition(partition), Piste(piste), Z(z), BlackBlocks(blackBlocks), Liste(liste)
{
    BornerParamImp(Z);
}

const rMiseEnPageImp &cRenduImpression::MettreEnPage(double largeurMm, double hauteurMm)
{
    Mp = MettreEnPageImpression(Partition, Piste, Z, largeurMm, hauteurMm,
                                Liste ? Liste->Nb() : 0);
    return Mp;
}

// ------------------------------------------------------------------ primitives

QFont cRenduImpression::Police(const TMyFont &f, double enPlus) const
{
    QFont q = PoliceQt(f);
    q.setPointSizeF(std::max(1.0, (f.Size + enPlus) * Mp.s));
    return q;
}

QFont cRenduImpression::Police(const char *nom, double taille, bool gras, bool italique) const
{
    QFont q(QString::fromLatin1(nom));
    q.setPointSizeF(std::max(1.0, taille * Mp.s));
    q.setBold(gras);
    q.setItalic(italique);
    return q;
}

void cRenduImpression::PreparerPolices()
{
    Notes = Police(Z.FontNotes_Prt);
    NotesRegulier = Notes;
    NotesRegulier.setBold(false);
    NotesGrace = Police(Z.FontNotes_Prt, -3);
    NotesGrace.setBold(false);
    NotesGrace.setItalic(false);
    NotesAccordage = Police(Z.FontNotes_Prt, -1);
    NotesAccordage.setBold(false);
    NotesAccordage.setItalic(false);
    Acc = Police(Z.FontAcc_Prt);
    Txt = Police(Z.FontTxt_Prt);
    Sign = Police(Z.FontSign_Prt);
    AccDiag = Police(Z.FontAccDiag_Prt);
    Renv = Police(Z.FontRenv_Prt);
    Title = Police(Z.FontTitle_Prt);
    TitleDemi = Title;
    TitleDemi.setPointSizeF(std::max(1.0, Z.FontTitle_Prt.Size / 2.0 * Mp.s));
    TitleDemi.setBold(false);
    TitleDemi.setItalic(false);
    Auteur = Police(Z.FontAuteur_Prt);
    Comment = Police(Z.FontComment_Prt);
    CommentRegulier = Comment;
    CommentRegulier.setBold(false);
    CommentRegulier.setItalic(false);
    NumPage = Police(Z.FontNumPage_Prt);
    Eff = Police("Arial", 5);
    EffItalic = Police("Arial", 6, false, true);
    ValEff = Police("Arial", 6);
    ValEffGrand = Police("Arial", 8);
    Triolet = Police("Arial", 8, false, true);
    NumM = Police("Arial", 6);
    Arial7Diag = Police("Arial", 7 * FacteurTailleDiagramme(Z.ChordSize_Prt));
}

int cRenduImpression::X(double mm) const { return N(mm * P); }
int cRenduImpression::Lg(double mm) const { return std::max(1, N(mm * P)); }

QPen cRenduImpression::Stylo(double largeurMm) const
{
    QPen pen(Qt::black);
    pen.setWidth(Lg(largeurMm));
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

cRenduImpression::rMetriques &cRenduImpression::MetriquesDe(const QFont &f) const
{
    auto i = Metriques.find(&f);
    if (i == Metriques.end())
        i = Metriques.emplace(&f, rMetriques{QFontMetricsF(f, G->device()), {}, {}}).first;
    return i->second;
}

namespace {
double Largeur(QHash<QString, double> &cache, const QFontMetricsF &m, const QString &t)
{
    auto i = cache.constFind(t);
    if (i != cache.constEnd())
        return *i;
    const double w = m.horizontalAdvance(t);
    cache.insert(t, w);
    return w;
}
} // namespace

double cRenduImpression::LargeurTexte(const QString &t, const QFont &f) const
{
    rMetriques &m = MetriquesDe(f);
    return Largeur(m.Largeurs, m.M, t) / P;
}

double cRenduImpression::HauteurTexte(const QFont &f) const
{
    return MetriquesDe(f).M.height() / P;
}

void cRenduImpression::Texte(double x, double y, const QString &t, const QFont &f, eH h, eV v,
                             bool fondBlanc)
{
    if (t.isEmpty())
        return;
    rMetriques &mf = MetriquesDe(f);
    const QFontMetricsF &m = mf.M;
    const double w = Largeur(mf.Largeurs, m, t), ht = m.height();
    double px = x * P, py = y * P;
    if (h == eH::Centre)
        px -= w / 2;
    else if (h == eH::Droite)
        px -= w;
    if (v == eV::Centre)
        py -= ht / 2;
    else if (v == eV::Bas)
        py -= ht;
    if (fondBlanc || BlackBlocks)
        G->fillRect(QRectF(px, py, w, ht), Qt::white);
    if (G->pen().style() == Qt::NoPen)
        G->setPen(Qt::black);
    auto g = mf.Glyphes.constFind(t);
    if (g == mf.Glyphes.constEnd()) {
        QTextLayout mise(t, f, G->device());
        mise.beginLayout();
        mise.createLine();
        mise.endLayout();
        g = mf.Glyphes.insert(t, mise.glyphRuns());
    }
    for (const QGlyphRun &run : *g)
        G->drawGlyphRun(QPointF(px, py), run);
}

void cRenduImpression::Remplir(const QRectF &r)
{
    if (Accumuler)
        Noirs.append(r);
    else
        G->fillRect(r, Qt::black);
}

namespace {
void Rectangles(QPainter &g, const QList<QRectF> &r, const QColor &c)
{
    if (r.isEmpty())
        return;
    const QPen pen = g.pen();
    const QBrush brush = g.brush();
    g.setPen(Qt::NoPen);
    g.setBrush(c);
    g.drawRects(r.constData(), static_cast<int>(r.size()));
    g.setPen(pen);
    g.setBrush(brush);
}
} // namespace

void cRenduImpression::Vider()
{
    Rectangles(*G, Noirs, Qt::black);
    Noirs.clear();
}

void cRenduImpression::Bloc(double x1, double y1, double x2, double y2)
{
    const int a = X(std::min(x1, x2)), b = X(std::max(x1, x2));
    const int c = X(std::min(y1, y2)), d = X(std::max(y1, y2));
    Remplir(QRectF(a, c, std::max(1, b - a), std::max(1, d - c)));
}

void cRenduImpression::Trait(double x1, double y1, double x2, double y2, double pen)
{
    G->setPen(Stylo(pen));
    G->drawLine(X(x1), X(y1), X(x2), X(y2));
}

void cRenduImpression::Disque(double cx, double cy, double r)
{
    G->setPen(Qt::NoPen);
    G->setBrush(Qt::black);
    G->drawEllipse(QPointF(cx * P, cy * P), r * P, r * P);
    G->setBrush(Qt::NoBrush);
}

// ------------------------------------------------------------------ pages

void cRenduImpression::DessinerPage(QPainter &g, int page, double dpi)
{
    G = &g;
    Dpi = dpi;
    P = dpi / 25.4 * Mp.s;
    Metriques.clear();
    PoliceCourante = nullptr;
    PreparerPolices();
    g.save();
    g.setRenderHint(QPainter::Antialiasing, true);
    g.setRenderHint(QPainter::TextAntialiasing, true);
    g.setBackgroundMode(Qt::TransparentMode);
    if (page == 1)
        DessinerEnTete();
    for (const rSystemeImp &s : Mp.Systemes)
        if (s.Page == page)
            DessinerSysteme(s);
    const rCadrePage &c = Mp.Cadre;
    if (c.Cadre) {
        g.setPen(Stylo(0.2));
        g.setBrush(Qt::NoBrush);
        g.drawRect(QRect(QPoint(X(c.CadreGauche), X(c.CadreHaut)),
                         QPoint(X(c.CadreDroite), X(c.CadreBas))));
    }
    if (NumeroterPages(Mp, Z))
        DessinerNumeroPage(page);
    g.restore();
    G = nullptr;
}

bool cRenduImpression::Imprimer(QPagedPaintDevice &device, int de, int a)
{
    const QPageLayout mise = device.pageLayout();
    const QRectF papier = mise.fullRect(QPageLayout::Millimeter);
    MettreEnPage(papier.width(), papier.height());
    if (de <= 0) {
        de = 1;
        a = Mp.NbPages;
    }
    a = std::min(a, Mp.NbPages);
    QPainter g;
    if (!g.begin(&device))
        return false;
    // The painter starts at the printable area; the layout counts from the paper's corner.
    const double dpi = device.logicalDpiX();
    const QRect peint = mise.paintRectPixels(device.logicalDpiX());
    bool premiere = true;
    for (int k = de; k <= a; ++k) {
        if (!premiere && !device.newPage()) {
            g.end();
            return false;
        }
        premiere = false;
        g.save();
        g.translate(-peint.left(), -peint.top());
        DessinerPage(g, k, dpi);
        g.restore();
    }
    return g.end();
}

void cRenduImpression::DessinerNumeroPage(int page)
{
    const rCadrePage &c = Mp.Cadre;
    std::string t = Partition.Informations ? Partition.Informations->Titre : std::string();
    if (!Piste.Nom.empty())
        t += " (" + Piste.Nom + ")";
    t += " - " + std::to_string(page);
    Texte(c.LargeurPage - c.Droite, c.HauteurPage - c.Bas, VersQt(t), NumPage, eH::Droite, eV::Bas);
}

void cRenduImpression::DessinerEnTete()
{
    const rCadrePage &c = Mp.Cadre;
    const cInformations *info = Partition.Informations;
    const double Y = c.Haut;
    const double eta = Z.Esp_Titre_Auteur_Prt / 2.0;
    const QFont *derniere = &Title;
    if (Z.AffTitre_Prt && info) {
        Texte(c.Gauche + c.LargeurUtile / 2, Y, VersQt(info->Titre), Title, eH::Centre, eV::Haut);
        if (!Piste.Nom.empty())
            Texte(c.Gauche + c.LargeurUtile / 2, Y + 10, VersQt("(" + Piste.Nom + ")"), TitleDemi,
                  eH::Centre, eV::Haut);
    }
    if (Z.AffAuteur_Prt && info) {
        Texte(c.Gauche + c.LargeurUtile, Y + 20 + eta, VersQt(info->Auteur), Auteur, eH::Droite,
              eV::Haut);
        derniere = &Auteur;
    }
    if (Z.AffComment_Prt && info) {
        Texte(c.Gauche, Y + 20 + eta, VersQt(info->Instructions), Comment, eH::Gauche, eV::Haut);
        derniere = &Comment;
    }
    const bool triplet = Z.AffTriplet_Prt && info && info->TripletFeel;
    if (triplet) {
        Signe8 = Police(derniere->family().toLatin1().constData(), 8);
        Signe5 = Police(derniere->family().toLatin1().constData(), 5);
        Metriques.erase(&Signe8);
        Metriques.erase(&Signe5);
        DessinerTriplet(Y + 30 + eta);
    }
    if (Z.AffTriplet_Prt && Piste.Capo > 0)
        Texte(c.Gauche + (triplet ? 18 : 0), Y + 27 + eta,
              QStringLiteral("Capo ") + QString::number(Piste.Capo), CommentRegulier, eH::Gauche,
              eV::Haut);
    // The chord list.
    if (Liste)
        for (const rPlaceAccordListe &pl : Mp.ListeAccords)
            if (pl.Index >= 1 && pl.Index <= Liste->Nb())
                DessinerDiagramme(Liste->Accord(pl.Index), pl.X, pl.Y);
}

void cRenduImpression::DessinerTriplet(double y0)
{
    // Two beamed eighths = a quarter and an eighth under a triplet.
    const double g = Mp.Cadre.Gauche;
    G->setPen(Qt::NoPen);
    G->setBrush(Qt::black);
    for (double x : {0.0, 3.0, 8.0, 12.0})
        G->drawEllipse(QRectF((g + x) * P, y0 * P, 1.2 * P, 0.8 * P));
    G->setBrush(Qt::NoBrush);
    for (double x : {1.1, 4.1, 9.1, 13.1})
        Trait(g + x, y0 + 0.4, g + x, y0 - 1.6, 0.2);
    Trait(g + 1.1, y0 - 1.6, g + 4.1, y0 - 1.6, 0.35);
    Trait(g + 13.1, y0 - 1.6, g + 13.8, y0 - 0.9, 0.13);
    Trait(g + 13.8, y0 - 0.9, g + 13.8, y0 - 0.7, 0.13);
    Trait(g + 13.8, y0 - 0.7, g + 13.5, y0 - 0.4, 0.13);
    // The arc over the last two notes: its ends at y0 - 2.3 in a box from y0 - 3.1 to y0 - 1.1.
    G->setPen(Stylo(0.15));
    const QRectF boite((g + 9.1) * P, (y0 - 3.1) * P, 4.0 * P, 2.0 * P);
    const double ry = 1.0, dy = (y0 - 2.3) - (y0 - 2.1);
    const double angle = std::asin(std::clamp(-dy / ry, -1.0, 1.0)) * 180 / M_PI;
    G->drawArc(boite, N(angle * 16), N((180 - 2 * angle) * 16));
    Texte(g + 5.5, y0 - 2.3, QStringLiteral("="), Signe8, eH::Gauche, eV::Centre);
    Texte(g + 10.6, y0 - 5.1, QStringLiteral("3"), Signe5, eH::Gauche, eV::Haut);
}

void cRenduImpression::DessinerDiagramme(const rDiagramme &d, double x, double y)
{
    const double c = 1.6 * FacteurTailleDiagramme(Z.ChordSize_Prt);
    const double haut = y - 5 * c, gauche = x - 2.5 * c;
    G->setPen(Stylo(0.12));
    for (int i = 0; i <= 5; ++i) {
        G->drawLine(QPointF(gauche * P, (haut + i * c) * P), QPointF((gauche + 5 * c) * P, (haut + i * c) * P));
        G->drawLine(QPointF((gauche + i * c) * P, haut * P), QPointF((gauche + i * c) * P, y * P));
    }
    double u = 0;
    if (d.PremiereCase == 1) {
        u = c / 3;
        G->drawLine(QPointF(gauche * P, (haut - u) * P), QPointF((gauche + 5 * c) * P, (haut - u) * P));
    }
    auto xs = [&](int k) { return gauche + 5 * c - c * (k - 1); };
    const double cote = 2 * c / 3.5;
    const double ym = haut - cote - u; // centre of the marks above the grid
    auto couvert = [&](int corde, int fret) {
        for (int b = 0; b < std::clamp(d.NbBarres, 0, 2); ++b) {
            const int lo = std::min(d.BarreDebut[b], d.BarreFin[b]);
            const int hi = std::max(d.BarreDebut[b], d.BarreFin[b]);
            if (d.BarreCase[b] == fret && corde >= lo && corde <= hi)
                return true;
        }
        return false;
    };
    for (int k = 1; k <= 6; ++k) {
        const int f = d.Cases[k - 1];
        const double sx = xs(k);
        if (f < 0) {
            G->setPen(Stylo(0.12));
            G->drawLine(QPointF((sx - cote / 2) * P, (ym - cote / 2) * P),
                        QPointF((sx + cote / 2) * P, (ym + cote / 2) * P));
            G->drawLine(QPointF((sx + cote / 2) * P, (ym - cote / 2) * P),
                        QPointF((sx - cote / 2) * P, (ym + cote / 2) * P));
        } else if (f == 0) {
            G->setPen(Stylo(0.12));
            G->setBrush(Qt::NoBrush);
            G->drawEllipse(QPointF(sx * P, ym * P), cote / 2 * P, cote / 2 * P);
        } else if (!couvert(k, f)) {
            Disque(sx, haut + c / 2 + c * (f - d.PremiereCase), c / 3.5);
        }
    }
    for (int b = 0; b < std::clamp(d.NbBarres, 0, 2); ++b) {
        if (d.BarreDebut[b] < 1 || d.BarreDebut[b] > 6 || d.BarreFin[b] < 1 || d.BarreFin[b] > 6)
            continue;
        const double yb = haut + c / 2 + c * (d.BarreCase[b] - d.PremiereCase);
        const double x1 = xs(d.BarreDebut[b]), x2 = xs(d.BarreFin[b]);
        G->fillRect(QRectF(std::min(x1, x2) * P, (yb - c / 3.5) * P, std::abs(x2 - x1) * P,
                           2 * c / 3.5 * P),
                    Qt::black);
        Disque(x1, yb, c / 3.5);
        Disque(x2, yb, c / 3.5);
    }
    if (d.PremiereCase > 1)
        Texte(gauche - 2 * c / 3, haut - c / 3, QString::number(d.PremiereCase), Arial7Diag,
              eH::Droite, eV::Haut);
    const std::string nom = NomDiagramme(d);
    if (Z.AffChordsName_Prt && !nom.empty())
        Texte(x, haut + 5.25 * c, VersQt(nom), AccDiag, eH::Centre, eV::Haut);
}

// ------------------------------------------------------------------ systems

void cRenduImpression::DessinerSysteme(const rSystemeImp &s)
{
    Accumuler = true;
    for (int i = s.Premiere; i < s.Premiere + s.Nb; ++i)
        DessinerMesure(s, i, s.Y);
    Vider();
    for (int i = s.Premiere; i < s.Premiere + s.Nb; ++i)
        DessinerTemps(s, i, s.Y);
    Accumuler = false;
}

void cRenduImpression::DessinerBarre(double x, double y1, double y2, double largeur)
{
    Remplir(QRectF(x * P, y1 * P, std::max(1.0, largeur * P), (y2 - y1) * P));
}

void cRenduImpression::DessinerPoints(double x, double Y)
{
    const int n = Mp.NbCordes;
    const double e = Imp::EspCordes;
    double y1, y2;
    if (n >= 6) {
        y1 = Y + 1.5 * e;
        y2 = Y + 3.5 * e;
    } else if (n >= 4) {
        y1 = Y + 0.5 * e;
        y2 = Y + 2.5 * e;
    } else {
        // Too few strings for the usual rows: the two dots stand about the middle of the staff.
        const double m = Y + (n - 1) * e / 2, d = std::max((n - 1) * e / 4, 0.7);
        y1 = m - d;
        y2 = m + d;
    }
    Disque(x, y1, 0.5);
    Disque(x, y2, 0.5);
}

void cRenduImpression::DessinerMesure(const rSystemeImp &s, int index, double Y)
{
    const rMesureImp &r = Mp.Mesures[index];
    const cMesure *m = r.Mesure;
    if (!m)
        return;
    const double k = Mp.k;
    const double g = Mp.Cadre.Gauche;
    const int n = Mp.NbCordes;
    const double yBas = Y + (n - 1) * Imp::EspCordes;
    const double H = g + r.H;
    const bool premiereScore = !m->Precedente;
    const bool premiereSysteme = index == s.Premiere;
    const bool derniereSysteme = index == s.Premiere + s.Nb - 1;

    if (premiereScore && Z.AffTriplet_Prt && AccordageImprime(Piste))
        for (int i = 1; i <= n; ++i) {
            const int h = Piste.AccordageCorde(i);
            if (h < 0)
                continue;
            Texte(g - 1, Y + (i - 1) * Imp::EspCordes, QString::fromLatin1(NomsNotes[h % 12]),
                  NotesAccordage, eH::Droite, eV::Centre);
        }
    if (premiereSysteme && Z.AffNum_Prt)
        Texte(H, Y - 1, QString::number(m->Index), NumM, eH::Centre, eV::Bas);

    // Left barline.
    if (m->RenvoiDebut) {
        DessinerBarre(H, Y, yBas, Imp::BarreEpaisse);
        DessinerBarre(H + 2.1, Y, yBas, Imp::BarreFine);
        DessinerPoints(H + 2.1 + Imp::BarreFine / 2 + 1.8, Y);
    } else if (premiereScore) {
        DessinerBarre(H, Y, yBas, Imp::BarreEpaisse);
        DessinerBarre(H + 2.1, Y, yBas, Imp::BarreFine);
    } else if (premiereSysteme) {
        DessinerBarre(H, Y, yBas, Imp::BarreFine);
    }

    // Alternate ending.
    if (m->Repetition > 0) {
        const double yb = Y - ((n - 1) * Imp::EspCordes + Z.EspPortees_Prt / 2.0);
        Trait(H, yb, H, yb - 4.0, 0.15);
        Trait(H, yb - 4.0, H + 10.0, yb - 4.0, 0.15);
        QString t;
        if (m->Repetition == 1) {
            t = QStringLiteral("1");
        } else {
            const int p = m->PremierNumeroRepetition();
            t = QString::number(p);
            if (m->Repetition != p)
                t += " " + VersQt(Traduire ? Traduire("Repet-A") : std::string("Repet-A")) + " " +
                     QString::number(m->Repetition);
        }
        Texte(H + 0.8, yb - 4.0 + 0.3, t, Renv, eH::Gauche, eV::Haut);
    }

    // Time signature.
    if (r.Signature) {
        const double xs = H + 3.0 + (m->RenvoiDebut ? 3.5 : (premiereScore ? 2.0 : 0));
        const double milieu = (Y + yBas) / 2;
        Texte(xs, milieu, QString::number(m->Numerateur), Sign, eH::Centre, eV::Bas);
        Texte(xs, milieu + 0.5, QString::number(m->Denominateur), Sign, eH::Centre, eV::Haut);
    }

    // Right barline.
    const double E = g + r.BarreDroite(k);
    if (m->RenvoiFin > 0) {
        DessinerBarre(E - Imp::BarreEpaisse, Y, yBas, Imp::BarreEpaisse);
        DessinerBarre(E - 2.1 - Imp::BarreFine, Y, yBas, Imp::BarreFine);
        DessinerPoints(E - 2.1 - Imp::BarreFine / 2 - 1.8, Y);
        if (m->RenvoiFin > 1)
            Texte(E, Y - 3.0, QString::number(m->RenvoiFin) + "x", Renv, eH::Droite, eV::Centre);
    } else if (!m->Suivante) {
        DessinerBarre(E - Imp::BarreEpaisse, Y, yBas, Imp::BarreEpaisse);
        DessinerBarre(E - 2.1 - Imp::BarreFine, Y, yBas, Imp::BarreFine);
    } else if (derniereSysteme || !m->Suivante->RenvoiDebut) {
        DessinerBarre(E - Imp::BarreFine, Y, yBas, Imp::BarreFine);
    }

    // String lines.
    for (int i = 0; i < n; ++i) {
        const double y = Y + i * Imp::EspCordes;
        Remplir(QRectF(H * P, (y - Imp::EpLignes / 2) * P, (E - H) * P,
                       std::max(1.0, Imp::EpLignes * P)));
    }
}

void cRenduImpression::DessinerTemps(const rSystemeImp &s, int index, double Y)
{
    const rMesureImp &r = Mp.Mesures[index];
    if (!r.Mp)
        return;
    cMesurePiste &mp = const_cast<cMesurePiste &>(*r.Mp);
    const double k = Mp.k;
    const double g = Mp.Cadre.Gauche;
    const int n = Mp.NbCordes;
    const double e = Imp::EspCordes;
    const double yBas = Y + (n - 1) * e;
    const double B = Y + n * e + 4.0;

    // Beaming is scratch data on the beats, shared with the screen; it is recomputed by every
    // painter before use.
    rGroupesRythme groupes;
    if (r.Mesure)
        groupes = CalculerGroupesRythme(r.Mesure->Numerateur, r.Mesure->Denominateur);
    CalculerLiaisonsCroches(mp, groupes);

    // Positions of the beats of the whole system, for ties from earlier measures.
    std::unordered_map<const cAccord *, double> xSysteme;
    for (int j = s.Premiere; j < s.Premiere + s.Nb; ++j) {
        const rMesureImp &q = Mp.Mesures[j];
        int i = 0;
        for (const cAccord *a = q.Mp ? q.Mp->PremierAccord : nullptr; a; a = a->Suivant, ++i)
            xSysteme[a] = g + q.XTemps0(i, k);
    }
    std::vector<double> xs;
    int i = 0;
    for (const cAccord *a = mp.PremierAccord; a; a = a->Suivant, ++i)
        xs.push_back(g + r.XTemps0(i, k));
    const double xFin = g + r.DebutTemps(k) + r.Naturelle * r.Etirement;

    const double hauteurZero = HauteurTexte(Notes);

    // The string lines are cut under every fret text (one fill for the whole measure).
    {
        QList<QRectF> blancs;
        auto bande = [&](double gauche, double largeur, double yl) {
            blancs.append(QRectF((gauche - 0.3) * P, yl * P - 1, (largeur + 0.6) * P, 0.1 * P + 3));
        };
        i = 0;
        for (cAccord *a = mp.PremierAccord; a; a = a->Suivant, ++i) {
            double larg = 0;
            for (cNote *no = a->PremiereNote; no; no = no->Suivante) {
                const cNote *o;
                const cAccord *ao;
                const QString t = TexteNote(*no, &mp, a, &o, &ao);
                const double w =
                    LargeurTexte(t, (no->Sugeree || no->Type == 2) ? NotesRegulier : Notes);
                larg = std::max(larg, w);
                if (!t.isEmpty())
                    bande(xs[i] - w / 2, w, Y + (no->Corde - 1) * e);
            }
            for (cNote *no = a->PremiereNote; no; no = no->Suivante)
                if (no->Effets && no->Effets->Appogiature) {
                    const cEffet_Appogiature &ap = *no->Effets->Appogiature;
                    QString tg = ap.Case == 255 ? QStringLiteral("x") : QString::number(ap.Case);
                    if (ap.Nuance <= 4)
                        tg = "(" + tg + ")";
                    const double wg = LargeurTexte(tg, NotesGrace);
                    const double droite = xs[i] - 0.7 - 0.2 * ap.Duree - larg / 2;
                    bande(droite - wg, wg, Y + (no->Corde - 1) * e);
                }
        }
        Rectangles(*G, blancs, Qt::white);
    }

    i = 0;
    for (cAccord *a = mp.PremierAccord; a; a = a->Suivant, ++i) {
        const double x = xs[i];
        const double xSuivant = a->Suivant ? xs[i + 1] : x + 8.0;
        // Widest fret text of the beat.
        double larg = 0;
        for (cNote *no = a->PremiereNote; no; no = no->Suivante) {
            const cNote *o;
            const cAccord *ao;
            const QString t = TexteNote(*no, &mp, a, &o, &ao);
            larg = std::max(larg, LargeurTexte(t, (no->Sugeree || no->Type == 2) ? NotesRegulier
                                                                               : Notes));
        }

        if (a->Texte && Z.AffTxt_Prt)
            Texte(x - LargeurTexte(QStringLiteral("C"), Txt) / 2, Y - (9.8 + Z.EspTexte_Prt / 3.0),
                  VersQt(a->Texte->Texte), Txt, eH::Gauche, eV::Centre);
        if (a->Diagramme) {
            const rDiagramme &d = *a->Diagramme;
            const bool seul = NomSeul(d);
            if (Z.AffChordsName_Prt && (seul || !Z.AffDiag_Prt))
                Texte(x - LargeurTexte(QStringLiteral("C"), Acc) / 2,
                      Y - (6.8 + Z.EspNomAc_Prt / 3.0), VersQt(NomDiagramme(d)), Acc, eH::Gauche,
                      eV::Centre);
            if (Z.AffDiag_Prt && !seul)
                DessinerDiagramme(d, x, Y - 8.5 - Z.EspDiagAc_Prt / 3.0);
        }
        if (Z.AffEff_Prt && a->Effets) {
            const cEffets_Accord &ef = *a->Effets;
            QString lettre;
            if (ef.Frappe == 1)
                lettre = "T";
            else if (ef.Frappe == 2)
                lettre = "S";
            else if (ef.Frappe == 3)
                lettre = "P";
            if (ef.HarmoniqueNaturelle)
                lettre = "H";
            if (ef.HarmoniqueArtificielle)
                lettre = "A.H.";
            if (ef.FadeIn)
                lettre = "<";
            if (!lettre.isEmpty())
                Texte(x, Y - 3.5, lettre, lettre == "<" ? ValEffGrand : ValEff, eH::Centre,
                      eV::Centre);
            auto zigzag = [&](double periode, double pen) {
                const int nb = static_cast<int>(Tronque((xSuivant - 3.0 - x) / periode));
                const double yc = Y - 3.5, h = periode / 2;
                G->setPen(Stylo(pen));
                for (int z = 0; z < nb; ++z) {
                    const double x1 = x + z * periode, x2 = x1 + periode;
                    const bool monte = z % 2 == 0;
                    G->drawLine(QPointF(x1 * P, (monte ? yc + h : yc - h) * P),
                                QPointF(x2 * P, (monte ? yc - h : yc + h) * P));
                }
            };
            if (ef.Vibrato)
                zigzag(0.6, 0.15);
            if (ef.TremoloBar)
                zigzag(0.9, 0.2);
            if (ef.CoupVibrato > 0) {
                Trait(x - 3.0, Y - 4.5, x, Y - 2.5, 0.2);
                Trait(x, Y - 2.5, x + 3.0, Y - 4.5, 0.2);
                Texte(x, Y - 3.1, Fraction(ef.CoupVibrato), ValEff, eH::Centre, eV::Bas);
            }
            if (ef.BrushUp > 0 || ef.BrushDown > 0) {
                const double bx = x + 1.5 + larg / 2;
                const double y1 = Y + e / 3, y2 = yBas - e / 3;
                Trait(bx, y1, bx, y2, 0.15);
                const double d = 1.0 / std::sqrt(2.0);
                if (ef.BrushUp > 0) {
                    Trait(bx, y1, bx - d, y1 + d, 0.15);
                    Trait(bx, y1, bx + d, y1 + d, 0.15);
                }
                if (ef.BrushDown > 0) {
                    Trait(bx, y2, bx - d, y2 - d, 0.15);
                    Trait(bx, y2, bx + d, y2 - d, 0.15);
                }
            }
        }

        // Notes.
        for (cNote *no = a->PremiereNote; no; no = no->Suivante) {
            const double yl = Y + (no->Corde - 1) * e;
            const cNote *origine;
            const cAccord *accOrigine;
            const QString t = TexteNote(*no, &mp, a, &origine, &accOrigine);
            const QFont &f = (no->Sugeree || no->Type == 2) ? NotesRegulier : Notes;
            const double w = LargeurTexte(t, f);
            if (!t.isEmpty())
                Texte(x, yl, t, f, eH::Centre, eV::Centre);
            // Tie from an origin in the same system.
            if (origine && origine->Type != 3 && accOrigine) {
                auto it = xSysteme.find(accOrigine);
                if (it != xSysteme.end()) {
                    const QString to = origine->Type == 1 ? QString::number(origine->Case) : "x";
                    const double xa = it->second + LargeurTexte(to, Notes) / 2;
                    if (x > xa) {
                        G->setPen(Stylo(0.2));
                        const QRectF boite(xa * P, (yl + 1.1 - 1.125) * P, (x - xa) * P,
                                           2 * 1.125 * P);
                        G->drawArc(boite, 180 * 16, 180 * 16);
                    }
                }
            }
            if (!no->Effets)
                continue;
            const cEffets_Note &ef = *no->Effets;
            if (ef.Appogiature) {
                const cEffet_Appogiature &ap = *ef.Appogiature;
                QString tg = ap.Case == 255 ? QStringLiteral("x") : QString::number(ap.Case);
                if (ap.Nuance <= 4)
                    tg = "(" + tg + ")";
                const double droite = x - 0.7 - 0.2 * ap.Duree - larg / 2;
                Texte(droite, yl, tg, NotesGrace, eH::Droite, eV::Centre);
            }
            if (!Z.AffEff_Prt)
                continue;
            if (ef.Bend && ef.Bend->Type >= 1 && ef.Bend->Type <= 5) {
                const double aa = x + w / 2;
                const int type = ef.Bend->Type;
                G->setPen(Stylo(0.15));
                G->setBrush(Qt::NoBrush);
                // The rise: a quarter of the ellipse from (a + 0.5, string) to (a + 2.5, string - 2.75).
                G->drawArc(QRectF((aa - 1.5) * P, (yl - 5.5) * P, 4.0 * P, 5.5 * P), -90 * 16,
                           90 * 16);
                const double d = 0.8 / std::sqrt(2.0);
                const double pen2 = 0.15 / 2;
                const QString v = Fraction(ef.Bend->Valeur);
                if (type == 2 || type == 5) {
                    // The fall from the peak down to the string.
                    const QRectF boite((aa + 0.5) * P, (yl - 2.75) * P, 3.0 * P, 4.125 * P);
                    // From where the rise peaks (x = a + 2.5) to where it meets the string.
                    const double a0 = std::acos(1.0 / 3.0) * 180 / M_PI;
                    const double a1 = -std::asin(0.6875 / 2.0625) * 180 / M_PI;
                    G->drawArc(boite, N(a0 * 16), N((a1 - a0) * 16));
                    const double tx = aa + 3.5 - pen2, ty = yl;
                    Trait(tx, ty, tx - d, ty - d, 0.15);
                    Trait(tx, ty, tx + d, ty - d, 0.15);
                    Texte(aa + 1.5, yl - 2.75 - 0.2, v, Eff, eH::Droite, eV::Centre);
                } else {
                    const double tx = aa + 2.5 - pen2, ty = yl - 2.75;
                    Trait(tx, ty, tx - d, ty + d, 0.15);
                    Trait(tx, ty, tx + d, ty + d, 0.15);
                    Texte(aa + 2.0, ty - 0.2, v, Eff, eH::Droite, eV::Centre);
                }
            }
            if (ef.HammerPullOff || ef.Slide) {
                // The next note of type normal or dead on the same string in this measure.
                const cNote *suivante = nullptr;
                double xn = 0;
                int j = i + 1;
                for (const cAccord *b = a->Suivant; b; b = b->Suivant, ++j) {
                    if (no->Corde > b->NbNotes)
                        break;
                    const cNote *c = b->Notes[no->Corde];
                    if (c && (c->Type == 1 || c->Type == 3)) {
                        suivante = c;
                        xn = xs[j];
                        break;
                    }
                }
                double debut = x + 0.5 + w / 2;
                double fin = x + 8.0 - 0.5;
                if (suivante) {
                    const cNote *o2;
                    const cAccord *a2;
                    const QString t2 = TexteNote(*suivante, &mp, nullptr, &o2, &a2);
                    fin = xn - 0.5 - LargeurTexte(t2, suivante->Sugeree ? NotesRegulier : Notes) / 2;
                }
                if (fin - debut < 2.0) {
                    const double manque = (2.0 - (fin - debut)) / 2;
                    debut -= manque;
                    fin += manque;
                }
                // A tied note compares with its origin's fret.
                int fret = no->Case;
                if (no->Type == 2 && origine)
                    fret = origine->Type == 3 ? 0 : origine->Case;
                const int fretSuivant = suivante ? (suivante->Type == 3 ? 0 : suivante->Case) : fret;
                const bool monte = fretSuivant >= fret;
                G->setPen(Stylo(0.15));
                G->setBrush(Qt::NoBrush);
                if (ef.HammerPullOff) {
                    const double haut = yl - 0.9625, ry = (0.9625 + 0.4125) / 2;
                    const double cy = haut + ry;
                    const double angle = std::asin(std::clamp((cy - (yl - 0.33)) / ry, -1.0, 1.0)) *
                                         180 / M_PI;
                    G->drawArc(QRectF(debut * P, haut * P, (fin - debut) * P, 2 * ry * P),
                               N(angle * 16), N((180 - 2 * angle) * 16));
                    const double ht = HauteurTexte(Eff);
                    Texte((debut + fin) / 2, haut - (0.2 + 0.8 * ht), monte ? "HO" : "PO", Eff,
                          eH::Centre, eV::Haut);
                } else {
                    const double y1 = monte ? yl + 0.6875 : yl - 0.6875;
                    const double y2 = monte ? yl - 0.6875 : yl + 0.6875;
                    G->drawLine(QPointF(debut * P, y1 * P), QPointF(fin * P, y2 * P));
                    const double ht = HauteurTexte(Eff);
                    Texte((debut + fin) / 2, yl - 0.6875 - 0.8 * ht, QStringLiteral("sl."), Eff,
                          eH::Centre, eV::Haut);
                }
            }
        }

        // Rhythm.
        if (Z.AffRyt_Prt && a->Etat != 0) {
            if (a->Etat != 2 && a->CodeDuree >= -1) {
                const double ecart = 0.2 + hauteurZero / 2;
                auto tige = [&](double y1, double y2) {
                    if (y2 > y1)
                        Remplir(QRectF((x - 0.075) * P, y1 * P, std::max(1.0, 0.15 * P),
                                       (y2 - y1) * P));
                };
                if (a->CodeDuree == -1) {
                    tige(B - 2.0, B);
                } else {
                    int basse = 0, precedente = 0;
                    for (cNote *no = a->PremiereNote; no; no = no->Suivante) {
                        if (no->Type != 1)
                            continue;
                        if (precedente > 0 && no->Corde - precedente > 1)
                            tige(Y + (precedente - 1) * e + ecart, Y + (no->Corde - 1) * e - ecart);
                        precedente = no->Corde;
                        basse = no->Corde;
                    }
                    const double yDepart = basse > 0 ? Y + (basse - 1) * e : yBas;
                    tige(yDepart + ecart, B);
                }
            }
            const cAccord *pr = a->Precedent;
            if (pr && i > 0)
                for (int j = 0; j < pr->NbLiens; ++j)
                    Bloc(xs[i - 1], B - j - 0.5, x, B - j);
            if (a->Etat != 2) {
                const int liens = std::max(pr ? static_cast<int>(pr->NbLiens) : 0,
                                           static_cast<int>(a->NbLiens));
                const int code = std::max(0, static_cast<int>(a->CodeDuree));
                const bool gauche = a->CoteCrochet == 1;
                for (int j = liens; j < code; ++j) {
                    if (gauche)
                        Bloc(x - 2.0, B - j - 0.5, x, B - j);
                    else
                        Bloc(x, B - j - 0.5, x + 2.0, B - j);
                }
                if (a->Pointe) {
                    const int slot = std::max(liens, code);
                    Disque(gauche ? x - 1.0 : x + 1.0, B - slot - 0.25, 0.25);
                }
            }
        }

        // Rests.
        if (a->Etat == 2) {
            const double m = (Y + yBas) / 2;
            auto corde = [&](int c) { return Y + (std::min(c, n) - 1) * e; };
            G->setBrush(Qt::black);
            if (a->CodeDuree == -2) {
                const double yr = n == 4 ? corde(2) : n >= 5 ? corde(3) : m;
                Bloc(x - 1.5, yr, x + 1.5, yr + 1.5);
            } else if (a->CodeDuree == -1) {
                const double yr = n < 3 ? m : (n < 6 ? corde(3) : corde(4));
                Bloc(x - 1.5, yr - 1.5, x + 1.5, yr);
            } else if (a->CodeDuree == 0) {
                static const int pts[16][2] = {{0, -20}, {7, -10}, {2, 0},   {7, 10},
                                               {2, 8},   {0, 10},  {1, 14},  {4, 18},
                                               {-2, 14}, {-4, 10}, {-3, 7},  {-1, 5},
                                               {3, 5},   {-3, -2}, {3, -9},  {3, -12}};
                QPolygon poly;
                for (const auto &p : pts)
                    poly << QPoint(X(x + p[0] * 0.2), X(m + p[1] * 0.2));
                QPen pen(Qt::black);
                pen.setWidth(1);
                G->setPen(pen);
                G->drawPolygon(poly);
            } else {
                const double xp = x + 1.0, yp = m - 2.5;
                Trait(xp, yp, xp - 1.8, yp + 5.4, 0.35);
                for (int h = 0; h < std::min<int>(a->CodeDuree, 4); ++h) {
                    Trait(xp - 0.35 * h - 0.15, yp + 1.05 * h + 0.45, xp - 0.35 * h - 1.65,
                          yp + 1.05 * h + 0.85, 0.15);
                    G->setPen(Stylo(0.5));
                    G->setBrush(Qt::NoBrush);
                    G->drawEllipse(QRect(QPoint(X(xp - 0.35 * h - 2.05), X(yp + 1.05 * h + 0.45)),
                                         QPoint(X(xp - 0.35 * h - 1.45), X(yp + 1.05 * h + 0.85))));
                }
            }
            G->setBrush(Qt::NoBrush);
        }
    }

    Vider();

    // Tuplets.
    if (Z.AffRyt_Prt) {
        const double t = B + 1.0;
        i = 0;
        for (cAccord *a = mp.PremierAccord; a; a = a->Suivant, ++i) {
            if (a->Triolet <= 1)
                continue;
            if (!a->CrochetTuplet) {
                if (a->Etat != 0)
                    Texte(xs[i], t + 1.5, QString::number(a->Triolet), Triolet, eH::Centre,
                          eV::Centre, true);
                continue;
            }
            if (a->RangTuplet != 1)
                continue;
            int dernier = i;
            for (int q = 1; q < a->TailleTuplet && dernier + 1 < static_cast<int>(xs.size()); ++q)
                ++dernier;
            const double x1 = xs[i], x2 = xs[dernier];
            G->setPen(Stylo(0.2));
            G->setBrush(Qt::NoBrush);
            QPolygonF crochet;
            crochet << QPointF(x1 * P, (t + 0.5) * P) << QPointF(x1 * P, (t + 1.5) * P)
                    << QPointF(x2 * P, (t + 1.5) * P) << QPointF(x2 * P, (t + 0.5) * P);
            G->drawPolyline(crochet);
            Texte(Arrondi((x1 + x2) / 2), t + 1.5, " " + QString::number(a->Triolet) + " ", Triolet,
                  eH::Centre, eV::Centre, true);
        }
    }
    (void)xFin;
}

// ------------------------------------------------------------------ PDF

namespace {
// The running editor's print parameters; headless, those of the settings file when there is
// one, else the defaults.
TZoneImpression ParamImpression(bool &blackBlocks)
{
    if (Config) {
        blackBlocks = Config->BlackBlocks;
        return Config->ParamImp;
    }
    TZoneImpression z;
    blackBlocks = false;
    const std::string chemin = CheminConfiguration();
    if (!chemin.empty() && FichierExiste(chemin)) {
        cFichierIni ini;
        if (ini.Charger(chemin)) {
            LireParamImp(ini, "ParamImp", z);
            blackBlocks = ini.LireBooleen("ParamImp", "BlackBlocks", false);
        }
    }
    return z;
}
} // namespace

bool EcrirePDF(cPartition &p, const std::string &chemin, std::string &cle)
{
    cle = "MidiExp-EcritureFichierImpossibleEnregAb";
    const cPiste *piste = p.PisteNumero(OptionsConversion().Piste);
    if (!piste)
        return false;
    // The print parameters of the settings file when there is one, else the defaults.
    bool blackBlocks = false;
    const TZoneImpression z = ParamImpression(blackBlocks);
    QByteArray octets;
    {
        QBuffer tampon(&octets);
        if (!tampon.open(QIODevice::WriteOnly))
            return false;
        QPdfWriter pdf(&tampon);
        pdf.setResolution(600);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(VersQt(p.Informations ? p.Informations->Titre : std::string()));
        pdf.setCreator(QStringLiteral("Plectorium"));
        cRenduImpression rendu(p, *piste, z, blackBlocks, &ListeAccordsImpression());
        rendu.Traduire = [](const std::string &c) { return Utf8VersWin1252(TexteAnglais(c)); };
        if (!rendu.Imprimer(pdf, 0, 0))
            return false;
    }
    if (octets.isEmpty() ||
        !EcrireFichierSur(chemin, std::string_view(octets.constData(),
                                                   static_cast<std::size_t>(octets.size()))))
        return false;
    cle.clear();
    return true;
}
