#include "app/ui/uIconesOutils.h"

#include "fileio/uEcritureSure.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <QPixmapCache>

#include <sys/stat.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <unordered_map>
#include <functional>
#include <map>

namespace {
// Every picture is drawn on a 24 x 24 square, scaled to the size asked.
constexpr double Cote = 24;
using FnPeindre = std::function<void(QPainter &)>;

QFont Police(double taille, bool gras, bool italique, bool serif = true)
{
    QFont f(serif ? QStringLiteral("Serif") : QStringLiteral("Sans Serif"));
    f.setStyleHint(serif ? QFont::Serif : QFont::SansSerif);
    f.setPixelSize(static_cast<int>(std::lround(taille)));
    f.setBold(gras);
    f.setItalic(italique);
    return f;
}

void Texte(QPainter &p, const QRectF &r, const QString &t, double taille, bool gras = true,
           bool italique = false, bool serif = true)
{
    p.setFont(Police(taille, gras, italique, serif));
    p.drawText(r, Qt::AlignCenter, t);
}

void Trait(QPainter &p, double largeur)
{
    QPen s = p.pen();
    s.setWidthF(largeur);
    s.setCapStyle(Qt::RoundCap);
    s.setJoinStyle(Qt::RoundJoin);
    p.setPen(s);
}

// A note head centred at (x, y) with its stem up and `crochets` flags; code as the tables.
void Note(QPainter &p, double x, double y, int code, double echelle = 1)
{
    const QColor c = p.pen().color();
    p.save();
    p.translate(x, y);
    p.scale(echelle, echelle);
    p.save();
    p.rotate(-22);
    Trait(p, code <= -1 ? 1.4 : 1);
    p.setBrush(code <= -1 ? Qt::NoBrush : QBrush(c));
    p.drawEllipse(QRectF(-3.6, -2.5, 7.2, 5));
    p.restore();
    if (code >= -1) {
        Trait(p, 1.3);
        p.drawLine(QPointF(3.1, -0.8), QPointF(3.1, -15));
        Trait(p, 1.5);
        for (int k = 0; k < code && k < 5; ++k) {
            const double h = -15 + 3.1 * k;
            QPainterPath fl(QPointF(3.1, h));
            fl.cubicTo(QPointF(4, h + 3), QPointF(8.5, h + 3.5), QPointF(7, h + 8));
            p.setBrush(Qt::NoBrush);
            p.drawPath(fl);
        }
    }
    p.restore();
}

void Point(QPainter &p, double x, double y, double r = 1.5)
{
    const QColor c = p.pen().color();
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QPointF(x, y), r, r);
    p.restore();
}

void Silence(QPainter &p)
{
    Trait(p, 2.2);
    QPainterPath z(QPointF(10, 3));
    z.lineTo(14.5, 8.5);
    z.lineTo(10.5, 12.5);
    z.lineTo(14.5, 17);
    p.drawPath(z);
    Trait(p, 1.8);
    QPainterPath q(QPointF(14, 16.5));
    q.cubicTo(QPointF(9, 15), QPointF(8.5, 19), QPointF(12, 21.5));
    p.drawPath(q);
}

// A tuplet number over its bracket, as written over the grouped notes.
void Triolet(QPainter &p, int n)
{
    Trait(p, 1.5);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(3, 21), QPointF(3, 16), QPointF(21, 16), QPointF(21, 21)}));
    Texte(p, QRectF(0, 0, 24, 16), QString::number(n), n >= 10 ? 12 : 15, true, true);
}

void Fleche(QPainter &p, QPointF de, QPointF a, double pointe = 4)
{
    p.drawLine(de, a);
    const double ang = std::atan2(a.y() - de.y(), a.x() - de.x());
    for (double s : {+0.5, -0.5})
        p.drawLine(a, a - QPointF(pointe * std::cos(ang + s), pointe * std::sin(ang + s)));
}

// Tablature string lines behind an effect sign.
void Cordes(QPainter &p)
{
    p.save();
    QPen s = p.pen();
    QColor c = s.color();
    c.setAlphaF(0.35);
    s.setColor(c);
    s.setWidthF(0.8);
    p.setPen(s);
    for (double y : {7.0, 12.0, 17.0})
        p.drawLine(QPointF(1, y), QPointF(23, y));
    p.restore();
}

// A fret number on a string line, its background cleared.
void Case(QPainter &p, double x, double y, const QString &t, double taille = 8)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QGuiApplication::palette().color(QPalette::Button));
    p.drawRect(QRectF(x - 3, y - 4, 6, 8));
    p.restore();
    Texte(p, QRectF(x - 5, y - 5, 10, 10), t, taille, true, false, false);
}

