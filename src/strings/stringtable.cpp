#include "strings/stringtable.h"

#include "text/ascii.h"

#include "files/fileio.h"

#include <algorithm>

namespace unctora::strings {

namespace {

constexpr std::string_view kReplacementChar = "\xEF\xBF\xBD"; // U+FFFD
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Number of bytes of the well-formed sequence starting at s[i], or, when it is
// ill-formed, minus the length of its maximal subpart (at least one byte).
int sequenceLength(std::string_view s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80)
        return 1;
    int need;                     // continuation bytes after the lead
    unsigned char lo = 0x80, hi = 0xBF; // range of the first continuation byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        if (lead == 0xE0)
            lo = 0xA0; // no overlong forms
        else if (lead == 0xED)
            hi = 0x9F; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        if (lead == 0xF0)
            lo = 0x90;
        else if (lead == 0xF4)
            hi = 0x8F; // nothing above U+10FFFF
    } else {
        return -1; // stray continuation byte, C0, C1 or F5..FF
    }
    for (int k = 1; k <= need; ++k) {
        if (i + k >= s.size())
            return -k;
        const unsigned char c = byte(i + k);
        const bool fits = (k == 1) ? (c >= lo && c <= hi) : (c >= 0x80 && c <= 0xBF);
        if (!fits)
            return -k;
    }
    return need + 1;
}

// The value of a line: everything after its first "=", empty when it has none.
std::string_view lineValue(std::string_view line) {
    const auto eq = line.find('=');
    return eq == std::string_view::npos ? std::string_view{} : line.substr(eq + 1);
}

// Text before the first "~" (all of v when it holds none).
std::string_view firstText(std::string_view v) { return v.substr(0, v.find('~')); }

std::string numberedKey(std::string_view upperKey, int number) {
    // "%.2d": at least two digits, zero-padded.
    std::string digits = std::to_string(number);
    if (digits.size() < 2)
        digits.insert(0, 2 - digits.size(), '0');
    std::string k(upperKey);
    k += '_';
    k += digits;
    return k;
}

bool isEmptyTextMarker(std::string_view v) { return v == "\"\"" || v == "-"; }

} // namespace

int languageNumber(std::string_view name) {
    for (int i = 0; i < kLanguageCount; ++i)
        if (text::equalsNoCase(name, kLanguageNames[i]))
            return i + 1;
    return 0;
}

std::string notFoundMarker(std::string_view key) {
    std::string m;
    m.reserve(key.size() + 3);
    m += '"';
    m += key;
    m += "\"?";
    return m;
}

std::string numberedEmptyMarker(std::string_view key) {
    std::string m = "ExcErr: \"";
    m += key;
    m += '"';
    return m;
}

std::string lineKey(std::string_view line) { return text::asciiUpper(line.substr(0, line.find('='))); }

std::string toValidUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        // Copy runs of ASCII in one go: language files are mostly ASCII.
        std::size_t j = i;
        while (j < bytes.size() && static_cast<unsigned char>(bytes[j]) < 0x80)
            ++j;
        out.append(bytes, i, j - i);
        i = j;
        if (i == bytes.size())
            break;
        const int n = sequenceLength(bytes, i);
        if (n > 0) {
            out.append(bytes, i, static_cast<std::size_t>(n));
            i += static_cast<std::size_t>(n);
        } else {
            out += kReplacementChar;
            i += static_cast<std::size_t>(-n);
        }
    }
    return out;
}

std::vector<std::string> splitLanguageFileLines(std::string_view bytes) {
    if (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());
    const std::string text = toValidUtf8(bytes);

    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.emplace_back(text, start, i - start);
        i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    // A final line end closes the last line; only text after it makes another.
    if (start < text.size())
        lines.emplace_back(text, start, text.size() - start);
    return lines;
}

bool StringTable::LoadLanguageFile(const std::string& path) {
    std::string bytes;
    if (!files::readWholeFile(path, bytes, files::kMaxLanguageFileBytes))
        return false;
    loadFromBytes(bytes);
    return true;
}

void StringTable::loadFromBytes(std::string_view bytes) {
    std::vector<std::string> lines = splitLanguageFileLines(bytes);
    if (!lines.empty() && lines.front() == kHeaderLine)
        lines.erase(lines.begin());
    std::vector<std::string> keys;
    keys.reserve(lines.size());
    for (const std::string& line : lines)
        keys.push_back(lineKey(line));
    m_lines = std::move(lines);
    m_keys = std::move(keys);
}

bool StringTable::replaceLine(std::size_t index, std::string line) {
    if (index >= m_lines.size())
        return false;
    m_lines[index] = std::move(line);
    return true;
}

std::size_t StringTable::findLine(std::string_view upperKey) const {
    // Both sides are upper-cased already, so plain equality ignores ASCII case.
    for (std::size_t i = 0; i < m_keys.size(); ++i)
        if (m_keys[i] == upperKey)
            return i;
    return std::string::npos;
}

