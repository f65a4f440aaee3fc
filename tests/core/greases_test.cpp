#include "core/greases.h"

#include <gtest/gtest.h>

using namespace unctora::core;

TEST(GreaseTable, CompatibilityMatrix) {
    EXPECT_TRUE(isGreaseAllowed(11, 1));  // NVGU2 in the VOXA 125
    EXPECT_FALSE(isGreaseAllowed(11, 0)); // but not in the VOXA 60
    // The ZOLT 120ml takes only NVTE2 and NVHA2 besides "Unspecified".
    for (int g = 0; g < 14; ++g)
        EXPECT_EQ(isGreaseAllowed(g, 4), g == 0 || g == 3 || g == 12) << g;
    for (int g = 0; g < 14; ++g)
        EXPECT_TRUE(isGreaseAllowed(g, 6)) << g; // every grease in the VOXA 400
    for (int l = 0; l < 8; ++l)
        EXPECT_TRUE(isGreaseAllowed(0, l)) << l;
    const int allowedCount[8] = {6, 8, 7, 7, 3, 9, 14, 9};
    for (int l = 0; l < 8; ++l) {
        int n = 0;
        for (int g = 0; g < 14; ++g)
            n += isGreaseAllowed(g, l);
        EXPECT_EQ(n, allowedCount[l]) << lubricatorName(l);
    }
    EXPECT_FALSE(isGreaseAllowed(0, 8));
    EXPECT_FALSE(isGreaseAllowed(0, -1));
    EXPECT_FALSE(isGreaseAllowed(14, 6));
    EXPECT_FALSE(isGreaseAllowed(-1, 6));
}

TEST(GreaseTable, RatingsAndRecords) {
    EXPECT_FALSE(greaseTempOk(11, 3)); // NVGU2 not for "Very High"
    for (int g = 1; g <= 13; ++g)
        for (int t = 0; t < 4; ++t)
            if (!(g == 11 && t == 3))
                EXPECT_TRUE(greaseTempOk(g, t)) << g << "/" << t;
    // Load class "Low" rules out these five.
    for (int g = 1; g <= 13; ++g)
        EXPECT_EQ(greaseLoadOk(g, 0), !(g == 1 || g == 2 || g == 5 || g == 6 || g == 11)) << g;
    // Speed class 0 only for NVKA2, NVRO2, NVSU2; class 4 only NVFI2.
    for (int g = 1; g <= 13; ++g) {
        EXPECT_EQ(greaseSpeedOk(g, 0), g == 1 || g == 2 || g == 4) << g;
        EXPECT_EQ(greaseSpeedOk(g, 4), g == 10) << g;
    }
    // Out of range answers false, never reads outside the table.
    EXPECT_FALSE(greaseSpeedOk(4, 5));
    EXPECT_FALSE(greaseSpeedOk(4, -1));
    EXPECT_FALSE(greaseLoadOk(4, 4));
    EXPECT_FALSE(greaseTempOk(14, 0));
    EXPECT_FALSE(greaseTempOk(-1, 0));
    // "Unspecified" is the default record: all temperatures, nothing else.
    EXPECT_TRUE(greaseTempOk(0, 2));
    EXPECT_FALSE(greaseLoadOk(0, 2));
    EXPECT_FALSE(greaseSpeedOk(0, 2));

    const TGreaseData d = getGreaseData(13);
    EXPECT_EQ(d.Name, "NVPI2");
    EXPECT_EQ(d.BaseOil, "synthetic PAO oil, mineral oil");
    EXPECT_EQ(d.Viscosity, 80);
    const TGreaseData none = getGreaseData(0);
    EXPECT_TRUE(none.Name.empty());
    EXPECT_EQ(none.Viscosity, 0);
}

TEST(GreaseTable, Names) {
    EXPECT_EQ(lubricatorName(0), "VOXA 60");
    EXPECT_EQ(lubricatorName(4), "ZOLT 120ml");
    EXPECT_EQ(lubricatorName(7), "VOXA 1000");
    EXPECT_EQ(lubricatorName(8), "8?");
    EXPECT_EQ(lubricatorName(-1), "-1?");
    EXPECT_EQ(greaseName(0), "Unspecified");
    EXPECT_EQ(greaseName(8), "NVBE2");
    EXPECT_EQ(greaseName(14), "14?");
    EXPECT_EQ(greaseFactor(0), 1.0);
    EXPECT_EQ(greaseFactor(8), 1.8);
    EXPECT_EQ(greaseFactor(11), 0.7);
}
