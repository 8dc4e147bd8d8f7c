// Standard MIDI File codec. Reading parses and checks the whole file at open time, so a damaged
// file is refused before anyone reads from it and no later call can leave the buffer. Writing
// collects every track in memory and replaces the target only once the file is complete.
#include "midifile/uSMF.h"
#include "fileio/uEcritureSure.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <map>
#include <memory>
#include <vector>

namespace {

constexpr std::size_t TailleMaxLue = 64u << 20; // larger files are no scores worth importing
constexpr int PistesMaxEcrites = 65535;         // the header holds a 16-bit count
constexpr uint32_t DeltaMax = 0x0FFFFFFF;       // four bytes of variable-length quantity

struct rEvtLu {
    int64_t Temps;
    uint8_t Statut, Donnee1, Donnee2;
};

struct rMetaLu {
    int64_t Temps;
    uint8_t Type;
    std::size_t Debut; // offset of the data in the file's bytes
    uint32_t Longueur;
};

struct rPisteLue {
    std::vector<rEvtLu> Evts;
    std::vector<rMetaLu> Metas;
    std::size_t Pos = 0;
    int64_t TempsPrecedent = 0;
    std::map<int, std::size_t> PosMeta; // next meta index to look at, per type
};

struct rPisteEcrite {
    std::vector<uint8_t> Octets;
    uint8_t StatutCourant = 0; // running status; 0 after a meta event
};

uint32_t Lire32(const uint8_t *p)
{
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}
uint16_t Lire16(const uint8_t *p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }

// A variable-length quantity of at most four bytes, never read past `fin`.
bool LireVLQ(const uint8_t *d, std::size_t &p, std::size_t fin, uint32_t &v)
{
    v = 0;
    for (int i = 0; i < 4; ++i) {
        if (p >= fin)
            return false;
        const uint8_t b = d[p++];
        v = (v << 7) | (b & 0x7F);
        if (!(b & 0x80))
            return true;
    }
    return false;
}

void EcrireVLQ(std::vector<uint8_t> &o, uint32_t v)
{
    if (v > DeltaMax)
        v = DeltaMax;
    uint8_t tampon[4];
    int n = 0;
    tampon[n++] = v & 0x7F;
    while ((v >>= 7) != 0)
        tampon[n++] = static_cast<uint8_t>((v & 0x7F) | 0x80);
    while (n > 0)
        o.push_back(tampon[--n]);
}

int OctetsDonnees(uint8_t statut)
{
    const uint8_t type = statut & 0xF0;
    return (type == 0xC0 || type == 0xD0) ? 1 : 2;
}

} // namespace

class cFichierSMF {
public:
    bool Ecriture = false;
    int Format = 1;
    int Resolution = 480;
    // Reading.
    std::vector<uint8_t> Octets;
    std::vector<rPisteLue> Pistes;
    // Writing.
    std::unique_ptr<cEcritureSure> Sortie;
    std::vector<rPisteEcrite> PistesEcrites;

    // Parses the bytes; returns the message key of a refusal, or null.
    const char *Analyser();

private:
    bool AnalyserPiste(std::size_t debut, std::size_t fin, rPisteLue &piste);
};

bool cFichierSMF::AnalyserPiste(std::size_t debut, std::size_t fin, rPisteLue &piste)
{
    const uint8_t *d = Octets.data();
    std::size_t p = debut;
    int64_t temps = 0;
    uint8_t courant = 0;
    while (p < fin) {
        uint32_t delta;
        if (!LireVLQ(d, p, fin, delta))
            return false;
        temps += delta;
        if (temps > std::numeric_limits<int32_t>::max())
            return false;
        if (p >= fin)
            return false;
        uint8_t statut = d[p];
        if (statut & 0x80)
            ++p;
        else if (courant)
            statut = courant;
        else
            return false; // data byte without any status to run on
        if (statut < 0xF0) {
            courant = statut;
            const int n = OctetsDonnees(statut);
            if (p + n > fin)
                return false;
            const uint8_t d1 = d[p], d2 = n == 2 ? d[p + 1] : 0;
            if ((d1 | d2) & 0x80)
                return false;
            p += n;
            piste.Evts.push_back({temps, statut, d1, d2});
        } else if (statut == 0xFF) {
            if (p >= fin)
                return false;
            const uint8_t type = d[p++];
            uint32_t longueur;
            if (!LireVLQ(d, p, fin, longueur) || longueur > fin - p)
                return false;
            piste.Metas.push_back({temps, type, p, longueur});
            p += longueur;
            if (type == 0x2F)
                break; // end of track: whatever follows in the chunk is not music
        } else if (statut == 0xF0 || statut == 0xF7) {
            uint32_t longueur;
            if (!LireVLQ(d, p, fin, longueur) || longueur > fin - p)
                return false;
            p += longueur;
        } else {
            return false; // real-time and system-common bytes have no place in a file
        }
    }
    return true;
}

