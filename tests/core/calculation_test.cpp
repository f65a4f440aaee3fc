#include "core/calculation.h"

#include "core/errors.h"
#include "core/greases.h"
#include "core/log.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace unctora::core;

namespace {

// The first-start inputs with the replenishment rule applied (type 0).
CalcInputs firstStart() {
    CalcInputs in;
    applyReplenishmentRule(in);
    return in;
}

const CalcContext kNoLog;

} // namespace

TEST(Interval, WorkedExamples) {
    CalcInputs in = firstStart();
    in.RotOR = 0;
    EXPECT_NEAR(calculateRelubricationInterval(in, kNoLog), 6218.93, 0.005); // dm 140
    in.RotOR = 1;
    const double tf = calculateRelubricationInterval(in, kNoLog); // dm 180
    EXPECT_NEAR(tf, 3966.95, 0.005);
    EXPECT_NEAR(calculateCorrectedRelubricationInterval(in, tf, kNoLog), 694.22, 0.005);

    in.Speed = 0;
    EXPECT_EQ(calculateRelubricationInterval(in, kNoLog), 30000.0);
    in.Speed = 2000;
    in.Bore_mm = in.D_mm = 0;
    EXPECT_EQ(calculateRelubricationInterval(in, kNoLog), 30000.0);
    // A triple without a table row has bf 0: 30000 whatever the speed.
    in = firstStart();
    in.Type = 3;
    in.CRBsub1 = 2;
    EXPECT_EQ(calculateRelubricationInterval(in, kNoLog), 30000.0);
    // Underflow is no error: tf becomes 0.
    in = firstStart();
    in.Type = 8;
    in.Speed = 10000;
    in.D_mm = 10000;
    EXPECT_EQ(calculateRelubricationInterval(in, kNoLog), 0.0);
}

TEST(Interval, CorrectionFactorsInOrder) {
    const CalcInputs base = firstStart();
    const double tf = 10000;
    auto tfc = [&](auto change) {
        CalcInputs in = base;
        change(in);
        return calculateCorrectedRelubricationInterval(in, tf, kNoLog);
    };
    // Base: vertical /2, temp Low x2, moderate+shock 0.35, 24 h, moderate contamination 0.5.
    EXPECT_DOUBLE_EQ(tfc([](CalcInputs&) {}), 10000 / 2.0 * 2 * 0.35 * 0.5);
    EXPECT_DOUBLE_EQ(tfc([](CalcInputs& i) { i.OpHours = 8; }), 3 * 1750.0);
    EXPECT_DOUBLE_EQ(tfc([](CalcInputs& i) { i.ShaftOrientation = 0; }), 3500.0);
    EXPECT_DOUBLE_EQ(tfc([](CalcInputs& i) { i.ShockLoad = 0; }), 10000 / 2.0 * 2 * 0.7 * 0.5);
    const double tempFactor[4] = {2, 1, 0.5, 0.25};
    for (int t = 0; t < 4; ++t)
        EXPECT_DOUBLE_EQ(tfc([&](CalcInputs& i) { i.BrgOpTemp = t; }),
                         10000 / 2.0 * tempFactor[t] * 0.35 * 0.5);
    const double shock[4] = {0.7, 0.35, 0.15, 0.1}, plain[4] = {1.0, 0.7, 0.35, 0.15};
    for (int l = 0; l < 4; ++l) {
        EXPECT_DOUBLE_EQ(tfc([&](CalcInputs& i) { i.Load = l; }), 5000 * 2 * shock[l] * 0.5);
        EXPECT_DOUBLE_EQ(tfc([&](CalcInputs& i) { i.Load = l; i.ShockLoad = 0; }),
                         5000 * 2 * plain[l] * 0.5);
    }
    EXPECT_DOUBLE_EQ(tfc([](CalcInputs& i) { i.ContMoist = 2; }), 5000 * 2 * 0.35 * 0.2);
    EXPECT_DOUBLE_EQ(tfc([](CalcInputs& i) { i.Grease = 8; }), 1750.0 * 1.8);
    EXPECT_DOUBLE_EQ(tfc([](CalcInputs& i) { i.Grease = 11; }), 1750.0 * 0.7);
    // The ambient temperature plays no part in the intervals.
    EXPECT_DOUBLE_EQ(tfc([](CalcInputs& i) { i.Ambient = 0; }), 1750.0);
    EXPECT_DOUBLE_EQ(tfc([](CalcInputs& i) { i.Ambient = 2; }), 1750.0);
}

