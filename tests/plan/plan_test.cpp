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
    // Written back in its own dialect and its own order of columns, ours that it
    // lacks after them.
    const std::string bytes = plantFileBytes(excel);
    EXPECT_TRUE(bytes.starts_with("\xEF\xBB\xBFId;Location;Lubricator;Speed;Volume_ml;InstalledOn;Remarks;Machine;"))
        << bytes;
    EXPECT_NE(bytes.find("P-1;\"Hall \"\"A\"\", east\";VOXA 400;1480,0;250,5;2026-11-02;\"two\r\nlines\";;"),
              std::string::npos)
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
    // A known column mistyped is an error that names the column meant.
    for (const auto& [header, meant] : std::vector<std::pair<std::string, std::string>>{
             {"Id,Sped\n", "Speed"}, {"Id,Installed On\n", "InstalledOn"}, {"Id,Volume ml\n", "Volume_ml"},
             {"Id,Lubricater\n", "Lubricator"}, {"Id,Remraks\n", "Remarks"}}) {
        EXPECT_FALSE(parsePlantFile(header, f, error)) << header;
        EXPECT_NE(error.find("\"" + meant + "\" meant"), std::string::npos) << error;
    }
    // Names near ours but no slip of them are other programs' columns.
    for (const char* other : {"Id,Grade\n", "Id,No\n", "Id,Cost\n", "Id,Zone\n", "Id,Criticality\n"})
        EXPECT_TRUE(parsePlantFile(other, f, error)) << other << ": " << error;
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

TEST(PlantFileFormat, ColumnsOfOtherProgramsAndTheFilesOrderAreKept) {
    // A maintenance system's export: its own columns among ours, in its own order.
    const std::string text = "Criticality;Id;Cost centre;Speed;InstalledOn\r\n"
                             "A;P-1;4711;1480;2026-11-02\r\n"
                             "B;P-2;4712;900;2026-10-01\r\n";
    const PlantFile f = parsed(text);
    EXPECT_EQ(f.unknownColumns, (std::vector<std::string>{"Criticality", "Cost centre"}));
    ASSERT_EQ(f.points.size(), 2u);
    EXPECT_EQ(f.points[1].extra, (std::vector<std::string>{"B", "4712"}));
    const PointPlan p = evaluatePoint(f.points[0], f.dialect, core::Units::SI, day("2026-12-10"));
    EXPECT_NE(p.status, PointStatus::Invalid) << p.error;
    EXPECT_EQ(p.inputs.Speed, 1480);
    // Saved: the file's columns as they were, ours it lacks after them.
    const std::string bytes = plantFileBytes(f);
    EXPECT_TRUE(bytes.starts_with("Criticality;Id;Cost centre;Speed;InstalledOn;Location;")) << bytes;
    EXPECT_NE(bytes.find("\r\nB;P-2;4712;900;2026-10-01;;"), std::string::npos) << bytes;
    const PlantFile again = parsed(bytes);
    EXPECT_EQ(again.points[1].extra, f.points[1].extra);
    EXPECT_EQ(again.points[1].cells, f.points[1].cells);
}

TEST(PlantFileFormat, RowsThatDoNotFitAreWrittenBackAsTheyWere) {
    // The columns in an order of the file's own; one row short by a field, one with a
    // quote in the middle, one with a quote left open to the end.
    const std::string text = "Speed,Id,InstalledOn\n"
                             "900,good,2026-11-02\n"
                             "900,short\n"
                             "9\"00 , odd ,  2026-11-02\n"
                             "1200,\"open,2026-11-02\n";
    const PlantFile f = parsed(text);
    ASSERT_EQ(f.points.size(), 4u);
    const std::string bytes = plantFileBytes(f);
    EXPECT_NE(bytes.find("\r\n900,short\r\n9\"00 , odd ,  2026-11-02\r\n1200,\"open,2026-11-02\r\n"),
              std::string::npos)
        << bytes;
    // After a save and a second one nothing has moved: the short row is still short
    // and so still invalid, its values under no other column.
    const PlantFile once = parsed(bytes);
    const PlantFile twice = parsed(plantFileBytes(once));
    EXPECT_EQ(plantFileBytes(twice), bytes);
    const std::vector<PointPlan> plan = evaluatePlan(twice, core::Units::SI, day("2026-12-10"));
    EXPECT_NE(plan[0].status, PointStatus::Invalid) << plan[0].error;
    for (int i : {1, 2, 3})
        EXPECT_EQ(plan[i].status, PointStatus::Invalid) << i;
    EXPECT_EQ(twice.points[0].cells[columnOf(*core::findInputField("Speed"))], "900");
}

