#include "fileio/uFichierAncien.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <new>
#include <string_view>
#include <vector>

#include "chords/uListeAccordsImpression.h"
#include "fileio/uEcritureSure.h"
#include "model/uDurees.h"
#include "model/uPartition.h"

namespace {

const char *const CleIncorrect = "Fichier-Incorrect";
const char *const CleEcriture = "MidiExp-EcritureFichierImpossibleEnregAb";
constexpr std::string_view Magique221 = "FICHIER PLECTORIUM v2.21";
constexpr std::size_t TailleEntete = 31;
constexpr int NbPistesAnciennes = 8;
constexpr uint8_t FretMorte = 100;  // a dead note in the old files
constexpr uint8_t FretAbsente = 255; // no note on the string

bool Entre(long long v, long long a, long long b) { return v >= a && v <= b; }
// What the writer keeps within the ranges the reader accepts.
int Borne(int v, int a, int b) { return std::clamp(v, a, b); }

// The mix values of the old files are MIDI values 0..127; the model keeps 0..16.
int8_t VersEchelle16(int v) { return static_cast<int8_t>(std::min(16.0, Arrondi(v / 8.0))); }

// Brush speeds of the old files, by brush choice 1..6.
constexpr int VitessesBrush[6] = {32, 16, 8, 4, 2, 1};

// ---------------------------------------------------------------- reading

// Bounds-checked cursor over the file image: every read fails instead of passing the end.
class cLecture {
public:
    cLecture(const uint8_t *d, std::size_t n) : p(d), fin(d + n) {}

    std::size_t Reste() const { return static_cast<std::size_t>(fin - p); }
    bool U8(uint8_t &v)
    {
        if (p == fin)
            return false;
        v = *p++;
        return true;
    }
    bool I8(int8_t &v)
    {
        uint8_t u;
        if (!U8(u))
            return false;
        v = static_cast<int8_t>(u);
        return true;
    }
    bool I32(int32_t &v)
    {
        if (Reste() < 4)
            return false;
        v = static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                 static_cast<uint32_t>(p[2]) << 16 |
                                 static_cast<uint32_t>(p[3]) << 24);
        p += 4;
        return true;
    }
    // A finite IEEE double; anything else is damage.
    bool Double(double &v)
    {
        if (Reste() < 8)
            return false;
        uint64_t u = 0;
        for (int i = 7; i >= 0; --i)
            u = u << 8 | p[i];
        p += 8;
        std::memcpy(&v, &u, sizeof v);
        return std::isfinite(v);
    }
    bool Sauter(std::size_t n)
    {
        if (Reste() < n)
            return false;
        p += n;
        return true;
    }
    // One byte n, then a fixed text of capacity n - 1 (its length byte and n - 1 slots).
    bool TexteAncien(std::string &s)
    {
        uint8_t n;
        if (!U8(n))
            return false;
        if (n == 0) {
            s.clear();
            return true;
        }
        return TexteFixe(s, n - 1u);
    }
    // The length byte and `cap` character slots.
    bool TexteFixe(std::string &s, std::size_t cap)
    {
        uint8_t l;
        if (Reste() < cap + 1 || !U8(l) || l > cap)
            return false;
        s.assign(reinterpret_cast<const char *>(p), l);
        p += cap;
        return true;
    }
    // One byte n, then n characters.
    bool TexteCar(std::string &s)
    {
        uint8_t n;
        if (!U8(n) || Reste() < n)
            return false;
        s.assign(reinterpret_cast<const char *>(p), n);
        p += n;
        return true;
    }

private:
    const uint8_t *p;
    const uint8_t *fin;
};

// Barres of a diagram read from an old file, which kept none: a fret that two strings or more
// share from string 1 on, with no lower fretted string in between, is taken as a barre.
void CalculerBarres(rDiagramme &d)
{
    int frettees = 0;
    for (int c : d.Cases)
        frettees += c > 0;
    d.NbBarres = 0;
    if (frettees <= 3)
        return;
    for (int j = 1; j <= 5 && d.NbBarres < 2; ++j) {
        const int fret = d.PremiereCase + j - 1;
        int utilisees = 0;
        for (int c : d.Cases)
            utilisees += c == fret;
        if (utilisees < 2)
            continue;
        int nb = 0, derniere = 0;
        for (int s = 1; s <= 6; ++s) {
            const int c = d.Cases[s - 1];
            if (c >= 0 && c < fret)
                break;
            if (c == fret) {
                ++nb;
                derniere = s;
            }
        }
        if (nb >= 2) {
            d.BarreCase[d.NbBarres] = fret;
            d.BarreDebut[d.NbBarres] = 1;
            d.BarreFin[d.NbBarres] = derniere;
            ++d.NbBarres;
        }
    }
}

