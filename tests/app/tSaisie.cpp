// Typing at the edit cursor: frets built digit by digit, the moves with their placeholder beat,
// note and beat edits, durations and the on/off effects with their exclusions.
#include <gtest/gtest.h>

#include <string>

#include "app/uSaisie.h"
#include "model/uPartition.h"
#include "support/Invariants.h"

namespace {

enum class eGenrePiste { Guitare, Batterie, Banjo };

struct Saisie : ::testing::Test {
    cPartition p;
    void SetUp() override { p.Nouveau(); }
    cPiste &Piste() { return *p.PisteNumero(p.Curseur.NumPiste); }
    void Genre(eGenrePiste g)
    {
        cPiste &t = Piste();
        if (g == eGenrePiste::Batterie) {
            t.Percussions = true;
        } else if (g == eGenrePiste::Banjo) {
            const int avant = t.NbCordes;
            t.NbCordes = 5;
            t.Banjo5 = true;
            t.Accordage = {62, 59, 55, 50, 67, -1, -1};
            t.ChangerNbCordes(avant);
        }
    }
    void Aller(int mesure, int temps, int corde)
    {
        rPosition c;
        c.NumMesure = mesure;
        c.NumTemps = temps;
        c.NumCorde = corde;
        p.PlacerCurseur(c);
    }
    cMesurePiste &Mp(int m = 1) { return *p.MesurePisteDe(m, 1); }
    cNote &Note(int m, int t, int s) { return *Mp(m).Accords[t]->Notes[s]; }
    cAccord &Accord(int m, int t) { return *Mp(m).Accords[t]; }
    void Taper(const std::string &chiffres)
    {
        for (char c : chiffres)
            TaperChiffre(p, c - '0', 6);
    }
    // Beats of measure 1 with the fret of string 1 (0 when none), as "5 7 -" (- for empty).
    void Remplir(std::initializer_list<int> frets)
    {
        cMesurePiste &mp = Mp();
        cAccord *a = mp.PremierAccord;
        bool premier = true;
        for (int f : frets) {
            if (!premier)
                a = mp.InsererAccordApres(nullptr);
            premier = false;
            if (f >= 0) {
                a->Etat = 1;
                a->Notes[1]->Type = 1;
                a->Notes[1]->Case = static_cast<uint8_t>(f);
            }
        }
        mp.CalculerDuree();
    }
};

// ---------------------------------------------------------------- typing

struct rCasFrappe {
    const char *Nom;
    eGenrePiste Genre;
    int Corde;
    const char *Chiffres;
    int Fret;
    bool Attente; // a second digit may still follow
};
void PrintTo(const rCasFrappe &c, std::ostream *os) { *os << c.Nom; }

struct Frappe : Saisie, ::testing::WithParamInterface<rCasFrappe> {};

TEST_P(Frappe, BuildsTheFret)
{
    const rCasFrappe &c = GetParam();
    Genre(c.Genre);
    Aller(1, 1, c.Corde);
    Taper(c.Chiffres);
    const cNote &n = Note(1, 1, c.Corde);
    EXPECT_EQ(n.Type, 1);
    EXPECT_EQ(n.Case, c.Fret);
    EXPECT_EQ(p.AttenteChiffre, c.Attente);
    EXPECT_EQ(Accord(1, 1).Etat, 1);
    EXPECT_TRUE(ScoreCoherent(p));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Frappe,
    ::testing::Values(
        rCasFrappe{"OneThenTwoIsTwelve", eGenrePiste::Guitare, 1, "12", 12, false},
        rCasFrappe{"ThreeThenFiveIsFive", eGenrePiste::Guitare, 1, "35", 5, false},
        rCasFrappe{"ThreeThenZeroIsThirty", eGenrePiste::Guitare, 1, "30", 30, false},
        rCasFrappe{"FourIsFinalAtOnce", eGenrePiste::Guitare, 1, "4", 4, false},
        rCasFrappe{"FourThenTwoIsTwo", eGenrePiste::Guitare, 1, "42", 2, true},
        rCasFrappe{"OneWaitsForASecondDigit", eGenrePiste::Guitare, 1, "1", 1, true},
        rCasFrappe{"ThreeDigitsStartAgain", eGenrePiste::Guitare, 1, "125", 5, false},
        rCasFrappe{"ZeroIsFinal", eGenrePiste::Guitare, 1, "0", 0, false},
        rCasFrappe{"DrumsFourThenTwoIsFortyTwo", eGenrePiste::Batterie, 1, "42", 42, false},
        rCasFrappe{"DrumsAnyDigitWaits", eGenrePiste::Batterie, 1, "9", 9, true},
        rCasFrappe{"DrumsNinetyNine", eGenrePiste::Batterie, 1, "99", 99, false},
        rCasFrappe{"BanjoFifthStringTwoIsSeven", eGenrePiste::Banjo, 5, "2", 7, true},
        rCasFrappe{"BanjoFifthStringOneTwoIsTwelve", eGenrePiste::Banjo, 5, "12", 12, false},
        rCasFrappe{"BanjoFifthStringFourIsNineAtOnce", eGenrePiste::Banjo, 5, "4", 9, false},
        rCasFrappe{"BanjoFifthStringSixIsSix", eGenrePiste::Banjo, 5, "6", 6, false},
        rCasFrappe{"BanjoFifthStringOneZeroIsTen", eGenrePiste::Banjo, 5, "10", 10, false},
        rCasFrappe{"BanjoFifthStringPastThirtyKeepsTheDigit", eGenrePiste::Banjo, 5, "35", 10,
                   false},
        rCasFrappe{"BanjoOtherStringIsPlain", eGenrePiste::Banjo, 4, "2", 2, true}),
    [](const auto &i) { return std::string(i.param.Nom); });

TEST_F(Saisie, ANewNoteTakesTheDefaultDynamicAndATypedOneKeepsItsOwn)
{
    TaperChiffre(p, 5, 3);
    EXPECT_EQ(Note(1, 1, 1).Nuance, 3);
    Note(1, 1, 1).Nuance = 7;
    TaperChiffre(p, 7, 3);
    EXPECT_EQ(Note(1, 1, 1).Nuance, 7);
}

TEST_F(Saisie, TypingOnARestMakesItNormal)
{
    Remplir({5, 5});
    Aller(1, 1, 3);
    ASSERT_TRUE(Silence(p));
    EXPECT_EQ(Accord(1, 1).Etat, 2);
    Taper("7");
    EXPECT_EQ(Accord(1, 1).Etat, 1);
    EXPECT_EQ(Note(1, 1, 3).Case, 7);
}

TEST_F(Saisie, AFretPastTheMidiRangeIsRefused)
{
    Piste().Accordage[0] = 110;
    Piste().Capo = 2;
    Taper("1");
    ASSERT_EQ(Note(1, 1, 1).Case, 1);
    EXPECT_FALSE(TaperChiffre(p, 8, 6)) << "110 + 2 + 18 = 130";
    EXPECT_EQ(Note(1, 1, 1).Case, 1);
    EXPECT_FALSE(p.AttenteChiffre);
    Taper("15"); // 127 exactly is fine
    EXPECT_EQ(Note(1, 1, 1).Case, 15);

    Piste().Accordage[1] = 127;
    Aller(1, 1, 2);
    EXPECT_FALSE(TaperChiffre(p, 2, 6));
    EXPECT_EQ(Note(1, 1, 2).Type, 0) << "a refused first digit leaves the note as it was";
    EXPECT_FALSE(PoserCase(p, 1, 6));
}

TEST_F(Saisie, TheFretMenuSetsAValueWithoutWaiting)
{
    ASSERT_TRUE(PoserCase(p, 2, 6));
    EXPECT_EQ(Note(1, 1, 1).Case, 2);
    EXPECT_FALSE(p.AttenteChiffre);
    Taper("4");
    EXPECT_EQ(Note(1, 1, 1).Case, 4) << "the next digit starts a new fret";
    EXPECT_FALSE(PoserCase(p, 30, 6));
}

// ---------------------------------------------------------------- moves

TEST_F(Saisie, StringMovesWrapAround)
{
    DeplacerCorde(p, eMouvementCorde::Haut);
    EXPECT_EQ(p.Curseur.NumCorde, 6) << "up from string 1";
    DeplacerCorde(p, eMouvementCorde::Bas);
    EXPECT_EQ(p.Curseur.NumCorde, 1) << "down from the last string";
    DeplacerCorde(p, eMouvementCorde::Derniere);
    EXPECT_EQ(p.Curseur.NumCorde, 6);
    DeplacerCorde(p, eMouvementCorde::Premiere);
    EXPECT_EQ(p.Curseur.NumCorde, 1);
}

TEST_F(Saisie, LeftOnATrailingPlaceholderDeletesIt)
{
    Remplir({5, 7, -1});
    Aller(1, 3, 2);
    EXPECT_EQ(DeplacerTemps(p, eMouvementTemps::Precedent), eResultatMouvement::Modifie);
    EXPECT_EQ(Mp().NbAccords, 2);
    EXPECT_EQ(p.Curseur.NumTemps, 2);
    EXPECT_EQ(p.Curseur.NumCorde, 2) << "the string is kept";
    EXPECT_TRUE(ScoreCoherent(p));
}

TEST_F(Saisie, APlaceholderThatIsTheFirstBeatStays)
{
    p.InsererMesureApres(nullptr);
    Aller(2, 1, 1);
    DeplacerTemps(p, eMouvementTemps::Precedent);
    EXPECT_EQ(Mp(2).NbAccords, 1);
    EXPECT_EQ(p.Curseur.NumMesure, 1);
}

TEST_F(Saisie, RightOnAnEmptyBeatDoesNothing)
{
    EXPECT_EQ(DeplacerTemps(p, eMouvementTemps::Suivant), eResultatMouvement::Rien);
    EXPECT_EQ(DeplacerTemps(p, eMouvementTemps::Dernier), eResultatMouvement::Rien);
    EXPECT_EQ(Mp().NbAccords, 1);
}

TEST_F(Saisie, RightPastAFullLastMeasureAppendsAMeasure)
{
    Remplir({1, 2, 3, 4}); // four quarters in 4/4
    Aller(1, 4, 3);
    EXPECT_EQ(DeplacerTemps(p, eMouvementTemps::Suivant), eResultatMouvement::MesureAjoutee);
    EXPECT_EQ(p.NbMesures, 2);
    EXPECT_EQ(p.Curseur.NumMesure, 2);
    EXPECT_EQ(p.Curseur.NumTemps, 1);
    EXPECT_EQ(p.Curseur.NumCorde, 3);
    EXPECT_TRUE(ScoreCoherent(p));
}

TEST_F(Saisie, RightPastAMeasureThatIsNotFullAppendsABeatOfTheSameLength)
{
    Remplir({1, 2});
    Accord(1, 2).CodeDuree = 1;
    Accord(1, 2).CalculerDuree();
    Mp().CalculerDuree();
    Aller(1, 2, 1);
    EXPECT_EQ(DeplacerTemps(p, eMouvementTemps::Suivant), eResultatMouvement::Modifie);
    ASSERT_EQ(Mp().NbAccords, 3);
    EXPECT_EQ(Accord(1, 3).Etat, 0);
    EXPECT_EQ(Accord(1, 3).CodeDuree, 1);
    EXPECT_EQ(Mp().DureeTotale, 480 + 240 + 240);
    EXPECT_EQ(p.Curseur.NumTemps, 3);
}

TEST_F(Saisie, RightPastAnOverfullMeasureAppendsABeat)
{
    Remplir({1, 2, 3, 4, 5});
    Aller(1, 5, 1);
    EXPECT_EQ(DeplacerTemps(p, eMouvementTemps::Suivant), eResultatMouvement::Modifie);
    EXPECT_EQ(Mp().NbAccords, 6);
    EXPECT_EQ(p.NbMesures, 1);
}

TEST_F(Saisie, LeftCrossesIntoThePreviousMeasureAndStopsAtTheStart)
{
    Remplir({1, 2, 3, 4});
    p.InsererMesureApres(nullptr);
    Aller(2, 1, 1);
    DeplacerTemps(p, eMouvementTemps::Precedent);
    EXPECT_EQ(p.Curseur.NumMesure, 1);
    EXPECT_EQ(p.Curseur.NumTemps, 4);
    Aller(1, 1, 1);
    EXPECT_EQ(DeplacerTemps(p, eMouvementTemps::Precedent), eResultatMouvement::Deplace);
    EXPECT_EQ(p.Curseur.NumTemps, 1);
}

TEST_F(Saisie, MovesForgetThePendingDigit)
{
    Remplir({1, 2});
    Taper("1");
    ASSERT_TRUE(p.AttenteChiffre);
    DeplacerTemps(p, eMouvementTemps::Suivant);
    EXPECT_FALSE(p.AttenteChiffre);
    Taper("2");
    EXPECT_EQ(Note(1, 2, 1).Case, 2) << "a digit on another beat starts a new fret";
    EXPECT_EQ(Note(1, 1, 1).Case, 1);
}

// ---------------------------------------------------------------- note and beat edits

TEST_F(Saisie, DeleteClearsTheNoteAndTheBeatFollowsWhatIsLeft)
{
    Remplir({5, 7});
    Note(1, 1, 2).Type = 1;
    Aller(1, 1, 1);
    EXPECT_TRUE(EffacerNote(p));
    EXPECT_EQ(Note(1, 1, 1).Type, 0);
    EXPECT_EQ(Accord(1, 1).Etat, 1) << "string 2 still holds a note";
    Aller(1, 1, 2);
    EffacerNote(p);
    EXPECT_EQ(Accord(1, 1).Etat, 2) << "another beat follows: a rest";
    Aller(1, 2, 1);
    EffacerNote(p);
    EXPECT_EQ(Accord(1, 2).Etat, 0) << "the last beat becomes the empty placeholder";
    Aller(1, 1, 1);
    EffacerNote(p);
    EXPECT_EQ(Mp().NbAccords, 1) << "delete on a rest deletes the beat";
    EXPECT_TRUE(ScoreCoherent(p));
}

TEST_F(Saisie, DeadTiedAndRest)
{
    Remplir({5, 7});
    Note(1, 1, 1).EffetsCrees().Slide = true;
    Aller(1, 2, 3);
    ASSERT_TRUE(NoteMorte(p));
    EXPECT_EQ(Note(1, 2, 3).Type, 3);
    Aller(1, 1, 1);
    Note(1, 1, 1).Sugeree = true;
    Note(1, 1, 1).Nuance = 3;
    ASSERT_TRUE(Lier(p));
    const cNote &n = Note(1, 1, 1);
    EXPECT_EQ(n.Type, 2);
    EXPECT_EQ(n.Effets, nullptr);
    EXPECT_FALSE(n.Sugeree);
    EXPECT_EQ(n.Nuance, 6);
    ASSERT_TRUE(Lier(p));
    EXPECT_EQ(Note(1, 1, 1).Type, 0) << "untying clears the note";
    EXPECT_EQ(Accord(1, 1).Etat, 2);
    Aller(1, 2, 1);
    Accord(1, 2).EffetsCrees().Vibrato = true;
    ASSERT_TRUE(Silence(p));
    EXPECT_EQ(Accord(1, 2).Etat, 2);
    EXPECT_EQ(Accord(1, 2).Effets, nullptr);
    EXPECT_EQ(Note(1, 2, 1).Type, 0);
    EXPECT_TRUE(ScoreCoherent(p));
}

TEST_F(Saisie, DynamicsOfTheNoteOrOfTheWholeBeat)
{
    Remplir({5});
    Note(1, 1, 2).Type = 1;
    EXPECT_TRUE(Nuance(p, 2, false));
    EXPECT_EQ(Note(1, 1, 1).Nuance, 2);
    EXPECT_EQ(Note(1, 1, 2).Nuance, 6);
    EXPECT_TRUE(Nuance(p, 8, true));
    for (int s = 1; s <= 6; ++s)
        EXPECT_EQ(Note(1, 1, s).Nuance, 8) << "string " << s << ", with or without a note";
    Aller(1, 1, 3);
    EXPECT_FALSE(Nuance(p, 4, false)) << "no note on the cursor string";
}

struct rCasDeplacement {
    const char *Nom;
    eGenrePiste Genre;
    int Corde, Fret;
    bool Haut;
    int Occupee; // a string already holding a note, 0 none
    int CordeAttendue, FretAttendu; // 0: nothing moves
};
void PrintTo(const rCasDeplacement &c, std::ostream *os) { *os << c.Nom; }
struct Deplacement : Saisie, ::testing::WithParamInterface<rCasDeplacement> {};

TEST_P(Deplacement, MovesTheNote)
{
    const rCasDeplacement &c = GetParam();
    Genre(c.Genre);
    Aller(1, 1, c.Corde);
    Accord(1, 1).Etat = 1;
    Note(1, 1, c.Corde).Type = 1;
    Note(1, 1, c.Corde).Case = static_cast<uint8_t>(c.Fret);
    Note(1, 1, c.Corde).EffetsCrees().LetRing = true;
    if (c.Occupee) {
        Note(1, 1, c.Occupee).Type = 1;
        Note(1, 1, c.Occupee).Case = 9;
    }
    const bool bouge = DeplacerNote(p, c.Haut);
    EXPECT_EQ(bouge, c.CordeAttendue != 0);
    if (bouge) {
        EXPECT_EQ(p.Curseur.NumCorde, c.CordeAttendue);
        const cNote &n = Note(1, 1, c.CordeAttendue);
        EXPECT_EQ(n.Type, 1);
        EXPECT_EQ(n.Case, c.FretAttendu);
        ASSERT_NE(n.Effets, nullptr) << "the effects go with the note";
        EXPECT_TRUE(n.Effets->LetRing);
        EXPECT_EQ(Note(1, 1, c.Corde).Type, 0);
    } else {
        EXPECT_EQ(Note(1, 1, c.Corde).Case, c.Fret);
        EXPECT_EQ(p.Curseur.NumCorde, c.Corde);
    }
    EXPECT_TRUE(ScoreCoherent(p));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Deplacement,
    ::testing::Values(
        // B3 string to G3 string: fret 3 (D4) is fret 7 there
        rCasDeplacement{"DownFromBToG", eGenrePiste::Guitare, 2, 3, false, 0, 3, 7},
        rCasDeplacement{"UpFromGToB", eGenrePiste::Guitare, 3, 7, true, 0, 2, 3},
        rCasDeplacement{"ANegativeFretIsRefused", eGenrePiste::Guitare, 2, 3, true, 0, 0, 0},
        rCasDeplacement{"PastThirtyIsRefused", eGenrePiste::Guitare, 5, 28, false, 0, 0, 0},
        // D4 from the B string over an occupied G string to the D string
        rCasDeplacement{"AnOccupiedStringIsPassedOver", eGenrePiste::Guitare, 2, 3, false, 3,
                        4, 12},
        rCasDeplacement{"RunningOffTheStrings", eGenrePiste::Guitare, 6, 3, false, 0, 0, 0},
        // banjo: 5th string is G4 (67) with frets counted from 5
        rCasDeplacement{"BanjoOntoTheFifthString", eGenrePiste::Banjo, 4, 17, false, 0, 5, 5},
        rCasDeplacement{"BanjoBelowFiveOnTheFifthIsRefused", eGenrePiste::Banjo, 4, 12, false, 0,
                        0, 0},
        // drums follow the string pitches too, and are never refused for the fret range
        rCasDeplacement{"DrumKeysShiftWithTheStrings", eGenrePiste::Batterie, 1, 42, false, 0, 2,
                        47},
        rCasDeplacement{"DrumKeysStayKeys", eGenrePiste::Batterie, 1, 98, false, 0, 0, 0}),
    [](const auto &i) { return std::string(i.param.Nom); });

// ---------------------------------------------------------------- durations

TEST_F(Saisie, BeatDurationsPropagateAndRecountTheMeasure)
{
    Remplir({5, 7});
    Note(1, 1, 2).Type = 1;
    ASSERT_TRUE(DureeNote(p, 1)); // string 1 plays an eighth of its own
    EXPECT_TRUE(Note(1, 1, 1).DureePropre);
    ASSERT_TRUE(DureeAccord(p, -1));
    EXPECT_EQ(Accord(1, 1).Duree, 960);
    EXPECT_EQ(Note(1, 1, 2).DureeTicks, 960) << "a note without its own duration follows";
    EXPECT_EQ(Note(1, 1, 1).DureeTicks, 240) << "a note with its own duration keeps it";
    EXPECT_EQ(Mp().DureeTotale, 960 + 480);
    ASSERT_TRUE(BasculerPointeAccord(p));
    EXPECT_EQ(Mp().DureeTotale, 1440 + 480);
    ASSERT_TRUE(TrioletAccord(p, 3));
    EXPECT_DOUBLE_EQ(Accord(1, 1).Duree, 960);
    ASSERT_TRUE(TrioletAccord(p, 4)) << "an unknown tuplet code";
    EXPECT_EQ(Accord(1, 1).Triolet, 1);
    EXPECT_TRUE(ScoreCoherent(p));
}

TEST_F(Saisie, NoteDurationOfItsOwnOnlyWhenItDiffers)
{
    Remplir({5});
    ASSERT_TRUE(DureeNote(p, 1));
    EXPECT_TRUE(Note(1, 1, 1).DureePropre);
    ASSERT_TRUE(DureeNote(p, 0));
    EXPECT_FALSE(Note(1, 1, 1).DureePropre) << "back to the beat's quarter";
    ASSERT_TRUE(BasculerPointeNote(p));
    EXPECT_EQ(Note(1, 1, 1).DureeTicks, 720);
    BasculerPointeNote(p);
    TrioletAccord(p, 5);
    ASSERT_TRUE(BasculerTrioletNote(p));
    EXPECT_EQ(Note(1, 1, 1).Triolet, 1) << "the note had the beat's tuplet";
    EXPECT_TRUE(Note(1, 1, 1).DureePropre);
    BasculerTrioletNote(p);
    EXPECT_EQ(Note(1, 1, 1).Triolet, 5);
    Aller(1, 1, 2);
    EXPECT_FALSE(DureeNote(p, 2)) << "no note on the string";
}

TEST(PasDuree, StaysBetweenWholeAndSixtyFourth)
{
    EXPECT_EQ(PasDuree(0, 1), 1);
    EXPECT_EQ(PasDuree(0, -1), -1);
    EXPECT_EQ(PasDuree(4, 1), 4);
    EXPECT_EQ(PasDuree(-2, -1), -2);
}

// ---------------------------------------------------------------- effects

// Every effect set on the cursor beat and note, as a string of flags.
std::string Effets(const cAccord &b, const cNote &n)
{
    std::string s;
    auto f = [&s](bool v, const char *nom) {
        if (v)
            s += std::string(s.empty() ? "" : " ") + nom;
    };
    const cEffets_Note *en = n.Effets;
    f(en && en->Bend, "bend");
    f(en && en->HammerPullOff, "hopo");
    f(en && en->Slide, "slide");
    f(en && en->LetRing, "ring");
    f(en && en->Appogiature, "grace");
    f(n.Sugeree, "ghost");
    const cEffets_Accord *e = b.Effets;
    f(e && e->Vibrato, "vib");
    f(e && e->TremoloBar, "trem");
    f(e && e->HarmoniqueNaturelle, "harmN");
    f(e && e->HarmoniqueArtificielle, "harmA");
    f(e && e->FadeIn, "fade");
    f(e && e->Frappe == 1, "tap");
    f(e && e->Frappe == 2, "slap");
    f(e && e->Frappe == 3, "pop");
    f(e && e->CoupVibrato > 0, "coupVB");
    f(e && e->BrushUp > 0, "brushU");
    f(e && e->BrushDown > 0, "brushD");
    return s;
}

// Sets the effects named as Effets() names them.
void Poser(cAccord &b, cNote &n, const std::string &noms)
{
    auto a = [&noms](const char *nom) {
        return (" " + noms + " ").find(std::string(" ") + nom + " ") != std::string::npos;
    };
    if (a("bend")) {
        n.EffetsCrees().Bend = new cEffet_Bend;
        n.Effets->Bend->Type = 1;
    }
    if (a("hopo"))
        n.EffetsCrees().HammerPullOff = true;
    if (a("slide"))
        n.EffetsCrees().Slide = true;
    if (a("ring"))
        n.EffetsCrees().LetRing = true;
    if (a("grace"))
        n.EffetsCrees().Appogiature = new cEffet_Appogiature;
    n.Sugeree = a("ghost");
    auto e = [&b]() -> cEffets_Accord & { return b.EffetsCrees(); };
    if (a("vib"))
        e().Vibrato = true;
    if (a("trem"))
        e().TremoloBar = true;
    if (a("harmN"))
        e().HarmoniqueNaturelle = true;
    if (a("harmA"))
        e().HarmoniqueArtificielle = true;
    if (a("fade"))
        e().FadeIn = true;
    if (a("tap"))
        e().Frappe = 1;
    if (a("slap"))
        e().Frappe = 2;
    if (a("pop"))
        e().Frappe = 3;
    if (a("coupVB"))
        e().CoupVibrato = 50;
    if (a("brushU"))
        e().BrushUp = 2;
    if (a("brushD"))
        e().BrushDown = 3;
}

struct rCasEffet {
    const char *Nom;
    int Effet;
    const char *Depart;
    int Editeur; // what the editor does: -1 cancelled, 0 not expected to open, else OK
    const char *Attendu;
    bool Change;
};
void PrintTo(const rCasEffet &c, std::ostream *os) { *os << c.Nom; }
struct Exclusion : Saisie, ::testing::WithParamInterface<rCasEffet> {};

TEST_P(Exclusion, LeavesOnlyWhatCombines)
{
    const rCasEffet &c = GetParam();
    Remplir({5});
    cAccord &b = Accord(1, 1);
    cNote &n = Note(1, 1, 1);
    Poser(b, n, c.Depart);
    ASSERT_EQ(Effets(b, n), c.Depart) << "the table's starting state";
    int ouvert = -1;
    const bool change = BasculerEffet(p, c.Effet, 6, [&](int effet) {
        ouvert = effet;
        if (c.Editeur < 0)
            return false;
        cEffets_Accord &e = b.EffetsCrees();
        switch (effet) {
        case EffetBend:
            n.EffetsCrees().LibererBend();
            n.Effets->Bend = new cEffet_Bend;
            n.Effets->Bend->Type = 1;
            break;
        case EffetAppogiature:
            if (!n.EffetsCrees().Appogiature)
                n.Effets->Appogiature = new cEffet_Appogiature;
            break;
        case EffetBrushUp: e.BrushUp = static_cast<int8_t>(c.Editeur); break;
        case EffetBrushDown: e.BrushDown = static_cast<int8_t>(c.Editeur); break;
        case EffetCoupVB: e.CoupVibrato = c.Editeur; break;
        default: break;
        }
        return true;
    });
    EXPECT_EQ(change, c.Change);
    EXPECT_EQ(Effets(b, n), c.Attendu);
    EXPECT_EQ(ouvert, c.Editeur != 0 ? c.Effet : -1) << "the editor opens only when it must";
    EXPECT_TRUE(ScoreCoherent(p)) << "empty effect sets are freed";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Exclusion,
    ::testing::Values(
        rCasEffet{"HammerOnClearsBendSlideRing", EffetHammer, "bend slide ring grace ghost vib brushU",
                  0, "hopo grace ghost vib brushU", true},
        rCasEffet{"HammerOff", EffetHammer, "hopo grace", 0, "grace", true},
        rCasEffet{"SlideOn", EffetSlide, "hopo ring", 0, "slide", true},
        rCasEffet{"LetRingOn", EffetLetRing, "bend", 0, "ring", true},
        rCasEffet{"BendEditorOkClearsTheOtherThree", EffetBend, "hopo slide grace", 1,
                  "bend grace", true},
        rCasEffet{"BendEditorCancelledChangesNothing", EffetBend, "hopo", -1, "hopo", false},
        rCasEffet{"GhostCombinesWithAll", EffetSugeree, "bend vib tap", 0, "bend ghost vib tap",
                  true},
        rCasEffet{"VibratoClearsTheFiveAndTheStroke", EffetVibrato,
                  "ring trem harmN harmA fade tap coupVB brushU brushD", 0,
                  "ring vib brushU brushD", true},
        rCasEffet{"TremoloBarOn", EffetTremolo, "vib pop", 0, "trem", true},
        rCasEffet{"NaturalHarmonicOn", EffetHarmN, "harmA coupVB", 0, "harmN", true},
        rCasEffet{"ArtificialHarmonicOn", EffetHarmA, "harmN", 0, "harmA", true},
        rCasEffet{"FadeInOn", EffetFadeIn, "vib brushD", 0, "fade brushD", true},
        rCasEffet{"TappingReplacesSlap", EffetTapping, "vib slap", 0, "tap", true},
        rCasEffet{"SlapAgainTurnsItOff", EffetSlap, "slap brushU", 0, "brushU", true},
        rCasEffet{"PopOn", EffetPop, "fade tap", 0, "pop", true},
        rCasEffet{"ASetBrushIsClearedWithTheOther", EffetBrushUp, "vib brushU brushD", 0, "vib",
                  true},
        rCasEffet{"BrushEditorOkClearsTheOtherBrush", EffetBrushDown, "vib brushU", 4,
                  "vib brushD", true},
        rCasEffet{"BrushEditorCancelledChangesNothing", EffetBrushDown, "brushU", -1, "brushU",
                  false},
        rCasEffet{"StrokeEditorOkClearsTheSix", EffetCoupVB, "vib tap brushU", 150,
                  "coupVB brushU", true},
        rCasEffet{"ASetStrokeIsClearedWithTheSix", EffetCoupVB, "harmN coupVB brushD", 0,
                  "brushD", true},
        rCasEffet{"StrokeEditorCancelledChangesNothing", EffetCoupVB, "vib", -1, "vib", false},
        rCasEffet{"GraceEditorOkCombines", EffetAppogiature, "hopo", 1, "hopo grace", true},
        rCasEffet{"GraceEditorCancelled", EffetAppogiature, "hopo grace", -1, "hopo grace",
                  false}),
    [](const auto &i) { return std::string(i.param.Nom); });

TEST_F(Saisie, StrokeEditorOkClearsTheSixOtherBeatEffects)
{
    Remplir({5});
    cEffets_Accord &e = Accord(1, 1).EffetsCrees();
    e.Vibrato = e.FadeIn = true;
    e.Frappe = 1;
    e.BrushUp = 1;
    ASSERT_TRUE(BasculerEffet(p, EffetCoupVB, 6, [&](int) {
        Accord(1, 1).Effets->CoupVibrato = 100;
        return true;
    }));
    EXPECT_EQ(Effets(Accord(1, 1), Note(1, 1, 1)), "coupVB brushU");
}

TEST_F(Saisie, GhostNoteDynamicFollowsTheDefault)
{
    Remplir({5});
    ASSERT_TRUE(BasculerEffet(p, EffetSugeree, 6));
    EXPECT_EQ(Note(1, 1, 1).Nuance, 4) << "f x 2/3 = mp";
    ASSERT_TRUE(BasculerEffet(p, EffetSugeree, 6));
    EXPECT_EQ(Note(1, 1, 1).Nuance, 6);
    BasculerEffet(p, EffetSugeree, 1);
    EXPECT_EQ(Note(1, 1, 1).Nuance, 1) << "never below ppp";
}

TEST_F(Saisie, EffectsNeedSomethingToActOn)
{
    Remplir({5, -1});
    Aller(1, 1, 2); // no note on string 2
    EXPECT_FALSE(BasculerEffet(p, EffetHammer, 6));
    EXPECT_TRUE(BasculerEffet(p, EffetVibrato, 6)) << "beat effects need a normal beat only";
    Aller(1, 2, 1); // the empty placeholder
    for (int e = EffetBend; e <= EffetCoupVB; ++e)
        EXPECT_FALSE(BasculerEffet(p, e, 6, [](int) { return true; })) << "effect " << e;
    Aller(1, 1, 1);
    NoteMorte(p);
    EXPECT_TRUE(BasculerEffet(p, EffetSugeree, 6)) << "a dead note can be a ghost";
    EXPECT_TRUE(ScoreCoherent(p));
}

} // namespace
