#include "advice/warnings.h"

#include "core/pipeline.h"
#include "text/keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

using namespace unctora;
using advice::Page;

namespace {

// A plain application that draws no warning: DGBB 100 x 180, 2000 rpm, load
// Moderate, inner ring rotating, horizontal shaft, clean, average ambient.
core::CalcInputs quiet() {
    core::CalcInputs in;
    in.RotOR = 0;
    in.ShaftOrientation = 0;
    in.ContMoist = 0;
    in.Replenishment = 0;
    return in;
}

// Results whose interval and setting are all in range.
core::CalcResults inRange(double DS = 1.16) {
    core::CalcResults r;
    r.tf = 4000;
    r.tfc = 700;
    r.DS = DS;
    return r;
}

// "Note 3" or the key of each page, in order.
std::vector<std::string> names(const advice::Pages& pages) {
    std::vector<std::string> v;
    for (const Page& p : pages)
        v.push_back(p.kind == Page::Kind::Note ? "Note " + std::to_string(p.code)
                                               : std::string(p.key));
    return v;
}

using Names = std::vector<std::string>;

} // namespace

TEST(Warnings, PagesInOrderForEachCondition) {
    struct Case {
        const char* what;
        std::function<void(core::CalcInputs&)> set;
        Names pages;
        bool speedRed;
    };
    const Case cases[] = {
        {"quiet application", [](auto&) {}, {}, false},
        {"first-start inputs: rotating outer ring, vertical shaft, moderate contamination",
         [](auto& in) { in = core::CalcInputs{}; },
         {"strOUT_RING_ROT_WARN", "strVERT_SHAFT_WARN", "strCONTAM_WARN"},
         false},
        {"3000 rpm", [](auto& in) { in.Speed = 3000; }, {"strLUB_INTERVAL_WARN"}, false},
        {"outer ring after the speed warning",
         [](auto& in) { in.Speed = 3000, in.RotOR = 1; },
         {"strLUB_INTERVAL_WARN", "strOUT_RING_ROT_WARN"},
         false},
        {"high contamination", [](auto& in) { in.ContMoist = 2; }, {"strCONTAM_WARN"}, false},
        {"Very High uses the High limit 300000", [](auto& in) { in.Speed = 2500, in.Load = 3; },
         {"strLUB_INTERVAL_WARN"}, false},
        // SRB with Fa/Fr > e: limits 150000, 50000, 30000; n x dm = 70000 at 500 rpm.
        {"SRB oil check, load Low: below the limit",
         [](auto& in) { in.Type = 4, in.SRBsub1 = 2, in.Speed = 500, in.Load = 0; }, {}, false},
        {"SRB oil check, load Low above the limit: no oil warning",
         [](auto& in) { in.Type = 4, in.SRBsub1 = 2, in.Speed = 1200, in.Load = 0; },
         {"strLUB_INTERVAL_WARN"}, false},
        {"SRB oil check, load Moderate",
         [](auto& in) { in.Type = 4, in.SRBsub1 = 2, in.Speed = 500, in.Load = 1; },
         {"strLUB_INTERVAL_WARN", "strOIL_LUB_WARN"}, false},
        {"SRB oil check, load Very High",
         [](auto& in) { in.Type = 4, in.SRBsub1 = 2, in.Speed = 500, in.Load = 3; },
         {"strLUB_INTERVAL_WARN", "strOIL_LUB_WARN"}, false},
        // Full-complement CRB: limits 0, 0, 20000.
        {"full-complement CRB, load Low",
         [](auto& in) { in.Type = 3, in.CRBsub2 = 3, in.Load = 0; },
         {"strLUB_INTERVAL_WARN", "strCAGE_BEARING_WARN"}, false},
        {"full-complement CRB, load Moderate", [](auto& in) { in.Type = 3, in.CRBsub2 = 3; },
         {"strLUB_INTERVAL_WARN", "strCAGE_BEARING_WARN"}, false},
        {"full-complement CRB, load High", [](auto& in) { in.Type = 3, in.CRBsub2 = 3, in.Load = 2; },
         {"strLUB_INTERVAL_WARN"}, false},
        {"full-complement TORB, load Moderate", [](auto& in) { in.Type = 7, in.TORBsub1 = 1; },
         {"strLUB_INTERVAL_WARN", "strCAGE_BEARING_WARN"}, false},
        {"1 rpm", [](auto& in) { in.Speed = 1; }, {"strTOO_LOW_SPEED_WARN", "strLOW_SPEED_WARN"},
         true},
        {"0 rpm", [](auto& in) { in.Speed = 0; }, {"strTOO_LOW_SPEED_WARN", "strLOW_SPEED_WARN"},
         true},
        {"just fast enough: 143 x 140 = 20020", [](auto& in) { in.Speed = 143; }, {}, false},
        {"slow full-complement bearing in the cold, every low-side page in order",
         [](auto& in) {
             in.Type = 3, in.CRBsub2 = 3, in.Load = 0, in.Speed = 1, in.Ambient = 0;
             in.Lubricator = core::VOXA60;
         },
         {"strLUB_INTERVAL_WARN", "strCAGE_BEARING_WARN", "strTOO_LOW_SPEED_WARN",
          "strLOW_SPEED_WARN", "strLOW_AMB_WARN"},
         true},
        {"fast SRB in the heat, every high-side page in order",
         [](auto& in) {
             in = core::CalcInputs{};
             in.Type = 4, in.SRBsub1 = 2, in.ContMoist = 2, in.Ambient = 2;
         },
         {"strLUB_INTERVAL_WARN", "strOUT_RING_ROT_WARN", "strVERT_SHAFT_WARN", "strCONTAM_WARN",
          "strOIL_LUB_WARN", "strHIGH_AMB_WARN"},
         false},
        {"VOXA 125 in the heat", [](auto& in) { in.Ambient = 2; }, {"strHIGH_AMB_WARN"}, false},
        {"TENO 125 in the cold: no ambient warning",
         [](auto& in) { in.Ambient = 0, in.Lubricator = core::TENO125; }, {}, false},
        {"VOXA 400 in the heat: no ambient warning",
         [](auto& in) { in.Ambient = 2, in.Lubricator = core::VOXA400; }, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        core::CalcInputs in = quiet();
        c.set(in);
        const advice::Advice a = advice::warnings(in, inRange());
        EXPECT_EQ(names(a.pages), c.pages);
        EXPECT_EQ(a.speedRed, c.speedRed);
        EXPECT_EQ(a.pageBarVisible, c.pages.size() > 1);
    }
}

TEST(Warnings, ValuesOfTheSpeedWarnings) {
    using V = std::vector<advice::PageValue>;
    struct Case {
        const char* what;
        std::function<void(core::CalcInputs&)> set;
        const char* key;
        V values;
    };
    const Case cases[] = {
        {"3000 rpm, dm 140", [](auto& in) { in.Speed = 3000; }, "strLUB_INTERVAL_WARN",
         V{420000.0, 400000.0, 400000.0 / 140}},
        {"outer ring rotating: dm is D", [](auto& in) { in.Speed = 3000, in.RotOR = 1; },
         "strLUB_INTERVAL_WARN", V{540000.0, 400000.0, 400000.0 / 180}},
        {"Very High: the High limit", [](auto& in) { in.Speed = 2500, in.Load = 3; },
         "strLUB_INTERVAL_WARN", V{350000.0, 300000.0, 300000.0 / 140}},
        {"limit 0: maximum speed 0", [](auto& in) { in.Type = 3, in.CRBsub2 = 3; },
         "strLUB_INTERVAL_WARN", V{280000.0, 0.0, 0.0}},
        {"1 rpm: 20000 / 140 + 1 = 143.86 gives 144", [](auto& in) { in.Speed = 1; },
         "strTOO_LOW_SPEED_WARN", V{std::int64_t{144}, std::int64_t{144}}},
        {"bf 4: 20000 / 560 + 1 = 36.7 gives 37",
         [](auto& in) { in.Type = 3, in.CRBsub2 = 3, in.Load = 2, in.Speed = 1; },
         "strTOO_LOW_SPEED_WARN", V{std::int64_t{37}, std::int64_t{37}}},
        {"dm 0: minimum speed 0", [](auto& in) { in.Bore_mm = 0, in.D_mm = 0; },
         "strTOO_LOW_SPEED_WARN", V{std::int64_t{0}, std::int64_t{0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        core::CalcInputs in = quiet();
        c.set(in);
        const advice::Advice a = advice::warnings(in, inRange());
        const Page* found = nullptr;
        for (const Page& p : a.pages)
            if (p.key == c.key)
                found = &p;
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(V(found->valueList().begin(), found->valueList().end()), c.values);
    }
}

TEST(Warnings, MinimumSpeedRoundsHalvesToEven) {
    const struct {
        double dmBf;
        std::int64_t speed;
    } cases[] = {{140, 144},  {8000, 4}, {40000, 2}, {20000, 2}, {16000, 2},
                 {0, 0},      {-5, 0},   {NAN, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dmBf);
        EXPECT_EQ(advice::minimumSpeed(c.dmBf), c.speed);
    }
}

TEST(Warnings, IntervalNoteFirstMatchOnlySinglePoint) {
    const struct {
        int lubricator;
        double tf, tfc, DS;
        int note; // 0: none
    } cases[] = {
        {core::VOXA125, -1, 50, 0.1, 3}, // negative tf wins over everything
        {core::VOXA125, NAN, 700, 1, 3},
        {core::VOXA125, 0, 700, 1, 0},
        {core::VOXA125, 4000, 100, 0.1, 4},
        {core::VOXA125, 4000, 100.5, 0.49, 1},
        {core::VOXA125, 4000, 700, 0.5, 0},
        {core::VOXA125, 4000, 700, 12.5, 0},
        {core::VOXA125, 4000, 700, 13, 2},
        {core::TENO125, 4000, 700, 13, 2},
        {core::ZOLT380, 4000, 700, 18, 0},
        {core::ZOLT380, 4000, 700, 24, 0},
        {core::ZOLT380, 4000, 700, 99, 2},
        {core::ZOLT120, 4000, 700, 24, 0},
        {core::ZOLT120, 4000, 700, 24.6, 2},
        {core::ZOLT120, 4000, 700, 99, 2},
        {core::VOXA400, -1, 50, 0, 0},
        {core::VOXA1000, 4000, 700, 99, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "lubricator " << c.lubricator << " tf " << c.tf
                                          << " tfc " << c.tfc << " DS " << c.DS);
        core::CalcInputs in = quiet();
        in.Lubricator = c.lubricator;
        core::CalcResults r;
        r.tf = c.tf, r.tfc = c.tfc, r.DS = c.DS;
        const advice::Advice a = advice::warnings(in, r);
        if (c.note == 0) {
            EXPECT_TRUE(a.pages.empty()) << names(a.pages).front();
        } else {
            ASSERT_EQ(a.pages.size(), 1u);
            EXPECT_EQ(a.pages[0], Page::note(c.lubricator, c.note));
        }
    }
}

TEST(Warnings, PagesAlreadyPresentComeFirstAndCountForThePageBar) {
    core::CalcInputs in = quiet();
    in.Lubricator = core::VOXA400;
    advice::Advice a = advice::warnings(in, inRange(), {Page::note(core::VOXA400, 7)});
    EXPECT_EQ(names(a.pages), Names{"Note 7"});
    EXPECT_FALSE(a.pageBarVisible);

    in.ShaftOrientation = 1;
    a = advice::warnings(in, inRange(), {Page::note(core::VOXA400, 7)});
    EXPECT_EQ(names(a.pages), (Names{"Note 7", "strVERT_SHAFT_WARN"}));
    EXPECT_TRUE(a.pageBarVisible);

    // A kept Advice is refilled by the caller clearing its list; colour and bar follow.
    in.Speed = 1;
    a.pages.clear();
    advice::addWarnings(in, inRange(), a);
    EXPECT_TRUE(a.speedRed);
    in.Speed = 2000, in.ShaftOrientation = 0;
    a.pages.clear();
    advice::addWarnings(in, inRange(), a);
    EXPECT_FALSE(a.speedRed);
    EXPECT_FALSE(a.pageBarVisible);
}

TEST(Warnings, FromRealCalculations) {
    struct Case {
        const char* what;
        std::function<void(core::CalcInputs&)> set;
        Names pages;
    };
    const Case cases[] = {
        {"VOXA 400 in the heat at 1 rpm: no interval note, no ambient warning",
         [](auto& in) { in.Lubricator = core::VOXA400, in.Ambient = 2, in.Speed = 1; },
         {"strTOO_LOW_SPEED_WARN", "strLOW_SPEED_WARN"}},
        {"VOXA 125 at 1 rpm: setting above 12.5",
         [](auto& in) { in.Speed = 1; },
         {"Note 2", "strTOO_LOW_SPEED_WARN", "strLOW_SPEED_WARN"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        core::CalcInputs in = quiet();
        c.set(in);
        const core::CalcOutcome out = core::calculate(in, core::Units::SI, {});
        ASSERT_TRUE(out.ok) << out.error;
        EXPECT_EQ(names(advice::warnings(in, out.run.results).pages), c.pages);
    }
}

// The page descriptors must agree with the key list: a numbered entry looked up as a
// column (or the other way round) shows a not-found marker, and a value of the wrong
// type a format error.
TEST(Warnings, LookupsAndValuesMatchTheKeyList) {
    std::vector<core::CalcInputs> inputs;
    for (double speed : {1.0, 3000.0}) {
        core::CalcInputs in; // outer ring, vertical shaft, contamination
        in.Type = 4, in.SRBsub1 = 2, in.Speed = speed, in.Ambient = 0;
        inputs.push_back(in);
        in.Type = 3, in.CRBsub2 = 3, in.Load = 0, in.Ambient = 2;
        inputs.push_back(in);
    }
    std::vector<std::string> seen;
    for (const core::CalcInputs& in : inputs)
        for (const Page& p : advice::warnings(in, inRange()).pages) {
            const auto* info = text::keys::findKey(p.key);
            ASSERT_NE(info, nullptr) << p.key;
            SCOPED_TRACE(std::string(p.key));
            EXPECT_EQ(info->kind == text::keys::Kind::Numbered,
                      p.lookup == Page::Lookup::Numbered);
            // The ambient warnings quote their class bound in the units the text is
            // made for: pageText adds the number and the unit, the page has no values.
            const bool quotesAmbient =
                p.key == text::keys::strLOW_AMB_WARN || p.key == text::keys::strHIGH_AMB_WARN;
            ASSERT_EQ(quotesAmbient ? 0u : info->signature.size(), p.valueCount);
            for (std::size_t i = 0; i < p.valueCount; ++i)
                EXPECT_EQ(info->signature[i] == 'd',
                          std::holds_alternative<std::int64_t>(p.values[i]));
            seen.emplace_back(p.key);
        }
    std::sort(seen.begin(), seen.end());
    seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
    EXPECT_EQ(seen.size(), 10u); // every warning key was produced
}
