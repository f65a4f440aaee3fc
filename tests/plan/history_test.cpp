// The history file: records read back as written, a torn last line set aside, the lock
// against a second writer, and records that survive their writer being killed.
#include "plan/history.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace unctora::plan;
namespace fs = std::filesystem;

namespace {

struct TempDir {
    fs::path path;
    TempDir() {
        char tmpl[] = "/tmp/unctora-history-XXXXXX";
        path = mkdtemp(tmpl);
    }
    ~TempDir() { fs::remove_all(path); }
    std::string file(const char* name) const { return (path / name).string(); }
};

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void addBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::app) << bytes;
}

ChangeRecord sample(std::string id, const char* date = "2026-12-10") {
    ChangeRecord r;
    r.pointId = std::move(id);
    r.date = *parseIsoDate(date);
    r.doneBy = "J. Okafor";
    r.batch = "L-2291";
    r.location = "Hall 2";
    r.machine = "Fan 3";
    r.lubricator = "VOXA 125";
    r.grease = "NVLO2";
    r.setting = "6";
    r.settingValue = 6;
    r.remarks = "level fine";
    r.recordedAt = "2026-12-10T08:15:00Z";
    return r;
}

} // namespace

TEST(History, TextsRoundTripThroughTheFile) {
    TempDir dir;
    const std::string path = dir.file("plant.history.csv");
    std::vector<ChangeRecord> written;
    const char* texts[] = {"comma, inside", "quote \" and \"\"two\"\"", "line\nbreak\r\nand CR\r",
                           "back\\slash \\n not a break", "tab\there", "Ölpumpe – 給脂点 ไทย",
                           "\"", ",", "\\", ""};
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        ChangeRecord r = sample("P" + std::to_string(i));
        r.remarks = texts[i];
        r.doneBy = texts[(i + 1) % std::size(texts)];
        r.setting = texts[(i + 2) % std::size(texts)];
        r.settingValue = i % 3 ? std::optional<double>(0.1 * double(i)) : std::nullopt;
        written.push_back(r);
    }
    std::string error;
    ASSERT_TRUE(appendHistory(path, written, error)) << error;
    HistoryFile h;
    ASSERT_TRUE(readHistory(path, h, error)) << error;
    EXPECT_TRUE(h.existed);
    EXPECT_TRUE(h.setAside.empty());
    EXPECT_EQ(h.records, ChangeRecords(written.begin(), written.end()));
    // One physical line per record below the header.
    const std::string bytes = slurp(path);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), long(written.size()) + 1);
}

TEST(History, RefusesUnsafeTextsAndWritesNothing) {
    TempDir dir;
    const std::string path = dir.file("h.csv");
    ChangeRecord good = sample("A");
    struct Case {
        const char* what;
        ChangeRecord rec;
    };
    std::vector<Case> cases;
    cases.push_back({"no id", sample("")});
    cases.push_back({"escape char", sample("A")});
    cases.back().rec.remarks = "red \x1b[31m";
    cases.push_back({"NUL", sample("A")});
    cases.back().rec.doneBy = std::string("a\0b", 3);
    cases.push_back({"bad UTF-8", sample("A")});
    cases.back().rec.grease = "\xC3\x28";
    cases.push_back({"bad stamp", sample("A")});
    cases.back().rec.recordedAt = "yesterday";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string error;
        EXPECT_FALSE(appendHistory(path, {good, c.rec}, error));
        EXPECT_FALSE(error.empty());
    }
    HistoryFile h;
    std::string error;
    ASSERT_TRUE(readHistory(path, h, error)) << error;
    EXPECT_TRUE(h.records.empty());
}

