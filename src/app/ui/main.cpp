// Entry point: the editor window, or a headless verb when the first word starts with "--".
#include <QApplication>
#include <QMainWindow>

#include <iostream>
#include <string>
#include <vector>

#include "app/uLigneCommande.h"
#include "config/uConfig.h"
#include "config/ui/DlgWelcome.h"

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
    QMainWindow fenetre;
    fenetre.setWindowTitle(QStringLiteral("Plectorium"));
    fenetre.resize(1200, 800);
    fenetre.show();
    const int code = app.exec();
    EnregistrerConfig();
    return code;
}
