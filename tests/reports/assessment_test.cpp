#include "reports/assessment.h"

#include "core/log.h"

#include <gtest/gtest.h>

using namespace unctora;
using advice::Page;
using reports::AssessOptions;
using reports::Assessment;

namespace {

core::CalcInputs voxa400() {
    core::CalcInputs in;
    in.Type = 4; // spherical roller bearings: the replenishment stays open
    in.Lubricator = core::VOXA400;
    return in;
}

} // namespace

TEST(Assessment, AppliesTheWindowsRulesToTheInputs) {
    core::CalcInputs in;
    in.Type = 0;          // a ball bearing takes fresh grease from the side only
    in.Replenishment = 1;
    in.Grease = 4;        // NVSU2
    in.Lubricator = core::VOXA60;
    const core::Suitability check = [&] {
        core::CalcInputs ruled = in;
        core::applyReplenishmentRule(ruled);
        return core::checkApplicationSuitability(ruled, {});
    }();
    const Assessment a = reports::assess(in, {});
    EXPECT_EQ(a.inputs.Replenishment, 0);
    EXPECT_EQ(a.inputs.Grease, check.grease);
    EXPECT_EQ(a.suitability.enabled, check.enabled);
    // Numbers are taken as given: bringing them into range is the reader's job.
    in.Speed = 12000;
    EXPECT_EQ(reports::assess(in, {}).inputs.Speed, 12000);
}

TEST(Assessment, SuccessHasTheSettingNotesBeforeTheWarnings) {
    core::CalcInputs in = voxa400();
    in.Speed = 1; // too slow for a lubricating film: a warning and the speed in red
    const Assessment a = reports::assess(in, {});
    ASSERT_TRUE(a.ok);
    EXPECT_TRUE(a.error.empty());
    ASSERT_TRUE(a.setting.note.has_value());
    ASSERT_GE(a.pages.size(), 2u);
    EXPECT_EQ(a.pages[0], *a.setting.note);
    EXPECT_TRUE(a.speedRed);
    EXPECT_TRUE(a.pageBarVisible);
    const core::CalcOutcome calc = core::calculate(a.inputs, core::Units::SI, {});
    EXPECT_EQ(a.display.edTf, calc.run.display.edTf);
    EXPECT_EQ(a.display.edQf, calc.run.display.edQf);
    EXPECT_EQ(a.results.DS, calc.run.results.DS);
}

TEST(Assessment, FailureShowsZerosAndTheFailurePages) {
    core::CalcInputs in;
    in.D_mm = 0; // no grease quantity: the feed-rate ratio is undefined
    in.Lubricator = core::TENO250;
    core::LineLog log;
    AssessOptions options;
    options.log = &log;
    options.decimalSeparator = ",";
    const Assessment a = reports::assess(in, options);
    ASSERT_FALSE(a.ok);
    EXPECT_FALSE(a.error.empty());
    EXPECT_EQ(a.results.PauseBase, 0);
    EXPECT_EQ(a.results.Gp, 0);
    for (const std::string* t : {&a.display.edTf, &a.display.edTfcorr, &a.display.edGp, &a.display.edQf})
        EXPECT_EQ(*t, "0");
    EXPECT_EQ(a.display.edBore_in, "3,94"); // the inch read-outs stay
    EXPECT_EQ(a.pages, advice::failurePages(core::TENO250, a.error));
    EXPECT_FALSE(a.speedRed);
    EXPECT_FALSE(log.lines().empty());
}

TEST(Assessment, LogsTheSuitabilityCheckOnlyWhenAsked) {
    core::LineLog withCheck, withoutCheck;
    AssessOptions options;
    options.log = &withCheck;
    reports::assess({}, options);
    options.log = &withoutCheck;
    options.logSuitability = false;
    reports::assess({}, options);
    ASSERT_GT(withCheck.lines().size(), withoutCheck.lines().size());
    // The calculation's own lines end both logs alike.
    EXPECT_TRUE(std::equal(withoutCheck.lines().rbegin(), withoutCheck.lines().rend(),
                           withCheck.lines().rbegin()));
}

TEST(Assessment, AFailureAfterSomePagesKeepsThem) {
    Assessment a = reports::assess(voxa400(), {});
    ASSERT_TRUE(a.ok);
    ASSERT_GE(a.pages.size(), 2u);
    const Page first = a.pages[0];
    reports::failAssessment(a, "bad text", 1);
    EXPECT_FALSE(a.ok);
    EXPECT_EQ(a.error, "bad text");
    ASSERT_EQ(a.pages.size(), 3u);
    EXPECT_EQ(a.pages[0], first);
    EXPECT_EQ(a.pages[1], Page::note(core::VOXA400, advice::kFailureNote));
    EXPECT_EQ(a.pages[2], Page::error("bad text"));
    EXPECT_EQ(a.display.edTf, "0");
    EXPECT_EQ(a.results.DS, 0);
}

TEST(Assessment, ReusedStorageGivesTheSameAsAFreshOne) {
    Assessment reused;
    core::CalcInputs failing;
    failing.B_mm = 0;
    for (const core::CalcInputs& in : {voxa400(), failing, core::CalcInputs{}}) {
        reports::assess(in, {}, reused);
        const Assessment fresh = reports::assess(in, {});
        EXPECT_EQ(reused.ok, fresh.ok);
        EXPECT_EQ(reused.pages, fresh.pages);
        EXPECT_EQ(reused.display.edQf, fresh.display.edQf);
        EXPECT_EQ(reused.setting.text, fresh.setting.text);
        EXPECT_EQ(reused.speedRed, fresh.speedRed);
    }
}
