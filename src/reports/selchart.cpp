#include "reports/selchart.h"

#include "core/greasetable.h"
#include "files/fileio.h"
#include "reports/htmlpage.h"
#include "text/keys.h"
#include "strings/stringtable.h"

#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <utility>

namespace unctora::reports {

namespace {

// The grease of chart position number, nullptr when no grease has it.
const core::GreaseEntry* greaseAtChartPosition(int number) {
    for (const core::GreaseEntry& g : core::kGreases)
        if (g.chart.position == number)
            return &g;
    return nullptr;
}

constexpr std::string_view kSymbolSpanOpen = R"(<span style="font-weight:normal; font-size:18px">)";

std::string symbolSpan(std::string_view symbol) {
    return std::string(kSymbolSpanOpen) + std::string(symbol) + "</span>";
}

bool isSymbol(std::string_view text) { return text == "+" || text == "-" || text == "o"; }

std::string replaceAll(std::string_view text, std::string_view what, std::string_view with) {
    std::string out;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(what, from)) != std::string_view::npos; from = at + what.size()) {
        out.append(text, from, at - from);
        out.append(with);
    }
    out.append(text, from);
    return out;
}

std::vector<std::string> splitAtCommas(std::string_view text) {
    std::vector<std::string> fields;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(',', from)) != std::string_view::npos; from = at + 1)
        fields.emplace_back(text.substr(from, at - from));
    fields.emplace_back(text.substr(from));
    return fields;
}

// <td align="center" bgcolor="#colour" width="w%">
std::string cellOpening(std::string_view colour, int width) {
    return R"(<td align="center" bgcolor="#)" + std::string(colour) + R"(" width=")" +
           std::to_string(width) + R"(%">)";
}

void openDocument(const TGreaseChart& chart, ChartPart part, std::vector<std::string>& lines) {
    if (part == ChartPart::First) {
        chart.writeHead(lines);
        lines.emplace_back("<body>");
    }
}

void closeDocument(ChartPart part, std::vector<std::string>& lines) {
    if (part == ChartPart::Last) {
        lines.emplace_back("</body>");
        lines.emplace_back("</html>");
    }
}

// The legend's building blocks: a row is "<tr>", a line per cell and "</tr>".
void row(std::vector<std::string>& lines, std::initializer_list<std::string_view> cells) {
    lines.emplace_back("<tr>");
    for (std::string_view cell : cells)
        lines.emplace_back(cell);
    lines.emplace_back("</tr>");
}

void ruleRow(std::vector<std::string>& lines, int span) {
    row(lines, {span == 3 ? R"(<td colspan="3" style="border-bottom:1px solid #dadada;"></td>)"
                          : R"(<td colspan="2" style="border-bottom:1px solid #dadada;"></td>)"});
}

void openBox(std::vector<std::string>& lines) {
    lines.emplace_back(
        R"(<table border="0" cellpadding="0" cellspacing="0" width="100%" style="border:1px #dadada solid">)");
}

void append(std::vector<std::string>& lines, std::initializer_list<std::string_view> more) {
    for (std::string_view line : more)
        lines.emplace_back(line);
}

} // namespace

ChartGrease chartGrease(int number) {
    const core::GreaseEntry* entry = number >= 1 ? greaseAtChartPosition(number) : nullptr;
    if (!entry) {
        const std::string unknown = std::to_string(number) + "?";
        return {unknown, "FF0000", "FFFFFF", "FF0000", unknown, unknown};
    }
    const core::GreaseChartColumn& g = entry->chart;
    return {std::string(g.name),          std::string(g.strongColour), std::string(g.nameTextColour),
            std::string(g.lightColour),   std::string(g.rangePattern), std::string(g.ratings)};
}

std::string_view chartToWord(int languageNumber) {
    switch (languageNumber) {
    case 2: return "bis";
    case 3: return "\xC3\xA0"; // à
    case 4: return "a";
    case 5: return "till";
    case 6: return "a";
    default: return "to";
    }
}

int parseChartRowCount(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        return kDefaultChartRows;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return kDefaultChartRows;
        value = value * 10 + (c - '0');
        if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1)
            return kDefaultChartRows; // does not fit 32 bits, however it goes on
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<std::int32_t>::max())
        return kDefaultChartRows;
    return value > kMaxChartRows ? kMaxChartRows : static_cast<int>(value);
}

std::vector<std::string> chartGreaseRecord(const strings::StringTable* texts, int number,
                                           int languageNumber) {
    const ChartGrease g = chartGrease(number);
    const std::string description = strings::LangStrOrEmpty(
        texts, text::keys::greaseDescriptionKey(g.name), languageNumber);
    return splitAtCommas(g.name + "," + replaceAll(g.rangePattern, "%s", chartToWord(languageNumber)) +
                         "," + g.ratings + "," + description);
}

TGreaseChart::TGreaseChart(const strings::StringTable* texts)
    : m_texts(texts),
      m_rowCount(parseChartRowCount(
          strings::LangStrOrEmpty(texts, text::keys::strSelChartHeadCount))) {}

void TGreaseChart::writeHead(std::vector<std::string>& lines) const {
    // The cell margins and alignment, lines 11 to 14, recur in every style block.
    constexpr std::string_view kCellBox[] = {"margin-left : 1px;", "padding-bottom : 1px;",
                                             "padding-top : 1px;", "vertical-align : top;"};
    append(lines, {R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.0 Transitional//EN">)", "<html>",
                   "<head>", "<title>Selection Chart</title>",
                   R"(<meta http-equiv="Content-Type" content="text/html; charset=UTF-8"/>)",
                   "<style>", "td.s    {", "font-size : 9px ;", "font-weight : normal;",
                   "background-color : #ffffff;"});
    lines.insert(lines.end(), std::begin(kCellBox), std::end(kCellBox));
    append(lines, {"}", "td.sdg  {", "font-size:  9px ;", "font-weight  :  normal;",
                   "background-color        :  #f9f9f9;"});
    lines.insert(lines.end(), std::begin(kCellBox), std::end(kCellBox));
    append(lines, {"        }", "td.sb   {", "font-size : 9px ;", "font-weight : bold;",
                   "background-color : #ffffff;"});
    lines.insert(lines.end(), std::begin(kCellBox), std::end(kCellBox));
    append(lines, {"padding-left:4px;", "text-align: left;", "}", "</style>", "</head>"});
}

void TGreaseChart::writeGreaseTable(int languageNumber, std::string_view fontFace,
                                    int firstGrease, int lastGrease, ChartPart part,
                                    std::vector<std::string>& lines) const {
    namespace keys = text::keys;
    openDocument(*this, part, lines);
    lines.push_back(R"(<font face=")" + std::string(fontFace) + R"(" size="-1">)");
    lines.emplace_back("<br>");
    lines.emplace_back(R"(<table border="1" width="100%" cellpadding="0" cellspacing="0">)");

    const int columns = lastGrease >= firstGrease ? lastGrease - firstGrease + 1 : 0;
    const int width = 100 / (columns + 1);
    std::vector<ChartGrease> greases;
    std::vector<std::vector<std::string>> records;
    for (int g = firstGrease; g <= lastGrease; ++g) {
        greases.push_back(chartGrease(g));
        records.push_back(chartGreaseRecord(m_texts, g, languageNumber));
    }

    const std::string_view kNameSpan = R"(<span style="font-weight:bold; font-size:11px)";
    for (int r = 1; r <= m_rowCount; ++r) {
        if (r == 10 || r == 11) // ratings 6 and 7 are not shown
            continue;
        lines.emplace_back("<tr>");
        std::string header = strings::LangStrOrEmpty(m_texts, keys::selChartHeadKey(r));
        if (r == 1)
            header = std::string(kNameSpan) + "\">" + header + "</span>";
        lines.push_back(cellOpening(r == 1 ? "C0C0C0" : "FFFFFF", width) + header + "</td>");
        for (std::size_t i = 0; i < greases.size(); ++i) {
            const ChartGrease& g = greases[i];
            std::string cell;
            if (r == 1) {
                cell = cellOpening(g.strongColour, width) + std::string(kNameSpan) + "; color:#" +
                       g.nameTextColour + "\">" + g.name + "</span>";
            } else {
                const std::vector<std::string>& record = records[i];
                const std::size_t field = static_cast<std::size_t>(r) - 1;
                const std::string text = field < record.size() ? record[field] : std::string();
                cell = cellOpening(g.lightColour, width) + (isSymbol(text) ? symbolSpan(text) : text);
            }
            lines.push_back(cell + "</td>");
        }
        lines.emplace_back("</tr>");
    }

    append(lines, {"</table>", "<br>",
                   R"(<table border="0" width="100%" cellpadding="0" cellspacing="0">)", "<tr>"});
    const std::pair<std::string_view, std::string_view> legend[] = {
        {"+", keys::strRecommended}, {"o", keys::strSuitable}, {"-", keys::strNotSuitable}};
    for (const auto& [symbol, key] : legend)
        lines.push_back(R"(<td align="center"> )" + symbolSpan(symbol) + " " +
                        strings::LangStrOrEmpty(m_texts, key) + "</td>");
    append(lines, {"</tr>", "</table>", "</font>"});
    closeDocument(part, lines);
}

