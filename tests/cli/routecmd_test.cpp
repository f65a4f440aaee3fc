// unctora-calc route as a program: its options, columns and exit codes are a contract.
#include "../support/commandline.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class RouteCommand : public testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("unctora-routecmd-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        // Six-month cartridges: P1 due 2026-12-20, P2 (installed earlier) overdue since
        // 2026-11-15, P4 due 2026-12-14; P3 cannot be read.
        std::ofstream(dir / "plant.csv")
            << "Id,Location,Machine,Lubricator,Speed,D_mm,B_mm,Bore_mm,InstalledOn,Grease\n"
               "P1,Hall,Fan,VOXA 125,1500,180,46,100,2026-06-20,NVTE2\n"
               "P2,Yard,Belt,VOXA 125,1500,180,46,100,2026-05-15,NVTE2\n"
               "P3,Yard,Belt,VOXA 125,3000,90,23,50,someday,\n"
               "P4,Hall,Fan,VOXA 125,1500,180,46,100,2026-06-14,NVTE2\n";
    }
    void TearDown() override { fs::remove_all(dir); }
    testsupport::Outcome sh(const std::string& line) const { return testsupport::runShell(dir, UNCTORA_CALC, line); }
    fs::path dir;
};

} // namespace

TEST_F(RouteCommand, ListsTheWindowAndTheOverdueByLocationAndMachine) {
    const auto o = sh("$CALC route plant.csv --from 2026-12-10 --days 7");
    EXPECT_EQ(o.code, 1) << o.err; // P3 is not on the route
    EXPECT_NE(o.err.find("P3"), std::string::npos);
    const auto rec = testsupport::csvRecords(o.out);
    ASSERT_GE(rec.size(), 1u);
    EXPECT_EQ(rec[0], (std::vector<std::string>{"Id", "Location", "Machine", "DueDate", "Overdue", "DaysOverdue",
                                                "Lubricator", "Grease", "Setting", "RouteDate"}));
    std::vector<std::string> got;
    for (std::size_t i = 1; i < rec.size(); ++i) {
        ASSERT_EQ(rec[i].size(), 10u);
        got.push_back(rec[i][0] + " " + rec[i][3] + " " + rec[i][4] + " " + rec[i][5] + " " + rec[i][9]);
    }
    // Due within a week: P4 (2026-12-14); overdue: P2; P1 (2026-12-20) waits for the next round.
    ASSERT_EQ(got.size(), 2u) << o.out;
    EXPECT_EQ(got[0].substr(0, 2), "P4");
    EXPECT_EQ(got[1].substr(0, 2), "P2");
    EXPECT_NE(got[1].find(" yes "), std::string::npos) << got[1];
    EXPECT_NE(got[0].find(" no 0 2026-12-10"), std::string::npos) << got[0];

    const auto wider = sh("$CALC route plant.csv --from 2026-12-10 --days 30");
    EXPECT_EQ(testsupport::csvRecords(wider.out).size(), 4u); // header, P1, P4, P2
}

TEST_F(RouteCommand, RefusesBadUsage) {
    for (const char* line : {"$CALC route", "$CALC route plant.csv --days -1", "$CALC route plant.csv --days x",
                             "$CALC route plant.csv --from 2026-13-01", "$CALC route plant.csv --format xml",
                             "$CALC route missing.csv",
                             "$CALC route plant.csv --bogus"}) {
        SCOPED_TRACE(line);
        const auto o = sh(line);
        EXPECT_EQ(o.code, 2);
        EXPECT_TRUE(o.out.empty());
        EXPECT_FALSE(o.err.empty());
    }
    EXPECT_EQ(sh("$CALC route plant.csv --from 2026-12-10 > /dev/full").code, 2);
}
