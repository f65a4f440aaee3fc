// unctora-calc plan as a program: its options, records and exit codes are a contract.
#include "../support/commandline.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using testsupport::Outcome;

class PlanCommand : public testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("unctora-plancmd-" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    Outcome sh(const std::string& line) const { return testsupport::runShell(dir, UNCTORA_CALC, line); }
    static std::string read(const fs::path& p) { return testsupport::readFile(p); }
    void write(const std::string& name, const std::string& text) const {
        std::ofstream(dir / name, std::ios::binary) << text;
    }
    static std::vector<std::vector<std::string>> records(const std::string& text) {
        return testsupport::csvRecords(text);
    }
    fs::path dir;
};

const char* kPlant = "Id,Location,Machine,Lubricator,Speed,D_mm,B_mm,Bore_mm,InstalledOn,Grease\n"
                     "P1,Hall,Fan,VOXA 125,1500,180,46,100,2026-11-20,NVTE2\n"
                     "P2,Hall,Pump,VOXA 400,1500,180,46,100,2026-09-01,\n"
                     "P3,Yard,Belt,VOXA 125,3000,90,23,50,someday,\n"
                     "P4,Yard,Belt,VOXA 125,3000,0,23,50,2026-11-20,\n";

} // namespace

TEST_F(PlanCommand, ChangesProblemsAndPurchasesAsCsv) {
    write("plant.csv", kPlant);
    const Outcome o = sh("$CALC plan plant.csv --from 2026-12-10 --months 24");
    EXPECT_EQ(o.code, 1) << o.err; // P3 and P4 could not be planned
    const auto recs = records(o.out);
    ASSERT_GT(recs.size(), 4u) << o.out;
    EXPECT_EQ(recs[0], (std::vector<std::string>{"Kind", "Date", "Id", "Location", "Machine", "Lubricator", "Grease",
                                                 "Setting", "MonthsPerCartridge", "Volume_ml", "Overdue",
                                                 "Cartridges", "Grease_g", "Status", "Error"}));
    int changes = 0, purchases = 0;
    std::string lastDate;
    for (std::size_t i = 1; i < recs.size(); ++i) {
        const auto& r = recs[i];
        ASSERT_EQ(r.size(), 15u);
        if (r[0] == "change") {
            ++changes;
            EXPECT_TRUE(r[2] == "P1" || r[2] == "P2") << r[2];
            EXPECT_GE(r[1], lastDate); // in date order
            EXPECT_GE(r[1], "2026-09-01");
            EXPECT_LT(r[1], "2028-12-10");
            lastDate = r[1];
        } else if (r[0] == "point") {
            EXPECT_TRUE((r[2] == "P3" && r[13] == "invalid" &&
                         r[14] == "line 4: column InstalledOn: \"someday\" is not a date (YYYY-MM-DD)") ||
                        (r[2] == "P4" && r[13] == "failed" && r[14] == "Invalid floating point operation"))
                << r[2] << " " << r[13] << " " << r[14];
        } else {
            EXPECT_EQ(r[0], "purchase");
            ++purchases;
        }
    }
    EXPECT_GT(changes, 1);
    EXPECT_GE(purchases, 1);
}

TEST_F(PlanCommand, JsonLinesAndTheCalendarFile) {
    write("plant.csv", kPlant);
    const Outcome o = sh("$CALC plan plant.csv --from 2026-12-10 --format jsonl --ics plan.ics");
    EXPECT_EQ(o.code, 1) << o.err;
    EXPECT_NE(o.out.find("{\"Kind\":\"change\",\"Date\":\""), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("\"Overdue\":false"), std::string::npos);
    EXPECT_NE(o.out.find("{\"Kind\":\"purchase\",\"Lubricator\":\"VOXA 125\",\"Grease\":\"NVTE2\",\"Volume_ml\":"),
              std::string::npos)
        << o.out;
    const std::string ics = read(dir / "plan.ics");
    icalcomponent* cal = icalparser_parse_string(ics.c_str());
    ASSERT_TRUE(cal) << ics;
    const int events = icalcomponent_count_components(cal, ICAL_VEVENT_COMPONENT);
    icalcomponent_free(cal);
    std::size_t lines = 0;
    for (std::size_t at = o.out.find("\"Kind\":\"change\""); at != std::string::npos;
         at = o.out.find("\"Kind\":\"change\"", at + 1))
        ++lines;
    EXPECT_EQ(static_cast<std::size_t>(events), lines);
}

