#include "cli/plancmd.h"

#include "cli/batch.h"
#include "io/csv.h"
#include "core/greases.h"
#include "files/fileio.h"
#include "plan/calendar.h"
#include "plan/plan.h"
#include "plan/purchases.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <new>
#include <optional>

namespace unctora::cli {

namespace {

constexpr const char* kPlanUsage =
    "Usage: unctora-calc plan PLANT.csv [--from YYYY-MM-DD] [--months N] [--ics FILE]\n"
    "                         [--remind N] [--format csv|jsonl] [--units si|imperial]\n"
    "                         [--history FILE]\n"
    "Prints the cartridge changes of the coming months (12 unless --months says, from\n"
    "today unless --from says), the points that could not be planned or need looking at,\n"
    "and the cartridges to buy; --ics also writes the changes as an iCalendar file whose\n"
    "events remind of each change N days ahead (7 unless --remind says). The changes\n"
    "recorded in PLANT.history.csv, when it exists, date each point's cartridge.\n";

constexpr const char* kPlanOptions =
    "  --from YYYY-MM-DD     the first day of the plan (today unless given)\n"
    "  --months N            how many months to plan, 1 to %d (12 unless given)\n"
    "  --ics FILE            also write the changes to FILE as an iCalendar file\n"
    "  --remind N            with --ics, remind of each change N days ahead, 0 to 365\n"
    "                        (7 unless given)\n"
    "  --format csv|jsonl    CSV (the default) or JSON Lines\n"
    "  --units si|imperial   SI (the default) or imperial units\n"
    "  --history FILE        the recorded changes (PLANT.history.csv unless given)\n"
    "  -h, --help            print this help and exit\n";

constexpr const char* kColumns[] = {"Kind",    "Date",        "Id",    "Location",          "Machine",
                                    "Lubricator", "Grease",   "Setting", "MonthsPerCartridge", "Volume_ml",
                                    "Overdue", "Cartridges", "Grease_g", "Status",            "Error"};
constexpr std::size_t kColumnCount = std::size(kColumns);

int usage(std::FILE* err, const std::string& message) {
    std::fprintf(err, "unctora-calc plan: %s\n%s", message.c_str(), kPlanUsage);
    return 2;
}

std::string number(double v) {
    char buf[32];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

const char* statusName(plan::PointStatus s) {
    switch (s) {
    case plan::PointStatus::Ok: return "ok";
    case plan::PointStatus::DueSoon: return "due";
    case plan::PointStatus::Overdue: return "overdue";
    case plan::PointStatus::Failed: return "failed";
    case plan::PointStatus::Invalid: return "invalid";
    case plan::PointStatus::TooSmall: return "unit too small";
    case plan::PointStatus::NotPlanned: return "not planned";
    }
    return "";
}

const char* attentionName(plan::Attention a) {
    switch (a) {
    case plan::Attention::OverGreased: return "over-greased";
    case plan::Attention::GreaseUnsuitable: return "grease unsuitable";
    case plan::Attention::InstalledInFuture: return "installed in the future";
    case plan::Attention::DuplicateId: return "duplicate id";
    case plan::Attention::LifeCapped: return "life capped";
    case plan::Attention::SettingDiffers: return "setting differs";
    }
    return "";
}

std::string oneDecimal(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    return buf;
}

// One output record: a value (or none) per column.
using Record = std::array<std::optional<std::string>, kColumnCount>;
enum Col { Kind, Date, Id, Location, Machine, Lubricator, Grease, Setting, Months, Volume, Overdue,
           Cartridges, Grams, Status, Error };

class Writer {
public:
    Writer(std::FILE* out, bool json) : m_output(out), m_json(json) {}
    Writer(const Writer&) = delete;
    void header() {
        if (m_json)
            return;
        for (std::size_t c = 0; c < kColumnCount; ++c) {
            if (c)
                m_buf.push_back(',');
            m_buf.append(kColumns[c]);
        }
        m_buf.append("\r\n");
    }
    // Numbers, booleans and null go into JSON unquoted.
    void record(const Record& r, std::initializer_list<int> bare) {
        if (m_json) {
            m_buf.push_back('{');
            bool first = true;
            for (std::size_t c = 0; c < kColumnCount; ++c) {
                if (!r[c])
                    continue;
                if (!first)
                    m_buf.push_back(',');
                first = false;
                io::appendJsonString(m_buf, kColumns[c]);
                m_buf.push_back(':');
                if (std::find(bare.begin(), bare.end(), int(c)) != bare.end())
                    m_buf.append(*r[c]);
                else
                    io::appendJsonString(m_buf, *r[c]);
            }
            m_buf.append("}\n");
        } else {
            for (std::size_t c = 0; c < kColumnCount; ++c) {
                if (c)
                    m_buf.push_back(',');
                if (r[c])
                    io::appendCsvField(m_buf, *r[c]);
            }
            m_buf.append("\r\n");
        }
        m_output.drainIfLarge();
    }
    // 0 when everything reached the stream, else the errno of the first failure.
    int finish() {
        m_output.flush();
        return m_output.error();
    }

private:
    io::CheckedOutput m_output;
    std::string& m_buf = m_output.buffer();
    bool m_json;
};

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

std::string planCommandHelp() {
    std::string options(kPlanOptions);
    options.replace(options.find("%d"), 2, std::to_string(plan::kMaxPlanMonths));
    return std::string(kPlanUsage) + "\nOptions:\n" + options;
}

namespace {

int runPlan(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
    std::optional<std::string> file, ics, historyFile;
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
    std::string historyError;
    if (!plan::readHistory(historyPath, history, historyError)) {
        std::fprintf(err, "unctora-calc: %s\n", io::printable(historyError).c_str());
        return 2;
    }
    if (historyFile && !history.existed) {
        std::fprintf(err, "unctora-calc: %s: no such file\n", io::printable(historyPath).c_str());
        return 2;
    }
    for (const plan::SetAsideLine& l : history.setAside)
        std::fprintf(err, "unctora-calc: %s: line %ld set aside: %s\n", io::printable(historyPath).c_str(), l.line,
                     io::printable(l.reason).c_str());
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
    Writer w(out, json);
    w.header();
    auto own = [&](Record& r, std::size_t i) {
        const plan::PlantPoint& p = plant.points[i];
        r[Id] = p.cell(plan::OwnColumn::Id);
        r[Location] = p.cell(plan::OwnColumn::Location);
        r[Machine] = p.cell(plan::OwnColumn::Machine);
    };
    for (const plan::ChangeEntry& c : changes) {
        const plan::PointPlan& p = points[c.point];
        Record r;
        r[Kind] = "change";
        r[Date] = plan::isoDate(c.date);
        own(r, c.point);
        // A shared unit is changed once, under its own name.
        if (!p.unit.empty())
            r[Id] = p.unit;
        r[Lubricator] = core::lubricatorName(p.inputs.Lubricator);
        r[Grease] = core::greaseName(p.inputs.Grease);
        r[Setting] = p.setting;
        r[Months] = oneDecimal(p.months());
        r[Volume] = number(p.volumeMl);
        r[Overdue] = c.overdue ? "true" : "false";
        w.record(r, {Months, Volume, Overdue});
    }
    int code = 0;
    // The points that could not be planned, then what the planned ones need looked at.
    for (std::size_t i = 0; i < points.size(); ++i) {
        const plan::PointPlan& p = points[i];
        if (!p.computed())
            code = 1;
        if (p.reason) {
            Record r;
            r[Kind] = "point";
            own(r, i);
            r[Status] = statusName(p.status);
            r[Error] = p.status == plan::PointStatus::Failed ? p.error : plan::messageText(*p.reason);
            w.record(r, {});
        }
        for (const plan::PointPlan::Note& n : p.attention) {
            Record r;
            r[Kind] = "point";
            own(r, i);
            r[Status] = n.kind == plan::Attention::OverGreased
                            ? std::string(attentionName(n.kind)) + " \u00D7" + oneDecimal(p.overGreasedBy)
                            : attentionName(n.kind);
            r[Error] = plan::messageText(n.message);
            w.record(r, {});
        }
    }
    for (const plan::PurchaseLine& l : plan::purchaseSummary(points, changes)) {
        Record r;
        r[Kind] = "purchase";
        r[Lubricator] = core::lubricatorName(l.lubricator);
        r[Grease] = core::greaseName(l.grease);
        r[Cartridges] = std::to_string(l.cartridges);
        r[Volume] = number(l.volumeMl);
        r[Grams] = number(l.grams);
        w.record(r, {Cartridges, Volume, Grams});
    }
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
