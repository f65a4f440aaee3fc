// The plant plan: plant files as spreadsheets write them, the cartridge life and the
// next change of each point, the change dates of a period, the purchases and the
// calendar file, read back with the calendar library.
#include "io/csv.h"
#include "core/greases.h"
#include "plan/calendar.h"
#include "plan/plan.h"
#include "plan/purchases.h"
#include "strings/stringtable.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
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
    EXPECT_TRUE(bytes.starts_with("\xEF\xBB\xBFId;Location;Lubricator;Speed;Volume_ml;InstalledOn;Remarks;Machine;Unit;"))
        << bytes;
    EXPECT_NE(bytes.find("P-1;\"Hall \"\"A\"\", east\";VOXA 400;1480,0;250,5;2026-11-02;\"two\r\nlines\";;;"),
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
    io::CsvReader reader(f);
    io::CsvRecord rec;
    std::vector<std::vector<std::string>> records;
    while (reader.next(rec))
        records.emplace_back(rec.fields.begin(), rec.fields.begin() + static_cast<std::ptrdiff_t>(rec.count));
    std::fclose(f);
    return records;
}

// What a unit delivers, worked out here from the rules of each model and the
// calculator's results alone: the plan's dates must agree with it.
namespace expected {

struct Row {
    std::string id, unit;
    int lub = 0, ambient = 1, outletsItem = 0, power = 0;
    double DS = 0, Qf = 0, pauseBase = 0, volume = 0;
    Date installed;
};

double roundHalfEven(double x) { return std::nearbyint(x); } // the default rounding mode

// The VOXA 400 display's steps in ml/day.
double setRate(double Qf) {
    const double v = std::max(Qf / 0.9, 0.1);
    const double step = v <= 0.2 ? 0.02 : v <= 0.5 ? 0.05 : v <= 1 ? 0.1 : v <= 2 ? 0.25 : v <= 5 ? 0.5 : 1.0;
    return roundHalfEven(v / step) * step;
}

// The change after `installed` for the points of one unit; none when out of reach.
std::optional<Date> nextChange(const std::vector<Row>& unit) {
    const Row& r = unit.front();
    const double month = 365.2425 / 12;
    double months = 0, days = 0;
    switch (r.lub) {
    case 0: case 1: { // dial months; the gas cell is twice as fast in heat, half in cold
        const double dial = std::min(roundHalfEven(r.DS), 12.0);
        if (r.DS < 0.5 || dial < 1)
            return std::nullopt;
        months = dial * (r.ambient == 2 ? 0.5 : r.ambient == 0 ? 2.0 : 1.0);
        break;
    }
    case 2: case 3: months = r.DS == 99 ? 12 : r.DS; break;
    case 4: case 5: months = r.DS == 99 ? 24 : r.DS; break;
    case 6: {
        double sum = 0;
        for (const Row& o : unit) {
            if (o.Qf / 0.9 > 10)
                return std::nullopt;
            sum += setRate(o.Qf);
        }
        days = r.volume / sum;
        break;
    }
    case 7: {
        double base = 1e300;
        for (const Row& o : unit)
            base = std::min(base, o.pauseBase);
        const double cycle = 1.0 + 0.2 * r.outletsItem, minPause = r.power == 1 ? 0.8 : 0.4;
        const int k = static_cast<int>(std::ceil(minPause / base - 1e-12));
        const double on = std::max(k, 1) * cycle, pause = std::max(k, 1) * base;
        if (on > 5)
            return std::nullopt;
        const int outlets = 10 + 2 * r.outletsItem;
        // Outlets x k x 0.2 ml leave the reservoir every on-time and pause.
        days = r.volume / (outlets * std::max(k, 1) * 0.2) * (pause + on / 60) / 24;
        break;
    }
    }
    if (months == 0 && days > 24 * month)
        months = 24;
    if (months > 0 && months == std::floor(months)) {
        const std::chrono::year_month_day ymd(r.installed);
        const auto ym = std::chrono::year_month(ymd.year(), ymd.month()) + std::chrono::months(int(months));
        const auto last = std::chrono::year_month_day_last(ym.year(), std::chrono::month_day_last(ym.month())).day();
        return Date(std::chrono::year_month_day(ym.year(), ym.month(), std::min(ymd.day(), last)));
    }
    if (months > 0)
        days = months * month;
    return r.installed + std::chrono::days(std::lround(days));
}

} // namespace expected

