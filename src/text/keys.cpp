#include "text/keys.h"

#include <cstdio>

namespace unctora::text::keys {

namespace {

std::string numbered(std::string_view prefix, int n) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%.2d", n);
    return std::string(prefix) + digits;
}

std::vector<KeyInfo> buildList() {
    // The family members need storage for their names; they live as long as the list.
    static std::vector<std::string> familyNames = [] {
        std::vector<std::string> names;
        for (int slot = 1; slot <= kCalcSlots; ++slot)
            names.push_back(calcKey(slot));
        for (int row = 1; row <= kSelChartHeadRows; ++row)
            names.push_back(selChartHeadKey(row));
        return names;
    }();

    std::vector<KeyInfo> list;
#define UNCTORA_KEY_INFO(name, kind, signature, items) \
    list.push_back(KeyInfo{#name, Kind::kind, signature, items});
    UNCTORA_FIXED_KEYS(UNCTORA_KEY_INFO)
#undef UNCTORA_KEY_INFO
    for (const std::string& name : familyNames)
        list.push_back(KeyInfo{name, Kind::Column, "", 0});
    return list;
}

} // namespace

std::string calcKey(int slot) { return numbered("strCalc_", slot); }

std::string selChartHeadKey(int row) { return numbered("strSelChartHead_", row); }

std::string greaseDescriptionKey(std::string_view chartName) {
    std::string key = "strGrease_";
    for (char c : chartName)
        if (c != ' ')
            key += c;
    return key;
}

std::string languageMenuKey(std::string_view languageName) {
    return "str" + std::string(languageName);
}

const std::vector<KeyInfo>& allKeys() {
    static const std::vector<KeyInfo> list = buildList();
    return list;
}

const KeyInfo* findKey(std::string_view key) {
    for (const KeyInfo& info : allKeys())
        if (info.key == key)
            return &info;
    return nullptr;
}

} // namespace unctora::text::keys