bool LireDiagrammeAncien(cLecture &l, int version, rDiagramme &d)
{
    cDiagramme r;
    if (version < 104) {
        std::string nom;
        if (!l.TexteFixe(nom, 10))
            return false;
        r.ChangerNom(nom);
        d = r.Donnees();
        return true;
    }
    std::string nom;
    uint8_t diese;
    int32_t fondamentale;
    if (!l.TexteCar(nom) || !l.U8(diese) || !l.I32(fondamentale) || !Entre(fondamentale, 0, 12))
        return false;
    r.ChangerNom(Couper(nom, CapNomDiagramme));
    r.Diese = diese == 1;
    r.Fondamentale = fondamentale;
    if (fondamentale < 12) {
        int32_t v[8];
        for (int32_t &x : v)
            if (!l.I32(x))
                return false;
        // These index the naming tables.
        if (!Entre(v[0], 0, 14) || !Entre(v[1], 0, 3) || !Entre(v[2], 0, 11) ||
            !Entre(v[3], 0, 2) || !Entre(v[4], 0, 2) || !Entre(v[5], 0, 2) || !Entre(v[6], 0, 2))
            return false;
        r.TypeAccord = v[0];
        r.Extension = v[1];
        r.Basse = v[2];
        r.DimAug = v[3];
        r.Quinte = v[4];
        r.Neuvieme = v[5];
        r.Onzieme = v[6];
        r.Add = v[7] & 1;
        for (int i = 0; i < 7; ++i)
            r.Omis[i] = !((v[7] >> (i + 1)) & 1);
    }
    int32_t premiere;
    if (!l.I32(premiere))
        return false;
    if (premiere > 0) {
        if (premiere > 99)
            return false;
        r.PremiereCase = premiere;
        for (int &c : r.Cases)
            if (!l.I32(c) || !Entre(c, -1, 99))
                return false;
        CalculerBarres(r.Donnees());
    }
    d = r.Donnees();
    return true;
}

struct rPisteAncienne {
    int32_t NbCordes = 6;
    std::array<int32_t, MaxCordes> Accordage{};
};

class cLecteurAncien {
public:
    cLecteurAncien(cLecture &l, int version, cPartition &p) : L(l), V(version), P(p) {}

    bool Lire(cListeAccordsImpression &liste);

private:
    cLecture &L;
    const int V;
    cPartition &P;

    bool LireEntete(std::vector<rPisteAncienne> &pistes, int32_t &nbMesures);
    void ConstruirePistes(const std::vector<rPisteAncienne> &pistes);
    bool LireDetailsPistes();
    bool LireMesure(cMesure &m);
    bool LireAccord(cMesurePiste &mp, cAccord &a);
    bool LireTableMix(cAccord &a);
    bool LireNotes(cAccord &a, int nbCordes);
    void LierAccord(cMesurePiste &mp, cAccord &a);
};

bool cLecteurAncien::LireEntete(std::vector<rPisteAncienne> &pistes, int32_t &nbMesures)
{
    cInformations &info = *P.Informations;
    std::string titre, auteur, instructions;
    if (!L.TexteAncien(titre) || !L.TexteAncien(auteur) || !L.TexteAncien(instructions))
        return false;
    info.Titre = Couper(titre, CapInformation);
    info.Auteur = Couper(auteur, CapInformation);
    info.Instructions = Couper(instructions, CapInformation);
    int32_t tempo;
    if (!L.I32(tempo) || !Entre(tempo, 1, 999))
        return false;
    P.Tempo = tempo;
    info.TripletFeel = false;
    if (V >= 101) {
        int32_t triplet;
        if (!L.I32(triplet))
            return false;
        info.TripletFeel = triplet == 1;
    }
    P.Tonalite = 0;
    if (V >= 103) {
        int32_t tonalite;
        if (!L.I32(tonalite) || !Entre(tonalite, -7, 7))
            return false;
        P.Tonalite = tonalite;
    }
    pistes.assign(V >= 103 ? NbPistesAnciennes : 1, rPisteAncienne{});
    for (rPisteAncienne &t : pistes) {
        if (!L.I32(t.NbCordes) || !Entre(t.NbCordes, 1, MaxCordes))
            return false;
        t.Accordage.fill(-1);
        for (int s = 0; s < t.NbCordes; ++s)
            if (!L.I32(t.Accordage[static_cast<std::size_t>(s)]) ||
                !Entre(t.Accordage[static_cast<std::size_t>(s)], 0, 127))
                return false;
    }
    if (!L.I32(nbMesures) || !Entre(nbMesures, 1, MaxMesures))
        return false;
    // The smallest measures the count announces must be in the file before anything is built.
    const unsigned long long minimum =
        static_cast<unsigned long long>(nbMesures) * (11 + 12 * pistes.size());
    return minimum <= L.Reste();
}

// Track i of the old files has a fixed place in the channel table; the eighth is the drums.
void CanauxPisteAncienne(int i, int32_t &canal, int32_t &canalEffets)
{
    if (i <= 4) {
        canal = 2 * i - 1;
        canalEffets = 2 * i;
    } else if (i <= 7) {
        canal = 2 * i + 1;
        canalEffets = 2 * i + 2;
    } else {
        canal = canalEffets = 10;
    }
}

