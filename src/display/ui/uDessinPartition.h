// Painting of the score view: string lines and every element of a track measure, into the
// off-screen row buffer.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QStaticText>
#include <QImage>
#include <QPainter>

#include "display/uAffichage.h"
#include "display/uRythme.h"

// The configuration switches painting reads.
struct rOptionsDessin {
    bool ShowLetRingNotes = false;
    bool ShowDynamic = false;
    bool NoteFollowingRectangle = true;
    bool NoteFollowingTriangle = true;
    bool NoteFollowingColor = false;
    bool MontrerCurseur = true; // false for pictures of the score
};

QColor CouleurQt(uint32_t couleur); // 0x00BBGGRR
QFont PoliceQt(const TMyFont &f);

// A font with its metrics, built once per painter.
// Texts are shaped once and kept: a score repeats the same few fret numbers endlessly.
struct rPolice {
    QFont Police;
    QFontMetrics Metriques;
    mutable QHash<QString, QStaticText> Textes;
    mutable QHash<QString, int> Largeurs;
    explicit rPolice(const QFont &f) : Police(f), Metriques(f) {}
    int Largeur(const QString &t) const
    {
        auto i = Largeurs.constFind(t);
        if (i != Largeurs.constEnd())
            return *i;
        const int w = Metriques.horizontalAdvance(t);
        Largeurs.insert(t, w);
        return w;
    }
    const QStaticText &Statique(const QString &t) const
    {
        auto i = Textes.find(t);
        if (i == Textes.end()) {
            i = Textes.insert(t, QStaticText(t));
            i->setTextFormat(Qt::PlainText);
            i->prepare(QTransform(), Police);
        }
        return *i;
    }
};

class cDessinPartition {
public:
    cDessinPartition(cAffichage &aff, const rOptionsDessin &options);

    // Clears the row with ColBackG and draws the track's string lines.
    void DessinerLignes(QPainter &g, int largeurTampon, const cPiste &piste, int decalage);
    void DessinerMesure(QPainter &g, cMesurePiste &mp, int decalage);
    // One track row of a line (measures [premiere, fin)), ready to copy into the view.
    void DessinerRangee(QImage &tampon, cMesure *premiere, const cMesure *fin, cPiste &piste,
                        int decalage);

    // A chord diagram with its grid's left edge at `x` and its top at `y`, in the sizes of the
    // score's diagrams (1 large, 2 medium, 3 small: cells of 7, 6, 5 pixels): strings, frets,
    // nut, open and silent marks, dots, barres, the base fret left of the grid when above 1 and
    // `nom` under it when not empty. `f` is PoliceDiagramme().
    static void DessinerDiagramme(QPainter &g, const rDiagramme &d, int x, int y, int taille,
                                  const QColor &col, const QString &nom, const rPolice &f);
    static rPolice PoliceDiagramme();

    // Every line of the cursor's track in vertical mode, stacked, as one image.
    static QImage RendreVertical(cPartition &p, const TParamEcran &param, int largeur,
                                 const rOptionsDessin &options = {});

private:
    cAffichage &Aff;
    const rOptionsDessin &Opt;
    const TParamEcran &P() const { return *Aff.Param; }

    // State of the measure being drawn.
    cMesurePiste *Mp = nullptr;
    int NbCordes = 6;
    int Y0 = 0, YBas = 0, B = 0;
    int Origine = 0; // beat origin r
    bool Mauvaise = false;
    rGroupesRythme Groupes;

    QColor Couleur(int couleur) const;
    QColor Regle(int couleur) const { return Mauvaise ? CouleurQt(P().ColBadBar) : CouleurQt(couleur); }
    bool EstCurseur(const cAccord *a) const
    {
        return Opt.MontrerCurseur && Aff.Partition->Curseur.Accord == a;
    }
    bool EnLecture() const { return Aff.LectureEnCours; }

    static void Pixel(QPainter &g, int x, int y, const QColor &c) { g.fillRect(x, y, 1, 1, c); }
    static void Bloc(QPainter &g, int a, int b, int c, int d, const QColor &col)
    {
        if (b > a && d > c)
            g.fillRect(a, c, b - a, d - c, col);
    }
    // A line from P towards Q, Q left out.
    static void Ligne(QPainter &g, int x1, int y1, int x2, int y2, const QColor &c);
    static void Texte(QPainter &g, int x, int y, const QString &t, const rPolice &f,
                      const QColor &c);
    static QSize Taille(const QString &t, const rPolice &f)
    {
        return QSize(f.Largeur(t), f.Metriques.height());
    }

    rPolice Notes, NotesRegulier, Acc, Txt, Sign, Num, Renv, Arial9, Small5, Small6, Small7,
        SansSerif6;

    void DessinerSignature(QPainter &g, int decalage);
    void DessinerBarres(QPainter &g, int decalage);
    void DessinerRythme(QPainter &g, cAccord &a);
    void DessinerTuplets(QPainter &g);
    void DessinerNotes(QPainter &g, cAccord &a);
    void DessinerEffetsNote(QPainter &g, cAccord &a, cNote &n, int x, int y, int w);
    void DessinerSilence(QPainter &g, cAccord &a);
    void DessinerEffetsAccord(QPainter &g, cAccord &a);
    void DessinerAccord(QPainter &g, cAccord &a);
    void DessinerLecture(QPainter &g, cAccord &a);
    int XSuivant(const cAccord &a, int corde, const cNote **suivante) const;
};
