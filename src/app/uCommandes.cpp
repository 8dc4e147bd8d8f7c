#include "app/uCommandes.h"

#include <map>

#include "model/uPartition.h"

namespace {
using C = eCategorie;
} // namespace

const std::vector<rCommande> &TableCommandes()
{
    static const std::vector<rCommande> t = {
        // File
        {"Fichier_Nouveau", C::Fichier, "&New...", "New score", "Ctrl+N", 0, false, ""},
        {"Fichier_Ouvrir", C::Fichier, "&Open...", "Open a score", "Ctrl+O", 0, false, ""},
        {"Fichier_Enregistrer", C::Fichier, "&Save", "Save the score", "Ctrl+S", 0, false, ""},
        {"Fichier_EnregistrerSous", C::Fichier, "Save &As...", "Save under another name", "", 0,
         false, ""},
        {"Fichier_Proprietes", C::Fichier, "&Information...", "Score information", "F5", 0, false,
         ""},
        {"Fichier_Import_MIDI", C::Fichier, "&MIDI...", "Import a MIDI file", "", 0, false, ""},
        {"Fichier_Import_ASCII", C::Fichier, "&ASCII Tab...", "Import text tablature", "", 0,
         false, ""},
        {"Fichier_Export_MIDI", C::Fichier, "&MIDI...", "Export a MIDI file", "", 0, false, ""},
        {"Fichier_Export_PL220", C::Fichier, "&Plectorium 2.2 format...",
         "Export in the older format", "", 0, false, ""},
        {"Fichier_Export_ASCII", C::Fichier, "&ASCII Tab...", "Export text tablature", "", 0,
         false, ""},
        {"Fichier_Imp_Config", C::Fichier, "Print Set&up...", "Printer set-up", "", 0, false, ""},
        {"Fichier_Imp_Apercu", C::Fichier, "Print Previe&w...", "Print preview", "", 0, false,
         ""},
        {"Fichier_Imprimer", C::Fichier, "&Print...", "Print", "Ctrl+P", 0, false, ""},
        {"Fichier_Parcourir", C::Fichier, "&Browser...", "File browser", "Ctrl+B", 0, false, ""},
        {"Fichier_Quitter", C::Fichier, "E&xit", "Quit", "", 0, false, ""},
        // Edit
        {"Edition_Annuler", C::Edition, "&Undo", "Undo", "Ctrl+Z", 0, false, ""},
        {"Edition_Retablir", C::Edition, "&Redo", "Redo", "Ctrl+Shift+Z", 0, false, ""},
        {"Edition_Couper", C::Edition, "&Cut", "Cut measures", "Ctrl+X", 0, false, ""},
        {"Edition_Copier", C::Edition, "C&opy", "Copy measures", "Ctrl+C", 0, false, ""},
        {"Edition_Coller", C::Edition, "&Paste", "Paste measures", "Ctrl+V", 0, false, ""},
        {"Edition_Inserer_MixTableChange", C::Edition, "Mix Table Change Event...",
         "Mix table change on the beat", "F10", 0, true, ""},
        {"Bar_Insert", C::Mesure, "Insert", "Insert a measure", "Ctrl+Ins", 0, false, ""},
        {"Bar_Clear", C::Mesure, "Clear...", "Clear measures", "", 0, false, ""},
        {"Bar_First", C::Mesure, "First", "First measure", "Ctrl+Shift+Left", 0, false, ""},
        {"Bar_Previous", C::Mesure, "Previous", "Previous measure", "Ctrl+Left", 0, false, ""},
        {"Bar_Next", C::Mesure, "Next", "Next measure", "Ctrl+Right", 0, false, ""},
        {"Bar_Last", C::Mesure, "Last", "Last measure", "Ctrl+Shift+Right", 0, false, ""},
        {"Bar_GoTo", C::Mesure, "Go To...", "Go to a measure", "", 0, false, ""},
        {"Mesure_Signature", C::Mesure, "Time Signature...", "Time signature", "", 0, false, ""},
        {"Mesure_RenvDeb", C::Mesure, "Repeat Open", "Repeat open", "", 0, true, ""},
        {"Mesure_RenvFin", C::Mesure, "Repeat Close...", "Repeat close", "", 0, true, ""},
        {"Mesure_Repet", C::Mesure, "Alternate Endings...", "Alternate endings", "", 0, true, ""},
        // Beat
        {"Beat_Insert", C::Accord, "Insert Beat", "Insert a rest before the beat", "Ins", 0,
         false, ""},
        {"Beat_Delete", C::Accord, "Delete Beat", "Delete the beat", "Ctrl+Del", 0, false, ""},
        {"CopyBeatToTheEnd", C::Accord, "CopyBeatToTheEnd", "Copy the beat to the end", "C", 0,
         false, ""},
        {"Beat_Link", C::Accord, "Link Beat", "Tie the empty strings", "Ctrl+L", 0, false, ""},
        {"Beat_1", C::DureeAccord, "-none-", "No tuplet", "", 1, true, "TripletMenu"},
        {"Duree_Accord_Triolet_3_2", C::DureeAccord, "-3-", "Triplet", "", 3, true,
         "TripletMenu"},
        {"Duree_Accord_Triolet_5_2", C::DureeAccord, "-5-", "Quintuplet", "", 5, true,
         "TripletMenu"},
        {"Duree_Accord_Triolet_6_2", C::DureeAccord, "-6-", "Sextuplet", "", 6, true,
         "TripletMenu"},
        {"Duree_Accord_Triolet_7_2", C::DureeAccord, "-7-", "Septuplet", "", 7, true,
         "TripletMenu"},
        {"Duree_Accord_Triolet_9_2", C::DureeAccord, "-9-", "9-tuplet", "", 9, true,
         "TripletMenu"},
        {"Duree_Accord_Triolet_10_2", C::DureeAccord, "-10-", "10-tuplet", "", 10, true,
         "TripletMenu"},
        {"Duree_Accord_Triolet_11_2", C::DureeAccord, "-11-", "11-tuplet", "", 11, true,
         "TripletMenu"},
        {"Duree_Accord_Triolet_12_2", C::DureeAccord, "-12-", "12-tuplet", "", 12, true,
         "TripletMenu"},
        {"Duree_Accord_Triolet_13_2", C::DureeAccord, "-13-", "13-tuplet", "", 13, true,
         "TripletMenu"},
        {"Note_MoveUp", C::Note, "Move Up", "Move the note to the string above", "Shift+Up", 0,
         false, ""},
        {"Note_MoveDown", C::Note, "Move Down", "Move the note to the string below",
         "Shift+Down", 0, false, ""},
        // Beat durations (tag: duration code)
        {"Duree_Accord_Ronde", C::DureeAccord, "Whole Note", "Whole note", "", -2, true,
         "DureeAccord"},
        {"Duree_Accord_Blanche", C::DureeAccord, "Half Note", "Half note", "", -1, true,
         "DureeAccord"},
        {"Duree_Accord_Noire", C::DureeAccord, "Quarter Note", "Quarter note", "", 0, true,
         "DureeAccord"},
        {"Duree_Accord_Croche", C::DureeAccord, "Eighth Note", "Eighth note", "", 1, true,
         "DureeAccord"},
        {"Duree_Accord_DCroche", C::DureeAccord, "Sixteenth Note", "Sixteenth note", "", 2, true,
         "DureeAccord"},
        {"Duree_Accord_TCroche", C::DureeAccord, "Thirty-second Note", "Thirty-second note", "",
         3, true, "DureeAccord"},
        {"Duree_Accord_QCroche", C::DureeAccord, "Sixty-fourth Note", "Sixty-fourth note", "", 4,
         true, "DureeAccord"},
        {"Duree_Accord_Pointe", C::DureeAccord, "Dotted", "Dotted Beat (*)", "", 0, true, ""},
        {"Duree_Accord_Triolet_3", C::DureeAccord, "-3-", "X-Tuplet Beat (/)", "", 3, true, ""},
        {"Duree_Accord_Triolet_5", C::DureeAccord, "-5-", "X-Tuplet Beat (/)", "", 5, true, ""},
        {"Duree_Accord_Triolet_6", C::DureeAccord, "-6-", "X-Tuplet Beat (/)", "", 6, true, ""},
        {"Duree_Accord_Triolet_7", C::DureeAccord, "-7-", "X-Tuplet Beat (/)", "", 7, true, ""},
        {"Duree_Accord_Triolet_9", C::DureeAccord, "-9-", "X-Tuplet Beat (/)", "", 9, true, ""},
        {"Duree_Accord_Triolet_10", C::DureeAccord, "-10-", "X-Tuplet Beat (/)", "", 10, true,
         ""},
        {"Duree_Accord_Triolet_11", C::DureeAccord, "-11-", "X-Tuplet Beat (/)", "", 11, true,
         ""},
        {"Duree_Accord_Triolet_12", C::DureeAccord, "-12-", "X-Tuplet Beat (/)", "", 12, true,
         ""},
        {"Duree_Accord_Triolet_13", C::DureeAccord, "-13-", "X-Tuplet Beat (/)", "", 13, true,
         ""},
        {"Duree_Accord_Silence", C::DureeAccord, "Rest", "Rest", "R", 0, false, ""},
        // Note durations
        {"Duree_Note_Ronde", C::DureeNote, "Whole Note", "Whole note", "", -2, true,
         "DureeNote"},
        {"Duree_Note_Blanche", C::DureeNote, "Half Note", "Half note", "", -1, true,
         "DureeNote"},
        {"Duree_Note_Noire", C::DureeNote, "Quarter Note", "Quarter note", "", 0, true,
         "DureeNote"},
        {"Duree_Note_Croche", C::DureeNote, "Eighth Note", "Eighth note", "", 1, true,
         "DureeNote"},
        {"Duree_Note_DCroche", C::DureeNote, "Sixteenth Note", "Sixteenth note", "", 2, true,
         "DureeNote"},
        {"Duree_Note_TCroche", C::DureeNote, "Thirty-second Note", "Thirty-second note", "", 3,
         true, "DureeNote"},
        {"Duree_Note_QCroche", C::DureeNote, "Sixty-fourth Note", "Sixty-fourth note", "", 4,
         true, "DureeNote"},
        {"Duree_Note_Pointe", C::DureeNote, "Dotted", "Dotted Note (Ctrl+*)", "", 0, true, ""},
        {"Duree_Note_XTuplet", C::DureeNote, "X-Tuplet", "X-Tuplet note", "", 0, true, ""},
        {"Duree_Note_Liee", C::DureeNote, "Link Note", "Tie the note", "L", 0, true, ""},
        // Effects
        {"EffetNote_BendType", C::Effet, "Bend Type...", "Bend", "B", 0, true, ""},
        {"EffetNote_HOPO", C::Effet, "Hammer On / Pull Off", "Hammer on / pull off", "H", 1,
         true, ""},
        {"EffetNote_PickSlide", C::Effet, "Slide", "Slide", "S", 2, true, ""},
        {"EffetNote_LetRing", C::Effet, "Let Ring", "Let ring", "I", 3, true, ""},
        {"EffetNote_Sugeree", C::Effet, "Ghost Note", "Ghost note", "", 4, true, ""},
        {"EffetAccord_Vibrato", C::Effet, "Vibrato", "Vibrato", "V", 5, true, ""},
        {"EffetAccord_TremoloBar", C::Effet, "Tremolo Bar", "Tremolo bar", "", 6, true, ""},
        {"EffetAccord_HarmN", C::Effet, "Natural Harmonic", "Natural harmonic", "", 7, true, ""},
        {"EffetAccord_HarmA", C::Effet, "Artificial Harmonic", "Artificial harmonic", "", 8,
         true, ""},
        {"EffetAccord_FadeIn", C::Effet, "Fade In", "Fade in", "F", 9, true, ""},
        {"EffetAccord_Tapping", C::Effet, "Tapping", "Tapping", "", 10, true, ""},
        {"EffetAccord_Slap", C::Effet, "Slap", "Slap", "", 11, true, ""},
        {"EffetAccord_Pop", C::Effet, "Pop", "Pop", "", 12, true, ""},
        {"EffetNote_Appogiature", C::Effet, "Grace Note...", "Grace note", "G", 13, true, ""},
        {"EffetAccord_BrushUp", C::Effet, "Brush Down...", "Brush down", "Ctrl+D", 14, true, ""},
        {"EffetAccord_BrushDown", C::Effet, "Brush Up...", "Brush up", "Ctrl+U", 15, true, ""},
        {"EffetAccord_CoupVB", C::Effet, "Stroke of the Vibrato...", "Stroke of the vibrato", "",
         16, true, ""},
        {"EffetNote_DeadNote", C::Effet, "Dead Note", "Dead note", "X", 0, true, ""},
        {"Accord_Texte", C::Accord, "Text...", "Text on the beat", "T", 0, true, ""},
        {"Accord_Diagramme", C::Accord, "Chord...", "Chord diagram", "A", 0, true, ""},
        // Dynamics (tag 1..8)
        {"Dynamic_ppp", C::Dynamique, "piano pianissimo", "ppp", "", 1, true, "Dynamique"},
        {"Dynamic_pp", C::Dynamique, "pianissimo", "pp", "", 2, true, "Dynamique"},
        {"Dynamic_p", C::Dynamique, "piano", "p", "", 3, true, "Dynamique"},
        {"Dynamic_mp", C::Dynamique, "mezzo piano", "mp", "", 4, true, "Dynamique"},
        {"Dynamic_mf", C::Dynamique, "mezzo forte", "mf", "", 5, true, "Dynamique"},
        {"Dynamic_f", C::Dynamique, "forte", "f", "", 6, true, "Dynamique"},
        {"Dynamic_ff", C::Dynamique, "fortissimo", "ff", "", 7, true, "Dynamique"},
        {"Dynamic_fff", C::Dynamique, "forte fortissimo", "fff", "", 8, true, "Dynamique"},
        {"Dynamic_Accord", C::Dynamique, "Whole Beat", "Dynamics apply to the whole beat", "", 0,
         true, ""},
        {"Dynamic_SetDefault", C::Dynamique, "Set as Default", "Default dynamic for new notes",
         "", 0, false, ""},
        // Markers
        {"Marker_Ajouter", C::Marker, "Insert...", "Insert a marker", "Shift+Ins", 0, false, ""},
        {"Marker_Liste", C::Marker, "List...", "List of markers", "", 0, false, ""},
        {"Marker_AllerPrec", C::Marker, "Previous", "Previous marker", "Shift+Left", 0, false, ""},
        {"Marker_AllerSuiv", C::Marker, "Next", "Next marker", "Shift+Right", 0, false, ""},
        {"Marker_AllerA", C::Marker, "Go To", "Go to a marker", "", 0, false, ""},
        // Tracks
        {"Track_Properties", C::Piste, "Properties...", "Track properties", "F6", 0, false, ""},
        {"Track_Insert", C::Piste, "Add...", "Add a track", "Ctrl+Shift+Ins", 0, false, ""},
        {"Track_Remove", C::Piste, "Delete", "Delete the track", "Ctrl+Shift+Del", 0, false, ""},
        {"Track_First", C::Piste, "First", "First track", "Ctrl+Shift+Up", 0, false, ""},
        {"Track_Previous", C::Piste, "Previous", "Previous track", "Ctrl+Up", 0, false, ""},
        {"Track_Next", C::Piste, "Next", "Next track", "Ctrl+Down", 0, false, ""},
        {"Track_Last", C::Piste, "Last", "Last track", "Ctrl+Shift+Down", 0, false, ""},
        // Playback
        {"Lecture_JouerPosEC", C::Lecture, "&Play from the Current Position",
         "Play from the cursor", "", 0, false, ""},
        {"Lecture_JouerDebut", C::Lecture, "Play from the &Beginning", "Play from the beginning",
         "", 0, false, ""},
        {"Lecture_JouerMesureEC", C::Lecture, "Play the Current B&ar", "Play the current bar", "",
         0, false, ""},
        {"Lecture_Stop", C::Lecture, "&Stop", "Stop", "", 0, false, ""},
        // Same keys as Bar_First / Bar_Last, which do the same: the keys go to those.
        {"Lecture_Debut", C::Lecture, "Go to the Beginning", "Go to the beginning", "", 0, false,
         ""},
        {"Lecture_Fin", C::Lecture, "Go to the End", "Go to the end", "", 0, false, ""},
        {"Lecture_PasAPas_Ar", C::Lecture, "Step Back", "Step back", "", 0, false, ""},
        {"Lecture_PasAPas_Av", C::Lecture, "Step Forward", "Step forward", "", 0, false, ""},
        {"Lecture_RetourRapide", C::Lecture, "Fast Back", "Fast back", "", 0, false, ""},
        {"Lecture_AvanceRapide", C::Lecture, "Fast Forward", "Fast forward", "", 0, false, ""},
        {"Lecture_EnBoucle", C::Lecture, "&Loop", "Loop", "", 0, true, ""},
        {"Lecture_Metronome", C::Lecture, "M&etronome", "Metronome", "", 0, true, ""},
        {"Lecture_CountDown", C::Lecture, "Count Down", "Count down", "", 0, true, ""},
        {"Lecture_JouerPendantSaisie", C::Lecture, "Play while Entering", "Play while entering",
         "", 0, true, ""},
        // View
        {"Affichage_Vue_Multipiste", C::Affichage, "&Multitrack View", "Multitrack view", "", 0,
         true, ""},
        {"Affichage_Scrolling_Vertical", C::Affichage, "&Vertical Scrolling", "Vertical scrolling",
         "", 0, true, "Defilement"},
        {"Affichage_Scrolling_Horizontal", C::Affichage, "&Horizontal Scrolling",
         "Horizontal scrolling", "", 0, true, "Defilement"},
        {"Affichage_Esp_Regulier", C::Affichage, "Regular Spacing in Edited Bar",
         "Regular spacing in the edited bar", "", 0, true, ""},
        {"Affichage_Proportions_Strictes", C::Affichage, "Always Strict Proportions",
         "Always strict proportions", "", 0, true, ""},
        {"Affichage_PermuterVue", C::Affichage, "Permute View", "Permute view", "", 0, false, ""},
        {"Affichage_VueHMinMax", C::Affichage, "Change Horizontal View Size",
         "Change horizontal view size", "", 0, false, ""},
        {"Affichage_VueVMinMax", C::Affichage, "Change Vertival View Size",
         "Change vertical view size", "", 0, false, ""},
        {"Affichage_MontrerLetRing", C::Affichage, "Show Let Ring", "Show let ring", "F11", 0,
         true, ""},
        {"Affichage_MontrerDynamique", C::Affichage, "Show Dynamics", "Show dynamics", "F12", 0,
         true, ""},
        {"Affichage_ToolBar_Fichier", C::Affichage, "Standard", "Standard", "", 1, true, ""},
        {"Affichage_ToolBar_Mesure", C::Affichage, "Bar", "Bar", "", 2, true, ""},
        {"Affichage_ToolBar_Marker", C::Affichage, "Markers", "Markers", "", 3, true, ""},
        {"Affichage_ToolBar_Affichage", C::Affichage, "Display", "Display", "", 4, true, ""},
        {"Affichage_ToolBar_Duration", C::Affichage, "Beat Duration", "Beat duration", "", 5,
         true, ""},
        {"Affichage_ToolBar_NoteDuration", C::Affichage, "Note Duration", "Note duration", "", 6,
         true, ""},
        {"Affichage_ToolBar_Lecture", C::Affichage, "Play", "Play", "", 7, true, ""},
        {"Affichage_ToolBar_Tempo", C::Affichage, "Tempo", "Tempo", "", 8, true, ""},
        {"Affichage_ToolBar_Effets", C::Affichage, "Effects", "Effects", "", 9, true, ""},
        {"Affichage_ToolBar_Dynamic", C::Affichage, "Dynamic", "Dynamic", "", 10, true, ""},
        {"Affichage_ToolBar_All", C::Affichage, "All", "Show every toolbar", "", 0, false, ""},
        {"Affichage_ToolBar_Aucune", C::Affichage, "Nothing", "Hide every toolbar", "", 0, false,
         ""},
        {"Affichage_ToolBar_PosParDefaut", C::Affichage, "Default position",
         "Default toolbar layout", "", 0, false, ""},
        // Tools and options
        {"Tools_Solfege", C::Outils, "Standard Notation", "Standard notation", "", 0, true, ""},
        {"Tools_PercussionAssistant", C::Outils, "Percussion Assistant", "Percussion assistant",
         "", 0, true, ""},
        {"Tools_CheckBarDuration", C::Outils, "Check Bar Duration", "Check bar duration", "F8", 0,
         false, ""},
        {"Tools_Transposer", C::Outils, "Transpose...", "Transpose", "", 0, false, ""},
        {"Tools_AssistantLetRing", C::Outils, "Let Ring Selector...", "Let ring selector", "", 0,
         false, ""},
        {"Tools_AssistantDynamic", C::Outils, "Dynamics Assistant...", "Dynamics assistant", "",
         0, false, ""},
        {"Tools_PlacementAuto", C::Outils, "Automatic Fingering...", "Automatic fingering", "", 0,
         false, ""},
        {"Tools_Redecouper", C::Outils, "Split the Bars Again...", "Split the bars again", "", 0,
         false, ""},
        {"Tools_CompleterReduire", C::Outils, "Complete the Bars...", "Complete the bars", "", 0,
         false, ""},
        {"Tools_SpeedTrainer", C::Outils, "Speed Trainer...", "Speed trainer", "F9", 0, false, ""},
        {"Options_Preferences", C::Options, "Preferences...", "Preferences", "F7", 0, false, ""},
        {"Options_MidiSetup", C::Options, "MIDI Setup...", "MIDI setup", "", 0, false, ""},
        {"Options_Ports", C::Options, "Ports Configuration...", "Ports configuration", "", 0,
         false, ""},
        // Help
        {"Aide_Index", C::Aide, "Help Index", "Help", "F1", 0, false, ""},
        {"Aide_English", C::Aide, "English", "Help in English", "", 2, true, "LangueAide"},
        {"Aide_Francais", C::Aide, "Fran\xe7" "ais", "Aide en fran\xe7" "ais", "", 1, true,
         "LangueAide"},
        {"Aide_Deutsch", C::Aide, "Deutsch", "Hilfe auf Deutsch", "", 3, true, "LangueAide"},
        {"Aide_APropos", C::Aide, "About...", "About the program", "", 0, false, ""},
    };
    return t;
}

