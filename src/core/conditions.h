#pragma once
// The operating conditions: one row per condition, from which the input field, the
// Dial setting tab's condition bar, the "Operating conditions" tab and the factors of
// the formulas are all derived.
//
// The rows stand in the order of the "Operating conditions" tab's list. Each setting
// carries its English item text (the field table's item), the factor by which it
// changes the result and that factor as the tab shows it; the two are compared by a
// test, so a changed number cannot leave its text behind.

#include "core/calcinputs.h"
#include "text/keys.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace unctora::core {

// The conditions in row order (the order of the "Operating conditions" tab).
enum class Condition {
    ContMoist = 0,
    Load = 1,
    ShockLoad = 2,
    BrgOpTemp = 3,
    ShaftOri = 4,
    AmbTemp = 5,
    Replenish = 6,
    RotOR = 7,
};

// What a factor multiplies.
enum class FactorTarget {
    Interval,      // the corrected relubrication interval
    ShockedLoad,   // taken with the load: a shock load rates the load one class heavier
    FeedRate,      // the feed rate and setting of the gas-driven lubricators
    GreaseQuantity,
    None,          // the setting changes no factor (it changes the mean diameter)
};

struct ConditionSetting {
    std::string_view item;           // English item text, as the field table lists it
    std::optional<double> factor;    // nullopt: not a factor ("n/a")
    std::string_view factorText;     // as the tab shows it; empty: the text of strNone
};

struct ConditionEntry {
    Condition condition;
    std::string_view field;          // input field and settings key
    int CalcInputs::*member;
    std::string_view name;           // the controls are "op" + name and "rg" + name
    std::string_view captionKey;
    std::string_view englishCaption;
    std::string_view itemsKey;       // item texts in the language file; empty: made from the units
    int firstStart;                  // the setting at the very first start
    int dialPosition;                // place in the Dial setting tab's condition bar; -1: a group of its own
    FactorTarget target;
    std::span<const ConditionSetting> settings;
};

namespace conditions_detail {
namespace K = text::keys;
using S = ConditionSetting;
// No factor is a factor of one, shown as the text of strNone.
inline constexpr S kContMoist[] = {{"Low", 1.0, ""}, {"Moderate", 0.5, "x 0.5"}, {"High", 0.2, "x 0.2"}};
inline constexpr S kLoad[] = {
    {"Low", 1.0, ""}, {"Moderate", 0.7, "x 0.7"}, {"High", 0.35, "x 0.35"}, {"Very High", 0.15, "x 0.15"}};
// Under a shock load the load counts one class heavier; the heaviest class goes on
// to 0.1. The factor and text of "Yes" are those at the moderate load (0.35 / 0.7);
// shockFactorAtLoad gives the one a load really takes.
inline constexpr S kShockLoad[] = {{"No", 1.0, ""}, {"Yes", 0.5, "x 0.5"}};
inline constexpr double kShockedLoadFactors[] = {0.7, 0.35, 0.15, 0.1};
static_assert(std::size(kShockedLoadFactors) == std::size(kLoad), "one shocked factor per load");
// The interval halves for every 15 degrees C of bearing temperature above 70: the
// classes stand for 55, 70, 85 and 100.
inline constexpr S kBrgOpTemp[] = {
    {"Low", 2.0, "x 2.0"}, {"Normal", 1.0, ""}, {"High", 0.5, "x 0.5"}, {"Very High", 0.25, "x 0.25"}};
inline constexpr S kShaftOri[] = {{"Horizontal", 1.0, ""}, {"Vertical", 0.5, "x 0.5"}};
inline constexpr S kAmbTemp[] = {{"Below -10", 0.5, "x 0.5"}, {"Average", 1.0, ""}, {"Above 40", 2.0, "x 2.0"}};
inline constexpr S kReplenish[] = {{"From the side", 1.0, ""}, {"Through Q47 groove", 0.4, "x 2/5"}};
inline constexpr S kRotOR[] = {{"No", 1.0, ""}, {"Yes", std::nullopt, "n/a"}};
} // namespace conditions_detail

