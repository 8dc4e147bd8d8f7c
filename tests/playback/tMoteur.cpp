// The playback engine on the recording device with a manual clock: what is sent and when, for
// the play modes, count-down, solo, tempo factor, loops, the speed trainer, previews and stop.
// Scores are 4/4 bars of quarter notes at tempo 120: one quarter lasts 500 ms.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <sstream>
#include <thread>

#include "playback/uMidi.h"
#include "playback/uPeripheriques.h"
#include "support/FabriqueMidi.h"

namespace {

struct rLigne {
    double Ms;
    int Port;
    std::vector<int> Octets;
};

std::vector<rLigne> Lire(const cJournalCapture &j)
{
    std::vector<rLigne> v;
    for (const std::string &s : j.Lignes()) {
        rLigne l;
        std::istringstream f(s);
        std::string champ;
        std::getline(f, champ, ',');
        l.Ms = std::stod(champ);
        std::getline(f, champ, ',');
        l.Port = std::stoi(champ);
        while (std::getline(f, champ, ','))
            l.Octets.push_back(std::stoi(champ, nullptr, 16));
        v.push_back(l);
    }
    return v;
}

// Times of the note-ons with velocity > 0 of a status (0x90 = channel 1).
std::vector<double> NotesOn(const std::vector<rLigne> &v, int statut, int cle = -1)
{
    std::vector<double> t;
    for (const rLigne &l : v)
        if (l.Octets.size() == 3 && l.Octets[0] == statut && l.Octets[2] > 0 &&
            (cle < 0 || l.Octets[1] == cle))
            t.push_back(l.Ms);
    return t;
}

bool Contient(const std::vector<rLigne> &v, std::vector<int> octets)
{
    for (const rLigne &l : v)
        if (l.Octets == octets)
            return true;
    return false;
}

class cFenetreFactice : public iInterfaceLecture {
public:
    bool Envoi = false, Suivi = false;
    int Demarrages = 0, Arrets = 0, Mouvements = 0;
    std::vector<std::string> Erreurs;
    std::vector<int> Tempos;
    void ActiverEnvoi(bool a) override { Envoi = a; }
    void ActiverSuivi(bool a) override { Suivi = a; }
    void LectureDemarree() override { ++Demarrages; }
    void LectureArretee() override { ++Arrets; }
    void CurseurSuivi(bool) override { ++Mouvements; }
    void TempoAffiche(int t) override { Tempos.push_back(t); }
    void ErreurPeripherique(const std::string &n) override { Erreurs.push_back(n); }
};

class Moteur : public ::testing::Test {
protected:
    cHorlogeManuelle horloge;
    std::shared_ptr<cJournalCapture> journal = std::make_shared<cJournalCapture>();
    cFenetreFactice fenetre;
    std::unique_ptr<cMidi> m;
    std::unique_ptr<cPartition> p;
    std::vector<std::pair<int, int>> avis;
    long echecApres = -1; // the device fails after that many messages
    bool ouvertureImpossible = false;

    void Creer(int mesures, int pistes = 1, int nbPeripheriques = 1)
    {
        p.reset(NouvellePartitionMidi(mesures, pistes));
        for (int k = 1; k <= mesures; ++k)
            for (int t = 1; t <= pistes; ++t)
                for (int b = 1; b <= 4; ++b)
                    NoteMidi(TempsMidi(*p, k, t, b), 1, k); // bar k plays fret k: key 64 + k
        FinirPartitionMidi(*p);
        std::vector<rPeripherique> v;
        for (int d = 0; d < nbPeripheriques; ++d)
            v.push_back({"Capture " + std::to_string(d), [this, d](int port, std::string &e) {
                             if (ouvertureImpossible && d == 0) {
                                 e = "busy";
                                 return std::unique_ptr<iPeripheriqueSortie>();
                             }
                             return std::unique_ptr<iPeripheriqueSortie>(
                                 std::make_unique<cPeripheriqueCapture>(journal, port,
                                                                        echecApres));
                         }});
        auto lib = std::make_unique<cBibliothequeMidi>(std::move(v), &horloge);
        lib->DefinirNotification([this](int a, int s) { avis.emplace_back(a, s); });
        m = std::make_unique<cMidi>(std::move(lib), &fenetre);
        m->Initialiser({}, {}, {}, "no port", "(none)", "(not found)");
        m->ChangerPartition(p.get());
    }