const char *cFichierSMF::Analyser()
{
    const std::size_t taille = Octets.size();
    const uint8_t *d = Octets.data();
    if (taille < 14 || std::memcmp(d, "MThd", 4) != 0)
        return CleMIDINonReconnu;
    const uint32_t lgEntete = Lire32(d + 4);
    if (lgEntete < 6 || lgEntete > taille - 8)
        return CleErreurMIDI;
    Format = Lire16(d + 8);
    const int nbPistes = Lire16(d + 10);
    const uint16_t division = Lire16(d + 12);
    if (Format > 1 || (division & 0x8000))
        return CleMIDINonReconnu; // format 2 and time-code divisions are not supported
    if (division == 0 || nbPistes == 0)
        return CleErreurMIDI;
    Resolution = division;
    std::size_t p = 8 + std::size_t(lgEntete);
    while (static_cast<int>(Pistes.size()) < nbPistes && taille - p >= 8) {
        const uint32_t lg = Lire32(d + p + 4);
        const bool mtrk = std::memcmp(d + p, "MTrk", 4) == 0;
        p += 8;
        if (lg > taille - p)
            return CleErreurMIDI;
        if (mtrk) {
            Pistes.emplace_back();
            if (!AnalyserPiste(p, p + lg, Pistes.back()))
                return CleErreurMIDI;
        }
        p += lg;
    }
    if (static_cast<int>(Pistes.size()) < nbPistes)
        return CleErreurMIDI;
    return nullptr;
}

cFichierSMF *OpenSMFMemoire(const uint8_t *octets, std::size_t taille, int &format,
                            int &nbPistes, std::string *cle)
{
    if (taille > TailleMaxLue) {
        if (cle)
            *cle = CleMIDINonReconnu;
        return nullptr;
    }
    auto *f = new cFichierSMF;
    if (taille)
        f->Octets.assign(octets, octets + taille);
    if (const char *refus = f->Analyser()) {
        if (cle)
            *cle = refus;
        delete f;
        return nullptr;
    }
    format = f->Format;
    nbPistes = static_cast<int>(f->Pistes.size());
    return f;
}

cFichierSMF *OpenSMF(const std::string &chemin, int &format, char mode, int &nbPistes,
                     std::string *cle)
{
    if (mode == 'r') {
        std::FILE *e = std::fopen(chemin.c_str(), "rb");
        if (!e) {
            if (cle)
                *cle = CleMIDINonReconnu;
            return nullptr;
        }
        std::vector<uint8_t> octets;
        uint8_t tampon[65536];
        std::size_t n;
        bool tropGrand = false;
        while ((n = std::fread(tampon, 1, sizeof tampon, e)) > 0) {
            octets.insert(octets.end(), tampon, tampon + n);
            if (octets.size() > TailleMaxLue) {
                tropGrand = true;
                break;
            }
        }
        const bool erreur = std::ferror(e) != 0;
        std::fclose(e);
        if (erreur || tropGrand) {
            if (cle)
                *cle = erreur ? CleErreurMIDI : CleMIDINonReconnu;
            return nullptr;
        }
        return OpenSMFMemoire(octets.data(), octets.size(), format, nbPistes, cle);
    }
    if (mode != 'w') {
        if (cle)
            *cle = CleErreurMIDI;
        return nullptr;
    }
    auto *f = new cFichierSMF;
    f->Ecriture = true;
    f->Format = (format == 0) ? 0 : 1;
    // The temporary file is created now, so that an unwritable place is known before any work.
    f->Sortie = std::make_unique<cEcritureSure>(chemin);
    if (!f->Sortie->Ouverte()) {
        if (cle)
            *cle = "MidiExp-EcritureFichierImpossibleEnregAb";
        delete f;
        return nullptr;
    }
    if (nbPistes > 0)
        f->PistesEcrites.resize(std::min(nbPistes, PistesMaxEcrites));
    return f;
}

int GetSMFResolution(const cFichierSMF *f) { return f ? f->Resolution : 0; }

void SetSMFResolution(cFichierSMF *f, int resolution)
{
    if (f && f->Ecriture && resolution >= 1 && resolution <= 0x7FFF)
        f->Resolution = resolution;
}

int ReadSMF(cFichierSMF *f, int piste, rEvtMidi &evt, int precedent)
{
    if (!f || f->Ecriture || precedent == 0 || piste < 0 ||
        piste >= static_cast<int>(f->Pistes.size()))
        return 0;
    rPisteLue &p = f->Pistes[piste];
    if (p.Pos >= p.Evts.size())
        return 0;
    const rEvtLu &e = p.Evts[p.Pos++];
    evt.Delta = static_cast<int32_t>(e.Temps - p.TempsPrecedent);
    evt.Statut = e.Statut;
    evt.Donnee1 = e.Donnee1;
    evt.Donnee2 = e.Donnee2;
    evt.Donnee3 = 0;
    p.TempsPrecedent = e.Temps;
    return 1;
}

