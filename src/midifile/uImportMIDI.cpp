#include "midifile/uImportMIDI.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <memory>

#include "midifile/uSMF.h"
#include "mixer/uCanaux.h"
#include "model/uCodage.h"
#include "model/uEdition.h"
#include "model/uPartition.h"
#include "model/uRedecoupage.h"

namespace {
constexpr int CanalBatterie = 10;
constexpr int NbHauteurs = 128;

// ---------------------------------------------------------------- reading

struct rEvt {
    double Temps; // ticks, 480 to the quarter
    uint8_t Statut, D1, D2;
};

double Convertir(long long t, int resolution) { return static_cast<double>(t) * 480.0 / resolution; }

// Channel messages of one entry at their converted times.
void LireEntree(cLectureMIDI &f, const rEntreeMIDI &e, std::vector<rEvt> &sortie)
{
    RewindSMF(f.F);
    rEvtMidi evt;
    long long t = 0;
    while (ReadSMF(f.F, e.Piste, evt) == 1) {
        t += evt.Delta;
        if (e.Canal != 0 && (evt.Statut & 0x0F) != e.Canal - 1)
            continue;
        sortie.push_back({Convertir(t, f.Resolution), evt.Statut, evt.Donnee1, evt.Donnee2});
    }
}

// Whether a text is UTF-8 with at least one character beyond ASCII.
bool Utf8NonAscii(const std::string &s)
{
    bool large = false;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3
                                       : (c & 0xF8) == 0xF0 ? 4 : 0;
        if (n == 0 || i + n > s.size() || (n == 2 && c < 0xC2))
            return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        large = large || n > 1;
        i += n;
    }
    return large;
}

// A text event's bytes up to its first NUL (some writers pad their names with zeros). Names
// written in UTF-8 are brought to the model's code page; others are taken as they are.
std::string TexteMeta(const uint8_t *d, int n)
{
    std::string s(reinterpret_cast<const char *>(d), static_cast<std::size_t>(std::max(n, 0)));
    const std::size_t nul = s.find('\0');
    if (nul != std::string::npos)
        s.resize(nul);
    return Utf8NonAscii(s) ? Utf8VersWin1252(s) : s;
}

bool ANotes(cLectureMIDI &f, int piste)
{
    RewindSMF(f.F);
    rEvtMidi e;
    while (ReadSMF(f.F, piste, e) == 1)
        if ((e.Statut & 0xF0) == 0x90)
            return true;
    return false;
}

