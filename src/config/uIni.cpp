// INI reading and writing with the semantics the settings were designed around.
#include "config/uIni.h"
#include "fileio/uEcritureSure.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {
// The folding of every byte, computed once.
struct rTableMinuscules {
    unsigned char T[256];
    rTableMinuscules()
    {
        for (int c = 0; c < 256; ++c) {
            unsigned char m = static_cast<unsigned char>(c);
            if (c >= 'A' && c <= 'Z')
                m = static_cast<unsigned char>(c + 32);
            else if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
                m = static_cast<unsigned char>(c + 32);
            else if (c == 0x8A) // S caron
                m = 0x9A;
            else if (c == 0x8C) // OE
                m = 0x9C;
            else if (c == 0x8E) // Z caron
                m = 0x9E;
            else if (c == 0x9F) // Y diaeresis
                m = 0xFF;
            T[c] = m;
        }
    }
};
const rTableMinuscules Minuscules;
} // namespace

unsigned char MinusculeWin1252(unsigned char c) { return Minuscules.T[c]; }

bool EgalSansCasse(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    // Keys are nearly always looked up in the case they were written in.
    if (a == b)
        return true;
    const auto *x = reinterpret_cast<const unsigned char *>(a.data());
    const auto *y = reinterpret_cast<const unsigned char *>(b.data());
    for (std::size_t i = 0, n = a.size(); i < n; ++i)
        if (Minuscules.T[x[i]] != Minuscules.T[y[i]])
            return false;
    return true;
}

std::size_t HachageSansCasse(std::string_view s)
{
    // Eight bytes at a time. The hash only has to agree with the folding, not to tell every
    // case-free difference apart: setting bit 0x20 joins the ASCII letter pairs and the accented
    // ones (0xC0-0xDE with 0xE0-0xFE); above 0x7F, clearing bits 0x10 and 0x40 as well joins
    // the caron and ligature pairs (0x8A with 0x9A...) and 0x9F with 0xFF.
    constexpr std::uint64_t Un = 0x0101010101010101ull;
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ s.size();
    const auto melanger = [&h](std::uint64_t w) {
        const std::uint64_t hauts = (w >> 7) & Un;
        w = (w | 0x20 * Un) & ~(hauts * 0x50);
        h = (h ^ w) * 0xFF51AFD7ED558CCDull;
        h ^= h >> 32;
    };
    const char *p = s.data();
    std::size_t n = s.size();
    for (; n >= 8; p += 8, n -= 8) {
        std::uint64_t w;
        std::memcpy(&w, p, 8);
        melanger(w);
    }
    if (n > 0) {
        std::uint64_t w = 0;
        std::memcpy(&w, p, n);
        melanger(w);
    }
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    return h ^ (h >> 32);
}

void cIndexSansCasse::Agrandir(std::size_t taille)
{
    std::vector<rCase> anciennes(taille);
    anciennes.swap(Cases);
    rCase *cases = Cases.data();
    const std::size_t masque = taille - 1;
    for (const rCase *c = anciennes.data(), *fin = c + anciennes.size(); c != fin; ++c) {
        if (c->Position == 0)
            continue;
        std::size_t i = c->Hachage & masque;
        while (cases[i].Position != 0)
            i = (i + 1) & masque;
        cases[i] = *c;
    }
}

void cIndexSansCasse::Reserver(std::size_t n)
{
    std::size_t taille = Cases.empty() ? 64 : Cases.size();
    while (taille < 2 * n)
        taille *= 2;
    if (taille != Cases.size())
        Agrandir(taille);
}

void cIndexSansCasse::Placer(std::size_t position, std::size_t h)
{
    if ((Nombre + 1) * 2 > Cases.size())
        Agrandir(Cases.empty() ? 64 : Cases.size() * 2);
    rCase *cases = Cases.data();
    const std::size_t masque = Cases.size() - 1;
    const auto h32 = static_cast<std::uint32_t>(h);
    std::size_t i = h32 & masque;
    while (cases[i].Position != 0)
        i = (i + 1) & masque;
    cases[i] = {static_cast<std::uint32_t>(position + 1), h32};
    ++Nombre;
}

void cIndexSansCasse::Vider()
{
    Cases.clear();
    Nombre = 0;
}

