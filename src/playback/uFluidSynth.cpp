#include "playback/uFluidSynth.h"

#include <dlfcn.h>

#include <initializer_list>

namespace {
void Rien(int, const char *, void *) {}

rFluidSynth *Charger()
{
    void *lib = nullptr;
    for (const char *nom : {"libfluidsynth.so.3", "libfluidsynth.so"})
        if ((lib = ::dlopen(nom, RTLD_NOW | RTLD_LOCAL)))
            break;
    if (!lib)
        return nullptr;
    static rFluidSynth f;
    bool complet = true;
#define PLEC_CHARGER(n)                                                                          \
    f.n = reinterpret_cast<decltype(f.n)>(::dlsym(lib, #n));                                     \
    complet = complet && f.n != nullptr;
    PLEC_FONCTIONS_FLUIDSYNTH(PLEC_CHARGER)
#undef PLEC_CHARGER
    // The library stays loaded for the life of the program: its audio threads may outlive
    // any one synthesizer by a little.
    if (!complet)
        return nullptr;
    for (int l = 0; l < LAST_LOG_LEVEL; ++l)
        f.fluid_set_log_function(l, Rien, nullptr);
    return &f;
}
} // namespace

const rFluidSynth *FluidSynth()
{
    static rFluidSynth *const f = Charger(); // thread-safe once
    return f;
}
