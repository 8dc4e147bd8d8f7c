#include "tools/ui/DlgAttenteJauge.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "config/ui/uTexteUI.h"
#include "tools/uDoigte.h"

namespace {
constexpr int DelaiAvantAffichage = 250; // ms
}

TFAttenteJauge::TFAttenteJauge(QWidget *parent, const std::string &texte)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName("TFAttenteJauge");
    setWindowTitle("Importation MIDI");
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto *cadre = new QVBoxLayout(this);
    LabelEtat = new QLabel(VersQt(texte), this);
    LabelEtat->setObjectName("Etat");
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setRange(0, EtapesProgression);
    ProgressBar1->setValue(0);
    cadre->addWidget(LabelEtat);
    cadre->addWidget(ProgressBar1);
    setStyleSheet("TFAttenteJauge { border: 1px solid palette(dark); }");
    resize(320, 64);
    if (parent) {
        const QRect r = parent->window()->geometry();
        move(r.center() - rect().center());
    }
    Chrono.start();
}

void TFAttenteJauge::Avancer(int etape)
{
    ProgressBar1->setValue(etape);
    if (!isVisible() && Chrono.elapsed() >= DelaiAvantAffichage)
        show();
    if (isVisible())
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
