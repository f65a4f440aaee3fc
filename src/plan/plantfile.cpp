#include "plan/plantfile.h"

#include "io/rows.h"
#include "io/csv.h"
#include "files/fileio.h"
#include "text/ascii.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <memory>

namespace unctora::plan {

namespace {

constexpr const auto& kOwnNames = io::kOwnColumnNames;

constexpr auto trimmed = text::trimBlanks;

using text::equalsNoCase;

std::optional<std::size_t> findColumn(std::string_view name) {
    for (std::size_t c = 0; c < plantColumnCount(); ++c)
        if (equalsNoCase(plantColumnName(c), name))
            return c;
    return std::nullopt;
}

// The separator of the header line: a semicolon when the line has semicolons and no
// comma outside quotes, as spreadsheets write it where the comma is the decimal one.
CsvDialect detectDialect(std::string_view bytes) {
    CsvDialect d;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        d.byteOrderMark = true;
        bytes.remove_prefix(3);
    }
    bool quoted = false;
    int commas = 0, semicolons = 0;
    for (char c : bytes) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\r' || c == '\n'))
            break;
        else if (!quoted && c == ',')
            ++commas;
        else if (!quoted && c == ';')
            ++semicolons;
    }
    if (semicolons > 0 && commas == 0) {
        d.separator = ';';
        d.decimalComma = true;
    }
    return d;
}

// Windows-1252 from 0x80 to 0x9F; the unassigned five stand for themselves.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::vector<std::string_view> knownColumnNames() {
    std::vector<std::string_view> out;
    for (std::size_t c = 0; c < plantColumnCount(); ++c)
        out.push_back(plantColumnName(c));
    return out;
}

// A row as written: its fields in the dialect's separator.
void appendRow(std::string& out, const std::vector<const std::string*>& fields, char sep) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i)
            out.push_back(sep);
        io::appendCsvField(out, *fields[i], sep);
    }
    out.append("\r\n");
}

} // namespace

std::size_t decodeUtf8(std::string_view s, std::size_t i, char32_t& c) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char first = b(i);
    if (first < 0x80) {
        c = first;
        return 1;
    }
    std::size_t n;
    unsigned char lo = 0x80, hi = 0xBF;
    if (first >= 0xC2 && first <= 0xDF) n = 2;
    else if (first == 0xE0) { n = 3; lo = 0xA0; }
    else if (first == 0xED) { n = 3; hi = 0x9F; }
    else if (first >= 0xE1 && first <= 0xEF) n = 3;
    else if (first == 0xF0) { n = 4; lo = 0x90; }
    else if (first == 0xF4) { n = 4; hi = 0x8F; }
    else if (first >= 0xF1 && first <= 0xF3) n = 4;
    else return 0;
    if (i + n > s.size() || b(i + 1) < lo || b(i + 1) > hi)
        return 0;
    for (std::size_t k = 2; k < n; ++k)
        if (b(i + k) < 0x80 || b(i + k) > 0xBF)
            return 0;
    c = first & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k)
        c = (c << 6) | (b(i + k) & 0x3F);
    return n;
}

bool isUtf8(std::string_view bytes) {
    char32_t c;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t n = decodeUtf8(bytes, i, c);
        if (!n)
            return false;
        i += n;
    }
    return true;
}

std::string fromWindows1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        appendUtf8(out, b < 0x80 ? b : b < 0xA0 ? kCp1252High[b - 0x80] : b);
    }
    return out;
}

bool toWindows1252(std::string_view utf8, std::string& out) {
    out.clear();
    out.reserve(utf8.size());
    char32_t c;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = decodeUtf8(utf8, i, c);
        if (!n)
            return false;
        i += n;
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        const auto at = std::find(std::begin(kCp1252High), std::end(kCp1252High), c);
        if (at == std::end(kCp1252High))
            return false;
        out.push_back(static_cast<char>(0x80 + (at - std::begin(kCp1252High))));
    }
    return true;
}

std::string_view ownColumnName(OwnColumn c) { return kOwnNames[static_cast<std::size_t>(c)]; }

std::size_t plantColumnCount() { return kOwnColumnCount + core::inputFields().size(); }

std::string_view plantColumnName(std::size_t column) {
    return column < kOwnColumnCount ? kOwnNames[column] : core::inputFields()[column - kOwnColumnCount].name;
}

const core::InputField* plantColumnField(std::size_t column) {
    return column < kOwnColumnCount ? nullptr : &core::inputFields()[column - kOwnColumnCount];
}

std::size_t columnOf(OwnColumn c) { return static_cast<std::size_t>(c); }

std::size_t columnOf(const core::InputField& f) {
    return kOwnColumnCount + static_cast<std::size_t>(&f - core::inputFields().data());
}

