// The one way the program writes a file: a unique temporary file beside the target, flushed and
// synced, then renamed over the target. Until the rename the old file stays whole; on any
// failure the temporary file is removed and the target is untouched. A symlink at the path is
// kept (the file it points to is replaced) and an existing file keeps its mode.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class cEcritureSure {
public:
    explicit cEcritureSure(const std::string &chemin);
    cEcritureSure(const cEcritureSure &) = delete;
    cEcritureSure &operator=(const cEcritureSure &) = delete;
    // Abandons the write unless Valider succeeded: the temporary file is removed.
    ~cEcritureSure();

    // False when the temporary file could not be created; Erreur() says why.
    bool Ouverte() const { return Fd >= 0; }
    bool Ecrire(const void *octets, std::size_t n);
    bool Ecrire(std::string_view s) { return Ecrire(s.data(), s.size()); }
    // Flushes, syncs and renames over the target. False (target untouched) on any failure.
    bool Valider();
    // Gives up: removes the temporary file.
    void Abandonner();

    // The system's text of the first failure, empty while all went well.
    const std::string &Erreur() const { return TexteErreur; }
    // The file really replaced (the link's target when the path is a symlink).
    const std::string &Cible() const { return CheminCible; }

private:
    std::string CheminCible;
    std::string CheminTemporaire;
    int Fd = -1;
    bool Valide = false;
    std::string Tampon;
    std::string TexteErreur;

    bool Vider();
    void Echec(int err);
};

// Writes `donnees` to `chemin` safely; on failure returns false and, when `erreur` is given,
// the system's text of the failure.
bool EcrireFichierSur(const std::string &chemin, std::string_view donnees,
                      std::string *erreur = nullptr);
