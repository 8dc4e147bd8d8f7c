// MIDI file import on small files built by the tests: what sounds where after the conversion,
// the listing of the tracks, the header, the channel table and the limits.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/uLigneCommande.h"
#include "midifile/uImportMIDI.h"
#include "midifile/uSMF.h"
#include "model/uPartition.h"
#include "support/FichierMidiTest.h"
#include "tools/uDoigte.h"

namespace fs = std::filesystem;

namespace {

struct rImport {
    std::unique_ptr<cPartition> P;
    rResultatImportMIDI R;
    std::vector<rEntreeMIDI> Entrees;
    std::string Cle;
};

rImport Rapide(const tOctets &o, const rOptionsImportMIDI &options = {},
               std::vector<int> choisies = {})
{
    rImport r;
    r.P = std::make_unique<cPartition>();
    r.P->Nouveau();
    cLectureMIDI f;
    if (!f.OuvrirMemoire(o.data(), o.size(), r.Cle))
        return r;
    r.Entrees = ListerEntreesMIDI(f, "Track");
    if (choisies.empty())
        for (int k = 0; k < static_cast<int>(r.Entrees.size()); ++k)
            choisies.push_back(k);
    r.R = ImportRapideMIDI(*r.P, f, "song.mid", r.Entrees, choisies, options, "Track");
    return r;
}

// A sounding note: start and length in ticks (ties followed), pitch.
struct rSon {
    double Debut;
    int Hauteur;
    double Duree;
    bool operator==(const rSon &o) const
    {
        return Debut == o.Debut && Hauteur == o.Hauteur && Duree == o.Duree;
    }
    bool operator<(const rSon &o) const
    {
        return Debut != o.Debut ? Debut < o.Debut : Hauteur < o.Hauteur;
    }
};
std::ostream &operator<<(std::ostream &o, const rSon &s)
{
    return o << "{" << s.Debut << ", " << s.Hauteur << ", " << s.Duree << "}";
}

std::vector<rSon> Sons(const cPiste &piste)
{
    std::vector<rSon> v;
    int ouvert[MaxCordes + 1];
    std::fill(std::begin(ouvert), std::end(ouvert), -1);
    double t = 0;
    for (const cMesurePiste *mp = piste.PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste) {
        double tb = t;
        for (const cAccord *a = mp->PremierAccord; a; a = a->Suivant) {
            for (const cNote *n = a->PremiereNote; n; n = n->Suivante) {
                if (n->Type == 1) {
                    const int h = piste.Percussions ? n->Case : HauteurCase(piste, n->Corde, n->Case);
                    ouvert[n->Corde] = static_cast<int>(v.size());
                    v.push_back({tb, h, n->DureeTicks});
                } else if (n->Type == 2 && ouvert[n->Corde] >= 0) {
                    v[ouvert[n->Corde]].Duree += n->DureeTicks;
                } else {
                    ouvert[n->Corde] = -1;
                }
            }
            tb += a->Duree;
        }
        t += mp->Mesure->Longueur;
    }
    std::sort(v.begin(), v.end());
    return v;
}

// Every track measure holds exactly its measure's length.
void VerifierMesuresPleines(const cPartition &p)
{
    for (const cPiste *t = p.PremierePiste; t; t = t->Suivante)
        for (const cMesurePiste *mp = t->PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste) {
            if (mp->PremierAccord && mp->PremierAccord->Etat == 0)
                continue;
            double total = 0;
            for (const cAccord *a = mp->PremierAccord; a; a = a->Suivant)
                total += a->Duree;
            EXPECT_NEAR(total, mp->Mesure->Longueur, 0.01)
                << "track " << t->Index << " measure " << mp->Mesure->Index;
        }
}

cPisteTest Conducteur() { return cPisteTest().Tempo(0, 500000).Signature(0, 4, 2); }

// ---------------------------------------------------------------- rhythm and chords

struct rCasRythme {
    const char *Nom;
    int Resolution;
    std::vector<std::vector<long>> Notes; // start, key, length (file ticks)
    std::vector<rSon> Attendu;
    int GrilleP = 60;
};

class Rythme : public ::testing::TestWithParam<rCasRythme> {};

TEST_P(Rythme, SoundsWhereExpected)
{
    const rCasRythme &c = GetParam();
    cPisteTest p;
    p.Nom("Guitar");
    for (const auto &n : c.Notes)
        p.Note(n[0], 1, static_cast<int>(n[1]), n[2]);
    rOptionsImportMIDI o;
    o.GrilleP = c.GrilleP;
    const rImport r = Rapide(FichierTest(1, c.Resolution, {Conducteur(), p}), o);
    ASSERT_TRUE(r.Cle.empty()) << r.Cle;
    EXPECT_EQ(Sons(*r.P->PremierePiste), c.Attendu);
    VerifierMesuresPleines(*r.P);
}

INSTANTIATE_TEST_SUITE_P(
    Import, Rythme,
    ::testing::Values(
        rCasRythme{"FourNoteChordKeepsEveryNote", 480,
                   {{0, 64, 480}, {0, 59, 480}, {0, 55, 480}, {0, 48, 480}},
                   {{0, 48, 480}, {0, 55, 480}, {0, 59, 480}, {0, 64, 480}}},
        rCasRythme{"OverlappingNotesKeepTheirLengths", 480,
                   {{0, 60, 960}, {480, 64, 480}},
                   {{0, 60, 960}, {480, 64, 480}}},
        rCasRythme{"LateNoteMovesToTheGrid", 480,
                   {{20, 60, 460}, {480, 62, 480}},
                   {{0, 60, 480}, {480, 62, 480}}},
        rCasRythme{"OnsetsTwentyTicksApartMakeOneChord", 480,
                   {{0, 60, 480}, {20, 64, 460}},
                   {{0, 60, 480}, {0, 64, 480}}},
        rCasRythme{"SilenceBeforeTheFirstNoteIsARest", 480,
                   {{960, 60, 480}},
                   {{960, 60, 480}}},
        rCasRythme{"WholeNoteOnBeatThreeIsTiedOverTheBar", 480,
                   {{960, 60, 1920}},
                   {{960, 60, 1920}}},
        rCasRythme{"AnyResolution", 96,
                   {{0, 60, 48}, {48, 62, 48}, {96, 64, 192}},
                   {{0, 60, 240}, {240, 62, 240}, {480, 64, 960}}},
        rCasRythme{"CoarseGridMergesSixteenths", 480,
                   {{0, 60, 120}, {120, 62, 120}, {240, 64, 240}},
                   {{0, 60, 120}, {0, 62, 120}, {240, 64, 240}},
                   240}),
    [](const auto &i) { return std::string(i.param.Nom); });

TEST(Import, WholeNoteAcrossTheBarIsHalfAndTiedHalf)
{
    cPisteTest p;
    p.Note(960, 1, 60, 1920);
    const rImport r = Rapide(FichierTest(1, 480, {Conducteur(), p}));
    const cPiste &t = *r.P->PremierePiste;
    ASSERT_GE(r.P->NbMesures, 2);
    const cMesurePiste *m1 = t.PremiereMesurePiste;
    const cMesurePiste *m2 = m1->SuivanteDansPiste;
    const cAccord *fin = m1->DernierAccord();
    EXPECT_EQ(fin->CodeDuree, -1); // half
    EXPECT_EQ(fin->Etat, 1);
    bool lie = false;
    for (const cNote *n = m2->PremierAccord->PremiereNote; n; n = n->Suivante)
        lie = lie || n->Type == 2;
    EXPECT_TRUE(lie);
    EXPECT_EQ(m2->PremierAccord->CodeDuree, -1);
}

TEST(Import, RunningStatusReadsAsFullStatus)
{
    cPisteTest p;
    for (int k = 0; k < 8; ++k)
        p.Note(k * 240, 1, 60 + k, 240, 90, true);
    const rImport plein = Rapide(FichierTest(1, 480, {Conducteur(), p}, false));
    const rImport court = Rapide(FichierTest(1, 480, {Conducteur(), p}, true));
    ASSERT_EQ(Sons(*plein.P->PremierePiste).size(), 8u);
    EXPECT_EQ(Sons(*court.P->PremierePiste), Sons(*plein.P->PremierePiste));
}

TEST(Import, NoteOffsAndLengths)
{
    cPisteTest p;
    p.Evt(0, 0x90, 60, 100);          // never ended: takes its beat's length
    p.Evt(480, 0x80, 72, 64);         // ends nothing
    p.Evt(480, 0x90, 62, 100);
    p.Evt(1440, 0x90, 62, 0);         // velocity-0 note on ends it
    const rImport r = Rapide(FichierTest(1, 480, {Conducteur(), p}));
    EXPECT_EQ(Sons(*r.P->PremierePiste), (std::vector<rSon>{{0, 60, 480}, {480, 62, 960}}));
    EXPECT_EQ(r.R.Notes, 2);
}

TEST(Import, NoteOffAtTheTimeOfANewChordEndsTheEarlierNote)
{
    cPisteTest p;
    p.Evt(0, 0x90, 60, 100);
    p.Evt(480, 0x90, 60, 100); // repeated key before its note off
    p.Evt(480, 0x80, 60, 0);
    p.Evt(960, 0x80, 60, 0);
    const rImport r = Rapide(FichierTest(1, 480, {Conducteur(), p}));
    EXPECT_EQ(Sons(*r.P->PremierePiste), (std::vector<rSon>{{0, 60, 480}, {480, 60, 480}}));
}

TEST(Import, VelocitiesBecomeDynamics)
{
    cPisteTest p;
    p.Note(0, 1, 60, 480, 1).Note(480, 1, 60, 480, 63).Note(960, 1, 60, 480, 127);
    const rImport r = Rapide(FichierTest(1, 480, {Conducteur(), p}));
    std::vector<int> nuances;
    for (const cAccord *a = r.P->PremierePiste->PremiereMesurePiste->PremierAccord; a; a = a->Suivant)
        for (const cNote *n = a->PremiereNote; n; n = n->Suivante)
            if (n->Type == 1)
                nuances.push_back(n->Nuance);
    EXPECT_EQ(nuances, (std::vector<int>{1, 4, 8}));
}

TEST(Import, NotesPastTheStringCountAreDropped)
{
    cPisteTest p;
    p.Nom("Bass");
    for (int k = 0; k < 6; ++k)
        p.Note(0, 1, 40 + 2 * k, 480);
    const rImport r = Rapide(FichierTest(1, 480, {Conducteur(), p}));
    EXPECT_EQ(r.P->PremierePiste->NbCordes, 4);
    EXPECT_EQ(Sons(*r.P->PremierePiste).size(), 4u);
    EXPECT_EQ(r.R.NotesPerdues, 2);
}

TEST(Import, TransposeLowersAnOctave)
{
    cPisteTest p;
    p.Note(0, 1, 76, 480);
    rOptionsImportMIDI o;
    o.Transposer = true;
    const rImport r = Rapide(FichierTest(1, 480, {Conducteur(), p}), o);
    EXPECT_EQ(Sons(*r.P->PremierePiste), (std::vector<rSon>{{0, 64, 480}}));
}

// Many notes in a row: nothing is bounded by the beats one measure can hold.
TEST(Import, LongTrackLosesNothing)
{
    cPisteTest p;
    for (int k = 0; k < 600; ++k)
        p.Note(k * 120, 1, 48 + k % 24, 120);
    rOptionsImportMIDI o;
    o.GrilleP = 30;
    o.GrilleD = 30;
    const rImport r = Rapide(FichierTest(1, 480, {Conducteur(), p}), o);
    EXPECT_EQ(Sons(*r.P->PremierePiste).size(), 600u);
    EXPECT_EQ(r.R.NotesPerdues, 0);
    EXPECT_EQ(r.P->NbMesures, 38); // 600 eighths: 37.5 bars
    VerifierMesuresPleines(*r.P);
}

TEST(Import, MeasureLimitDropsTheRestWithAMessage)
{
    cPisteTest p;
    for (int k = 0; k < 1100; ++k)
        p.Note(k * 1920L, 1, 60, 1920);
    const rImport r = Rapide(FichierTest(1, 480, {Conducteur(), p}));
    EXPECT_EQ(r.P->NbMesures, MaxMesures);
    EXPECT_TRUE(r.R.MesuresMax);
    EXPECT_EQ(r.R.NotesPerdues, 1100 - MaxMesures);
    EXPECT_EQ(Sons(*r.P->PremierePiste).size(), static_cast<std::size_t>(MaxMesures));
}

// ---------------------------------------------------------------- listing and kinds

TEST(Import, FormatZeroListsOneEntryPerChannel)
{
    cPisteTest p;
    p.Tempo(0, 500000);
    p.Note(0, 10, 36, 240).Note(0, 1, 64, 480).Note(480, 1, 67, 480).Note(480, 10, 38, 240);
    const rImport r = Rapide(FichierTest(0, 480, {p}));
    ASSERT_EQ(r.Entrees.size(), 2u);
    EXPECT_EQ(r.Entrees[0].Nom, "Track 10");
    EXPECT_EQ(r.Entrees[0].Canal, 10);
    EXPECT_EQ(r.Entrees[1].Nom, "Track 1");
    ASSERT_EQ(r.P->NbPistes, 2);
    const cPiste &batterie = *r.P->Pistes[1];
    const cPiste &guitare = *r.P->Pistes[2];
    EXPECT_TRUE(batterie.Percussions);
    EXPECT_EQ(batterie.Canal, 10);
    EXPECT_EQ(Sons(batterie), (std::vector<rSon>{{0, 36, 240}, {480, 38, 240}}));
    EXPECT_FALSE(guitare.Percussions);
    EXPECT_NE(guitare.Canal, 10);
    EXPECT_EQ(Sons(guitare), (std::vector<rSon>{{0, 64, 480}, {480, 67, 480}}));
}

// A format-1 file of one track holding its notes, at 960 to the quarter, whose name is padded
// with zeros.
TEST(Import, SingleTrackFileAndPaddedNames)
{
    cPisteTest p;
    p.Meta(0, 3, {'S', 'o', 'l', 'o', 0, 0}).Tempo(0, 500000);
    p.Note(0, 1, 64, 960).Note(960, 1, 67, 1920);
    const rImport r = Rapide(FichierTest(1, 960, {p}));
    ASSERT_EQ(r.Entrees.size(), 1u);
    EXPECT_EQ(r.Entrees[0].Nom, "Solo");
    EXPECT_EQ(r.P->Informations->Titre, "Solo");
    EXPECT_EQ(Sons(*r.P->PremierePiste), (std::vector<rSon>{{0, 64, 480}, {480, 67, 960}}));
}

// Track names may come in UTF-8 or in a single-byte code page; both read as the model's text.
TEST(Import, NamesInEitherEncoding)
{
    cPisteTest c = Conducteur();
    cPisteTest a, b;
    a.Meta(0, 3, {'C', 'a', 'f', 0xC3, 0xA9}).Note(0, 1, 60, 480);  // UTF-8 e acute
    b.Meta(0, 3, {'C', 'a', 'f', 0xE9}).Note(0, 2, 64, 480);        // the same in Latin-1
    const rImport r = Rapide(FichierTest(1, 480, {c, a, b}));
    ASSERT_EQ(r.Entrees.size(), 2u);
    EXPECT_EQ(r.Entrees[0].Nom, "Caf\xE9");
    EXPECT_EQ(r.Entrees[1].Nom, "Caf\xE9");
}

struct rCasGenre {
    const char *Nom;
    std::string NomPiste;
    int Canal;
    bool Batterie;
    int NbCordes;
    std::vector<int> Accordage;
    int Cle = 45; // within the instrument's range
};

class Genre : public ::testing::TestWithParam<rCasGenre> {};

TEST_P(Genre, ChosenFromNameAndChannel)
{
    const rCasGenre &c = GetParam();
    cPisteTest p;
    p.Nom(c.NomPiste).Note(0, c.Canal, c.Cle, 480);
    const rImport r = Rapide(FichierTest(1, 480, {Conducteur(), p}));
    const cPiste &t = *r.P->PremierePiste;
    EXPECT_EQ(t.Percussions, c.Batterie);
    EXPECT_EQ(t.NbCordes, c.NbCordes);
    for (int s = 1; s <= static_cast<int>(c.Accordage.size()); ++s)
        EXPECT_EQ(t.AccordageCorde(s), c.Accordage[s - 1]) << "string " << s;
    EXPECT_EQ(Sons(t), (std::vector<rSon>{{0, c.Cle, 480}}));
    EXPECT_EQ(t.Canal == 10, c.Batterie);
}

INSTANTIATE_TEST_SUITE_P(
    Import, Genre,
    ::testing::Values(rCasGenre{"Guitar", "Lead", 1, false, 6, {64, 59, 55, 50, 45, 40}},
                      rCasGenre{"DrumsByName", "Drum kit", 2, true, 6, {0, 0, 0, 0, 0, 0}},
                      rCasGenre{"PercussionByName", "percussion", 3, true, 6, {0, 0, 0, 0, 0, 0}},
                      rCasGenre{"DrumsByChannel", "Untitled", 10, true, 6, {0, 0, 0, 0, 0, 0}},
                      rCasGenre{"BassAnyCase", "Fretless bASs", 1, false, 4, {43, 38, 33, 28}},
                      rCasGenre{"BassWinsOverDrum", "Bass drum", 1, false, 4, {43, 38, 33, 28}},
                      rCasGenre{"Banjo", "Banjo", 1, false, 5, {62, 59, 55, 50, 67}, 57}),
    [](const auto &i) { return std::string(i.param.Nom); });

TEST(Import, DrumKeysAreNotTransposed)
{
    cPisteTest p;
    p.Nom("Drums").Note(0, 10, 42, 240);
    rOptionsImportMIDI o;
    o.Transposer = true;
    const rImport r = Rapide(FichierTest(1, 480, {Conducteur(), p}), o);
    EXPECT_EQ(Sons(*r.P->PremierePiste), (std::vector<rSon>{{0, 42, 240}}));
}

TEST(Import, TracksWithoutNotesAreRemovedButTheFirst)
{
    cPisteTest vide1, note, vide2;
    vide1.Nom("Empty");
    note.Nom("Lead").Note(0, 2, 60, 480);
    vide2.Nom("Empty too").Programme(0, 3, 30);
    const rImport r = Rapide(FichierTest(1, 480, {Conducteur(), vide1, note, vide2}));
    ASSERT_EQ(r.P->NbPistes, 2);
    EXPECT_EQ(r.P->Pistes[1]->Nom, "Empty");
    EXPECT_EQ(r.P->Pistes[2]->Nom, "Lead");
}

TEST(Import, MergedEntriesNameTheTrackByTheirNumbers)
{
    cPisteTest a, b;
    a.Nom("A").Note(0, 1, 60, 480);
    b.Nom("B").Note(480, 2, 64, 480);
    const tOctets o = FichierTest(1, 480, {Conducteur(), a, b});
    cPartition p;
    p.Nouveau();
    cLectureMIDI f;
    std::string cle;
    ASSERT_TRUE(f.OuvrirMemoire(o.data(), o.size(), cle));
    const auto entrees = ListerEntreesMIDI(f, "Track");
    const rResultatImportMIDI r =
        ImporterPiste(p, *p.PremierePiste, f, entrees, {0, 1}, {}, {}, "Track");
    EXPECT_EQ(r.Notes, 2);
    EXPECT_EQ(p.PremierePiste->Nom, "Track 1-2");
    EXPECT_EQ(Sons(*p.PremierePiste), (std::vector<rSon>{{0, 60, 480}, {480, 64, 480}}));
}

TEST(Import, ChannelsFollowTheFreeOnes)
{
    std::vector<cPisteTest> pistes = {Conducteur()};
    for (int k = 0; k < 3; ++k) {
        cPisteTest p;
        p.Nom("T" + std::to_string(k)).Note(0, 1, 60, 480);
        pistes.push_back(p);
    }
    rOptionsImportMIDI deux;
    deux.DeuxCanaux = true;
    const rImport un = Rapide(FichierTest(1, 480, pistes));
    const rImport d = Rapide(FichierTest(1, 480, pistes), deux);
    ASSERT_EQ(un.P->NbPistes, 3);
    ASSERT_EQ(d.P->NbPistes, 3);
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(un.P->Pistes[k]->Canal, k);
        EXPECT_EQ(un.P->Pistes[k]->CanalEffets, k);
    }
    EXPECT_EQ(d.P->Pistes[1]->Canal, 1);
    EXPECT_EQ(d.P->Pistes[1]->CanalEffets, 2);
    EXPECT_EQ(d.P->Pistes[2]->Canal, 3);
    EXPECT_EQ(d.P->Pistes[2]->CanalEffets, 4);
}

