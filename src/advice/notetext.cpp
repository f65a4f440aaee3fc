#include "advice/notetext.h"

#include "core/calcinputs.h"
#include "core/greases.h"
#include "core/lubricators.h"
#include "core/units.h"
#include "text/format.h"
#include "text/keys.h"
#include "strings/stringtable.h"

#include <stdexcept>
#include <array>
#include <iterator>
#include <optional>

namespace unctora::advice {

namespace {

namespace keys = text::keys;
using strings::LangStr;

// The multi-point units' amounts stand in for an index outside the table.
const core::LubricatorModel& amountRow(int lubricator) {
    const core::LubricatorModel* m = core::lubricatorModel(lubricator);
    return m ? *m : core::kLubricators[core::VOXA400];
}

// The ambient warnings quote the bound of their ambient class as its item shows it:
// fixed in degrees Fahrenheit, in SI converted and taken to the nearest ten.
struct AmbientBound {
    std::string_view key;
    int fahrenheit;
};
constexpr AmbientBound kAmbientBounds[] = {{keys::strLOW_AMB_WARN, 15}, {keys::strHIGH_AMB_WARN, 105}};

// The text of a warning that quotes an ambient bound, or nullopt for any other.
std::optional<std::string> ambientWarning(const Page& page, const std::string& tmpl,
                                          const strings::QuantityContext& q) {
    for (const AmbientBound& b : kAmbientBounds) {
        if (page.key != b.key)
            continue;
        const bool si = q.units == core::Units::SI;
        const strings::UnitLabels english;
        const strings::UnitLabels& labels = q.labels ? *q.labels : english;
        const int bound = si ? static_cast<int>(core::roundToTen(core::fahrenheitToCelsius(b.fahrenheit)))
                             : b.fahrenheit;
        return text::format(tmpl, {bound, si ? labels.celsiusLabel() : labels.fahrenheitLabel()},
                               q.decimalSeparator);
    }
    return std::nullopt;
}

// The limits notes 6 and 8 quote: the fastest feed rate of an outlet, in ounces per
// day, and the longest on-time of a pump. From the first model of each kind (the
// lubricator rows' test makes sure there is one); not constants to the compiler, which
// under its undefined-behaviour checks does not take an inline variable's address as one.
const core::FeedRateSpec& feedRateSpec() {
    for (const core::LubricatorModel& m : core::kLubricators)
        if (m.feedRate)
            return *m.feedRate;
    throw std::logic_error("no model has outlets set to feed rates");
}
const core::PumpSpec& pumpSpec() {
    for (const core::LubricatorModel& m : core::kLubricators)
        if (m.pump)
            return *m.pump;
    throw std::logic_error("no model has a pump");
}
const double kFeedRateMaxOzPerDay = feedRateSpec().fastestOzPerDay;
const int kMaxPumpMinutes = static_cast<int>(pumpSpec().maxOnMinutes);

std::string note1(int lub, const strings::StringTable* t, const strings::QuantityContext& q) {
    std::string text =
        strings::FormatQuantity(LangStr(t, keys::strNote1_1), 1, note1Amount(lub), "", "", q);
    // The models that have a larger size point to it.
    const int larger = amountRow(lub).larger;
    if (larger >= 0)
        text += text::format(LangStr(t, keys::strNote1_2), {core::lubricatorName(larger)},
                                q.decimalSeparator);
    else
        text += text::format(LangStr(t, keys::strNote1_3), {""}, q.decimalSeparator);
    return text;
}

std::string note2(int lub, const strings::StringTable* t, const strings::QuantityContext& q) {
    const double amount = note2Amount(lub);
    std::string text = strings::FormatQuantity(LangStr(t, keys::strNote2_1), 0, amount, "", "", q);
    // The models that have a smaller size point to it below their slowest rate.
    const int smaller = amountRow(lub).smaller;
    if (smaller >= 0) {
        text += strings::FormatQuantity(LangStr(t, keys::strNote2_2), 0, amount, "",
                                    core::lubricatorName(smaller), q);
    } else {
        // Longest run time in months: the grease ages in the unit.
        const std::string months = std::to_string(amountRow(lub).longestRunMonths);
        text += text::format(LangStr(t, keys::strNote2_3), {core::lubricatorName(lub), months},
                                q.decimalSeparator);
    }
    return text;
}

} // namespace

double note1Amount(int lubricator) { return amountRow(lubricator).note1OzPerMonth; }
double note2Amount(int lubricator) { return amountRow(lubricator).note2OzPerMonth; }

std::string NoteText(int lubricator, int code, const strings::StringTable* t,
                     const strings::QuantityContext& q) {
    switch (code) {
    case 1: return note1(lubricator, t, q);
    case 2: return note2(lubricator, t, q);
    case 3:
        return LangStr(t, keys::strNote3_1) + LangStr(t, keys::strNote3_2) +
               LangStr(t, keys::strNote3_3) + LangStr(t, keys::strNote3_4);
    case 4:
        return LangStr(t, keys::strNote4_4) + LangStr(t, keys::strNote4_5) +
               LangStr(t, keys::strNote4_6);
    case 5: return LangStr(t, keys::strCalcFailed);
    case 6:
        return strings::FormatQuantity(LangStr(t, keys::strNote6_1), 0, kFeedRateMaxOzPerDay,
                                   strings::UnitLabels::volumeUnitLabel(q.units), "", q) +
               LangStr(t, keys::strNote6_2);
    case 7: return LangStr(t, keys::strNote7_1);
    case 8:
        return text::format(LangStr(t, keys::strNote8_1), {kMaxPumpMinutes}, q.decimalSeparator);
    default: return {};
    }
}

std::string pageText(const Page& page, const strings::StringTable* t,
                     const strings::QuantityContext& q) {
    switch (page.kind) {
    case Page::Kind::Note:
        return NoteText(page.lubricator, page.code, t, q);
    case Page::Kind::Error:
        return page.message;
    case Page::Kind::Warning:
        break;
    }
    const int number =
        page.lookup == Page::Lookup::Numbered ? strings::CurrentLanguageNumber(t) : 0;
    std::string tmpl = LangStr(t, page.key, number);
    if (auto ambient = ambientWarning(page, tmpl, q))
        return *ambient;
    if (page.valueCount == 0)
        return tmpl;
    std::array<text::FmtArg, Page::kMaxValues> args{0, 0, 0};
    for (std::size_t i = 0; i < page.valueCount; ++i)
        args[i] = std::visit([](auto v) { return text::FmtArg(v); }, page.values[i]);
    return text::format(tmpl, std::span<const text::FmtArg>(args.data(), page.valueCount),
                           q.decimalSeparator);
}

} // namespace unctora::advice
