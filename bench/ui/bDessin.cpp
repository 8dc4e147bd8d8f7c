// Repaint cost of the score view: a 1600 x 1000 view of a 1024-measure score.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <memory>

#include "../GrandePartition.h"
#include "display/ui/uVuePartition.h"

namespace {
struct Vue {
    std::unique_ptr<cPartition> partition{ConstruireGrandePartition(1024, 1, 16)};
    cPartition &p = *partition;
    TParamEcran param;
    TVuePartition *vue;
    Vue()
    {
        vue = new TVuePartition(&p, &param);
        vue->PaintBox()->setFixedSize(1600, 1000);
        vue->resize(1620, 1020);
        vue->ActualiserTout();
    }
    ~Vue() { delete vue; }
};

// Every visible line, as the paint event asks.
void BM_RepeindreVue(benchmark::State &state)
{
    Vue v;
    for (auto _ : state) {
        v.vue->Affichage.ToutRedessiner = true;
        v.vue->Dessiner();
    }
}
BENCHMARK(BM_RepeindreVue)->Unit(benchmark::kMillisecond);

// A one-beat edit: relayout of the measure and repaint of the dirty lines only.
void BM_EditionUnTemps(benchmark::State &state)
{
    Vue v;
    cMesurePiste *mp = v.p.MesurePisteDe(3, 1);
    rPosition c;
    c.NumMesure = 3;
    v.p.PlacerCurseur(c);
    int fret = 0;
    for (auto _ : state) {
        mp->Accords[2]->Notes[1]->Case = static_cast<uint8_t>(fret++ % 20);
        v.vue->ActualiserMesure(mp);
    }
}
BENCHMARK(BM_EditionUnTemps)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                     : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
