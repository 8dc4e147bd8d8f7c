// Building and freeing a large score through the model operations: time and heap per note.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include "model/uPartition.h"

namespace {
constexpr int Mesures = 1024, Pistes = 16, Temps = 16, Cordes = 6;

cPartition *Construire()
{
    auto *p = new cPartition;
    p->Nouveau();
    p->EnChargement = true;
    for (int t = 1; t < Pistes; ++t)
        p->InsererPisteApres(nullptr);
    for (int m = 1; m < Mesures; ++m)
        p->InsererMesureApres(nullptr);
    p->EnChargement = false;
    p->IndexerMesures();
    p->IndexerPistes();
    for (cPiste *piste = p->PremierePiste; piste; piste = piste->Suivante)
        for (cMesurePiste *mp = piste->PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste) {
            mp->SansIndex = true;
            cAccord *a = mp->PremierAccord;
            for (int b = 0; b < Temps; ++b) {
                if (b > 0)
                    a = mp->InsererAccordApres(a);
                a->CodeDuree = 2;
                a->CalculerDuree();
                a->Etat = 1;
                int s = 0;
                for (cNote *n = a->PremiereNote; n; n = n->Suivante, ++s) {
                    n->Type = 1;
                    n->Case = static_cast<uint8_t>((b + s) % 12);
                }
                a->PropagerDuree();
            }
            mp->SansIndex = false;
            mp->IndexerAccords();
            mp->CalculerDuree();
        }
    return p;
}

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
