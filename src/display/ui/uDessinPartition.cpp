#include "display/ui/uDessinPartition.h"

#include <QFontMetrics>
#include <cmath>

#include "config/ui/uTexteUI.h"
#include "model/uCodage.h"

namespace {
int N(double v) { return static_cast<int>(Arrondi(v)); }

struct Pt {
    int x1, y1, x2, y2; // an inclusive straight run; a single pixel when both ends agree
};
// The bend pictures, as runs of pixels from the picture's origin.
const std::vector<Pt> ImagesBend[5] = {
    {{0, 9, 0, 9}, {1, 9, 1, 9}, {2, 8, 2, 8}, {3, 8, 3, 8}, {4, 7, 4, 7}, {5, 6, 5, 6},
     {5, 5, 5, 5}, {6, 4, 6, 0}, {4, 2, 4, 2}, {5, 1, 5, 1}, {7, 1, 7, 1}, {8, 2, 8, 2}},
    {{0, 9, 0, 9}, {1, 9, 1, 9}, {2, 8, 2, 8}, {2, 7, 2, 7}, {3, 6, 3, 0}, {4, 0, 4, 0},
     {5, 0, 5, 0}, {6, 1, 6, 1}, {6, 2, 6, 2}, {7, 3, 7, 10}, {5, 8, 5, 8}, {6, 9, 6, 9},
     {8, 9, 8, 9}, {9, 8, 9, 8}},
    {{0, 9, 0, 9}, {1, 9, 1, 9}, {2, 8, 2, 8}, {2, 7, 2, 7}, {3, 6, 3, 0}, {4, 0, 4, 0},
     {5, 1, 5, 1}, {5, 2, 5, 2}, {6, 3, 6, 9}, {7, 9, 7, 9}, {8, 9, 8, 9}, {9, 8, 9, 8},
     {9, 7, 9, 7}, {10, 6, 10, 0}, {8, 2, 8, 2}, {9, 1, 9, 1}, {11, 1, 11, 1}, {12, 2, 12, 2}},
    {{0, 11, 0, 11}, {0, 10, 0, 10}, {0, 8, 0, 8}, {0, 7, 0, 7}, {0, 5, 0, 5}, {0, 4, 0, 4},
     {0, 2, 12, 2}, {10, 0, 10, 0}, {11, 1, 11, 1}, {11, 3, 11, 3}, {10, 4, 10, 4}},
    {{0, 11, 0, 11}, {0, 10, 0, 10}, {0, 8, 0, 8}, {0, 7, 0, 7}, {0, 5, 0, 5}, {0, 4, 0, 4},
     {0, 2, 6, 2}, {7, 3, 7, 3}, {8, 3, 8, 3}, {9, 4, 9, 4}, {9, 5, 9, 5}, {10, 6, 10, 11},
     {8, 9, 8, 9}, {9, 10, 9, 10}, {12, 9, 12, 9}, {11, 10, 11, 10}},
};
const int VagueVibrato[][2] = {{0, -10}, {1, -11}, {2, -11}, {2, -10}, {3, -11},
                               {3, -10}, {3, -9},  {4, -10}, {4, -9},  {5, -9}};
const int VagueTremolo[][2] = {{0, -10}, {1, -11}, {2, -12}, {3, -12}, {3, -11},
                               {4, -11}, {4, -10}, {5, -10}, {5, -9},  {6, -9},
                               {6, -8},  {7, -8},  {8, -9}};

QFont Police(const char *nom, int taille, bool gras = false)
{
    QFont f(QString::fromLatin1(nom));
    f.setPointSize(taille);
    f.setBold(gras);
    return f;
}

// Pixel of an arch of half width k at distance d% from its middle.
int HauteurArc(int d, bool dessous)
{
    if (dessous)
        return d >= 90 ? 5 : d >= 70 ? 6 : d >= 40 ? 7 : 8;
    return d >= 90 ? 5 : d >= 70 ? 6 : 7;
}
} // namespace

