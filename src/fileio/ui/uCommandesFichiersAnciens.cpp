// Export to the older file version.
#include "app/ui/Main.h"
#include "app/ui/uModules.h"

void EnregistrerCommandesFichiersAnciens(TMainForm &) {}
