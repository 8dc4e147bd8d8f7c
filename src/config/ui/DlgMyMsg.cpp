// The message box: icon, word-wrapped text and up to four buttons, sized to its text.
#include "config/ui/DlgMyMsg.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <cmath>
#include <vector>

#include "config/ui/uTexteUI.h"
#include "config/uPatch.h"
#include "config/uTextesFenetres.h"

namespace {
QString TexteAffiche(const std::string &t)
{
    QString s = VersQt(t);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}
} // namespace

TFMyMsg::TFMyMsg(const std::string &legende, const std::string &texte, int genre, int defaut,
                 int boutons, QWidget *parent)
    : QDialog(parent), GenreMsg(genre)
{
    setObjectName(QStringLiteral("FMyMsg"));
    setWindowTitle(TexteAffiche(legende));
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    Label = new QLabel(this);
    Label->setObjectName(QStringLiteral("Label"));
    Label->setTextFormat(Qt::PlainText);
    Label->setWordWrap(true);
    Label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label->setText(TexteAffiche(texte));

    QStyle::StandardPixmap icone = QStyle::SP_MessageBoxWarning;
    switch (genre) {
    case MsgErreur: icone = QStyle::SP_MessageBoxCritical; break;
    case MsgInformation: icone = QStyle::SP_MessageBoxInformation; break;
    case MsgConfirmation: icone = QStyle::SP_MessageBoxQuestion; break;
    default: break;
    }
    Image = new QLabel(this);
    Image->setObjectName(QStringLiteral("Image"));

    const auto bouton = [this](const char *nom, const char *texte, int code) {
        auto *b = new QPushButton(QString::fromLatin1(texte), this);
        b->setObjectName(QString::fromLatin1(nom));
        connect(b, &QPushButton::clicked, this, [this, code] { done(code); });
        return b;
    };
    OK = bouton("OK", "OK", ResOK);
    Oui = bouton("Yes", "Yes", ResOui);
    Non = bouton("No", "No", ResNon);
    Annuler = bouton("Cancel", "Cancel", ResAnnuler);

    // Captions from the shared dialog section; without it the built-in ones stay.
    AppliquerTextes(PatchCourant(), PositionsSection("DLG_000"), true,
                    [this](const rPositionTexte &p, const std::string &t) {
                        QPushButton *cible = nullptr;
                        switch (p.Ligne) {
                        case 1: cible = OK; break;
                        case 2: cible = Annuler; break;
                        case 3: cible = Oui; break;
                        case 4: cible = Non; break;
                        default: break;
                        }
                        if (cible)
                            cible->setText(VersQt(t));
                    });

    // A box without any button could never be closed: it gets OK.
    if ((boutons & (BtOui | BtNon | BtOK | BtAnnuler)) == 0)
        boutons = BtOK;
    OK->setVisible(boutons & BtOK);
    Oui->setVisible(boutons & BtOui);
    Non->setVisible(boutons & BtNon);
    Annuler->setVisible(boutons & BtAnnuler);

    const double e = logicalDpiY() > 0 ? logicalDpiY() / 96.0 : 1.0;
    const int taille = static_cast<int>(std::lround(32 * e));
    Image->setPixmap(style()->standardIcon(icone, nullptr, this).pixmap(taille, taille));
    Image->resize(taille, taille);

    Disposer(boutons);

    QPushButton *parDefaut = nullptr;
    switch (defaut) {
    case DefOui: parDefaut = Oui; break;
    case DefNon: parDefaut = Non; break;
    case DefOK: parDefaut = OK; break;
    case DefAnnuler: parDefaut = Annuler; break;
    default: break;
    }
    if (!parDefaut || parDefaut->isHidden())
        for (QPushButton *b : {OK, Oui, Non, Annuler})
            if (!b->isHidden()) {
                parDefaut = b;
                break;
            }
    for (QPushButton *b : {OK, Oui, Non, Annuler})
        b->setAutoDefault(false);
    parDefaut->setDefault(true);
    parDefaut->setFocus(Qt::OtherFocusReason);
}

void TFMyMsg::Disposer(int boutons)
{
    const double e = logicalDpiY() > 0 ? logicalDpiY() / 96.0 : 1.0;
    const auto px = [e](double v) { return static_cast<int>(std::lround(v * e)); };

    // The label starts in a 425 x 177 box and shrinks or grows to its wrapped text.
    const QFontMetrics fm(Label->font());
    const QRect r = fm.boundingRect(QRect(0, 0, px(425), 100000),
                                    Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
                                    Label->text());
    const int lw = std::max(1, std::min(r.width(), px(425)));
    const int lh = std::max(fm.height(), r.height());
    Label->setGeometry(px(64), px(16), lw, lh);
    int largeur = px(64) + lw + px(16);

    Image->move(px(16), Label->y() + (lh - Image->height()) / 2);

    std::vector<QPushButton *> rang;
    if (boutons & BtOK)
        rang.push_back(OK);
    if (boutons & BtOui)
        rang.push_back(Oui);
    if (boutons & BtNon)
        rang.push_back(Non);
    if (boutons & BtAnnuler)
        rang.push_back(Annuler);
    const int bl = px(75), bh = px(25), ecart = px(10);
    int bw = bl;
    for (QPushButton *b : rang)
        bw = std::max(bw, b->sizeHint().width());
    const int n = static_cast<int>(rang.size());
    const int rangee = n * bw + (n - 1) * ecart;
    if (rangee + px(28) > largeur)
        largeur = rangee + px(28);
    const int haut = Label->y() + lh + px(25);
    int x = (largeur - rangee) / 2;
    for (QPushButton *b : rang) {
        b->setGeometry(x, haut, bw, bh);
        x += bw + ecart;
    }
    const int hauteur = haut + bh + px(12);
    setFixedSize(largeur, hauteur);

    // Arranged before it is shown, then centred on the screen.
    if (QScreen *ecran = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen()) {
        const QRect g = ecran->availableGeometry();
        move(g.x() + (g.width() - largeur) / 2, g.y() + (g.height() - hauteur) / 2);
    }
}

void TFMyMsg::reject()
{
    if (!Annuler->isHidden())
        done(ResAnnuler);
    else if (!Non->isHidden())
        done(ResNon);
    else if (!OK->isHidden() && Oui->isHidden())
        done(ResOK);
}

int MyMsg(const std::string &legende, const std::string &texte, int genre, int defaut,
          int boutons)
{
    TFMyMsg f(legende, texte, genre, defaut, boutons, QApplication::activeWindow());
    return f.exec();
}

int MyMsgCle(const std::string &cleLegende, const std::string &cleTexte, int genre, int defaut,
             int boutons, const std::string &p1, const std::string &p2)
{
    std::string texte = Traduction(cleTexte);
    // Only markers the text has are filled: a message without them is shown as it stands.
    if (texte.find("#2") != std::string::npos)
        texte = RemplacerParam(texte, p1, p2);
    else if (texte.find("#1") != std::string::npos)
        texte = RemplacerParam(texte, p1);
    return MyMsg(Traduction(cleLegende), texte, genre, defaut, boutons);
}

void ErreurSaisie(QWidget *champ)
{
    MyMsg(Traduction("Dlg-Erreur"), Traduction("Dlg-SaisieIncorrecte"), MsgErreur, DefOK, BtOK);
    if (!champ)
        return;
    champ->setFocus(Qt::OtherFocusReason);
    if (auto *l = qobject_cast<QLineEdit *>(champ))
        l->selectAll();
    else if (auto *s = qobject_cast<QAbstractSpinBox *>(champ))
        s->selectAll();
}
