// Note effects: bend with its curve, grace note, and the exclusive legato/let-ring flags.
#pragma once

#include <cstdint>

class cEffet_Forme {
public:
    int32_t Position = 0; // 0..60 steps of the note's duration
    int32_t Hauteur = 0;  // 0..300, hundredths of a whole tone
    uint8_t Vibrato = 0;  // 0 none, 1..3, from this point to the next
    cEffet_Forme *Precedente = nullptr;
    cEffet_Forme *Suivante = nullptr;

    cEffet_Forme() = default;
    cEffet_Forme(const cEffet_Forme &) = delete;
    cEffet_Forme &operator=(const cEffet_Forme &) = delete;
    virtual ~cEffet_Forme() = default;
};

class cEffet_Bend {
public:
    uint8_t Type = 0;    // 1 Bend .. 5 PreBend/Release
    int32_t Valeur = 0;  // 25..300
    cEffet_Forme *PremiereForme = nullptr;

    cEffet_Bend() = default;
    cEffet_Bend(const cEffet_Bend &) = delete;
    cEffet_Bend &operator=(const cEffet_Bend &) = delete;
    virtual ~cEffet_Bend();

    // Appends a point at the end of the curve (points are kept in increasing Position).
    cEffet_Forme *AjouterForme(int32_t position, int32_t hauteur, uint8_t vibrato = 0);
    void SupprimerFormes();
    int NbFormes() const;
    cEffet_Forme *DerniereForme() const;

    // Height of the curve at a position (0..60) and the vibrato in force there.
    int HauteurA(double position, bool lissage, int &vibrato) const;
    int HauteurA(double position, bool lissage) const
    {
        int v = 0;
        return HauteurA(position, lissage, v);
    }
    // Greatest height of every point but the last.
    int HauteurMax() const;

    void CopierVers(cEffet_Bend &cible) const;
};

class cEffet_Appogiature {
public:
    uint8_t Case = 0;       // fret, 255 = dead note
    uint8_t Nuance = 6;     // 1..8
    uint8_t Transition = 0; // 0 none, 1 slide, 2 bend, 3 hammer
    uint8_t Duree = 0;      // 1..3, the dialog's duration choice

    cEffet_Appogiature() = default;
    cEffet_Appogiature(const cEffet_Appogiature &) = delete;
    cEffet_Appogiature &operator=(const cEffet_Appogiature &) = delete;
    virtual ~cEffet_Appogiature() = default;
};

// The four effects that exclude each other on a note.
enum class eEffetNoteExclusif { Bend, HammerPullOff, Slide, LetRing };

class cEffets_Note {
public:
    cEffet_Bend *Bend = nullptr;
    bool HammerPullOff = false;
    bool Slide = false;
    bool LetRing = false;
    cEffet_Appogiature *Appogiature = nullptr;

    cEffets_Note() = default;
    cEffets_Note(const cEffets_Note &) = delete;
    cEffets_Note &operator=(const cEffets_Note &) = delete;
    virtual ~cEffets_Note();

    // True when nothing is left that would make the set worth keeping.
    bool EstVide() const
    {
        return Bend == nullptr && Appogiature == nullptr && !HammerPullOff && !Slide && !LetRing;
    }
    // Clears the three effects that exclude the one kept (a bend is freed).
    void Exclure(eEffetNoteExclusif garde);
    void LibererBend();
    void LibererAppogiature();

    void CopierVers(cEffets_Note &cible) const;
};
