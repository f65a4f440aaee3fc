#pragma once
// The history of a plant: every cartridge change done, one record per line of
// "<plant>.history.csv" beside the plant file.
//
// The file is only ever appended to, never rewritten: each append is one write of
// whole lines to a descriptor opened with O_APPEND, then fsync (and, when the file was
// just created, fsync of its folder too). A writer holds an exclusive advisory lock for
// as long as it is open, so a second program cannot interleave its records.
//
// Each record is one physical line, so a line cut short by a killed program or a power
// cut can be told from the records before it: the last field, the moment the record was
// written ("2026-12-10T16:40:05Z"), closes every whole line. A line that lacks it or
// does not read is set aside with its line number, the records around it stay, and the
// next append begins on a line of its own.
//
// Fields are CSV (RFC 4180 quoting for separators and quotes, UTF-8). A line break in a
// text is written as \n (\r for a carriage return) and a backslash as \\; other control
// characters and invalid UTF-8 are refused before anything is written.

#include "plan/date.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace unctora::plan {

struct ChangeRecord {
    std::string pointId;
    Date date{};              // the day the cartridge was changed
    std::string doneBy;
    std::string batch;        // batch or lot of the cartridge
    std::string location;     // of the point when the change was recorded
    std::string machine;
    std::string lubricator;   // model name
    std::string grease;       // grease name
    std::string setting;      // as dialled, as the badge shows it
    std::optional<double> settingValue; // the same as a number, when it is one
    std::string remarks;
    std::string recordedAt;   // UTC, "YYYY-MM-DDTHH:MM:SSZ"; filled by the writer when empty

    bool operator==(const ChangeRecord&) const = default;
};

// Storage for the records of a long history. Blocks of 2 MiB and more are mapped on
// their own and may be backed by huge pages: 100,000 records take some 34 MB, and
// touching them page by page cost more than reading them.
void* allocateLargeBlock(std::size_t bytes);
void freeLargeBlock(void* p, std::size_t bytes);
template <class T> struct LargeBlockAllocator {
    using value_type = T;
    LargeBlockAllocator() = default;
    template <class U> LargeBlockAllocator(const LargeBlockAllocator<U>&) noexcept {}
    T* allocate(std::size_t n) { return static_cast<T*>(allocateLargeBlock(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { freeLargeBlock(p, n * sizeof(T)); }
    template <class U> bool operator==(const LargeBlockAllocator<U>&) const noexcept { return true; }
};
using ChangeRecords = std::vector<ChangeRecord, LargeBlockAllocator<ChangeRecord>>;

// The column names of the file's header, in order.
const std::vector<std::string_view>& historyColumns();
// The header line, newline included.
std::string historyHeaderLine();

// "<plant>.history.csv" for "<plant>.csv" (a plant file without the .csv ending keeps
// its whole name).
std::string historyPathFor(const std::string& plantPath);

// The moment as the file stores it.
std::string utcTimestamp();
bool validTimestamp(std::string_view text);

// Why a record cannot be written (English, for the log and the command line), or an
// empty text when it can: an Id is required, texts must be valid UTF-8 without control
// characters other than tab and line breaks.
std::string recordProblem(const ChangeRecord& record);

// One line of the file for the record, newline included.
std::string historyLine(const ChangeRecord& record);

// A line that was not taken as a record.
struct SetAsideLine {
    long line = 0;          // 1-based line number in the file
    std::string text;       // as it stands in the file (without the newline)
    std::string reason;     // English
    bool torn = false;      // the last line of the file: what a killed writer leaves
};

struct HistoryFile {
    ChangeRecords records; // in file order
    std::vector<SetAsideLine> setAside;
    bool existed = false;
};

// Reads the file's bytes (the header first). A missing or wrong header is an error
// (false, nothing read) unless the file is empty.
bool parseHistory(std::string_view bytes, HistoryFile& out, std::string& error);
// Reads the file; a missing file is an empty history (true, existed false).
bool readHistory(const std::string& path, HistoryFile& out, std::string& error);

// Why the last open or append failed, for the window to choose its message.
enum class HistoryFailure {
    None,
    Locked,  // another writer holds the file
    Refused, // a record cannot be written (no Id, a control character, invalid UTF-8)
    System,  // the file cannot be opened, read or written (the message says why)
};

// Appends records while it is open; holds the file's exclusive lock.
class HistoryWriter {
public:
    HistoryWriter() = default;
    ~HistoryWriter();
    HistoryWriter(const HistoryWriter&) = delete;
    HistoryWriter& operator=(const HistoryWriter&) = delete;
    HistoryWriter(HistoryWriter&& other) noexcept;
    HistoryWriter& operator=(HistoryWriter&& other) noexcept;

    // Opens (creating it with its header when missing) and locks the file. False with a
    // message when it cannot be opened or another writer holds it.
    bool open(const std::string& path, std::string& error);
    bool isOpen() const { return m_fd >= 0; }
    void close();

    // Appends the records as one write of whole lines and syncs them to the disk. A
    // record without recordedAt gets the current moment. Nothing is written when any
    // record is refused; false with the reason.
    bool append(std::vector<ChangeRecord> records, std::string& error);
    HistoryFailure lastFailure() const { return m_failure; }

private:
    int m_fd = -1;
    HistoryFailure m_failure = HistoryFailure::None;
    std::string m_path;
};

// Appends with a writer opened for the purpose.
bool appendHistory(const std::string& path, const std::vector<ChangeRecord>& records, std::string& error);

// The last change of each point: the latest date, and of one date the one recorded
// last. Index into `records` by point Id.
std::unordered_map<std::string, std::size_t> lastChanges(const ChangeRecords& records);

struct HistoryFilter {
    std::string pointId;  // exact; empty: every point
    std::string location; // exact; empty: every location
    std::optional<Date> from; // inclusive
    std::optional<Date> to;   // inclusive
};
// Indices into `records` that pass, in file order.
std::vector<std::size_t> filterHistory(const ChangeRecords& records, const HistoryFilter& filter);

} // namespace unctora::plan
