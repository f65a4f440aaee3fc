#pragma once
// The grease selection chart page: two tables with one column per grease (the
// first half of the chart's greases, the odd one included, then the rest) and one
// row per property, each under a legend of the rating symbols; then a few lines of
// explanation from the language file and the fixed legend tables of the range codes.
//
// The chart's columns - order, ratings, colours - are the chart columns of the grease
// table (core/greasetable.h); it reads no input. Only the language (headers,
// descriptions, explanation) and the display font change it.
//
// Each grease becomes one comma-separated record - name, three range fields, eight
// ratings, then its description - and row r of the table shows field r. The
// description is split at every comma too, so its pieces fill rows 13 onward.
// Rows 10 and 11 (ratings 6 and 7) are never shown. Nothing is escaped: the texts
// of the language file are HTML.

#include "core/greasetable.h"

#include <string>
#include <string_view>
#include <vector>

namespace unctora::strings {
class StringTable;
}

namespace unctora::reports {

using core::kChartGreaseCount; // the greases of the chart, from the grease table
// Row count when the language's strSelChartHeadCount is not a number.
inline constexpr int kDefaultChartRows = 16;
// Row counts above this are taken as this: a typing slip in a language file must
// not make the page grow without bound.
inline constexpr int kMaxChartRows = 999;

// One grease of the chart. Colours are six hex digits without "#"; the range
// pattern holds three comma-separated fields with "%s" for the word "to"; the
// ratings are eight comma-separated symbols.
struct ChartGrease {
    std::string name; // as shown, "NVGU 2"
    std::string strongColour;
    std::string nameTextColour;
    std::string lightColour;
    std::string rangePattern;
    std::string ratings;
};

// Grease number 1..kChartGreaseCount in chart order. Any other number gives a red placeholder
// ("14?"), which the page never asks for.
ChartGrease chartGrease(int number);

// The word for "to" in the range fields of language number languageNumber.
std::string_view chartToWord(int languageNumber);

// Row count of a strSelChartHeadCount text: an optional sign and ASCII digits
// that fit a 32-bit integer, nothing else (no blanks); anything else gives
// kDefaultChartRows. The result is capped at kMaxChartRows; zero or less means
// no rows.
int parseChartRowCount(std::string_view text);

// The record of grease number in language languageNumber, split at every comma:
// [0] name, [1..3] range fields, [4..11] ratings, [12..] description pieces.
// Pieces keep their blanks.
std::vector<std::string> chartGreaseRecord(const strings::StringTable* texts, int number,
                                           int languageNumber);

// Which bracket of the page a piece writes: First opens the document (head and
// "<body>"), Last closes it ("</body>", "</html>"), Middle neither.
enum class ChartPart { First = 0, Middle = 1, Last = 2 };

class TGreaseChart {
public:
    // Reads the row count of the current language (strSelChartHeadCount).
    explicit TGreaseChart(const strings::StringTable* texts);

    int rowCount() const { return m_rowCount; }

    // The document head: doctype, title and the three cell styles, 37 lines.
    void writeHead(std::vector<std::string>& lines) const;

    // One grease table, greases firstGrease..lastGrease, with its symbol legend.
    void writeGreaseTable(int languageNumber, std::string_view fontFace, int firstGrease,
                          int lastGrease, ChartPart part, std::vector<std::string>& lines) const;

    // The explanation (strSelChart_03 .. _06, the last one twice) and the legend tables.
    void writeFooter(std::string_view fontFace, ChartPart part,
                     std::vector<std::string>& lines) const;

    // The fixed legend tables of the range codes, English in every language:
    // 147 lines.
    static void writeLegend(std::vector<std::string>& lines);

private:
    const strings::StringTable* m_texts;
    int m_rowCount;
};

// The whole page's lines: greases 1-7, greases 8-13, "<hr>", the footer, in the
// current language and with fontName as the font face.
std::vector<std::string> selChartPageLines(const strings::StringTable* texts,
                                           std::string_view fontName);

// The file bytes of the page: byte-order mark, CR LF after every line.
std::string selChartPageDocument(const strings::StringTable* texts, std::string_view fontName);

// Builds the page and writes it to path ("chart.html"), replacing the file;
// returns the bytes written. Raises files::WriteError when path cannot be written -
// the old file then stays, and the view should keep the document it shows.
std::string writeSelChartPage(const std::string& path, const strings::StringTable* texts,
                              std::string_view fontName);

} // namespace unctora::reports
