// The preferences window.
#include "app/ui/Main.h"
#include "app/ui/uModules.h"
#include "config/ui/DlgPref.h"

void EnregistrerCommandesConfig(TMainForm &f)
{
    f.EnregistrerCommande("Options_Preferences",
                          [&f](int) { EditerPreferences(f, &f, TFPref::PageGeneral); });
}
