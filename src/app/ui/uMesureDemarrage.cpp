#include "app/ui/uMesureDemarrage.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

namespace {
long RssKio()
{
    std::ifstream f("/proc/self/status");
    std::string ligne;
    while (std::getline(f, ligne))
        if (ligne.rfind("VmRSS:", 0) == 0)
            return std::stol(ligne.substr(6));
    return 0;
}

class cSonde : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        auto *w = qobject_cast<QWindow *>(o);
        if (e->type() == QEvent::Expose && w && w->isExposed() && !Fait) {
            Fait = true;
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                std::chrono::system_clock::now().time_since_epoch())
                                .count();
            // After the first paint has been queued, so the window shows its content.
            QTimer::singleShot(0, [ns] {
                std::printf("%lld %ld\n", static_cast<long long>(ns), RssKio());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool Fait = false;
};
} // namespace

void MesurerDemarrage(QWidget *fenetre)
{
    if (qEnvironmentVariableIsEmpty("PLECTORIUM_MESURE_DEMARRAGE"))
        return;
    fenetre->winId(); // makes the native window, so its expose can be watched
    fenetre->windowHandle()->installEventFilter(new cSonde(fenetre));
}