void Vague(QPainter &p, double x0, double x1, double y, double amplitude, double periode)
{
    QPainterPath v(QPointF(x0, y));
    for (double x = x0; x + periode <= x1 + 0.01; x += periode)
        v.cubicTo(QPointF(x + periode / 3, y - amplitude), QPointF(x + 2 * periode / 3, y + amplitude),
                  QPointF(x + periode, y));
    p.setBrush(Qt::NoBrush);
    p.drawPath(v);
}

void Drapeau(QPainter &p)
{
    Trait(p, 1.4);
    p.drawLine(QPointF(6, 3), QPointF(6, 21));
    QColor c = p.pen().color();
    p.save();
    p.setBrush(c);
    p.drawPolygon(QPolygonF({QPointF(6, 3.5), QPointF(17, 7), QPointF(6, 11)}));
    p.restore();
}

void Transport(QPainter &p, const std::string &forme)
{
    const QColor c = p.pen().color();
    p.setBrush(c);
    p.setPen(Qt::NoPen);
    auto triangle = [&](double x, bool droite) {
        if (droite)
            p.drawPolygon(QPolygonF({QPointF(x, 6), QPointF(x + 8, 12), QPointF(x, 18)}));
        else
            p.drawPolygon(QPolygonF({QPointF(x + 8, 6), QPointF(x, 12), QPointF(x + 8, 18)}));
    };
    auto barre = [&](double x) { p.drawRect(QRectF(x, 6, 2.2, 12)); };
    if (forme == "play")
        p.drawPolygon(QPolygonF({QPointF(7, 4), QPointF(20, 12), QPointF(7, 20)}));
    else if (forme == "stop")
        p.drawRect(QRectF(6, 6, 12, 12));
    else if (forme == "debut")
        barre(3), triangle(5.5, false), triangle(13, false);
    else if (forme == "fin")
        triangle(3, true), triangle(10.5, true), barre(18.8);
    else if (forme == "arriere")
        triangle(4, false), triangle(12, false);
    else if (forme == "avant")
        triangle(4, true), triangle(12, true);
    else if (forme == "pasar")
        barre(6), triangle(9, false);
    else if (forme == "pasav")
        triangle(7, true), barre(15.8);
}

