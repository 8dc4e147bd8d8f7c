// Printing, print preview and print set-up.
#include "app/ui/Main.h"
#include "app/ui/uModules.h"

void EnregistrerCommandesImpression(TMainForm &) {}
