// The score view of the main window: the paint box with its two scroll bars. Lines are
// composed row by row in an off-screen buffer and kept in a backing image, so an edit repaints
// only the lines marked dirty and the view never flickers.
#pragma once

#include <QImage>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>

#include <memory>

#include "display/ui/uDessinPartition.h"

class TVuePartition : public QWidget {
    Q_OBJECT
public:
    TVuePartition(cPartition *partition, const TParamEcran *param, QWidget *parent = nullptr);

    cAffichage Affichage;
    rOptionsDessin Options;

    // Relayout of everything (after loading, a change of mode, track or size) and a full repaint.
    void ActualiserTout();
    // Relayout after an edit in one track measure, then repaint of the dirty lines.
    void ActualiserMesure(cMesurePiste *mp);
    // Fonts or colours changed: rebuild the painter's fonts and repaint everything.
    void AppliquerPolices();
    // Repaints into the backing image (dirty lines only unless ToutRedessiner) and shows it.
    void Dessiner();

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
    QImage Vue;
    QImage TamponLigne;
    std::unique_ptr<cDessinPartition> Peintre;
    cDessinPartition &Dessin();
    bool Synchronisation = false;

    void AppliquerBarres();
    void DessinerVertical();
    void DessinerHorizontal();
    void Cliquer(int x, int y);
    void TaillerVue();
};
