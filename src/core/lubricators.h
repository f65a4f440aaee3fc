#pragma once
// The lubricator models: one row per model, in the order the window lists them (the
// Lubricator input's index is the row). Everything that tells the models apart is read
// from the row or follows from its family: the name, the nominal volume, how the unit
// is set and which settings it has, the feed rates its settings give, its pictures,
// the amounts its notes quote and how the plant plan counts the life of a cartridge.
//
// Adding a model: its row here (and a name in the Lubricator enumeration of
// core/calcinputs.h when code names it), its artwork and texts; see docs/architecture.md.

#include "core/units.h"

#include <array>
#include <cstdint>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace unctora::core {

// How the unit is set.
enum class SettingControl : std::uint8_t {
    MonthDial,    // a dial turned to any whole month up to the slowest; gas-driven
    RotarySwitch, // a rotary switch at fixed month positions
    DipSwitches,  // four DIP switches coding fixed month positions
    FeedRate,     // multi-point: each outlet set to a feed rate in the display's steps
    PumpCycle,    // multi-point: a pump's on-time and pause, for all its outlets at once
};

// How the plant plan counts the days a cartridge or reservoir lasts.
enum class LifeRule : std::uint8_t {
    DialMonths, // the dialled months, shortened or lengthened by the gas cell's ambient factor
    MonthStep,  // the month step as set
    SetRates,   // the reservoir over the sum of its outlets' set feed rates
    PumpCycles, // each on-time gives every outlet k base cycles' worth, then the pump pauses
};

// A month step: chosen while the feed rate in ml/day stays below bound x the model's
// scale. kBelowSlowestStep marks a rate below the slowest step.
inline constexpr int kBelowSlowestStep = 99;
struct FeedStep {
    double bound;
    int setting;
};

// One setting of the Dispense rate table: ounces and grams per week and month.
struct RateRow {
    double setting;
    double ozPerWeek, ozPerMonth;
    double gPerWeek, gPerMonth;
};

// A multi-point unit whose outlets are each set to a feed rate.
struct FeedRateSpec {
    double slowestMlPerDay;  // an outlet is never set slower
    double fastestMlPerDay;  // beyond this no setting fits
    double fastestOzPerDay;  // the same as note 6 quotes it
};

// A multi-point unit fed by a pump.
struct PumpSpec {
    std::span<const double> cycleMinutes; // one base cycle, by the Outlets input (10, 12, ... 20)
    double minPauseHoursAC, minPauseHoursDC; // by the PowerSource input
    double maxOnMinutes;    // the pump runs no longer per cycle
    double mlPerBaseCycle;  // each outlet receives this much per base cycle
    int firstOutlets, outletsStep; // outlets of the Outlets input's first item, and per item
};

struct LubricatorModel {
    std::string_view name;
    double volumeMl; // the nominal cartridge or reservoir
    SettingControl control;
    LifeRule life;
    // The setting divided or multiplied before it is shown (the 60 ml dial runs the
    // 125 ml cartridge's arithmetic at half the months).
    double dialScale = 1;
    std::span<const FeedStep> steps{}; // month-step models
    double stepScale = 1;
    // The settings in months, in the order of the setting pictures; the crossed-out
    // picture follows the last.
    std::span<const int> positions{};
    int firstPicture = 0;          // 0: the setting is a badge of its own, without a picture
    int artwork = 0;               // the unit's drawing (the Dial tab, the rate tab's photo)
    int photo = 0;                 // the Dispense rate tab's picture; 0: no rate table
    std::span<const RateRow> rates{};
    double note1OzPerMonth = 0;    // notes 1 and 2: at the fastest and slowest setting
    double note2OzPerMonth = 0;
    int larger = -1, smaller = -1; // the other size of a pair, which notes 1 and 2 name
    int longestRunMonths = 12;     // note 2 without a smaller size: grease ages in the unit
    const FeedRateSpec* feedRate = nullptr;
    const PumpSpec* pump = nullptr;
};

