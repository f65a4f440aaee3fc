#include "reports/htmlpage.h"
#include "reports/selchart.h"

#include "files/fileio.h"
#include "strings/stringtable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

using namespace unctora;
using reports::ChartPart;
using reports::TGreaseChart;
using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

namespace {

std::string fixture(const std::string& name) {
    std::string bytes;
    EXPECT_TRUE(files::readWholeFile(std::string(UNCTORA_FIXTURES) + "/" + name, bytes)) << name;
    return bytes;
}

// The fixture gives each language a different strSelChartHeadCount.
strings::StringTable fixtureTable(int language = 1) {
    strings::StringTable table;
    EXPECT_TRUE(table.LoadLanguageFile(std::string(UNCTORA_FIXTURES) + "/selchart.sil"));
    table.SetLanguageByNumber(language);
    return table;
}

// The rows of the first grease table in lines: each row as its lines between
// "<tr>" and "</tr>".
std::vector<Lines> tableRows(const Lines& lines) {
    auto it = std::find(lines.begin(), lines.end(),
                        R"(<table border="1" width="100%" cellpadding="0" cellspacing="0">)");
    std::vector<Lines> rows;
    for (++it; it != lines.end() && *it != "</table>"; ++it) {
        if (*it == "<tr>")
            rows.emplace_back();
        else if (*it != "</tr>")
            rows.back().push_back(*it);
    }
    return rows;
}

} // namespace

// The expected page was written by hand from the rules. The fixture's texts cover
// a missing and an empty row header, descriptions with no, two, three, four and
// five pieces, "+", "-" and "o" as description pieces (and " o " that is not one),
// a missing description and an explanation text "-" read through LangStr.
TEST(SelChart, PageIsByteExactInEnglish) {
    const strings::StringTable table = fixtureTable();
    EXPECT_EQ(reports::selChartPageDocument(&table, "Test Sans"), fixture("selchart_en.html"));
}

TEST(SelChart, RowCountReadings) {
    const struct {
        const char* text;
        int rows;
    } cases[] = {
        {"16", 16}, {"+7", 7}, {"007", 7}, {"0", 0}, {"-0", 0}, {"-3", -3},
        {"999", 999}, {"1000", 999}, {"2147483647", 999}, {"-2147483648", -2147483648},
        // not a 32-bit integer written in ASCII digits: the default
        {"", 16}, {"+", 16}, {"-", 16}, {" 16", 16}, {"16 ", 16}, {"1 6", 16}, {"0x10", 16},
        {"$10", 16}, {"1e3", 16}, {"16.0", 16}, {"--1", 16}, {"\xEF\xBC\x91\xEF\xBC\x96", 16},
        {"2147483648", 16}, {"-2147483649", 16}, {"99999999999999999999", 16},
        {"\"strSelChartHeadCount\"?", 16}, {"frmString=nil!", 16},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(reports::parseChartRowCount(c.text), c.rows);
    }

    strings::StringTable empty;
    EXPECT_EQ(TGreaseChart(&empty).rowCount(), 16);
    EXPECT_EQ(TGreaseChart(nullptr).rowCount(), 16);
}

