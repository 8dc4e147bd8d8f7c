// Standard MIDI File codec: round trips, running status, skipped meta and system events, damaged
// files refused cleanly, and every corpus file read as an independent reader reads it.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "midifile/uSMF.h"
#include "support/MidiCsv.h"

namespace fs = std::filesystem;

namespace {

using Octets = std::vector<uint8_t>;

std::string Temporaire(const std::string &nom)
{
    return (fs::path(::testing::TempDir()) / ("plec_smf_" + nom)).string();
}

Octets LireTout(const std::string &chemin)
{
    std::ifstream f(chemin, std::ios::binary);
    return Octets(std::istreambuf_iterator<char>(f), {});
}

void EcrireTout(const std::string &chemin, const Octets &o)
{
    std::ofstream f(chemin, std::ios::binary);
    f.write(reinterpret_cast<const char *>(o.data()), static_cast<std::streamsize>(o.size()));
}

// A file from its header fields and raw track chunks.
Octets Fichier(int format, int division, const std::vector<Octets> &pistes, int nbDeclare = -1)
{
    const int n = nbDeclare < 0 ? static_cast<int>(pistes.size()) : nbDeclare;
    Octets o = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, uint8_t(format), uint8_t(n >> 8), uint8_t(n),
                uint8_t(division >> 8), uint8_t(division)};
    for (const Octets &p : pistes) {
        const auto lg = static_cast<uint32_t>(p.size());
        o.insert(o.end(), {'M', 'T', 'r', 'k', uint8_t(lg >> 24), uint8_t(lg >> 16),
                           uint8_t(lg >> 8), uint8_t(lg)});
        o.insert(o.end(), p.begin(), p.end());
    }
    return o;
}

struct rLu {
    int Delta, Statut, D1, D2;
    bool operator==(const rLu &o) const
    {
        return Delta == o.Delta && Statut == o.Statut && D1 == o.D1 && D2 == o.D2;
    }
};

std::vector<rLu> LirePiste(cFichierSMF *f, int piste)
{
    std::vector<rLu> v;
    rEvtMidi e;
    int r = 1;
    while ((r = ReadSMF(f, piste, e, r)) == 1)
        v.push_back({e.Delta, e.Statut, e.Donnee1, e.Donnee2});
    return v;
}

rEvtMidi Evt(int delta, int statut, int d1, int d2)
{
    rEvtMidi e;
    e.Delta = delta;
    e.Statut = static_cast<uint8_t>(statut);
    e.Donnee1 = static_cast<uint8_t>(d1);
    e.Donnee2 = static_cast<uint8_t>(d2);
    return e;
}