bool parsePlantFile(std::string_view given, PlantFile& file, std::string& error) {
    PlantFile out;
    out.dialect = detectDialect(given);
    std::string converted;
    std::string_view bytes = given;
    if (!isUtf8(bytes)) {
        out.dialect.encoding = Encoding::Windows1252;
        converted = fromWindows1252(bytes);
        bytes = converted;
    }
    // fmemopen cannot open an empty buffer.
    if (bytes.empty()) {
        file = std::move(out);
        return true;
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(
        fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb"), &std::fclose);
    if (!in) {
        error = "cannot read the plant file";
        return false;
    }
    io::CsvReader reader(in.get(), out.dialect.separator);
    io::CsvRecord rec;
    if (!reader.next(rec)) {
        file = std::move(out);
        return true;
    }
    if (!rec.error.empty()) {
        error = "line 1: " + rec.error;
        return false;
    }
    std::vector<std::size_t> known;
    for (std::size_t i = 0; i < rec.count; ++i) {
        const std::string_view name = trimmed(rec.fields[i]);
        FileColumn column;
        column.name = rec.fields[i];
        column.known = findColumn(name);
        if (!column.known) {
            if (const std::string_view meant = io::meantColumn(name, knownColumnNames()); !meant.empty()) {
                error = io::mistypedColumnError(name, meant);
                return false;
            }
            column.unknown = out.unknownColumns.size();
            out.unknownColumns.emplace_back(name);
        } else if (std::find(known.begin(), known.end(), *column.known) != known.end()) {
            error = "the column \"" + io::printable(name) + "\" appears twice in the header";
            return false;
        } else {
            known.push_back(*column.known);
        }
        out.columns.push_back(std::move(column));
    }
    const std::size_t width = out.columns.size();
    while (reader.next(rec)) {
        PlantPoint p;
        p.line = rec.line;
        p.extra.resize(out.unknownColumns.size());
        const bool fits = rec.error.empty() && rec.count == width;
        if (!fits) {
            p.readError = !rec.error.empty() ? rec.error
                                             : "expected " + std::to_string(width) + " fields, found " +
                                                   std::to_string(rec.count);
            p.raw.assign(rec.fields.begin(), rec.fields.begin() + static_cast<std::ptrdiff_t>(rec.count));
            std::string_view text = bytes.substr(static_cast<std::size_t>(rec.offset),
                                                 static_cast<std::size_t>(reader.offset() - rec.offset));
            while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
                text.remove_suffix(1);
            p.rawText = text;
        }
        // What can be placed is shown; a row that does not fit is kept as read.
        for (std::size_t i = 0; i < width && i < rec.count; ++i) {
            const FileColumn& c = out.columns[i];
            (c.known ? p.cells[*c.known] : p.extra[c.unknown]) = rec.fields[i];
        }
        out.points.push_back(std::move(p));
    }
    if (reader.failed()) {
        error = "cannot read the plant file";
        return false;
    }
    file = std::move(out);
    return true;
}

bool readPlantFile(const std::string& path, PlantFile& file, std::string& error) {
    std::string bytes, reason;
    if (!files::readWholeFile(path, bytes, files::kMaxLanguageFileBytes, &reason)) {
        error = "cannot read " + path + ": " + reason;
        return false;
    }
    if (!parsePlantFile(bytes, file, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

std::string plantFileBytes(const PlantFile& file, CsvDialect* used) {
    CsvDialect dialect = file.dialect;
    const char sep = dialect.separator;
    // The file's columns in its order, then ours that it lacks.
    std::vector<FileColumn> columns = file.columns;
    for (std::size_t c = 0; c < plantColumnCount(); ++c)
        if (std::none_of(columns.begin(), columns.end(), [&](const FileColumn& f) { return f.known == c; }))
            columns.push_back({std::string(plantColumnName(c)), c, 0});
    std::string out;
    std::vector<const std::string*> fields;
    std::vector<std::string> names;
    names.reserve(columns.size());
    for (const FileColumn& c : columns)
        names.push_back(c.known ? std::string(plantColumnName(*c.known)) : c.name);
    for (const std::string& n : names)
        fields.push_back(&n);
    appendRow(out, fields, sep);
    const std::string none;
    for (const PlantPoint& p : file.points) {
        if (p.malformed()) {
            if (!p.rawText.empty() || p.raw.empty()) {
                out.append(p.rawText);
                out.append("\r\n");
            } else {
                fields.clear();
                for (const std::string& f : p.raw)
                    fields.push_back(&f);
                appendRow(out, fields, sep);
            }
            continue;
        }
        fields.clear();
        for (const FileColumn& c : columns)
            fields.push_back(c.known ? &p.cells[*c.known] : c.unknown < p.extra.size() ? &p.extra[c.unknown] : &none);
        appendRow(out, fields, sep);
    }
    std::string encoded;
    if (dialect.encoding == Encoding::Windows1252 && !toWindows1252(out, encoded)) {
        // A text typed in that the code page cannot hold: UTF-8 keeps it, and the mark
        // tells spreadsheets so.
        dialect.encoding = Encoding::Utf8;
        dialect.byteOrderMark = true;
    }
    if (used)
        *used = dialect;
    if (dialect.encoding == Encoding::Windows1252)
        return encoded;
    return dialect.byteOrderMark ? "\xEF\xBB\xBF" + out : out;
}

CsvDialect writePlantFile(const std::string& path, const PlantFile& file) {
    CsvDialect used;
    files::writeFileAtomically(path, plantFileBytes(file, &used));
    return used;
}

std::string numberText(std::string_view cell, const CsvDialect& dialect) {
    std::string t(trimmed(cell));
    if (dialect.decimalComma)
        std::replace(t.begin(), t.end(), ',', '.');
    return t;
}

std::string numberCell(double v, const CsvDialect& dialect) {
    char buf[32];
    std::string t(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
    if (dialect.decimalComma)
        std::replace(t.begin(), t.end(), '.', ',');
    return t;
}

void storeInputs(PlantPoint& point, const core::CalcInputs& in, const CsvDialect& dialect) {
    for (const core::InputField& f : core::inputFields()) {
        std::string& cell = point.cells[columnOf(f)];
        if (f.number) {
            cell = numberCell(in.*f.number, dialect);
        } else {
            const int i = in.*f.index;
            cell = i >= 0 && static_cast<std::size_t>(i) < f.items.size() ? std::string(trimmed(f.items[i]))
                                                                          : std::to_string(i);
        }
    }
}

} // namespace unctora::plan
