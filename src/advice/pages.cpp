#include "advice/pages.h"

#include <stdexcept>

namespace unctora::advice {

Page Page::note(int lubricator, int code) {
    Page p;
    p.kind = Kind::Note;
    p.code = code;
    p.lubricator = lubricator;
    return p;
}

Page Page::warning(std::string_view key, Lookup lookup, std::initializer_list<PageValue> values) {
    if (values.size() > kMaxValues)
        throw std::length_error("a warning takes at most three values");
    Page p;
    p.kind = Kind::Warning;
    p.key = key;
    p.lookup = lookup;
    p.valueCount = static_cast<std::uint8_t>(values.size());
    std::size_t i = 0;
    for (const PageValue& v : values)
        p.values[i++] = v;
    return p;
}

Page Page::error(std::string message) {
    Page p;
    p.kind = Kind::Error;
    p.message = std::move(message);
    return p;
}

bool Page::operator==(const Page& o) const {
    if (kind != o.kind)
        return false;
    switch (kind) {
    case Kind::Note:
        return code == o.code && lubricator == o.lubricator;
    case Kind::Warning: {
        if (key != o.key || lookup != o.lookup || valueCount != o.valueCount)
            return false;
        for (std::size_t i = 0; i < valueCount; ++i)
            if (values[i] != o.values[i])
                return false;
        return true;
    }
    case Kind::Error:
        return message == o.message;
    }
    return false;
}

void appendFailurePages(Pages& pages, int lubricator, std::string_view message) {
    pages.push_back(Page::note(lubricator, kFailureNote));
    pages.push_back(Page::error(std::string(message)));
}

Pages failurePages(int lubricator, std::string_view message) {
    Pages pages;
    appendFailurePages(pages, lubricator, message);
    return pages;
}

} // namespace unctora::advice
