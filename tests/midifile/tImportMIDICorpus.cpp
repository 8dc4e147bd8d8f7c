// The real MIDI files of the corpus: each is imported as the command line does it, written back
// as MIDI, and its notes are looked for again at their time (in quarter-note ticks) and pitch.
// The figures are printed; the test holds each file to a floor of what comes back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "midifile/uExportMIDI.h"
#include "midifile/uImportMIDI.h"
#include "midifile/uSMF.h"
#include "model/uPartition.h"
#include "tools/uDoigte.h"

namespace fs = std::filesystem;

namespace {

struct rNoteLue {
    double Temps; // 480 to the quarter
    int Cle;
    bool Batterie; // on channel 10
};

std::vector<rNoteLue> NotesDuFichier(const std::string &chemin)
{
    std::vector<rNoteLue> v;
    int format = 0, nb = 0;
    cFichierSMF *f = OpenSMF(chemin, format, 'r', nb);
    if (!f)
        return v;
    const int r = std::max(1, GetSMFResolution(f));
    rEvtMidi e;
    for (int t = 0; t < nb; ++t) {
        long long temps = 0;
        for (int k = 1; (k = ReadSMF(f, t, e, k)) == 1;) {
            temps += e.Delta;
            if ((e.Statut & 0xF0) == 0x90 && e.Donnee2 > 0)
                v.push_back({temps * 480.0 / r, e.Donnee1, (e.Statut & 0x0F) == 9});
        }
    }
    CloseSMF(f);
    return v;
}

// Original notes found in the copy within `ecart` ticks, each note of the copy used once.
int Retrouvees(const std::vector<rNoteLue> &origine, std::map<int, std::vector<double>> copie,
               double ecart, std::vector<rNoteLue> *manquantes)
{
    int n = 0;
    for (const rNoteLue &o : origine) {
        std::vector<double> &v = copie[o.Cle];
        auto meilleur = v.end();
        for (auto it = v.begin(); it != v.end(); ++it)
            if (std::abs(*it - o.Temps) <= ecart &&
                (meilleur == v.end() || std::abs(*it - o.Temps) < std::abs(*meilleur - o.Temps)))
                meilleur = it;
        if (meilleur != v.end()) {
            v.erase(meilleur);
            ++n;
        } else if (manquantes) {
            manquantes->push_back(o);
        }
    }
    return n;
}

TEST(ImportCorpus, NotesComeBackAfterExport)
{
    const fs::path dossier = fs::path(PLEC_CORPUS_DIR) / "midi";
    if (!fs::exists(dossier))
        GTEST_SKIP() << "no corpus";
    std::vector<fs::path> fichiers;
    for (const auto &e : fs::directory_iterator(dossier))
        if (e.path().extension() == ".mid")
            fichiers.push_back(e.path());
    std::sort(fichiers.begin(), fichiers.end());
    ASSERT_FALSE(fichiers.empty());
    // Lost notes by cause as far as the pitch tells it: below a guitar's low E (40) or above
    // the highest fret the fingering uses on the high E (64 + MaxCase), or in range (then lost to
    // chords of more notes than strings, or shapes no hand can hold).
    std::printf("%-48s %7s %7s %7s %7s %7s %7s %7s %7s\n", "file", "notes", "exact", "+-60",
                "lost", "low", "high", "beyond", "tracks");
    for (const fs::path &chemin : fichiers) {
        cPartition p;
        p.Nouveau();
        std::string cle;
        rResultatImportMIDI r;
        ASSERT_TRUE(LireFichierMIDI(chemin.string(), p, "Track", cle, &r)) << chemin << " " << cle;
        EXPECT_GE(p.NbPistes, 1);
        const std::string copie =
            (fs::path(::testing::TempDir()) / ("plec_corpus_" + chemin.filename().string())).string();
        rOptionsGeneration og;
        og.MetronomeVolume = 0;
        og.ExportRepeats = false;
        ASSERT_TRUE(ExporterMIDI(p, copie, og, cle)) << cle;

        const std::vector<rNoteLue> origine = NotesDuFichier(chemin.string());
        std::map<int, std::vector<double>> sortie;
        for (const rNoteLue &n : NotesDuFichier(copie))
            sortie[n.Cle].push_back(n.Temps);
        double finPartition = 0;
        for (const cMesure *m = p.PremiereMesure; m; m = m->Suivante)
            finPartition += m->Longueur;
        std::vector<rNoteLue> dedans;
        int au_dela = 0;
        for (const rNoteLue &n : origine)
            (n.Temps < finPartition ? dedans.push_back(n) : void(++au_dela));
        // Quantisation to the default grid of 60 ticks moves a note by at most 30.
        const int exactes = Retrouvees(dedans, sortie, 30, nullptr);
        std::vector<rNoteLue> manquantes;
        const int proches = Retrouvees(dedans, sortie, 60, &manquantes);
        int bas = 0, haut = 0;
        for (const rNoteLue &n : manquantes)
            if (!n.Batterie) {
                bas += n.Cle < 40;
                haut += n.Cle > 64 + MaxCase;
            }
        const int total = static_cast<int>(origine.size());
        std::printf("%-48s %7d %7d %7d %7d %7d %7d %7d %7d\n", chemin.filename().string().c_str(),
                    total, exactes, proches - exactes, total - au_dela - proches, bas, haut,
                    au_dela, p.NbPistes);
        ASSERT_GT(total, 0);
        EXPECT_GE(exactes, total / 2) << chemin;
        fs::remove(copie);
    }
}

} // namespace
