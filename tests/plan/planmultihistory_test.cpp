// A multi-point unit after a recorded change runs at what was dialled then: the feed
// rates its outlets were set to, or the pump's on-time and pause, not today's.
#include "planrecorded.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace unctora;
using namespace unctora::plan;

namespace {

using namespace unctora::plan::recorded;

Date daysAfter(const char* iso, double days) { return day(iso) + std::chrono::days(std::lround(days)); }

} // namespace

TEST(PlanHistory, FeedRateOutletsRunAtTheRatesDialled) {
    const PlantFile f = parsed("Id,Unit,Lubricator,Speed,D_mm,B_mm,Bore_mm,InstalledOn\n"
                               "A,,VOXA 400,1500,180,46,100,2026-06-01\n"
                               "B,R1,VOXA 400,1500,180,46,100,2026-06-01\n"
                               "C,R1,VOXA 400,750,110,22,60,2026-06-01\n");
    const std::vector<PointPlan> today = evaluatePlan(f, core::Units::SI, day("2026-12-10"));
    for (const PointPlan& p : today)
        ASSERT_TRUE(p.nextChange) << p.error;
    ASSERT_NE(today[0].setting, "Feed rate:|1.50 ml/day");

    // A unit of its own, its outlet set to 1.5 ml a day: 267 days from the change.
    std::vector<PointPlan> plan = planWith(f, {change("A", "2026-11-02", "Feed rate:|1.50 ml/day")});
    EXPECT_TRUE(plan[0].has(Attention::SettingDiffers));
    EXPECT_EQ(plan[0].nextChange, daysAfter("2026-11-02", 400 / 1.5));
    // The cartridges after it take today's rate.
    std::vector<Date> coming;
    for (const ChangeEntry& c : changeDates(plan, day("2026-12-10"), 60))
        if (c.point == 0)
            coming.push_back(c.date);
    ASSERT_GE(coming.size(), 2u);
    EXPECT_EQ(coming[0], *plan[0].nextChange);
    EXPECT_EQ(coming[1], *plan[0].nextChange + std::chrono::days(std::lround(today[0].lifeDays)));

    // As the window shows it (a blank for the line break), with a decimal comma, and in
    // fluid ounces: the same rate read back.
    for (const char* shown : {"Feed rate: 1,50 ml/day", "Feed rate:|0.053 fl oz/day"}) {
        SCOPED_TRACE(shown);
        plan = planWith(f, {change("A", "2026-11-02", shown)});
        const double rate = std::string(shown).find("oz") != std::string::npos ? 0.053 * 28.41 : 1.5;
        EXPECT_EQ(plan[0].nextChange, daysAfter("2026-11-02", 400 / rate));
    }

    // A shared reservoir: the outlet with a record at its dialled rate, the other at
    // today's; both points change together on the latest refill.
    plan = planWith(f, {change("B", "2026-11-02", "Feed rate:|2.00 ml/day")});
    ASSERT_TRUE(plan[1].nextChange && plan[2].nextChange);
    EXPECT_EQ(plan[1].nextChange, daysAfter("2026-11-02", 400 / (2.0 + today[2].deliveredMlPerDay)));
    EXPECT_EQ(plan[2].nextChange, plan[1].nextChange);

    // A text that is no feed rate, or today's own setting: today's life from the record.
    for (const std::string& shown : {std::string("half a turn"), today[0].setting}) {
        SCOPED_TRACE(shown);
        plan = planWith(f, {change("A", "2026-11-02", shown)});
        EXPECT_EQ(plan[0].nextChange, daysAfter("2026-11-02", today[0].lifeDays));
    }
}

TEST(PlanHistory, PumpRunsAtTheOnTimeAndPauseDialled) {
    const PlantFile f = parsed("Id,Unit,Lubricator,Outlets,PowerSource,Speed,D_mm,B_mm,Bore_mm,Type,Load,Replenishment,InstalledOn\n"
                               "P,,VOXA 1000,10,AC,75,340,112,200,Spherical roller bearings,High,Through Q47 groove,2026-10-05\n"
                               "Q,R2,VOXA 1000,10,DC,75,340,112,200,Spherical roller bearings,High,Through Q47 groove,2026-10-05\n"
                               "S,R2,VOXA 1000,10,DC,75,320,86,180,Spherical roller bearings,High,Through Q47 groove,2026-10-05\n");
    const std::vector<PointPlan> today = evaluatePlan(f, core::Units::SI, day("2026-12-10"));
    for (const PointPlan& p : today)
        ASSERT_TRUE(p.nextChange) << p.error;
    const std::string dialled = "tCo=2.0 min|tPa=4.0 hs";
    ASSERT_NE(today[0].setting, dialled);

    // Ten outlets cycle in a minute: 2 minutes are two cycles of 0.2 ml for each outlet,
    // every 4 hours and 2 minutes.
    const double drain = 10 * 2 * 0.2 / ((4.0 + 2.0 / 60) / 24);
    std::vector<PointPlan> plan = planWith(f, {change("P", "2026-11-02", dialled)});
    EXPECT_TRUE(plan[0].has(Attention::SettingDiffers));
    EXPECT_EQ(plan[0].nextChange, daysAfter("2026-11-02", 1000 / drain));

    // A shared pump follows the setting of its latest change.
    plan = planWith(f, {change("Q", "2026-10-20", "tCo=1.0 min|tPa=8.0 hs"), change("S", "2026-11-02", dialled)});
    EXPECT_EQ(plan[1].nextChange, daysAfter("2026-11-02", 1000 / drain));
    EXPECT_EQ(plan[2].nextChange, plan[1].nextChange);

    // An on-time that is no whole number of cycles, or no pump setting at all: today's life.
    for (const char* shown : {"tCo=1.5 min|tPa=4.0 hs", "12"}) {
        SCOPED_TRACE(shown);
        plan = planWith(f, {change("P", "2026-11-02", shown)});
        EXPECT_EQ(plan[0].nextChange, daysAfter("2026-11-02", today[0].lifeDays));
    }
}
