#include "reports/setting.h"

#include "text/keys.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

using namespace unctora;
using reports::BadgeColour;
using reports::SettingDisplay;
using reports::SettingLayout;

namespace {

SettingDisplay showDS(int lubricator, double DS) {
    core::CalcInputs in;
    in.Lubricator = lubricator;
    core::CalcResults r;
    r.DS = DS;
    return reports::settingDisplay(in, r, core::Units::SI);
}

SettingDisplay showQf(double Qf, core::Units units, std::string_view separator = ".") {
    core::CalcInputs in;
    in.Lubricator = core::VOXA400;
    core::CalcResults r;
    r.Qf = Qf;
    return reports::settingDisplay(in, r, units, separator);
}

SettingDisplay showPause(int outlets, int powerSource, double pauseBase,
                         std::string_view separator = ".") {
    core::CalcInputs in;
    in.Lubricator = core::VOXA1000;
    in.Outlets = outlets;
    in.PowerSource = powerSource;
    core::CalcResults r;
    r.PauseBase = pauseBase;
    return reports::settingDisplay(in, r, core::Units::SI, separator);
}

std::optional<int> noteCode(const SettingDisplay& d) {
    if (!d.note)
        return std::nullopt;
    return d.note->code;
}

constexpr std::string_view kHidden{};

} // namespace

TEST(SettingDisplay, SinglePointDialsAndSwitches) {
    const struct {
        int lubricator;
        double DS;
        const char* text;
        std::optional<int> picture;
        std::string_view month;
    } cases[] = {
        // VOXA dial: 0.5 to 12.5, halves to the even neighbour.
        {core::VOXA125, 0.49, "--", 14, kHidden},
        {core::VOXA125, 0.5, "0", 1, text::keys::strMonths},
        {core::VOXA125, 1.4, "1", 2, text::keys::strMonth},
        {core::VOXA125, 1.5, "2", 3, text::keys::strMonths},
        {core::VOXA125, 2.5, "2", 3, text::keys::strMonths},
        {core::VOXA125, 12.5, "12", 13, text::keys::strMonths},
        {core::VOXA125, 12.51, "--", 14, kHidden},
        {core::VOXA60, 0, "--", 14, kHidden},
        {core::VOXA60, 0.581, "1", 2, text::keys::strMonth},
        {core::VOXA60, std::numeric_limits<double>::quiet_NaN(), "--", 14, kHidden},
        // TENO dial: 1, 2, 3, 4, 6, 8, 9, 10, 12 on pictures 60 to 68.
        {core::TENO125, 5, "--", 69, kHidden},
        {core::TENO125, 6, "6", 64, text::keys::strMonths},
        {core::TENO125, 1, "1", 60, text::keys::strMonth},
        {core::TENO250, 12, "12", 68, text::keys::strMonths},
        {core::TENO250, 99, "--", 69, kHidden}, // feed rate below the slowest step
        {core::TENO250, 0, "--", 69, kHidden},  // above the fastest
        {core::TENO125, 1e300, "--", 69, kHidden},
        // ZOLT DIP switches: 1, 2, 3, 6, 9, 12, 18, 24.
        {core::ZOLT380, 24, "24", 97, text::keys::strMonths},
        {core::ZOLT380, 4, "--", 98, kHidden},
        {core::ZOLT380, 1, "1", 90, text::keys::strMonth},
        {core::ZOLT120, 18, "18", 86, text::keys::strMonths},
        {core::ZOLT120, 99, "--", 88, kHidden},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.lubricator) + " DS=" + std::to_string(c.DS));
        const SettingDisplay d = showDS(c.lubricator, c.DS);
        EXPECT_EQ(d.layout, SettingLayout::Dial);
        EXPECT_EQ(d.text, c.text);
        EXPECT_EQ(d.colour, d.text == "--" ? BadgeColour::Red : BadgeColour::White);
        EXPECT_EQ(d.picture, c.picture);
        EXPECT_EQ(d.monthKey, c.month);
        EXPECT_EQ(d.textSize, 24);
        EXPECT_FALSE(d.note);
        EXPECT_FALSE(d.sizingLine);
    }
}