TEST_F(PlanCommand, BadUsageBadFilesAndFailedWrites) {
    write("plant.csv", kPlant);
    write("bad.csv", "Id,Sped\n1,900\n");
    fs::create_directory(dir / "folder");
    const struct {
        std::string command;
        std::string message;
    } cases[] = {
        {"$CALC plan", "PLANT.csv is missing"},
        {"$CALC plan plant.csv --from 2026-02-30", "--from takes a date as YYYY-MM-DD"},
        {"$CALC plan plant.csv --months 0", "--months takes a whole number from 1 to 120"},
        {"$CALC plan plant.csv --months 12x", "--months takes a whole number from 1 to 120"},
        {"$CALC plan plant.csv --colour red", "unknown option --colour"},
        {"$CALC plan plant.csv other.csv", "only one plant file"},
        {"$CALC plan none.csv", "cannot read none.csv: No such file or directory"},
        {"$CALC plan folder", "cannot read folder: a folder, not a file"},
        {"$CALC plan bad.csv", "bad.csv: the column \"Sped\" in the header is not known; is \"Speed\" meant?"},
        {"$CALC plan plant.csv --ics x.ics --remind -1", "--remind takes a whole number of days from 0 to 365"},
        {"$CALC plan plant.csv --ics x.ics --remind 366", "--remind takes a whole number of days from 0 to 365"},
        {"$CALC plan plant.csv --ics x.ics --remind", "--remind takes a whole number of days from 0 to 365"},
        {"$CALC plan plant.csv --ics folder", "Unable to write to folder (not a regular file)"},
        {"$CALC plan plant.csv --ics no/such/plan.ics", "Unable to write to no/such/plan.ics"},
        {"$CALC plan plant.csv > /dev/full", "Unable to write to standard output (No space left on device)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        const Outcome o = sh(c.command);
        EXPECT_EQ(o.code, 2);
        EXPECT_NE(o.err.find(c.message), std::string::npos) << o.err;
    }
    EXPECT_TRUE(fs::is_directory(dir / "folder"));
}

TEST_F(PlanCommand, OtherColumnsAreNamedOnceAndRemindersFollowTheOption) {
    // A maintenance system's export with columns of its own: planned as ever, the
    // columns named once on stderr.
    write("export.csv", "Criticality,Id,Lubricator,Speed,D_mm,B_mm,Bore_mm,InstalledOn,Cost centre\n"
                        "A,P1,VOXA 125,1500,180,46,100,2026-11-20,4711\n"
                        "B,P2,VOXA 125,1500,180,46,100,2026-10-20,4712\n");
    const Outcome o = sh("$CALC plan export.csv --from 2026-12-10 --ics plan.ics --remind 3");
    EXPECT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.err, "unctora-calc: export.csv: the column \"Criticality\" is not used\n"
                     "unctora-calc: export.csv: the column \"Cost centre\" is not used\n");
    EXPECT_NE(o.out.find("change,"), std::string::npos);
    const std::string ics = read(dir / "plan.ics");
    EXPECT_NE(ics.find("BEGIN:VALARM"), std::string::npos);
    EXPECT_NE(ics.find("TRIGGER:-P3D"), std::string::npos) << ics;
    EXPECT_EQ(ics.find("TRIGGER:-P7D"), std::string::npos);
    // The batch calculator reads past them the same way, its records as without them.
    const Outcome batch = sh("$CALC export.csv");
    EXPECT_EQ(batch.code, 0) << batch.err;
    EXPECT_EQ(batch.err, o.err);
    write("plain.csv", "Id,Lubricator,Speed,D_mm,B_mm,Bore_mm,InstalledOn\n"
                       "P1,VOXA 125,1500,180,46,100,2026-11-20\n"
                       "P2,VOXA 125,1500,180,46,100,2026-10-20\n");
    EXPECT_EQ(sh("$CALC plain.csv").out, batch.out);
    // A known column mistyped stops both.
    write("typo.csv", "Id,Installed On\nP1,2026-11-20\n");
    for (const char* command : {"$CALC typo.csv", "$CALC plan typo.csv"}) {
        const Outcome t = sh(command);
        EXPECT_EQ(t.code, 2) << command;
        EXPECT_NE(t.err.find("is \"InstalledOn\" meant?"), std::string::npos) << t.err;
    }
}

