// Damaged and foreign files: every refusal leaves a new untitled score and never crashes.
#include <functional>
#include <random>

#include "fileio/PartitionComplete.h"
#include "fileio/Outils.h"
#include "support/Invariants.h"

namespace {

struct rCasEntete {
    std::string Magique;
    int Version;
    const char *Cle; // null: read
};

TEST(FichierDommages, DetectionDeVersion)
{
    const rCasEntete cas[] = {
        {"FICHIER PLECTORIALE v1", 100, "Fichier-VersionAncienne"},
        {"FICHIER PLECTORIALE v1.01", 101, "Fichier-VersionAncienne"},
        {"FICHIER PLECTORIALE v1.02", 102, "Fichier-VersionAncienne"},
        {"FICHIER PLECTORIALE v1.03", 103, "Fichier-VersionAncienne"},
        {"FICHIER PLECTORIALE v1.04", 104, "Fichier-VersionAncienne"},
        {"FICHIER PLECTORIUM v2.20", 220, "Fichier-VersionAncienne"},
        {"FICHIER PLECTORIUM v2.21", 221, "Fichier-VersionAncienne"},
        {"FICHIER PLECTORIUM v3.00", 300, nullptr},
        // An unknown version of the first generation.
        {"FICHIER PLECTORIALE v1.9", 0, "Fichier-VersionAncienne"},
        {"FICHIER PLECTORIUM v3.01", 0, "Fichier-Incorrect"},
        {"FICHIER PLECTORIUM v3.0", 0, "Fichier-Incorrect"},
        {"RIFF", 0, "Fichier-Incorrect"},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.Magique);
        rMorceaux m;
        std::string f = m.Assembler();
        f.replace(0, 31, std::string(1, static_cast<char>(c.Magique.size())) + c.Magique +
                             std::string(30 - c.Magique.size(), ' '));
        EXPECT_EQ(VersionEntete(reinterpret_cast<const uint8_t *>(f.data()), f.size()),
                  c.Version);
        cPartition p;
        cListeAccordsImpression liste;
        std::string cle;
        EXPECT_EQ(Lire(f, p, liste, cle), c.Cle == nullptr);
        if (c.Cle) {
            EXPECT_EQ(cle, c.Cle);
            EXPECT_TRUE(EstNouvelle(p, liste));
        }
    }
    // The length byte counts: the right characters with a wrong length are no match.
    std::string f = rMorceaux().Assembler();
    f[0] = 23;
    EXPECT_EQ(VersionEntete(reinterpret_cast<const uint8_t *>(f.data()), f.size()), 0);
    EXPECT_EQ(VersionEntete(reinterpret_cast<const uint8_t *>(f.data()), 30), 0);
}

struct rCasIncorrect {
    const char *Nom;
    std::function<void(rMorceaux &)> Abimer;
};

std::string Beat(std::initializer_list<int> octets)
{
    return cOctets().I32(1).U8s(octets).o;
}

