#include "fileio/uFichierPLT.h"
#include "fileio/uEcritureSure.h"
#include "fileio/uFichierAncien.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "chords/uListeAccordsImpression.h"
#include "model/uPartition.h"

namespace {

const char *const CleEcriture = "MidiExp-EcritureFichierImpossibleEnregAb";
const char *const CleAcces = "Fichier-AccesImpossible";
const char *const CleAncienne = "Fichier-VersionAncienne";
const char *const CleIncorrect = "Fichier-Incorrect";

struct rMagique {
    std::string_view Texte;
    int Version;
};
constexpr rMagique Magiques[] = {
    {"FICHIER PLECTORIALE v1", 100},    {"FICHIER PLECTORIALE v1.01", 101},
    {"FICHIER PLECTORIALE v1.02", 102}, {"FICHIER PLECTORIALE v1.03", 103},
    {"FICHIER PLECTORIALE v1.04", 104}, {"FICHIER PLECTORIUM v2.20", 220},
    {"FICHIER PLECTORIUM v2.21", 221},  {"FICHIER PLECTORIUM v3.00", 300},
};
constexpr std::string_view MagiqueCourante = "FICHIER PLECTORIUM v3.00";
constexpr std::string_view PrefixePremiereGeneration = "FICHIER PLECTORIALE";

constexpr std::size_t TailleDiagramme = sizeof(rDiagramme);
constexpr std::size_t TaillePiste = 98;
constexpr std::size_t TailleForme = 9; // one bend point

// ---------------------------------------------------------------- writing

// Appends to a byte image. Records reserve their room first (Reserver), so that the
// primitives are plain stores: writing runs at memory speed.
class cEcriture {
public:
    explicit cEcriture(std::string &s) : o(s) { o.clear(); }
    ~cEcriture() { o.resize(n); }
    cEcriture(const cEcriture &) = delete;
    cEcriture &operator=(const cEcriture &) = delete;

    void Reserver(std::size_t k)
    {
        if (taille - n < k)
            Agrandir(k);
    }

    uint8_t *Ici() { return d + n; }
    void Jusque(const uint8_t *q) { n = static_cast<std::size_t>(q - d); }
    void U8(uint8_t v) { d[n++] = v; }
    void I8(int8_t v) { U8(static_cast<uint8_t>(v)); }
    void Bool(bool v) { U8(v ? 1 : 0); }
    void I32(int32_t v)
    {
        const auto u = static_cast<uint32_t>(v);
        d[n] = static_cast<uint8_t>(u);
        d[n + 1] = static_cast<uint8_t>(u >> 8);
        d[n + 2] = static_cast<uint8_t>(u >> 16);
        d[n + 3] = static_cast<uint8_t>(u >> 24);
        n += 4;
    }
    void Zeros(std::size_t k)
    {
        std::memset(d + n, 0, k);
        n += k;
    }
    void Octets(const void *src, std::size_t k)
    {
        std::memcpy(d + n, src, k);
        n += k;
    }

    // int32 (length + 1), the length byte, the characters; longer texts are cut.
    void TexteCompte(const std::string &s, std::size_t cap)
    {
        const std::size_t k = s.size() < cap ? s.size() : cap;
        Reserver(5 + k);
        I32(static_cast<int32_t>(k + 1));
        U8(static_cast<uint8_t>(k));
        Octets(s.data(), k);
    }
    // The length byte and exactly `cap` character bytes, the unused tail zeroed.
    void TexteFixe(const std::string &s, std::size_t cap)
    {
        const std::size_t k = s.size() < cap ? s.size() : cap;
        Reserver(1 + cap);
        U8(static_cast<uint8_t>(k));
        Octets(s.data(), k);
        Zeros(cap - k);
    }

private:
    void Agrandir(std::size_t k)
    {
        o.resize(std::max(o.size() * 2, n + k + 4096));
        d = reinterpret_cast<uint8_t *>(o.data());
        taille = o.size();
    }

    std::string &o;
    uint8_t *d = nullptr;
    std::size_t n = 0;
    std::size_t taille = 0;
};

void PoserI32(uint8_t *b, int32_t v)
{
    const auto u = static_cast<uint32_t>(v);
    b[0] = static_cast<uint8_t>(u);
    b[1] = static_cast<uint8_t>(u >> 8);
    b[2] = static_cast<uint8_t>(u >> 16);
    b[3] = static_cast<uint8_t>(u >> 24);
}

int32_t PrendreI32(const uint8_t *b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                                static_cast<uint32_t>(b[2]) << 16 |
                                static_cast<uint32_t>(b[3]) << 24);
}

std::size_t LongueurNom(const rDiagramme &d)
{
    return d.NomLongueur > sizeof(d.Nom) ? sizeof(d.Nom) : d.NomLongueur;
}

// The 124 bytes of a diagram as they go to files: pads and the name's tail are zeros and the
// flags 0 or 1, whatever memory holds.
void CoderDiagramme(const rDiagramme &d, uint8_t *b)
{
    std::memset(b, 0, TailleDiagramme);
    b[offsetof(rDiagramme, Diese)] = d.Diese ? 1 : 0;
    PoserI32(b + offsetof(rDiagramme, Fondamentale), d.Fondamentale);
    PoserI32(b + offsetof(rDiagramme, TypeAccord), d.TypeAccord);
    PoserI32(b + offsetof(rDiagramme, Extension), d.Extension);
    PoserI32(b + offsetof(rDiagramme, Basse), d.Basse);
    PoserI32(b + offsetof(rDiagramme, DimAug), d.DimAug);
    b[offsetof(rDiagramme, Add)] = d.Add ? 1 : 0;
    const std::size_t n = LongueurNom(d);
    b[offsetof(rDiagramme, NomLongueur)] = static_cast<uint8_t>(n);
    std::memcpy(b + offsetof(rDiagramme, Nom), d.Nom, n);
    PoserI32(b + offsetof(rDiagramme, Quinte), d.Quinte);
    PoserI32(b + offsetof(rDiagramme, Neuvieme), d.Neuvieme);
    PoserI32(b + offsetof(rDiagramme, Onzieme), d.Onzieme);
    PoserI32(b + offsetof(rDiagramme, PremiereCase), d.PremiereCase);
    for (int i = 0; i < 6; ++i)
        PoserI32(b + offsetof(rDiagramme, Cases) + 4 * i, d.Cases[i]);
    PoserI32(b + offsetof(rDiagramme, NbBarres), d.NbBarres);
    for (int i = 0; i < 2; ++i) {
        PoserI32(b + offsetof(rDiagramme, BarreCase) + 4 * i, d.BarreCase[i]);
        PoserI32(b + offsetof(rDiagramme, BarreDebut) + 4 * i, d.BarreDebut[i]);
        PoserI32(b + offsetof(rDiagramme, BarreFin) + 4 * i, d.BarreFin[i]);
    }
    for (int i = 0; i < 7; ++i)
        b[offsetof(rDiagramme, Omis) + i] = d.Omis[i] ? 1 : 0;
}