TEST(PlantFileFormat, Windows1252FilesAreReadAndSavedInIt) {
    // "Halle Süd", "Lüfter – Ost" and the euro sign as a Western Windows spreadsheet
    // writes them: one byte each, no UTF-8.
    const std::string cp1252 = "Id;Location;Machine;Remarks;Speed\r\n"
                               "P\xE9-1;Halle S\xFC" "d;L\xFC" "fter \x96 Ost;10 \x80;900\r\n";
    const PlantFile f = parsed(cp1252);
    EXPECT_EQ(f.dialect.encoding, Encoding::Windows1252);
    EXPECT_EQ(f.points[0].cell(OwnColumn::Location), "Halle S\u00fcd");
    EXPECT_EQ(f.points[0].cell(OwnColumn::Machine), "L\u00fcfter \u2013 Ost");
    EXPECT_EQ(f.points[0].cell(OwnColumn::Remarks), "10 \u20ac");
    const std::string bytes = plantFileBytes(f);
    EXPECT_TRUE(bytes.starts_with("Id;Location;Machine;Remarks;Speed;")) << bytes;
    EXPECT_NE(bytes.find("\r\nP\xE9-1;Halle S\xFC" "d;L\xFC" "fter \x96 Ost;10 \x80;900;"), std::string::npos);
    // Every byte reads back as it was, the five the code page leaves open too.
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    std::string back;
    ASSERT_TRUE(toWindows1252(fromWindows1252(all), back));
    EXPECT_EQ(back, all);
    // A text the code page cannot hold makes the file UTF-8, marked as such: nothing
    // becomes a question mark.
    PlantFile typed = f;
    typed.points[0].cell(OwnColumn::Remarks) = "\u0416\u0438\u0440";
    CsvDialect used;
    const std::string utf8 = plantFileBytes(typed, &used);
    EXPECT_EQ(used.encoding, Encoding::Utf8);
    EXPECT_TRUE(utf8.starts_with("\xEF\xBB\xBF"));
    EXPECT_EQ(parsed(utf8).points[0].cell(OwnColumn::Remarks), "\u0416\u0438\u0440");
    EXPECT_EQ(parsed(utf8).points[0].cell(OwnColumn::Location), "Halle S\u00fcd");
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
    CalendarOptions options;
    options.firstDay = day("2026-12-10");
    const std::string text = calendarText(file, plan, changes, CalendarTexts{}, options);
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
        // An overdue change is an event on the first day, not in the past.
        EXPECT_EQ(iso, changes[n].overdue ? "2026-12-10" : isoDate(changes[n].date));
        uids.insert(icalcomponent_get_uid(ev));
        const std::string summary = icalcomponent_get_summary(ev);
        const PlantPoint& point = file.points[changes[n].point];
        EXPECT_EQ(summary, (plan[changes[n].point].singlePoint ? "Change the lubricator cartridge: "
                                                                 : "Refill the lubricator: ") +
                               calendarSafe(point.cell(OwnColumn::Id)));
    }
    EXPECT_EQ(n, changes.size());
    EXPECT_EQ(uids.size(), changes.size());
    icalcomponent_free(cal);
    // The same plan gives the same events (bar the time stamp).
    const std::string again = calendarText(file, plan, changes, CalendarTexts{}, options);
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

