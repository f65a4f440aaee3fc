#include "strings/stringedit.h"

#include "files/fileio.h"

#include <algorithm>

namespace unctora::strings {

namespace {

std::string twoDigits(int n) {
    std::string digits = std::to_string(n);
    if (n >= 0 && digits.size() < 2)
        digits.insert(0, 2 - digits.size(), '0');
    return digits;
}

bool isBlankMarker(std::string_view text) { return text == "-" || text == "\"\""; }

// Field col (0-based) of a column entry's value, as the look-up reads it before any
// fall-back: empty when the line holds fewer texts.
std::string_view rawField(std::string_view value, int col) {
    for (int i = 0; i < col && !value.empty(); ++i) {
        const auto tilde = value.find('~');
        value = tilde == std::string_view::npos ? std::string_view{} : value.substr(tilde + 1);
    }
    return value.substr(0, value.find('~'));
}

// The value of the first line whose key is key (the line a look-up reads); empty when
// there is none.
std::string_view firstValue(const StringTable& table, std::string_view key) {
    const std::string upper = lineKey(key);
    const auto& keys = table.keys();
    const auto it = std::find(keys.begin(), keys.end(), upper);
    if (it == keys.end())
        return {};
    const std::string& line = table.lines()[static_cast<std::size_t>(it - keys.begin())];
    const auto eq = line.find('=');
    return eq == std::string::npos ? std::string_view{} : std::string_view(line).substr(eq + 1);
}

} // namespace

int LanguageSuffix(std::string_view key) {
    for (std::string_view family : {"strCalc", "strSelChart", "strSelChartHead"})
        if (key.find(family) != std::string_view::npos)
            return 0;
    const auto underscore = key.rfind('_');
    if (underscore == std::string_view::npos)
        return 0;
    const std::string_view digits = key.substr(underscore + 1);
    // Two characters at least; more than nine digits would not fit an integer.
    if (digits.size() < 2 || digits.size() > 9 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    return std::stoi(std::string(digits));
}

std::string languageEntryKey(std::string_view key, int suffix, int language) {
    const std::string marker = "_" + twoDigits(suffix);
    const auto cut = key.find(marker);
    std::string result(key.substr(0, cut));
    result += '_';
    result += twoDigits(language);
    return result;
}

std::string editedTextProblem(std::string_view text, bool numbered) {
    if (text.find_first_of("\r\n") != std::string_view::npos)
        return "A text cannot hold a line break.";
    if (!numbered && text.find('~') != std::string_view::npos)
        return "A text cannot hold the character \"~\": it separates the languages.";
    return {};
}

std::string editedLine(const StringTable& table, std::string_view key, int editLanguage,
                       std::string_view text, bool numbered) {
    std::string line(key);
    line += '=';
    if (numbered) {
        line += text;
        return line;
    }
    const std::string_view old = firstValue(table, key);
    for (int n = 1; n <= kLanguageCount; ++n) {
        if (n == editLanguage) {
            line += text;
        } else {
            const std::string_view raw = rawField(old, n - 1);
            line += isBlankMarker(raw) ? std::string(raw)
                                       : table.ResolveText(key, kLanguageNames[n - 1], 0);
        }
        line += '~';
    }
    return line;
}

std::string stringFileBytes(const StringTable& table) {
    std::size_t size = 3;
    for (const std::string& line : table.lines())
        size += line.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    bytes += "\xEF\xBB\xBF";
    for (const std::string& line : table.lines()) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

void SaveStringFile(const StringTable& table, const std::string& path) {
    files::writeFileAtomically(path, stringFileBytes(table));
}

} // namespace unctora::strings
