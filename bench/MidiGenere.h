// The generated MIDI file the import and print benchmarks read: format 1, 2,000 bars of 4/4,
// 40,000 notes on four tracks (two guitars, a bass, drums on channel 10).
#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "midifile/uSMF.h"

namespace GenMIDI {
inline constexpr int Mesures = 2000, Pistes = 4, NotesParMesure = 5;

struct rNoteGen {
    long Debut;
    int Cle;
    long Duree;
};

inline void EcrirePisteGeneree(cFichierSMF *f, int piste, int canal, std::vector<rNoteGen> notes)
{
    struct rE {
        long T;
        uint8_t S, D1, D2;
    };
    std::vector<rE> evts;
    for (const rNoteGen &n : notes) {
        evts.push_back({n.Debut, uint8_t(0x90 + canal - 1), uint8_t(n.Cle), 96});
        evts.push_back({n.Debut + n.Duree, uint8_t(0x80 + canal - 1), uint8_t(n.Cle), 64});
    }
    std::stable_sort(evts.begin(), evts.end(), [](const rE &a, const rE &b) { return a.T < b.T; });
    long t = 0;
    for (const rE &e : evts) {
        rEvtMidi m;
        m.Delta = static_cast<int32_t>(e.T - t);
        m.Statut = e.S;
        m.Donnee1 = e.D1;
        m.Donnee2 = e.D2;
        WriteSMF(f, piste, m);
        t = e.T;
    }
}

// Writes the file into the temporary folder and returns its path.
inline std::string GenererMIDI2000Mesures()
{
    const std::string chemin =
        (std::filesystem::temp_directory_path() / "plec_bench_import.mid").string();
    int format = 1, nb = 0;
    cFichierSMF *f = OpenSMF(chemin, format, 'w', nb);
    SetSMFResolution(f, 480);
    const uint8_t tempo[3] = {0x07, 0xA1, 0x20};
    WriteMetaEvent(f, 0, MetaTexte, std::string("Benchmark"), 0);
    WriteMetaEvent(f, 0, MetaTempo, tempo, 3, 0);
    const uint8_t sig[4] = {4, 2, 24, 8};
    WriteMetaEvent(f, 0, MetaSignature, sig, 4, 0);
    const char *noms[Pistes] = {"Guitar 1", "Guitar 2", "Bass", "Kit"};
    const int canaux[Pistes] = {1, 2, 3, 10};
    // Per bar: quarter, two eighths, two quarters.
    const long debuts[NotesParMesure] = {0, 480, 720, 960, 1440};
    const long durees[NotesParMesure] = {480, 240, 240, 480, 480};
    for (int p = 0; p < Pistes; ++p) {
        WriteMetaEvent(f, p + 1, MetaTexte, std::string(noms[p]), 0);
        std::vector<rNoteGen> notes;
        for (int m = 0; m < Mesures; ++m)
            for (int k = 0; k < NotesParMesure; ++k) {
                int cle;
                if (p == 3)
                    cle = k % 2 ? 38 : 36;
                else if (p == 2)
                    cle = 28 + (m * 5 + k * 2) % 20;
                else
                    cle = 45 + (m * 7 + k * 3 + p * 4) % 30;
                notes.push_back({m * 1920L + debuts[k], cle, durees[k]});
            }
        EcrirePisteGeneree(f, p + 1, canaux[p], notes);
    }
    CloseSMF(f);
    return chemin;
}

} // namespace GenMIDI
