#include "reports/setting.h"

#include "core/lubricators.h"
#include "core/round.h"
#include "text/format.h"
#include "text/keys.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace unctora::reports {

namespace {

using core::Round;

constexpr std::string_view kOutOfRange = "--";

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

// A dial turned to any month of its positions: from half a month up, to the nearest month.
void monthDial(const core::LubricatorModel& m, double ds, SettingDisplay& out) {
    const int crossed = m.firstPicture + static_cast<int>(m.positions.size());
    if (!(ds >= 0.5 && ds <= core::slowestMonths(m) + 0.5)) {
        outOfRange(out);
        out.picture = crossed;
        return;
    }
    const std::int64_t n = Round(ds); // 0.5 shows 0, 12.5 shows 12
    showMonths(out, n);
    out.picture = m.firstPicture + static_cast<int>(n - m.positions.front());
}

// A switch of fixed positions: the position of the setting, or crossed out.
void stepDial(const core::LubricatorModel& m, double ds, SettingDisplay& out) {
    const std::optional<std::int64_t> n = nearestMonth(ds);
    for (std::size_t p = 0; n && p < m.positions.size(); ++p)
        if (m.positions[p] == *n) {
            showMonths(out, m.positions[p]);
            out.picture = m.firstPicture + static_cast<int>(p);
            return;
        }
    outOfRange(out);
    out.picture = m.firstPicture + static_cast<int>(m.positions.size());
}

void feedRate(const core::FeedRateSpec& spec, const core::CalcInputs& in, double Qf, core::Units units,
              std::string_view decimalSeparator, SettingDisplay& out) {
    double v = core::gramsToMillilitres(Qf);
    if (v > spec.fastestMlPerDay) {
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
    v = core::snappedFeedRate(spec, v, units);
    out.colour = BadgeColour::White;
    const text::FmtArg args[] = {imperial ? 3 : 2, v, imperial ? "fl oz/day" : "ml/day"};
    text::formatTo(out.text, "Feed rate:|%.*f %s", args, decimalSeparator);
    out.sizingLine = 1;
}

void pump(const core::PumpSpec& pump, const core::CalcInputs& in, double pauseBase,
          std::string_view decimalSeparator, SettingDisplay& out) {
    if (!(pauseBase > 0) || !std::isfinite(pauseBase)) {
        outOfRange(out);
        return;
    }
    const core::PumpSetting set = core::pumpSetting(pump, in.Outlets, in.PowerSource, pauseBase);
    if (!set.fits) {
        outOfRange(out);
        out.note = advice::Page::note(in.Lubricator, 8);
        return;
    }
    out.colour = BadgeColour::White;
    const text::FmtArg args[] = {set.onMinutes, set.pauseHours};
    text::formatTo(out.text, "tCo=%.1f min|tPa=%.1f hs", args, decimalSeparator);
    out.sizingLine = 0;
}

// A number as the badge writes it, "." or "," before the decimals.
std::optional<double> badgeNumber(std::string_view t) {
    std::string digits(t);
    std::replace(digits.begin(), digits.end(), ',', '.');
    double v = 0;
    const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), v);
    if (digits.empty() || r.ec != std::errc() || r.ptr != digits.data() + digits.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

// The badge's words with one blank between them: a line break may have become a
// blank, or blanks may have been added.
std::string words(std::string_view text) {
    std::string out;
    for (char c : text) {
        const bool blank = c == ' ' || c == '|' || c == '\t';
        if (blank && (out.empty() || out.back() == ' '))
            continue;
        out.push_back(blank ? ' ' : c);
    }
    if (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

// The number of `text` when it is exactly prefix, number, suffix.
std::optional<double> between(std::string_view text, std::string_view prefix, std::string_view suffix) {
    if (text.size() < prefix.size() + suffix.size() || !text.starts_with(prefix) || !text.ends_with(suffix))
        return std::nullopt;
    return badgeNumber(text.substr(prefix.size(), text.size() - prefix.size() - suffix.size()));
}

} // namespace

std::optional<double> shownFeedRateMlPerDay(std::string_view text) {
    const std::string w = words(text);
    if (const auto ml = between(w, "Feed rate: ", " ml/day"))
        return ml;
    if (const auto oz = between(w, "Feed rate: ", " fl oz/day"))
        return *oz * core::kMlPerFluidOunce;
    return std::nullopt;
}

std::optional<ShownSetting> shownPumpSetting(std::string_view text) {
    const std::string w = words(text);
    const std::size_t gap = w.find(" tPa=");
    if (gap == std::string::npos)
        return std::nullopt;
    const auto on = between(std::string_view(w).substr(0, gap), "tCo=", " min");
    const auto pause = between(std::string_view(w).substr(gap + 1), "tPa=", " hs");
    if (!on || !pause)
        return std::nullopt;
    ShownSetting s;
    s.onMinutes = *on;
    s.pauseHours = *pause;
    return s;
}

void settingDisplay(const core::CalcInputs& in, const core::CalcResults& results,
                    core::Units units, std::string_view decimalSeparator, SettingDisplay& out) {
    out.text.clear();
    out.colour = BadgeColour::White;
    out.picture.reset();
    out.monthKey = {};
    out.sizingLine.reset();
    out.note.reset();
    const core::LubricatorModel* m = core::lubricatorModel(in.Lubricator);
    if (m && core::isMultiPoint(*m)) {
        out.layout = SettingLayout::MultiPoint;
        out.textSize = kMultiPointTextSize;
        if (m->feedRate)
            feedRate(*m->feedRate, in, results.Qf, units, decimalSeparator, out);
        else if (m->pump)
            pump(*m->pump, in, results.PauseBase, decimalSeparator, out);
        return;
    }
    out.layout = SettingLayout::Dial;
    out.textSize = kDialTextSize;
    if (!m)
        outOfRange(out); // no such lubricator: nothing to picture
    else if (m->control == core::SettingControl::MonthDial)
        monthDial(*m, results.DS, out);
    else
        stepDial(*m, results.DS, out);
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