std::vector<rCasIncorrect> CasIncorrects()
{
    std::vector<rCasIncorrect> cas = {
        {"no measure", [](rMorceaux &m) { m.NbMesures = 0; }},
        {"1025 measures", [](rMorceaux &m) { m.NbMesures = 1025; }},
        {"no track", [](rMorceaux &m) { m.NbPistes = 0; }},
        {"257 tracks", [](rMorceaux &m) { m.NbPistes = 257; }},
        {"more measures than records", [](rMorceaux &m) { m.NbMesures = 2; }},
        {"more tracks than records", [](rMorceaux &m) { m.NbPistes = 2; }},
        {"beat count 0", [](rMorceaux &m) { m.MesuresPistes = cOctets().I32(0).o; }},
        {"beat count 129",
         [](rMorceaux &m) {
             cOctets o;
             o.I32(129);
             for (int k = 0; k < 129; ++k)
                 o.U8s({0x40, 0, 0, 0});
             m.MesuresPistes = o.o;
         }},
        {"51 print chords",
         [](rMorceaux &m) {
             cOctets o;
             o.I32(51);
             for (int k = 0; k < 51; ++k)
                 o.U8(0).Texte("").I32(0);
             m.Fin = o.o;
         }},
        {"negative print chord count", [](rMorceaux &m) { m.Fin = cOctets().I32(-1).o; }},
        {"print chord list cut short", [](rMorceaux &m) { m.Fin = cOctets().I32(2).o; }},
        {"title of 256 characters",
         [](rMorceaux &m) {
             m.Infos = cOctets().Texte(std::string(256, 'a')).o + m.Infos.substr(5);
         }},
        {"text length byte disagrees with its count",
         [](rMorceaux &m) { m.Infos = cOctets().I32(3).U8(1).Brut("ab").o + m.Infos.substr(5); }},
        {"counted text of length 0", [](rMorceaux &m) { m.Infos.replace(0, 4, "\0\0\0\0", 4); }},
        {"huge notice line count",
         [](rMorceaux &m) { m.Infos.replace(40, 4, cOctets().I32(0x7FFFFFFF).o); }},
        {"negative notice line count",
         [](rMorceaux &m) { m.Infos.replace(40, 4, cOctets().I32(-1).o); }},
        {"key 8", [](rMorceaux &m) { m.Infos.replace(49, 4, cOctets().I32(8).o); }},
        {"marker name of 101 characters",
         [](rMorceaux &m) {
             m.Mesures = cOctets().U8s({0x23, 4, 4}).Texte(std::string(101, 'm')).I32(0).o;
         }},
        {"unknown measure flag", [](rMorceaux &m) { m.Mesures[0] = 0x43; }},
        {"numerator 0", [](rMorceaux &m) { m.Mesures[1] = 0; }},
        {"repeat count above 127",
         [](rMorceaux &m) { m.Mesures = cOctets().U8s({0x0B, 4, 4, 200}).o; }},
        {"track name of 41 characters", [](rMorceaux &m) { m.Pistes[1] = 41; }},
        {"unknown track flag", [](rMorceaux &m) { m.Pistes[0] = 0x08; }},
        {"0 strings", [](rMorceaux &m) { m.Pistes = rMorceaux::Piste(0); }},
        {"8 strings", [](rMorceaux &m) { m.Pistes = rMorceaux::Piste(8); }},
        {"channel 17", [](rMorceaux &m) { m.Pistes = rMorceaux::Piste(6, 0, "T", 17, 2); }},
        {"string 7 on a six-string track",
         [](rMorceaux &m) { m.MesuresPistes = Beat({0, 0, 0x01, 0x20, 1, 0}); }},
        {"string bit 7", [](rMorceaux &m) { m.MesuresPistes = Beat({0, 0, 0x80}); }},
        {"beat duration code 5", [](rMorceaux &m) { m.MesuresPistes = Beat({0, 5, 0}); }},
        {"beat duration code -3",
         [](rMorceaux &m) { m.MesuresPistes = Beat({0, 0xFD, 0}); }},
        {"note duration code 5",
         [](rMorceaux &m) { m.MesuresPistes = Beat({0, 0, 0x40, 0x21, 1, 5, 1, 0}); }},
        {"note type 4",
         [](rMorceaux &m) { m.MesuresPistes = Beat({0, 0, 0x40, 0x20, 4, 0}); }},
        {"beat state 3", [](rMorceaux &m) { m.MesuresPistes = Beat({0x40, 3, 0, 0}); }},
        {"unknown beat flag", [](rMorceaux &m) { m.MesuresPistes = Beat({0x80, 0, 0}); }},
        {"unknown note flag",
         [](rMorceaux &m) { m.MesuresPistes = Beat({0, 0, 0x40, 0x60, 1, 0}); }},
        {"unknown note effect flag",
         [](rMorceaux &m) { m.MesuresPistes = Beat({0, 0, 0x40, 0x28, 1, 0, 0x20}); }},
        {"unknown beat effect flag",
         [](rMorceaux &m) { m.MesuresPistes = Beat({0x08, 0, 0x80, 0}); }},
        {"beat text of 51 characters",
         [](rMorceaux &m) {
             m.MesuresPistes =
                 cOctets().I32(1).U8s({0x44, 2, 0}).Texte(std::string(51, 't')).U8(0).o;
         }},
        {"chord name of 21 characters",
         [](rMorceaux &m) {
             m.MesuresPistes =
                 cOctets().I32(1).U8s({0x42, 2, 0, 0}).Texte(std::string(21, 'c')).I32(0).U8(0).o;
         }},
        {"chord form 2",
         [](rMorceaux &m) { m.MesuresPistes = Beat({0x42, 2, 0, 2}); }},
        {"long chord with name length 21",
         [](rMorceaux &m) {
             std::string d(124, '\0');
             d[4] = 12;
             d[25] = 21;
             m.MesuresPistes = cOctets().I32(1).U8s({0x42, 2, 0, 1}).Brut(d).U8(0).o;
         }},
        {"long chord with 3 barres",
         [](rMorceaux &m) {
             std::string d(124, '\0');
             d[4] = 12;
             d[88] = 3;
             m.MesuresPistes = cOctets().I32(1).U8s({0x42, 2, 0, 1}).Brut(d).U8(0).o;
         }},
        {"long chord with root 13",
         [](rMorceaux &m) {
             std::string d(124, '\0');
             d[4] = 13;
             m.MesuresPistes = cOctets().I32(1).U8s({0x42, 2, 0, 1}).Brut(d).U8(0).o;
         }},
        {"bend point count beyond the file",
         [](rMorceaux &m) {
             m.MesuresPistes = cOctets()
                                   .I32(1)
                                   .U8s({0, 0, 0x40, 0x28, 1, 0, 0x01, 1})
                                   .I32(100)
                                   .I32(1000000)
                                   .o;
         }},
        {"negative bend point count",
         [](rMorceaux &m) {
             m.MesuresPistes =
                 cOctets().I32(1).U8s({0, 0, 0x40, 0x28, 1, 0, 0x01, 1}).I32(100).I32(-1).o;
         }},
        // Values the model has no meaning for.
        {"numerator 33", [](rMorceaux &m) { m.Mesures = cOctets().U8s({0x03, 33, 4}).o; }},
        {"denominator 3", [](rMorceaux &m) { m.Mesures = cOctets().U8s({0x03, 4, 3}).o; }},
        {"denominator 64", [](rMorceaux &m) { m.Mesures = cOctets().U8s({0x03, 4, 64}).o; }},
        {"repeat close of 0 repeats", [](rMorceaux &m) { m.Mesures = cOctets().U8s({0x0B, 4, 4, 0}).o; }},
        {"100 repeats", [](rMorceaux &m) { m.Mesures = cOctets().U8s({0x0B, 4, 4, 100}).o; }},
        {"ending 0", [](rMorceaux &m) { m.Mesures = cOctets().U8s({0x13, 4, 4, 0}).o; }},
        {"ending 100", [](rMorceaux &m) { m.Mesures = cOctets().U8s({0x13, 4, 4, 100}).o; }},
        {"tempo 0", [](rMorceaux &m) { m.Infos.replace(45, 4, cOctets().I32(0).o); }},
        {"channel table instrument 128",
         [](rMorceaux &m) { m.Infos.replace(53, 4, cOctets().I32(128).o); }},
        {"channel table instrument -2",
         [](rMorceaux &m) { m.Infos.replace(53, 4, cOctets().I32(-2).o); }},
        {"channel table volume 17", [](rMorceaux &m) { m.Infos[57] = 17; }},
        {"channel table tremolo 255", [](rMorceaux &m) { m.Infos[62] = char(255); }},
        {"tuning 128", [](rMorceaux &m) { m.Pistes.replace(46, 4, cOctets().I32(128).o); }},
        {"tuning -2", [](rMorceaux &m) { m.Pistes.replace(46, 4, cOctets().I32(-2).o); }},
        {"port 0", [](rMorceaux &m) { m.Pistes.replace(74, 4, cOctets().I32(0).o); }},
        {"port 5", [](rMorceaux &m) { m.Pistes.replace(74, 4, cOctets().I32(5).o); }},
        {"negative effects channel",
         [](rMorceaux &m) { m.Pistes.replace(82, 4, cOctets().I32(-1).o); }},
        {"no fret", [](rMorceaux &m) { m.Pistes.replace(86, 4, cOctets().I32(0).o); }},
        {"capo 100", [](rMorceaux &m) { m.Pistes.replace(90, 4, cOctets().I32(100).o); }},
        {"fret 100", [](rMorceaux &m) { m.MesuresPistes = Beat({0, 0, 0x40, 0x20, 1, 100}); }},
        {"dead note fret 254",
         [](rMorceaux &m) { m.MesuresPistes = Beat({0, 0, 0x40, 0x20, 3, 254}); }},
        {"dynamic 0", [](rMorceaux &m) { m.MesuresPistes = Beat({0, 0, 0x40, 0x30, 1, 0, 5}); }},
        {"dynamic 9", [](rMorceaux &m) { m.MesuresPistes = Beat({0, 0, 0x40, 0x30, 1, 9, 5}); }},
        {"note tuplet 4",
         [](rMorceaux &m) { m.MesuresPistes = Beat({0, 0, 0x40, 0x21, 1, 0, 4, 0}); }},
        {"beat tuplet 2",
         [](rMorceaux &m) { m.MesuresPistes = cOctets().I32(1).U8s({0x20, 0}).I32(2).U8(0).o; }},
        {"tapping, slap, pop: 4",
         [](rMorceaux &m) { m.MesuresPistes = cOctets().I32(1).U8s({0x08, 0, 0x20, 4}).I32(0).U8(0).o; }},
        {"stroke of vibrato 6.01",
         [](rMorceaux &m) { m.MesuresPistes = cOctets().I32(1).U8s({0x08, 0, 0x20, 0}).I32(601).U8(0).o; }},
        {"brush 7",
         [](rMorceaux &m) { m.MesuresPistes = cOctets().I32(1).U8s({0x08, 0, 0x40, 7, 0, 0}).o; }},
        {"mix change volume 17",
         [](rMorceaux &m) {
             m.MesuresPistes = cOctets()
                                   .I32(1)
                                   .U8s({0x10, 0, 0xFF, 17, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})
                                   .I32(-1)
                                   .U8s({0, 0})
                                   .o;
         }},
        {"mix change instrument -2",
         [](rMorceaux &m) {
             m.MesuresPistes = cOctets()
                                   .I32(1)
                                   .U8s({0x10, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})
                                   .I32(-1)
                                   .U8(0)
                                   .o;
         }},
        {"mix change tempo -2",
         [](rMorceaux &m) {
             m.MesuresPistes = cOctets()
                                   .I32(1)
                                   .U8s({0x10, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})
                                   .I32(-2)
                                   .U8(0)
                                   .o;
         }},
        {"grace note fret 100",
         [](rMorceaux &m) { m.MesuresPistes = Beat({0, 0, 0x40, 0x28, 1, 0, 0x10, 100, 6, 0, 2}); }},
        {"grace note dynamic 0",
         [](rMorceaux &m) { m.MesuresPistes = Beat({0, 0, 0x40, 0x28, 1, 0, 0x10, 3, 0, 0, 2}); }},
        {"grace note transition 4",
         [](rMorceaux &m) { m.MesuresPistes = Beat({0, 0, 0x40, 0x28, 1, 0, 0x10, 3, 6, 4, 2}); }},
        {"grace note duration 0",
         [](rMorceaux &m) { m.MesuresPistes = Beat({0, 0, 0x40, 0x28, 1, 0, 0x10, 3, 6, 0, 0}); }},
        {"grace note duration 4",
         [](rMorceaux &m) { m.MesuresPistes = Beat({0, 0, 0x40, 0x28, 1, 0, 0x10, 3, 6, 0, 4}); }},
        {"long chord with first fret 100",
         [](rMorceaux &m) {
             std::string d(124, '\0');
             d[4] = 12;
             d[60] = 100;
             m.MesuresPistes = cOctets().I32(1).U8s({0x42, 2, 0, 1}).Brut(d).U8(0).o;
         }},
        {"long chord with a barre to string 8",
         [](rMorceaux &m) {
             std::string d(124, '\0');
             d[4] = 12;
             d[88] = 1;
             d[108] = 8;
             m.MesuresPistes = cOctets().I32(1).U8s({0x42, 2, 0, 1}).Brut(d).U8(0).o;
         }},
        {"short chord with fret 100",
         [](rMorceaux &m) {
             m.MesuresPistes = cOctets()
                                   .I32(1)
                                   .U8s({0x42, 2, 0, 0})
                                   .Texte("C")
                                   .I32(1)
                                   .I32(100).I32(-1).I32(-1).I32(-1).I32(-1).I32(-1)
                                   .U8(0)
                                   .o;
         }},
    };
    // Every bend field out of its range, one at a time.
    struct rBend {
        const char *Nom;
        int Type, Valeur, Position, Hauteur, Vibrato;
    };
    for (const rBend &b : {rBend{"bend type 0", 0, 100, 0, 0, 0}, rBend{"bend type 6", 6, 100, 0, 0, 0},
                           rBend{"bend amplitude 301", 1, 301, 0, 0, 0},
                           rBend{"bend point at 61", 1, 100, 61, 0, 0},
                           rBend{"bend point at -1", 1, 100, -1, 0, 0},
                           rBend{"bend point 301 high", 1, 100, 30, 301, 0},
                           rBend{"bend vibrato 4", 1, 100, 30, 100, 4}})
        cas.push_back({b.Nom, [b](rMorceaux &m) {
                           m.MesuresPistes = cOctets()
                                                 .I32(1)
                                                 .U8s({0, 0, 0x40, 0x28, 1, 0, 0x01, b.Type})
                                                 .I32(b.Valeur)
                                                 .I32(1)
                                                 .I32(b.Position)
                                                 .I32(b.Hauteur)
                                                 .U8(b.Vibrato)
                                                 .o;
                       }});
    return cas;
}

