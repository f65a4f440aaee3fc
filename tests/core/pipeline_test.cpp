#include "core/pipeline.h"

#include "core/errors.h"
#include "core/log.h"
#include "core/round.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace unctora::core;

namespace {
CalcInputs firstStart() {
    CalcInputs in;
    applyReplenishmentRule(in);
    return in;
}
} // namespace

TEST(ResultFields, IntervalInWholeHundreds) {
    const struct {
        double hours;
        const char* shown;
    } cases[] = {{149, "100"},   {150, "200"}, {250, "200"}, {350, "400"}, {12345, "12300"},
                 {100, "100"},   {0, "100"},   {-5, "100"},  {100.1, "100"}, {30000, "30000"}};
    for (const auto& c : cases)
        EXPECT_EQ(intervalText(c.hours), c.shown) << c.hours;
}

TEST(ResultFields, QuantityAndFeedRateInBothSystems) {
    EXPECT_EQ(greaseQuantityText(12.5, Units::SI, "."), "12.0");
    EXPECT_EQ(greaseQuantityText(13.5, Units::SI, "."), "14.0");
    EXPECT_EQ(greaseQuantityText(90, Units::SI, ","), "90,0");
    EXPECT_EQ(greaseQuantityText(90, Units::Imperial, "."), "3.2"); // 3.1747 oz
    EXPECT_EQ(greaseQuantityText(36, Units::Imperial, "."), "1.3");
    EXPECT_EQ(feedRateText(0.0999, Units::SI, "."), "0.100");
    EXPECT_EQ(feedRateText(0.1, Units::SI, "."), "0.10");
    EXPECT_EQ(feedRateText(3.1114228981888035, Units::SI, ","), "3,11");
    // In imperial units the threshold applies to the ounce value.
    EXPECT_EQ(feedRateText(2.83, Units::Imperial, "."), "0.100"); // 0.09983 oz
    EXPECT_EQ(feedRateText(2.84, Units::Imperial, "."), "0.10");  // 0.10018 oz
    EXPECT_EQ(feedRateText(3.1114228981888035, Units::Imperial, "."), "0.11");
}

TEST(Pipeline, FirstStartInputs) {
    LineLog log;
    const CalcRun run = runCalculation(firstStart(), Units::SI, {&log, "."});
    EXPECT_EQ(run.display.edTf, "4000");
    EXPECT_EQ(run.display.edTfcorr, "700");
    EXPECT_EQ(run.display.edGp, "90.0");
    EXPECT_EQ(run.display.edQf, "3.11");
    EXPECT_EQ(run.display.edBore_in, "3.94");
    EXPECT_EQ(run.display.edD_in, "7.09");
    EXPECT_EQ(run.display.edB_in, "3.94");
    EXPECT_NEAR(run.results.tf, 3966.95, 0.005);
    EXPECT_NEAR(run.results.tfc, 694.216, 0.0005);
    EXPECT_NEAR(run.results.DS, 1.1619, 0.00005);
    EXPECT_EQ(log.lines().size(), 10u);

    const CalcRun imp = runCalculation(firstStart(), Units::Imperial, {});
    EXPECT_EQ(imp.display.edGp, "3.2");
    EXPECT_EQ(imp.display.edQf, "0.11");
    EXPECT_EQ(imp.display.edBore_in, "3.94");
}

TEST(Pipeline, FailureDisplay) {
    // D = 0: Gp = 0, the ratio of the log line is 0/0, whether or not the log is on.
    CalcInputs in = firstStart();
    in.D_mm = 0;
    for (bool withLog : {false, true}) {
        SCOPED_TRACE(withLog);
        LineLog log;
        const CalcOutcome out = calculate(in, Units::SI, {withLog ? &log : nullptr, "."});
        EXPECT_FALSE(out.ok);
        EXPECT_EQ(out.error, kInvalidOperation);
        EXPECT_EQ(out.run.display.edTf, "0");
        EXPECT_EQ(out.run.display.edTfcorr, "0");
        EXPECT_EQ(out.run.display.edGp, "0");
        EXPECT_EQ(out.run.display.edQf, "0");
        EXPECT_EQ(out.run.display.edD_in, "0.00"); // the inch read-outs are still shown
        EXPECT_EQ(out.run.results.PauseBase, 0);
        // Lines written before the failure stay.
        EXPECT_EQ(log.lines().size(), withLog ? 8u : 0u);
    }
    // tf underflows to 0: tfc is 0 and the feed rate divides by zero.
    in = firstStart();
    in.Type = 8;
    in.Speed = 10000;
    in.D_mm = 10000;
    const CalcOutcome out = calculate(in, Units::SI, {});
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.error, kDivisionByZero);
    // D or B = 0 with a tfc below 0.5 completes: "tfc<0.5, DS=0".
    in = firstStart();
    in.B_mm = 0;
    in.Type = 8;
    in.Speed = 3100;
    in.D_mm = 250;
    in.Bore_mm = 0;
    LineLog log;
    const CalcOutcome shortRun = calculate(in, Units::SI, {&log, "."});
    ASSERT_TRUE(shortRun.ok) << shortRun.error;
    EXPECT_LT(shortRun.run.results.tfc, 0.5);
    EXPECT_EQ(log.lines().back(), "tfc<0.5, DS=0");
    EXPECT_EQ(shortRun.run.results.DS, 0);
    EXPECT_FALSE(shortRun.run.results.OldQf.has_value());
    EXPECT_EQ(shortRun.run.display.edTf, "100");
}

