#include "app/ui/DlgAide.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "config/uEmplacements.h"

TFAide::TFAide(QWidget *parent) : QDialog(parent), Texte(new QTextBrowser(this))
{
    setObjectName("TFAide");
    setWindowTitle("Plectorium Help");
    Texte->setObjectName("Navigateur");
    Texte->setOpenExternalLinks(false);
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(Texte);
    resize(760, 640);
}

TFAide *TFAide::Montrer(QWidget *parent, const std::string &fichierAide)
{
    auto *f = parent->findChild<TFAide *>("TFAide");
    if (!f)
        f = new TFAide(parent);
    QString chemin = QString::fromUtf8(fichierAide.c_str());
    if (chemin.endsWith(".hlp"))
        chemin.chop(4);
    chemin += ".html";
    if (!QFileInfo::exists(chemin)) {
        // The name alone, in the data folders; English when the language has none.
        const std::string nom = QFileInfo(chemin).fileName().toStdString();
        std::string trouve = TrouverFichierDonnees(nom);
        if (trouve.empty())
            trouve = TrouverFichierDonnees("PL_en.html");
        chemin = QString::fromUtf8(trouve.c_str());
    }
    if (!chemin.isEmpty())
        f->Navigateur()->setSource(QUrl::fromLocalFile(chemin));
    f->show();
    f->raise();
    return f;
}
