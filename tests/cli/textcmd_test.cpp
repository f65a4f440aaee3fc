#include "cli/textcmd.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class TextCommand : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("unctora_textcmd_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        std::ofstream(m_dir / "unctora.sil", std::ios::binary)
            << "\xEF\xBB\xBF[Strings]\r\n"
               "strX=Hello~Hallo~~\r\n"
               "strEmpty=-~\r\n"
               "strW_01=one~x\r\n"
               "strW_02=zwei\r\n";
    }
    void TearDown() override { fs::remove_all(m_dir); }

    struct Result {
        int code;
        std::string out, err;
    };
    Result run(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int code = unctora::cli::runTextCommand(args, out, err, m_dir.string());
        return {code, out.str(), err.str()};
    }

    fs::path m_dir;
};

} // namespace

TEST_F(TextCommand, PrintsTheLookedUpText) {
    struct Case {
        std::vector<std::string> args;
        std::string out;
    };
    const std::vector<Case> cases = {
        {{"strX"}, "Hello\n"},
        {{"strx", "--lang", "german"}, "Hallo\n"},
        {{"--lang=French", "strX"}, "Hello\n"},        // no French text: English
        {{"strX", "--lang", "Klingon"}, "Hello\n"},    // unknown name: English stays
        {{"strEmpty"}, "\"strEmpty\"?\n"},
        {{"strEmpty", "--or-empty"}, "\n"},
        {{"strMissing", "--or-empty"}, "\"strMissing\"?\n"},
        {{"strW", "--number", "2"}, "zwei\n"},
        {{"strW", "--number=7"}, "one~x\n"},
        {{"strW", "--number", "0"}, "one~x\n"},        // no column entry: falls back to _01
        {{"--", "-strange"}, "\"-strange\"?\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const Result r = run(c.args);
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, "");
    }

    const fs::path other = m_dir / "other.sil";
    std::ofstream(other, std::ios::binary) << "strX=Other\n";
    EXPECT_EQ(run({"strX", "--language-file", other.string()}).out, "Other\n");
}

TEST_F(TextCommand, BadUsage) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"strX", "strY"},
        {"strX", "--number"},
        {"strX", "--number", "two"},
        {"strX", "--number", "-1"},
        {"strX", "--number", "99999999999"},
        {"strX", "--number=3x"},
        {"strX", "--colour", "red"},
        {"--lang", "German"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const Result r = run(args);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("Usage: unctora-calc text KEY"), std::string::npos) << r.err;
    }
}

TEST_F(TextCommand, MissingLanguageFile) {
    fs::remove(m_dir / "unctora.sil");
    const Result r = run({"strX"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");
    const std::string path = (m_dir / "unctora.sil").string();
    EXPECT_EQ(r.err, "Language file \"" + path + "\"\nnot found in the program directory.\n \n"
                     "Program will be aborted.\n");

    // An explicit file that does not exist is reported the same way.
    const Result r2 = run({"strX", "--language-file", (m_dir / "nope.sil").string()});
    EXPECT_EQ(r2.code, 2);
    EXPECT_NE(r2.err.find("nope.sil\"\nnot found"), std::string::npos);
}
