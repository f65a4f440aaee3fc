#include "plan/plantfile.h"

#include "cli/csv.h"
#include "files/fileio.h"
#include "strings/ascii.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <memory>

namespace unctora::plan {

namespace {

constexpr std::string_view kOwnNames[kOwnColumnCount] = {"Id",          "Location",  "Machine", "Unit",
                                                         "InstalledOn", "Volume_ml", "Remarks"};

constexpr auto trimmed = strings::trimBlanks;

using strings::equalsNoCase;

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

} // namespace

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

bool parsePlantFile(std::string_view bytes, PlantFile& file, std::string& error) {
    PlantFile out;
    out.dialect = detectDialect(bytes);
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
    cli::CsvReader reader(in.get(), out.dialect.separator);
    cli::CsvRecord rec;
    if (!reader.next(rec)) {
        file = std::move(out);
        return true;
    }
    if (!rec.error.empty()) {
        error = "line 1: " + rec.error;
        return false;
    }
    std::vector<std::size_t> columns;
    for (std::size_t i = 0; i < rec.count; ++i) {
        const std::string_view name = trimmed(rec.fields[i]);
        const std::optional<std::size_t> c = findColumn(name);
        if (!c) {
            error = "unknown column \"" + cli::printable(name) + "\" in the header";
            return false;
        }
        if (std::find(columns.begin(), columns.end(), *c) != columns.end()) {
            error = "the column \"" + cli::printable(name) + "\" appears twice in the header";
            return false;
        }
        columns.push_back(*c);
    }
    while (reader.next(rec)) {
        PlantPoint p;
        p.line = rec.line;
        if (!rec.error.empty() || rec.count != columns.size()) {
            p.readError = !rec.error.empty() ? rec.error
                                             : "expected " + std::to_string(columns.size()) + " fields, found " +
                                                   std::to_string(rec.count);
            p.raw.assign(rec.fields.begin(), rec.fields.begin() + static_cast<std::ptrdiff_t>(rec.count));
            // What can be placed is shown; the row itself is kept as read.
            for (std::size_t i = 0; i < columns.size() && i < rec.count; ++i)
                p.cells[columns[i]] = rec.fields[i];
        } else {
            for (std::size_t i = 0; i < columns.size(); ++i)
                p.cells[columns[i]] = rec.fields[i];
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

std::string plantFileBytes(const PlantFile& file) {
    const char sep = file.dialect.separator;
    std::string out;
    if (file.dialect.byteOrderMark)
        out.append("\xEF\xBB\xBF");
    for (std::size_t c = 0; c < plantColumnCount(); ++c) {
        if (c)
            out.push_back(sep);
        out.append(plantColumnName(c));
    }
    out.append("\r\n");
    for (const PlantPoint& p : file.points) {
        const std::vector<std::string>& fields = p.malformed() ? p.raw : p.cells;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i)
                out.push_back(sep);
            cli::appendCsvField(out, fields[i], sep);
        }
        out.append("\r\n");
    }
    return out;
}

void writePlantFile(const std::string& path, const PlantFile& file) {
    files::writeFileAtomically(path, plantFileBytes(file));
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
