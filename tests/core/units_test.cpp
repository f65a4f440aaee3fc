#include "core/units.h"
#include "text/format.h"
#include "strings/quantity.h"

#include <gtest/gtest.h>

using namespace unctora;
using core::Units;

TEST(Units, Conversions) {
    EXPECT_DOUBLE_EQ(core::fahrenheitToCelsius(212), 100);
    EXPECT_EQ(core::roundToTen(-9.44), -10);
    EXPECT_EQ(core::roundToTen(40.56), 40);
    EXPECT_EQ(core::roundToTen(25), 20);
    EXPECT_EQ(core::roundToTen(35), 40);
    EXPECT_EQ(core::roundToTen(core::fahrenheitToCelsius(15)), -10);
    EXPECT_EQ(core::roundToTen(core::fahrenheitToCelsius(105)), 40);
    EXPECT_NEAR(core::ouncesToGrams(1), 28.3495, 1e-12);
    EXPECT_NEAR(core::gramsToOunces(28.3495), 1, 1e-15);
    EXPECT_DOUBLE_EQ(core::gramsToMillilitres(0.9), 1);
}

TEST(FormatQuantity, NoteTemplates) {
    strings::UnitLabels labels;
    labels.setMassUnitLabel(Units::SI, "gr");
    const strings::QuantityContext si{Units::SI, &labels, ","};
    const strings::QuantityContext imp{Units::Imperial, &labels, ","};
    EXPECT_EQ(strings::FormatQuantity("%.*f %s%s", 1, 1.94, "", "", si), "55,0 gr");
    EXPECT_EQ(strings::FormatQuantity("%.*f %s%s", 1, 1.94, "", "", imp), "1,9 oz");
    EXPECT_EQ(strings::FormatQuantity("%.*f %s", 0, 0.35, strings::UnitLabels::volumeUnitLabel(Units::SI),
                                  "", si),
              "10 ml");
    EXPECT_EQ(strings::FormatQuantity("%.*f %s", 0, 0.35,
                                  strings::UnitLabels::volumeUnitLabel(Units::Imperial), "", imp),
              "0,35 fl oz.");
    EXPECT_EQ(strings::FormatQuantity("%.*f %s", 0, 0.5, "", "", si), "14 gr");
    EXPECT_EQ(strings::FormatQuantity("%.*f %s", 0, 0.5, "", "", imp), "0,50 oz");
    EXPECT_EQ(strings::FormatQuantity("%.*f %s (%s)", 2, 1, "", "x", si), "28,35 gr (x)");
    // Without "%.*f": "%s" takes extra only when extra is given.
    EXPECT_EQ(strings::FormatQuantity("every %s", 0, 1, "", "month", si), "every month");
    EXPECT_EQ(strings::FormatQuantity("every %s", 0, 1, "", "", si), "every %s");
    EXPECT_EQ(strings::FormatQuantity("plain", 0, 1, "", "x", si), "plain");
    // A second "%.*f" has no precision value: a format error, never a crash.
    EXPECT_THROW(strings::FormatQuantity("%.*f and %.*f", 0, 1, "", "", si), text::FormatError);
}
