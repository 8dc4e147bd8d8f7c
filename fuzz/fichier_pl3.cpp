// Reader of native score files against arbitrary bytes: it must refuse or accept without
// fault; a refusal leaves a new score, and whatever is accepted writes back to bytes that
// read again and rewrite identically.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "chords/uListeAccordsImpression.h"
#include "fileio/uFichierPLT.h"
#include "model/uPartition.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t n)
{
    cPartition p;
    cListeAccordsImpression liste;
    std::string cle;
    if (!LireFichierMemoire(donnees, n, p, liste, cle)) {
        if (cle.empty() || p.NbMesures != 1 || p.NbPistes != 1 || liste.Nb() != 0 || !p.Vierge)
            std::abort();
        return 0;
    }
    std::string une, deux;
    EcrireFichierMemoire(p, liste, une);
    cPartition q;
    cListeAccordsImpression l2;
    if (!LireFichierMemoire(reinterpret_cast<const uint8_t *>(une.data()), une.size(), q, l2,
                            cle))
        std::abort();
    EcrireFichierMemoire(q, l2, deux);
    if (une != deux)
        std::abort();
    return 0;
}
