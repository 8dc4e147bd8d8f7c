// Entry point: the editor window, or a headless verb when the first word starts with "--".
#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>

#include <iostream>
#include <string>
#include <vector>

#include "app/uDemo.h"
#include "app/uLigneCommande.h"
#include "display/ui/uVuePartition.h"

int main(int argc, char **argv)
{
    if (argc > 1 && std::string(argv[1]).rfind("--", 0) == 0) {
        std::vector<std::string> args(argv + 1, argv + argc);
        return ExecuterLigneCommande(args, std::cout, std::cerr);
    }
    QApplication app(argc, argv);
    cPartition partition;
    ConstruireDemo(partition);
    TParamEcran param;
    QMainWindow fenetre;
    fenetre.setWindowTitle(QStringLiteral("Plectorium"));
    auto *vue = new TVuePartition(&partition, &param, &fenetre);
    fenetre.setCentralWidget(vue);
    QObject::connect(vue, &TVuePartition::BarreEtatChangee, &fenetre,
                     [&fenetre](const rBarreEtat &e) {
                         fenetre.statusBar()->showMessage(QString::fromStdString(
                             e.NumMesure + "    " + e.Duree));
                     });
    fenetre.resize(1400, 800);
    fenetre.show();
    return app.exec();
}
