// Text tablature in: the analysis rules, real tabs as people post them, the writing into a
// track, and the round trip through the export.
#include <gtest/gtest.h>

#include <dirent.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/FabriqueAccords.h"
#include "asciitab/uExportASCII.h"
#include "asciitab/uImportASCII.h"
#include "model/uPartition.h"
#include "support/Invariants.h"

namespace {

using tLignes = std::vector<std::string>;

rAnalyseASCII Analyser(const tLignes &l, int cordes = 6, int mode = ImportVariable)
{
    rOptionsImportASCII o;
    o.TypeImport = mode;
    return AnalyserTexteASCII(l, cordes, o);
}

// The frets of a beat, string 1 first ("-" no note, "x" dead), e.g. "0-2---".
std::string Frets(const rAccordASCII &a, int cordes = 6)
{
    std::string s;
    for (int k = 0; k < cordes; ++k) {
        const rNoteASCII &n = a.Notes[static_cast<std::size_t>(k)];
        if (k > 0)
            s += ' ';
        s += n.Type == 0 ? "-" : n.Type == 3 ? "x" : std::to_string(n.Case);
    }
    return s;
}

// Six lines of a system from its string 1 down.
tLignes Systeme(const char *a, const char *b, const char *c, const char *d, const char *e,
                const char *f)
{
    return {a, b, c, d, e, f};
}

tLignes operator+(tLignes a, const tLignes &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(ImportASCII, OneBeatPerColumnWithItsFrets)
{
    // "12" is one fret and its second digit is no new beat; digits on two strings in one
    // column are one beat of two notes; "x" is a dead note.
    const auto r = Analyser(Systeme("e|--12---0--|", //
                                    "B|--x--1----|", //
                                    "G|----------|", //
                                    "D|----------|", //
                                    "A|----------|", //
                                    "E|----------|"));
    ASSERT_FALSE(r.Refusee());
    ASSERT_EQ(r.Mesures.size(), 1u);
    const auto &m = r.Mesures[0].Accords;
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(Frets(m[0]), "12 x - - - -");
    EXPECT_EQ(Frets(m[1]), "- 1 - - - -");
    EXPECT_EQ(Frets(m[2]), "0 - - - - -");
    EXPECT_EQ(r.NbNotes, 4);
    EXPECT_EQ(r.NbSystemes, 1);
}

TEST(ImportASCII, LettersAfterAFret)
{
    const auto r = Analyser(Systeme("|-0h2-5/7-3~-4t-6s-|",
                                    "|------------------|",
                                    "|-7b--8r-----------|",
                                    "|------------------|",
                                    "|------------------|",
                                    "|------------------|"));
    ASSERT_FALSE(r.Refusee());
    const auto &m = r.Mesures[0].Accords;
    ASSERT_EQ(m.size(), 7u);
    // 0, h, 2 in three columns: fret 0 with a hammer-on, then fret 2.
    EXPECT_TRUE(m[0].Notes[0].HammerPullOff);
    EXPECT_EQ(m[0].Notes[0].Case, 0);
    EXPECT_EQ(m[0].Notes[2].Bend, 1);
    EXPECT_EQ(m[0].Notes[2].ValeurBend, 100);
    EXPECT_EQ(Frets(m[1]), "2 - - - - -");
    EXPECT_EQ(m[1].Notes[2].Bend, 0);
    EXPECT_EQ(m[2].Notes[2].Bend, 2) << "r: bend and release";
    EXPECT_TRUE(m[2].Notes[0].Slide);
    EXPECT_TRUE(m[4].Vibrato);
    EXPECT_EQ(m[5].Frappe, 1);
    EXPECT_EQ(m[6].Frappe, 2);
}

TEST(ImportASCII, VariableRhythmFromTheSpacing)
{
    // With 4 columns per quarter (the default), beats 5 columns apart are quarters, 2 to 4
    // eighths, 6 or more halves; the last beat before a bar is measured to that bar.
    const auto r = Analyser(Systeme("|-1----2--3-4---5-------6----|",
                                    "|----------------------------|",
                                    "|----------------------------|",
                                    "|----------------------------|",
                                    "|----------------------------|",
                                    "|----------------------------|"));
    const auto &m = r.Mesures[0].Accords;
    ASSERT_EQ(m.size(), 6u);
    const int attendu[] = {0, 1, 1, 1, -1, 0};
    for (std::size_t i = 0; i < m.size(); ++i)
        EXPECT_EQ(m[i].CodeDuree, attendu[i]) << i;
}

// A tab drawn with three dashes between quarter notes (Travis picking, as most tabs on the
// web): with "3 columns" its bars come out whole, with the default 4 they do not.
TEST(ImportASCII, ColumnsPerQuarterDecideWholeBars)
{
    const tLignes t = Systeme("|-3---0-2-0-3-0-2-|", "|-----------------|", "|-----------------|",
                              "|-----------------|", "|-----------------|", "|-----------------|");
    const auto quatreQuatre = [](int) { return 1920.0; };
    rOptionsImportASCII o;
    o.NbTirets = 3;
    EXPECT_EQ(MesuresCompletesASCII(AnalyserTexteASCII(t, 6, o), quatreQuatre), 1);
    o.NbTirets = 4;
    EXPECT_EQ(MesuresCompletesASCII(AnalyserTexteASCII(t, 6, o), quatreQuatre), 0);
}

TEST(ImportASCII, FixedModesGiveEveryBeatTheirDuration)
{
    const tLignes t = Systeme("|-1----2-3|", "|---------|", "|---------|", "|---------|",
                              "|---------|", "|---------|");
    const int codes[] = {0, -1, 0, 1, 2};
    for (int mode = ImportBlanches; mode <= ImportDoublesCroches; ++mode) {
        const rAnalyseASCII r = Analyser(t, 6, mode);
        ASSERT_EQ(r.Mesures.size(), 1u);
        ASSERT_EQ(r.Mesures[0].Accords.size(), 3u);
        for (const rAccordASCII &a : r.Mesures[0].Accords)
            EXPECT_EQ(a.CodeDuree, codes[mode]) << mode;
    }
}

TEST(ImportASCII, BarLinesBeforeTheFirstBeatMakeNoEmptyMeasures)
{
    const auto r = Analyser(Systeme("||--1--||--2--|||--3--||",
                                    "||-----||-----|||-----||",
                                    "||-----||-----|||-----||",
                                    "||-----||-----|||-----||",
                                    "||-----||-----|||-----||",
                                    "||-----||-----|||-----||"));
    ASSERT_EQ(r.Mesures.size(), 3u);
    for (const rMesureASCII &m : r.Mesures)
        EXPECT_EQ(m.Accords.size(), 1u);
}

TEST(ImportASCII, TheThirtyThirdBeatStartsTheNextMeasure)
{
    std::string l1 = "|";
    for (int i = 0; i < 40; ++i)
        l1 += "1-";
    l1 += "|";
    const std::string vide(l1.size(), '-');
    const auto r = Analyser(tLignes{l1, vide, vide, vide, vide, vide});
    ASSERT_EQ(r.Mesures.size(), 2u);
    EXPECT_EQ(r.Mesures[0].Accords.size(), 32u);
    EXPECT_EQ(r.Mesures[1].Accords.size(), 8u);
}

// The string lines of a text come in blocks; what does not fit the track is said.
TEST(ImportASCII, BlocksThatDoNotFitTheTrack)
{
    const tLignes six = Systeme("e|--0--|", "B|--1--|", "G|--0--|", "D|--2--|", "A|--3--|",
                                "E|-----|");
    {
        // Five lines for six strings, and nothing else: refused, nothing to import.
        const tLignes cinq(six.begin(), six.begin() + 5);
        const auto r = Analyser(cinq);
        EXPECT_EQ(r.Cle, "ASCIIImp-NbLignesIncorrect");
        EXPECT_EQ(r.Param1, "6");
        EXPECT_EQ(r.Param2, "5");
        EXPECT_TRUE(r.Mesures.empty());
        EXPECT_EQ(Analyser(six, 4).Cle, "ASCIIImp-NbLignesIncorrect")
            << "six lines are not whole systems of four";
    }
    {
        // The same five lines between whole systems are skipped and said.
        tLignes t = six;
        t.push_back("");
        t.insert(t.end(), six.begin(), six.begin() + 5);
        t.push_back("");
        t = t + six;
        const auto r = Analyser(t);
        ASSERT_FALSE(r.Refusee());
        EXPECT_EQ(r.NbSystemes, 2);
        ASSERT_EQ(r.Remarques.size(), 1u);
        EXPECT_EQ(r.Remarques[0].Genre, rRemarqueASCII::BlocIgnore);
        EXPECT_EQ(r.Remarques[0].Ligne, 8);
        EXPECT_EQ(r.Remarques[0].Nombre, 5);
    }
    {
        // A last system cut short is ignored.
        tLignes t = six;
        t.push_back("");
        t.insert(t.end(), six.begin(), six.begin() + 3);
        const auto r = Analyser(t);
        EXPECT_EQ(r.NbSystemes, 1);
        ASSERT_EQ(r.Remarques.size(), 1u);
        EXPECT_EQ(r.Remarques[0].Genre, rRemarqueASCII::FinCoupee);
        EXPECT_EQ(r.Remarques[0].Nombre, 3);
    }
    {
        // Systems glued together without a blank line: twelve lines are two systems.
        const auto r = Analyser(six + six);
        EXPECT_EQ(r.NbSystemes, 2);
        EXPECT_TRUE(r.Remarques.empty());
        EXPECT_EQ(r.Mesures.size(), 2u);
    }
    {
        // Eleven string lines in a row for six strings: refused by their count.
        tLignes t = six + six;
        t.pop_back();
        EXPECT_EQ(Analyser(t).Cle, "ASCIIImp-NbLignesIncorrect");
    }
    {
        // No string line at all.
        EXPECT_EQ(Analyser({"Verse 1", "  Am   C   G", "la la la", ""}).Cle,
                  "ASCIIImp-AucuneTablature");
        EXPECT_EQ(Analyser({}).Cle, "ASCIIImp-AucuneTablature");
    }
}

TEST(ImportASCII, RowsThatAreNoStringsInsideASystem)
{
    // A triplet bracket row glued above the system looks like a string line by its dashes;
    // it stands apart by its indentation and is left out.
    tLignes t = {"    |-3-|"};
    t = t + Systeme("e|--0-1-2--|", "B|---------|", "G|---------|", "D|---------|",
                    "A|---------|", "E|---------|");
    // A palm-mute row under it is no string line at all.
    t.push_back("   PM----|");
    auto r = Analyser(t);
    ASSERT_FALSE(r.Refusee());
    EXPECT_EQ(r.NbSystemes, 1);
    ASSERT_EQ(r.Mesures.size(), 1u);
    EXPECT_EQ(r.Mesures[0].Accords.size(), 3u);
    ASSERT_EQ(r.Remarques.size(), 1u);
    EXPECT_EQ(r.Remarques[0].Genre, rRemarqueASCII::TexteIgnore);
    EXPECT_EQ(r.Remarques[0].Ligne, 1);
    // A lyric line splitting a system in two is passed over when that makes it whole.
    tLignes u = Systeme("e|--0--|", "B|--1--|", "G|--0--|", "D|--2--|", "A|--3--|",
                        "E|-----|");
    u.insert(u.begin() + 3, "  hello darkness");
    r = Analyser(u);
    EXPECT_EQ(r.NbSystemes, 1);
    EXPECT_EQ(Frets(r.Mesures[0].Accords[0]), "0 1 0 2 3 -");
}

TEST(ImportASCII, RealWorldWriting)
{
    // Em dashes, labels with a colon or a blank, a remark after the last bar, a ghost note in
    // parentheses, bends written with their target, a bar of "%".
    const tLignes t = {
        "e:|\xE2\x80\x94(3)\xE2\x80\x94\xE2\x80\x94\xE2\x80\x94\xE2\x80\x94|-------|--%--| x2",
        "B:|--7b9r7-|-5b7---|-----|",
        "G:|--------|-------|-----|",
        "D:|--------|-------|-----|",
        "A:|--------|-------|-----|",
        "E:|--------|-------|-----|",
    };
    const auto r = Analyser(t);
    ASSERT_FALSE(r.Refusee());
    ASSERT_EQ(r.Mesures.size(), 3u);
    const auto &m1 = r.Mesures[0].Accords;
    ASSERT_EQ(m1.size(), 1u) << "the bend's target is no new beat";
    EXPECT_EQ(Frets(m1[0]), "3 7 - - - -");
    EXPECT_TRUE(m1[0].Notes[0].Sugeree);
    EXPECT_EQ(m1[0].Notes[1].Bend, 2);
    EXPECT_EQ(m1[0].Notes[1].ValeurBend, 100);
    EXPECT_EQ(r.Mesures[1].Accords[0].Notes[1].Bend, 1);
    EXPECT_EQ(r.Mesures[2].Accords.size(), 1u) << "% repeats the bar before";
    EXPECT_EQ(Frets(r.Mesures[2].Accords[0]), "- 5 - - - -");
    ASSERT_EQ(r.Remarques.size(), 1u);
    EXPECT_EQ(r.Remarques[0].Texte, "x2");
    EXPECT_EQ((std::vector<std::string>{"e", "B", "G", "D", "A", "E"}), r.Etiquettes);
}

TEST(ImportASCII, TwoDigitsAboveTheFretCountAreTwoFrets)
{
    const auto r = Analyser({"G|--5-57-|", "D|-------|", "A|-------|", "E|-------|"}, 4);
    ASSERT_EQ(r.Mesures.size(), 1u);
    const auto &m = r.Mesures[0].Accords;
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[1].Notes[0].Case, 5);
    EXPECT_EQ(m[2].Notes[0].Case, 7);
}

TEST(ImportASCII, MeasureLimitOfTheScore)
{
    std::string l = "|", v = "|";
    for (int i = 0; i < 1100; ++i) {
        l += "-1-|";
        v += "---|";
    }
    const auto r = Analyser({l, v, v, v, v, v});
    EXPECT_EQ(r.Mesures.size(), 1024u);
    ASSERT_FALSE(r.Remarques.empty());
    EXPECT_EQ(r.Remarques.back().Genre, rRemarqueASCII::MesuresMax);
    cPartition p;
    p.Nouveau();
    ImporterDansPiste(p, *p.PremierePiste, r);
    EXPECT_EQ(p.NbMesures, 1024);
    EXPECT_TRUE(ScoreCoherent(p));
}

TEST(ImportASCII, StringCountAndTuningFromTheLabels)
{
    const tLignes basse = {"G|--5--|", "D|--7--|", "A|-----|", "E|-----|"};
    EXPECT_EQ(NbCordesTexteASCII(basse), 4);
    EXPECT_EQ(NbCordesTexteASCII(basse + basse + basse), 4);
    const tLignes six = Systeme("e|--0--|", "B|--1--|", "G|--0--|", "D|--2--|", "A|--3--|",
                                "E|-----|");
    EXPECT_EQ(NbCordesTexteASCII(six + six), 6) << "twelve lines read as two systems of six";
    EXPECT_EQ(NbCordesTexteASCII({"no tab here"}), 0);

    using tA = std::array<int32_t, MaxCordes>;
    EXPECT_EQ(AccordageEtiquettes({"e", "B", "G", "D", "A", "E"}, 6),
              (tA{64, 59, 55, 50, 45, 40, -1}));
    // Drop C, written from string 1: D A F C G C.
    EXPECT_EQ(AccordageEtiquettes({"D", "A", "F", "C", "G", "C"}, 6),
              (tA{62, 57, 53, 48, 43, 36, -1}));
    EXPECT_EQ(AccordageEtiquettes({"G", "D", "A", "E"}, 4), (tA{43, 38, 33, 28, -1, -1, -1}));
    EXPECT_EQ(AccordageEtiquettes({"Eb", "Bb", "Gb", "Db", "Ab", "Eb"}, 6),
              (tA{63, 58, 54, 49, 44, 39, -1}));
    // A label missing or not a note: the usual tuning.
    EXPECT_EQ(AccordageEtiquettes({"", "", "", "", "", "", ""}, 7),
              (tA{64, 59, 55, 50, 45, 40, 35}));
    EXPECT_EQ(AccordageEtiquettes({"e", "B", "G", "D", "A", "X"}, 6),
              (tA{64, 59, 55, 50, 45, 40, -1}));
}

// What an analysis says, in one line, to compare two analyses.
std::string Resume(const rAnalyseASCII &r)
{
    std::string s = r.Cle + "|" + r.Param1 + "|" + r.Param2 + "|" + std::to_string(r.NbCordes) +
                    "|" + std::to_string(r.NbSystemes) + "|" + std::to_string(r.NbNotes) + "|";
    for (const auto &m : r.Mesures) {
        s += "[";
        for (const auto &a : m.Accords)
            s += Frets(a, r.NbCordes) + "/" + std::to_string(a.CodeDuree) + ";";
        s += "]";
    }
    for (const auto &k : r.Remarques)
        s += std::to_string(k.Genre) + ":" + std::to_string(k.Ligne) + ":" + k.Texte + ";";
    for (const auto &e : r.Etiquettes)
        s += e + ",";
    return s;
}

TEST(ImportASCII, AClassifiedTextGivesWhatItsLinesGive)
{
    // The lines are classified once and shared by the count and every analysis: converted
    // lines (tabs, UTF-8 dashes) live in the classified text, the others are read in place.
    const struct {
        const char *nom;
        tLignes lignes;
    } cas[] = {
        {"plain system", Systeme("e|--0--|", "B|--1--|", "G|--0--|", "D|--2--|", "A|--3--|",
                                 "E|-----|")},
        {"converted lines",
         {"e|-\t0--|", "B|\xE2\x80\x94-1--|", "G|--0\r-|", "D|--2--|", "A|--3--|",
          "E|-----|   words after"}},
        {"block cut by a line", {"|--0--|", "|--1--|", "|--0--|", "lyrics", "|--2--|",
                                 "|--3--|", "|-----|"}},
        {"bass then guitar", {"G|--5--|", "D|--7--|", "A|-----|", "E|-----|", "",
                              "e|-3-|", "B|-3-|", "G|-0-|", "D|-0-|", "A|-2-|", "E|-3-|"}},
        {"no tab", {"no tab here", "\tnor here"}},
    };
    for (const auto &c : cas) {
        const cTexteASCII texte(c.lignes);
        EXPECT_EQ(NbCordesTexteASCII(texte), NbCordesTexteASCII(c.lignes)) << c.nom;
        for (int cordes : {4, 6})
            for (int mode = 0; mode < 5; ++mode) {
                rOptionsImportASCII o;
                o.TypeImport = mode;
                EXPECT_EQ(Resume(AnalyserTexteASCII(texte, cordes, o)),
                          Resume(AnalyserTexteASCII(c.lignes, cordes, o)))
                    << c.nom << ", " << cordes << " strings, mode " << mode;
            }
    }
}

TEST(ImportASCII, TextFilesInAnyEncodingAndLineEnd)
{
    EXPECT_EQ(LignesTexte("\xEF\xBB\xBF" "a\r\nb\rc\nd"), (tLignes{"a", "b", "c", "d"}));
    EXPECT_EQ(LignesTexte("caf\xE9\n"), (tLignes{"caf\xC3\xA9"})) << "Windows-1252 converted";
    EXPECT_EQ(LignesTexte("\xE2\x80\x94\n\n"), (tLignes{"\xE2\x80\x94", ""}));
    tLignes l;
    EXPECT_FALSE(LireFichierTexte(testing::TempDir() + "/no-such-file.tab", l));
}

// ---------------------------------------------------------------- into the score

TEST(ImportASCII, ImportReplacesTheTrackKeepingItsPropertiesAndTheOtherTracks)
{
    cPartition p;
    p.Nouveau();
    cPiste *autre = p.PremierePiste;
    cPiste *cible = p.InsererPisteApres(autre);
    cible->Nom = "Bass";
    cible->NbCordes = 4;
    cible->Accordage = {43, 38, 33, 28, -1, -1, -1};
    cible->ChangerNbCordes(6);
    AjouterAccord(MesureDe(p, *autre, 1), 0, {{1, 5}});
    for (int m = 1; m <= 3; ++m)
        AjouterAccord(MesureDe(p, *cible, m), 0, {{1, 9}});
    const auto r = Analyser({"G|--5--7--|--0--|", "D|--------|-----|", "A|--------|-----|",
                             "E|--------|-----|"},
                            4);
    ImporterDansPiste(p, *cible, r);
    EXPECT_TRUE(ScoreCoherent(p));
    EXPECT_EQ(cible->Nom, "Bass");
    EXPECT_EQ(cible->NbCordes, 4);
    EXPECT_EQ(p.NbMesures, 3);
    const cMesurePiste &m1 = *p.MesurePisteDe(1, 2);
    ASSERT_EQ(m1.NbAccords, 2);
    EXPECT_EQ(m1.PremierAccord->Notes[1]->Case, 5);
    EXPECT_EQ(m1.PremierAccord->Etat, 1);
    EXPECT_EQ(p.MesurePisteDe(2, 2)->PremierAccord->Notes[1]->Case, 0);
    EXPECT_EQ(p.MesurePisteDe(3, 2)->PremierAccord->Etat, 0) << "emptied";
    EXPECT_EQ(p.MesurePisteDe(1, 1)->PremierAccord->Notes[1]->Case, 5) << "track 1 untouched";
    EXPECT_EQ(p.Curseur.NumPiste, 2);
    EXPECT_EQ(p.Curseur.NumMesure, 1);
    // A longer text adds measures to the score.
    tLignes t;
    for (const char *l : {"G|", "D|", "A|", "E|"})
        t.push_back(std::string(l) + "--1--|--1--|--1--|--1--|--1--|");
    ImporterDansPiste(p, *cible, Analyser(t, 4));
    EXPECT_EQ(p.NbMesures, 5);
    EXPECT_EQ(p.MesurePisteDe(5, 1)->PremierAccord->Etat, 0);
    EXPECT_TRUE(ScoreCoherent(p));
}

// Export then import: the frets on every string come back, beat for beat.
TEST(ImportASCII, ExportThenImportGivesBackTheFrets)
{
    cPartition p;
    p.Nouveau();
    p.Informations->Titre = "Round";
    cPiste &t = *p.PremierePiste;
    p.InsererMesureApres(p.PremiereMesure);
    p.InsererMesureApres(p.DerniereMesure());
    p.MesureNumero(2)->RenvoiDebut = true;
    p.MesureNumero(2)->RenvoiFin = 3;
    cMesurePiste &m1 = MesureDe(p, t, 1);
    AjouterAccord(m1, 0, {{6, 0}, {1, 12}});
    AjouterAccord(m1, 1, {{5, 10}, {4, -1}}).Notes[5]->EffetsCrees().HammerPullOff = true;
    AjouterAccord(m1, 1, {{5, 12}});
    AjouterSilence(m1, 0);
    AjouterAccord(m1, 0, {{3, 7}, {2, 8}, {1, 7}});
    cMesurePiste &m2 = MesureDe(p, t, 2);
    cAccord &b = AjouterAccord(m2, -1, {{3, 14}});
    b.Notes[3]->EffetsCrees().Bend = new cEffet_Bend;
    b.Notes[3]->Effets->Bend->Type = 1;
    AjouterAccord(m2, 2, {{2, 15}}).Notes[2]->EffetsCrees().Slide = true;
    AjouterAccord(m2, 2, {{2, 17}});
    AjouterAccord(m2, 1, {{1, 0}, {6, -1}}).EffetsCrees().Vibrato = true;
    cMesurePiste &m3 = MesureDe(p, t, 3);
    AjouterAccord(m3, -2, {{1, 0}, {2, 1}, {3, 0}, {4, 2}, {5, 3}});

    const tLignes texte = ConstruireTexteASCII(p, t, 80);
    tLignes utf8;
    for (const std::string &l : texte)
        utf8.push_back(l);
    const auto r = Analyser(utf8);
    ASSERT_FALSE(r.Refusee());
    EXPECT_EQ(r.Etiquettes, (std::vector<std::string>{"E", "B", "G", "D", "A", "E"}));
    std::vector<std::string> avant, apres;
    for (const cMesurePiste *mp = t.PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste)
        for (const cAccord *a = mp->PremierAccord; a; a = a->Suivant)
            if (a->Etat == 1) {
                rAccordASCII x;
                for (int s = 1; s <= 6; ++s) {
                    x.Notes[static_cast<std::size_t>(s - 1)].Type = a->Notes[s]->Type;
                    x.Notes[static_cast<std::size_t>(s - 1)].Case = a->Notes[s]->Case;
                }
                avant.push_back(Frets(x));
            }
    for (const rMesureASCII &m : r.Mesures)
        for (const rAccordASCII &a : m.Accords)
            apres.push_back(Frets(a));
    EXPECT_EQ(apres, avant);
    ASSERT_EQ(r.Mesures.size(), 3u);
    EXPECT_TRUE(r.Mesures[0].Accords[1].Notes[4].HammerPullOff);
    EXPECT_EQ(r.Mesures[1].Accords[0].Notes[2].Bend, 1);
    EXPECT_TRUE(r.Mesures[1].Accords[1].Notes[1].Slide);
    EXPECT_TRUE(r.Mesures[1].Accords[3].Vibrato);
    // Exported quarters come back quarters; eighths and sixteenths eighths; longer, halves.
    EXPECT_EQ(r.Mesures[0].Accords[0].CodeDuree, 0);
    EXPECT_EQ(r.Mesures[0].Accords[1].CodeDuree, 1);
    EXPECT_EQ(r.Mesures[1].Accords[0].CodeDuree, -1);
    EXPECT_EQ(r.Mesures[1].Accords[1].CodeDuree, 1);
}

// ---------------------------------------------------------------- real tabs

// Every tab of the shared corpus imports as a new score; the counts go to the test's output.
TEST(ImportASCII, CorpusTabsImport)
{
    const std::string dossier = std::string(PLEC_CORPUS_DIR) + "/ascii";
    DIR *d = opendir(dossier.c_str());
    if (!d)
        GTEST_SKIP() << "no corpus at " << dossier;
    std::vector<std::string> noms;
    while (dirent *e = readdir(d))
        if (e->d_name[0] != '.')
            noms.push_back(e->d_name);
    closedir(d);
    std::sort(noms.begin(), noms.end());
    ASSERT_FALSE(noms.empty());
    for (const std::string &nom : noms) {
        cPartition p;
        p.Nouveau();
        std::string cle;
        std::vector<rRemarqueASCII> remarques;
        ASSERT_TRUE(LireFichierTAB(dossier + "/" + nom, p, cle, &remarques)) << nom << " " << cle;
        EXPECT_TRUE(ScoreCoherent(p)) << nom;
        const long long notes = p.NbNotesJouees();
        EXPECT_GT(notes, 20) << nom;
        std::printf("%-45s %d strings, %3d bars, %5lld notes, %zu remarks\n", nom.c_str(),
                    p.PremierePiste->NbCordes, p.NbMesures, notes, remarques.size());
    }
}

} // namespace
