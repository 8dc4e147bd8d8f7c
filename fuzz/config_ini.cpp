// The settings reader against hostile bytes: parse, read every key kind, decode chord entries,
// write back and re-read the same values.
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/uConfig.h"
#include "config/uEmplacements.h"
#include "config/uIni.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Only the settings text is under test: no language patch is looked for on disk, so each
    // input is parsed from memory alone.
    static const bool sansDisque = [] {
        DefinirDossiersDonnees({"/nonexistent-plectorium-data"});
        return true;
    }();
    (void)sansDisque;
    const std::string texte(reinterpret_cast<const char *>(data), size);
    cFichierIni ini;
    ini.ChargerTexte(texte);
    TParamEcran ecran;
    LireParamEcran(ini, "ParamEcran", ecran, TParamEcran());
    TZoneImpression imp;
    LireParamImp(ini, "ParamImp", imp);
    const int total = ini.LireEntier("ChordsLib", "Total", 0);
    for (int i = 1; i <= total && i <= 64; ++i) {
        cDiagramme d;
        if (DecoderAccordBibliotheque(ini.LireChaine("ChordsLib", CleAccordBibliotheque(i)), d)) {
            cDiagramme e;
            if (!DecoderAccordBibliotheque(CoderAccordBibliotheque(d), e) ||
                CoderAccordBibliotheque(e) != CoderAccordBibliotheque(d))
                __builtin_trap();
        }
    }
    // What is written reads back as the same values (line breaks inside a value are written as
    // blanks, so the comparison is between two writes).
    cFichierIni sortie;
    EcrireParamEcran(sortie, "ParamEcran", ecran);
    EcrireParamImp(sortie, "ParamImp", imp);
    cFichierIni relu;
    relu.ChargerTexte(sortie.Texte());
    TParamEcran ecran2;
    LireParamEcran(relu, "ParamEcran", ecran2, TParamEcran());
    TZoneImpression imp2;
    LireParamImp(relu, "ParamImp", imp2);
    cFichierIni sortie2;
    EcrireParamEcran(sortie2, "ParamEcran", ecran2);
    EcrireParamImp(sortie2, "ParamImp", imp2);
    if (sortie2.Texte() != sortie.Texte())
        __builtin_trap();
    // The whole load, then a save of what was loaded, must hold together.
    cConfig c;
    ChargerConfigDepuis(c, ini, nullptr);
    cFichierIni enregistre;
    EcrireConfig(c, enregistre);
    if (enregistre.LireEntier("ChordsLib", "Total", -1) !=
        static_cast<int>(c.BibliothequeAccords.size()))
        __builtin_trap();
    cFichierIni copie;
    copie.ChargerTexte(ini.Texte());
    if (copie.Texte() != ini.Texte())
        __builtin_trap();
    return 0;
}
