#include "fileio/uEcritureSure.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr std::size_t TailleTampon = 1 << 16;

std::string Dossier(const std::string &chemin)
{
    const auto barre = chemin.find_last_of('/');
    if (barre == std::string::npos)
        return ".";
    return barre == 0 ? "/" : chemin.substr(0, barre);
}

// Follows a chain of symlinks to the file they name (which may not exist yet), so that the
// link itself survives the rename.
std::string ResoudreLiens(const std::string &chemin)
{
    std::string c = chemin;
    for (int k = 0; k < 40; ++k) {
        struct stat st {};
        if (::lstat(c.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return c;
        char tampon[PATH_MAX];
        const ssize_t n = ::readlink(c.c_str(), tampon, sizeof tampon - 1);
        if (n <= 0)
            return c;
        std::string lien(tampon, static_cast<std::size_t>(n));
        c = lien[0] == '/' ? lien : Dossier(c) + "/" + lien;
    }
    return c;
}
} // namespace

cEcritureSure::cEcritureSure(const std::string &chemin)
{
    CheminCible = ResoudreLiens(chemin);
    struct stat st {};
    const bool existe = ::stat(CheminCible.c_str(), &st) == 0;
    if (existe && !S_ISREG(st.st_mode)) {
        Echec(EISDIR);
        return;
    }
    std::string modele = CheminCible + ".tmp-XXXXXX";
    Fd = ::mkostemp(modele.data(), O_CLOEXEC);
    if (Fd < 0) {
        Echec(errno);
        return;
    }
    CheminTemporaire = modele;
    mode_t mode;
    if (existe) {
        mode = st.st_mode & 07777;
        // Only the owner could be lost here; the content is what matters.
        [[maybe_unused]] const int r = ::fchown(Fd, st.st_uid, st.st_gid);
    } else {
        const mode_t masque = ::umask(0);
        ::umask(masque);
        mode = 0666 & ~masque;
    }
    if (::fchmod(Fd, mode) != 0) {
        Echec(errno);
        Abandonner();
        return;
    }
    Tampon.reserve(TailleTampon);
}

cEcritureSure::~cEcritureSure()
{
    if (!Valide)
        Abandonner();
}

void cEcritureSure::Echec(int err)
{
    if (TexteErreur.empty())
        TexteErreur = std::strerror(err ? err : EIO);
}

bool cEcritureSure::Vider()
{
    std::size_t ecrit = 0;
    while (ecrit < Tampon.size()) {
        const ssize_t r = ::write(Fd, Tampon.data() + ecrit, Tampon.size() - ecrit);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0) {
            Echec(r < 0 ? errno : ENOSPC);
            return false;
        }
        ecrit += static_cast<std::size_t>(r);
    }
    Tampon.clear();
    return true;
}

bool cEcritureSure::Ecrire(const void *octets, std::size_t n)
{
    if (Fd < 0 || !TexteErreur.empty())
        return false;
    const char *p = static_cast<const char *>(octets);
    if (Tampon.size() + n > TailleTampon && !Vider())
        return false;
    if (n >= TailleTampon) {
        Tampon.assign(p, n);
        return Vider();
    }
    Tampon.append(p, n);
    return true;
}

bool cEcritureSure::Valider()
{
    if (Fd < 0 || !TexteErreur.empty()) {
        Abandonner();
        return false;
    }
    bool ok = Vider();
    if (ok && ::fsync(Fd) != 0) {
        Echec(errno);
        ok = false;
    }
    if (::close(Fd) != 0 && ok) {
        Echec(errno);
        ok = false;
    }
    Fd = -1;
    if (ok && ::rename(CheminTemporaire.c_str(), CheminCible.c_str()) != 0) {
        Echec(errno);
        ok = false;
    }
    if (!ok) {
        Abandonner();
        return false;
    }
    CheminTemporaire.clear();
    Valide = true;
    // Makes the rename itself durable; a failure here still leaves a complete file.
    const int rep = ::open(Dossier(CheminCible).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (rep >= 0) {
        ::fsync(rep);
        ::close(rep);
    }
    return true;
}

void cEcritureSure::Abandonner()
{
    if (Fd >= 0) {
        ::close(Fd);
        Fd = -1;
    }
    if (!CheminTemporaire.empty()) {
        ::unlink(CheminTemporaire.c_str());
        CheminTemporaire.clear();
    }
    Tampon.clear();
    if (TexteErreur.empty() && !Valide)
        TexteErreur = std::strerror(ECANCELED);
}

bool EcrireFichierSur(const std::string &chemin, std::string_view donnees, std::string *erreur)
{
    cEcritureSure f(chemin);
    const bool ok = f.Ecrire(donnees) && f.Valider();
    if (!ok && erreur)
        *erreur = f.Erreur();
    return ok;
}