void cLecteurAncien::ConstruirePistes(const std::vector<rPisteAncienne> &pistes)
{
    cPiste *premiere = P.PremierePiste;
    cPiste *derniere = premiere;
    for (std::size_t k = 1; k <= pistes.size(); ++k) {
        derniere = P.InsererPisteApres(derniere);
        P.ReinitialiserPiste(derniere, false);
    }
    P.SupprimerPiste(premiere);
    iInterfacePartition sansInterface;
    iInterfacePartition &noms = P.Interface ? *P.Interface : sansInterface;
    int i = 0;
    for (cPiste *t = P.PremierePiste; t; t = t->Suivante) {
        const rPisteAncienne &a = pistes[static_cast<std::size_t>(i)];
        ++i;
        t->Port = 1;
        CanauxPisteAncienne(i, t->Canal, t->CanalEffets);
        t->Percussions = i == NbPistesAnciennes;
        t->Nom = Couper(noms.NomPisteParDefaut(i), CapNomPiste);
        const int ancien = t->NbCordes;
        t->NbCordes = a.NbCordes;
        t->Accordage = a.Accordage;
        t->NbFrets = 24;
        t->Capo = 0;
        t->DouzeCordes = false;
        t->Couleur = 255;
        if (a.NbCordes == 4 || a.NbCordes == 5)
            t->Couleur = 0x00FFFF;
        if (t->Percussions)
            t->Couleur = 0xFF0000;
        t->MemoriserAvant();
        t->ChangerNbCordes(ancien);
    }
}

bool cLecteurAncien::LireDetailsPistes()
{
    if (V < 103) {
        int32_t programme;
        if (!L.I32(programme) || !Entre(programme, -1, 127))
            return false;
        const cPiste *t = P.PremierePiste;
        P.Canaux[t->Port][t->Canal].Instrument = programme;
        P.Canaux[t->Port][t->CanalEffets].Instrument = programme;
        return true;
    }
    for (cPiste *t = P.PremierePiste; t; t = t->Suivante) {
        int32_t programme, frets, volume, balance, chorus, reverb, capo;
        std::string nom;
        uint8_t drapeaux;
        if (!L.I32(programme) || !L.I32(frets) || !L.TexteAncien(nom) || !L.U8(drapeaux) ||
            !L.I32(volume) || !L.I32(balance) || !L.I32(chorus) || !L.I32(reverb) ||
            !L.I32(capo))
            return false;
        // The export writes 16 × 8 = 128 for a full volume: one more than MIDI has.
        if (!Entre(programme, -1, 127) || !Entre(frets, 1, 99) || !Entre(volume, 0, 128) ||
            !Entre(balance, 0, 128) || !Entre(chorus, 0, 128) || !Entre(reverb, 0, 128) ||
            !Entre(capo, 0, 99))
            return false;
        for (int32_t canal : {t->Canal, t->CanalEffets}) {
            rCanalMidi &c = P.Canaux[t->Port][canal];
            c.Instrument = programme;
            c.Volume = static_cast<uint8_t>(VersEchelle16(volume));
            c.Balance = static_cast<uint8_t>(VersEchelle16(balance));
            c.Chorus = static_cast<uint8_t>(VersEchelle16(chorus));
            c.Reverb = static_cast<uint8_t>(VersEchelle16(reverb));
        }
        t->Nom = Couper(nom, CapNomPiste);
        t->NbFrets = frets;
        t->DouzeCordes = drapeaux & 0x08;
        t->Capo = capo;
        t->MemoriserAvant();
    }
    return L.Sauter(6 + 4);
}

bool cLecteurAncien::LireTableMix(cAccord &a)
{
    uint8_t masque;
    if (!L.U8(masque) || (masque & 0xC0))
        return false;
    auto *t = new cTableMixEvent;
    a.TableMix = t;
    if (masque & 0x20) {
        if (!L.I32(t->Tempo) || !Entre(t->Tempo, 1, 999) || !L.U8(t->TransTempo))
            return false;
    }
    struct rValeur {
        uint8_t Bit;
        int8_t &Valeur;
        uint8_t &Transition;
    };
    const rValeur valeurs[] = {{0x10, t->Reverb, t->TransReverb},
                               {0x08, t->Chorus, t->TransChorus},
                               {0x04, t->Balance, t->TransBalance},
                               {0x02, t->Volume, t->TransVolume}};
    for (const rValeur &v : valeurs) {
        if (!(masque & v.Bit))
            continue;
        uint8_t x;
        if (!L.U8(x) || x > 128 || !L.U8(v.Transition))
            return false;
        v.Valeur = VersEchelle16(x);
    }
    if (masque & 0x01) {
        uint8_t instrument;
        if (!L.U8(instrument) || instrument > 127)
            return false;
        t->Instrument = static_cast<int8_t>(instrument);
    }
    return true;
}

