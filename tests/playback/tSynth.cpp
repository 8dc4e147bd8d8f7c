// The built-in synthesizer: records handed over ahead of time play at their sample; the WAV
// rendering of the demo score sounds wherever the music plays and ends after the release;
// failures leave no file. The instrument lists and the recording file are here too.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <algorithm>
#include <iterator>

#include "config/DossierTemp.h"
#include "fileio/uFichierPLT.h"
#include "playback/uPeripheriques.h"
#include "playback/uPortsSortie.h"
#include "playback/uRenduWAV.h"
#include "playback/uSynthInterne.h"
#include "support/FabriqueMidi.h"

namespace {

const std::string SoundFont = CheminSoundFont("");

std::string Lire(const std::string &chemin)
{
    std::ifstream f(chemin, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// Index of the first frame whose left sample is more than dither, or -1.
long PremierSon(const std::vector<int16_t> &s)
{
    for (std::size_t i = 0; i < s.size(); i += 2)
        if (std::abs(s[i]) > 50)
            return long(i / 2);
    return -1;
}

// Where a note handed over for `ms` after the start begins to sound, in samples.
long Debut(double ms)
{
    std::string erreur;
    auto s = cSynthInterne::Ouvrir(SoundFont, false, erreur);
    EXPECT_TRUE(s) << erreur;
    if (!s)
        return -1;
    std::vector<int16_t> v;
    s->Rendre(1000, v); // the synthesizer's clock has run before the start
    s->Demarrer();
    const uint8_t on[3] = {0x90, 60, 110};
    EXPECT_TRUE(s->Programmer(on, 3, ms));
    v.clear();
    s->Rendre(44100 / 2, v);
    return PremierSon(v);
}

TEST(SynthInterne, UnEnregistrementProgrammeJoueASonEchantillon)
{
    if (SoundFont.empty())
        GTEST_SKIP() << "no General MIDI SoundFont installed";
    const long a = Debut(100), b = Debut(150);
    // Nothing before its time; 50 ms later is 2205 samples later, to FluidSynth's block of 64.
    EXPECT_GE(a, 4410 - 64);
    EXPECT_NEAR(b - a, 2205, 64);

    // A stop forgets what was handed over and not yet played.
    std::string erreur;
    auto s = cSynthInterne::Ouvrir(SoundFont, false, erreur);
    ASSERT_TRUE(s);
    s->Demarrer();
    const uint8_t on[3] = {0x90, 72, 110};
    s->Programmer(on, 3, 50.0);
    s->Arreter();
    std::vector<int16_t> v;
    s->Rendre(44100 / 4, v);
    EXPECT_EQ(PremierSon(v), -1);
}

TEST(RenduWAV, LaDemoSonneToutAuLongPuisSEteint)
{
    if (SoundFont.empty())
        GTEST_SKIP() << "no General MIDI SoundFont installed";
    cPartition p;
    p.Nouveau();
    std::string cle;
    ASSERT_TRUE(LireFichierPL3(std::string(PLEC_DATA_DIR) + "/Demo.pl3", p, cle)) << cle;
    cDossierTemp d;
    const std::string chemin = d.Chemin + "demo.wav";
    rRenduWAV infos;
    ASSERT_TRUE(RendreWAV(p, chemin, rOptionsGeneration{}, SoundFont, cle, &infos)) << cle;
    const std::string o = Lire(chemin);
    ASSERT_GT(o.size(), 44u);
    EXPECT_EQ(o.substr(0, 4), "RIFF");
    EXPECT_EQ(o.substr(8, 8), "WAVEfmt ");
    const auto u32 = [&](std::size_t i) {
        return uint32_t(uint8_t(o[i])) | uint32_t(uint8_t(o[i + 1])) << 8 |
               uint32_t(uint8_t(o[i + 2])) << 16 | uint32_t(uint8_t(o[i + 3])) << 24;
    };
    EXPECT_EQ(u32(24), 44100u);
    EXPECT_EQ(u32(40), o.size() - 44);
    // The demo's play order: six bars at 96 then three 4/4 bars and one 3/4 bar at 104.
    const double musique = 6 * 4 * 0.625 + 15 * 60.0 / 104;
    EXPECT_NEAR(infos.DureeMusique, musique, 0.7); // the last note-off ends it
    const double total = double(o.size() - 44) / 4 / 44100;
    EXPECT_NEAR(total, infos.DureeTotale, 0.001);
    EXPECT_GT(total, infos.DureeMusique) << "the release follows the last note";
    EXPECT_LT(total, infos.DureeMusique + 15.1);
    // Not silent anywhere the music plays: every 100 ms window has sound.
    const auto *e = reinterpret_cast<const int16_t *>(o.data() + 44);
    const std::size_t fenetre = 4410;
    for (std::size_t k = 0; (k + 1) * fenetre < infos.DureeMusique * 44100; ++k) {
        double somme = 0;
        for (std::size_t i = k * fenetre; i < (k + 1) * fenetre; ++i)
            somme += double(e[2 * i]) * e[2 * i];
        EXPECT_GT(std::sqrt(somme / fenetre), 50.0) << "silence at " << k * 0.1 << " s";
    }
}

TEST(RenduWAV, EchecsSansFichierLaisse)
{
    std::unique_ptr<cPartition> p(NouvellePartitionMidi(1));
    NoteMidi(TempsMidi(*p, 1, 1, 1), 1, 0);
    FinirPartitionMidi(*p);
    cDossierTemp d;
    std::string cle;
    // No SoundFont at all.
    EXPECT_FALSE(RendreWAV(*p, d.Chemin + "a.wav", {}, "", cle));
    EXPECT_EQ(cle, CleAucuneSoundFont);
    // A file that is no SoundFont.
    const std::string faux = d.Ecrire("faux.sf2", "not a soundfont");
    EXPECT_FALSE(RendreWAV(*p, d.Chemin + "b.wav", {}, faux, cle));
    EXPECT_EQ(cle, CleAucuneSoundFont);
    if (!SoundFont.empty()) {
        EXPECT_FALSE(RendreWAV(*p, d.Chemin + "absent/c.wav", {}, SoundFont, cle));
        EXPECT_EQ(cle, CleEcritureAudioImpossible);
    }
    EXPECT_FALSE(FichierExiste(d.Chemin + "a.wav"));
    EXPECT_FALSE(FichierExiste(d.Chemin + "b.wav"));
}

TEST(PatchInstrument, ListesDesFichiersPlp)
{
    cPatchInstrument p;
    // 100 lines give 100 names; the rest of the instruments have no entry.
    std::string cent;
    for (int i = 0; i < 100; ++i)
        cent += "Instr " + std::to_string(i) + "\r\n";
    p.Nom = "Cent";
    p.ChargerDepuis(&cent, "(none)", "(missing)");
    ASSERT_EQ(p.Instruments.size(), 100u);
    EXPECT_EQ(p.Instruments[7], "7 - Instr 7");
    // More than 128 lines: 128 are read.
    std::string long_;
    for (int i = 0; i < 200; ++i)
        long_ += "x\n";
    p.ChargerDepuis(&long_, "(none)", "(missing)");
    EXPECT_EQ(p.Instruments.size(), 128u);
    // A missing file and no patch fill all 128 entries with their texts.
    p.ChargerDepuis(nullptr, "(none)", "(missing)");
    EXPECT_EQ(p.Instruments[127], "127 - (missing)");
    p.Nom.clear();
    p.ChargerDepuis(&cent, "(none)", "(missing)");
    EXPECT_EQ(p.Instruments[0], "0 - (none)");
    // The shipped list names the 128 General MIDI programs.
    DefinirDossiersDonnees({PLEC_DATA_DIR});
    p.Nom = "General MIDI";
    p.Charger("(none)", "(missing)");
    ASSERT_EQ(p.Instruments.size(), 128u);
    EXPECT_EQ(p.Instruments[0], "0 - Acoustic Grand Piano");
    EXPECT_EQ(p.Instruments[24], "24 - Acoustic Guitar (nylon)");
    EXPECT_EQ(p.Instruments[127], "127 - Gunshot");
    EXPECT_NE(std::find(NomsPatchs().begin(), NomsPatchs().end(), "General MIDI"),
              NomsPatchs().end());
    DefinirDossiersDonnees({});
}

TEST(Capture, UneLigneParMessageDansLeFichier)
{
    cDossierTemp d;
    auto j = std::make_shared<cJournalCapture>(d.Chemin + "capture.txt");
    {
        cPeripheriqueCapture c(j, 2);
        const uint8_t on[3] = {0x90, 0x45, 0x5f}, pc[2] = {0xC1, 24};
        c.Envoyer(on, 3, 1500);
        c.Envoyer(pc, 2, 1500.25);
        c.Arreter();
    }
    EXPECT_EQ(Lire(d.Chemin + "capture.txt"), "1500.000,2,90,45,5f\n1500.250,2,c1,18\n");
}

} // namespace
