// Export to the older file version.
#include "app/ui/Main.h"
#include "app/ui/uModules.h"
#include "app/uDocument.h"
#include "chords/uListeAccordsImpression.h"
#include "config/uPatch.h"
#include "config/ui/DlgMyMsg.h"
#include "config/ui/uTexteUI.h"
#include "fileio/uFichierAncien.h"
#include "model/uCodage.h"

namespace {
std::string T(const char *cle) { return Traduction(cle); }

// The score's own name with ".plt", or a name made from its title.
std::string NomPropose(const cPartition &p)
{
    if (p.Chemin.size() >= 4)
        return p.Chemin.substr(0, p.Chemin.size() - 4) + ".plt";
    const std::string n = NomProposeDepuisTitre(p.Informations->Titre);
    return n.empty() ? std::string() : Win1252VersUtf8(n.substr(0, n.size() - 4)) + ".plt";
}

void ExporterPL220(TMainForm &f)
{
    const cPartition &p = f.Partition();
    // Beats past the version's limit are lost: the user says whether to go on.
    if (ExportAncienPerdAccords(p) &&
        MyMsg(T("Dlg-Avertissement"),
              T("Gene-LimitExport220a") + "\r\r" + T("Gene-LimitExport220b"), MsgAvertissement,
              DefOK, BtOK | BtAnnuler) != ResOK)
        return;
    const std::string chemin =
        f.ChoisirFichierExport(NomPropose(p), VersQt(T("Fichier-Plectorium220")) + " (*.plt)");
    if (chemin.empty())
        return;
    std::string cle;
    if (!ExporterAncienFormat(f.Partition(), ListeAccordsImpression(), T("Gene-Percussions"),
                              chemin, cle))
        MyMsgCle("Dlg-Erreur", cle, MsgErreur, DefOK, BtOK);
}
} // namespace

void EnregistrerCommandesFichiersAnciens(TMainForm &f)
{
    f.EnregistrerCommande("Fichier_Export_PL220", [&f](int) { ExporterPL220(f); });
}