bool cLecteurAncien::LireNotes(cAccord &a, int nbCordes)
{
    uint8_t cordes, effets, graces = 0;
    if (!L.U8(cordes) || !L.U8(effets) || (V >= 220 && !L.U8(graces)))
        return false;
    // A bit beyond the track's strings would address a note the beat does not have.
    const unsigned hors = ~((1u << nbCordes) - 1u) & 0xFFu;
    if ((cordes | effets | graces) & hors)
        return false;
    for (int s = 1; s <= nbCordes; ++s) {
        const unsigned bit = 1u << (nbCordes - s);
        cNote &n = *a.Notes[s];
        if (cordes & bit) {
            uint8_t fret, nuance = 6, code = 0;
            if (!L.U8(fret) || (V >= 220 && !L.U8(nuance)) || !Entre(nuance, 1, 8))
                return false;
            if (fret > FretMorte && fret != FretAbsente)
                return false;
            double amplitude = 0;
            if (effets & bit) {
                if (!L.U8(code) || !Entre(code, 1, 7))
                    return false;
                if ((code == 5 || code == 6) && !L.Double(amplitude))
                    return false;
            }
            if (fret != FretAbsente) {
                n.Type = fret == FretMorte ? 3 : 1;
                n.Case = fret == FretMorte ? 255 : fret;
                n.Nuance = nuance;
                if (code == 1 || code == 2) {
                    n.EffetsCrees().HammerPullOff = true;
                } else if (code == 3 || code == 4) {
                    n.EffetsCrees().Slide = true;
                } else if (code == 5 || code == 6) {
                    const double v = Arrondi(amplitude * 100.0);
                    if (!(v >= 0 && v <= 300))
                        return false;
                    auto *b = new cEffet_Bend;
                    n.EffetsCrees().Bend = b;
                    b->Type = code == 5 ? 1 : 2;
                    b->Valeur = static_cast<int32_t>(v);
                    b->AjouterForme(0, 0);
                    if (code == 5) {
                        b->AjouterForme(30, b->Valeur);
                        b->AjouterForme(60, b->Valeur);
                    } else {
                        b->AjouterForme(15, b->Valeur);
                        b->AjouterForme(30, b->Valeur);
                        b->AjouterForme(45, 0);
                        b->AjouterForme(60, 0);
                    }
                } else if (code == 7) {
                    n.EffetsCrees().LetRing = true;
                }
            }
        }
        if (graces & bit) {
            uint8_t fret, nuance, duree;
            if (!L.U8(fret) || !L.U8(nuance) || !L.U8(duree) || fret > FretMorte ||
                !Entre(nuance, 1, 8) || !Entre(duree, 1, 3))
                return false;
            auto *g = new cEffet_Appogiature;
            n.EffetsCrees().Appogiature = g;
            g->Case = fret == FretMorte ? 255 : fret;
            g->Nuance = nuance;
            g->Duree = duree;
        }
    }
    a.ActualiserEtat();
    return true;
}

bool cLecteurAncien::LireAccord(cMesurePiste &mp, cAccord &a)
{
    int32_t position;
    int8_t code;
    uint8_t f1, f2 = 0;
    if (!L.I32(position) || !L.I8(code) || !Entre(code, -2, 4) || !L.U8(f1) || (f1 & 0x80))
        return false;
    if (V >= 220 && (!L.U8(f2) || (f2 & 0xFC)))
        return false;
    a.CodeDuree = code;
    a.Pointe = f1 & 0x10;
    a.Triolet = (f1 & 0x20) ? 3 : 1;
    const bool silence = f1 & 0x08;
    const bool lie = (f1 & 0x40) && !silence;
    a.Etat = silence ? 2 : 0;
    if ((f2 & 0x02) && !LireTableMix(a))
        return false;
    if (f2 & 0x01) {
        uint8_t sens, vitesse;
        if (!L.U8(sens) || !L.U8(vitesse))
            return false;
        const int *v = std::find(std::begin(VitessesBrush), std::end(VitessesBrush), vitesse);
        if (v == std::end(VitessesBrush))
            return false;
        const auto choix = static_cast<int8_t>(v - std::begin(VitessesBrush) + 1);
        (sens == 1 ? a.EffetsCrees().BrushUp : a.EffetsCrees().BrushDown) = choix;
    }
    if ((f1 & 0x20) && !L.Sauter(1))
        return false;
    if (f1 & 0x04) {
        uint8_t effet;
        if (!L.U8(effet) || !Entre(effet, 1, 9))
            return false;
        cEffets_Accord &e = a.EffetsCrees();
        switch (effet) {
        case 1: e.Vibrato = true; break;
        case 2: e.TremoloBar = true; break;
        case 3: {
            double coup;
            if (!L.Double(coup))
                return false;
            const double v = Arrondi(coup * 100.0);
            if (!(v >= 0 && v <= 600))
                return false;
            e.CoupVibrato = static_cast<int32_t>(v);
            break;
        }
        case 4: e.FadeIn = true; break;
        case 5: e.Frappe = 1; break;
        case 6: e.Frappe = 2; break;
        case 7: e.Frappe = 3; break;
        case 8: e.HarmoniqueNaturelle = true; break;
        default: e.HarmoniqueArtificielle = true; break;
        }
    }
    a.LibererEffetsVides();
    if (f1 & 0x02) {
        a.Diagramme = new cDiagramme;
        if (!LireDiagrammeAncien(L, V, a.Diagramme->Donnees()))
            return false;
    }
    if (f1 & 0x01) {
        std::string texte;
        if (V >= 104 ? !L.TexteCar(texte) : !L.TexteFixe(texte, 40))
            return false;
        a.Texte = new cTexte;
        a.Texte->Texte = Couper(texte, 40);
    }
    if (lie) {
        const cAccord *avant = a.Precedent;
        if (!avant && mp.PrecedenteDansPiste)
            avant = mp.PrecedenteDansPiste->DernierAccord();
        for (int s = 1; avant && s <= a.NbNotes && s <= avant->NbNotes; ++s)
            if (avant->Notes[s]->Type != 0)
                a.Notes[s]->Type = 2;
        // A tie with nothing to continue is silence of the same length.
        a.Etat = a.ActualiserEtat() ? 1 : 2;
    } else if (!silence && !LireNotes(a, a.NbNotes)) {
        return false;
    }
    a.CalculerDuree();
    a.PropagerDuree();
    return true;
}

