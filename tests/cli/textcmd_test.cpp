#include "cli/textcmd.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Result {
    int code;
    std::string out, err;
};

// A program folder holding a small language file.
class TextCommand : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(dir);
        std::ofstream(dir / "unctora.sil", std::ios::binary)
            << "\xEF\xBB\xBF[Strings]\r\nstrX=Hello~Hallo\r\nstrEmpty=-~\r\nstrW_02=zwei\r\n";
    }
    void TearDown() override { fs::remove_all(dir); }

    Result run(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int code = unctora::cli::runTextCommand(args, out, err, dir.string());
        return {code, out.str(), err.str()};
    }

    fs::path dir = fs::temp_directory_path() /
                   ("unctora_textcmd_" +
                    std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
};

} // namespace

TEST_F(TextCommand, PrintsTheText) {
    const fs::path other = dir / "other.sil";
    std::ofstream(other, std::ios::binary) << "strX=Other\n";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"strX"}, "Hello\n"},
        {{"strx", "--lang", "german"}, "Hallo\n"},
        {{"strEmpty"}, "\"strEmpty\"?\n"},
        {{"strEmpty", "--or-empty"}, "\n"},
        {{"strW", "--number", "2"}, "zwei\n"},
        {{"--", "-strange"}, "\"-strange\"?\n"},
        {{"strX", "--language-file=" + other.string()}, "Other\n"},
    };
    for (const auto& [args, text] : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const Result r = run(args);
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(r.out, text);
        EXPECT_EQ(r.err, "");
    }
}

TEST_F(TextCommand, BadUsageAndMissingFile) {
    const std::vector<std::vector<std::string>> usage = {
        {}, {"strX", "strY"}, {"strX", "--number"}, {"strX", "--number", "-1"},
        {"strX", "--number", "99999999999"}, {"strX", "--number=3x"}, {"strX", "--colour", "red"},
        // A misspelt language is refused as the batch refuses it, not answered in English.
        {"--lang=Klingon", "strX"}, {"strX", "--lang", "Germna"},
    };
    for (const auto& args : usage) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const Result r = run(args);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("Usage: unctora-calc text KEY"), std::string::npos) << r.err;
    }

    fs::remove(dir / "unctora.sil");
    const Result r = run({"strX"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Language file \"" + (dir / "unctora.sil").string() +
                         "\"\nnot found in the program directory.\n \nProgram will be aborted.\n");
}
