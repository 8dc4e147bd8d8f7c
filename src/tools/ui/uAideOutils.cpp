#include "tools/ui/uAideOutils.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>

#include "app/ui/DlgAide.h"
#include "config/uTextesFenetres.h"

QDialogButtonBox *BoutonsOutil(QDialog *dialogue, const char *ancre)
{
    auto *b = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialogue);
    b->button(QDialogButtonBox::Ok)->setObjectName("BT_OK");
    b->button(QDialogButtonBox::Cancel)->setObjectName("BT_Annuler");
    QPushButton *aide = b->addButton("?", QDialogButtonBox::HelpRole);
    aide->setObjectName("BT_Aide");
    aide->setAutoDefault(false);
    QObject::connect(b, &QDialogButtonBox::accepted, dialogue, &QDialog::accept);
    QObject::connect(b, &QDialogButtonBox::rejected, dialogue, &QDialog::reject);
    const QString cible = QString::fromLatin1(ancre);
    // The help belongs to the dialog: a modal dialog leaves only its own windows usable.
    QObject::connect(aide, &QPushButton::clicked, dialogue, [dialogue, cible] {
        if (TFAide *a = TFAide::Montrer(dialogue, FichierAideCourant()))
            a->Navigateur()->scrollToAnchor(cible);
    });
    return b;
}

std::vector<rPositionTexte> PositionsDialogueOutil(const std::vector<std::string> &sections)
{
    std::vector<rPositionTexte> p = {
        {"DLG_000", 1, "BT_OK", eGenreTexte::Legende},
        {"DLG_000", 2, "BT_Annuler", eGenreTexte::Legende},
        {"DLG_000", 5, "BT_Aide", eGenreTexte::Bulle},
    };
    for (const auto &s : sections)
        for (const auto &x : PositionsSection(s))
            p.push_back(x);
    return p;
}