bool TousMuets(const rDiagramme &d)
{
    for (int c : d.Cases)
        if (c != -1)
            return false;
    return true;
}

// The short form keeps only the name, the top fret and the frets. It is used for a user chord
// only when reading it back gives the same diagram, so that no barre, flag or degree of a user
// chord is lost; any other diagram takes the long form.
bool FormeCourte(const rDiagramme &d)
{
    if (d.Fondamentale != 12)
        return false;
    cDiagramme relu;
    relu.ChangerNom(std::string(d.Nom, LongueurNom(d)));
    if (!TousMuets(d)) {
        if (d.PremiereCase <= 0)
            return false;
        relu.PremiereCase = d.PremiereCase;
        for (int i = 0; i < 6; ++i)
            relu.Cases[i] = d.Cases[i];
    }
    uint8_t a[TailleDiagramme], b[TailleDiagramme];
    CoderDiagramme(d, a);
    CoderDiagramme(relu, b);
    return std::memcmp(a, b, TailleDiagramme) == 0;
}

void EcrireDiagramme(cEcriture &e, const rDiagramme &d)
{
    e.Reserver(1 + TailleDiagramme);
    if (FormeCourte(d)) {
        e.U8(0);
        e.TexteCompte(std::string(d.Nom, LongueurNom(d)), CapNomDiagramme);
        e.Reserver(28);
        if (TousMuets(d)) {
            e.I32(0);
        } else {
            e.I32(d.PremiereCase);
            for (int c : d.Cases)
                e.I32(c);
        }
        return;
    }
    e.U8(1);
    uint8_t b[TailleDiagramme];
    CoderDiagramme(d, b);
    e.Octets(b, TailleDiagramme);
}

void EcrireEffetsAccord(cEcriture &e, const cEffets_Accord &x)
{
    const bool frappe = x.Frappe != 0 || x.CoupVibrato != 0;
    const bool brush = x.BrushUp != 0 || x.BrushDown != 0;
    e.U8(static_cast<uint8_t>((x.Vibrato ? 0x01 : 0) | (x.TremoloBar ? 0x02 : 0) |
                              (x.HarmoniqueNaturelle ? 0x04 : 0) |
                              (x.HarmoniqueArtificielle ? 0x08 : 0) | (x.FadeIn ? 0x10 : 0) |
                              (frappe ? 0x20 : 0) | (brush ? 0x40 : 0)));
    if (frappe) {
        e.I8(x.Frappe);
        e.I32(x.CoupVibrato);
    }
    if (brush) {
        e.I8(x.BrushUp);
        e.I8(x.BrushDown);
    }
}

void EcrireTableMix(cEcriture &e, const cTableMixEvent &t)
{
    e.I8(t.Instrument);
    e.I8(t.Volume);
    e.I8(t.Balance);
    e.I8(t.Chorus);
    e.I8(t.Reverb);
    e.I8(t.Phaser);
    e.I8(t.Tremolo);
    e.I32(t.Tempo);
    if (t.Volume >= 0)
        e.U8(t.TransVolume);
    if (t.Balance >= 0)
        e.U8(t.TransBalance);
    if (t.Chorus >= 0)
        e.U8(t.TransChorus);
    if (t.Reverb >= 0)
        e.U8(t.TransReverb);
    if (t.Phaser >= 0)
        e.U8(t.TransPhaser);
    if (t.Tremolo >= 0)
        e.U8(t.TransTremolo);
    if (t.Tempo >= 0)
        e.U8(t.TransTempo);
}

bool EffetsNotePresents(const cNote &n) { return n.Effets && !n.Effets->EstVide(); }

// A grace note may stand on a string without a main note, so it keeps the note in the file.
bool NoteEcrite(const cNote &n) { return n.Type != 0 || (n.Effets && n.Effets->Appogiature); }

// Out of line: most notes have no effect, and the short path above stays small.
__attribute__((noinline)) void EcrireEffetsNote(cEcriture &e, const cEffets_Note &x)
{
    e.U8(static_cast<uint8_t>((x.Bend ? 0x01 : 0) | (x.HammerPullOff ? 0x02 : 0) |
                              (x.Slide ? 0x04 : 0) | (x.LetRing ? 0x08 : 0) |
                              (x.Appogiature ? 0x10 : 0)));
    if (x.Bend) {
        const int nb = x.Bend->NbFormes();
        e.Reserver(9 + TailleForme * static_cast<std::size_t>(nb) + 4);
        e.U8(x.Bend->Type);
        e.I32(x.Bend->Valeur);
        e.I32(nb);
        for (const cEffet_Forme *f = x.Bend->PremiereForme; f; f = f->Suivante) {
            e.I32(f->Position);
            e.I32(f->Hauteur);
            e.U8(f->Vibrato);
        }
    }
    if (x.Appogiature) {
        e.U8(x.Appogiature->Case);
        e.U8(x.Appogiature->Nuance);
        e.U8(x.Appogiature->Transition);
        e.U8(x.Appogiature->Duree);
    }
}