const rCommande *Commande(const std::string &nom)
{
    static const std::map<std::string, const rCommande *> index = [] {
        std::map<std::string, const rCommande *> m;
        for (const rCommande &c : TableCommandes())
            m[c.Nom] = &c;
        return m;
    }();
    auto i = index.find(nom);
    return i == index.end() ? nullptr : i->second;
}

namespace {
const char *const CommandesTriolet[] = {
    "Duree_Accord_Triolet_3",  "Duree_Accord_Triolet_5",  "Duree_Accord_Triolet_6",
    "Duree_Accord_Triolet_7",  "Duree_Accord_Triolet_9",  "Duree_Accord_Triolet_10",
    "Duree_Accord_Triolet_11", "Duree_Accord_Triolet_12", "Duree_Accord_Triolet_13"};
const char *const CommandesDureeAccord[] = {
    "Duree_Accord_Ronde",   "Duree_Accord_Blanche", "Duree_Accord_Noire", "Duree_Accord_Croche",
    "Duree_Accord_DCroche", "Duree_Accord_TCroche", "Duree_Accord_QCroche"};
const char *const CommandesDureeNote[] = {
    "Duree_Note_Ronde",   "Duree_Note_Blanche", "Duree_Note_Noire", "Duree_Note_Croche",
    "Duree_Note_DCroche", "Duree_Note_TCroche", "Duree_Note_QCroche"};
const char *const CommandesEffets[] = {
    "EffetNote_BendType",    "EffetNote_HOPO",       "EffetNote_PickSlide",
    "EffetNote_LetRing",     "EffetNote_Sugeree",    "EffetAccord_Vibrato",
    "EffetAccord_TremoloBar", "EffetAccord_HarmN",   "EffetAccord_HarmA",
    "EffetAccord_FadeIn",    "EffetAccord_Tapping",  "EffetAccord_Slap",
    "EffetAccord_Pop",       "EffetNote_Appogiature", "EffetAccord_BrushUp",
    "EffetAccord_BrushDown", "EffetAccord_CoupVB"};
const char *const CommandesDynamiques[] = {"Dynamic_ppp", "Dynamic_pp", "Dynamic_p",
                                           "Dynamic_mp",  "Dynamic_mf", "Dynamic_f",
                                           "Dynamic_ff",  "Dynamic_fff"};
} // namespace

