// MIDI file export of a large score (1024 measures × 16 tracks × 16 beats × 6 strings), end to
// end: generation, merging, encoding and writing. Reports channel events written per second
// (the play order holds at most 1000 bars, so bars 1001..1024 are not part of the file).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "midifile/uExportMIDI.h"
#include "midifile/uSMF.h"
#include "GrandePartition.h"
#include "model/uPartition.h"

namespace {
constexpr int Mesures = 1024, Pistes = 16, Temps = 16, Cordes = 6;

std::unique_ptr<cPartition> Construire()
{
    std::unique_ptr<cPartition> p(ConstruireGrandePartition(Mesures, Pistes, Temps));
    // Two ports of eight channels, so every track has a channel of its own.
    int k = 0;
    for (cPiste *piste = p->PremierePiste; piste; piste = piste->Suivante, ++k) {
        piste->Port = 1 + k / 8;
        piste->Canal = 1 + (k % 8);
        piste->CanalEffets = piste->Canal;
    }
    return p;
}

long EvenementsDuFichier(const std::string &chemin)
{
    int format = 0, nb = 0;
    cFichierSMF *f = OpenSMF(chemin, format, 'r', nb);
    long n = 0;
    rEvtMidi e;
    for (int t = 0; f && t < nb; ++t)
        for (int r = 1; (r = ReadSMF(f, t, e, r)) == 1;)
            ++n;
    CloseSMF(f);
    return n;
}

void BM_ExportMIDI(benchmark::State &state)
{
    const std::unique_ptr<cPartition> p = Construire();
    const std::string chemin =
        (std::filesystem::temp_directory_path() / "plec_bench_export.mid").string();
    std::string cle;
    for (auto _ : state) {
        const bool ok = ExporterMIDI(*p, chemin, rOptionsGeneration{}, cle);
        if (!ok)
            state.SkipWithError(cle.c_str());
    }
    const long evenements = EvenementsDuFichier(chemin);
    state.counters["events"] = static_cast<double>(evenements);
    state.counters["events_per_second"] =
        benchmark::Counter(static_cast<double>(evenements),
                           benchmark::Counter::kIsIterationInvariantRate);
    std::filesystem::remove(chemin);
}
} // namespace

BENCHMARK(BM_ExportMIDI)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
