// The multitrack overview beside the mixer: a header of measure numbers and markers over a
// grid with one row per track and one column per measure, a block in the track's colour where
// the track measure has notes, the cursor's cell sunken, the current track's row shaded.
// Clicking a cell moves the edit cursor there; double-clicking the header's marker band
// inserts or edits the marker of the nearest measure.
#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

#include "display/uOrchestre.h"

class QScrollBar;
class QToolButton;
class TMainForm;

class TVueOrchestre : public QWidget {
    Q_OBJECT
public:
    explicit TVueOrchestre(TMainForm &f, QWidget *parent = nullptr);

    cOrchestre O;

    // Compose and show the header.
    void DessinerEntete();
    // Compose the grid; show it whole (piste 0) or only that track's row. `suivre` applies the
    // follow rule when the follow button is down.
    void DessinerGrille(int piste = 0, bool suivre = false);
    void CliquerGrille(int x, int y);
    void EditerMarkerEntete(int x, int y);
    // The score was replaced: back to the top left corner.
    void Reinitialiser();

    QWidget *Entete() const { return PaintBox_Orchestre_Droite_Entete; }
    QWidget *Grille() const { return PaintBox_Orchestre_Droite; }
    QScrollBar *BarreH() const { return ScrollBarH_Orchestre_Droite; }
    QScrollBar *BarreV() const { return ScrollBarV_Orchestre_Droite; }
    QToolButton *BoutonSuivre() const { return SpeedButton_GarderLaMesureEnCoursVisibleVG; }
    const QImage &ImageGrille() const { return ImgGrille; }
    const QImage &ImageEntete() const { return ImgEntete; }

    // The mixer follows the vertical bar: first track shown.
    std::function<void(int premiere)> PremiereChangee;
    // After a marker was stored (the playback menus follow).
    std::function<void()> MarkerChange;

protected:
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    TMainForm &F;
    QWidget *PaintBox_Orchestre_Droite_Entete;
    QWidget *PaintBox_Orchestre_Droite;
    QScrollBar *ScrollBarH_Orchestre_Droite;
    QScrollBar *ScrollBarV_Orchestre_Droite;
    QToolButton *SpeedButton_GarderLaMesureEnCoursVisibleVG;
    QImage ImgEntete, ImgGrille;
    QPoint ClicEntete;
    bool Synchronisation = false;
    void AppliquerBarres();
};
