// The settings file under faults: the program killed in the middle of a write, and a
// disk that is full. Either way the file on the disk is whole, old or new.

#include "files/fileio.h"
#include "files/regini.h"
#include "../support/filelimit.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <sys/mount.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace unctora;
namespace fs = std::filesystem;

namespace {

class SettingsFaults : public testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("unctora-faults-" + std::to_string(::getpid()) + "-" +
                                           testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
        path = (dir / "unctora.INI").string();
    }
    void TearDown() override {
        if (mounted)
            ::umount2(dir.c_str(), MNT_DETACH);
        fs::remove_all(dir);
    }
    std::string read() const {
        std::string s;
        files::readWholeFile(path, s);
        return s;
    }
    // A settings file as big as a real one with every value set to `version`.
    void writeVersion(char version) const {
        files::TStRegIni ini(path, true);
        ini.setDeferred(true);
        for (const char* section : {"Options", "Data", "frmMain", "frmStrings"}) {
            ini.Section = section;
            for (int k = 0; k < 60; ++k)
                ini.WriteString("Key" + std::to_string(k), std::string(1 + k % 7, version));
        }
        ini.UpdateFile();
    }
    std::string versionBytes(char version) {
        writeVersion(version);
        return read();
    }
    std::vector<fs::path> strayFiles() const {
        std::vector<fs::path> out;
        for (const auto& e : fs::directory_iterator(dir))
            if (e.path() != path)
                out.push_back(e.path());
        return out;
    }

    fs::path dir;
    std::string path;
    bool mounted = false;
};

TEST_F(SettingsFaults, KilledWhileWritingLeavesTheOldOrTheNewFile) {
    const std::string a = versionBytes('a');
    const std::string b = versionBytes('b');
    ASSERT_NE(a, b);
    ASSERT_GT(a.size(), 2000u);

    std::mt19937 random(20261209);
    int sawA = 0, sawB = 0;
    for (int round = 0; round < 40; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Rewrites the file over and over, alternating the two versions, until killed.
            for (unsigned n = 0;; ++n)
                writeVersion(n % 2 ? 'a' : 'b');
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500 + random() % 15000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "round " << round;

        const std::string now = read();
        ASSERT_TRUE(now == a || now == b) << "round " << round << ": a torn file of " << now.size()
                                          << " bytes";
        (now == a ? sawA : sawB)++;
        // A write cut short may leave its temporary file, never a changed settings file.
        for (const fs::path& p : strayFiles()) {
            EXPECT_TRUE(files::isOurTemporary(p.filename().string(), "unctora.INI")) << p;
            fs::remove(p);
        }
        files::TStRegIni ini(path, true);
        ini.Section = "Data";
        const std::string key59 = ini.ReadString("Key59", "");
        EXPECT_TRUE(key59 == "aaaa" || key59 == "bbbb") << key59;
    }
    // The kills landed at different points of the cycle.
    EXPECT_GT(sawA + sawB, 0);
}

TEST_F(SettingsFaults, TemporariesOfKilledWritesAreRemovedOnceStale) {
    auto make = [&](const std::string& name, std::time_t age) {
        const fs::path p = dir / name;
        std::ofstream(p) << "half a file";
        const std::time_t t = std::time(nullptr) - age;
        const timespec times[2] = {{t, 0}, {t, 0}};
        ::utimensat(AT_FDCWD, p.c_str(), times, 0);
    };
    make(".unctora.INI.unctora-tmp-ab12CD", 3600); // left by a write killed an hour ago
    make(".unctora.INI.unctora-tmp-Zz9yX8", 5);    // a write in progress elsewhere: keep
    make(".chart.html.unctora-tmp-ab12CD", 3600);  // another file's: left to that file's writes
    // The user's own files, however they are named, are never ours to delete.
    for (const char* own : {"unctora.INI.bak", "unctora.INI.backup", "unctora.INI.ab12CD",
                            "unctora.INI.orig01", ".unctora.INI.unctora-tmp-ab12C", "calc.html.orig01"})
        make(own, 3600);
    writeVersion('a');
    std::vector<std::string> left;
    for (const fs::path& p : strayFiles())
        left.push_back(p.filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{".chart.html.unctora-tmp-ab12CD", ".unctora.INI.unctora-tmp-Zz9yX8",
                                              ".unctora.INI.unctora-tmp-ab12C", "calc.html.orig01",
                                              "unctora.INI.ab12CD", "unctora.INI.backup", "unctora.INI.bak",
                                              "unctora.INI.orig01"}));
}

