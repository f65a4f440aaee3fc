#include "cli/routecmd.h"

#include "cli/batch.h"
#include "cli/plancmd.h"
#include "cli/textcmd.h"
#include "core/greases.h"
#include "files/fileio.h"
#include "io/csv.h"
#include "plan/plan.h"
#include "plan/route.h"
#include "strings/startcheck.h"
#include "strings/stringtable.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <unistd.h>

namespace unctora::cli {

namespace {

constexpr const char* kRouteUsage =
    "Usage: unctora-calc route PLANT.csv [--days N] [--from YYYY-MM-DD] [--format csv|pdf]\n"
    "                          [--output FILE] [--history FILE] [--units si|imperial]\n"
    "                          [--lang NAME] [--language-file PATH] [--paper a4|letter]\n"
    "Lists every cartridge change due within N days (7) from the day (today) and every\n"
    "overdue one, by location and machine in the plant file's order: as CSV for a\n"
    "maintenance system (Id,Location,Machine,DueDate,Overdue,DaysOverdue,Lubricator,\n"
    "Grease,Setting,RouteDate), or as the route sheet to print (PDF: boxes to tick, a line\n"
    "for remarks, a line to sign on every page). The changes recorded in\n"
    "PLANT.history.csv, when it exists, date each point's cartridge. The output goes to\n"
    "standard output, or to FILE with --output; a PDF is not written to a terminal.\n";

constexpr const char* kRouteOptions =
    "  --days N              the changes due within N days, 0 to %d (7 unless given)\n"
    "  --from YYYY-MM-DD     the day of the round (today unless given)\n"
    "  --format csv|pdf      the work-order CSV (the default) or the route sheet as PDF\n"
    "  --output FILE         write to FILE (replaced whole) instead of standard output\n"
    "  --history FILE        the recorded changes (PLANT.history.csv unless given)\n"
    "  --units si|imperial   SI (the default) or imperial units\n"
    "  --lang NAME           the route sheet's texts in language NAME (English unless given)\n"
    "  --language-file PATH  read those texts from PATH instead of unctora.sil\n"
    "  --paper a4|letter     the route sheet's paper (the locale's paper unless given)\n"
    "  -h, --help            print this help and exit\n";

int usage(std::FILE* err, const std::string& message) {
    std::fprintf(err, "unctora-calc route: %s\n%s", message.c_str(), kRouteUsage);
    return 2;
}

// The language file for the route sheet's texts; false, said on err, when it cannot be used.
bool loadTexts(const std::string& path, bool named, const std::string& language, strings::StringTable& table,
               std::FILE* err) {
    if (named && !strings::languageFileExists(path)) {
        std::fprintf(err, "unctora-calc: the language file \"%s\" is not a readable file\n",
                     io::printable(path).c_str());
        return false;
    }
    if (const std::optional<std::string> message = strings::checkLanguageFile(path)) {
        std::string text = *message;
        std::replace(text.begin(), text.end(), '\r', '\n');
        std::fprintf(err, "%s\n", text.c_str());
        return false;
    }
    if (!table.LoadLanguageFile(path)) {
        std::fprintf(err, "unctora-calc: cannot read the language file \"%s\"\n", io::printable(path).c_str());
        return false;
    }
    table.SetLanguageByName(language);
    return true;
}

// Whether path names the same file as other, or would once written (an output that
// would replace the plant file, or stand where its history goes).
bool sameFile(const std::string& path, const std::string& other) {
    std::error_code ec;
    if (std::filesystem::equivalent(path, other, ec) && !ec)
        return true;
    const auto canonical = [&ec](const std::string& p) {
        return std::filesystem::weakly_canonical(std::filesystem::absolute(p, ec), ec);
    };
    const auto a = canonical(path);
    if (ec)
        return false;
    const auto b = canonical(other);
    return !ec && a == b;
}

// unctora-calc does not draw: the program beside it that does runs the command as it
// was given, in this process, with its standard output and error. Returns only when
// that program cannot be started.
int handOver(const std::vector<std::string>& args, const std::string& programDir, std::FILE* out,
             std::FILE* err) {
    const std::string program = (programDir.empty() ? std::string(".") : programDir) + "/" + kSheetProgram;
    std::vector<std::string> words = {program, "route"};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    std::fflush(out);
    std::fflush(err);
    ::execv(program.c_str(), argv.data());
    std::fprintf(err, "unctora-calc: the route sheet is drawn by %s, which cannot be started: %s\n",
                 io::printable(program).c_str(), std::strerror(errno));
    return 2;
}

} // namespace

std::string routeCommandHelp() {
    std::string options(kRouteOptions);
    options.replace(options.find("%d"), 2, std::to_string(plan::kMaxRouteDays));
    return std::string(kRouteUsage) + "\nOptions:\n" + options;
}

int runRouteCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err,
                    const RouteCommandContext& context) {
    std::optional<std::string> file, output, historyFile, language, languageFile;
    plan::Date from = plan::today();
    int days = plan::kDefaultRouteDays;
    bool pdf = false;
    RoutePaper paper = RoutePaper::Locale;
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
            pdf = *v == "pdf";
        } else if (a == "--output") {
            const std::string* v = value();
            if (!v || v->empty())
                return usage(err, "--output needs a file name");
            output = *v;
        } else if (a == "--history") {
            const std::string* v = value();
            if (!v || v->empty())
                return usage(err, "--history needs a file name");
            historyFile = *v;
        } else if (a == "--units") {
            const auto parsed = parseUnits(value());
            if (!parsed)
                return usage(err, "--units takes si or imperial");
            units = *parsed;
        } else if (a == "--lang") {
            const std::string* v = value();
            if (!v || strings::languageNumber(*v) == 0)
                return usage(err, kLanguageNameUsage);
            language = *v;
        } else if (a == "--language-file") {
            const std::string* v = value();
            if (!v || v->empty())
                return usage(err, "--language-file needs a file name");
            languageFile = *v;
        } else if (a == "--paper") {
            const std::string* v = value();
            if (!v || (*v != "a4" && *v != "letter"))
                return usage(err, "--paper takes a4 or letter");
            paper = *v == "a4" ? RoutePaper::A4 : RoutePaper::Letter;
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
    // The CSV's columns are a contract; only the sheet has texts and paper.
    if (!pdf && (language || languageFile || paper != RoutePaper::Locale))
        return usage(err, "--lang, --language-file and --paper go with --format pdf");
    if (languageFile && !language)
        return usage(err, "--language-file goes with --lang NAME");
    // A PDF on a terminal is a screenful of binary.
    if (pdf && !output && ::isatty(::fileno(out)))
        return usage(err, "a PDF is not written to a terminal: name a file with --output FILE, "
                          "or send standard output to a file or a pipe");
    const std::string historyPath = historyFile.value_or(plan::historyPathFor(*file));
    if (output && (sameFile(*output, *file) || sameFile(*output, historyPath)))
        return usage(err, "--output " + io::printable(*output) + " is the plant file or its history, "
                          "which the route never replaces");
    if (pdf && !context.drawPdf)
        return handOver(args, context.programDir, out, err);

    strings::StringTable table;
    if (language && !loadTexts(languageFile ? *languageFile : strings::languageFilePath(context.programDir),
                               languageFile.has_value(), *language, table, err))
        return 2;
    plan::PlantFile plant;
    if (!readPlantForCommand(*file, plant, err))
        return 2;
    // The history beside the plant file may be missing; one named must be there.
    plan::HistoryFile history;
    if (!readHistoryForCommand(historyPath, historyFile.has_value(), history, err))
        return 2;
    const plan::LastChangeById last = plan::lastChangeById(history.records);
    const std::vector<plan::PointPlan> points = plan::evaluatePlan(plant, units, from, &last);
    std::vector<plan::RouteStop> stops;
    int unplanned = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const plan::PointPlan& p = points[i];
        const plan::PlantPoint& pt = plant.points[i];
        if (!p.computed() || !p.nextChange) {
            if (!p.computed()) {
                ++unplanned;
                std::fprintf(err, "unctora-calc: point %s (line %ld) is not on the route: %s\n",
                             io::printable(pt.cell(plan::OwnColumn::Id)).c_str(), pt.line,
                             io::printable(p.error).c_str());
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
    const plan::Route route = plan::makeRoute(std::move(stops), from, days);
    std::string bytes;
    if (pdf) {
        std::string error;
        if (!context.drawPdf(route, language ? &table : nullptr, paper, bytes, error)) {
            std::fprintf(err, "unctora-calc: the route sheet cannot be drawn: %s\n", io::printable(error).c_str());
            return 2;
        }
    } else {
        bytes = plan::routeCsv(route);
    }
    if (output) {
        try {
            files::writeFileAtomically(*output, bytes);
        } catch (const files::WriteError& e) {
            std::fprintf(err, "unctora-calc: %s\n", io::printable(e.what()).c_str());
            return 2;
        }
    } else if (std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() || std::fflush(out) != 0) {
        std::fprintf(err, "unctora-calc: the route cannot be written: %s\n", std::strerror(errno));
        return 2;
    }
    return unplanned ? 1 : 0;
}

} // namespace unctora::cli
