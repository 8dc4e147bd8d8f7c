#include "app/uRecuperation.h"

#include <dirent.h>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "chords/uListeAccordsImpression.h"
#include "fileio/uEcritureSure.h"
#include "fileio/uFichierPLT.h"
#include "model/uPartition.h"

namespace {
const std::string Prefixe = "recovery-";
const std::string ExtCopie = ".pl3";
const std::string ExtOrigine = ".origin";

std::string Nom(const std::string &dossier, int pid, const std::string &ext)
{
    return dossier + "/" + Prefixe + std::to_string(pid) + ext;
}

bool DateFichier(const std::string &chemin, std::time_t &date)
{
    struct stat st {};
    if (::stat(chemin.c_str(), &st) != 0)
        return false;
    date = st.st_mtime;
    return true;
}

std::string LireTexte(const std::string &chemin)
{
    std::ifstream f(chemin, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}
} // namespace

cRecuperation::cRecuperation(std::string dossier, int pid)
    : Dossier(std::move(dossier)), Copie(Nom(Dossier, pid, ExtCopie)),
      Origine(Nom(Dossier, pid, ExtOrigine))
{
}

bool cRecuperation::Ecrire(const cPartition &p, const cListeAccordsImpression &liste)
{
    std::string image;
    EcrireFichierMemoire(p, liste, image);
    // The name first: a copy without its name would be offered as an untitled score.
    return EcrireFichierSur(Origine, p.Chemin) && EcrireFichierSur(Copie, image);
}

void cRecuperation::Supprimer()
{
    std::remove(Copie.c_str());
    std::remove(Origine.c_str());
}

bool InstanceVivante(int pid)
{
    if (pid <= 0)
        return false;
    // Another program may have taken the id since: only a running copy of this one counts.
    std::string nom = LireTexte("/proc/" + std::to_string(pid) + "/comm");
    while (!nom.empty() && (nom.back() == '\n' || nom.back() == '\r'))
        nom.pop_back();
    return nom.rfind("plectorium", 0) == 0;
}

std::vector<rRecuperation> RecuperationsAOffrir(const std::string &dossier, int pidCourant)
{
    std::vector<rRecuperation> liste;
    DIR *d = ::opendir(dossier.c_str());
    if (!d)
        return liste;
    while (const dirent *e = ::readdir(d)) {
        const std::string n = e->d_name;
        if (n.rfind(Prefixe, 0) != 0 || n.size() <= Prefixe.size() + ExtCopie.size() ||
            n.compare(n.size() - ExtCopie.size(), ExtCopie.size(), ExtCopie) != 0)
            continue;
        const std::string chiffres =
            n.substr(Prefixe.size(), n.size() - Prefixe.size() - ExtCopie.size());
        if (chiffres.empty() || chiffres.size() > 9 ||
            !std::all_of(chiffres.begin(), chiffres.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        rRecuperation r;
        r.Pid = std::stoi(chiffres);
        if (r.Pid == pidCourant || InstanceVivante(r.Pid))
            continue;
        r.Copie = dossier + "/" + n;
        if (!DateFichier(r.Copie, r.Date))
            continue;
        r.Origine = LireTexte(Nom(dossier, r.Pid, ExtOrigine));
        std::time_t dateOrigine;
        if (!r.Origine.empty() && DateFichier(r.Origine, dateOrigine) && dateOrigine >= r.Date) {
            SupprimerRecuperation(r); // the file was saved after the copy: nothing to recover
            continue;
        }
        liste.push_back(r);
    }
    ::closedir(d);
    std::sort(liste.begin(), liste.end(),
              [](const rRecuperation &a, const rRecuperation &b) { return a.Date > b.Date; });
    return liste;
}

void SupprimerRecuperation(const rRecuperation &r)
{
    std::remove(r.Copie.c_str());
    const std::string copie = r.Copie;
    std::remove((copie.substr(0, copie.size() - ExtCopie.size()) + ExtOrigine).c_str());
}
