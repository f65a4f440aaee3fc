// The lubricator rows against what their units do: the rate tables against the
// cartridges they empty, and the settings the display writes against what the plan
// reads back from a recorded change.
#include "core/calcinputs.h"
#include "core/lubricators.h"
#include "core/units.h"
#include "reports/setting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace unctora;

namespace {

// The grease a cartridge holds, as the rate tables were worked out: the gas-driven
// cartridges from the 110 g the setting formula counts with (half of it for the small
// one), the others from their volume at 0.9 g/ml.
double cartridgeGrams(const core::LubricatorModel& m) {
    if (core::isGasDriven(m))
        return 110 * m.dialScale;
    return m.volumeMl * core::kGramsPerMl;
}

} // namespace

TEST(LubricatorRows, RateTablesEmptyTheirCartridgeInTheSetMonths) {
    for (const core::LubricatorModel& m : core::kLubricators) {
        SCOPED_TRACE(std::string(m.name));
        for (const core::RateRow& r : m.rates) {
            SCOPED_TRACE(r.setting);
            const double perMonth = cartridgeGrams(m) / r.setting;
            // The tables round to a tenth of a gram, some to the half gram of a catalogue.
            EXPECT_NEAR(r.gPerMonth, perMonth, perMonth * 0.045 + 0.05);
            EXPECT_NEAR(r.gPerWeek, r.gPerMonth * 12 / 52.18, r.gPerWeek * 0.05 + 0.05);
            // Ounces per month of the 125 ml dial are catalogue values in steps of 0.05.
            EXPECT_NEAR(r.ozPerMonth, r.gPerMonth / 28.3495, 0.03 + r.ozPerMonth * 0.01);
            EXPECT_NEAR(r.ozPerWeek, r.gPerWeek / 28.3495, 0.011);
        }
    }
}

// A row set by feed rates has the outlets' limits and one set by a pump its figures, and
// no other row has either: the setting display and the plan look the family up by them.
TEST(LubricatorRows, MultiPointRowsCarryTheirFamilysFigures) {
    for (const core::LubricatorModel& m : core::kLubricators) {
        SCOPED_TRACE(std::string(m.name));
        EXPECT_EQ(m.feedRate != nullptr, m.control == core::SettingControl::FeedRate);
        EXPECT_EQ(m.pump != nullptr, m.control == core::SettingControl::PumpCycle);
        if (m.pump)
            EXPECT_FALSE(m.pump->cycleMinutes.empty());
    }
}

TEST(LubricatorRows, OutletRatesReadBackAsTheDisplayWritesThem) {
    const core::LubricatorModel& m = core::kLubricators[core::VOXA400];
    ASSERT_TRUE(m.feedRate);
    core::CalcInputs in;
    in.Lubricator = core::VOXA400;
    for (core::Units units : {core::Units::SI, core::Units::Imperial})
        for (const char* separator : {".", ","})
            for (double ml = 0.05; ml <= 10.5; ml *= 1.07) {
                SCOPED_TRACE(std::to_string(ml) + (units == core::Units::SI ? " SI " : " imperial ") + separator);
                core::CalcResults r;
                r.Qf = ml * core::kGramsPerMl;
                const std::string shown = reports::settingDisplay(in, r, units, separator).text;
                const auto set = core::setRateMlPerDay(*m.feedRate, r.Qf, units);
                const auto back = reports::shownFeedRateMlPerDay(shown);
                ASSERT_EQ(set.has_value(), back.has_value()) << shown;
                if (set)
                    EXPECT_NEAR(*back, *set, 1e-9 * *set) << shown;
            }
    EXPECT_FALSE(reports::shownFeedRateMlPerDay("--"));
    EXPECT_FALSE(reports::shownFeedRateMlPerDay("Feed rate:|ml/day"));
    EXPECT_FALSE(reports::shownFeedRateMlPerDay("Feed rate:|1.00 ml/week"));
}

TEST(LubricatorRows, PumpSettingsReadBackToTheirCycles) {
    const core::LubricatorModel& m = core::kLubricators[core::VOXA1000];
    ASSERT_TRUE(m.pump);
    core::CalcInputs in;
    in.Lubricator = core::VOXA1000;
    int fitted = 0;
    for (int outlets = 0; outlets < 6; ++outlets)
        for (int power = 0; power < 2; ++power)
            for (double base = 0.05; base < 40; base *= 1.3) {
                SCOPED_TRACE(std::to_string(outlets) + " " + std::to_string(power) + " " + std::to_string(base));
                in.Outlets = outlets;
                in.PowerSource = power;
                core::CalcResults r;
                r.PauseBase = base;
                const std::string shown = reports::settingDisplay(in, r, core::Units::SI, ",").text;
                const core::PumpSetting set = core::pumpSetting(*m.pump, outlets, power, base);
                const auto back = reports::shownPumpSetting(shown);
                ASSERT_EQ(set.fits, back.has_value()) << shown;
                if (!back)
                    continue;
                ++fitted;
                const auto dialled = core::pumpSettingDialled(*m.pump, outlets, back->onMinutes, back->pauseHours);
                ASSERT_TRUE(dialled) << shown;
                EXPECT_EQ(dialled->k, set.k) << shown;
                EXPECT_NEAR(dialled->pauseHours, set.pauseHours, 0.05 + 1e-9) << shown;
            }
    EXPECT_GT(fitted, 50);
    // An on-time between two whole cycles is no setting of the pump.
    EXPECT_FALSE(core::pumpSettingDialled(*m.pump, 0, 1.5, 2.0));
    EXPECT_FALSE(core::pumpSettingDialled(*m.pump, 0, 0, 2.0));
    EXPECT_FALSE(reports::shownPumpSetting("tCo=1.0 min"));
}