std::string CommandeBoutonTriolet(int trioletAccord, int dernier)
{
    for (int code : {trioletAccord, dernier})
        for (const char *t : CommandesTriolet)
            if (Commande(t)->Tag == code)
                return t;
    return "Duree_Accord_Triolet_3";
}

std::string CommandeBoutonDureeNote(int codeDuree)
{
    for (const char *d : CommandesDureeNote)
        if (Commande(d)->Tag == codeDuree)
            return d;
    return "Duree_Note_Noire";
}

std::vector<rEtatCommande> EtatsEdition(bool actif)
{
    std::vector<rEtatCommande> r;
    auto etat = [&](const char *nom, bool a) { r.push_back({nom, a, false, false}); };
    for (const char *n : {"Mesure_Signature", "Mesure_RenvDeb", "Mesure_Repet", "Mesure_RenvFin",
                          "Marker_Ajouter", "Marker_Liste", "Edition_Couper", "Edition_Copier",
                          "Edition_Coller", "Edition_Inserer_MixTableChange"})
        etat(n, actif);
    // Back on at the stop; the commands that follow the cursor are left to its refresh.
    for (const char *n : CommandesDureeAccord)
        etat(n, actif);
    for (const char *n : CommandesTriolet)
        etat(n, actif);
    // The tuplet type drop-down.
    for (const rCommande &c : TableCommandes())
        if (std::string(c.Groupe) == "TripletMenu")
            etat(c.Nom, actif);
    for (const char *n : {"Duree_Accord_Pointe", "Duree_Accord_Silence", "Duree_Note_Liee",
                          "EffetNote_DeadNote", "Accord_Diagramme"})
        etat(n, actif);
    if (!actif) {
        for (const char *n : CommandesDureeNote)
            etat(n, false);
        for (const char *n : {"Duree_Note_Pointe", "Duree_Note_XTuplet", "Accord_Texte"})
            etat(n, false);
        for (const char *n : CommandesEffets)
            etat(n, false);
        for (const char *n : CommandesDynamiques)
            etat(n, false);
    }
    return r;
}