bool cLecteurAncien::LireMesure(cMesure &m)
{
    uint8_t num, den;
    if (!L.U8(num) || !L.U8(den) || !Entre(num, 1, 32) ||
        (den != 1 && den != 2 && den != 4 && den != 8 && den != 16 && den != 32) ||
        !L.Sauter(8))
        return false;
    m.ChangerSignature(num, den);
    std::vector<int32_t> nbAccords;
    long long total = 0;
    for (cMesurePiste *mp = m.PremiereMesurePiste; mp; mp = mp->SuivanteDansMesure) {
        int32_t nb;
        if (!L.I32(nb) || !Entre(nb, 0, MaxAccords) || !L.Sauter(8))
            return false;
        nbAccords.push_back(nb);
        total += nb;
    }
    uint8_t f, renvoi = 0, repetition = 0;
    if (!L.U8(f) || (f & 0xF8))
        return false;
    if ((f & 0x02) && (!L.U8(renvoi) || renvoi > 99))
        return false;
    if ((f & 0x04) && (!L.U8(repetition) || repetition > 99))
        return false;
    m.RenvoiDebut = f & 0x01;
    m.RenvoiFin = static_cast<int8_t>(renvoi);
    m.Repetition = static_cast<int8_t>(repetition);
    // Each beat takes at least its position, duration and flags.
    if (static_cast<unsigned long long>(total) * 6 > L.Reste())
        return false;
    std::size_t k = 0;
    for (cMesurePiste *mp = m.PremiereMesurePiste; mp; mp = mp->SuivanteDansMesure, ++k) {
        cAccord *a = mp->PremierAccord;
        bool ok = true;
        mp->SansIndex = true;
        for (int32_t i = 1; i <= nbAccords[k] && ok; ++i) {
            if (i > 1)
                a = mp->InsererAccordApres(a);
            ok = a && LireAccord(*mp, *a);
        }
        mp->SansIndex = false;
        mp->IndexerAccords();
        mp->CalculerDuree();
        if (!ok)
            return false;
    }
    return true;
}

bool cLecteurAncien::Lire(cListeAccordsImpression &liste)
{
    std::vector<rPisteAncienne> pistes;
    int32_t nbMesures;
    if (!LireEntete(pistes, nbMesures))
        return false;
    ConstruirePistes(pistes);
    P.EnChargement = true;
    cMesure *mesure = P.PremiereMesure;
    for (int m = 2; m <= nbMesures; ++m)
        mesure = P.InsererMesureApres(mesure);
    P.EnChargement = false;
    P.IndexerMesures();
    P.IndexerPistes();
    if (!LireDetailsPistes())
        return false;
    for (cMesure *m = P.PremiereMesure; m; m = m->Suivante)
        if (!LireMesure(*m))
            return false;
    if (V >= 104) {
        int32_t nb;
        if (!L.I32(nb) || !Entre(nb, 0, cListeAccordsImpression::Max))
            return false;
        for (int32_t i = 0; i < nb; ++i) {
            cDiagramme d;
            if (!LireDiagrammeAncien(L, V, d.Donnees()))
                return false;
            liste.Ajouter(d.Donnees());
        }
    }
    // Old files always hold eight tracks: those never used go.
    for (cPiste *t = P.PremierePiste; t;) {
        cPiste *suivante = t->Suivante;
        if (P.NbPistes > 1 && t->EstVide())
            P.SupprimerPiste(t);
        t = suivante;
    }
    return true;
}

// ---------------------------------------------------------------- writing

class cEcritureAncienne {
public:
    std::string o;

    void U8(int v) { o.push_back(static_cast<char>(static_cast<uint8_t>(v))); }
    void I32(int32_t v)
    {
        const auto u = static_cast<uint32_t>(v);
        for (int i = 0; i < 4; ++i)
            U8(static_cast<int>((u >> (8 * i)) & 0xFF));
    }
    void Double(double v)
    {
        uint64_t u;
        std::memcpy(&u, &v, sizeof u);
        for (int i = 0; i < 8; ++i)
            U8(static_cast<int>((u >> (8 * i)) & 0xFF));
    }
    // n = capacity + 1, the length byte, the characters and zeros up to the capacity.
    void TexteAncien(const std::string &s, std::size_t cap)
    {
        U8(static_cast<int>(cap + 1));
        const std::string t = Couper(s, cap);
        U8(static_cast<int>(t.size()));
        o += t;
        o.append(cap - t.size(), '\0');
    }
    void TexteCar(const std::string &s, std::size_t cap)
    {
        const std::string t = Couper(s, cap);
        U8(static_cast<int>(t.size()));
        o += t;
    }
};

void EcrireDiagrammeAncien(cEcritureAncienne &e, const rDiagramme &d)
{
    const std::size_t n = std::min<std::size_t>(d.NomLongueur, sizeof d.Nom);
    e.TexteCar(std::string(d.Nom, n), CapNomDiagramme);
    e.U8(d.Diese ? 1 : 0);
    e.I32(d.Fondamentale);
    if (d.Fondamentale < 12) {
        for (int32_t v : {d.TypeAccord, d.Extension, d.Basse, d.DimAug, d.Quinte, d.Neuvieme,
                          d.Onzieme})
            e.I32(v);
        int32_t drapeaux = d.Add ? 1 : 0;
        for (int i = 0; i < 7; ++i)
            if (!d.Omis[i])
                drapeaux |= 1 << (i + 1);
        e.I32(drapeaux);
    }
    e.I32(std::min(d.PremiereCase, 99));
    if (d.PremiereCase > 0)
        for (int c : d.Cases)
            e.I32(Borne(c, -1, 99));
}

