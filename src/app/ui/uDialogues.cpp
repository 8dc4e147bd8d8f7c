#include "app/ui/uDialogues.h"

#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "config/uPatch.h"
#include "config/ui/uTexteUI.h"

QDialogButtonBox *BoutonsDialogue(QDialog *d, bool annuler)
{
    auto *b = new QDialogButtonBox(annuler ? QDialogButtonBox::Ok | QDialogButtonBox::Cancel
                                           : QDialogButtonBox::Ok,
                                   d);
    b->button(QDialogButtonBox::Ok)->setObjectName("OK");
    if (annuler)
        b->button(QDialogButtonBox::Cancel)->setObjectName("Cancel");
    QObject::connect(b, &QDialogButtonBox::accepted, d, &QDialog::accept);
    QObject::connect(b, &QDialogButtonBox::rejected, d, &QDialog::reject);
    return b;
}

QString TexteSection(const char *section, int ligne, const char *defaut)
{
    const std::string t = TexteEntreGuillemets(section, ligne);
    return t.empty() ? QString::fromLatin1(defaut) : VersQt(t);
}

QLineEdit *ChampNombre(QWidget *parent, int longueur, int valeur)
{
    auto *e = new QLineEdit(QString::number(valeur), parent);
    e->setMaxLength(longueur);
    e->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QString("\\d{0,%1}").arg(longueur)), e));
    return e;
}

bool LireNombre(const QLineEdit *e, int &v)
{
    bool ok = false;
    v = e->text().trimmed().toInt(&ok);
    return ok;
}

QColor VersCouleurQt(int couleur)
{
    return QColor(couleur & 0xFF, (couleur >> 8) & 0xFF, (couleur >> 16) & 0xFF);
}

int DepuisCouleurQt(const QColor &c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

void PeindreBoutonCouleur(QPushButton *b, int couleur)
{
    QPixmap m(40, 14);
    m.fill(VersCouleurQt(couleur));
    b->setIcon(QIcon(m));
    b->setIconSize(m.size());
}

FnChoisirCouleur &ChoixCouleur()
{
    static FnChoisirCouleur f = [](const QColor &depart, QWidget *parent) {
        return QColorDialog::getColor(depart, parent);
    };
    return f;
}