const std::map<std::string, FnPeindre> &Peintres()
{
    static const std::map<std::string, FnPeindre> m = [] {
        std::map<std::string, FnPeindre> t;
        // Beat and note values.
        const char *accord[] = {"Duree_Accord_Ronde",   "Duree_Accord_Blanche", "Duree_Accord_Noire",
                                "Duree_Accord_Croche",  "Duree_Accord_DCroche", "Duree_Accord_TCroche",
                                "Duree_Accord_QCroche"};
        const char *note[] = {"Duree_Note_Ronde",   "Duree_Note_Blanche", "Duree_Note_Noire",
                              "Duree_Note_Croche",  "Duree_Note_DCroche", "Duree_Note_TCroche",
                              "Duree_Note_QCroche"};
        for (int k = 0; k < 7; ++k) {
            const int code = k - 2;
            t[accord[k]] = [code](QPainter &p) { Note(p, 9, code <= -2 ? 12 : 18, code); };
            // A note's own value: the same sign on a single tablature string.
            t[note[k]] = [code](QPainter &p) {
                Cordes(p);
                Note(p, 9, code <= -2 ? 12 : 18, code, 0.95);
            };
        }
        t["Duree_Accord_Pointe"] = [](QPainter &p) {
            Note(p, 8, 18, 0, 0.8);
            Point(p, 17, 17, 2.2);
        };
        t["Duree_Note_Pointe"] = [](QPainter &p) {
            Cordes(p);
            Note(p, 8, 18, 0, 0.8);
            Point(p, 17, 17, 2.2);
        };
        for (int n : {3, 5, 6, 7, 9, 10, 11, 12, 13})
            t["Duree_Accord_Triolet_" + std::to_string(n)] = [n](QPainter &p) { Triolet(p, n); };
        t["Duree_Note_XTuplet"] = [](QPainter &p) {
            Cordes(p);
            Triolet(p, 3);
        };
        t["Duree_Accord_Silence"] = [](QPainter &p) { Silence(p); };
        t["Duree_Note_Liee"] = [](QPainter &p) {
            Note(p, 6, 18, 0, 0.7);
            Note(p, 17, 18, 0, 0.7);
            Trait(p, 1.3);
            QPainterPath a(QPointF(5, 21.5));
            a.cubicTo(QPointF(9, 25), QPointF(14, 25), QPointF(17, 21.5));
            p.setBrush(Qt::NoBrush);
            p.drawPath(a);
        };

        // Transport.
        t["Lecture_JouerPosEC"] = [](QPainter &p) { Transport(p, "play"); };
        t["Lecture_JouerDebut"] = [](QPainter &p) { Transport(p, "play"); };
        t["Lecture_JouerMesureEC"] = [](QPainter &p) { Transport(p, "play"); };
        t["Lecture_Stop"] = [](QPainter &p) { Transport(p, "stop"); };
        t["Lecture_Debut"] = [](QPainter &p) { Transport(p, "debut"); };
        t["Lecture_Fin"] = [](QPainter &p) { Transport(p, "fin"); };
        t["Lecture_RetourRapide"] = [](QPainter &p) { Transport(p, "arriere"); };
        t["Lecture_AvanceRapide"] = [](QPainter &p) { Transport(p, "avant"); };
        t["Lecture_PasAPas_Ar"] = [](QPainter &p) { Transport(p, "pasar"); };
        t["Lecture_PasAPas_Av"] = [](QPainter &p) { Transport(p, "pasav"); };
        t["Lecture_EnBoucle"] = [](QPainter &p) {
            Trait(p, 2);
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(4, 5, 16, 14), 30 * 16, 300 * 16);
            Fleche(p, QPointF(17.5, 4), QPointF(18.9, 8.2), 4);
        };
        t["Lecture_Metronome"] = [](QPainter &p) {
            Trait(p, 1.5);
            p.setBrush(Qt::NoBrush);
            p.drawPolygon(QPolygonF({QPointF(8, 3), QPointF(16, 3), QPointF(20, 21), QPointF(4, 21)}));
            p.drawLine(QPointF(5.5, 16), QPointF(18.5, 16));
            Trait(p, 1.8);
            p.drawLine(QPointF(12, 16), QPointF(17, 5));
            Point(p, 15.2, 9, 1.8);
        };
        t["Lecture_CountDown"] = [](QPainter &p) {
            Texte(p, QRectF(0, 0, 24, 24), QStringLiteral("4321"), 8.5, true, false, false);
            Trait(p, 1.2);
            Fleche(p, QPointF(3, 18), QPointF(21, 18), 3);
        };

        // Effects, as they are written on the tablature.
        t["EffetNote_BendType"] = [](QPainter &p) {
            Cordes(p);
            Case(p, 6, 17, "7");
            Trait(p, 1.5);
            QPainterPath c(QPointF(10, 17));
            c.cubicTo(QPointF(15, 17), QPointF(17, 14), QPointF(17, 5));
            p.setBrush(Qt::NoBrush);
            p.drawPath(c);
            Fleche(p, QPointF(17, 8), QPointF(17, 3), 3.5);
        };
        t["EffetNote_HOPO"] = [](QPainter &p) {
            Cordes(p);
            Case(p, 6, 17, "5");
            Case(p, 18, 17, "7");
            Trait(p, 1.4);
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(5, 5, 14, 14), 30 * 16, 120 * 16);
            Texte(p, QRectF(7, 0, 10, 10), QStringLiteral("h"), 8, true, true);
        };
        t["EffetNote_PickSlide"] = [](QPainter &p) {
            Cordes(p);
            Case(p, 5, 17, "5");
            Case(p, 19, 7, "7");
            Trait(p, 1.6);
            p.drawLine(QPointF(8.5, 15.5), QPointF(15.5, 8.5));
        };
        t["EffetNote_LetRing"] = [](QPainter &p) {
            Cordes(p);
            Case(p, 5, 17, "5");
            QPen s = p.pen();
            s.setWidthF(1.5);
            s.setStyle(Qt::DashLine);
            p.setPen(s);
            p.drawLine(QPointF(9, 17), QPointF(23, 17));
            s.setStyle(Qt::SolidLine);
            p.setPen(s);
            Texte(p, QRectF(2, 0, 20, 10), QStringLiteral("l.r."), 8, true, true);
        };
        t["EffetNote_Sugeree"] = [](QPainter &p) {
            Cordes(p);
            Case(p, 12, 12, "5", 9);
            Texte(p, QRectF(0, 2, 24, 20), QStringLiteral("(   )"), 14, false, false, false);
        };
        t["EffetNote_DeadNote"] = [](QPainter &p) {
            Cordes(p);
            p.save();
            p.setPen(Qt::NoPen);
            p.setBrush(QGuiApplication::palette().color(QPalette::Button));
            p.drawRect(QRectF(7, 7, 10, 10));
            p.restore();
            Trait(p, 2);
            p.drawLine(QPointF(8, 8), QPointF(16, 16));
            p.drawLine(QPointF(16, 8), QPointF(8, 16));
        };
        t["EffetNote_Appogiature"] = [](QPainter &p) {
            // A small note struck through, before the main one.
            Note(p, 7, 17, 1, 0.65);
            Trait(p, 1.1);
            p.drawLine(QPointF(5, 12), QPointF(12, 5));
            Note(p, 16, 18, 0, 0.9);
        };
        t["EffetAccord_Vibrato"] = [](QPainter &p) {
            Trait(p, 1.8);
            Vague(p, 2, 22, 12, 3.5, 5);
        };
        t["EffetAccord_CoupVB"] = [](QPainter &p) {
            Trait(p, 2.6);
            Vague(p, 2, 22, 12, 5, 10);
        };
        t["EffetAccord_TremoloBar"] = [](QPainter &p) {
            Trait(p, 1.6);
            p.setBrush(Qt::NoBrush);
            p.drawPolyline(QPolygonF({QPointF(2, 7), QPointF(12, 18), QPointF(22, 7)}));
            Texte(p, QRectF(4, 0, 16, 10), QStringLiteral("w/bar"), 6, true, false, false);
        };
        t["EffetAccord_HarmN"] = [](QPainter &p) {
            Cordes(p);
            p.save();
            p.setBrush(QGuiApplication::palette().color(QPalette::Button));
            Trait(p, 1.4);
            p.drawPolygon(QPolygonF({QPointF(12, 4), QPointF(20, 12), QPointF(12, 20), QPointF(4, 12)}));
            p.restore();
            Texte(p, QRectF(7, 7, 10, 10), QStringLiteral("12"), 6.5, true, false, false);
        };
        t["EffetAccord_HarmA"] = [](QPainter &p) {
            Cordes(p);
            p.save();
            p.setBrush(QGuiApplication::palette().color(QPalette::Button));
            Trait(p, 1.4);
            p.drawPolygon(QPolygonF({QPointF(12, 7), QPointF(17, 12), QPointF(12, 17), QPointF(7, 12)}));
            p.restore();
            Texte(p, QRectF(0, 15, 24, 9), QStringLiteral("A.H."), 6.5, true, false, false);
        };
        t["EffetAccord_FadeIn"] = [](QPainter &p) {
            Trait(p, 1.6);
            p.drawLine(QPointF(3, 12), QPointF(21, 5));
            p.drawLine(QPointF(3, 12), QPointF(21, 19));
        };
        t["EffetAccord_Tapping"] = [](QPainter &p) {
            Texte(p, QRectF(0, 0, 24, 24), QStringLiteral("T"), 16, true);
        };
        t["EffetAccord_Slap"] = [](QPainter &p) {
            Texte(p, QRectF(0, 0, 24, 24), QStringLiteral("S"), 16, true);
        };
        t["EffetAccord_Pop"] = [](QPainter &p) {
            Texte(p, QRectF(0, 0, 24, 24), QStringLiteral("P"), 16, true);
        };
        // The caption of each brush command names its direction.
        for (auto [nom, bas] : {std::pair{"EffetAccord_BrushUp", true},
                                std::pair{"EffetAccord_BrushDown", false}}) {
            const bool versLeBas = bas;
            t[nom] = [versLeBas](QPainter &p) {
                Trait(p, 1.4);
                p.save();
                p.translate(12, 12);
                p.rotate(90);
                Vague(p, -9, 5, 0, 2.2, 3.5);
                p.restore();
                Trait(p, 1.6);
                if (versLeBas)
                    Fleche(p, QPointF(12, 16), QPointF(12, 22), 4);
                else
                    Fleche(p, QPointF(12, 8), QPointF(12, 2), 4);
            };
        }
        t["Accord_Texte"] = [](QPainter &p) {
            Texte(p, QRectF(0, 0, 24, 24), QStringLiteral("Abc"), 10, false, true);
        };
        t["Accord_Diagramme"] = [](QPainter &p) {
            // A chord box: four strings, three frets, the nut thick, three fingers.
            Trait(p, 1.1);
            p.setBrush(Qt::NoBrush);
            for (int k = 0; k < 4; ++k)
                p.drawLine(QPointF(5 + 4.5 * k, 5), QPointF(5 + 4.5 * k, 21));
            for (int k = 1; k < 4; ++k)
                p.drawLine(QPointF(5, 5 + 5.3 * k), QPointF(18.5, 5 + 5.3 * k));
            Trait(p, 2.4);
            p.drawLine(QPointF(5, 4.5), QPointF(18.5, 4.5));
            Point(p, 9.5, 13, 1.9);
            Point(p, 14, 13, 1.9);
            Point(p, 5, 18.2, 1.9);
        };

        // Dynamics.
        for (auto [nom, sigle] :
             {std::pair{"Dynamic_ppp", "ppp"}, std::pair{"Dynamic_pp", "pp"},
              std::pair{"Dynamic_p", "p"}, std::pair{"Dynamic_mp", "mp"},
              std::pair{"Dynamic_mf", "mf"}, std::pair{"Dynamic_f", "f"},
              std::pair{"Dynamic_ff", "ff"}, std::pair{"Dynamic_fff", "fff"}}) {
            const QString s = QString::fromLatin1(sigle);
            t[nom] = [s](QPainter &p) {
                Texte(p, QRectF(-2, 0, 28, 22), s, s.size() >= 3 ? 11 : 14, true, true);
            };
        }
        t["Dynamic_Accord"] = [](QPainter &p) {
            Note(p, 9, 20, 0, 0.7);
            Note(p, 9, 15.5, 0, 0.7);
            Note(p, 9, 11, 0, 0.7);
            Texte(p, QRectF(10, 0, 14, 12), QStringLiteral("f"), 11, true, true);
        };

        // Bars and markers.
        t["Bar_Insert"] = [](QPainter &p) {
            Trait(p, 1.4);
            p.drawLine(QPointF(17, 4), QPointF(17, 20));
            Trait(p, 2);
            p.drawLine(QPointF(4, 12), QPointF(12, 12));
            p.drawLine(QPointF(8, 8), QPointF(8, 16));
        };
        t["Mesure_Signature"] = [](QPainter &p) {
            Texte(p, QRectF(0, 0, 24, 13), QStringLiteral("4"), 12, true);
            Texte(p, QRectF(0, 10, 24, 13), QStringLiteral("4"), 12, true);
        };
        t["Mesure_RenvDeb"] = [](QPainter &p) {
            p.setBrush(p.pen().color());
            p.setPen(Qt::NoPen);
            p.drawRect(QRectF(5, 4, 3, 16));
            p.drawRect(QRectF(10, 4, 1.2, 16));
            p.drawEllipse(QPointF(15, 9), 1.6, 1.6);
            p.drawEllipse(QPointF(15, 15), 1.6, 1.6);
        };
        t["Mesure_RenvFin"] = [](QPainter &p) {
            p.setBrush(p.pen().color());
            p.setPen(Qt::NoPen);
            p.drawRect(QRectF(16, 4, 3, 16));
            p.drawRect(QRectF(12.8, 4, 1.2, 16));
            p.drawEllipse(QPointF(9, 9), 1.6, 1.6);
            p.drawEllipse(QPointF(9, 15), 1.6, 1.6);
        };
        t["Mesure_Repet"] = [](QPainter &p) {
            Trait(p, 1.3);
            p.setBrush(Qt::NoBrush);
            p.drawPolyline(QPolygonF({QPointF(3, 20), QPointF(3, 5), QPointF(22, 5)}));
            Texte(p, QRectF(3, 5, 12, 12), QStringLiteral("1."), 10, true);
        };
        t["Marker_Ajouter"] = [](QPainter &p) {
            Drapeau(p);
            Trait(p, 1.8);
            p.drawLine(QPointF(13, 17), QPointF(21, 17));
            p.drawLine(QPointF(17, 13), QPointF(17, 21));
        };
        t["Marker_Liste"] = [](QPainter &p) {
            Drapeau(p);
            Trait(p, 1.3);
            for (double y : {14.0, 17.0, 20.0})
                p.drawLine(QPointF(11, y), QPointF(21, y));
        };
        t["Marker_AllerPrec"] = [](QPainter &p) {
            p.translate(4, 0);
            Drapeau(p);
            p.translate(-4, 0);
            Trait(p, 1.6);
            Fleche(p, QPointF(9, 17), QPointF(2, 17), 3.5);
        };
        t["Marker_AllerSuiv"] = [](QPainter &p) {
            Drapeau(p);
            Trait(p, 1.6);
            Fleche(p, QPointF(12, 17), QPointF(21, 17), 3.5);
        };

        // View.
        t["Affichage_Vue_Multipiste"] = [](QPainter &p) {
            Trait(p, 1.1);
            p.setBrush(Qt::NoBrush);
            for (double y : {3.0, 10.0, 17.0}) {
                p.drawRect(QRectF(3, y, 18, 5));
                p.drawLine(QPointF(9, y), QPointF(9, y + 5));
                p.drawLine(QPointF(15, y), QPointF(15, y + 5));
            }
        };
        t["Affichage_Scrolling_Vertical"] = [](QPainter &p) {
            Trait(p, 1.6);
            Fleche(p, QPointF(12, 12), QPointF(12, 3), 4);
            Fleche(p, QPointF(12, 12), QPointF(12, 21), 4);
        };
        t["Affichage_Scrolling_Horizontal"] = [](QPainter &p) {
            Trait(p, 1.6);
            Fleche(p, QPointF(12, 12), QPointF(3, 12), 4);
            Fleche(p, QPointF(12, 12), QPointF(21, 12), 4);
        };
        t["Affichage_MontrerLetRing"] = t["EffetNote_LetRing"];
        t["Affichage_MontrerDynamique"] = [](QPainter &p) {
            Texte(p, QRectF(-2, 0, 28, 22), QStringLiteral("mf"), 14, true, true);
            Trait(p, 1);
            p.drawLine(QPointF(3, 21), QPointF(21, 21));
        };

        // Editing.
        t["Edition_Couper"] = [](QPainter &p) {
            Trait(p, 1.4);
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(7, 18), 3, 3);
            p.drawEllipse(QPointF(17, 18), 3, 3);
            p.drawLine(QPointF(9, 15.5), QPointF(17, 3));
            p.drawLine(QPointF(15, 15.5), QPointF(7, 3));
        };
        t["Edition_Copier"] = [](QPainter &p) {
            Trait(p, 1.3);
            p.setBrush(QGuiApplication::palette().color(QPalette::Base));
            p.drawRect(QRectF(4, 3, 11, 14));
            p.drawRect(QRectF(9, 8, 11, 14));
        };
        t["Edition_Coller"] = [](QPainter &p) {
            Trait(p, 1.3);
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(4, 5, 14, 17));
            p.setBrush(QGuiApplication::palette().color(QPalette::Base));
            p.drawRect(QRectF(8, 3, 6, 4));
            p.drawRect(QRectF(11, 10, 10, 12));
        };
        t["Fichier_Nouveau"] = [](QPainter &p) {
            Trait(p, 1.3);
            p.setBrush(QGuiApplication::palette().color(QPalette::Base));
            p.drawPolygon(QPolygonF({QPointF(5, 2.5), QPointF(14, 2.5), QPointF(19, 7.5),
                                     QPointF(19, 21.5), QPointF(5, 21.5)}));
            p.setBrush(Qt::NoBrush);
            p.drawPolyline(QPolygonF({QPointF(14, 2.5), QPointF(14, 7.5), QPointF(19, 7.5)}));
        };
        t["Fichier_Ouvrir"] = [](QPainter &p) {
            Trait(p, 1.3);
            p.setBrush(Qt::NoBrush);
            p.drawPolygon(QPolygonF({QPointF(2.5, 5), QPointF(8.5, 5), QPointF(10.5, 7),
                                     QPointF(18.5, 7), QPointF(18.5, 19.5), QPointF(2.5, 19.5)}));
            p.setBrush(QGuiApplication::palette().color(QPalette::Base));
            p.drawPolygon(QPolygonF({QPointF(6, 11), QPointF(22, 11), QPointF(18.5, 19.5),
                                     QPointF(2.5, 19.5)}));
        };
        t["Fichier_Enregistrer"] = [](QPainter &p) {
            Trait(p, 1.3);
            p.setBrush(Qt::NoBrush);
            p.drawPolygon(QPolygonF({QPointF(3.5, 3.5), QPointF(17.5, 3.5), QPointF(20.5, 6.5),
                                     QPointF(20.5, 20.5), QPointF(3.5, 20.5)}));
            p.drawRect(QRectF(7.5, 3.5, 8, 5.5));
            p.setBrush(QGuiApplication::palette().color(QPalette::Base));
            p.drawRect(QRectF(6.5, 12.5, 11, 8));
            p.setBrush(Qt::NoBrush);
            Point(p, 13.5, 6.2, 1.1);
        };
        t["Fichier_Imprimer"] = [](QPainter &p) {
            Trait(p, 1.3);
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(7, 3, 10, 6));
            p.drawRoundedRect(QRectF(3, 9, 18, 8), 1.5, 1.5);
            p.setBrush(QGuiApplication::palette().color(QPalette::Base));
            p.drawRect(QRectF(7, 14, 10, 7));
        };
        return t;
    }();
    return m;
}

