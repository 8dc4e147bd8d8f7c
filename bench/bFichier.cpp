// Native score files on the large score (1024 measures x 16 tracks x 16 beats x 6 notes):
// writing to memory and to disk, reading from memory, against building the same score
// through the model operations.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include <unistd.h>

#include "chords/uListeAccordsImpression.h"
#include "fileio/uFichierPLT.h"
#include "GrandePartition.h"
#include "model/uPartition.h"

namespace {
constexpr int Mesures = 1024, Pistes = 16, Temps = 16;

cPartition *Construire() { return ConstruireGrandePartition(Mesures, Pistes, Temps); }

const cPartition &Grande()
{
    static cPartition *p = Construire();
    return *p;
}

const std::string &Image()
{
    static const std::string s = [] {
        std::string o;
        cListeAccordsImpression vide;
        EcrireFichierMemoire(Grande(), vide, o);
        return o;
    }();
    return s;
}

void BM_Construire(benchmark::State &state)
{
    for (auto _ : state) {
        cPartition *p = Construire();
        benchmark::DoNotOptimize(p);
        state.PauseTiming();
        delete p;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Construire)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_LireMemoire(benchmark::State &state)
{
    const std::string &f = Image();
    for (auto _ : state) {
        auto *p = new cPartition;
        cListeAccordsImpression liste;
        std::string cle;
        if (!LireFichierMemoire(reinterpret_cast<const uint8_t *>(f.data()), f.size(), *p, liste,
                                cle))
            state.SkipWithError("read failed");
        state.PauseTiming();
        delete p;
        state.ResumeTiming();
    }
    state.counters["file_bytes"] = static_cast<double>(f.size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.size()));
}
BENCHMARK(BM_LireMemoire)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_EcrireMemoire(benchmark::State &state)
{
    const cPartition &p = Grande();
    cListeAccordsImpression vide;
    std::string o;
    for (auto _ : state) {
        EcrireFichierMemoire(p, vide, o);
        benchmark::DoNotOptimize(o.data());
    }
    state.counters["file_bytes"] = static_cast<double>(o.size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * o.size()));
}
BENCHMARK(BM_EcrireMemoire)->Unit(benchmark::kMillisecond)->Iterations(10);

// The whole save: image, temporary file, sync, rename.
void BM_EnregistrerFichier(benchmark::State &state)
{
    const cPartition &p = Grande();
    cListeAccordsImpression vide;
    const std::string chemin = "/tmp/plec-bench-" + std::to_string(getpid()) + ".pl3";
    std::string cle;
    for (auto _ : state)
        if (!EnregistrerFichier(p, vide, chemin, cle))
            state.SkipWithError("save failed");
    std::remove(chemin.c_str());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Image().size()));
}
BENCHMARK(BM_EnregistrerFichier)->Unit(benchmark::kMillisecond)->Iterations(5);

// The whole open: file read into memory, then parsed.
void BM_OuvrirFichier(benchmark::State &state)
{
    const std::string chemin = "/tmp/plec-bench-open-" + std::to_string(getpid()) + ".pl3";
    std::string cle;
    cListeAccordsImpression vide;
    EnregistrerFichier(Grande(), vide, chemin, cle);
    for (auto _ : state) {
        auto *p = new cPartition;
        cListeAccordsImpression liste;
        if (!OuvrirFichier(*p, liste, chemin, cle))
            state.SkipWithError("open failed");
        state.PauseTiming();
        delete p;
        state.ResumeTiming();
    }
    std::remove(chemin.c_str());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Image().size()));
}
BENCHMARK(BM_OuvrirFichier)->Unit(benchmark::kMillisecond)->Iterations(5);
} // namespace

namespace {
// The floor under writing: visiting every beat and note in file order, writing nothing.
void BM_ParcourirModele(benchmark::State &state)
{
    const cPartition &p = Grande();
    for (auto _ : state) {
        long long somme = 0;
        for (const cMesure *m = p.PremiereMesure; m; m = m->Suivante)
            for (const cMesurePiste *mp = m->PremiereMesurePiste; mp;
                 mp = mp->SuivanteDansMesure)
                for (const cAccord *a = mp->PremierAccord; a; a = a->Suivant)
                    for (int s = 1; s <= a->NbNotes; ++s)
                        somme += a->Notes[s]->Type + a->Notes[s]->Case;
        benchmark::DoNotOptimize(somme);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Image().size()));
}
BENCHMARK(BM_ParcourirModele)->Unit(benchmark::kMillisecond)->Iterations(10);
} // namespace
