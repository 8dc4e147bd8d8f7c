// The mix table, channels, ports and the drum kit.
#include "app/ui/Main.h"
#include "app/ui/uModules.h"

void EnregistrerCommandesMixage(TMainForm &) {}
