// Reader of the older file versions against arbitrary bytes. The first byte picks the version
// whose header is put in front of the rest, so that every version's layout is explored. The
// reader must refuse or accept without fault: a refusal leaves a new score; an accepted score
// is sound, and its export to version 2.21 reads back.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "chords/uListeAccordsImpression.h"
#include "fileio/uFichierAncien.h"
#include "fileio/uFichierPLT.h"
#include "model/uCoherence.h"
#include "model/uPartition.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t n)
{
    if (n < 1)
        return 0;
    static const char *const magies[] = {
        "FICHIER PLECTORIALE v1",    "FICHIER PLECTORIALE v1.01", "FICHIER PLECTORIALE v1.02",
        "FICHIER PLECTORIALE v1.03", "FICHIER PLECTORIALE v1.04", "FICHIER PLECTORIUM v2.20",
        "FICHIER PLECTORIUM v2.21"};
    const std::string magie = magies[donnees[0] % 7];
    std::string image(1, static_cast<char>(magie.size()));
    image += magie;
    image.resize(TailleEntete, '\0');
    image.append(reinterpret_cast<const char *>(donnees + 1), n - 1);

    cPartition p;
    cListeAccordsImpression liste;
    std::string cle;
    if (!LireFichierMemoire(reinterpret_cast<const uint8_t *>(image.data()), image.size(), p,
                            liste, cle)) {
        if (cle != "Fichier-Incorrect" || p.NbMesures != 1 || p.NbPistes != 1 ||
            liste.Nb() != 0 || !p.Vierge)
            std::abort();
        return 0;
    }
    if (!ViolationsInvariants(p).empty())
        std::abort();
    {
        // What was read saves as a current file that reads back.
        std::string courant;
        EcrireFichierMemoire(p, liste, courant);
        cPartition r;
        cListeAccordsImpression lr;
        std::string k;
        if (!LireFichierMemoire(reinterpret_cast<const uint8_t *>(courant.data()),
                                courant.size(), r, lr, k))
            std::abort();
    }
    std::string export221;
    EcrireAncienFormatMemoire(p, liste, "Drums", export221);
    cPartition q;
    cListeAccordsImpression l2;
    if (!LireFichierMemoire(reinterpret_cast<const uint8_t *>(export221.data()),
                            export221.size(), q, l2, cle) ||
        !ViolationsInvariants(q).empty())
        std::abort();
    return 0;
}