std::string StringTable::ResolveText(std::string_view key, std::string_view languageName,
                                     int number) const {
    // Negative numbers are no language and no item: they read the column entry.
    if (number < 0)
        number = 0;
    const std::string upperKey = text::asciiUpper(key);
    const std::string k = number > 0 ? numberedKey(upperKey, number) : upperKey;
    const int col = std::max(languageNumber(languageName), 1) - 1;

    const std::size_t found = findLine(k);
    if (found == std::string::npos)
        return notFoundMarker(key);
    const std::string_view whole = lineValue(m_lines[found]);
    std::string_view v = whole;

    if (number == 0) {
        for (int i = 0; i < col && !v.empty(); ++i) {
            const auto tilde = v.find('~');
            v = tilde == std::string_view::npos ? std::string_view{} : v.substr(tilde + 1);
        }
        v = firstText(v);
    }

    if (v.empty()) {
        if (number == 0) {
            v = firstText(whole);
        } else {
            const std::size_t first = findLine(numberedKey(upperKey, 1));
            if (first == std::string::npos)
                return numberedEmptyMarker(key);
            v = firstText(lineValue(m_lines[first]));
        }
    }

    if (isEmptyTextMarker(v))
        return {};
    return std::string(v);
}

bool StringTable::SetLanguageByName(std::string_view name) {
    const int n = languageNumber(name);
    if (n == 0)
        return false;
    m_currentLanguage = std::string(name);
    if (m_languageSelected)
        m_languageSelected(n);
    return true;
}

bool StringTable::SetLanguageByNumber(int n) {
    if (n < 1 || n > kLanguageCount)
        return false;
    m_currentLanguage = std::string(kLanguageNames[n - 1]);
    if (m_languageSelected)
        m_languageSelected(n);
    return true;
}

int StringTable::CurrentLanguageNumber() const {
    // The stored name is always one of the list; 1 guards a default-constructed state.
    return std::max(languageNumber(m_currentLanguage), 1);
}

std::string StringTable::LangStr(std::string_view key, int number) const {
    std::string r = ResolveText(key, m_currentLanguage, number);
    if (r.empty() || r == notFoundMarker(key))
        r = ResolveText(key, m_currentLanguage, 1);
    return m_decimalSeparator == "." ? r : withDecimalSeparator(r, m_decimalSeparator);
}

std::string StringTable::LangStrOrEmpty(std::string_view key, int number) const {
    std::string r = ResolveText(key, m_currentLanguage, number);
    if (r == notFoundMarker(key))
        r = ResolveText(key, m_currentLanguage, 1);
    return m_decimalSeparator == "." ? r : withDecimalSeparator(r, m_decimalSeparator);
}

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
} // namespace

std::string withDecimalSeparator(std::string_view text, std::string_view separator) {
    std::string out;
    out.reserve(text.size() + 8);
    const std::size_t n = text.size();
    std::size_t i = 0;
    auto digitsFrom = [&](std::size_t j) {
        while (j < n && isDigit(text[j]))
            ++j;
        return j;
    };
    while (i < n) {
        const char c = text[i];
        std::size_t end = i + 1;
        if (c == '%') {
            // A conversion, copied whole: flags, width, precision, conversion.
            end = i + 1;
            while (end < n && std::string_view("-+ 0#").find(text[end]) != std::string_view::npos)
                ++end;
            end = digitsFrom(end);
            if (end < n && text[end] == '.')
                end = end + 1 < n && text[end + 1] == '*' ? end + 2 : digitsFrom(end + 1);
            if (end < n)
                ++end;
        } else if (c == '<' && i + 1 < n && (isAsciiLetter(text[i + 1]) || text[i + 1] == '/' || text[i + 1] == '!')) {
            const std::size_t close = text.find('>', i);
            end = close == std::string_view::npos ? n : close + 1;
        } else if (isAsciiLetter(c) || (isDigit(c) && i > 0 && text[i - 1] == '.')) {
            // A word with the digits that continue it, or what follows a point that
            // was not a decimal one.
            while (end < n && (isAsciiLetter(text[end]) || isDigit(text[end])))
                ++end;
        } else if (isDigit(c)) {
            end = digitsFrom(i);
            if (end + 1 < n && text[end] == '.' && isDigit(text[end + 1])) {
                const std::size_t fraction = digitsFrom(end + 1);
                if (fraction + 1 < n && text[fraction] == '.' && isDigit(text[fraction + 1])) {
                    // "6.0.4.67": copied to its end unchanged.
                    end = fraction;
                    while (end + 1 < n && text[end] == '.' && isDigit(text[end + 1]))
                        end = digitsFrom(end + 1);
                } else {
                    out.append(text.substr(i, end - i));
                    out.append(separator);
                    out.append(text.substr(end + 1, fraction - end - 1));
                    i = fraction;
                    continue;
                }
            }
        }
        out.append(text.substr(i, end - i));
        i = end;
    }
    return out;
}

std::string LangStr(const StringTable* table, std::string_view key, int number) {
    return table ? table->LangStr(key, number) : std::string(kNoTableMarker);
}

std::string LangStrOrEmpty(const StringTable* table, std::string_view key, int number) {
    return table ? table->LangStrOrEmpty(key, number) : std::string(kNoTableMarker);
}

int CurrentLanguageNumber(const StringTable* table) {
    return table ? table->CurrentLanguageNumber() : 1;
}

std::string LanguageName(const StringTable* table, int n) {
    if (!table)
        return std::string(kNoTableMarker);
    if (n < 1 || n > kLanguageCount)
        return std::string(kLanguageNames[0]);
    return std::string(kLanguageNames[n - 1]);
}

std::string loadStatusText(const StringTable& table) {
    return std::to_string(kLanguageCount) + " languages, " + std::to_string(table.lineCount()) +
           " strings";
}

} // namespace unctora::strings
