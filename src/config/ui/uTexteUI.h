// Model texts (Windows-1252 bytes) to and from Qt strings, at the edge of the interface.
#pragma once

#include <QString>
#include <string>

QString VersQt(const std::string &texteModele);
std::string DepuisQt(const QString &texte);
