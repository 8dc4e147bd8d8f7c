// INI reading and writing with the semantics the settings were designed around.
#include "config/uIni.h"
#include "fileio/uEcritureSure.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

bool EgalSansCasse(const std::string &a, const std::string &b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Minuscules.T[static_cast<unsigned char>(a[i])] !=
            Minuscules.T[static_cast<unsigned char>(b[i])])
            return false;
    return true;
}

std::size_t rHachageSansCasse::operator()(const std::string &s) const
{
    std::size_t h = 1469598103934665603ull; // FNV-1a over the folded bytes
    for (char c : s)
        h = (h ^ Minuscules.T[static_cast<unsigned char>(c)]) * 1099511628211ull;
    return h;
}

namespace {
std::string SansBlancs(const std::string &s)
{
    const auto d = s.find_first_not_of(" \t");
    if (d == std::string::npos)
        return {};
    const auto f = s.find_last_not_of(" \t");
    return s.substr(d, f - d + 1);
}

bool EntierValide(const std::string &texte, int &valeur)
{
    const std::string s = SansBlancs(texte);
    if (s.empty())
        return false;
    std::size_t i = 0;
    if (s[0] == '+' || s[0] == '-')
        i = 1;
    if (i == s.size())
        return false;
    for (std::size_t j = i; j < s.size(); ++j)
        if (s[j] < '0' || s[j] > '9')
            return false;
    errno = 0;
    const long long v = std::strtoll(s.c_str(), nullptr, 10);
    if (errno == ERANGE || v < INT_MIN || v > INT_MAX)
        return false;
    valeur = static_cast<int>(v);
    return true;
}

std::string SurUneLigne(const std::string &s)
{
    if (s.find_first_of("\r\n") == std::string::npos)
        return s;
    std::string o = s;
    for (char &c : o)
        if (c == '\r' || c == '\n')
            c = ' ';
    return o;
}
} // namespace

bool cFichierIni::Charger(const std::string &chemin)
{
    Sections.clear();
    IndexSections.clear();
    std::ifstream f(chemin, std::ios::binary);
    if (!f)
        return false;
    std::ostringstream tout;
    tout << f.rdbuf();
    ChargerTexte(tout.str());
    return true;
}

void cFichierIni::ChargerTexte(const std::string &texte)
{
    Sections.clear();
    IndexSections.clear();
    rSection *courante = nullptr;
    std::size_t debut = 0;
    while (debut < texte.size()) {
        auto fin = texte.find('\n', debut);
        if (fin == std::string::npos)
            fin = texte.size();
        std::string ligne = texte.substr(debut, fin - debut);
        debut = fin + 1;
        if (!ligne.empty() && ligne.back() == '\r')
            ligne.pop_back();
        const std::string nette = SansBlancs(ligne);
        if (nette.empty() || nette[0] == ';')
            continue;
        if (nette.front() == '[') {
            const auto ferme = nette.find(']');
            if (ferme == std::string::npos)
                continue;
            const std::string nom = SansBlancs(nette.substr(1, ferme - 1));
            // A section written twice continues the first one.
            const auto [it, nouvelle] = IndexSections.emplace(nom, Sections.size());
            if (nouvelle)
                Sections.push_back({nom, {}, {}});
            courante = &Sections[it->second];
            continue;
        }
        const auto egal = ligne.find('=');
        if (!courante || egal == std::string::npos)
            continue;
        const std::string cle = SansBlancs(ligne.substr(0, egal));
        if (cle.empty())
            continue;
        AjouterEntree(*courante, cle, ligne.substr(egal + 1));
    }
}

std::string cFichierIni::Texte() const
{
    std::string o;
    for (const auto &s : Sections) {
        if (!o.empty())
            o += "\r\n";
        o += "[" + s.Nom + "]\r\n";
        for (const auto &e : s.Entrees)
            o += e.Cle + "=" + e.Valeur + "\r\n";
    }
    return o;
}

bool cFichierIni::Enregistrer(const std::string &chemin) const
{
    return EcrireFichierSur(chemin, Texte());
}

void cFichierIni::AjouterEntree(rSection &s, std::string cle, std::string valeur)
{
    // A key written twice reads as its first entry.
    s.Index.try_emplace(cle, s.Entrees.size());
    s.Entrees.push_back({std::move(cle), std::move(valeur)});
}