TEST(FichierDommages, ValeursHorsLimitesRefusees)
{
    // The base file itself reads, so each case fails for its own reason.
    {
        cPartition p;
        cListeAccordsImpression liste;
        std::string cle;
        ASSERT_TRUE(Lire(rMorceaux().Assembler(), p, liste, cle)) << cle;
    }
    for (const auto &c : CasIncorrects()) {
        SCOPED_TRACE(c.Nom);
        rMorceaux m;
        c.Abimer(m);
        cPartition p;
        cListeAccordsImpression liste;
        cDiagramme ancien;
        liste.Ajouter(ancien);
        std::string cle;
        EXPECT_FALSE(Lire(m.Assembler(), p, liste, cle));
        EXPECT_EQ(cle, "Fichier-Incorrect");
        EXPECT_TRUE(EstNouvelle(p, liste));
        EXPECT_TRUE(ScoreCoherent(p));
    }
}

TEST(FichierDommages, ValeursAuxLimitesAcceptees)
{
    const std::vector<rCasIncorrect> cas = {
        {"1024 measures",
         [](rMorceaux &m) {
             m.NbMesures = 1024;
             m.Mesures += std::string(1023, '\0');
             std::string mp = m.MesuresPistes;
             for (int k = 1; k < 1024; ++k)
                 m.MesuresPistes += mp;
         }},
        {"256 tracks",
         [](rMorceaux &m) {
             m.NbPistes = 256;
             std::string t = m.Pistes, mp = m.MesuresPistes;
             for (int k = 1; k < 256; ++k) {
                 m.Pistes += t;
                 m.MesuresPistes += mp;
             }
         }},
        {"128 beats",
         [](rMorceaux &m) {
             cOctets o;
             o.I32(128);
             for (int k = 0; k < 128; ++k)
                 o.U8s({0x40, 2, 4, 0});
             m.MesuresPistes = o.o;
         }},
        {"title of 255 characters",
         [](rMorceaux &m) {
             m.Infos = cOctets().Texte(std::string(255, 'a')).o + m.Infos.substr(5);
         }},
        {"track name of 40 characters, 7 strings",
         [](rMorceaux &m) {
             m.Pistes = rMorceaux::Piste(7, 0, std::string(40, 'n'));
             m.MesuresPistes = Beat({0, 0, 0x01, 0x20, 1, 0});
         }},
        {"one string", [](rMorceaux &m) { m.Pistes = rMorceaux::Piste(1); }},
        {"marker of 100, text of 50, chord name of 20",
         [](rMorceaux &m) {
             m.Mesures = cOctets().U8s({0x23, 4, 4}).Texte(std::string(100, 'm')).I32(0).o;
             m.MesuresPistes = cOctets()
                                   .I32(1)
                                   .U8s({0x46, 2, 0, 0})
                                   .Texte(std::string(20, 'c'))
                                   .I32(0)
                                   .Texte(std::string(50, 't'))
                                   .U8(0)
                                   .o;
         }},
        {"duration codes -2 and 4",
         [](rMorceaux &m) {
             m.MesuresPistes = cOctets().I32(2).U8s({0x40, 2, 0xFE, 0}).U8s({0x40, 2, 4, 0}).o;
         }},
        {"32/1, then 1/32 with 99 repeats and ending 99",
         [](rMorceaux &m) {
             m.NbMesures = 2;
             m.Mesures = cOctets().U8s({0x03, 32, 1}).U8s({0x1B, 1, 32, 99, 99}).o;
             m.MesuresPistes += m.MesuresPistes;
         }},
        {"fret 99 at fff, dead note kept at 255 as older files have it",
         [](rMorceaux &m) {
             m.MesuresPistes = Beat({0, 0, 0x60, 0x30, 1, 8, 99, 0x20, 3, 255});
         }},
        {"instrument -1 and 127, mix values 16, tempo 999",
         [](rMorceaux &m) {
             m.Infos.replace(45, 4, cOctets().I32(999).o);
             m.Infos.replace(53, 4, cOctets().I32(127).o);
             m.Infos.replace(57, 6, std::string(6, '\x10'));
         }},
        {"bend of 300 with a point at 60, 300 high, vibrato 3; grace note dead at fff",
         [](rMorceaux &m) {
             m.MesuresPistes = cOctets()
                                   .I32(1)
                                   .U8s({0, 0, 0x40, 0x28, 1, 0, 0x11, 5})
                                   .I32(300)
                                   .I32(2)
                                   .I32(0).I32(0).U8(3)
                                   .I32(60).I32(300).U8(0)
                                   .U8s({255, 8, 3, 3})
                                   .o;
         }},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.Nom);
        rMorceaux m;
        c.Abimer(m);
        cPartition p;
        cListeAccordsImpression liste;
        std::string cle;
        const std::string f = m.Assembler();
        ASSERT_TRUE(Lire(f, p, liste, cle)) << cle;
        EXPECT_TRUE(ScoreCoherent(p));
        EXPECT_EQ(Ecrire(p, liste), f);
    }
}

