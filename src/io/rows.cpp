#include "io/rows.h"

#include "io/csv.h"
#include "io/plantcolumns.h"
#include "text/ascii.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <span>

namespace unctora::io {

namespace {

constexpr auto trim = text::trimBlanks;

using text::equalsNoCase;

} // namespace

// The plant file's own columns besides Id.
constexpr std::span<const std::string_view> kPlanColumns = std::span(io::kOwnColumnNames).subspan(1);

namespace {

// Lower case, without blanks, underscores and hyphens: "Installed On" and
// "installed_on" are both "installedon".
std::string columnKey(std::string_view name) {
    std::string out;
    for (char c : name)
        if (c != ' ' && c != '\t' && c != '_' && c != '-')
            out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    return out;
}

// Edits (insert, delete, replace, swap two neighbours) that turn a into b.
std::size_t editDistance(std::string_view a, std::string_view b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i)
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    return d[a.size()][b.size()];
}

std::vector<std::string_view> batchColumnNames() {
    std::vector<std::string_view> out{"Id"};
    out.insert(out.end(), std::begin(kPlanColumns), std::end(kPlanColumns));
    for (const core::InputField& f : core::inputFields())
        out.push_back(f.name);
    return out;
}

} // namespace

std::string_view meantColumn(std::string_view name, const std::vector<std::string_view>& known) {
    const std::string key = columnKey(name);
    // Names of 50 bytes and more are no slip of a known name.
    if (key.empty() || key.size() > 50)
        return {};
    std::string_view best;
    std::size_t bestDistance = 3;
    for (std::string_view k : known) {
        const std::string kk = columnKey(k);
        // Long names allow two letters off, others one, the shortest none: "Id" is not
        // "No", and a "Grade" is no "Grease".
        const std::size_t allowed = kk.size() >= 8 ? 2 : kk.size() >= 4 ? 1 : 0;
        const std::size_t d = editDistance(key, kk);
        if (d <= allowed && d < bestDistance) {
            best = k;
            bestDistance = d;
        }
    }
    return best;
}

std::string mistypedColumnError(std::string_view name, std::string_view meant) {
    return "the column \"" + printable(name) + "\" in the header is not known; is \"" + std::string(meant) +
           "\" meant?";
}

bool parseHeader(const std::vector<std::string>& names, std::size_t count,
                 std::vector<Column>& columns, std::string& error, std::vector<std::string>* unknown) {
    columns.clear();
    bool haveId = false;
    unsigned seenPlan = 0;
    std::vector<const core::InputField*> seen;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view name = trim(names[i]);
        Column c;
        if (equalsNoCase(name, "Id")) {
            if (haveId) {
                error = "the column \"" + printable(name) + "\" appears twice in the header";
                return false;
            }
            haveId = true;
        } else if (const auto plan = std::find_if(std::begin(kPlanColumns), std::end(kPlanColumns),
                                                  [&](std::string_view n) { return equalsNoCase(n, name); });
                   plan != std::end(kPlanColumns)) {
            c.planOnly = true;
            const std::size_t bit = static_cast<std::size_t>(plan - std::begin(kPlanColumns));
            if (seenPlan & (1u << bit)) {
                error = "the column \"" + printable(name) + "\" appears twice in the header";
                return false;
            }
            seenPlan |= 1u << bit;
        } else {
            c.field = core::findInputField(name);
            if (!c.field) {
                if (const std::string_view meant = meantColumn(name, batchColumnNames()); !meant.empty()) {
                    error = mistypedColumnError(name, meant);
                    return false;
                }
                c.unknown = true;
                if (unknown)
                    unknown->emplace_back(name);
                columns.push_back(c);
                continue;
            }
            for (auto* f : seen)
                if (f == c.field) {
                    error = "the column \"" + printable(name) + "\" appears twice in the header";
                    return false;
                }
            seen.push_back(c.field);
        }
        columns.push_back(c);
    }
    return true;
}

// Reads a plain run of at most nine decimal digits, the common case of a plant list.
bool plainDigits(std::string_view t, int& v) {
    if (t.empty() || t.size() > 9)
        return false;
    int x = 0;
    for (char c : t) {
        if (c < '0' || c > '9')
            return false;
        x = x * 10 + (c - '0');
    }
    v = x;
    return true;
}

bool setInput(core::CalcInputs& in, const core::InputField& f, std::string_view text,
              std::string& error) {
    int plain = 0;
    if (plainDigits(text, plain) && !(f.index && f.name == "Outlets")) {
        if (f.number)
            in.*f.number = plain;
        else
            in.*f.index = std::min(plain, f.max);
        return true;
    }
    text = trim(text);
    if (text.empty()) {
        if (f.number)
            in.*f.number = f.firstStart;
        else
            in.*f.index = f.firstStart;
        return true;
    }
    if (f.number) {
        double v = 0;
        const char* b = text.data();
        const char* e = b + text.size();
        if (*b == '+')
            ++b;
        auto r = std::from_chars(b, e, v);
        if (r.ec != std::errc() || r.ptr != e || !std::isfinite(v)) {
            error = "\"" + std::string(text) + "\" is not a number";
            return false;
        }
        in.*f.number = v;
        return true;
    }
    const bool numeric = (text[0] >= '0' && text[0] <= '9') || text[0] == '-' || text[0] == '+';
    // The outlet counts are named by their number ("10" to "20"), never by an index:
    // "3" or "15" would otherwise quietly become some other count.
    const bool byCountOnly = f.name == "Outlets";
    if (!numeric || byCountOnly)
        for (std::size_t i = 0; i < f.items.size(); ++i)
            if (equalsNoCase(trim(f.items[i]), text)) {
                in.*f.index = static_cast<int>(i);
                return true;
            }
    if (byCountOnly) {
        std::string offered;
        for (std::size_t i = 0; i < f.items.size(); ++i)
            offered += (i == 0 ? "" : i + 1 == f.items.size() ? " or " : ", ") + std::string(trim(f.items[i]));
        error = "\"" + std::string(text) + "\" is not an offered outlet count (" + offered + ")";
        return false;
    }
    long long v = 0;
    const char* b = text.data();
    const char* e = b + text.size();
    if (*b == '+')
        ++b;
    auto r = std::from_chars(b, e, v);
    if (r.ptr == e && (r.ec == std::errc() || r.ec == std::errc::result_out_of_range)) {
        // Out-of-range indexes are clamped as the settings file clamps them.
        if (r.ec == std::errc::result_out_of_range)
            v = (*b == '-') ? f.min : f.max;
        in.*f.index = static_cast<int>(std::clamp<long long>(v, f.min, f.max));
        return true;
    }
    error = "\"" + std::string(text) + "\" is neither an item of " + std::string(f.name) +
            " nor an index";
    return false;
}

} // namespace unctora::io
