// Standard MIDI Files built byte by byte for the import tests: any format, resolution, running
// status or not, meta events where a test wants them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using tOctets = std::vector<uint8_t>;

class cPisteTest {
public:
    // Events at absolute times in file ticks; equal times keep the order they were added in.
    cPisteTest &Evt(long t, uint8_t statut, uint8_t d1, uint8_t d2);
    cPisteTest &Programme(long t, int canal, int programme);
    // A note on and its note off (velocity-0 note on when `offParNoteOn`).
    cPisteTest &Note(long t, int canal, int cle, long duree, int velocite = 100,
                     bool offParNoteOn = false);
    cPisteTest &Meta(long t, int type, const tOctets &donnees);
    cPisteTest &Nom(const std::string &texte) { return Meta(0, 3, tOctets(texte.begin(), texte.end())); }
    cPisteTest &Tempo(long t, uint32_t microSecondes);
    cPisteTest &Signature(long t, int numerateur, int puissance);

    // The chunk's contents, with running status when asked.
    tOctets Octets(bool statutCourant) const;

private:
    struct rE {
        long T;
        tOctets O; // status and data, or 0xFF type length data
        int Ordre;
    };
    std::vector<rE> Evts;
};

tOctets FichierTest(int format, int resolution, const std::vector<cPisteTest> &pistes,
                    bool statutCourant = false);
bool EcrireFichierTest(const std::string &chemin, const tOctets &o);
