// What the chord window does to a beat and to its lists, without the window: the fingering
// read from a beat's notes, the notes written from a diagram, the record's name, and the list
// of chords already used in the score.
#pragma once

#include <string>
#include <vector>

#include "chords/uListeAccordsImpression.h"
#include "chords/uNomAccord.h"
#include "model/uDiagramme.h"

class cAccord;

// The record's name as text, and a new one cut to its 20 characters.
std::string NomDiagramme(const rDiagramme &d);
void ChangerNomDiagramme(rDiagramme &d, const std::string &nom);
tCases CasesDiagramme(const rDiagramme &d);
void ChangerCases(rDiagramme &d, const tCases &c);
void ChangerBarres(rDiagramme &d, const rBarres &b);

// The fingering of a beat: for strings 1..6 within `nbCordes`, a normal note gives its fret,
// anything else -1. When a fret is above 5, the base fret becomes the lowest fret above 0 and
// notes more than four frets above it are left out; otherwise it is 1.
void DoigteDepuisAccord(const cAccord &a, int nbCordes, tCases &cases, int &premiereCase);

// After the window: an empty beat or a rest that received a diagram takes its played strings
// (within `nbCordes`) as normal notes; a string that had no note gets `nuance`. Returns
// whether the beat changed (nothing when no string of the diagram is played).
bool NotesDepuisDiagramme(cAccord &a, const rDiagramme &d, int nbCordes, int nuance);

// Two records the used list holds once: same name, sharps and root; for a real root also the
// same definition, bass and omitted degrees; and the same base fret and frets.
bool MemeAccordUtilise(const rDiagramme &a, const rDiagramme &b);

// The chords used in the score being edited: not saved, emptied with the score.
class cListeAccordsUtilises : public cListeDiagrammes<700> {
public:
    // Adds unless an identical record is there or the list is full; returns whether it added.
    bool AjouterSansDouble(const rDiagramme &d);
};

cListeAccordsUtilises &ListeAccordsUtilises();
