#include "support/MidiCsv.h"

#include <cstdio>
#include <filesystem>

namespace {
constexpr const char *Programme = "/usr/bin/midicsv";

std::vector<std::string> Champs(const std::string &ligne)
{
    std::vector<std::string> v;
    std::string courant;
    bool guillemets = false;
    for (std::size_t i = 0; i < ligne.size(); ++i) {
        const char c = ligne[i];
        if (guillemets) {
            if (c == '"' && i + 1 < ligne.size() && ligne[i + 1] == '"') {
                courant += '"';
                ++i;
            } else if (c == '"') {
                guillemets = false;
            } else {
                courant += c;
            }
        } else if (c == '"') {
            guillemets = true;
        } else if (c == ',') {
            v.push_back(courant);
            courant.clear();
        } else if (c != ' ' && c != '\r' && c != '\n') {
            courant += c;
        }
    }
    v.push_back(courant);
    return v;
}
} // namespace

bool MidiCsvDisponible() { return std::filesystem::exists(Programme); }

std::vector<rLigneCsv> MidiCsv(const std::string &chemin)
{
    std::vector<rLigneCsv> lignes;
    std::string echappe;
    for (char c : chemin)
        echappe += c == '\'' ? std::string("'\\''") : std::string(1, c);
    const std::string commande = std::string(Programme) + " '" + echappe + "' 2>/dev/null";
    std::FILE *f = popen(commande.c_str(), "r");
    if (!f)
        return lignes;
    std::string ligne;
    char tampon[4096];
    while (std::fgets(tampon, sizeof tampon, f)) {
        ligne += tampon;
        if (ligne.empty() || ligne.back() != '\n')
            continue;
        std::vector<std::string> c = Champs(ligne);
        ligne.clear();
        if (c.size() < 3)
            continue;
        rLigneCsv l;
        l.Piste = std::stoi(c[0]);
        l.Temps = std::stol(c[1]);
        l.Type = c[2];
        l.Champs.assign(c.begin() + 3, c.end());
        lignes.push_back(std::move(l));
    }
    if (pclose(f) != 0)
        lignes.clear();
    return lignes;
}

std::vector<rLigneCsv> Lignes(const std::vector<rLigneCsv> &v, int piste, const std::string &type)
{
    std::vector<rLigneCsv> r;
    for (const rLigneCsv &l : v)
        if (l.Piste == piste && l.Type == type)
            r.push_back(l);
    return r;
}
