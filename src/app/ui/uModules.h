// Each subsystem's ui/ registers the handlers of its own commands with the main window, which
// calls these once, in this order, when it is built.
#pragma once

class TMainForm;

void EnregistrerCommandesFichier(TMainForm &f);    // app/ui: New, Open, Save, properties, help
void EnregistrerCommandesCurseur(TMainForm &f);    // app/ui: cursor moves between bars, tracks
void EnregistrerCommandesEdition(TMainForm &f);    // app/ui: measures, tracks, beats, markers
void EnregistrerCommandesSaisie(TMainForm &f);     // app/ui: keys, durations, effects, undo
void EnregistrerCommandesEffets(TMainForm &f);     // app/ui: effect editors, tuplet buttons
void EnregistrerCommandesAffichage(TMainForm &f);  // display/ui: view modes
void EnregistrerCommandesImpression(TMainForm &f); // display/ui: print, preview, set-up
void EnregistrerCommandesLecture(TMainForm &f);    // playback/ui: transport, metronome, trainer
void EnregistrerCommandesMIDI(TMainForm &f);       // midifile/ui: MIDI export and import
void EnregistrerCommandesConfig(TMainForm &f);     // config/ui: preferences
void EnregistrerCommandesAccords(TMainForm &f);    // chords/ui: chord diagrams
void EnregistrerCommandesASCII(TMainForm &f);      // asciitab/ui: text tablature
void EnregistrerCommandesFichiersAnciens(TMainForm &f); // fileio/ui: older-version export
void EnregistrerCommandesMixage(TMainForm &f);     // mixer/ui: mix table, channels, ports
void EnregistrerCommandesOutils(TMainForm &f);     // tools/ui: tools and assistants
