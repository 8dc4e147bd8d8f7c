// The print preview: the pages of the print renderer drawn on an image at the screen's scale,
// with paging, zoom, page width, full page, dragging and scrolling keys.
#pragma once

#include <QDialog>
#include <QImage>
#include <functional>

class QLabel;
class QPushButton;
class QScrollArea;
class cPartition;
class cPiste;

class TFApercuAvImp : public QDialog {
    Q_OBJECT
public:
    TFApercuAvImp(const cPartition &p, const cPiste &piste, QWidget *parent = nullptr);
    ~TFApercuAvImp() override;

    // BT_Print: the print dialog and the print. BT_Setup: the preferences on their printing
    // page, true on OK. BT_Aide: the help.
    std::function<void(QWidget *)> Imprimer;
    std::function<bool(QWidget *)> OuvrirPreferences;
    std::function<void(QWidget *)> Aide;

    int Page() const { return NumPage; }
    int NbPagesConnu() const { return NbPages; }
    double Zoom() const { return Z; }
    const QImage &Image() const { return ImagePage; }
    QScrollArea *Defilement() const { return Zone; }
    QLabel *LibellePage() const { return Lib_Page; }

    void PageSuivante();
    void PagePrecedente();
    void ZoomPlus();
    void ZoomMoins();
    void LargeurPage();
    void PleinePage();
    void Preferences();
    // Draws the current page again with the current print settings.
    void Redessiner();

    // The zoom kept from one opening to the next while the program runs.
    static double &DernierZoom();

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    bool eventFilter(QObject *objet, QEvent *e) override;

private:
    const cPartition &Partition;
    const cPiste &Piste;
    int NumPage = 1;
    int NbPages = 0;
    double Z = 1;
    bool ZoomInitialise = false;
    QImage ImagePage;
    QScrollArea *Zone = nullptr;
    QLabel *Vue = nullptr;
    QLabel *Lib_Page = nullptr;
    QPushButton *BT_PagePrec = nullptr, *BT_Page_Suiv = nullptr;
    QPoint DepartGlisser;
    bool Glisser = false;

    // Size of the page image at zoom 1, in screen pixels (96 per inch).
    QSizeF TaillePage1() const;
    void Afficher();
    void Defiler(int dx, int dy);
};
