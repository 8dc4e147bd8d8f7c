// Standard MIDI File codec behind the file calls the rest of the program uses: reading of
// formats 0 and 1 at any resolution, writing of format 1 with running status.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// One channel message as the file calls exchange it: delta in file ticks, then four bytes.
struct rEvtMidi {
    int32_t Delta = 0;
    uint8_t Statut = 0;
    uint8_t Donnee1 = 0;
    uint8_t Donnee2 = 0;
    uint8_t Donnee3 = 0;
};
static_assert(sizeof(rEvtMidi) == 8);

// Message keys of a refused file.
inline constexpr const char *CleMIDINonReconnu = "Fichier-MIDINonReconnu"; // not a MIDI file
inline constexpr const char *CleErreurMIDI = "Fichier-ErreurMIDI";         // damaged contents

// Meta event types the program writes.
inline constexpr int MetaTexte = 3;
inline constexpr int MetaTempo = 81;
inline constexpr int MetaSignature = 88;

class cFichierSMF;

// Opens a file. Mode 'r': reads and checks the whole file; `format` and `nbPistes` receive the
// file's format and track count. Mode 'w': prepares a format-1 file (the target is only
// replaced by CloseSMF). Returns null on failure, with the message key in `cle` when given.
cFichierSMF *OpenSMF(const std::string &chemin, int &format, char mode, int &nbPistes,
                     std::string *cle = nullptr);
// Reading from bytes already in memory (same checks as mode 'r').
cFichierSMF *OpenSMFMemoire(const uint8_t *octets, std::size_t taille, int &format,
                            int &nbPistes, std::string *cle = nullptr);

int GetSMFResolution(const cFichierSMF *f);
void SetSMFResolution(cFichierSMF *f, int resolution);

// The next channel message of a track (0-based; 0 for format 0), its delta counted from the
// track's previous channel message (skipped meta and system events add their time to it).
// Returns 1 with an event, 0 at the end of the track or when `precedent` is 0.
int ReadSMF(cFichierSMF *f, int piste, rEvtMidi &evt, int precedent = 1);
// Reading starts again at the beginning of every track, meta events included.
void RewindSMF(cFichierSMF *f);
// The next meta event of `type` in a track: its absolute time in file ticks, or -1 when none
// is left. `donnees` points into the handle's memory and stays valid until CloseSMF.
int32_t ReadMetaEvent(cFichierSMF *f, int piste, int type, const uint8_t *&donnees,
                      int &longueur);

// Appends a channel message to a track (tracks are created as needed). A record that is no
// channel message, or whose data bytes do not fit in 7 bits, is refused (false).
bool WriteSMF(cFichierSMF *f, int piste, const rEvtMidi &evt, int n = 1);
// Appends a meta event at `delta` ticks after the track's previous event.
bool WriteMetaEvent(cFichierSMF *f, int piste, int type, const void *donnees, std::size_t longueur,
                    int32_t delta);
bool WriteMetaEvent(cFichierSMF *f, int piste, int type, const std::string &texte, int32_t delta);

// Completes and closes: a file opened for writing gets its end-of-track events and is written;
// false when it could not be. The handle is freed in every case.
bool CloseSMF(cFichierSMF *f);
