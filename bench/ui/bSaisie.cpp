// Typing in the main window: from a key event on the keyboard field to the repainted view, in a
// 1024-measure score, with the undo step recorded.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QKeyEvent>

#include <memory>

#include "../GrandePartition.h"
#include "app/ui/Main.h"
#include "config/uConfig.h"
#include "config/uEmplacements.h"

namespace {
class cSansDialogue : public iDialoguesConfig {
public:
    void MessageAucunPatch(const std::string &) override {}
    std::string ChoisirLangue(const std::vector<std::string> &) override { return "English"; }
};

// A key as the keyboard field receives it.
void Touche(QWidget *w, int k)
{
    QKeyEvent appui(QEvent::KeyPress, k, Qt::NoModifier);
    QApplication::sendEvent(w, &appui);
    QKeyEvent relache(QEvent::KeyRelease, k, Qt::NoModifier);
    QApplication::sendEvent(w, &relache);
}

struct Fenetre {
    QTemporaryDir dossier;
    std::unique_ptr<TMainForm> f;
    Fenetre(int pistes)
    {
        QFile ini(QDir(dossier.path()).filePath("Plec300.ini"));
        ini.open(QIODevice::WriteOnly);
        ini.write("[Config]\r\nPatcheLangue=English\r\nPremMidiSetup=0\r\n");
        ini.close();
        DefinirCheminConfiguration(QDir(dossier.path()).filePath("Plec300.ini").toStdString());
        DefinirDossiersDonnees({PLEC_DATA_DIR});
        cSansDialogue ui;
        ChargerConfig(&ui);
        Config->JouerPendantSaisie = false;
        f = std::make_unique<TMainForm>();
        f->resize(1600, 1000);
        f->show();
        f->Document().Remplacer(
            std::unique_ptr<cPartition>(ConstruireGrandePartition(1024, pistes, 16)));
        f->ApresNouvellePartition();
        rPosition c;
        c.NumMesure = 3;
        c.NumTemps = 2;
        f->Partition().PlacerCurseur(c);
        f->Actualiser(true);
        QApplication::processEvents();
        f->ChampClavier()->setFocus();
    }
    ~Fenetre()
    {
        f.reset();
        delete Config;
        Config = nullptr;
    }
};

// A single-digit fret typed over an existing note: edit, relayout of the measure, repaint of
// the dirty line, command states, the undo step.
void BM_ToucheChiffre(benchmark::State &state)
{
    Fenetre w(static_cast<int>(state.range(0)));
    int k = 0;
    for (auto _ : state) {
        Touche(w.f->ChampClavier(), Qt::Key_4 + (k++ % 6));
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ToucheChiffre)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond)->UseRealTime();

// A cursor move: no edit, relayout of the measure and repaint.
void BM_ToucheFleche(benchmark::State &state)
{
    Fenetre w(1);
    int k = 0;
    for (auto _ : state) {
        Touche(w.f->ChampClavier(), (k++ & 1) ? Qt::Key_Up : Qt::Key_Down);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ToucheFleche)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace
