#include "plan/stock.h"

#include "core/calcinputs.h"
#include "core/greases.h"
#include "files/fileio.h"
#include "io/csv.h"
#include "text/ascii.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <memory>
#include <sys/stat.h>

namespace unctora::plan {

namespace {

struct Template {
    std::string_view key, english;
};
constexpr Template kFieldCount{"strPlanMsgFieldCount", "expected %d fields, found %d"};
constexpr Template kNotModel{"strPlanStockNotModel", "column %s: \"%s\" is not a lubricator model"};
constexpr Template kNotGrease{"strPlanStockNotGrease", "column %s: \"%s\" is not a grease"};
constexpr Template kNotCount{"strPlanStockNotCount",
                             "column %s: \"%s\" is not a whole number of cartridges from 0 to 100000"};
constexpr Template kNotDays{"strPlanStockNotDays", "column %s: \"%s\" is not a whole number of days from 0 to 730"};
constexpr Template kTwice{"strPlanStockTwice", "the same lubricator and grease as line %d"};

PlanMessage problem(const Template& t, long line,
                    std::vector<std::variant<long long, double, std::string, PlanMessage::Item>> args) {
    PlanMessage m{t.key, t.english, std::move(args)};
    m.line = line;
    return m;
}

std::string_view columnName(StockColumn c) { return kStockColumnNames[static_cast<int>(c)]; }

// An item by its English name (letter case and blanks aside) or its number.
std::optional<int> itemIndex(std::string_view text, int count, std::string (*name)(int)) {
    text = text::trimBlanks(text);
    for (int i = 0; i < count; ++i)
        if (text::equalsNoCase(name(i), text))
            return i;
    int n = -1;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), n);
    if (!text.empty() && r.ec == std::errc() && r.ptr == text.data() + text.size() && n >= 0 && n < count)
        return n;
    return std::nullopt;
}

std::optional<int> wholeNumber(std::string_view text, int max) {
    text = text::trimBlanks(text);
    int n = -1;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), n);
    if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size() || n < 0 || n > max)
        return std::nullopt;
    return n;
}

// Where each of our columns stands in the file's header; -1 when it lacks it.
std::array<int, kStockColumnCount> ourColumns(const std::vector<std::string>& columns) {
    std::array<int, kStockColumnCount> at;
    at.fill(-1);
    for (std::size_t i = 0; i < columns.size(); ++i)
        for (int c = 0; c < kStockColumnCount; ++c)
            if (text::equalsNoCase(text::trimBlanks(columns[i]), kStockColumnNames[c]) && at[c] < 0)
                at[c] = static_cast<int>(i);
    return at;
}

// Reads the cells of a row that fits the header; the problems go to `problems`.
void readRow(StockRow& row, const std::array<int, kStockColumnCount>& at, std::vector<PlanMessage>& problems) {
    auto cell = [&](StockColumn c) -> const std::string& { return row.cells[static_cast<std::size_t>(at[static_cast<int>(c)])]; };
    auto name = [](StockColumn c) { return std::string(columnName(c)); };
    row.item = row.valid = false;
    const auto lubricator = itemIndex(cell(StockColumn::Lubricator), core::kLubricatorCount, core::lubricatorName);
    const auto grease = itemIndex(cell(StockColumn::Grease), core::kGreaseCount, core::greaseName);
    const auto stock = wholeNumber(cell(StockColumn::Stock), kMaxStock);
    const auto lead = wholeNumber(cell(StockColumn::LeadTime), kMaxLeadDays);
    if (!lubricator)
        problems.push_back(problem(kNotModel, row.line, {name(StockColumn::Lubricator), cell(StockColumn::Lubricator)}));
    if (!grease)
        problems.push_back(problem(kNotGrease, row.line, {name(StockColumn::Grease), cell(StockColumn::Grease)}));
    if (!stock)
        problems.push_back(problem(kNotCount, row.line, {name(StockColumn::Stock), cell(StockColumn::Stock)}));
    if (!lead)
        problems.push_back(problem(kNotDays, row.line, {name(StockColumn::LeadTime), cell(StockColumn::LeadTime)}));
    if (lubricator && grease) {
        row.item = true;
        row.lubricator = *lubricator;
        row.grease = *grease;
    }
    if (row.item && stock && lead) {
        row.valid = true;
        row.stock = *stock;
        row.leadDays = *lead;
    }
}

