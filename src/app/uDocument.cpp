#include "app/uDocument.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "chords/uListeAccordsImpression.h"
#include "model/uCodage.h"
#include "model/uCoherence.h"
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
    // File names are UTF-8 already; the patch's text is not.
    std::string t = "Plectorium 3.0 - " + (p.NomFichier.empty() ? Win1252VersUtf8(sansNom)
                                                                 : p.NomFichier);
    if (enLecture)
        t += " - t=" + std::to_string(tempoLecture);
    return t;
}

std::string NomPourQuestion(const cPartition &p, const std::string &sansNom)
{
    // In the message's code page first, so the cut falls between characters.
    return Couper(p.NomFichier.empty() ? sansNom : Utf8VersWin1252(p.NomFichier), 50);
}

std::string NomFichierPourMessage(const std::string &chemin)
{
    return Utf8VersWin1252(PartieNomFichier(chemin));
}

// ---------------------------------------------------------------- the one document


cDocument::cDocument()
    : Courante(std::make_unique<cPartition>()), PressePapiersPartition(std::make_unique<cPartition>())
{
}

cDocument::~cDocument()
{
    // Views may still hold the score while the window is torn down; let them go first.
    Notifier(eEvenement::AvantRemplacement);
    Courante->Interface = nullptr;
}

void cDocument::ChoisirInterface(iInterfacePartition *interface)
{
    Interface = interface;
    Courante->Interface = interface;
}

int cDocument::Abonner(eEvenement e, FnAbonne f)
{
    Abonnes.push_back({ProchainId, e, std::move(f)});
    return ProchainId++;
}

void cDocument::Desabonner(int id)
{
    std::erase_if(Abonnes, [id](const rAbonne &a) { return a.Id == id; });
}

void cDocument::Notifier(eEvenement e)
{
    // A hook may subscribe or unsubscribe others: walk a copy.
    const std::vector<rAbonne> copie = Abonnes;
    for (const rAbonne &a : copie)
        if (a.Evenement == e && a.Fn)
            a.Fn();
}

void cDocument::Remplacer(std::unique_ptr<cPartition> nouvelle)
{
    if (!nouvelle)
        return;
    if (EnLecture())
        ArreterLecture();
    Notifier(eEvenement::AvantRemplacement);
    Courante->EnDestruction = true;
    Courante->Interface = nullptr;
    Courante = std::move(nouvelle);
    Courante->Interface = Interface;
    ++NumRevision;
    Notifier(eEvenement::ApresRemplacement);
}

void cDocument::Nouvelle()
{
    auto p = std::make_unique<cPartition>();
    p->Interface = Interface;
    p->Nouveau();
    Remplacer(std::move(p));
    ListeAccordsImpression().Vider(); // the print chords belong to the score left behind
}

bool cDocument::Ouvrir(const std::string &chemin, const FnLectureDocument &lire, std::string &cle)
{
    auto p = std::make_unique<cPartition>();
    cListeAccordsImpression liste;
    if (!lire(chemin, *p, liste, cle))
        return false; // the fresh score is freed; the current one was never touched
    Remplacer(std::move(p));
    liste.CopierVers(ListeAccordsImpression());
    return true;
}

void cDocument::Edite()
{
    ++NumRevision;
    Notifier(eEvenement::ApresEdition);
}

void cDocument::DebutCommande(const std::string &nom)
{
    Commande = nom;
    Notifier(eEvenement::AvantCommande);
}

void cDocument::FinCommande(const std::string &nom)
{
    Notifier(eEvenement::ApresCommande);
    Commande.clear();
#ifndef NDEBUG
    // Debug builds check the model after every command, so an editing fault shows where it
    // happens rather than at some later crash.
    const auto v = ViolationsInvariants(*Courante);
    if (!v.empty()) {
        std::fprintf(stderr, "Score invariants broken after command %s:\n", nom.c_str());
        for (const std::string &l : v)
            std::fprintf(stderr, "  %s\n", l.c_str());
        std::abort();
    }
#else
    (void)nom;
#endif
}
