// The score view of the main window: the paint box with its two scroll bars. Rows are composed
// one at a time in an off-screen buffer and copied into the widget's backing store, so an edit
// repaints only the lines marked dirty and the view never flickers.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>

#include <memory>

#include "display/ui/uDessinPartition.h"

// While one lives, score views keep what they show instead of painting from the score: an
// operation that lets events through in its middle (a progress panel) holds the score half
// changed, and its layout is not yet made again.
class cGelVues {
public:
    cGelVues();
    ~cGelVues();
    cGelVues(const cGelVues &) = delete;
    cGelVues &operator=(const cGelVues &) = delete;
};

class TVuePartition : public QWidget {
    Q_OBJECT
public:
    TVuePartition(cPartition *partition, const TParamEcran *param, QWidget *parent = nullptr);
    ~TVuePartition() override;

    cAffichage Affichage;
    rOptionsDessin Options;

    // Relayout of everything (after loading, a change of mode, track or size) and a full repaint.
    void ActualiserTout();
    // Relayout after an edit in one track measure, then repaint of the dirty lines.
    void ActualiserMesure(cMesurePiste *mp);
    // Fonts or colours changed: rebuild the painter's fonts and repaint everything.
    void AppliquerPolices();
    // Asks for a repaint of the dirty lines (everything when ToutRedessiner).
    void Dessiner();
    // Repaints what was asked for while painting was held back (see cGelVues).
    void Degeler();

    // The View commands of the score view.
    void ChoisirMultipiste(bool multipiste);
    void ChoisirDefilementVertical(bool vertical);
    void ChoisirEspacementRegulier(bool regulier);
    void ChoisirProportionsStrictes(bool strictes);

    QWidget *PaintBox() const { return PaintBox_Partition; }
    QScrollBar *BarreV() const { return ScrollBar_TablatureV; }
    QScrollBar *BarreH() const { return ScrollBar_TablatureH; }

signals:
    void CurseurDeplace();            // a click moved the edit cursor
    void BarreEtatChangee(const rBarreEtat &etat);
    void FocusDemande();              // a click asks for the keyboard field
    void DoubleClic();                // a double click on the beat under the cursor

protected:
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    QWidget *PaintBox_Partition;
    QScrollBar *ScrollBar_TablatureV;
    QScrollBar *ScrollBar_TablatureH;
    QTimer Timer_RefreshAffScrollingH;
    QImage TamponLigne;
    bool RepeindreApresGel = false;
    std::unique_ptr<cDessinPartition> Peintre;
    cDessinPartition &Dessin();
    bool Synchronisation = false;

    void AppliquerBarres();
    QRegion LignesSales();
    void MesuresVisiblesH(cMesure *&premiere, cMesure *&fin) const;
    QImage &Tampon();
    void Peindre(QPainter &g, const QRect &zone);
    void Cliquer(int x, int y);
    void TaillerVue();
};
