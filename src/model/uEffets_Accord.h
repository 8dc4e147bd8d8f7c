// Beat effects, with the rules by which they exclude each other.
#pragma once

#include <cstdint>

// The effects an effect command can change on a beat.
enum class eEffetAccord {
    Vibrato,
    TremoloBar,
    HarmoniqueNaturelle,
    HarmoniqueArtificielle,
    FadeIn,
    Frappe,
    CoupVibrato,
    BrushUp,
    BrushDown
};

class cEffets_Accord {
public:
    bool Vibrato = false;
    bool TremoloBar = false;
    bool HarmoniqueNaturelle = false;
    bool HarmoniqueArtificielle = false;
    bool FadeIn = false;
    int8_t Frappe = 0;       // 0 none, 1 tapping, 2 slap, 3 pop
    int32_t CoupVibrato = 0; // hundredths; 0 none
    int8_t BrushUp = 0;      // 1..6, 0 none
    int8_t BrushDown = 0;    // 1..6, 0 none

    cEffets_Accord() = default;
    cEffets_Accord(const cEffets_Accord &) = delete;
    cEffets_Accord &operator=(const cEffets_Accord &) = delete;
    virtual ~cEffets_Accord() = default;

    bool EstVide() const
    {
        return !Vibrato && !TremoloBar && !HarmoniqueNaturelle && !HarmoniqueArtificielle &&
               !FadeIn && Frappe == 0 && CoupVibrato == 0 && BrushUp == 0 && BrushDown == 0;
    }
    // Clears what the changed effect excludes; the changed one itself is left to the caller.
    void Exclure(eEffetAccord change);
    void CopierVers(cEffets_Accord &cible) const;
};
