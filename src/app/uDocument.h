// The document rules of the main window that need no window: the file name proposed from a
// title, the recent-files list, the caption.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class cPartition;

inline constexpr int NbRecents = 5;
using tFichiersRecents = std::array<std::string, NbRecents>;

// The title with " * / : < > ? \ | replaced by "_", then ".pl3"; empty for an empty title.
std::string NomProposeDepuisTitre(const std::string &titre);
// The file-name part of a path.
std::string PartieNomFichier(const std::string &chemin);
// Puts a path at the top of the list (nothing when the file does not exist; entries above an
// earlier place move down; a new path pushes the fifth entry out).
void AjouterFichierRecent(tFichiersRecents &liste, const std::string &chemin, bool existe);
// "&k  " and the file-name part (k from 1).
std::string LibelleFichierRecent(int k, const std::string &chemin);
// "Plectorium 3.0 - " and the file name (or `sansNom`, a patch text), with " - t=" and the
// playback tempo while playing. UTF-8, as file names are.
std::string TitreFenetre(const cPartition &p, const std::string &sansNom, bool enLecture = false,
                         int tempoLecture = 0);
// The name shown by the save-changes prompt: the file name or `sansNom`, cut to 50 characters,
// in the messages' code page (Windows-1252).
std::string NomPourQuestion(const cPartition &p, const std::string &sansNom);
// The file-name part of a UTF-8 path, in the messages' code page.
std::string NomFichierPourMessage(const std::string &chemin);

// ---------------------------------------------------------------- the one document

class cAccord;
class cPiste;
class cListeAccordsImpression;
class iInterfacePartition;

// What a reader does: fills a fresh score (and its print chord list) from a file, or returns
// false with a message key.
using FnLectureDocument = std::function<bool(const std::string &chemin, cPartition &p,
                                             cListeAccordsImpression &liste, std::string &cle)>;

// The score being edited, the clipboard score, and the hooks every view and engine follows.
// The current score is replaced here and nowhere else, so that nobody keeps a pointer into a
// freed score: before a replacement every AvantRemplacement hook lets go of the old one (and
// playback stops), after it every ApresRemplacement hook picks up the new one.
class cDocument {
public:
    enum class eEvenement {
        AvantRemplacement, // the current score is about to be freed
        ApresRemplacement, // a new current score is in place
        ApresEdition,      // the score was changed by an edit (views, mixer, overview refresh)
        AvantCommande,     // a command of the table is about to run (undo snapshots)
        ApresCommande,     // it has run
    };
    using FnAbonne = std::function<void()>;

    cDocument();
    ~cDocument();
    cDocument(const cDocument &) = delete;
    cDocument &operator=(const cDocument &) = delete;

    cPartition &Partition() const { return *Courante; }
    cPartition &PressePapiers() { return *PressePapiersPartition; }

    // Given to every score the document holds.
    void ChoisirInterface(iInterfacePartition *interface);

    // Returns an id for Desabonner. Hooks run in the order they subscribed.
    int Abonner(eEvenement e, FnAbonne f);
    void Desabonner(int id);

    // Replaces the current score. `nouvelle` must not be null.
    void Remplacer(std::unique_ptr<cPartition> nouvelle);
    // A new score with one track and one measure (`Nouveau`), made current.
    void Nouvelle();
    // Reads into a fresh score and print chord list; only on success do they replace the
    // current ones. On failure the current score is exactly as it was.
    bool Ouvrir(const std::string &chemin, const FnLectureDocument &lire, std::string &cle);

    // Every editing command calls this once it has changed the score.
    void Edite();
    // Set around each command of the table by the window.
    void DebutCommande(const std::string &nom);
    void FinCommande(const std::string &nom);
    // The command running now, empty between commands.
    const std::string &CommandeEnCours() const { return Commande; }
    // Grows at every Edite and every replacement: views compare it to know they are stale.
    long long Revision() const { return NumRevision; }

    // Playback as the rest of the program sees it; the playback engine fills these in.
    // Every command that changes beats the engine may hold stops playback first.
    std::function<bool()> EnLecture = [] { return false; };
    std::function<void()> ArreterLecture = [] {};
    // Sounds one beat on a track's channels ("Play while Entering", editors' Listen). The beat
    // need not belong to the score.
    std::function<void(const cPiste &piste, const cAccord &accord)> EcouterAccord =
        [](const cPiste &, const cAccord &) {};
    // The same, asked for by an editor's listen button: it sounds whatever the "Play while
    // Entering" setting.
    std::function<void(const cPiste &piste, const cAccord &accord)> EcouterEditeur =
        [](const cPiste &, const cAccord &) {};

private:
    std::unique_ptr<cPartition> Courante;
    std::unique_ptr<cPartition> PressePapiersPartition;
    iInterfacePartition *Interface = nullptr;
    struct rAbonne {
        int Id;
        eEvenement Evenement;
        FnAbonne Fn;
    };
    std::vector<rAbonne> Abonnes;
    int ProchainId = 1;
    std::string Commande;
    long long NumRevision = 0;

    void Notifier(eEvenement e);
};
