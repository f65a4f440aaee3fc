// The batch calculator's output is a contract that scripts read: a frozen plant list
// and a set of generated rows, in both formats, with and without the log, must give
// the very bytes kept in tests/fixtures/batch. After a deliberate change of the output,
// run this test with UNCTORA_WRITE_GOLDEN=1 to write the files anew, and say why in
// the commit.

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

const fs::path kGolden = fs::path(UNCTORA_SOURCE_DIR) / "tests/fixtures/batch";

// Rows over every input's range and past it, fractions, words for the enumerations,
// blanks and the failing cases, from a generator of our own so that every standard
// library makes the same rows.
std::string generatedRows(int count) {
    std::uint64_t state = 0x5eed;
    auto next = [&](std::uint64_t n) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int>((state >> 33) % n);
    };
    static const char* const kHeader =
        "Id,Bore_mm,D_mm,B_mm,Type,CRBsub1,CRBsub2,SRBsub1,SRBsub2,TORBsub1,Grease,Lubricator,"
        "PowerSource,Outlets,Speed,OpHours,BrgOpTemp,ContMoist,Load,ShockLoad,Ambient,"
        "ShaftOrientation,Replenishment,RotOR\n";
    // Upper ends of each column after Id: numbers in the first three and Speed/OpHours.
    static const int kMax[] = {10000, 10000, 10000, 9, 2, 3, 1, 2, 1, 13, 7, 1, 1, 10000, 24, 3, 2, 3, 1, 2, 1, 1, 1};
    std::string csv = kHeader;
    for (int r = 0; r < count; ++r) {
        csv += "row-" + std::to_string(r);
        for (int c = 0; c < 23; ++c) {
            csv += ',';
            const bool number = c < 3 || c == 13 || c == 14;
            if (next(90) == 0) { // a cell no input takes: the row is invalid
                csv += "n/a";
                continue;
            }
            if (c == 12) { // outlets are read by their count
                csv += next(2) ? "20" : "10";
                continue;
            }
            switch (next(12)) {
            case 0: break; // blank: the first-start value
            case 1: csv += std::to_string(kMax[c] + 1); break;
            case 2: csv += number ? std::to_string(next(kMax[c])) + ".5" : "0"; break;
            case 3: csv += "0"; break;
            default:
                csv += std::to_string(number ? next(std::min(kMax[c], 800) + 1) : next(kMax[c] + 1));
            }
        }
        csv += '\n';
    }
    return csv;
}

class GoldenOutput : public testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("unctora-golden-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        fs::copy_file(kGolden / "plant-input.csv", dir / "plant.csv", fs::copy_options::overwrite_existing);
        std::ofstream(dir / "generated.csv", std::ios::binary) << generatedRows(120);
    }
    void TearDown() override { fs::remove_all(dir); }

    // Runs the options on one input and compares with (or writes) the golden file.
    void check(const std::string& input, const std::string& options, const std::string& golden) {
        SCOPED_TRACE(input + " " + options);
        const testsupport::Outcome o = testsupport::runShell(dir, UNCTORA_CALC, "\"$CALC\" " + options + " " + input);
        EXPECT_LE(o.code, 1) << o.err;
        testsupport::expectGolden(kGolden / golden, o.out);
    }

    fs::path dir;
};

TEST_F(GoldenOutput, EveryFormatGivesTheKeptBytes) {
    for (const char* input : {"plant", "generated"}) {
        const std::string in = std::string(input) + ".csv";
        check(in, "--format csv", std::string(input) + ".csv");
        check(in, "--format csv --log --units imperial", std::string(input) + "-log-imperial.csv");
        check(in, "--format jsonl", std::string(input) + ".jsonl");
        check(in, "--format jsonl --log --units imperial", std::string(input) + "-log-imperial.jsonl");
    }
}

} // namespace