TEST_F(PlanCommand, RunningOutOfMemoryIsAMessageNotACrash) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "an address-space limit and the address sanitizer's shadow memory do not mix";
#else
    // Many points changed weekly for ten years, in too little memory for their list.
    std::string text = "Id,Lubricator,Speed,Bore_mm,D_mm,B_mm,InstalledOn,Volume_ml\n";
    for (int i = 0; i < 20000; ++i)
        text += "P" + std::to_string(i) + ",VOXA 1000,3000,100,180,46,2026-11-01,1\n";
    write("big.csv", text);
    const Outcome o = sh("ulimit -v 400000; $CALC plan big.csv --from 2026-12-10 --months 120 > /dev/null");
    EXPECT_EQ(o.code, 2) << o.err;
    EXPECT_EQ(o.err, "unctora-calc: not enough memory for this plan\n");
#endif
}

TEST_F(PlanCommand, StatusesNotPlannedPointsAndSharedUnits) {
    write("plant.csv",
          "Id,Unit,Lubricator,Bore_mm,D_mm,B_mm,Speed,ContMoist,Ambient,Load,Type,InstalledOn,Volume_ml\n"
          "FAN A,FAN-204,VOXA 400,100,180,46,1480,High,Above 40,Moderate,Spherical roller bearings,2026-11-25,\n"
          "FAN B,FAN-204,VOXA 400,60,110,22,2980,Low,Average,Low,Deep groove ball bearings,2026-11-20,\n"
          "HEAT,,VOXA 125,80,170,39,1480,High,Above 40,Low,Deep groove ball bearings,2026-11-30,\n"
          "NEW,,VOXA 125,80,170,39,1480,High,Average,Low,Deep groove ball bearings,,\n");
    const Outcome o = sh("$CALC plan plant.csv --from 2026-12-10 --months 12");
    EXPECT_EQ(o.code, 0) << o.err; // everything could be planned
    const auto recs = records(o.out);
    ASSERT_FALSE(recs.empty());
    EXPECT_EQ(recs[0].size(), 15u);
    std::vector<std::string> changes, points;
    for (std::size_t i = 1; i < recs.size(); ++i) {
        const auto& r = recs[i];
        if (r[0] == "change") {
            changes.push_back(r[1] + " " + r[2] + " " + r[8]);
        } else if (r[0] == "point") {
            points.push_back(r[2] + ": " + r[13]);
            EXPECT_FALSE(r[14].empty());
        }
    }
    // The shared VOXA 400 is changed under its unit's name every 98 days (400 ml at
    // 4.00 + 0.10 ml/day); the gas-driven unit in heat after 4.5 months, not 9.
    EXPECT_EQ(changes, (std::vector<std::string>{"2027-03-03 FAN-204 3.2", "2027-04-16 HEAT 4.5",
                                                 "2027-06-09 FAN-204 3.2", "2027-08-31 HEAT 4.5",
                                                 "2027-09-14 FAN-204 3.2"}));
    EXPECT_EQ(points, (std::vector<std::string>{"FAN B: over-greased \u00D71.0", "NEW: not planned"}));
}

