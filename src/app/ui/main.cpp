// Entry point: the editor window, or a headless verb when the first word starts with "--".
#include <QApplication>
#include <QGuiApplication>
#include <QMainWindow>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/uLigneCommande.h"
#include "config/uConfig.h"
#include "config/uPatch.h"
#include "config/ui/uTexteUI.h"
#include "config/ui/DlgWelcome.h"
#include "display/ui/uImagePartition.h"
#include "display/ui/uRenduImpression.h"
#include "app/ui/Main.h"
#include "app/ui/uIconesOutils.h"
#include "app/ui/uMesureDemarrage.h"
#include <QFileDialog>
#include "fileio/uFichierPLT.h"
#include "chords/uListeAccordsImpression.h"

namespace {
// The user's cache folder: what is lost there is only painted again.
std::string CheminCacheIcones()
{
    std::string base;
    if (const char *x = std::getenv("XDG_CACHE_HOME"); x && *x == '/')
        base = x;
    else if (const char *h = std::getenv("HOME"); h && *h == '/')
        base = std::string(h) + "/.cache";
    else
        return {};
    return base + "/plectorium/icones.cache";
}

// Scripts read stderr: keep the toolkit's start-up chatter off it.
void FiltrerMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg && message.contains(QLatin1String("XDG_RUNTIME_DIR")))
        return;
    std::cerr << message.toLocal8Bit().constData() << "\n";
}

// Command-line verbs; those that paint get an offscreen application of their own.
int Verbe(int argc, char **argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    const std::vector<rRouteEcriture> peintres = {{".png", EcrireImagePNG}, {".pdf", EcrirePDF}};
    if (args.size() >= 3 && args[0] == "--convert") {
        const std::string &sortie = args[2];
        const QString ext = sortie.size() > 4
                                ? QString::fromStdString(sortie.substr(sortie.size() - 4)).toLower()
                                : QString();
        const bool image = ext == ".png" || ext == ".pdf";
        if (image) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            qInstallMessageHandler(FiltrerMessages);
            QGuiApplication app(argc, argv);
            GarderFormatsNumeriques();
            return ExecuterLigneCommande(args, std::cout, std::cerr, peintres);
        }
    }
    return ExecuterLigneCommande(args, std::cout, std::cerr, peintres);
}
} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && std::string(argv[1]).rfind("--", 0) == 0)
        return Verbe(argc, argv);
    QApplication app(argc, argv);
    GarderFormatsNumeriques();
    app.setApplicationName(QStringLiteral("Plectorium"));
    // Settings and language come first; without any language patch there is no main window.
    cDialoguesConfigQt dialogues;
    if (!ChargerConfig(&dialogues))
        return 1;
    ActiverCacheIcones(CheminCacheIcones());
    int code = 0;
    {
        TMainForm fenetre;
        fenetre.ChoisirFichier = [&fenetre](bool enregistrer, const QString &propose,
                                            const QString &filtreDemande) {
            QString filtre = filtreDemande;
            if (filtre.isEmpty())
                filtre = enregistrer ? QStringLiteral("Plectorium (*.pl3)")
                                     : QStringLiteral("Plectorium (*.pl3 *.plt)");
            return enregistrer ? QFileDialog::getSaveFileName(&fenetre, QString(), propose, filtre)
                               : QFileDialog::getOpenFileName(&fenetre, QString(), propose, filtre);
        };
        MesurerDemarrage(&fenetre);
        fenetre.show();
        // Work an earlier run lost comes first; a restored copy is what the user works on.
        if (!fenetre.ProposerRecuperation())
            fenetre.OuvrirLigneCommande(std::vector<std::string>(argv + 1, argv + argc));
        code = app.exec();
        fenetre.EnregistrerEtat();
    }
    EnregistrerCacheIcones();
    return code;
}
