// Relayout cost of the score view: one edited measure, and the whole score.
#include <benchmark/benchmark.h>

#include <memory>

#include "GrandePartition.h"
#include "display/uAffichage.h"

namespace {
struct Grande {
    std::unique_ptr<cPartition> partition{ConstruireGrandePartition(1024, 1, 16)};
    cPartition &p = *partition;
    TParamEcran param;
    cAffichage aff{&p, &param};
    Grande()
    {
        aff.LargeurVue = 1600;
        aff.HauteurVue = 1000;
        aff.CompterPistesVisibles();
        aff.ActualiserPiste();
    }
};

void BM_ActualiserMesure(benchmark::State &state)
{
    Grande g;
    rPosition c;
    c.NumMesure = 500;
    g.p.PlacerCurseur(c);
    g.aff.MesureCurseurAffichee = g.p.Curseur.MesurePiste;
    cMesurePiste *mp = g.p.Curseur.MesurePiste;
    int code = 1;
    for (auto _ : state) {
        // A one-beat edit: the beat's duration changes back and forth.
        mp->Accords[3]->CodeDuree = static_cast<int8_t>(code);
        mp->Accords[3]->CalculerDuree();
        mp->CalculerDuree();
        code = 3 - code;
        g.aff.ActualiserMesure(mp);
    }
}
BENCHMARK(BM_ActualiserMesure)->Unit(benchmark::kMicrosecond);

void BM_ActualiserPiste(benchmark::State &state)
{
    Grande g;
    for (auto _ : state)
        g.aff.ActualiserPiste();
}
BENCHMARK(BM_ActualiserPiste)->Unit(benchmark::kMillisecond);
} // namespace