TEST_F(PlanCommand, TheBatchCalculatorPassesOverTheUnitColumn) {
    write("plant.csv", "Id,Unit,Lubricator,Speed\nA,BELT,VOXA 1000,75\nB,BELT,VOXA 1000,75\n");
    const Outcome o = sh("$CALC plant.csv");
    EXPECT_EQ(o.code, 0) << o.err;
    const auto recs = records(o.out);
    ASSERT_EQ(recs.size(), 3u) << o.out;
    EXPECT_EQ(recs[1].back(), "");
    EXPECT_EQ(recs[1][recs[1].size() - 2], "ok");
}

TEST_F(PlanCommand, RecordedChangesDateTheCartridges) {
    const std::string header = "Id,Date,DoneBy,Batch,Location,Machine,Lubricator,Grease,Setting,SettingValue,Remarks,"
                               "RecordedAt\n";
    write("plant.csv", "Id,Lubricator,Speed,D_mm,B_mm,Bore_mm,InstalledOn\nP1,TENO 125,1500,180,46,100,2026-01-05\n");
    auto changeOf = [&](const std::string& extra) {
        const Outcome o = sh("$CALC plan plant.csv --from 2026-12-10 --months 24 --format csv " + extra);
        std::string date;
        for (const auto& r : records(o.out))
            if (r[0] == "change" && (date.empty() || r[1] < date))
                date = r[1];
        return std::make_pair(o, date);
    };
    const auto [plain, fromFile] = changeOf("");
    ASSERT_EQ(plain.code, 0) << plain.err;
    // The history beside the plant file is read without being named ...
    write("plant.history.csv", header + "P1,2026-12-01,K. Lind,,,,,,1,1,,2026-12-01T08:00:00Z\n");
    const auto [beside, fromRecord] = changeOf("");
    EXPECT_EQ(beside.code, 0) << beside.err;
    EXPECT_EQ(fromRecord, "2027-01-01") << beside.out;
    EXPECT_NE(fromRecord, fromFile);
    // ... --history names another, and a torn last line is reported, the rest kept.
    write("other.csv", header + "P1,2026-11-10,K. Lind,,,,,,1,1,,2026-11-10T08:00:00Z\nP1,2026-12-0");
    const auto [named, fromOther] = changeOf("--history other.csv");
    EXPECT_EQ(named.code, 0) << named.err;
    EXPECT_EQ(fromOther, "2026-12-10") << named.out; // due 2026-12-10, the first day
    EXPECT_NE(named.err.find("line 3 set aside"), std::string::npos) << named.err;
    // A file named but missing, or not a history, is an error, not an empty history.
    EXPECT_EQ(changeOf("--history missing.csv").first.code, 2);
    EXPECT_EQ(changeOf("--history plant.csv").first.code, 2);
    EXPECT_EQ(changeOf("--history").first.code, 2);
}

