// The plan command's output is read by scripts as the batch calculator's is: the example
// plant and a set of generated points over every lubricator model, shared units and
// recorded changes included, in both formats and both unit systems, must give the very
// bytes kept in tests/fixtures/plan. After a deliberate change of the output, run this
// test with UNCTORA_WRITE_GOLDEN=1 to write the files anew, and say why in the commit.

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

const fs::path kGolden = fs::path(UNCTORA_SOURCE_DIR) / "tests/fixtures/plan";

struct Generator {
    std::uint64_t state = 0x91a7;
    int next(int n) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int>((state >> 33) % static_cast<std::uint64_t>(n));
    }
};

std::string twoDigits(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

// Points of every model, from a generator of our own so that every standard library
// makes the same rows: each model in turn, conditions and sizes drawn, multi-point
// points now and then sharing a named unit (a few units of mixed models among them),
// dates before and after the day of the plan or none, own volumes, a bad cell here
// and there. The history records changes of some single-point points, at their own
// setting or another one.
void generatedPlant(int count, std::string& plant, std::string& history) {
    static const char* const kModels[] = {"VOXA 60",    "VOXA 125",   "TENO 125", "TENO 250",
                                          "ZOLT 120ml", "ZOLT 380ml", "VOXA 400", "VOXA 1000"};
    Generator g;
    plant = "Id,Location,Machine,Unit,Lubricator,Bore_mm,D_mm,B_mm,Type,Grease,Speed,OpHours,BrgOpTemp,"
            "ContMoist,Load,ShockLoad,Ambient,ShaftOrientation,Replenishment,RotOR,PowerSource,Outlets,"
            "InstalledOn,Volume_ml\n";
    history = "Id,Date,DoneBy,Batch,Location,Machine,Lubricator,Grease,Setting,SettingValue,Remarks,RecordedAt\n";
    for (int r = 0; r < count; ++r) {
        const int model = r % 8;
        const bool multi = model >= 6;
        const std::string id = "P" + std::to_string(r);
        const bool shares = multi && g.next(3) == 0;
        const int bore = 20 + g.next(shares ? 80 : 260);
        const int d = bore + bore / 2 + g.next(bore / 2 + 1);
        const int b = (d - bore) / 2 + g.next(20);
        std::string row = id + ",Hall " + std::to_string(g.next(3)) + ",M" + std::to_string(g.next(9)) + ",";
        // A shared unit holds one model with one grease, power source and outlet count;
        // now and then a point of another model joins it.
        int unit = -1;
        if (shares) {
            unit = g.next(3);
            row += g.next(10) == 0 ? "MIX" : (model == 6 ? "A" : "B") + std::to_string(unit);
        }
        row += ",";
        row += kModels[model];
        row += "," + std::to_string(bore) + "," + std::to_string(d) + "," + std::to_string(b);
        const int grease = g.next(14);
        row += "," + std::to_string(g.next(10)) + "," + std::to_string(unit >= 0 ? 2 * unit + 1 : grease);
        const int speeds[] = {40, 300, 750, 1480, 2950, 6000};
        row += "," + std::to_string(speeds[g.next(shares ? 3 : 6)] + g.next(200));
        row += "," + std::to_string(8 + g.next(17));
        row += "," + std::to_string(g.next(4)) + "," + std::to_string(g.next(3)) + "," + std::to_string(g.next(4));
        row += "," + std::to_string(g.next(2)) + "," + std::to_string(g.next(3)) + "," + std::to_string(g.next(2));
        row += "," + std::to_string(g.next(2)) + "," + std::to_string(g.next(2));
        const bool dc = g.next(2) != 0;
        const int outlets = 10 + 2 * g.next(6);
        row += "," + std::string(unit >= 0 ? (unit == 1 ? "DC" : "AC") : dc ? "DC" : "AC");
        row += "," + std::to_string(unit >= 0 ? 10 + 4 * unit : outlets);
        std::string date;
        if (g.next(12) != 0)
            date = std::to_string(2025 + g.next(3)) + "-" + twoDigits(1 + g.next(12)) + "-" + twoDigits(1 + g.next(28));
        row += "," + date + ",";
        switch (unit >= 0 ? 2 : g.next(14)) {
        case 0: row += std::to_string(50 + g.next(2000)); break;
        case 1: row += "lots"; break;
        default: break;
        }
        plant += row + "\n";
        if (!multi && !date.empty() && g.next(3) == 0) {
            const int dialled = 1 + g.next(model >= 4 ? 24 : 12);
            history += id + "," + date + ",Ann,L" + std::to_string(r) + ",,," + kModels[model] + ",," +
                       std::to_string(dialled) + "," + std::to_string(dialled) + ",,2026-12-01T08:00:00Z\n";
        }
    }
}

class PlanGolden : public testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("unctora-plangolden-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        fs::copy_file(fs::path(UNCTORA_SOURCE_DIR) / "examples/plant.csv", dir / "example.csv",
                      fs::copy_options::overwrite_existing);
        std::string plant, history;
        generatedPlant(240, plant, history);
        std::ofstream(dir / "generated.csv", std::ios::binary) << plant;
        std::ofstream(dir / "generated.history.csv", std::ios::binary) << history;
    }
    void TearDown() override { fs::remove_all(dir); }

    void check(const std::string& options, const std::string& golden) {
        SCOPED_TRACE(options);
        const testsupport::Outcome o = testsupport::runShell(dir, UNCTORA_CALC, "\"$CALC\" plan " + options);
        EXPECT_LE(o.code, 1) << o.err;
        testsupport::expectGolden(kGolden / golden, o.out);
    }

    fs::path dir;
};

TEST_F(PlanGolden, EveryModelAndFormatGivesTheKeptBytes) {
    for (const char* input : {"example", "generated"}) {
        const std::string in = std::string(input) + ".csv --from 2026-12-10 --months 30";
        check(in, std::string(input) + ".csv");
        check(in + " --format jsonl --units imperial", std::string(input) + "-imperial.jsonl");
    }
    check("generated.csv --from 2026-12-10 --months 30 --format jsonl", "generated.jsonl");
    check("generated.csv --from 2026-12-10 --units imperial", "generated-imperial.csv");
}

} // namespace
