#include "advice/opcond.h"

#include "core/round.h"
#include "text/format.h"
#include "text/keys.h"
#include "strings/stringtable.h"

#include <algorithm>

namespace unctora::advice {

namespace {

namespace K = text::keys;
using Kind = DescriptionLine::Kind;

constexpr DescriptionLine col(std::string_view key) { return {Kind::Column, key}; }
constexpr DescriptionLine kBlank{Kind::Blank, {}};

// The lines of each row; the rows below point into these.
constexpr DescriptionLine kNormalSituation[] = {col(K::strNormalSituation)};
constexpr DescriptionLine kMoreLub[] = {col(K::strAppReqMoreLub)};
constexpr DescriptionLine kLoadsLow[] = {col(K::strLoadsLow)};
constexpr DescriptionLine kLoadsMedium[] = {col(K::strLoadsMedium), col(K::strIncFlowRate)};
constexpr DescriptionLine kLoadsHigh[] = {col(K::strLoadsHigh), col(K::strIncFlowRate)};
constexpr DescriptionLine kLoadsVeryHigh[] = {col(K::strLoadsVeryHigh), col(K::strIncFlowRate)};
constexpr DescriptionLine kShock[] = {col(K::strShockLoad_1), col(K::strShockLoad_2),
                                      col(K::strShockLoad_3), col(K::strShockLoad_4)};
// The bearing temperature each class is computed with, against the reference of
// 70 °C at which every 15 °C more halves the grease life.
using Quoted = DescriptionLine::Quoted;
constexpr Quoted kReference{70};
constexpr Quoted kHalvingStep{15, true};
constexpr Quoted kLowQuoted[] = {{55}, kReference};
constexpr Quoted kHighQuoted[] = {kHalvingStep, kReference, {85}};
constexpr Quoted kVeryHighQuoted[] = {{100}, kReference};
constexpr DescriptionLine temps(std::string_view key, std::span<const Quoted> quoted) {
    return {Kind::Temperatures, key, quoted};
}

constexpr DescriptionLine kTempLow[] = {col(K::strRelubQuantMay_1),
                                        temps(K::strRelubQuantMay_2, kLowQuoted),
                                        col(K::strRelubQuantMay_3)};
constexpr DescriptionLine kTempNormal[] = {{Kind::NormalBrgTemp, K::strNormalBrgTemp}};
constexpr DescriptionLine kTempHigh[] = {col(K::strAccAge2_1), temps(K::strAccAge2_2, kHighQuoted),
                                         col(K::strAccAge2_3)};
constexpr DescriptionLine kTempVeryHigh[] = {col(K::strAccAge4_1),
                                             temps(K::strAccAge4_2, kVeryHighQuoted),
                                             col(K::strAccAge4_3)};
constexpr DescriptionLine kVertical[] = {col(K::strVertShaft_1), col(K::strVertShaft_2),
                                         col(K::strVertShaft_3), col(K::strVertShaft_4)};
constexpr DescriptionLine kAmbientLow[] = {
    col(K::strIncResReq_1),          kBlank, {Kind::ElectricAndGas, K::strDecrease}, kBlank,
    col(K::strNoteLowTemp_1),        col(K::strNoteLowTemp_2)};
constexpr DescriptionLine kAmbientAverage[] = {col(K::strAccurateEvenWith_1),
                                               col(K::strAccurateEvenWith_2)};
constexpr DescriptionLine kAmbientHigh[] = {
    {Kind::Numbered, K::strDecResReq}, kBlank, {Kind::ElectricAndGas, K::strIncrease}, kBlank,
    col(K::strNoteHighTemp_1),         col(K::strNoteHighTemp_2)};
constexpr DescriptionLine kQ47[] = {col(K::strRelubQ47_1), col(K::strRelubQ47_2),
                                    col(K::strRelubQ47_3)};
constexpr DescriptionLine kRotOR[] = {col(K::strRotOR_1), col(K::strRotOR_2)};

// The factor text of a setting, from the condition table.
constexpr std::string_view factorText(Condition c, int setting) {
    return core::conditionEntry(c).settings[static_cast<std::size_t>(setting)].factorText;
}

template <Condition C, int S, std::size_t N>
constexpr DescriptionEntry row(const DescriptionLine (&lines)[N]) {
    static_assert(S >= 0 && static_cast<std::size_t>(S) < core::conditionEntry(C).settings.size(),
                  "a setting of the condition");
    return {static_cast<int>(C), S, factorText(C, S), lines};
}

using C = Condition;
constexpr DescriptionEntry kTable[] = {
    row<C::ContMoist, 0>(kNormalSituation),
    row<C::ContMoist, 1>(kMoreLub),
    row<C::ContMoist, 2>(kMoreLub),
    row<C::Load, 0>(kLoadsLow),
    row<C::Load, 1>(kLoadsMedium),
    row<C::Load, 2>(kLoadsHigh),
    row<C::Load, 3>(kLoadsVeryHigh),
    row<C::ShockLoad, 0>(kNormalSituation),
    row<C::ShockLoad, 1>(kShock),
    row<C::BrgOpTemp, 0>(kTempLow),
    row<C::BrgOpTemp, 1>(kTempNormal),
    row<C::BrgOpTemp, 2>(kTempHigh),
    row<C::BrgOpTemp, 3>(kTempVeryHigh),
    row<C::ShaftOri, 0>(kNormalSituation),
    row<C::ShaftOri, 1>(kVertical),
    row<C::AmbTemp, 0>(kAmbientLow),
    row<C::AmbTemp, 1>(kAmbientAverage),
    row<C::AmbTemp, 2>(kAmbientHigh),
    row<C::Replenish, 0>(kNormalSituation),
    row<C::Replenish, 1>(kQ47),
    row<C::RotOR, 0>(kNormalSituation),
    row<C::RotOR, 1>(kRotOR),
};

// Every setting of every condition has its description, once, in condition order.
constexpr bool coversEverySetting() {
    std::size_t i = 0;
    for (const core::ConditionEntry& c : core::kConditions)
        for (std::size_t s = 0; s < c.settings.size(); ++s, ++i)
            if (i >= std::size(kTable) || kTable[i].condition != static_cast<int>(c.condition) ||
                kTable[i].setting != static_cast<int>(s))
                return false;
    return i == std::size(kTable);
}
static_assert(coversEverySetting(), "one description per setting of each condition, in order");

// The Normal class in degrees Fahrenheit; the other classes are not quoted here.
constexpr int kNormalLowF = 145;
constexpr int kNormalHighF = 172;

int toShown(int fahrenheit, core::Units units) {
    if (units == core::Units::Imperial)
        return fahrenheit;
    return static_cast<int>(core::Round(core::fahrenheitToCelsius(fahrenheit)));
}

} // namespace

std::span<const DescriptionEntry> descriptionTable() { return kTable; }

const DescriptionEntry* findDescription(int condition, int setting) {
    const auto it = std::find_if(std::begin(kTable), std::end(kTable), [&](const DescriptionEntry& e) {
        return e.condition == condition && e.setting == setting;
    });
    return it == std::end(kTable) ? nullptr : &*it;
}

TemperatureSpan normalBearingTemperature(core::Units units) {
    return {toShown(kNormalLowF, units), toShown(kNormalHighF, units)};
}

int shownTemperature(int celsius, core::Units units, bool difference) {
    if (units != core::Units::Imperial)
        return celsius;
    return static_cast<int>(core::Round(celsius * 9.0 / 5.0 + (difference ? 0 : 32)));
}

std::string compensationText(const DescriptionEntry& entry, const strings::StringTable* texts,
                             int load) {
    if (entry.condition == static_cast<int>(Condition::ShockLoad) && entry.setting == 1 &&
        core::hasSetting(Condition::Load, load))
        return core::shockFactorTextAtLoad(load);
    if (entry.compensation.empty())
        return strings::LangStr(texts, K::strNone);
    return std::string(entry.compensation);
}

std::vector<std::string> descriptionLines(const DescriptionEntry& entry,
                                          const strings::StringTable* texts, core::Units units,
                                          const strings::UnitLabels& labels) {
    const int language = strings::CurrentLanguageNumber(texts);
    std::vector<std::string> lines;
    lines.reserve(entry.lines.size());
    for (const DescriptionLine& line : entry.lines) {
        switch (line.kind) {
        case Kind::Column:
            lines.push_back(strings::LangStr(texts, line.key));
            break;
        case Kind::Numbered:
            lines.push_back(strings::LangStr(texts, line.key, language));
            break;
        case Kind::Blank:
            lines.emplace_back(" ");
            break;
        case Kind::NormalBrgTemp: {
            const TemperatureSpan t = normalBearingTemperature(units);
            const std::string& unit = units == core::Units::SI ? labels.celsiusLabel()
                                                               : labels.fahrenheitLabel();
            lines.push_back(text::format(strings::LangStr(texts, line.key), {t.low, t.high, unit}));
            break;
        }
        case Kind::Temperatures: {
            const std::string& unit = units == core::Units::SI ? labels.celsiusLabel()
                                                               : labels.fahrenheitLabel();
            std::vector<text::FmtArg> args;
            for (const DescriptionLine::Quoted& t : line.temperatures) {
                args.emplace_back(shownTemperature(t.celsius, units, t.difference));
                args.emplace_back(unit);
            }
            lines.push_back(text::format(strings::LangStr(texts, line.key), args));
            break;
        }
        case Kind::ElectricAndGas:
            lines.push_back(text::format(strings::LangStr(texts, K::strElectricAndGas, language),
                                            {strings::LangStr(texts, line.key)}));
            break;
        }
    }
    return lines;
}

ConditionDescription conditionDescription(int condition, int setting,
                                          const strings::StringTable* texts, core::Units units,
                                          const strings::UnitLabels& labels, int load) {
    const DescriptionEntry* entry = findDescription(condition, setting);
    if (!entry)
        return {};
    return {compensationText(*entry, texts, load), descriptionLines(*entry, texts, units, labels)};
}

} // namespace unctora::advice