namespace {
constexpr std::size_t Absent = cIndexSansCasse::Absent;

// The hash of a key within its section.
std::size_t HachageEntree(std::size_t section, std::size_t hCle)
{
    return hCle ^ ((section + 1) * 0x9E3779B97F4A7C15ull);
}

std::string_view SansBlancs(std::string_view s)
{
    const auto d = s.find_first_not_of(" \t");
    // An empty result still points into the text: entries are kept as offsets into it.
    if (d == std::string_view::npos)
        return s.substr(s.size());
    const auto f = s.find_last_not_of(" \t");
    return s.substr(d, f - d + 1);
}

bool EntierValide(std::string_view texte, int &valeur)
{
    const std::string_view s = SansBlancs(texte);
    if (s.empty())
        return false;
    std::size_t i = 0;
    const bool negatif = s[0] == '-';
    if (s[0] == '+' || s[0] == '-')
        i = 1;
    if (i == s.size())
        return false;
    for (std::size_t j = i; j < s.size(); ++j)
        if (s[j] < '0' || s[j] > '9')
            return false;
    // Any number of leading zeros; anything beyond the int range is refused.
    constexpr unsigned long long Borne = 1ull + INT_MAX;
    unsigned long long v = 0;
    for (std::size_t j = i; j < s.size(); ++j) {
        v = v * 10 + static_cast<unsigned>(s[j] - '0');
        if (v > Borne)
            return false;
    }
    if (!negatif && v == Borne)
        return false;
    valeur = negatif ? static_cast<int>(-static_cast<long long>(v)) : static_cast<int>(v);
    return true;
}

// A key made of a prefix and a suffix ("FontNotes" + "_Name"), without a heap copy when short.
class cCleComposee {
public:
    cCleComposee(std::string_view a, std::string_view b)
    {
        if (a.size() + b.size() <= sizeof Court) {
            std::memcpy(Court, a.data(), a.size());
            std::memcpy(Court + a.size(), b.data(), b.size());
            V = {Court, a.size() + b.size()};
        } else {
            Long.reserve(a.size() + b.size());
            Long.append(a).append(b);
            V = Long;
        }
    }
    cCleComposee(const cCleComposee &) = delete;
    cCleComposee &operator=(const cCleComposee &) = delete;
    operator std::string_view() const { return V; }

private:
    char Court[64];
    std::string Long;
    std::string_view V;
};
} // namespace

void cFichierIni::Vider()
{
    Reserve.clear();
    Sections.clear();
    Entrees.clear();
    IndexSections.Vider();
    IndexEntrees.Vider();
    DerniereEcrite = Absent;
}

