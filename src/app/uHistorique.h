// Undo and redo. A step is one of three kinds:
// - a change inside one track measure (every typing command): copies of that measure before and
//   after, so a fret typed in a large score costs a copy of one measure;
// - a change of anything else: the score's file images before and after (the after image kept
//   as the bytes that differ from the before image);
// - a measure appended at the end by a cursor move.
// A step may be tied to the next older one (the changes a cursor move makes, such as the empty
// placeholder beat it appends): they are undone and redone together.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class cMesurePiste;
class cPartition;

// Where the cursor was when a change was made, by numbers (never pointers into a score that
// undo replaces).
struct rPlaceCurseur {
    int NumMesure = 1;
    int NumPiste = 1;
    int NumTemps = 1;
    int NumCorde = 1;
};

class cHistorique {
public:
    cHistorique();
    ~cHistorique();
    cHistorique(const cHistorique &) = delete;
    cHistorique &operator=(const cHistorique &) = delete;

    // Nothing to undo or redo (New, Open).
    void Vider();

    // A change of the whole score. False (nothing recorded) when the images are equal.
    bool EnregistrerImages(const std::string &avant, const std::string &apres,
                           const rPlaceCurseur &place, bool lie = false);
    // A change inside track measure (mesure, piste): copies made with CopierMesure.
    void EnregistrerMesure(int mesure, int piste, std::unique_ptr<cMesurePiste> avant,
                           std::unique_ptr<cMesurePiste> apres, const rPlaceCurseur &place,
                           bool lie = false);
    // A measure appended after the last one.
    void EnregistrerMesureAjoutee(const rPlaceCurseur &place, bool lie = false);

    // A copy of a track measure's beats that belongs to no score.
    static std::unique_ptr<cMesurePiste> CopierMesure(const cMesurePiste &mp);

    bool PeutAnnuler() const { return !Annulations.empty(); }
    bool PeutRetablir() const { return !Retablissements.empty(); }
    std::size_t NbAnnulations() const { return Annulations.size(); }
    std::size_t NbRetablissements() const { return Retablissements.size(); }

    // What undo and redo act on: the current score, and the replacement of the whole score by a
    // file image (false when the image does not read).
    struct rCible {
        std::function<cPartition &()> Partition;
        std::function<bool(const std::string &image)> Remplacer;
    };
    // One step back / forward (with the steps tied to it); `place` is the cursor of that
    // change. False when there is nothing to do or a step could not be applied (the history is
    // then emptied, as it no longer matches the score).
    bool Annuler(const rCible &c, rPlaceCurseur &place);
    bool Retablir(const rCible &c, rPlaceCurseur &place);

    // Bytes held by the steps.
    std::size_t Taille() const { return TailleEtapes; }
    // The oldest steps are dropped once the steps hold more than this.
    std::size_t TailleMax = std::size_t(512) << 20;

private:
    struct rEtape;
    std::vector<std::unique_ptr<rEtape>> Annulations;
    std::vector<std::unique_ptr<rEtape>> Retablissements;
    std::size_t TailleEtapes = 0;

    void Empiler(std::unique_ptr<rEtape> e);
    bool Passer(std::vector<std::unique_ptr<rEtape>> &source,
                std::vector<std::unique_ptr<rEtape>> &cible, bool versAvant, const rCible &c,
                rPlaceCurseur &place);
    static bool Appliquer(const rEtape &e, bool versAvant, const rCible &c);
    static std::size_t TailleDe(const rEtape &e);
    void Elaguer();
};