// ---------------------------------------------------------------- header and channel table

TEST(Import, TitleFromTheFirstTrackOrTheFileName)
{
    cPisteTest nomme = Conducteur();
    nomme.Nom("My Song");
    EXPECT_EQ(Rapide(FichierTest(1, 480, {nomme, cPisteTest().Note(0, 1, 60, 480)}))
                  .P->Informations->Titre,
              "My Song");
    EXPECT_EQ(Rapide(FichierTest(1, 480, {Conducteur(), cPisteTest().Note(0, 1, 60, 480)}))
                  .P->Informations->Titre,
              "Song");
}

TEST(Import, TempoChanges)
{
    cPisteTest c;
    c.Tempo(0, 0);           // means nothing
    c.Tempo(0, 600000);      // 100 bpm: the score's tempo
    c.Tempo(1920, 400000);   // 150 bpm at bar 2
    c.Tempo(2000, 0);        // ignored too
    cPisteTest p;
    for (int k = 0; k < 8; ++k)
        p.Note(k * 480, 1, 60, 480);
    const rImport r = Rapide(FichierTest(1, 480, {c, p}));
    EXPECT_EQ(r.P->Tempo, 100);
    const cMesurePiste *m2 = r.P->PremierePiste->PremiereMesurePiste->SuivanteDansPiste;
    ASSERT_NE(m2->PremierAccord->TableMix, nullptr);
    EXPECT_EQ(m2->PremierAccord->TableMix->Tempo, 150);
    int changements = 0;
    for (const cMesurePiste *mp = r.P->PremierePiste->PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste)
        for (const cAccord *a = mp->PremierAccord; a; a = a->Suivant)
            changements += a->TableMix && a->TableMix->Tempo >= 0;
    EXPECT_EQ(changements, 1);
}