inline void EcrireNote(cEcriture &e, const cNote &n)
{
    // The fields are taken first and the bytes stored through a local pointer: stores of bytes
    // may alias anything, and would make the compiler read every field again after each one.
    const uint8_t type = n.Type, nuance = n.Nuance, fret = n.Case;
    const bool propre = n.DureePropre, effets = EffetsNotePresents(n);
    const int8_t code = n.CodeDuree, triolet = n.Triolet;
    e.Reserver(16);
    uint8_t *q = e.Ici();
    *q++ = static_cast<uint8_t>((propre ? 0x01 : 0) | (n.Pointe ? 0x02 : 0) |
                                (n.Sugeree ? 0x04 : 0) | (effets ? 0x08 : 0) |
                                (nuance != 6 ? 0x10 : 0) | (type != 0 ? 0x20 : 0));
    if (type != 0)
        *q++ = type;
    if (propre) {
        *q++ = static_cast<uint8_t>(code);
        *q++ = static_cast<uint8_t>(triolet);
    }
    if (nuance != 6)
        *q++ = nuance;
    if (type != 0)
        *q++ = fret;
    e.Jusque(q);
    if (effets)
        EcrireEffetsNote(e, *n.Effets);
}

void EcrireAccord(cEcriture &e, const cAccord &a)
{
    const uint8_t etat = a.Etat;
    const int8_t code = a.CodeDuree;
    const int32_t triolet = a.Triolet;
    const bool effets = a.Effets && !a.Effets->EstVide();
    e.Reserver(8);
    uint8_t *q = e.Ici();
    *q++ = static_cast<uint8_t>((a.Pointe ? 0x01 : 0) | (a.Diagramme ? 0x02 : 0) |
                                (a.Texte ? 0x04 : 0) | (effets ? 0x08 : 0) |
                                (a.TableMix ? 0x10 : 0) | (triolet != 1 ? 0x20 : 0) |
                                (etat != 1 ? 0x40 : 0));
    if (etat != 1)
        *q++ = etat;
    *q++ = static_cast<uint8_t>(code);
    e.Jusque(q);
    if (triolet != 1)
        e.I32(triolet);
    if (a.Diagramme)
        EcrireDiagramme(e, *a.Diagramme);
    if (a.Texte)
        e.TexteCompte(a.Texte->Texte, CapTexte);
    e.Reserver(32); // beat effects, mix table change and string bits
    if (effets)
        EcrireEffetsAccord(e, *a.Effets);
    if (a.TableMix)
        EcrireTableMix(e, *a.TableMix);
    uint8_t cordes = 0;
    const int nb = a.NbNotes < MaxCordes ? a.NbNotes : MaxCordes;
    const cNote *notes[MaxCordes + 1] = {};
    for (int s = 1; s <= nb; ++s) {
        notes[s] = a.Notes[s];
        if (notes[s] && NoteEcrite(*notes[s]))
            cordes |= static_cast<uint8_t>(1u << (7 - s));
    }
    e.U8(cordes);
    for (int s = 1; s <= nb; ++s)
        if (cordes & (1u << (7 - s)))
            EcrireNote(e, *notes[s]);
}

// The placeholder where the next note would be typed is not saved. One that carries anything
// that would be written (a text, a diagram, a grace note...) is kept, so nothing is lost.
bool PlaceVide(const cAccord &a)
{
    if (a.Etat != 0 || a.Diagramme || a.Texte || a.TableMix || (a.Effets && !a.Effets->EstVide()))
        return false;
    for (const cNote *n = a.PremiereNote; n; n = n->Suivante)
        if (NoteEcrite(*n))
            return false;
    return true;
}

void EcrireMesurePiste(cEcriture &e, const cMesurePiste &mp)
{
    // Every trailing placeholder goes, not only the last: a file can hold several, and leaving
    // the others would drop one more at each save (one beat always stays).
    int nb = 0, places = 0;
    for (const cAccord *a = mp.PremierAccord; a; a = a->Suivant) {
        ++nb;
        places = PlaceVide(*a) ? places + 1 : 0;
    }
    nb = std::max(1, nb - places);
    e.Reserver(4);
    e.I32(nb);
    int i = 0;
    for (const cAccord *a = mp.PremierAccord; a && i < nb; a = a->Suivant, ++i)
        EcrireAccord(e, *a);
}

// Writing is bound by fetching the model from memory: beats and notes are reached through
// chains, and the writing code between two fetches is long enough that the processor meets
// one cache miss after another. So the fetches are started ahead, in stages over the next
// track measures (the track measure, its beats, their notes, found through the index tables
// where they are kept), and a short loop touches the current one before it is written. These
// only warm the cache: the chains stay the reference for what is written.
int NbIndexes(const cMesurePiste &mp)
{
    return mp.SansIndex ? 0 : (mp.NbAccords < MaxAccords ? mp.NbAccords : MaxAccords);
}

void PrechargerMesurePiste(const cMesurePiste *mp)
{
    for (int k = 0; k < 3; ++k)
        __builtin_prefetch(reinterpret_cast<const char *>(mp) + 64 * k);
}

void PrechargerAccords(const cMesurePiste *mp)
{
    for (int i = 1, n = NbIndexes(*mp); i <= n; ++i)
        for (std::size_t k = 0; k < sizeof(cAccord); k += 64)
            __builtin_prefetch(reinterpret_cast<const char *>(mp->Accords[i]) + k);
}

void PrechargerNotes(const cMesurePiste *mp)
{
    for (int i = 1, n = NbIndexes(*mp); i <= n; ++i)
        if (const cAccord *a = mp->Accords[i])
            for (int s = 1, nn = a->NbNotes < MaxCordes ? a->NbNotes : MaxCordes; s <= nn; ++s)
                __builtin_prefetch(a->Notes[s]);
}

uintptr_t ToucherNotes(const cAccord *a)
{
    uintptr_t somme = 0;
    for (int s = 1, nb = a->NbNotes < MaxCordes ? a->NbNotes : MaxCordes; s <= nb; ++s)
        somme += a->Notes[s] ? a->Notes[s]->Type : 0;
    return somme;
}

void Toucher(const cMesurePiste &mp)
{
    uintptr_t somme = 0;
    if (!mp.SansIndex && mp.NbAccords >= 1 && mp.NbAccords <= MaxAccords) {
        for (int i = 1; i <= mp.NbAccords; ++i)
            if (const cAccord *a = mp.Accords[i])
                somme += ToucherNotes(a) + (a->Suivant != nullptr);
    } else {
        for (const cAccord *a = mp.PremierAccord; a; a = a->Suivant)
            somme += ToucherNotes(a);
    }
    asm volatile("" : : "r"(somme));
}

