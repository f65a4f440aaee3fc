#include "core/bearings.h"

#include <gtest/gtest.h>

using namespace unctora::core;

namespace {

struct RowCase {
    int type, sub1, sub2;
    double bf;
    std::array<std::int32_t, 3> load;
    bool full, oil, steel;
    std::array<std::int32_t, 5> speed;
};

constexpr std::array<std::int32_t, 5> kBall{0, 100000, 300000, 500000, 700000};
constexpr std::array<std::int32_t, 5> kCyl{30000, 75000, 270000, 700000, 700000};
constexpr std::array<std::int32_t, 5> kRol{30000, 75000, 210000, 700000, 700000};
constexpr std::array<std::int32_t, 5> kNone{};

} // namespace

TEST(BearingTable, EveryRowOfTheTable) {
    const RowCase cases[] = {
        {0, 5, 9, 1, {500000, 400000, 300000}, false, false, false, kBall},
        {1, 0, 0, 1, {500000, 400000, 300000}, false, false, false, kBall},
        {2, 0, 0, 1, {500000, 400000, 300000}, false, false, false, kBall},
        {3, 0, 0, 1.5, {450000, 300000, 150000}, false, false, false, kCyl},
        {3, 1, 0, 1.5, {450000, 300000, 150000}, false, false, true, kCyl},
        {3, 0, 1, 2, {300000, 200000, 100000}, false, false, false, kCyl},
        {3, 0, 2, 4, {200000, 120000, 60000}, false, false, false, kCyl},
        {3, 1, 3, 4, {0, 0, 20000}, true, false, true, kCyl},
        {4, 0, 0, 2, {350000, 200000, 100000}, false, false, false, kRol},
        {4, 0, 1, 2, {250000, 150000, 80000}, false, false, false, kRol},
        {4, 0, 2, 2, {150000, 80000, 50000}, false, true, false, kRol},
        {4, 1, 0, 2, {230000, 130000, 65000}, false, false, false, kRol},
        {4, 1, 1, 2, {170000, 100000, 50000}, false, false, false, kRol},
        {4, 1, 2, 2, {100000, 50000, 30000}, false, true, false, kRol},
        {4, 2, 7, 6, {150000, 50000, 30000}, false, true, false, kRol},
        {5, 0, 0, 2, {350000, 300000, 200000}, false, false, false, kRol},
        {6, 0, 0, 2, {200000, 150000, 100000}, false, false, false, kRol},
        {7, 0, 3, 2, {350000, 200000, 100000}, false, false, false, kRol},
        {7, -1, 0, 4, {0, 0, 20000}, true, false, false, kRol},
        {7, 1, 0, 4, {0, 0, 20000}, true, false, false, kRol},
        {8, 0, 0, 10, {100000, 60000, 30000}, false, false, false, kRol},
        {9, 0, 0, 4, {200000, 170000, 150000}, false, false, false, kRol},
        // No row: the empty record.
        {3, 2, 0, 0, {0, 0, 0}, false, false, false, kNone},
        {10, 0, 0, 0, {0, 0, 0}, false, false, false, kNone},
        {-1, 0, 0, 0, {0, 0, 0}, false, false, false, kNone},
        {4, 3, 0, 0, {0, 0, 0}, false, false, false, kNone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "(" << c.type << ", " << c.sub1 << ", " << c.sub2 << ")");
        const TBrgData d = getBearingData(c.type, c.sub1, c.sub2);
        EXPECT_EQ(d.BearingFactor, c.bf);
        EXPECT_EQ(d.LoadLimits, c.load);
        EXPECT_EQ(d.FullComplement, c.full);
        EXPECT_EQ(d.OilLubCheck, c.oil);
        EXPECT_EQ(d.SteelCage, c.steel);
        EXPECT_EQ(d.SpeedLimits, c.speed);
        EXPECT_EQ(getSpeedLimits(c.type, c.sub1, c.sub2), c.speed);
    }
}

TEST(BearingTable, IdentityFieldsAndTexts) {
    // Plain types report sub-variants 0 whatever was passed; the others as passed.
    TBrgData d = getBearingData(0, 5, 9);
    EXPECT_EQ(d.BrgType, 0);
    EXPECT_EQ(d.Sub1, 0);
    EXPECT_EQ(d.Sub2, 0);
    EXPECT_EQ(d.ShortName, "DGBB");
    EXPECT_TRUE(d.Sub1Text.empty());

    d = getBearingData(4, 2, 7);
    EXPECT_EQ(d.Sub1, 2);
    EXPECT_EQ(d.Sub2, 7);
    EXPECT_EQ(d.Sub1Text, "Load ratio Fa/Fr > e");
    EXPECT_EQ(d.Sub2Text, "All series");

    d = getBearingData(7, -1, 0);
    EXPECT_EQ(d.Sub1, -1);
    EXPECT_EQ(d.Sub1Text, "Without cage, full complement");

    d = getBearingData(3, 0, 2);
    EXPECT_EQ(d.Sub2Text, "Locating bearing, with constantly acting light axial load");
    EXPECT_NE(d.Sub1Text.find("glass-fibre"), std::string_view::npos);

    // A valid sub1 with an invalid sub2 leaves only the sub1 text filled.
    d = getBearingData(3, 0, 5);
    EXPECT_EQ(d.BearingFactor, 0);
    EXPECT_EQ(d.BrgType, -1);
    EXPECT_NE(d.Sub1Text.find("glass-fibre"), std::string_view::npos);
    EXPECT_TRUE(d.Sub2Text.empty());
    d = getBearingData(4, 1, 3);
    EXPECT_EQ(d.Sub1Text, "Load ratio Fa/Fr < e and dm>800mm");
    EXPECT_EQ(d.LoadLimits, (std::array<std::int32_t, 3>{0, 0, 0}));

    d = getBearingData(10, 0, 0);
    EXPECT_EQ(d.BrgType, -1);
    EXPECT_EQ(d.Sub1, -1);
    EXPECT_EQ(d.Sub2, -1);
    EXPECT_TRUE(d.ShortName.empty());
}