inline constexpr ConditionEntry kConditions[] = {
    {Condition::ContMoist, "ContMoist", &CalcInputs::ContMoist, "ContMoist", conditions_detail::K::strContMoist,
     "Contamination/Moisture", conditions_detail::K::strContMoistItems, 1, 0, FactorTarget::Interval,
     conditions_detail::kContMoist},
    {Condition::Load, "Load", &CalcInputs::Load, "Load", conditions_detail::K::strLoad, "Load",
     conditions_detail::K::strLoadItems, 1, 1, FactorTarget::Interval, conditions_detail::kLoad},
    {Condition::ShockLoad, "ShockLoad", &CalcInputs::ShockLoad, "ShockLoad", conditions_detail::K::strShockLoad,
     "Shock Load", conditions_detail::K::strShockLoadItems, 1, 2, FactorTarget::ShockedLoad,
     conditions_detail::kShockLoad},
    {Condition::BrgOpTemp, "BrgOpTemp", &CalcInputs::BrgOpTemp, "BrgOpTemp", conditions_detail::K::strBrgOpTemp,
     "Bearing Operating Temperature", {}, 0, -1, FactorTarget::Interval, conditions_detail::kBrgOpTemp},
    {Condition::ShaftOri, "ShaftOrientation", &CalcInputs::ShaftOrientation, "ShaftOri",
     conditions_detail::K::strShaftOri, "Shaft orientation", conditions_detail::K::strShaftOriItems, 1, 4,
     FactorTarget::Interval, conditions_detail::kShaftOri},
    {Condition::AmbTemp, "Ambient", &CalcInputs::Ambient, "AmbTemp", conditions_detail::K::strAmbTemp,
     "Ambient temperature", {}, 1, 3, FactorTarget::FeedRate, conditions_detail::kAmbTemp},
    {Condition::Replenish, "Replenishment", &CalcInputs::Replenishment, "Replenish",
     conditions_detail::K::strReplenish, "Replenishment", conditions_detail::K::strReplenishItems, 1, 5,
     FactorTarget::GreaseQuantity, conditions_detail::kReplenish},
    {Condition::RotOR, "RotOR", &CalcInputs::RotOR, "RotOR", conditions_detail::K::strRotOR, "Rotating OR",
     conditions_detail::K::strRotORItems, 1, 6, FactorTarget::None, conditions_detail::kRotOR},
};
inline constexpr int kConditionCount = static_cast<int>(std::size(kConditions));
// The conditions in the Dial setting tab's bar: every one with a place there.
inline constexpr int kDialBarConditionCount = [] {
    int n = 0;
    for (const ConditionEntry& c : kConditions)
        n += c.dialPosition >= 0;
    return n;
}();

inline constexpr const ConditionEntry& conditionEntry(Condition c) { return kConditions[static_cast<int>(c)]; }

// The row whose bar place is position, nullptr when there is none.
inline constexpr const ConditionEntry* conditionAtDialPosition(int position) {
    for (const ConditionEntry& c : kConditions)
        if (c.dialPosition == position)
            return &c;
    return nullptr;
}

// The English item texts of a condition, for the field table.
template <Condition C> inline constexpr auto kConditionItems = [] {
    constexpr auto settings = conditionEntry(C).settings;
    std::array<std::string_view, settings.size()> items{};
    for (std::size_t i = 0; i < items.size(); ++i)
        items[i] = settings[i].item;
    return items;
}();

inline constexpr bool hasSetting(Condition c, int setting) {
    return setting >= 0 && setting < static_cast<int>(conditionEntry(c).settings.size());
}

// The factor of setting of condition c; a setting outside the row raises
// CalculationError naming the field, as any list index out of bounds does. A setting
// without a factor counts as one.
double conditionFactor(Condition c, int setting);

// The load factor under a shock load at the given load setting; raises
// CalculationError naming Load for a setting outside the row.
double shockedLoadFactor(int load);

// What a shock load multiplies the interval by at the given load: the shocked load
// factor over the plain one (0.7 at a low load, 0.5 at a moderate, 0.43 at a high and
// 0.67 at a very high load), and its text as the operating-conditions tab shows it,
// "x 0.43" (two decimals at most, no trailing zeros). Raises as shockedLoadFactor.
double shockFactorAtLoad(int load);
std::string shockFactorTextAtLoad(int load);

// Compile-time checks of the rows: each stands at its own index, the bar places run
// 0 .. kDialBarConditionCount - 1 once each, the first-start setting is a setting.
namespace conditions_detail {
constexpr bool rowsAreSound() {
    for (int i = 0; i < kConditionCount; ++i) {
        const ConditionEntry& c = kConditions[i];
        if (static_cast<int>(c.condition) != i || c.settings.empty())
            return false;
        if (c.firstStart < 0 || c.firstStart >= static_cast<int>(c.settings.size()))
            return false;
    }
    for (int p = 0; p < kDialBarConditionCount; ++p) {
        int n = 0;
        for (const ConditionEntry& c : kConditions)
            n += c.dialPosition == p;
        if (n != 1)
            return false;
    }
    return true;
}
static_assert(rowsAreSound(), "every condition row at its index, the bar places 0..n-1 once each");
} // namespace conditions_detail

} // namespace unctora::core
