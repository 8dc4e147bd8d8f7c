// The score: header texts, measure headers, tracks, markers, the channel table and the cursor.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/uMesurePiste.h"

class cMarker;
class cPartition;

struct rCanalMidi {
    int32_t Instrument = 24; // -1 none (percussion channel)
    uint8_t Volume = 13;     // 0..16
    uint8_t Balance = 8;
    uint8_t Chorus = 0;
    uint8_t Reverb = 0;
    uint8_t Phaser = 0;
    uint8_t Tremolo = 0;
    uint8_t Pad[2] = {0, 0};
};
static_assert(sizeof(rCanalMidi) == 12);

class cInformations {
public:
    std::string Titre, SousTitre, Artiste, Album, Auteur, Droits, Tab, Instructions; // 255 each
    std::vector<std::string> Notice; // each line cut to 255
    bool TripletFeel = false;

    cInformations() = default;
    cInformations(const cInformations &) = delete;
    cInformations &operator=(const cInformations &) = delete;
    virtual ~cInformations() = default;

    void CopierVers(cInformations &c) const;
    void AjouterNotice(const std::string &ligne) { Notice.push_back(Couper(ligne, CapInformation)); }
};

class cMarker {
public:
    class cMesure *Mesure = nullptr;
    std::string Nom; // capacity 100
    int32_t Couleur = 0;
    cMarker *Precedent = nullptr;
    cMarker *Suivant = nullptr;

    cMarker() = default;
    cMarker(const cMarker &) = delete;
    cMarker &operator=(const cMarker &) = delete;
    virtual ~cMarker() = default;
};

class cMesure {
public:
    int8_t Numerateur = 4;   // 1..32
    int8_t Denominateur = 4; // 1, 2, 4, 8, 16, 32
    bool RenvoiDebut = false;
    int8_t RenvoiFin = 0;    // number of repeats, 0 none
    int8_t Repetition = 0;   // alternate ending: highest pass covered, 0 none
    cMarker *Marker = nullptr;
    double Longueur = 1920;
    int32_t Index = 0;
    cMesure *Precedente = nullptr;
    cMesure *Suivante = nullptr;
    cMesurePiste *PremiereMesurePiste = nullptr;

    // Layout of the score view, never saved.
    double X = 0;                // left edge inside its line, from the left margin
    int32_t Y = 0;               // top of its line in the whole layout
    double LargeurNaturelle = 0; // beat widths before stretching
    int32_t LargeurFixe = 0;     // barline, repeat and signature area
    double Etirement = 1;        // stretch of the beat widths
    bool ARedessiner = false;
    int32_t Ligne = 0;           // 1-based line number

    cMesure() = default;
    cMesure(const cMesure &) = delete;
    cMesure &operator=(const cMesure &) = delete;
    virtual ~cMesure() { delete Marker; }

    void ChangerSignature(int numerateur, int denominateur);
    void CalculerLongueur();
    // First pass number covered by this measure's alternate ending.
    int PremierNumeroRepetition() const;
};

class cPiste {
public:
    bool Percussions = false;
    std::string Nom; // capacity 40
    int32_t NbCordes = 6;
    int32_t NbCordesAvant = 6;
    std::array<int32_t, MaxCordes> Accordage{64, 59, 55, 50, 45, 40, -1};
    std::array<int32_t, MaxCordes> AccordageAvant{64, 59, 55, 50, 45, 40, -1};
    int32_t Port = 1;
    int32_t Canal = 0;
    int32_t CanalEffets = 0;
    int32_t NbFrets = 24;
    int32_t Capo = 0;
    int32_t CapoAvant = 0;
    bool Solo = false;
    bool Muet = false;
    bool DouzeCordes = false;
    bool Banjo5 = false;
    bool Banjo5Avant = false;
    int32_t Couleur = 255;
    bool Visible = true;
    int32_t Index = 0;
    cPiste *Precedente = nullptr;
    cPiste *Suivante = nullptr;
    cMesurePiste *PremiereMesurePiste = nullptr;

    // Layout of the multitrack view, never saved.
    int32_t RangVisible = 0; // 1-based row among the visible tracks
    int32_t DecalageY = 0;   // offset of the track's row from the top of a line

    cPiste() = default;
    cPiste(const cPiste &) = delete;
    cPiste &operator=(const cPiste &) = delete;
    virtual ~cPiste() = default;

    // Open-string pitch of string s (1-based), -1 past the string count.
    int AccordageCorde(int s) const { return (s >= 1 && s <= MaxCordes) ? Accordage[s - 1] : -1; }
    // Run after NbCordes changed from `ancien`: adds or removes notes, then re-derives beat states.
    void ChangerNbCordes(int ancien);
    // Keeps sounding pitches after a tuning, capo, string-count or banjo change.
    void TransposerAccordage();
    bool EstVide() const;
    // Default properties of a new track (name aside).
    void ProprietesParDefaut();
    // Copies the current properties into the "before the edit" fields.
    void MemoriserAvant();
};