void EcrireMesure(cEcriture &e, const cMesure &m)
{
    const cMesure *prec = m.Precedente;
    const bool num = !prec || prec->Numerateur != m.Numerateur;
    const bool den = !prec || prec->Denominateur != m.Denominateur;
    e.Reserver(5);
    e.U8(static_cast<uint8_t>((num ? 0x01 : 0) | (den ? 0x02 : 0) | (m.RenvoiDebut ? 0x04 : 0) |
                              (m.RenvoiFin > 0 ? 0x08 : 0) | (m.Repetition > 0 ? 0x10 : 0) |
                              (m.Marker ? 0x20 : 0)));
    if (num)
        e.I8(m.Numerateur);
    if (den)
        e.I8(m.Denominateur);
    if (m.RenvoiFin > 0)
        e.U8(static_cast<uint8_t>(m.RenvoiFin));
    if (m.Repetition > 0)
        e.U8(static_cast<uint8_t>(m.Repetition));
    if (m.Marker) {
        e.TexteCompte(m.Marker->Nom, CapNomMarker);
        e.Reserver(4);
        e.I32(m.Marker->Couleur);
    }
}

void EcrirePiste(cEcriture &e, const cPiste &t)
{
    e.Reserver(TaillePiste);
    e.U8(static_cast<uint8_t>((t.Percussions ? 0x01 : 0) | (t.DouzeCordes ? 0x02 : 0) |
                              (t.Banjo5 ? 0x04 : 0)));
    e.TexteFixe(t.Nom, CapNomPiste);
    e.I32(t.NbCordes);
    for (int32_t v : t.Accordage)
        e.I32(v);
    e.I32(t.Port);
    e.I32(t.Canal);
    e.I32(t.CanalEffets);
    e.I32(t.NbFrets);
    e.I32(t.Capo);
    e.I32(t.Couleur);
}

void EcrirePartition(cEcriture &e, const cPartition &p)
{
    const cInformations &i = *p.Informations;
    for (const std::string *s : {&i.Titre, &i.SousTitre, &i.Artiste, &i.Album, &i.Auteur,
                                 &i.Droits, &i.Tab, &i.Instructions})
        e.TexteCompte(*s, CapInformation);
    e.Reserver(4);
    e.I32(static_cast<int32_t>(i.Notice.size()));
    for (const std::string &l : i.Notice)
        e.TexteCompte(l, CapInformation);
    e.Reserver(1 + 4 + 4 + 12 * MaxPorts * MaxCanaux + 4 + 4);
    e.Bool(i.TripletFeel);
    e.I32(p.Tempo);
    e.I32(p.Tonalite);
    for (int port = 1; port <= MaxPorts; ++port)
        for (int c = 1; c <= MaxCanaux; ++c) {
            const rCanalMidi &k = p.Canaux[port][c];
            e.I32(k.Instrument);
            e.U8(k.Volume);
            e.U8(k.Balance);
            e.U8(k.Chorus);
            e.U8(k.Reverb);
            e.U8(k.Phaser);
            e.U8(k.Tremolo);
            e.Zeros(2);
        }
    // Counted on the chains that are written, so the counts always match the records.
    int32_t nbMesures = 0, nbPistes = 0;
    for (const cMesure *m = p.PremiereMesure; m; m = m->Suivante)
        ++nbMesures;
    for (const cPiste *t = p.PremierePiste; t; t = t->Suivante)
        ++nbPistes;
    e.I32(nbMesures);
    e.I32(nbPistes);
}

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
        v = PrendreI32(p);
        p += 4;
        return true;
    }
    bool Octets(void *d, std::size_t n)
    {
        if (Reste() < n)
            return false;
        std::memcpy(d, p, n);
        p += n;
        return true;
    }
    bool TexteCompte(std::string &s, std::size_t cap)
    {
        int32_t n;
        uint8_t l;
        if (!I32(n) || n < 1 || static_cast<std::size_t>(n) - 1 > cap || !U8(l) || l != n - 1 ||
            Reste() < l)
            return false;
        s.assign(reinterpret_cast<const char *>(p), l);
        p += l;
        return true;
    }
    bool TexteFixe(std::string &s, std::size_t cap)
    {
        uint8_t l;
        if (Reste() < cap + 1 || !U8(l) || l > cap)
            return false;
        s.assign(reinterpret_cast<const char *>(p), l);
        p += cap;
        return true;
    }

private:
    const uint8_t *p;
    const uint8_t *fin;
};

bool DureeValide(int8_t code) { return code >= -2 && code <= 4; }

bool Entre(int32_t v, int32_t a, int32_t b) { return v >= a && v <= b; }

bool TripletValide(int32_t code)
{
    switch (code) {
    case 1: case 3: case 5: case 6: case 7: case 9: case 10: case 11: case 12: case 13:
        return true;
    default:
        return false;
    }
}

bool DenominateurValide(int32_t d)
{
    return d == 1 || d == 2 || d == 4 || d == 8 || d == 16 || d == 32;
}

constexpr int32_t CaseMax = 99;
constexpr int32_t TempoMax = 999; // beyond any score; 0 would stop the clock

