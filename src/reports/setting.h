#pragma once
// The setting display of the "Dial setting" tab: how the chosen lubricator is set
// after a calculation.
//
// The single-point units show their setting in months as a number badge beside a
// picture of the dial or the DIP switches in that position, with "month" or
// "months" under the badge. The multi-point units show a wider badge instead: the
// feed rate of the VOXA 400, or the on-time and pause of the VOXA 1000's pump.
// What each model shows follows from its family (core/lubricators.h).
// settingDisplay() decides everything that does not need a font; the window measures
// the text, sizes the badge with the helpers below and draws it.

#include "advice/pages.h"
#include "core/calcinputs.h"
#include "core/units.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace unctora::reports {

enum class SettingLayout : std::uint8_t {
    Dial,      // number badge, dial or DIP-switch picture and month label
    MultiPoint // the wide badge alone: picture, margin panel and month label hidden
};

enum class BadgeColour : std::uint8_t { White, Red };

inline constexpr int kDialTextSize = 24;
inline constexpr int kMultiPointTextSize = 18;

struct SettingDisplay {
    SettingLayout layout = SettingLayout::Dial;
    // The badge text, lines separated by "|"; "--" when the setting is out of range.
    std::string text;
    BadgeColour colour = BadgeColour::White;
    int textSize = kDialTextSize;
    // The dial or DIP-switch picture; none for the multi-point units.
    std::optional<int> picture;
    // strMonth or strMonths (constants of text::keys); empty: the label is hidden.
    std::string_view monthKey;
    // The multi-point badge is sized on one line of its text: the feed rate (line 1)
    // or the pump's on-time (line 0). None: it keeps its first size, 177 x 73.
    std::optional<int> sizingLine;
    // The note the display adds for the multi-point units (6 or 7 for the VOXA 400,
    // 8 for the VOXA 1000 beyond its range). It goes into the notes box before the
    // warnings' pages.
    std::optional<advice::Page> note;
};

// The display of `results` for inputs.Lubricator. Numbers in the text use
// decimalSeparator. Never raises: a setting that cannot be shown, whatever its
// value, shows "--" in red with the crossed-out picture.
SettingDisplay settingDisplay(const core::CalcInputs& inputs, const core::CalcResults& results,
                              core::Units units, std::string_view decimalSeparator = ".");
// The same into an existing display, reusing the storage of its text.
void settingDisplay(const core::CalcInputs& inputs, const core::CalcResults& results,
                    core::Units units, std::string_view decimalSeparator, SettingDisplay& out);

// The setting a badge text shows, read back: a feed-rate outlet's rate in ml per day,
// or a pump's on-time in minutes and pause in hours. None when the text is not such a
// badge (the text as settingDisplay writes it, in either unit system, with "." or ","
// as decimal separator).
struct ShownSetting {
    double mlPerDay = 0;
    double onMinutes = 0, pauseHours = 0;
};
std::optional<double> shownFeedRateMlPerDay(std::string_view text);
std::optional<ShownSetting> shownPumpSetting(std::string_view text);

// ---- Geometry of the badge ------------------------------------------------------

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const Rect&) const = default;
};

inline constexpr int kDialPictureWidth = 132;
inline constexpr int kDialBadgeMaxWidth = 57;
inline constexpr int kMultiPointBadgeWidth = 177;
inline constexpr int kMultiPointBadgeHeight = 73;

// The square badge of the dial layout in a panel of panelWidth x panelHeight with
// the dial picture and the margin panel at its right: as wide as the room left of
// them allows less 8, at most 57 (never negative), centred in that room and
// vertically in the panel.
Rect dialBadgeRect(int panelWidth, int panelHeight, int marginWidth);

// The month label, labelWidth wide: 2 pixels below the badge, centred under it.
Rect monthLabelRect(const Rect& badge, int labelWidth, int labelHeight);

// The multi-point badge centred in the panel: 177 x 73 before the text is measured;
// sized on its sizing line as that line's width + 64 by twice its height + 32.
Rect multiPointBadgeRect(int panelWidth, int panelHeight);
Rect multiPointBadgeRect(int panelWidth, int panelHeight, int lineWidth, int lineHeight);

// The corner ellipse of the badge's rounded rectangle: (width / 100) x 15 + 10, the
// division in whole numbers.
int badgeCornerRadius(int width);

struct BadgeLine {
    std::string text;    // without its "^"
    bool centred = false; // "^" in the line: centred on its own, not at the common left
};

// The lines of a badge text: split at every "|", ending at the first empty piece;
// the first "^" of a line is removed and marks it as centred.
std::vector<BadgeLine> badgeLines(std::string_view text);

// The line of text the multi-point badge is sized on (empty when there is none).
std::string_view sizingLineText(const SettingDisplay& d);

struct PlacedLine {
    std::string text;
    int x = 0, y = 0;
};

// Where each line of a badge width x height is drawn: the block of lines centred
// vertically (top at least 2), every line at the common left that centres the widest
// line, a centred line on its own. lineHeight is the height of a line in the badge
// font; textWidth measures a line in it.
template <typename Measure>
std::vector<PlacedLine> layoutBadgeText(std::string_view text, int width, int height,
                                        int lineHeight, Measure textWidth) {
    std::vector<BadgeLine> lines = badgeLines(text);
    int widest = 0;
    std::vector<int> widths;
    widths.reserve(lines.size());
    for (const BadgeLine& l : lines) {
        widths.push_back(textWidth(std::string_view(l.text)));
        widest = std::max(widest, widths.back());
    }
    int y = (height - static_cast<int>(lines.size()) * lineHeight) / 2;
    if (y < 2)
        y = 2;
    const int x = (width - widest) / 2;
    std::vector<PlacedLine> placed;
    placed.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        placed.push_back({std::move(lines[i].text),
                          lines[i].centred ? (width - widths[i]) / 2 : x, y});
        y += lineHeight;
    }
    return placed;
}

} // namespace unctora::reports
