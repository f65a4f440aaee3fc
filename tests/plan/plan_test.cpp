// The plant plan: plant files as spreadsheets write them, the cartridge life and the
// next change of each point, the change dates of a period, the purchases and the
// calendar file, read back with the calendar library.
#include "cli/csv.h"
#include "plan/calendar.h"
#include "plan/plan.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>

using namespace unctora;
using namespace unctora::plan;
namespace fs = std::filesystem;

namespace {

Date day(const char* iso) { return *parseIsoDate(iso); }

PlantFile parsed(const std::string& text) {
    PlantFile f;
    std::string error;
    EXPECT_TRUE(parsePlantFile(text, f, error)) << error;
    return f;
}

} // namespace

TEST(PlanDates, IsoDatesAndCalendarMonths) {
    for (const char* bad : {"", "2026-2-01", "2026-02-30", "2026-13-01", "26-01-01", " 2026-01-01", "2026-01-01 ",
                            "2026/01/01", "1899-12-31", "2026-01-0a", "+026-01-01"})
        EXPECT_FALSE(parseIsoDate(bad)) << bad;
    EXPECT_EQ(isoDate(day("2028-02-29")), "2028-02-29");
    EXPECT_EQ(isoDate(addMonths(day("2027-01-31"), 1)), "2027-02-28");
    EXPECT_EQ(isoDate(addMonths(day("2028-01-31"), 1)), "2028-02-29");
    EXPECT_EQ(isoDate(addMonths(day("2026-12-10"), 12)), "2027-12-10");
    EXPECT_EQ(isoDate(addMonths(day("2026-08-31"), 3)), "2026-11-30");
    EXPECT_EQ(isoDate(addMonths(day("2026-11-15"), 24)), "2028-11-15");
}

TEST(PlantFileFormat, SpreadsheetFilesAreReadAsTheyCome) {
    // Semicolons, a decimal comma and a byte-order mark, as a spreadsheet writes them
    // where the comma is the decimal separator.
    const PlantFile excel = parsed("\xEF\xBB\xBFId;Location;Lubricator;Speed;Volume_ml;InstalledOn;remarks\r\n"
                                   "P-1;\"Hall \"\"A\"\", east\";VOXA 400;1480,0;250,5;2026-11-02;\"two\r\nlines\"\r\n");
    EXPECT_EQ(excel.dialect, (CsvDialect{';', true, true}));
    ASSERT_EQ(excel.points.size(), 1u);
    const PlantPoint& p = excel.points[0];
    EXPECT_EQ(p.cell(OwnColumn::Id), "P-1");
    EXPECT_EQ(p.cell(OwnColumn::Location), "Hall \"A\", east");
    EXPECT_EQ(p.cell(OwnColumn::Remarks), "two\r\nlines");
    const PointPlan plan = evaluatePoint(p, excel.dialect, core::Units::SI, day("2026-12-10"));
    EXPECT_NE(plan.status, PointStatus::Invalid) << plan.error;
    EXPECT_EQ(plan.inputs.Speed, 1480);
    EXPECT_EQ(plan.volumeMl, 250.5);
    // Written back in its own dialect, every column named.
    const std::string bytes = plantFileBytes(excel);
    EXPECT_TRUE(bytes.starts_with("\xEF\xBB\xBFId;Location;Machine;InstalledOn;Volume_ml;Remarks;Bore_mm;"));
    EXPECT_NE(bytes.find("P-1;\"Hall \"\"A\"\", east\";;2026-11-02;250,5;\"two\r\nlines\";;"), std::string::npos)
        << bytes;
    EXPECT_EQ(parsed(bytes).points[0].cells, p.cells);

    // The comma-separated file of another spreadsheet, without a mark.
    const PlantFile plain = parsed("Id,Speed,Volume_ml\nP-2,900,125.5\n");
    EXPECT_EQ(plain.dialect, CsvDialect{});
    EXPECT_EQ(evaluatePoint(plain.points[0], plain.dialect, core::Units::SI, day("2026-12-10")).volumeMl, 125.5);
}

