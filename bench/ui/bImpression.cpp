// The PDF route of the command line, from a score file and from a MIDI file: read the file, lay
// out the pages, draw them into a PDF and write it through the safe writer.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <sstream>

#include "../GrandePartition.h"
#include "../MidiGenere.h"
#include "app/uLigneCommande.h"
#include "display/ui/uRenduImpression.h"
#include "fileio/uFichierPLT.h"

// Times `--convert source pdf` as the command line runs it; the PDF's size is reported.
void Convertir(benchmark::State &state, const std::string &source, const std::string &pdf)
{
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
    Convertir(state, source, pdf);
}
BENCHMARK(BM_ConvertirPDF)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The generated 2,000-bar MIDI file to PDF, as `--convert X.mid Y.pdf` runs it: the import
// (bars past the model's 1,024 are dropped with their message), then track 1 printed.
void BM_ConvertirMIDIPDF(benchmark::State &state)
{
    QTemporaryDir dossier;
    const std::string source = GenMIDI::GenererMIDI2000Mesures();
    const std::string pdf = QDir(dossier.path()).filePath("midi.pdf").toStdString();
    Convertir(state, source, pdf);
    std::filesystem::remove(source);
}
BENCHMARK(BM_ConvertirMIDIPDF)->Unit(benchmark::kMillisecond)->MinTime(2.0);
} // namespace