void appendRow(std::string& out, const std::vector<const std::string*>& fields, char sep) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i)
            out.push_back(sep);
        io::appendCsvField(out, *fields[i], sep);
    }
    out.append("\r\n");
}

} // namespace

const StockRow* StockFile::find(int lubricator, int grease) const {
    for (const StockRow& r : rows)
        if (r.valid && r.lubricator == lubricator && r.grease == grease)
            return &r;
    return nullptr;
}

int StockFile::defaultLeadDays() const {
    int lead = -1;
    for (const StockRow& r : rows)
        if (r.valid)
            lead = std::max(lead, r.leadDays);
    return lead < 0 ? kDefaultLeadDays : lead;
}

void StockFile::set(int lubricator, int grease, int stock, int leadDays) {
    std::array<int, kStockColumnCount> at = ourColumns(columns);
    for (int c = 0; c < kStockColumnCount; ++c)
        if (at[c] < 0) {
            at[c] = static_cast<int>(columns.size());
            columns.emplace_back(kStockColumnNames[c]);
        }
    for (StockRow& r : rows)
        if (!r.malformed)
            r.cells.resize(columns.size());
    // The first row that names the item, even one whose counts did not read: a second
    // row would only be refused as the same item.
    auto it = std::find_if(rows.begin(), rows.end(),
                           [&](const StockRow& r) { return r.item && r.lubricator == lubricator && r.grease == grease; });
    if (it == rows.end()) {
        StockRow r;
        r.cells.resize(columns.size());
        r.cells[static_cast<std::size_t>(at[0])] = core::lubricatorName(lubricator);
        r.cells[static_cast<std::size_t>(at[1])] = core::greaseName(grease);
        r.item = true;
        r.lubricator = lubricator;
        r.grease = grease;
        rows.push_back(std::move(r));
        it = rows.end() - 1;
    }
    it->cells[static_cast<std::size_t>(at[2])] = std::to_string(stock);
    it->cells[static_cast<std::size_t>(at[3])] = std::to_string(leadDays);
    it->stock = stock;
    it->leadDays = leadDays;
    it->valid = true;
    it->edited = true;
    // The row's own problems are solved now; those of other rows stand.
    const long line = it->line;
    if (line > 0)
        std::erase_if(problems, [&](const PlanMessage& m) { return m.line == line; });
}

std::string stockPathFor(const std::string& plantPath) {
    std::string base = plantPath;
    const std::size_t slash = base.find_last_of('/');
    const std::size_t dot = base.find_last_of('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash + 1) &&
        text::equalsNoCase(std::string_view(base).substr(dot), ".csv"))
        base.erase(dot);
    return base + ".stock.csv";
}