TEST_F(SettingsFaults, WritesThroughALinkAndRefusesWhatIsNoFile) {
    // A settings file kept elsewhere and linked in stays linked; the file it names changes.
    const fs::path real = dir / "real.INI";
    std::ofstream(real) << "[Data]\nSpeed=1\n";
    fs::create_symlink("real.INI", path);
    writeVersion('a');
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(fs::read_symlink(path), "real.INI");
    std::string bytes;
    ASSERT_TRUE(files::readWholeFile(real.string(), bytes));
    EXPECT_EQ(bytes, read());
    EXPECT_NE(bytes.find("Key59=aaaa"), std::string::npos);
    // A link to a file that is not there yet creates it.
    fs::remove(real);
    writeVersion('b');
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_TRUE(fs::is_regular_file(real));
    fs::remove(path);
    fs::remove(real);

    // A FIFO, a folder or a device at the settings path is neither read nor replaced.
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    std::string reason;
    EXPECT_FALSE(files::readWholeFile(path, bytes, files::kMaxSettingsFileBytes, &reason)); // no waiting
    EXPECT_EQ(reason, "not a regular file");
    try {
        writeVersion('a');
        ADD_FAILURE() << "a FIFO was written over";
    } catch (const files::WriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path + " (not a regular file)");
    }
    EXPECT_TRUE(fs::is_fifo(path));
    fs::remove(path);
    fs::create_symlink("/dev/zero", path);
    EXPECT_FALSE(files::readWholeFile(path, bytes, files::kMaxSettingsFileBytes, &reason));
    EXPECT_EQ(reason, "not a regular file");
    files::TStRegIni ini(path, true); // reads as an empty file, at once
    ini.Section = "Data";
    EXPECT_EQ(ini.ReadInteger("Speed", 7), 7);
    fs::remove(path);
    fs::create_directory(path);
    EXPECT_FALSE(files::readWholeFile(path, bytes, files::kMaxSettingsFileBytes, &reason));
    EXPECT_EQ(reason, "a folder, not a file");
    fs::remove(path);

    // Larger than the limit: refused without reading it all.
    std::ofstream(path) << "[Data]\n";
    fs::resize_file(path, files::kMaxSettingsFileBytes + 1);
    EXPECT_FALSE(files::readWholeFile(path, bytes, files::kMaxSettingsFileBytes, &reason));
    EXPECT_EQ(reason, "larger than 10 MB");
    EXPECT_TRUE(strayFiles().empty());
}

TEST_F(SettingsFaults, FullDiskRaisesAndKeepsTheSettings) {
    const std::string old = versionBytes('a');
    {
        // The disk has room for a little less than the new file needs.
        FileSizeLimit full(old.size() / 2);
        ASSERT_TRUE(full.active());
        try {
            writeVersion('b');
            ADD_FAILURE() << "a write to a full disk reported success";
        } catch (const files::WriteError& e) {
            EXPECT_EQ(std::string(e.what()), "Unable to write to " + path + " (" +
                                                 std::strerror(EFBIG) + ")");
        }
    }
    EXPECT_EQ(read(), old);
    EXPECT_TRUE(strayFiles().empty()) << strayFiles().front();
    // Room again: the next write goes through.
    writeVersion('b');
    EXPECT_NE(read(), old);
}

// The same on a real file system that runs out of space; needs the right to mount.
TEST_F(SettingsFaults, FullFileSystem) {
    if (::mount("unctora-full", dir.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here: " << std::strerror(errno);
    mounted = true;
    const std::string old = versionBytes('a');
    {
        // Fill the rest of the file system.
        std::ofstream filler(dir / "filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), block.size()))
            ;
    }
    try {
        writeVersion('b');
        ADD_FAILURE() << "a write to a full file system reported success";
    } catch (const files::WriteError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Unable to write to " + path + " (" + std::strerror(ENOSPC) + ")");
    }
    EXPECT_EQ(read(), old);
    std::vector<fs::path> stray = strayFiles();
    ASSERT_EQ(stray.size(), 1u);
    EXPECT_EQ(stray[0].filename(), "filler");
    fs::remove(dir / "filler");
    writeVersion('b');
    EXPECT_EQ(read().size(), old.size());
    EXPECT_NE(read(), old);
}

} // namespace