void RewindSMF(cFichierSMF *f)
{
    if (!f)
        return;
    for (rPisteLue &p : f->Pistes) {
        p.Pos = 0;
        p.TempsPrecedent = 0;
        p.PosMeta.clear();
    }
}

int32_t ReadMetaEvent(cFichierSMF *f, int piste, int type, const uint8_t *&donnees, int &longueur)
{
    donnees = nullptr;
    longueur = 0;
    if (!f || f->Ecriture || piste < 0 || piste >= static_cast<int>(f->Pistes.size()))
        return -1;
    rPisteLue &p = f->Pistes[piste];
    std::size_t &i = p.PosMeta[type];
    while (i < p.Metas.size() && p.Metas[i].Type != type)
        ++i;
    if (i >= p.Metas.size())
        return -1;
    const rMetaLu &m = p.Metas[i++];
    donnees = f->Octets.data() + m.Debut;
    longueur = static_cast<int>(m.Longueur);
    return static_cast<int32_t>(m.Temps);
}

namespace {
rPisteEcrite *PisteEcrite(cFichierSMF *f, int piste)
{
    if (!f || !f->Ecriture || piste < 0 || piste >= PistesMaxEcrites)
        return nullptr;
    if (piste >= static_cast<int>(f->PistesEcrites.size()))
        f->PistesEcrites.resize(piste + 1);
    return &f->PistesEcrites[piste];
}
} // namespace

bool WriteSMF(cFichierSMF *f, int piste, const rEvtMidi &evt, int /*n*/)
{
    if (evt.Statut < 0x80 || evt.Statut >= 0xF0)
        return false;
    const int n = OctetsDonnees(evt.Statut);
    if ((evt.Donnee1 & 0x80) || (n == 2 && (evt.Donnee2 & 0x80)))
        return false; // such a byte would be read back as a status and break the track
    rPisteEcrite *p = PisteEcrite(f, piste);
    if (!p)
        return false;
    EcrireVLQ(p->Octets, static_cast<uint32_t>(std::max(evt.Delta, 0)));
    if (evt.Statut != p->StatutCourant)
        p->Octets.push_back(evt.Statut);
    p->StatutCourant = evt.Statut;
    p->Octets.push_back(evt.Donnee1);
    if (n == 2)
        p->Octets.push_back(evt.Donnee2);
    return true;
}

bool WriteMetaEvent(cFichierSMF *f, int piste, int type, const void *donnees, std::size_t longueur,
                    int32_t delta)
{
    if (type < 0 || type > 0x7F || type == 0x2F || longueur > DeltaMax)
        return false; // the end of track is written by CloseSMF alone
    rPisteEcrite *p = PisteEcrite(f, piste);
    if (!p)
        return false;
    EcrireVLQ(p->Octets, static_cast<uint32_t>(std::max(delta, 0)));
    p->Octets.push_back(0xFF);
    p->Octets.push_back(static_cast<uint8_t>(type));
    EcrireVLQ(p->Octets, static_cast<uint32_t>(longueur));
    const auto *o = static_cast<const uint8_t *>(donnees);
    if (longueur)
        p->Octets.insert(p->Octets.end(), o, o + longueur);
    p->StatutCourant = 0; // strict readers cancel running status at a meta event
    return true;
}

bool WriteMetaEvent(cFichierSMF *f, int piste, int type, const std::string &texte, int32_t delta)
{
    return WriteMetaEvent(f, piste, type, texte.data(), texte.size(), delta);
}

bool CloseSMF(cFichierSMF *f)
{
    if (!f)
        return false;
    if (!f->Ecriture) {
        delete f;
        return true;
    }
    std::vector<uint8_t> entete = {'M', 'T', 'h', 'd', 0, 0, 0, 6};
    const auto pousser16 = [&](int v) {
        entete.push_back(static_cast<uint8_t>(v >> 8));
        entete.push_back(static_cast<uint8_t>(v));
    };
    if (f->PistesEcrites.empty())
        f->PistesEcrites.resize(1);
    pousser16(f->Format);
    pousser16(static_cast<int>(f->PistesEcrites.size()));
    pousser16(f->Resolution);
    bool ok = f->Sortie->Ecrire(entete.data(), entete.size());
    for (rPisteEcrite &p : f->PistesEcrites) {
        if (!ok)
            break;
        static const uint8_t fin[] = {0x00, 0xFF, 0x2F, 0x00};
        p.Octets.insert(p.Octets.end(), fin, fin + 4);
        const uint32_t lg = static_cast<uint32_t>(p.Octets.size());
        const uint8_t ch[8] = {'M', 'T', 'r', 'k', uint8_t(lg >> 24), uint8_t(lg >> 16),
                               uint8_t(lg >> 8), uint8_t(lg)};
        ok = f->Sortie->Ecrire(ch, 8) && f->Sortie->Ecrire(p.Octets.data(), p.Octets.size());
    }
    ok = ok && f->Sortie->Valider();
    delete f;
    return ok;
}