// The placeholder where the next note would be typed, left at the end of a measure.
bool PlaceVide(const cAccord &a)
{
    if (a.Etat != 0 || a.Diagramme || a.Texte || a.TableMix || a.Effets)
        return false;
    for (const cNote *n = a.PremiereNote; n; n = n->Suivante)
        if (n->Type != 0 || n->Effets)
            return false;
    return true;
}

// Beats of a track measure as version 2.21 keeps them: no trailing placeholder (however many
// there are), at most 64, and none at all for a measure that holds only placeholders.
int NbAccordsEcrits(const cMesurePiste &mp)
{
    int nb = 0, places = 0;
    for (const cAccord *a = mp.PremierAccord; a; a = a->Suivant) {
        ++nb;
        places = PlaceVide(*a) ? places + 1 : 0;
    }
    return nb - places;
}

// Which tracks fill the eight slots (null: the filler).
std::array<const cPiste *, NbPistesAnciennes> Emplacements(const cPartition &p)
{
    std::array<const cPiste *, NbPistesAnciennes> e{};
    std::size_t k = 0;
    for (const cPiste *t = p.PremierePiste; t && k < 7; t = t->Suivante)
        if (!t->Percussions && t->NbCordes <= 6)
            e[k++] = t;
    for (const cPiste *t = p.PremierePiste; t; t = t->Suivante)
        if (t->Percussions) {
            e[7] = t;
            break;
        }
    return e;
}

int CodeEffetAccord(const cEffets_Accord &x)
{
    int code = 0;
    if (x.Vibrato)
        code = 1;
    if (x.TremoloBar)
        code = 2;
    if (x.CoupVibrato != 0)
        code = 3;
    if (x.HarmoniqueNaturelle)
        code = 8;
    if (x.HarmoniqueArtificielle)
        code = 9;
    if (x.FadeIn)
        code = 4;
    if (x.Frappe == 1)
        code = 5;
    if (x.Frappe == 2)
        code = 6;
    if (x.Frappe == 3)
        code = 7;
    return code;
}

// The next note on the same string in the rest of the measure that is played (normal or dead).
const cNote *NoteSuivante(const cAccord &a, int corde)
{
    for (const cAccord *b = a.Suivant; b; b = b->Suivant)
        if (corde <= b->NbNotes && (b->Notes[corde]->Type == 1 || b->Notes[corde]->Type == 3))
            return b->Notes[corde];
    return nullptr;
}

int CodeEffetNote(const cAccord &a, const cNote &n)
{
    if (!n.Effets)
        return 0;
    const cEffets_Note &x = *n.Effets;
    int code = 0;
    const cNote *suivante = (x.HammerPullOff || x.Slide) ? NoteSuivante(a, n.Corde) : nullptr;
    const bool descend = suivante && suivante->Type == 1 && n.Type == 1 && suivante->Case < n.Case;
    if (x.HammerPullOff)
        code = descend ? 2 : 1;
    if (x.Slide)
        code = descend ? 4 : 3;
    if (x.Bend)
        code = x.Bend->Type == 2 ? 6 : 5;
    if (x.LetRing)
        code = 7;
    return code;
}

void EcrireTableMixAncienne(cEcritureAncienne &e, const cTableMixEvent &t)
{
    const int masque = (t.Instrument >= 0 ? 0x01 : 0) | (t.Volume >= 0 ? 0x02 : 0) |
                       (t.Balance >= 0 ? 0x04 : 0) | (t.Chorus >= 0 ? 0x08 : 0) |
                       (t.Reverb >= 0 ? 0x10 : 0) | (t.Tempo >= 0 ? 0x20 : 0);
    e.U8(masque);
    if (t.Tempo >= 0) {
        e.I32(Borne(t.Tempo, 1, 999));
        e.U8(t.TransTempo);
    }
    if (t.Reverb >= 0) {
        e.U8(Borne(t.Reverb, 0, 16) * 8);
        e.U8(t.TransReverb);
    }
    if (t.Chorus >= 0) {
        e.U8(Borne(t.Chorus, 0, 16) * 8);
        e.U8(t.TransChorus);
    }
    if (t.Balance >= 0) {
        e.U8(Borne(t.Balance, 0, 16) * 8);
        e.U8(t.TransBalance);
    }
    if (t.Volume >= 0) {
        e.U8(Borne(t.Volume, 0, 16) * 8);
        e.U8(t.TransVolume);
    }
    if (t.Instrument >= 0)
        e.U8(t.Instrument);
}

bool TableMixEcrite(const cTableMixEvent *t)
{
    return t && (t->Instrument >= 0 || t->Volume >= 0 || t->Balance >= 0 || t->Chorus >= 0 ||
                 t->Reverb >= 0 || t->Tempo >= 0);
}

