// MIDI file export, read back by midicsv: conductor track, one track per score track with the
// events the generator produces, repeats, mute and solo, and the proposed file name.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <tuple>

#include "app/uLigneCommande.h"
#include "fileio/uFichierPLT.h"
#include "midifile/uExportMIDI.h"
#include "midifile/uSMF.h"
#include "support/FabriqueMidi.h"
#include "support/Invariants.h"
#include "support/MidiCsv.h"

namespace fs = std::filesystem;

namespace {

std::string Temporaire(const std::string &nom)
{
    return (fs::path(::testing::TempDir()) / ("plec_export_" + nom)).string();
}

// A channel event as midicsv prints it: time, type, then its numbers.
using rLigne = std::tuple<long, std::string, std::vector<int>>;

rLigne LigneDe(long temps, int statut, int d1, int d2)
{
    const int canal = statut & 0x0F;
    switch (statut & 0xF0) {
    case 0x80:
        return {temps, "Note_off_c", {canal, d1, d2}};
    case 0x90:
        return {temps, "Note_on_c", {canal, d1, d2}};
    case 0xB0:
        return {temps, "Control_c", {canal, d1, d2}};
    case 0xC0:
        return {temps, "Program_c", {canal, d1}};
    default:
        return {temps, "Pitch_bend_c", {canal, (d2 << 7) | d1}};
    }
}

std::vector<rLigne> CanalCsv(const std::vector<rLigneCsv> &csv, int piste)
{
    std::vector<rLigne> v;
    for (const rLigneCsv &l : csv) {
        if (l.Piste != piste || l.Type.size() < 2 || l.Type.substr(l.Type.size() - 2) != "_c")
            continue;
        std::vector<int> n;
        for (const std::string &c : l.Champs)
            n.push_back(std::stoi(c));
        v.emplace_back(l.Temps, l.Type, n);
    }
    return v;
}

class cEnregistreur : public iSortieMidi {
public:
    std::vector<rLigne> Lignes;
    void Envoyer(int, const cPiste &, uint8_t s, uint8_t d1, uint8_t d2) override
    {
        Lignes.push_back(LigneDe(0, s, d1, d2));
    }
};

// What the file should hold for a track: its setup, then its generated events in time order.
std::vector<rLigne> Attendu(cPartition &p, int numPiste, const rOptionsGeneration &o)
{
    cGenerateurMidi g(&p);
    g.Options = o;
    g.EnExport = true;
    g.ConstruireOrdre(o.ExportRepeats);
    cPiste *piste = p.PisteNumero(numPiste);
    cEnregistreur e;
    g.PreparerCanauxPiste(*piste, e, true, true);
    g.CreerListes(piste->Port, false);
    for (int num : g.OrdreLecture)
        g.GenererMesure(piste->Port, num, 0, p.MesureNumero(num)->Longueur, false);
    for (const rEvt &x : EvenementsDe(*g.Piles[piste->Port].ListeDe(piste)))
        e.Lignes.push_back(LigneDe(std::lround(std::max(x.Temps, 0.0)), x.Statut, x.D1, x.D2));
    return e.Lignes;
}

// Two bars, two tracks on two ports, with a slide, a bend, a grace note, a brush and a mix
// table tempo change in bar 2.
std::unique_ptr<cPartition> PartitionRiche()
{
    std::unique_ptr<cPartition> p(NouvellePartitionMidi(2, 2));
    p->Informations->Titre = "Essai, \"deux\"";
    p->PremierePiste->Nom = "Guitare";
    cPiste *t2 = p->PisteNumero(2);
    t2->Nom = "Basse";
    t2->Port = 2;
    p->Canaux[2][3].Instrument = 33;
    NoteMidi(TempsMidi(*p, 1, 1, 1), 1, 5)->EffetsCrees().Slide = true;
    NoteMidi(TempsMidi(*p, 1, 1, 2), 1, 7);
    cNote *b = NoteMidi(TempsMidi(*p, 1, 1, 3, -1), 2, 8);
    b->EffetsCrees().Bend = new cEffet_Bend;
    b->Effets->Bend->AjouterForme(0, 0);
    b->Effets->Bend->AjouterForme(60, 100);
    cAccord *a = TempsMidi(*p, 2, 1, 1, -2);
    a->TableMix = new cTableMixEvent;
    a->TableMix->Tempo = 90;
    for (int s = 1; s <= 6; ++s)
        NoteMidi(a, s, 2);
    a->EffetsCrees().BrushDown = 3;
    auto *g = new cEffet_Appogiature;
    g->Case = 3;
    g->Duree = 1;
    a->Notes[1]->EffetsCrees().Appogiature = g;
    for (int m = 1; m <= 2; ++m)
        NoteMidi(TempsMidi(*p, m, 2, 1, -2), 6, m);
    FinirPartitionMidi(*p);
    return p;
}

TEST(ExportMIDI, RelitParMidicsvCommeLeGenerateur)
{
    if (!MidiCsvDisponible())
        GTEST_SKIP() << "midicsv is not installed";
    std::unique_ptr<cPartition> p = PartitionRiche();
    ASSERT_TRUE(ScoreCoherent(*p));
    const std::string chemin = Temporaire("riche.mid");
    std::string cle;
    ASSERT_TRUE(ExporterMIDI(*p, chemin, {}, cle)) << cle;
    const std::vector<rLigneCsv> csv = MidiCsv(chemin);
    ASSERT_FALSE(csv.empty());
    ASSERT_EQ(csv[0].Type, "Header");
    EXPECT_EQ(csv[0].Champs, (std::vector<std::string>{"1", "3", "480"}));

    // Conductor: tempo, title, the 4/4 signature, and the change to 90 at bar 2.
    std::vector<std::tuple<long, std::string, std::vector<std::string>>> chef;
    for (const rLigneCsv &l : csv)
        if (l.Piste == 1 && l.Type != "Start_track" && l.Type != "End_track")
            chef.emplace_back(l.Temps, l.Type, l.Champs);
    const decltype(chef) chefAttendu = {
        {0, "Tempo", {"500000"}},
        {0, "Title_t", {"Essai, \"deux\""}},
        {0, "Time_signature", {"4", "2", "24", "8"}},
        {1920, "Tempo", {"666666"}}};
    EXPECT_EQ(chef, chefAttendu);

    // Each track: its name, then exactly the generator's events.
    EXPECT_EQ(Lignes(csv, 2, "Title_t").at(0).Champs.at(0), "Guitare");
    EXPECT_EQ(Lignes(csv, 3, "Title_t").at(0).Champs.at(0), "Basse");
    const rOptionsGeneration o;
    EXPECT_EQ(CanalCsv(csv, 2), Attendu(*p, 1, o));
    EXPECT_EQ(CanalCsv(csv, 3), Attendu(*p, 2, o));
    // The track on port 2 got its program and notes without any device behind the port.
    EXPECT_EQ(Lignes(csv, 3, "Program_c").at(0).Champs, (std::vector<std::string>{"2", "33"}));
    EXPECT_EQ(Lignes(csv, 3, "Note_on_c").size(), 2u);
    // The grace note of the brushed chord comes 30 ticks before bar 2.
    EXPECT_EQ(Lignes(csv, 2, "Note_on_c").at(3).Temps, 1890);
}

TEST(ExportMIDI, SansEffetsNiRepetitions)
{
    if (!MidiCsvDisponible())
        GTEST_SKIP() << "midicsv is not installed";
    std::unique_ptr<cPartition> p = PartitionRiche();
    p->MesureNumero(1)->RenvoiFin = 1;
    rOptionsGeneration o;
    o.ExportEffects = false;
    o.ExportRepeats = false;
    const std::string chemin = Temporaire("sans_effets.mid");
    std::string cle;
    ASSERT_TRUE(ExporterMIDI(*p, chemin, o, cle)) << cle;
    const std::vector<rLigneCsv> csv = MidiCsv(chemin);
    EXPECT_EQ(CanalCsv(csv, 2), Attendu(*p, 1, o));
    // Only the two wheel centres of the setup remain; the grace note stays.
    EXPECT_EQ(Lignes(csv, 2, "Pitch_bend_c").size(), 2u);
    EXPECT_EQ(Lignes(csv, 2, "Note_on_c").at(3).Temps, 1890);
}

TEST(ExportMIDI, RepetitionsEtSignatures)
{
    if (!MidiCsvDisponible())
        GTEST_SKIP() << "midicsv is not installed";
    std::unique_ptr<cPartition> p(NouvellePartitionMidi(2));
    p->MesureNumero(1)->RenvoiDebut = true;
    p->MesureNumero(1)->RenvoiFin = 1;
    p->MesureNumero(2)->ChangerSignature(3, 4);
    NoteMidi(TempsMidi(*p, 1, 1, 1, -2), 1, 0);
    NoteMidi(TempsMidi(*p, 2, 1, 1, -1), 1, 2);
    FinirPartitionMidi(*p);
    for (bool repetitions : {true, false}) {
        SCOPED_TRACE(repetitions);
        rOptionsGeneration o;
        o.ExportRepeats = repetitions;
        const std::string chemin = Temporaire("repetitions.mid");
        std::string cle;
        ASSERT_TRUE(ExporterMIDI(*p, chemin, o, cle)) << cle;
        const std::vector<rLigneCsv> csv = MidiCsv(chemin);
        std::vector<long> ons, signatures;
        for (const rLigneCsv &l : Lignes(csv, 2, "Note_on_c"))
            ons.push_back(l.Temps);
        for (const rLigneCsv &l : Lignes(csv, 1, "Time_signature")) {
            signatures.push_back(l.Temps);
            EXPECT_EQ(l.Champs[1], "2"); // quarter-note denominators, as a power of two
        }
        if (repetitions) {
            EXPECT_EQ(ons, (std::vector<long>{0, 1920, 3840}));
            EXPECT_EQ(signatures, (std::vector<long>{0, 3840}));
        } else {
            EXPECT_EQ(ons, (std::vector<long>{0, 1920}));
            EXPECT_EQ(signatures, (std::vector<long>{0, 1920}));
        }
    }
}

TEST(ExportMIDI, PistesMuettesEtSolo)
{
    if (!MidiCsvDisponible())
        GTEST_SKIP() << "midicsv is not installed";
    std::unique_ptr<cPartition> p(NouvellePartitionMidi(1, 3));
    for (int t = 1; t <= 3; ++t) {
        cAccord *a = TempsMidi(*p, 1, t, 1);
        NoteMidi(a, 1, t)->EffetsCrees().HammerPullOff = true;
        a->TableMix = new cTableMixEvent;
        a->TableMix->Volume = 10;
        a->TableMix->Instrument = 50;
        cAccord *b = TempsMidi(*p, 1, t, 2);
        NoteMidi(b, 1, 0);
        b->EffetsCrees().Vibrato = true;
    }
    p->PisteNumero(2)->Muet = true;
    p->PisteNumero(3)->Solo = true; // so track 1 counts as muted as well
    FinirPartitionMidi(*p);
    const std::string chemin = Temporaire("muet.mid");
    std::string cle;
    ASSERT_TRUE(ExporterMIDI(*p, chemin, {}, cle)) << cle;
    const std::vector<rLigneCsv> csv = MidiCsv(chemin);
    for (int piste : {2, 3}) {
        SCOPED_TRACE(piste);
        EXPECT_EQ(Lignes(csv, piste, "Title_t").size(), 1u);
        EXPECT_TRUE(Lignes(csv, piste, "Note_on_c").empty());
        EXPECT_EQ(Lignes(csv, piste, "Note_off_c").size(), 2u);
        // Setup program and the mix table's program, both on two channels.
        EXPECT_EQ(Lignes(csv, piste, "Program_c").size(), 4u);
        // Controllers and wheel of the setup only (9 controllers, 1 wheel, two channels).
        EXPECT_EQ(Lignes(csv, piste, "Control_c").size(), 18u);
        EXPECT_EQ(Lignes(csv, piste, "Pitch_bend_c").size(), 2u);
        for (const rLigneCsv &l : Lignes(csv, piste, "Control_c"))
            EXPECT_EQ(l.Temps, 0);
    }
    EXPECT_EQ(Lignes(csv, 4, "Note_on_c").size(), 2u);
    EXPECT_GT(Lignes(csv, 4, "Pitch_bend_c").size(), 2u);
    EXPECT_EQ(Lignes(csv, 4, "Control_c").size(), 20u);
}

TEST(ExportMIDI, CanalDeBatterieSansProgramme)
{
    if (!MidiCsvDisponible())
        GTEST_SKIP() << "midicsv is not installed";
    std::unique_ptr<cPartition> p(NouvellePartitionMidi(1));
    p->PremierePiste->Canal = p->PremierePiste->CanalEffets = 10;
    p->PremierePiste->Percussions = true;
    NoteMidi(TempsMidi(*p, 1, 1, 1), 1, 0);
    FinirPartitionMidi(*p);
    const std::string chemin = Temporaire("batterie.mid");
    std::string cle;
    ASSERT_TRUE(ExporterMIDI(*p, chemin, {}, cle)) << cle;
    const std::vector<rLigneCsv> csv = MidiCsv(chemin);
    EXPECT_TRUE(Lignes(csv, 2, "Program_c").empty());
    ASSERT_EQ(Lignes(csv, 2, "Note_on_c").size(), 1u);
    EXPECT_EQ(Lignes(csv, 2, "Note_on_c")[0].Champs[0], "9");
}

// A grace note on the very first beat would start before 0: it is written at 0, and the rest of
// the track keeps its times.
TEST(ExportMIDI, TempsNegatifsNeDecalentPasLaSuite)
{
    std::unique_ptr<cPartition> p(NouvellePartitionMidi(1));
    cNote *n = NoteMidi(TempsMidi(*p, 1, 1, 1), 1, 3);
    auto *g = new cEffet_Appogiature;
    g->Case = 5;
    g->Duree = 3;
    n->EffetsCrees().Appogiature = g;
    NoteMidi(TempsMidi(*p, 1, 1, 2), 1, 0);
    FinirPartitionMidi(*p);
    const std::string chemin = Temporaire("negatif.mid");
    std::string cle;
    ASSERT_TRUE(ExporterMIDI(*p, chemin, {}, cle)) << cle;
    int format = 0, nb = 0;
    cFichierSMF *f = OpenSMF(chemin, format, 'r', nb, &cle);
    ASSERT_NE(f, nullptr) << cle;
    std::vector<std::pair<long, int>> notes; // absolute time, key of note ons
    rEvtMidi e;
    long t = 0;
    for (int r = 1; (r = ReadSMF(f, 1, e, r)) == 1;) {
        t += e.Delta;
        if ((e.Statut & 0xF0) == 0x90)
            notes.push_back({t, e.Donnee1});
    }
    CloseSMF(f);
    EXPECT_EQ(notes, (std::vector<std::pair<long, int>>{{0, 69}, {0, 67}, {480, 64}}));
}

TEST(ExportMIDI, FichierImpossibleACreer)
{
    std::unique_ptr<cPartition> p(NouvellePartitionMidi(1));
    std::string cle;
    EXPECT_FALSE(ExporterMIDI(*p, Temporaire("pas/de/dossier.mid"), {}, cle));
    EXPECT_EQ(cle, "MidiExp-EcritureFichierImpossibleEnregAb");
    // A folder in the way of the target: nothing is written and the folder stays.
    const std::string dossier = Temporaire("dossier.mid");
    fs::create_directories(dossier);
    cle.clear();
    EXPECT_FALSE(ExporterMIDI(*p, dossier, {}, cle));
    EXPECT_EQ(cle, "MidiExp-EcritureFichierImpossibleEnregAb");
    EXPECT_TRUE(fs::is_directory(dossier));
    EXPECT_FALSE(fs::exists(dossier + ".tmp-smf"));
}

TEST(ExportMIDI, RouteDeLaLigneDeCommande)
{
    const auto &routes = RoutesEcriture();
    const auto r = std::find_if(routes.begin(), routes.end(), [](const rRouteEcriture &x) {
        return std::string(x.Extension) == ".mid";
    });
    ASSERT_NE(r, routes.end());
    std::unique_ptr<cPartition> p(NouvellePartitionMidi(1));
    NoteMidi(TempsMidi(*p, 1, 1, 1), 1, 0);
    FinirPartitionMidi(*p);
    const std::string chemin = Temporaire("route.mid");
    std::string cle;
    ASSERT_TRUE(r->Ecrire(*p, chemin, cle)) << cle;
    int format = 0, nb = 0;
    cFichierSMF *f = OpenSMF(chemin, format, 'r', nb, &cle);
    ASSERT_NE(f, nullptr) << cle;
    EXPECT_EQ(format, 1);
    EXPECT_EQ(nb, 2);
    EXPECT_EQ(GetSMFResolution(f), 480);
    CloseSMF(f);
}

TEST(ExportMIDI, ConversionEnLigneDeCommande)
{
    std::unique_ptr<cPartition> p(NouvellePartitionMidi(2));
    NoteMidi(TempsMidi(*p, 1, 1, 1), 1, 3);
    NoteMidi(TempsMidi(*p, 2, 1, 1), 2, 5);
    FinirPartitionMidi(*p);
    const std::string entree = Temporaire("convert.pl3"), sortie = Temporaire("convert.mid");
    std::string cle;
    ASSERT_TRUE(EcrireFichierPL3(*p, entree, cle)) << cle;
    std::ostringstream out, err;
    ASSERT_EQ(ExecuterLigneCommande({"--convert", entree, sortie}, out, err), 0) << err.str();
    int format = 0, nb = 0;
    cFichierSMF *f = OpenSMF(sortie, format, 'r', nb, &cle);
    ASSERT_NE(f, nullptr) << cle;
    std::vector<int> cles;
    rEvtMidi e;
    for (int r = 1; (r = ReadSMF(f, 1, e, r)) == 1;)
        if ((e.Statut & 0xF0) == 0x90)
            cles.push_back(e.Donnee1);
    CloseSMF(f);
    EXPECT_EQ(cles, (std::vector<int>{67, 64}));
    // A target that cannot be created fails with the export's message.
    std::ostringstream out2, err2;
    EXPECT_EQ(ExecuterLigneCommande({"--convert", entree, Temporaire("non/x.mid")}, out2, err2), 2);
    EXPECT_NE(err2.str().find("MidiExp-EcritureFichierImpossibleEnregAb"), std::string::npos);
}

struct rCasNom {
    const char *Chemin, *Titre, *Dossier, *Nom;
};

TEST(ExportMIDI, NomPropose)
{
    const rCasNom cas[] = {
        {"/home/u/morceaux/Blues.pl3", "Titre", "/home/u/morceaux", "Blues.mid"},
        {"C:\\tabs\\vieux.plt", "", "C:\\tabs", "vieux.mid"},
        {"a.b", "", "", ".mid"},
        {"", "AC/DC: \"Live\" <1991>? *|\\", "", "AC_DC_ _Live_ _1991__ ___.mid"},
        {"", "", "", ""},
    };
    for (const rCasNom &c : cas) {
        SCOPED_TRACE(c.Chemin + std::string(" | ") + c.Titre);
        cPartition p;
        p.Nouveau();
        p.Chemin = c.Chemin;
        p.Informations->Titre = c.Titre;
        const rNomExportMIDI n = NomExportMIDI(p);
        EXPECT_EQ(n.Dossier, c.Dossier);
        EXPECT_EQ(n.Nom, c.Nom);
    }
}

} // namespace
