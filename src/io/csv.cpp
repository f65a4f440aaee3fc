#include "io/csv.h"

#include <cerrno>

namespace unctora::io {

namespace {
constexpr std::size_t kBufferSize = 1 << 16;
}

CsvReader::CsvReader(std::FILE* in, char separator) : m_in(in), m_sep(separator), m_buf(kBufferSize) {}

bool CsvReader::refill() {
    if (m_eof)
        return false;
    m_consumed += static_cast<long long>(m_len);
    m_len = std::fread(m_buf.data(), 1, m_buf.size(), m_in);
    m_pos = 0;
    if (m_len == 0) {
        m_eof = true;
        m_failed = std::ferror(m_in) != 0;
        return false;
    }
    return true;
}

inline int CsvReader::peek() {
    if (m_pos == m_len && !refill())
        return EOF;
    return static_cast<unsigned char>(m_buf[m_pos]);
}

inline int CsvReader::get() {
    int c = peek();
    if (c != EOF)
        ++m_pos;
    return c;
}

bool CsvReader::next(CsvRecord& rec) {
    if (m_atStart) {
        m_atStart = false;
        // A byte-order mark is not part of the first column's name.
        if (peek() == 0xEF && m_pos + 2 < m_len && static_cast<unsigned char>(m_buf[m_pos + 1]) == 0xBB &&
            static_cast<unsigned char>(m_buf[m_pos + 2]) == 0xBF)
            m_pos += 3;
    }
    for (;;) {
        int c = peek();
        if (c == EOF)
            return false;
        // Skip blank lines between records.
        if (c == '\r' || c == '\n') {
            get();
            if (c == '\r' && peek() == '\n')
                get();
            ++m_line;
            continue;
        }
        break;
    }
    rec.count = 0;
    rec.line = m_line;
    rec.offset = offset();
    rec.error.clear();
    auto newField = [&]() -> std::string& {
        if (rec.count == rec.fields.size())
            rec.fields.emplace_back();
        std::string& f = rec.fields[rec.count++];
        f.clear();
        return f;
    };
    std::string* field = &newField();
    for (;;) {
        // Unquoted text runs to the next separator: copy it from the buffer in one piece.
        if (m_pos < m_len) {
            const char* b = m_buf.data() + m_pos;
            const char* e = m_buf.data() + m_len;
            const char* q = b;
            while (q < e && *q != m_sep && *q != '\r' && *q != '\n' && *q != '"')
                ++q;
            if (q != b && !(q < e && *q == '"')) {
                field->append(b, q);
                m_pos += q - b;
            }
        }
        int c = get();
        if (c == EOF)
            return true;
        if (c == m_sep) {
            field = &newField();
            continue;
        }
        if (c == '\r' || c == '\n') {
            if (c == '\r' && peek() == '\n')
                get();
            ++m_line;
            return true;
        }
        if (c == '"' && field->empty()) {
            // Quoted field: runs to the closing quote; "" stands for one quote.
            for (;;) {
                c = get();
                if (c == EOF) {
                    if (rec.error.empty())
                        rec.error = "a quoted field is not closed before the end of the input";
                    return true;
                }
                if (c == '"') {
                    if (peek() == '"') {
                        get();
                        field->push_back('"');
                        continue;
                    }
                    break;
                }
                if (c == '\n' || (c == '\r' && peek() != '\n'))
                    ++m_line;
                field->push_back(static_cast<char>(c));
            }
            c = peek();
            if (c != m_sep && c != '\r' && c != '\n' && c != EOF && rec.error.empty())
                rec.error = "text follows the closing quote of a field";
            continue;
        }
        if (c == '"' && rec.error.empty())
            rec.error = "a double quote stands inside an unquoted field";
        field->push_back(static_cast<char>(c));
    }
}

void appendCsvField(std::string& out, std::string_view field, char separator) {
    bool plain = true;
    for (char c : field)
        if (c == separator || c == '"' || c == '\r' || c == '\n') {
            plain = false;
            break;
        }
    if (plain) {
        out.append(field);
        return;
    }
    out.push_back('"');
    for (char c : field) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

namespace {

// Length of the valid UTF-8 sequence at s[i], or 0 when it is not valid.
std::size_t utf8Length(std::string_view s, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    std::size_t n;
    unsigned char lo = 0x80, hi = 0xBF;
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) n = 2;
    else if (c == 0xE0) { n = 3; lo = 0xA0; }
    else if (c == 0xED) { n = 3; hi = 0x9F; }
    else if (c >= 0xE1 && c <= 0xEF) n = 3;
    else if (c == 0xF0) { n = 4; lo = 0x90; }
    else if (c == 0xF4) { n = 4; hi = 0x8F; }
    else if (c >= 0xF1 && c <= 0xF3) n = 4;
    else return 0;
    if (i + n > s.size())
        return 0;
    if (b(i + 1) < lo || b(i + 1) > hi)
        return 0;
    for (std::size_t k = 2; k < n; ++k)
        if (b(i + k) < 0x80 || b(i + k) > 0xBF)
            return 0;
    return n;
}

} // namespace

void appendJsonString(std::string& out, std::string_view text) {
    static const char* hex = "0123456789abcdef";
    out.push_back('"');
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(static_cast<char>(c));
            ++i;
        } else if (c < 0x20) {
            switch (c) {
            case '\n': out.append("\\n"); break;
            case '\r': out.append("\\r"); break;
            case '\t': out.append("\\t"); break;
            default:
                out.append("\\u00");
                out.push_back(hex[c >> 4]);
                out.push_back(hex[c & 15]);
            }
            ++i;
        } else if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            ++i;
        } else if (std::size_t n = utf8Length(text, i)) {
            out.append(text.substr(i, n));
            i += n;
        } else {
            out.append("\xEF\xBF\xBD");
            ++i;
        }
    }
    out.push_back('"');
}

std::string printable(std::string_view text) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F) {
            out += "\\x";
            out.push_back(hex[c >> 4]);
            out.push_back(hex[c & 15]);
        } else if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            const auto d = static_cast<unsigned char>(text[++i]);
            out += "\\u00";
            out.push_back(hex[d >> 4]);
            out.push_back(hex[d & 15]);
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

void CheckedOutput::drain() {
    if (m_buf.empty())
        return;
    errno = 0;
    if (m_errno == 0 && std::fwrite(m_buf.data(), 1, m_buf.size(), m_out) != m_buf.size())
        m_errno = errno ? errno : EIO;
    m_buf.clear();
}

void CheckedOutput::flush() {
    drain();
    errno = 0;
    if (m_errno == 0 && (std::fflush(m_out) != 0 || std::ferror(m_out)))
        m_errno = errno ? errno : EIO;
}

} // namespace unctora::io
