#include "chords/uListeAccordsImpression.h"

cListeAccordsImpression &ListeAccordsImpression()
{
    static cListeAccordsImpression liste;
    return liste;
}
