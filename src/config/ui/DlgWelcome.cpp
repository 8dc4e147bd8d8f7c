// First-start language window.
#include "config/ui/DlgWelcome.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/ui/uTexteUI.h"
#include "config/uPatch.h"
#include "config/ui/DlgMyMsg.h"

namespace {
const char *const Quatre[4] = {"English", "Fran\347ais", "Deutsch", "Espa\xF1ol"};
}

TFWelcome::TFWelcome(const std::vector<std::string> &langues, QWidget *parent)
    : QDialog(parent), Langues(langues)
{
    setObjectName(QStringLiteral("FWelcome"));
    setWindowTitle(QStringLiteral("Plectorium 3.0"));
    auto *l = new QVBoxLayout(this);
    auto *titre = new QLabel(QStringLiteral("Welcome to Plectorium - Choose your language"), this);
    l->addWidget(titre);
    auto *grille = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        Boutons[i] = new QPushButton(VersQt(Quatre[i]), this);
        Boutons[i]->setObjectName(QStringLiteral("BT_Langue%1").arg(i + 1));
        Boutons[i]->setEnabled(!CheminPatch(Quatre[i]).empty());
        Boutons[i]->setAutoDefault(false);
        const std::string langue = Quatre[i];
        connect(Boutons[i], &QPushButton::clicked, this, [this, langue] {
            Choisie = langue;
            accept();
        });
        grille->addWidget(Boutons[i], i / 2, i % 2);
    }
    l->addLayout(grille);
    l->addWidget(new QLabel(QStringLiteral("Other languages available :"), this));
    AutresLangues = new QListWidget(this);
    AutresLangues->setObjectName(QStringLiteral("LB_Langues"));
    for (const auto &n : Langues) {
        bool deBase = false;
        for (const char *q : Quatre)
            deBase = deBase || n == q;
        if (!deBase)
            AutresLangues->addItem(VersQt(n));
    }
    l->addWidget(AutresLangues);
    OK = new QPushButton(QStringLiteral("OK"), this);
    OK->setObjectName(QStringLiteral("OK"));
    OK->setEnabled(false);
    l->addWidget(OK, 0, Qt::AlignRight);
    connect(AutresLangues, &QListWidget::currentRowChanged, this,
            [this](int r) { OK->setEnabled(r >= 0); });
    connect(AutresLangues, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
    connect(OK, &QPushButton::clicked, this, [this] { accept(); });
}

std::string TFWelcome::Choix() const
{
    if (!Choisie.empty())
        return Choisie;
    if (const QListWidgetItem *i = AutresLangues->currentItem())
        return DepuisQt(i->text());
    return Langues.empty() ? std::string() : Langues.front();
}

void cDialoguesConfigQt::MessageAucunPatch(const std::string &texte)
{
    MyMsg("Error", texte, MsgErreur, DefOK, BtOK);
}

std::string cDialoguesConfigQt::ChoisirLangue(const std::vector<std::string> &langues)
{
    TFWelcome f(langues);
    f.exec();
    return f.Choix();
}