bool LireDiagramme(cLecture &l, rDiagramme &d)
{
    uint8_t forme;
    if (!l.U8(forme))
        return false;
    if (forme == 0) {
        std::string nom;
        int32_t premiere;
        if (!l.TexteCompte(nom, CapNomDiagramme) || !l.I32(premiere))
            return false;
        cDiagramme r;
        r.ChangerNom(nom);
        if (premiere > 0) {
            r.PremiereCase = premiere;
            if (premiere > CaseMax)
                return false;
            for (int &c : r.Cases)
                if (!l.I32(c) || !Entre(c, -1, CaseMax))
                    return false;
        }
        d = r.Donnees();
        return true;
    }
    if (forme != 1)
        return false;
    uint8_t b[TailleDiagramme];
    if (!l.Octets(b, TailleDiagramme))
        return false;
    rDiagramme r{};
    r.Diese = b[offsetof(rDiagramme, Diese)] != 0;
    r.Fondamentale = PrendreI32(b + offsetof(rDiagramme, Fondamentale));
    r.TypeAccord = PrendreI32(b + offsetof(rDiagramme, TypeAccord));
    r.Extension = PrendreI32(b + offsetof(rDiagramme, Extension));
    r.Basse = PrendreI32(b + offsetof(rDiagramme, Basse));
    r.DimAug = PrendreI32(b + offsetof(rDiagramme, DimAug));
    r.Add = b[offsetof(rDiagramme, Add)] != 0;
    r.NomLongueur = b[offsetof(rDiagramme, NomLongueur)];
    if (r.NomLongueur > sizeof(r.Nom))
        return false;
    std::memcpy(r.Nom, b + offsetof(rDiagramme, Nom), r.NomLongueur);
    r.Quinte = PrendreI32(b + offsetof(rDiagramme, Quinte));
    r.Neuvieme = PrendreI32(b + offsetof(rDiagramme, Neuvieme));
    r.Onzieme = PrendreI32(b + offsetof(rDiagramme, Onzieme));
    r.PremiereCase = PrendreI32(b + offsetof(rDiagramme, PremiereCase));
    for (int i = 0; i < 6; ++i)
        r.Cases[i] = PrendreI32(b + offsetof(rDiagramme, Cases) + 4 * i);
    r.NbBarres = PrendreI32(b + offsetof(rDiagramme, NbBarres));
    for (int i = 0; i < 2; ++i) {
        r.BarreCase[i] = PrendreI32(b + offsetof(rDiagramme, BarreCase) + 4 * i);
        r.BarreDebut[i] = PrendreI32(b + offsetof(rDiagramme, BarreDebut) + 4 * i);
        r.BarreFin[i] = PrendreI32(b + offsetof(rDiagramme, BarreFin) + 4 * i);
    }
    for (int i = 0; i < 7; ++i)
        r.Omis[i] = b[offsetof(rDiagramme, Omis) + i] != 0;
    // These values index the naming tables and the barre arrays.
    if (!Entre(r.Fondamentale, 0, 12) || !Entre(r.TypeAccord, 0, 14) ||
        !Entre(r.Extension, 0, 3) || !Entre(r.Basse, 0, 11) || !Entre(r.DimAug, 0, 2) ||
        !Entre(r.Quinte, 0, 2) || !Entre(r.Neuvieme, 0, 2) || !Entre(r.Onzieme, 0, 2) ||
        !Entre(r.NbBarres, 0, 2) || !Entre(r.PremiereCase, 0, CaseMax))
        return false;
    for (int i = 0; i < 6; ++i)
        if (!Entre(r.Cases[i], -1, CaseMax))
            return false;
    for (int i = 0; i < 2; ++i)
        if (!Entre(r.BarreCase[i], 0, CaseMax) || !Entre(r.BarreDebut[i], 0, MaxCordes) ||
            !Entre(r.BarreFin[i], 0, MaxCordes))
            return false;
    d = r;
    return true;
}

bool LireEffetsAccord(cLecture &l, cAccord &a)
{
    uint8_t f;
    if (!l.U8(f) || (f & 0x80))
        return false;
    auto *x = new cEffets_Accord;
    a.Effets = x;
    x->Vibrato = f & 0x01;
    x->TremoloBar = f & 0x02;
    x->HarmoniqueNaturelle = f & 0x04;
    x->HarmoniqueArtificielle = f & 0x08;
    x->FadeIn = f & 0x10;
    if ((f & 0x20) && (!l.I8(x->Frappe) || !l.I32(x->CoupVibrato) || !Entre(x->Frappe, 0, 3) ||
                       !Entre(x->CoupVibrato, 0, 600)))
        return false;
    if ((f & 0x40) && (!l.I8(x->BrushUp) || !l.I8(x->BrushDown) || !Entre(x->BrushUp, 0, 6) ||
                       !Entre(x->BrushDown, 0, 6)))
        return false;
    a.LibererEffetsVides();
    return true;
}

bool LireTableMix(cLecture &l, cAccord &a)
{
    auto *t = new cTableMixEvent;
    a.TableMix = t;
    if (!l.I8(t->Instrument) || !l.I8(t->Volume) || !l.I8(t->Balance) || !l.I8(t->Chorus) ||
        !l.I8(t->Reverb) || !l.I8(t->Phaser) || !l.I8(t->Tremolo) || !l.I32(t->Tempo))
        return false;
    // -1 leaves a value unchanged.
    if (!Entre(t->Instrument, -1, 127) || !Entre(t->Tempo, -1, TempoMax))
        return false;
    for (int8_t v : {t->Volume, t->Balance, t->Chorus, t->Reverb, t->Phaser, t->Tremolo})
        if (!Entre(v, -1, 16))
            return false;
    if (t->Volume >= 0 && !l.U8(t->TransVolume))
        return false;
    if (t->Balance >= 0 && !l.U8(t->TransBalance))
        return false;
    if (t->Chorus >= 0 && !l.U8(t->TransChorus))
        return false;
    if (t->Reverb >= 0 && !l.U8(t->TransReverb))
        return false;
    if (t->Phaser >= 0 && !l.U8(t->TransPhaser))
        return false;
    if (t->Tremolo >= 0 && !l.U8(t->TransTremolo))
        return false;
    if (t->Tempo >= 0 && !l.U8(t->TransTempo))
        return false;
    return true;
}

