#include "tools/ui/DlgTransposition.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/ui/uAppliquerTextesUI.h"
#include "config/uTextesFenetres.h"
#include "tools/uTransposition.h"
#include "tools/ui/uAideOutils.h"

TFTransposition::TFTransposition(QWidget *parent) : QDialog(parent)
{
    setObjectName("TFTransposition");
    setWindowTitle("Transposer");
    auto *ligne = new QHBoxLayout;
    auto *transpo = new QLabel("Transpose by:", this);
    transpo->setObjectName("Lab_Transpo");
    Valeur = new QComboBox(this);
    Valeur->setObjectName("Valeur");
    for (int v = TranspositionMax; v >= -TranspositionMax; --v)
        Valeur->addItem(v > 0 ? QString("+%1").arg(v) : QString::number(v));
    Valeur->setCurrentIndex(TranspositionMax); // "0"
    auto *demiton = new QLabel("semitones", this);
    demiton->setObjectName("Lab_demiton");
    transpo->setBuddy(Valeur);
    ligne->addWidget(transpo);
    ligne->addWidget(Valeur);
    ligne->addWidget(demiton);
    ligne->addStretch();
    auto *v = new QVBoxLayout(this);
    v->addLayout(ligne);
    v->addWidget(BoutonsOutil(this, "cmd-tools"));
    AppliquerTextesFenetre(this, PositionsDialogueOutil({"DLG_ASS_TR_000"}), true);
}

int TFTransposition::Demitons() const { return Valeur->currentText().toInt(); }