    // The window's two timers for `ms`, 100 ms per tick, notifications delivered in between.
    void Jouer(int ms)
    {
        for (int t = 0; t < ms; t += 100) {
            if (fenetre.Envoi)
                m->EnvoyerJusqua();
            m->Bibliotheque().AvancerJusqua(horloge.Ns + 100'000'000);
            auto a = std::move(avis);
            avis.clear();
            for (auto [x, s] : a)
                m->Notification(x, s);
            if (fenetre.Suivi)
                m->SuivreCurseur();
        }
    }
    void Curseur(int mesure, int temps)
    {
        rPosition c = p->Curseur;
        c.NumMesure = mesure;
        c.NumTemps = temps;
        p->PlacerCurseur(c);
    }
    std::vector<rLigne> Lignes() const { return Lire(*journal); }
};

TEST_F(Moteur, DonneeAuDelaDe127NeSortJamais)
{
    Creer(1);
    cBibliothequeMidi &b = m->Bibliotheque();
    ASSERT_TRUE(m->OuvrirPorts(true));
    // The layer's output path refuses it, whoever the caller.
    m->Bibliotheque().StartSync(1);
    const int h = 1;
    EXPECT_FALSE(b.PutMidiOut(h, {0, 0x90, 200, 100, 0}));
    EXPECT_FALSE(b.PutMidiOut(h, {0, 0xB0, 7, 128, 0}));
    EXPECT_FALSE(b.EnvoyerImmediat(h, 0x90, 64, 255));
    EXPECT_FALSE(b.PutMidiOut(h, {0, 0x40, 1, 1, 0})); // no status
    EXPECT_TRUE(b.PutMidiOut(h, {0, 0xC0, 25, 200, 0})); // a program change has one data byte
    b.AvancerJusqua(horloge.Ns + 1);
    const auto v = Lignes();
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0].Octets, (std::vector<int>{0xC0, 25}));

    // A fret so high that its key passes 127 is generated, but never reaches the device.
    m->Bibliotheque().StopSync(1);
    journal->Vider();
    p->PremierePiste->Capo = 70;
    m->Jouer(eModeJeu::Debut);
    Jouer(2500);
    for (const rLigne &l : Lignes())
        for (std::size_t i = 1; i < l.Octets.size(); ++i)
            EXPECT_LE(l.Octets[i], 127);
    EXPECT_TRUE(NotesOn(Lignes(), 0x90).empty());
}

