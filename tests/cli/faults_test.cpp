// The batch calculator against what a careless user, a full disk or a hostile file
// gives it: it says what went wrong, exits 2, and never reports success.
#include "../support/commandline.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using testsupport::Outcome;

class BatchFaults : public testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("unctora-cli-faults-" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // Runs a shell line in which $CALC is the batch calculator.
    Outcome sh(const std::string& line) const { return testsupport::runShell(dir, UNCTORA_CALC, line); }
    void write(const std::string& name, const std::string& text) const {
        std::ofstream(dir / name, std::ios::binary) << text;
    }

    fs::path dir;
};

const std::string kExample = std::string(UNCTORA_SOURCE_DIR) + "/examples/plant.csv";

} // namespace

TEST_F(BatchFaults, OutputThatCannotBeWrittenIsAnError) {
    write("app.INI", "[Data]\nSpeed=900\n");
    const struct {
        std::string command;
        std::string reason;
    } cases[] = {
        {"$CALC " + kExample + " > /dev/full", "No space left on device"},
        {"$CALC --format jsonl " + kExample + " > /dev/full", "No space left on device"},
        {"$CALC --set Speed=100 > /dev/full", "No space left on device"},
        {"$CALC --ini app.INI > /dev/full", "No space left on device"},
        {"$CALC text strGram > /dev/full", "No space left on device"},
        {"$CALC --help > /dev/full", "No space left on device"},
        {"$CALC < /dev/null > /dev/full", "No space left on device"}, // an empty list
        // Closed, standard output is not taken over by the next file opened.
        {"$CALC " + kExample + " >&-", "Bad file descriptor"},
        {"$CALC --set Speed=100 >&-", "Bad file descriptor"},
        // A disk that fills up part way: the output is cut, and that is said.
        {"for i in $(seq 40); do tail -n +2 " + kExample + "; done > long.csv; "
         "(head -1 " + kExample + "; cat long.csv) > list.csv; "
         "trap '' XFSZ; ulimit -f 16; $CALC list.csv > out.csv",
         "File too large"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        const Outcome o = sh(c.command);
        EXPECT_EQ(o.code, 2);
        EXPECT_NE(o.err.find("unctora-calc: Unable to write to standard output (" + c.reason + ")"),
                  std::string::npos)
            << o.err;
        // One message, not one per row or per stream.
        EXPECT_EQ(o.err.find("Unable to write"), o.err.rfind("Unable to write")) << o.err;
    }
    // The same list with room enough goes through.
    EXPECT_EQ(sh("$CALC list.csv > out.csv").code, 0);
}

TEST_F(BatchFaults, SettingsFileThatIsNoSettingsFile) {
    write("plant.INI", "Id,Speed\nx,100\n");
    write("other.INI", "[Options]\nUnits=1\n");
    write("big.INI", "[Data]\n");
    fs::resize_file(dir / "big.INI", 11u << 20);
    ASSERT_EQ(::mkfifo((dir / "fifo.INI").c_str(), 0644), 0);
    fs::create_directory(dir / "folder.INI");
    fs::create_symlink("/dev/zero", dir / "zero.INI");
    const struct {
        std::string file;
        std::string message;
    } cases[] = {
        {"plant.INI", "plant.INI is not a settings file: it has no [Data] section"},
        {"other.INI", "other.INI is not a settings file: it has no [Data] section"},
        {"folder.INI", "cannot read folder.INI: a folder, not a file"},
        {"fifo.INI", "cannot read fifo.INI: not a regular file"},   // would wait for a writer
        {"zero.INI", "cannot read zero.INI: not a regular file"},   // would never end
        {"/dev/zero", "cannot read /dev/zero: not a regular file"},
        {"big.INI", "cannot read big.INI: larger than 10 MB"},
        {"none.INI", "cannot read none.INI: No such file or directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const Outcome o = sh("timeout 10 $CALC --ini " + c.file + " > out.csv");
        EXPECT_EQ(o.code, 2);
        EXPECT_NE(o.err.find("unctora-calc: " + c.message), std::string::npos) << o.err;
        EXPECT_EQ(fs::file_size(dir / "out.csv"), 0u);
    }
    if (::geteuid() != 0) { // root reads everything
        write("locked.INI", "[Data]\n");
        fs::permissions(dir / "locked.INI", fs::perms::none);
        const Outcome o = sh("$CALC --ini locked.INI > out.csv");
        EXPECT_EQ(o.code, 2);
        EXPECT_NE(o.err.find("cannot read locked.INI: Permission denied"), std::string::npos) << o.err;
    }
    // A [Data] section of any letter case is one.
    write("case.INI", "[data]\nSpeed=900\n");
    EXPECT_EQ(sh("$CALC --ini case.INI > out.csv").code, 0);
}

TEST_F(BatchFaults, OutletsByTheirCountOnly) {
    const struct {
        std::string value;
        std::string used; // the index written, or "" for an invalid row
    } cases[] = {
        {"10", "0"}, {"16", "3"}, {"20", "5"}, {" 12 ", "1"}, {"", "0"},
        {"15", ""}, {"3", ""}, {"0", ""}, {"-1", ""}, {"99", ""}, {"many", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        write("list.csv", "Lubricator,Outlets\nVOXA 1000,\"" + c.value + "\"\n");
        const Outcome o = sh("$CALC --format jsonl list.csv > out.jsonl");
        std::ifstream in(dir / "out.jsonl");
        const std::string out((std::istreambuf_iterator<char>(in)), {});
        if (c.used.empty()) {
            EXPECT_EQ(o.code, 1);
            EXPECT_NE(out.find("\"Status\":\"invalid\""), std::string::npos) << out;
            EXPECT_NE(out.find("is not an offered outlet count (10, 12, 14, 16, 18 or 20)"),
                      std::string::npos)
                << out;
        } else {
            EXPECT_EQ(o.code, 0) << o.err;
            EXPECT_NE(out.find("\"Outlets\":" + c.used + ","), std::string::npos) << out;
        }
    }
    const Outcome set = sh("$CALC --set Lubricator='VOXA 1000' --set Outlets=15 > out.csv");
    EXPECT_EQ(set.code, 1);
}

TEST_F(BatchFaults, TerminalControlsFromTheInputAreShownEscaped) {
    write("list.csv", "Id,Speed,\x1b[2J\x1b]0;owned\x07\xc2\x9b" "31m\n1,2,3\n");
    const Outcome o = sh("$CALC list.csv > out.csv");
    EXPECT_EQ(o.code, 0);
    EXPECT_EQ(o.err.find('\x1b'), std::string::npos);
    EXPECT_EQ(o.err.find('\x07'), std::string::npos);
    EXPECT_EQ(o.err.find("\xc2\x9b"), std::string::npos);
    EXPECT_NE(o.err.find("the column \"\\x1B[2J\\x1B]0;owned\\x07\\u009B31m\" is not used"), std::string::npos)
        << o.err;
    const Outcome set = sh("$CALC --set $'Col\\x1bour=1' > out.csv");
    EXPECT_EQ(set.code, 2);
    EXPECT_NE(set.err.find("unknown input \"Col\\x1Bour\""), std::string::npos) << set.err;
}