TEST(History, TornOrMalformedLinesAreSetAsideAndNothingElseIsLost) {
    TempDir dir;
    const std::string path = dir.file("plant.history.csv");
    std::string error;
    ASSERT_TRUE(appendHistory(path, {sample("A"), sample("B")}, error)) << error;
    const std::string full = historyLine(sample("C"));
    // Cut at every place of the line: never a record, always the last line set aside.
    for (std::size_t cut = 1; cut + 1 < full.size(); ++cut) {
        const std::string bytes = slurp(path) + full.substr(0, cut);
        HistoryFile h;
        ASSERT_TRUE(parseHistory(bytes, h, error)) << error;
        SCOPED_TRACE(full.substr(0, cut));
        ASSERT_EQ(h.records.size(), 2u);
        ASSERT_EQ(h.setAside.size(), 1u);
        EXPECT_EQ(h.setAside[0].line, 4);
        EXPECT_TRUE(h.setAside[0].torn);
    }
    // A torn tail on disk: the next append starts on a line of its own.
    addBytes(path, full.substr(0, 25));
    ASSERT_TRUE(appendHistory(path, {sample("D")}, error)) << error;
    HistoryFile h;
    ASSERT_TRUE(readHistory(path, h, error)) << error;
    ASSERT_EQ(h.records.size(), 3u);
    EXPECT_EQ(h.records[2], sample("D"));
    ASSERT_EQ(h.setAside.size(), 1u);
    EXPECT_EQ(h.setAside[0].line, 4);
    EXPECT_FALSE(h.setAside[0].torn);
    EXPECT_EQ(h.setAside[0].text, full.substr(0, 25));
}

TEST(History, HeaderCutShortIsCompletedAndAWrongHeaderRefused) {
    TempDir dir;
    const std::string path = dir.file("h.csv");
    addBytes(path, "Id,Date,Do");
    HistoryFile h;
    std::string error;
    ASSERT_TRUE(readHistory(path, h, error)) << error;
    EXPECT_TRUE(h.records.empty());
    ASSERT_TRUE(appendHistory(path, {sample("A")}, error)) << error;
    ASSERT_TRUE(readHistory(path, h, error)) << error;
    EXPECT_EQ(h.records.size(), 1u);
    EXPECT_TRUE(h.setAside.empty());

    const std::string other = dir.file("other.csv");
    addBytes(other, "Name,Value\nx,1\n");
    EXPECT_FALSE(readHistory(other, h, error));
    EXPECT_NE(error.find("header"), std::string::npos);
    EXPECT_FALSE(appendHistory(other, {sample("A")}, error));
    EXPECT_EQ(slurp(other), "Name,Value\nx,1\n");
    EXPECT_FALSE(appendHistory(dir.file("missing/h.csv"), {sample("A")}, error));
}

TEST(History, SecondWriterIsRefusedWhileTheFirstIsOpen) {
    TempDir dir;
    const std::string path = dir.file("h.csv");
    std::string error;
    HistoryWriter first;
    ASSERT_TRUE(first.open(path, error)) << error;
    HistoryWriter second;
    EXPECT_FALSE(second.open(path, error));
    EXPECT_EQ(second.lastFailure(), HistoryFailure::Locked);
    EXPECT_NE(error.find("another program"), std::string::npos) << error;
    EXPECT_FALSE(appendHistory(path, {sample("X")}, error));
    EXPECT_FALSE(first.append({sample("A"), sample("")}, error));
    EXPECT_EQ(first.lastFailure(), HistoryFailure::Refused);
    ASSERT_TRUE(first.append({sample("A")}, error)) << error;
    EXPECT_EQ(first.lastFailure(), HistoryFailure::None);
    first.close();
    EXPECT_TRUE(appendHistory(path, {sample("B")}, error)) << error;
    HistoryFile h;
    ASSERT_TRUE(readHistory(path, h, error));
    ASSERT_EQ(h.records.size(), 2u);
    EXPECT_EQ(h.records[0].pointId, "A");
}

