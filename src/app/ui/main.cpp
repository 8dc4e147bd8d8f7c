// Entry point: the editor window, or a headless verb when the first word starts with "--".
#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>

#include <iostream>
#include <string>
#include <vector>

#include "app/uDemo.h"
#include "app/uLigneCommande.h"
#include "config/uConfig.h"
#include "config/uPatch.h"
#include "config/ui/DlgWelcome.h"
#include "display/ui/uVuePartition.h"

int main(int argc, char **argv)
{
    if (argc > 1 && std::string(argv[1]).rfind("--", 0) == 0) {
        std::vector<std::string> args(argv + 1, argv + argc);
        return ExecuterLigneCommande(args, std::cout, std::cerr);
    }
    QApplication app(argc, argv);
    // Settings and language come first; without any language patch there is no main window.
    cDialoguesConfigQt dialogues;
    if (!ChargerConfig(&dialogues))
        return 1;
    cPartition partition;
    ConstruireDemo(partition);
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
