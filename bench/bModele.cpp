// Building and freeing a large score through the model operations: time and heap per note.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include "GrandePartition.h"

namespace {
constexpr int Mesures = 1024, Pistes = 16, Temps = 16, Cordes = 6;

cPartition *Construire() { return ConstruireGrandePartition(Mesures, Pistes, Temps); }

void BM_ConstruireLiberer(benchmark::State &state)
{
    const double notes = double(Mesures) * Pistes * Temps * Cordes;
    double octetsParNote = 0;
    for (auto _ : state) {
        const std::size_t avant = mallinfo2().uordblks;
        cPartition *p = Construire();
        const std::size_t pendant = mallinfo2().uordblks;
        octetsParNote = double(pendant - avant) / notes;
        benchmark::DoNotOptimize(p);
        delete p;
    }
    state.counters["bytes_per_note"] = octetsParNote;
    state.counters["notes"] = notes;
}
BENCHMARK(BM_ConstruireLiberer)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace

BENCHMARK_MAIN();
