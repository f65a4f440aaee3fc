#include "plan/plan.h"

#include "io/rows.h"
#include "core/greases.h"
#include "core/pipeline.h"
#include "core/round.h"
#include "reports/assessment.h"
#include "text/format.h"
#include "strings/itemlist.h"
#include "strings/stringtable.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <span>

namespace unctora::plan {

namespace {

constexpr double kNominalVolumes[core::kLubricatorCount] = {60, 125, 125, 250, 120, 380, 400, 1000};
constexpr double kDaysPerMonth = 365.2425 / 12;
// Each outlet of a VOXA 1000 receives this much in one base cycle of its pump.
constexpr double kMlPerBaseCycle = 0.2;
// The slowest settings of the single-point units, in months.
constexpr int kSlowestVoxaDial = 12;
constexpr int kSlowestTeno = 12;
constexpr int kSlowestZolt = 24;
// The step tables mark a feed rate below the slowest step with 99 and one above the
// fastest with 0.
constexpr int kBelowSlowestStep = 99;

// The messages of the plan: language key and English template.
struct Template {
    std::string_view key, english;
};
constexpr Template kLine{"strPlanMsgLine", "line %d: %s"};
constexpr Template kFieldCount{"strPlanMsgFieldCount", "expected %d fields, found %d"};
constexpr Template kBadCell{"strPlanMsgBadCell", "column %s: %s"};
constexpr Template kBadDate{"strPlanMsgBadDate", "column InstalledOn: \"%s\" is not a date (YYYY-MM-DD)"};
constexpr Template kDateRange{"strPlanMsgDateRange", "column InstalledOn: %s lies outside the years 1900 to 2199"};
constexpr Template kBadVolume{"strPlanMsgBadVolume", "column Volume_ml: \"%s\" is not a volume from 1 to 100000 ml"};
constexpr Template kFailed{"strPlanMsgFailed", "the calculation failed: %s"};
constexpr Template kTooSmall{"strPlanMsgTooSmall",
                             "unit too small: the bearing needs %.2f ml/day, more than the %s gives at its fastest setting"};
constexpr Template kTooSmallShared{"strPlanMsgTooSmallShared", "unit too small: unit %s cannot serve %s"};
constexpr Template kOverGreased{"strPlanMsgOverGreased",
                                "over-greased \u00D7%.1f: the bearing needs %.3f ml/day, less than the %s gives at its slowest setting"};
constexpr Template kOverGreasedShared{"strPlanMsgOverGreasedShared",
                                      "over-greased \u00D7%.1f: the pause of unit %s is set for %s, which needs more grease"};
constexpr Template kUnsuitable{"strPlanMsgGreaseUnsuitable", "grease unsuitable: %s does not suit the %s"};
constexpr Template kNotPlanned{"strPlanMsgNotPlanned", "not planned: the date of the last change (InstalledOn) is empty"};
constexpr Template kFuture{"strPlanMsgFuture", "installed on %s, after the day of the plan"};
constexpr Template kDuplicateId{"strPlanMsgDuplicateId", "the Id \"%s\" appears more than once in the plant file"};
constexpr Template kLifeCapped{"strPlanMsgLifeCapped",
                               "planned for 24 months, although the grease would last %.1f: grease ages in the reservoir"};
constexpr Template kSettingDiffers{"strHistSettingDiffers",
                                   "the setting differs from the one dialled at the last change (%s)"};
constexpr Template kUnitMixed{"strPlanMsgUnitMixed", "the points of unit %s differ in their %s"};
constexpr Template kUnitSingle{"strPlanMsgUnitSingle", "unit %s: a %s serves one point and cannot be shared"};
constexpr Template kUnitBlocked{"strPlanMsgUnitBlocked", "unit %s cannot be planned: %s has no plan"};

// Items of the language file's lists that messages name.
constexpr std::string_view kReasonItems = "strPlanGreaseReasonItems";
constexpr std::string_view kReasonEnglish[] = {"lubricator", "speed", "load", "temperature"};
constexpr std::string_view kUnitDiffItems = "strPlanUnitDiffItems";
constexpr std::string_view kUnitDiffEnglish[] = {"lubricator", "grease", "volume", "power source", "outlets"};

PlanMessage::Item itemArg(std::string_view list, int index) { return PlanMessage::Item{list, index}; }

PlanMessage message(const Template& t,
                    std::vector<std::variant<long long, double, std::string, PlanMessage::Item>> args = {}) {
    return PlanMessage{t.key, t.english, std::move(args)};
}

bool readVolume(std::string_view cell, const CsvDialect& dialect, double& v) {
    const std::string t = numberText(cell, dialect);
    const char* b = t.data();
    const char* e = b + t.size();
    const auto r = std::from_chars(b, e, v);
    return r.ec == std::errc() && r.ptr == e && v >= kMinVolumeMl && v <= kMaxVolumeMl;
}

std::string trimmedText(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return std::string(s);
}

std::string lowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// The first check of the suitability rating that the grease fails: 0 lubricator,
// 1 speed, 2 load, 3 temperature; none when it suits.
std::optional<int> unsuitableBecause(int grease, const core::CalcInputs& in, int speedClass) {
    if (!core::isGreaseAllowed(grease, in.Lubricator))
        return 0;
    if (!core::greaseSpeedOk(grease, speedClass))
        return 1;
    if (!core::greaseLoadOk(grease, in.Load))
        return 2;
    if (!core::greaseTempOk(grease, in.BrgOpTemp))
        return 3;
    return std::nullopt;
}

// How much longer or shorter a gas-driven cartridge lasts than its dial says: the
// gas cell runs twice as fast above 40 degC and half as fast below -10 degC.
double gasCellLifeFactor(int ambient) {
    return ambient == 2 ? 0.5 : ambient == 0 ? 2.0 : 1.0;
}

} // namespace

std::string messageText(const PlanMessage& m, const strings::StringTable* table, std::string_view decimalSeparator) {
    std::vector<std::string> texts;
    texts.reserve(m.args.size());
    std::vector<text::FmtArg> args;
    args.reserve(m.args.size());
    // Item names are looked up first, so that the texts outlive the arguments.
    for (const auto& a : m.args) {
        const PlanMessage::Item* item = std::get_if<PlanMessage::Item>(&a);
        std::string text;
        if (item) {
            if (table) {
                const std::vector<std::string> items = strings::parseItemList(strings::LangStr(table, item->list));
                if (item->index >= 0 && static_cast<std::size_t>(item->index) < items.size())
                    text = items[static_cast<std::size_t>(item->index)];
            }
            const std::span<const std::string_view> english =
                item->list == kReasonItems ? std::span<const std::string_view>(kReasonEnglish)
                                           : std::span<const std::string_view>(kUnitDiffEnglish);
            if (text.empty() && item->index >= 0 && static_cast<std::size_t>(item->index) < english.size())
                text = std::string(english[static_cast<std::size_t>(item->index)]);
        }
        texts.push_back(std::move(text));
    }
    for (std::size_t i = 0; i < m.args.size(); ++i) {
        const auto& a = m.args[i];
        if (const long long* n = std::get_if<long long>(&a))
            args.emplace_back(*n);
        else if (const double* d = std::get_if<double>(&a))
            args.emplace_back(*d);
        else if (const std::string* t = std::get_if<std::string>(&a))
            args.emplace_back(*t);
        else
            args.emplace_back(texts[i]);
    }
    // A translation that does not fit its values: the English text says it.
    auto translated = [&](std::string_view key, std::string_view english,
                          std::span<const text::FmtArg> values) {
        if (table && !key.empty()) {
            try {
                return text::format(strings::LangStr(table, key), values, decimalSeparator);
            } catch (const text::FormatError&) {
            }
        }
        return text::format(english, values, decimalSeparator);
    };
    std::string text = translated(m.key, m.english, args);
    if (m.line == 0)
        return text;
    const text::FmtArg lineArgs[] = {m.line, text};
    return translated(kLine.key, kLine.english, lineArgs);
}

double nominalVolumeMl(int lubricator) {
    return lubricator >= 0 && lubricator < core::kLubricatorCount ? kNominalVolumes[lubricator] : 0;
}

int outletCount(int outletsItem) { return 10 + 2 * std::clamp(outletsItem, 0, 5); }

bool PointPlan::has(Attention a) const {
    return std::any_of(attention.begin(), attention.end(), [&](const Note& n) { return n.kind == a; });
}

namespace {

// What a point needs before its unit is planned: the results the setting is made of.
struct Demand {
    double DS = 0;
    double pauseBase = 0;
};

// Reads and computes one point up to its setting. A computed point leaves with the
// status Ok and its setting as the calculator shows it; its unit plans the rest.
PointPlan readPoint(const PlantPoint& point, const CsvDialect& dialect, core::Units units, Demand& d) {
    PointPlan p;
    auto invalid = [&](PlanMessage m) {
        p.status = PointStatus::Invalid;
        m.line = point.line;
        p.error = messageText(m);
        p.reason = std::move(m);
        return p;
    };
    if (point.malformed()) {
        int expected = 0, found = 0;
        if (std::sscanf(point.readError.c_str(), "expected %d fields, found %d", &expected, &found) == 2)
            return invalid(message(kFieldCount, {static_cast<long long>(expected), static_cast<long long>(found)}));
        return invalid(PlanMessage{{}, "%s", {point.readError}});
    }
    core::CalcInputs& in = p.inputs;
    std::string error;
    for (const core::InputField& f : core::inputFields()) {
        const std::string& cell = point.cells[columnOf(f)];
        const std::string text = f.number ? numberText(cell, dialect) : cell;
        if (!io::setInput(in, f, text, error))
            return invalid(message(kBadCell, {std::string(f.name), error}));
    }
    const std::string& installed = point.cell(OwnColumn::InstalledOn);
    if (!installed.empty()) {
        p.installedOn = parseIsoDate(installed);
        if (!p.installedOn)
            return invalid(message(kBadDate, {installed}));
        if (std::chrono::year_month_day(*p.installedOn).year() > std::chrono::year(2199))
            return invalid(message(kDateRange, {installed}));
    }
    // The point is assessed as the calculator assesses its inputs.
    core::clampInputs(in);
    const int fileGrease = in.Grease;
    reports::AssessOptions options;
    options.units = units;
    reports::Assessment a = reports::assess(in, options);
    in = a.inputs;
    const std::string& volume = point.cell(OwnColumn::Volume_ml);
    p.volumeMl = nominalVolumeMl(in.Lubricator);
    if (!volume.empty() && !readVolume(volume, dialect, p.volumeMl))
        return invalid(message(kBadVolume, {volume}));
    // The grease in the unit is the one the file names, suitable or not: the point is
    // computed, shown and bought with it, and marked.
    if (fileGrease != in.Grease && fileGrease > 0 && fileGrease < core::kGreaseCount) {
        const std::optional<int> why = unsuitableBecause(fileGrease, in, a.suitability.speedClass);
        in.Grease = fileGrease;
        core::CalcOutcome calc = core::calculate(in, units, core::CalcContext{});
        a.ok = calc.ok;
        a.error = std::move(calc.error);
        a.results = calc.run.results;
        if (a.ok)
            a.setting = reports::settingDisplay(in, a.results, units);
        p.attention.push_back({Attention::GreaseUnsuitable,
                               message(kUnsuitable, {core::greaseName(fileGrease), itemArg(kReasonItems, why.value_or(0))})});
    }
    if (!a.ok) {
        p.status = PointStatus::Failed;
        p.error = a.error;
        p.reason = message(kFailed, {a.error});
        return p;
    }
    const core::CalcResults& r = a.results;
    p.Qf = r.Qf;
    p.setting = a.setting.text;
    p.singlePoint = !core::isMultiPoint(in.Lubricator);
    // What the bearing itself needs: the gas-driven units' feed rate carries the
    // ambient compensation of their dial.
    p.neededMlPerDay = core::gramsToMillilitres(r.Gp / r.tfc * 24);
    d.DS = r.DS;
    d.pauseBase = r.PauseBase;
    p.status = PointStatus::Ok;
    return p;
}

void tooSmall(PointPlan& p, PlanMessage m) {
    p.status = PointStatus::TooSmall;
    p.error = messageText(m);
    p.reason = std::move(m);
    p.nextChange.reset();
    // Nothing is delivered: nothing is over-greased.
    std::erase_if(p.attention, [](const PointPlan::Note& n) { return n.kind == Attention::OverGreased; });
    p.overGreasedBy = 0;
}

void overGreased(PointPlan& p, double by, PlanMessage m) {
    p.attention.insert(p.attention.begin(), {Attention::OverGreased, std::move(m)});
    p.overGreasedBy = by;
}

std::string settingText(int months) { return std::to_string(months); }

// A single-point unit at the setting its technician dials: the slowest one when the
// bearing needs less, none when it needs more than the fastest.
void planSinglePoint(PointPlan& p, const Demand& d) {
    const int lub = p.inputs.Lubricator;
    const std::string name = core::lubricatorName(lub);
    auto slower = [&](int slowest, double by) {
        overGreased(p, by, message(kOverGreased, {by, p.neededMlPerDay, name}));
        p.setting = settingText(slowest);
        return slowest;
    };
    auto fastest = [&] { tooSmall(p, message(kTooSmall, {p.neededMlPerDay, name})); };
    double months = 0;
    if (core::isGasDriven(lub)) {
        // The dial is set to the nearest month of the setting, which carries the
        // compensation for the ambient temperature; the gas cell then runs faster
        // or slower by the same factor.
        int dial = 0;
        if (d.DS > kSlowestVoxaDial + 0.5)
            dial = slower(kSlowestVoxaDial, d.DS / kSlowestVoxaDial);
        else if (d.DS >= 0.5)
            dial = static_cast<int>(core::Round(d.DS));
        if (dial <= 0)
            return fastest();
        months = dial * gasCellLifeFactor(p.inputs.Ambient);
    } else {
        if (!(d.DS >= 1 && d.DS <= kBelowSlowestStep) || d.DS != std::floor(d.DS))
            return fastest();
        int setting = static_cast<int>(d.DS);
        if (setting == kBelowSlowestStep) {
            const int slowest = core::isTeno(lub) ? kSlowestTeno : kSlowestZolt;
            const double delivered = nominalVolumeMl(lub) / (slowest * kDaysPerMonth);
            setting = slower(slowest, delivered / p.neededMlPerDay);
        }
        months = setting;
    }
    p.lifeDays = months * kDaysPerMonth;
    p.monthsPerCartridge = months == std::floor(months) ? static_cast<int>(months) : 0;
    p.deliveredMlPerDay = p.volumeMl / p.lifeDays;
}

// The points of one multi-point unit (one point when it is a unit of its own), all of
// the same model, read and computed. Sets the life, setting and delivery of each.
void planMultiPoint(const std::vector<PointPlan*>& pts, const std::vector<const Demand*>& ds,
                    const std::vector<std::string>& ids, const std::string& unitName, core::Units units) {
    PointPlan& first = *pts.front();
    const int lub = first.inputs.Lubricator;
    const std::string name = core::lubricatorName(lub);
    const std::string unit = unitName.empty() ? name : unitName;
    // A point the unit cannot serve leaves the whole unit without a setting.
    auto blockAll = [&](std::size_t because) {
        for (std::size_t i = 0; i < pts.size(); ++i)
            if (i != because && pts[i]->computed())
                tooSmall(*pts[i], message(kTooSmallShared, {unit, ids[because]}));
    };
    double drainMlPerDay = 0;
    if (lub == core::VOXA400) {
        for (std::size_t i = 0; i < pts.size(); ++i) {
            PointPlan& p = *pts[i];
            const std::optional<double> set = reports::voxa400SetRateMlPerDay(p.Qf, units);
            if (!set) {
                tooSmall(p, message(kTooSmall, {p.neededMlPerDay, name}));
                blockAll(i);
                return;
            }
            if (p.neededMlPerDay < reports::kVoxa400SlowestMlPerDay)
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
        const double cycle = reports::pumpCycleMinutes(first.inputs.Outlets);
        const double minPause = reports::pumpMinimumPauseHours(first.inputs.PowerSource);
        int k = 1;
        while (k * base < minPause && k < 6)
            ++k;
        const double pause = k * base, onTime = k * cycle;
        if (pause < minPause || onTime > reports::kPumpMaxOnMinutes) {
            tooSmall(*pts[most], message(kTooSmall, {pts[most]->neededMlPerDay, name}));
            blockAll(most);
            return;
        }
        core::CalcResults r;
        r.PauseBase = base;
        const std::string setting = reports::settingDisplay(first.inputs, r, units).text;
        // Each on-time gives every outlet k base cycles' worth; the pump runs again
        // after its pause.
        const double periodDays = (pause + onTime / 60) / 24;
        const double perOutlet = k * kMlPerBaseCycle / periodDays;
        const std::string& mostId = ids[most];
        for (std::size_t i = 0; i < pts.size(); ++i) {
            PointPlan& p = *pts[i];
            p.setting = setting;
            p.deliveredMlPerDay = perOutlet;
            const double by = ds[i]->pauseBase / base;
            if (i != most && by > 1)
                overGreased(p, by, message(kOverGreasedShared, {by, unit, mostId}));
        }
        drainMlPerDay = outletCount(first.inputs.Outlets) * perOutlet;
    }
    // At least a week: no point is changed more often, and the calendar has to hold it.
    const double life = std::max(first.volumeMl / drainMlPerDay, kMinLifeDays);
    for (PointPlan* p : pts) {
        p->lifeDays = life;
        p->monthsPerCartridge = 0;
    }
}

} // namespace

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

// The months a single-point unit was dialled to at its last change, when they read as
// one of its settings.
std::optional<int> dialledMonths(const ChangeRecord& rec, int lub) {
    double v = 0;
    if (rec.settingValue) {
        v = *rec.settingValue;
    } else {
        const std::string t = trimmedText(rec.setting);
        const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
        if (t.empty() || r.ec != std::errc() || r.ptr != t.data() + t.size())
            return std::nullopt;
    }
    const int slowest = core::isGasDriven(lub) ? kSlowestVoxaDial : core::isTeno(lub) ? kSlowestTeno : kSlowestZolt;
    if (!(v >= 1 && v <= slowest) || v != std::floor(v))
        return std::nullopt;
    return static_cast<int>(v);
}

// A cartridge in place runs at the setting dialled when it went in: the point is marked
// while today's inputs give another setting, and a single-point unit's life follows the
// dialled one.
void followDialled(PointPlan& p, const ChangeRecord* rec) {
    if (!rec || !p.computed())
        return;
    const std::string dialled = trimmedText(rec->setting);
    if (dialled.empty() || dialled == p.setting)
        return;
    p.attention.push_back({Attention::SettingDiffers, message(kSettingDiffers, {dialled})});
    if (!p.singlePoint)
        return;
    const int lub = p.inputs.Lubricator;
    const std::optional<int> set = dialledMonths(*rec, lub);
    if (!set)
        return;
    const double months = core::isGasDriven(lub) ? *set * gasCellLifeFactor(p.inputs.Ambient) : *set;
    p.dialledLifeDays = months * kDaysPerMonth;
    p.dialledMonthsPerCartridge = months == std::floor(months) ? static_cast<int>(months) : 0;
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
            const int differ = a.Lubricator != b.Lubricator                                          ? 0
                               : a.Grease != b.Grease                                                ? 1
                               : plan[i].volumeMl != plan[read.front()].volumeMl                     ? 2
                               : a.Lubricator == core::VOXA1000 && a.PowerSource != b.PowerSource ? 3
                               : a.Lubricator == core::VOXA1000 && a.Outlets != b.Outlets         ? 4
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
        for (std::size_t i : members)
            followDialled(plan[i], dialled[i]);
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