const cFichierIni::rSection *cFichierIni::TrouverSection(const std::string &section) const
{
    const auto it = IndexSections.find(section);
    return it == IndexSections.end() ? nullptr : &Sections[it->second];
}

bool cFichierIni::SectionExiste(const std::string &section) const
{
    return TrouverSection(section) != nullptr;
}

const cFichierIni::rEntree *cFichierIni::Trouver(const std::string &section,
                                                 const std::string &cle) const
{
    const rSection *s = TrouverSection(section);
    if (!s)
        return nullptr;
    const auto it = s->Index.find(cle);
    return it == s->Index.end() ? nullptr : &s->Entrees[it->second];
}

bool cFichierIni::CleExiste(const std::string &section, const std::string &cle) const
{
    return Trouver(section, cle) != nullptr;
}

int cFichierIni::LireEntier(const std::string &section, const std::string &cle,
                            int defaut) const
{
    const rEntree *e = Trouver(section, cle);
    int v = 0;
    if (e && EntierValide(e->Valeur, v))
        return v;
    return defaut;
}

bool cFichierIni::LireBooleen(const std::string &section, const std::string &cle,
                              bool defaut) const
{
    return LireEntier(section, cle, defaut ? 1 : 0) != 0;
}

std::string cFichierIni::LireChaine(const std::string &section, const std::string &cle,
                                    const std::string &defaut) const
{
    const rEntree *e = Trouver(section, cle);
    return e ? e->Valeur : defaut;
}

TMyFont cFichierIni::LirePolice(const std::string &section, const std::string &prefixe,
                                const TMyFont &defaut) const
{
    TMyFont f;
    f.Name = LireChaine(section, prefixe + "_Name", defaut.Name);
    f.Size = LireEntier(section, prefixe + "_Size", defaut.Size);
    f.Bold = LireBooleen(section, prefixe + "_Bold", defaut.Bold);
    f.Italic = LireBooleen(section, prefixe + "_Italic", defaut.Italic);
    f.Col = LireEntier(section, prefixe + "_Col", defaut.Col);
    return f;
}

cFichierIni::rSection &cFichierIni::SectionPourEcrire(const std::string &section)
{
    const auto it = IndexSections.find(section);
    if (it != IndexSections.end())
        return Sections[it->second];
    const std::string nom = SurUneLigne(section);
    IndexSections.emplace(nom, Sections.size());
    Sections.push_back({nom, {}, {}});
    return Sections.back();
}

void cFichierIni::EcrireChaine(const std::string &section, const std::string &cle,
                               const std::string &valeur)
{
    rSection &s = SectionPourEcrire(section);
    const auto it = s.Index.find(cle);
    if (it != s.Index.end()) {
        s.Entrees[it->second].Valeur = SurUneLigne(valeur);
        return;
    }
    AjouterEntree(s, SurUneLigne(cle), SurUneLigne(valeur));
}

void cFichierIni::EcrireEntier(const std::string &section, const std::string &cle, int valeur)
{
    EcrireChaine(section, cle, std::to_string(valeur));
}

void cFichierIni::EcrireBooleen(const std::string &section, const std::string &cle, bool valeur)
{
    EcrireChaine(section, cle, valeur ? "1" : "0");
}

void cFichierIni::EcrirePolice(const std::string &section, const std::string &prefixe,
                               const TMyFont &f)
{
    EcrireChaine(section, prefixe + "_Name", f.Name);
    EcrireEntier(section, prefixe + "_Size", f.Size);
    EcrireBooleen(section, prefixe + "_Bold", f.Bold);
    EcrireBooleen(section, prefixe + "_Italic", f.Italic);
    EcrireEntier(section, prefixe + "_Col", f.Col);
}

void cFichierIni::EffacerSection(const std::string &section)
{
    const auto it = IndexSections.find(section);
    if (it == IndexSections.end())
        return;
    Sections.erase(Sections.begin() + static_cast<std::ptrdiff_t>(it->second));
    IndexSections.clear();
    for (std::size_t k = 0; k < Sections.size(); ++k)
        IndexSections.emplace(Sections[k].Nom, k);
}