namespace {

// The events of a calendar text: UID, start day, summary, description and the alarm's
// trigger in days before the start.
struct Event {
    std::string uid, start, summary, description;
    int remindDays = -1;
};

std::vector<Event> events(const std::string& text) {
    std::vector<Event> out;
    icalcomponent* cal = icalparser_parse_string(text.c_str());
    if (!cal)
        return out;
    for (icalcomponent* ev = icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT); ev;
         ev = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT)) {
        Event e;
        e.uid = icalcomponent_get_uid(ev);
        e.start = icaltime_as_ical_string(icalcomponent_get_dtstart(ev));
        e.summary = icalcomponent_get_summary(ev);
        e.description = icalcomponent_get_description(ev);
        if (icalcomponent* alarm = icalcomponent_get_first_component(ev, ICAL_VALARM_COMPONENT)) {
            const icaltriggertype t = icalproperty_get_trigger(icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY));
            e.remindDays = static_cast<int>(-icaldurationtype_as_int(t.duration) / 86400);
        }
        out.push_back(e);
    }
    icalcomponent_free(cal);
    return out;
}

std::string calendarOf(const PlantFile& f, const char* from, int remind = CalendarOptions::kDefaultRemindDays) {
    const std::vector<PointPlan> plan = evaluatePlan(f, core::Units::SI, day(from));
    CalendarOptions o;
    o.firstDay = day(from);
    o.remindDays = remind;
    return calendarText(f, plan, changeDates(plan, day(from), 12), CalendarTexts{}, o);
}

} // namespace

TEST(PlanCalendar, EventsKeepTheirUidsFromExportToExport) {
    // P-1 changes every 12 months, P-2 is overdue; P-3 is a copy of P-1 under an Id of
    // its own.
    const std::string head = "Id,Lubricator,Speed,Bore_mm,D_mm,B_mm,InstalledOn,Location\n";
    const PlantFile f = parsed(head + "P-1,VOXA 125,1500,100,180,46,2026-06-01,Hall\n"
                                      "P-2,VOXA 125,1500,100,180,46,2025-01-10,Hall\n"
                                      "P-1 (2),VOXA 125,1500,100,180,46,2026-06-01,Hall\n");
    const std::vector<Event> today = events(calendarOf(f, "2026-12-10"));
    const std::vector<Event> tomorrow = events(calendarOf(f, "2026-12-11"));
    ASSERT_GE(today.size(), 3u);
    std::set<std::string> uids;
    for (const Event& e : today)
        uids.insert(e.uid);
    EXPECT_EQ(uids.size(), today.size()); // the copy does not share its original's UIDs
    // An export a day later names the same changes the same way.
    ASSERT_EQ(tomorrow.size(), today.size());
    for (std::size_t i = 0; i < today.size(); ++i)
        EXPECT_EQ(today[i].uid, tomorrow[i].uid) << i;
    // The overdue change is one event on the first day, saying since when it is due.
    const auto overdue = std::find_if(today.begin(), today.end(),
                                      [](const Event& e) { return e.summary.ends_with("P-2"); });
    ASSERT_NE(overdue, today.end());
    EXPECT_EQ(overdue->start, "20261210");
    EXPECT_NE(overdue->description.find("Overdue since 20"), std::string::npos) << overdue->description;
    for (const Event& e : today)
        EXPECT_GE(e.start, "20261210");
    // The change done: InstalledOn moves to its day, and the next change takes over the
    // done one's UID, so the calendar moves the event instead of adding one.
    PlantFile done = f;
    const std::vector<PointPlan> before = evaluatePlan(f, core::Units::SI, day("2026-12-10"));
    done.points[0].cell(OwnColumn::InstalledOn) = isoDate(*before[0].nextChange);
    const std::vector<Event> after = events(calendarOf(done, "2026-12-10"));
    auto firstOf = [](const std::vector<Event>& list, const std::string& id) {
        return *std::find_if(list.begin(), list.end(), [&](const Event& e) { return e.summary.ends_with(": " + id); });
    };
    EXPECT_EQ(firstOf(after, "P-1").uid, firstOf(today, "P-1").uid);
    EXPECT_GT(firstOf(after, "P-1").start, firstOf(today, "P-1").start);
}

