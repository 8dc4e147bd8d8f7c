// Model texts (Windows-1252 bytes) to and from Qt strings, at the edge of the interface.
#pragma once

#include <QString>
#include <string>

QString VersQt(const std::string &texteModele);
std::string DepuisQt(const QString &texte);

// The toolkit takes the user's locale for the C library at start; the program's own number
// formats and parsers expect a decimal point, so LC_NUMERIC goes back to "C". Call once the
// application object exists.
void GarderFormatsNumeriques();

// A menu caption as plain text: accelerator marks go, a doubled "&&" reads as one "&".
QString SansAccelerateur(const QString &legende);