TEST(SettingDisplay, Voxa400FeedRate) {
    const struct {
        double Qf; // g/day
        core::Units units;
        const char* text;
        std::optional<int> note;
    } cases[] = {
        {0.045, core::Units::SI, "Feed rate:|0.10 ml/day", 7},   // 0.05 ml raised to 0.1
        {0.225, core::Units::SI, "Feed rate:|0.25 ml/day", 7},   // step 0.05
        {1.125, core::Units::SI, "Feed rate:|1.25 ml/day", 7},   // step 0.25
        {0.117, core::Units::SI, "Feed rate:|0.12 ml/day", 7},   // 0.13: 6.5 steps to 6
        {1.0125, core::Units::SI, "Feed rate:|1.00 ml/day", 7},  // 1.125: 4.5 steps to 4
        {3.1114, core::Units::SI, "Feed rate:|3.50 ml/day", 7},  // 3.457, step 0.5
        {5.85, core::Units::SI, "Feed rate:|6.00 ml/day", 7},    // 6.5 ml to 6
        {9.9, core::Units::SI, "--", 6},                         // 11 ml
        {9.0000001, core::Units::SI, "--", 6},
        {-1, core::Units::SI, "Feed rate:|0.10 ml/day", 7},
        {std::numeric_limits<double>::infinity(), core::Units::SI, "--", 6},
        {std::numeric_limits<double>::quiet_NaN(), core::Units::SI, "--", std::nullopt},
        // Fluid ounces with 28.41 ml each.
        {0.045, core::Units::Imperial, "Feed rate:|0.004 fl oz/day", 7}, // 0.00352
        {0.434673, core::Units::Imperial, "Feed rate:|0.016 fl oz/day", 7}, // 0.017: 8.5 to 8
        // 6.39225 ml is 0.225 fl oz with 28.41 (4.5 steps of 0.05 go to 4), but 0.2255
        // with 28.3495, which would show 0.250.
        {5.753025, core::Units::Imperial, "Feed rate:|0.200 fl oz/day", 7},
        {9.9, core::Units::Imperial, "--", 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("Qf=" + std::to_string(c.Qf) +
                     (c.units == core::Units::SI ? " SI" : " imperial"));
        const SettingDisplay d = showQf(c.Qf, c.units);
        EXPECT_EQ(d.layout, SettingLayout::MultiPoint);
        EXPECT_EQ(d.text, c.text);
        EXPECT_EQ(d.colour, d.text == "--" ? BadgeColour::Red : BadgeColour::White);
        EXPECT_EQ(d.textSize, 18);
        EXPECT_FALSE(d.picture);
        EXPECT_EQ(d.monthKey, kHidden);
        EXPECT_EQ(noteCode(d), c.note);
        if (d.note) {
            EXPECT_EQ(*d.note, advice::Page::note(core::VOXA400, *c.note));
        }
        EXPECT_EQ(d.sizingLine, d.text == "--" ? std::nullopt : std::optional<int>(1));
    }
}

TEST(SettingDisplay, Voxa1000CycleAndPause) {
    const struct {
        int outlets, powerSource; // item indexes: 10 to 20 outlets; AC, DC
        double pauseBase;
        const char* text;
        std::optional<int> note;
    } cases[] = {
        {1, 0, 0.25, "tCo=2.4 min|tPa=0.5 hs", std::nullopt}, // 12 outlets, AC: k = 2
        {5, 1, 0.3, "--", 8},                                 // 20 outlets, DC: k = 3, 6 min
        {0, 0, 0, "--", std::nullopt},
        {0, 0, -1, "--", std::nullopt},
        {0, 0, 1.388, "tCo=1.0 min|tPa=1.4 hs", std::nullopt},
        {0, 0, 0.08, "tCo=5.0 min|tPa=0.4 hs", std::nullopt}, // exactly the longest on-time
        {0, 0, 0.079, "--", 8},                               // one cycle more
        {0, 1, 0.2, "tCo=4.0 min|tPa=0.8 hs", std::nullopt},
        {3, 0, 0.4, "tCo=1.6 min|tPa=0.4 hs", std::nullopt},  // the shortest pause itself
        {0, 1, 1e-300, "--", 8},                               // answered at once
        {0, 0, std::numeric_limits<double>::infinity(), "--", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.outlets) + "/" + std::to_string(c.powerSource) + " " +
                     std::to_string(c.pauseBase));
        const SettingDisplay d = showPause(c.outlets, c.powerSource, c.pauseBase);
        EXPECT_EQ(d.layout, SettingLayout::MultiPoint);
        EXPECT_EQ(d.text, c.text);
        EXPECT_EQ(d.colour, d.text == "--" ? BadgeColour::Red : BadgeColour::White);
        EXPECT_FALSE(d.picture);
        EXPECT_EQ(noteCode(d), c.note);
        if (d.note) {
            EXPECT_EQ(d.note->lubricator, core::VOXA1000);
        }
        EXPECT_EQ(d.sizingLine, d.text == "--" ? std::nullopt : std::optional<int>(0));
    }
}