bool LireEffetsNote(cLecture &l, cNote &n)
{
    uint8_t f;
    if (!l.U8(f) || (f & 0xE0))
        return false;
    if (f == 0)
        return true;
    cEffets_Note &x = n.EffetsCrees();
    x.HammerPullOff = f & 0x02;
    x.Slide = f & 0x04;
    x.LetRing = f & 0x08;
    if (f & 0x01) {
        auto *b = new cEffet_Bend;
        x.Bend = b;
        int32_t nb;
        // Points lie on 61 positions; a few more are tolerated, never thousands.
        if (!l.U8(b->Type) || !l.I32(b->Valeur) || !l.I32(nb) || !Entre(b->Type, 1, 5) ||
            !Entre(b->Valeur, 0, 300) || !Entre(nb, 0, 128) ||
            static_cast<std::size_t>(nb) > l.Reste() / TailleForme)
            return false;
        cEffet_Forme *dernier = nullptr;
        for (int32_t i = 0; i < nb; ++i) {
            auto *forme = new cEffet_Forme;
            forme->Precedente = dernier;
            if (dernier)
                dernier->Suivante = forme;
            else
                b->PremiereForme = forme;
            dernier = forme;
            if (!l.I32(forme->Position) || !l.I32(forme->Hauteur) || !l.U8(forme->Vibrato) ||
                !Entre(forme->Position, 0, 60) || !Entre(forme->Hauteur, 0, 300) ||
                forme->Vibrato > 3)
                return false;
        }
    }
    if (f & 0x10) {
        auto *g = new cEffet_Appogiature;
        x.Appogiature = g;
        if (!l.U8(g->Case) || !l.U8(g->Nuance) || !l.U8(g->Transition) || !l.U8(g->Duree))
            return false;
        // 255 is a dead grace note.
        if ((g->Case > CaseMax && g->Case != 255) || !Entre(g->Nuance, 1, 8) ||
            g->Transition > 3 || !Entre(g->Duree, 1, 3))
            return false;
    }
    return true;
}

bool LireNote(cLecture &l, cNote &n)
{
    uint8_t f;
    if (!l.U8(f) || (f & 0xC0))
        return false;
    n.DureePropre = f & 0x01;
    n.Pointe = f & 0x02;
    n.Sugeree = f & 0x04;
    n.Type = 0;
    if ((f & 0x20) && (!l.U8(n.Type) || n.Type > 3))
        return false;
    if (f & 0x01) {
        if (!l.I8(n.CodeDuree) || !DureeValide(n.CodeDuree) || !l.I8(n.Triolet) ||
            !TripletValide(n.Triolet))
            return false;
    }
    n.Nuance = 6;
    if ((f & 0x10) && (!l.U8(n.Nuance) || !Entre(n.Nuance, 1, 8)))
        return false;
    n.Case = 0;
    // A normal note sounds its fret; a dead note may keep 255 from older files; a tied note
    // has no fret of its own.
    if ((f & 0x20) && (!l.U8(n.Case) || (n.Type == 1 && n.Case > CaseMax) ||
                       (n.Type == 3 && n.Case > CaseMax && n.Case != 255)))
        return false;
    if ((f & 0x08) && !LireEffetsNote(l, n))
        return false;
    n.CalculerDuree();
    return true;
}

bool LireAccord(cLecture &l, cAccord &a)
{
    uint8_t f;
    if (!l.U8(f) || (f & 0x80))
        return false;
    a.Etat = 1;
    if ((f & 0x40) && (!l.U8(a.Etat) || a.Etat > 2))
        return false;
    if (!l.I8(a.CodeDuree) || !DureeValide(a.CodeDuree))
        return false;
    a.Pointe = f & 0x01;
    a.Triolet = 1;
    if ((f & 0x20) && (!l.I32(a.Triolet) || !TripletValide(a.Triolet)))
        return false;
    if (f & 0x02) {
        a.Diagramme = new cDiagramme;
        if (!LireDiagramme(l, a.Diagramme->Donnees()))
            return false;
    }
    if (f & 0x04) {
        a.Texte = new cTexte;
        if (!l.TexteCompte(a.Texte->Texte, CapTexte))
            return false;
    }
    if ((f & 0x08) && !LireEffetsAccord(l, a))
        return false;
    if ((f & 0x10) && !LireTableMix(l, a))
        return false;
    uint8_t cordes;
    if (!l.U8(cordes) || (cordes & 0x80))
        return false;
    // A string bit beyond the track's strings would address a note the beat does not have.
    if (cordes & ((1u << (7 - a.NbNotes)) - 1))
        return false;
    a.CalculerDuree();
    a.PropagerDuree();
    for (int s = 1; s <= a.NbNotes; ++s)
        if ((cordes & (1u << (7 - s))) && !LireNote(l, *a.Notes[s]))
            return false;
    return true;
}

bool LireMesurePiste(cLecture &l, cMesurePiste &mp)
{
    int32_t nb;
    // Each beat takes at least its flag, duration and string bytes.
    if (!l.I32(nb) || nb < 1 || nb > MaxAccords || static_cast<std::size_t>(nb) > l.Reste() / 3)
        return false;
    mp.SansIndex = true;
    cAccord *a = mp.PremierAccord;
    bool ok = true;
    for (int32_t i = 1; i <= nb && ok; ++i) {
        if (i > 1)
            a = mp.InsererAccordApres(a);
        ok = a && LireAccord(l, *a);
    }
    mp.SansIndex = false;
    mp.IndexerAccords();
    mp.CalculerDuree();
    return ok;
}

bool LireMesure(cLecture &l, cMesure &m)
{
    uint8_t f;
    if (!l.U8(f) || (f & 0xC0))
        return false;
    const cMesure *prec = m.Precedente;
    int8_t num = prec ? prec->Numerateur : 4;
    int8_t den = prec ? prec->Denominateur : 4;
    if ((f & 0x01) && !l.I8(num))
        return false;
    if ((f & 0x02) && !l.I8(den))
        return false;
    if (!Entre(num, 1, 32) || !DenominateurValide(den))
        return false;
    m.ChangerSignature(num, den);
    m.RenvoiDebut = f & 0x04;
    uint8_t v = 0;
    if ((f & 0x08) && (!l.U8(v) || !Entre(v, 1, 99)))
        return false;
    m.RenvoiFin = static_cast<int8_t>(v);
    v = 0;
    if ((f & 0x10) && (!l.U8(v) || !Entre(v, 1, 99)))
        return false;
    m.Repetition = static_cast<int8_t>(v);
    if (f & 0x20) {
        std::string nom;
        int32_t couleur;
        if (!l.TexteCompte(nom, CapNomMarker) || !l.I32(couleur))
            return false;
        // Chained once every measure is read.
        auto *k = new cMarker;
        k->Mesure = &m;
        k->Nom = std::move(nom);
        k->Couleur = couleur;
        m.Marker = k;
    }
    return true;
}

