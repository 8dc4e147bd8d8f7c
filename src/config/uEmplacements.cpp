// Program, data and settings locations.
#include "config/uEmplacements.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {
std::string AvecSeparateur(std::string rep)
{
    if (!rep.empty() && rep.back() != '/')
        rep += '/';
    return rep;
}

std::string RepertoireExecutable()
{
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) {
        const fs::path ici = fs::current_path(ec);
        return ec ? std::string("./") : AvecSeparateur(ici.string());
    }
    return AvecSeparateur(exe.parent_path().string());
}

std::string &Programme()
{
    static std::string rep = RepertoireExecutable();
    return rep;
}

std::vector<std::string> &DossiersImposes()
{
    static std::vector<std::string> d;
    return d;
}

std::string &IniImpose()
{
    static std::string c;
    return c;
}

// This file sits in src/config/ of the source tree; data/ is two levels up. It serves only an
// executable that runs from inside the source tree (a development build): a copy run from
// anywhere else must find its own patches, or report that none is installed.
std::string DossierSourceDonnees()
{
#ifdef PLEC_DOSSIER_SOURCES
    // Given by the build: __FILE__ may be relative when a compiler cache rewrites paths.
    const std::string racine = AvecSeparateur(PLEC_DOSSIER_SOURCES);
#else
    const fs::path ici(__FILE__);
    if (!ici.is_absolute())
        return {};
    const std::string racine = AvecSeparateur(ici.parent_path().parent_path().parent_path().string());
#endif
    if (RepertoireProgramme().rfind(racine, 0) != 0)
        return {};
    return racine + "data/";
}

bool EstDossier(const std::string &d)
{
    std::error_code ec;
    return fs::is_directory(d, ec);
}
} // namespace

const std::string &RepertoireProgramme() { return Programme(); }

void DefinirRepertoireProgramme(const std::string &rep) { Programme() = AvecSeparateur(rep); }

std::vector<std::string> DossiersDonnees()
{
    if (!DossiersImposes().empty())
        return DossiersImposes();
    std::vector<std::string> d{RepertoireProgramme()};
    const auto ajouter = [&d](const std::string &rep) {
        if (rep.empty() || !EstDossier(rep))
            return;
        std::error_code ec;
        for (const auto &x : d)
            if (fs::equivalent(x, rep, ec))
                return;
        d.push_back(AvecSeparateur(rep));
    };
    ajouter(RepertoireProgramme() + "../share/plectorium/");
    ajouter(DossierSourceDonnees());
    return d;
}

void DefinirDossiersDonnees(const std::vector<std::string> &dossiers)
{
    DossiersImposes().clear();
    for (const auto &d : dossiers)
        DossiersImposes().push_back(AvecSeparateur(d));
}

bool FichierExiste(const std::string &chemin)
{
    std::error_code ec;
    return !chemin.empty() && fs::is_regular_file(chemin, ec);
}

std::string TrouverFichierDonnees(const std::string &nomFichier)
{
    for (const auto &d : DossiersDonnees())
        if (FichierExiste(d + nomFichier))
            return d + nomFichier;
    return {};
}

std::vector<std::string> ListerFichiersDonnees(const std::string &extension)
{
    std::vector<std::string> noms;
    for (const auto &d : DossiersDonnees()) {
        std::error_code ec;
        fs::directory_iterator it(d, ec);
        if (ec)
            continue;
        std::vector<std::string> ici;
        for (; it != fs::directory_iterator(); it.increment(ec)) {
            if (ec)
                break;
            std::error_code ec2;
            if (!it->is_regular_file(ec2))
                continue;
            const std::string nom = it->path().filename().string();
            if (nom.size() <= extension.size())
                continue;
            std::string fin = nom.substr(nom.size() - extension.size());
            bool egal = true;
            for (std::size_t i = 0; i < fin.size(); ++i)
                if (std::tolower(static_cast<unsigned char>(fin[i])) !=
                    std::tolower(static_cast<unsigned char>(extension[i])))
                    egal = false;
            if (egal)
                ici.push_back(nom);
        }
        // Directory order is arbitrary on this platform; sorting keeps the menus stable.
        std::sort(ici.begin(), ici.end());
        for (const auto &n : ici) {
            bool deja = false;
            for (const auto &m : noms)
                deja = deja || m == n;
            if (!deja)
                noms.push_back(n);
        }
    }
    return noms;
}

void DefinirCheminConfiguration(const std::string &chemin) { IniImpose() = chemin; }

std::string CheminConfiguration()
{
    if (!IniImpose().empty())
        return IniImpose();
    const std::string local = RepertoireProgramme() + "Plec300.ini";
    if (::access(RepertoireProgramme().c_str(), W_OK) == 0 &&
        (!FichierExiste(local) || ::access(local.c_str(), W_OK) == 0))
        return local;
    std::string base;
    if (const char *x = std::getenv("XDG_CONFIG_HOME"); x && *x == '/')
        base = x;
    else if (const char *h = std::getenv("HOME"); h && *h)
        base = std::string(h) + "/.config";
    else
        return local;
    const std::string rep = AvecSeparateur(base) + "plectorium/";
    std::error_code ec;
    fs::create_directories(rep, ec);
    return rep + "Plec300.ini";
}
