#include "reports/accessories.h"

#include "text/keys.h"
#include "strings/stringtable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>

using namespace unctora;
using reports::AccCellShade;
using reports::AccSuitability;

namespace {

const std::string kShippedFile = std::string(UNCTORA_SOURCE_DIR) + "/resources/unctora.sil";

// A small language file: the grid's captions, two descriptions (one of an accessory
// meant only for the TENO units) and texts that need escaping in HTML.
strings::StringTable fixtureTable() {
    strings::StringTable t;
    t.loadFromBytes("strAccDesig=Designation~Bezeichnung\r\n"
                    "strAccDesc=Description~Beschreibung\r\n"
                    "strSuitableVOXA=Only VOXA~Nur VOXA\r\n"
                    "strSuitableTENO=Only TENO~Nur TENO\r\n"
                    "strSuitableOilFilled=Only oil~Nur Öl\r\n"
                    "strTLMPADM6=Adapter <G 1/4> & M6~Adapter G 1/4 auf M6\r\n"
                    "strTLMPBATT=Battery pack~Batteriepack\r\n");
    return t;
}

int rowOf(std::string_view designation) { return reports::accessoryNumber(designation) + 1; }

TEST(AccessoryCatalogue, ThirtySevenDistinctAccessoriesWithTheirPicturesAndKeys) {
    const auto catalogue = reports::accessoryCatalogue();
    ASSERT_EQ(catalogue.size(), 37u);
    std::set<std::string_view> designations;
    std::set<std::string> upperKeys;
    std::set<AccSuitability> groups;
    for (int i = 0; i < reports::kAccessoryCount; ++i) {
        const reports::Accessory& a = catalogue[static_cast<std::size_t>(i)];
        SCOPED_TRACE(std::string(a.designation));
        EXPECT_TRUE(designations.insert(a.designation).second) << "designation twice";
        // The language file matches keys without regard to case.
        EXPECT_TRUE(upperKeys.insert(strings::lineKey(a.descriptionKey)).second) << "key twice";
        EXPECT_EQ(a.descriptionKey, reports::accessoryDescriptionKey(a.designation));
        // The key names a C++ constant and a line of the language file.
        EXPECT_TRUE(std::regex_match(std::string(a.descriptionKey), std::regex("str[A-Za-z0-9]+")));
        EXPECT_NE(text::keys::findKey(a.descriptionKey), nullptr) << "not in the key list";
        EXPECT_EQ(reports::accessoryDesignation(i), a.designation);
        EXPECT_EQ(reports::accessoryNumber(a.designation), i);
        EXPECT_EQ(reports::accessoryPictureNumber(i), 101 + i);
        EXPECT_EQ(reports::accessoryPictureNumberOf(a.designation), 101 + i);
        groups.insert(a.suitability);
    }
    EXPECT_EQ(groups.size(), 4u) << "every group has at least one accessory";
}

TEST(AccessoryCatalogue, UnknownNumbersAndDesignations) {
    for (int n : {-1, 37, 1000}) {
        EXPECT_EQ(reports::accessoryDesignation(n), "Unknown acc: " + std::to_string(n));
        EXPECT_EQ(reports::accessoryDescription({}, n), "Unknown acc: " + std::to_string(n));
        EXPECT_EQ(reports::accessoryPictureNumber(n), 0);
    }
    // Exact and case-sensitive: an empty row or a near miss has no picture.
    for (std::string_view d : {"", "tlmp ad-m6", "TLMP AD-M6 ", "TLMP ADM6"}) {
        EXPECT_EQ(reports::accessoryNumber(d), -1) << d;
        EXPECT_EQ(reports::accessoryPictureNumberOf(d), 0) << d;
    }
    EXPECT_EQ(reports::accessoryDescriptionKey("XY 1-2"), "strXY12");
    EXPECT_EQ(reports::suitabilityKey(AccSuitability::Any), "");
    EXPECT_EQ(reports::suitabilityKey(AccSuitability::OilFilledOnly), "strSuitableOilFilled");
}

// Every description is in the shipped file, translated, and reads differently for
// every accessory in every language.
TEST(AccessoryCatalogue, ShippedDescriptionsInElevenLanguages) {
    strings::StringTable t;
    ASSERT_TRUE(t.LoadLanguageFile(kShippedFile));
    const auto english = reports::loadAccessoryDescriptions(&t);
    for (int n = 1; n <= strings::kLanguageCount; ++n) {
        ASSERT_TRUE(t.SetLanguageByNumber(n));
        SCOPED_TRACE(t.CurrentLanguageName());
        const auto texts = reports::loadAccessoryDescriptions(&t);
        ASSERT_EQ(texts.size(), 37u);
        EXPECT_EQ(std::set<std::string>(texts.begin(), texts.end()).size(), 37u);
        for (int i = 0; i < 37; ++i) {
            const std::string_view key = reports::accessoryCatalogue()[static_cast<std::size_t>(i)].descriptionKey;
            // ResolveText does not fall back to English, so a gap in a column shows here.
            const std::string own = t.ResolveText(key, t.CurrentLanguageName(), 0);
            EXPECT_FALSE(own.empty()) << key;
            EXPECT_EQ(own, texts[static_cast<std::size_t>(i)]) << key;
            if (n > 1) {
                EXPECT_NE(own, english[static_cast<std::size_t>(i)]) << key << " is not translated";
            }
        }
    }
}

TEST(AccessoryGrid, HeaderAndOneRowPerAccessory) {
    strings::StringTable t = fixtureTable();
    const auto descriptions = reports::loadAccessoryDescriptions(&t);
    const auto grid = reports::accessoryGrid(&t, descriptions);
    ASSERT_EQ(grid.size(), 38u);
    EXPECT_EQ(grid[0], (reports::AccGridRow{"Designation", "Description"}));
    EXPECT_EQ(grid[1], (reports::AccGridRow{"TLMP AD-M6", "Adapter <G 1/4> & M6"}));
    // A TENO-only accessory: its group on a second line after a single CR.
    EXPECT_EQ(grid[static_cast<std::size_t>(rowOf("TLMP BAT-T"))][1], "Battery pack\rOnly TENO");
    // A key missing from the file shows the look-up's marker; the grid is filled anyway.
    EXPECT_EQ(grid[static_cast<std::size_t>(rowOf("TLMP EXT-50"))][1], "\"strTLMPEXT50\"?");
    EXPECT_EQ(grid[static_cast<std::size_t>(rowOf("TLMP KEY-V"))][1], "\"strTLMPKEYV\"?\rOnly VOXA");
    EXPECT_EQ(grid[static_cast<std::size_t>(rowOf("TLMP BRU-20"))][1], "\"strTLMPBRU20\"?\rOnly oil");
    for (std::size_t r = 1; r < grid.size(); ++r)
        EXPECT_EQ(grid[r][0], reports::accessoryDesignation(static_cast<int>(r) - 1));

    // After a language change the rows stay the same accessories, in the new language.
    ASSERT_TRUE(t.SetLanguageByName("German"));
    const auto german = reports::accessoryGrid(&t, reports::loadAccessoryDescriptions(&t));
    EXPECT_EQ(german[0][1], "Beschreibung");
    EXPECT_EQ(german[static_cast<std::size_t>(rowOf("TLMP BAT-T"))][1], "Batteriepack\rNur TENO");
}

TEST(AccessoryGrid, BeforeTheLanguageIsAppliedTheDescriptionsAreEmpty) {
    strings::StringTable t = fixtureTable();
    const auto grid = reports::accessoryGrid(&t, {});
    ASSERT_EQ(grid.size(), 38u);
    EXPECT_EQ(grid[1][1], "");
    EXPECT_EQ(grid[static_cast<std::size_t>(rowOf("TLMP BAT-T"))][1], "\rOnly TENO");
}

TEST(AccessoryGrid, RowHeightsFollowTheLinesButNeverBelow42) {
    struct Case {
        reports::AccGridRow row;
        int lineHeight, height;
    };
    const std::vector<Case> cases = {
        {{"A", "one line"}, 16, 42},         // 1 × 18
        {{"A", "two\rlines"}, 16, 42},       // 2 × 18 = 36
        {{"A", "two\rlines"}, 19, 42},       // 2 × (19 + 2) = 42
        {{"A", "two\rlines"}, 20, 44},       // 2 × (20 + 2)
        {{"A", "three\r\nlines\nhere"}, 16, 54}, // CR LF is one break: 3 × 18
        {{"A\rB\rC\rD", "x"}, 13, 56},       // the tallest cell counts: 4 × (13 + 1)
        {{"", ""}, 50, 56},                  // an empty cell is one line
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row[0] + " | " + c.row[1]);
        EXPECT_EQ(reports::accessoryRowHeight(c.row, c.lineHeight), c.height);
    }
    EXPECT_EQ(reports::accessoryCellLines("a\rb"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(reports::accessoryCellLines("a\r"), (std::vector<std::string>{"a", ""}));
}

TEST(AccessoryGrid, CurrentRowAndShading) {
    EXPECT_EQ(reports::accessoryRowAfterRefill(5, 38), 5);
    EXPECT_EQ(reports::accessoryRowAfterRefill(37, 38), 37);
    EXPECT_EQ(reports::accessoryRowAfterRefill(60, 38), 37);
    EXPECT_EQ(reports::accessoryRowAfterRefill(0, 38), 1);

    EXPECT_EQ(reports::accessoryCellShade(0, 0), AccCellShade::Fixed);
    EXPECT_EQ(reports::accessoryCellShade(3, 3), AccCellShade::Selected);
    EXPECT_EQ(reports::accessoryCellShade(4, 4), AccCellShade::Selected);
    EXPECT_EQ(reports::accessoryCellShade(3, 4), AccCellShade::OddRow);
    EXPECT_EQ(reports::accessoryCellShade(4, 3), AccCellShade::Plain);
}

TEST(AccessoryGrid, CopyTextKeepsOneAccessoryPerLine) {
    const std::vector<reports::AccGridRow> grid = {
        {"Designation", "Description"}, {"A 1", "first"}, {"B-2", "second\rOnly TENO"}};
    EXPECT_EQ(reports::accessoryCopyText(grid),
              "Designation\tDescription\r\nA 1\tfirst\r\nB-2\tsecond Only TENO");
}

TEST(AccessoryPictureWindow, SitsAtTheBottomRightOfTheMainWindow) {
    const reports::AccWindowMetrics m{3, 3, 22, 17};
    const reports::AccRect main{100, 50, 1000, 700};
    const reports::AccRect r = reports::accessoryPictureWindowGeometry(main, 200, 200, m);
    EXPECT_EQ(r.width, 206);
    EXPECT_EQ(r.height, 228);
    EXPECT_EQ(r.left, 100 + 1000 - 206 - (17 + 3) - 30);
    EXPECT_EQ(r.top, 50 + 700 - 228 - 70);
    // Moving the main window moves the picture window by as much.
    const reports::AccRect moved =
        reports::accessoryPictureWindowGeometry({-40, 300, 1000, 700}, 200, 200, m);
    EXPECT_EQ(moved.left - r.left, -140);
    EXPECT_EQ(moved.top - r.top, 250);
}

std::size_t countOf(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST(AccessoryHtml, OneTableWithTheHeaderAllRowsAndTheirColours) {
    strings::StringTable t = fixtureTable();
    const auto grid = reports::accessoryGrid(&t, reports::loadAccessoryDescriptions(&t));
    const int current = rowOf("TLMP BAT-T");
    const std::string html = reports::accessoryHtml(
        grid, {"Talvik Unctora - Accessories & more", 2, current, 0xFFFFFF});

    EXPECT_TRUE(html.starts_with("<!DOCTYPE html>\r\n<html lang=\"de\">\r\n"));
    EXPECT_TRUE(html.ends_with("</table>\r\n</body>\r\n</html>\r\n"));
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(html.find("<title>Talvik Unctora - Accessories &amp; more</title>"), std::string::npos);
    EXPECT_EQ(countOf(html, "<table"), 1u);
    EXPECT_EQ(countOf(html, "<tr"), 38u);
    EXPECT_EQ(countOf(html, "</tr>\r\n"), 38u);
    EXPECT_EQ(countOf(html, "<th>"), 2u);
    EXPECT_NE(html.find("<tr><th>Designation</th><th>Description</th></tr>"), std::string::npos);
    // Row 1 is odd; texts are escaped.
    EXPECT_NE(html.find("<tr style=\"background: #F0F0F0\"><td style=\"white-space: nowrap\">"
                        "TLMP AD-M6</td><td>Adapter &lt;G 1/4&gt; &amp; M6</td></tr>"),
              std::string::npos);
    // Row 2 is even: the default colours.
    EXPECT_NE(html.find("<tr><td style=\"white-space: nowrap\">TLMP AD-M8</td>"), std::string::npos);
    // The current row in the selection colours; the group on its own line.
    EXPECT_NE(html.find("<tr style=\"background: #0066CC; color: #FFFFFF\">"
                        "<td style=\"white-space: nowrap\">TLMP BAT-T</td>"
                        "<td>Battery pack<br>Only TENO</td></tr>"),
              std::string::npos);
    EXPECT_EQ(countOf(html, "#0066CC"), 1u);
    EXPECT_EQ(countOf(html, "#F0F0F0"), current % 2 == 1 ? 18u : 19u);
    EXPECT_EQ(countOf(html, "\r\n"), countOf(html, "\n"));

    // Without a current row no row carries the selection colours.
    EXPECT_EQ(reports::accessoryHtml(grid, {}).find("#0066CC"), std::string::npos);
    EXPECT_EQ(reports::htmlLanguageCode(11), "ja");
    EXPECT_EQ(reports::htmlLanguageCode(0), "en");
}

} // namespace