TEST(SelChart, ExtremeRowCountsNeitherCrashNorHang) {
    for (int language : {3, 4, 9}) { // +0, -3, -2^31: tables without rows
        SCOPED_TRACE(language);
        const strings::StringTable table = fixtureTable(language);
        const Lines lines = reports::selChartPageLines(&table, "F");
        EXPECT_TRUE(tableRows(lines).empty());
        EXPECT_EQ(lines.size(), 490u - 14 * 10 - 14 * 9); // the 16-row page without its rows
        EXPECT_EQ(lines.back(), "</html>");
    }
    const strings::StringTable table = fixtureTable(7); // 2^31-1, capped
    const auto start = std::chrono::steady_clock::now();
    const Lines lines = reports::selChartPageLines(&table, "F");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    const auto rows = tableRows(lines);
    ASSERT_EQ(rows.size(), 997u); // 999 row numbers without 10 and 11
    EXPECT_EQ(rows.back()[0], R"(<td align="center" bgcolor="#FFFFFF" width="12%">"strSelChartHead_999"?</td>)");
    EXPECT_EQ(rows.back()[1], R"(<td align="center" bgcolor="#BFDFBF" width="12%"></td>)");
}

TEST(SelChart, LanguageSetsTheRangeWordAndTheDescription) {
    const strings::StringTable german = fixtureTable(2); // four rows
    const auto rows = tableRows(reports::selChartPageLines(&german, "F"));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0][0], R"(<td align="center" bgcolor="#C0C0C0" width="12%"><span style="font-weight:bold; font-size:11px">Fett</span></td>)");
    const char* nvte[] = {"M bis H", "L bis M", "L bis H"};
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(rows[r][4], std::string(R"(<td align="center" bgcolor="#CCF5F3" width="12%">)") + nvte[r - 1] + "</td>");

    const Lines nvlo2 = reports::chartGreaseRecord(&german, 8, 2);
    EXPECT_EQ(nvlo2, (Lines{"NVLO 2", "M", "M", "L bis M", "o", "-", "-", "+", "-", "-", "o", "+",
                            "Lo2 de", " zwei"}));
    // A language without its own description shows the English one.
    EXPECT_EQ(reports::chartGreaseRecord(&german, 12, 2).back(), "Ka");
    EXPECT_EQ(reports::chartGreaseRecord(&german, 12, 7)[3], "H to VH");

    const char* words[] = {"to", "to", "bis", "\xC3\xA0", "a", "till", "a", "to", "to", "to", "to", "to", "to"};
    for (int language = 0; language <= 12; ++language) {
        SCOPED_TRACE(language);
        EXPECT_EQ(reports::chartToWord(language), words[language]);
    }
}

TEST(SelChart, GreaseOutsideTheListIsAPlaceholder) {
    for (int number : {0, 14}) {
        SCOPED_TRACE(number);
        const reports::ChartGrease g = reports::chartGrease(number);
        const std::string unknown = std::to_string(number) + "?";
        EXPECT_EQ(g.name + g.rangePattern + g.ratings, unknown + unknown + unknown);
        EXPECT_EQ(g.strongColour + g.lightColour + g.nameTextColour, "FF0000FF0000FFFFFF");
    }
}

TEST(SelChart, PartsOpenAndCloseTheDocument) {
    const strings::StringTable table = fixtureTable();
    const TGreaseChart chart(&table);
    Lines head;
    chart.writeHead(head);
    ASSERT_EQ(head.size(), 37u);

    Lines lines;
    chart.writeGreaseTable(1, "F", 1, 13, ChartPart::Last, lines);
    EXPECT_EQ(lines.front(), R"(<font face="F" size="-1">)");
    EXPECT_EQ(Lines(lines.end() - 3, lines.end()), (Lines{"</font>", "</body>", "</html>"}));
    EXPECT_EQ(tableRows(lines)[0][13], R"(<td align="center" bgcolor="#0066CC" width="7%"><span style="font-weight:bold; font-size:11px; color:#FFFFFF">NVPI 1</span></td>)");

    lines.clear();
    chart.writeFooter("F", ChartPart::First, lines);
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 37), head);
    EXPECT_EQ(lines[37], "<body>");
    EXPECT_EQ(lines[38], R"(<font face="F">)");
    EXPECT_EQ(lines.back(), "</font>");

    lines.clear();
    TGreaseChart::writeLegend(lines);
    EXPECT_EQ(lines.size(), 147u);
}

TEST(SelChart, WritesTheFileAndFailsLoudly) {
    const fs::path dir = fs::temp_directory_path() /
                         ("unctora_selchart_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const strings::StringTable table = fixtureTable();
    const std::string path = reports::htmlFilePath(dir.string(), reports::kChartPageFile);
    const std::string written = reports::writeSelChartPage(path, &table, "Test Sans");
    EXPECT_THROW(reports::writeSelChartPage(path + "/chart.html", &table, "X"), files::WriteError);
    std::string onDisk;
    EXPECT_TRUE(files::readWholeFile(path, onDisk));
    EXPECT_EQ(onDisk, written);
    fs::remove_all(dir);
}
