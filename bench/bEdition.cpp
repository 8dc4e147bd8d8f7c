// Measure editing on a large score: copying half of it to the clipboard, pasting it back to
// fill the score to its measure limit, and cutting it again.
#include <benchmark/benchmark.h>
#include <memory>

#include "GrandePartition.h"
#include "model/uEdition.h"

namespace {
constexpr int Mesures = 512, Pistes = 16, Temps = 16;

void BM_CopierToutesPistes(benchmark::State &state)
{
    std::unique_ptr<cPartition> p(ConstruireGrandePartition(Mesures, Pistes, Temps));
    cPartition pp;
    for (auto _ : state)
        CopierMesures(*p, pp, 1, Mesures, true);
    state.counters["measures"] = Mesures;
}
BENCHMARK(BM_CopierToutesPistes)->Unit(benchmark::kMillisecond)->Iterations(3);

// Pasting 512 measures of 16 tracks at the end, then cutting them: the score goes from 512 to
// 1024 measures and back.
void BM_CollerPuisCouperALaFin(benchmark::State &state)
{
    std::unique_ptr<cPartition> p(ConstruireGrandePartition(Mesures, Pistes, Temps));
    cPartition pp, coupe;
    CopierMesures(*p, pp, 1, Mesures, true);
    for (auto _ : state) {
        if (!CollerMesures(*p, pp, eModeCollage::Fin, 1).empty())
            state.SkipWithError("paste refused");
        CouperMesures(*p, coupe, Mesures + 1, 2 * Mesures);
    }
    state.counters["measures"] = Mesures;
}
BENCHMARK(BM_CollerPuisCouperALaFin)->Unit(benchmark::kMillisecond)->Iterations(3);

// One track's 512 measures pasted before the first measure (every insertion re-indexes).
void BM_CollerUnePisteAvant(benchmark::State &state)
{
    std::unique_ptr<cPartition> p(ConstruireGrandePartition(Mesures, Pistes, Temps));
    cPartition pp, coupe;
    CopierMesures(*p, pp, 1, Mesures, false);
    for (auto _ : state) {
        p->Curseur.NumMesure = 1;
        if (!CollerMesures(*p, pp, eModeCollage::Avant, 1).empty())
            state.SkipWithError("paste refused");
        CouperMesures(*p, coupe, 1, Mesures);
    }
}
BENCHMARK(BM_CollerUnePisteAvant)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace
