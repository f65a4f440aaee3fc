#pragma once
// The accessories of the lubricators: the catalogue, the two-column grid of the
// Accessories tab, the placement of the picture window and the "acc.html" export.
//
// The catalogue is a fixed list of 37 accessories. The position of an accessory in
// the list (0 to 36) is its accessory number: it fixes the grid row (number + 1) and
// the picture (101 + number). Its description is the language text keyed "str" and the
// designation without blanks and hyphens ("TLMP AD-M6" gives strTLMPADM6); some
// accessories fit only one kind of lubricator, which the grid says on a second line.
//
// The window code asks these functions what to show and only puts it on screen:
//   fill:     descriptions = loadAccessoryDescriptions(table)   (on every language change)
//             grid = accessoryGrid(table, descriptions)          (rows incl. the header)
//             row heights from accessoryRowHeight(grid[r], lineHeight)
//             current row = accessoryRowAfterRefill(remembered, grid.size())
//   paint:    accessoryCellShade(row, currentRow) and the colours below
//   picture:  accessoryPictureNumberOf(designation), accessoryPictureWindowGeometry(...)
//   export:   accessoryHtml(grid, options) written to "acc.html"
// A cell's lines are separated by a single CR (kAccLineBreak); accessoryCellLines()
// splits them for a widget that wants "\n".

#include "core/version.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace unctora::strings {
class StringTable;
}

namespace unctora::reports {

inline constexpr int kAccessoryCount = 37;
inline constexpr int kFirstAccessoryPicture = 101;

// For which lubricators an accessory is meant. Any: no line under the description.
enum class AccSuitability {
    Any,
    VoxaOnly,      // only the gas-driven VOXA 60 and VOXA 125
    TenoOnly,      // only the electro-mechanical TENO 125 and TENO 250
    OilFilledOnly, // only VOXA and TENO units filled with oil
};

struct Accessory {
    std::string_view designation;
    std::string_view descriptionKey; // always accessoryDescriptionKey(designation)
    AccSuitability suitability = AccSuitability::Any;
};

// The catalogue in accessory-number order; kAccessoryCount entries.
std::span<const Accessory> accessoryCatalogue();

// The designation of accessory `number`; "Unknown acc: <number>" outside 0..36.
std::string accessoryDesignation(int number);

// The accessory number of a designation (exact, case-sensitive, first match); -1 when
// it is not in the catalogue, an empty text included.
int accessoryNumber(std::string_view designation);

// Picture 101 + number; 0 outside 0..36.
int accessoryPictureNumber(int number);
// The picture of a designation; 0 (no picture) when it is not in the catalogue.
int accessoryPictureNumberOf(std::string_view designation);

// "str" and the designation with every blank and every hyphen removed.
std::string accessoryDescriptionKey(std::string_view designation);

// The language key of the line under the description; empty for Any.
std::string_view suitabilityKey(AccSuitability suitability);

// The descriptions of accessories 0..36 in the table's current language. A missing
// key gives the look-up's marker, so the grid is filled all the same.
std::vector<std::string> loadAccessoryDescriptions(const strings::StringTable* texts);

// The description of accessory `number` from loaded descriptions: the text, or
// "Unknown acc: <number>" outside 0..36; empty when the descriptions are not loaded
// yet (the grid is first filled before the language is applied).
std::string accessoryDescription(std::span<const std::string> descriptions, int number);

// ---------------------------------------------------------------------------------------
// The grid sgAcc: one header row and one row per accessory.

inline constexpr int kAccColumnCount = 2;
inline constexpr int kAccRowCount = kAccessoryCount + 1;
inline constexpr int kAccDesignationColumnWidth = 129; // the description column takes the rest
inline constexpr int kAccMinRowHeight = 42;
inline constexpr char kAccLineBreak = '\r';

using AccGridRow = std::array<std::string, kAccColumnCount>;

// The description cell: the description and, for an accessory meant for one kind of
// lubricator, a CR and the text of that kind.
std::string accessoryDescriptionCell(std::string_view description, std::string_view suitabilityText);

// The whole grid, header row first (strAccDesig, strAccDesc), then accessory r - 1 in
// row r: its designation and its description cell. `descriptions` as loaded (may be
// empty); the suitability texts are looked up now.
std::vector<AccGridRow> accessoryGrid(const strings::StringTable* texts,
                                      std::span<const std::string> descriptions);

// The lines of a cell: split at CR, LF or CR LF; an empty text is one empty line.
std::vector<std::string> accessoryCellLines(std::string_view text);

// Height of a data row: the most lines of its cells times (lineHeight + lineHeight / 8),
// at least kAccMinRowHeight. lineHeight is the height of "gh" in the grid's font.
int accessoryRowHeight(const AccGridRow& row, int lineHeight);

// The row to make current after a refill: the remembered row, the last row when it is
// past the end, and the first data row when it is before it.
int accessoryRowAfterRefill(int rememberedRow, int rowCount);

// How a cell is painted: the header row is fixed; the current row takes the selection
// colours; the other odd rows kAccOddRowBackground; even rows the grid's default.
enum class AccCellShade { Fixed, Selected, OddRow, Plain };
AccCellShade accessoryCellShade(int row, int currentRow);

inline constexpr std::uint32_t kAccSelectedBackground = // RGB: the accent colour
    std::uint32_t(core::AccentColor.red) << 16 | std::uint32_t(core::AccentColor.green) << 8 |
    std::uint32_t(core::AccentColor.blue);
inline constexpr std::uint32_t kAccOddRowBackground = 0xF0F0F0;

// The grid as clipboard text, as the dispense-rate grid copies itself: cells separated
// by a tab, rows by CR LF, no line end after the last row. A cell's second line joins
// its first with a blank, so that a paste keeps one accessory on one row.
std::string accessoryCopyText(std::span<const AccGridRow> grid);

// ---------------------------------------------------------------------------------------
// The picture window beside the main window.

struct AccRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const AccRect&) const = default;
};

// The system measures the window's size and place depend on.
struct AccWindowMetrics {
    int dialogFrameWidth = 0;
    int dialogFrameHeight = 0;
    int captionHeight = 0;
    int verticalScrollBarWidth = 0;
};

// The window holding a picture of pictureWidth × pictureHeight: its frame size is the
// picture plus the dialog frame on each side and the caption; it sits at the bottom
// right of the main window, (scroll-bar width + frame width + 30) in from the right edge
// and 70 up from the bottom edge. Recomputed each time the window is shown, so a window
// the user moved goes back.
AccRect accessoryPictureWindowGeometry(const AccRect& mainWindow, int pictureWidth,
                                       int pictureHeight, const AccWindowMetrics& metrics);

// ---------------------------------------------------------------------------------------
// "acc.html": the grid as one table in a complete page.

struct AccHtmlOptions {
    std::string title;              // the page title, e.g. the grid's print title
    int languageNumber = 1;         // 1..11, for the page's lang attribute
    int currentRow = -1;            // painted with the selection colours; -1: none
    std::uint32_t highlightText = 0xFFFFFF; // text colour of the current row (RGB)
};

// The page, UTF-8, lines ending in CR LF: the header row as table headers, each data
// row with its cells' colours; texts are escaped and a cell's second line follows a
// <br>.
std::string accessoryHtml(std::span<const AccGridRow> grid, const AccHtmlOptions& options);

// "en", "de", … for language numbers 1..11; "en" otherwise.
std::string_view htmlLanguageCode(int languageNumber);

} // namespace unctora::reports
