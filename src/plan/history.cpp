#include "plan/history.h"

#include <algorithm>
#include <cerrno>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <ctime>
#include <cstdlib>
#include <fcntl.h>
#include <new>
#include <sys/mman.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace unctora::plan {

namespace {

enum Col { cId, cDate, cDoneBy, cBatch, cLocation, cMachine, cLubricator, cGrease, cSetting, cSettingValue, cRemarks, cRecordedAt, cCount };

constexpr std::size_t kMaxHistoryBytes = std::size_t(1) << 30;

// Length of the valid UTF-8 sequence at s[i], or 0.
std::size_t utf8Length(std::string_view s, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    if (c < 0x80)
        return 1;
    std::size_t n = 0;
    unsigned min = 0;
    unsigned cp = 0;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
        cp = c & 0x1F;
        min = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        cp = c & 0x0F;
        min = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        cp = c & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + n > s.size())
        return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

std::string textProblem(std::string_view what, std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F)
            return std::string(what) + " holds a control character (code " + std::to_string(c) + ")";
        const std::size_t n = utf8Length(text, i);
        if (n == 0)
            return std::string(what) + " is not valid UTF-8";
        i += n;
    }
    return {};
}

void appendEscaped(std::string& out, std::string_view text) {
    std::string esc;
    esc.reserve(text.size());
    for (char c : text) {
        if (c == '\\')
            esc += "\\\\";
        else if (c == '\n')
            esc += "\\n";
        else if (c == '\r')
            esc += "\\r";
        else
            esc.push_back(c);
    }
    const bool quote = esc.find_first_of(",\"") != std::string::npos;
    if (!quote) {
        out += esc;
        return;
    }
    out.push_back('"');
    for (char c : esc) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

void unescapeInto(std::string& out, std::string_view s) {
    if (s.find('\\') == std::string_view::npos) {
        out.assign(s);
        return;
    }
    out.clear();
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            const char n = s[i + 1];
            if (n == 'n' || n == 'r' || n == '\\') {
                out.push_back(n == 'n' ? '\n' : n == 'r' ? '\r' : '\\');
                ++i;
                continue;
            }
        }
        out.push_back(s[i]);
    }
}

// Splits one line into its fields; false when a quote is left open or stray text
// follows a closing quote. Plain fields are views into the line; quoted ones are
// decoded into `scratch`, which keeps its buffers from line to line.
struct LineFields {
    std::vector<std::string_view> views;
    std::vector<std::string> scratch;
};

bool splitLine(std::string_view line, LineFields& out) {
    out.views.clear();
    std::size_t quoted = 0;
    std::size_t i = 0;
    while (true) {
        if (i < line.size() && line[i] == '"') {
            if (quoted == out.scratch.size())
                return false; // far more fields than a record has
            std::string& f = out.scratch[quoted++];
            f.clear();
            ++i;
            while (true) {
                const std::size_t q = line.find('"', i);
                if (q == std::string_view::npos)
                    return false;
                f.append(line.substr(i, q - i));
                if (q + 1 < line.size() && line[q + 1] == '"') {
                    f.push_back('"');
                    i = q + 2;
                    continue;
                }
                i = q + 1;
                break;
            }
            if (i < line.size() && line[i] != ',')
                return false;
            out.views.push_back(f); // scratch strings are not touched again for this line
        } else {
            const std::size_t end = std::min(line.find(',', i), line.size());
            const std::string_view raw = line.substr(i, end - i);
            if (raw.find('"') != std::string_view::npos)
                return false;
            out.views.push_back(raw);
            i = end;
        }
        if (i >= line.size())
            return true;
        ++i; // the comma
    }
}

std::string numberText(double v) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

