#include "plan/pointread.h"

#include "core/greases.h"
#include "core/pipeline.h"
#include "io/rows.h"
#include "plan/planmessages.h"
#include "reports/assessment.h"

#include <charconv>
#include <cstdio>
#include <optional>

namespace unctora::plan {

namespace {

bool readVolume(std::string_view cell, const CsvDialect& dialect, double& v) {
    const std::string t = numberText(cell, dialect);
    const char* b = t.data();
    const char* e = b + t.size();
    const auto r = std::from_chars(b, e, v);
    return r.ec == std::errc() && r.ptr == e && v >= kMinVolumeMl && v <= kMaxVolumeMl;
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


} // namespace

std::string trimmedText(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return std::string(s);
}

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

} // namespace unctora::plan
