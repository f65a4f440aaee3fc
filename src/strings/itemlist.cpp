#include "strings/itemlist.h"

namespace unctora::strings {

namespace {

bool isBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 0x20; }

} // namespace

std::vector<std::string> parseItemList(std::string_view text) {
    std::vector<std::string> items;
    const std::size_t n = text.size();
    std::size_t p = 0;
    while (true) {
        while (p < n && isBlankOrControl(text[p]))
            ++p;
        if (p >= n)
            break;

        std::string item;
        if (text[p] == '"') {
            ++p;
            while (p < n) {
                if (text[p] == '"') {
                    if (p + 1 < n && text[p + 1] == '"') {
                        item += '"';
                        p += 2;
                        continue;
                    }
                    ++p; // the closing quote
                    break;
                }
                item += text[p++];
            }
        } else {
            const std::size_t start = p;
            while (p < n && text[p] != ',' && !isBlankOrControl(text[p]))
                ++p;
            item.assign(text, start, p - start);
        }
        items.push_back(std::move(item));

        while (p < n && text[p] == ' ')
            ++p;
        if (p < n && text[p] == ',') {
            ++p;
            if (p == n)
                items.emplace_back(); // a comma at the very end
        }
    }
    return items;
}

std::string BreakAtNewline(std::string_view text) {
    const std::size_t at = text.find("\\n");
    if (at == std::string_view::npos)
        return std::string(text) + '\r';
    std::string out(text.substr(0, at));
    out += '\r';
    out.append(text.substr(at + 2));
    return out;
}

} // namespace unctora::strings
