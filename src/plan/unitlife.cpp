#include "plan/unitlife.h"

#include "core/lubricators.h"
#include "core/round.h"
#include "plan/planmessages.h"
#include "reports/setting.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace unctora::plan {

namespace {

void overGreased(PointPlan& p, double by, PlanMessage m) {
    p.attention.insert(p.attention.begin(), {Attention::OverGreased, std::move(m)});
    p.overGreasedBy = by;
}

std::string settingText(int months) { return std::to_string(months); }

// The months a single-point unit was dialled to at its last change, when they read as
// one of its settings.
std::optional<int> dialledMonths(const ChangeRecord& rec, const core::LubricatorModel& m) {
    double v = 0;
    if (rec.settingValue) {
        v = *rec.settingValue;
    } else {
        const std::string t = trimmedText(rec.setting);
        const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
        if (t.empty() || r.ec != std::errc() || r.ptr != t.data() + t.size())
            return std::nullopt;
    }
    return core::dialledMonthSetting(m, v);
}

} // namespace

void tooSmall(PointPlan& p, PlanMessage m) {
    p.status = PointStatus::TooSmall;
    p.error = messageText(m);
    p.reason = std::move(m);
    p.nextChange.reset();
    // Nothing is delivered: nothing is over-greased.
    std::erase_if(p.attention, [](const PointPlan::Note& n) { return n.kind == Attention::OverGreased; });
    p.overGreasedBy = 0;
}

void planSinglePoint(PointPlan& p, const Demand& d) {
    const core::LubricatorModel& m = *core::lubricatorModel(p.inputs.Lubricator);
    const std::string name(m.name);
    const int slowest = core::slowestMonths(m);
    auto slower = [&](double by) {
        overGreased(p, by, message(kOverGreased, {by, p.neededMlPerDay, name}));
        p.setting = settingText(slowest);
        return slowest;
    };
    auto fastest = [&] { tooSmall(p, message(kTooSmall, {p.neededMlPerDay, name})); };
    int setting = 0;
    if (m.control == core::SettingControl::MonthDial) {
        // The dial is set to the nearest month of the setting, which carries the
        // compensation for the ambient temperature; the gas cell then runs faster
        // or slower by the same factor.
        if (d.DS > slowest + 0.5)
            setting = slower(d.DS / slowest);
        else if (d.DS >= 0.5)
            setting = static_cast<int>(core::Round(d.DS));
        if (setting <= 0)
            return fastest();
    } else {
        if (!(d.DS >= 1 && d.DS <= core::kBelowSlowestStep) || d.DS != std::floor(d.DS))
            return fastest();
        setting = static_cast<int>(d.DS);
        if (setting == core::kBelowSlowestStep)
            setting = slower(m.volumeMl / (slowest * kDaysPerMonth) / p.neededMlPerDay);
    }
    const double months = core::cartridgeMonths(m, setting, p.inputs.Ambient);
    p.lifeDays = months * kDaysPerMonth;
    p.monthsPerCartridge = months == std::floor(months) ? static_cast<int>(months) : 0;
    p.deliveredMlPerDay = p.volumeMl / p.lifeDays;
}

void planMultiPoint(const std::vector<PointPlan*>& pts, const std::vector<const Demand*>& ds,
                    const std::vector<std::string>& ids, const std::string& unitName, core::Units units) {
    PointPlan& first = *pts.front();
    const core::LubricatorModel& m = *core::lubricatorModel(first.inputs.Lubricator);
    const std::string name(m.name);
    const std::string unit = unitName.empty() ? name : unitName;
    // A point the unit cannot serve leaves the whole unit without a setting.
    auto blockAll = [&](std::size_t because) {
        for (std::size_t i = 0; i < pts.size(); ++i)
            if (i != because && pts[i]->computed())
                tooSmall(*pts[i], message(kTooSmallShared, {unit, ids[because]}));
    };
    double drainMlPerDay = 0;
    if (m.life == core::LifeRule::SetRates) {
        for (std::size_t i = 0; i < pts.size(); ++i) {
            PointPlan& p = *pts[i];
            const std::optional<double> set = core::setRateMlPerDay(*m.feedRate, p.Qf, units);
            if (!set) {
                tooSmall(p, message(kTooSmall, {p.neededMlPerDay, name}));
                blockAll(i);
                return;
            }
            if (p.neededMlPerDay < m.feedRate->slowestMlPerDay)
                overGreased(p, *set / p.neededMlPerDay, message(kOverGreased, {*set / p.neededMlPerDay, p.neededMlPerDay, name}));
            p.deliveredMlPerDay = *set;
            drainMlPerDay += *set;
        }
    } else {
        // One pause for the whole unit, set by its most demanding point.
        std::size_t most = 0;
        for (std::size_t i = 0; i < pts.size(); ++i) {
            if (!(ds[i]->pauseBase > 0) || !std::isfinite(ds[i]->pauseBase)) {
                tooSmall(*pts[i], message(kTooSmall, {pts[i]->neededMlPerDay, name}));
                blockAll(i);
                return;
            }
            if (ds[i]->pauseBase < ds[most]->pauseBase)
                most = i;
        }
        const double base = ds[most]->pauseBase;
        const core::PumpSetting set = core::pumpSetting(*m.pump, first.inputs.Outlets, first.inputs.PowerSource, base);
        if (!set.fits) {
            tooSmall(*pts[most], message(kTooSmall, {pts[most]->neededMlPerDay, name}));
            blockAll(most);
            return;
        }
        core::CalcResults r;
        r.PauseBase = base;
        const std::string setting = reports::settingDisplay(first.inputs, r, units).text;
        const double perOutlet = core::pumpMlPerDayPerOutlet(*m.pump, set);
        const std::string& mostId = ids[most];
        for (std::size_t i = 0; i < pts.size(); ++i) {
            PointPlan& p = *pts[i];
            p.setting = setting;
            p.deliveredMlPerDay = perOutlet;
            const double by = ds[i]->pauseBase / base;
            if (i != most && by > 1)
                overGreased(p, by, message(kOverGreasedShared, {by, unit, mostId}));
        }
        drainMlPerDay = core::outletCount(*m.pump, first.inputs.Outlets) * perOutlet;
    }
    // At least a week: no point is changed more often, and the calendar has to hold it.
    const double life = std::max(first.volumeMl / drainMlPerDay, kMinLifeDays);
    for (PointPlan* p : pts) {
        p->lifeDays = life;
        p->monthsPerCartridge = 0;
    }
}

void followDialled(PointPlan& p, const ChangeRecord* rec) {
    if (!rec || !p.computed())
        return;
    const std::string dialled = trimmedText(rec->setting);
    if (dialled.empty() || dialled == p.setting)
        return;
    p.attention.push_back({Attention::SettingDiffers, message(kSettingDiffers, {dialled})});
    if (!p.singlePoint)
        return;
    const core::LubricatorModel& m = *core::lubricatorModel(p.inputs.Lubricator);
    const std::optional<int> set = dialledMonths(*rec, m);
    if (!set)
        return;
    const double months = core::cartridgeMonths(m, *set, p.inputs.Ambient);
    p.dialledLifeDays = months * kDaysPerMonth;
    p.dialledMonthsPerCartridge = months == std::floor(months) ? static_cast<int>(months) : 0;
}

void followDialledUnit(const std::vector<PointPlan*>& pts, const std::vector<const ChangeRecord*>& recs) {
    PointPlan& first = *pts.front();
    if (!first.computed() || first.singlePoint)
        return;
    const core::LubricatorModel& m = *core::lubricatorModel(first.inputs.Lubricator);
    auto differs = [&](std::size_t i) {
        if (!recs[i])
            return false;
        const std::string dialled = trimmedText(recs[i]->setting);
        return !dialled.empty() && dialled != pts[i]->setting;
    };
    double drainMlPerDay = 0;
    if (m.life == core::LifeRule::SetRates) {
        // Each outlet runs at the rate it was set to at its last change.
        bool any = false;
        for (std::size_t i = 0; i < pts.size(); ++i) {
            double rate = pts[i]->deliveredMlPerDay;
            if (differs(i))
                if (const auto shown = reports::shownFeedRateMlPerDay(trimmedText(recs[i]->setting)); shown && *shown > 0) {
                    rate = *shown;
                    any = true;
                }
            drainMlPerDay += rate;
        }
        if (!any)
            return;
    } else if (m.life == core::LifeRule::PumpCycles) {
        // One pump setting: the one dialled at the latest change, when the reservoir
        // was last refilled.
        std::size_t latest = pts.size();
        for (std::size_t i = 0; i < pts.size(); ++i)
            if (recs[i] && (latest == pts.size() || !(recs[i]->date < recs[latest]->date)))
                latest = i;
        if (latest == pts.size() || !differs(latest))
            return;
        const auto shown = reports::shownPumpSetting(trimmedText(recs[latest]->setting));
        if (!shown)
            return;
        const auto set = core::pumpSettingDialled(*m.pump, first.inputs.Outlets, shown->onMinutes, shown->pauseHours);
        if (!set)
            return;
        drainMlPerDay = core::outletCount(*m.pump, first.inputs.Outlets) * core::pumpMlPerDayPerOutlet(*m.pump, *set);
    } else {
        return;
    }
    // As today's life: at least a week, at most as long as grease keeps.
    double life = std::max(first.volumeMl / drainMlPerDay, kMinLifeDays);
    int months = 0;
    if (life > kMaxLifeMonths * kDaysPerMonth + 1e-6) {
        life = kMaxLifeMonths * kDaysPerMonth;
        months = kMaxLifeMonths;
    }
    for (PointPlan* p : pts) {
        p->dialledLifeDays = life;
        p->dialledMonthsPerCartridge = months;
    }
}

} // namespace unctora::plan
