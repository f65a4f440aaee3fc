#pragma once
// ASCII letter case and blanks, as keys, names and column headers are matched: bytes
// beyond ASCII count as they are.

#include <algorithm>
#include <string>
#include <string_view>

namespace unctora::text {

constexpr char asciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

inline std::string asciiUpper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = asciiUpper(c);
    return out;
}

constexpr bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiUpper(x) == asciiUpper(y);
           });
}

// Without the blanks and tabs around it.
constexpr std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

} // namespace unctora::text
