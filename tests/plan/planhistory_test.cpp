// The plan after a recorded change: the cartridge in place is dated by the record and
// runs at the setting dialled then, whatever the plant file says today.
#include "planrecorded.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace unctora;
using namespace unctora::plan;

namespace {

using namespace unctora::plan::recorded;

const char* kPlant = "Id,Lubricator,Speed,D_mm,B_mm,Bore_mm,InstalledOn\n"
                     "P1,VOXA 125,1500,180,46,100,2026-06-01\n"
                     "P2,TENO 125,1500,180,46,100,\n";

} // namespace

TEST(PlanHistory, TheRecordDatesTheCartridgeAndItsSetting) {
    const PlantFile f = parsed(kPlant);
    const std::vector<PointPlan> today = evaluatePlan(f, core::Units::SI, day("2026-12-10"));
    ASSERT_TRUE(today[0].computed() && today[0].nextChange) << today[0].error;
    ASSERT_GT(today[0].monthsPerCartridge, 1);
    ASSERT_EQ(today[1].status, PointStatus::NotPlanned);
    const std::string dialled = today[0].setting;

    // Changed at the setting the plan gives: only the date moves; a point without a
    // date in the file is planned from its record.
    std::vector<PointPlan> plan = planWith(f, {change("P1", "2026-11-02", dialled), change("P2", "2026-10-15", today[1].setting)});
    EXPECT_EQ(plan[0].installedOn, day("2026-11-02"));
    EXPECT_EQ(plan[0].nextChange, addMonths(day("2026-11-02"), today[0].monthsPerCartridge));
    EXPECT_FALSE(plan[0].has(Attention::SettingDiffers));
    ASSERT_TRUE(plan[0].lastChange);
    EXPECT_EQ(plan[0].lastChange->doneBy, "K. Lind");
    EXPECT_EQ(plan[1].installedOn, day("2026-10-15"));
    EXPECT_TRUE(plan[1].nextChange);

    // Dialled one month shorter: the cartridge lasts that long, and the point is marked.
    const std::string shorter = std::to_string(today[0].monthsPerCartridge - 1);
    plan = planWith(f, {change("P1", "2026-11-02", shorter)});
    EXPECT_EQ(plan[0].nextChange, addMonths(day("2026-11-02"), today[0].monthsPerCartridge - 1));
    ASSERT_TRUE(plan[0].has(Attention::SettingDiffers));
    const auto note = std::find_if(plan[0].attention.begin(), plan[0].attention.end(),
                                   [](const PointPlan::Note& n) { return n.kind == Attention::SettingDiffers; });
    EXPECT_NE(messageText(note->message).find("(" + shorter + ")"), std::string::npos) << messageText(note->message);
    // The change after it is dialled at today's setting and lasts today's life.
    const std::vector<ChangeEntry> coming = changeDates(plan, day("2026-12-10"), 36);
    ASSERT_GE(coming.size(), 2u);
    EXPECT_EQ(coming[0].date, *plan[0].nextChange);
    EXPECT_EQ(coming[1].date, addMonths(*plan[0].nextChange, today[0].monthsPerCartridge));

    // The latest record counts; one older than the file's own date does not.
    plan = planWith(f, {change("P1", "2026-11-02", dialled), change("P1", "2026-11-20", dialled)});
    EXPECT_EQ(plan[0].installedOn, day("2026-11-20"));
    plan = planWith(f, {change("P1", "2026-03-01", shorter)});
    EXPECT_EQ(plan[0].installedOn, day("2026-06-01"));
    EXPECT_EQ(plan[0].nextChange, today[0].nextChange);
    EXPECT_FALSE(plan[0].has(Attention::SettingDiffers));
}

TEST(PlanHistory, ALaterEditDoesNotMoveTheCartridgeInPlace) {
    PlantFile f = parsed(kPlant);
    const std::vector<PointPlan> before = planWith(f, {change("P1", "2026-11-02", "")});
    const std::string dialled = before[0].setting;
    const std::vector<ChangeRecord> records = {change("P1", "2026-11-02", dialled)};
    const Date next = *planWith(f, records)[0].nextChange;

    // A faster shaft needs a shorter setting today ...
    f = parsed("Id,Lubricator,Speed,D_mm,B_mm,Bore_mm,InstalledOn\nP1,VOXA 125,3000,180,46,100,2026-06-01\n");
    const std::vector<PointPlan> edited = evaluatePlan(f, core::Units::SI, day("2026-12-10"));
    ASSERT_TRUE(edited[0].computed()) << edited[0].error;
    ASSERT_NE(edited[0].setting, dialled);
    // ... but the cartridge in place still runs at the one dialled.
    const std::vector<PointPlan> after = planWith(f, records);
    EXPECT_EQ(after[0].nextChange, next);
    EXPECT_TRUE(after[0].has(Attention::SettingDiffers));
    EXPECT_TRUE(after[0].needsAttention());
    // Recorded again at today's setting, the plan follows it and the mark goes.
    const std::vector<PointPlan> again = planWith(f, {records[0], change("P1", "2026-12-09", edited[0].setting)});
    EXPECT_EQ(again[0].nextChange, addMonths(day("2026-12-09"), edited[0].monthsPerCartridge));
    EXPECT_FALSE(again[0].has(Attention::SettingDiffers));
}

TEST(PlanHistory, ASharedReservoirIsRefilledOnItsLatestRecord) {
    const PlantFile f = parsed("Id,Unit,Lubricator,Speed,D_mm,B_mm,Bore_mm,InstalledOn\n"
                               "A,R1,VOXA 400,1500,180,46,100,2026-06-01\n"
                               "B,R1,VOXA 400,1500,180,46,100,2026-06-01\n");
    const std::vector<PointPlan> today = evaluatePlan(f, core::Units::SI, day("2026-12-10"));
    ASSERT_TRUE(today[0].nextChange) << today[0].error;
    const std::vector<PointPlan> plan = planWith(f, {change("B", "2026-11-15", today[1].setting)});
    EXPECT_EQ(plan[0].installedOn, day("2026-06-01"));
    EXPECT_EQ(plan[1].installedOn, day("2026-11-15"));
    EXPECT_EQ(*plan[0].nextChange - *today[0].nextChange, day("2026-11-15") - day("2026-06-01"));
    EXPECT_EQ(plan[1].nextChange, plan[0].nextChange);
}
