// unctora-calc plan's records are a contract that scripts read: the example plant and a
// generated one, in both formats, with and without a history and a stock list, must
// give the very bytes kept in tests/fixtures/planrecords. After a deliberate change of the
// output, run this test with UNCTORA_WRITE_GOLDEN=1 to write the files anew, and say
// why in the commit.

#include "../support/commandline.h"
#include "../support/golden.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const fs::path kGolden = fs::path(UNCTORA_SOURCE_DIR) / "tests/fixtures/planrecords";

const char* const kModels[] = {"VOXA 60", "VOXA 125", "TENO 125", "TENO 250",
                               "ZOLT 120ml", "ZOLT 380ml", "VOXA 400", "VOXA 1000"};

// Points of every model, some sharing a multi-point unit, over a range of speeds,
// sizes, greases and dates, with rows that cannot be planned among them; made by a
// generator of our own so that every standard library makes the same rows.
std::string generatedPlant(int count) {
    std::uint64_t state = 0x91a7;
    auto next = [&](std::uint64_t n) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int>((state >> 33) % n);
    };
    std::string csv = "Id,Location,Machine,Unit,Lubricator,Grease,Speed,Bore_mm,D_mm,B_mm,Ambient,Outlets,"
                      "PowerSource,InstalledOn,Volume_ml,Remarks\n";
    for (int r = 0; r < count; ++r) {
        const int model = r % 8;
        const int bore = 20 + 10 * next(20);
        // One draw per statement: the order in which operands are evaluated is not fixed.
        const int hall = next(4);
        const int machine = next(10);
        std::string row = "G-" + std::to_string(r) + ",Hall " + std::to_string(hall) + ",M" +
                          std::to_string(machine) + ",";
        // The multi-point units are shared by two or three points now and then, with
        // one grease, power source and outlet count (but for a slip now and then).
        const bool shared = model >= 6 && next(2);
        const int unit = next(3);
        const bool slip = next(10) == 0;
        if (shared)
            row += "U" + std::to_string(model) + "-" + std::to_string(unit);
        const int grease = next(14);
        row += std::string(",") + kModels[model] + "," + std::to_string(shared && !slip ? 3 : grease) + ",";
        switch (next(30)) {
        case 0: row += "fast"; break; // a cell that does not read: the row is invalid
        case 1: row += "0"; break;
        default: row += std::to_string(50 + next(3000));
        }
        const int ambient = next(3), outlets = next(2), power = next(2);
        row += "," + std::to_string(bore) + "," + std::to_string(bore * 2 - next(5)) + "," +
               std::to_string(bore / 2) + "," + std::to_string(ambient) + "," +
               (shared || outlets ? "20" : "10") + "," + std::to_string(shared ? 0 : power) + ",";
        switch (next(12)) {
        case 0: break;                     // no date: not planned
        case 1: row += "2026-02-30"; break; // not a date
        case 2: row += "2027-03-01"; break; // after the plan's first day
        default: {
            const int month = 1 + next(9);
            const int day = 1 + next(28);
            row += "2026-" + std::to_string(month + 100).substr(1) + "-" + std::to_string(day + 100).substr(1);
        }
        }
        row += ",";
        if (next(6) == 0 && !shared)
            row += std::to_string(60 + next(900));
        row += next(10) == 0 ? ",\"with, a comma\"" : ",";
        if (next(40) == 0)
            row += ",one field too many";
        csv += row + "\n";
    }
    return csv;
}

// Recorded changes of some of the generated points, a torn line at the end.
std::string generatedHistory() {
    std::string h = "Id,Date,DoneBy,Batch,Location,Machine,Lubricator,Grease,Setting,SettingValue,Remarks,"
                    "RecordedAt\n";
    for (int r = 0; r < 80; r += 3)
        h += "G-" + std::to_string(r) + ",2026-1" + std::to_string(r % 2) + "-0" + std::to_string(1 + r % 9) +
             ",K. Lind,L" + std::to_string(r) + ",,,,," + std::to_string(1 + r % 6) + "," +
             std::to_string(1 + r % 6) + ",,2026-12-01T08:00:00Z\n";
    return h + "G-7,2026-12-0";
}

class PlanRecordsGolden : public testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("unctora-plangolden-" + std::to_string(::getpid()));
        fs::create_directories(dir / "history");
        fs::copy_file(fs::path(UNCTORA_SOURCE_DIR) / "examples/plant.csv", dir / "example.csv");
        std::ofstream(dir / "generated.csv", std::ios::binary) << generatedPlant(160);
        std::ofstream(dir / "history/generated.csv", std::ios::binary) << generatedPlant(160);
        std::ofstream(dir / "history/generated.history.csv", std::ios::binary) << generatedHistory();
        // A stock list beside the example plant, with a column of its own and a bad row;
        // one for the generated plant named with --stock.
        fs::create_directories(dir / "stock");
        fs::copy_file(fs::path(UNCTORA_SOURCE_DIR) / "examples/plant.csv", dir / "stock/example.csv");
        std::ofstream(dir / "stock/example.stock.csv", std::ios::binary)
            << "Lubricator,Grease,Stock,LeadTime_days,Shelf\n"
               "VOXA 125,NVSU2,4,14,A1\nVOXA 1000,NVSU2,30,60,B2\nVOXA 60,NVTE2,5,10,A2\n"
               "TENO 125,NVSU2,two,14,A3\nVOXA 400,NVKA2,2,21,B1\n";
        std::string stock = "Lubricator,Grease,Stock,LeadTime_days\n";
        for (int m = 0; m < 8; ++m)
            for (int g = 0; g < 14; g += 1 + m % 3)
                stock += std::string(kModels[m]) + "," + std::to_string(g) + "," + std::to_string((m * 7 + g) % 5) +
                         "," + std::to_string((m * 13 + g * 5) % 40) + "\n";
        std::ofstream(dir / "generated-stock.csv", std::ios::binary) << stock;
    }
    void TearDown() override { fs::remove_all(dir); }

    // Runs the command and compares its output with (or writes) the golden file.
    void check(const std::string& command, const std::string& golden) {
        SCOPED_TRACE(command);
        const testsupport::Outcome o = testsupport::runShell(dir, UNCTORA_CALC, "\"$CALC\" plan " + command);
        EXPECT_LE(o.code, 1) << o.err;
        testsupport::expectGolden(kGolden / golden, o.out);
    }

    fs::path dir;
};

TEST_F(PlanRecordsGolden, EveryFormatGivesTheKeptBytes) {
    const std::string period = " --from 2026-12-10 --months 24";
    for (const char* format : {"csv", "jsonl"}) {
        const std::string f = format;
        check("example.csv --format " + f + period, "example." + f);
        check("example.csv --format " + f + " --units imperial --months 6 --from 2027-01-31", "example-imperial." + f);
        check("generated.csv --format " + f + period, "generated." + f);
        check("history/generated.csv --format " + f + period, "generated-history." + f);
        check("stock/example.csv --format " + f + period, "example-stock." + f);
        check("generated.csv --stock generated-stock.csv --months 12 --from 2026-12-10 --format " + f,
              "generated-stock." + f);
    }
}

} // namespace
