// Playback timing on the real clock and the layer's scheduler thread: scheduled against actual
// send time of every message over a long score (PLEC_BENCH_LECTURE_S seconds, 300 by default),
// the delay from the play command to the first note, and the speed of the WAV rendering.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "GrandePartition.h"
#include "fileio/uFichierPLT.h"
#include "midifile/uExportMIDI.h"
#include "playback/uMidi.h"
#include "playback/uRenduWAV.h"
#include "playback/uSynthInterne.h"

namespace {

using Horloge = std::chrono::steady_clock;

// A device that only notes when the first note-on leaves.
class cPeripheriqueMesure : public iPeripheriqueSortie {
public:
    std::atomic<int64_t> *PremiereNote;
    explicit cPeripheriqueMesure(std::atomic<int64_t> *p) : PremiereNote(p) {}
    bool Envoyer(const uint8_t *o, int, double) override
    {
        if ((o[0] & 0xF0) == 0x90 && PremiereNote->load() == 0)
            PremiereNote->store(Horloge::now().time_since_epoch().count());
        return true;
    }
};

std::unique_ptr<cMidi> Moteur(std::atomic<int64_t> *premiere)
{
    std::vector<rPeripherique> v = {{"Mesure", [premiere](int, std::string &) {
                                         return std::unique_ptr<iPeripheriqueSortie>(
                                             std::make_unique<cPeripheriqueMesure>(premiere));
                                     }}};
    auto m = std::make_unique<cMidi>(std::make_unique<cBibliothequeMidi>(std::move(v)), nullptr);
    m->Initialiser({}, {}, {}, "no port", "", "");
    return m;
}

double Quantile(std::vector<double> v, double q)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, std::size_t(q * double(v.size())))];
}

// The window's two 100 ms timers, on this thread, until playback ends.
void JouerJusquAuBout(cMidi &m)
{
    auto prochain = Horloge::now();
    while (m.EnLecture()) {
        prochain += std::chrono::milliseconds(cMidi::IntervalleMs);
        std::this_thread::sleep_until(prochain);
        m.EnvoyerJusqua();
        m.SuivreCurseur();
    }
}

void BM_PrecisionLecture(benchmark::State &etat)
{
    const char *e = std::getenv("PLEC_BENCH_LECTURE_S");
    const int secondes = e ? std::max(4, std::atoi(e)) : 300;
    // Tempo 120: a 4/4 bar lasts two seconds. Two tracks of eighth-note chords.
    std::unique_ptr<cPartition> p(ConstruireGrandePartition(secondes / 2, 2, 8));
    p->Tempo = 120;
    for (auto _ : etat) {
        std::atomic<int64_t> premiere{0};
        auto m = Moteur(&premiere);
        m->ChangerPartition(p.get());
        std::mutex verrou;
        std::vector<double> retards;
        retards.reserve(400000);
        m->Bibliotheque().DefinirMesure([&](double prevu, double reel) {
            std::lock_guard<std::mutex> l(verrou);
            retards.push_back(reel - prevu);
        });
        m->Jouer(eModeJeu::Debut);
        JouerJusquAuBout(*m);
        m.reset();
        const std::size_t dixieme = std::max<std::size_t>(retards.size() / 10, 1);
        const auto moyenne = [&](std::size_t de, std::size_t a) {
            double s = 0;
            for (std::size_t i = de; i < a; ++i)
                s += retards[i];
            return a > de ? s / double(a - de) : 0;
        };
        etat.counters["messages"] = double(retards.size());
        etat.counters["p50_ms"] = Quantile(retards, 0.50);
        etat.counters["p99_ms"] = Quantile(retards, 0.99);
        etat.counters["max_ms"] = Quantile(retards, 1.0);
        // Drift: mean lateness of the last tenth minus that of the first.
        etat.counters["derive_ms"] =
            moyenne(retards.size() - dixieme, retards.size()) - moyenne(0, dixieme);
    }
}
BENCHMARK(BM_PrecisionLecture)->Iterations(1)->Unit(benchmark::kSecond);

void BM_PremiereNote(benchmark::State &etat)
{
    std::unique_ptr<cPartition> p(ConstruireGrandePartition());
    std::atomic<int64_t> premiere{0};
    auto m = Moteur(&premiere);
    m->ChangerPartition(p.get());
    std::vector<double> delais;
    for (auto _ : etat) {
        premiere = 0;
        const auto t0 = Horloge::now();
        m->Jouer(eModeJeu::Debut);
        while (premiere.load() == 0)
            std::this_thread::yield();
        delais.push_back(double(premiere.load() - t0.time_since_epoch().count()) / 1e6);
        etat.PauseTiming();
        m->Arreter();
        etat.ResumeTiming();
    }
    etat.counters["p50_ms"] = Quantile(delais, 0.5);
    etat.counters["p99_ms"] = Quantile(delais, 0.99);
}
BENCHMARK(BM_PremiereNote)->Unit(benchmark::kMillisecond)->Iterations(200);

// Five minutes of music rendered to WAV; the same score is left as .pl3 and .mid in /tmp so
// that scripts/bench-wav.sh can time the fluidsynth command-line renderer on it.
void BM_RenduWAV(benchmark::State &etat)
{
    const std::string sf = CheminSoundFont("");
    if (sf.empty()) {
        etat.SkipWithError("no SoundFont installed");
        return;
    }
    std::unique_ptr<cPartition> p(ConstruireGrandePartition(150, 2, 8));
    p->Tempo = 120;
    std::string cle;
    EcrireFichierPL3(*p, "/tmp/plec-bench-5min.pl3", cle);
    EcrireFichierMIDI(*p, "/tmp/plec-bench-5min.mid", cle);
    rRenduWAV infos;
    double secondes = 0;
    for (auto _ : etat) {
        const auto t0 = Horloge::now();
        RendreWAV(*p, "/tmp/plec-bench-5min.wav", rOptionsGeneration{}, sf, cle, &infos);
        secondes += std::chrono::duration<double>(Horloge::now() - t0).count();
    }
    etat.counters["musique_s"] = infos.DureeTotale;
    etat.counters["x_temps_reel"] =
        infos.DureeTotale * double(etat.iterations()) / std::max(secondes, 1e-9);
}
BENCHMARK(BM_RenduWAV)->Unit(benchmark::kSecond)->Iterations(3);

} // namespace
