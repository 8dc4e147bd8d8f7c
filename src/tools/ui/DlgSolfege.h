// The standard notation window: a small always-on-top window with the notes of the cursor's
// beat on a treble and a bass staff in the score's key. Its buttons set the key and the clefs
// shown; a click on the staff enters or deletes a note of the cursor's beat.
#pragma once

#include <QImage>
#include <QWidget>
#include <vector>

#include "tools/uSolfege.h"

class QLabel;
class QToolButton;
class TMainForm;

// The staff picture: Image1.
class TImageSolfege : public QWidget {
    Q_OBJECT
public:
    explicit TImageSolfege(QWidget *parent);
    // Staff lines, key signature and notes, drawn again from these values.
    void Dessiner(bool sol, bool fa, int tonalite, const std::vector<rNoteSolfege> &notes);
    int Marqueur() const { return PositionMarqueur; }
    const QImage &Image() const { return Fond; }

signals:
    void Clic(int position);

protected:
    void paintEvent(QPaintEvent *) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void leaveEvent(QEvent *) override;

private:
    QImage Fond;
    int PositionMarqueur = 0; // 0: none
};

// A clef picture beside its staff: treble, bass, or the brace joining both.
class TImageCle : public QWidget {
public:
    enum class eCle { Sol, Fa, Accolade };
    TImageCle(QWidget *parent, eCle cle) : QWidget(parent), Cle(cle) {}

protected:
    void paintEvent(QPaintEvent *) override;

private:
    eCle Cle;
};

class TFSolfege : public QWidget {
    Q_OBJECT
public:
    explicit TFSolfege(TMainForm &f);

    // Draws the cursor's beat again (after any cursor move, edit or new score).
    void RafraichirPortee();
    TImageSolfege *Portee() const { return Image1; }
    // The accidental button down (AltAucune when none).
    int Alteration() const;
    // What a click at a staff position does, through the command path.
    void CliquerPosition(int q);
    void ChangerTonalite(int pas);

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    TMainForm &F;
    TImageSolfege *Image1;
    TImageCle *Img_Clef_Sol, *Img_Clef_Fa, *Img_Clef_Acco;
    QToolButton *BT_ClefSol, *BT_ClefFa, *BT_Diese, *BT_Bemol, *BT_Becarre, *TonDown, *TonUp,
        *BT_Aide;
    QLabel *NomTon;

    void ChoisirCle(QToolButton *clique);
};