void TGreaseChart::writeFooter(std::string_view fontFace, ChartPart part,
                               std::vector<std::string>& lines) const {
    namespace keys = text::keys;
    openDocument(*this, part, lines);
    lines.push_back(R"(<font face=")" + std::string(fontFace) + R"(">)");
    lines.emplace_back(R"(<div style="font-size:9px;">)");
    // The last explanation line is written twice; the page has always shown it so.
    for (std::string_view key : {keys::strSelChart_03, keys::strSelChart_04, keys::strSelChart_05,
                                 keys::strSelChart_06, keys::strSelChart_06})
        lines.push_back(strings::LangStr(m_texts, key) + "<br>");
    append(lines, {"</div>", "<br>"});
    writeLegend(lines);
    lines.emplace_back("</font>");
    closeDocument(part, lines);
}

void TGreaseChart::writeLegend(std::vector<std::string>& lines) {
    lines.reserve(lines.size() + 147);
    append(lines, {R"(<table width="100%" border="0" cellspacing="0" cellpadding="0">)", "<tr><td>"});

    openBox(lines);
    row(lines, {R"(<td colspan="2" class="sb">&nbsp;Temperature</td>)"});
    ruleRow(lines, 2);
    row(lines, {R"(<td class="sdg">&nbsp;L = Low</td>)", R"(<td class="sdg">&lt;50 &deg;C / 122 &deg;F</td>)"});
    row(lines, {R"(<td class="s">&nbsp;M = Medium</td>)", R"(<td class="s">50 to 100 &deg;C /-122 to 230 &deg;F</td>)"});
    row(lines, {R"(<td class="sdg">&nbsp;H = High</td>)", R"(<td class="sdg">&gt; 100 &deg;C/ 212 &deg;F</td>)"});
    row(lines, {R"(<td class="s">&nbsp;EH = Extremely High&nbsp;</td>)", R"(<td class="s">&gt; 150 &deg;C /302 &deg;F</td>)"});
    ruleRow(lines, 2);
    row(lines, {R"(<td colspan="2" class="sdg">&nbsp;<br>&nbsp;<br></td>)"});
    lines.emplace_back("</table>");

    append(lines, {"</td>", R"(<td width="10">&nbsp;</td>)", "<td>"});

    openBox(lines);
    row(lines, {R"(<td colspan="2" class="sb">&nbsp;Load</td>)"});
    ruleRow(lines, 2);
    row(lines, {R"(<td class="sdg">&nbsp;VH = Very High</td>)", R"(<td class="sdg">C/P &lt; 2</td>)"});
    row(lines, {R"(<td class="s">&nbsp;H = High</td>)", R"(<td class="s">C/P - 4</td>)"});
    row(lines, {R"(<td class="sdg">&nbsp;M = Medium</td>)", R"(<td class="sdg">C/P - 8</td>)"});
    row(lines, {R"(<td class="s">&nbsp;L = Low</td>)", R"(<td class="s">C/P &gt; 15</td>)"});
    ruleRow(lines, 2);
    // The second cell of the last row spans two lines.
    row(lines, {R"(<td class="sdg">&nbsp;C/P = Load ratio&nbsp;&nbsp;&nbsp;&nbsp;<br></td>)",
                R"(<td class="sdg">C = basic dynamic load rating, kN<br>)",
                R"(P = equivalent dynamic bearing load, kN&nbsp;&nbsp;</td>)"});
    lines.emplace_back("</table>");

    append(lines, {"</td>", "</tr>", "</table>", "<br>",
                   R"(<table width="100%" border="0" cellspacing="0" cellpadding="0">)", "<tr>", "<td>"});

    openBox(lines);
    row(lines, {R"(<td colspan="2" class="sb">&nbsp;Speed for ball bearings</td>)"});
    ruleRow(lines, 2);
    row(lines, {R"(<td class="sdg">&nbsp;EH = Extremely High</td>)", R"(<td class="sdg">n. dm over 700,000</td>)"});
    row(lines, {R"(<td class="sdg">&nbsp;VH = Very High</td>)", R"(<td class="sdg">n. dm up to 700,000</td>)"});
    row(lines, {R"(<td class="s">&nbsp;H = High</td>)", R"(<td class="s">n. dm up to 500,000</td>)"});
    row(lines, {R"(<td class="sdg">&nbsp;M = Medium</td>)", R"(<td class="sdg">n. dm up to 300,000</td>)"});
    row(lines, {R"(<td class="s">&nbsp;L = Low</td>)", R"(<td class="s">n. dm below 100,000</td>)"});
    ruleRow(lines, 2);
    lines.emplace_back("</table>");

    append(lines, {"</td>", R"(<td width="10">&nbsp;</td>)", "<td>"});

    openBox(lines);
    row(lines, {R"(<td class="sb">&nbsp;Speed for roller bearings</td>)",
                R"(<td class="sb">SRB / TRB / TORB</td>)", R"(<td class="sb">CRB</td>)"});
    ruleRow(lines, 3);
    row(lines, {R"(<td class="sdg">&nbsp;H = High</td>)", R"(<td class="sdg">n. dm over 210,000</td>)",
                R"(<td class="sdg">n. dm over 270,000</td>)"});
    row(lines, {R"(<td class="s">&nbsp;M = Medium</td>)", R"(<td class="s">n. dm up to 210,000</td>)",
                R"(<td class="s">n. dm up to 270,000</td>)"});
    row(lines, {R"(<td class="sdg">&nbsp;L = Low</td>)", R"(<td class="sdg">n. dm up to 75,000</td>)",
                R"(<td class="sdg">n. dm up to 75,000</td>)"});
    row(lines, {R"(<td class="s">&nbsp;VL = Very Low</td>)", R"(<td class="s">n. dm below 30,000</td>)",
                R"(<td class="s">n. dm below 30,000</td>)"});
    ruleRow(lines, 3);
    row(lines, {R"(<td colspan="3" class="sdg">&nbsp;&nbsp;n.dm= rotational speed, r/min x 0,5 (D+d), mm</td>)"});
    lines.emplace_back("</table>");

    append(lines, {R"(<br clear="all"></td>)", "</tr>", "</table>"});
}

std::vector<std::string> selChartPageLines(const strings::StringTable* texts,
                                           std::string_view fontName) {
    const TGreaseChart chart(texts);
    const int language = strings::CurrentLanguageNumber(texts);
    std::vector<std::string> lines;
    // Two tables, the first one taking the odd grease.
    const int firstTableColumns = (kChartGreaseCount + 1) / 2;
    chart.writeGreaseTable(language, fontName, 1, firstTableColumns, ChartPart::First, lines);
    chart.writeGreaseTable(language, fontName, firstTableColumns + 1, kChartGreaseCount, ChartPart::Middle,
                           lines);
    lines.emplace_back("<hr>");
    chart.writeFooter(fontName, ChartPart::Last, lines);
    return lines;
}

std::string selChartPageDocument(const strings::StringTable* texts, std::string_view fontName) {
    return htmlFileBytes(selChartPageLines(texts, fontName));
}

std::string writeSelChartPage(const std::string& path, const strings::StringTable* texts,
                              std::string_view fontName) {
    std::string bytes = selChartPageDocument(texts, fontName);
    files::writeFileAtomically(path, bytes);
    return bytes;
}

} // namespace unctora::reports
