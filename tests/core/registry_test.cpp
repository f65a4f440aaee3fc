// The condition and grease tables against what is derived from them: the factor
// texts against their numbers and the formulas, the field table, the language
// file's item lists and the grease description keys.

#include "core/calculation.h"
#include "core/conditions.h"
#include "core/errors.h"
#include "core/greases.h"
#include "text/keys.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <optional>
#include <string>

using namespace unctora;
using namespace unctora::core;

namespace {

// The number a factor text stands for: "x 0.5", "x 2/5"; the empty text is one;
// "n/a" is no factor. Anything else gives -1, which no factor equals.
std::optional<double> textFactor(std::string_view text) {
    if (text.empty())
        return 1.0;
    if (text == "n/a")
        return std::nullopt;
    if (text.substr(0, 2) != "x ")
        return -1.0;
    text.remove_prefix(2);
    const std::size_t slash = text.find('/');
    auto number = [](std::string_view s) {
        double v = -1;
        const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
        return ec == std::errc() && end == s.data() + s.size() ? v : -1.0;
    };
    if (slash == std::string_view::npos)
        return number(text);
    return number(text.substr(0, slash)) / number(text.substr(slash + 1));
}

const CalcContext kNoLog;

// A set of inputs where the corrected interval stays well below its cap.
CalcInputs quiet() {
    CalcInputs in;
    in.Type = DeepGrooveBall;
    in.Replenishment = 0;
    in.Lubricator = VOXA60;
    for (const ConditionEntry& c : kConditions)
        for (std::size_t s = 0; s < c.settings.size(); ++s)
            if (c.settings[s].factor == 1.0) {
                in.*c.member = static_cast<int>(s);
                break;
            }
    in.ShockLoad = 0;
    return in;
}

// What the setting changes, relative to a setting whose factor is one.
double effect(const ConditionEntry& c, int setting) {
    CalcInputs base = quiet();
    CalcInputs changed = base;
    changed.*c.member = setting;
    switch (c.target) {
    case FactorTarget::Interval:
        return calculateCorrectedRelubricationInterval(changed, 1000, kNoLog) /
               calculateCorrectedRelubricationInterval(base, 1000, kNoLog);
    case FactorTarget::FeedRate:
        return calculateFeedRate(changed, 10, 1000, kNoLog) / calculateFeedRate(base, 10, 1000, kNoLog);
    case FactorTarget::GreaseQuantity:
        return calculateGreaseQuantity(changed, kNoLog) / calculateGreaseQuantity(base, kNoLog);
    default:
        return NAN;
    }
}

} // namespace

TEST(ConditionTable, FactorTextsAgreeWithTheNumbersAndTheFormulas) {
    for (const ConditionEntry& c : kConditions) {
        for (std::size_t s = 0; s < c.settings.size(); ++s) {
            const ConditionSetting& setting = c.settings[s];
            const std::string where = std::string(c.field) + " " + std::string(setting.item);
            const std::optional<double> shown = textFactor(setting.factorText);
            ASSERT_EQ(shown.has_value(), setting.factor.has_value()) << where;
            if (!shown)
                continue;
            EXPECT_NEAR(*shown, *setting.factor, 1e-12) << where;
            // The formulas apply the number the tab shows.
            if (c.target == FactorTarget::Interval || c.target == FactorTarget::FeedRate ||
                c.target == FactorTarget::GreaseQuantity) {
                EXPECT_NEAR(effect(c, static_cast<int>(s)), *setting.factor, 1e-12) << where;
            }
        }
    }
    // The parser itself: a malformed text matches no factor.
    EXPECT_EQ(textFactor("x 0.5"), 0.5);
    EXPECT_EQ(textFactor("x 2/5"), 0.4);
    EXPECT_EQ(textFactor("0.5"), -1.0);
    EXPECT_EQ(textFactor("x 0,5"), -1.0);
}