TEST(Interval, SteelCageCapAndFullComplement) {
    // Conditions giving a factor of exactly 1: horizontal, Normal temp, low load
    // without shock, 24 h, low contamination.
    CalcInputs in = firstStart();
    in.ShaftOrientation = 0;
    in.BrgOpTemp = 1;
    in.Load = 0;
    in.ShockLoad = 0;
    in.ContMoist = 0;
    in.Type = 3;
    in.CRBsub1 = 1; // steel cage: halved, then capped
    EXPECT_DOUBLE_EQ(calculateCorrectedRelubricationInterval(in, 50000, kNoLog), 25000);
    EXPECT_DOUBLE_EQ(calculateCorrectedRelubricationInterval(in, 70000, kNoLog), 30000);
    in.CRBsub1 = 0;
    EXPECT_DOUBLE_EQ(calculateCorrectedRelubricationInterval(in, 50000, kNoLog), 30000);
    // Full complement: divided by 10 after the cap, for either cage.
    in.CRBsub2 = 3;
    EXPECT_DOUBLE_EQ(calculateCorrectedRelubricationInterval(in, 50000, kNoLog), 3000);
    in.CRBsub1 = 1;
    EXPECT_DOUBLE_EQ(calculateCorrectedRelubricationInterval(in, 70000, kNoLog), 3000);
    // TORB without cage: bf 4 and at most 3000 h.
    in.Type = 7;
    in.TORBsub1 = 1;
    EXPECT_DOUBLE_EQ(calculateCorrectedRelubricationInterval(in, 50000, kNoLog), 3000);
    in.Speed = 1000;
    in.D_mm = 100;
    in.Bore_mm = 0;
    EXPECT_DOUBLE_EQ(calculateRelubricationInterval(in, kNoLog),
                     30000 * std::exp(-5.62e-6 * 1000 * 100 * 4));
    // The division tests the inputs' indexes, not the record's flag: a TORB
    // sub1 of -1 has the full-complement row but is not divided.
    in.TORBsub1 = -1;
    EXPECT_DOUBLE_EQ(calculateCorrectedRelubricationInterval(in, 50000, kNoLog), 30000);
}

TEST(GreaseQuantityAndFeedRate, WorkedExample) {
    CalcInputs in = firstStart();
    EXPECT_DOUBLE_EQ(calculateGreaseQuantity(in, kNoLog), 90);
    in.Replenishment = 1;
    EXPECT_DOUBLE_EQ(calculateGreaseQuantity(in, kNoLog), 36);
    in.Bore_mm = 9999; // the bore plays no part
    EXPECT_DOUBLE_EQ(calculateGreaseQuantity(in, kNoLog), 36);

    in = firstStart();
    const double tfc = 694.2161418357375;
    EXPECT_NEAR(calculateFeedRate(in, 90, tfc, kNoLog), 3.1114, 0.00005);
    in.Ambient = 0;
    EXPECT_NEAR(calculateFeedRate(in, 90, tfc, kNoLog), 1.5557, 0.00005);
    in.Ambient = 2;
    EXPECT_NEAR(calculateFeedRate(in, 90, tfc, kNoLog), 6.2228, 0.00005);
    in.Lubricator = TENO125; // only the gas-driven units follow the ambient class
    EXPECT_NEAR(calculateFeedRate(in, 90, tfc, kNoLog), 3.1114, 0.00005);
    EXPECT_THROW(calculateFeedRate(in, 90, 0, kNoLog), CalculationError);
}

TEST(LubricatorSetting, EveryFamilyOnTheWorkedExample) {
    const double Gp = 90, tfc = 694.2161418357375, Qf = Gp / tfc * 24;
    struct Case {
        int lub, ambient;
        double ds;
    } cases[] = {
        {VOXA125, 1, 1.16195}, {VOXA60, 1, 0.58097}, {VOXA125, 0, 0.58097},
        {VOXA125, 2, 2.32390}, {VOXA60, 2, 1.16195}, {TENO125, 1, 1},
        {TENO250, 1, 2},       {ZOLT120, 1, 1},      {ZOLT380, 1, 3},
        {VOXA400, 1, 1.16195}, {VOXA1000, 0, 1.16195},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(lubricatorName(c.lub) + " ambient " + std::to_string(c.ambient));
        CalcInputs in = firstStart();
        in.Lubricator = c.lub;
        in.Ambient = c.ambient;
        CalcResults r;
        calculateLubricatorSetting(in, Gp, tfc, Qf, r, kNoLog);
        EXPECT_NEAR(r.DS, c.ds, 0.00001);
        ASSERT_TRUE(r.tfcHours.has_value());
        EXPECT_EQ(*r.tfcHours, 694);
        ASSERT_TRUE(r.OldQf.has_value());
        EXPECT_NEAR(*r.OldQf, 0.12968, 0.000005);
        EXPECT_DOUBLE_EQ(r.PauseBase, (694 / 5.0) / (90 / 0.9));
    }
}

