// The settings file: an INI text in Windows-1252, sections and keys compared without regard to
// case, values read with the defaults the settings rely on, written back atomically.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "config/uParamAffichage.h"

// Case folding of one Windows-1252 byte (ASCII and the accented Latin letters).
unsigned char MinusculeWin1252(unsigned char c);
// Equality of two Windows-1252 texts without regard to case.
bool EgalSansCasse(const std::string &a, const std::string &b);
// Hashing and equality without regard to case, for keyed lookups with no folded copies.
struct rHachageSansCasse {
    std::size_t operator()(const std::string &s) const;
};
struct rEgalSansCasse {
    bool operator()(const std::string &a, const std::string &b) const { return EgalSansCasse(a, b); }
};

class cFichierIni {
public:
    cFichierIni() = default;

    // Reads a file; a missing or unreadable file gives an empty set (every read its default).
    bool Charger(const std::string &chemin);
    void ChargerTexte(const std::string &texte);
    // Writes a temporary file beside the target, then renames it over the target, so that a
    // failed write leaves the previous file whole. Returns false when nothing was replaced.
    bool Enregistrer(const std::string &chemin) const;
    std::string Texte() const;

    bool SectionExiste(const std::string &section) const;
    bool CleExiste(const std::string &section, const std::string &cle) const;

    // Integers: optional sign and decimal digits, blanks around allowed; anything else, an
    // out-of-range number or a missing key gives the default.
    int LireEntier(const std::string &section, const std::string &cle, int defaut) const;
    // Booleans are integers: non-zero is true.
    bool LireBooleen(const std::string &section, const std::string &cle, bool defaut) const;
    // Strings: the rest of the line after "=", exactly.
    std::string LireChaine(const std::string &section, const std::string &cle,
                           const std::string &defaut = {}) const;
    TMyFont LirePolice(const std::string &section, const std::string &prefixe,
                       const TMyFont &defaut) const;

    void EcrireEntier(const std::string &section, const std::string &cle, int valeur);
    void EcrireBooleen(const std::string &section, const std::string &cle, bool valeur);
    // Line breaks inside the value would split the entry; they are written as blanks.
    void EcrireChaine(const std::string &section, const std::string &cle,
                      const std::string &valeur);
    void EcrirePolice(const std::string &section, const std::string &prefixe, const TMyFont &f);

    void EffacerSection(const std::string &section);

private:
    struct rEntree {
        std::string Cle, Valeur;
    };
    struct rSection {
        std::string Nom;
        std::vector<rEntree> Entrees;
        // Key (any case) -> its first entry: a settings file has hundreds of keys and is read
        // and written key by key.
        std::unordered_map<std::string, std::size_t, rHachageSansCasse, rEgalSansCasse> Index;
    };
    std::vector<rSection> Sections;
    std::unordered_map<std::string, std::size_t, rHachageSansCasse, rEgalSansCasse> IndexSections;

    const rSection *TrouverSection(const std::string &section) const;
    const rEntree *Trouver(const std::string &section, const std::string &cle) const;
    rSection &SectionPourEcrire(const std::string &section);
    static void AjouterEntree(rSection &s, std::string cle, std::string valeur);
};
