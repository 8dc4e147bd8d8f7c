// The chord dictionary: every fingering of all 12 roots x 15 chord types at level "all" (the
// widest search) in one run, and the naming of a busy six-string fingering.
#include <benchmark/benchmark.h>

#include "chords/uNomAccord.h"

namespace {
const tHauteurs Standard{64, 59, 55, 50, 45, 40};

void BM_ChercherToutesLesFormes(benchmark::State &state)
{
    const int niveau = static_cast<int>(state.range(0));
    std::size_t total = 0;
    for (auto _ : state) {
        total = 0;
        for (int racine = 0; racine < 12; ++racine)
            for (int type = 0; type < NbTypesAccord; ++type) {
                rDiagramme d{};
                d.Fondamentale = racine;
                d.TypeAccord = type;
                const tDegres g = DegresAccord(d);
                std::array<bool, NbDegres> inclus{};
                for (int k = 0; k < NbDegres; ++k)
                    inclus[static_cast<std::size_t>(k)] = g[static_cast<std::size_t>(k)].Coche;
                total += ChercherDoigtes(d, racine, inclus, niveau, Standard, "", true)
                             .Solutions.size();
            }
        benchmark::DoNotOptimize(total);
    }
    state.counters["solutions"] = static_cast<double>(total);
}
BENCHMARK(BM_ChercherToutesLesFormes)->Arg(NiveauTout)->Arg(NiveauSimple)
    ->Unit(benchmark::kMillisecond);

void BM_NommerAccord(benchmark::State &state)
{
    // C E G Bb D F#: many candidate roots, both passes.
    const tHauteurs h{66, 62, 58, 55, 52, 48};
    const rOptionsNom o;
    for (auto _ : state)
        benchmark::DoNotOptimize(NommerAccord(h, o));
}
BENCHMARK(BM_NommerAccord);
} // namespace
