// A beat: one note per string of its track and its optional attachments.
#pragma once

#include <array>
#include <cstdint>

#include "model/uConstantes.h"
#include "model/uDiagramme.h"
#include "model/uEffets_Accord.h"
#include "model/uNote.h"
#include "model/uTableMixageEvent.h"
#include "model/uTexte.h"

class cAccord {
public:
    uint8_t Etat = 0;     // 0 empty placeholder, 1 normal, 2 rest
    int8_t CodeDuree = 0; // duration code
    bool Pointe = false;
    int32_t Triolet = 1;
    cDiagramme *Diagramme = nullptr;
    cTexte *Texte = nullptr;
    cEffets_Accord *Effets = nullptr;
    cTableMixEvent *TableMix = nullptr;
    int32_t NbNotes = 0;
    std::array<cNote *, MaxCordes + 1> Notes{}; // 1-based, slots past NbNotes null
    cNote *PremiereNote = nullptr;
    double Duree = 0; // ticks
    int32_t Index = 0;
    cAccord *Precedent = nullptr;
    cAccord *Suivant = nullptr;

    // Layout, never saved.
    int32_t XRelatif = 0; // position inside the measure before stretching
    int32_t XAffiche = 0; // x in the view as last drawn
    // Rhythm drawing scratch, never saved.
    int8_t NbLiens = 0;       // beams joining this beat to the next
    int8_t CoteCrochet = 0;   // partial beams 1 left of the stem, 2 right
    bool CrochetTuplet = false; // part of a complete tuplet group
    int16_t RangTuplet = 0;   // position inside its tuplet run
    int16_t TailleTuplet = 0; // size of its complete tuplet group

    cAccord() = default;
    cAccord(const cAccord &) = delete;
    cAccord &operator=(const cAccord &) = delete;
    virtual ~cAccord();

    // New note of type 0 before/after `ref` (null: as head / at the end); null past 7 strings.
    cNote *InsererNoteAvant(cNote *ref);
    cNote *InsererNoteApres(cNote *ref);
    // n new notes of type 0 at the end (no more than 7 in all), indexed once: a beat's strings
    // are filled in one go.
    void AjouterNotes(int n);
    void SupprimerNote(cNote *n);
    void SupprimerNotes();
    void IndexerNotes();
    cNote *DerniereNote() const;

    void CalculerDuree(bool sansTriolet = false);
    void PropagerDuree();
    void DureeDepuisTicks(double ticks);

    // A note back to nothing: type 0, the beat's duration, not ghost, dynamic 6, no effects.
    void ViderNote(cNote &n) const;
    void ViderNotes();
    // Frees the attachments and the notes.
    void Vider();
    void LibererEffets();
    void LibererAttachements();
    cEffets_Accord &EffetsCrees();
    void LibererEffetsVides();

    // Normal beat without any sounding (normal or dead) note.
    bool SansSon() const;
    // A normal note with a bend or a slide.
    bool APitch() const;
    // Normal (1) when any note has a type other than 0; returns whether it is.
    bool ActualiserEtat();

    static void CopierNote(const cNote &src, cNote &dst);
    void CopierAttachements(const cAccord &src);
    // Deep copy of state, durations, notes and attachments into `cible`.
    void CopierVers(cAccord &cible) const;
};
