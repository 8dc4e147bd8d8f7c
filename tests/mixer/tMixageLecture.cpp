// The mixer while playing, on the recording device: a gauge sends its controller on both
// channels of the track, solo and mute silence the tracks they mute.
#include <gtest/gtest.h>

#include <algorithm>

#include "mixer/uMixage.h"
#include "playback/uMidi.h"
#include "playback/uPeripheriques.h"
#include "support/FabriqueMidi.h"

namespace {

class MixageLecture : public ::testing::Test {
protected:
    cHorlogeManuelle horloge;
    std::shared_ptr<cJournalCapture> journal = std::make_shared<cJournalCapture>();
    std::unique_ptr<cMidi> m;
    std::unique_ptr<cPartition> p;

    void SetUp() override
    {
        p.reset(NouvellePartitionMidi(2, 2)); // track 1 on channels 1 and 2, track 2 on 3 and 4
        for (int k = 1; k <= 2; ++k)
            for (int t = 1; t <= 2; ++t)
                NoteMidi(TempsMidi(*p, k, t, 1), 1, 3);
        FinirPartitionMidi(*p);
        std::vector<rPeripherique> v;
        v.push_back({"Capture", [this](int port, std::string &) {
                         return std::unique_ptr<iPeripheriqueSortie>(
                             std::make_unique<cPeripheriqueCapture>(journal, port));
                     }});
        m = std::make_unique<cMidi>(std::make_unique<cBibliothequeMidi>(std::move(v), &horloge),
                                    nullptr);
        m->Initialiser({}, {}, {}, "no port", "(none)", "(not found)");
        m->ChangerPartition(p.get());
    }

    // The messages sent after the start, as "status,d1,d2" texts.
    std::vector<std::string> Envoyes()
    {
        m->Bibliotheque().AvancerJusqua(horloge.Ns + 1'000'000'000);
        std::vector<std::string> v;
        for (const std::string &l : journal->Lignes()) {
            const auto i = l.find(',', l.find(',') + 1);
            v.push_back(l.substr(i + 1));
        }
        return v;
    }
    bool Contient(const std::string &message)
    {
        const auto v = Envoyes();
        return std::find(v.begin(), v.end(), message) != v.end();
    }
};

TEST_F(MixageLecture, PanGaugeSendsOnBothChannelsWhilePlaying)
{
    cPiste &t = *p->PremierePiste;
    rMessageMix msg;
    // Stopped: the value is stored, nothing goes out.
    ASSERT_TRUE(ChangerValeurMix(*p, t, TMixList::mPan, 26, msg));
    m->EnvoyerMixDirect(t, msg.Base, msg.Donnee1, msg.Donnee2);
    EXPECT_FALSE(Contient("b0,0a,48"));

    m->Jouer(eModeJeu::Debut);
    journal->Vider();
    ASSERT_TRUE(ChangerValeurMix(*p, t, TMixList::mPan, 30, msg)); // 10
    m->EnvoyerMixDirect(t, msg.Base, msg.Donnee1, msg.Donnee2);
    EXPECT_TRUE(Contient("b0,0a,50")) << "pan 80 on channel 1";
    EXPECT_TRUE(Contient("b1,0a,50")) << "and on the effect channel 2";
    EXPECT_FALSE(Contient("b2,0a,50"));

    journal->Vider();
    ASSERT_TRUE(ChangerInstrument(*p, t, 33, msg));
    m->EnvoyerMixDirect(t, msg.Base, msg.Donnee1, msg.Donnee2);
    EXPECT_TRUE(Contient("c0,21"));
    EXPECT_TRUE(Contient("c1,21"));
    m->Arreter();
}

TEST_F(MixageLecture, SoloSilencesTheOtherTracks)
{
    m->Jouer(eModeJeu::Debut);
    journal->Vider();
    ChangerSolo(*p->PremierePiste, true);
    m->ActualiserSolo();
    EXPECT_TRUE(Contient("b2,7b,00")) << "all notes off on track 2's channels";
    EXPECT_TRUE(Contient("b3,7b,00"));
    EXPECT_FALSE(Contient("b0,7b,00")) << "the soloed track plays on";

    journal->Vider();
    ChangerMuet(*p->PremierePiste, true); // mute clears the solo
    m->ActualiserSolo();
    EXPECT_TRUE(Contient("b0,7b,00"));
    EXPECT_FALSE(Contient("b2,7b,00")) << "no solo left: track 2 sounds again";
    m->Arreter();
}

} // namespace
