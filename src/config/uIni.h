// The settings file: an INI text in Windows-1252, sections and keys compared without regard to
// case, values read with the defaults the settings rely on, written back atomically.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/uParamAffichage.h"

// Case folding of one Windows-1252 byte (ASCII and the accented Latin letters).
unsigned char MinusculeWin1252(unsigned char c);
// Equality of two Windows-1252 texts without regard to case.
bool EgalSansCasse(std::string_view a, std::string_view b);
// A hash that agrees with EgalSansCasse: equal texts in any case hash alike.
std::size_t HachageSansCasse(std::string_view s);

// Keyed lookups over positions in a list, without regard to case: open addressing on
// HachageSansCasse, the keys themselves staying in the list. A settings file or a language patch
// has hundreds of keys, and a node and a folded copy per key would cost more than the rest of
// the work.
class cIndexSansCasse {
public:
    static constexpr std::size_t Absent = static_cast<std::size_t>(-1);

    // The position whose key is the one looked for, or Absent. h is the key's hash (possibly
    // mixed with more); egal(position) tells whether the key at a position is the one.
    template <class FEgal> std::size_t Chercher(std::size_t h, const FEgal &egal) const
    {
        if (Cases.empty())
            return Absent;
        const rCase *cases = Cases.data();
        const std::size_t masque = Cases.size() - 1;
        const auto h32 = static_cast<std::uint32_t>(h);
        for (std::size_t i = h32 & masque;; i = (i + 1) & masque) {
            const rCase c = cases[i];
            if (c.Position == 0)
                return Absent;
            if (c.Hachage == h32 && egal(c.Position - 1))
                return c.Position - 1;
        }
    }
    // Records a position whose key is known to be absent.
    void Placer(std::size_t position, std::size_t h);
    void Vider();
    // Room for n keys without growing.
    void Reserver(std::size_t n);

private:
    struct rCase {
        std::uint32_t Position = 0; // position + 1; 0 for a free slot
        std::uint32_t Hachage = 0;  // of the key, so that growing and probing seldom read keys
    };
    std::vector<rCase> Cases;
    std::size_t Nombre = 0;

    void Agrandir(std::size_t taille);
};

class cFichierIni {
public:
    cFichierIni() = default;

    // Reads a file; a missing or unreadable file gives an empty set (every read its default).
    bool Charger(const std::string &chemin);
    void ChargerTexte(std::string_view texte);
    // Writes a temporary file beside the target, then renames it over the target, so that a
    // failed write leaves the previous file whole. Returns false when nothing was replaced.
    bool Enregistrer(const std::string &chemin) const;
    std::string Texte() const;

    bool SectionExiste(std::string_view section) const;
    bool CleExiste(std::string_view section, std::string_view cle) const;

    // Integers: optional sign and decimal digits, blanks around allowed; anything else, an
    // out-of-range number or a missing key gives the default.
    int LireEntier(std::string_view section, std::string_view cle, int defaut) const;
    // Booleans are integers: non-zero is true.
    bool LireBooleen(std::string_view section, std::string_view cle, bool defaut) const;
    // Strings: the rest of the line after "=", exactly.
    std::string LireChaine(std::string_view section, std::string_view cle,
                           std::string_view defaut = {}) const;
    TMyFont LirePolice(std::string_view section, std::string_view prefixe,
                       const TMyFont &defaut) const;

    void EcrireEntier(std::string_view section, std::string_view cle, int valeur);
    void EcrireBooleen(std::string_view section, std::string_view cle, bool valeur);
    // Line breaks inside the value would split the entry; they are written as blanks.
    void EcrireChaine(std::string_view section, std::string_view cle, std::string_view valeur);
    void EcrirePolice(std::string_view section, std::string_view prefixe, const TMyFont &f);

    void EffacerSection(std::string_view section);

private:
    // Every name, key and value is a span of one text buffer, and the entries of all sections
    // share one list and one index: loading a file is one copy of it, and a whole settings
    // write makes a few dozen allocations instead of some for every key.
    struct rPlage {
        std::size_t Debut = 0, Longueur = 0;
    };
    static constexpr std::uint32_t Aucune = 0xFFFFFFFF;
    struct rEntree {
        rPlage Cle, Valeur;
        std::uint32_t Section;
        std::uint32_t Suivante = Aucune; // next entry of the same section, in file order
    };
    struct rSection {
        rPlage Nom;
        std::uint32_t Premiere = Aucune, Derniere = Aucune;
        bool Effacee = false; // erased sections stay in the list, out of the index and the text
    };
    std::string Reserve;
    std::vector<rSection> Sections;
    std::vector<rEntree> Entrees;
    cIndexSansCasse IndexSections; // name (any case) -> its first section
    cIndexSansCasse IndexEntrees;  // section and key (any case) -> the first entry
    // The section last written to, as the index gives it: writes come section by section.
    std::size_t DerniereEcrite = static_cast<std::size_t>(-1);

    std::string_view Vue(rPlage p) const { return {Reserve.data() + p.Debut, p.Longueur}; }
    void Vider();
    // Appends a text with its line breaks made blanks.
    rPlage AjouterSurUneLigne(std::string_view s);
    std::size_t ChercherSection(std::string_view section, std::size_t h) const;
    std::size_t ChercherEntree(std::size_t section, std::string_view cle, std::size_t h) const;
    // A new section or entry. h is the hash of its name or key when that is known to be absent
    // from the index; without it the index is searched first (the first one stays indexed).
    std::size_t AjouterSection(rPlage nom, const std::size_t *h);
    void AjouterEntree(std::size_t section, rPlage cle, rPlage valeur, const std::size_t *h);
    const rEntree *Trouver(std::string_view section, std::string_view cle) const;
    std::size_t SectionPourEcrire(std::string_view section);
};
