// Chord naming from a fingering, chord tones from a definition, and the fingering search.
#include <gtest/gtest.h>

#include <algorithm>

#include "chords/uNomAccord.h"

namespace {

const tHauteurs Standard{64, 59, 55, 50, 45, 40}; // E B G D A E, string 1 first

// "x32010" (strings 6 to 1) on the standard tuning.
tHauteurs Doigte(const std::string &texte)
{
    tCases c{};
    EXPECT_TRUE(LireCases(texte, c)) << texte;
    return HauteursDoigte(c, Standard);
}

// Pitches listed from the lowest string up (string 6 first), the rest silent.
tHauteurs DepuisLaBasse(std::initializer_list<int> notes)
{
    tHauteurs h{-1, -1, -1, -1, -1, -1};
    int s = 5;
    for (int n : notes)
        h[static_cast<std::size_t>(s--)] = n;
    return h;
}

std::vector<std::string> Noms(const tHauteurs &h, bool toujoursBasse = false)
{
    rOptionsNom o;
    o.AlwaysAddBass = toujoursBasse;
    std::vector<std::string> v;
    for (const rNomPossible &n : NommerAccord(h, o))
        v.push_back(n.Nom);
    return v;
}

// MIDI pitches of the notes used below.
constexpr int C3 = 48, D3 = 50, Eb3 = 51, E3 = 52, Gb3 = 54, G3 = 55, Ab3 = 56, A3 = 57,
              Bb3 = 58, C4 = 60, D4 = 62;

struct rCasNom {
    const char *Cas;
    tHauteurs Hauteurs;
    bool ToujoursBasse;
    std::vector<std::string> Debut; // the first names, in order
};

class NommerAccordCas : public ::testing::TestWithParam<rCasNom> {};

TEST_P(NommerAccordCas, PremiersNoms)
{
    const rCasNom &c = GetParam();
    const std::vector<std::string> v = Noms(c.Hauteurs, c.ToujoursBasse);
    ASSERT_GE(v.size(), c.Debut.size());
    EXPECT_EQ(std::vector<std::string>(v.begin(), v.begin() + static_cast<long>(c.Debut.size())),
              c.Debut);
}

INSTANTIATE_TEST_SUITE_P(
    Exemples, NommerAccordCas,
    ::testing::Values(
        // Open C: C E G over C; E G C read on E is a minor chord with a raised fifth, and on G
        // a suspended fourth with an added sixth (no fifth).
        rCasNom{"OpenC", Doigte("x32010"), false, {"C", "Em/5+", "Gsus4add13 (no5)"}},
        // Open E, A and G shapes: plain major triads on their bass.
        rCasNom{"OpenE", Doigte("022100"), false, {"E"}},
        rCasNom{"OpenA", Doigte("x02220"), false, {"A"}},
        rCasNom{"OpenG", Doigte("320003"), false, {"G"}},
        // C E Bb C: the dominant seventh without its fifth.
        rCasNom{"C7SansQuinte", Doigte("x3231x"), false, {"C7 (no5)"}},
        // C/E: first inversion; the bass is written only when asked for.
        rCasNom{"PremiereInversion", DepuisLaBasse({E3, G3, C4}), false, {"C"}},
        rCasNom{"PremiereInversionBasseEcrite", DepuisLaBasse({E3, G3, C4}), true, {"C/E"}},
        // C E G Bb D: the dominant ninth is "C9"; Gm6/C scores the same but is longer.
        rCasNom{"NeuviemeDeDominante", DepuisLaBasse({C3, E3, G3, Bb3, D4}), false,
                {"C9", "Gm6/C"}},
        // C E G A D: a sixth with an added ninth (no seventh).
        rCasNom{"SixteAjoutNeuvieme", DepuisLaBasse({C3, E3, G3, A3, D4}), false, {"C6add9"}},
        // C Eb Gb A: the diminished seventh is symmetrical, every tone is a root (score 1),
        // the shorter names first.
        rCasNom{"SeptiemeDiminuee", DepuisLaBasse({C3, Eb3, Gb3, A3}), false,
                {"Cdim", "Adim", "D#dim", "F#dim"}},
        // C E G#: the augmented triad is symmetrical too.
        rCasNom{"Augmente", DepuisLaBasse({C3, E3, Ab3}), false, {"Caug", "Eaug", "G#aug"}},
        // C G over C: the power chord.
        rCasNom{"Quinte", DepuisLaBasse({C3, G3}), false, {"C5"}}),
    [](const auto &info) { return std::string(info.param.Cas); });

struct rCasContient {
    const char *Cas;
    tHauteurs Hauteurs;
    bool ToujoursBasse;
    const char *Nom;
};

class NommerAccordContient : public ::testing::TestWithParam<rCasContient> {};

TEST_P(NommerAccordContient, NomPropose)
{
    const rCasContient &c = GetParam();
    const std::vector<std::string> v = Noms(c.Hauteurs, c.ToujoursBasse);
    EXPECT_NE(std::find(v.begin(), v.end(), c.Nom), v.end()) << ::testing::PrintToString(v);
}

INSTANTIATE_TEST_SUITE_P(
    Exemples, NommerAccordContient,
    ::testing::Values(
        // G C: a fifth above C with G in the bass is C without its third (not "C5", whose root
        // must be the bass).
        rCasContient{"QuarteRenversee", DepuisLaBasse({G3, C4}), false, "C (no3)"},
        rCasContient{"QuarteRenverseeBasseEcrite", DepuisLaBasse({G3, C4}), true, "C/G (no3)"},
        // E G C: the notes above the bass (G C) form a suspended G over E.
        rCasContient{"NomAuDessusDeLaBasse", DepuisLaBasse({E3, G3, C4}), false,
                     "Gsus4/E (no5)"}),
    [](const auto &info) { return std::string(info.param.Cas); });

TEST(NommerAccord, RienANommer)
{
    // No string played; one pitch class in three octaves (C on strings 5, 3 and 1).
    EXPECT_TRUE(Noms(Doigte("xxxxxx")).empty());
    EXPECT_TRUE(Noms(Doigte("x3x5x8")).empty());
}

TEST(NommerAccord, SlashNamesNeverRootedOnTheBass)
{
    // C G C: the second pass would name G C over C "C/C (no3)"; the first pass already says C5.
    const std::vector<std::string> v = Noms(DepuisLaBasse({C3, G3, C4}));
    for (const std::string &n : v)
        EXPECT_EQ(n.find("/C"), std::string::npos) << n;
    ASSERT_FALSE(v.empty());
    EXPECT_EQ(v.front(), "C5");
}

TEST(NommerAccord, CandidatsEtComplexite)
{
    rOptionsNom o;
    const std::vector<rNomPossible> v = NommerAccord(Doigte("x32010"), o);
    ASSERT_EQ(v.size(), 3u);
    // Gsus4add13 (no5): "sus4" 4, extension 2, add 2, one omission 4.
    EXPECT_EQ(v[2].Complexite, 12);
    EXPECT_EQ(v[2].Fondamentale, 7);
    EXPECT_EQ(v[2].TypeAccord, TypeSus4);
    EXPECT_EQ(v[2].Extension, 3);
    EXPECT_TRUE(v[2].Add);
    EXPECT_TRUE(v[2].Absent[2]);
    EXPECT_TRUE(v[2].SansDegre[2]);
    EXPECT_EQ(v[2].Basse, 0);
    // Em/5+: the augmented fifth costs 3 on top of "m".
    EXPECT_EQ(v[1].Complexite, 4);
    EXPECT_EQ(v[1].Quinte, 2);
    // The second pass is marked as such.
    const std::vector<rNomPossible> w = NommerAccord(DepuisLaBasse({E3, G3, C4}), o);
    const auto g = std::find_if(w.begin(), w.end(),
                                [](const rNomPossible &n) { return n.Nom == "Gsus4/E (no5)"; });
    ASSERT_NE(g, w.end());
    EXPECT_EQ(g->Inversion, -1);
    EXPECT_EQ(g->Basse, 4);
}

TEST(NommerAccord, FlatsFollowTheOption)
{
    rOptionsNom o;
    o.Diese = false;
    const std::vector<rNomPossible> v = NommerAccord(DepuisLaBasse({C3, Eb3, Gb3, A3}), o);
    ASSERT_GE(v.size(), 4u);
    EXPECT_EQ(v[2].Nom, "Ebdim");
    EXPECT_EQ(v[3].Nom, "Gbdim");
}

// ---------------------------------------------------------------- composing

TEST(ComposerNom, Parties)
{
    const std::array<bool, NbDegres> aucun{};
    rOptionsNom o;
    EXPECT_EQ(ComposerNom(0, TypeMin7, true, aucun, 0, 0, false, 0, 0, 0, 0, 0, o), "Cm7");
    // A user's choice can write "7" with an extension and its alteration.
    EXPECT_EQ(ComposerNom(2, Type7, true, aucun, 2, 0, false, 0, 0, 0, 2, 1, o), "D79+");
    // Every part in its place.
    EXPECT_EQ(ComposerNom(0, Type7, true, aucun, 4, -1, true, 2, 1, 1, 1, 3, o),
              "C7add13-/5-/9-/11+/E");
    std::array<bool, NbDegres> sans{};
    sans[1] = sans[2] = true;
    EXPECT_EQ(ComposerNom(9, 0, true, sans, 9, 0, false, 0, 0, 0, 0, 0, o), "A (no3no5)");
    EXPECT_EQ(ComposerNom(9, 0, false, sans, 9, 0, false, 0, 0, 0, 0, 0, o), "A");
    // The user chord has no name; a bass outside 0..11 is never written.
    EXPECT_EQ(ComposerNom(RacinePerso, 0, true, aucun, 0, -1, false, 0, 0, 0, 0, 0, o), "");
    EXPECT_EQ(ComposerNom(0, 0, true, aucun, 12, -1, false, 0, 0, 0, 0, 0, o), "C");
    o.Diese = false;
    EXPECT_EQ(ComposerNom(10, TypeMin, true, aucun, 3, -1, false, 0, 0, 0, 0, 0, o), "Bbm/Eb");
    o.AlwaysAddBass = true;
    EXPECT_EQ(ComposerNom(0, 0, true, aucun, 4, 1, false, 0, 0, 0, 0, 0, o), "C/E");
    EXPECT_EQ(ComposerNom(0, 0, true, aucun, 0, 0, false, 0, 0, 0, 0, 0, o), "C");
}

TEST(NomNote, DiesesBemolsEtHorsLimites)
{
    EXPECT_EQ(NomNote(1, true), "C#");
    EXPECT_EQ(NomNote(1, false), "Db");
    EXPECT_EQ(NomNote(11, false), "B");
    EXPECT_EQ(NomNote(12, true), "");
    EXPECT_EQ(NomNote(-1, true), "");
}

// ---------------------------------------------------------------- degrees

rDiagramme Definition(int racine, int type, int extension = 0, int alteration = 0,
                      bool add = false)
{
    rDiagramme d{};
    d.Fondamentale = racine;
    d.TypeAccord = type;
    d.Extension = extension;
    d.DimAug = alteration;
    d.Add = add;
    return d;
}

struct rCasDegres {
    const char *Cas;
    rDiagramme Def;
    std::array<int, NbDegres> Hauteurs; // -1: no such degree
};

class DegresAccordCas : public ::testing::TestWithParam<rCasDegres> {};

TEST_P(DegresAccordCas, Hauteurs)
{
    const rCasDegres &c = GetParam();
    const tDegres g = DegresAccord(c.Def);
    for (std::size_t k = 0; k < NbDegres; ++k) {
        EXPECT_EQ(g[k].Hauteur, c.Hauteurs[k]) << "degree index " << k;
        EXPECT_EQ(g[k].Actif, c.Hauteurs[k] >= 0) << "degree index " << k;
        EXPECT_EQ(g[k].Coche, c.Hauteurs[k] >= 0) << "degree index " << k;
    }
}

rDiagramme AvecAlterations(rDiagramme d, int quinte, int neuvieme, int onzieme)
{
    d.Quinte = quinte;
    d.Neuvieme = neuvieme;
    d.Onzieme = onzieme;
    return d;
}

INSTANTIATE_TEST_SUITE_P(
    Exemples, DegresAccordCas,
    ::testing::Values(
        rCasDegres{"Majeur", Definition(0, TypeM), {0, 4, 7, -1, -1, -1, -1}},
        rCasDegres{"MineurSeptieme", Definition(9, TypeMin7), {9, 0, 4, 7, -1, -1, -1}},
        // The seventh of a diminished chord is the major sixth (the diminished seventh).
        rCasDegres{"Diminue", Definition(0, TypeDim), {0, 3, 6, 9, -1, -1, -1}},
        rCasDegres{"Augmente", Definition(0, TypeAug), {0, 4, 8, -1, -1, -1, -1}},
        // The power chord has no third.
        rCasDegres{"Quinte", Definition(7, Type5), {7, -1, 2, -1, -1, -1, -1}},
        rCasDegres{"Sus2", Definition(0, TypeSus2), {0, 2, 7, -1, -1, -1, -1}},
        rCasDegres{"SeptSus4", Definition(0, Type7Sus4), {0, 5, 7, 10, -1, -1, -1}},
        rCasDegres{"SeptiemeMajeure", Definition(0, Type7M), {0, 4, 7, 11, -1, -1, -1}},
        rCasDegres{"Sixte", Definition(0, Type6), {0, 4, 7, 9, -1, -1, -1}},
        // "C9" stacks the minor seventh under the ninth; "Cadd9" does not.
        rCasDegres{"Neuvieme", Definition(0, TypeM, 1), {0, 4, 7, 10, 2, -1, -1}},
        rCasDegres{"AjoutNeuvieme", Definition(0, TypeM, 1, 0, true), {0, 4, 7, -1, 2, -1, -1}},
        rCasDegres{"NeuviemeDiese", Definition(0, Type7, 1, 2), {0, 4, 7, 10, 3, -1, -1}},
        // A thirteenth implies the ninth and the eleventh: seven tones.
        rCasDegres{"Treizieme", Definition(0, TypeM, 3), {0, 4, 7, 10, 2, 5, 9}},
        rCasDegres{"AjoutTreiziemeBemol", Definition(0, TypeMin, 3, 1, true),
                   {0, 3, 7, -1, -1, -1, 8}},
        rCasDegres{"OnziemeDiese", Definition(0, TypeM, 2, 2), {0, 4, 7, 10, 2, 6, -1}},
        // Fifth, ninth and eleventh alterations move their degree by a semitone.
        rCasDegres{"Alterations", AvecAlterations(Definition(0, TypeM, 3), 2, 1, 2),
                   {0, 4, 8, 10, 1, 6, 9}}),
    [](const auto &info) { return std::string(info.param.Cas); });

TEST(DegresAccord, AccordPersoSansDegres)
{
    for (const rDegre &g : DegresAccord(Definition(RacinePerso, TypeM)))
        EXPECT_EQ(g.Hauteur, -1);
}

TEST(ReglesOptions, TypeEtExtension)
{
    // dim clears every option, the fifth alteration included.
    rDiagramme d = AvecAlterations(Definition(0, TypeDim, 1, 2, true), 1, 1, 1);
    rOptionsActives a = AppliquerReglesOptions(d);
    EXPECT_FALSE(a.Extension || a.DimAug || a.Quinte || a.Neuvieme || a.Onzieme || a.Add);
    EXPECT_EQ(d.Extension + d.DimAug + d.Quinte + d.Neuvieme + d.Onzieme, 0);
    EXPECT_FALSE(d.Add);
    // The power chord keeps its fifth alteration.
    d = AvecAlterations(Definition(0, Type5, 2), 1, 0, 0);
    a = AppliquerReglesOptions(d);
    EXPECT_TRUE(a.Quinte);
    EXPECT_EQ(d.Quinte, 1);
    EXPECT_EQ(d.Extension, 0);
    // A ninth on a seventh chord cannot be "add".
    d = Definition(0, Type7, 1, 0, true);
    a = AppliquerReglesOptions(d);
    EXPECT_FALSE(d.Add);
    EXPECT_FALSE(a.Add);
    EXPECT_FALSE(a.Neuvieme);
    // A sixth or a suspension with an extension is always "add".
    d = Definition(0, Type6, 1);
    a = AppliquerReglesOptions(d);
    EXPECT_TRUE(d.Add);
    // An eleventh: the ninth alteration only without add.
    d = AvecAlterations(Definition(0, TypeM, 2), 0, 2, 2);
    a = AppliquerReglesOptions(d);
    EXPECT_TRUE(a.Neuvieme);
    EXPECT_EQ(d.Neuvieme, 2);
    EXPECT_FALSE(a.Onzieme);
    EXPECT_EQ(d.Onzieme, 0);
    d = AvecAlterations(Definition(0, TypeM, 2, 0, true), 0, 2, 0);
    a = AppliquerReglesOptions(d);
    EXPECT_FALSE(a.Neuvieme);
    EXPECT_EQ(d.Neuvieme, 0);
    // A thirteenth with add: neither the ninth nor the eleventh alteration.
    d = AvecAlterations(Definition(0, TypeM, 3, 0, true), 0, 1, 1);
    a = AppliquerReglesOptions(d);
    EXPECT_FALSE(a.Neuvieme || a.Onzieme);
    // Without an extension nothing hangs on it.
    d = AvecAlterations(Definition(0, TypeM, 0, 2, true), 0, 1, 1);
    a = AppliquerReglesOptions(d);
    EXPECT_FALSE(a.DimAug || a.Neuvieme || a.Onzieme || a.Add);
    EXPECT_TRUE(a.Extension && a.Quinte);
}

// ---------------------------------------------------------------- barres and playability

tCases Cases(const std::string &texte)
{
    tCases c{};
    EXPECT_TRUE(LireCases(texte, c)) << texte;
    return c;
}

TEST(DetecterBarres, Cas)
{
    // F: the index finger lies across all six strings at fret 1.
    rBarres b = DetecterBarres(Cases("133211"), 1);
    ASSERT_EQ(b.Nb, 1);
    EXPECT_EQ(b.Case[0], 1);
    EXPECT_EQ(b.Debut[0], 1);
    EXPECT_EQ(b.Fin[0], 6);
    // Bm: barre at 2 from string 1 to string 5 (string 6 silent).
    b = DetecterBarres(Cases("x24432"), 1);
    ASSERT_EQ(b.Nb, 1);
    EXPECT_EQ(b.Case[0], 2);
    EXPECT_EQ(b.Fin[0], 5);
    // Three fretted strings need no barre.
    EXPECT_EQ(DetecterBarres(Cases("x32010"), 1).Nb, 0);
    // An open first string stops the walk: no barre although four strings share fret 2.
    EXPECT_EQ(DetecterBarres(Cases("x22220"), 1).Nb, 0);
    // Two barres: fret 5 on strings 3-4 under fret 7 on strings 1-2.
    b = DetecterBarres(Cases("xx5577"), 5);
    ASSERT_EQ(b.Nb, 2);
    EXPECT_EQ(b.Case[0], 5);
    EXPECT_EQ(b.Fin[0], 4);
    EXPECT_EQ(b.Case[1], 7);
    EXPECT_EQ(b.Fin[1], 2);
}

struct rCasJouable {
    const char *Cas;
    const char *Cases;
    int Position;
    int Type;
    int Niveau;
    bool Jouable;
};

class JouableCas : public ::testing::TestWithParam<rCasJouable> {};

TEST_P(JouableCas, Verdict)
{
    const rCasJouable &c = GetParam();
    const tCases k = Cases(c.Cases);
    rContexteDoigte ctx;
    ctx.TypeAccord = c.Type;
    ctx.Niveau = c.Niveau;
    EXPECT_EQ(Jouable(k, DetecterBarres(k, c.Position), c.Position, ctx), c.Jouable);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, JouableCas,
    ::testing::Values(
        rCasJouable{"AccordOuvert", "x32010", 1, TypeM, NiveauSimple, true},
        // B on string 3 fret 4 next to the open B string: the same note twice.
        rCasJouable{"UnissonVoisin", "xx040x", 1, TypeM, NiveauTout, false},
        // Open E on string 6 and E an octave up on string 5: fine.
        rCasJouable{"OctaveVoisine", "07xxxx", 1, TypeM, NiveauTout, true},
        // A C barre at fret 3 belongs to position 3 only if it reaches fret 6.
        rCasJouable{"FormeDePremierePosition", "x35553", 3, TypeM, NiveauTout, false},
        rCasJouable{"BarreEnPremierePosition", "x35553", 1, TypeM, NiveauSimple, true},
        // Five fingers.
        rCasJouable{"CinqDoigts", "x32313", 1, TypeM, NiveauTout, false},
        // Four fingers spanning the whole window with three notes on its ends.
        rCasJouable{"QuatreDoigtsEcartes", "15x25x", 1, TypeM, NiveauTout, false},
        // A four-fret stretch: too wide for simple, fine for medium; five frets only for all.
        rCasJouable{"EcartQuatreSimple", "x3x2x5", 1, TypeM, NiveauSimple, false},
        rCasJouable{"EcartQuatreMoyen", "x3x2x5", 1, TypeM, NiveauMoyen, true},
        rCasJouable{"EcartCinqMoyen", "x1x2x5", 1, TypeM, NiveauMoyen, false},
        rCasJouable{"EcartCinqTout", "x1x2x5", 1, TypeM, NiveauTout, true},
        // Power chords: the two strings above the lowest must be fretted ...
        rCasJouable{"PuissanceG5", "355xxx", 1, Type5, NiveauSimple, true},
        rCasJouable{"PuissanceCordeOuverteAuDessus", "350xxx", 1, Type5, NiveauSimple, false},
        // ... not above fret 3 over an open bass ...
        rCasJouable{"PuissanceBasseOuverteHaute", "055xxx", 1, Type5, NiveauSimple, false},
        rCasJouable{"PuissanceBasseOuverte", "022xxx", 1, Type5, NiveauSimple, true},
        // ... and from position 2 on, one note on the window's first fret.
        rCasJouable{"PuissancePremiereCase", "355xxx", 3, Type5, NiveauSimple, true},
        rCasJouable{"PuissanceSansPremiereCase", "355xxx", 2, Type5, NiveauSimple, false}),
    [](const auto &info) { return std::string(info.param.Cas); });

// ---------------------------------------------------------------- the search

std::string Premier(const std::string &nom, int niveau, int *nombre = nullptr)
{
    rNomLu lu;
    EXPECT_TRUE(LireNomAccord(nom, lu)) << nom;
    const rResultatRecherche r =
        ChercherDoigtes(lu.Definition, lu.Basse, lu.Inclus, niveau, Standard, nom, true);
    if (nombre)
        *nombre = static_cast<int>(r.Solutions.size());
    if (r.Solutions.empty())
        return "";
    tCases c{};
    std::copy(std::begin(r.Solutions[0].Cases), std::end(r.Solutions[0].Cases), c.begin());
    return EcrireCases(c);
}

struct rCasDoigte {
    const char *Cas;
    const char *Nom;
    const char *Simple, *Moyen, *Tout; // first solution at each level
};

class ChercherDoigtesCas : public ::testing::TestWithParam<rCasDoigte> {};

TEST_P(ChercherDoigtesCas, PremiereSolution)
{
    const rCasDoigte &c = GetParam();
    EXPECT_EQ(Premier(c.Nom, NiveauSimple), c.Simple);
    EXPECT_EQ(Premier(c.Nom, NiveauMoyen), c.Moyen);
    EXPECT_EQ(Premier(c.Nom, NiveauTout), c.Tout);
}

INSTANTIATE_TEST_SUITE_P(
    OpenChords, ChercherDoigtesCas,
    ::testing::Values(
        // C: the bass C at fret 3 of string 5 is the only placement at position 1; x3201x is
        // met first but string 1 could still ring open.
        rCasDoigte{"C", "C", "x,3,2,0,1,0", "x,3,2,0,1,0", "x,3,2,0,1,0"},
        // G: bass on string 6, open D, G and B in between, G again on top.
        rCasDoigte{"G", "G", "3,2,0,0,0,3", "3,2,0,0,0,3", "3,2,0,0,0,3"},
        // D: no D within reach on strings 6 and 5, so the open D string carries the bass.
        rCasDoigte{"D", "D", "x,x,0,2,3,2", "x,x,0,2,3,2", "x,x,0,2,3,2"},
        rCasDoigte{"A", "A", "x,0,2,2,2,0", "x,0,2,2,2,0", "x,0,2,2,2,0"},
        // E at level all: a silent string inside the chord is allowed and tried first, and
        // filling it would need a fifth finger.
        rCasDoigte{"E", "E", "0,2,2,1,0,0", "0,2,2,1,0,0", "0,2,x,1,5,4"},
        rCasDoigte{"Am", "Am", "x,0,2,2,1,0", "x,0,2,2,1,0", "x,0,2,2,1,0"},
        rCasDoigte{"Em", "Em", "0,2,2,0,0,0", "0,2,2,0,0,0", "0,x,5,4,5,3"},
        rCasDoigte{"Dm", "Dm", "x,x,0,2,3,1", "x,x,0,2,3,1", "x,x,0,2,3,1"},
        // C/E: the bass decides the lowest string; at level all the silent string 5 comes first
        // and C on it would make five fingers.
        rCasDoigte{"CsurMi", "C/E", "0,3,2,0,1,0", "0,3,2,0,1,0", "0,x,2,5,5,3"},
        // G5: three strings, the two above the bass fretted.
        rCasDoigte{"G5", "G5", "3,5,5,x,x,x", "3,5,5,x,x,x", "3,5,5,x,x,x"}),
    [](const auto &info) { return std::string(info.param.Cas); });

TEST(ChercherDoigtes, PowerChordAtPositionsOneAndThree)
{
    rNomLu lu;
    ASSERT_TRUE(LireNomAccord("G5", lu));
    const rResultatRecherche r =
        ChercherDoigtes(lu.Definition, lu.Basse, lu.Inclus, NiveauSimple, Standard, "G5", true);
    std::vector<int> positions;
    for (const rDiagramme &d : r.Solutions)
        if (EcrireCases({d.Cases[0], d.Cases[1], d.Cases[2], d.Cases[3], d.Cases[4],
                         d.Cases[5]}) == "3,5,5,x,x,x")
            positions.push_back(d.PremiereCase);
    // The fret-p rule does not apply to power chords; position 2 lacks a note on fret 2.
    EXPECT_EQ(positions, (std::vector<int>{1, 3}));
    for (const rDiagramme &d : r.Solutions) {
        int jouees = 0;
        for (int c : d.Cases)
            jouees += c >= 0;
        EXPECT_EQ(jouees, 3);
    }
}

TEST(ChercherDoigtes, SolutionsKeepTheirShapeAndRecord)
{
    rNomLu lu;
    ASSERT_TRUE(LireNomAccord("F", lu));
    const rResultatRecherche r = ChercherDoigtes(lu.Definition, lu.Basse, lu.Inclus,
                                                 NiveauTout, Standard,
                                                 "F major in every position", false);
    ASSERT_FALSE(r.Solutions.empty());
    EXPECT_EQ(r.Inversion, 0);
    EXPECT_EQ(r.Notes, (std::vector<int>{5, 9, 0}));
    rContexteDoigte ctx;
    ctx.Niveau = NiveauTout;
    for (const rDiagramme &d : r.Solutions) {
        // The record keeps the name's first 20 characters.
        EXPECT_EQ(std::string(d.Nom, d.NomLongueur), "F major in every pos");
        EXPECT_FALSE(d.Diese);
        EXPECT_EQ(d.Fondamentale, 5);
        tCases c{};
        std::copy(std::begin(d.Cases), std::end(d.Cases), c.begin());
        // Every solution is playable with the barres it carries, and a window position
        // between 2 and 5 is only used for a shape that reaches fret 6.
        const rBarres b = DetecterBarres(c, d.PremiereCase);
        EXPECT_EQ(d.NbBarres, b.Nb);
        EXPECT_TRUE(Jouable(c, b, d.PremiereCase, ctx)) << EcrireCases(c);
        if (d.PremiereCase >= 2 && d.PremiereCase <= 5)
            EXPECT_GE(*std::max_element(c.begin(), c.end()), 6) << EcrireCases(c);
    }
}

TEST(ChercherDoigtes, AuPlusTroisCents)
{
    // Six tones at level all: more fingerings than the list keeps.
    int n = 0;
    Premier("Em7add11", NiveauTout, &n);
    EXPECT_EQ(n, MaxSolutions);
}

TEST(ChercherDoigtes, NombreDeNotes)
{
    // A thirteenth has seven tones: the user must omit some first.
    rNomLu lu;
    ASSERT_TRUE(LireNomAccord("C13", lu));
    rResultatRecherche r =
        ChercherDoigtes(lu.Definition, lu.Basse, lu.Inclus, NiveauTout, Standard, "", true);
    EXPECT_EQ(r.Etat, eRecherche::TropDeNotes);
    EXPECT_TRUE(r.Solutions.empty());
    // Omitting the eleventh leaves six.
    ASSERT_TRUE(LireNomAccord("C13 (no11)", lu));
    r = ChercherDoigtes(lu.Definition, lu.Basse, lu.Inclus, NiveauTout, Standard, "", true);
    EXPECT_EQ(r.Etat, eRecherche::Faite);
    EXPECT_FALSE(r.Solutions.empty());
    // One tone: nothing to search.
    std::array<bool, NbDegres> seul{};
    seul[0] = true;
    r = ChercherDoigtes(lu.Definition, 0, seul, NiveauTout, Standard, "", true);
    EXPECT_EQ(r.Etat, eRecherche::TropPeuDeNotes);
    // The user chord has no definition.
    r = ChercherDoigtes(Definition(RacinePerso, 0), 0, lu.Inclus, NiveauTout, Standard, "",
                        true);
    EXPECT_EQ(r.Etat, eRecherche::SansDefinition);
}

TEST(ChercherDoigtes, InversionFromTheBass)
{
    rNomLu lu;
    ASSERT_TRUE(LireNomAccord("C/G", lu));
    rResultatRecherche r =
        ChercherDoigtes(lu.Definition, lu.Basse, lu.Inclus, NiveauSimple, Standard, "", true);
    EXPECT_EQ(r.Inversion, 2);
    ASSERT_TRUE(LireNomAccord("C/D", lu));
    r = ChercherDoigtes(lu.Definition, lu.Basse, lu.Inclus, NiveauSimple, Standard, "", true);
    EXPECT_EQ(r.Inversion, -1);
    ASSERT_FALSE(r.Solutions.empty());
    // D in the bass, then C E G above it.
    EXPECT_EQ(Premier("C/D", NiveauSimple), "x,x,0,0,1,0");
}

TEST(ChercherDoigtes, ShortTuningLeavesStringsSilent)
{
    // A four-string bass (E A D G on strings 4..1 here, strings 5 and 6 absent).
    const tHauteurs basse{43, 38, 33, 28, -1, -1};
    rNomLu lu;
    ASSERT_TRUE(LireNomAccord("C5", lu));
    const rResultatRecherche r =
        ChercherDoigtes(lu.Definition, lu.Basse, lu.Inclus, NiveauTout, basse, "", true);
    ASSERT_FALSE(r.Solutions.empty());
    for (const rDiagramme &d : r.Solutions)
        EXPECT_TRUE(d.Cases[4] < 0 && d.Cases[5] < 0);
}

// ---------------------------------------------------------------- text forms

TEST(LireCases, FormesEtErreurs)
{
    tCases c{};
    ASSERT_TRUE(LireCases("x32010", c));
    EXPECT_EQ(c, (tCases{0, 1, 0, 2, 3, -1}));
    ASSERT_TRUE(LireCases("8,10,10,9,8,8", c));
    EXPECT_EQ(c, (tCases{8, 8, 9, 10, 10, 8}));
    ASSERT_TRUE(LireCases("X,3,2,0,1,0", c));
    EXPECT_EQ(EcrireCases(c), "x,3,2,0,1,0");
    for (const char *faux : {"", "x3201", "x320100", "x3201a", "x,3,2,0,1", "x,3,2,0,1,0,0",
                             "x,3,,0,1,0", "x,3,2,0,1,-1", "x,3,2,0,1,25", "x,3,2,0,1,100"})
        EXPECT_FALSE(LireCases(faux, c)) << faux;
}

TEST(LireNomAccord, FormesDeComposerNom)
{
    rNomLu lu;
    ASSERT_TRUE(LireNomAccord("Bbm7/Eb", lu));
    EXPECT_EQ(lu.Definition.Fondamentale, 10);
    EXPECT_EQ(lu.Definition.TypeAccord, TypeMin7);
    EXPECT_FALSE(lu.Definition.Diese);
    EXPECT_EQ(lu.Basse, 3);
    ASSERT_TRUE(LireNomAccord("C#7M", lu));
    EXPECT_EQ(lu.Definition.TypeAccord, Type7M);
    EXPECT_TRUE(lu.Definition.Diese);
    ASSERT_TRUE(LireNomAccord("D79+", lu));
    EXPECT_EQ(lu.Definition.TypeAccord, Type7);
    EXPECT_EQ(lu.Definition.Extension, 1);
    EXPECT_EQ(lu.Definition.DimAug, 2);
    ASSERT_TRUE(LireNomAccord("C6add9", lu));
    EXPECT_TRUE(lu.Definition.Add);
    EXPECT_EQ(lu.Definition.TypeAccord, Type6);
    ASSERT_TRUE(LireNomAccord("A13/5-/9+/11-", lu));
    EXPECT_EQ(lu.Definition.Extension, 3);
    EXPECT_EQ(lu.Definition.Quinte, 1);
    EXPECT_EQ(lu.Definition.Neuvieme, 2);
    EXPECT_EQ(lu.Definition.Onzieme, 1);
    // The option rules apply as in the window: a ninth on a seventh chord is never "add".
    ASSERT_TRUE(LireNomAccord("C7add9", lu));
    EXPECT_FALSE(lu.Definition.Add);
    // Omissions untick their degree.
    ASSERT_TRUE(LireNomAccord("C7 (no5)", lu));
    EXPECT_FALSE(lu.Inclus[2]);
    EXPECT_TRUE(lu.Inclus[3]);
    ASSERT_TRUE(LireNomAccord("C13 (no9no11)", lu));
    EXPECT_FALSE(lu.Inclus[4] || lu.Inclus[5]);
    for (const char *faux : {"", "H", "c", "E#", "Cb", "Cx", "C/", "C/H", "Cm7 ", "C (no2)",
                             "C ()", "C9/5", "Cadd"})
        EXPECT_FALSE(LireNomAccord(faux, lu)) << faux;
}

TEST(LireNomAccord, RelitChaqueNomPropose)
{
    // Every name the naming gives reads back to a chord of the same root and type.
    for (const char *f : {"x32010", "022100", "x3231x", "x24432", "133211", "x0221x"}) {
        rOptionsNom o;
        for (const rNomPossible &n : NommerAccord(Doigte(f), o)) {
            rNomLu lu;
            ASSERT_TRUE(LireNomAccord(n.Nom, lu)) << n.Nom;
            EXPECT_EQ(lu.Definition.Fondamentale, n.Fondamentale) << n.Nom;
            EXPECT_EQ(lu.Definition.TypeAccord, n.TypeAccord) << n.Nom;
            if (n.Inversion < 0) // only the slash names write their bass
                EXPECT_EQ(lu.Basse, n.Basse) << n.Nom;
        }
    }
}

} // namespace
