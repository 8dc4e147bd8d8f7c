// Text tablature analysis against arbitrary text: it must refuse or give measures that write
// into a track as a sound score, which exports again. The first and last bytes choose the
// rhythm mode and the columns per quarter note.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "asciitab/uExportASCII.h"
#include "asciitab/uImportASCII.h"
#include "chords/uListeAccordsImpression.h"
#include "fileio/uFichierPLT.h"
#include "model/uCoherence.h"
#include "model/uPartition.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t n)
{
    const std::vector<std::string> lignes =
        LignesTexte(std::string(reinterpret_cast<const char *>(donnees), n));
    // Classified once for the count and the analysis, as the file import does.
    const cTexteASCII texte(lignes);
    const int nbCordes = NbCordesTexteASCII(texte);
    rOptionsImportASCII o;
    if (n > 0) {
        o.TypeImport = donnees[0] % 5;
        o.NbTirets = 1 + donnees[n - 1] % 8;
    }
    const rAnalyseASCII r = AnalyserTexteASCII(texte, nbCordes > 0 ? nbCordes : 6, o);
    if (r.Refusee()) {
        if (!r.Mesures.empty())
            std::abort();
        return 0;
    }
    if (r.Mesures.size() > static_cast<std::size_t>(MaxMesures))
        std::abort();
    cPartition p;
    p.Nouveau();
    cPiste &piste = *p.PremierePiste;
    const int ancien = piste.NbCordes;
    piste.NbCordes = r.NbCordes;
    piste.ChangerNbCordes(ancien);
    ImporterDansPiste(p, piste, r);
    if (!ViolationsInvariants(p).empty())
        std::abort();
    {
        // What was read saves as a current file that reads back.
        std::string courant;
        EcrireFichierMemoire(p, cListeAccordsImpression(), courant);
        cPartition r;
        cListeAccordsImpression lr;
        std::string k;
        if (!LireFichierMemoire(reinterpret_cast<const uint8_t *>(courant.data()),
                                courant.size(), r, lr, k))
            std::abort();
    }
    ConstruireTexteASCII(p, piste, LargeurASCIIMin + static_cast<int>(n % 100));
    return 0;
}
