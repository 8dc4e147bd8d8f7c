#include "model/uCodage.h"

#include <charconv>

namespace {
// 0x80..0x9F; the five bytes the code page leaves undefined map to the C1 controls, as the
// platform's own conversion does, so they survive a round trip.
constexpr char32_t Haut[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AjouterUtf8(std::string &out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}
} // namespace

char32_t Win1252VersCodePoint(unsigned char c)
{
    return (c >= 0x80 && c < 0xA0) ? Haut[c - 0x80] : c;
}

int CodePointVersWin1252(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i)
        if (Haut[i] == cp)
            return 0x80 + i;
    return -1;
}

std::string Win1252VersUtf8(std::string_view texte)
{
    std::string out;
    out.reserve(texte.size());
    for (unsigned char c : texte)
        AjouterUtf8(out, Win1252VersCodePoint(c));
    return out;
}

std::string Utf8VersWin1252(std::string_view texte)
{
    std::string out;
    out.reserve(texte.size());
    std::size_t i = 0;
    const std::size_t n = texte.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(texte[i]);
        char32_t cp = 0;
        std::size_t len = 0;
        if (c < 0x80) {
            cp = c;
            len = 1;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F;
            len = 2;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F;
            len = 3;
        } else if ((c & 0xF8) == 0xF0) {
            cp = c & 0x07;
            len = 4;
        }
        bool valide = len > 0 && i + len <= n;
        for (std::size_t k = 1; valide && k < len; ++k) {
            const auto s = static_cast<unsigned char>(texte[i + k]);
            if ((s & 0xC0) != 0x80)
                valide = false;
            else
                cp = (cp << 6) | (s & 0x3F);
        }
        // Overlong forms and surrogates are malformed too.
        if (valide && ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) ||
                       (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
                       (cp >= 0xD800 && cp <= 0xDFFF)))
            valide = false;
        if (!valide) {
            out += '?';
            ++i; // resynchronise on the next byte
            continue;
        }
        const int b = CodePointVersWin1252(cp);
        out += b < 0 ? '?' : static_cast<char>(b);
        i += len;
    }
    return out;
}

std::string FormaterDecimal(double v, int decimales)
{
    char tampon[64];
    const auto r = std::to_chars(tampon, tampon + sizeof tampon, v, std::chars_format::fixed,
                                 decimales);
    return r.ec == std::errc() ? std::string(tampon, r.ptr) : std::string("?");
}