// Icons painted in an earlier run, kept as pixels: the tool bars show at start without loading
// the fonts of their letters (a font match each). A file from another build, Qt or palette is
// ignored; so is a damaged one.
struct rCacheIcones {
    std::string Chemin; // empty: nothing is kept on disk
    std::string Empreinte;
    std::unordered_map<std::string, QImage> Images;
    bool Change = false;
};

rCacheIcones &CacheIcones()
{
    static rCacheIcones c;
    return c;
}

constexpr char MagieCache[] = "PLIC1\n";
constexpr std::size_t MaxImagesCache = 4096, MaxCleCache = 200, MaxCoteCache = 512;

// What the pixels depend on besides the icon's name, size and mode.
std::string EmpreinteIcones()
{
    std::string e = qVersion();
    struct stat st {};
    if (::stat("/proc/self/exe", &st) == 0)
        e += ' ' + std::to_string(st.st_size) + ' ' + std::to_string(st.st_mtim.tv_sec) + '.' +
             std::to_string(st.st_mtim.tv_nsec);
    const QPalette pal = QGuiApplication::palette();
    for (auto [groupe, role] : {std::pair{QPalette::Active, QPalette::ButtonText},
                                std::pair{QPalette::Disabled, QPalette::ButtonText},
                                std::pair{QPalette::Active, QPalette::Button},
                                std::pair{QPalette::Active, QPalette::Base}})
        e += ' ' + std::to_string(pal.color(groupe, role).rgba());
    return e;
}

