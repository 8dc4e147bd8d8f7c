// Hostile bytes for the Standard MIDI File reader: opening either refuses with a message key or
// yields a file whose every call stays inside its buffer.
#include <cstddef>
#include <cstdint>
#include <string>

#include "midifile/uSMF.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    std::string cle;
    int format = 0, nbPistes = 0;
    cFichierSMF *f = OpenSMFMemoire(data, size, format, nbPistes, &cle);
    if (!f) {
        if (cle != CleMIDINonReconnu && cle != CleErreurMIDI)
            __builtin_trap();
        return 0;
    }
    if ((format != 0 && format != 1) || nbPistes < 1 || GetSMFResolution(f) < 1)
        __builtin_trap();
    for (int passe = 0; passe < 2; ++passe) {
        for (int t = -1; t <= nbPistes; ++t) {
            rEvtMidi e;
            long total = 0;
            for (int r = 1; (r = ReadSMF(f, t, e, r)) == 1;) {
                if (e.Statut < 0x80 || e.Statut >= 0xF0 || e.Delta < 0 || (e.Donnee1 & 0x80))
                    __builtin_trap();
                total += e.Delta;
            }
            for (int type : {1, 3, 81, 88, 0x2F}) {
                const uint8_t *d = nullptr;
                int lg = 0;
                int32_t avant = -1;
                for (int32_t temps; (temps = ReadMetaEvent(f, t, type, d, lg)) >= 0;) {
                    volatile uint8_t somme = 0;
                    for (int i = 0; i < lg; ++i)
                        somme = somme + d[i];
                    if (temps < avant)
                        __builtin_trap();
                    avant = temps;
                }
            }
            (void)total;
        }
        RewindSMF(f);
    }
    CloseSMF(f);
    return 0;
}
