// MIDI file import: the listing of a file's tracks, the score header (title, tempo, time
// signatures), and the conversion of tracks into beats of tablature. The notes are gathered in
// a working list outside the model and poured into the measures once, so no measure limit cuts
// into a track before it is complete.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/uDoigte.h"

class cFichierSMF;
class cPartition;
class cPiste;

// Message keys of the import.
inline constexpr const char *CleMesuresMaxMIDI = "MidiImp-MesuresMax"; // #1: the last bar kept

// One entry of the track list: a file track (format 1) or a channel of the single track
// (format 0).
struct rEntreeMIDI {
    std::string Nom; // Windows-1252
    int Piste = 0;   // file track, 0-based
    int Canal = 0;   // 1..16 for a channel of a format-0 file, 0 for every channel of the track
};

// An open file for reading, closed with the object.
class cLectureMIDI {
public:
    cLectureMIDI() = default;
    ~cLectureMIDI();
    cLectureMIDI(const cLectureMIDI &) = delete;
    cLectureMIDI &operator=(const cLectureMIDI &) = delete;

    // False with the message key of the refusal ("Fichier-MIDINonReconnu"/"Fichier-ErreurMIDI").
    bool Ouvrir(const std::string &chemin, std::string &cle);
    bool OuvrirMemoire(const uint8_t *octets, std::size_t taille, std::string &cle);
    void Fermer();

    cFichierSMF *F = nullptr;
    int Format = 0;
    int NbPistes = 0;
    int Resolution = 480;
};

// The entries of the track list. Format 0: one per channel holding a note on, in order of first
// appearance, named `textePiste` + " " + channel. Format 1: one per track after the first, named
// by the track's first name event. Any other format gives none (`formatInconnu` set).
std::vector<rEntreeMIDI> ListerEntreesMIDI(cLectureMIDI &f, const std::string &textePiste,
                                           bool *formatInconnu = nullptr);

// What the preview plays: the chosen entries' channel messages at their converted times, each
// entry after the previous one for equal times, then reverb off on every channel. `tempo`
// receives the first track's first tempo in beats per minute (0 when it has none).
struct rEvtApercu {
    double Temps;
    uint8_t Statut, D1, D2;
};
std::vector<rEvtApercu> EvenementsApercu(cLectureMIDI &f, const std::vector<rEntreeMIDI> &entrees,
                                         const std::vector<int> &choisies, int &tempo);

// A tempo change of the first track after its first one: converted time and microseconds.
struct rTempoMIDI {
    double Temps = 0;
    uint32_t Micro = 0;
};

// The score header from the first track: the title (or, without one, the file name less its
// extension, capitalised), the tempo, and the time signatures, bars appended as they need.
// Returns the later tempo changes, for the conversion to place.
std::vector<rTempoMIDI> ImporterEnteteMIDI(cPartition &p, cLectureMIDI &f,
                                           const std::string &nomFichier);

struct rOptionsImportMIDI {
    int GrilleP = 60; // chord positions round to it: 30, 60, 120 or 240 ticks
    int GrilleD = 60; // note durations round to it
    bool Transposer = false;  // notes an octave lower (drum keys are left alone)
    bool DeuxCanaux = false;  // quick import: a separate effect channel per track
    FnProgression Progression; // the fingering's progress (0..EtapesProgression)
};

struct rResultatImportMIDI {
    int Notes = 0;         // note ons imported
    int NotesPerdues = 0;  // past the string count, the measure limit, or unplaceable
    bool MesuresMax = false; // the music went past the last measure the score can hold
    std::string Cle;       // a refusal of the pour (the track is then left as it was)
};

// Converts the entries `choisies` (indexes into `entrees`) of the open file into the beats of
// `piste`, which loses its previous content. Several entries are merged into the one track and
// name it `textePiste` + " " + their 1-based numbers joined by "-"; a single one gives its name.
rResultatImportMIDI ImporterPiste(cPartition &p, cPiste &piste, cLectureMIDI &f,
                                  const std::vector<rEntreeMIDI> &entrees,
                                  const std::vector<int> &choisies,
                                  const rOptionsImportMIDI &options,
                                  const std::vector<rTempoMIDI> &tempos,
                                  const std::string &textePiste);

// The quick import into `p`, a new score (one track, one measure): the header, then one track
// per chosen entry, its kind (drums, bass, banjo) from its name and its channels from those
// left free. A track that received no note is removed again, unless it is the first.
rResultatImportMIDI ImportRapideMIDI(cPartition &p, cLectureMIDI &f, const std::string &nomFichier,
                                     const std::vector<rEntreeMIDI> &entrees,
                                     const std::vector<int> &choisies,
                                     const rOptionsImportMIDI &options,
                                     const std::string &textePiste);

// The whole file through the quick import with the default options, every entry chosen (the
// command line). False with the message key when the file cannot be read.
bool LireFichierMIDI(const std::string &chemin, cPartition &p, const std::string &textePiste,
                     std::string &cle, rResultatImportMIDI *resultat = nullptr);