// Reads one line as a record; the reason when it does not read.
std::string parseRecord(std::string_view line, LineFields& lf, ChangeRecord& rec) {
    if (!splitLine(line, lf))
        return "a quote is not closed";
    const std::vector<std::string_view>& fields = lf.views;
    if (fields.size() != cCount)
        return std::to_string(fields.size()) + " fields instead of " + std::to_string(int(cCount));
    if (!validTimestamp(fields[cRecordedAt]))
        return "no valid time of recording at its end";
    if (fields[cId].empty())
        return "no Id";
    const std::optional<Date> d = parseIsoDate(fields[cDate]);
    if (!d)
        return "the date is not a date (YYYY-MM-DD)";
    rec.settingValue.reset();
    if (!fields[cSettingValue].empty()) {
        double v = 0;
        const std::string_view t = fields[cSettingValue];
        const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
        if (r.ec != std::errc() || r.ptr != t.data() + t.size())
            return "the setting value is not a number";
        rec.settingValue = v;
    }
    unescapeInto(rec.pointId, fields[cId]);
    rec.date = *d;
    unescapeInto(rec.doneBy, fields[cDoneBy]);
    unescapeInto(rec.batch, fields[cBatch]);
    unescapeInto(rec.location, fields[cLocation]);
    unescapeInto(rec.machine, fields[cMachine]);
    unescapeInto(rec.lubricator, fields[cLubricator]);
    unescapeInto(rec.grease, fields[cGrease]);
    unescapeInto(rec.setting, fields[cSetting]);
    unescapeInto(rec.remarks, fields[cRemarks]);
    rec.recordedAt.assign(fields[cRecordedAt]);
    return {};
}

} // namespace

std::string historyHeaderLine() {
    std::string h;
    for (std::string_view c : historyColumns()) {
        if (!h.empty())
            h.push_back(',');
        h += c;
    }
    h.push_back('\n');
    return h;
}

namespace {

std::string sysError(std::string_view what, const std::string& path, int err) {
    return std::string(what) + " " + path + ": " + std::strerror(err);
}


} // namespace

namespace {
constexpr std::size_t kHugePage = std::size_t(2) << 20;
}

void* allocateLargeBlock(std::size_t bytes) {
    if (bytes < kHugePage) {
        void* p = std::malloc(bytes ? bytes : 1);
        if (!p)
            throw std::bad_alloc();
        return p;
    }
    const std::size_t size = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* p = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        throw std::bad_alloc();
    ::madvise(p, size, MADV_HUGEPAGE); // a hint: without huge pages it works as well
    return p;
}

void freeLargeBlock(void* p, std::size_t bytes) {
    if (!p)
        return;
    if (bytes < kHugePage) {
        std::free(p);
        return;
    }
    ::munmap(p, (bytes + kHugePage - 1) / kHugePage * kHugePage);
}

const std::vector<std::string_view>& historyColumns() {
    static const std::vector<std::string_view> cols = {
        "Id", "Date", "DoneBy", "Batch", "Location", "Machine", "Lubricator",
        "Grease", "Setting", "SettingValue", "Remarks", "RecordedAt"};
    return cols;
}

std::string historyPathFor(const std::string& plantPath) {
    std::string base = plantPath;
    const std::size_t slash = base.find_last_of('/');
    const std::size_t dot = base.find_last_of('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash + 1)) {
        std::string ext = base.substr(dot);
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        if (ext == ".csv")
            base.erase(dot);
    }
    return base + ".history.csv";
}

std::string utcTimestamp() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return buf;
}

bool validTimestamp(std::string_view t) {
    if (t.size() != 20 || t[10] != 'T' || t[13] != ':' || t[16] != ':' || t[19] != 'Z')
        return false;
    if (!parseIsoDate(t.substr(0, 10)))
        return false;
    const auto two = [&](std::size_t at, int max) {
        if (t[at] < '0' || t[at] > '9' || t[at + 1] < '0' || t[at + 1] > '9')
            return false;
        return (t[at] - '0') * 10 + (t[at + 1] - '0') <= max;
    };
    return two(11, 23) && two(14, 59) && two(17, 60);
}

std::string recordProblem(const ChangeRecord& r) {
    if (r.pointId.empty())
        return "the record has no point Id";
    const std::pair<std::string_view, const std::string*> texts[] = {
        {"the Id", &r.pointId},         {"Done by", &r.doneBy},       {"the batch", &r.batch},
        {"the location", &r.location},  {"the machine", &r.machine},  {"the lubricator", &r.lubricator},
        {"the grease", &r.grease},      {"the setting", &r.setting},  {"the remarks", &r.remarks}};
    for (const auto& [what, text] : texts) {
        std::string p = textProblem(what, *text);
        if (!p.empty())
            return p;
    }
    if (!parseIsoDate(isoDate(r.date)))
        return "the date is outside 1900 to 9999";
    if (!r.recordedAt.empty() && !validTimestamp(r.recordedAt))
        return "the time of recording is not YYYY-MM-DDTHH:MM:SSZ";
    if (r.settingValue && !std::isfinite(*r.settingValue))
        return "the setting value is not a finite number";
    return {};
}

