#include "plan/plan.h"

#include "cli/batch.h"
#include "reports/assessment.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>

namespace unctora::plan {

namespace {

constexpr double kNominalVolumes[core::kLubricatorCount] = {60, 125, 125, 250, 120, 380, 400, 1000};
constexpr double kDaysPerMonth = 365.2425 / 12;

bool readVolume(std::string_view cell, const CsvDialect& dialect, double& v) {
    const std::string t = numberText(cell, dialect);
    const char* b = t.data();
    const char* e = b + t.size();
    const auto r = std::from_chars(b, e, v);
    return r.ec == std::errc() && r.ptr == e && v >= kMinVolumeMl && v <= kMaxVolumeMl;
}

} // namespace

double nominalVolumeMl(int lubricator) {
    return lubricator >= 0 && lubricator < core::kLubricatorCount ? kNominalVolumes[lubricator] : 0;
}

PointPlan evaluatePoint(const PlantPoint& point, const CsvDialect& dialect, core::Units units, Date day) {
    PointPlan p;
    if (point.malformed()) {
        p.error = "line " + std::to_string(point.line) + ": " + point.readError;
        return p;
    }
    auto invalid = [&](const std::string& what) {
        p.status = PointStatus::Invalid;
        p.error = point.line ? "line " + std::to_string(point.line) + ": " + what : what;
        return p;
    };
    core::CalcInputs& in = p.inputs;
    std::string error;
    for (const core::InputField& f : core::inputFields()) {
        const std::string& cell = point.cells[columnOf(f)];
        const std::string text = f.number ? numberText(cell, dialect) : cell;
        if (!cli::setInput(in, f, text, error))
            return invalid("column " + std::string(f.name) + ": " + error);
    }
    const std::string& installed = point.cell(OwnColumn::InstalledOn);
    if (!installed.empty()) {
        p.installedOn = parseIsoDate(installed);
        if (!p.installedOn)
            return invalid("column InstalledOn: \"" + installed + "\" is not a date (YYYY-MM-DD)");
    }
    // The point is assessed as the calculator assesses its inputs.
    core::clampInputs(in);
    reports::AssessOptions options;
    options.units = units;
    const reports::Assessment a = reports::assess(in, options);
    in = a.inputs;
    const std::string& volume = point.cell(OwnColumn::Volume_ml);
    p.volumeMl = nominalVolumeMl(in.Lubricator);
    if (!volume.empty() && !readVolume(volume, dialect, p.volumeMl))
        return invalid("column Volume_ml: \"" + volume + "\" is not a volume from 1 to 100000 ml");
    if (!a.ok) {
        p.status = PointStatus::Failed;
        p.error = a.error;
        return p;
    }
    const core::CalcResults& r = a.results;
    p.Qf = r.Qf;
    const reports::SettingDisplay& setting = a.setting;
    p.setting = setting.text;
    p.singlePoint = !core::isMultiPoint(in.Lubricator);
    if (setting.colour == reports::BadgeColour::Red) {
        p.status = PointStatus::Failed;
        p.outOfRange = true;
        p.error = "the setting is out of the lubricator's range";
        return p;
    }
    if (p.singlePoint) {
        int months = 0;
        const auto res = std::from_chars(p.setting.data(), p.setting.data() + p.setting.size(), months);
        if (res.ec != std::errc() || months <= 0) {
            p.status = PointStatus::Failed;
            p.outOfRange = true;
            p.error = "the setting is out of the lubricator's range";
            return p;
        }
        p.monthsPerCartridge = months;
        p.lifeDays = months * kDaysPerMonth;
    } else {
        const double mlPerDay = core::gramsToMillilitres(r.Qf);
        if (!(mlPerDay > 0) || !std::isfinite(mlPerDay)) {
            p.status = PointStatus::Failed;
            p.error = "no daily feed to empty the reservoir";
            return p;
        }
        // At least a week, at most a hundred years: the calendar has to hold it.
        p.lifeDays = std::clamp(p.volumeMl / mlPerDay, kMinLifeDays, 36524.25);
    }
    p.gramsPerYear = p.volumeMl * core::kGramsPerMl * 365.2425 / p.lifeDays;
    p.status = PointStatus::Ok;
    if (p.installedOn) {
        p.nextChange = p.singlePoint ? addMonths(*p.installedOn, p.monthsPerCartridge)
                                     : *p.installedOn + std::chrono::days(static_cast<int>(std::lround(p.lifeDays)));
        if (*p.nextChange < day)
            p.status = PointStatus::Overdue;
        else if (*p.nextChange <= day + std::chrono::days(kDueSoonDays))
            p.status = PointStatus::DueSoon;
    }
    return p;
}

std::vector<PointPlan> evaluatePlan(const PlantFile& file, core::Units units, Date day) {
    std::vector<PointPlan> plan;
    plan.reserve(file.points.size());
    for (const PlantPoint& point : file.points)
        plan.push_back(evaluatePoint(point, file.dialect, units, day));
    return plan;
}

std::vector<ChangeEntry> changeDates(const std::vector<PointPlan>& plan, Date from, int months) {
    months = std::clamp(months, 0, kMaxPlanMonths);
    const Date end = addMonths(from, months);
    std::vector<ChangeEntry> out;
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const PointPlan& p = plan[i];
        if (!p.computed() || !p.nextChange)
            continue;
        // The k-th change after an anchor, counted from the anchor itself so that the
        // dates do not drift (31 January, 30 April, 31 July, not 30 July).
        auto nth = [&](Date anchor, int k) {
            return p.singlePoint ? addMonths(anchor, k * p.monthsPerCartridge)
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

std::vector<PurchaseLine> purchaseSummary(const std::vector<PointPlan>& plan,
                                          const std::vector<ChangeEntry>& changes) {
    std::map<std::pair<int, int>, PurchaseLine> lines;
    for (const ChangeEntry& c : changes) {
        const PointPlan& p = plan[c.point];
        PurchaseLine& l = lines[{p.inputs.Lubricator, p.inputs.Grease}];
        l.lubricator = p.inputs.Lubricator;
        l.grease = p.inputs.Grease;
        ++l.cartridges;
        l.volumeMl += p.volumeMl;
        l.grams += p.volumeMl * core::kGramsPerMl;
    }
    std::vector<PurchaseLine> out;
    out.reserve(lines.size());
    for (auto& [key, line] : lines)
        out.push_back(line);
    return out;
}

} // namespace unctora::plan