void Ajouter32(std::string &s, uint32_t v)
{
    for (int k = 0; k < 4; ++k)
        s += static_cast<char>((v >> (8 * k)) & 0xFF);
}

class cLecteurCache {
public:
    explicit cLecteurCache(const std::string &d) : D(d) {}
    bool Octets(std::size_t n, std::string_view &v)
    {
        if (D.size() - P < n)
            return false;
        v = std::string_view(D).substr(P, n);
        P += n;
        return true;
    }
    bool Entier(uint32_t &v)
    {
        std::string_view o;
        if (!Octets(4, o))
            return false;
        v = 0;
        for (int k = 3; k >= 0; --k)
            v = (v << 8) | static_cast<unsigned char>(o[k]);
        return true;
    }
    bool Fini() const { return P == D.size(); }

private:
    const std::string &D;
    std::size_t P = 0;
};

std::unordered_map<std::string, QImage> LireCacheIcones(const std::string &donnees)
{
    std::unordered_map<std::string, QImage> images;
    cLecteurCache l(donnees);
    std::string_view v;
    uint32_t n = 0;
    if (!l.Octets(sizeof MagieCache - 1, v) || v != MagieCache || !l.Entier(n) ||
        !l.Octets(n, v) || v != CacheIcones().Empreinte || !l.Entier(n) || n > MaxImagesCache)
        return {};
    for (uint32_t k = 0; k < n; ++k) {
        uint32_t lc = 0, w = 0, h = 0;
        std::string_view cle, pixels;
        if (!l.Entier(lc) || lc > MaxCleCache || !l.Octets(lc, cle) || !l.Entier(w) ||
            !l.Entier(h) || w == 0 || h == 0 || w > MaxCoteCache || h > MaxCoteCache ||
            !l.Octets(std::size_t(w) * h * 4, pixels))
            return {};
        QImage im(int(w), int(h), QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < int(h); ++y)
            std::memcpy(im.scanLine(y), pixels.data() + std::size_t(y) * w * 4, std::size_t(w) * 4);
        images.emplace(std::string(cle), std::move(im));
    }
    if (!l.Fini())
        return {};
    return images;
}