std::string Majuscules(std::string s)
{
    for (char &c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// ---------------------------------------------------------------- the working list

struct rNoteTravail {
    int Hauteur = 0;     // pitch, or the drum key
    double Ticks = 0;    // 0 until its note off is met
    uint8_t Nuance = 6;
};

struct rTempsTravail {
    double Debut = 0; // unquantised start
    double Duree = 0;
    int Etat = 0;     // 0 empty, 1 notes, 2 rest
    int NbNotes = 0;
    std::array<rNoteTravail, MaxCordes> Notes{};
    int Mix = -1;     // index of its mix table change
};

// A mix table change while gathering; values -1 unchanged.
struct rMix {
    int Valeurs[7] = {-1, -1, -1, -1, -1, -1, -1}; // instrument, volume .. tremolo
};

// Controller numbers in the order of the channel fields volume, balance, chorus, reverb,
// phaser, tremolo.
constexpr int Controleurs[6] = {7, 10, 93, 91, 92, 95};

int IndexControle(const rEvt &e)
{
    const int type = e.Statut & 0xF0;
    if (type == 0xC0)
        return 0;
    if (type == 0xB0)
        for (int k = 0; k < 6; ++k)
            if (e.D1 == Controleurs[k])
                return k + 1;
    return -1;
}

uint8_t Echelle16(int v) { return static_cast<uint8_t>(std::clamp(static_cast<int>(Arrondi(v / 8.0)), 0, 16)); }

void FusionnerMix(rMix &dans, const rMix &de)
{
    for (int k = 0; k < 7; ++k)
        if (de.Valeurs[k] >= 0)
            dans.Valeurs[k] = de.Valeurs[k];
}

void PoserCanal(rCanalMidi &c, int k, int v)
{
    switch (k) {
    case 0: c.Instrument = v; break;
    case 1: c.Volume = static_cast<uint8_t>(v); break;
    case 2: c.Balance = static_cast<uint8_t>(v); break;
    case 3: c.Chorus = static_cast<uint8_t>(v); break;
    case 4: c.Reverb = static_cast<uint8_t>(v); break;
    case 5: c.Phaser = static_cast<uint8_t>(v); break;
    case 6: c.Tremolo = static_cast<uint8_t>(v); break;
    }
}

void VersTableMix(const rMix &m, cTableMixEvent &t)
{
    int8_t *champs[7] = {&t.Instrument, &t.Volume, &t.Balance, &t.Chorus,
                         &t.Reverb,     &t.Phaser, &t.Tremolo};
    for (int k = 0; k < 7; ++k)
        if (m.Valeurs[k] >= 0)
            *champs[k] = static_cast<int8_t>(m.Valeurs[k]);
}

double Grille(double v, double pas) { return Arrondi(v / pas) * pas; }

// Quantisation: chord starts to the grid P, note lengths to D' = min(D, P). A beat that rounds
// to nothing takes the next beat's notes into its free strings.
void Quantifier(std::vector<rTempsTravail> &temps, double P, double Dp, int nbCordes, int &perdues,
                std::vector<rMix> &mixes)
{
    std::vector<rTempsTravail> sortie;
    sortie.reserve(temps.size());
    double e = 0, q = 0;
    std::size_t i = 0;
    while (i < temps.size()) {
        rTempsTravail b = temps[i];
        e += b.Duree;
        double d = Grille(e - q, P);
        while (d == 0 && i + 1 < temps.size()) {
            const rTempsTravail &n = temps[++i];
            for (int k = 0; k < n.NbNotes; ++k) {
                if (b.NbNotes < nbCordes) {
                    b.Notes[b.NbNotes++] = n.Notes[k];
                    b.Etat = 1;
                } else {
                    ++perdues;
                }
            }
            if (n.Mix >= 0) {
                if (b.Mix < 0)
                    b.Mix = n.Mix;
                else
                    FusionnerMix(mixes[b.Mix], mixes[n.Mix]);
            }
            b.Duree = n.Duree;
            e += n.Duree;
            d = Grille(e - q, P);
        }
        if (d == 0)
            d = P;
        b.Duree = d;
        q += d;
        for (int k = 0; k < b.NbNotes; ++k)
            if (b.Notes[k].Ticks > 0) {
                const double t = Grille(b.Notes[k].Ticks, Dp);
                b.Notes[k].Ticks = t == 0 ? Dp : t;
            }
        sortie.push_back(b);
        ++i;
    }
    temps = std::move(sortie);
}

// Notes without a note off take their beat's length; each beat then lasts as long as its
// longest note and a rest fills the rest of its time.
void Allonger(std::vector<rTempsTravail> &temps, double P)
{
    std::vector<rTempsTravail> sortie;
    sortie.reserve(temps.size() + temps.size() / 4);
    for (std::size_t i = 0; i < temps.size(); ++i) {
        rTempsTravail b = temps[i];
        double m = 0;
        for (int k = 0; k < b.NbNotes; ++k) {
            if (b.Notes[k].Ticks <= 0)
                b.Notes[k].Ticks = b.Duree;
            m = std::max(m, b.Notes[k].Ticks);
        }
        if (b.Etat != 1) {
            sortie.push_back(b);
            continue;
        }
        if (i + 1 == temps.size())
            b.Duree = std::max(Grille(m, P), P);
        double silence = 0;
        if (m < b.Duree) {
            silence = Tronque((b.Duree - m) / P) * P;
            b.Duree -= silence;
        }
        sortie.push_back(b);
        if (silence > 0) {
            rTempsTravail r;
            r.Etat = 2;
            r.Duree = silence;
            sortie.push_back(r);
        }
    }
    temps = std::move(sortie);
}

// Keeps what fits in the measures the score can hold: the beat crossing the end is shortened,
// the beats after it dropped with their notes.
bool Limiter(std::vector<rTempsTravail> &temps, const cPartition &p, const cPiste &piste,
             int &perdues)
{
    double fin = 0;
    int nb = 0;
    double derniere = 1920;
    for (const cMesurePiste *mp = piste.PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste) {
        derniere = mp->Mesure->Longueur;
        fin += derniere;
        ++nb;
    }
    fin += static_cast<double>(MaxMesures - std::min(nb, MaxMesures)) * derniere;
    (void)p;
    double t = 0;
    for (std::size_t i = 0; i < temps.size(); ++i) {
        if (t + temps[i].Duree <= fin) {
            t += temps[i].Duree;
            continue;
        }
        std::size_t garder = i;
        if (fin - t > 0) {
            temps[i].Duree = fin - t;
            for (int k = 0; k < temps[i].NbNotes; ++k)
                temps[i].Notes[k].Ticks = std::min(temps[i].Notes[k].Ticks, temps[i].Duree);
            ++garder;
        }
        for (std::size_t j = garder; j < temps.size(); ++j)
            perdues += temps[j].NbNotes;
        temps.resize(garder);
        return true;
    }
    return false;
}

std::unique_ptr<cAccord> VersAccord(const rTempsTravail &b, int nbCordes, const std::vector<rMix> &mixes)
{
    auto a = std::make_unique<cAccord>();
    a->Duree = b.Duree;
    a->Triolet = 1;
    a->Etat = static_cast<uint8_t>(b.Etat == 1 ? 1 : 2);
    for (int s = 1; s <= nbCordes; ++s) {
        cNote *n = a->InsererNoteApres(nullptr);
        a->ViderNote(*n);
        if (s <= b.NbNotes) {
            const rNoteTravail &t = b.Notes[s - 1];
            n->Type = 1;
            n->Case = static_cast<uint8_t>(t.Hauteur);
            n->DureeTicks = t.Ticks;
            n->Nuance = t.Nuance;
        }
    }
    if (b.Mix >= 0) {
        a->TableMix = new cTableMixEvent;
        VersTableMix(mixes[b.Mix], *a->TableMix);
    }
    return a;
}

// Each tempo change onto the first beat of the first track that starts at or after it.
void PlacerTempos(cPartition &p, const std::vector<rTempoMIDI> &tempos)
{
    if (tempos.empty() || !p.PremierePiste)
        return;
    std::size_t k = 0;
    double debutMesure = 0;
    for (cMesurePiste *mp = p.PremierePiste->PremiereMesurePiste; mp && k < tempos.size();
         mp = mp->SuivanteDansPiste) {
        double t = debutMesure;
        for (cAccord *a = mp->PremierAccord; a && k < tempos.size(); a = a->Suivant) {
            while (k < tempos.size() && tempos[k].Temps <= t + 1e-6) {
                if (!a->TableMix)
                    a->TableMix = new cTableMixEvent;
                a->TableMix->Tempo = std::clamp(
                    static_cast<int32_t>(Arrondi(60000000.0 / tempos[k].Micro)), 1, 999);
                ++k;
            }
            t += a->Etat == 0 ? 0 : a->Duree;
        }
        debutMesure += mp->Mesure->Longueur;
    }
}

// A tuplet-3 quarter followed by a tuplet-3 eighth becomes two tied tuplet-3 eighths.
void CouperTriolets(cPiste &piste)
{
    for (cMesurePiste *mp = piste.PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste) {
        for (cAccord *a = mp->PremierAccord; a && a->Suivant; a = a->Suivant) {
            const cAccord *b = a->Suivant;
            if (!(a->Triolet == 3 && a->CodeDuree == 0 && !a->Pointe && b->Triolet == 3 &&
                  b->CodeDuree == 1 && !b->Pointe))
                continue;
            if (mp->NbAccords >= MaxAccords)
                break;
            cAccord *n = mp->InsererAccordApres(a);
            if (!n)
                break;
            a->CodeDuree = 1;
            a->CalculerDuree();
            n->CodeDuree = 1;
            n->Pointe = false;
            n->Triolet = 3;
            n->CalculerDuree();
            n->Etat = a->Etat;
            for (int s = 1; s <= std::min(a->NbNotes, n->NbNotes); ++s) {
                cNote *src = a->Notes[s];
                cNote *dst = n->Notes[s];
                n->ViderNote(*dst);
                if (src->Type == 1) {
                    dst->Type = 2;
                    dst->Case = src->Case;
                }
                if (src->Type != 0) {
                    src->DureePropre = false;
                    src->CodeDuree = a->CodeDuree;
                    src->Pointe = false;
                    src->Triolet = 3;
                    src->DureeTicks = a->Duree;
                }
            }
            n->ActualiserEtat();
            if (n->Etat == 0)
                n->Etat = 2;
            a = n;
        }
        mp->IndexerAccords();
        mp->CalculerDuree();
    }
}

int CompteNotes(const std::vector<rTempsTravail> &temps)
{
    int n = 0;
    for (const rTempsTravail &b : temps)
        n += b.NbNotes;
    return n;
}
} // namespace

// ---------------------------------------------------------------- file and list

cLectureMIDI::~cLectureMIDI() { Fermer(); }

void cLectureMIDI::Fermer()
{
    if (F)
        CloseSMF(F);
    F = nullptr;
}

bool cLectureMIDI::Ouvrir(const std::string &chemin, std::string &cle)
{
    Fermer();
    F = OpenSMF(chemin, Format, 'r', NbPistes, &cle);
    if (F)
        Resolution = std::max(1, GetSMFResolution(F));
    return F != nullptr;
}

bool cLectureMIDI::OuvrirMemoire(const uint8_t *octets, std::size_t taille, std::string &cle)
{
    Fermer();
    F = OpenSMFMemoire(octets, taille, Format, NbPistes, &cle);
    if (F)
        Resolution = std::max(1, GetSMFResolution(F));
    return F != nullptr;
}

std::vector<rEntreeMIDI> ListerEntreesMIDI(cLectureMIDI &f, const std::string &textePiste,
                                           bool *formatInconnu)
{
    std::vector<rEntreeMIDI> v;
    if (formatInconnu)
        *formatInconnu = false;
    if (!f.F)
        return v;
    if (f.Format == 0) {
        RewindSMF(f.F);
        rEvtMidi e;
        bool vu[17] = {};
        while (ReadSMF(f.F, 0, e) == 1) {
            if ((e.Statut & 0xF0) != 0x90)
                continue;
            const int c = (e.Statut & 0x0F) + 1;
            if (!vu[c]) {
                vu[c] = true;
                v.push_back({textePiste + " " + std::to_string(c), 0, c});
            }
        }
    } else if (f.Format == 1) {
        // The first track normally holds only tempo and signatures; one that holds notes (a
        // file of a single track) is listed too, or nothing of it could be imported.
        for (int k = ANotes(f, 0) ? 0 : 1; k < f.NbPistes; ++k) {
            RewindSMF(f.F);
            const uint8_t *d = nullptr;
            int n = 0;
            rEntreeMIDI e;
            e.Piste = k;
            if (ReadMetaEvent(f.F, k, MetaTexte, d, n) >= 0 && d)
                e.Nom = TexteMeta(d, n);
            v.push_back(e);
        }
    } else if (formatInconnu) {
        *formatInconnu = true;
    }
    RewindSMF(f.F);
    return v;
}

std::vector<rEvtApercu> EvenementsApercu(cLectureMIDI &f, const std::vector<rEntreeMIDI> &entrees,
                                         const std::vector<int> &choisies, int &tempo)
{
    std::vector<rEvtApercu> v;
    tempo = 0;
    if (!f.F)
        return v;
    RewindSMF(f.F);
    const uint8_t *d = nullptr;
    int n = 0;
    for (int32_t t; (t = ReadMetaEvent(f.F, 0, MetaTempo, d, n)) >= 0;)
        if (d && n >= 3) {
            const uint32_t us = (uint32_t(d[0]) << 16) | (uint32_t(d[1]) << 8) | d[2];
            if (us == 0)
                continue;
            tempo = static_cast<int>(std::min(Tronque(60000000.0 / us), 999.0));
            break;
        }
    std::vector<rEvt> evts;
    for (int k : choisies)
        if (k >= 0 && k < static_cast<int>(entrees.size()))
            LireEntree(f, entrees[k], evts);
    std::stable_sort(evts.begin(), evts.end(),
                     [](const rEvt &a, const rEvt &b) { return a.Temps < b.Temps; });
    v.reserve(evts.size() + 16);
    for (const rEvt &e : evts)
        v.push_back({e.Temps, e.Statut, e.D1, e.D2});
    for (int c = 0; c < 16; ++c)
        v.push_back({0, static_cast<uint8_t>(0xB0 + c), 91, 0});
    RewindSMF(f.F);
    return v;
}

std::vector<rTempoMIDI> ImporterEnteteMIDI(cPartition &p, cLectureMIDI &f,
                                           const std::string &nomFichier)
{
    std::vector<rTempoMIDI> tempos;
    if (!f.F || f.NbPistes < 1)
        return tempos;
    RewindSMF(f.F);
    const uint8_t *d = nullptr;
    int n = 0;
    std::string titre;
    if (ReadMetaEvent(f.F, 0, MetaTexte, d, n) >= 0 && d)
        titre = TexteMeta(d, n);
    if (titre.empty()) {
        titre = Utf8VersWin1252(nomFichier);
        titre = titre.size() > 4 ? titre.substr(0, titre.size() - 4) : std::string();
        if (!titre.empty())
            titre[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(titre[0])));
    }
    if (p.Informations)
        p.Informations->Titre = Couper(titre, CapInformation);

    // Tempo: the first one is the score's, the later ones are placed by the conversion. A
    // tempo of 0 microseconds means nothing and is passed over.
    RewindSMF(f.F);
    bool premier = true;
    for (int32_t t; (t = ReadMetaEvent(f.F, 0, MetaTempo, d, n)) >= 0;) {
        if (!d || n < 3)
            continue;
        const uint32_t us = (uint32_t(d[0]) << 16) | (uint32_t(d[1]) << 8) | d[2];
        if (us == 0)
            continue;
        if (premier) {
            p.Tempo = std::clamp(static_cast<int32_t>(Tronque(60000000.0 / us)), 8, 300);
            premier = false;
        } else {
            tempos.push_back({Convertir(t, f.Resolution), us});
        }
    }

    // Time signatures, bar by bar from the first; a signature the model cannot hold is skipped.
    RewindSMF(f.F);
    const bool chargement = p.EnChargement;
    p.EnChargement = false; // the bars are reached through the index as they are appended
    int b = 1;
    double s = 0;
    bool plein = false;
    for (int32_t t; !plein && (t = ReadMetaEvent(f.F, 0, MetaSignature, d, n)) >= 0;) {
        if (!d || n < 2 || d[0] < 1 || d[0] > 32 || d[1] > 5)
            continue;
        const double tau = Convertir(t, f.Resolution);
        while (s < tau) {
            if (b >= p.NbMesures && !p.InsererMesureApres(nullptr)) {
                plein = true;
                break;
            }
            s += Tronque(p.Mesures[b]->Longueur);
            ++b;
            p.Mesures[b]->ChangerSignature(p.Mesures[b - 1]->Numerateur,
                                           p.Mesures[b - 1]->Denominateur);
        }
        if (!plein)
            p.Mesures[b]->ChangerSignature(d[0], 1 << d[1]);
    }
    for (int k = b + 1; k <= p.NbMesures; ++k)
        p.Mesures[k]->ChangerSignature(p.Mesures[k - 1]->Numerateur, p.Mesures[k - 1]->Denominateur);
    p.EnChargement = chargement;
    RewindSMF(f.F);
    return tempos;
}

