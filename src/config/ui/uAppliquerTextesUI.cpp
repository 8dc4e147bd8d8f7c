// Patch texts onto widgets.
#include "config/ui/uAppliquerTextesUI.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>

#include "config/ui/uTexteUI.h"

int AppliquerTextesFenetre(QWidget *fenetre, const std::vector<rPositionTexte> &positions,
                           bool dialogue)
{
    if (!fenetre)
        return 0;
    return AppliquerTextes(
        PatchCourant(), positions, dialogue, [fenetre](const rPositionTexte &p, const std::string &t) {
            const QString texte = VersQt(t);
            const QString nom = QString::fromLatin1(p.Nom);
            if (nom.isEmpty() || nom == QLatin1String("Caption")) {
                fenetre->setWindowTitle(texte);
                return;
            }
            if (auto *a = fenetre->findChild<QAction *>(nom)) {
                if (p.Genre == eGenreTexte::Bulle) {
                    a->setToolTip(texte);
                    a->setStatusTip(texte);
                } else {
                    a->setText(texte);
                }
                return;
            }
            QWidget *w = fenetre->findChild<QWidget *>(nom);
            if (!w)
                return;
            if (p.Genre == eGenreTexte::Bulle) {
                w->setToolTip(texte);
                w->setStatusTip(texte);
            } else if (auto *b = qobject_cast<QAbstractButton *>(w)) {
                b->setText(texte);
            } else if (auto *l = qobject_cast<QLabel *>(w)) {
                l->setText(texte);
            } else if (auto *g = qobject_cast<QGroupBox *>(w)) {
                g->setTitle(texte);
            } else if (auto *m = qobject_cast<QMenu *>(w)) {
                m->setTitle(texte);
            }
        });
}
