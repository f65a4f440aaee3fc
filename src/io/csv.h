#pragma once
// Streaming CSV in the form RFC 4180 describes: fields separated by commas,
// records by CR LF, LF or CR; a field in double quotes may hold commas, quotes
// (doubled) and line breaks. The reader keeps its buffers between records, so a
// list of any length is read in constant memory.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace unctora::io {

struct CsvRecord {
    std::vector<std::string> fields; // only the first `count` are this record's
    std::size_t count = 0;
    long line = 0;     // line of the input on which the record starts
    long long offset = 0; // byte of the input at which the record starts
    std::string error; // not empty when the record is malformed

    std::string_view field(std::size_t i) const { return fields[i]; }
};

class CsvReader {
public:
    // separator: ',' as RFC 4180 has it, or ';' as spreadsheets write it where the
    // comma is the decimal separator.
    explicit CsvReader(std::FILE* in, char separator = ',');
    // Reads the next record; false at the end of the input. Blank lines are skipped.
    bool next(CsvRecord& rec);
    // True when reading stopped on an input error rather than at the end.
    bool failed() const { return m_failed; }
    // Bytes of the input read so far: after next(), where the record read ends.
    long long offset() const { return m_consumed + static_cast<long long>(m_pos); }

private:
    int peek();
    int get();
    bool refill();

    std::FILE* m_in;
    char m_sep;
    std::vector<char> m_buf;
    std::size_t m_pos = 0;
    std::size_t m_len = 0;
    long long m_consumed = 0; // bytes of the input before the buffer
    bool m_eof = false;
    bool m_failed = false;
    bool m_atStart = true;
    long m_line = 1;
};

// Output gathered in memory and handed to its stream in large pieces. Every write and
// the final flush are checked; the first failure's errno is kept and nothing more is
// written after it.
class CheckedOutput {
public:
    explicit CheckedOutput(std::FILE* out) : m_out(out) {}
    std::string& buffer() { return m_buf; }
    // Hands the buffer to the stream once it has grown large.
    void drainIfLarge() {
        if (m_buf.size() > (1 << 16))
            drain();
    }
    void drain();
    // drain() and the stream's own flush.
    void flush();
    // 0 while every write went through.
    int error() const { return m_errno; }

private:
    std::FILE* m_out;
    std::string m_buf;
    int m_errno = 0;
};

// Appends one field, quoted when it holds the separator, a quote, CR or LF.
void appendCsvField(std::string& out, std::string_view field, char separator = ',');

// Appends a JSON string literal; invalid UTF-8 becomes U+FFFD so the output stays valid.
void appendJsonString(std::string& out, std::string_view text);

// Text from an input made safe to show on a terminal: control characters (an escape
// sequence could recolour or rewrite the user's screen) become \xNN, C1 controls \u0080
// to \u009F, a backslash stays a backslash.
std::string printable(std::string_view text);

} // namespace unctora::io
