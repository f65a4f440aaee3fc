// Loads arbitrary bytes as a language file and looks texts up in every language:
// whatever the file holds, loading and every look-up must answer.

#include "strings/itemlist.h"
#include "strings/stringtable.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace unctora::strings;

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

bool isValidUtf8(const std::string& s) { return toValidUtf8(s) == s; }

void lookUp(const StringTable& table, const std::string& key, int n, int lang) {
    const std::string a = table.LangStr(key, n);
    const std::string b = table.LangStrOrEmpty(key, n);
    const std::string c = table.ResolveText(key, LanguageName(&table, lang), n);
    check(isValidUtf8(a) && isValidUtf8(b) && isValidUtf8(c));
    // LangStrOrEmpty only differs from LangStr where LangStr retries.
    if (!b.empty() && b != notFoundMarker(key))
        check(a == b);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    StringTable table;
    table.loadFromBytes(bytes);
    check(table.lines().size() == table.keys().size());

    // Keys to look up: a few fixed ones, and the keys the file itself holds
    // (also spelled in lower case and with a numbered suffix stripped).
    std::vector<std::string> keys = {"strX", "", "str", "strW_01", "\"", "~"};
    for (std::size_t i = 0; i < table.lines().size() && i < 8; ++i) {
        const std::string& line = table.lines()[i];
        std::string key = line.substr(0, line.find('='));
        keys.push_back(key);
        for (char& c : key)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        keys.push_back(key);
        const auto us = key.rfind('_');
        if (us != std::string::npos)
            keys.push_back(key.substr(0, us));
    }

    // Every language reads the column entries; numbered look-ups run in one
    // language chosen by the input, which keeps each run short.
    const int numbers[] = {1, 2, 10, 11, 12, 100, -1, 2147483647};
    for (int lang = 0; lang <= kLanguageCount + 1; ++lang) {
        table.SetLanguageByNumber(lang);
        for (const std::string& key : keys)
            lookUp(table, key, 0, lang);
    }
    const int lang = size > 0 ? data[0] % (kLanguageCount + 2) : 1;
    table.SetLanguageByNumber(lang);
    for (const std::string& key : keys)
        for (int n : numbers)
            lookUp(table, key, n, lang);
    check(LangStr(nullptr, "strX") == kNoTableMarker);

    // The same bytes as an item list.
    for (const std::string& item : parseItemList(bytes))
        check(item.size() <= size);
    return 0;
}