std::string historyLine(const ChangeRecord& r) {
    std::string line;
    line.reserve(128 + r.remarks.size());
    const std::string* texts[] = {&r.pointId, nullptr, &r.doneBy, &r.batch, &r.location, &r.machine,
                                  &r.lubricator, &r.grease, &r.setting, nullptr, &r.remarks};
    for (int c = 0; c < cRecordedAt; ++c) {
        if (c > 0)
            line.push_back(',');
        if (c == cDate)
            line += isoDate(r.date);
        else if (c == cSettingValue) {
            if (r.settingValue)
                line += numberText(*r.settingValue);
        } else
            appendEscaped(line, *texts[c]);
    }
    line.push_back(',');
    line += r.recordedAt;
    line.push_back('\n');
    return line;
}

bool parseHistory(std::string_view bytes, HistoryFile& out, std::string& error) {
    out.records.clear();
    out.setAside.clear();
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    if (bytes.empty())
        return true;
    std::size_t pos = 0;
    long lineNo = 0;
    LineFields fields;
    // Views into quoted fields must stay valid while a line is split: room for more
    // fields than a line can hold is made before any is read.
    fields.scratch.resize(64);
    out.records.reserve(std::size_t(std::count(bytes.begin(), bytes.end(), '\n')));
    bool headerSeen = false;
    while (pos < bytes.size()) {
        const std::size_t nl = bytes.find('\n', pos);
        const bool closed = nl != std::string_view::npos;
        std::string_view line = bytes.substr(pos, (closed ? nl : bytes.size()) - pos);
        pos = closed ? nl + 1 : bytes.size();
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const bool last = pos >= bytes.size();
        if (!headerSeen) {
            // A header cut short is what a writer killed while creating the file leaves.
            if (!splitLine(line, fields) || fields.views.size() != historyColumns().size() ||
                !std::equal(fields.views.begin(), fields.views.end(), historyColumns().begin())) {
                if (last && !closed && historyHeaderLine().starts_with(std::string(line) )) {
                    out.setAside.push_back({lineNo, std::string(line), "the header is cut short", true});
                    return true;
                }
                error = "the first line is not the header of a history file";
                return false;
            }
            headerSeen = true;
            continue;
        }
        if (line.empty())
            continue;
        // Read straight into its place; a line that does not read gives it back.
        ChangeRecord& rec = out.records.emplace_back();
        const std::string why = parseRecord(line, fields, rec);
        if (!why.empty()) {
            out.records.pop_back();
            out.setAside.push_back({lineNo, std::string(line), why, last});
        }
    }
    return true;
}

bool readHistory(const std::string& path, HistoryFile& out, std::string& error) {
    out = HistoryFile{};
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return true;
        error = sysError("Cannot open", path, errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || std::size_t(st.st_size) > kMaxHistoryBytes) {
        error = S_ISREG(st.st_mode) ? path + " is larger than 1 GB" : path + " is not a regular file";
        ::close(fd);
        return false;
    }
    // Not zero-filled first: the read fills it, and a large history is read at every
    // opening of the plan.
    const std::size_t size = std::size_t(st.st_size);
    struct Block {
        char* p;
        std::size_t n;
        ~Block() { freeLargeBlock(p, n); }
    } buffer{static_cast<char*>(allocateLargeBlock(size)), size};
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd, buffer.p + got, size - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = sysError("Cannot read", path, errno);
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        got += std::size_t(n);
    }
    ::close(fd);
    const std::string_view bytes(buffer.p, got);
    out.existed = true;
    if (!parseHistory(bytes, out, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}


std::unordered_map<std::string, std::size_t> lastChanges(const ChangeRecords& records) {
    std::unordered_map<std::string, std::size_t> last;
    last.reserve(records.size() / 4 + 16);
    for (std::size_t i = 0; i < records.size(); ++i) {
        auto [it, inserted] = last.try_emplace(records[i].pointId, i);
        if (!inserted) {
            const ChangeRecord& prev = records[it->second];
            // A later date wins; of one date, the later recording (file order breaks ties).
            if (records[i].date > prev.date ||
                (records[i].date == prev.date && records[i].recordedAt >= prev.recordedAt))
                it->second = i;
        }
    }
    return last;
}

std::vector<std::size_t> filterHistory(const ChangeRecords& records, const HistoryFilter& f) {
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const ChangeRecord& r = records[i];
        if ((!f.pointId.empty() && r.pointId != f.pointId) || (!f.location.empty() && r.location != f.location) ||
            (f.from && r.date < *f.from) || (f.to && r.date > *f.to))
            continue;
        out.push_back(i);
    }
    return out;
}

} // namespace unctora::plan