TEST_F(PlanCommand, TheStockListBesideThePlantSaysWhatToOrderByWhen) {
    // The shared VOXA 400 is refilled 2027-03-03, 06-09 and 09-14; the heated VOXA 125
    // changed 2027-04-16 and 08-31.
    write("plant.csv",
          "Id,Unit,Lubricator,Bore_mm,D_mm,B_mm,Speed,ContMoist,Ambient,Load,Type,InstalledOn\n"
          "FAN A,FAN-204,VOXA 400,100,180,46,1480,High,Above 40,Moderate,Spherical roller bearings,2026-11-25\n"
          "FAN B,FAN-204,VOXA 400,60,110,22,2980,Low,Average,Low,Deep groove ball bearings,2026-11-20\n"
          "HEAT,,VOXA 125,80,170,39,1480,High,Above 40,Low,Deep groove ball bearings,2026-11-30\n");
    const Outcome plain = sh("$CALC plan plant.csv --from 2026-12-10 --months 12");
    ASSERT_EQ(plain.code, 0) << plain.err;
    write("plant.stock.csv", "Lubricator,Grease,Stock,LeadTime_days\n"
                             "VOXA 400,Unspecified,1,20\n"
                             "VOXA 125,Unspecified,two,16\n");
    const Outcome o = sh("$CALC plan plant.csv --from 2026-12-10 --months 12");
    EXPECT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.err, "unctora-calc: plant.stock.csv: line 3: column Stock: \"two\" is not a whole number of "
                     "cartridges from 0 to 100000; the row is not used\n");
    const auto recs = records(o.out);
    ASSERT_FALSE(recs.empty());
    ASSERT_EQ(recs[0].size(), 19u);
    EXPECT_EQ(std::vector<std::string>(recs[0].begin() + 15, recs[0].end()),
              (std::vector<std::string>{"Stock", "LeadTime_days", "OrderBy", "ToOrder"}));
    std::vector<std::string> purchases;
    for (const auto& r : recs) {
        ASSERT_EQ(r.size(), 19u);
        if (r[0] == "purchase")
            purchases.push_back(r[5] + " " + r[11] + " in store " + r[15] + ", " + r[16] + " days: by " + r[17] +
                                " (" + r[10] + ") " + r[18]);
        else if (r[0] != "Kind")
            EXPECT_EQ(r[15] + r[16] + r[17] + r[18], "");
    }
    // Three refills of one reservoir with one in store: the second is ordered 20 days
    // before 2027-06-09. The unreadable row leaves the VOXA 125 with nothing in store
    // and the longest lead time listed: 20 days before 2027-04-16.
    EXPECT_EQ(purchases, (std::vector<std::string>{"VOXA 125 2 in store 0, 20 days: by 2027-03-27 (false) 2",
                                                   "VOXA 400 3 in store 1, 20 days: by 2027-05-20 (false) 2"}));
    // Without a list the records are as they were; --stock names another list.
    write("other.csv", "Lubricator,Grease,Stock,LeadTime_days\nVOXA 400,0,3,200\n");
    const Outcome named = sh("$CALC plan plant.csv --from 2026-12-10 --months 12 --format jsonl --stock other.csv");
    EXPECT_EQ(named.code, 0) << named.err;
    EXPECT_NE(named.out.find("\"Lubricator\":\"VOXA 400\",\"Grease\":\"Unspecified\",\"Volume_ml\":1200,"
                             "\"Cartridges\":3,\"Grease_g\":1080,\"Stock\":3,\"LeadTime_days\":200,\"ToOrder\":0}"),
              std::string::npos)
        << named.out;
    EXPECT_NE(named.out.find("\"Overdue\":true,\"Cartridges\":2,\"Grease_g\":225,\"Stock\":0,\"LeadTime_days\":200,"
                             "\"OrderBy\":\"2026-09-28\",\"ToOrder\":2}"),
              std::string::npos)
        << named.out;
    fs::remove(dir / "plant.stock.csv");
    EXPECT_EQ(sh("$CALC plan plant.csv --from 2026-12-10 --months 12").out, plain.out);

    write("broken.csv", "Lubricator,Grease,Count\nVOXA 400,0,3\n");
    fs::create_directory(dir / "folder");
    const struct {
        const char* options;
        const char* message;
    } bad[] = {
        {"--stock", "--stock needs a file name"},
        {"--stock missing.csv", "missing.csv: no such file"},
        {"--stock broken.csv", "broken.csv: the header does not name the columns Lubricator, Grease, Stock and "
                               "LeadTime_days"},
        {"--stock folder", "cannot read folder: a folder, not a file"},
    };
    for (const auto& b : bad) {
        SCOPED_TRACE(b.options);
        const Outcome e = sh(std::string("$CALC plan plant.csv ") + b.options);
        EXPECT_EQ(e.code, 2);
        EXPECT_NE(e.err.find(b.message), std::string::npos) << e.err;
        EXPECT_EQ(e.out, "");
    }
}
