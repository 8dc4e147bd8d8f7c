// A scratch folder per test, removed afterwards, and the reset of the global locations.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "config/uEmplacements.h"

class cDossierTemp {
public:
    cDossierTemp()
    {
        namespace fs = std::filesystem;
        std::string modele = (fs::temp_directory_path() / "plec-config-XXXXXX").string();
        Chemin = std::string(mkdtemp(modele.data())) + "/";
    }
    ~cDossierTemp()
    {
        std::error_code ec;
        std::filesystem::permissions(Chemin, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(Chemin, ec);
    }
    cDossierTemp(const cDossierTemp &) = delete;
    cDossierTemp &operator=(const cDossierTemp &) = delete;

    std::string Ecrire(const std::string &nom, const std::string &contenu) const
    {
        std::ofstream f(Chemin + nom, std::ios::binary);
        f << contenu;
        return Chemin + nom;
    }
    std::string Lire(const std::string &nom) const
    {
        std::ifstream f(Chemin + nom, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    }
    std::string Chemin; // with a trailing separator
};

// Makes one folder the program directory and the only data folder, with the settings in it.
class cInstallationTemp : public cDossierTemp {
public:
    cInstallationTemp()
    {
        Ancien = RepertoireProgramme();
        DefinirRepertoireProgramme(Chemin);
        DefinirDossiersDonnees({Chemin});
        DefinirCheminConfiguration(Chemin + "Plec300.ini");
    }
    ~cInstallationTemp()
    {
        DefinirRepertoireProgramme(Ancien);
        DefinirDossiersDonnees({});
        DefinirCheminConfiguration({});
    }
    // Copies a shipped patch into the installation.
    void Installer(const std::string &nomFichier, const std::string &sousLeNom = {}) const
    {
        std::filesystem::copy_file(std::string(PLEC_DATA_DIR) + "/" + nomFichier,
                                   Chemin + (sousLeNom.empty() ? nomFichier : sousLeNom),
                                   std::filesystem::copy_options::overwrite_existing);
    }

private:
    std::string Ancien;
};