std::vector<rEtatCommande> EtatsCommandes(const cPartition &p, bool enLecture,
                                          bool pressePapiersPlein)
{
    std::vector<rEtatCommande> r;
    const cAccord *b = p.Curseur.Accord;
    const cNote *n = p.Curseur.Note;
    const cMesure *m = p.Curseur.MesurePiste ? p.Curseur.MesurePiste->Mesure : nullptr;
    if (p.EnDestruction || enLecture || !b || !n || !m)
        return r;
    auto actif = [&](const char *nom, bool a) { r.push_back({nom, a, false, false}); };
    auto coche = [&](const char *nom, bool a, bool c) { r.push_back({nom, a, c, true}); };
    const cEffets_Accord *eb = b->Effets;
    const cEffets_Note *en = n->Effets;

    actif("Beat_Insert", b->Etat != 0);
    actif("Beat_Delete", b->Etat != 0);
    actif("CopyBeatToTheEnd", b->Etat != 0);
    const bool noteDuree = n->Type != 0;
    for (const char *d : {"Duree_Note_Ronde", "Duree_Note_Blanche", "Duree_Note_Noire",
                          "Duree_Note_Croche", "Duree_Note_DCroche", "Duree_Note_TCroche",
                          "Duree_Note_QCroche"})
        coche(d, noteDuree, Commande(d)->Tag == n->CodeDuree);
    coche("Duree_Note_Pointe", noteDuree, n->Pointe);
    coche("Duree_Note_XTuplet", b->Triolet > 1 && noteDuree, n->Triolet > 1);
    coche("Duree_Note_Liee", true, n->Type == 2);
    const bool normale = n->Type == 1;
    const bool sonne = n->Type == 1 || n->Type == 3;
    coche("EffetNote_BendType", normale, en && en->Bend);
    coche("EffetNote_HOPO", normale, en && en->HammerPullOff);
    coche("EffetNote_PickSlide", normale, en && en->Slide);
    coche("EffetNote_LetRing", normale, en && en->LetRing);
    actif("Note_MoveUp", normale);
    actif("Note_MoveDown", normale);
    coche("EffetNote_Sugeree", sonne, n->Sugeree);
    for (const char *d : {"Dynamic_ppp", "Dynamic_pp", "Dynamic_p", "Dynamic_mp", "Dynamic_mf",
                          "Dynamic_f", "Dynamic_ff", "Dynamic_fff"})
        coche(d, sonne, Commande(d)->Tag == n->Nuance);
    actif("Dynamic_SetDefault", sonne);
    const bool accordNormal = b->Etat == 1;
    coche("EffetAccord_Vibrato", accordNormal, eb && eb->Vibrato);
    coche("EffetAccord_TremoloBar", accordNormal, eb && eb->TremoloBar);
    coche("EffetAccord_CoupVB", accordNormal, eb && eb->CoupVibrato > 0);
    coche("EffetAccord_BrushUp", accordNormal, eb && eb->BrushUp > 0);
    coche("EffetAccord_BrushDown", accordNormal, eb && eb->BrushDown > 0);
    coche("EffetAccord_HarmN", accordNormal, eb && eb->HarmoniqueNaturelle);
    coche("EffetAccord_HarmA", accordNormal, eb && eb->HarmoniqueArtificielle);
    coche("EffetAccord_FadeIn", accordNormal, eb && eb->FadeIn);
    coche("EffetAccord_Tapping", accordNormal, eb && eb->Frappe == 1);
    coche("EffetAccord_Slap", accordNormal, eb && eb->Frappe == 2);
    coche("EffetAccord_Pop", accordNormal, eb && eb->Frappe == 3);
    coche("EffetNote_Appogiature", accordNormal, en && en->Appogiature);
    coche("Accord_Texte", b->Etat == 1 || b->Etat == 2, b->Texte != nullptr);
    coche("Accord_Diagramme", true, b->Diagramme != nullptr);
    coche("Edition_Inserer_MixTableChange", true, b->TableMix != nullptr);
    coche("EffetNote_DeadNote", true, n->Type == 3);
    actif("Track_Remove", p.NbPistes > 1);
    actif("Edition_Coller", pressePapiersPlein);
    for (const char *d : {"Duree_Accord_Ronde", "Duree_Accord_Blanche", "Duree_Accord_Noire",
                          "Duree_Accord_Croche", "Duree_Accord_DCroche", "Duree_Accord_TCroche",
                          "Duree_Accord_QCroche"})
        coche(d, true, Commande(d)->Tag == b->CodeDuree);
    coche("Duree_Accord_Pointe", true, b->Pointe);
    for (const rCommande &c : TableCommandes())
        if (std::string(c.Groupe) == "TripletMenu")
            coche(c.Nom, true, c.Tag == b->Triolet);
    // The tuplet tool button: down when the beat has a tuplet, on that tuplet's command.
    for (const char *t : CommandesTriolet)
        coche(t, true, Commande(t)->Tag == b->Triolet);
    coche("Mesure_RenvDeb", true, m->RenvoiDebut);
    coche("Mesure_RenvFin", true, m->RenvoiFin > 0);
    coche("Mesure_Repet", true, m->Repetition > 0);
    return r;
}