TEST(Pipeline, NothingInfiniteReachesADisplay) {
    // A corrected interval so small (subnormal) that the feed rate overflows raises.
    CalcInputs in = firstStart();
    in.Type = 8;
    in.Speed = 10000;
    in.D_mm = 1317;
    const CalcOutcome out = calculate(in, Units::SI, {});
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.error, kOverflow);
    // An index outside its table is a clear failure, not a read past the table.
    in = firstStart();
    in.Load = 7;
    const CalcOutcome bad = calculate(in, Units::SI, {});
    EXPECT_FALSE(bad.ok);
    EXPECT_NE(bad.error.find("Load"), std::string::npos);
    in = firstStart();
    in.OpHours = 0;
    EXPECT_EQ(calculate(in, Units::SI, {}).error, kDivisionByZero);
}

TEST(Round, HalvesToEven) {
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(3.5), 4);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(-3.5), -4);
    EXPECT_EQ(Round(0.5), 0);
    EXPECT_EQ(Round(694.2161), 694);
    EXPECT_EQ(Round(2.5000000001), 3);
    EXPECT_THROW(Round(std::nan("")), CalculationError);
    EXPECT_THROW(Round(1e300), CalculationError);
}

TEST(Inputs, ReplenishmentRuleAndClamping) {
    for (int type = 0; type < 10; ++type) {
        CalcInputs in;
        in.Type = type;
        in.Replenishment = 1;
        const bool open = applyReplenishmentRule(in);
        EXPECT_EQ(open, type > 2) << type;
        EXPECT_EQ(in.Replenishment, type > 2 ? 1 : 0) << type;
    }
    CalcInputs in;
    in.Speed = 12000;
    in.Bore_mm = -3;
    in.OpHours = 0;
    in.D_mm = 180.5; // whole values only, halves to even
    in.B_mm = std::nan("");
    in.Type = -4;
    in.CRBsub2 = 9;
    in.Lubricator = 11;
    clampInputs(in);
    EXPECT_EQ(in.Speed, 10000);
    EXPECT_EQ(in.Bore_mm, 0);
    EXPECT_EQ(in.OpHours, 1);
    EXPECT_EQ(in.D_mm, 180);
    EXPECT_EQ(in.B_mm, 0);
    EXPECT_EQ(in.Type, 0);
    EXPECT_EQ(in.CRBsub2, 3);
    EXPECT_EQ(in.Lubricator, 7);
    // The sub-variant pair the formulas see.
    in = CalcInputs{};
    in.CRBsub1 = 1;
    in.CRBsub2 = 2;
    in.SRBsub1 = 2;
    in.SRBsub2 = 1;
    in.TORBsub1 = 1;
    in.Type = 3;
    EXPECT_EQ(bearingKey(in).sub1, 1);
    EXPECT_EQ(bearingKey(in).sub2, 2);
    in.Type = 4;
    EXPECT_EQ(bearingKey(in).sub1, 2);
    EXPECT_EQ(bearingKey(in).sub2, 1);
    in.Type = 7;
    EXPECT_EQ(bearingKey(in).sub1, 1);
    EXPECT_EQ(bearingKey(in).sub2, 0);
    in.Type = 5;
    EXPECT_EQ(bearingKey(in).sub1, 0);
    // With SRBsub1 = 2 every series gives the same bearing data.
    in.Type = 4;
    const CalcRun a = runCalculation(in, Units::SI, {});
    in.SRBsub2 = 0;
    EXPECT_EQ(runCalculation(in, Units::SI, {}).results.tf, a.results.tf);
}
