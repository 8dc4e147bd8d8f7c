#include "app/ui/DlgTexte.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/ui/uDialogues.h"
#include "config/ui/uAppliquerTextesUI.h"
#include "config/ui/uTexteUI.h"
#include "config/uTextesFenetres.h"
#include "model/uConstantes.h"

TFTexteAccord::TFTexteAccord(const std::string &texte, QWidget *parent) : QDialog(parent)
{
    setObjectName("TFTexteAccord");
    setWindowTitle("Text");
    Champ = new QLineEdit(VersQt(texte), this);
    Champ->setObjectName("Edit_Texte");
    Champ->setMaxLength(CapTexte);
    auto *l = new QLabel("Text on the beat", this);
    l->setObjectName("LB_Texte");
    l->setBuddy(Champ);
    auto *v = new QVBoxLayout(this);
    v->addWidget(l);
    v->addWidget(Champ);
    v->addWidget(BoutonsDialogue(this));
    AppliquerTextesFenetre(this, PositionsDialogue({"DLG_TXT_000"}), true);
    resize(360, sizeHint().height());
    Champ->selectAll();
}

void TFTexteAccord::accept()
{
    Texte = Couper(DepuisQt(Champ->text()), CapTexte);
    QDialog::accept();
}
