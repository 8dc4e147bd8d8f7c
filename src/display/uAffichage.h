// Layout of the score view: beat positions, measure widths, line breaking, scrolling, hit test
// and the status bar texts. Painting reads these numbers (display/ui).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "config/uParamAffichage.h"
#include "model/uPartition.h"

// State of one scroll bar of the view.
struct rBarreDefilement {
    int Position = 0;
    int Maximum = 0;
    int GrandPas = 1;
    bool Active = false;
    void Placer(int p) { Position = p < 0 ? 0 : (p > Maximum ? Maximum : p); }
};

// What a click in the view designates.
struct rClic {
    int NumPiste = 0, NumMesure = 0, NumTemps = 0, NumCorde = 0;
    bool Dehors = false;   // beside every measure: the track's last beat was taken
    bool AuDessus = false; // more than one and a half string spacings above the top string
};

// Texts of the status bar panes for the cursor's track measure.
struct rBarreEtat {
    std::string NumMesure; // "000 : 000"
    std::string Duree;     // "%.3f : %.3f"
    std::string CleEtat;   // "Gene-MesureComplete" / "Gene-MesureIncomplete" / "Gene-MesureDepassee"
    uint32_t Couleur = 0;  // 255 red, 65280 green
};

class cAffichage {
public:
    cPartition *Partition = nullptr;
    const TParamEcran *Param = nullptr;

    bool DefilementVertical = true;
    bool VueMultipiste = false;
    int32_t NbPistesVisibles = 0;
    double LargeurTotale = 0;
    bool EspacementRegulier = false;
    bool ProportionsStrictes = false;
    bool ToutRedessiner = false;
    int32_t PositionHAffichee = 0;
    cMesurePiste *MesureCurseurAffichee = nullptr;

    // The view and its scroll bars, as the window reports them.
    int LargeurVue = 800;
    int HauteurVue = 600;
    rBarreDefilement BarreV, BarreH;
    // "Keep the current bar visible" button, playback running, "TypeScrolling" (1 or 2).
    bool GarderMesureVisible = true;
    bool LectureEnCours = false;
    int TypeScrolling = 1;

    // Text of a message key in the current language (the key itself without one).
    std::function<std::string(const std::string &)> Traduire;

    cAffichage(cPartition *p, const TParamEcran *param) : Partition(p), Param(param) {}

    std::string Texte(const std::string &cle) const { return Traduire ? Traduire(cle) : cle; }

    int HauteurRangee() const { return Param->EspPortees + 43; }
    // y of the top string line inside a track row.
    int Y0(int nbCordes) const
    {
        return Param->EspPortees - (Param->EspLignes - 10) * (nbCordes - 1) - 47;
    }
    int RangeesParLigne() const;
    int UniteEspacement(double d) const;

    void CompterPistesVisibles();
    void CalculerLargeurMesure(cMesure *m);
    void RepartirLignes(int premiereLigne, const cMesure *changee);
    void PlacerMesuresHorizontal();
    void AjusterBarresVerticales();
    void AjusterBarresHorizontales();
    void ActualiserMesure(cMesurePiste *mp);
    void ActualiserPiste();
    void SuivreCurseurVertical();
    void SuivreCurseurHorizontal();

    // Width of the fixed area that stands before the beats (a repeat close is after them).
    static int FixeAvantTemps(const cMesure &m) { return m.LargeurFixe - (m.RenvoiFin > 0 ? 10 : 0); }
    // x in the view of a beat of measure m, where it is drawn.
    int XTemps(const cMesure &m, const cAccord &a) const;
    // Sets XAffiche of every beat of every track measure of m, as painting does.
    void PlacerTemps(const cMesure &m) const;
    // The track, measure, beat and string under (x, y) in the view.
    rClic CliquerPartition(int x, int y) const;

    rBarreEtat ActualiserBarreEtat() const;
    int AjusterHauteurOrchestre(bool tout) const;

private:
    bool Inactif() const { return !Partition || !Param || Partition->EnDestruction; }
    cPiste *PisteCurseur() const;
    cPiste *PisteVisible(int rang) const;
};