TEST(Import, TimeSignatureChanges)
{
    cPisteTest c;
    c.Signature(0, 3, 2);
    c.Signature(1440, 0, 2);   // numerator 0: skipped
    c.Signature(2880, 6, 3);   // 6/8 from bar 3
    c.Signature(2880, 7, 6);   // 7/64: skipped
    cPisteTest p;
    for (int k = 0; k < 16; ++k)
        p.Note(k * 480, 1, 60, 480);
    const rImport r = Rapide(FichierTest(1, 480, {c, p}));
    ASSERT_GE(r.P->NbMesures, 4);
    EXPECT_EQ(r.P->Mesures[1]->Numerateur, 3);
    EXPECT_EQ(r.P->Mesures[2]->Numerateur, 3);
    EXPECT_EQ(r.P->Mesures[3]->Numerateur, 6);
    EXPECT_EQ(r.P->Mesures[3]->Denominateur, 8);
    EXPECT_EQ(r.P->Mesures[r.P->NbMesures]->Numerateur, 6);
    VerifierMesuresPleines(*r.P);
    EXPECT_EQ(Sons(*r.P->PremierePiste).size(), 16u);
}

TEST(Import, ProgramsAndControllers)
{
    cPisteTest p;
    p.Nom("Lead");
    p.Programme(0, 1, 30).Evt(0, 0xB0, 7, 100).Evt(0, 0xB0, 10, 64).Evt(0, 0xB0, 91, 8);
    p.Programme(0, 1, 31); // same time as the first: ignored
    p.Note(0, 1, 60, 480).Note(480, 1, 62, 480);
    p.Programme(960, 1, 25).Evt(960, 0xB0, 7, 40); // with the third beat
    p.Note(960, 1, 64, 480);
    p.Evt(1200, 0xB0, 91, 127); // between beats: on the next one
    p.Note(1440, 1, 65, 480);
    const rImport r = Rapide(FichierTest(1, 480, {Conducteur(), p}));
    const cPiste &t = *r.P->PremierePiste;
    const rCanalMidi &canal = r.P->Canaux[1][t.Canal];
    EXPECT_EQ(canal.Instrument, 30);
    EXPECT_EQ(canal.Volume, 12);
    EXPECT_EQ(canal.Balance, 8);
    EXPECT_EQ(canal.Reverb, 1);
    const cAccord *a3 = t.PremiereMesurePiste->Accords[3];
    const cAccord *a4 = t.PremiereMesurePiste->Accords[4];
    ASSERT_NE(a3->TableMix, nullptr);
    EXPECT_EQ(a3->TableMix->Instrument, 25);
    EXPECT_EQ(a3->TableMix->Volume, 5);
    ASSERT_NE(a4->TableMix, nullptr);
    EXPECT_EQ(a4->TableMix->Reverb, 16);
    EXPECT_EQ(a4->TableMix->Instrument, -1);
    EXPECT_EQ(t.PremiereMesurePiste->Accords[1]->TableMix, nullptr);
}