const QImage *ImageEnCache(const std::string &cle)
{
    const auto &c = CacheIcones();
    auto i = c.Images.find(cle);
    return i == c.Images.end() ? nullptr : &i->second;
}

void MettreEnCache(const std::string &cle, const QImage &image)
{
    auto &c = CacheIcones();
    if (c.Chemin.empty())
        return;
    c.Images.insert_or_assign(cle, image);
    c.Change = true;
}

class TMoteurIcone : public QIconEngine {
public:
    TMoteurIcone(std::string nom, FnPeindre peindre) : Nom(std::move(nom)), Peindre(std::move(peindre)) {}

    void paint(QPainter *p, const QRect &r, QIcon::Mode mode, QIcon::State) override
    {
        const QPalette pal = QGuiApplication::palette();
        QColor c = pal.color(mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active,
                             QPalette::ButtonText);
        if (mode == QIcon::Disabled)
            c.setAlphaF(0.45);
        p->save();
        p->setRenderHint(QPainter::Antialiasing);
        p->setRenderHint(QPainter::TextAntialiasing);
        const double cote = std::min(r.width(), r.height());
        p->translate(r.x() + (r.width() - cote) / 2.0, r.y() + (r.height() - cote) / 2.0);
        p->scale(cote / Cote, cote / Cote);
        QPen s(c);
        s.setWidthF(1.2);
        p->setPen(s);
        p->setBrush(Qt::NoBrush);
        Peindre(*p);
        p->restore();
    }

