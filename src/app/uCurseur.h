// Cursor moves between measures and tracks, and the removal of the empty placeholder beat that
// every move starts with.
#pragma once

class cPartition;

// Deletes the cursor's empty placeholder beat unless it is the first of its track measure or
// carries a text, chord diagram or mix change; returns whether it did.
bool QuitterPlaceholder(cPartition &p);

enum class eMouvementMesure { Premiere, Precedente, Suivante, Derniere };
// First/last: measure 1 beat 1, last measure last beat; previous: its last beat (first beat at
// measure 1); next: beat 1, appending a new measure when there is none.
void DeplacerMesure(cPartition &p, eMouvementMesure m);

enum class eMouvementPiste { Premiere, Precedente, Suivante, Derniere, Numero };
// The same measure in another track, beat 1, same string within the new track's count. In the
// multitrack view a hidden target gives way to the nearest visible track in the direction of the
// move, else in the other direction, else it is made visible. Returns whether the track changed.
bool DeplacerPiste(cPartition &p, eMouvementPiste m, bool multipiste, int numero = 0);
