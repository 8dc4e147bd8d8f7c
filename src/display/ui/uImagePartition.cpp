#include "display/ui/uImagePartition.h"

#include <QBuffer>

#include "display/ui/uDessinPartition.h"
#include "fileio/uEcritureSure.h"

bool EcrireImagePNG(cPartition &p, const std::string &chemin, std::string &cle)
{
    // The default screen parameters, so the picture does not depend on a user's settings.
    const TParamEcran param;
    rOptionsDessin options;
    options.MontrerCurseur = false;
    const QImage image = cDessinPartition::RendreVertical(p, param, 1200, options);
    QByteArray octets;
    QBuffer tampon(&octets);
    if (image.isNull() || !tampon.open(QIODevice::WriteOnly) || !image.save(&tampon, "PNG") ||
        !EcrireFichierSur(chemin, std::string_view(octets.constData(),
                                                   static_cast<std::size_t>(octets.size())))) {
        cle = "MidiExp-EcritureFichierImpossibleEnregAb";
        return false;
    }
    return true;
}
