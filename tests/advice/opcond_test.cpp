#include "advice/opcond.h"

#include "text/format.h"
#include "text/keys.h"
#include "strings/stringtable.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace unctora;

namespace {

using Lines = std::vector<std::string>;

// Every column key reads as its own name, so a row that looks up the wrong key
// shows it. The numbered keys and the verbs carry a Thai text too, and the two
// templates say where their values go; these come first, as the first line of a
// key is the one looked up.
strings::StringTable fixture(std::string_view language = "English") {
    std::string bytes = "strNone=strNone~~~~~~~(th)strNone\n"
                        "strDecrease=decrease~~~~~~~(th)decrease\n"
                        "strIncrease=increase~~~~~~~(th)increase\n"
                        "strNormalBrgTemp=normal %d..%d %s\n"
                        "strDecResReq_01=strDecResReq(en)\n"
                        "strDecResReq_08=strDecResReq(th)\n"
                        "strElectricAndGas_01=gas: %s(en)\n"
                        "strElectricAndGas_08=gas: %s(th)\n";
    for (const text::keys::KeyInfo& k : text::keys::allKeys())
        bytes += std::string(k.key) + "=" + std::string(k.key) + "\n";
    strings::StringTable t;
    t.loadFromBytes(bytes);
    t.SetLanguageByName(language);
    return t;
}

// Labels unlike the built-in ones, so a hard-coded unit would show.
strings::UnitLabels labels() {
    strings::UnitLabels l;
    l.setTemperatureLabels("C*", "F*");
    return l;
}

} // namespace

TEST(ConditionDescription, EveryRowOfTheTable) {
    struct Case {
        int condition, setting;
        const char* compensation;
        Lines lines;
    };
    const Case cases[] = {
        {0, 0, "strNone", {"strNormalSituation"}},
        {0, 1, "x 0.5", {"strAppReqMoreLub"}},
        {0, 2, "x 0.2", {"strAppReqMoreLub"}},
        {1, 0, "strNone", {"strLoadsLow"}},
        {1, 1, "x 0.7", {"strLoadsMedium", "strIncFlowRate"}},
        {1, 2, "x 0.35", {"strLoadsHigh", "strIncFlowRate"}},
        {1, 3, "x 0.15", {"strLoadsVeryHigh", "strIncFlowRate"}},
        {2, 0, "strNone", {"strNormalSituation"}},
        {2, 1, "x 0.5", {"strShockLoad_1", "strShockLoad_2", "strShockLoad_3", "strShockLoad_4"}},
        {3, 0, "x 2.0", {"strRelubQuantMay_1", "strRelubQuantMay_2", "strRelubQuantMay_3"}},
        {3, 1, "strNone", {"normal 63..78 C*"}},
        {3, 2, "x 0.5", {"strAccAge2_1", "strAccAge2_2", "strAccAge2_3"}},
        {3, 3, "x 0.25", {"strAccAge4_1", "strAccAge4_2", "strAccAge4_3"}},
        {4, 0, "strNone", {"strNormalSituation"}},
        {4, 1, "x 0.5", {"strVertShaft_1", "strVertShaft_2", "strVertShaft_3", "strVertShaft_4"}},
        {5, 0, "x 0.5",
         {"strIncResReq_1", " ", "gas: decrease(en)", " ", "strNoteLowTemp_1", "strNoteLowTemp_2"}},
        {5, 1, "strNone", {"strAccurateEvenWith_1", "strAccurateEvenWith_2"}},
        {5, 2, "x 2.0",
         {"strDecResReq(en)", " ", "gas: increase(en)", " ", "strNoteHighTemp_1", "strNoteHighTemp_2"}},
        {6, 0, "strNone", {"strNormalSituation"}},
        {6, 1, "x 2/5", {"strRelubQ47_1", "strRelubQ47_2", "strRelubQ47_3"}},
        {7, 0, "strNone", {"strNormalSituation"}},
        {7, 1, "n/a", {"strRotOR_1", "strRotOR_2"}},
    };
    const strings::StringTable t = fixture();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "condition " << c.condition << ", setting " << c.setting);
        const advice::ConditionDescription d =
            advice::conditionDescription(c.condition, c.setting, &t, core::Units::SI, labels());
        EXPECT_EQ(d.compensation, std::optional<std::string>(c.compensation));
        EXPECT_EQ(d.lines, c.lines);
    }
    EXPECT_EQ(advice::descriptionTable().size(), std::size(cases));
    // Only the Normal temperature line depends on the unit system.
    EXPECT_EQ(advice::conditionDescription(3, 1, &t, core::Units::Imperial, labels()).lines,
              Lines{"normal 145..172 F*"});
}

TEST(ConditionDescription, CombinationsOutsideTheTableChangeNothing) {
    const strings::StringTable t = fixture();
    const std::pair<int, int> outside[] = {{-1, 0}, {8, 0}, {0, -1}, {0, 3},
                                           {1, 4}, {2, 2}, {3, 4}, {5, 3}, {7, 2}};
    for (auto [condition, setting] : outside) {
        SCOPED_TRACE(testing::Message() << condition << "/" << setting);
        const advice::ConditionDescription d =
            advice::conditionDescription(condition, setting, &t, core::Units::SI, labels());
        EXPECT_FALSE(d.compensation.has_value());
        EXPECT_TRUE(d.lines.empty());
    }
}

TEST(ConditionDescription, NumberedTextsFollowTheLanguageNumber) {
    // strElectricAndGas and strDecResReq are whole numbered entries; the verbs and
    // strNone are columns of the same language.
    const strings::StringTable t = fixture("Thai");
    const advice::ConditionDescription d =
        advice::conditionDescription(5, 2, &t, core::Units::SI, labels());
    EXPECT_EQ(d.compensation, "x 2.0");
    ASSERT_EQ(d.lines.size(), 6u);
    EXPECT_EQ(d.lines[0], "strDecResReq(th)");
    EXPECT_EQ(d.lines[2], "gas: (th)increase(th)");
    EXPECT_EQ(advice::conditionDescription(5, 0, &t, core::Units::SI, labels()).lines[2],
              "gas: (th)decrease(th)");
    EXPECT_EQ(advice::conditionDescription(0, 0, &t, core::Units::SI, labels()).compensation,
              "(th)strNone");
}

TEST(ConditionDescription, BadTemplatesAndMissingTexts) {
    // A translation that swaps the values of the temperature line is refused, not
    // printed from the wrong argument.
    strings::StringTable bad;
    bad.loadFromBytes("strNormalBrgTemp=%s %d %d\nstrElectricAndGas_01=%d\n");
    EXPECT_THROW(advice::conditionDescription(3, 1, &bad, core::Units::SI, labels()),
                 text::FormatError);
    EXPECT_THROW(advice::conditionDescription(5, 0, &bad, core::Units::SI, labels()),
                 text::FormatError);
    // The compensation is known before any line is formatted.
    const advice::DescriptionEntry* e = advice::findDescription(3, 1);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(advice::compensationText(*e, &bad), strings::notFoundMarker("strNone"));

    // Without a table every text is the no-table marker; nothing fails.
    const advice::ConditionDescription none =
        advice::conditionDescription(1, 1, nullptr, core::Units::SI, labels());
    EXPECT_EQ(none.compensation, "x 0.7");
    EXPECT_EQ(none.lines, Lines(2, std::string(strings::kNoTableMarker)));
}