// ---------------------------------------------------------------- bad files

TEST(Import, UnreadableFilesAreRefused)
{
    const tOctets texte = {'h', 'e', 'l', 'l', 'o'};
    EXPECT_EQ(Rapide(texte).Cle, CleMIDINonReconnu);
    tOctets coupe = FichierTest(1, 480, {Conducteur(), cPisteTest().Note(0, 1, 60, 480)});
    coupe.resize(coupe.size() - 6);
    EXPECT_FALSE(Rapide(coupe).Cle.empty());
    // Format 2 (independent patterns) is not supported.
    EXPECT_EQ(Rapide(FichierTest(2, 480, {cPisteTest().Note(0, 1, 60, 480)})).Cle,
              CleMIDINonReconnu);
}

TEST(Import, CommandLineConvertsAndRefuses)
{
    const fs::path dossier = fs::path(::testing::TempDir()) / "plec_import_midi";
    fs::create_directories(dossier);
    const std::string bon = (dossier / "bon.mid").string();
    const std::string mauvais = (dossier / "mauvais.mid").string();
    const std::string sortie = (dossier / "sortie.pl3").string();
    const std::string rien = (dossier / "rien.pl3").string();
    fs::remove(sortie);
    fs::remove(rien);
    cPisteTest p;
    p.Nom("Lead").Note(0, 1, 64, 480).Note(480, 1, 67, 480);
    ASSERT_TRUE(EcrireFichierTest(bon, FichierTest(1, 480, {Conducteur(), p})));
    ASSERT_TRUE(EcrireFichierTest(mauvais, {'M', 'T', 'h', 'd', 0, 0}));
    std::ostringstream out, err;
    EXPECT_EQ(ExecuterLigneCommande({"--convert", bon, sortie}, out, err), 0) << err.str();
    EXPECT_TRUE(fs::exists(sortie));
    std::ostringstream info;
    EXPECT_EQ(ExecuterLigneCommande({"--info", sortie}, info, err), 0);
    EXPECT_NE(info.str().find("\"notes\":2"), std::string::npos) << info.str();
    std::ostringstream err2;
    EXPECT_EQ(ExecuterLigneCommande({"--convert", mauvais, rien}, out, err2), 2);
    EXPECT_NE(err2.str().find("Fichier-"), std::string::npos) << err2.str();
    EXPECT_FALSE(fs::exists(rien));
}

} // namespace
