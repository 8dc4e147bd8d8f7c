// Files of the older generation: each version written by the test's own encoder and read into
// the model; damaged files refused; the export to version 2.21, byte for byte on a small score
// and through a round trip on a rich one.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <tuple>
#include <cstring>
#include <fstream>
#include <vector>

#include "fileio/Octets.h"
#include "fileio/Outils.h"
#include "fileio/uFichierAncien.h"
#include "model/uDurees.h"
#include "support/Invariants.h"

namespace {

// An independent encoder of the old layout, step by step.
struct cAncien : cOctets {
    int V;
    explicit cAncien(int version) : V(version)
    {
        const char *magie = version == 100   ? "FICHIER PLECTORIALE v1"
                            : version == 101 ? "FICHIER PLECTORIALE v1.01"
                            : version == 102 ? "FICHIER PLECTORIALE v1.02"
                            : version == 103 ? "FICHIER PLECTORIALE v1.03"
                            : version == 104 ? "FICHIER PLECTORIALE v1.04"
                            : version == 220 ? "FICHIER PLECTORIUM v2.20"
                                             : "FICHIER PLECTORIUM v2.21";
        U8(static_cast<int>(std::strlen(magie))).Brut(magie);
        o.append(31 - o.size(), 'Z'); // filler content is ignored
    }
    cAncien &U8(int v)
    {
        cOctets::U8(v);
        return *this;
    }
    cAncien &U8s(std::initializer_list<int> v)
    {
        cOctets::U8s(v);
        return *this;
    }
    cAncien &I32(int32_t v)
    {
        cOctets::I32(v);
        return *this;
    }
    cAncien &Brut(const std::string &s)
    {
        cOctets::Brut(s);
        return *this;
    }
    cAncien &Fixe(const std::string &s, std::size_t cap)
    {
        cOctets::Fixe(s, cap);
        return *this;
    }
    cAncien &Ancien(const std::string &s, int cap)
    {
        U8(cap + 1).U8(static_cast<int>(s.size())).Brut(s);
        o.append(static_cast<std::size_t>(cap) - s.size(), '\0');
        return *this;
    }
    cAncien &Car(const std::string &s)
    {
        U8(static_cast<int>(s.size())).Brut(s);
        return *this;
    }
    cAncien &Dbl(double d)
    {
        uint64_t u;
        std::memcpy(&u, &d, 8);
        for (int i = 0; i < 8; ++i)
            U8(static_cast<int>((u >> (8 * i)) & 0xFF));
        return *this;
    }
    // Title, author, instructions, tempo, triplet feel, key.
    cAncien &Entete(const std::string &titre, int tempo, bool triplet, int tonalite)
    {
        Ancien(titre, 100).Ancien("Auteur", 50).Ancien("Play it slow", 100).I32(tempo);
        if (V >= 101)
            I32(triplet ? 1 : 0);
        if (V >= 103)
            I32(tonalite);
        return *this;
    }
    cAncien &Accordage(std::initializer_list<int> hauteurs)
    {
        I32(static_cast<int>(hauteurs.size()));
        for (int h : hauteurs)
            I32(h);
        return *this;
    }
    cAncien &Details(int programme, int frets, const std::string &nom, int drapeaux, int vol,
                     int pan, int chorus, int reverb, int capo)
    {
        I32(programme).I32(frets).Ancien(nom, 40).U8(drapeaux);
        I32(vol).I32(pan).I32(chorus).I32(reverb).I32(capo);
        return *this;
    }
    cAncien &FinDetails()
    {
        U8s({1, 0x30, 0, 0, 0, 0}).I32(0);
        return *this;
    }
    // Numerator, denominator, the ignored length, then each track's beat count.
    cAncien &Mesure(int num, int den, std::initializer_list<int> nbAccords, int drapeaux = 0,
                    int renvoi = 0, int repetition = 0)
    {
        U8(num).U8(den).Dbl(4.0);
        for (int n : nbAccords)
            I32(n).Dbl(0);
        U8(drapeaux);
        if (drapeaux & 2)
            U8(renvoi);
        if (drapeaux & 4)
            U8(repetition);
        return *this;
    }
    // Position, duration and the two flag bytes (the second from version 2.20).
    cAncien &Accord(int code, int f1, int f2 = 0)
    {
        I32(0).U8(code).U8(f1);
        if (V >= 220)
            U8(f2);
        return *this;
    }
};

// The eight tracks' tunings and details of versions from 1.03 on: tracks 1 and 2 guitars,
// the rest standard.
cAncien Debut103(int version, int nbMesures)
{
    cAncien f(version);
    f.Entete("Old song", 96, true, -2);
    f.Accordage({64, 59, 55, 50, 45, 40});
    f.Accordage({43, 38, 33, 28});
    for (int t = 3; t <= 8; ++t)
        f.Accordage({64, 59, 55, 50, 45, 40});
    f.I32(nbMesures);
    f.Details(25, 22, "Lead", 0x08, 127, 64, 12, 100, 2);
    f.Details(33, 20, "Bass", 0, 96, 0, 0, 0, 0);
    for (int t = 3; t <= 8; ++t)
        f.Details(0, 24, "", 0, 100, 64, 0, 0, 0);
    f.FinDetails();
    return f;
}

struct rLu {
    cPartition p;
    cListeAccordsImpression liste;
    std::string cle;
    bool ok = false;
};

std::unique_ptr<rLu> LireAncien(const std::string &octets)
{
    auto r = std::make_unique<rLu>();
    r->ok = Lire(octets, r->p, r->liste, r->cle);
    return r;
}

const cAccord &Temps(const cPartition &p, int mesure, int piste, int temps)
{
    const cAccord *a = p.MesurePisteDe(mesure, piste)->PremierAccord;
    for (int i = 1; i < temps; ++i)
        a = a->Suivant;
    return *a;
}

TEST(FichierAncien, Version100HasOneTrackNoTripletFeelAndKeyZero)
{
    cAncien f(100);
    f.Entete("Early", 140, true, 5);
    f.Accordage({64, 59, 55, 50, 45, 40});
    f.I32(1);  // one measure
    f.I32(30); // the single track's program
    f.Mesure(3, 4, {3});
    // A quarter with fret 3 on string 1 and a dead note on string 6 (bit 0).
    f.Accord(0, 0x00).U8s({0x21, 0x00}).U8s({3, 100});
    // A dotted quarter rest.
    f.Accord(0, 0x18);
    // An eighth with a text (41-byte fixed text) and a diagram (11-byte name).
    f.Accord(1, 0x03).Fixe("Am7", 10).Fixe("la la", 40).U8s({0x02, 0}).U8(255);
    auto r = LireAncien(f.o);
    ASSERT_TRUE(r->ok) << r->cle;
    const cPartition &p = r->p;
    EXPECT_EQ(p.NbPistes, 1);
    EXPECT_FALSE(p.Informations->TripletFeel);
    EXPECT_EQ(p.Tonalite, 0);
    EXPECT_EQ(p.Tempo, 140);
    EXPECT_EQ(p.Informations->Titre, "Early");
    EXPECT_EQ(p.Informations->Auteur, "Auteur");
    EXPECT_EQ(p.Informations->Instructions, "Play it slow");
    EXPECT_EQ(p.PremiereMesure->Numerateur, 3);
    EXPECT_EQ(p.Canaux[1][1].Instrument, 30);
    EXPECT_EQ(p.Canaux[1][2].Instrument, 30);
    const cAccord &a1 = Temps(p, 1, 1, 1);
    EXPECT_EQ(a1.Etat, 1);
    EXPECT_EQ(a1.Notes[1]->Type, 1);
    EXPECT_EQ(a1.Notes[1]->Case, 3);
    EXPECT_EQ(a1.Notes[6]->Type, 3) << "fret 100 is a dead note";
    EXPECT_EQ(a1.Notes[1]->Nuance, 6) << "no dynamics before 2.20";
    const cAccord &a2 = Temps(p, 1, 1, 2);
    EXPECT_EQ(a2.Etat, 2);
    EXPECT_TRUE(a2.Pointe);
    const cAccord &a3 = Temps(p, 1, 1, 3);
    ASSERT_TRUE(a3.Texte && a3.Diagramme);
    EXPECT_EQ(a3.Texte->Texte, "la la");
    EXPECT_EQ(a3.Diagramme->NomTexte(), "Am7");
    EXPECT_EQ(a3.Diagramme->Fondamentale, 12);
    EXPECT_EQ(a3.Notes[5]->Type, 0) << "fret 255 leaves the string without a note";
    EXPECT_EQ(a3.Etat, 0);
    EXPECT_DOUBLE_EQ(p.MesurePisteDe(1, 1)->DureeTotale, 480 + 720 + 240);
    EXPECT_TRUE(ScoreCoherent(p));
}

TEST(FichierAncien, Version103KeepsTheTwoUsedTracksWithTheirChannelsAndMix)
{
    cAncien f = Debut103(103, 2);
    // Measure 1 opens a repeat; measure 2 closes it three times with an ending 2.
    f.Mesure(4, 4, {1, 1, 0, 0, 0, 0, 0, 0}, 0x01);
    f.Accord(0, 0x01).Fixe("old text", 40).U8s({0x10, 0}).U8(5);
    f.Accord(-2, 0x00).U8s({0x01, 0}).U8(7);
    f.Mesure(2, 2, {1, 0, 0, 0, 0, 0, 0, 0}, 0x06, 3, 2);
    f.Accord(0, 0x00).U8s({0x01, 0}).U8(0);
    auto r = LireAncien(f.o);
    ASSERT_TRUE(r->ok) << r->cle;
    const cPartition &p = r->p;
    ASSERT_EQ(p.NbPistes, 2) << "the six unused tracks are removed";
    const cPiste &t1 = *p.PisteNumero(1), &t2 = *p.PisteNumero(2);
    EXPECT_EQ(t1.Nom, "Lead");
    EXPECT_EQ(t1.NbFrets, 22);
    EXPECT_TRUE(t1.DouzeCordes);
    EXPECT_EQ(t1.Capo, 2);
    EXPECT_EQ(t1.Canal, 1);
    EXPECT_EQ(t1.CanalEffets, 2);
    EXPECT_EQ(t1.Couleur, 255);
    EXPECT_EQ(t2.Nom, "Bass");
    EXPECT_EQ(t2.NbCordes, 4);
    EXPECT_EQ(t2.AccordageCorde(1), 43);
    EXPECT_EQ(t2.AccordageCorde(5), -1);
    EXPECT_EQ(t2.Canal, 3) << "track 2 keeps the channels of its place";
    EXPECT_EQ(t2.CanalEffets, 4);
    EXPECT_EQ(t2.Couleur, 0x00FFFF) << "a four-string track";
    // 127 / 8 = 15.875 -> 16; 64 / 8 = 8; 12 / 8 = 1.5 -> 2 (halves to even); 100 / 8 = 12.5 -> 12
    const rCanalMidi &c = p.Canaux[1][1];
    EXPECT_EQ(c.Instrument, 25);
    EXPECT_EQ(c.Volume, 16);
    EXPECT_EQ(c.Balance, 8);
    EXPECT_EQ(c.Chorus, 2);
    EXPECT_EQ(c.Reverb, 12);
    EXPECT_EQ(p.Canaux[1][2].Volume, 16) << "the effects channel gets the same values";
    EXPECT_EQ(p.Canaux[1][3].Instrument, 33);
    EXPECT_TRUE(p.Informations->TripletFeel);
    EXPECT_EQ(p.Tonalite, -2);
    EXPECT_EQ(p.Tempo, 96);
    const cMesure &m1 = *p.MesureNumero(1), &m2 = *p.MesureNumero(2);
    EXPECT_TRUE(m1.RenvoiDebut);
    EXPECT_EQ(m2.RenvoiFin, 3);
    EXPECT_EQ(m2.Repetition, 2);
    EXPECT_EQ(m2.Numerateur, 2);
    EXPECT_EQ(m2.Denominateur, 2);
    EXPECT_DOUBLE_EQ(m2.Longueur, 1920);
    const cAccord &a = Temps(p, 1, 1, 1);
    ASSERT_TRUE(a.Texte);
    EXPECT_EQ(a.Texte->Texte, "old text") << "a 41-byte fixed text before 1.04";
    EXPECT_EQ(a.Notes[2]->Case, 5) << "bit 4 of six strings is string 2";
    EXPECT_EQ(a.Notes[1]->Type, 0);
    EXPECT_EQ(Temps(p, 1, 2, 1).Notes[4]->Case, 7) << "bit 0 of four strings is string 4";
    EXPECT_EQ(Temps(p, 1, 2, 1).CodeDuree, -2);
    EXPECT_TRUE(ScoreCoherent(p));
}

TEST(FichierAncien, Version104ReadsTextsCharByCharDiagramsWithBarresAndThePrintList)
{
    cAncien f = Debut103(104, 1);
    f.Mesure(4, 4, {1, 0, 0, 0, 0, 0, 0, 0});
    // A diagram: F major barre chord at the first fret, and a text.
    f.Accord(0, 0x03).Car("F").U8(0).I32(5);
    f.I32(0).I32(0).I32(5).I32(0).I32(0).I32(0).I32(0);
    f.I32(0x01 | 0x02 | 0x04 | 0x08); // add, degrees 1, 3, 5 shown
    f.I32(1).I32(1).I32(1).I32(2).I32(3).I32(3).I32(1);
    f.Car("a longer text that is written char by char, beyond forty characters");
    f.U8s({0x20, 0}).U8(1);
    // The print list: one user chord without frets.
    f.I32(1).Car("My chord").U8(1).I32(12).I32(0);
    auto r = LireAncien(f.o);
    ASSERT_TRUE(r->ok) << r->cle;
    const cAccord &a = Temps(r->p, 1, 1, 1);
    ASSERT_TRUE(a.Diagramme && a.Texte);
    EXPECT_EQ(a.Texte->Texte, "a longer text that is written char by ch") << "40 kept";
    const rDiagramme &d = a.Diagramme->Donnees();
    EXPECT_EQ(d.Fondamentale, 5);
    EXPECT_FALSE(d.Diese);
    EXPECT_TRUE(d.Add);
    EXPECT_FALSE(d.Omis[0]);
    EXPECT_FALSE(d.Omis[2]);
    EXPECT_TRUE(d.Omis[3]) << "the seventh is not shown";
    EXPECT_EQ(d.PremiereCase, 1);
    EXPECT_EQ(d.Cases[3], 3);
    // Fret 1 is shared by strings 1, 2 and 6 with nothing lower between: one barre 1..6.
    EXPECT_EQ(d.NbBarres, 1);
    EXPECT_EQ(d.BarreCase[0], 1);
    EXPECT_EQ(d.BarreDebut[0], 1);
    EXPECT_EQ(d.BarreFin[0], 6);
    ASSERT_EQ(r->liste.Nb(), 1);
    EXPECT_EQ(std::string(r->liste.Accord(1).Nom, r->liste.Accord(1).NomLongueur), "My chord");
}

// Barres by the fret layout: each row is frets of strings 1..6 from the top fret 1.
TEST(FichierAncien, BarresFromTheFrets)
{
    struct rCas {
        const char *Nom;
        std::array<int, 6> Cases;
        int NbBarres, Case1, Fin1;
    };
    const rCas cas[] = {
        // Three fretted strings or fewer: never a barre.
        {"open D", {2, 3, 2, 0, -1, -1}, 0, 0, 0},
        // A-shape at fret 1 (Bb): fret 1 on 1 and 5 is a barre; fret 3 on 2..4 is not, as
        // string 1 lies lower and stops the walk.
        {"Bb A-shape", {1, 3, 3, 3, 1, -1}, 1, 1, 5},
        // B7: fret 2 on strings 1 and 3, but string 2 is open (0 < 2): the walk stops there.
        {"B7", {2, 0, 2, 1, 2, -1}, 0, 0, 0},
    };
    for (const rCas &c : cas) {
        cAncien f(104);
        f.Entete("", 120, false, 0);
        for (int t = 1; t <= 8; ++t)
            f.Accordage({64, 59, 55, 50, 45, 40});
        f.I32(1);
        for (int t = 1; t <= 8; ++t)
            f.Details(24, 24, "", 0, 100, 64, 0, 0, 0);
        f.FinDetails();
        f.Mesure(4, 4, {1, 0, 0, 0, 0, 0, 0, 0});
        f.Accord(0, 0x02).Car(c.Nom).U8(1).I32(12).I32(1);
        for (int k : c.Cases)
            f.I32(k);
        f.U8s({0x20, 0}).U8(1).I32(0);
        auto r = LireAncien(f.o);
        ASSERT_TRUE(r->ok) << c.Nom;
        const rDiagramme &d = Temps(r->p, 1, 1, 1).Diagramme->Donnees();
        EXPECT_EQ(d.NbBarres, c.NbBarres) << c.Nom;
        if (c.NbBarres > 0) {
            EXPECT_EQ(d.BarreCase[0], c.Case1) << c.Nom;
            EXPECT_EQ(d.BarreFin[0], c.Fin1) << c.Nom;
        }
    }
}

TEST(FichierAncien, Version220ReadsDynamicsGraceNotesMixBrushEffectsAndTies)
{
    cAncien f = Debut103(220, 2);
    f.Mesure(4, 4, {5, 0, 0, 0, 0, 0, 0, 0});
    // Beat 1: mix change (tempo, reverb, volume, instrument), brush up speed 8, a triplet
    // beat with its position byte, beat effect 3 (stroke of vibrato 1.5), notes with
    // dynamics: string 1 fret 12 dyn 3 with a bend and release of 1.5 tones, string 2 fret 100
    // (dead), grace note on string 6 with fret 100 (dead), dynamic 5, duration 2.
    f.Accord(1, 0x20 | 0x04, 0x03);
    f.U8(0x01 | 0x02 | 0x10 | 0x20).I32(90).U8(2).U8(64).U8(1).U8(100).U8(0).U8(40);
    f.U8(1).U8(8);
    f.U8(1);
    f.U8(3).Dbl(1.5);
    f.U8s({0x30, 0x20, 0x01});
    f.U8s({12, 3, 6}).Dbl(1.5);
    f.U8s({100, 8});
    f.U8s({100, 5, 2});
    // Beats 2..5: each beat effect code of the reading table that is not a note: 8, 9, 6, 7.
    for (int code : {8, 9, 6, 7})
        f.Accord(1, 0x20 | 0x04, 0).U8(2).U8(code).U8s({0x01, 0x01, 0}).U8s({5, 6, code == 7 ? 7 : 1});
    f.Mesure(4, 4, {2, 0, 0, 0, 0, 0, 0, 0});
    // A tied beat continues the strings that sounded in the last beat of measure 1 (string 6).
    f.Accord(0, 0x40, 0);
    f.Accord(0, 0x00, 0).U8s({0x04, 0x04, 0}).U8s({2, 6, 3}); // slide up on string 4
    f.I32(0);
    auto r = LireAncien(f.o);
    ASSERT_TRUE(r->ok) << r->cle;
    const cPartition &p = r->p;
    const cAccord &a = Temps(p, 1, 1, 1);
    EXPECT_EQ(a.Triolet, 3);
    ASSERT_TRUE(a.TableMix && a.Effets);
    EXPECT_EQ(a.TableMix->Tempo, 90);
    EXPECT_EQ(a.TableMix->TransTempo, 2);
    EXPECT_EQ(a.TableMix->Reverb, 8);
    EXPECT_EQ(a.TableMix->Volume, 12) << "100 / 8 = 12.5, halves to even";
    EXPECT_EQ(a.TableMix->Instrument, 40);
    EXPECT_EQ(a.TableMix->Chorus, -1);
    EXPECT_EQ(a.Effets->BrushUp, 3);
    EXPECT_EQ(a.Effets->CoupVibrato, 150);
    const cNote &n1 = *a.Notes[1];
    EXPECT_EQ(n1.Case, 12);
    EXPECT_EQ(n1.Nuance, 3);
    ASSERT_TRUE(n1.Effets && n1.Effets->Bend);
    EXPECT_EQ(n1.Effets->Bend->Type, 2);
    EXPECT_EQ(n1.Effets->Bend->Valeur, 150);
    EXPECT_EQ(n1.Effets->Bend->NbFormes(), 5);
    EXPECT_EQ(n1.Effets->Bend->HauteurMax(), 150);
    EXPECT_EQ(a.Notes[2]->Type, 3);
    EXPECT_EQ(a.Notes[2]->Nuance, 8);
    const cNote &n6 = *a.Notes[6];
    EXPECT_EQ(n6.Type, 0) << "a grace note alone on its string";
    ASSERT_TRUE(n6.Effets && n6.Effets->Appogiature);
    EXPECT_EQ(n6.Effets->Appogiature->Case, 255) << "grace fret 100 is a dead grace note";
    EXPECT_EQ(n6.Effets->Appogiature->Nuance, 5);
    EXPECT_EQ(n6.Effets->Appogiature->Duree, 2);
    const cAccord &h = Temps(p, 1, 1, 2), &ah = Temps(p, 1, 1, 3), &fi = Temps(p, 1, 1, 4),
                  &po = Temps(p, 1, 1, 5);
    EXPECT_TRUE(h.Effets->HarmoniqueNaturelle);
    EXPECT_TRUE(ah.Effets->HarmoniqueArtificielle);
    EXPECT_EQ(fi.Effets->Frappe, 2) << "code 6 is slap";
    EXPECT_EQ(po.Effets->Frappe, 3) << "code 7 is pop";
    EXPECT_TRUE(h.Notes[6]->Effets->HammerPullOff);
    EXPECT_TRUE(po.Notes[6]->Effets->LetRing);
    const cAccord &lie = Temps(p, 2, 1, 1);
    EXPECT_EQ(lie.Etat, 1);
    EXPECT_EQ(lie.Notes[6]->Type, 2) << "continues string 6 of the previous measure";
    EXPECT_EQ(lie.Notes[1]->Type, 0);
    EXPECT_TRUE(Temps(p, 2, 1, 2).Notes[4]->Effets->Slide);
    EXPECT_TRUE(ScoreCoherent(p));
}

TEST(FichierAncien, EightEmptyTracksLeaveTheLastOne)
{
    cAncien f = Debut103(103, 1);
    f.Mesure(4, 4, {0, 0, 0, 0, 0, 0, 0, 0});
    auto r = LireAncien(f.o);
    ASSERT_TRUE(r->ok) << r->cle;
    ASSERT_EQ(r->p.NbPistes, 1);
    EXPECT_TRUE(r->p.PremierePiste->Percussions);
    EXPECT_EQ(r->p.PremierePiste->Canal, 10);
    EXPECT_EQ(r->p.PremierePiste->Couleur, 0xFF0000);
    EXPECT_TRUE(ScoreCoherent(r->p));
}

// A damaged or hostile file gives "Fichier-Incorrect" and leaves a new score: each case breaks
// one count or value of an otherwise valid 2.21 file.
TEST(FichierAncien, CountsAndValuesOutsideTheModelAreRefused)
{
    const auto valide = [](int cordes, int mesures, int accords, int titre, int fret,
                           int nuance) {
        cAncien f(221);
        f.U8(101).U8(titre).Brut(std::string(100, 'T'));
        f.Ancien("", 50).Ancien("", 100).I32(120).I32(0).I32(0);
        f.I32(cordes);
        for (int s = 0; s < cordes; ++s)
            f.I32(40);
        for (int t = 2; t <= 8; ++t)
            f.Accordage({64, 59, 55, 50, 45, 40});
        f.I32(mesures);
        for (int t = 1; t <= 8; ++t)
            f.Details(24, 24, "", 0, 100, 64, 0, 0, 0);
        f.FinDetails();
        f.Mesure(4, 4, {accords, 0, 0, 0, 0, 0, 0, 0});
        for (int i = 0; i < accords; ++i)
            f.Accord(2, 0, 0).U8(1).U8(0).U8(0).U8(fret).U8(nuance);
        f.I32(0);
        return f.o;
    };
    {
        auto r = LireAncien(valide(6, 1, 3, 100, 5, 6));
        ASSERT_TRUE(r->ok) << "the base case is valid";
        EXPECT_EQ(r->p.PremierePiste->NbCordes, 6);
    }
    struct rCas {
        const char *Pourquoi;
        std::string Octets;
    };
    const rCas cas[] = {
        {"8 strings", valide(8, 1, 3, 100, 5, 6)},
        {"0 strings", valide(0, 1, 3, 100, 5, 6)},
        {"1025 measures", valide(6, 1025, 3, 100, 5, 6)},
        {"0 measures", valide(6, 0, 3, 100, 5, 6)},
        {"129 beats", valide(6, 1, 129, 100, 5, 6)},
        {"a title longer than its capacity", valide(6, 1, 3, 101, 5, 6)},
        {"fret 150", valide(6, 1, 3, 100, 150, 6)},
        {"dynamic 9", valide(6, 1, 3, 100, 5, 9)},
        {"dynamic 0", valide(6, 1, 3, 100, 5, 0)},
    };
    for (const rCas &c : cas) {
        auto r = LireAncien(c.Octets);
        EXPECT_FALSE(r->ok) << c.Pourquoi;
        EXPECT_EQ(r->cle, "Fichier-Incorrect") << c.Pourquoi;
        EXPECT_TRUE(EstNouvelle(r->p, r->liste)) << c.Pourquoi;
    }
    // Cut anywhere, the file is refused the same way.
    const std::string base = valide(6, 1, 3, 100, 5, 6);
    for (std::size_t n = 31; n < base.size(); ++n) {
        auto r = LireAncien(base.substr(0, n));
        ASSERT_FALSE(r->ok) << n;
        ASSERT_TRUE(EstNouvelle(r->p, r->liste)) << n;
    }
}

// ---------------------------------------------------------------- export

// A small score and the exact bytes version 2.21 holds for it.
TEST(FichierAncien, ExportOfASmallScoreByteForByte)
{
    cPartition p;
    p.Nouveau();
    p.Informations->Titre = "Tiny";
    p.Informations->Auteur = "Me";
    p.Tempo = 100;
    p.Tonalite = 1;
    cPiste &t = *p.PremierePiste;
    t.Nom = "Gtr";
    cMesurePiste &mp = *p.PremiereMesure->PremiereMesurePiste;
    cAccord &a = *mp.PremierAccord;
    a.Etat = 1;
    a.Notes[2]->Type = 1;
    a.Notes[2]->Case = 7;
    a.Notes[2]->EffetsCrees().HammerPullOff = true;
    a.CalculerDuree();
    a.PropagerDuree();
    cAccord &b = *mp.InsererAccordApres(&a); // a quarter; fret 5 on string 2 is lower
    b.Etat = 1;
    b.Notes[2]->Type = 1;
    b.Notes[2]->Case = 5;
    b.Notes[2]->Nuance = 4;
    // Placeholders are not written, however many trail the measure.
    mp.InsererAccordApres(mp.InsererAccordApres(&b));
    mp.CalculerDuree();
    cListeAccordsImpression liste;
    std::string octets;
    EcrireAncienFormatMemoire(p, liste, "Drums", octets);

    cAncien f(221);
    f.o.replace(25, 6, std::string(6, '\0'));
    f.Ancien("Tiny", 100).Ancien("Me", 50).Ancien("", 100).I32(100).I32(0).I32(1);
    f.Accordage({64, 59, 55, 50, 45, 40});
    for (int k = 2; k <= 7; ++k)
        f.Accordage({64, 59, 55, 50, 45, 40});
    f.Accordage({0, 0, 0, 0, 0, 0});
    f.I32(1);
    f.Details(24, 24, "Gtr", 0, 104, 64, 0, 0, 0);
    for (int k = 2; k <= 7; ++k)
        f.Details(24, 24, "", 0, 104, 0, 0, 0, 0);
    f.Details(0, 87, "Drums", 0, 104, 0, 0, 0, 0);
    f.FinDetails();
    f.U8(4).U8(4).Dbl(4.0);
    f.I32(2).Dbl(960.0);
    for (int k = 2; k <= 8; ++k)
        f.I32(0).Dbl(0);
    f.U8(0);
    // Beat 1: position 480, quarter, no flags; string 2 of 6 is bit 4; effect code 2 (a pull-off:
    // the next note is lower).
    f.I32(480).U8(0).U8(0).U8(0).U8s({0x10, 0x10, 0}).U8s({7, 6, 2});
    f.I32(480).U8(0).U8(0).U8(0).U8s({0x10, 0, 0}).U8s({5, 4});
    f.I32(0);
    EXPECT_EQ(octets, f.o);
}

// A score with what version 2.21 holds: two guitars, a 7-string guitar (skipped), drums.
void ConstruireRiche(cPartition &p, cListeAccordsImpression &liste)
{
    p.Nouveau();
    p.Informations->Titre = "Round trip";
    p.Informations->Auteur = "Someone";
    p.Informations->Instructions = "Swing";
    p.Informations->TripletFeel = true;
    p.Tempo = 132;
    p.Tonalite = -3;
    cPiste *g1 = p.PremierePiste;
    g1->Nom = "Guitar";
    g1->Capo = 3;
    g1->NbFrets = 21;
    g1->DouzeCordes = true;
    cPiste *sept = p.InsererPisteApres(g1);
    sept->NbCordes = 7;
    sept->Accordage[6] = 35;
    sept->ChangerNbCordes(6);
    cPiste *basse = p.InsererPisteApres(sept);
    basse->Nom = "Bass";
    basse->NbCordes = 4;
    basse->Accordage = {43, 38, 33, 28, -1, -1, -1};
    basse->ChangerNbCordes(6);
    basse->Port = 1;
    basse->Canal = 5;
    basse->CanalEffets = 6;
    cPiste *batterie = p.InsererPisteApres(basse);
    batterie->Percussions = true;
    batterie->Nom = "Kit";
    batterie->Canal = batterie->CanalEffets = 10;
    p.Canaux[1][1].Instrument = 27;
    p.Canaux[1][1].Volume = 16;
    p.Canaux[1][1].Balance = 3;
    p.Canaux[1][1].Chorus = 5;
    p.Canaux[1][1].Reverb = 9;
    p.Canaux[1][5].Instrument = 34;
    p.InsererMesureApres(p.PremiereMesure);
    p.InsererMesureApres(p.DerniereMesure());
    cMesure *m1 = p.MesureNumero(1), *m2 = p.MesureNumero(2), *m3 = p.MesureNumero(3);
    m1->RenvoiDebut = true;
    m2->RenvoiFin = 2;
    m3->Repetition = 2;
    m3->ChangerSignature(3, 4);

    // Guitar, measure 1: every beat effect in turn, on eighth notes with frets and effects.
    cMesurePiste *mp = p.MesurePisteDe(1, 1);
    cAccord *a = mp->PremierAccord;
    const auto effet = [](cAccord &x, int k) {
        cEffets_Accord &e = x.EffetsCrees();
        switch (k) {
        case 0: e.Vibrato = true; break;
        case 1: e.TremoloBar = true; break;
        case 2: e.CoupVibrato = 250; break;
        case 3: e.HarmoniqueNaturelle = true; break;
        case 4: e.HarmoniqueArtificielle = true; break;
        case 5: e.FadeIn = true; break;
        case 6: e.Frappe = 1; break;
        case 7: e.Frappe = 2; break;
        }
    };
    for (int k = 0; k < 8; ++k) {
        if (k > 0)
            a = mp->InsererAccordApres(a);
        a->CodeDuree = 1;
        a->Etat = 1;
        a->Notes[1 + k % 6]->Type = 1;
        a->Notes[1 + k % 6]->Case = static_cast<uint8_t>(k + 10);
        a->Notes[1 + k % 6]->Nuance = static_cast<uint8_t>(1 + k % 8);
        effet(*a, k);
    }
    a = mp->PremierAccord;
    a->Notes[1]->EffetsCrees().Slide = true;
    a->Suivant->Notes[2]->EffetsCrees().LetRing = true;
    auto *bend = new cEffet_Bend;
    bend->Type = 1;
    bend->Valeur = 75;
    a->Suivant->Suivant->Notes[3]->EffetsCrees().Bend = bend;
    // Guitar, measure 2: a quintuplet, a rest, a dead note with a grace note, a brush down,
    // a mix change, a text and a diagram, then a beat of only tied notes.
    mp = p.MesurePisteDe(2, 1);
    a = mp->PremierAccord;
    a->Etat = 1;
    a->CodeDuree = 2;
    a->Triolet = 5;
    a->Notes[6]->Type = 3;
    auto *g = new cEffet_Appogiature;
    g->Case = 4;
    g->Nuance = 3;
    g->Duree = 3;
    g->Transition = 2; // lost
    a->Notes[6]->EffetsCrees().Appogiature = g;
    a = mp->InsererAccordApres(a);
    a->Etat = 2;
    a->CodeDuree = 0;
    a->Pointe = true;
    a->Triolet = 1;
    a = mp->InsererAccordApres(a);
    a->Etat = 1;
    a->CodeDuree = 1;
    a->Triolet = 3;
    a->Notes[5]->Type = 1;
    a->Notes[5]->Case = 3;
    a->EffetsCrees().BrushDown = 4;
    a->TableMix = new cTableMixEvent;
    a->TableMix->Volume = 10;
    a->TableMix->TransVolume = 2;
    a->TableMix->Tempo = 140;
    a->TableMix->Phaser = 3; // lost
    a->Texte = new cTexte;
    a->Texte->Texte = "text on a beat";
    a->Diagramme = new cDiagramme;
    a->Diagramme->ChangerNom("C");
    a->Diagramme->Fondamentale = 0;
    a->Diagramme->Omis[1] = false;
    for (int s = 0; s < 6; ++s)
        a->Diagramme->Cases[s] = std::array<int, 6>{0, 1, 0, 2, 3, -1}[s];
    a = mp->InsererAccordApres(a);
    a->Etat = 1;
    a->CodeDuree = 1;
    a->Triolet = 3;
    a->Notes[5]->Type = 2;
    auto *bend2 = new cEffet_Bend;
    bend2->Type = 2;
    bend2->Valeur = 100;
    a = mp->InsererAccordApres(a);
    a->Etat = 1;
    a->CodeDuree = 1;
    a->Triolet = 3;
    a->Notes[4]->Type = 1;
    a->Notes[4]->Case = 9;
    a->Notes[4]->EffetsCrees().Bend = bend2;
    // The bass, the 7-string and the drums get a note each in measure 3.
    for (int t : {2, 3, 4}) {
        cAccord &x = *p.MesurePisteDe(3, t)->PremierAccord;
        x.Etat = 1;
        x.CodeDuree = -1;
        x.Notes[1]->Type = 1;
        x.Notes[1]->Case = static_cast<uint8_t>(30 + t);
    }
    for (cPiste *t = p.PremierePiste; t; t = t->Suivante)
        for (cMesurePiste *m = t->PremiereMesurePiste; m; m = m->SuivanteDansPiste) {
            for (cAccord *x = m->PremierAccord; x; x = x->Suivant) {
                x->CalculerDuree();
                x->PropagerDuree();
            }
            m->CalculerDuree();
        }
    cDiagramme d;
    d.ChangerNom("Print me");
    d.PremiereCase = 5;
    for (int s = 0; s < 6; ++s)
        d.Cases[s] = 5 + (s % 2);
    liste.Ajouter(d.Donnees());
}

TEST(FichierAncien, ExportThenOpenKeepsWhatVersion221Holds)
{
    cPartition p;
    cListeAccordsImpression liste;
    ConstruireRiche(p, liste);
    ASSERT_TRUE(ScoreCoherent(p));
    std::string avant = Ecrire(p, liste);
    std::string octets;
    EcrireAncienFormatMemoire(p, liste, "Drums", octets);
    EXPECT_EQ(Ecrire(p, liste), avant) << "the export leaves the score as it was";
    EXPECT_EQ(p.NbPistes, 4);

    auto r = LireAncien(octets);
    ASSERT_TRUE(r->ok) << r->cle;
    const cPartition &q = r->p;
    EXPECT_TRUE(ScoreCoherent(q));
    EXPECT_EQ(q.Informations->Titre, "Round trip");
    EXPECT_EQ(q.Informations->Auteur, "Someone");
    EXPECT_EQ(q.Informations->Instructions, "Swing");
    EXPECT_TRUE(q.Informations->TripletFeel);
    EXPECT_EQ(q.Tempo, 132);
    EXPECT_EQ(q.Tonalite, -3);
    // The 7-string track is skipped: guitar, bass, drums.
    ASSERT_EQ(q.NbPistes, 3);
    const cPiste &g = *q.PisteNumero(1), &b = *q.PisteNumero(2), &k = *q.PisteNumero(3);
    EXPECT_EQ(g.Nom, "Guitar");
    EXPECT_EQ(g.Capo, 3);
    EXPECT_EQ(g.NbFrets, 21);
    EXPECT_TRUE(g.DouzeCordes);
    EXPECT_EQ(b.Nom, "Bass");
    EXPECT_EQ(b.NbCordes, 4);
    EXPECT_EQ(b.AccordageCorde(4), 28);
    EXPECT_TRUE(k.Percussions);
    EXPECT_EQ(k.Nom, "Kit");
    EXPECT_EQ(q.Canaux[1][1].Instrument, 27);
    EXPECT_EQ(q.Canaux[1][1].Volume, 16);
    EXPECT_EQ(q.Canaux[1][1].Balance, 3);
    EXPECT_EQ(q.Canaux[1][1].Chorus, 5);
    EXPECT_EQ(q.Canaux[1][1].Reverb, 9);
    EXPECT_EQ(q.Canaux[1][3].Instrument, 34) << "the bass's program on its new channel";
    EXPECT_TRUE(q.MesureNumero(1)->RenvoiDebut);
    EXPECT_EQ(q.MesureNumero(2)->RenvoiFin, 2);
    EXPECT_EQ(q.MesureNumero(3)->Repetition, 2);
    EXPECT_EQ(q.MesureNumero(3)->Numerateur, 3);

    // Every beat effect comes back as it was.
    const cMesurePiste &m1 = *q.MesurePisteDe(1, 1);
    ASSERT_EQ(m1.NbAccords, 8);
    const cAccord *a = m1.PremierAccord;
    EXPECT_TRUE(a->Effets->Vibrato);
    EXPECT_TRUE(a->Notes[1]->Effets->Slide);
    a = a->Suivant;
    EXPECT_TRUE(a->Effets->TremoloBar);
    EXPECT_TRUE(a->Notes[2]->Effets->LetRing);
    a = a->Suivant;
    EXPECT_EQ(a->Effets->CoupVibrato, 250);
    ASSERT_TRUE(a->Notes[3]->Effets && a->Notes[3]->Effets->Bend);
    EXPECT_EQ(a->Notes[3]->Effets->Bend->Valeur, 75);
    EXPECT_TRUE((a = a->Suivant)->Effets->HarmoniqueNaturelle);
    EXPECT_TRUE((a = a->Suivant)->Effets->HarmoniqueArtificielle);
    EXPECT_TRUE((a = a->Suivant)->Effets->FadeIn);
    EXPECT_EQ((a = a->Suivant)->Effets->Frappe, 1);
    EXPECT_EQ((a = a->Suivant)->Effets->Frappe, 2);
    const cMesurePiste &o1 = *p.MesurePisteDe(1, 1);
    for (const cAccord *x = m1.PremierAccord, *y = o1.PremierAccord; x && y;
         x = x->Suivant, y = y->Suivant)
        for (int s = 1; s <= 6; ++s) {
            EXPECT_EQ(x->Notes[s]->Type, y->Notes[s]->Type);
            EXPECT_EQ(x->Notes[s]->Case, y->Notes[s]->Case);
            EXPECT_EQ(x->Notes[s]->Nuance, y->Notes[s]->Nuance);
        }

    const cMesurePiste &m2 = *q.MesurePisteDe(2, 1);
    ASSERT_EQ(m2.NbAccords, 5);
    a = m2.PremierAccord;
    EXPECT_EQ(a->Triolet, 1) << "a quintuplet keeps its plain duration";
    EXPECT_EQ(a->CodeDuree, 2);
    EXPECT_EQ(a->Notes[6]->Type, 3);
    ASSERT_TRUE(a->Notes[6]->Effets && a->Notes[6]->Effets->Appogiature);
    EXPECT_EQ(a->Notes[6]->Effets->Appogiature->Case, 4);
    EXPECT_EQ(a->Notes[6]->Effets->Appogiature->Duree, 3);
    EXPECT_EQ(a->Notes[6]->Effets->Appogiature->Transition, 0);
    a = a->Suivant;
    EXPECT_EQ(a->Etat, 2);
    EXPECT_TRUE(a->Pointe);
    a = a->Suivant;
    EXPECT_EQ(a->Triolet, 3);
    EXPECT_EQ(a->Effets->BrushDown, 4);
    ASSERT_TRUE(a->TableMix);
    EXPECT_EQ(a->TableMix->Volume, 10);
    EXPECT_EQ(a->TableMix->TransVolume, 2);
    EXPECT_EQ(a->TableMix->Tempo, 140);
    EXPECT_EQ(a->TableMix->Phaser, -1);
    EXPECT_EQ(a->Texte->Texte, "text on a beat");
    ASSERT_TRUE(a->Diagramme);
    EXPECT_EQ(a->Diagramme->NomTexte(), "C");
    EXPECT_EQ(a->Diagramme->Fondamentale, 0);
    EXPECT_FALSE(a->Diagramme->Omis[1]);
    EXPECT_EQ(a->Diagramme->Cases[4], 3);
    a = a->Suivant;
    EXPECT_EQ(a->Notes[5]->Type, 2) << "a beat of tied notes comes back tied";
    a = a->Suivant;
    EXPECT_EQ(a->Notes[4]->Effets->Bend->Type, 2);
    EXPECT_EQ(q.MesurePisteDe(3, 2)->PremierAccord->Notes[1]->Case, 33);
    EXPECT_EQ(q.MesurePisteDe(3, 3)->PremierAccord->Notes[1]->Case, 34);
    // Durations come back, a tuplet other than the triplet as its plain duration.
    for (int m = 1; m <= 3; ++m)
        for (int t = 1; t <= 2; ++t) {
            double attendu = 0;
            for (const cAccord *x = p.MesurePisteDe(m, t == 1 ? 1 : 3)->PremierAccord; x;
                 x = x->Suivant)
                attendu += (x->Triolet == 1 || x->Triolet == 3)
                               ? x->Duree
                               : TicksDuree(x->CodeDuree, x->Pointe, 1, true);
            EXPECT_DOUBLE_EQ(q.MesurePisteDe(m, t)->DureeTotale, attendu) << m << " " << t;
        }
    ASSERT_EQ(r->liste.Nb(), 1);
    EXPECT_EQ(r->liste.Accord(1).PremiereCase, 5);
    // What was read saves as a current file that reads back.
    cPartition z;
    cListeAccordsImpression lz;
    std::string cle;
    EXPECT_TRUE(Lire(Ecrire(q, r->liste), z, lz, cle)) << cle;
    EXPECT_EQ(r->liste.Accord(1).Cases[1], 6);
}

TEST(FichierAncien, ExportCutsMeasuresAt64BeatsAndSaysSoBefore)
{
    cPartition p;
    p.Nouveau();
    cMesurePiste &mp = *p.PremiereMesure->PremiereMesurePiste;
    cAccord *a = mp.PremierAccord;
    for (int i = 1; i <= 70; ++i) {
        if (i > 1)
            a = mp.InsererAccordApres(a);
        a->CodeDuree = 4;
        a->Etat = 1;
        a->Notes[1]->Type = 1;
        a->Notes[1]->Case = static_cast<uint8_t>(i % 20);
        a->CalculerDuree();
        a->PropagerDuree();
    }
    mp.CalculerDuree();
    EXPECT_TRUE(ExportAncienPerdAccords(p));
    std::string octets;
    EcrireAncienFormatMemoire(p, ListeAccordsImpression(), "Drums", octets);
    auto r = LireAncien(octets);
    ASSERT_TRUE(r->ok);
    EXPECT_EQ(r->p.PremiereMesure->PremiereMesurePiste->NbAccords, 64);
    mp.SupprimerAccord(mp.DernierAccord());
    for (int i = 0; i < 5; ++i)
        mp.SupprimerAccord(mp.DernierAccord());
    EXPECT_FALSE(ExportAncienPerdAccords(p)) << "64 beats fit";
}

TEST(FichierAncien, ExportOfAFullScoreTouchesNothing)
{
    cPartition p;
    p.Nouveau();
    while (p.InsererPisteApres(nullptr)) {
    }
    ASSERT_EQ(p.NbPistes, 256);
    const std::string avant = Ecrire(p, ListeAccordsImpression());
    std::string octets;
    EcrireAncienFormatMemoire(p, ListeAccordsImpression(), "Drums", octets);
    EXPECT_EQ(p.NbPistes, 256);
    EXPECT_EQ(Ecrire(p, ListeAccordsImpression()), avant);
    auto r = LireAncien(octets);
    ASSERT_TRUE(r->ok);
}

TEST(FichierAncien, OpeningAPltFileNamesItPl3)
{
    cAncien f = Debut103(221, 1);
    f.Mesure(4, 4, {1, 0, 0, 0, 0, 0, 0, 0});
    f.Accord(0, 0, 0).U8s({0x20, 0, 0}).U8s({3, 6}).I32(0);
    const std::string chemin = testing::TempDir() + "/old song.plt";
    std::ofstream(chemin, std::ios::binary) << f.o;
    cPartition p;
    cListeAccordsImpression liste;
    std::string cle;
    ASSERT_TRUE(OuvrirFichier(p, liste, chemin, cle)) << cle;
    EXPECT_EQ(p.NomFichier, "old song.pl3");
    EXPECT_EQ(p.Chemin, testing::TempDir() + "/old song.pl3");
    std::remove(chemin.c_str());
}

// Seeds for the old reader's fuzzer (scripts/fuzz-seeds-fichier_plt.sh sets the folder): a byte
// that picks the version (its index among 1.00, 1.01, 1.02, 1.03, 1.04, 2.20, 2.21), then the
// file after its header.
TEST(FichierAncien, GrainesDuFuzzer)
{
    const char *dossier = std::getenv("PLEC_GRAINES_FICHIER_PLT");
    if (!dossier)
        GTEST_SKIP() << "PLEC_GRAINES_FICHIER_PLT not set";
    cPartition p;
    cListeAccordsImpression liste;
    ConstruireRiche(p, liste);
    std::string riche;
    EcrireAncienFormatMemoire(p, liste, "Drums", riche);
    cAncien f = Debut103(104, 1);
    f.Mesure(4, 4, {1, 0, 0, 0, 0, 0, 0, 0});
    f.Accord(0, 0x01).Car("t").U8s({0x20, 0}).U8(3).I32(0);
    cAncien g(100);
    g.Entete("Early", 140, true, 5).Accordage({64, 59, 55, 50, 45, 40}).I32(1).I32(30);
    g.Mesure(3, 4, {1}).Accord(0, 0x00).U8s({0x21, 0x00}).U8s({3, 100});
    for (const auto &[nom, version, octets] :
         {std::tuple{"rich-221.seed", 6, riche}, std::tuple{"small-104.seed", 4, f.o},
          std::tuple{"small-100.seed", 0, g.o}}) {
        std::ofstream(std::string(dossier) + "/" + nom, std::ios::binary)
            << static_cast<char>(version) << octets.substr(31);
    }
    SUCCEED();
}

} // namespace