namespace lubricator_data {

inline constexpr int kDialMonths[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
inline constexpr int kRotaryMonths[] = {1, 2, 3, 4, 6, 8, 9, 10, 12};
inline constexpr int kDipMonths[] = {1, 2, 3, 6, 9, 12, 18, 24};

inline constexpr FeedStep kRotarySteps[] = {{0.32, kBelowSlowestStep}, {0.37, 12}, {0.42, 10}, {0.48, 9}, {0.59, 8},
                                            {0.81, 6},  {1.16, 4},  {1.61, 3},  {2.68, 2}, {5.14, 1}};
inline constexpr FeedStep kDipSteps[] = {{0.14, kBelowSlowestStep}, {0.18, 24}, {0.24, 18}, {0.36, 12}, {0.49, 9},
                                         {0.86, 6},  {1.54, 3},  {2.47, 2},  {4.94, 1}};

// Setting, oz/week, oz/month, g/week, g/month.
inline constexpr RateRow kRates60[] = {
    {1, 0.46, 1.94, 12.8, 55.0}, {2, 0.23, 0.97, 6.4, 27.5}, {3, 0.15, 0.65, 4.3, 18.5},
    {4, 0.12, 0.49, 3.2, 14.0},  {5, 0.09, 0.39, 2.6, 11.0}, {6, 0.08, 0.32, 2.1, 9.0},
    {7, 0.07, 0.28, 1.8, 8.0},   {8, 0.06, 0.24, 1.6, 7.0},  {9, 0.05, 0.22, 1.4, 6.0},
    {10, 0.05, 0.19, 1.3, 5.5},  {11, 0.04, 0.18, 1.2, 5.0}, {12, 0.04, 0.16, 1.1, 4.5},
};
inline constexpr RateRow kRates125[] = {
    {1, 0.91, 3.90, 25.7, 110.0}, {2, 0.46, 1.95, 12.9, 55.0}, {3, 0.30, 1.30, 8.6, 37.0},
    {4, 0.23, 1.00, 6.4, 28.0},   {5, 0.18, 0.80, 5.1, 22.0},  {6, 0.15, 0.65, 4.3, 18.0},
    {7, 0.13, 0.55, 3.7, 16.0},   {8, 0.11, 0.50, 3.2, 14.0},  {9, 0.10, 0.45, 2.9, 12.0},
    {10, 0.09, 0.40, 2.6, 11.0},  {11, 0.08, 0.35, 2.3, 10.0}, {12, 0.08, 0.30, 2.1, 9.0},
};
inline constexpr RateRow kRatesRotary125[] = {
    {1, 0.92, 3.97, 26.0, 112.5}, {2, 0.46, 1.98, 13.0, 56.3}, {3, 0.31, 1.32, 8.7, 37.5},
    {4, 0.23, 0.99, 6.5, 28.1},   {6, 0.15, 0.66, 4.3, 18.8},  {8, 0.11, 0.50, 3.2, 14.1},
    {9, 0.10, 0.44, 2.9, 12.5},   {10, 0.09, 0.40, 2.6, 11.3}, {12, 0.08, 0.33, 2.2, 9.4},
};
inline constexpr RateRow kRatesRotary250[] = {
    {1, 1.83, 7.94, 51.9, 225.0}, {2, 0.92, 3.97, 26.0, 112.5}, {3, 0.61, 2.65, 17.3, 75.0},
    {4, 0.46, 1.98, 13.0, 56.3},  {6, 0.31, 1.32, 8.7, 37.5},   {8, 0.23, 0.99, 6.5, 28.1},
    {9, 0.20, 0.88, 5.8, 25.0},   {10, 0.18, 0.79, 5.2, 22.5},  {12, 0.15, 0.66, 4.3, 18.8},
};
inline constexpr RateRow kRatesDip120[] = {
    {1, 0.88, 3.81, 24.9, 108.0}, {2, 0.44, 1.90, 12.5, 54.0}, {3, 0.29, 1.27, 8.3, 36.0},
    {6, 0.15, 0.63, 4.2, 18.0},   {9, 0.10, 0.42, 2.8, 12.0},  {12, 0.07, 0.32, 2.1, 9.0},
    {18, 0.05, 0.21, 1.4, 6.0},   {24, 0.04, 0.16, 1.0, 4.5},
};
inline constexpr RateRow kRatesDip380[] = {
    {1, 2.78, 12.06, 78.9, 342.0}, {2, 1.39, 6.03, 39.5, 171.0}, {3, 0.93, 4.02, 26.3, 114.0},
    {6, 0.46, 2.01, 13.2, 57.0},   {9, 0.31, 1.34, 8.8, 38.0},   {12, 0.23, 1.01, 6.6, 28.5},
    {18, 0.15, 0.67, 4.4, 19.0},   {24, 0.12, 0.50, 3.3, 14.3},
};

inline constexpr FeedRateSpec kOutletRates{0.1, 10, 0.35};
inline constexpr double kPumpCycleMinutes[] = {1.0, 1.2, 1.4, 1.6, 1.8, 2.0};
inline constexpr PumpSpec kPump{kPumpCycleMinutes, 0.4, 0.8, 5.0, 0.2, 10, 2};

} // namespace lubricator_data

// The models. Pictures: 1-14 the month dial, 60-69 the rotary switch, 80-88 and 90-98
// the DIP switches of the two sizes, 41-48 the units' artwork, 49-54 their photos.
inline constexpr LubricatorModel kLubricators[] = {
    {.name = "VOXA 60", .volumeMl = 60, .control = SettingControl::MonthDial, .life = LifeRule::DialMonths,
     .dialScale = 0.5, .positions = lubricator_data::kDialMonths, .firstPicture = 1, .artwork = 41, .photo = 49,
     .rates = lubricator_data::kRates60, .note1OzPerMonth = 1.94, .note2OzPerMonth = 0.15, .larger = 1},
    {.name = "VOXA 125", .volumeMl = 125, .control = SettingControl::MonthDial, .life = LifeRule::DialMonths,
     .positions = lubricator_data::kDialMonths, .firstPicture = 1, .artwork = 42, .photo = 50,
     .rates = lubricator_data::kRates125, .note1OzPerMonth = 3.88, .note2OzPerMonth = 0.3, .smaller = 0},
    {.name = "TENO 125", .volumeMl = 125, .control = SettingControl::RotarySwitch, .life = LifeRule::MonthStep,
     .steps = lubricator_data::kRotarySteps, .positions = lubricator_data::kRotaryMonths, .firstPicture = 60,
     .artwork = 43, .photo = 51, .rates = lubricator_data::kRatesRotary125, .note1OzPerMonth = 3.88,
     .note2OzPerMonth = 0.33, .larger = 3},
    {.name = "TENO 250", .volumeMl = 250, .control = SettingControl::RotarySwitch, .life = LifeRule::MonthStep,
     .steps = lubricator_data::kRotarySteps, .stepScale = 2.0, .positions = lubricator_data::kRotaryMonths,
     .firstPicture = 60, .artwork = 44, .photo = 52, .rates = lubricator_data::kRatesRotary250,
     .note1OzPerMonth = 7.76, .note2OzPerMonth = 0.6, .smaller = 2},
    {.name = "ZOLT 120ml", .volumeMl = 120, .control = SettingControl::DipSwitches, .life = LifeRule::MonthStep,
     .steps = lubricator_data::kDipSteps, .positions = lubricator_data::kDipMonths, .firstPicture = 80,
     .artwork = 45, .photo = 53, .rates = lubricator_data::kRatesDip120, .note1OzPerMonth = 3.88,
     .note2OzPerMonth = 0.16, .larger = 5, .longestRunMonths = 24},
    {.name = "ZOLT 380ml", .volumeMl = 380, .control = SettingControl::DipSwitches, .life = LifeRule::MonthStep,
     .steps = lubricator_data::kDipSteps, .stepScale = 3.1666666666666665, .positions = lubricator_data::kDipMonths,
     .firstPicture = 90, .artwork = 46, .photo = 54, .rates = lubricator_data::kRatesDip380,
     .note1OzPerMonth = 12.06, .note2OzPerMonth = 0.5, .smaller = 4, .longestRunMonths = 24},
    {.name = "VOXA 400", .volumeMl = 400, .control = SettingControl::FeedRate, .life = LifeRule::SetRates,
     .artwork = 47, .note1OzPerMonth = 3.88, .note2OzPerMonth = 0.3, .feedRate = &lubricator_data::kOutletRates},
    {.name = "VOXA 1000", .volumeMl = 1000, .control = SettingControl::PumpCycle, .life = LifeRule::PumpCycles,
     .artwork = 48, .note1OzPerMonth = 3.88, .note2OzPerMonth = 0.3, .pump = &lubricator_data::kPump},
};
inline constexpr int kLubricatorCount = static_cast<int>(std::size(kLubricators));

// The row of a model; none outside the table.
inline const LubricatorModel* lubricatorModel(int lubricator) {
    return lubricator >= 0 && lubricator < kLubricatorCount ? &kLubricators[lubricator] : nullptr;
}

constexpr bool isMultiPoint(const LubricatorModel& m) {
    return m.control == SettingControl::FeedRate || m.control == SettingControl::PumpCycle;
}
// The gas cell runs faster in the heat and slower in the cold: the feed rate and the
// setting carry the ambient factor.
constexpr bool isGasDriven(const LubricatorModel& m) { return m.life == LifeRule::DialMonths; }
// The slowest month setting of a single-point model (0 for the multi-point ones).
constexpr int slowestMonths(const LubricatorModel& m) {
    int slowest = 0;
    for (int p : m.positions)
        slowest = p > slowest ? p : slowest;
    return slowest;
}

// The fixed name; an index outside the table gives the index followed by "?".
std::string lubricatorName(int lubricator);

inline bool isGasDriven(int lub) { const auto* m = lubricatorModel(lub); return m && isGasDriven(*m); }
inline bool isMultiPoint(int lub) { const auto* m = lubricatorModel(lub); return m && isMultiPoint(*m); }
// The rotary-switch and the DIP-switch family.
inline bool isTeno(int lub) {
    const auto* m = lubricatorModel(lub);
    return m && m->control == SettingControl::RotarySwitch;
}
inline bool isZolt(int lub) {
    const auto* m = lubricatorModel(lub);
    return m && m->control == SettingControl::DipSwitches;
}

// The models that have a rate table, in table order: the items of the Dispense rate
// tab. Item i is model kRateModels[i].
inline constexpr auto kRateModels = [] {
    constexpr int n = [] {
        int c = 0;
        for (const LubricatorModel& m : kLubricators)
            c += m.rates.empty() ? 0 : 1;
        return c;
    }();
    std::array<int, n> items{};
    int at = 0;
    for (int i = 0; i < kLubricatorCount; ++i)
        if (!kLubricators[i].rates.empty())
            items[static_cast<std::size_t>(at++)] = i;
    return items;
}();

// ---- What the families do with their rows ------------------------------------------

// The month step of a step model for a feed rate in ml/day: kBelowSlowestStep below the slowest
// step, 0 above the fastest.
int monthStep(const LubricatorModel& m, double mlPerDay);

// ---- Feed-rate outlets --------------------------------------------------------------

// The step an outlet's feed rate is set in, in the display's unit: finer for slow rates.
double feedRateStep(double v, Units units);
// The rate an outlet is set to, in the display's unit (ml or fl oz per day): never
// below the slowest rate, snapped to the display's step.
double snappedFeedRate(const FeedRateSpec& spec, double mlPerDay, Units units);
// The same in ml per day for a feed rate of Qf grams per day; none beyond the fastest.
std::optional<double> setRateMlPerDay(const FeedRateSpec& spec, double Qf, Units units);
// Millilitres per fluid ounce as the feed-rate display has always converted them.
inline constexpr double kMlPerFluidOunce = 28.41;

// ---- Pumps --------------------------------------------------------------------------

// Outlets of the Outlets input's item, and the pump's cycle and shortest pause.
int outletCount(const PumpSpec& pump, int outletsItem);
double pumpCycleMinutes(const PumpSpec& pump, int outletsItem);
double pumpMinimumPauseHours(const PumpSpec& pump, int powerSource);

// The pump's setting for a pause base in hours: it pauses for whole multiples k of the
// base until the pause is long enough, and each multiple adds a cycle to the on-time.
struct PumpSetting {
    int k = 0;
    double pauseHours = 0;
    double onMinutes = 0;
    bool fits = false; // the pause is long enough and the on-time within the pump's
};
PumpSetting pumpSetting(const PumpSpec& pump, int outletsItem, int powerSource, double pauseBase);
// The pump's setting as dialled (on-time and pause), when the on-time is a whole
// number of cycles (to the tenth of a minute the display shows).
std::optional<PumpSetting> pumpSettingDialled(const PumpSpec& pump, int outletsItem, double onMinutes,
                                              double pauseHours);
// What every outlet receives per day at a setting.
double pumpMlPerDayPerOutlet(const PumpSpec& pump, const PumpSetting& s);

// ---- Cartridge life -----------------------------------------------------------------

// The months a single-point cartridge lasts at a month setting: the gas cell runs
// twice as fast above 40 degC (ambient item 2) and half as fast below -10 degC (item 0).
double cartridgeMonths(const LubricatorModel& m, int setting, int ambient);

// A month setting of a single-point model as dialled: a whole number of months from 1
// to its slowest; none otherwise.
std::optional<int> dialledMonthSetting(const LubricatorModel& m, double value);

} // namespace unctora::core
