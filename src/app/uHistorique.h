// Undo and redo. The history keeps the file image of the score after the last recorded change
// and, for each step, only the bytes that differ from its neighbour (the common head and tail
// are shared), so a fret typed in a large score costs a few hundred bytes, not a copy of it.
// It knows nothing of commands: the caller gives it the score's image after each change.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

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
    // A new history starting from this image (New, Open): nothing to undo or redo.
    void Commencer(std::string image);
    // The image after a change made with the cursor at `place`. Returns false (and records
    // nothing) when the image is the one already held.
    bool Enregistrer(std::string image, const rPlaceCurseur &place);

    bool PeutAnnuler() const { return !Annulations.empty(); }
    bool PeutRetablir() const { return !Retablissements.empty(); }
    std::size_t NbAnnulations() const { return Annulations.size(); }
    std::size_t NbRetablissements() const { return Retablissements.size(); }

    // One step back / forward: the image to load and the cursor of that change. False when
    // there is no step.
    bool Annuler(std::string &image, rPlaceCurseur &place);
    bool Retablir(std::string &image, rPlaceCurseur &place);

    // The image of the present state.
    const std::string &Image() const { return Courante; }
    // Bytes kept by the steps (the present image aside).
    std::size_t Taille() const { return TailleEtapes; }
    // The oldest steps are dropped once the steps hold more than this.
    std::size_t TailleMax = std::size_t(512) << 20;

private:
    // One image rebuilt from its neighbour: head and tail of the neighbour, this middle between.
    struct rEtape {
        std::size_t Debut = 0; // bytes shared at the head
        std::size_t Fin = 0;   // bytes shared at the tail
        std::string Milieu;
        rPlaceCurseur Place;
    };
    std::string Courante;
    std::vector<rEtape> Annulations;
    std::vector<rEtape> Retablissements;
    std::size_t TailleEtapes = 0;

    static rEtape Difference(const std::string &depuis, const std::string &vers);
    static std::string Appliquer(const rEtape &e, const std::string &depuis);
    bool Passer(std::vector<rEtape> &source, std::vector<rEtape> &cible, std::string &image,
                rPlaceCurseur &place);
    void Elaguer();
};