QColor CouleurQt(uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

QFont PoliceQt(const TMyFont &f)
{
    QFont q(QString::fromStdString(Win1252VersUtf8(f.Name)));
    q.setPointSize(f.Size > 0 ? f.Size : 8);
    q.setBold(f.Bold);
    q.setItalic(f.Italic);
    return q;
}

void cDessinPartition::Ligne(QPainter &g, int x1, int y1, int x2, int y2, const QColor &c)
{
    // Bresenham, end point excluded, like the platform's own lines.
    int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1, y = y1;
    while (!(x == x2 && y == y2)) {
        Pixel(g, x, y, c);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

namespace {
QFont SansGras(QFont f)
{
    f.setBold(false);
    return f;
}
} // namespace

cDessinPartition::cDessinPartition(cAffichage &aff, const rOptionsDessin &options)
    : Aff(aff), Opt(options), Notes(PoliceQt(aff.Param->FontNotes)),
      NotesRegulier(SansGras(PoliceQt(aff.Param->FontNotes))), Acc(PoliceQt(aff.Param->FontAcc)),
      Txt(PoliceQt(aff.Param->FontTxt)), Sign(PoliceQt(aff.Param->FontSign)),
      Num(PoliceQt(aff.Param->FontNum)), Renv(PoliceQt(aff.Param->FontRenv)),
      Arial9(Police("Arial", 9)), Small5(Police("Small Fonts", 5)),
      Small6(Police("Small Fonts", 6)), Small7(Police("Small Fonts", 7)),
      SansSerif6(Police("MS Sans Serif", 6))
{
}

void cDessinPartition::Texte(QPainter &g, int x, int y, const QString &t, const rPolice &f,
                             const QColor &c)
{
    g.setFont(f.Police);
    g.setPen(c);
    g.drawStaticText(x, y, f.Statique(t));
}

void cDessinPartition::DessinerLignes(QPainter &g, int largeur, const cPiste &piste, int decalage)
{
    g.fillRect(0, 0, largeur, Aff.HauteurRangee() + 1, CouleurQt(P().ColBackG));
    const int n = piste.NbCordes;
    const int y0 = Aff.Y0(n);
    int x1, x2;
    if (Aff.DefilementVertical) {
        x1 = P().MargeGaucheLignes + decalage;
        x2 = largeur - P().MargeDroiteLignes;
    } else {
        x1 = std::max(0, P().MargeGaucheLignes + decalage);
        x2 = largeur;
    }
    for (int i = 0; i < n; ++i)
        Bloc(g, x1, x2, y0 + i * P().EspLignes, y0 + i * P().EspLignes + 1, CouleurQt(P().ColLines));
}

void cDessinPartition::DessinerRangee(QImage &tampon, cMesure *premiere, const cMesure *fin,
                                      cPiste &piste, int decalage)
{
    QPainter g(&tampon);
    DessinerLignes(g, tampon.width(), piste, decalage);
    for (cMesure *m = premiere; m && m != fin; m = m->Suivante) {
        cMesurePiste *mp = m->PremiereMesurePiste;
        while (mp && mp->Piste != &piste)
            mp = mp->SuivanteDansMesure;
        if (mp)
            DessinerMesure(g, *mp, decalage);
    }
}

void cDessinPartition::DessinerMesure(QPainter &g, cMesurePiste &mp, int decalage)
{
    Mp = &mp;
    const cMesure &m = *mp.Mesure;
    NbCordes = mp.Piste->NbCordes;
    Y0 = Aff.Y0(NbCordes);
    YBas = Y0 + (NbCordes - 1) * P().EspLignes;
    B = P().EspPortees + 10 * NbCordes + 5 * P().EpCroches - 47;
    const bool curseurIci = Opt.MontrerCurseur && Aff.Partition->Curseur.MesurePiste == &mp;
    Mauvaise = mp.DureeTotale != m.Longueur && (!curseurIci || EnLecture());

    CalculerLiaisonsCroches(mp, Groupes);
    DessinerSignature(g, decalage);
    DessinerBarres(g, decalage);
    Origine = decalage + P().MargeGaucheLignes + N(m.X) + cAffichage::FixeAvantTemps(m);

    if (P().AffNum) {
        const rPolice &f = Num;
        const QString t = QString::number(m.Index);
        const int x = N(m.X) + P().MargeGaucheLignes + decalage;
        Texte(g, x - N(Taille(t, f).width() / 2.0), Y0 - 14, t, f, CouleurQt(P().FontNum.Col));
    }
    for (cAccord *a = mp.PremierAccord; a; a = a->Suivant)
        a->XAffiche = N(a->XRelatif * m.Etirement) + Origine;
    for (cAccord *a = mp.PremierAccord; a; a = a->Suivant) {
        if (P().AffRyt && (a->Etat != 0 || EstCurseur(a)))
            DessinerRythme(g, *a);
        if (EnLecture() && EstCurseur(a) && Opt.NoteFollowingTriangle) {
            const int x = a->XAffiche;
            const QColor c = CouleurQt(P().ColSelect);
            Ligne(g, x - 4, B + 8, x, B + 4, c);
            Ligne(g, x, B + 4, x + 4, B + 8, c);
            Ligne(g, x + 4, B + 8, x - 4, B + 8, c);
        }
        DessinerNotes(g, *a);
        if (a->Etat == 2)
            DessinerSilence(g, *a);
        if (a->Texte && P().AffTxt)
            Texte(g, a->XAffiche - 3, Y0 - P().EspTexte - 6,
                  VersQt(a->Texte->Texte), Txt, Regle(P().FontTxt.Col));
        if (a->Diagramme)
            DessinerAccord(g, *a);
        if (P().AffEff && a->Effets)
            DessinerEffetsAccord(g, *a);
        if (a->TableMix)
            Bloc(g, a->XAffiche - 2, a->XAffiche + 2, Y0 - 20, Y0 - 16, QColor(255, 0, 0));
    }
    if (P().AffRyt)
        DessinerTuplets(g);
    if (EnLecture() && Opt.NoteFollowingRectangle && curseurIci) {
        const int x1 = decalage + N(m.X) + P().MargeGaucheLignes + 7;
        const int x2 = decalage + N(P().MargeGaucheLignes + m.X + m.LargeurFixe +
                                    m.LargeurNaturelle * m.Etirement) - 5;
        QPen pen(CouleurQt(P().ColSelect));
        pen.setStyle(Qt::DotLine);
        g.setPen(pen);
        g.setBrush(Qt::NoBrush);
        g.drawRect(x1, Y0 - 8, x2 - x1 - 1, YBas + 10 - (Y0 - 8) - 1);
    }
    Mp = nullptr;
}

void cDessinPartition::DessinerSignature(QPainter &g, int decalage)
{
    const cMesure &m = *Mp->Mesure;
    const cMesure *prec = m.Precedente;
    if (prec && prec->Numerateur == m.Numerateur && prec->Denominateur == m.Denominateur)
        return;
    int b = decalage + P().MargeGaucheLignes + N(m.X);
    if (m.RenvoiDebut)
        b += 10;
    else if (!prec)
        b += 5;
    const int E = P().EspLignes * (NbCordes - 1);
    const rPolice &f = Sign;
    const QColor c = CouleurQt(P().FontSign.Col);
    auto centre = [&](int valeur, int yc) {
        const QString t = QString::number(valeur);
        const QSize s = Taille(t, f);
        Texte(g, b + 14 - N(s.width() / 2.0), yc - N(s.height() / 2.0), t, f, c);
    };
    centre(m.Numerateur, Y0 + 2 + N(E / 4.0));
    centre(m.Denominateur, Y0 + 2 + N(3.0 * E / 4.0));
}

void cDessinPartition::DessinerBarres(QPainter &g, int decalage)
{
    const cMesure &m = *Mp->Mesure;
    const QColor c = Regle(P().ColRythm);
    const int T = Y0, U = YBas;
    const int mi = N((T + U) / 2.0);
    const int f = decalage + N(m.X) + P().MargeGaucheLignes;
    Bloc(g, f, f + 2, T, U + 1, c);
    if (!m.Precedente || m.RenvoiDebut)
        Bloc(g, f + 3, f + 5, T, U + 1, c);
    g.setRenderHint(QPainter::Antialiasing, false);
    auto point = [&](int x, int y) {
        g.setPen(Qt::NoPen);
        g.setBrush(c);
        g.drawEllipse(x, y, 5, 5);
    };
    if (m.RenvoiDebut) {
        point(f + 6, mi - 7);
        point(f + 6, mi + 3);
    }
    const int u = decalage + N(P().MargeGaucheLignes + m.X + m.LargeurFixe +
                               m.LargeurNaturelle * m.Etirement);
    Bloc(g, u, u + 2, T, U + 1, c);
    if (m.RenvoiFin > 0 || !Mp->SuivanteDansPiste)
        Bloc(g, u - 3, u - 1, T, U + 1, c);
    if (m.RenvoiFin > 0) {
        point(u - 9, mi - 7);
        point(u - 9, mi + 3);
        if (m.RenvoiFin > 1)
            Texte(g, u - 9, T - 12, QString::number(m.RenvoiFin) + "x", Renv,
                  CouleurQt(P().FontRenv.Col));
    }
    if (m.Repetition > 0) {
        const QColor noir(0, 0, 0);
        Bloc(g, f, f + 1, 3, 21, noir);
        Bloc(g, f, f + 39, 3, 4, noir);
        const int p = m.PremierNumeroRepetition();
        QString t = QString::number(p);
        if (m.Repetition != p)
            t += " " + VersQt(Aff.Texte("Repet-A")) + " " + QString::number(m.Repetition);
        const rPolice &fr = Arial9;
        Texte(g, f + 4, 20 - Taille(t, fr).height(), t, fr, noir);
    }
}

void cDessinPartition::DessinerRythme(QPainter &g, cAccord &a)
{
    const QColor c = Regle(P().ColRythm);
    const int x = a.XAffiche;
    const int ep = P().EpCroches;
    if (a.Etat != 2 && a.CodeDuree > -2) {
        int haut;
        if (a.CodeDuree == -1) {
            haut = B - 7;
        } else {
            haut = YBas + 7;
            for (cNote *n = a.PremiereNote; n; n = n->Suivante)
                if (n->Type == 1 || n->Type == 3) {
                    haut = Y0 + (n->Corde - 1) * P().EspLignes + 7;
                    break;
                }
        }
        Bloc(g, x - 1, x, haut, B + 1, c);
    }
    // Full beams from the previous beat.
    if (const cAccord *pr = a.Precedent) {
        for (int k = 0; k < pr->NbLiens; ++k) {
            const int bas = B + 1 - k * (ep + 1);
            Bloc(g, pr->XAffiche - 1, x, bas - ep, bas, c);
        }
    }
    if (a.Etat == 2)
        return;
    const int nb = std::max(0, static_cast<int>(a.CodeDuree));
    const bool gauche = a.CoteCrochet == 1;
    for (int k = 0; k < nb; ++k) {
        const int bas = B + 1 - k * (ep + 1);
        if (gauche)
            Bloc(g, x - 6, x - 1, bas - ep, bas, c);
        else
            Bloc(g, x, x + 5, bas - ep, bas, c);
    }
    if (a.Pointe) {
        const int bas = B + 1 - nb * (ep + 1);
        if (gauche)
            Bloc(g, x - 6, x - 4, bas - ep, bas, c);
        else
            Bloc(g, x + 3, x + 5, bas - ep, bas, c);
    }
}

void cDessinPartition::DessinerTuplets(QPainter &g)
{
    const QColor c = Regle(P().ColRythm);
    const rPolice &f = Small6;
    for (cAccord *a = Mp->PremierAccord; a; a = a->Suivant) {
        if (a->Triolet <= 1)
            continue;
        if (!a->CrochetTuplet) {
            if (a->Etat != 0 || EstCurseur(a)) {
                const QString t = QString::number(a->Triolet);
                Texte(g, a->XAffiche - 1 - N(Taille(t, f).width() / 2.0), B + 1, t, f, c);
            }
            continue;
        }
        if (a->RangTuplet != 1)
            continue;
        cAccord *dernier = a;
        for (int i = 1; i < a->TailleTuplet && dernier->Suivant; ++i)
            dernier = dernier->Suivant;
        const int x1 = a->XAffiche - 1, x2 = dernier->XAffiche - 1;
        Bloc(g, x1, x1 + 1, B + 3, B + 7, c);
        Bloc(g, x1, x2 + 1, B + 6, B + 7, c);
        Bloc(g, x2, x2 + 1, B + 2, B + 7, c);
        const QString t = " " + QString::number(a->Triolet) + " ";
        const QSize s = Taille(t, f);
        const int xg = N((x1 + 1 + x2 + 1) / 2.0) - N(s.width() / 2.0) - 2;
        g.fillRect(xg, B + 1, s.width(), s.height(), CouleurQt(P().ColBackG));
        Texte(g, xg, B + 1, t, f, c);
    }
}

int cDessinPartition::XSuivant(const cAccord &a, int corde, const cNote **suivante) const
{
    *suivante = nullptr;
    for (const cAccord *b = a.Suivant; b; b = b->Suivant) {
        if (corde > b->NbNotes)
            break;
        const cNote *n = b->Notes[corde];
        if (n->Type == 1 || n->Type == 3) {
            *suivante = n;
            return N(b->XRelatif * Mp->Mesure->Etirement) + Origine;
        }
    }
    return 0;
}

void cDessinPartition::DessinerNotes(QPainter &g, cAccord &a)
{
    const rPolice &base = Notes;
    const rPosition &cur = Aff.Partition->Curseur;
    const int x = a.XAffiche;
    for (cNote *n = a.PremiereNote; n; n = n->Suivante) {
        const int y = Y0 + (n->Corde - 1) * P().EspLignes;
        QString t = "  ";
        const cAccord *accOrigine = nullptr;
        const cNote *origine = nullptr;
        if (n->Type == 3)
            t = "x";
        else if (n->Type == 1)
            t = QString::number(n->Case);
        else if (n->Type == 2) {
            origine = OrigineLiaison(Mp, &a, n->Corde, &accOrigine);
            t = (!origine || origine->Type == 3) ? "L" : "  ";
        }
        if (n->Sugeree && t.trimmed().size() > 0)
            t = "(" + t + ")";
        const rPolice &f = (n->Sugeree || n->Type == 2) ? NotesRegulier : base;
        QColor couleur;
        const bool joue = EnLecture() && Opt.NoteFollowingColor && EstCurseur(&a);
        if (Opt.ShowDynamic && !joue) {
            double q = double(n->Nuance) * n->Nuance / 64.0;
            if (q <= 1.0 / 64)
                q = 3.0 / 64;
            const int v = 255 - N(255 * q);
            couleur = QColor(v, v, v);
        } else if (joue) {
            couleur = QColor(255, 0, 0);
        } else {
            couleur = Regle(P().FontNotes.Col);
        }
        if (Opt.ShowLetRingNotes && n->ALetRing() && t.trimmed().size() > 0)
            t += "..";
        const QSize s = Taille(t, f);
        const int w = s.width(), h = s.height();
        const bool estCurseur = Opt.MontrerCurseur && cur.Note == n && !EnLecture();
        const QColor fond = CouleurQt(P().ColBackG);
        if (!estCurseur && t.trimmed().size() > 0) {
            Bloc(g, N(x - w / 2.0) - 2, N(x + w / 2.0) + 2, y, y + 1, fond);
            const bool dessusCurseur = n->Precedente && cur.Note == n->Precedente;
            Bloc(g, x - 1, x, dessusCurseur ? y - 2 : y - 5, y + 8, fond);
        }
        if (estCurseur) {
            const QRect r(QPoint(N(x - w / 2.0) - 2, N(y - h / 2.0) + 2),
                          QPoint(N(x + w / 2.0) + 1, N(y + h / 2.0)));
            g.setPen(QColor(0, 0, 0));
            g.setBrush(Aff.Partition->AttenteChiffre ? fond : QColor(255, 255, 0));
            g.drawRect(r.adjusted(0, 0, -1, -1));
        }
        Texte(g, N(x - w / 2.0), N(y - h / 2.0) + 1, t, f, couleur);
        if (origine && origine->Type != 3 && accOrigine) {
            // Tie arc from the origin's text to this beat.
            const QString to = origine->Type == 1 ? QString::number(origine->Case) : "x";
            const int b = accOrigine->XAffiche + N(Taille(to, base).width() / 2.0);
            const int e = x - 1;
            if (e > b) {
                const int k = std::max(1, N((e - b + 1) / 2.0));
                const int milieu = b + k;
                for (int px = b; px <= e; ++px) {
                    const int d = N(std::abs(px - milieu) * 100.0 / k);
                    Pixel(g, px, y + HauteurArc(d, true), Regle(P().ColRythm));
                }
            }
        }
        if (n->Effets)
            DessinerEffetsNote(g, a, *n, x, y, w);
    }
}

void cDessinPartition::DessinerEffetsNote(QPainter &g, cAccord &a, cNote &n, int x, int y, int w)
{
    const cEffets_Note &e = *n.Effets;
    const QColor c = Regle(P().ColEff);
    if (P().AffEff && e.Bend && e.Bend->Type >= 1 && e.Bend->Type <= 5) {
        const int oa = N(x + w / 2.0) + 1, ob = y - 11;
        for (const Pt &p : ImagesBend[e.Bend->Type - 1]) {
            const int dx = p.x2 > p.x1 ? 1 : p.x2 < p.x1 ? -1 : 0;
            const int dy = p.y2 > p.y1 ? 1 : p.y2 < p.y1 ? -1 : 0;
            for (int px = p.x1, py = p.y1;; px += dx, py += dy) {
                Pixel(g, oa + px, ob + py, c);
                if (px == p.x2 && py == p.y2)
                    break;
            }
        }
        const int xm = e.Bend->Type == 1 ? oa : oa - 1;
        const int v = e.Bend->Valeur;
        if (v == 100) {
            Texte(g, xm, ob - 9, "Full", Small6, c);
        } else {
            const int entier = v / 100, frac = v % 100;
            const QString fr = frac == 25 ? QString(QChar(0xBC))
                               : frac == 50 ? QString(QChar(0xBD))
                               : frac == 75 ? QString(QChar(0xBE))
                                            : QString();
            if (entier > 0)
                Texte(g, fr.isEmpty() ? xm + 3 : xm, ob - 10, QString::number(entier),
                      Small7, c);
            if (!fr.isEmpty())
                Texte(g, entier > 0 ? xm + 5 : xm + 3, ob - 11, fr, SansSerif6, c);
        }
    }
    const cNote *suivante = nullptr;
    if (P().AffEff && e.HammerPullOff) {
        const int xs = XSuivant(a, n.Corde, &suivante);
        const int b = x + N(w / 2.0) - 3;
        int fin = x + 21;
        if (suivante) {
            const int ws = Taille(QString::number(suivante->Case), Notes).width();
            fin = xs - N(ws / 2.0) + 1;
        }
        const int k = std::max(1, N((fin - b + 1) / 2.0));
        const int milieu = b + k;
        for (int px = b; px <= fin; ++px) {
            const int d = N(std::abs(px - milieu) * 100.0 / k);
            Pixel(g, px, y - HauteurArc(d, false), c);
            if (d < 40)
                Pixel(g, px, y - 8, c);
        }
    }
    if (P().AffEff && e.Slide) {
        const int xs = XSuivant(a, n.Corde, &suivante);
        const int x1 = x + N(w / 2.0) + 1;
        if (!suivante) {
            Ligne(g, x1, y - 3, x + 17, y - 3, c);
        } else {
            const int ws = Taille(QString::number(suivante->Case), Notes).width();
            int fret = n.Type == 3 ? 0 : n.Case;
            if (n.Type == 2)
                if (const cNote *o = OrigineLiaison(Mp, &a, n.Corde))
                    fret = o->Type == 3 ? 0 : o->Case;
            const int fs = suivante->Type == 3 ? 0 : suivante->Case;
            if (fs < fret)
                Ligne(g, x1, y - 2, xs - N(ws / 2.0) - 2, y + 2, c);
            else
                Ligne(g, x1, y + 2, xs - N(ws / 2.0) - 2, y - 2, c);
        }
    }
    if (e.Appogiature) {
        const cEffet_Appogiature &ap = *e.Appogiature;
        QString t = ap.Case == 255 ? QString("x") : QString::number(ap.Case);
        if (ap.Nuance <= 4)
            t = "(" + t + ")";
        const rPolice &f = Small6;
        const int tw = Taille(t, f).width();
        const int xg = x - N(w / 2.0) - tw - ap.Duree - 3;
        Bloc(g, xg - 1, xg + tw + 2, y, y + 1, CouleurQt(P().ColBackG));
        Texte(g, xg, y - 5, t, f, Regle(P().FontNotes.Col));
    }
}

void cDessinPartition::DessinerSilence(QPainter &g, cAccord &a)
{
    const int S = P().EspLignes, n = NbCordes;
    const int c = a.XAffiche - 1;
    const int t = Y0 + n * S - N(n * S / 2.0) - 5;
    const bool joue = EnLecture() && Opt.NoteFollowingColor && EstCurseur(&a);
    const QColor col = joue ? QColor(255, 0, 0) : Regle(P().ColRythm);
    const int code = a.CodeDuree;
    if (code == -2) {
        Bloc(g, c - 4, c + 5, t - 5, t, col);
    } else if (code == -1) {
        Bloc(g, c - 4, c + 5, t + 1, t + 6, col);
    } else if (code == 0) {
        const QPoint pts[16] = {{c, t - 8},     {c + 3, t - 5}, {c + 3, t - 3}, {c + 1, t},
                                {c + 1, t + 2}, {c + 3, t + 5}, {c, t + 5},     {c + 1, t + 9},
                                {c - 2, t + 6}, {c - 2, t + 4}, {c - 1, t + 3}, {c + 2, t + 3},
                                {c - 1, t},     {c - 1, t - 1}, {c + 2, t - 4}, {c + 1, t - 7}};
        g.setPen(col);
        g.setBrush(col);
        g.drawPolygon(pts, 16);
    } else {
        const int cp = c + 4, tp = t - 8;
        Ligne(g, cp, tp, cp - 5, tp + 17, col);
        for (int j = 0; j < code; ++j) {
            Ligne(g, cp - j, tp + 4 * j, cp - j - 6, tp + 4 * j + 2, col);
            Bloc(g, cp - j - 4, cp - j - 2, tp + 4 * j, tp + 4 * j + 3, col);
            Pixel(g, cp - j - 5, tp + 4 * j + 1, col);
        }
    }
    if (a.Pointe) {
        const int px = code == -2 || code == -1 ? c + 6 : code == 0 ? c + 4 : c + 3;
        const int py = code == -2 ? t - 2 : code == -1 ? t + 1 : t + 8;
        Bloc(g, px, px + 2, py, py + 2, col);
    }
}

void cDessinPartition::DessinerEffetsAccord(QPainter &g, cAccord &a)
{
    const cEffets_Accord &e = *a.Effets;
    const QColor c = Regle(P().ColEff);
    const int x = a.XAffiche;
    const double et = Mp->Mesure->Etirement;
    const int D = a.Suivant ? N((a.Suivant->XRelatif - a.XRelatif) * et) : -1;
    auto vagues = [&](const int (*pts)[2], int nbPts, int pas, int sansSuivant) {
        int nb = sansSuivant;
        if (D >= 0) {
            const int q = static_cast<int>(Tronque(double(D) / pas));
            nb = q >= 3 ? q - 1 : 2;
        }
        for (int k = 0; k < nb; ++k)
            for (int i = 0; i < nbPts; ++i)
                Pixel(g, x + pas * k + pts[i][0], Y0 + pts[i][1], c);
    };
    if (e.Vibrato)
        vagues(VagueVibrato, 10, 6, 3);
    if (e.TremoloBar)
        vagues(VagueTremolo, 13, 9, 2);
    const rPolice &petite = Small6;
    QString h;
    if (e.HarmoniqueNaturelle)
        h = "H";
    if (e.HarmoniqueArtificielle)
        h = "A.H.";
    if (e.FadeIn)
        h = "<";
    if (!h.isEmpty())
        Texte(g, x - 1 - N(Taille(h, petite).width() / 2.0), Y0 - 15, h, petite, c);
    if (e.Frappe >= 1 && e.Frappe <= 3)
        Texte(g, x - 3, Y0 - 14, QString("TSP"[e.Frappe - 1]), petite, c);
    if (e.CoupVibrato > 0) {
        Ligne(g, x - 11, Y0 - 14, x, Y0 - 9, c);
        Ligne(g, x, Y0 - 9, x + 11, Y0 - 15, c);
        const int v = e.CoupVibrato;
        const QString t = v == 25   ? QString("1/4")
                          : v == 50 ? QString("1/2")
                          : v == 75 ? QString("3/4")
                                    : QString::number(v / 100.0);
        const rPolice &f = Small5;
        const QSize s = Taille(t, f);
        Texte(g, x - N(s.width() / 2.0), Y0 - 15 - N(s.height() / 2.0), t, f, c);
    }
    if (e.BrushUp > 0 || e.BrushDown > 0) {
        const int he = Y0 + 2, hb = YBas - 2;
        Bloc(g, x + 10, x + 11, he, hb + 1, c);
        if (e.BrushUp > 0) {
            Pixel(g, x + 9, he + 1, c);
            Pixel(g, x + 8, he + 2, c);
            Pixel(g, x + 11, he + 1, c);
            Pixel(g, x + 12, he + 2, c);
        }
        if (e.BrushDown > 0) {
            Pixel(g, x + 9, hb - 1, c);
            Pixel(g, x + 8, hb - 2, c);
            Pixel(g, x + 11, hb - 1, c);
            Pixel(g, x + 12, hb - 2, c);
        }
    }
}

void cDessinPartition::DessinerAccord(QPainter &g, cAccord &a)
{
    const cDiagramme &d = *a.Diagramme;
    bool nomSeul = d.Fondamentale == 12;
    for (int k = 0; k < 6 && nomSeul; ++k)
        nomSeul = d.Cases[k] == -1;
    const int x = a.XAffiche;
    const QString nom = VersQt(d.NomTexte());
    if (P().AffChordsName && (nomSeul || !P().AffDiag)) {
        Texte(g, x - 3, Y0 - P().EspNomAc - 7, nom, Acc, Regle(P().FontAcc.Col));
        return;
    }
    if (!P().AffDiag || nomSeul)
        return;
    const int type = std::clamp(P().TypeDiag, 1, 3);
    const int haut = Y0 - P().EspDiagAc - (type == 3 ? 28 : 26);
    DessinerDiagramme(g, d, x - 13, haut, type, Regle(P().ColDiag),
                      P().AffChordsName ? nom : QString(), Small7);
}

rPolice cDessinPartition::PoliceDiagramme() { return rPolice(Police("Small Fonts", 7)); }

void cDessinPartition::DessinerDiagramme(QPainter &g, const rDiagramme &d, int r, int haut,
                                         int type, const QColor &col, const QString &nom,
                                         const rPolice &f)
{
    type = std::clamp(type, 1, 3);
    const int c = type == 3 ? 5 : type == 2 ? 6 : 7;
    for (int i = 0; i <= 5; ++i) {
        Bloc(g, r, r + 5 * c + 1, haut + c * i, haut + c * i + 1, col);
        Bloc(g, r + c * i, r + c * i + 1, haut, haut + 5 * c + 1, col);
    }
    int u = 0;
    if (d.PremiereCase == 1) {
        Bloc(g, r, r + 5 * c + 1, haut - 2, haut - 1, col);
        u = 2;
    }
    auto xs = [&](int k) { return r + 5 * c - c * (k - 1); };
    auto yf = [&](int f) { return haut + c * (f - d.PremiereCase); };
    g.setRenderHint(QPainter::Antialiasing, false);
    for (int k = 1; k <= 6; ++k) {
        const int s = xs(k), v = d.Cases[k - 1];
        const int b = haut - u;
        if (v == -1) {
            if (type == 3) {
                Ligne(g, s - 1, b - 4, s + 2, b - 1, col);
                Ligne(g, s + 1, b - 4, s - 2, b - 1, col);
            } else if (type == 2) {
                Ligne(g, s - 1, b - 5, s + 3, b - 1, col);
                Ligne(g, s + 2, b - 5, s - 2, b - 1, col);
            } else {
                Ligne(g, s - 2, b - 6, s + 3, b - 1, col);
                Ligne(g, s + 2, b - 6, s - 3, b - 1, col);
            }
        } else if (v == 0) {
            if (type == 3) {
                for (auto [dx, dy] : {std::pair{0, -4}, {-1, -3}, {0, -2}, {1, -3}})
                    Pixel(g, s + dx, b + dy, col);
            } else if (type == 2) {
                for (auto [dx, dy] : {std::pair{0, -5}, {1, -5}, {2, -4}, {2, -3}, {1, -2},
                                      {0, -2}, {-1, -3}, {-1, -4}})
                    Pixel(g, s + dx, b + dy, col);
            } else {
                g.setPen(col);
                g.setBrush(Qt::NoBrush);
                g.drawEllipse(s - 2, b - 6, 4, 4);
            }
        } else if (v > 0) {
            const int y = yf(v);
            if (type == 3) {
                Bloc(g, s - 1, s + 2, y + 2, y + 4, col);
            } else if (type == 2) {
                Bloc(g, s - 1, s + 2, y + 2, y + 5, col);
                Pixel(g, s - 2, y + 3, col);
                Pixel(g, s + 2, y + 3, col);
            } else {
                g.setPen(Qt::NoPen);
                g.setBrush(col);
                g.drawEllipse(s - 2, y + 2, 5, 4);
            }
        }
    }
    for (int k = 0; k < std::clamp(d.NbBarres, 0, 2); ++k) {
        const int yb = yf(d.BarreCase[k]);
        const int dd = xs(d.BarreDebut[k]), e = xs(d.BarreFin[k]);
        if (type == 3) {
            Ligne(g, dd + 1, yb + 2, e - 2, yb + 2, col);
            Ligne(g, dd + 1, yb + 3, e - 2, yb + 3, col);
        } else {
            const int hb = type == 2 ? 3 : 4;
            Bloc(g, e - 1, dd + 2, yb + 2, yb + 2 + hb, col);
            for (int py = yb + 3; py <= yb + (type == 2 ? 3 : 4); ++py) {
                Pixel(g, e - 2, py, col);
                Pixel(g, dd + 2, py, col);
            }
        }
    }
    if (d.PremiereCase > 1) {
        const QString t = QString::number(d.PremiereCase);
        const int w = Taille(t, f).width();
        Texte(g, r - w - (type == 3 ? 2 : 3), haut - (type == 1 ? 1 : 2), t, f, col);
    }
    if (!nom.isEmpty()) {
        const int w = Taille(nom, f).width();
        const int dx = type == 3 ? 12 : type == 2 ? 15 : 17;
        const int dy = type == 3 ? 26 : type == 2 ? 31 : 36;
        Texte(g, r - N(w / 2.0) + dx, haut + dy, nom, f, col);
    }
}

QImage cDessinPartition::RendreVertical(cPartition &p, const TParamEcran &param, int largeur,
                                        const rOptionsDessin &options)
{
    cAffichage aff(&p, &param);
    aff.LargeurVue = largeur;
    aff.GarderMesureVisible = false;
    aff.CompterPistesVisibles();
    aff.ActualiserPiste();
    const int R = aff.HauteurRangee();
    const cMesure *derniere = p.DerniereMesure();
    const int lignes = derniere ? derniere->Ligne : 1;
    QImage image(largeur, std::max(1, lignes) * R, QImage::Format_RGB32);
    image.fill(CouleurQt(param.ColBackG));
    cPiste *piste = p.PisteNumero(p.Curseur.NumPiste);
    if (!piste)
        return image;
    cDessinPartition dessin(aff, options);
    QImage tampon(largeur + 1, R + 1, QImage::Format_RGB32);
    QPainter sortie(&image);
    for (cMesure *m = p.PremiereMesure; m;) {
        cMesure *fin = m;
        while (fin && fin->Ligne == m->Ligne)
            fin = fin->Suivante;
        dessin.DessinerRangee(tampon, m, fin, *piste, 0);
        sortie.drawImage(0, m->Y, tampon);
        m = fin;
    }
    return image;
}