TEST(SMF, AllerRetourFormat1)
{
    const std::string chemin = Temporaire("aller_retour.mid");
    int format = 1, nb = 2;
    cFichierSMF *w = OpenSMF(chemin, format, 'w', nb);
    ASSERT_NE(w, nullptr);
    SetSMFResolution(w, 480);
    const uint8_t tempo[3] = {0x07, 0xA1, 0x20};
    EXPECT_TRUE(WriteMetaEvent(w, 0, MetaTempo, tempo, 3, 0));
    EXPECT_TRUE(WriteMetaEvent(w, 0, MetaTexte, std::string("Titre"), 0));
    const std::vector<rEvtMidi> evts = {Evt(0, 0x90, 64, 95), Evt(0, 0x90, 67, 95),
                                        Evt(200, 0x80, 64, 80), Evt(20000, 0x80, 67, 80),
                                        Evt(0, 0xC1, 24, 0),    Evt(0x0FFFFFFF, 0xE1, 0, 64)};
    for (const rEvtMidi &e : evts)
        EXPECT_TRUE(WriteSMF(w, 1, e));
    ASSERT_TRUE(CloseSMF(w));
    EXPECT_FALSE(fs::exists(chemin + ".tmp-smf"));

    // Track 1's bytes: running status drops the repeated 0x90 and 0x80.
    const Octets octets = LireTout(chemin);
    const Octets piste1 = {0x00, 0x90, 64, 95, 0x00, 67, 95, 0x81, 0x48, 0x80, 64, 80,
                           0x81, 0x9C, 0x20, 67, 80, 0x00, 0xC1, 24, 0xFF, 0xFF, 0xFF,
                           0x7F, 0xE1, 0, 64, 0x00, 0xFF, 0x2F, 0x00};
    ASSERT_GE(octets.size(), piste1.size());
    EXPECT_EQ(Octets(octets.end() - static_cast<long>(piste1.size()), octets.end()), piste1);

    std::string cle;
    cFichierSMF *r = OpenSMF(chemin, format, 'r', nb, &cle);
    ASSERT_NE(r, nullptr) << cle;
    EXPECT_EQ(format, 1);
    EXPECT_EQ(nb, 2);
    EXPECT_EQ(GetSMFResolution(r), 480);
    std::vector<rLu> attendu;
    for (const rEvtMidi &e : evts)
        attendu.push_back({e.Delta, e.Statut, e.Donnee1, e.Donnee2});
    EXPECT_EQ(LirePiste(r, 1), attendu);
    EXPECT_TRUE(LirePiste(r, 0).empty());
    EXPECT_TRUE(LirePiste(r, 5).empty()); // no such track

    const uint8_t *d = nullptr;
    int lg = 0;
    EXPECT_EQ(ReadMetaEvent(r, 0, MetaTempo, d, lg), 0);
    ASSERT_EQ(lg, 3);
    EXPECT_EQ(Octets(d, d + 3), Octets(tempo, tempo + 3));
    EXPECT_EQ(ReadMetaEvent(r, 0, MetaTempo, d, lg), -1);
    EXPECT_EQ(ReadMetaEvent(r, 0, MetaTexte, d, lg), 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(d), lg), "Titre");

    RewindSMF(r);
    EXPECT_EQ(LirePiste(r, 1), attendu);
    EXPECT_EQ(ReadMetaEvent(r, 0, MetaTempo, d, lg), 0);
    EXPECT_TRUE(CloseSMF(r));

    // The same file as midicsv reads it.
    if (MidiCsvDisponible()) {
        const std::vector<rLigneCsv> csv = MidiCsv(chemin);
        EXPECT_EQ(Lignes(csv, 2, "Note_on_c").size(), 2u);
        EXPECT_EQ(Lignes(csv, 2, "Note_off_c").size(), 2u);
        const auto tempos = Lignes(csv, 1, "Tempo");
        ASSERT_EQ(tempos.size(), 1u);
        EXPECT_EQ(tempos[0].Champs[0], "500000");
    }
}

TEST(SMF, LectureStatutCourantSysexEtMeta)
{
    // Format 0 at 96 ticks: running status, a sysex and a text in the middle whose deltas add to
    // the next channel event, a two-byte delta, and bytes after the end of track.
    const Octets piste = {0x00, 0x91, 60, 100,                  // note on
                          0x10, 62, 100,                        // running status
                          0x05, 0xF0, 0x03, 0x7E, 0x00, 0xF7,   // sysex, 5 ticks
                          0x07, 0xFF, 0x01, 0x02, 'h', 'i',     // text, 7 ticks
                          0x81, 0x00, 60, 0,                    // 128 ticks, status still 0x91
                          0x00, 0xC2, 5,                        // one-byte message
                          0x00, 0xFF, 0x2F, 0x00,               // end of track
                          0x00, 0x90, 1, 1};                    // ignored
    std::string cle;
    int format = -1, nb = 0;
    const Octets o = Fichier(0, 96, {piste});
    cFichierSMF *f = OpenSMFMemoire(o.data(), o.size(), format, nb, &cle);
    ASSERT_NE(f, nullptr) << cle;
    EXPECT_EQ(format, 0);
    EXPECT_EQ(nb, 1);
    EXPECT_EQ(GetSMFResolution(f), 96);
    EXPECT_EQ(LirePiste(f, 0), (std::vector<rLu>{{0, 0x91, 60, 100},
                                                 {16, 0x91, 62, 100},
                                                 {140, 0x91, 60, 0},
                                                 {0, 0xC2, 5, 0}}));
    const uint8_t *d;
    int lg;
    EXPECT_EQ(ReadMetaEvent(f, 0, 1, d, lg), 28);
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(d), lg), "hi");
    CloseSMF(f);
}

