// Shared helpers of the file tests: writing to bytes, reading from bytes, the small pieces of
// a hand-built file, and the check that a failed read left a new score.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "chords/uListeAccordsImpression.h"
#include "fileio/Octets.h"
#include "fileio/uFichierPLT.h"
#include "model/uPartition.h"

inline std::string Ecrire(const cPartition &p, const cListeAccordsImpression &liste)
{
    std::string s;
    EcrireFichierMemoire(p, liste, s);
    return s;
}

inline bool Lire(const std::string &s, cPartition &p, cListeAccordsImpression &liste,
                 std::string &cle)
{
    return LireFichierMemoire(reinterpret_cast<const uint8_t *>(s.data()), s.size(), p, liste,
                              cle);
}

// Where the measure headers start in a file whose header texts are empty and without notice.
constexpr std::size_t DebutMesures = 31 + 8 * 5 + 4 + 1 + 4 + 4 + 768 + 4 + 4;

// A new score, as a failed read must leave it.
inline ::testing::AssertionResult EstNouvelle(const cPartition &p,
                                              const cListeAccordsImpression &liste)
{
    if (p.NbMesures != 1 || p.NbPistes != 1 || !p.Chemin.empty() || !p.NomFichier.empty() ||
        !p.Informations->Titre.empty() || p.Tempo != 120 || liste.Nb() != 0 ||
        p.PremiereMesure->PremiereMesurePiste->NbAccords != 1 ||
        p.PremiereMesure->PremiereMesurePiste->PremierAccord->Etat != 0 || !p.Vierge)
        return ::testing::AssertionFailure() << "not a new untitled score: " << p.NbMesures
                                             << " measures, " << p.NbPistes << " tracks, path '"
                                             << p.Chemin << "'";
    return ::testing::AssertionSuccess();
}

// The pieces of a hand-built file; the defaults form a valid one-measure, one-track file.
struct rMorceaux {
    std::string Infos;
    int32_t NbMesures = 1;
    int32_t NbPistes = 1;
    std::string Mesures = std::string("\x03\x04\x04", 3);
    std::string Pistes;
    std::string MesuresPistes;
    std::string Fin;

    rMorceaux()
    {
        cOctets i;
        for (int k = 0; k < 8; ++k)
            i.Texte("");
        i.I32(0).U8(0).I32(120).I32(0);
        for (int port = 1; port <= 4; ++port)
            for (int c = 1; c <= 16; ++c)
                i.I32(c == 10 ? -1 : 24).U8s({13, 8, 0, 0, 0, 0, 0, 0});
        Infos = i.o;
        Pistes = Piste(6, 0, "Track 1", 1, 2);
        MesuresPistes = cOctets().I32(1).U8s({0x40, 0, 0, 0}).o;
        Fin = cOctets().I32(0).o;
    }

    static std::string Piste(int cordes, int drapeaux = 0, const std::string &nom = "T",
                             int canal = 1, int canalEffets = 2)
    {
        cOctets t;
        t.U8(drapeaux).Fixe(nom, 40).I32(cordes);
        for (int v : {64, 59, 55, 50, 45, 40, -1})
            t.I32(v);
        t.I32(1).I32(canal).I32(canalEffets).I32(24).I32(0).I32(255);
        return t.o;
    }

    std::string Assembler() const
    {
        cOctets f;
        f.U8(24).Brut("FICHIER PLECTORIUM v3.00").Brut(std::string(6, '\0'));
        f.Brut(Infos).I32(NbMesures).I32(NbPistes).Brut(Mesures).Brut(Pistes);
        f.Brut(MesuresPistes).Brut(Fin);
        return f.o;
    }
};