TEST(History, LastChangesAndFilters) {
    ChangeRecords r = {sample("A", "2026-03-01"), sample("B", "2026-05-01"),
                                   sample("A", "2026-06-01"), sample("A", "2026-04-01"),
                                   sample("B", "2026-05-01")};
    r[1].doneBy = "first";
    r[4].doneBy = "second"; // same date, recorded later
    r[4].recordedAt = "2026-12-10T09:00:00Z";
    r[1].location = "Hall 1";
    const auto last = lastChanges(r);
    ASSERT_EQ(last.size(), 2u);
    EXPECT_EQ(last.at("A"), 2u); // the latest date, though recorded before the 2026-04-01 one
    EXPECT_EQ(last.at("B"), 4u);

    HistoryFilter f;
    f.pointId = "A";
    EXPECT_EQ(filterHistory(r, f), (std::vector<std::size_t>{0, 2, 3}));
    f.from = parseIsoDate("2026-04-01");
    f.to = parseIsoDate("2026-05-31");
    EXPECT_EQ(filterHistory(r, f), (std::vector<std::size_t>{3}));
    HistoryFilter byLocation;
    byLocation.location = "Hall 2";
    EXPECT_EQ(filterHistory(r, byLocation), (std::vector<std::size_t>{0, 2, 3, 4}));
}

TEST(History, PathBesideThePlantFile) {
    EXPECT_EQ(historyPathFor("/data/mill.csv"), "/data/mill.history.csv");
    EXPECT_EQ(historyPathFor("/data/MILL.CSV"), "/data/MILL.history.csv");
    EXPECT_EQ(historyPathFor("/data.d/mill"), "/data.d/mill.history.csv");
}

// A writer killed at random moments, again and again, in the middle of appends of one or
// several records (some large, so that a write is cut short): every record that reads
// back is whole, the writers' records stand in the order written with none missing
// before the last one kept, and each kill leaves at most one line set aside.
TEST(History, RecordsSurviveTheWriterBeingKilled) {
    TempDir dir;
    const std::string path = dir.file("plant.history.csv");
    const auto expected = [](int run, int n) {
        ChangeRecord r = sample("R" + std::to_string(run) + "-" + std::to_string(n));
        r.remarks.assign(std::size_t(n % 7 == 0 ? 300000 : 40 + n % 50), char('a' + n % 26));
        r.remarks += ", \"end\"\n";
        return r;
    };
    std::mt19937 rng(20261210);
    constexpr int kRuns = 40;
    for (int run = 0; run < kRuns; ++run) {
        int started[2];
        ASSERT_EQ(pipe(started), 0);
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            HistoryWriter w;
            std::string error;
            if (!w.open(path, error))
                _exit(3);
            for (int n = 0;; n += 2) {
                if (!w.append({expected(run, n), expected(run, n + 1)}, error))
                    _exit(4);
                if (n == 0 && write(started[1], "x", 1) != 1)
                    _exit(5);
            }
        }
        // Killed once its first records are down, somewhere in the appends that follow.
        char c = 0;
        close(started[1]);
        ASSERT_EQ(read(started[0], &c, 1), 1);
        close(started[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(rng() % 15000));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself: " << status;
    }
    HistoryFile h;
    std::string error;
    ASSERT_TRUE(readHistory(path, h, error)) << error;
    EXPECT_LE(h.setAside.size(), std::size_t(kRuns));
    int run = -1, next = 0;
    std::size_t runsSeen = 0;
    for (const ChangeRecord& r : h.records) {
        const std::size_t dash = r.pointId.find('-');
        const int rr = std::stoi(r.pointId.substr(1, dash - 1));
        const int n = std::stoi(r.pointId.substr(dash + 1));
        if (rr != run) {
            ASSERT_GT(rr, run);
            run = rr;
            next = 0;
            ++runsSeen;
        }
        ASSERT_EQ(n, next) << "a record of run " << run << " is missing";
        ASSERT_EQ(r, expected(rr, n));
        ++next;
    }
    EXPECT_EQ(runsSeen, std::size_t(kRuns));
    for (const SetAsideLine& s : h.setAside)
        EXPECT_FALSE(s.reason.empty());
}