struct rAbime {
    const char *Nom;
    Octets Contenu;
    const char *Cle;
};

const Octets PisteSaine = {0x00, 0x90, 60, 100, 0x60, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00};

Octets AvecEntete(Octets o, std::size_t i, uint8_t v)
{
    o[i] = v;
    return o;
}

std::vector<rAbime> CasAbimes()
{
    const Octets sain = Fichier(1, 480, {PisteSaine});
    Octets lgTropGrande = sain;
    lgTropGrande[14 + 7] = 0x40; // track length past the end
    return {
        {"Vide", {}, CleMIDINonReconnu},
        {"PasUnMIDI", Octets(40, 'x'), CleMIDINonReconnu},
        {"EnteteCourte", {'M', 'T', 'h', 'd', 0, 0}, CleMIDINonReconnu},
        {"Format2", AvecEntete(sain, 9, 2), CleMIDINonReconnu},
        {"DivisionSMPTE", AvecEntete(sain, 12, 0xE7), CleMIDINonReconnu},
        {"DivisionNulle", AvecEntete(AvecEntete(sain, 12, 0), 13, 0), CleErreurMIDI},
        {"AucunePiste", Fichier(1, 480, {}), CleErreurMIDI},
        {"LongueurEnteteFausse", AvecEntete(sain, 7, 0xFF), CleErreurMIDI},
        {"PisteManquante", Fichier(1, 480, {PisteSaine}, 2), CleErreurMIDI},
        {"LongueurDePisteTropGrande", lgTropGrande, CleErreurMIDI},
        {"DonneeSansStatut", Fichier(1, 480, {{0x00, 60, 100}}), CleErreurMIDI},
        {"DeltaDeCinqOctets", Fichier(1, 480, {{0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x90, 1, 1}}),
         CleErreurMIDI},
        {"MessageCoupe", Fichier(1, 480, {{0x00, 0x90, 60}}), CleErreurMIDI},
        {"DonneeHorsPlage", Fichier(1, 480, {{0x00, 0x90, 60, 0x90, 0x00}}), CleErreurMIDI},
        {"MetaTropLong", Fichier(1, 480, {{0x00, 0xFF, 0x03, 0x20, 'a'}}), CleErreurMIDI},
        {"SysexTropLong", Fichier(1, 480, {{0x00, 0xF0, 0x7F, 0x01}}), CleErreurMIDI},
        {"OctetTempsReel", Fichier(1, 480, {{0x00, 0xF8}}), CleErreurMIDI},
        {"DeltaSansEvenement", Fichier(1, 480, {{0x00, 0x90, 1, 1, 0x10}}), CleErreurMIDI},
    };
}

class FichierAbime : public ::testing::TestWithParam<rAbime> {};

TEST_P(FichierAbime, RefuseAvecSaCle)
{
    const rAbime &c = GetParam();
    std::string cle;
    int format = 0, nb = 0;
    cFichierSMF *f = OpenSMFMemoire(c.Contenu.data(), c.Contenu.size(), format, nb, &cle);
    EXPECT_EQ(f, nullptr);
    EXPECT_EQ(cle, c.Cle);
    CloseSMF(f);
    // The same through a file on disk.
    const std::string chemin = Temporaire(std::string(c.Nom) + ".mid");
    EcrireTout(chemin, c.Contenu);
    cle.clear();
    EXPECT_EQ(OpenSMF(chemin, format, 'r', nb, &cle), nullptr);
    EXPECT_EQ(cle, c.Cle);
}

INSTANTIATE_TEST_SUITE_P(Cas, FichierAbime, ::testing::ValuesIn(CasAbimes()),
                         [](const auto &info) { return std::string(info.param.Nom); });

TEST(SMF, ChaqueTroncatureEstRefuseeOuLue)
{
    const Octets sain = Fichier(1, 480, {PisteSaine, PisteSaine});
    for (std::size_t n = 0; n < sain.size(); ++n) {
        std::string cle;
        int format = 0, nb = 0;
        cFichierSMF *f = OpenSMFMemoire(sain.data(), n, format, nb, &cle);
        EXPECT_EQ(f, nullptr) << "prefix " << n;
        EXPECT_TRUE(cle == CleErreurMIDI || cle == CleMIDINonReconnu) << cle;
        CloseSMF(f);
    }
}

