#include "plan/plan.h"

#include "core/lubricators.h"
#include "plan/planmessages.h"
#include "plan/pointread.h"
#include "plan/unitlife.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace unctora::plan {

namespace {

std::string lowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

} // namespace

double nominalVolumeMl(int lubricator) {
    const core::LubricatorModel* m = core::lubricatorModel(lubricator);
    return m ? m->volumeMl : 0;
}

bool PointPlan::has(Attention a) const {
    return std::any_of(attention.begin(), attention.end(), [&](const Note& n) { return n.kind == a; });
}

namespace {

void makeInvalid(PointPlan& p, PlanMessage m, long line) {
    p.status = PointStatus::Invalid;
    m.line = line;
    p.error = messageText(m);
    p.reason = std::move(m);
    p.nextChange.reset();
}

// The life of a unit no longer than grease keeps, and each point's grease per year:
// what it receives (a VOXA 1000 feeds every outlet, listed as a point or not).
void finishUnit(const std::vector<PointPlan*>& pts) {
    const double longest = kMaxLifeMonths * kDaysPerMonth;
    for (PointPlan* p : pts) {
        if (p->lifeDays > longest + 1e-6) {
            p->attention.push_back({Attention::LifeCapped, message(kLifeCapped, {p->months()})});
            p->lifeDays = longest;
            p->monthsPerCartridge = kMaxLifeMonths;
        }
        p->gramsPerYear = p->deliveredMlPerDay * core::kGramsPerMl * 365.2425;
    }
}

// The next change from the unit's last refill, and the status it gives on `day`.
void schedule(PointPlan& p, std::optional<Date> refill, Date day) {
    if (!p.computed())
        return;
    if (p.installedOn && day < *p.installedOn) {
        p.attention.push_back({Attention::InstalledInFuture, message(kFuture, {isoDate(*p.installedOn)})});
    }
    if (!refill) {
        p.status = PointStatus::NotPlanned;
        p.reason = message(kNotPlanned);
        return;
    }
    // The cartridge in place lasts as long as the setting it was changed at gives.
    const double life = p.dialledLifeDays.value_or(p.lifeDays);
    const int months = p.dialledLifeDays ? p.dialledMonthsPerCartridge : p.monthsPerCartridge;
    p.nextChange = months > 0 ? addMonths(*refill, months)
                              : *refill + std::chrono::days(static_cast<int>(std::lround(life)));
    // A unit just changed is not due soon: the window is at most a quarter of its life.
    const int window = static_cast<int>(std::min<double>(kDueSoonDays, std::floor(life / 4)));
    if (*p.nextChange < day)
        p.status = PointStatus::Overdue;
    else if (*p.nextChange <= day + std::chrono::days(window))
        p.status = PointStatus::DueSoon;
    else
        p.status = PointStatus::Ok;
}


// A point that is a unit of its own.
void planOwnUnit(PointPlan& p, const Demand& d, const std::string& id, const std::string& unitName,
                 core::Units units, Date day, const ChangeRecord* dialled) {
    if (!p.computed())
        return;
    if (p.singlePoint) {
        planSinglePoint(p, d);
    } else {
        p.unit = unitName;
        planMultiPoint({&p}, {&d}, {id}, unitName, units);
    }
    followDialled(p, dialled);
    if (!p.singlePoint)
        followDialledUnit({&p}, {dialled});
    if (!p.computed())
        return;
    finishUnit({&p});
    schedule(p, p.installedOn, day);
}

std::string pointName(const PlantPoint& point, std::size_t index) {
    const std::string id = trimmedText(point.cell(OwnColumn::Id));
    return id.empty() ? "#" + std::to_string(index + 1) : id;
}

} // namespace

PointPlan evaluatePoint(const PlantPoint& point, const CsvDialect& dialect, core::Units units, Date day) {
    Demand d;
    PointPlan p = readPoint(point, dialect, units, d);
    planOwnUnit(p, d, pointName(point, 0), {}, units, day, nullptr);
    return p;
}

LastChangeById lastChangeById(const ChangeRecords& records) {
    LastChangeById out;
    for (const auto& [id, at] : lastChanges(records))
        out.emplace(id, records[at]);
    return out;
}

std::vector<PointPlan> evaluatePlan(const PlantFile& file, core::Units units, Date day,
                                    const LastChangeById* history) {
    const std::size_t n = file.points.size();
    std::vector<PointPlan> plan;
    plan.reserve(n);
    std::vector<Demand> demand(n);
    std::vector<std::string> ids;
    ids.reserve(n);
    // The change each point's cartridge went in with, when the history has the latest.
    std::vector<const ChangeRecord*> dialled(n, nullptr);
    for (std::size_t i = 0; i < n; ++i) {
        plan.push_back(readPoint(file.points[i], file.dialect, units, demand[i]));
        ids.push_back(pointName(file.points[i], i));
        if (!history || plan[i].status == PointStatus::Invalid)
            continue;
        const auto found = history->find(trimmedText(file.points[i].cell(OwnColumn::Id)));
        if (found == history->end())
            continue;
        PointPlan& p = plan[i];
        p.lastChange = found->second;
        // A day in the cell later than the record's is newer than the record.
        if (!p.installedOn || !(found->second.date < *p.installedOn)) {
            p.installedOn = found->second.date;
            dialled[i] = &found->second;
        }
    }
    // The points of each named unit, in the order the units first appear.
    std::vector<std::vector<std::size_t>> units_;
    std::map<std::string, std::size_t> unitOf;
    for (std::size_t i = 0; i < n; ++i) {
        const std::string name = trimmedText(file.points[i].cell(OwnColumn::Unit));
        if (name.empty() || file.points[i].malformed()) {
            planOwnUnit(plan[i], demand[i], ids[i], {}, units, day, dialled[i]);
            continue;
        }
        const auto [at, added] = unitOf.try_emplace(lowerAscii(name), units_.size());
        if (added)
            units_.emplace_back();
        units_[at->second].push_back(i);
    }
    for (const std::vector<std::size_t>& members : units_) {
        const std::size_t lead = members.front();
        const std::string name = trimmedText(file.points[lead].cell(OwnColumn::Unit));
        if (members.size() == 1) {
            planOwnUnit(plan[lead], demand[lead], ids[lead], name, units, day, dialled[lead]);
            continue;
        }
        // Points that share a unit share its model, its grease and its reservoir.
        std::vector<std::size_t> read;
        for (std::size_t i : members)
            if (plan[i].status != PointStatus::Invalid)
                read.push_back(i);
        std::optional<PlanMessage> wrong;
        for (std::size_t i : read) {
            const core::CalcInputs& a = plan[i].inputs;
            const core::CalcInputs& b = plan[read.front()].inputs;
            if (!core::isMultiPoint(a.Lubricator)) {
                wrong = message(kUnitSingle, {name, core::lubricatorName(a.Lubricator)});
                break;
            }
            // A pump serves all its outlets from one power source.
            const bool pump = core::lubricatorModel(a.Lubricator)->pump != nullptr;
            const int differ = a.Lubricator != b.Lubricator                      ? 0
                               : a.Grease != b.Grease                            ? 1
                               : plan[i].volumeMl != plan[read.front()].volumeMl ? 2
                               : pump && a.PowerSource != b.PowerSource          ? 3
                               : pump && a.Outlets != b.Outlets                  ? 4
                                                                                 : -1;
            if (differ >= 0 && !wrong)
                wrong = message(kUnitMixed, {name, itemArg(kUnitDiffItems, differ)});
        }
        for (std::size_t i : members) {
            plan[i].unit = name;
            plan[i].unitLeader = i == lead;
        }
        if (wrong) {
            for (std::size_t i : read)
                makeInvalid(plan[i], *wrong, file.points[i].line);
            continue;
        }
        // A point without a plan leaves the reservoir's drain unknown.
        const auto blocked = std::find_if(members.begin(), members.end(), [&](std::size_t i) { return !plan[i].computed(); });
        if (blocked != members.end()) {
            for (std::size_t i : members)
                if (plan[i].computed()) {
                    PlanMessage m = message(kUnitBlocked, {name, ids[*blocked]});
                    plan[i].status = PointStatus::Failed;
                    plan[i].error = messageText(m);
                    plan[i].reason = std::move(m);
                }
            continue;
        }
        std::vector<PointPlan*> pts;
        std::vector<const Demand*> ds;
        std::vector<std::string> names;
        for (std::size_t i : members) {
            pts.push_back(&plan[i]);
            ds.push_back(&demand[i]);
            names.push_back(ids[i]);
        }
        planMultiPoint(pts, ds, names, name, units);
        if (!plan[lead].computed())
            continue;
        std::vector<const ChangeRecord*> recs;
        for (std::size_t i : members) {
            followDialled(plan[i], dialled[i]);
            recs.push_back(dialled[i]);
        }
        followDialledUnit(pts, recs);
        finishUnit(pts);
        // One refill for the whole reservoir: the latest date any of its points gives.
        std::optional<Date> refill;
        for (std::size_t i : members)
            if (plan[i].installedOn && (!refill || *refill < *plan[i].installedOn))
                refill = plan[i].installedOn;
        for (PointPlan* p : pts)
            schedule(*p, refill, day);
    }
    // An Id names one point.
    std::map<std::string, int> idCount;
    for (std::size_t i = 0; i < n; ++i) {
        const std::string id = trimmedText(file.points[i].cell(OwnColumn::Id));
        if (!id.empty())
            ++idCount[id];
    }
    for (std::size_t i = 0; i < n; ++i) {
        const std::string id = trimmedText(file.points[i].cell(OwnColumn::Id));
        if (!id.empty() && idCount[id] > 1) {
            plan[i].attention.push_back({Attention::DuplicateId, message(kDuplicateId, {id})});
        }
    }
    return plan;
}

std::vector<ChangeEntry> changeDates(const std::vector<PointPlan>& plan, Date from, int months) {
    months = std::clamp(months, 0, kMaxPlanMonths);
    const Date end = addMonths(from, months);
    std::vector<ChangeEntry> out;
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const PointPlan& p = plan[i];
        // A shared unit is changed once, at its first point.
        if (!p.computed() || !p.nextChange || !p.unitLeader)
            continue;
        // The k-th change after an anchor, counted from the anchor itself so that the
        // dates do not drift (31 January, 30 April, 31 July, not 30 July).
        auto nth = [&](Date anchor, int k) {
            return p.monthsPerCartridge > 0
                       ? addMonths(anchor, k * p.monthsPerCartridge)
                       : anchor + std::chrono::days(static_cast<int>(std::lround(k * p.lifeDays)));
        };
        Date anchor = *p.nextChange;
        int number = 1;
        if (anchor < from) {
            out.push_back({anchor, i, true, number++});
            anchor = nth(from, 1);
        }
        for (int k = 0;; ++k) {
            const Date d = nth(anchor, k);
            if (!(d < end))
                break;
            out.push_back({d, i, false, number + k});
        }
    }
    std::stable_sort(out.begin(), out.end(), [](const ChangeEntry& a, const ChangeEntry& b) {
        return a.date != b.date ? a.date < b.date : a.point < b.point;
    });
    return out;
}

} // namespace unctora::plan
