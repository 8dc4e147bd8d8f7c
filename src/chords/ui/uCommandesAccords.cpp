// Chord diagrams.
#include "app/ui/Main.h"
#include "app/ui/uModules.h"

void EnregistrerCommandesAccords(TMainForm &) {}