// Checks every unit of a plant file against the arithmetic above, from the results
// the batch calculator gives for its rows. Returns the models seen with and without
// a shared unit.
std::set<std::string> checkAgainstOwnArithmetic(const std::string& path) {
    PlantFile file;
    std::string error;
    EXPECT_TRUE(readPlantFile(path, file, error)) << error;
    const auto batch = batchRecords(path);
    EXPECT_EQ(batch.size(), file.points.size() + 1);
    auto column = [&](const char* name) {
        return static_cast<std::size_t>(std::find(batch[0].begin(), batch[0].end(), name) - batch[0].begin());
    };
    const std::vector<PointPlan> plan = evaluatePlan(file, core::Units::SI, day("2026-12-10"));
    std::map<std::string, std::vector<std::size_t>> units;
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const std::string unit = file.points[i].cell(OwnColumn::Unit);
        units[unit.empty() ? "#" + std::to_string(i) : unit].push_back(i);
    }
    std::set<std::string> seen;
    for (const auto& [name, members] : units) {
        std::vector<expected::Row> rows;
        bool batchGrease = true;
        for (std::size_t i : members) {
            const auto& b = batch[i + 1];
            expected::Row r;
            r.lub = std::stoi(b[column("Lubricator")]);
            r.ambient = std::stoi(b[column("Ambient")]);
            r.outletsItem = std::stoi(b[column("Outlets")]);
            r.power = std::stoi(b[column("PowerSource")]);
            r.DS = std::stod(b[column("DS")]);
            r.Qf = std::stod(b[column("Qf")]);
            r.pauseBase = std::stod(b[column("PauseBase")]);
            r.volume = plan[i].volumeMl;
            r.installed = parseIsoDate(file.points[i].cell(OwnColumn::InstalledOn)).value_or(Date{});
            // The batch computes an unsuitable grease as "Unspecified", the plan with it.
            batchGrease = batchGrease && std::stoi(b[column("Grease")]) == plan[i].inputs.Grease;
            rows.push_back(r);
        }
        // One refill for a shared reservoir: the latest date of its points.
        for (const expected::Row& r : rows)
            rows.front().installed = std::max(rows.front().installed, r.installed);
        if (!batchGrease)
            continue;
        const bool dated = std::any_of(members.begin(), members.end(), [&](std::size_t i) {
            return !file.points[i].cell(OwnColumn::InstalledOn).empty();
        });
        const std::optional<Date> want = dated ? expected::nextChange(rows) : std::nullopt;
        for (std::size_t i : members) {
            SCOPED_TRACE(file.points[i].cell(OwnColumn::Id));
            EXPECT_EQ(plan[i].nextChange ? isoDate(*plan[i].nextChange) : "none", want ? isoDate(*want) : "none");
        }
        seen.insert(std::to_string(rows.front().lub) + (members.size() > 1 ? " shared" : ""));
    }
    return seen;
}

