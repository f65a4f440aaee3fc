#include "cli/routecmd.h"

#include "cli/batch.h"
#include "io/csv.h"
#include "cli/plancmd.h"
#include "core/greases.h"
#include "plan/plan.h"
#include "plan/route.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <optional>

namespace unctora::cli {

namespace {

constexpr const char* kRouteUsage =
    "Usage: unctora-calc route PLANT.csv [--days N] [--from YYYY-MM-DD] [--format csv|pdf]\n"
    "                          [--units si|imperial]\n"
    "Lists every cartridge change due within N days (7) from the day (today) and every\n"
    "overdue one, by location and machine in the plant file's order, as CSV for a\n"
    "maintenance system: Id,Location,Machine,DueDate,Overdue,DaysOverdue,Lubricator,\n"
    "Grease,Setting,RouteDate.\n";

constexpr const char* kRouteOptions =
    "  --days N              the changes due within N days, 0 to %d (7 unless given)\n"
    "  --from YYYY-MM-DD     the day of the round (today unless given)\n"
    "  --format csv|pdf      CSV; the route sheet (pdf) is printed from the plan window\n"
    "  --units si|imperial   SI (the default) or imperial units\n"
    "  -h, --help            print this help and exit\n";

int usage(std::FILE* err, const std::string& message) {
    std::fprintf(err, "unctora-calc route: %s\n%s", message.c_str(), kRouteUsage);
    return 2;
}

} // namespace

std::string routeCommandHelp() {
    std::string options(kRouteOptions);
    options.replace(options.find("%d"), 2, std::to_string(plan::kMaxRouteDays));
    return std::string(kRouteUsage) + "\nOptions:\n" + options;
}

int runRouteCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
    std::optional<std::string> file;
    plan::Date from = plan::today();
    int days = plan::kDefaultRouteDays;
    core::Units units = core::Units::SI;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string* { return i + 1 < args.size() ? &args[++i] : nullptr; };
        if (a == "--help" || a == "-h") {
            std::fputs(routeCommandHelp().c_str(), out);
            return 0;
        } else if (a == "--from") {
            const std::string* v = value();
            const std::optional<plan::Date> d = v ? plan::parseIsoDate(*v) : std::nullopt;
            if (!d)
                return usage(err, "--from takes a date as YYYY-MM-DD");
            from = *d;
        } else if (a == "--days") {
            const auto n = parseWholeNumber(value(), 0, plan::kMaxRouteDays);
            if (!n)
                return usage(err, "--days takes a whole number from 0 to " + std::to_string(plan::kMaxRouteDays));
            days = *n;
        } else if (a == "--format") {
            const std::string* v = value();
            if (!v || (*v != "csv" && *v != "pdf"))
                return usage(err, "--format takes csv or pdf");
            if (*v == "pdf")
                return usage(err, "the route sheet as PDF is printed from the Plant plan window "
                                  "(File, Print route); here only --format csv");
        } else if (a == "--units") {
            const auto parsed = parseUnits(value());
            if (!parsed)
                return usage(err, "--units takes si or imperial");
            units = *parsed;
        } else if (a.size() > 1 && a[0] == '-') {
            return usage(err, "unknown option " + io::printable(a));
        } else if (file) {
            return usage(err, "only one plant file at a time");
        } else {
            file = a;
        }
    }
    if (!file)
        return usage(err, "PLANT.csv is missing");
    plan::PlantFile plant;
    if (!readPlantForCommand(*file, plant, err))
        return 2;
    const std::vector<plan::PointPlan> points = plan::evaluatePlan(plant, units, from);
    std::vector<plan::RouteStop> stops;
    int unplanned = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const plan::PointPlan& p = points[i];
        const plan::PlantPoint& pt = plant.points[i];
        if (!p.computed() || !p.nextChange) {
            if (!p.computed()) {
                ++unplanned;
                std::fprintf(err, "unctora-calc: point %s (line %ld) is not on the route: %s\n",
                             io::printable(pt.cell(plan::OwnColumn::Id)).c_str(), pt.line, io::printable(p.error).c_str());
            }
            continue;
        }
        plan::RouteStop s;
        s.pointId = pt.cell(plan::OwnColumn::Id);
        s.location = pt.cell(plan::OwnColumn::Location);
        s.machine = pt.cell(plan::OwnColumn::Machine);
        s.order = i;
        s.due = *p.nextChange;
        s.overdue = p.status == plan::PointStatus::Overdue;
        s.setting = p.setting;
        s.grease = core::greaseName(p.inputs.Grease);
        s.lubricator = core::lubricatorName(p.inputs.Lubricator);
        stops.push_back(std::move(s));
    }
    const std::string csv = plan::routeCsv(plan::makeRoute(std::move(stops), from, days));
    if (std::fwrite(csv.data(), 1, csv.size(), out) != csv.size() || std::fflush(out) != 0) {
        std::fprintf(err, "unctora-calc: the route cannot be written: %s\n", std::strerror(errno));
        return 2;
    }
    return unplanned ? 1 : 0;
}

} // namespace unctora::cli
