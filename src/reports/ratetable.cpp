#include "reports/ratetable.h"

#include "text/format.h"
#include "text/keys.h"
#include "strings/stringtable.h"

#include <iterator>

namespace unctora::reports {

namespace {

// Decimals of each column; -1 for the spacer, which stays empty.
constexpr int kDecimals[] = {0, 2, 2, -1, 1, 1};
static_assert(std::size(kDecimals) == kRateColumnCount);

const strings::UnitLabels kEnglishLabels;

} // namespace

int rateModel(int item) {
    return item >= 0 && item < kRateItemCount ? core::kRateModels[static_cast<std::size_t>(item)] : -1;
}

std::span<const RateRow> rateTable(int item) {
    const core::LubricatorModel* m = core::lubricatorModel(rateModel(item));
    return m ? m->rates : std::span<const RateRow>{};
}

int ratePicture(int item) {
    const core::LubricatorModel* m = core::lubricatorModel(rateModel(item));
    return m ? m->photo : 0;
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
    const core::LubricatorModel* m = core::lubricatorModel(rateModel(item));
    const bool dip = m && m->control == core::SettingControl::DipSwitches;
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
