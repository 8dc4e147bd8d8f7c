// Windows-1252 <-> UTF-8 for model texts.
#include <gtest/gtest.h>

#include "model/uCodage.h"

TEST(Codage, RoundTripOfEveryByte)
{
    std::string tout;
    for (int c = 1; c < 256; ++c)
        tout += static_cast<char>(c);
    EXPECT_EQ(Utf8VersWin1252(Win1252VersUtf8(tout)), tout);
}

TEST(Codage, KnownCharacters)
{
    EXPECT_EQ(Win1252VersUtf8("R\xe9pertoire"), "R\xc3\xa9pertoire");
    EXPECT_EQ(Win1252VersUtf8("\x80"), "\xe2\x82\xac");           // euro sign
    EXPECT_EQ(Utf8VersWin1252("\xe2\x80\x94"), "\x97");           // em dash
    EXPECT_EQ(Utf8VersWin1252("\xe2\x80\x99"), "\x92");           // right single quote
    EXPECT_EQ(Utf8VersWin1252("Fran\xc3\xa7" "ais"), "Fran\xe7" "ais");
}

TEST(Codage, OutsideTheCodePageOrMalformedBecomesQuestionMark)
{
    const struct {
        const char *utf8;
        const char *attendu;
    } cas[] = {
        {"\xe2\x99\xaf", "?"},              // sharp sign, not in the code page
        {"a\xf0\x9f\x8e\xb8z", "a?z"},      // guitar emoji
        {"\xff", "?"},                      // stray byte
        {"\xc3", "?"},                      // truncated sequence
        {"\xc0\xaf", "??"},                 // overlong slash
        {"\xed\xa0\x80", "???"},            // surrogate
        {"x\xe2\x82", "x??"},               // truncated at the end
    };
    for (const auto &c : cas)
        EXPECT_EQ(Utf8VersWin1252(c.utf8), c.attendu) << c.utf8;
}
