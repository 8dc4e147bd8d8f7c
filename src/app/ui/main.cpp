// Entry point: the editor window, or a headless verb when the first word starts with "--".
#include <QApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QStatusBar>

#include <iostream>
#include <string>
#include <vector>

#include "app/uLigneCommande.h"
#include "config/uConfig.h"
#include "config/uPatch.h"
#include "config/ui/DlgWelcome.h"
#include "display/ui/uImagePartition.h"
#include "display/ui/uVuePartition.h"
#include "fileio/uFichierPLT.h"
#include "chords/uListeAccordsImpression.h"

namespace {
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
    const std::vector<rRouteEcriture> peintres = {{".png", EcrireImagePNG}};
    if (args.size() == 3 && args[0] == "--convert") {
        const std::string &sortie = args[2];
        const bool image = sortie.size() > 4 && QString::fromStdString(sortie.substr(
                                                     sortie.size() - 4)).toLower() == ".png";
        if (image) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            qInstallMessageHandler(FiltrerMessages);
            QGuiApplication app(argc, argv);
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
    // Settings and language come first; without any language patch there is no main window.
    cDialoguesConfigQt dialogues;
    if (!ChargerConfig(&dialogues))
        return 1;
    cPartition partition;
    partition.Nouveau();
    // The arguments joined with blanks form one path.
    std::string chemin;
    for (int i = 1; i < argc; ++i)
        chemin += (i > 1 ? " " : "") + std::string(argv[i]);
    if (!chemin.empty()) {
        std::string cle;
        OuvrirFichier(partition, ListeAccordsImpression(), chemin, cle);
    }
    QMainWindow fenetre;
    fenetre.setWindowTitle(QStringLiteral("Plectorium"));
    auto *vue = new TVuePartition(&partition, &Config->ParamEcran, &fenetre);
    vue->Affichage.Traduire = [](const std::string &cle) { return Traduction(cle); };
    fenetre.setCentralWidget(vue);
    QObject::connect(vue, &TVuePartition::BarreEtatChangee, &fenetre,
                     [&fenetre](const rBarreEtat &e) {
                         fenetre.statusBar()->showMessage(
                             QString::fromStdString(e.NumMesure + "    " + e.Duree));
                     });
    fenetre.resize(1400, 800);
    fenetre.show();
    const int code = app.exec();
    EnregistrerConfig();
    return code;
}
