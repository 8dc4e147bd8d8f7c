// Entry point: the editor window, or a headless verb when the first word starts with "--".
#include <QApplication>
#include <QMainWindow>

#include <iostream>
#include <string>
#include <vector>

#include "app/uLigneCommande.h"

int main(int argc, char **argv)
{
    if (argc > 1 && std::string(argv[1]).rfind("--", 0) == 0) {
        std::vector<std::string> args(argv + 1, argv + argc);
        return ExecuterLigneCommande(args, std::cout, std::cerr);
    }
    QApplication app(argc, argv);
    QMainWindow fenetre;
    fenetre.setWindowTitle(QStringLiteral("Plectorium"));
    fenetre.resize(1200, 800);
    fenetre.show();
    return app.exec();
}
