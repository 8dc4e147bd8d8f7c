// Text tablature export and import.
#include "app/ui/Main.h"
#include "app/ui/uModules.h"

void EnregistrerCommandesASCII(TMainForm &) {}
