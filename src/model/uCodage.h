// Model texts are Windows-1252 bytes; the UI and text files speak UTF-8.
#pragma once

#include <string>
#include <string_view>

// Windows-1252 bytes to UTF-8.
std::string Win1252VersUtf8(std::string_view texte);
// UTF-8 to Windows-1252; characters the code page lacks and malformed sequences become '?'.
std::string Utf8VersWin1252(std::string_view texte);
// One code point to its Windows-1252 byte, or -1.
int CodePointVersWin1252(char32_t cp);
char32_t Win1252VersCodePoint(unsigned char c);

// A number in the program's own fixed format ("4.000"): always a point, whatever the locale.
std::string FormaterDecimal(double v, int decimales);
