// The PDF route of the command line on the largest score the model holds: read the file, lay
// out the pages, draw them into a PDF and write it through the safe writer.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <sstream>

#include "../GrandePartition.h"
#include "app/uLigneCommande.h"
#include "display/ui/uRenduImpression.h"
#include "fileio/uFichierPLT.h"

namespace {
// 1,024 bars (the model's limit: a longer file is cut there when read) of sixteen sixteenths
// with a note on every string, one track.
void BM_ConvertirPDF(benchmark::State &state)
{
    QTemporaryDir dossier;
    const std::string source = QDir(dossier.path()).filePath("grande.pl3").toStdString();
    const std::string pdf = QDir(dossier.path()).filePath("grande.pdf").toStdString();
    {
        std::unique_ptr<cPartition> p(ConstruireGrandePartition(1024, 1, 16));
        p->Informations->Titre = "Benchmark";
        std::string cle;
        if (!EcrireFichierPL3(*p, source, cle)) {
            state.SkipWithError("cannot write the score");
            return;
        }
    }
    const std::vector<rRouteEcriture> routes = {{".pdf", EcrirePDF}};
    for (auto _ : state) {
        std::ostringstream out, err;
        if (ExecuterLigneCommande({"--convert", source, pdf}, out, err, routes) != 0) {
            state.SkipWithError(err.str().c_str());
            return;
        }
    }
    QFile f(QString::fromStdString(pdf));
    state.counters["bytes"] = static_cast<double>(f.size());
}
BENCHMARK(BM_ConvertirPDF)->Unit(benchmark::kMillisecond)->MinTime(2.0);
} // namespace