TEST(PlanLife, AgreesWithTheUnitsOwnArithmeticForEveryModel) {
    const fs::path dir = fs::temp_directory_path() / ("unctora-life-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "plant.csv").string();
    std::ofstream(path)
        << "Id,Unit,Lubricator,Bore_mm,D_mm,B_mm,Speed,ContMoist,Ambient,Load,Outlets,PowerSource,Type,"
           "Replenishment,InstalledOn,Volume_ml\n"
           "heat,,VOXA 125,110,200,38,1480,High,Above 40,Low,,,Deep groove ball bearings,,2026-11-02,\n"
           "heat odd,,VOXA 125,80,170,39,1480,High,Above 40,Low,,,Deep groove ball bearings,,2026-01-31,\n"
           "cold,,VOXA 60,110,200,38,1480,High,Below -10,Low,,,Deep groove ball bearings,,2026-08-31,\n"
           "slow dial,,VOXA 60,40,80,18,430,High,Below -10,Moderate,,,Deep groove ball bearings,,2026-07-14,\n"
           "teno,,TENO 125,80,170,39,1475,High,Average,Moderate,,,Deep groove ball bearings,,2026-10-20,\n"
           "teno slow,,TENO 250,50,70,14,300,Moderate,Average,Moderate,,,Deep groove ball bearings,,2026-09-07,\n"
           "zolt,,ZOLT 120ml,60,130,31,2950,High,Average,Moderate,,,Deep groove ball bearings,,2026-08-11,\n"
           "zolt 380,,ZOLT 380ml,110,240,50,995,Moderate,Above 40,Low,,,Deep groove ball bearings,,2026-05-04,\n"
           "v400 alone,,VOXA 400,100,180,46,1480,High,Above 40,Moderate,,,Spherical roller bearings,,2026-11-25,\n"
           "v400 share,,VOXA 400,60,110,22,2980,Low,Average,Low,,,Deep groove ball bearings,,2026-11-25,12.5\n"
           "v400 a,FAN,VOXA 400,100,180,46,1480,High,Above 40,Moderate,,,Spherical roller bearings,,2026-11-25,\n"
           "v400 b,FAN,VOXA 400,60,110,22,2980,Low,Average,Low,,,Deep groove ball bearings,,2026-11-20,\n"
           "v1000 alone,,VOXA 1000,200,340,112,75,High,Average,High,10,AC,Spherical roller bearings,"
           "Through Q47 groove,2026-10-05,\n"
           "v1000 20,,VOXA 1000,200,340,112,75,High,Average,High,20,AC,Spherical roller bearings,"
           "Through Q47 groove,2026-10-05,\n"
           "v1000 a,BELT,VOXA 1000,200,340,112,75,High,Average,High,10,DC,Spherical roller bearings,"
           "Through Q47 groove,2026-10-05,\n"
           "v1000 b,BELT,VOXA 1000,180,320,86,75,High,Average,High,10,DC,Spherical roller bearings,"
           "Through Q47 groove,2026-10-01,\n";
    const std::set<std::string> seen = checkAgainstOwnArithmetic(path);
    EXPECT_EQ(seen, (std::set<std::string>{"0", "1", "2", "3", "4", "5", "6", "7", "6 shared", "7 shared"}));
    // The example plant too, where it names a grease the batch computes with.
    const std::set<std::string> example = checkAgainstOwnArithmetic(UNCTORA_SOURCE_DIR "/examples/plant.csv");
    EXPECT_TRUE(example.contains("7 shared"));
    EXPECT_TRUE(example.contains("6 shared"));
    fs::remove_all(dir);
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
    reservoir.monthsPerCartridge = 0;
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
        // A shared unit's change is named as the unit.
        const PointPlan& pp = plan[changes[n].point];
        EXPECT_EQ(summary, (pp.singlePoint ? "Change the lubricator cartridge: " : "Refill the lubricator: ") +
                               calendarSafe(pp.unit.empty() ? point.cell(OwnColumn::Id) : pp.unit));
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

struct Planned {
    PlantFile file;
    std::vector<PointPlan> plan;
    const PointPlan& operator[](std::size_t i) const { return plan.at(i); }
};

Planned planned(const std::string& text, const char* on = "2026-12-10") {
    Planned p;
    p.file = parsed(text);
    p.plan = evaluatePlan(p.file, core::Units::SI, day(on));
    return p;
}

std::string next(const PointPlan& p) { return p.nextChange ? isoDate(*p.nextChange) : "none"; }

constexpr const char* kHeader = "Id,Unit,Lubricator,Bore_mm,D_mm,B_mm,Speed,ContMoist,Ambient,Load,Outlets,PowerSource,"
                                "Type,Replenishment,Grease,InstalledOn,Volume_ml\n";
// A VOXA 125 bearing whose setting is 6.3 months in heat (3.2 at an average ambient).
constexpr const char* kHeatRow = "heat,,VOXA 125,110,200,38,1480,High,Above 40,Low,,,Deep groove ball bearings,,,2026-11-02,\n";
// A spherical roller bearing of a belt conveyor for the multi-point units.
std::string beltRow(const char* id, const char* unit, const char* lub, const char* outlets, const char* power,
                    const char* bore = "200,340,112", const char* installed = "2026-10-05") {
    return std::string(id) + "," + unit + "," + lub + "," + bore + ",75,High,Average,High," + outlets + "," + power +
           ",Spherical roller bearings,Through Q47 groove,," + installed + ",\n";
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

TEST(PlanRules, GasDrivenUnitsRunFasterInHeatAndSlowerInCold) {
    const Planned p = planned(std::string(kHeader) + kHeatRow +
                              "odd,,VOXA 125,80,170,39,1480,High,Above 40,Low,,,Deep groove ball bearings,,,2026-01-31,\n"
                              "cold,,VOXA 125,110,200,38,1480,High,Below -10,Low,,,Deep groove ball bearings,,,2026-08-31,\n");
    // Dial 6 in heat: the cartridge is empty after 3 months, not 6.
    EXPECT_EQ(p[0].setting, "6");
    EXPECT_EQ(next(p[0]), "2027-02-02");
    // Dial 9 in heat: 4.5 months, 137 days.
    EXPECT_EQ(p[1].setting, "9");
    EXPECT_EQ(next(p[1]), "2026-06-17");
    EXPECT_NEAR(p[1].months(), 4.5, 1e-9);
    // Dial 2 in the cold: 4 months.
    EXPECT_EQ(p[2].setting, "2");
    EXPECT_EQ(next(p[2]), "2026-12-31");
}

TEST(PlanRules, VoxaFourHundredRunsAtTheRateItsDisplayShows) {
    // 0.097 ml/day needed: the outlet is set to 0.10, so a 12.5 ml share lasts 125 days.
    const Planned p = planned(std::string(kHeader) +
                              "share,,VOXA 400,60,110,22,2980,Low,Average,Low,,,Deep groove ball bearings,,,2026-11-25,12.5\n"
                              "snap,,VOXA 400,100,180,46,1480,High,Above 40,Moderate,,,Spherical roller bearings,,,2026-11-25,\n");
    EXPECT_EQ(p[0].setting, "Feed rate:|0.10 ml/day");
    EXPECT_DOUBLE_EQ(p[0].lifeDays, 125);
    EXPECT_EQ(next(p[0]), "2027-03-30");
    EXPECT_TRUE(p[0].has(Attention::OverGreased));
    EXPECT_NEAR(p[0].overGreasedBy, 0.1 / p[0].neededMlPerDay, 1e-9);
    // 4.2 ml/day shows as 4.00: 400 ml last 100 days.
    EXPECT_NEAR(p[1].neededMlPerDay, 4.2, 0.01);
    EXPECT_EQ(p[1].setting, "Feed rate:|4.00 ml/day");
    EXPECT_NEAR(p[1].lifeDays, 100, 1e-9);
    EXPECT_FALSE(p[1].has(Attention::OverGreased));
}

TEST(PlanRules, VoxaThousandDrainsByEveryOutlet) {
    const Planned p = planned(std::string(kHeader) + beltRow("ten", "", "VOXA 1000", "10", "AC") +
                              beltRow("twenty", "", "VOXA 1000", "20", "AC"));
    ASSERT_TRUE(p[0].computed() && p[1].computed());
    // Pause 1.6 h, on-time 1.0 or 2.0 min: 2 or 4 ml per cycle.
    EXPECT_EQ(p[0].setting, "tCo=1.0 min|tPa=1.6 hs");
    EXPECT_NEAR(p[0].lifeDays, 1000 / 2.0 * (1.5976890756302518 + 1.0 / 60) / 24, 1e-6);
    EXPECT_NEAR(p[1].lifeDays, 1000 / 4.0 * (1.5976890756302518 + 2.0 / 60) / 24, 1e-6);
    EXPECT_NE(next(p[0]), next(p[1]));
}

TEST(PlanRules, SharedUnitsHaveOneSettingOneRefillAndOneChange) {
    const Planned p = planned(
        std::string(kHeader) + beltRow("head", "BELT", "VOXA 1000", "10", "DC") +
        beltRow("tail", "belt", "VOXA 1000", "10", "DC", "180,320,86", "2026-10-09") +
        "fan a,FAN,VOXA 400,100,180,46,1480,High,Above 40,Moderate,,,Spherical roller bearings,,,2026-11-25,\n"
        "fan b,FAN,VOXA 400,60,110,22,2980,Low,Average,Low,,,Deep groove ball bearings,,,2026-11-20,\n"
        "mixed a,MIX,VOXA 1000,200,340,112,75,High,Average,High,10,AC,Spherical roller bearings,,,2026-10-05,\n"
        "mixed b,MIX,VOXA 1000,200,340,112,75,High,Average,High,12,AC,Spherical roller bearings,,,2026-10-05,\n"
        "single a,ONE,VOXA 125,110,200,38,1480,High,Average,Low,,,Deep groove ball bearings,,,2026-10-05,\n"
        "single b,ONE,VOXA 125,110,200,38,1480,High,Average,Low,,,Deep groove ball bearings,,,2026-10-05,\n");
    // The pause is set by the head pulley, the more demanding one; the tail gets more.
    EXPECT_EQ(p[0].setting, p[1].setting);
    EXPECT_FALSE(p[0].has(Attention::OverGreased));
    ASSERT_TRUE(p[1].has(Attention::OverGreased));
    EXPECT_NEAR(p[1].overGreasedBy, 2.246729651162791 / 1.5976890756302518, 1e-9);
    EXPECT_EQ(p[1].setting, "tCo=1.0 min|tPa=1.6 hs");
    // One refill, the later date of the two: 1000 ml / (10 x 0.2 ml) cycles of 1.61 h.
    EXPECT_EQ(next(p[0]), "2026-11-12");
    EXPECT_EQ(next(p[1]), "2026-11-12");
    EXPECT_EQ(p[0].unit, "BELT");
    // The VOXA 400 drains by the sum of its outlets' rates: 4.00 + 0.10 ml/day.
    EXPECT_NEAR(p[2].lifeDays, 400 / 4.1, 1e-9);
    EXPECT_EQ(next(p[2]), next(p[3]));
    EXPECT_EQ(next(p[2]), "2027-03-03");
    // Grease per year is what each point receives: its outlet's share.
    EXPECT_NEAR(p[2].gramsPerYear + p[3].gramsPerYear, 400 * 0.9 * 365.2425 / p[2].lifeDays, 1e-6);
    EXPECT_NEAR(p[0].gramsPerYear, 1000 * 0.9 * 365.2425 / p[0].lifeDays / 10, 1e-6);
    // A unit of different settings or of single-point models is refused, naming it.
    for (std::size_t i : {4u, 5u, 6u, 7u}) {
        EXPECT_EQ(p[i].status, PointStatus::Invalid) << i;
        EXPECT_NE(p[i].error.find(i < 6 ? "MIX" : "ONE"), std::string::npos) << p[i].error;
    }
    EXPECT_NE(p[4].error.find("outlets"), std::string::npos) << p[4].error;
    // One change per unit and one cartridge to buy for it.
    const std::vector<ChangeEntry> changes = changeDates(p.plan, day("2026-12-10"), 1);
    std::vector<std::size_t> points;
    for (const ChangeEntry& c : changes)
        points.push_back(c.point);
    EXPECT_EQ(std::count(points.begin(), points.end(), 1u), 0);
    EXPECT_EQ(std::count(points.begin(), points.end(), 3u), 0);
    const std::vector<PurchaseLine> lines = purchaseSummary(p.plan, changeDates(p.plan, day("2026-12-10"), 12));
    for (const PurchaseLine& l : lines)
        EXPECT_EQ(l.volumeMl, l.cartridges * nominalVolumeMl(l.lubricator));
}

TEST(PlanRules, OutOfRangeIsOverGreasedOrTooSmallNotFailed) {
    const Planned p = planned(
        std::string(kHeader) +
        "slow,,VOXA 60,60,110,22,2980,Low,Average,Low,,,Deep groove ball bearings,,,2026-07-14,\n"
        "teno slow,,TENO 250,50,70,14,300,Moderate,Average,Moderate,,,Deep groove ball bearings,,,2026-09-07,\n"
        "too big,,VOXA 60,240,440,160,1500,High,Above 40,High,,,Deep groove ball bearings,,,2026-09-07,\n"
        "teno fast,,TENO 125,240,440,160,1500,High,Average,High,,,Deep groove ball bearings,,,2026-09-07,\n"
        "v400 fast,,VOXA 400,240,440,160,1500,High,Average,High,,,Deep groove ball bearings,,,2026-09-07,\n" +
        "v1000 fast,,VOXA 1000,240,440,160,750,High,Average,High,20,DC,Spherical roller bearings,,,2026-10-05,\n");
    // Planned at the slowest setting: the VOXA 60 needs 20.7 months, gets 12.
    EXPECT_EQ(p[0].setting, "12");
    EXPECT_EQ(next(p[0]), "2027-07-14");
    EXPECT_TRUE(p[0].has(Attention::OverGreased));
    EXPECT_NEAR(p[0].overGreasedBy, 41.44458281444582 / 2 / 12, 1e-9);
    EXPECT_EQ(p[1].setting, "12");
    EXPECT_EQ(next(p[1]), "2027-09-07");
    // TENO 250 at 12 months: 250 ml / 365 days against 0.028 ml/day.
    EXPECT_NEAR(p[1].overGreasedBy, 250 / 365.2425 / p[1].neededMlPerDay, 1e-9);
    for (std::size_t i = 2; i < 6; ++i) {
        SCOPED_TRACE(p.file.points[i].cell(OwnColumn::Id));
        EXPECT_EQ(p[i].status, PointStatus::TooSmall);
        EXPECT_EQ(next(p[i]), "none");
        EXPECT_TRUE(p[i].error.starts_with("unit too small")) << p[i].error;
    }
    // The example plant is a plant that is planned.
    PlantFile example;
    std::string error;
    ASSERT_TRUE(readPlantFile(UNCTORA_SOURCE_DIR "/examples/plant.csv", example, error)) << error;
    const std::vector<PointPlan> plan = evaluatePlan(example, core::Units::SI, day("2026-12-10"));
    EXPECT_EQ(std::count_if(plan.begin(), plan.end(), [](const PointPlan& x) { return !x.computed(); }), 0);
    EXPECT_GE(std::count_if(plan.begin(), plan.end(), [](const PointPlan& x) { return x.nextChange.has_value(); }),
              30);
}

TEST(PlanRules, TheFilesGreaseIsKeptAndMarkedWhenUnsuitable) {
    std::ifstream example(UNCTORA_SOURCE_DIR "/examples/plant.csv");
    std::string header, line, crusher;
    std::getline(example, header);
    while (std::getline(example, line))
        if (line.starts_with("CRUSH-1 "))
            crusher = line;
    const Planned p = planned(header + "\n" + crusher + "\n");
    ASSERT_TRUE(p[0].computed()) << p[0].error;
    EXPECT_EQ(core::greaseName(p[0].inputs.Grease), "NVKA2");
    ASSERT_TRUE(p[0].has(Attention::GreaseUnsuitable));
    EXPECT_EQ(messageText(p[0].attention.back().message), "grease unsuitable: NVKA2 does not suit the speed");
    const std::vector<PurchaseLine> lines = purchaseSummary(p.plan, changeDates(p.plan, day("2026-12-10"), 12));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(core::greaseName(lines[0].grease), "NVKA2");
}

TEST(PlanRules, InstallationDatesMissingInTheFutureOrOutOfRange) {
    std::string text = kHeader;
    for (const char* date : {"", "2027-01-05", "2200-01-01", "2199-12-31"})
        text += std::string("p") + date + ",,VOXA 125,110,200,38,1480,High,Average,Low,,,,,," + date + ",\n";
    const Planned p = planned(text);
    EXPECT_EQ(p[0].status, PointStatus::NotPlanned);
    EXPECT_TRUE(p[0].computed());
    EXPECT_EQ(next(p[0]), "none");
    EXPECT_TRUE(p[1].has(Attention::InstalledInFuture));
    EXPECT_EQ(next(p[1]), "2027-04-05");
    EXPECT_EQ(p[2].status, PointStatus::Invalid);
    EXPECT_EQ(p[2].error, "line 4: column InstalledOn: 2200-01-01 lies outside the years 1900 to 2199");
    EXPECT_TRUE(p[3].computed());
}

TEST(PlanRules, DueSoonIsAtMostAQuarterOfTheLife) {
    // A reservoir of 9 days filled today is not due soon; a three-month cartridge 20
    // days before its change is.
    const Planned p = planned(std::string(kHeader) +
                              "weekly,,VOXA 1000,240,440,160,75,High,Average,High,20,DC,Spherical roller bearings,"
                              "Through Q47 groove,,2026-12-10,\n" +
                              "quarterly,,VOXA 125,110,200,38,1480,High,Average,Low,,,,,,2026-09-30,\n");
    EXPECT_EQ(next(p[0]), "2026-12-19");
    EXPECT_EQ(p[0].status, PointStatus::Ok);
    EXPECT_EQ(p[1].setting, "3");
    EXPECT_EQ(p[1].status, PointStatus::DueSoon);
}

TEST(PlanRules, NoLifeBeyondTwoYears) {
    const Planned p = planned(std::string(kHeader) +
                              "centrifuge,,VOXA 400,95,200,45,3200,Low,Average,Low,,,Deep groove ball bearings,,,"
                              "2026-10-19,2000\n");
    ASSERT_TRUE(p[0].has(Attention::LifeCapped));
    EXPECT_EQ(next(p[0]), "2028-10-19");
    EXPECT_EQ(messageText(p[0].attention.back().message).substr(0, 58),
              "planned for 24 months, although the grease would last 32.9");
}

TEST(PlanRules, AnIdNamesOnePoint) {
    const Planned p = planned(std::string(kHeader) + kHeatRow + kHeatRow +
                              "other,,VOXA 125,110,200,38,1480,High,Average,Low,,,,,,2026-11-02,\n" +
                              ",,VOXA 125,110,200,38,1480,High,Average,Low,,,,,,2026-11-02,\n" +
                              ",,VOXA 125,110,200,38,1480,High,Average,Low,,,,,,2026-11-02,\n");
    EXPECT_TRUE(p[0].has(Attention::DuplicateId));
    EXPECT_TRUE(p[1].has(Attention::DuplicateId));
    EXPECT_TRUE(p[0].computed());
    EXPECT_FALSE(p[2].has(Attention::DuplicateId));
    EXPECT_FALSE(p[3].has(Attention::DuplicateId)); // no Id at all is another matter
}

TEST(PlanRules, MessagesComeFromTheLanguageFile) {
    strings::StringTable table;
    ASSERT_TRUE(table.LoadLanguageFile(UNCTORA_SOURCE_DIR "/resources/unctora.sil"));
    const Planned p = planned(std::string(kHeader) +
                              "v400 fast,,VOXA 400,240,440,160,1500,High,Average,High,,,Deep groove ball bearings,,"
                              "NVKA2,2026-09-07,\n"
                              "short\n");
    ASSERT_EQ(p[0].status, PointStatus::TooSmall);
    ASSERT_TRUE(p[0].reason && p[1].reason);
    // The command line says it in English, the window in the language chosen.
    EXPECT_TRUE(messageText(*p[0].reason).starts_with("unit too small: the bearing needs 425.75 ml/day, more than "
                                                      "the VOXA 400 gives"))
        << messageText(*p[0].reason);
    ASSERT_TRUE(table.SetLanguageByNumber(2));
    EXPECT_TRUE(messageText(*p[0].reason, &table, ",").starts_with("Gerät zu klein: Das Lager braucht 425,75 ml/Tag"))
        << messageText(*p[0].reason, &table, ",");
    EXPECT_EQ(messageText(p[0].attention.at(0).message, &table, ","),
              "Fett ungeeignet: NVKA2 passt nicht zu: Drehzahl.");
    EXPECT_EQ(messageText(*p[1].reason, &table), "Zeile 3: 17 Felder erwartet, 1 gefunden.");
    ASSERT_TRUE(table.SetLanguageByNumber(7));
    EXPECT_EQ(messageText(*p[1].reason, &table), "第 3 行：应为 17 个字段，实际 1 个。");
    // A translation that does not fit its values leaves the English text.
    strings::StringTable broken;
    broken.loadFromBytes("strPlanMsgFieldCount=%d Felder erwartet, %d gefunden.\nstrPlanMsgLine=Zeile %s: %d\n");
    EXPECT_EQ(messageText(*p[1].reason, &broken), "line 3: 17 Felder erwartet, 1 gefunden.");
}
