#include "plan/greasemix.h"

#include "core/calcinputs.h"
#include "core/greases.h"
#include "text/format.h"
#include "strings/stringtable.h"

#include <cctype>

namespace unctora::plan {

namespace {

// Lower case, hyphens and runs of blanks as one blank, no blanks at the ends.
std::string normalised(std::string_view s, bool dropBlanks) {
    std::string out;
    bool blank = false;
    for (char ch : s) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c == ' ' || c == '-' || c == '\t') {
            blank = true;
            continue;
        }
        if (blank && !out.empty() && !dropBlanks)
            out.push_back(' ');
        blank = false;
        out.push_back(static_cast<char>(std::tolower(c)));
    }
    return out;
}

std::string thickenerOf(int grease) {
    if (grease <= 0 || grease >= core::kGreaseCount)
        return {};
    return std::string(core::getGreaseData(grease).Thickener);
}

} // namespace

std::optional<int> greaseByName(std::string_view name) {
    const std::string wanted = normalised(name, true);
    if (wanted.empty())
        return std::nullopt;
    for (int g = 0; g < core::kGreaseCount; ++g)
        if (normalised(core::greaseName(g), true) == wanted)
            return g;
    return std::nullopt;
}

GreaseMix checkGreaseMix(int previousGrease, int newGrease) {
    GreaseMix m;
    m.previousThickener = thickenerOf(previousGrease);
    m.newThickener = thickenerOf(newGrease);
    if (previousGrease == newGrease && previousGrease > 0 && previousGrease < core::kGreaseCount)
        m.verdict = GreaseMix::Verdict::Same;
    else if (m.previousThickener.empty() || m.newThickener.empty())
        m.verdict = GreaseMix::Verdict::Unknown;
    else
        m.verdict = normalised(m.previousThickener, false) == normalised(m.newThickener, false)
                        ? GreaseMix::Verdict::Same
                        : GreaseMix::Verdict::Different;
    return m;
}

GreaseMix checkGreaseMix(std::string_view previousGrease, std::string_view newGrease) {
    const std::optional<int> a = greaseByName(previousGrease);
    const std::optional<int> b = greaseByName(newGrease);
    return checkGreaseMix(a ? *a : -1, b ? *b : -1);
}

std::string greaseMixWarning(const strings::StringTable* table, std::string_view previousGrease,
                             std::string_view newGrease) {
    const GreaseMix m = checkGreaseMix(previousGrease, newGrease);
    if (m.verdict != GreaseMix::Verdict::Different)
        return {};
    constexpr std::string_view kEnglish =
        "The new grease %s (thickener: %s) and the grease in the bearing, %s (thickener: %s), may not mix. "
        "Purge the old grease, and ask your grease supplier whether the two are compatible.";
    const std::string tmpl = table ? strings::LangStr(table, "strHistMixWarning") : std::string(kEnglish);
    const std::initializer_list<text::FmtArg> args = {newGrease, m.newThickener, previousGrease, m.previousThickener};
    try {
        return text::format(tmpl, args);
    } catch (const text::FormatError&) {
        return text::format(kEnglish, args); // a broken translation must not hide the warning
    }
}

} // namespace unctora::plan