// ---------------------------------------------------------------- conversion

rResultatImportMIDI ImporterPiste(cPartition &p, cPiste &piste, cLectureMIDI &f,
                                  const std::vector<rEntreeMIDI> &entrees,
                                  const std::vector<int> &choisies,
                                  const rOptionsImportMIDI &options,
                                  const std::vector<rTempoMIDI> &tempos,
                                  const std::string &textePiste)
{
    rResultatImportMIDI r;
    std::vector<int> liste;
    for (int k : choisies)
        if (k >= 0 && k < static_cast<int>(entrees.size()))
            liste.push_back(k);
    if (!f.F || liste.empty())
        return r;

    // 1. Name.
    if (liste.size() > 1) {
        std::string nom = textePiste + " ";
        for (std::size_t i = 0; i < liste.size(); ++i)
            nom += (i ? "-" : "") + std::to_string(liste[i] + 1);
        piste.Nom = Couper(nom, CapNomPiste);
    } else if (!entrees[liste[0]].Nom.empty()) {
        piste.Nom = Couper(entrees[liste[0]].Nom, CapNomPiste);
    } else { // a track without a name event
        piste.Nom = Couper(textePiste + " " + std::to_string(liste[0] + 1), CapNomPiste);
    }
    const bool batterie = piste.Percussions;
    // 2. Drum keys are not pitches: the octave option leaves them alone.
    const int T = options.Transposer && !batterie ? 12 : 0;

    // 3. Gather, time-sorted, events of equal time in the order they were read.
    std::vector<rEvt> evts;
    for (int k : liste)
        LireEntree(f, entrees[k], evts);
    RewindSMF(f.F);
    if (liste.size() > 1)
        std::stable_sort(evts.begin(), evts.end(),
                         [](const rEvt &a, const rEvt &b) { return a.Temps < b.Temps; });

    // 5. Walk the events into the working list.
    const int nbCordes = std::clamp(piste.NbCordes, 1, MaxCordes);
    const int port = std::clamp(piste.Port, 1, MaxPorts);
    std::vector<rTempsTravail> temps(1);
    std::vector<rMix> mixes;
    int enAttente = -1; // mix change for the next beat
    std::array<std::vector<int>, NbHauteurs> parHauteur; // beats holding each pitch, in order
    double c = 0;
    int s = 1;
    bool premierEcart = true;
    double premierControle[7];
    bool vuControle[7] = {};
    for (const rEvt &e : evts) {
        const int type = e.Statut & 0xF0;
        if (type == 0x90 && e.D2 > 0) {
            ++r.Notes;
            if (e.Temps != c) {
                rTempsTravail &ins = temps.back();
                if (premierEcart && ins.Etat == 0)
                    ins.Etat = 2;
                premierEcart = false;
                ins.Duree = e.Temps - c;
                rTempsTravail nouveau;
                nouveau.Debut = e.Temps;
                nouveau.Mix = enAttente;
                enAttente = -1;
                temps.push_back(nouveau);
                s = 1;
            }
            const int hauteur = static_cast<int>(e.D1) - T;
            if (s <= nbCordes && hauteur >= 0) {
                rTempsTravail &ins = temps.back();
                ins.Etat = 1;
                rNoteTravail &n = ins.Notes[ins.NbNotes++];
                n.Hauteur = hauteur;
                n.Ticks = 0;
                // Velocities 1..7 would round to 0, below the softest dynamic.
                n.Nuance = static_cast<uint8_t>(
                    std::clamp(static_cast<int>(Arrondi((e.D2 + 1) / 16.0)), 1, 8));
                parHauteur[hauteur].push_back(static_cast<int>(temps.size()) - 1);
                c = e.Temps;
                ++s;
            } else {
                c = e.Temps;
                ++r.NotesPerdues;
            }
        } else if (type == 0x80 || type == 0x90) {
            const int hauteur = static_cast<int>(e.D1) - T;
            if (hauteur < 0)
                continue;
            const std::vector<int> &v = parHauteur[hauteur];
            // At the time of the beat being built, the note off ends an earlier beat's note.
            const int courant = static_cast<int>(temps.size()) - 1;
            int b = -1;
            for (auto it = v.rbegin(); it != v.rend(); ++it)
                if (!(e.Temps == c && *it == courant)) {
                    b = *it;
                    break;
                }
            if (b < 0)
                continue;
            rTempsTravail &t = temps[b];
            const double longueur = e.Temps - t.Debut;
            for (int k = 0; k < t.NbNotes; ++k)
                if (t.Notes[k].Hauteur == hauteur)
                    t.Notes[k].Ticks = longueur;
        } else if (const int k = IndexControle(e); k >= 0) {
            const int valeur = k == 0 ? e.D1 : Echelle16(e.D2);
            if (!vuControle[k]) {
                vuControle[k] = true;
                premierControle[k] = e.Temps;
                if (!(k == 0 && batterie)) {
                    PoserCanal(p.Canaux[port][std::clamp(piste.Canal, 1, MaxCanaux)], k, valeur);
                    PoserCanal(p.Canaux[port][std::clamp(piste.CanalEffets, 1, MaxCanaux)], k,
                               valeur);
                }
            } else if (e.Temps != premierControle[k]) {
                int &cible = e.Temps == c ? temps.back().Mix : enAttente;
                if (cible < 0) {
                    cible = static_cast<int>(mixes.size());
                    mixes.emplace_back();
                }
                mixes[cible].Valeurs[k] = valeur;
            }
        }
    }
    if (temps.size() == 1 && temps[0].Etat == 0) {
        // Nothing sounded: the track is just emptied.
        for (cMesurePiste *mp = piste.PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste)
            mp->Vider();
        return r;
    }

    // 6-8. Quantise, give every note a length, fill the gaps after short notes.
    const double P = options.GrilleP > 0 ? options.GrilleP : 60;
    const double Dp = std::min<double>(options.GrilleD > 0 ? options.GrilleD : 60, P);
    Quantifier(temps, P, Dp, nbCordes, r.NotesPerdues, mixes);
    Allonger(temps, P);
    const int avantLimite = r.NotesPerdues;
    r.MesuresMax = Limiter(temps, p, piste, r.NotesPerdues);
    (void)avantLimite;

    // 9-10. Pour into the measures.
    std::vector<std::unique_ptr<cAccord>> accords;
    accords.reserve(temps.size());
    for (const rTempsTravail &b : temps)
        accords.push_back(VersAccord(b, nbCordes, mixes));
    // Measures appended one by one are indexed once at the end.
    const bool chargement = p.EnChargement;
    p.EnChargement = true;
    std::string cle;
    const bool verse = VerserAccords(p, piste, std::move(accords), cle);
    p.EnChargement = false;
    p.IndexerMesures();
    p.IndexerPistes();
    p.EnChargement = chargement;
    if (!verse) {
        r.Cle = cle;
        return r;
    }

    // 11. Strings and frets; pitches no string holds go.
    if (!batterie) {
        rOptionsDoigte od;
        od.CasesEnHauteurs = true;
        od.Progression = options.Progression;
        const rResultatDoigte rd = PlacerDoigts(piste, 1, p.NbMesures, od);
        r.NotesPerdues += rd.NotesPerdues;
    }

    // 12-14. Ties across cuts, note durations, rests to the end of the last measure.
    LierCoupures(piste);
    AjusterDureesNotes(piste);
    CompleterFin(piste, cle);

    // 15-16. Tempo changes, tuplet splitting.
    PlacerTempos(p, tempos);
    CouperTriolets(piste);

    // 17. The cursor to the start of the track.
    rPosition pos;
    pos.NumMesure = 1;
    pos.NumPiste = piste.Index > 0 ? piste.Index : 1;
    pos.NumTemps = 1;
    pos.NumCorde = 1;
    if (p.Resoudre(pos))
        p.PlacerCurseur(pos);
    (void)CompteNotes;
    return r;
}

