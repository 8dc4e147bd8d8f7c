// The editing operations of measures, repeats, markers, tracks and beats, at the edit cursor:
// what the editing commands do to the score once their dialogs have been answered. Failures are
// returned as message keys; nothing is changed by a refused operation.
#pragma once

#include <string>

#include "model/uAccordages.h"
#include "model/uPartition.h"

// ---------------------------------------------------------------- measures

// A range of measure numbers the score holds: 1 <= de <= a <= NbMesures.
bool PlageValide(const cPartition &p, int de, int a);

// A reset measure before the cursor measure, in every track; the cursor stays on the same
// number, which is now the new measure, beat 1. False at the measure limit.
bool InsererMesure(cPartition &p);

// Measures de..a emptied: in the cursor's track only (one empty beat each), or in every track
// (each measure reset: previous signature or 4/4, no repeat, ending or marker). Cursor to beat 1.
void EffacerMesures(cPartition &p, int de, int a, bool toutesPistes);

// The clipboard `pp` replaced by measures de..a: of the cursor's track alone or of every track.
// Its tracks take the string count, tuning and drum flag of the tracks copied.
void CopierMesures(const cPartition &p, cPartition &pp, int de, int a, bool toutesPistes);
// Measures de..a of every track go to the clipboard and leave the score, markers included; when
// none is left, one fresh measure remains. The cursor keeps its track, beat 1.
void CouperMesures(cPartition &p, cPartition &pp, int de, int a);

enum class eModeCollage {
    Selection, // overwrite from the cursor measure, appending what is missing
    Avant,     // insert before the cursor measure
    Fin,       // append at the end of the score
};
// Empty when the clipboard's tracks fit the score's (drum flag and string count of each pair),
// otherwise the message key.
std::string VerifierCollage(const cPartition &p, const cPartition &pp);
// Measures the paste would add to the score.
long long MesuresAjoutees(const cPartition &p, const cPartition &pp, eModeCollage mode, int fois);
// Pastes the clipboard `fois` times in a row; the cursor goes to beat 1. Returns empty, or the
// message key of the refusal (tracks that do not fit, the measure limit), nothing changed then.
std::string CollerMesures(cPartition &p, const cPartition &pp, eModeCollage mode, int fois);

// ---------------------------------------------------------------- signatures and repeats

bool SignatureValide(int numerateur, int denominateur);
// The cursor measure, or every measure from it to the last, takes the signature; lengths are
// recomputed and beats left alone.
void ChangerSignature(cPartition &p, int numerateur, int denominateur, bool jusquALaFin);

void BasculerRenvoiDebut(cPartition &p);
// The repeat close of the cursor measure: removed when there is one; set to 1 when the next
// measure carries an ending whose first number is 2 or more. Returns true when neither applies
// and the count must be asked (then PoserRenvoiFin).
bool PreparerRenvoiFin(cPartition &p);
void PoserRenvoiFin(cPartition &p, int nombre);

// The first pass number an ending at the cursor measure would cover.
int PremierNumeroFinale(const cPartition &p);
// A last number the ending can take: 1..99 and not below the first.
bool FinaleValide(int premier, int dernier);
void PoserFinale(cPartition &p, int dernier); // 0 removes it

// ---------------------------------------------------------------- markers

// `texte` (the dialog's default marker text), a blank and the marker count + 1.
std::string NomMarkerParDefaut(const cPartition &p, const std::string &texte);
// The nearest measure before / after measure n that has a marker; 0 when there is none.
int MesureMarkerPrecedent(const cPartition &p, int n);
int MesureMarkerSuivant(const cPartition &p, int n);
// The measure of the k-th marker of the chain (from 1); 0 when there is none.
int MesureMarkerNumero(const cPartition &p, int k);
// The cursor to measure n of its track, beat 1.
void AllerMesure(cPartition &p, int n);

// ---------------------------------------------------------------- tracks

struct rProprietesPiste {
    std::string Nom;
    bool Percussions = false;
    int NbCordes = 6;
    tAccordage Accordage = AccordageParDefaut(6);
    int NbFrets = 24;
    int Capo = 0;
    bool DouzeCordes = false;
    bool Banjo5 = false;
    int Couleur = 255;
};
rProprietesPiste ProprietesDe(const cPiste &t);
// The defaults of a new guitar or drum track, named `nom`.
rProprietesPiste ProprietesNouvellePiste(bool batterie, const std::string &nom);

enum class ePlacePiste { Premiere, Derniere, Avant, Apres }; // Avant/Apres: the cursor's track
// A new track at that place with those properties, port and channels, its measures empty; the
// cursor goes to it, same measure, beat 1, string 1. Null at the track limit.
cPiste *AjouterPiste(cPartition &p, ePlacePiste place, const rProprietesPiste &v, int port,
                     int canal, int canalEffets);
// The string count, tuning, capo or banjo flag differ (what asks for a transposition).
bool AccordageModifie(const cPiste &t, const rProprietesPiste &v);
// Whether OK must ask if the notes keep their pitch: the tuning changes and the track has notes.
bool QuestionTransposition(const cPiste &t, const rProprietesPiste &v);
// Stores the properties (a drum track takes its name and colour only). When the tuning changed,
// `transposer` moves the frets so that the notes keep sounding the same; otherwise only the
// notes of removed strings go. The cursor string stays within the string count.
void AppliquerProprietes(cPartition &p, cPiste &t, const rProprietesPiste &v, bool transposer);
// Deletes the cursor's track (never the only one); the cursor goes to the next track, or to the
// previous one for the last, beat 1, string 1.
bool SupprimerPisteCurseur(cPartition &p);

// ---------------------------------------------------------------- beats

// A rest before the cursor beat with its duration, dotted flag and tuplet; the cursor goes to
// it. Refused on an empty beat and at the beat limit.
bool InsererAccordCurseur(cPartition &p);
// The cursor beat is emptied; when a beat follows, it is deleted and the cursor stands on the
// next one.
bool SupprimerAccordCurseur(cPartition &p);
// A copy of the cursor beat after the last beat of its measure, then the cursor one beat right.
bool CopierAccordALaFin(cPartition &p);
// Each string without a note whose note in the previous beat is played or tied becomes tied.
bool LierAccordCurseur(cPartition &p);
// The cursor beat's text (cut to 50 characters); an empty text removes it.
void ChangerTexteAccord(cPartition &p, const std::string &texte);