void EcrireAccordAncien(cEcritureAncienne &e, const cAccord &a, int rangTriolet)
{
    const bool autreTuplet = a.Triolet != 1 && a.Triolet != 3;
    e.I32(static_cast<int32_t>(Arrondi(TicksDuree(a.CodeDuree, a.Pointe, a.Triolet,
                                                  autreTuplet))));
    e.U8(a.CodeDuree);
    const cEffets_Accord *x = a.Effets;
    const int codeEffet = x ? CodeEffetAccord(*x) : 0;
    const bool lie = a.SansSon();
    const bool silence = a.Etat == 2;
    e.U8((a.Texte ? 0x01 : 0) | (a.Diagramme ? 0x02 : 0) | (codeEffet ? 0x04 : 0) |
         (silence ? 0x08 : 0) | (a.Pointe ? 0x10 : 0) | (a.Triolet == 3 ? 0x20 : 0) |
         (lie ? 0x40 : 0));
    const bool brush = x && (x->BrushUp != 0 || x->BrushDown != 0);
    const bool mix = TableMixEcrite(a.TableMix);
    e.U8((brush ? 0x01 : 0) | (mix ? 0x02 : 0));
    if (mix)
        EcrireTableMixAncienne(e, *a.TableMix);
    if (brush) {
        const int choix = std::clamp<int>(x->BrushUp != 0 ? x->BrushUp : x->BrushDown, 1, 6);
        e.U8(x->BrushUp != 0 ? 1 : 2);
        e.U8(VitessesBrush[choix - 1]);
    }
    if (a.Triolet == 3)
        e.U8(rangTriolet);
    if (codeEffet) {
        e.U8(codeEffet);
        if (codeEffet == 3)
            e.Double(Borne(x->CoupVibrato, 0, 600) / 100.0);
    }
    if (a.Diagramme)
        EcrireDiagrammeAncien(e, a.Diagramme->Donnees());
    if (a.Texte)
        e.TexteCar(a.Texte->Texte, 40);
    if (silence || lie)
        return;
    const int n = a.NbNotes;
    int cordes = 0, effets = 0, graces = 0;
    int codes[MaxCordes + 1] = {};
    for (int s = 1; s <= n; ++s) {
        const cNote &note = *a.Notes[s];
        const int bit = 1 << (n - s);
        if (note.Type == 1 || note.Type == 3) {
            cordes |= bit;
            codes[s] = CodeEffetNote(a, note);
            if (codes[s])
                effets |= bit;
        }
        if (note.Effets && note.Effets->Appogiature)
            graces |= bit;
    }
    e.U8(cordes);
    e.U8(effets);
    e.U8(graces);
    for (int s = 1; s <= n; ++s) {
        const cNote &note = *a.Notes[s];
        const int bit = 1 << (n - s);
        if (cordes & bit) {
            e.U8(note.Type == 3 ? FretMorte : std::min<int>(note.Case, 99));
            e.U8(Borne(note.Nuance, 1, 8));
            if (effets & bit) {
                e.U8(codes[s]);
                if (codes[s] == 5 || codes[s] == 6)
                    e.Double(Borne(note.Effets->Bend->Valeur, 0, 300) / 100.0);
            }
        }
        if (graces & bit) {
            const cEffet_Appogiature &g = *note.Effets->Appogiature;
            e.U8(g.Case == 255 ? FretMorte : std::min<int>(g.Case, 99));
            e.U8(Borne(g.Nuance, 1, 8));
            e.U8(Borne(g.Duree, 1, 3));
        }
    }
}

} // namespace

bool LireAncienFormat(const uint8_t *donnees, std::size_t n, int version, cPartition &p,
                      cListeAccordsImpression &liste, std::string &cle)
{
    p.Nouveau();
    liste.Vider();
    bool ok = n >= TailleEntete && version >= 100 && version < 300;
    if (ok) {
        cLecture l(donnees + TailleEntete, n - TailleEntete);
        cLecteurAncien lecteur(l, version, p);
        try {
            ok = lecteur.Lire(liste);
        } catch (const std::bad_alloc &) {
            ok = false;
        }
    }
    if (!ok) {
        // Never a half-read score: what is left is a new one, as after New.
        p.EnChargement = false;
        p.Nouveau();
        liste.Vider();
        cle = CleIncorrect;
        return false;
    }
    p.ReconstruireMarkers();
    p.Vierge = false;
    p.PlacerCurseur(rPosition{});
    return true;
}

bool ExportAncienPerdAccords(const cPartition &p)
{
    const auto slots = Emplacements(p);
    for (const cPiste *t : slots) {
        if (!t)
            continue;
        for (const cMesurePiste *mp = t->PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste)
            if (NbAccordsEcrits(*mp) > MaxAccordsAncien)
                return true;
    }
    return false;
}