TEST(SMF, EcritureRefuseCeQuiCasseraitLaPiste)
{
    const std::string chemin = Temporaire("refus.mid");
    int format = 1, nb = 1;
    cFichierSMF *w = OpenSMF(chemin, format, 'w', nb);
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(WriteSMF(w, 0, Evt(0, 0x00, 1, 2)));   // tempo record, not a message
    EXPECT_FALSE(WriteSMF(w, 0, Evt(0, 0xF0, 1, 2)));   // system message
    EXPECT_FALSE(WriteSMF(w, 0, Evt(0, 0x90, 200, 2))); // key above 127
    EXPECT_FALSE(WriteSMF(w, 0, Evt(0, 0xC0, 255, 0))); // program -1
    EXPECT_FALSE(WriteSMF(w, -1, Evt(0, 0x90, 1, 2)));
    EXPECT_FALSE(WriteMetaEvent(w, 0, 0x2F, nullptr, 0, 0));
    EXPECT_TRUE(WriteSMF(w, 0, Evt(-5, 0x90, 1, 2))); // negative delta written as 0
    ASSERT_TRUE(CloseSMF(w));
    std::string cle;
    cFichierSMF *r = OpenSMF(chemin, format, 'r', nb, &cle);
    ASSERT_NE(r, nullptr) << cle;
    EXPECT_EQ(LirePiste(r, 0), (std::vector<rLu>{{0, 0x90, 1, 2}}));
    CloseSMF(r);
}

TEST(SMF, FichierImpossibleACreer)
{
    std::string cle;
    int format = 1, nb = 1;
    EXPECT_EQ(OpenSMF(Temporaire("absent/dossier/x.mid"), format, 'w', nb, &cle), nullptr);
    EXPECT_EQ(cle, "MidiExp-EcritureFichierImpossibleEnregAb");
    cle.clear();
    EXPECT_EQ(OpenSMF(Temporaire("absent.mid"), format, 'r', nb, &cle), nullptr);
    EXPECT_EQ(cle, CleMIDINonReconnu);
}

// Every real file of the corpus: read as midicsv reads it, note for note.
TEST(SMF, CorpusLuCommeParMidicsv)
{
    const fs::path dossier = fs::path(PLEC_CORPUS_DIR) / "midi";
    if (!fs::is_directory(dossier))
        GTEST_SKIP() << "no corpus at " << dossier;
    int lus = 0;
    for (const auto &entree : fs::directory_iterator(dossier)) {
        if (entree.path().extension() != ".mid")
            continue;
        SCOPED_TRACE(entree.path().filename().string());
        std::string cle;
        int format = 0, nb = 0;
        cFichierSMF *f = OpenSMF(entree.path().string(), format, 'r', nb, &cle);
        ASSERT_NE(f, nullptr) << cle;
        ++lus;
        EXPECT_GT(GetSMFResolution(f), 0);
        // Per track: the count of sounding note ons and the time of the last channel event.
        std::vector<std::pair<int, long>> parPiste;
        for (int t = 0; t < nb; ++t) {
            int notes = 0;
            long temps = 0;
            for (const rLu &e : LirePiste(f, t)) {
                temps += e.Delta;
                notes += (e.Statut & 0xF0) == 0x90 && e.D2 > 0;
            }
            parPiste.push_back({notes, temps});
        }
        CloseSMF(f);
        if (!MidiCsvDisponible())
            continue;
        const std::vector<rLigneCsv> csv = MidiCsv(entree.path().string());
        for (int t = 0; t < nb; ++t) {
            int notes = 0;
            long temps = 0;
            for (const rLigneCsv &l : csv) {
                const bool canal = l.Type.size() > 2 && l.Type.substr(l.Type.size() - 2) == "_c";
                if (l.Piste != t + 1 || !canal)
                    continue;
                temps = l.Temps;
                notes += l.Type == "Note_on_c" && std::stoi(l.Champs[2]) > 0;
            }
            EXPECT_EQ(parPiste[t].first, notes) << "track " << t;
            EXPECT_EQ(parPiste[t].second, temps) << "track " << t;
        }
    }
    EXPECT_GT(lus, 0);
}

} // namespace
