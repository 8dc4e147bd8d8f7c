#include "app/uDocument.h"

#include <algorithm>

#include "model/uPartition.h"

std::string NomProposeDepuisTitre(const std::string &titre)
{
    if (titre.empty())
        return {};
    std::string n = titre;
    for (char &c : n)
        if (std::string_view("\"*/:<>?\\|").find(c) != std::string_view::npos)
            c = '_';
    return n + ".pl3";
}

std::string PartieNomFichier(const std::string &chemin)
{
    const auto i = chemin.find_last_of("/\\");
    return i == std::string::npos ? chemin : chemin.substr(i + 1);
}

void AjouterFichierRecent(tFichiersRecents &liste, const std::string &chemin, bool existe)
{
    if (!existe || chemin.empty() || liste[0] == chemin)
        return;
    int k = NbRecents - 1; // a new path: the last entry drops out
    for (int i = 1; i < NbRecents; ++i)
        if (liste[i] == chemin) {
            k = i;
            break;
        }
    for (int i = k; i > 0; --i)
        liste[i] = liste[i - 1];
    liste[0] = chemin;
}

std::string LibelleFichierRecent(int k, const std::string &chemin)
{
    return "&" + std::to_string(k) + "  " + PartieNomFichier(chemin);
}

std::string TitreFenetre(const cPartition &p, const std::string &sansNom, bool enLecture,
                         int tempoLecture)
{
    std::string t = "Plectorium 3.0 - " + (p.NomFichier.empty() ? sansNom : p.NomFichier);
    if (enLecture)
        t += " - t=" + std::to_string(tempoLecture);
    return t;
}

std::string NomPourQuestion(const cPartition &p, const std::string &sansNom)
{
    return Couper(p.NomFichier.empty() ? sansNom : p.NomFichier, 50);
}
