#include "strings/itemlist.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using unctora::strings::parseItemList;

TEST(ItemList, Parsing) {
    struct Case {
        std::string text;
        std::vector<std::string> items;
    };
    const std::vector<Case> cases = {
        {"Low,Moderate,High,Very High", {"Low", "Moderate", "High", "Very", "High"}},
        {"Low,Moderate,High,\"Very High\"", {"Low", "Moderate", "High", "Very High"}},
        {"", {}},
        {"  \t\r\n", {}},
        {"a", {"a"}},
        {"  a ,  b", {"a", "b"}},
        {"\t\x01" "a,\x1F" "b", {"a", "b"}},
        {"a,", {"a", ""}},
        {"a, ", {"a"}},            // the comma is not the last character
        {",", {"", ""}},
        {"a,,b", {"a", "", "b"}},
        {"a\t,b", {"a", "", "b"}},  // only blanks are skipped before the comma
        {"a b,c", {"a", "b", "c"}},
        {"\"a \"\"q\"\" b\",c", {"a \"q\" b", "c"}},
        {"\"\"", {""}},
        {"\"\",x", {"", "x"}},
        {"\"unclosed, to the end", {"unclosed, to the end"}},
        {"\"ends in a doubled quote\"\"", {"ends in a doubled quote\""}},
        {"\"ab\"cd,e", {"ab", "cd", "e"}},
        {"Nein,Ja", {"Nein", "Ja"}},
        {"\xE4\xBD\x8E,\xE4\xB8\xAD,\"\xE9\xAB\x98 \xE9\xAB\x98\"", {"\xE4\xBD\x8E", "\xE4\xB8\xAD", "\xE9\xAB\x98 \xE9\xAB\x98"}},
        {std::string("a\0b,c", 5), {"a", "b", "c"}}, // NUL is a control character
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseItemList(c.text), c.items);
    }
}

TEST(BreakAtNewline, FirstPairOnly) {
    using unctora::strings::BreakAtNewline;
    EXPECT_EQ(BreakAtNewline("t-relub -\\nRelub Interval"), "t-relub -\rRelub Interval");
    EXPECT_EQ(BreakAtNewline("Qf - Feed rate"), "Qf - Feed rate\r");
    EXPECT_EQ(BreakAtNewline("a\\nb\\nc"), "a\rb\\nc");
    EXPECT_EQ(BreakAtNewline(""), "\r");
    EXPECT_EQ(BreakAtNewline("\\n"), "\r");
}