class FichierComplet : public ::testing::Test {
protected:
    void SetUp() override
    {
        cPartition p;
        cListeAccordsImpression liste;
        ConstruirePartitionComplete(p, liste);
        Fichier = Ecrire(p, liste);
        cListeAccordsImpression vide;
        FinMesuresPistes = Ecrire(p, vide).size() - 4;
    }
    std::string Fichier;
    std::size_t FinMesuresPistes = 0;
};

TEST_F(FichierComplet, TroncatureAChaqueOctet)
{
    cPartition p;
    cListeAccordsImpression liste;
    for (std::size_t n = 0; n < Fichier.size(); ++n) {
        std::string cle;
        const bool lu = Lire(Fichier.substr(0, n), p, liste, cle);
        if (n == FinMesuresPistes) {
            // The print chord list is optional.
            EXPECT_TRUE(lu) << cle;
            EXPECT_EQ(liste.Nb(), 0);
            continue;
        }
        ASSERT_FALSE(lu) << "cut at " << n;
        ASSERT_TRUE(cle == "Fichier-Incorrect") << "cut at " << n << ": " << cle;
        ASSERT_TRUE(EstNouvelle(p, liste)) << "cut at " << n;
    }
}

TEST_F(FichierComplet, OctetsModifiesAuHasard)
{
    std::mt19937 alea(20261209);
    int refus = 0, lus = 0;
    for (int essai = 0; essai < 3000; ++essai) {
        std::string f = Fichier;
        const int nb = 1 + static_cast<int>(alea() % 4);
        for (int k = 0; k < nb; ++k) {
            const std::size_t i = alea() % f.size();
            f[i] = static_cast<char>(alea() % 3 == 0 ? f[i] ^ (1 << (alea() % 8)) : alea());
        }
        cPartition p;
        cListeAccordsImpression liste;
        std::string cle;
        if (!Lire(f, p, liste, cle)) {
            ++refus;
            ASSERT_TRUE(EstNouvelle(p, liste)) << "try " << essai;
            continue;
        }
        ++lus;
        ASSERT_TRUE(ScoreCoherent(p)) << "try " << essai;
        // Whatever was accepted writes and reads back to the same bytes.
        const std::string une = Ecrire(p, liste);
        cPartition q;
        cListeAccordsImpression l2;
        ASSERT_TRUE(Lire(une, q, l2, cle)) << "try " << essai << ": " << cle;
        ASSERT_EQ(Ecrire(q, l2), une) << "try " << essai;
    }
    EXPECT_GT(refus, 0);
    EXPECT_GT(lus, 0);
}

} // namespace
