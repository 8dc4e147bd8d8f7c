// One track's content for one measure: a chain of beats, linked along its track and across
// its measure.
#pragma once

#include <array>

#include "model/uAccord.h"

class cMesure;
class cPiste;

class cMesurePiste {
public:
    int32_t NbAccords = 0;
    std::array<cAccord *, MaxAccords + 1> Accords{}; // 1-based
    cAccord *PremierAccord = nullptr;
    double DureeTotale = 0;
    cMesurePiste *PrecedenteDansPiste = nullptr;
    cMesurePiste *SuivanteDansPiste = nullptr;
    cMesurePiste *PrecedenteDansMesure = nullptr;
    cMesurePiste *SuivanteDansMesure = nullptr;
    cMesure *Mesure = nullptr;
    cPiste *Piste = nullptr;
    bool SansIndex = false; // suspends IndexerAccords during bulk work

    cMesurePiste() = default;
    cMesurePiste(const cMesurePiste &) = delete;
    cMesurePiste &operator=(const cMesurePiste &) = delete;
    virtual ~cMesurePiste() { SupprimerAccords(); }

    // A new empty beat (reset to the track's string count) before/after `ref`; null: as head /
    // at the end. Returns null, changing nothing, at the beat limit.
    cAccord *InsererAccordAvant(cAccord *ref);
    cAccord *InsererAccordApres(cAccord *ref);
    // Refuses to remove the only beat: a track measure always holds one.
    bool SupprimerAccord(cAccord *a);
    // Removes every beat (the caller puts one back).
    void SupprimerAccords();
    // Back to a single empty beat.
    void Vider();
    cAccord *DernierAccord() const;
    void IndexerAccords();
    void CalculerDuree();
    bool ContientNotes() const;
    // Sum of the durations of the beats before `a`.
    double TempsDepuisDebutMesure(const cAccord *a) const;
    // Empties a beat and gives it `nbCordes` notes and the duration of the previous beat of the
    // track (quarter when there is none).
    void ReinitialiserAccord(cAccord &a, int nbCordes) const;
    // Deep copy of the beats into `cible`, fitted to the string count of the target's track.
    void CopierVers(cMesurePiste &cible) const;

private:
    cAccord *NouvelAccord() const;
};
