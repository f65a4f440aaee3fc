#include "reports/accessories.h"

#include "text/keys.h"
#include "strings/stringtable.h"

#include <algorithm>
#include <cstdio>

namespace unctora::reports {

namespace {

namespace K = text::keys;

// In the order of the Accessories tab, grouped by kind: thread adapters, elbows and
// connectors, tubes and hoses, valves, mounting, protection, oil applicators, and the
// parts that belong to one drive. The comment is the picture number.
constexpr std::array<Accessory, kAccessoryCount> kCatalogue{{
    {"TLMP AD-M6", K::strTLMPADM6, AccSuitability::Any}, // 101
    {"TLMP AD-M8", K::strTLMPADM8, AccSuitability::Any}, // 102
    {"TLMP AD-M10", K::strTLMPADM10, AccSuitability::Any}, // 103
    {"TLMP AD-M12", K::strTLMPADM12, AccSuitability::Any}, // 104
    {"TLMP AD-G18", K::strTLMPADG18, AccSuitability::Any}, // 105
    {"TLMP AD-G38", K::strTLMPADG38, AccSuitability::Any}, // 106
    {"TLMP AD-G12", K::strTLMPADG12, AccSuitability::Any}, // 107
    {"TLMP AD-NPT14", K::strTLMPADNPT14, AccSuitability::Any}, // 108
    {"TLMP AD-NPT18", K::strTLMPADNPT18, AccSuitability::Any}, // 109
    {"TLMP SOCK-14", K::strTLMPSOCK14, AccSuitability::Any}, // 110
    {"TLMP ELB-90", K::strTLMPELB90, AccSuitability::Any}, // 111
    {"TLMP ELB-45", K::strTLMPELB45, AccSuitability::Any}, // 112
    {"TLMP SWV-90", K::strTLMPSWV90, AccSuitability::Any}, // 113
    {"TLMP Y-14", K::strTLMPY14, AccSuitability::Any}, // 114
    {"TLMP EXT-50", K::strTLMPEXT50, AccSuitability::Any}, // 115
    {"TLMP EXT-100", K::strTLMPEXT100, AccSuitability::Any}, // 116
    {"TLMP EXT-150", K::strTLMPEXT150, AccSuitability::Any}, // 117
    {"TLMP HOSE-300", K::strTLMPHOSE300, AccSuitability::Any}, // 118
    {"TLMP TUBE-8", K::strTLMPTUBE8, AccSuitability::Any}, // 119
    {"TLMP PC-8", K::strTLMPPC8, AccSuitability::Any}, // 120
    {"TLMP CV-14", K::strTLMPCV14, AccSuitability::Any}, // 121
    {"TLMP CV-OIL", K::strTLMPCVOIL, AccSuitability::OilFilledOnly}, // 122
    {"TLMP BR-1", K::strTLMPBR1, AccSuitability::Any}, // 123
    {"TLMP BR-2", K::strTLMPBR2, AccSuitability::Any}, // 124
    {"TLMP CLP-V", K::strTLMPCLPV, AccSuitability::VoxaOnly}, // 125
    {"TLMP CLP-T", K::strTLMPCLPT, AccSuitability::TenoOnly}, // 126
    {"TLMP MAG-50", K::strTLMPMAG50, AccSuitability::Any}, // 127
    {"TLMP COV-V", K::strTLMPCOVV, AccSuitability::VoxaOnly}, // 128
    {"TLMP COV-T", K::strTLMPCOVT, AccSuitability::TenoOnly}, // 129
    {"TLMP GRD-1", K::strTLMPGRD1, AccSuitability::Any}, // 130
    {"TLMP BRU-20", K::strTLMPBRU20, AccSuitability::OilFilledOnly}, // 131
    {"TLMP BRU-40", K::strTLMPBRU40, AccSuitability::OilFilledOnly}, // 132
    {"TLMP BRU-R25", K::strTLMPBRUR25, AccSuitability::OilFilledOnly}, // 133
    {"TLMP PAD-60", K::strTLMPPAD60, AccSuitability::OilFilledOnly}, // 134
    {"TLMP BAT-T", K::strTLMPBATT, AccSuitability::TenoOnly}, // 135
    {"TLMP KEY-V", K::strTLMPKEYV, AccSuitability::VoxaOnly}, // 136
    {"TLMP FILL-14", K::strTLMPFILL14, AccSuitability::Any}, // 137
}};

std::string unknownAccessory(int number) { return "Unknown acc: " + std::to_string(number); }

bool validNumber(int number) { return number >= 0 && number < kAccessoryCount; }

std::string rgbHex(std::uint32_t rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(rgb & 0xFFFFFF));
    return text;
}

void appendEscaped(std::string& out, std::string_view text) {
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
}

// A cell's lines joined by sep, each escaped for HTML or left as it is.
std::string joinLines(std::string_view text, std::string_view sep, bool escape) {
    std::string out;
    bool first = true;
    for (const std::string& line : accessoryCellLines(text)) {
        if (!first) out += sep;
        first = false;
        if (escape)
            appendEscaped(out, line);
        else
            out += line;
    }
    return out;
}

} // namespace

std::span<const Accessory> accessoryCatalogue() { return kCatalogue; }

std::string accessoryDesignation(int number) {
    return validNumber(number) ? std::string(kCatalogue[static_cast<std::size_t>(number)].designation)
                               : unknownAccessory(number);
}

int accessoryNumber(std::string_view designation) {
    for (int i = 0; i < kAccessoryCount; ++i)
        if (kCatalogue[static_cast<std::size_t>(i)].designation == designation)
            return i;
    return -1;
}

int accessoryPictureNumber(int number) { return validNumber(number) ? kFirstAccessoryPicture + number : 0; }

int accessoryPictureNumberOf(std::string_view designation) {
    return accessoryPictureNumber(accessoryNumber(designation));
}

std::string accessoryDescriptionKey(std::string_view designation) {
    std::string key = "str";
    for (char c : designation)
        if (c != ' ' && c != '-')
            key += c;
    return key;
}

std::string_view suitabilityKey(AccSuitability suitability) {
    switch (suitability) {
    case AccSuitability::VoxaOnly: return K::strSuitableVOXA;
    case AccSuitability::TenoOnly: return K::strSuitableTENO;
    case AccSuitability::OilFilledOnly: return K::strSuitableOilFilled;
    case AccSuitability::Any: break;
    }
    return {};
}

std::vector<std::string> loadAccessoryDescriptions(const strings::StringTable* texts) {
    std::vector<std::string> descriptions;
    descriptions.reserve(kAccessoryCount);
    for (const Accessory& a : kCatalogue)
        descriptions.push_back(strings::LangStr(texts, a.descriptionKey));
    return descriptions;
}

std::string accessoryDescription(std::span<const std::string> descriptions, int number) {
    if (!validNumber(number))
        return unknownAccessory(number);
    const auto index = static_cast<std::size_t>(number);
    return index < descriptions.size() ? descriptions[index] : std::string();
}

std::string accessoryDescriptionCell(std::string_view description, std::string_view suitabilityText) {
    std::string cell(description);
    if (!suitabilityText.empty()) {
        cell += kAccLineBreak;
        cell += suitabilityText;
    }
    return cell;
}

std::vector<AccGridRow> accessoryGrid(const strings::StringTable* texts,
                                      std::span<const std::string> descriptions) {
    std::vector<AccGridRow> grid;
    grid.reserve(kAccRowCount);
    grid.push_back({strings::LangStr(texts, K::strAccDesig), strings::LangStr(texts, K::strAccDesc)});
    for (int i = 0; i < kAccessoryCount; ++i) {
        const std::string_view groupKey = suitabilityKey(kCatalogue[static_cast<std::size_t>(i)].suitability);
        const std::string groupText = groupKey.empty() ? std::string() : strings::LangStr(texts, groupKey);
        grid.push_back({accessoryDesignation(i),
                        accessoryDescriptionCell(accessoryDescription(descriptions, i), groupText)});
    }
    return grid;
}