void EcrireAncienFormatMemoire(const cPartition &p, const cListeAccordsImpression &liste,
                               const std::string &nomPercussions, std::string &sortie)
{
    const auto slots = Emplacements(p);
    // The filler stands for the slots no track fills; it is never part of the score.
    cPiste remplissage;
    remplissage.ProprietesParDefaut();
    cPiste remplissageBatterie;
    remplissageBatterie.ProprietesParDefaut();
    remplissageBatterie.Nom = Couper(nomPercussions, CapNomPiste);
    remplissageBatterie.Accordage = {0, 0, 0, 0, 0, 0, -1};
    remplissageBatterie.NbFrets = 87;
    auto piste = [&](std::size_t k) -> const cPiste & {
        if (slots[k])
            return *slots[k];
        return k == 7 ? remplissageBatterie : remplissage;
    };

    cEcritureAncienne e;
    e.U8(static_cast<int>(Magique221.size()));
    e.o += Magique221;
    e.o.append(TailleEntete - 1 - Magique221.size(), '\0');
    const cInformations &info = *p.Informations;
    e.TexteAncien(info.Titre, 100);
    e.TexteAncien(info.Auteur, 50);
    e.TexteAncien(info.Instructions, 100);
    e.I32(Borne(p.Tempo, 1, 999));
    e.I32(info.TripletFeel ? 1 : 0);
    e.I32(p.Tonalite);
    for (std::size_t k = 0; k < NbPistesAnciennes; ++k) {
        const cPiste &t = piste(k);
        e.I32(t.NbCordes);
        for (int s = 1; s <= t.NbCordes; ++s)
            e.I32(Borne(t.AccordageCorde(s), 0, 127));
    }
    int32_t nbMesures = 0;
    for (const cMesure *m = p.PremiereMesure; m; m = m->Suivante)
        ++nbMesures;
    e.I32(nbMesures);
    for (std::size_t k = 0; k < NbPistesAnciennes; ++k) {
        const cPiste &t = piste(k);
        int32_t programme = k == 7 ? 0 : 24;
        int volume = 104, balance = 0, chorus = 0, reverb = 0;
        if (slots[k]) {
            const bool alloue = Entre(t.Port, 1, MaxPorts) && Entre(t.Canal, 1, MaxCanaux);
            const rCanalMidi c = alloue ? p.Canaux[t.Port][t.Canal] : rCanalMidi{};
            programme = Borne(c.Instrument, -1, 127);
            volume = Borne(c.Volume, 0, 16) * 8;
            balance = Borne(c.Balance, 0, 16) * 8;
            chorus = Borne(c.Chorus, 0, 16) * 8;
            reverb = Borne(c.Reverb, 0, 16) * 8;
        }
        e.I32(programme);
        e.I32(Borne(t.NbFrets, 1, 99));
        e.TexteAncien(t.Nom, CapNomPiste);
        e.U8(t.DouzeCordes ? 0x08 : 0);
        for (int v : {volume, balance, chorus, reverb})
            e.I32(v);
        e.I32(Borne(t.Capo, 0, 99));
    }
    e.U8(0x01);
    e.U8(0x30);
    e.o.append(4, '\0');
    e.I32(0);

    for (const cMesure *m = p.PremiereMesure; m; m = m->Suivante) {
        std::array<const cMesurePiste *, NbPistesAnciennes> mps{};
        std::array<int, NbPistesAnciennes> nb{};
        for (const cMesurePiste *mp = m->PremiereMesurePiste; mp; mp = mp->SuivanteDansMesure)
            for (std::size_t k = 0; k < NbPistesAnciennes; ++k)
                if (slots[k] && mp->Piste == slots[k])
                    mps[k] = mp;
        e.U8(m->Numerateur);
        e.U8(m->Denominateur);
        e.Double(m->Longueur / TicksNoire);
        for (std::size_t k = 0; k < NbPistesAnciennes; ++k) {
            nb[k] = mps[k] ? std::min(NbAccordsEcrits(*mps[k]), MaxAccordsAncien) : 0;
            double total = 0;
            int i = 0;
            for (const cAccord *a = nb[k] > 0 ? mps[k]->PremierAccord : nullptr; a && i < nb[k];
                 a = a->Suivant, ++i)
                total += a->Duree;
            e.I32(nb[k]);
            e.Double(total);
        }
        e.U8((m->RenvoiDebut ? 0x01 : 0) | (m->RenvoiFin > 0 ? 0x02 : 0) |
             (m->Repetition > 0 ? 0x04 : 0));
        if (m->RenvoiFin > 0)
            e.U8(std::min<int>(m->RenvoiFin, 99));
        if (m->Repetition > 0)
            e.U8(std::min<int>(m->Repetition, 99));
        for (std::size_t k = 0; k < NbPistesAnciennes; ++k) {
            int i = 0, rang = 0;
            for (const cAccord *a = nb[k] > 0 ? mps[k]->PremierAccord : nullptr;
                 a && i < nb[k]; a = a->Suivant, ++i) {
                rang = a->Triolet == 3 ? rang % 3 + 1 : 0;
                EcrireAccordAncien(e, *a, rang);
            }
        }
    }
    e.I32(liste.Nb());
    for (int i = 1; i <= liste.Nb(); ++i)
        EcrireDiagrammeAncien(e, liste.Accord(i));
    sortie = std::move(e.o);
}

bool ExporterAncienFormat(const cPartition &p, const cListeAccordsImpression &liste,
                          const std::string &nomPercussions, const std::string &chemin,
                          std::string &cle)
{
    std::string donnees;
    try {
        EcrireAncienFormatMemoire(p, liste, nomPercussions, donnees);
    } catch (const std::bad_alloc &) {
        cle = CleEcriture;
        return false;
    }
    if (chemin.empty() || !EcrireFichierSur(chemin, donnees)) {
        cle = CleEcriture;
        return false;
    }
    return true;
}