// A shock load moves the load one class heavier, so what it multiplies the interval
// by depends on the load: the text shown for it at each load is that load's effect.
TEST(ConditionTable, ShockLoadTextAtEachLoadIsWhatTheIntervalTakes) {
    const char* expected[] = {"x 0.7", "x 0.5", "x 0.43", "x 0.67"};
    for (int load = 0; load < 4; ++load) {
        CalcInputs plain = quiet();
        plain.Load = load;
        plain.ShockLoad = 0;
        CalcInputs shocked = plain;
        shocked.ShockLoad = 1;
        const double effect = calculateCorrectedRelubricationInterval(shocked, 1000, kNoLog) /
                              calculateCorrectedRelubricationInterval(plain, 1000, kNoLog);
        EXPECT_NEAR(shockFactorAtLoad(load), effect, 1e-12) << load;
        EXPECT_EQ(shockFactorTextAtLoad(load), expected[load]);
        EXPECT_NEAR(*textFactor(shockFactorTextAtLoad(load)), effect, 0.005) << load;
    }
    EXPECT_THROW(shockFactorAtLoad(4), CalculationError);
    EXPECT_THROW(shockFactorTextAtLoad(-1), CalculationError);
}

TEST(ConditionTable, OutOfRangeSettingsNameTheirField) {
    try {
        conditionFactor(Condition::AmbTemp, 3);
        FAIL() << "no error";
    } catch (const CalculationError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (3) for Ambient");
    }
    EXPECT_THROW(conditionFactor(Condition::Load, -1), CalculationError);
    EXPECT_EQ(conditionFactor(Condition::RotOR, 1), 1.0); // no factor: unchanged
}

TEST(ConditionTable, FieldsAndLanguageItemListsMatchTheRows) {
    for (const ConditionEntry& c : kConditions) {
        const InputField* f = findInputField(c.field);
        ASSERT_NE(f, nullptr) << c.field;
        EXPECT_EQ(f->index, c.member) << c.field;
        EXPECT_EQ(f->firstStart, c.firstStart) << c.field;
        ASSERT_EQ(f->items.size(), c.settings.size()) << c.field;
        for (std::size_t s = 0; s < c.settings.size(); ++s)
            EXPECT_EQ(f->items[s], c.settings[s].item);
        // The language file lists as many items as the row has settings.
        if (!c.itemsKey.empty()) {
            const text::keys::KeyInfo* info = text::keys::findKey(c.itemsKey);
            ASSERT_NE(info, nullptr) << c.itemsKey;
            EXPECT_EQ(info->items, static_cast<int>(c.settings.size())) << c.itemsKey;
        }
        ASSERT_NE(text::keys::findKey(c.captionKey), nullptr) << c.captionKey;
    }
    // The Dial setting tab's bar holds every condition but the bearing temperature.
    EXPECT_EQ(kDialBarConditionCount, kConditionCount - 1);
    EXPECT_EQ(conditionEntry(Condition::BrgOpTemp).dialPosition, -1);
}

TEST(GreaseTable, RowsMatchTheFieldChartAndTexts) {
    const InputField* f = findInputField("Grease");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(f->items.size(), static_cast<std::size_t>(kGreaseCount));
    EXPECT_EQ(f->max, kGreaseCount - 1);
    for (int g = 0; g < kGreaseCount; ++g) {
        const GreaseEntry& e = kGreases[g];
        EXPECT_EQ(f->items[static_cast<std::size_t>(g)], e.name);
        EXPECT_EQ(greaseName(g), e.name);
        if (e.chart.position == 0)
            continue;
        // The chart shows the name with the grade apart; its description text is
        // found under the name without blanks.
        std::string joined;
        for (char ch : e.chart.name)
            if (ch != ' ')
                joined += ch;
        EXPECT_EQ(joined, e.name);
        const std::string key = text::keys::greaseDescriptionKey(e.chart.name);
        const text::keys::KeyInfo* info = text::keys::findKey(key);
        ASSERT_NE(info, nullptr) << key;
        EXPECT_EQ(info->kind, text::keys::Kind::Numbered) << key;
    }
    // Every grease but "Unspecified" is on the chart.
    EXPECT_EQ(kChartGreaseCount, kGreaseCount - 1);
}
