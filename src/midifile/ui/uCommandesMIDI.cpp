// MIDI file export and import commands.
#include <QDir>

#include "app/ui/Main.h"
#include "app/ui/uModules.h"
#include "config/uConfig.h"
#include "config/ui/DlgMyMsg.h"
#include "midifile/uExportMIDI.h"
#include "midifile/ui/DlgMIDIImport.h"

namespace {
void ExporterMIDI(TMainForm &f)
{
    const rNomExportMIDI nom = NomExportMIDI(f.Partition());
    std::string propose = nom.Nom.empty() ? std::string(".mid") : nom.Nom;
    if (!nom.Dossier.empty())
        propose = CheminDepuisQt(QDir(CheminQt(nom.Dossier)).filePath(CheminQt(propose)));
    const std::string chemin = f.ChoisirFichierExport(propose, QStringLiteral("MIDI (*.mid)"));
    if (chemin.empty())
        return;
    rOptionsGeneration options;
    options.ExportRepeats = Config->ExportRepeats;
    options.ExportEffects = Config->ExportEffects;
    options.MetronomeVolume = Config->MetronomeVolume;
    for (int k = 1; k <= MaxPorts; ++k)
        options.LimitBend[k] = Config->LimitBend[k - 1];
    std::string cle;
    if (!::ExporterMIDI(f.Partition(), chemin, options, cle))
        MyMsgCle("Dlg-Erreur", cle, MsgErreur, DefOK, BtOK);
}

// The import window opens on the chosen file; an open one takes the new file.
void ImporterMIDI(TMainForm &f)
{
    if (!f.ChoisirFichier)
        return;
    const QString choisi = f.ChoisirFichier(false, QString(), QStringLiteral("MIDI (*.mid)"));
    if (choisi.isEmpty())
        return;
    TFMIDIImport::Ouvrir(f, CheminDepuisQt(choisi));
}
} // namespace

void EnregistrerCommandesMIDI(TMainForm &f)
{
    f.EnregistrerCommande("Fichier_Export_MIDI", [&f](int) { ExporterMIDI(f); });
    f.EnregistrerCommande("Fichier_Import_MIDI", [&f](int) { ImporterMIDI(f); });
}
