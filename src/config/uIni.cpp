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

unsigned char MinusculeWin1252(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<unsigned char>(c + 32);
    switch (c) {
    case 0x8A: return 0x9A; // S caron
    case 0x8C: return 0x9C; // OE
    case 0x8E: return 0x9E; // Z caron
    case 0x9F: return 0xFF; // Y diaeresis
    default: return c;
    }
}

bool EgalSansCasse(const std::string &a, const std::string &b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (MinusculeWin1252(static_cast<unsigned char>(a[i])) !=
            MinusculeWin1252(static_cast<unsigned char>(b[i])))
            return false;
    return true;
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
            courante = nullptr;
            // A section written twice continues the first one.
            for (auto &s : Sections)
                if (EgalSansCasse(s.Nom, nom))
                    courante = &s;
            if (!courante) {
                Sections.push_back({nom, {}});
                courante = &Sections.back();
            }
            continue;
        }
        const auto egal = ligne.find('=');
        if (!courante || egal == std::string::npos)
            continue;
        const std::string cle = SansBlancs(ligne.substr(0, egal));
        if (cle.empty())
            continue;
        courante->Entrees.push_back({cle, ligne.substr(egal + 1)});
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

bool cFichierIni::SectionExiste(const std::string &section) const
{
    for (const auto &s : Sections)
        if (EgalSansCasse(s.Nom, section))
            return true;
    return false;
}

const cFichierIni::rEntree *cFichierIni::Trouver(const std::string &section,
                                                 const std::string &cle) const
{
    for (const auto &s : Sections)
        if (EgalSansCasse(s.Nom, section)) {
            for (const auto &e : s.Entrees)
                if (EgalSansCasse(e.Cle, cle))
                    return &e;
            return nullptr;
        }
    return nullptr;
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
    for (auto &s : Sections)
        if (EgalSansCasse(s.Nom, section))
            return s;
    Sections.push_back({SurUneLigne(section), {}});
    return Sections.back();
}

void cFichierIni::EcrireChaine(const std::string &section, const std::string &cle,
                               const std::string &valeur)
{
    rSection &s = SectionPourEcrire(section);
    for (auto &e : s.Entrees)
        if (EgalSansCasse(e.Cle, cle)) {
            e.Valeur = SurUneLigne(valeur);
            return;
        }
    s.Entrees.push_back({SurUneLigne(cle), SurUneLigne(valeur)});
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
    for (auto it = Sections.begin(); it != Sections.end(); ++it)
        if (EgalSansCasse(it->Nom, section)) {
            Sections.erase(it);
            return;
        }
}