// A position in the score; the score's own one is the edit cursor.
struct rPosition {
    cMesurePiste *MesurePiste = nullptr;
    cAccord *Accord = nullptr;
    cNote *Note = nullptr;
    int32_t NumMesure = 1;
    int32_t NumPiste = 1;
    int32_t NumTemps = 1;
    int32_t NumCorde = 1;
};

// What the score asks of the user interface; tests use a fake, the clipboard score none.
class iInterfacePartition {
public:
    virtual ~iInterfacePartition() = default;
    virtual void ActualiserAffichage() {}
    virtual void EtatEnregistrer(bool /*actif*/) {}
    virtual void ActualiserCanaux() {}
    virtual void ActualiserMixer() {}
    virtual void ActualiserTitre() {}
    // Header texts new scores start from (null: all empty).
    virtual const cInformations *InformationsParDefaut() { return nullptr; }
    // Default name of track n ("Gene-Piste" text, a blank and the number).
    virtual std::string NomPisteParDefaut(int n) { return "Track " + std::to_string(n); }
};

class cPartition {
public:
    std::string Chemin;
    std::string NomFichier;
    cInformations *Informations = nullptr;
    int32_t Tempo = 120;
    int32_t Tonalite = 0;
    rCanalMidi Canaux[MaxPorts + 1][MaxCanaux + 1]; // [1..4][1..16]
    int32_t NbMarkers = 0;
    std::vector<cMesure *> Mesures; // [1..NbMesures], index 0 unused
    cMesure *PremiereMesure = nullptr;
    std::vector<cPiste *> Pistes; // [1..NbPistes]
    cPiste *PremierePiste = nullptr;
    cMarker *PremierMarker = nullptr;
    int32_t NbMesures = 0;
    int32_t NbPistes = 0;
    bool Modifie = false;
    bool Vierge = false;

    rPosition Curseur;
    bool AttenteChiffre = false;

    // The highlighted run of beats of one track.
    bool SelectionActive = false;
    int32_t SelNbAccords = 0;
    cMesurePiste *SelMesurePiste = nullptr;
    int32_t SelNumMesure = 0;
    cAccord *SelAccord = nullptr;
    int32_t SelNumTemps = 0;
    double SelTempsDebut = 0;
    cMesurePiste *SelFinMesurePiste = nullptr;
    cAccord *SelFinAccord = nullptr;
    int32_t SelFinNumMesure = 0;
    int32_t SelFinNumTemps = 0;

    bool EnChargement = false;
    bool EnDestruction = false;

    iInterfacePartition *Interface = nullptr;

    cPartition();
    cPartition(const cPartition &) = delete;
    cPartition &operator=(const cPartition &) = delete;
    virtual ~cPartition();

    void Nouveau();
    // Frees every measure, track and marker: the state of a fresh score object (the clipboard
    // starts each copy from it).
    void ToutVider() { ToutLiberer(); }

    // Each returns the new object, or null (changing nothing) at the model's limits.
    cMesure *InsererMesureAvant(cMesure *ref);
    cMesure *InsererMesureApres(cMesure *ref);
    bool SupprimerMesure(cMesure *m); // refuses the only measure
    cPiste *InsererPisteAvant(cPiste *ref);
    cPiste *InsererPisteApres(cPiste *ref);
    bool SupprimerPiste(cPiste *p); // refuses the only track

    cMarker *AjouterMarker(cMesure *m, const std::string &nom, int32_t couleur);
    void SupprimerMarker(cMesure *m);
    void SupprimerMarkers();
    void ReconstruireMarkers();

    void ReinitialiserMesure(cMesure *m);
    void ReinitialiserPiste(cPiste *p, bool garderProprietes);

    cMesure *DerniereMesure() const;
    cMesure *MesureNumero(int n) const;
    cPiste *DernierePiste() const;
    cPiste *PisteNumero(int n) const;
    cMesurePiste *MesurePisteDe(int numMesure, int numPiste) const;

    void IndexerMesures();
    void IndexerPistes();

    void MarquerModifie();
    void MarquerEnregistre();

    // The cursor with its objects resolved from its numbers (clamped into the score).
    void PositionCurseur(rPosition &pos) const;
    void PlacerCurseur(const rPosition &pos);
    // Resolves a position's objects from its numbers, clamping each number into range.
    bool Resoudre(rPosition &pos) const;

    // Selects `nb` beats from the anchor; the end is found by walking forward in the track.
    void Selectionner(const rPosition &ancre, int nb);
    void EffacerSelection();

    // Total of beats and of notes of types 1..3, for summaries.
    long long NbAccordsTotal() const;
    long long NbNotesJouees() const;

private:
    void ToutLiberer();
    cMesurePiste *NouvelleMesurePiste(cMesure *m, cPiste *p);
    void LierMesure(cMesure *m);
    void LierPiste(cPiste *p);
    void NommerPiste(cPiste *p);
};