bool LirePiste(cLecture &l, cPiste &t)
{
    uint8_t f;
    if (!l.U8(f) || (f & 0xF8))
        return false;
    std::string nom;
    int32_t nbCordes;
    if (!l.TexteFixe(nom, CapNomPiste) || !l.I32(nbCordes) || !Entre(nbCordes, 1, MaxCordes))
        return false;
    std::array<int32_t, MaxCordes> accordage{};
    // MIDI pitches; -1 marks a slot with no pitch.
    for (int32_t &v : accordage)
        if (!l.I32(v) || !Entre(v, -1, 127))
            return false;
    int32_t port, canal, canalEffets, frets, capo, couleur;
    if (!l.I32(port) || !l.I32(canal) || !l.I32(canalEffets) || !l.I32(frets) || !l.I32(capo) ||
        !l.I32(couleur))
        return false;
    // Port and channels index the channel table; a channel is 0 while not allocated.
    if (!Entre(port, 1, MaxPorts) || !Entre(canal, 0, MaxCanaux) ||
        !Entre(canalEffets, 0, MaxCanaux) || !Entre(frets, 1, CaseMax) || !Entre(capo, 0, CaseMax))
        return false;
    const int ancien = t.NbCordes;
    t.Percussions = f & 0x01;
    t.DouzeCordes = f & 0x02;
    t.Banjo5 = f & 0x04;
    t.Nom = std::move(nom);
    t.NbCordes = nbCordes;
    t.Accordage = accordage;
    t.Port = port;
    t.Canal = canal;
    t.CanalEffets = canalEffets;
    t.NbFrets = frets;
    t.Capo = capo;
    t.Couleur = couleur;
    t.MemoriserAvant();
    t.ChangerNbCordes(ancien);
    return true;
}

bool LireInformations(cLecture &l, cPartition &p)
{
    cInformations &i = *p.Informations;
    for (std::string *s : {&i.Titre, &i.SousTitre, &i.Artiste, &i.Album, &i.Auteur, &i.Droits,
                           &i.Tab, &i.Instructions})
        if (!l.TexteCompte(*s, CapInformation))
            return false;
    int32_t nbLignes;
    // A line takes at least its count and length byte.
    if (!l.I32(nbLignes) || nbLignes < 0 || static_cast<std::size_t>(nbLignes) > l.Reste() / 5)
        return false;
    i.Notice.assign(static_cast<std::size_t>(nbLignes), std::string());
    for (std::string &ligne : i.Notice)
        if (!l.TexteCompte(ligne, CapInformation))
            return false;
    uint8_t triplet;
    if (!l.U8(triplet) || !l.I32(p.Tempo) || !l.I32(p.Tonalite) || !Entre(p.Tonalite, -7, 7) ||
        !Entre(p.Tempo, 1, TempoMax))
        return false;
    i.TripletFeel = triplet == 1;
    for (int port = 1; port <= MaxPorts; ++port)
        for (int c = 1; c <= MaxCanaux; ++c) {
            rCanalMidi &k = p.Canaux[port][c];
            uint8_t pad[2];
            if (!l.I32(k.Instrument) || !l.U8(k.Volume) || !l.U8(k.Balance) ||
                !l.U8(k.Chorus) || !l.U8(k.Reverb) || !l.U8(k.Phaser) || !l.U8(k.Tremolo) ||
                !l.Octets(pad, 2))
                return false;
            if (!Entre(k.Instrument, -1, 127))
                return false;
            for (uint8_t v : {k.Volume, k.Balance, k.Chorus, k.Reverb, k.Phaser, k.Tremolo})
                if (v > 16)
                    return false;
            k.Pad[0] = k.Pad[1] = 0;
        }
    return true;
}

bool LireListe(cLecture &l, cListeAccordsImpression &liste)
{
    int32_t nb;
    if (!l.I32(nb) || !Entre(nb, 0, cListeAccordsImpression::Max))
        return false;
    for (int32_t i = 0; i < nb; ++i) {
        cDiagramme d;
        if (!LireDiagramme(l, d.Donnees()))
            return false;
        liste.Ajouter(d.Donnees());
    }
    return true;
}

bool LireVersion300(cLecture &l, cPartition &p, cListeAccordsImpression &liste)
{
    if (!LireInformations(l, p))
        return false;
    int32_t nbMesures, nbPistes;
    if (!l.I32(nbMesures) || !l.I32(nbPistes) || !Entre(nbMesures, 1, MaxMesures) ||
        !Entre(nbPistes, 1, MaxPistes))
        return false;
    // The smallest records the counts announce must be in the file before anything is built.
    const unsigned long long minimum =
        1ull * nbMesures + TaillePiste * nbPistes + 7ull * nbMesures * nbPistes;
    if (minimum > l.Reste())
        return false;

    p.EnChargement = true;
    cPiste *piste = p.PremierePiste;
    for (int t = 2; t <= nbPistes; ++t)
        piste = p.InsererPisteApres(piste);
    cMesure *mesure = p.PremiereMesure;
    for (int m = 2; m <= nbMesures; ++m)
        mesure = p.InsererMesureApres(mesure);
    p.EnChargement = false;
    p.IndexerMesures();
    p.IndexerPistes();

    for (cMesure *m = p.PremiereMesure; m; m = m->Suivante)
        if (!LireMesure(l, *m))
            return false;
    for (cPiste *t = p.PremierePiste; t; t = t->Suivante)
        if (!LirePiste(l, *t))
            return false;
    p.ReconstruireMarkers();
    for (cMesure *m = p.PremiereMesure; m; m = m->Suivante)
        for (cMesurePiste *mp = m->PremiereMesurePiste; mp; mp = mp->SuivanteDansMesure)
            if (!LireMesurePiste(l, *mp))
                return false;
    // The print chord list is optional: a file may end right after the track measures.
    if (l.Reste() > 0 && !LireListe(l, liste))
        return false;
    return true;
}

bool LireBloc(int fd, char *d, std::size_t voulu, std::size_t &lu)
{
    lu = 0;
    while (lu < voulu) {
        const ssize_t r = ::read(fd, d + lu, voulu - lu);
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            return false;
        if (r == 0)
            break; // shorter than it was: what is there is read
        lu += static_cast<std::size_t>(r);
    }
    return true;
}

