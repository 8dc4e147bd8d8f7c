#include "support/FichierMidiTest.h"

#include <algorithm>
#include <fstream>

namespace {
void Vlq(tOctets &o, unsigned long v)
{
    uint8_t pile[5];
    int n = 0;
    pile[n++] = v & 0x7F;
    while (v >>= 7)
        pile[n++] = static_cast<uint8_t>((v & 0x7F) | 0x80);
    while (n)
        o.push_back(pile[--n]);
}
} // namespace

cPisteTest &cPisteTest::Evt(long t, uint8_t statut, uint8_t d1, uint8_t d2)
{
    tOctets o = {statut, d1};
    if ((statut & 0xF0) != 0xC0 && (statut & 0xF0) != 0xD0)
        o.push_back(d2);
    Evts.push_back({t, o, static_cast<int>(Evts.size())});
    return *this;
}

cPisteTest &cPisteTest::Programme(long t, int canal, int programme)
{
    return Evt(t, static_cast<uint8_t>(0xC0 + canal - 1), static_cast<uint8_t>(programme), 0);
}

cPisteTest &cPisteTest::Note(long t, int canal, int cle, long duree, int velocite, bool offParNoteOn)
{
    Evt(t, static_cast<uint8_t>(0x90 + canal - 1), static_cast<uint8_t>(cle),
        static_cast<uint8_t>(velocite));
    if (offParNoteOn)
        return Evt(t + duree, static_cast<uint8_t>(0x90 + canal - 1), static_cast<uint8_t>(cle), 0);
    return Evt(t + duree, static_cast<uint8_t>(0x80 + canal - 1), static_cast<uint8_t>(cle), 64);
}

cPisteTest &cPisteTest::Meta(long t, int type, const tOctets &donnees)
{
    tOctets o = {0xFF, static_cast<uint8_t>(type)};
    Vlq(o, donnees.size());
    o.insert(o.end(), donnees.begin(), donnees.end());
    Evts.push_back({t, o, static_cast<int>(Evts.size())});
    return *this;
}

cPisteTest &cPisteTest::Tempo(long t, uint32_t us)
{
    return Meta(t, 81, {uint8_t(us >> 16), uint8_t(us >> 8), uint8_t(us)});
}

cPisteTest &cPisteTest::Signature(long t, int numerateur, int puissance)
{
    return Meta(t, 88, {uint8_t(numerateur), uint8_t(puissance), 24, 8});
}

tOctets cPisteTest::Octets(bool statutCourant) const
{
    std::vector<rE> v = Evts;
    std::stable_sort(v.begin(), v.end(), [](const rE &a, const rE &b) { return a.T < b.T; });
    tOctets o;
    long t = 0;
    int courant = -1;
    for (const rE &e : v) {
        Vlq(o, static_cast<unsigned long>(e.T - t));
        t = e.T;
        if (e.O[0] == 0xFF) {
            courant = -1;
            o.insert(o.end(), e.O.begin(), e.O.end());
        } else if (statutCourant && e.O[0] == courant) {
            o.insert(o.end(), e.O.begin() + 1, e.O.end());
        } else {
            courant = e.O[0];
            o.insert(o.end(), e.O.begin(), e.O.end());
        }
    }
    o.insert(o.end(), {0x00, 0xFF, 0x2F, 0x00});
    return o;
}

tOctets FichierTest(int format, int resolution, const std::vector<cPisteTest> &pistes,
                    bool statutCourant)
{
    const auto n = static_cast<int>(pistes.size());
    tOctets o = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, uint8_t(format), uint8_t(n >> 8), uint8_t(n),
                 uint8_t(resolution >> 8), uint8_t(resolution)};
    for (const cPisteTest &p : pistes) {
        const tOctets c = p.Octets(statutCourant);
        const auto lg = static_cast<uint32_t>(c.size());
        o.insert(o.end(), {'M', 'T', 'r', 'k', uint8_t(lg >> 24), uint8_t(lg >> 16),
                           uint8_t(lg >> 8), uint8_t(lg)});
        o.insert(o.end(), c.begin(), c.end());
    }
    return o;
}

bool EcrireFichierTest(const std::string &chemin, const tOctets &o)
{
    std::ofstream f(chemin, std::ios::binary);
    f.write(reinterpret_cast<const char *>(o.data()), static_cast<std::streamsize>(o.size()));
    return static_cast<bool>(f);
}
