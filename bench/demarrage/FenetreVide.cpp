// The floor of the start-up benchmark: an empty main window, shown the same way.
#include <QApplication>
#include <QMainWindow>

#include "app/ui/uMesureDemarrage.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow fenetre;
    fenetre.resize(1280, 800);
    MesurerDemarrage(&fenetre);
    fenetre.show();
    return app.exec();
}
