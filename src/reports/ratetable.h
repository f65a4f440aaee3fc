#pragma once
// The dispense-rate tables of the single-point lubricators: how much grease each
// setting delivers per week and per month, in ounces and in grams, as the
// "Dispense rate" tab shows them in its grid and copies them to the clipboard.
//
// The tables are reference data and do not depend on any calculation; they are the
// rows of the models that have one (core::kRateModels), in the models' order, and an
// item is the index into that list.

#include "core/lubricators.h"
#include "strings/quantity.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace unctora::strings {
class StringTable;
}

namespace unctora::reports {

inline constexpr int kRateItemCount = static_cast<int>(core::kRateModels.size());
inline constexpr int kRateColumnCount = 6;
inline constexpr int kRateSpacerColumn = 3;

// One setting: the values as the grid shows them (oz with two decimals, g with one).
using RateRow = core::RateRow;

// The lubricator of item; -1 for any other index.
int rateModel(int item);

// The table of item; empty for any other index.
std::span<const RateRow> rateTable(int item);

// Rows of the grid: the header row and one row per setting (0 for an unknown item).
int rateGridRowCount(int item);

// Column widths in pixels: the setting column, the two ounce columns, the spacer,
// the two gram columns.
inline constexpr std::array<int, kRateColumnCount> kRateColumnWidths = {80, 98, 98, 10, 98, 98};
inline constexpr int kRateHeaderRowHeight = 42;
inline constexpr int kRateRowHeight = 20;

// The six header texts: the setting column (DIP switches for the ZOLT units, the dial
// for the others), then "oz/week", "oz/month", "" (the spacer), "g/week", "g/month"
// with the ounce and gram labels of `labels` (English when null) and the week and
// month texts of the table. The ounce columns come first in either unit system.
std::array<std::string, kRateColumnCount> rateHeaderTexts(int item,
                                                          const strings::StringTable* texts,
                                                          const strings::UnitLabels* labels);

// The text of column `column` of a table row, in that column's format: "%.0f",
// "%.2f", "%.2f", nothing, "%.1f", "%.1f".
std::string rateCellText(const RateRow& row, int column, std::string_view decimalSeparator = ".");

// The whole grid, header row first: rateGridRowCount(item) rows of six cells.
std::vector<std::array<std::string, kRateColumnCount>>
rateGrid(int item, const strings::StringTable* texts, const strings::UnitLabels* labels,
         std::string_view decimalSeparator = ".");

// The grid as clipboard text: every row, the header and the setting column included,
// and every cell, the empty spacer too. Cells are separated by a tab and rows by
// CR LF; the last row ends without one, so that a paste into a single field adds no
// empty line.
std::string rateCopyText(std::span<const std::array<std::string, kRateColumnCount>> grid);

// The grid's size in pixels for a row count that includes the header row: the
// column widths (four default columns of 98 besides the setting column of 80) plus
// a pixel of grid line per column and 13 for the frame; the row heights plus a pixel
// per row and 3.
int rateGridWidth(int columnCount = kRateColumnCount);
int rateGridHeight(int rowCount);

// The picture of the lubricator of item, beside the grid (0 for any other index).
int ratePicture(int item);

// Left edge of the picture, centred in the room between the grid's right edge and
// the tab's right edge (each half truncated toward zero).
int ratePictureLeft(int gridRight, int tabWidth, int pictureWidth);

// How a cell of the grid is shaded. Row 0 and column 0 are fixed cells; the spacer
// column takes the fixed-cell colour too; the selected row takes the selection
// colours; the other odd rows are light grey (RGB ECECEC).
enum class RateCellShade { Fixed, Spacer, Selected, OddRow, Plain };
RateCellShade rateCellShade(int row, int column, int selectedRow);

} // namespace unctora::reports