TEST_F(Moteur, LaCoucheEnvoieAuxEcheancesEtSuitLeTempo)
{
    Creer(1);
    ASSERT_TRUE(m->OuvrirPorts(true));
    cBibliothequeMidi &b = m->Bibliotheque();
    b.SetTempo(1, 500000);
    b.StartSync(1);
    b.PutMidiOut(1, {480, 0x90, 60, 100, 0}); // a quarter: 500 ms
    b.PutMidiOut(1, {960, 0x80, 60, 0, 0});   // two more quarters
    b.AvancerJusqua(250'000'000);
    EXPECT_EQ(b.GetPosition(1), 240);
    // Twice as slow from 250 ms: the first record, a quarter after 0, now falls at 750 ms.
    b.SetTempo(1, 1000000);
    b.AvancerJusqua(5'000'000'000);
    const auto v = Lignes();
    ASSERT_EQ(v.size(), 2u);
    EXPECT_DOUBLE_EQ(v[0].Ms, 750);
    EXPECT_DOUBLE_EQ(v[1].Ms, 750 + 2000);
    // A stop forgets what was not sent yet.
    b.PutMidiOut(1, {480, 0x90, 61, 100, 0});
    b.StopSync(1);
    b.StartSync(1);
    b.AvancerJusqua(10'000'000'000);
    EXPECT_EQ(Lignes().size(), 2u);
}

TEST_F(Moteur, JouerDuDebutPuisDepuisLeCurseur)
{
    Creer(2);
    m->Jouer(eModeJeu::Debut);
    EXPECT_EQ(fenetre.Demarrages, 1);
    Jouer(4500);
    EXPECT_FALSE(m->EnLecture()) << "the end of the order stops playback";
    EXPECT_EQ(fenetre.Arrets, 1);
    EXPECT_EQ(NotesOn(Lignes(), 0x90),
              (std::vector<double>{0, 500, 1000, 1500, 2000, 2500, 3000, 3500}));
    // The set-up comes before the first note: bend range, centre, program, volume.
    const auto v = Lignes();
    EXPECT_EQ(v[0].Octets, (std::vector<int>{0xB0, 100, 0}));
    EXPECT_TRUE(Contient(v, {0xC0, 24}));
    EXPECT_TRUE(Contient(v, {0xB0, 7, 104}));

    // From the third beat of bar 2: that beat sounds at once.
    journal->Vider();
    Curseur(2, 3);
    m->Jouer(eModeJeu::PositionCourante);
    Jouer(1500);
    EXPECT_EQ(NotesOn(Lignes(), 0x90, 66), (std::vector<double>{0, 500}));
}

TEST_F(Moteur, LeCurseurSuitLaMusiqueTempsParTemps)
{
    Creer(2);
    m->Jouer(eModeJeu::Debut);
    std::vector<std::pair<int, int>> vus;
    for (int k = 0; k < 40 && m->EnLecture(); ++k) {
        Jouer(100);
        const std::pair<int, int> c{p->Curseur.NumMesure, p->Curseur.NumTemps};
        if (vus.empty() || vus.back() != c)
            vus.push_back(c);
    }
    const std::vector<std::pair<int, int>> attendu = {{1, 1}, {1, 2}, {1, 3}, {1, 4}, {2, 1},
                                                      {2, 2}, {2, 3}, {2, 4}};
    EXPECT_EQ(vus, attendu);
}

TEST_F(Moteur, DecompteSansMetronome)
{
    Creer(1);
    m->CountDown = true;
    m->Metronome(false);
    m->Jouer(eModeJeu::Debut);
    Jouer(4500);
    // The count-down clicks sound, the first one stressed; the music's clicks do not.
    EXPECT_EQ(NotesOn(Lignes(), 0x99, 37), (std::vector<double>{0, 500, 1000, 1500}));
    EXPECT_TRUE(Contient(Lignes(), {0x99, 37, 127}));
    EXPECT_EQ(NotesOn(Lignes(), 0x90).front(), 2000);
}

TEST_F(Moteur, SoloFiltreLesNotesPasLesControleurs)
{
    Creer(1, 2);
    p->PisteNumero(2)->Solo = true;
    m->Jouer(eModeJeu::Debut);
    Jouer(2500);
    const auto v = Lignes();
    // Track 1 (channel 1) is silent, but its set-up and controllers go out; track 2 plays.
    EXPECT_TRUE(NotesOn(v, 0x90).empty());
    EXPECT_EQ(NotesOn(v, 0x92).size(), 4u);
    EXPECT_TRUE(Contient(v, {0xB0, 7, 104}));
    EXPECT_TRUE(Contient(v, {0xB0, 123, 0})) << "the muted track's notes are cut at start";
}

TEST_F(Moteur, FacteurDeTempoDemiDoubleLesMicrosecondes)
{
    Creer(1);
    m->ChoisirFacteur(0.5);
    EXPECT_EQ(m->TempoEffectif(), 60);
    m->Jouer(eModeJeu::Debut);
    Jouer(5000);
    EXPECT_EQ(NotesOn(Lignes(), 0x90), (std::vector<double>{0, 1000, 2000, 3000}));
    m->BasculerFacteur(false);
    EXPECT_EQ(m->TempoEffectif(), 120);
}

TEST_F(Moteur, MesureCouranteUneFoisPuisCurseurRendu)
{
    Creer(3);
    Curseur(2, 3);
    p->Curseur.NumCorde = 2;
    m->Jouer(eModeJeu::MesureCourante);
    EXPECT_TRUE(p->SelectionActive) << "the bar's beats are selected";
    Jouer(3000);
    EXPECT_FALSE(m->EnLecture());
    EXPECT_EQ(NotesOn(Lignes(), 0x90), (std::vector<double>{0, 500, 1000, 1500}));
    EXPECT_EQ(NotesOn(Lignes(), 0x90, 66).size(), 4u) << "bar 2 only";
    EXPECT_EQ(p->Curseur.NumMesure, 2);
    EXPECT_EQ(p->Curseur.NumTemps, 3);
    EXPECT_EQ(p->Curseur.NumCorde, 2);

    // With loop on the bar repeats without a gap.
    journal->Vider();
    m->Boucle = true;
    m->Jouer(eModeJeu::MesureCourante);
    Jouer(3900);
    EXPECT_TRUE(m->EnLecture());
    m->Arreter();
    EXPECT_EQ(NotesOn(Lignes(), 0x90, 66),
              (std::vector<double>{0, 500, 1000, 1500, 2000, 2500, 3000, 3500}));
}

TEST_F(Moteur, EntraineurSoixanteSoixanteDixQuatreVingtPuisQuatreVingt)
{
    Creer(6);
    m->JouerTrainer(3, 5, 60, 80, 10);
    Jouer(50000);
    m->Arreter();
    // Bar 3 (key 67) opens each pass: 12 quarters at 60, then 70, then 80, and 80 again.
    const auto t = NotesOn(Lignes(), 0x90, 67);
    ASSERT_GE(t.size(), 17u);
    const double q60 = 1000, q70 = 60000.0 / 70, q80 = 750;
    // The follow tick sets the new tempo, up to one tick after the bar line.
    EXPECT_NEAR(t[4] - t[0], 12 * q60, 20);
    EXPECT_NEAR(t[8] - t[4], 12 * q70, 20);
    EXPECT_NEAR(t[12] - t[8], 12 * q80, 20);
    EXPECT_NEAR(t[16] - t[12], 12 * q80, 20);
    EXPECT_TRUE(NotesOn(Lignes(), 0x90, 66).empty()) << "bars outside the range never play";
    EXPECT_TRUE(NotesOn(Lignes(), 0x90, 70).empty());

    // Tempos 100 to 80 with step 5 go down: 100, 95, 90, 85, 80, 80.
    journal->Vider();
    m->JouerTrainer(1, 1, 100, 80, 5);
    std::vector<int> tempos;
    for (int k = 0; k < 200 && tempos.size() < 6; ++k) {
        Jouer(100);
        if (tempos.empty() || tempos.back() != m->TempoEffectif())
            tempos.push_back(m->TempoEffectif());
    }
    m->Arreter();
    Jouer(20000); // the clock is stopped: nothing more comes
    EXPECT_EQ(tempos, (std::vector<int>{100, 95, 90, 85, 80}));
}

TEST_F(Moteur, BoucleRevientALaMesureUnAuTempoDeLaPartition)
{
    Creer(2);
    // Bar 2 doubles the tempo through a mix table change.
    cAccord *a = TempsMidi(*p, 2, 1, 1);
    a->TableMix = new cTableMixEvent;
    a->TableMix->Tempo = 240;
    m->Boucle = true;
    m->Jouer(eModeJeu::Debut);
    Jouer(7000);
    EXPECT_TRUE(m->EnLecture());
    m->Arreter();
    const auto t = NotesOn(Lignes(), 0x90, 65); // bar 1
    ASSERT_GE(t.size(), 8u);
    EXPECT_DOUBLE_EQ(t[0], 0);
    // Bar 2 at 240 lasts 1 s; then bar 1 is back at 120: 500 ms per quarter.
    EXPECT_NEAR(t[4], 2000 + 1000, 1);
    EXPECT_NEAR(t[5] - t[4], 500, 1);
}

TEST_F(Moteur, DepuisUnMarkerEnBouclePuisProchainMarker)
{
    Creer(4);
    p->AjouterMarker(p->MesureNumero(2), "A", 255);
    p->AjouterMarker(p->MesureNumero(4), "B", 255);
    m->Boucle = true;
    m->Jouer(eModeJeu::Marker, 1);
    Jouer(7900);
    m->Arreter();
    // Bars 2 and 3, then back to 2 because bar 4 carries a marker of its own.
    EXPECT_EQ(NotesOn(Lignes(), 0x90, 66).size(), 8u);
    EXPECT_TRUE(NotesOn(Lignes(), 0x90, 68).empty());
    EXPECT_NEAR(NotesOn(Lignes(), 0x90, 66)[4], 4000, 1);
}

TEST_F(Moteur, DepartEnMesureNEnvoieDabordLesChangementsDeMixAnterieurs)
{
    Creer(4);
    cAccord *a = TempsMidi(*p, 1, 1, 2);
    a->TableMix = new cTableMixEvent;
    a->TableMix->Instrument = 30;
    a->TableMix->Volume = 10;
    a->TableMix->Tempo = 60;
    Curseur(3, 1);
    m->Jouer(eModeJeu::PositionCourante);
    Jouer(2900);
    m->Arreter();
    const auto v = Lignes();
    const auto indice = [&](std::vector<int> o) {
        for (std::size_t i = 0; i < v.size(); ++i)
            if (v[i].Octets == o)
                return int(i);
        return -1;
    };
    const int premiereNote = indice({0x90, 67, 95});
    ASSERT_GE(premiereNote, 0);
    EXPECT_GE(indice({0xC0, 30}), 0);
    EXPECT_LT(indice({0xC0, 30}), premiereNote);
    EXPECT_GE(indice({0xB0, 7, 80}), 0);
    EXPECT_LT(indice({0xB0, 7, 80}), premiereNote);
    // And the tempo of bar 1's change: a quarter lasts a second.
    EXPECT_EQ(NotesOn(v, 0x90, 67), (std::vector<double>{0, 1000, 2000}));
}

TEST_F(Moteur, StopCoupeLesNotesEtCentreLaRoue)
{
    Creer(2);
    m->Jouer(eModeJeu::Debut);
    Jouer(700);
    journal->Vider();
    m->Arreter();
    const auto v = Lignes();
    // Track 1 plays on channels 1 and 2, the metronome on 10.
    for (int c : {0, 1, 9}) {
        EXPECT_TRUE(Contient(v, {0xB0 + c, 123, 0})) << c;
        EXPECT_TRUE(Contient(v, {0xE0 + c, 0, 64})) << c;
    }
    Jouer(3000);
    EXPECT_TRUE(NotesOn(Lignes(), 0x90).empty()) << "nothing queued is sent after a stop";
}

TEST_F(Moteur, ChangementDePistePendantLaLecture)
{
    Creer(2, 2);
    TempsMidi(*p, 1, 2, 1, -1); // track 2, bar 1: one half note, then quarters
    FinirPartitionMidi(*p);
    m->Jouer(eModeJeu::Debut);
    Jouer(1200); // on beat 3 of track 1 (1000..1500 ms)
    EXPECT_EQ(p->Curseur.NumTemps, 3);
    p->Curseur.NumPiste = 2;
    m->ChangerPiste();
    // On track 2 the time 1000 ms falls in its second beat (the half note lasts 0..1000).
    EXPECT_EQ(p->Curseur.NumTemps, 2);
    EXPECT_EQ(p->Curseur.MesurePiste->Piste, p->PisteNumero(2));
    Jouer(400);
    EXPECT_EQ(p->Curseur.NumTemps, 3);
    m->Arreter();
}

TEST_F(Moteur, ApercuDuTempsMemeMuetEtRienSansLOption)
{
    Creer(1);
    p->PremierePiste->Muet = true;
    m->EcouterAccord(*p->PremierePiste, *TempsMidi(*p, 1, 1, 2));
    Jouer(1000);
    EXPECT_EQ(NotesOn(Lignes(), 0x90), (std::vector<double>{0}));
    EXPECT_FALSE(m->EnLecture());

    // A beat that belongs to no score plays on the given track's channel and tuning.
    journal->Vider();
    cPartition autre;
    autre.Nouveau();
    cAccord *b = autre.PremierePiste->PremiereMesurePiste->PremierAccord;
    NoteMidi(b, 2, 3);
    p->PremierePiste->Capo = 2;
    m->EcouterAccord(*p->PremierePiste, *b);
    Jouer(1000);
    EXPECT_EQ(NotesOn(Lignes(), 0x90, 59 + 3 + 2).size(), 1u);

    journal->Vider();
    m->JouerPendantSaisie = false;
    m->EcouterAccord(*p->PremierePiste, *TempsMidi(*p, 1, 1, 2));
    Jouer(1000);
    EXPECT_TRUE(Lignes().empty());
}

TEST_F(Moteur, PeripheriquePerduArreteSansBloquer)
{
    echecApres = 20;
    Creer(8);
    m->Jouer(eModeJeu::Debut);
    Jouer(3000);
    EXPECT_FALSE(m->EnLecture());
    ASSERT_EQ(fenetre.Erreurs.size(), 1u);
    EXPECT_EQ(fenetre.Erreurs[0], "Capture 0");
    EXPECT_EQ(Lignes().size(), 20u);
}

TEST_F(Moteur, UnPortQuiNOuvrePasNEmpechePasLesAutres)
{
    ouvertureImpossible = true;
    Creer(1, 2, 2);
    p->PisteNumero(2)->Port = 2;
    m->ChoisirPeripherique(2, 1);
    m->Jouer(eModeJeu::Debut);
    EXPECT_TRUE(m->PortOuvert(2));
    EXPECT_FALSE(m->PortOuvert(1));
    EXPECT_EQ(fenetre.Erreurs.size(), 1u);
    Jouer(2500);
    EXPECT_EQ(NotesOn(Lignes(), 0x92).size(), 4u);
    // Previews do not retry the failed port: no message at every key.
    for (int k = 0; k < 5; ++k)
        m->EcouterAccord(*p->PremierePiste, *TempsMidi(*p, 1, 1, 1));
    EXPECT_EQ(fenetre.Erreurs.size(), 1u);
    // An explicit play tries again and says so again.
    m->Jouer(eModeJeu::Debut);
    EXPECT_EQ(fenetre.Erreurs.size(), 2u);
}

TEST_F(Moteur, DemarrageDesPortsParDefautEtDesReglages)
{
    Creer(1, 1, 3);
    // Port 1 takes the first device; names from the settings are looked up, unknown ignored.
    EXPECT_EQ(m->Ports[1].Peripherique, 0);
    EXPECT_EQ(m->Ports[2].Peripherique, -1);
    EXPECT_EQ(m->Ports[2].NomPeripherique, "-no port-");
    m->Initialiser({"", "Capture 2", "Gone", ""}, {"", "", "", ""}, {false, true, false, false},
                   "no port", "(none)", "(not found)");
    EXPECT_EQ(m->Ports[1].Peripherique, 0);
    EXPECT_EQ(m->Ports[2].Peripherique, 2);
    EXPECT_EQ(m->Ports[3].Peripherique, -1);
    EXPECT_TRUE(m->Gen.Options.LimitBend[2]);
    EXPECT_FALSE(m->MetronomeActif());
    ASSERT_EQ(m->Ports[3].Patch.Instruments.size(), 128u);
    EXPECT_EQ(m->Ports[3].Patch.Instruments[5], "5 - (none)");
}

} // namespace

namespace {

// The layer on the real clock with its scheduler thread: everything put from this thread goes
// out in order, never before its time, while the tempo changes under it.
TEST(CoucheTempsReel, EnvoieDansLOrdreJamaisEnAvance)
{
    auto journal = std::make_shared<cJournalCapture>();
    std::vector<rPeripherique> v = {{"Capture", [journal](int port, std::string &) {
                                         return std::unique_ptr<iPeripheriqueSortie>(
                                             std::make_unique<cPeripheriqueCapture>(journal,
                                                                                    port));
                                     }}};
    cBibliothequeMidi b(std::move(v));
    std::vector<std::pair<double, double>> mesures;
    std::mutex verrou;
    b.DefinirMesure([&](double prevu, double reel) {
        std::lock_guard<std::mutex> l(verrou);
        mesures.emplace_back(prevu, reel);
    });
    const int s = b.OpenSync();
    std::string erreur;
    const int h = b.OpenMidiOut(0, s, 1, erreur);
    ASSERT_GT(h, 0);
    b.SetTempo(s, 60000); // a quarter lasts 60 ms: a tick is 0.125 ms
    b.StartSync(s);
    for (int k = 0; k < 40; ++k)
        b.PutMidiOut(h, {k == 0 ? 0 : 40, 0x90, uint8_t(k), 100, 0}); // every 5 ms
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    b.SetTempo(s, 120000);
    for (int k = 0; k < 200 && b.EnAttente(h) > 0; ++k)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(b.EnAttente(h), 0u);
    EXPECT_GE(b.GetPosition(s), 40 * 39);
    b.StopSync(s);
    const auto lignes = Lire(*journal);
    ASSERT_EQ(lignes.size(), 40u);
    for (int k = 0; k < 40; ++k)
        EXPECT_EQ(lignes[k].Octets[1], k);
    std::lock_guard<std::mutex> l(verrou);
    ASSERT_EQ(mesures.size(), 40u);
    for (auto [prevu, reel] : mesures)
        EXPECT_GE(reel, prevu - 0.001);
    b.CloseMidiOut(h);
    b.CloseSync(s);
}

} // namespace