// Reads the whole file; false when it cannot be opened or read. A header that matches no
// version stops the reading there, so a file of another kind (a film) costs nothing.
bool LireTout(const std::string &chemin, std::string &contenu)
{
    const int fd = ::open(chemin.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    std::size_t lu = 0;
    if (ok) {
        contenu.resize(TailleEntete);
        ok = LireBloc(fd, contenu.data(), TailleEntete, lu);
        contenu.resize(lu);
    }
    if (ok && lu == TailleEntete &&
        VersionEntete(reinterpret_cast<const uint8_t *>(contenu.data()), lu) != 0 &&
        static_cast<unsigned long long>(st.st_size) > TailleEntete) {
        try {
            contenu.resize(static_cast<std::size_t>(st.st_size));
            std::size_t reste = 0;
            ok = LireBloc(fd, contenu.data() + TailleEntete, contenu.size() - TailleEntete, reste);
            contenu.resize(TailleEntete + reste);
        } catch (const std::bad_alloc &) {
            ok = false;
        }
    }
    ::close(fd);
    return ok;
}

std::string NomDansChemin(const std::string &chemin)
{
    const auto barre = chemin.find_last_of("/\\");
    return barre == std::string::npos ? chemin : chemin.substr(barre + 1);
}

} // namespace

int VersionEntete(const uint8_t *entete, std::size_t n)
{
    if (n < TailleEntete)
        return 0;
    const std::string_view texte(reinterpret_cast<const char *>(entete + 1), TailleEntete - 1);
    for (const rMagique &m : Magiques)
        if (entete[0] == m.Texte.size() && texte.substr(0, m.Texte.size()) == m.Texte)
            return m.Version;
    return 0;
}

void EcrireFichierMemoire(const cPartition &p, const cListeAccordsImpression &liste,
                          std::string &sortie)
{
    cEcriture e(sortie);
    // About 3 bytes a written note and 3 a beat: a first size that avoids most regrowth.
    std::vector<const cMesurePiste *> ordre;
    ordre.reserve(static_cast<std::size_t>(p.NbMesures) * static_cast<std::size_t>(p.NbPistes));
    std::size_t accords = 0;
    for (const cMesure *m = p.PremiereMesure; m; m = m->Suivante)
        for (const cMesurePiste *mp = m->PremiereMesurePiste; mp; mp = mp->SuivanteDansMesure) {
            ordre.push_back(mp);
            accords += static_cast<std::size_t>(mp->NbAccords);
        }
    e.Reserver(4096 + accords * 24);
    e.U8(static_cast<uint8_t>(MagiqueCourante.size()));
    e.Octets(MagiqueCourante.data(), MagiqueCourante.size());
    e.Zeros(TailleEntete - 1 - MagiqueCourante.size());
    EcrirePartition(e, p);
    for (const cMesure *m = p.PremiereMesure; m; m = m->Suivante)
        EcrireMesure(e, *m);
    for (const cPiste *t = p.PremierePiste; t; t = t->Suivante)
        EcrirePiste(e, *t);
    const std::size_t n = ordre.size();
    for (std::size_t k = 0; k < n; ++k) {
        if (k + 3 < n)
            PrechargerMesurePiste(ordre[k + 3]);
        if (k + 2 < n)
            PrechargerAccords(ordre[k + 2]);
        if (k + 1 < n)
            PrechargerNotes(ordre[k + 1]);
        Toucher(*ordre[k]);
        EcrireMesurePiste(e, *ordre[k]);
    }
    e.Reserver(4);
    e.I32(liste.Nb());
    for (int i = 1; i <= liste.Nb(); ++i)
        EcrireDiagramme(e, liste.Accord(i));
}

bool LireFichierMemoire(const uint8_t *donnees, std::size_t n, cPartition &p,
                        cListeAccordsImpression &liste, std::string &cle)
{
    p.Nouveau();
    liste.Vider();
    const int version = VersionEntete(donnees, n);
    if (version != 0 && version < VersionCourante)
        return LireAncienFormat(donnees, n, version, p, liste, cle);
    if (version != VersionCourante) {
        const bool premiereGeneration =
            n >= 1 + PrefixePremiereGeneration.size() &&
            std::memcmp(donnees + 1, PrefixePremiereGeneration.data(),
                        PrefixePremiereGeneration.size()) == 0;
        cle = (version != 0 || premiereGeneration) ? CleAncienne : CleIncorrect;
        return false;
    }
    cLecture l(donnees + TailleEntete, n - TailleEntete);
    bool ok;
    try {
        ok = LireVersion300(l, p, liste);
    } catch (const std::bad_alloc &) {
        ok = false;
    }
    if (!ok) {
        // Never a half-read score: what is left is a new one, as after New.
        p.EnChargement = false;
        p.Nouveau();
        liste.Vider();
        cle = CleIncorrect;
        return false;
    }
    p.Vierge = false;
    p.PlacerCurseur(rPosition{});
    return true;
}

bool EnregistrerFichier(const cPartition &p, const cListeAccordsImpression &liste,
                        const std::string &chemin, std::string &cle)
{
    std::string donnees;
    try {
        EcrireFichierMemoire(p, liste, donnees);
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

bool OuvrirFichier(cPartition &p, cListeAccordsImpression &liste, const std::string &chemin,
                   std::string &cle)
{
    std::string contenu;
    if (!LireTout(chemin, contenu)) {
        p.Nouveau();
        liste.Vider();
        cle = CleAcces;
        return false;
    }
    if (!LireFichierMemoire(reinterpret_cast<const uint8_t *>(contenu.data()), contenu.size(), p,
                            liste, cle))
        return false;
    p.Chemin = chemin;
    // A file of the older generation is saved as a current one beside it.
    if (chemin.size() >= 4 && chemin.compare(chemin.size() - 4, 4, ".plt") == 0)
        p.Chemin.replace(p.Chemin.size() - 3, 3, "pl3");
    p.NomFichier = NomDansChemin(p.Chemin);
    return true;
}

bool LireFichierPL3(const std::string &chemin, cPartition &p, std::string &cle)
{
    return OuvrirFichier(p, ListeAccordsImpression(), chemin, cle);
}

bool EcrireFichierPL3(cPartition &p, const std::string &chemin, std::string &cle)
{
    return EnregistrerFichier(p, ListeAccordsImpression(), chemin, cle);
}