TEST(PlantFileFormat, BadRowsAreKeptAndBadHeadersRefused) {
    PlantFile f;
    std::string error;
    EXPECT_FALSE(parsePlantFile("Id,Colour\n1,red\n", f, error));
    EXPECT_EQ(error, "unknown column \"Colour\" in the header");
    EXPECT_FALSE(parsePlantFile("Id,Machine,machine\n", f, error));
    EXPECT_EQ(error, "the column \"machine\" appears twice in the header");

    const std::string text = "Id,Speed,InstalledOn\n"
                             "good,900,2026-11-02\n"
                             "short,900\n"
                             "letters,fast,2026-11-02\n"
                             "date,900,yesterday\n"
                             "quote,\"900,2026-11-02\n";
    const PlantFile bad = parsed(text);
    ASSERT_EQ(bad.points.size(), 5u);
    const std::vector<PointPlan> plan = evaluatePlan(bad, core::Units::SI, day("2026-12-10"));
    EXPECT_NE(plan[0].status, PointStatus::Invalid);
    EXPECT_EQ(plan[1].status, PointStatus::Invalid);
    EXPECT_EQ(plan[1].error, "line 3: expected 3 fields, found 2");
    EXPECT_EQ(plan[2].error, "line 4: column Speed: \"fast\" is not a number");
    EXPECT_EQ(plan[3].error, "line 5: column InstalledOn: \"yesterday\" is not a date (YYYY-MM-DD)");
    EXPECT_EQ(plan[4].status, PointStatus::Invalid);
    // A save keeps every row: the ones that fit in the columns, the others as read.
    const PlantFile again = parsed(plantFileBytes(bad));
    ASSERT_EQ(again.points.size(), 5u);
    EXPECT_EQ(again.points[1].raw, (std::vector<std::string>{"short", "900"}));
    EXPECT_EQ(again.points[2].cell(OwnColumn::Id), "letters");
    EXPECT_EQ(again.points[2].cells[columnOf(*core::findInputField("Speed"))], "fast");
    EXPECT_EQ(again.points[3].cell(OwnColumn::InstalledOn), "yesterday");
}

