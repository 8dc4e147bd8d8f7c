// The print renderer: draws the pages of the print layout (display/uMiseEnPageImpression) as
// scalable lines, arcs and texts on any paint device: a printer, a PDF, the preview's image.
#pragma once

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <functional>
#include <string>
#include <unordered_map>

#include "config/uParamAffichage.h"
#include "display/uMiseEnPageImpression.h"

class QPagedPaintDevice;
class cListeAccordsImpression;
struct rDiagramme;

class cRenduImpression {
public:
    // The score and track stay untouched; the layout is the renderer's own.
    cRenduImpression(const cPartition &partition, const cPiste &piste, const TZoneImpression &z,
                     bool blackBlocks, const cListeAccordsImpression *liste);

    // Text of a message key ("Repet-A"); the key itself without one.
    std::function<std::string(const std::string &)> Traduire;

    // Lays the track out on paper of this size (millimetres). Returns the layout.
    const rMiseEnPageImp &MettreEnPage(double largeurMm, double hauteurMm);
    const rMiseEnPageImp &MiseEnPage() const { return Mp; }
    int NbPages() const { return Mp.NbPages; }

    // Draws page `page` (1-based) with the painter's origin at the paper's top left corner;
    // `dpi` is the device's resolution (fonts follow the device's own logical resolution,
    // which must be the same).
    void DessinerPage(QPainter &g, int page, double dpi);

    // Prints pages de..a (0, 0: all) on a paged device (printer, PDF writer) whose origin is
    // the paper corner. False when nothing could be drawn on it.
    bool Imprimer(QPagedPaintDevice &device, int de, int a);

private:
    const cPartition &Partition;
    const cPiste &Piste;
    TZoneImpression Z;
    bool BlackBlocks;
    const cListeAccordsImpression *Liste;
    rMiseEnPageImp Mp;

    // State of the page being drawn.
    QPainter *G = nullptr;
    double P = 1;   // device pixels per layout millimetre
    double Dpi = 96;
    QFont Notes, NotesRegulier, NotesGrace, NotesAccordage, Acc, Txt, Sign, AccDiag, Renv, Title,
        TitleDemi, Auteur, Comment, CommentRegulier, NumPage, Eff, EffItalic, ValEff, ValEffGrand,
        Triolet, NumM, Arial7Diag, Signe8, Signe5;

    // Metrics and text widths by font: the same few fret numbers come back thousands of times.
    struct rMetriques {
        QFontMetricsF M;
        QHash<QString, double> Largeurs; // device pixels
        QHash<QString, QList<QGlyphRun>> Glyphes; // shaped once, from the top left corner
    };
    mutable std::unordered_map<const QFont *, rMetriques> Metriques;
    const QFont *PoliceCourante = nullptr;
    rMetriques &MetriquesDe(const QFont &f) const;

    void PreparerPolices();
    QFont Police(const TMyFont &f, double tailleEnPlus = 0) const;
    QFont Police(const char *nom, double taille, bool gras = false, bool italique = false) const;
    int X(double mm) const;
    int Lg(double mm) const; // a length, at least one pixel
    QPen Stylo(double largeurMm) const;
    double LargeurTexte(const QString &t, const QFont &f) const; // mm
    double HauteurTexte(const QFont &f) const;                   // mm
    enum class eH { Gauche, Centre, Droite };
    enum class eV { Haut, Centre, Bas };
    void Texte(double x, double y, const QString &t, const QFont &f, eH h, eV v,
               bool fondBlanc = false);
    void Bloc(double x1, double y1, double x2, double y2);
    // Black areas of a measure gathered into one path and filled at once: a page holds
    // thousands of stems, beams and lines, and one fill costs far less than thousands.
    QList<QRectF> Noirs;
    bool Accumuler = false;
    void Remplir(const QRectF &r);
    void Vider();
    void Trait(double x1, double y1, double x2, double y2, double pen);
    void Disque(double cx, double cy, double r);

    void DessinerEnTete();
    void DessinerTriplet(double y0);
    void DessinerDiagramme(const rDiagramme &d, double x, double y);
    void DessinerSysteme(const rSystemeImp &s);
    void DessinerMesure(const rSystemeImp &s, int index, double yHaut);
    void DessinerBarre(double x, double y1, double y2, double largeur);
    void DessinerPoints(double x, double yHaut);
    void DessinerTemps(const rSystemeImp &s, int index, double yHaut);
    void DessinerNumeroPage(int page);
};

// --convert X.pl3 Y.pdf: the track of the conversion options printed to a PDF, written
// through a temporary file. Failure key "MidiExp-EcritureFichierImpossibleEnregAb".
bool EcrirePDF(cPartition &p, const std::string &chemin, std::string &cle);
