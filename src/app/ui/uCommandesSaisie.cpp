// Typing tablature: keys, durations, effects, undo and redo.
#include "app/ui/Main.h"
#include "app/ui/uModules.h"

void EnregistrerCommandesSaisie(TMainForm &) {}
