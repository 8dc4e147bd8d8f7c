// The Tools menu's commands.
#include "app/uCurseur.h"
#include "app/ui/Main.h"
#include "app/ui/uModules.h"
#include "config/ui/DlgMyMsg.h"
#include "model/uDurees.h"

namespace {
void VerifierDureesMesures(TMainForm &f)
{
    cPartition &p = f.Partition();
    QuitterPlaceholder(p);
    const rMesureInvalide r = VerifierDurees(p);
    if (!r.MesurePiste) {
        f.Actualiser(true);
        MyMsgCle("Dlg-Information", "AssCD-VerificationTerminee", MsgInformation, DefOK, BtOK);
        return;
    }
    rPosition c;
    c.NumMesure = r.NumMesure;
    c.NumPiste = r.NumPiste;
    p.PlacerCurseur(c);
    f.Actualiser(true);
    MyMsgCle("Dlg-Attention", "AssCD-DureeInvalide", MsgAvertissement, DefOK, BtOK,
             std::to_string(r.NumMesure), std::to_string(r.NumPiste));
}
} // namespace

void EnregistrerCommandesOutils(TMainForm &f)
{
    f.EnregistrerCommande("Tools_CheckBarDuration", [&f](int) { VerifierDureesMesures(f); });
}
