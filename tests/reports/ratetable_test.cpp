#include "reports/ratetable.h"

#include "strings/stringtable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace unctora;
using reports::RateRow;

TEST(RateTable, RowsOfEachLubricator) {
    const struct {
        int item;
        int gridRows;
        std::string firstRow, lastRow; // as copied: setting, oz, oz, spacer, g, g
    } cases[] = {
        {0, 13, "1\t0.46\t1.94\t\t12.8\t55.0", "12\t0.04\t0.16\t\t1.1\t4.5"},
        {1, 13, "1\t0.91\t3.90\t\t25.7\t110.0", "12\t0.08\t0.30\t\t2.1\t9.0"},
        {2, 10, "1\t0.92\t3.97\t\t26.0\t112.5", "12\t0.08\t0.33\t\t2.2\t9.4"},
        {3, 10, "1\t1.83\t7.94\t\t51.9\t225.0", "12\t0.15\t0.66\t\t4.3\t18.8"},
        {4, 9, "1\t0.88\t3.81\t\t24.9\t108.0", "24\t0.04\t0.16\t\t1.0\t4.5"},
        {5, 9, "1\t2.78\t12.06\t\t78.9\t342.0", "24\t0.12\t0.50\t\t3.3\t14.3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        EXPECT_EQ(reports::rateGridRowCount(c.item), c.gridRows);
        const auto grid = reports::rateGrid(c.item, nullptr, nullptr);
        ASSERT_EQ(static_cast<int>(grid.size()), c.gridRows);
        const std::string text = reports::rateCopyText(grid);
        const auto firstEnd = text.find("\r\n", text.find("\r\n") + 2);
        EXPECT_EQ(text.substr(text.find("\r\n") + 2, firstEnd - text.find("\r\n") - 2), c.firstRow);
        EXPECT_EQ(text.substr(text.rfind("\r\n") + 2), c.lastRow); // no line end after it
        // A slip of a digit shows as an ounce value that is no longer its gram value, or
        // as a rate that grows with the setting.
        const auto table = reports::rateTable(c.item);
        for (std::size_t r = 0; r < table.size(); ++r) {
            const RateRow& row = table[r];
            SCOPED_TRACE(row.setting);
            EXPECT_NEAR(row.ozPerWeek, row.gPerWeek / 28.3495, 0.03);
            EXPECT_NEAR(row.ozPerMonth, row.gPerMonth / 28.3495, 0.03);
            EXPECT_NEAR(row.gPerMonth / row.gPerWeek, 4.3, 0.21);
            if (r > 0) {
                EXPECT_GT(row.setting, table[r - 1].setting);
                EXPECT_LE(row.gPerMonth, table[r - 1].gPerMonth);
            }
        }
    }
    EXPECT_TRUE(reports::rateTable(6).empty());
    EXPECT_TRUE(reports::rateTable(-1).empty());
    EXPECT_EQ(reports::rateGridRowCount(7), 0);
    EXPECT_TRUE(reports::rateGrid(6, nullptr, nullptr).empty());
}

TEST(RateTable, HeadersFollowLanguageAndLabels) {
    strings::StringTable table;
    table.loadFromBytes("[Strings]\n"
                        "strWeek=week~Woche\n"
                        "strMonth=month~Monat\n"
                        "strDial_Setting=Dial setting~Skala\n"
                        "strDipSwitchSetting=DIP switches~DIP-Schalter\n");
    table.SetLanguageByName("German");
    strings::UnitLabels labels;
    labels.setMassUnitLabel(core::Units::SI, "Gramm");
    labels.setMassUnitLabel(core::Units::Imperial, "Unz");
    using Headers = std::array<std::string, 6>;
    EXPECT_EQ(reports::rateHeaderTexts(1, &table, &labels),
              (Headers{"Skala", "Unz/Woche", "Unz/Monat", "", "Gramm/Woche", "Gramm/Monat"}));
    EXPECT_EQ(reports::rateHeaderTexts(4, &table, &labels)[0], "DIP-Schalter");
    EXPECT_EQ(reports::rateHeaderTexts(5, &table, &labels)[0], "DIP-Schalter");
    EXPECT_EQ(reports::rateHeaderTexts(3, &table, &labels)[0], "Skala");
    // The initial labels are "oz" and "g"; without a table every text is the marker.
    const Headers english = reports::rateHeaderTexts(0, nullptr, nullptr);
    EXPECT_EQ(english[1], "oz/" + std::string(strings::kNoTableMarker));
    EXPECT_EQ(english[5], "g/" + std::string(strings::kNoTableMarker));

    table.SetLanguageByName("English");
    const std::string text = reports::rateCopyText(reports::rateGrid(4, &table, nullptr, ","));
    EXPECT_EQ(text.substr(0, text.find("\r\n", text.find("\r\n") + 2)),
              "DIP switches\toz/week\toz/month\t\tg/week\tg/month\r\n"
              "1\t0,88\t3,81\t\t24,9\t108,0");
}

TEST(RateTable, GridGeometryAndShading) {
    EXPECT_EQ(reports::rateGridWidth(), 491);
    EXPECT_EQ(reports::rateGridHeight(13), 298);
    EXPECT_EQ(reports::rateGridHeight(9), 214);
    EXPECT_EQ(reports::ratePicture(4), 53);
    EXPECT_EQ(reports::ratePictureLeft(491, 900, 280), 491 + 204 - 140);
    EXPECT_EQ(reports::ratePictureLeft(491, 902, 281), 491 + 205 - 140);
    using Shade = reports::RateCellShade;
    const struct {
        int row, column, selected;
        Shade shade;
    } cases[] = {
        {0, 2, 0, Shade::Fixed},     {3, 0, 3, Shade::Fixed},  {3, 3, 3, Shade::Spacer},
        {2, 3, 0, Shade::Spacer},    {3, 1, 3, Shade::Selected}, {1, 5, 2, Shade::OddRow},
        {2, 4, 1, Shade::Plain},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.row) + "," + std::to_string(c.column));
        EXPECT_EQ(reports::rateCellShade(c.row, c.column, c.selected), c.shade);
    }
}