TEST(PlantFileFormat, SaveFailureKeepsTheOldFile) {
    const fs::path dir = fs::temp_directory_path() / ("unctora-plan-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "plant.csv").string();
    std::ofstream(path) << "Id\nold\n";
    fs::create_directory(dir / "locked");
    PlantFile f = parsed("Id\nnew\n");
    writePlantFile(path, f);
    PlantFile back;
    std::string error;
    ASSERT_TRUE(readPlantFile(path, back, error)) << error;
    EXPECT_EQ(back.points[0].cell(OwnColumn::Id), "new");
    EXPECT_THROW(writePlantFile((dir / "locked").string(), f), std::exception);
    EXPECT_TRUE(fs::is_directory(dir / "locked"));
    EXPECT_FALSE(readPlantFile((dir / "none.csv").string(), back, error));
    EXPECT_EQ(error, "cannot read " + (dir / "none.csv").string() + ": No such file or directory");
    fs::remove_all(dir);
}

// The batch calculator's output for a plant file, as records of its cells.
std::vector<std::vector<std::string>> batchRecords(const std::string& path) {
    std::string out;
    std::FILE* p = ::popen(("'" UNCTORA_CALC "' '" + path + "'").c_str(), "r");
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        out.append(buf, n);
    ::pclose(p);
    std::FILE* f = fmemopen(out.data(), out.size(), "rb");
    cli::CsvReader reader(f);
    cli::CsvRecord rec;
    std::vector<std::vector<std::string>> records;
    while (reader.next(rec))
        records.emplace_back(rec.fields.begin(), rec.fields.begin() + static_cast<std::ptrdiff_t>(rec.count));
    std::fclose(f);
    return records;
}

// Every row of the example plant is computed as the batch calculator computes it, and
// its cartridge life follows from the setting or the reservoir.
TEST(PlanPoints, AgreeWithTheSingleCalculationForEveryExampleRow) {
    const std::string example = UNCTORA_SOURCE_DIR "/examples/plant.csv";
    PlantFile file;
    std::string error;
    ASSERT_TRUE(readPlantFile(example, file, error)) << error;
    ASSERT_GE(file.points.size(), 30u);
    const auto batch = batchRecords(example);
    ASSERT_EQ(batch.size(), file.points.size() + 1);
    auto column = [&](const char* name) {
        const auto at = std::find(batch[0].begin(), batch[0].end(), name);
        return static_cast<std::size_t>(at - batch[0].begin());
    };
    const Date today = day("2026-12-10");
    const std::vector<PointPlan> plan = evaluatePlan(file, core::Units::SI, today);
    int single = 0, multi = 0, outOfRange = 0;
    for (std::size_t i = 0; i < plan.size(); ++i) {
        SCOPED_TRACE(file.points[i].cell(OwnColumn::Id));
        const PointPlan& p = plan[i];
        const std::vector<std::string>& row = batch[i + 1];
        ASSERT_EQ(row[column("Status")], "ok");
        EXPECT_EQ(row[column("Id")], file.points[i].cell(OwnColumn::Id));
        EXPECT_EQ(std::to_string(p.inputs.Lubricator), row[column("Lubricator")]);
        EXPECT_EQ(std::to_string(p.inputs.Grease), row[column("Grease")]);
        EXPECT_EQ(p.setting, row[column("SettingText")]);
        EXPECT_EQ(p.Qf, std::stod(row[column("Qf")]));
        EXPECT_EQ(p.volumeMl, nominalVolumeMl(p.inputs.Lubricator));
        if (row[column("SettingColour")] == "red") {
            EXPECT_EQ(p.status, PointStatus::Failed);
            EXPECT_TRUE(p.outOfRange);
            ++outOfRange;
            continue;
        }
        ASSERT_TRUE(p.computed()) << p.error;
        if (!core::isMultiPoint(p.inputs.Lubricator)) {
            ++single;
            EXPECT_EQ(std::to_string(p.monthsPerCartridge), row[column("SettingText")]);
            EXPECT_DOUBLE_EQ(p.months(), p.monthsPerCartridge);
        } else {
            ++multi;
            EXPECT_DOUBLE_EQ(p.lifeDays, p.volumeMl / (std::stod(row[column("Qf")]) / 0.9));
        }
        EXPECT_NEAR(p.gramsPerYear, p.volumeMl * 0.9 * 12 / p.months(), 1e-9);
        const std::string& installed = file.points[i].cell(OwnColumn::InstalledOn);
        if (installed.empty()) {
            EXPECT_FALSE(p.nextChange);
            continue;
        }
        ASSERT_TRUE(p.nextChange);
        const Date expected = core::isMultiPoint(p.inputs.Lubricator)
                                  ? day(installed.c_str()) + std::chrono::days(std::lround(p.lifeDays))
                                  : addMonths(day(installed.c_str()), p.monthsPerCartridge);
        EXPECT_EQ(isoDate(*p.nextChange), isoDate(expected));
        const PointStatus status = *p.nextChange < today                            ? PointStatus::Overdue
                                   : *p.nextChange <= today + std::chrono::days(30) ? PointStatus::DueSoon
                                                                                   : PointStatus::Ok;
        EXPECT_EQ(p.status, status);
    }
    EXPECT_GT(single, 2);
    EXPECT_GT(multi, 2);
    EXPECT_GT(outOfRange, 0);
}

TEST(PlanSchedule, ChangeDatesAndPurchases) {
    PointPlan quarterly;
    quarterly.status = PointStatus::Ok;
    quarterly.singlePoint = true;
    quarterly.monthsPerCartridge = 3;
    quarterly.lifeDays = 3 * 365.2425 / 12;
    quarterly.volumeMl = 125;
    quarterly.inputs.Lubricator = core::VOXA125;
    quarterly.inputs.Grease = 3;
    quarterly.nextChange = day("2027-01-31");
    PointPlan reservoir = quarterly;
    reservoir.singlePoint = false;
    reservoir.lifeDays = 100;
    reservoir.volumeMl = 400;
    reservoir.inputs.Lubricator = core::VOXA400;
    reservoir.nextChange = day("2026-11-30"); // overdue on the first day of the plan
    PointPlan failed = quarterly;
    failed.status = PointStatus::Failed;
    PointPlan undated = quarterly;
    undated.nextChange.reset();
    const std::vector<PointPlan> plan = {quarterly, reservoir, failed, undated};
    const std::vector<ChangeEntry> changes = changeDates(plan, day("2026-12-10"), 12);
    std::vector<std::string> seen;
    for (const ChangeEntry& c : changes)
        seen.push_back(isoDate(c.date) + (c.point == 0 ? " q" : " r") + (c.overdue ? "!" : ""));
    EXPECT_EQ(seen, (std::vector<std::string>{"2026-11-30 r!", "2027-01-31 q", "2027-03-20 r", "2027-04-30 q",
                                              "2027-06-28 r", "2027-07-31 q", "2027-10-06 r", "2027-10-31 q"}));
    const std::vector<PurchaseLine> lines = purchaseSummary(plan, changes);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].lubricator, core::VOXA125);
    EXPECT_EQ(lines[0].cartridges, 4);
    EXPECT_EQ(lines[0].volumeMl, 500);
    EXPECT_DOUBLE_EQ(lines[0].grams, 450);
    EXPECT_EQ(lines[1].lubricator, core::VOXA400);
    EXPECT_EQ(lines[1].cartridges, 4);
    EXPECT_EQ(lines[1].volumeMl, 1600);
    // No period, no changes; a very long one is capped.
    EXPECT_TRUE(changeDates(plan, day("2026-12-10"), 0).size() == 1u); // the overdue one only
    EXPECT_LE(changeDates(plan, day("2026-12-10"), 100000).size(), 2u + 4u * kMaxPlanMonths);
}