std::vector<std::string> accessoryCellLines(std::string_view text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

int accessoryRowHeight(const AccGridRow& row, int lineHeight) {
    std::size_t lines = 1;
    for (const std::string& cell : row)
        lines = std::max(lines, accessoryCellLines(cell).size());
    return std::max(kAccMinRowHeight, static_cast<int>(lines) * (lineHeight + lineHeight / 8));
}

int accessoryRowAfterRefill(int rememberedRow, int rowCount) {
    if (rowCount < 2)
        return 0; // only the header: no data row to make current
    return std::clamp(rememberedRow, 1, rowCount - 1);
}

AccCellShade accessoryCellShade(int row, int currentRow) {
    if (row < 1)
        return AccCellShade::Fixed;
    if (row == currentRow)
        return AccCellShade::Selected;
    return row % 2 == 1 ? AccCellShade::OddRow : AccCellShade::Plain;
}

std::string accessoryCopyText(std::span<const AccGridRow> grid) {
    std::string text;
    for (std::size_t r = 0; r < grid.size(); ++r) {
        if (r > 0) text += "\r\n";
        for (std::size_t c = 0; c < grid[r].size(); ++c) {
            if (c > 0) text += '\t';
            text += joinLines(grid[r][c], " ", false);
        }
    }
    return text;
}

AccRect accessoryPictureWindowGeometry(const AccRect& mainWindow, int pictureWidth,
                                       int pictureHeight, const AccWindowMetrics& m) {
    AccRect r;
    r.width = pictureWidth + 2 * m.dialogFrameWidth;
    r.height = pictureHeight + m.captionHeight + 2 * m.dialogFrameHeight;
    r.left = mainWindow.left + mainWindow.width - r.width -
             (m.verticalScrollBarWidth + m.dialogFrameWidth) - 30;
    r.top = mainWindow.top + mainWindow.height - r.height - 70;
    return r;
}

std::string_view htmlLanguageCode(int languageNumber) {
    static constexpr std::array<std::string_view, strings::kLanguageCount> codes = {
        "en", "de", "fr", "it", "sv", "es", "zh", "th", "ru", "pt", "ja"};
    if (languageNumber < 1 || languageNumber > strings::kLanguageCount)
        return codes[0];
    return codes[static_cast<std::size_t>(languageNumber - 1)];
}

std::string accessoryHtml(std::span<const AccGridRow> grid, const AccHtmlOptions& options) {
    std::string out;
    out.reserve(16384);
    out += "<!DOCTYPE html>\r\n<html lang=\"";
    out += htmlLanguageCode(options.languageNumber);
    out += "\">\r\n<head>\r\n<meta charset=\"utf-8\">\r\n<title>";
    appendEscaped(out, options.title);
    out += "</title>\r\n<style>\r\n"
           "table { border-collapse: collapse; font-family: sans-serif; font-size: 10pt; }\r\n"
           "th, td { border: 1px solid #C0C0C0; padding: 4px 6px; text-align: left; vertical-align: top; }\r\n"
           "th { background: #E0E0E0; font-weight: bold; }\r\n"
           "</style>\r\n</head>\r\n<body>\r\n<table>\r\n";
    for (std::size_t r = 0; r < grid.size(); ++r) {
        const int row = static_cast<int>(r);
        const AccCellShade shade = accessoryCellShade(row, options.currentRow);
        out += "<tr";
        if (shade == AccCellShade::Selected)
            out += " style=\"background: " + rgbHex(kAccSelectedBackground) +
                   "; color: " + rgbHex(options.highlightText) + "\"";
        else if (shade == AccCellShade::OddRow)
            out += " style=\"background: " + rgbHex(kAccOddRowBackground) + "\"";
        out += '>';
        const char* cellTag = shade == AccCellShade::Fixed ? "th" : "td";
        for (std::size_t c = 0; c < grid[r].size(); ++c) {
            out += '<';
            out += cellTag;
            if (c == 0 && shade != AccCellShade::Fixed)
                out += " style=\"white-space: nowrap\"";
            out += '>';
            out += joinLines(grid[r][c], "<br>", true);
            out += "</";
            out += cellTag;
            out += '>';
        }
        out += "</tr>\r\n";
    }
    out += "</table>\r\n</body>\r\n</html>\r\n";
    return out;
}

} // namespace unctora::reports
