#include "asciitab/ui/uImpressionTexte.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

QFont PoliceTexteASCII()
{
    QFont f(QStringLiteral("Courier"));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setPixelSize(11);
    return f;
}

bool ImprimerLignes(QPrinter &imprimante, const QStringList &lignes, const QFont &police)
{
    QPainter g;
    if (!g.begin(&imprimante))
        return false;
    // Pixel sizes mean screen pixels: on paper the text keeps the size it has on screen.
    QFont f = police;
    if (police.pixelSize() > 0)
        f.setPointSizeF(police.pixelSize() * 72.0 / 96.0);
    g.setFont(f);
    g.setPen(Qt::black);
    const QFontMetrics fm(f, &imprimante);
    const int hauteur = imprimante.pageLayout().paintRectPixels(imprimante.resolution()).height();
    int y = fm.ascent();
    for (const QString &l : lignes) {
        if (y + fm.descent() > hauteur && y > fm.ascent()) {
            if (!imprimante.newPage()) {
                g.end();
                return false;
            }
            y = fm.ascent();
        }
        g.drawText(0, y, l);
        y += fm.lineSpacing();
    }
    return g.end();
}

bool ChoisirImprimanteDialogue(QPrinter &imprimante, QWidget *parent)
{
    QPrintDialog d(&imprimante, parent);
    return d.exec() == QDialog::Accepted;
}

bool ImprimerTexte(const FnChoisirImprimante &choisir, QWidget *parent, const QStringList &lignes,
                   const QString &titre, bool &annule)
{
    annule = false;
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setDocName(titre);
    if (!(choisir ? choisir(imprimante, parent) : ChoisirImprimanteDialogue(imprimante, parent))) {
        annule = true;
        return false;
    }
    return ImprimerLignes(imprimante, lignes, PoliceTexteASCII());
}