    QPixmap pixmap(const QSize &taille, QIcon::Mode mode, QIcon::State etat) override
    {
        return scaledPixmap(taille, mode, etat, 1.0);
    }

    // `taille` is already in device pixels; `echelle` only labels the pixmap.
    QPixmap scaledPixmap(const QSize &taille, QIcon::Mode mode, QIcon::State etat,
                         qreal echelle) override
    {
        const QSize physique = taille;
        const QString cle = QStringLiteral("plec-icone-%1-%2x%3-%4")
                                .arg(QString::fromStdString(Nom))
                                .arg(physique.width())
                                .arg(physique.height())
                                .arg(static_cast<int>(mode));
        QPixmap pm;
        if (QPixmapCache::find(cle, &pm))
            return pm;
        const std::string cleDisque = cle.toStdString();
        if (const QImage *im = ImageEnCache(cleDisque)) {
            pm = QPixmap::fromImage(*im);
        } else {
            QImage image(physique, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            {
                QPainter p(&image);
                paint(&p, QRect(QPoint(0, 0), physique), mode, etat);
            }
            MettreEnCache(cleDisque, image);
            pm = QPixmap::fromImage(image);
        }
        pm.setDevicePixelRatio(echelle);
        QPixmapCache::insert(cle, pm);
        return pm;
    }

    QSize actualSize(const QSize &taille, QIcon::Mode, QIcon::State) override { return taille; }
    QIconEngine *clone() const override { return new TMoteurIcone(Nom, Peindre); }
    QString key() const override { return QStringLiteral("plectorium"); }

private:
    std::string Nom;
    FnPeindre Peindre;
};
} // namespace