// ---------------------------------------------------------------- quick import

namespace {
enum class eGenre { Defaut, Batterie, Basse, Banjo };

eGenre GenreDe(const rEntreeMIDI &e)
{
    const std::string nom = Majuscules(Couper(e.Nom, CapNomPiste));
    eGenre g = eGenre::Defaut;
    if (nom.find("DRUM") != std::string::npos || nom.find("PERCU") != std::string::npos ||
        nom.find("BATT") != std::string::npos)
        g = eGenre::Batterie;
    if (nom.find("BASS") != std::string::npos)
        g = eGenre::Basse;
    else if (g == eGenre::Defaut && nom.find("BANJO") != std::string::npos)
        g = eGenre::Banjo;
    return g;
}

// Whether every note on of an entry lies on the drum channel.
bool SurCanalBatterie(cLectureMIDI &f, const rEntreeMIDI &e)
{
    if (e.Canal != 0)
        return e.Canal == CanalBatterie;
    RewindSMF(f.F);
    rEvtMidi evt;
    bool note = false;
    while (ReadSMF(f.F, e.Piste, evt) == 1)
        if ((evt.Statut & 0xF0) == 0x90) {
            if ((evt.Statut & 0x0F) != CanalBatterie - 1) {
                RewindSMF(f.F);
                return false;
            }
            note = true;
        }
    RewindSMF(f.F);
    return note;
}

void Appliquer(rProprietesPiste &v, eGenre g)
{
    switch (g) {
    case eGenre::Batterie:
        v.Percussions = true;
        v.NbCordes = 6;
        v.Accordage = {0, 0, 0, 0, 0, 0, -1};
        v.NbFrets = 87;
        v.Capo = 0;
        v.Couleur = 0xFF0000;
        break;
    case eGenre::Basse:
        v.Percussions = false;
        v.NbCordes = 4;
        v.Accordage = {43, 38, 33, 28, -1, -1, -1};
        v.NbFrets = 24;
        v.Capo = 0;
        v.Couleur = 0xFFFF;
        break;
    case eGenre::Banjo:
        v.Percussions = false;
        v.NbCordes = 5;
        v.Accordage = {62, 59, 55, 50, 67, -1, -1};
        v.NbFrets = 24;
        v.Capo = 0;
        v.Couleur = 255;
        break;
    case eGenre::Defaut:
        break;
    }
}

// Channels of a fretted track: the first free ones of port 1; when none is, the current
// track's, or those of the nearest earlier track not on the drum channel, or channel 1.
void CanauxImport(const cPartition &p, const cPiste *sauf, const cPiste *courante, bool deux,
                  int &canal, int &effets)
{
    canal = PremierCanalLibre(p, 1, sauf);
    if (canal > 0) {
        effets = deux ? SecondCanalLibre(p, 1, canal, sauf) : canal;
        if (effets < 0)
            effets = canal;
        return;
    }
    for (const cPiste *t = courante; t; t = t->Precedente)
        if (!t->Percussions && t->Canal != CanalBatterie) {
            canal = t->Canal;
            effets = t->CanalEffets;
            return;
        }
    canal = effets = 1;
}
} // namespace