TEST(SettingDisplay, DecimalSeparatorAndReuse) {
    EXPECT_EQ(showQf(0.045, core::Units::SI, ",").text, "Feed rate:|0,10 ml/day");
    EXPECT_EQ(showPause(1, 0, 0.25, ",").text, "tCo=2,4 min|tPa=0,5 hs");
    // Filling one display again leaves nothing of the last one behind.
    core::CalcInputs in;
    in.Lubricator = core::VOXA400;
    core::CalcResults r;
    r.Qf = 9.9;
    SettingDisplay d;
    reports::settingDisplay(in, r, core::Units::SI, ".", d);
    in.Lubricator = core::ZOLT120;
    r.DS = 6;
    reports::settingDisplay(in, r, core::Units::SI, ".", d);
    EXPECT_EQ(d.text, "6");
    EXPECT_EQ(d.colour, BadgeColour::White);
    EXPECT_EQ(d.layout, SettingLayout::Dial);
    EXPECT_EQ(d.picture, 83);
    EXPECT_FALSE(d.note);
}

TEST(SettingBadge, Geometry) {
    using reports::Rect;
    // Room left of the 132-pixel dial and a 20-pixel margin: 98; badge 57, centred.
    EXPECT_EQ(reports::dialBadgeRect(250, 100, 20), (Rect{20, 21, 57, 57}));
    EXPECT_EQ(reports::dialBadgeRect(180, 100, 20), (Rect{4, 40, 20, 20}));
    EXPECT_EQ(reports::dialBadgeRect(150, 100, 20).width, 0);
    EXPECT_EQ(reports::monthLabelRect(Rect{20, 21, 57, 57}, 41, 15), (Rect{28, 80, 41, 15}));
    EXPECT_EQ(reports::multiPointBadgeRect(300, 150), (Rect{61, 38, 177, 73}));
    EXPECT_EQ(reports::multiPointBadgeRect(300, 150, 100, 20), (Rect{68, 39, 164, 72}));
    for (auto [width, radius] : {std::pair{57, 10}, {99, 10}, {100, 25}, {177, 25}, {200, 40}}) {
        SCOPED_TRACE(width);
        EXPECT_EQ(reports::badgeCornerRadius(width), radius);
    }
}

TEST(SettingBadge, LinesAndTheirPlaces) {
    const struct {
        const char* text;
        std::vector<std::pair<std::string, bool>> lines;
    } cases[] = {
        {"Feed rate:|0.10 ml/day", {{"Feed rate:", false}, {"0.10 ml/day", false}}},
        {"12", {{"12", false}}},
        {"", {}},
        {"a|", {{"a", false}}},
        {"a||b", {{"a", false}}}, // an empty piece ends the list
        {"|a", {}},
        {"^x|y^z^", {{"x", true}, {"yz^", true}}},
        {"^", {{"", true}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<std::pair<std::string, bool>> got;
        for (const auto& l : reports::badgeLines(c.text))
            got.emplace_back(l.text, l.centred);
        EXPECT_EQ(got, c.lines);
    }
    // Five pixels a character, 20 a line: the block starts at 2 at least, every line
    // at the left that centres the widest, the marked line centred on its own.
    const auto placed = reports::layoutBadgeText(
        "ab|^abcd|abcdefgh", 100, 60, 20, [](std::string_view s) { return 5 * int(s.size()); });
    ASSERT_EQ(placed.size(), 3u);
    EXPECT_EQ(placed[0].text, "ab");
    EXPECT_EQ(std::pair(placed[0].x, placed[0].y), std::pair(30, 2));
    EXPECT_EQ(std::pair(placed[1].x, placed[1].y), std::pair(40, 22));
    EXPECT_EQ(std::pair(placed[2].x, placed[2].y), std::pair(30, 42));
    const auto one = reports::layoutBadgeText("--", 57, 57, 29, [](std::string_view) { return 20; });
    EXPECT_EQ(std::pair(one.at(0).x, one.at(0).y), std::pair(18, 14));

    EXPECT_EQ(reports::sizingLineText(showQf(0.045, core::Units::SI)), "0.10 ml/day");
    EXPECT_EQ(reports::sizingLineText(showPause(1, 0, 0.25)), "tCo=2.4 min");
    EXPECT_EQ(reports::sizingLineText(showPause(5, 1, 0.3)), "");
}