TEST(PlanCalendar, RemindersRefillsAndCleanTexts) {
    PlantFile f = parsed("Id,Lubricator,Speed,Bore_mm,D_mm,B_mm,InstalledOn,Remarks\n"
                         "P-1,VOXA 125,1500,100,180,46,2026-11-01,\"left\r\nside\"\n"
                         "U-1,VOXA 1000,1500,100,180,46,2026-11-01,\n");
    f.points[1].cell(OwnColumn::Volume_ml) = "100";
    f.points[0].cell(OwnColumn::Id) = "P\x01-1|\x7f\xC2\x85x";
    const std::string text = calendarOf(f, "2026-12-10");
    const std::vector<Event> list = events(text);
    ASSERT_FALSE(list.empty());
    bool refill = false;
    for (const Event& e : list) {
        EXPECT_EQ(e.remindDays, 7) << e.summary;
        refill |= e.summary == "Refill the lubricator: U-1";
        EXPECT_EQ(e.summary.find('|'), std::string::npos);
        for (unsigned char c : e.summary)
            EXPECT_GE(c, 0x20) << e.summary;
    }
    EXPECT_TRUE(refill);
    const auto p1 = std::find_if(list.begin(), list.end(), [](const Event& e) {
        return e.summary == "Change the lubricator cartridge: P -1 x";
    });
    ASSERT_NE(p1, list.end()) << text;
    EXPECT_NE(p1->description.find("left\nside"), std::string::npos);
    // Valid UTF-8 throughout, and years of four digits.
    EXPECT_TRUE(isUtf8(text));
    EXPECT_EQ(events(calendarOf(f, "2026-12-10", 0))[0].remindDays, 0);
    EXPECT_EQ(events(calendarOf(f, "2026-12-10", 30))[0].remindDays, 30);
    // No event without a day: the ones the calendar format cannot date are left out.
    const std::string late = calendarOf(f, "2999-06-01");
    EXPECT_EQ(late.find("00000000"), std::string::npos);
    EXPECT_FALSE(events(late).empty());
    for (const Event& e : events(late))
        EXPECT_EQ(e.start.size(), 8u) << e.start;
    EXPECT_EQ(calendarOf(f, "9999-06-01").find("00000000"), std::string::npos);
}

TEST(PlanLimits, VolumesOutOfRangeAndChangesMoreOftenThanWeekly) {
    const std::string head = "Id,Lubricator,Speed,Bore_mm,D_mm,B_mm,InstalledOn,Volume_ml\n";
    for (const char* bad : {"0.001", "1e-300", "0", "0.99", "100001", "1e6", "inf", "nan", "-5"}) {
        const PlantFile f = parsed(head + "P,VOXA 1000,1500,100,180,46,2026-11-01," + bad + "\n");
        const PointPlan p = evaluatePoint(f.points[0], f.dialect, core::Units::SI, day("2026-12-10"));
        EXPECT_EQ(p.status, PointStatus::Invalid) << bad;
    }
    for (const char* good : {"1", "100000", "250"}) {
        const PlantFile f = parsed(head + "P,VOXA 1000,1500,100,180,46,2026-11-01," + good + "\n");
        const PointPlan p = evaluatePoint(f.points[0], f.dialect, core::Units::SI, day("2026-12-10"));
        EXPECT_TRUE(p.computed()) << good << ": " << p.error;
        EXPECT_GE(p.lifeDays, kMinLifeDays) << good;
    }
    // The smallest volume on the largest feed: at most one change a week over the
    // longest plan.
    const PlantFile f = parsed(head + "P,VOXA 1000,3000,100,180,46,2026-11-01,1\n");
    const std::vector<PointPlan> plan = evaluatePlan(f, core::Units::SI, day("2026-12-10"));
    ASSERT_TRUE(plan[0].computed()) << plan[0].error;
    const std::vector<ChangeEntry> changes = changeDates(plan, day("2026-12-10"), kMaxPlanMonths);
    EXPECT_LE(changes.size(), 2u + 3653u / 7u);
    for (std::size_t i = 1; i < changes.size(); ++i)
        EXPECT_GE((changes[i].date - changes[i - 1].date).count(), 7);
}
