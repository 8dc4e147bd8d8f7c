// Measure, track, beat and marker editing commands.
#include "app/ui/Main.h"
#include "app/ui/uModules.h"

void EnregistrerCommandesEdition(TMainForm &) {}
