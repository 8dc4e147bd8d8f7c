// The help pages shipped in data/: readable UTF-8, the same section anchors in every language,
// working internal links, and every menu shortcut named so users can look a key up.
#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

std::string Lire(const std::string &nom)
{
    std::ifstream f(std::string(PLEC_DATA_DIR) + "/" + nom, std::ios::binary);
    if (!f)
        return {};
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF. Returns the offset of
// the first bad byte, or npos.
std::size_t PremierOctetInvalide(const std::string &s)
{
    const auto *p = reinterpret_cast<const unsigned char *>(s.data());
    const std::size_t n = s.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        std::size_t suite;
        unsigned min;
        unsigned cp;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            suite = 1, min = 0x80, cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            suite = 2, min = 0x800, cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            suite = 3, min = 0x10000, cp = c & 0x07;
        } else {
            return i;
        }
        if (i + suite >= n)
            return i;
        for (std::size_t k = 1; k <= suite; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return i;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return i;
        i += suite + 1;
    }
    return std::string::npos;
}

std::set<std::string> Captures(const std::string &texte, const std::regex &motif)
{
    std::set<std::string> r;
    for (std::sregex_iterator it(texte.begin(), texte.end(), motif), fin; it != fin; ++it)
        r.insert((*it)[1].str());
    return r;
}

// Every shortcut of the command table, as the menus write them.
const std::vector<std::string> &Raccourcis()
{
    static const std::vector<std::string> r = {
        "Ctrl+N", "Ctrl+O", "Ctrl+S", "F5", "Ctrl+P", "Ctrl+B",
        "Ctrl+Z", "Ctrl+Shift+Z", "Ctrl+X", "Ctrl+C", "Ctrl+V", "F10", "Ctrl+Ins",
        "Ctrl+Shift+Left", "Ctrl+Left", "Ctrl+Right", "Ctrl+Shift+Right",
        "Ins", "Ctrl+Del", "C", "Ctrl+L", "Shift+Up", "Shift+Down",
        "R", "L",
        "B", "H", "S", "I", "V", "F", "G", "Ctrl+D", "Ctrl+U", "X", "T", "A",
        "Shift+Ins", "Shift+Left", "Shift+Right",
        "F6", "Ctrl+Shift+Ins", "Ctrl+Shift+Del",
        "Ctrl+Shift+Up", "Ctrl+Up", "Ctrl+Down", "Ctrl+Shift+Down",
        "F11", "F12", "F8", "F9", "F7", "F1",
    };
    return r;
}

const char *const SectionsPrincipales[] = {"getting-started", "keyboard", "commands"};

class Aide : public ::testing::TestWithParam<const char *> {};

TEST_P(Aide, FichierLisibleEnUtf8)
{
    const std::string page = Lire(GetParam());
    ASSERT_FALSE(page.empty()) << GetParam() << " missing or empty in " << PLEC_DATA_DIR;
    EXPECT_EQ(PremierOctetInvalide(page), std::string::npos) << "invalid UTF-8";
    EXPECT_NE(page.find("charset=utf-8"), std::string::npos) << "the page must declare UTF-8";
    // The help window shows one self-contained page.
    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_EQ(page.find("<img"), std::string::npos);
    EXPECT_EQ(page.find("http://"), std::string::npos);
    EXPECT_EQ(page.find("https://"), std::string::npos);
}

TEST_P(Aide, SectionsEtSommaire)
{
    const std::string page = Lire(GetParam());
    ASSERT_FALSE(page.empty());
    const auto noms = Captures(page, std::regex(R"re(<a name="([^"]+)")re"));
    const auto liens = Captures(page, std::regex(R"re(href="#([^"]+)")re"));
    for (const char *s : SectionsPrincipales) {
        EXPECT_TRUE(noms.count(s)) << "section anchor " << s;
        EXPECT_TRUE(liens.count(s)) << "table of contents entry for " << s;
    }
    for (const auto &l : liens)
        EXPECT_TRUE(noms.count(l)) << "link to a missing anchor #" << l;
}

TEST_P(Aide, TousLesRaccourcisCites)
{
    const std::string page = Lire(GetParam());
    ASSERT_FALSE(page.empty());
    // Written as a key, so a single letter is not found inside an ordinary word.
    for (const auto &r : Raccourcis())
        EXPECT_NE(page.find("<kbd>" + r + "</kbd>"), std::string::npos) << "shortcut " << r;
}

INSTANTIATE_TEST_SUITE_P(Langues, Aide,
                         ::testing::Values("PL_en.html", "PL_fr.html", "PL_de.html"),
                         [](const ::testing::TestParamInfo<const char *> &i) {
                             std::string n = i.param;
                             return n.substr(3, 2);
                         });

// The pages link to each other's sections by the same names, so switching the help language
// keeps the reader's place.
TEST(Aide, MemesAncresDansLesTroisLangues)
{
    const std::regex nom(R"re(<a name="([^"]+)")re");
    const auto en = Captures(Lire("PL_en.html"), nom);
    ASSERT_FALSE(en.empty());
    EXPECT_EQ(Captures(Lire("PL_fr.html"), nom), en);
    EXPECT_EQ(Captures(Lire("PL_de.html"), nom), en);
}

TEST(Aide, ValidateurUtf8)
{
    struct Cas {
        std::string octets;
        bool valide;
    };
    const Cas cas[] = {
        {"plain ascii", true},
        {"caf\xC3\xA9 \xE2\x80\x93 \xF0\x9F\x8E\xB8", true},
        {"\xE9t\xE9", false},        // Windows-1252, not UTF-8
        {"\xC0\xAF", false},         // overlong
        {"\xED\xA0\x80", false},     // surrogate
        {"abc\xE2\x80", false},      // cut short at the end
        {"\xF4\x90\x80\x80", false}, // above U+10FFFF
    };
    for (const auto &c : cas)
        EXPECT_EQ(PremierOctetInvalide(c.octets) == std::string::npos, c.valide) << c.octets;
}

} // namespace
