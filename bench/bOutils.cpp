// The tools on a whole 1024-measure track of sixteenths: the automatic fingering (six-note
// chords, the widest search, and a single-note line), the transposition, and the re-split.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "GrandePartition.h"
#include "model/uRedecoupage.h"
#include "tools/uDoigte.h"
#include "tools/uTransposition.h"

namespace {
constexpr int Mesures = 1024, Temps = 16;

// One track: a note on every string of every beat (six pitches to place), or only on the
// third string.
std::unique_ptr<cPartition> Piste(bool accords)
{
    std::unique_ptr<cPartition> p(ConstruireGrandePartition(Mesures, 1, Temps));
    if (!accords)
        for (cMesurePiste *mp = p->PremierePiste->PremiereMesurePiste; mp;
             mp = mp->SuivanteDansPiste)
            for (cAccord *a = mp->PremierAccord; a; a = a->Suivant)
                for (cNote *n = a->PremiereNote; n; n = n->Suivante)
                    if (n->Corde != 3)
                        a->ViderNote(*n);
    return p;
}

void BM_PlacerDoigts(benchmark::State &state)
{
    const bool accords = state.range(0) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto p = Piste(accords);
        state.ResumeTiming();
        const rResultatDoigte r = PlacerDoigts(*p->PremierePiste, 1, Mesures);
        benchmark::DoNotOptimize(r);
        state.PauseTiming();
        p.reset();
        state.ResumeTiming();
    }
    state.counters["beats"] = double(Mesures) * Temps;
    state.SetLabel(accords ? "six-note chords" : "single notes");
}
BENCHMARK(BM_PlacerDoigts)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_TransposerPiste(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto p = Piste(true);
        state.ResumeTiming();
        benchmark::DoNotOptimize(TransposerPiste(*p->PremierePiste, 2));
        state.PauseTiming();
        p.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TransposerPiste)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Redecouper(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto p = Piste(true);
        // 5/4 everywhere: every beat moves on, into 820 measures.
        for (cMesure *m = p->PremiereMesure; m; m = m->Suivante)
            m->ChangerSignature(5, 4);
        state.ResumeTiming();
        std::string cle;
        if (!Redecouper(*p, *p->PremierePiste, cle))
            state.SkipWithError(cle.c_str());
        state.PauseTiming();
        p.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Redecouper)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace
