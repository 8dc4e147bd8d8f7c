// The settings: the configuration object with every key of "Plec300.ini", the screen and print
// parameter sets with their presets, the default score header, the recent files, the chord
// library, and the load at start and the save at exit.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "config/uIni.h"
#include "config/uParamAffichage.h"
#include "model/uDiagramme.h"
#include "model/uPartition.h"

inline constexpr int NbFichiersRecents = 5;
inline constexpr int NbPortsConfig = 4;

class cConfig {
public:
    // "General"
    int Version = 0;

    // "Config"; the arrays are indexed from port 1 (index 0) to port 4.
    std::array<std::string, NbPortsConfig> MidiOut, PatchInstr;
    std::string PatcheLangue;
    std::string Repertoire; // key "Répertoire"
    int BrushDuration = 4;
    bool EcouterGraceNote = true, EcouterBrush = true, EcouterDiagramme = true;
    bool ShowLetRingNotes = false, ShowDynamic = false;
    bool CleSol = true, CleFA = true;
    int GraceNoteDuration = 1;
    int NbColASCII = 80;
    int TypeImport = 0;
    int NbTirets = 3;
    int SignImpNum = 3, SignImpDen = 2;
    bool JouerPendantSaisie = true;
    bool Metronome = false, CountDown = false;
    bool AddDiag = true;
    int HelpFile = 0;
    std::array<std::string, NbFichiersRecents> Fichier; // most recent first
    bool VerifyRepeats = false, CheckDuration = false;
    int StartingMusic = 1;
    std::string StartingFile;
    std::string SoundFont; // the built-in synthesizer's sounds; empty: the installed one
    int TypeScrolling = 1;
    int MetronomeVolume = 16;
    bool DifferentMetronomeFirstSound = true;
    bool PlayEffects = true, PlayRepeats = true, ExportEffects = true, ExportRepeats = true;
    bool UseRMTF = true;
    bool AlwaysAddBass = false;
    bool NoteFollowingRectangle = true, NoteFollowingTriangle = true, NoteFollowingColor = false;
    int PLOnlinePeriod = 3;
    bool PLOnlineAuto = false;
    std::string DateLastPLOnline = "20001004";
    std::array<bool, NbPortsConfig> LimitBend{};
    bool PremMidiSetup = true;
    int DiagSimpleMoyenTout = 1;
    int RzSizePanel_V_Width = 574; // written at exit, never read back
    int RzSizePanel_H_Height = 0;
    cInformations DefInfo; // the "Def_Info_" keys: header that new scores copy

    // Display and print parameters with their presets ("ParamEcran_US1".."3", "ParamImp_US1"..).
    TParamEcran ParamEcran;
    std::array<TParamEcran, 3> ParamEcran_US;
    TZoneImpression ParamImp;
    std::array<TZoneImpression, 3> ParamImp_US;
    bool BlackBlocks = false;

    // Chord library ("ChordsLib").
    std::vector<std::unique_ptr<cDiagramme>> BibliothequeAccords;

    // The languages offered, in menu order.
    std::vector<std::string> ListeLangues;

    // Never saved.
    int NuanceParDefaut = 6;    // dynamic of new notes
    int DerniereDureeBrush = 3; // last duration chosen in the brush-stroke dialog
    bool PreferencesOuvertes = false; // each of these two windows closes the other
    bool ApercuOuvert = false;        // rather than opening a second instance

    cConfig();
    cConfig(const cConfig &) = delete;
    cConfig &operator=(const cConfig &) = delete;
};

// The single configuration object, from ChargerConfig to EnregistrerConfig.
extern cConfig *Config;

// What the loader needs from the interface at start.
class iDialoguesConfig {
public:
    virtual ~iDialoguesConfig() = default;
    // The fixed error shown when no language patch is installed.
    virtual void MessageAucunPatch(const std::string &texte) = 0;
    // The first-start choice among the languages; returns the chosen name.
    virtual std::string ChoisirLangue(const std::vector<std::string> &langues) = 0;
};

// The only message that no patch can translate.
inline constexpr const char *MessageAucunPatchInstalle =
    "No language patch installed (files *.pll).\r\rPlease install at least one patch to start "
    "correctly the software.";

// The four languages always offered, then the other patches found.
std::vector<std::string> ConstruireListeLangues();
// A language with no installed patch falls back on the first installed one of the list.
std::string LangueInstallee(const std::string &choix, const std::vector<std::string> &langues);

// Chord library records as "ChordsLib" stores them.
std::string CoderAccordBibliotheque(const rDiagramme &d);
// False for a value too short to hold the fixed fields; the record is then untouched.
bool DecoderAccordBibliotheque(const std::string &valeur, cDiagramme &d);
// "C001".."C999", "C1000"...
std::string CleAccordBibliotheque(int index);

// The loading steps, on a given object and file. Returns false when start-up must stop.
bool ChargerConfigDepuis(cConfig &c, const cFichierIni &ini, iDialoguesConfig *ui);
// The saving steps, into a given file (its other sections are kept).
void EcrireConfig(const cConfig &c, cFichierIni &ini);
void LireParamEcran(const cFichierIni &ini, const std::string &section, TParamEcran &p,
                    const TParamEcran &defaut);
void EcrireParamEcran(cFichierIni &ini, const std::string &section, const TParamEcran &p);
void LireParamImp(const cFichierIni &ini, const std::string &section, TZoneImpression &p);
void EcrireParamImp(cFichierIni &ini, const std::string &section, const TZoneImpression &p);

// The chord settings a headless verb needs ("AlwaysAddBass", "DiagSimpleMoyenTout"): from Config
// when it is loaded, otherwise straight from the settings file.
void ReglagesAccords(bool &toujoursBasse, int &niveau);

// Creates Config and reads the settings file; false when start-up must stop.
bool ChargerConfig(iDialoguesConfig *ui);
// One item of the language menu: the languages in list order, a separator after the fourth, the
// four built-in ones disabled without their patch file, the current one checked.
struct rElementLangue {
    std::string Langue; // Windows-1252
    bool Actif = true;
    bool Coche = false;
    bool SeparateurApres = false;
};
std::vector<rElementLangue> MenuLangues(const cConfig &c);

// The language menu's change: loads the patch, then sets "PatcheLangue" and the help language.
// A patch that can no longer be read keeps the previous language and its texts (false).
bool ChangerLangue(cConfig &c, const std::string &langue);

// Writes every key to the settings file, then destroys Config. Returns whether the file was
// written. The port names and bend limits must have been copied from the playback engine, and
// the splitter sizes from the main window, before the call.
bool EnregistrerConfig();
