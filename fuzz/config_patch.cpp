// The language patch reader against hostile bytes: table building and every lookup.
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/uPatch.h"
#include "config/uTextesFenetres.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    cPatchLangue p;
    p.ChargerTexte(std::string(reinterpret_cast<const char *>(data), size));
    for (const auto &m : PositionsMessages()) {
        const std::string t = p.Traduction(m.Cle);
        if (t.size() > 500 && t != TexteTraductionAbsente)
            __builtin_trap();
        RemplacerParam(t, "a", "b");
    }
    std::string lettres;
    AppliquerTextes(p, PositionsPrincipal(), false,
                    [](const rPositionTexte &, const std::string &) {});
    AppliquerTextes(p, PositionsDialogue({"DLG_CHORD_000", "FILES_000"}), true,
                    [](const rPositionTexte &, const std::string &) {});
    p.RaccourcisAuto(p.Auteur, lettres);
    return 0;
}
