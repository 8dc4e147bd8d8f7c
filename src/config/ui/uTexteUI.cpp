#include "config/ui/uTexteUI.h"

#include <clocale>

#include "model/uCodage.h"

QString VersQt(const std::string &texteModele)
{
    return QString::fromStdString(Win1252VersUtf8(texteModele));
}

std::string DepuisQt(const QString &texte) { return Utf8VersWin1252(texte.toStdString()); }

void GarderFormatsNumeriques() { std::setlocale(LC_NUMERIC, "C"); }

QString SansAccelerateur(const QString &legende)
{
    QString t;
    t.reserve(legende.size());
    for (qsizetype i = 0; i < legende.size(); ++i) {
        if (legende[i] == u'&' && (i + 1 == legende.size() || legende[i + 1] != u'&'))
            continue;
        t += legende[i];
    }
    return t;
}
