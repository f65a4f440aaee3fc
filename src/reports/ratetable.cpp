#include "reports/ratetable.h"

#include "core/calcinputs.h"
#include "text/format.h"
#include "text/keys.h"
#include "strings/stringtable.h"

#include <iterator>

namespace unctora::reports {

namespace {

// Setting, oz/week, oz/month, g/week, g/month.
constexpr RateRow kVoxa60[] = {
    {1, 0.46, 1.94, 12.8, 55.0}, {2, 0.23, 0.97, 6.4, 27.5}, {3, 0.15, 0.65, 4.3, 18.5},
    {4, 0.12, 0.49, 3.2, 14.0},  {5, 0.09, 0.39, 2.6, 11.0}, {6, 0.08, 0.32, 2.1, 9.0},
    {7, 0.07, 0.28, 1.8, 8.0},   {8, 0.06, 0.24, 1.6, 7.0},  {9, 0.05, 0.22, 1.4, 6.0},
    {10, 0.05, 0.19, 1.3, 5.5},  {11, 0.04, 0.18, 1.2, 5.0}, {12, 0.04, 0.16, 1.1, 4.5},
};

constexpr RateRow kVoxa125[] = {
    {1, 0.91, 3.90, 25.7, 110.0}, {2, 0.46, 1.95, 12.9, 55.0}, {3, 0.30, 1.30, 8.6, 37.0},
    {4, 0.23, 1.00, 6.4, 28.0},   {5, 0.18, 0.80, 5.1, 22.0},  {6, 0.15, 0.65, 4.3, 18.0},
    {7, 0.13, 0.55, 3.7, 16.0},   {8, 0.11, 0.50, 3.2, 14.0},  {9, 0.10, 0.45, 2.9, 12.0},
    {10, 0.09, 0.40, 2.6, 11.0},  {11, 0.08, 0.35, 2.3, 10.0}, {12, 0.08, 0.30, 2.1, 9.0},
};

constexpr RateRow kTeno125[] = {
    {1, 0.92, 3.97, 26.0, 112.5}, {2, 0.46, 1.98, 13.0, 56.3}, {3, 0.31, 1.32, 8.7, 37.5},
    {4, 0.23, 0.99, 6.5, 28.1},   {6, 0.15, 0.66, 4.3, 18.8},  {8, 0.11, 0.50, 3.2, 14.1},
    {9, 0.10, 0.44, 2.9, 12.5},   {10, 0.09, 0.40, 2.6, 11.3}, {12, 0.08, 0.33, 2.2, 9.4},
};

constexpr RateRow kTeno250[] = {
    {1, 1.83, 7.94, 51.9, 225.0}, {2, 0.92, 3.97, 26.0, 112.5}, {3, 0.61, 2.65, 17.3, 75.0},
    {4, 0.46, 1.98, 13.0, 56.3},  {6, 0.31, 1.32, 8.7, 37.5},   {8, 0.23, 0.99, 6.5, 28.1},
    {9, 0.20, 0.88, 5.8, 25.0},   {10, 0.18, 0.79, 5.2, 22.5},  {12, 0.15, 0.66, 4.3, 18.8},
};

constexpr RateRow kZolt120[] = {
    {1, 0.88, 3.81, 24.9, 108.0}, {2, 0.44, 1.90, 12.5, 54.0}, {3, 0.29, 1.27, 8.3, 36.0},
    {6, 0.15, 0.63, 4.2, 18.0},   {9, 0.10, 0.42, 2.8, 12.0},  {12, 0.07, 0.32, 2.1, 9.0},
    {18, 0.05, 0.21, 1.4, 6.0},   {24, 0.04, 0.16, 1.0, 4.5},
};

constexpr RateRow kZolt380[] = {
    {1, 2.78, 12.06, 78.9, 342.0}, {2, 1.39, 6.03, 39.5, 171.0}, {3, 0.93, 4.02, 26.3, 114.0},
    {6, 0.46, 2.01, 13.2, 57.0},   {9, 0.31, 1.34, 8.8, 38.0},   {12, 0.23, 1.01, 6.6, 28.5},
    {18, 0.15, 0.67, 4.4, 19.0},   {24, 0.12, 0.50, 3.3, 14.3},
};

constexpr std::span<const RateRow> kTables[] = {kVoxa60,  kVoxa125, kTeno125,
                                                              kTeno250, kZolt120, kZolt380};
static_assert(std::size(kTables) == kRateItemCount);

// Decimals of each column; -1 for the spacer, which stays empty.
constexpr int kDecimals[] = {0, 2, 2, -1, 1, 1};
static_assert(std::size(kDecimals) == kRateColumnCount);

const strings::UnitLabels kEnglishLabels;

} // namespace

std::span<const RateRow> rateTable(int item) {
    if (item < 0 || item >= kRateItemCount)
        return {};
    return kTables[item];
}

int rateGridRowCount(int item) {
    const auto table = rateTable(item);
    return table.empty() ? 0 : static_cast<int>(table.size()) + 1;
}

std::array<std::string, kRateColumnCount> rateHeaderTexts(int item,
                                                          const strings::StringTable* texts,
                                                          const strings::UnitLabels* labels) {
    namespace keys = text::keys;
    const strings::UnitLabels& l = labels ? *labels : kEnglishLabels;
    const std::string& oz = l.massUnitLabel(core::Units::Imperial);
    const std::string& g = l.massUnitLabel(core::Units::SI);
    const std::string week = strings::LangStr(texts, keys::strWeek);
    const std::string month = strings::LangStr(texts, keys::strMonth);
    const bool dip = core::isZolt(item); // the items are the single-point lubricators
    return {strings::LangStr(texts, dip ? keys::strDipSwitchSetting : keys::strDial_Setting),
            oz + "/" + week,
            oz + "/" + month,
            std::string(),
            g + "/" + week,
            g + "/" + month};
}

std::string rateCellText(const RateRow& row, int column, std::string_view decimalSeparator) {
    if (column < 0 || column >= kRateColumnCount || kDecimals[column] < 0)
        return {};
    const double values[kRateColumnCount] = {row.setting,  row.ozPerWeek, row.ozPerMonth, 0,
                                             row.gPerWeek, row.gPerMonth};
    return text::fixed(values[column], kDecimals[column], decimalSeparator);
}

std::vector<std::array<std::string, kRateColumnCount>>
rateGrid(int item, const strings::StringTable* texts, const strings::UnitLabels* labels,
         std::string_view decimalSeparator) {
    std::vector<std::array<std::string, kRateColumnCount>> grid;
    const auto table = rateTable(item);
    if (table.empty())
        return grid;
    grid.reserve(table.size() + 1);
    grid.push_back(rateHeaderTexts(item, texts, labels));
    for (const RateRow& row : table) {
        auto& cells = grid.emplace_back();
        for (int c = 0; c < kRateColumnCount; ++c)
            cells[c] = rateCellText(row, c, decimalSeparator);
    }
    return grid;
}

std::string rateCopyText(std::span<const std::array<std::string, kRateColumnCount>> grid) {
    std::string out;
    for (std::size_t r = 0; r < grid.size(); ++r) {
        if (r)
            out.append("\r\n");
        for (int c = 0; c < kRateColumnCount; ++c) {
            if (c)
                out.push_back('\t');
            out.append(grid[r][c]);
        }
    }
    return out;
}

int rateGridWidth(int columnCount) { return (columnCount - 2) * 98 + 80 + columnCount + 13; }

int rateGridHeight(int rowCount) {
    return kRateRowHeight * (rowCount - 1) + kRateHeaderRowHeight + rowCount + 3;
}

int ratePictureLeft(int gridRight, int tabWidth, int pictureWidth) {
    return gridRight + (tabWidth - gridRight) / 2 - pictureWidth / 2;
}

RateCellShade rateCellShade(int row, int column, int selectedRow) {
    if (row < 1 || column < 1)
        return RateCellShade::Fixed;
    if (column == kRateSpacerColumn)
        return RateCellShade::Spacer;
    if (row == selectedRow)
        return RateCellShade::Selected;
    return row % 2 == 1 ? RateCellShade::OddRow : RateCellShade::Plain;
}

} // namespace unctora::reports