QIcon IconeCommande(const std::string &nom)
{
    auto i = Peintres().find(nom);
    if (i == Peintres().end())
        return QIcon();
    return QIcon(new TMoteurIcone(nom, i->second));
}

QIcon IconeValeurNote(int code)
{
    return QIcon(new TMoteurIcone("valeur" + std::to_string(code), [code](QPainter &p) {
        Note(p, 10, code <= -2 ? 12 : 18, code);
    }));
}

bool AIcone(const std::string &nom) { return Peintres().count(nom) != 0; }

void ActiverCacheIcones(const std::string &chemin)
{
    auto &c = CacheIcones();
    c = rCacheIcones();
    c.Chemin = chemin;
    if (chemin.empty())
        return;
    c.Empreinte = EmpreinteIcones();
    std::ifstream f(chemin, std::ios::binary | std::ios::ate);
    const std::streamoff taille = f ? static_cast<std::streamoff>(f.tellg()) : -1;
    if (taille <= 0 || taille > (std::streamoff(64) << 20))
        return;
    std::string donnees(static_cast<std::size_t>(taille), '\0');
    f.seekg(0);
    if (!f.read(donnees.data(), taille))
        return;
    c.Images = LireCacheIcones(donnees);
}

std::size_t NbIconesEnCache() { return CacheIcones().Images.size(); }

bool EnregistrerCacheIcones()
{
    auto &c = CacheIcones();
    // Pictures of another palette than the one loaded with would be kept under a wrong name.
    const std::string empreinte = EmpreinteIcones();
    if (c.Chemin.empty() || !c.Change || empreinte != c.Empreinte)
        return true;
    std::string s = MagieCache;
    Ajouter32(s, static_cast<uint32_t>(empreinte.size()));
    s += empreinte;
    const std::size_t n = std::min(c.Images.size(), MaxImagesCache);
    Ajouter32(s, static_cast<uint32_t>(n));
    std::size_t k = 0;
    for (const auto &[cle, im] : c.Images) {
        if (k++ == n)
            break;
        const QImage i = im.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        Ajouter32(s, static_cast<uint32_t>(cle.size()));
        s += cle;
        Ajouter32(s, static_cast<uint32_t>(i.width()));
        Ajouter32(s, static_cast<uint32_t>(i.height()));
        for (int y = 0; y < i.height(); ++y)
            s.append(reinterpret_cast<const char *>(i.constScanLine(y)),
                     std::size_t(i.width()) * 4);
    }
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(c.Chemin).parent_path(), ec);
    if (!EcrireFichierSur(c.Chemin, s))
        return false;
    c.Change = false;
    return true;
}
