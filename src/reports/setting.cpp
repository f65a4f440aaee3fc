#include "reports/setting.h"

#include "core/round.h"
#include "text/format.h"
#include "text/keys.h"

#include <array>
#include <charconv>
#include <cmath>

namespace unctora::reports {

namespace {

using core::Round;

constexpr std::string_view kOutOfRange = "--";

// The dial positions of the TENO units and the DIP-switch settings of the ZOLT
// units, in the order of their pictures.
constexpr std::array<int, 9> kTenoPositions = {1, 2, 3, 4, 6, 8, 9, 10, 12};
constexpr std::array<int, 8> kZoltPositions = {1, 2, 3, 6, 9, 12, 18, 24};

constexpr int kTenoFirstPicture = 60;
constexpr int kZolt120FirstPicture = 80;
constexpr int kZolt380FirstPicture = 90;

// The VOXA 400 takes at most 10 ml a day and at least 0.1.
constexpr double kVoxa400MaxMlPerDay = kVoxa400FastestMlPerDay;
constexpr double kVoxa400MinMlPerDay = kVoxa400SlowestMlPerDay;
// Millilitres per fluid ounce as the feed-rate badge has always converted them; the
// notes convert their quantities with the grams-per-ounce factor instead.
constexpr double kMlPerFluidOunce = 28.41;

constexpr std::array<double, 6> kPumpCycleMinutes = {1.0, 1.2, 1.4, 1.6, 1.8, 2.0};
constexpr double kPumpMinPauseAC = 0.4;
constexpr double kPumpMinPauseDC = 0.8;

// A setting to the nearest whole month, halves to even; none when it is too far out
// to be on any dial (Round would raise there).
std::optional<std::int64_t> nearestMonth(double ds) {
    if (!(std::fabs(ds) < 1e9))
        return std::nullopt;
    return Round(ds);
}

void outOfRange(SettingDisplay& out) {
    out.text.assign(kOutOfRange);
    out.colour = BadgeColour::Red;
    out.monthKey = {};
}

void showMonths(SettingDisplay& out, std::int64_t n) {
    char digits[24];
    out.text.append(digits, std::to_chars(digits, digits + sizeof digits, n).ptr);
    out.colour = BadgeColour::White;
    out.monthKey = n == 1 ? text::keys::strMonth : text::keys::strMonths;
}

// A dial of fixed positions: the position of the setting, or none.
template <std::size_t N>
std::optional<int> positionOf(const std::array<int, N>& positions, double ds) {
    const std::optional<std::int64_t> n = nearestMonth(ds);
    if (n)
        for (std::size_t p = 0; p < N; ++p)
            if (positions[p] == *n)
                return static_cast<int>(p);
    return std::nullopt;
}

void voxaDial(double ds, SettingDisplay& out) {
    if (!(ds >= 0.5 && ds <= 12.5)) {
        outOfRange(out);
        out.picture = kVoxaDialCrossed;
        return;
    }
    const std::int64_t n = Round(ds); // 0.5 shows 0, 12.5 shows 12
    showMonths(out, n);
    out.picture = static_cast<int>(n) + 1;
}

template <std::size_t N>
void stepDial(const std::array<int, N>& positions, int firstPicture, double ds,
              SettingDisplay& out) {
    const std::optional<int> p = positionOf(positions, ds);
    if (p) {
        showMonths(out, positions[*p]);
        out.picture = firstPicture + *p;
    } else {
        outOfRange(out);
        out.picture = firstPicture + static_cast<int>(N);
    }
}

// The step the feed rate is set in: finer for slow rates.
double feedRateStep(double v, core::Units units) {
    if (units == core::Units::Imperial) {
        if (v <= 0.01) return 0.001;
        if (v <= 0.02) return 0.002;
        if (v <= 0.05) return 0.005;
        if (v <= 0.1) return 0.01;
        if (v <= 0.2) return 0.025;
        return 0.05;
    }
    if (v <= 0.2) return 0.02;
    if (v <= 0.5) return 0.05;
    if (v <= 1) return 0.1;
    if (v <= 2) return 0.25;
    if (v <= 5) return 0.5;
    return 1.0;
}

// The rate an outlet is set to, in the display's unit: never below the slowest rate,
// snapped to the display's step.
double snappedFeedRate(double mlPerDay, core::Units units) {
    double v = std::max(mlPerDay, kVoxa400MinMlPerDay);
    if (units == core::Units::Imperial)
        v /= kMlPerFluidOunce;
    const double step = feedRateStep(v, units);
    // Snapped in ten-thousandths so that the step divides exactly.
    const double k = static_cast<double>(
        Round(static_cast<double>(Round(v * 10000)) / static_cast<double>(Round(step * 10000))));
    return k * step;
}

void voxa400(const core::CalcInputs& in, double Qf, core::Units units,
             std::string_view decimalSeparator, SettingDisplay& out) {
    double v = core::gramsToMillilitres(Qf);
    if (v > kVoxa400MaxMlPerDay) {
        outOfRange(out);
        out.note = advice::Page::note(in.Lubricator, 6);
        return;
    }
    if (std::isnan(v)) {
        outOfRange(out);
        return;
    }
    out.note = advice::Page::note(in.Lubricator, 7);
    const bool imperial = units == core::Units::Imperial;
    v = snappedFeedRate(v, units);
    out.colour = BadgeColour::White;
    const text::FmtArg args[] = {imperial ? 3 : 2, v, imperial ? "fl oz/day" : "ml/day"};
    text::formatTo(out.text, "Feed rate:|%.*f %s", args, decimalSeparator);
    out.sizingLine = 1;
}

void voxa1000(const core::CalcInputs& in, double pauseBase, std::string_view decimalSeparator,
              SettingDisplay& out) {
    if (!(pauseBase > 0) || !std::isfinite(pauseBase)) {
        outOfRange(out);
        return;
    }
    const double cycle = pumpCycleMinutes(in.Outlets);
    const double minPause = pumpMinimumPauseHours(in.PowerSource);
    // The pump pauses for whole multiples of the base until the pause is long enough;
    // each multiple adds a cycle to the on-time. From the sixth multiple on the
    // on-time is beyond the pump whatever the cycle, so the count can stop there
    // (a tiny base would otherwise take millions of steps).
    int k = 1;
    double pause = pauseBase;
    while (pause < minPause && k < 6) {
        ++k;
        pause = k * pauseBase;
    }
    const double onTime = k * cycle;
    if (pause < minPause || onTime > kPumpMaxOnMinutes) {
        outOfRange(out);
        out.note = advice::Page::note(in.Lubricator, 8);
        return;
    }
    out.colour = BadgeColour::White;
    const text::FmtArg args[] = {onTime, pause};
    text::formatTo(out.text, "tCo=%.1f min|tPa=%.1f hs", args, decimalSeparator);
    out.sizingLine = 0;
}

} // namespace

std::optional<double> voxa400SetRateMlPerDay(double Qf, core::Units units) {
    const double v = core::gramsToMillilitres(Qf);
    if (!(v <= kVoxa400MaxMlPerDay))
        return std::nullopt;
    const double set = snappedFeedRate(v, units);
    return units == core::Units::Imperial ? set * kMlPerFluidOunce : set;
}

double pumpCycleMinutes(int outlets) {
    return kPumpCycleMinutes[static_cast<std::size_t>(
        std::clamp(outlets, 0, static_cast<int>(kPumpCycleMinutes.size()) - 1))];
}

double pumpMinimumPauseHours(int powerSource) {
    return powerSource == 1 ? kPumpMinPauseDC : kPumpMinPauseAC;
}

void settingDisplay(const core::CalcInputs& in, const core::CalcResults& results,
                    core::Units units, std::string_view decimalSeparator, SettingDisplay& out) {
    out.text.clear();
    out.colour = BadgeColour::White;
    out.picture.reset();
    out.monthKey = {};
    out.sizingLine.reset();
    out.note.reset();
    const int lub = in.Lubricator;
    if (core::isMultiPoint(lub)) {
        out.layout = SettingLayout::MultiPoint;
        out.textSize = kMultiPointTextSize;
        if (lub == core::VOXA400)
            voxa400(in, results.Qf, units, decimalSeparator, out);
        else
            voxa1000(in, results.PauseBase, decimalSeparator, out);
        return;
    }
    out.layout = SettingLayout::Dial;
    out.textSize = kDialTextSize;
    if (core::isGasDriven(lub))
        voxaDial(results.DS, out);
    else if (core::isTeno(lub))
        stepDial(kTenoPositions, kTenoFirstPicture, results.DS, out);
    else if (lub == core::ZOLT120)
        stepDial(kZoltPositions, kZolt120FirstPicture, results.DS, out);
    else if (lub == core::ZOLT380)
        stepDial(kZoltPositions, kZolt380FirstPicture, results.DS, out);
    else
        outOfRange(out); // no such lubricator: nothing to picture
}

SettingDisplay settingDisplay(const core::CalcInputs& inputs, const core::CalcResults& results,
                              core::Units units, std::string_view decimalSeparator) {
    SettingDisplay d;
    settingDisplay(inputs, results, units, decimalSeparator, d);
    return d;
}

Rect dialBadgeRect(int panelWidth, int panelHeight, int marginWidth) {
    const int room = panelWidth - kDialPictureWidth - marginWidth;
    const int side = std::clamp(room - 8, 0, kDialBadgeMaxWidth);
    return {(room - side) / 2, (panelHeight - side) / 2, side, side};
}

Rect monthLabelRect(const Rect& badge, int labelWidth, int labelHeight) {
    return {badge.left + (badge.width - labelWidth) / 2, badge.bottom() + 2, labelWidth,
            labelHeight};
}

Rect multiPointBadgeRect(int panelWidth, int panelHeight) {
    return {(panelWidth - kMultiPointBadgeWidth) / 2, (panelHeight - kMultiPointBadgeHeight) / 2,
            kMultiPointBadgeWidth, kMultiPointBadgeHeight};
}

Rect multiPointBadgeRect(int panelWidth, int panelHeight, int lineWidth, int lineHeight) {
    const int w = lineWidth + 64, h = 2 * lineHeight + 32;
    return {(panelWidth - w) / 2, (panelHeight - h) / 2, w, h};
}

int badgeCornerRadius(int width) { return (width / 100) * 15 + 10; }

std::vector<BadgeLine> badgeLines(std::string_view text) {
    std::vector<BadgeLine> lines;
    while (true) {
        const std::size_t bar = text.find('|');
        const std::string_view piece = text.substr(0, bar);
        if (piece.empty())
            break;
        BadgeLine line{std::string(piece), false};
        if (const std::size_t caret = line.text.find('^'); caret != std::string::npos) {
            line.text.erase(caret, 1);
            line.centred = true;
        }
        lines.push_back(std::move(line));
        if (bar == std::string_view::npos)
            break;
        text.remove_prefix(bar + 1);
    }
    return lines;
}

std::string_view sizingLineText(const SettingDisplay& d) {
    if (!d.sizingLine)
        return {};
    std::string_view text = d.text;
    for (int i = 0; i < *d.sizingLine; ++i) {
        const std::size_t bar = text.find('|');
        if (bar == std::string_view::npos)
            return {};
        text.remove_prefix(bar + 1);
    }
    return text.substr(0, text.find('|'));
}

} // namespace unctora::reports
