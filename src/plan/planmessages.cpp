#include "plan/planmessages.h"

#include "text/format.h"
#include "strings/itemlist.h"
#include "strings/stringtable.h"

#include <span>

namespace unctora::plan {

std::string messageText(const PlanMessage& m, const strings::StringTable* table, std::string_view decimalSeparator) {
    std::vector<std::string> texts;
    texts.reserve(m.args.size());
    std::vector<text::FmtArg> args;
    args.reserve(m.args.size());
    // Item names are looked up first, so that the texts outlive the arguments.
    for (const auto& a : m.args) {
        const PlanMessage::Item* item = std::get_if<PlanMessage::Item>(&a);
        std::string text;
        if (item) {
            if (table) {
                const std::vector<std::string> items = strings::parseItemList(strings::LangStr(table, item->list));
                if (item->index >= 0 && static_cast<std::size_t>(item->index) < items.size())
                    text = items[static_cast<std::size_t>(item->index)];
            }
            const std::span<const std::string_view> english =
                item->list == kReasonItems ? std::span<const std::string_view>(kReasonEnglish)
                                           : std::span<const std::string_view>(kUnitDiffEnglish);
            if (text.empty() && item->index >= 0 && static_cast<std::size_t>(item->index) < english.size())
                text = std::string(english[static_cast<std::size_t>(item->index)]);
        }
        texts.push_back(std::move(text));
    }
    for (std::size_t i = 0; i < m.args.size(); ++i) {
        const auto& a = m.args[i];
        if (const long long* n = std::get_if<long long>(&a))
            args.emplace_back(*n);
        else if (const double* d = std::get_if<double>(&a))
            args.emplace_back(*d);
        else if (const std::string* t = std::get_if<std::string>(&a))
            args.emplace_back(*t);
        else
            args.emplace_back(texts[i]);
    }
    // A translation that does not fit its values: the English text says it.
    auto translated = [&](std::string_view key, std::string_view english,
                          std::span<const text::FmtArg> values) {
        if (table && !key.empty()) {
            try {
                return text::format(strings::LangStr(table, key), values, decimalSeparator);
            } catch (const text::FormatError&) {
            }
        }
        return text::format(english, values, decimalSeparator);
    };
    std::string text = translated(m.key, m.english, args);
    if (m.line == 0)
        return text;
    const text::FmtArg lineArgs[] = {m.line, text};
    return translated(kLine.key, kLine.english, lineArgs);
}

} // namespace unctora::plan