TEST(PlanCalendar, ReadsBackWithTheCalendarLibrary) {
    PlantFile file;
    std::string error;
    ASSERT_TRUE(readPlantFile(UNCTORA_SOURCE_DIR "/examples/plant.csv", file, error)) << error;
    // A hostile Id: line breaks and separators of the calendar format stay text.
    file.points[0].cell(OwnColumn::Id) = "A;B,C\r\nEND:VCALENDAR";
    const std::vector<PointPlan> plan = evaluatePlan(file, core::Units::SI, day("2026-12-10"));
    const std::vector<ChangeEntry> changes = changeDates(plan, day("2026-12-10"), 12);
    ASSERT_GT(changes.size(), 10u);
    const std::string text = calendarText(file, plan, changes, CalendarTexts{});
    icalcomponent* cal = icalparser_parse_string(text.c_str());
    ASSERT_TRUE(cal);
    EXPECT_EQ(icalcomponent_isa(cal), ICAL_VCALENDAR_COMPONENT);
    EXPECT_EQ(icalrestriction_check(cal), 1);
    std::set<std::string> uids;
    std::size_t n = 0;
    for (icalcomponent* ev = icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT); ev;
         ev = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT), ++n) {
        ASSERT_LT(n, changes.size());
        const icaltimetype start = icalcomponent_get_dtstart(ev);
        EXPECT_TRUE(start.is_date);
        char iso[16];
        std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", start.year, start.month, start.day);
        EXPECT_EQ(iso, isoDate(changes[n].date));
        uids.insert(icalcomponent_get_uid(ev));
        const std::string summary = icalcomponent_get_summary(ev);
        const PlantPoint& point = file.points[changes[n].point];
        EXPECT_EQ(summary, "Change the lubricator cartridge: " + point.cell(OwnColumn::Id));
    }
    EXPECT_EQ(n, changes.size());
    EXPECT_EQ(uids.size(), changes.size());
    icalcomponent_free(cal);
    // The same plan gives the same events (bar the time stamp).
    const std::string again = calendarText(file, plan, changes, CalendarTexts{});
    auto withoutStamps = [](std::string s) {
        std::string out;
        std::size_t at = 0;
        while (at < s.size()) {
            const std::size_t end = s.find('\n', at);
            const std::string line = s.substr(at, end == std::string::npos ? std::string::npos : end - at + 1);
            if (!line.starts_with("DTSTAMP"))
                out += line;
            at = end == std::string::npos ? s.size() : end + 1;
        }
        return out;
    };
    EXPECT_EQ(withoutStamps(again), withoutStamps(text));
}
