// MIDI file import, headless, as `--convert X.mid Y.pl3` runs it: a generated format-1 file of
// 2,000 bars of 4/4 and 40,000 notes on four tracks (two guitars, a bass, drums on channel 10)
// read, listed, converted and fingered. The score holds 1,024 measures, so the bars after that
// are dropped with their message: counters report the notes read and the notes kept.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "midifile/uImportMIDI.h"
#include "MidiGenere.h"
#include "model/uPartition.h"

namespace {
using namespace GenMIDI;

void BM_ImportMIDI(benchmark::State &state)
{
    const std::string chemin = GenererMIDI2000Mesures();
    rResultatImportMIDI r;
    long notes = 0;
    for (auto _ : state) {
        cPartition p;
        p.Nouveau();
        std::string cle;
        if (!LireFichierMIDI(chemin, p, "Track", cle, &r)) {
            state.SkipWithError("import refused");
            break;
        }
        notes = p.NbNotesJouees();
        benchmark::DoNotOptimize(notes);
    }
    state.counters["notes_read"] = r.Notes;
    state.counters["notes_kept"] = static_cast<double>(notes);
    state.counters["measure_limit"] = r.MesuresMax ? 1 : 0;
    std::filesystem::remove(chemin);
}
BENCHMARK(BM_ImportMIDI)->Unit(benchmark::kMillisecond)->MinTime(2.0);
} // namespace
