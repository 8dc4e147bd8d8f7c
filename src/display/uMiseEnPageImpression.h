// Page layout of a printed track, in millimetres: the page frame, the beat positions and
// widths of every measure, the systems and the pages, the title block and the chord list.
// It works on its own copy of the numbers and never touches the screen layout kept on the
// score, so printing or previewing leaves the view as it was. Painting reads these numbers
// (display/ui/uRenduImpression).
#pragma once

#include <string>
#include <vector>

#include "config/uParamAffichage.h"

class cPartition;
class cPiste;
class cMesure;
class cMesurePiste;
class cAccord;

// Fixed print metrics, in millimetres before the global scale.
namespace Imp {
inline constexpr double EspCordes = 2.75;
inline constexpr double EpLignes = 0.1;
inline constexpr double BarreFine = 0.3;
inline constexpr double BarreEpaisse = 1.1;
inline constexpr double HauteurSysteme = 30;
inline constexpr double AvantPremiere = 2.0;   // before the beats of the first measure
inline constexpr double EspRenvoi = 3.5;       // before an opening / after a closing repeat
inline constexpr double EspSignature = 3.5;    // where the time signature is shown
inline constexpr double ApresDerniere = 2.0;   // after the beats of the last measure
inline constexpr double LargeurUtileMin = 20;  // below this nothing sensible fits on a line
} // namespace Imp

// Scale factors derived from the print parameters.
double EchelleGlobale(int v);         // "GlobalProportions_Prt" -> s
double FacteurTailleDiagramme(int c); // "ChordSize_Prt"
double CoefEspacementImp(int e);      // "CoefEspAff_Prt" -> k (the print unit is 5k mm)
// Minimum width (mm) of a beat of `duree` ticks; 0 for durations with no minimum.
double LargeurMinimaleTemps(double duree, double k);

// The page frame, in millimetres before the scale (the margins divided by s).
struct rCadrePage {
    double LargeurPage = 0, HauteurPage = 0;
    double Gauche = 0, Droite = 0, Haut = 0, Bas = 0;
    double LargeurUtile = 0, HauteurUtile = 0;
    // The frame drawn in area mode with "TracerCadre_Prt".
    bool Cadre = false;
    double CadreGauche = 0, CadreHaut = 0, CadreDroite = 0, CadreBas = 0;
};
// largeur/hauteur: the paper in millimetres.
rCadrePage CalculerCadrePage(const TZoneImpression &z, double largeurPage, double hauteurPage);

// One measure of the printed track, positioned within its system.
struct rMesureImp {
    const cMesure *Mesure = nullptr;
    const cMesurePiste *Mp = nullptr;
    double H = 0;            // left edge, from the left margin
    double AvantTemps = 0;   // fixed space before the beats (after the lead space 5k)
    double ApresTemps = 0;   // fixed space after the beats
    double Naturelle = 0;    // beat widths after widening, before the system's stretch
    double Etirement = 1;    // the system's stretch
    std::vector<double> XTemps; // beat positions after widening, before the stretch
    bool Signature = false;  // the time signature is printed here

    double Fixe(double k) const { return 5 * k + AvantTemps + ApresTemps; }
    // x of the first beat's origin, from the left margin.
    double DebutTemps(double k) const { return H + 5 * k + AvantTemps; }
    // x of beat i (0-based), from the left margin.
    double XTemps0(int i, double k) const { return DebutTemps(k) + XTemps[i] * Etirement; }
    double BarreDroite(double k) const { return DebutTemps(k) + Naturelle * Etirement + ApresTemps; }
};

struct rSystemeImp {
    int Premiere = 0, Nb = 0; // measures [Premiere, Premiere + Nb) of rMiseEnPageImp::Mesures
    double Y = 0;             // top string line, from the top of the page
    double Etirement = 1;
    int Page = 1;
};

// One diagram of the chord list on the first page.
struct rPlaceAccordListe {
    int Index = 1;    // 1-based entry of the list
    double X = 0;     // centre, from the left edge of the page
    double Y = 0;     // bottom fret line, from the top of the page
};

struct rMiseEnPageImp {
    rCadrePage Cadre;
    double s = 1, k = 1, p = 1.5;
    int NbCordes = 6;
    bool LigneTripletCapo = false; // the triplet-feel / capo line of the title block is printed
    double HauteurListeAccords = 0;
    std::vector<rPlaceAccordListe> ListeAccords;
    double YPremierSysteme = 0;
    std::vector<rMesureImp> Mesures;
    std::vector<rSystemeImp> Systemes;
    int NbPages = 1;

    const rSystemeImp *SystemeDe(int indexMesure) const;
};

// The natural beat positions of one measure: 5k × (Duree / dmax)^(log2 p) per beat, then
// widened so that no beat is narrower than its duration's minimum. Returns the natural width.
double PlacerTempsImp(const cMesurePiste &mp, double k, double p, std::vector<double> &x);

// Lays out `piste` of `partition` on pages of largeur × hauteur millimetres of paper.
// nbAccordsListe: entries of the chord list to print on the first page (0 without one).
rMiseEnPageImp MettreEnPageImpression(const cPartition &partition, const cPiste &piste,
                                      const TZoneImpression &z, double largeurPage,
                                      double hauteurPage, int nbAccordsListe);

// Whether the first measure shows the track's tuning: not for the tunings that go without
// saying (standard six-string guitar, its low B version, four- and five-string bass).
bool AccordageImprime(const cPiste &piste);
// A bend amount or a vibrato stroke as printed: "1/4", "1/2", "3/4", otherwise the number of
// whole tones ("1", "1.5", "2").
std::string TexteValeurImp(int centiemes);
// Page numbers go on every page, and only when there is more than one.
inline bool NumeroterPages(const rMiseEnPageImp &m, const TZoneImpression &z)
{
    return z.AffNumP_Prt && m.NbPages > 1;
}

// A page range from the print dialog's two fields (text as typed): first page 0 means all
// (returns false); a last page empty or 0 prints the first alone; a reversed range is swapped.
bool LirePlagePages(const std::string &debut, const std::string &fin, int &de, int &a);
