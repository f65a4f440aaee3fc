#include "cli/plancmd.h"

#include "cli/batch.h"
#include "cli/planrecords.h"
#include "io/csv.h"
#include "core/greases.h"
#include "files/fileio.h"
#include "plan/calendar.h"
#include "plan/plan.h"
#include "plan/purchases.h"
#include "plan/stock.h"

#include <cerrno>
#include <new>
#include <optional>

namespace unctora::cli {

namespace {

constexpr const char* kPlanUsage =
    "Usage: unctora-calc plan PLANT.csv [--from YYYY-MM-DD] [--months N] [--ics FILE]\n"
    "                         [--remind N] [--format csv|jsonl] [--units si|imperial]\n"
    "                         [--history FILE] [--stock FILE]\n"
    "Prints the cartridge changes of the coming months (12 unless --months says, from\n"
    "today unless --from says), the points that could not be planned or need looking at,\n"
    "and the cartridges to buy; --ics also writes the changes as an iCalendar file whose\n"
    "events remind of each change N days ahead (7 unless --remind says). The changes\n"
    "recorded in PLANT.history.csv, when it exists, date each point's cartridge; with\n"
    "the cartridges in store listed in PLANT.stock.csv, the purchases say what to order\n"
    "by which date.\n";

constexpr const char* kPlanOptions =
    "  --from YYYY-MM-DD     the first day of the plan (today unless given)\n"
    "  --months N            how many months to plan, 1 to %d (12 unless given)\n"
    "  --ics FILE            also write the changes to FILE as an iCalendar file\n"
    "  --remind N            with --ics, remind of each change N days ahead, 0 to 365\n"
    "                        (7 unless given)\n"
    "  --format csv|jsonl    CSV (the default) or JSON Lines\n"
    "  --units si|imperial   SI (the default) or imperial units\n"
    "  --history FILE        the recorded changes (PLANT.history.csv unless given)\n"
    "  --stock FILE          the cartridges in store and the lead times\n"
    "                        (PLANT.stock.csv unless given)\n"
    "  -h, --help            print this help and exit\n";

int usage(std::FILE* err, const std::string& message) {
    std::fprintf(err, "unctora-calc plan: %s\n%s", message.c_str(), kPlanUsage);
    return 2;
}

} // namespace

bool readPlantForCommand(const std::string& path, plan::PlantFile& plant, std::FILE* err) {
    std::string error;
    if (!plan::readPlantFile(path, plant, error)) {
        std::fprintf(err, "unctora-calc: %s\n", io::printable(error).c_str());
        return false;
    }
    for (const std::string& name : plant.unknownColumns)
        std::fprintf(err, "unctora-calc: %s: the column \"%s\" is not used\n", io::printable(path).c_str(),
                     io::printable(name).c_str());
    return true;
}

bool readHistoryForCommand(const std::string& path, bool named, plan::HistoryFile& history, std::FILE* err) {
    std::string error;
    if (!plan::readHistory(path, history, error)) {
        std::fprintf(err, "unctora-calc: %s\n", io::printable(error).c_str());
        return false;
    }
    if (named && !history.existed) {
        std::fprintf(err, "unctora-calc: %s: no such file\n", io::printable(path).c_str());
        return false;
    }
    for (const plan::SetAsideLine& l : history.setAside)
        std::fprintf(err, "unctora-calc: %s: line %ld set aside: %s\n", io::printable(path).c_str(), l.line,
                     io::printable(l.reason).c_str());
    return true;
}

std::string planCommandHelp() {
    std::string options(kPlanOptions);
    options.replace(options.find("%d"), 2, std::to_string(plan::kMaxPlanMonths));
    return std::string(kPlanUsage) + "\nOptions:\n" + options;
}

namespace {

int runPlan(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
    std::optional<std::string> file, ics, historyFile, stockFile;
    int remind = plan::CalendarOptions::kDefaultRemindDays;
    plan::Date from = plan::today();
    int months = 12;
    bool json = false;
    core::Units units = core::Units::SI;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string* { return i + 1 < args.size() ? &args[++i] : nullptr; };
        if (a == "--help" || a == "-h") {
            std::fputs(planCommandHelp().c_str(), out);
            return 0;
        } else if (a == "--from") {
            const std::string* v = value();
            const std::optional<plan::Date> d = v ? plan::parseIsoDate(*v) : std::nullopt;
            if (!d)
                return usage(err, "--from takes a date as YYYY-MM-DD");
            from = *d;
        } else if (a == "--months") {
            const auto n = parseWholeNumber(value(), 1, plan::kMaxPlanMonths);
            if (!n)
                return usage(err, "--months takes a whole number from 1 to " + std::to_string(plan::kMaxPlanMonths));
            months = *n;
        } else if (a == "--ics") {
            const std::string* v = value();
            if (!v || v->empty())
                return usage(err, "--ics needs a file name");
            ics = *v;
        } else if (a == "--remind") {
            const auto n = parseWholeNumber(value(), 0, plan::CalendarOptions::kMaxRemindDays);
            if (!n)
                return usage(err, "--remind takes a whole number of days from 0 to " +
                                      std::to_string(plan::CalendarOptions::kMaxRemindDays));
            remind = *n;
        } else if (a == "--format") {
            const auto format = parseFormat(value());
            if (!format)
                return usage(err, "--format takes csv or jsonl");
            json = *format == OutputFormat::Jsonl;
        } else if (a == "--units") {
            const auto parsed = parseUnits(value());
            if (!parsed)
                return usage(err, "--units takes si or imperial");
            units = *parsed;
        } else if (a == "--history") {
            const std::string* v = value();
            if (!v || v->empty())
                return usage(err, "--history needs a file name");
            historyFile = *v;
        } else if (a == "--stock") {
            const std::string* v = value();
            if (!v || v->empty())
                return usage(err, "--stock needs a file name");
            stockFile = *v;
        } else if (a.size() > 1 && a[0] == '-') {
            return usage(err, "unknown option " + io::printable(a));
        } else if (file) {
            return usage(err, "only one plant file can be planned at a time");
        } else {
            file = a;
        }
    }
    if (!file)
        return usage(err, "PLANT.csv is missing");
    plan::PlantFile plant;
    if (!readPlantForCommand(*file, plant, err))
        return 2;
    // The history beside the plant file may be missing; one named must be there.
    const std::string historyPath = historyFile.value_or(plan::historyPathFor(*file));
    plan::HistoryFile history;
    if (!readHistoryForCommand(historyPath, historyFile.has_value(), history, err))
        return 2;
    // So may the stock list: without one the plan says nothing of orders.
    const std::string stockPath = stockFile.value_or(plan::stockPathFor(*file));
    plan::StockFile stock;
    std::string stockError;
    if (!plan::readStock(stockPath, stock, stockError)) {
        std::fprintf(err, "unctora-calc: %s\n", io::printable(stockError).c_str());
        return 2;
    }
    if (stockFile && !stock.existed) {
        std::fprintf(err, "unctora-calc: %s: no such file\n", io::printable(stockPath).c_str());
        return 2;
    }
    for (const plan::PlanMessage& m : stock.problems)
        std::fprintf(err, "unctora-calc: %s: %s; the row is not used\n", io::printable(stockPath).c_str(),
                     io::printable(plan::messageText(m)).c_str());
    const plan::LastChangeById last = plan::lastChangeById(history.records);
    const std::vector<plan::PointPlan> points = plan::evaluatePlan(plant, units, from, &last);
    const std::vector<plan::ChangeEntry> changes = plan::changeDates(points, from, months);
    if (ics) {
        try {
            plan::CalendarOptions options;
            options.firstDay = from;
            options.remindDays = remind;
            plan::writeCalendar(*ics, plant, points, changes, plan::CalendarTexts{}, options);
        } catch (const files::WriteError& e) {
            std::fprintf(err, "unctora-calc: %s\n", e.what());
            return 2;
        }
    }
    PlanRecordWriter w(out, json, stock.existed);
    w.header();
    for (const plan::ChangeEntry& c : changes)
        w.change({.point = &plant.points[c.point], .plan = &points[c.point], .change = &c});
    int code = 0;
    // The points that could not be planned, then what the planned ones need looked at.
    for (std::size_t i = 0; i < points.size(); ++i) {
        const plan::PointPlan& p = points[i];
        if (!p.computed())
            code = 1;
        if (p.reason)
            w.point({.point = &plant.points[i], .plan = &p});
        for (const plan::PointPlan::Note& n : p.attention)
            w.point({.point = &plant.points[i], .plan = &p, .note = &n});
    }
    std::vector<plan::PurchaseLine> purchases = plan::purchaseSummary(points, changes);
    if (stock.existed)
        plan::planOrders(purchases, points, changes, stock, from);
    for (const plan::PurchaseLine& l : purchases)
        w.purchase({.purchase = &l});
    if (const int e = w.finish())
        return reportWriteError(err, out, e);
    return code;
}

} // namespace

int runPlanCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
    try {
        return runPlan(args, out, err);
    } catch (const std::bad_alloc&) {
        std::fprintf(err, "unctora-calc: not enough memory for this plan\n");
        return 2;
    }
}

} // namespace unctora::cli
