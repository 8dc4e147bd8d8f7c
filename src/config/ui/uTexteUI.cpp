#include "config/ui/uTexteUI.h"

#include <clocale>

#include "model/uCodage.h"

QString VersQt(const std::string &texteModele)
{
    return QString::fromStdString(Win1252VersUtf8(texteModele));
}

std::string DepuisQt(const QString &texte) { return Utf8VersWin1252(texte.toStdString()); }

void GarderFormatsNumeriques() { std::setlocale(LC_NUMERIC, "C"); }
