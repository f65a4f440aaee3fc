#include "core/suitability.h"

#include "core/calculation.h"
#include "core/greases.h"
#include "core/log.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace unctora::core;

namespace {
std::vector<int> enabled(const Suitability& s) {
    std::vector<int> v;
    for (int i = 0; i < kGreaseCount; ++i)
        if (s.enabled[i])
            v.push_back(i);
    return v;
}
} // namespace

TEST(SpeedClass, AgainstTheLimits) {
    const CalcContext none;
    CalcInputs in;
    in.RotOR = 0;
    EXPECT_EQ(speedFactor(in), 280000);
    EXPECT_EQ(classifySpeed(0, 0, 0, 280000, none), 2);
    in.RotOR = 1;
    EXPECT_EQ(speedFactor(in), 360000);
    EXPECT_EQ(classifySpeed(0, 0, 0, 360000, none), 3);
    EXPECT_EQ(classifySpeed(0, 0, 0, 0, none), 0);       // 0 <= 0
    EXPECT_EQ(classifySpeed(0, 0, 0, 100000, none), 1);  // bounds are inclusive
    EXPECT_EQ(classifySpeed(3, 0, 0, 800000, none), 4);  // above the fifth limit too
    EXPECT_EQ(classifySpeed(3, 0, 0, 700001, none), 4);
    EXPECT_EQ(classifySpeed(3, 0, 0, 699999, none), 3);
    EXPECT_EQ(classifySpeed(-1, 0, 0, 1, none), 4);      // empty record: all limits 0
}

TEST(Suitability, GreasesFallBackAndStay) {
    CalcInputs in;
    in.Lubricator = ZOLT120;
    in.Grease = 4; // NVSU2 is no grease for the ZOLT 120ml
    in.Load = 2;
    in.Speed = 1000;
    in.RotOR = 0; // Sf 140000: speed class 2
    Suitability s = checkApplicationSuitability(in, {});
    EXPECT_EQ(s.grease, 0);
    EXPECT_EQ(enabled(s), (std::vector<int>{0, 3})); // NVHA2 fits, but not a high load
    in.Grease = 3;
    EXPECT_EQ(checkApplicationSuitability(in, {}).grease, 3);

    // VOXA 400: every grease passes the lubricator test; the others still apply.
    in.Lubricator = VOXA400;
    s = checkApplicationSuitability(in, {});
    // Speed class 2 and a high load leave these.
    EXPECT_EQ(enabled(s), (std::vector<int>{0, 3, 4, 5, 6, 11, 13}));
    in.BrgOpTemp = 3; // "Very High" rules out NVGU2
    s = checkApplicationSuitability(in, {});
    EXPECT_FALSE(s.enabled[11]);
    in.BrgOpTemp = 0;
    in.Load = 0; // "Low" rules out NVKA2, NVRO2, NVPI1, NVDA2, NVGU2
    s = checkApplicationSuitability(in, {});
    for (int g : {1, 2, 5, 6, 11})
        EXPECT_FALSE(s.enabled[g]) << g;
    // n = 0 on a ball bearing: speed class 0, only NVKA2, NVRO2, NVSU2 can pass.
    in.Load = 2;
    in.Speed = 0;
    s = checkApplicationSuitability(in, {});
    EXPECT_EQ(s.speedClass, 0);
    EXPECT_EQ(enabled(s), (std::vector<int>{0, 1, 2, 4}));
    // A grease index that is no item falls back to "Unspecified".
    in.Grease = -1;
    EXPECT_EQ(checkApplicationSuitability(in, {}).grease, 0);
    in.Grease = 20;
    EXPECT_EQ(checkApplicationSuitability(in, {}).grease, 0);
}

TEST(Suitability, LogLines) {
    LineLog log;
    CalcInputs in; // VOXA 125, DGBB 100/180, 2000 rpm, outer ring rotating
    in.Grease = 8;
    const Suitability s = checkApplicationSuitability(in, {&log, ","});
    const auto& l = log.lines();
    ASSERT_GE(l.size(), 3u);
    EXPECT_EQ(l[0], "Lubricator=1=VOXA 125, brg=0 (0/0)");
    EXPECT_EQ(l[1], "Sf=360000, limits=0, 100000, 300000, 500000, 700000");
    EXPECT_EQ(l[2], "iSpeed=3 (2000), iOpTemp=0, iLoad=1");
    // NVKA2 fails at once; NVBE2 (speed classes 2, 3) passes all four tests.
    EXPECT_EQ(l[3], "Grease 1=NVKA2");
    EXPECT_EQ(l[4], "  Lubricator suitable: False");
    EXPECT_EQ(l[5], "  Grease suitable: False");
    const std::vector<std::string> nvbe2 = {
        "Grease 8=NVBE2",           "  Lubricator suitable: True", "  Speed suitable: True",
        "  Load suitable: True",    "  Op temp suitable: True",    "  Grease suitable: True"};
    auto it = std::search(l.begin(), l.end(), nvbe2.begin(), nvbe2.end());
    EXPECT_NE(it, l.end());
    EXPECT_EQ(s.grease, 8);
    // Three header lines, then 3 to 6 lines per grease.
    std::size_t perGrease = 0;
    for (std::size_t i = 3; i < l.size(); ++i)
        perGrease += l[i].rfind("Grease ", 0) == 0;
    EXPECT_EQ(perGrease, 13u);
    EXPECT_GE(l.size(), 3u + 13 * 3);
    EXPECT_LE(l.size(), 3u + 13 * 6);
    // Without a log nothing is written and the outcome is the same.
    const Suitability quiet = checkApplicationSuitability(in, {});
    EXPECT_EQ(quiet.enabled, s.enabled);
}
