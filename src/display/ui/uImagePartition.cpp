#include "display/ui/uImagePartition.h"

#include <QSaveFile>

#include "display/ui/uDessinPartition.h"

bool EcrireImagePNG(cPartition &p, const std::string &chemin, std::string &cle)
{
    // The default screen parameters, so the picture does not depend on a user's settings.
    const TParamEcran param;
    rOptionsDessin options;
    options.MontrerCurseur = false;
    const QImage image = cDessinPartition::RendreVertical(p, param, 1200, options);
    QSaveFile fichier(QString::fromLocal8Bit(chemin.c_str()));
    if (image.isNull() || !fichier.open(QIODevice::WriteOnly) || !image.save(&fichier, "PNG") ||
        !fichier.commit()) {
        cle = "MidiExp-EcritureFichierImpossibleEnregAb";
        return false;
    }
    return true;
}