rResultatImportMIDI ImportRapideMIDI(cPartition &p, cLectureMIDI &f, const std::string &nomFichier,
                                     const std::vector<rEntreeMIDI> &entrees,
                                     const std::vector<int> &choisies,
                                     const rOptionsImportMIDI &options,
                                     const std::string &textePiste)
{
    rResultatImportMIDI total;
    if (!f.F || !p.PremierePiste)
        return total;
    const std::vector<rTempoMIDI> tempos = ImporterEnteteMIDI(p, f, nomFichier);
    cPiste *courante = nullptr;
    for (int k : choisies) {
        if (k < 0 || k >= static_cast<int>(entrees.size()))
            continue;
        const rEntreeMIDI &e = entrees[k];
        eGenre g = GenreDe(e);
        if (SurCanalBatterie(f, e))
            g = eGenre::Batterie;
        rProprietesPiste v = ProprietesNouvellePiste(
            false, p.Interface ? p.Interface->NomPisteParDefaut(p.NbPistes + 1)
                               : "Track " + std::to_string(p.NbPistes + 1));
        Appliquer(v, g);
        const bool premiere = courante == nullptr;
        cPiste *t = nullptr;
        int canal = CanalBatterie, effets = CanalBatterie;
        if (premiere) {
            t = p.PremierePiste;
            if (g != eGenre::Batterie)
                CanauxImport(p, t, nullptr, options.DeuxCanaux, canal, effets);
            const int ancien = t->NbCordes;
            t->Percussions = v.Percussions;
            t->NbCordes = v.NbCordes;
            t->Accordage = v.Accordage;
            t->NbFrets = v.NbFrets;
            t->Capo = 0;
            t->Couleur = v.Couleur;
            t->Port = 1;
            t->Canal = canal;
            t->CanalEffets = effets;
            if (ancien != t->NbCordes)
                t->ChangerNbCordes(ancien);
            t->MemoriserAvant();
        } else {
            if (p.NbPistes >= MaxPistes)
                break;
            if (g != eGenre::Batterie)
                CanauxImport(p, nullptr, courante, options.DeuxCanaux, canal, effets);
            rPosition pos;
            pos.NumPiste = courante->Index;
            if (p.Resoudre(pos))
                p.PlacerCurseur(pos);
            t = AjouterPiste(p, ePlacePiste::Apres, v, 1, canal, effets);
            if (!t)
                break;
        }
        const rResultatImportMIDI r =
            ImporterPiste(p, *t, f, entrees, {k}, options, tempos, textePiste);
        total.Notes += r.Notes;
        total.NotesPerdues += r.NotesPerdues;
        total.MesuresMax = total.MesuresMax || r.MesuresMax;
        if (!r.Cle.empty())
            total.Cle = r.Cle;
        if (r.Notes == 0 && !premiere) {
            p.SupprimerPiste(t);
            p.IndexerPistes();
        } else {
            courante = t;
        }
    }
    rPosition pos;
    pos.NumPiste = 1;
    if (p.Resoudre(pos))
        p.PlacerCurseur(pos);
    p.Modifie = true;
    return total;
}

bool LireFichierMIDI(const std::string &chemin, cPartition &p, const std::string &textePiste,
                     std::string &cle, rResultatImportMIDI *resultat)
{
    cLectureMIDI f;
    if (!f.Ouvrir(chemin, cle))
        return false;
    bool inconnu = false;
    const std::vector<rEntreeMIDI> entrees = ListerEntreesMIDI(f, textePiste, &inconnu);
    if (inconnu) {
        cle = CleMIDINonReconnu;
        return false;
    }
    std::vector<int> toutes;
    for (int k = 0; k < static_cast<int>(entrees.size()); ++k)
        toutes.push_back(k);
    const std::size_t barre = chemin.find_last_of("/\\");
    const std::string nom = barre == std::string::npos ? chemin : chemin.substr(barre + 1);
    const rResultatImportMIDI r = ImportRapideMIDI(p, f, nom, entrees, toutes, {}, textePiste);
    if (resultat)
        *resultat = r;
    return true;
}
