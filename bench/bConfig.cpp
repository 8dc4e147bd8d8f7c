// Start-up cost of the settings: a full settings file read and written, a language patch loaded
// and its message table built, and the main window's texts looked up.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

#include "config/uConfig.h"
#include "config/uEmplacements.h"
#include "config/uPatch.h"
#include "config/uTextesFenetres.h"

namespace {
std::string TextePatch()
{
    std::ifstream f(TrouverFichierDonnees("English.pll"), std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

std::string TexteReglages()
{
    cConfig c;
    for (int i = 0; i < 200; ++i) {
        auto d = std::make_unique<cDiagramme>();
        d->ChangerNom("Chord " + std::to_string(i));
        c.BibliothequeAccords.push_back(std::move(d));
    }
    cFichierIni ini;
    EcrireConfig(c, ini);
    return ini.Texte();
}

void BM_ChargerPatch(benchmark::State &state)
{
    const std::string t = TextePatch();
    for (auto _ : state) {
        cPatchLangue p;
        p.ChargerTexte(t);
        benchmark::DoNotOptimize(p.TableMessages.data());
    }
}
BENCHMARK(BM_ChargerPatch);

void BM_TextesPrincipal(benchmark::State &state)
{
    cPatchLangue p;
    p.ChargerTexte(TextePatch());
    const auto positions = PositionsPrincipal();
    for (auto _ : state) {
        std::size_t n = 0;
        AppliquerTextes(p, positions, false,
                        [&n](const rPositionTexte &, const std::string &t) { n += t.size(); });
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_TextesPrincipal);

void BM_LireReglages(benchmark::State &state)
{
    const std::string t = TexteReglages();
    for (auto _ : state) {
        cFichierIni ini;
        ini.ChargerTexte(t);
        cConfig c;
        TZoneImpression z;
        LireParamEcran(ini, "ParamEcran", c.ParamEcran, TParamEcran());
        LireParamImp(ini, "ParamImp", z);
        benchmark::DoNotOptimize(z.CoefPImp);
    }
}
BENCHMARK(BM_LireReglages);

void BM_EcrireReglages(benchmark::State &state)
{
    cConfig c;
    for (int i = 0; i < 200; ++i)
        c.BibliothequeAccords.push_back(std::make_unique<cDiagramme>());
    for (auto _ : state) {
        cFichierIni ini;
        EcrireConfig(c, ini);
        benchmark::DoNotOptimize(ini.Texte().size());
    }
}
BENCHMARK(BM_EcrireReglages);
} // namespace