bool cFichierIni::Charger(const std::string &chemin)
{
    Vider();
    std::ifstream f(chemin, std::ios::binary);
    if (!f)
        return false;
    const std::string tout{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    ChargerTexte(tout);
    return true;
}

void cFichierIni::ChargerTexte(std::string_view texte)
{
    Vider();
    // The entries are spans of this copy of the text.
    Reserve.assign(texte);
    const std::string_view t = Reserve;
    const auto plage = [&t](std::string_view partie) {
        return rPlage{static_cast<std::size_t>(partie.data() - t.data()), partie.size()};
    };
    std::size_t courante = Absent;
    std::size_t debut = 0;
    while (debut < t.size()) {
        auto fin = t.find('\n', debut);
        if (fin == std::string_view::npos)
            fin = t.size();
        std::string_view ligne = t.substr(debut, fin - debut);
        debut = fin + 1;
        if (!ligne.empty() && ligne.back() == '\r')
            ligne.remove_suffix(1);
        const std::string_view nette = SansBlancs(ligne);
        if (nette.empty() || nette[0] == ';')
            continue;
        if (nette.front() == '[') {
            const auto ferme = nette.find(']');
            if (ferme == std::string_view::npos)
                continue;
            const std::string_view nom = SansBlancs(nette.substr(1, ferme - 1));
            // A section written twice continues the first one.
            const std::size_t h = HachageSansCasse(nom);
            courante = ChercherSection(nom, h);
            if (courante == Absent)
                courante = AjouterSection(plage(nom), &h);
            continue;
        }
        const auto egal = ligne.find('=');
        if (courante == Absent || egal == std::string_view::npos)
            continue;
        const std::string_view cle = SansBlancs(ligne.substr(0, egal));
        if (cle.empty())
            continue;
        // A key written twice reads as its first entry.
        AjouterEntree(courante, plage(cle), plage(ligne.substr(egal + 1)), nullptr);
    }
}

std::string cFichierIni::Texte() const
{
    std::size_t taille = 0;
    for (const auto &s : Sections)
        if (!s.Effacee)
            taille += s.Nom.Longueur + 6;
    for (const auto &e : Entrees)
        taille += e.Cle.Longueur + e.Valeur.Longueur + 3;
    std::string o;
    o.reserve(taille);
    for (const auto &s : Sections) {
        if (s.Effacee)
            continue;
        if (!o.empty())
            o += "\r\n";
        o += '[';
        o += Vue(s.Nom);
        o += "]\r\n";
        for (std::uint32_t i = s.Premiere; i != Aucune; i = Entrees[i].Suivante) {
            const rEntree &e = Entrees[i];
            o += Vue(e.Cle);
            o += '=';
            o += Vue(e.Valeur);
            o += "\r\n";
        }
    }
    return o;
}

bool cFichierIni::Enregistrer(const std::string &chemin) const
{
    return EcrireFichierSur(chemin, Texte());
}

namespace {
bool SautDeLigne(std::string_view s)
{
    return std::memchr(s.data(), '\n', s.size()) || std::memchr(s.data(), '\r', s.size());
}
} // namespace

cFichierIni::rPlage cFichierIni::AjouterSurUneLigne(std::string_view s)
{
    const rPlage p{Reserve.size(), s.size()};
    // A whole settings save is some twenty kilobytes: no use growing from a few bytes.
    if (Reserve.size() + s.size() > Reserve.capacity())
        Reserve.reserve(std::max({Reserve.capacity() * 2, Reserve.size() + s.size(),
                                  std::size_t{4096}}));
    Reserve.append(s);
    if (SautDeLigne(s))
        for (std::size_t i = p.Debut; i < Reserve.size(); ++i)
            if (Reserve[i] == '\r' || Reserve[i] == '\n')
                Reserve[i] = ' ';
    return p;
}

std::size_t cFichierIni::ChercherSection(std::string_view section, std::size_t h) const
{
    return IndexSections.Chercher(h, [this, section](std::size_t i) {
        return EgalSansCasse(Vue(Sections[i].Nom), section);
    });
}

std::size_t cFichierIni::ChercherEntree(std::size_t section, std::string_view cle,
                                        std::size_t h) const
{
    return IndexEntrees.Chercher(HachageEntree(section, h), [this, section, cle](std::size_t i) {
        const rEntree &e = Entrees[i];
        return e.Section == section && EgalSansCasse(Vue(e.Cle), cle);
    });
}

std::size_t cFichierIni::AjouterSection(rPlage nom, const std::size_t *h)
{
    const std::size_t k = Sections.size();
    Sections.push_back({nom});
    if (h) {
        IndexSections.Placer(k, *h);
    } else {
        const std::size_t hNom = HachageSansCasse(Vue(nom));
        if (ChercherSection(Vue(nom), hNom) == Absent)
            IndexSections.Placer(k, hNom);
    }
    return k;
}

void cFichierIni::AjouterEntree(std::size_t section, rPlage cle, rPlage valeur,
                                const std::size_t *h)
{
    const auto k = static_cast<std::uint32_t>(Entrees.size());
    // Room from the start for a whole settings save: under a memory checker, every
    // reallocation and copy of the list costs more than the room.
    if (Entrees.capacity() == 0) {
        Entrees.reserve(256);
        IndexEntrees.Reserver(256);
    }
    Entrees.push_back({cle, valeur, static_cast<std::uint32_t>(section)});
    rSection &s = Sections[section];
    if (s.Derniere == Aucune)
        s.Premiere = k;
    else
        Entrees[s.Derniere].Suivante = k;
    s.Derniere = k;
    if (h) {
        IndexEntrees.Placer(k, HachageEntree(section, *h));
    } else {
        const std::size_t hCle = HachageSansCasse(Vue(cle));
        if (ChercherEntree(section, Vue(cle), hCle) == Absent)
            IndexEntrees.Placer(k, HachageEntree(section, hCle));
    }
}

bool cFichierIni::SectionExiste(std::string_view section) const
{
    return ChercherSection(section, HachageSansCasse(section)) != Absent;
}

const cFichierIni::rEntree *cFichierIni::Trouver(std::string_view section,
                                                 std::string_view cle) const
{
    const std::size_t s = ChercherSection(section, HachageSansCasse(section));
    if (s == Absent)
        return nullptr;
    const std::size_t k = ChercherEntree(s, cle, HachageSansCasse(cle));
    return k == Absent ? nullptr : &Entrees[k];
}

bool cFichierIni::CleExiste(std::string_view section, std::string_view cle) const
{
    return Trouver(section, cle) != nullptr;
}

int cFichierIni::LireEntier(std::string_view section, std::string_view cle, int defaut) const
{
    const rEntree *e = Trouver(section, cle);
    int v = 0;
    if (e && EntierValide(Vue(e->Valeur), v))
        return v;
    return defaut;
}

bool cFichierIni::LireBooleen(std::string_view section, std::string_view cle,
                              bool defaut) const
{
    return LireEntier(section, cle, defaut ? 1 : 0) != 0;
}

std::string cFichierIni::LireChaine(std::string_view section, std::string_view cle,
                                    std::string_view defaut) const
{
    const rEntree *e = Trouver(section, cle);
    return std::string(e ? Vue(e->Valeur) : defaut);
}

TMyFont cFichierIni::LirePolice(std::string_view section, std::string_view prefixe,
                                const TMyFont &defaut) const
{
    TMyFont f;
    f.Name = LireChaine(section, cCleComposee(prefixe, "_Name"), defaut.Name);
    f.Size = LireEntier(section, cCleComposee(prefixe, "_Size"), defaut.Size);
    f.Bold = LireBooleen(section, cCleComposee(prefixe, "_Bold"), defaut.Bold);
    f.Italic = LireBooleen(section, cCleComposee(prefixe, "_Italic"), defaut.Italic);
    f.Col = LireEntier(section, cCleComposee(prefixe, "_Col"), defaut.Col);
    return f;
}

std::size_t cFichierIni::SectionPourEcrire(std::string_view section)
{
    if (DerniereEcrite != Absent && EgalSansCasse(Vue(Sections[DerniereEcrite].Nom), section))
        return DerniereEcrite;
    const std::size_t h = HachageSansCasse(section);
    std::size_t k = ChercherSection(section, h);
    if (k == Absent) {
        // What is stored is no longer what was looked up when it had line breaks.
        const rPlage nom = AjouterSurUneLigne(section);
        k = AjouterSection(nom, SautDeLigne(section) ? nullptr : &h);
        // A name already indexed in another section is not remembered.
        if (ChercherSection(Vue(nom), HachageSansCasse(Vue(nom))) != k)
            return k;
    }
    DerniereEcrite = k;
    return k;
}

void cFichierIni::EcrireChaine(std::string_view section, std::string_view cle,
                               std::string_view valeur)
{
    const std::size_t s = SectionPourEcrire(section);
    const std::size_t h = HachageSansCasse(cle);
    const std::size_t k = ChercherEntree(s, cle, h);
    if (k == Absent) {
        const rPlage c = AjouterSurUneLigne(cle);
        const rPlage v = AjouterSurUneLigne(valeur);
        AjouterEntree(s, c, v, SautDeLigne(cle) ? nullptr : &h);
        return;
    }
    rPlage &v = Entrees[k].Valeur;
    if (valeur.size() > v.Longueur) {
        v = AjouterSurUneLigne(valeur);
        return;
    }
    // The new value fits where the old one was: no other entry uses those bytes.
    char *d = Reserve.data() + v.Debut;
    std::memcpy(d, valeur.data(), valeur.size());
    if (SautDeLigne(valeur))
        for (std::size_t i = 0; i < valeur.size(); ++i)
            if (d[i] == '\r' || d[i] == '\n')
                d[i] = ' ';
    v.Longueur = valeur.size();
}

void cFichierIni::EcrireEntier(std::string_view section, std::string_view cle, int valeur)
{
    char t[16];
    const auto r = std::to_chars(t, t + sizeof t, valeur);
    EcrireChaine(section, cle, std::string_view(t, static_cast<std::size_t>(r.ptr - t)));
}

void cFichierIni::EcrireBooleen(std::string_view section, std::string_view cle, bool valeur)
{
    EcrireChaine(section, cle, valeur ? "1" : "0");
}

void cFichierIni::EcrirePolice(std::string_view section, std::string_view prefixe,
                               const TMyFont &f)
{
    EcrireChaine(section, cCleComposee(prefixe, "_Name"), f.Name);
    EcrireEntier(section, cCleComposee(prefixe, "_Size"), f.Size);
    EcrireBooleen(section, cCleComposee(prefixe, "_Bold"), f.Bold);
    EcrireBooleen(section, cCleComposee(prefixe, "_Italic"), f.Italic);
    EcrireEntier(section, cCleComposee(prefixe, "_Col"), f.Col);
}

void cFichierIni::EffacerSection(std::string_view section)
{
    const std::size_t k = ChercherSection(section, HachageSansCasse(section));
    if (k == Absent)
        return;
    // Its entries stay in the list, unreachable: no lookup leads to an erased section again.
    Sections[k].Effacee = true;
    DerniereEcrite = Absent;
    IndexSections.Vider();
    for (std::size_t i = 0; i < Sections.size(); ++i) {
        if (Sections[i].Effacee)
            continue;
        const std::string_view nom = Vue(Sections[i].Nom);
        const std::size_t h = HachageSansCasse(nom);
        if (ChercherSection(nom, h) == Absent)
            IndexSections.Placer(i, h);
    }
}