TEST(LubricatorSetting, ShortIntervalsAndFailures) {
    CalcInputs in = firstStart();
    in.Lubricator = VOXA60;
    CalcResults r;
    r.OldQf = 42; // left from an earlier run: must not survive
    calculateLubricatorSetting(in, 90, 0.4, 90 / 0.4 * 24, r, kNoLog);
    EXPECT_EQ(r.DS, 0);
    EXPECT_EQ(r.PauseBase, 0);
    EXPECT_EQ(r.tfcHours, 0);
    EXPECT_FALSE(r.OldQf.has_value());
    // tfc 0.5 rounds to 0 (half to even).
    calculateLubricatorSetting(in, 90, 0.5, 1, r, kNoLog);
    EXPECT_EQ(r.tfcHours, 0);
    // tfc not positive: nothing about the hours is set.
    calculateLubricatorSetting(in, 90, 0, 1, r, kNoLog);
    EXPECT_FALSE(r.tfcHours.has_value());
    // Gp = 0: the ratio Qf / OldQf is 0/0 once the hours reach 1...
    EXPECT_THROW(calculateLubricatorSetting(in, 0, 700, 0, r, kNoLog), CalculationError);
    // ...but with tfc < 0.5 the run completes.
    EXPECT_NO_THROW(calculateLubricatorSetting(in, 0, 0.4, 0, r, kNoLog));
    EXPECT_EQ(r.PauseBase, 0);
}

// The Qf (g/day) whose quotient Qf / 0.9 is exactly the double v, when there is one.
static double qfForVolume(double v) {
    double Qf = v * 0.9;
    for (int i = 0; i < 8 && Qf / 0.9 != v; ++i)
        Qf = std::nextafter(Qf, Qf / 0.9 < v ? 1e9 : 0.0);
    return Qf;
}

TEST(LubricatorSetting, StepTables) {
    const struct {
        double v; // ml/day
        int lub, expected;
    } cases[] = {
        {0.3199, TENO125, 99}, {0.32, TENO125, 12}, {0.3201, TENO125, 12}, {0.5, TENO125, 8},
        {1.0, TENO125, 4},     {3.4571, TENO125, 1}, {5.13, TENO125, 1},   {5.2, TENO125, 0},
        {0.6, TENO250, 99},    {0.64, TENO250, 12},  {3.4571, TENO250, 2}, {10.3, TENO250, 0},
        {0.1, ZOLT120, 99},    {0.14, ZOLT120, 24},  {0.2, ZOLT120, 18},   {0.3, ZOLT120, 12},
        {0.4, ZOLT120, 9},     {0.5, ZOLT120, 6},    {1.0, ZOLT120, 3},    {2.0, ZOLT120, 2},
        {3.4571, ZOLT120, 1},  {4.94, ZOLT120, 0},   {5, ZOLT120, 0},      {0.4, ZOLT380, 99},
        {3.4571, ZOLT380, 3},  {15.6, ZOLT380, 1},   {15.7, ZOLT380, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(lubricatorName(c.lub) + " v=" + std::to_string(c.v));
        const double Qf = qfForVolume(c.v);
        EXPECT_EQ(isTeno(c.lub) ? tenoSetting(Qf, c.lub) : zoltSetting(Qf, c.lub), c.expected);
    }
    // The scale of the larger units is applied to the bound, in double precision.
    EXPECT_EQ(zoltSetting(qfForVolume(0.14 * 3.1666666666666665), ZOLT380), 24);
}

TEST(CalculationLog, LinesOfEachStep) {
    LineLog log;
    CalcContext ctx{&log, ","};
    CalcInputs in = firstStart();
    const double Gp = calculateGreaseQuantity(in, ctx);
    const double tf = calculateRelubricationInterval(in, ctx);
    const double tfc = calculateCorrectedRelubricationInterval(in, tf, ctx);
    const double Qf = calculateFeedRate(in, Gp, tfc, ctx);
    CalcResults r;
    calculateLubricatorSetting(in, Gp, tfc, Qf, r, ctx);
    const std::vector<std::string> expected = {
        "calculateGreaseQuantity",
        "  Result=90,00",
        "calculateRelubricationInterval",
        "  Result=3966,95",
        "calculateCorrectedRelubricationInterval",
        "  Result=694,22",
        "calculateFeedRate",
        "  Result=3,11",
        "Old Qf=0,1297, Qf/Old_Qf=24,0",
        "DS=1,16",
    };
    EXPECT_EQ(log.lines(), expected);

    log.clear();
    calculateLubricatorSetting(in, Gp, 0.4, Qf, r, ctx);
    EXPECT_EQ(log.lines(), std::vector<std::string>{"tfc<0.5, DS=0"});
    // The logged DS is the value before the ambient and lubricator adjustments.
    log.clear();
    in.Lubricator = VOXA60;
    in.Ambient = 2;
    calculateLubricatorSetting(in, Gp, tfc, Qf, r, ctx);
    EXPECT_EQ(log.lines().back(), "DS=1,16");
    EXPECT_NEAR(r.DS, 1.16195, 0.00001);
}
