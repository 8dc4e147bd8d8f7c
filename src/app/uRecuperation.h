// Recovery copies: while the score has unsaved changes a copy is written now and then beside
// the settings, so that a crash or a power cut loses at most a minute of work. A clean exit or a
// save removes it; the next start offers back a copy left by an instance that is gone.
#pragma once

#include <ctime>
#include <string>
#include <vector>

class cPartition;
class cListeAccordsImpression;

struct rRecuperation {
    std::string Copie;         // the score copy (a native file)
    std::string Origine;       // the file it belongs to, empty for an untitled score
    std::time_t Date = 0;      // when the copy was written
    int Pid = 0;               // the instance that wrote it
};

// The copies of this process live in `dossier`, named after the process id.
class cRecuperation {
public:
    cRecuperation(std::string dossier, int pid);

    // Writes the copy and the name of the file it belongs to; false (nothing half-written) on
    // failure.
    bool Ecrire(const cPartition &p, const cListeAccordsImpression &liste);
    // Removes this process's copy (after a save or at a clean exit).
    void Supprimer();
    const std::string &CheminCopie() const { return Copie; }

private:
    std::string Dossier, Copie, Origine;
};

// Copies left in `dossier` by instances that no longer run, newest first. A copy older than the
// file it belongs to (saved since by someone) is removed rather than offered.
std::vector<rRecuperation> RecuperationsAOffrir(const std::string &dossier, int pidCourant);
// Removes a copy and its companion file.
void SupprimerRecuperation(const rRecuperation &r);
// Whether a process with this id is a running copy of this program.
bool InstanceVivante(int pid);
