// The preferences window.
#include "app/ui/Main.h"
#include "app/ui/uModules.h"

void EnregistrerCommandesConfig(TMainForm &) {}
