#include "core/lubricators.h"

#include "core/round.h"

#include <algorithm>
#include <cmath>

namespace unctora::core {

namespace {

constexpr bool among(std::span<const int> set, int v) {
    for (int s : set)
        if (s == v)
            return true;
    return false;
}

// Every row is whole: what its family needs is there, what it does not use is absent,
// its pictures and rate table agree with its positions, and a pair names each other.
constexpr bool rowIsWhole(int i) {
    const LubricatorModel& m = kLubricators[i];
    const bool multi = isMultiPoint(m);
    const bool stepped = m.control == SettingControl::RotarySwitch || m.control == SettingControl::DipSwitches;
    const LifeRule expected = m.control == SettingControl::MonthDial ? LifeRule::DialMonths
                              : stepped                              ? LifeRule::MonthStep
                              : m.control == SettingControl::FeedRate ? LifeRule::SetRates
                                                                     : LifeRule::PumpCycles;
    if (m.name.empty() || !(m.volumeMl > 0) || m.life != expected || m.artwork <= 0)
        return false;
    if (multi != m.positions.empty() || multi != (m.firstPicture == 0) || stepped == m.steps.empty())
        return false;
    // Whether a multi-point row has its feed-rate or pump figures is checked by the
    // tests: the address of an inline variable is not a constant to the compiler's
    // undefined-behaviour checks.
    if (m.photo > 0 ? m.rates.empty() || multi : !m.rates.empty())
        return false;
    for (const RateRow& r : m.rates)
        if (!among(m.positions, static_cast<int>(r.setting)))
            return false;
    for (const FeedStep& s : m.steps)
        if (s.setting != kBelowSlowestStep && !among(m.positions, s.setting))
            return false;
    for (int other : {m.larger, m.smaller})
        if (other != -1 && (other < 0 || other >= kLubricatorCount || other == i ||
                            kLubricators[other].control != m.control))
            return false;
    if (m.larger >= 0 && kLubricators[m.larger].smaller != i)
        return false;
    if (m.smaller >= 0 && kLubricators[m.smaller].larger != i)
        return false;
    return m.note1OzPerMonth > 0 && m.note2OzPerMonth > 0 && m.longestRunMonths > 0;
}

constexpr bool everyRowIsWhole() {
    for (int i = 0; i < kLubricatorCount; ++i)
        if (!rowIsWhole(i))
            return false;
    return true;
}
static_assert(everyRowIsWhole(), "a lubricator row lacks what its family needs or has what it does not use");

// Two models that share setting pictures share their positions; no picture number is
// used by two different controls.
constexpr bool picturesAgree() {
    for (const LubricatorModel& a : kLubricators)
        for (const LubricatorModel& b : kLubricators) {
            if (a.firstPicture == 0 || b.firstPicture == 0)
                continue;
            const int aEnd = a.firstPicture + static_cast<int>(a.positions.size());
            const int bEnd = b.firstPicture + static_cast<int>(b.positions.size());
            if (a.firstPicture == b.firstPicture) {
                if (a.control != b.control || a.positions.data() != b.positions.data() || aEnd != bEnd)
                    return false;
            } else if (a.firstPicture <= bEnd && b.firstPicture <= aEnd) {
                return false;
            }
        }
    return true;
}
static_assert(picturesAgree(), "setting pictures overlap");

} // namespace

std::string lubricatorName(int lubricator) {
    if (const LubricatorModel* m = lubricatorModel(lubricator))
        return std::string(m->name);
    return std::to_string(lubricator) + "?";
}

int monthStep(const LubricatorModel& m, double mlPerDay) {
    for (const FeedStep& s : m.steps)
        if (s.bound * m.stepScale > mlPerDay)
            return s.setting;
    return 0;
}

double feedRateStep(double v, Units units) {
    if (units == Units::Imperial) {
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

double snappedFeedRate(const FeedRateSpec& spec, double mlPerDay, Units units) {
    double v = std::max(mlPerDay, spec.slowestMlPerDay);
    if (units == Units::Imperial)
        v /= kMlPerFluidOunce;
    const double step = feedRateStep(v, units);
    // Snapped in ten-thousandths so that the step divides exactly.
    const double k = static_cast<double>(
        Round(static_cast<double>(Round(v * 10000)) / static_cast<double>(Round(step * 10000))));
    return k * step;
}

std::optional<double> setRateMlPerDay(const FeedRateSpec& spec, double Qf, Units units) {
    const double v = gramsToMillilitres(Qf);
    if (!(v <= spec.fastestMlPerDay))
        return std::nullopt;
    const double set = snappedFeedRate(spec, v, units);
    return units == Units::Imperial ? set * kMlPerFluidOunce : set;
}

int outletCount(const PumpSpec& pump, int outletsItem) {
    const int last = static_cast<int>(pump.cycleMinutes.size()) - 1;
    return pump.firstOutlets + pump.outletsStep * std::clamp(outletsItem, 0, last);
}

double pumpCycleMinutes(const PumpSpec& pump, int outletsItem) {
    const int last = static_cast<int>(pump.cycleMinutes.size()) - 1;
    return pump.cycleMinutes[static_cast<std::size_t>(std::clamp(outletsItem, 0, last))];
}

double pumpMinimumPauseHours(const PumpSpec& pump, int powerSource) {
    return powerSource == 1 ? pump.minPauseHoursDC : pump.minPauseHoursAC;
}

PumpSetting pumpSetting(const PumpSpec& pump, int outletsItem, int powerSource, double pauseBase) {
    const double cycle = pumpCycleMinutes(pump, outletsItem);
    const double minPause = pumpMinimumPauseHours(pump, powerSource);
    // Past the multiple whose on-time exceeds the pump even at the shortest cycle the
    // count can stop (a tiny base would otherwise take millions of steps).
    double shortest = cycle;
    for (double c : pump.cycleMinutes)
        shortest = std::min(shortest, c);
    const int lastK = static_cast<int>(pump.maxOnMinutes / shortest) + 1;
    PumpSetting s;
    s.k = 1;
    s.pauseHours = pauseBase;
    while (s.pauseHours < minPause && s.k < lastK) {
        ++s.k;
        s.pauseHours = s.k * pauseBase;
    }
    s.onMinutes = s.k * cycle;
    s.fits = !(s.pauseHours < minPause || s.onMinutes > pump.maxOnMinutes);
    return s;
}

std::optional<PumpSetting> pumpSettingDialled(const PumpSpec& pump, int outletsItem, double onMinutes,
                                              double pauseHours) {
    const double cycle = pumpCycleMinutes(pump, outletsItem);
    if (!(onMinutes > 0) || !(pauseHours > 0) || !std::isfinite(onMinutes) || !std::isfinite(pauseHours))
        return std::nullopt;
    const long k = std::lround(onMinutes / cycle);
    // The display shows the on-time to a tenth of a minute.
    if (k < 1 || std::fabs(k * cycle - onMinutes) > 0.05 + 1e-9)
        return std::nullopt;
    PumpSetting s;
    s.k = static_cast<int>(k);
    s.onMinutes = k * cycle;
    s.pauseHours = pauseHours;
    s.fits = s.onMinutes <= pump.maxOnMinutes;
    return s;
}

double pumpMlPerDayPerOutlet(const PumpSpec& pump, const PumpSetting& s) {
    // Each on-time gives every outlet k base cycles' worth; the pump runs again after
    // its pause.
    const double periodDays = (s.pauseHours + s.onMinutes / 60) / 24;
    return s.k * pump.mlPerBaseCycle / periodDays;
}

double cartridgeMonths(const LubricatorModel& m, int setting, int ambient) {
    if (m.life != LifeRule::DialMonths)
        return setting;
    const double gasCell = ambient == 2 ? 0.5 : ambient == 0 ? 2.0 : 1.0;
    return setting * gasCell;
}

std::optional<int> dialledMonthSetting(const LubricatorModel& m, double value) {
    if (!(value >= 1 && value <= slowestMonths(m)) || value != std::floor(value))
        return std::nullopt;
    return static_cast<int>(value);
}

} // namespace unctora::core