bool parseStock(std::string_view bytes, StockFile& file, std::string& error) {
    StockFile out;
    out.existed = true;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        out.byteOrderMark = true;
        bytes.remove_prefix(3);
    }
    // A spreadsheet where the comma is the decimal separator writes semicolons.
    const std::string_view firstLine = bytes.substr(0, bytes.find_first_of("\r\n"));
    if (firstLine.find(';') != std::string_view::npos && firstLine.find(',') == std::string_view::npos)
        out.separator = ';';
    if (bytes.empty()) {
        file = std::move(out);
        return true;
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb"),
                                                        &std::fclose);
    if (!in) {
        error = "cannot read the stock list";
        return false;
    }
    io::CsvReader reader(in.get(), out.separator);
    io::CsvRecord rec;
    if (!reader.next(rec)) {
        file = std::move(out);
        return true;
    }
    if (!rec.error.empty()) {
        error = "line 1: " + rec.error;
        return false;
    }
    out.columns.assign(rec.fields.begin(), rec.fields.begin() + static_cast<std::ptrdiff_t>(rec.count));
    const auto at = ourColumns(out.columns);
    for (std::size_t i = 0; i < out.columns.size(); ++i)
        for (int c = 0; c < kStockColumnCount; ++c)
            if (at[c] >= 0 && at[c] != static_cast<int>(i) &&
                text::equalsNoCase(text::trimBlanks(out.columns[i]), kStockColumnNames[c])) {
                error = "the column \"" + std::string(kStockColumnNames[c]) + "\" appears twice in the header";
                return false;
            }
    if (std::find(at.begin(), at.end(), -1) != at.end()) {
        error = "the header does not name the columns Lubricator, Grease, Stock and LeadTime_days";
        return false;
    }
    const std::size_t width = out.columns.size();
    while (reader.next(rec)) {
        StockRow row;
        row.line = rec.line;
        std::string_view text = bytes.substr(static_cast<std::size_t>(rec.offset),
                                             static_cast<std::size_t>(reader.offset() - rec.offset));
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.remove_suffix(1);
        row.asRead = std::string(text);
        if (!rec.error.empty() || rec.count != width) {
            row.malformed = true;
            // The reader's own words for a quote out of place, as the plant file has them.
            if (!rec.error.empty())
                out.problems.push_back(problem(Template{{}, "%s"}, row.line, {rec.error}));
            else
                out.problems.push_back(problem(kFieldCount, row.line,
                                               {static_cast<long long>(width), static_cast<long long>(rec.count)}));
            out.rows.push_back(std::move(row));
            continue;
        }
        row.cells.assign(rec.fields.begin(), rec.fields.begin() + static_cast<std::ptrdiff_t>(rec.count));
        readRow(row, at, out.problems);
        if (row.item) {
            // An item is counted once: the first row that names it stands.
            const auto first = std::find_if(out.rows.begin(), out.rows.end(), [&](const StockRow& r) {
                return r.item && r.lubricator == row.lubricator && r.grease == row.grease;
            });
            if (first != out.rows.end()) {
                if (row.valid)
                    out.problems.push_back(problem(kTwice, row.line, {static_cast<long long>(first->line)}));
                row.item = row.valid = false;
            }
        }
        out.rows.push_back(std::move(row));
    }
    if (reader.failed()) {
        error = "cannot read the stock list";
        return false;
    }
    file = std::move(out);
    return true;
}

bool readStock(const std::string& path, StockFile& file, std::string& error) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 && errno == ENOENT) {
        file = StockFile{};
        return true;
    }
    std::string bytes, reason;
    if (!files::readWholeFile(path, bytes, files::kMaxSettingsFileBytes, &reason)) {
        error = "cannot read " + path + ": " + reason;
        return false;
    }
    if (!parseStock(bytes, file, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

std::string stockBytes(const StockFile& file) {
    std::vector<std::string> columns = file.columns;
    const auto at = ourColumns(columns);
    for (int c = 0; c < kStockColumnCount; ++c)
        if (at[c] < 0)
            columns.emplace_back(kStockColumnNames[c]);
    std::string out;
    if (file.byteOrderMark)
        out = "\xEF\xBB\xBF";
    std::vector<const std::string*> fields;
    for (const std::string& c : columns)
        fields.push_back(&c);
    appendRow(out, fields, file.separator);
    const std::string none;
    for (const StockRow& r : file.rows) {
        if (r.malformed || (r.line > 0 && !r.edited)) {
            out += r.asRead;
            out += "\r\n";
            continue;
        }
        fields.clear();
        for (std::size_t c = 0; c < columns.size(); ++c)
            fields.push_back(c < r.cells.size() ? &r.cells[c] : &none);
        appendRow(out, fields, file.separator);
    }
    return out;
}

void writeStock(const std::string& path, const StockFile& file) { files::writeFileAtomically(path, stockBytes(file)); }

} // namespace unctora::plan
