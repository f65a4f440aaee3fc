// The batch calculator's writer: one assessment per row, as CSV or JSON Lines.

#include "cli/batch.h"

#include "advice/notetext.h"
#include "cli/outputcolumns.h"
#include "io/csv.h"
#include "text/keys.h"
#include "strings/stringtable.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cmath>
#include <cstring>

namespace unctora::cli {

namespace {
// Raw writers for the bounded middle of a row, which is built on the stack and
// appended in one piece.
char* putInt(char* p, long long v) { return std::to_chars(p, p + 24, v).ptr; }

// The shortest text that reads back to the same double; whole numbers take the
// integer path, which gives the same text faster.
char* putNumber(char* p, double v) {
    if (v == std::trunc(v) && std::fabs(v) < 1e15 && !(v == 0 && std::signbit(v)))
        return putInt(p, static_cast<long long>(v));
    return std::to_chars(p, p + 32, v).ptr;
}

void appendInt(std::string& out, long long v);

// The shortest text that reads back to the same double; whole numbers take the
// integer path, which gives the same text faster.
void appendNumber(std::string& out, double v) {
    if (v == std::trunc(v) && std::fabs(v) < 1e15 && !(v == 0 && std::signbit(v))) {
        appendInt(out, static_cast<long long>(v));
        return;
    }
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

void appendInt(std::string& out, long long v) {
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

std::string_view colourName(reports::BadgeColour c) {
    return c == reports::BadgeColour::Red ? "red" : "white";
}

// A page as a spreadsheet cell shows it without texts: "Note 4", the warning's key,
// or the error's message.
void appendPageName(std::string& out, const advice::Page& p) {
    switch (p.kind) {
    case advice::Page::Kind::Note:
        out.append("Note ");
        appendInt(out, p.code);
        break;
    case advice::Page::Kind::Warning:
        out.append(p.key);
        break;
    case advice::Page::Kind::Error:
        out.append(p.message);
        break;
    }
}
} // namespace

BatchWriter::BatchWriter(std::FILE* out, const BatchOptions& options)
    : m_output(out), m_options(options) {
    m_buf.reserve(1 << 17);
    // The mass labels follow the language, as they do when the window applies one.
    if (const strings::StringTable* t = m_options.texts) {
        m_labels.setMassUnitLabel(core::Units::SI, strings::LangStr(t, text::keys::strGram));
        m_labels.setMassUnitLabel(core::Units::Imperial, strings::LangStr(t, text::keys::stroz));
    }
    m_quantity.units = m_options.units;
    m_quantity.labels = &m_labels;
    m_quantity.decimalSeparator = ".";
}

BatchWriter::~BatchWriter() { flush(); }

void BatchWriter::flush() { m_output.flush(); }

void BatchWriter::writeHeader() {
    if (m_options.format != OutputFormat::Csv)
        return;
    bool first = true;
    for (const OutputColumn& c : outputColumns()) {
        if (c.logOnly && !m_options.log)
            continue;
        if (!first)
            m_buf.push_back(',');
        first = false;
        m_buf.append(c.name);
    }
    m_buf.append("\r\n");
}

void BatchWriter::write(Application& app) {
    reports::Assessment& a = m_assessment;
    m_log.clear();
    m_pageTexts.clear();
    if (app.valid) {
        // A row is read as the window's controls hold their values: numbers as
        // whole values in range, indexes clamped.
        core::clampInputs(app.inputs);
        reports::AssessOptions options;
        options.units = m_options.units;
        options.log = m_options.log ? &m_log : nullptr;
        reports::assess(app.inputs, options, a);
        app.inputs = a.inputs;
        if (m_options.texts)
            for (const advice::Page& p : a.pages)
                m_pageTexts.push_back(advice::pageText(p, m_options.texts, m_quantity));
    } else {
        a.ok = false;
        a.pages.clear();
    }
    if (m_options.format == OutputFormat::Csv)
        writeCsv(app);
    else
        writeJson(app);
    m_output.drainIfLarge();
}

void BatchWriter::writeCsv(const Application& app) {
    std::string& o = m_buf;
    const auto columns = outputColumns();
    const bool computed = app.valid && m_assessment.ok;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const OutputColumn& c = columns[i];
        if (c.logOnly && !m_options.log)
            continue;
        if (i)
            o.push_back(',');
        if (c.cell == Cell::Input || c.cell == Cell::Result) {
            // A run of numbers is put together on the stack and appended in one piece:
            // at most 32 characters each.
            char row[2048];
            char* p = row;
            for (const std::size_t start = i;
                 i < columns.size() && columns[i].cell == c.cell && p < row + sizeof row - 64; ++i) {
                const OutputColumn& n = columns[i];
                if (i != start)
                    *p++ = ',';
                if (n.cell == Cell::Input) {
                    if (app.valid)
                        p = putNumber(p, n.input->get(app.inputs));
                } else if (computed) {
                    if (const std::optional<double> v = n.result(m_assessment.results))
                        p = n.integer ? putInt(p, static_cast<long long>(*v)) : putNumber(p, *v);
                }
            }
            --i;
            o.append(row, p - row);
            continue;
        }
        appendCsvCell(o, c, app);
    }
    o.append("\r\n");
}

// One cell of a CSV row other than the numbers (see writeCsv). An invalid row has only its Id, status, error (and an empty
// log); a row whose calculation failed has no results and no setting.
void BatchWriter::appendCsvCell(std::string& o, const OutputColumn& c, const Application& app) {
    const reports::Assessment& r = m_assessment;
    switch (c.cell) {
    case Cell::Id:
        io::appendCsvField(o, app.id);
        return;
    case Cell::Status:
        o.append(!app.valid ? "invalid" : r.ok ? "ok" : "failed");
        return;
    case Cell::Error:
        if (!app.valid)
            io::appendCsvField(o, app.error);
        else if (!r.ok)
            io::appendCsvField(o, r.error);
        return;
    case Cell::Log:
        io::appendCsvField(o, joinedLog());
        return;
    default:
        break;
    }
    if (!app.valid)
        return;
    switch (c.cell) {
    case Cell::Display:
        io::appendCsvField(o, r.display.*c.display); // quoted when the decimal separator is a comma
        return;
    case Cell::Greases:
        appendGreases(o, ' ');
        return;
    case Cell::Pages:
        appendCsvPages(o);
        return;
    default:
        break;
    }
    if (!r.ok)
        return;
    switch (c.cell) {
    case Cell::SettingText:
        // With "." as decimal separator the badge text holds no comma, quote or line
        // break: it needs no quoting.
        o.append(r.setting.text);
        return;
    case Cell::SettingColour:
        o.append(colourName(r.setting.colour));
        return;
    case Cell::SettingPicture:
        if (r.setting.picture)
            appendInt(o, *r.setting.picture);
        return;
    case Cell::SettingMonth:
        o.append(r.setting.monthKey);
        return;
    case Cell::SpeedRed:
        o.append(r.speedRed ? "true" : "false");
        return;
    default:
        return;
    }
}

void BatchWriter::appendGreases(std::string& o, char separator) const {
    bool first = true;
    for (int i = 0; i < core::kGreaseCount; ++i)
        if (m_assessment.suitability.enabled[i]) {
            if (!first)
                o.push_back(separator);
            appendInt(o, i);
            first = false;
        }
}

const std::string& BatchWriter::joinedLog() {
    m_cell.clear();
    for (std::size_t i = 0; i < m_log.lines().size(); ++i) {
        if (i)
            m_cell.push_back('\n');
        m_cell.append(m_log.lines()[i]);
    }
    return m_cell;
}

// The pages as one CSV cell, a line per page. Notes and keys need no escaping, so
// the common rows skip the escaper and only take the quotes their line feeds need.
void BatchWriter::appendCsvPages(std::string& o) {
    const advice::Pages& pages = m_assessment.pages;
    bool plain = !m_options.texts;
    for (const advice::Page& p : pages)
        plain = plain && p.kind != advice::Page::Kind::Error;
    std::string& cell = plain ? o : m_cell;
    if (!plain)
        m_cell.clear();
    const bool quoted = plain && pages.size() > 1;
    if (quoted)
        o.push_back('"');
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i)
            cell.push_back('\n');
        if (m_options.texts)
            cell.append(m_pageTexts[i]);
        else
            appendPageName(cell, pages[i]);
    }
    if (quoted)
        o.push_back('"');
    if (!plain)
        io::appendCsvField(o, m_cell);
}

// The pages as a JSON array. Notes and warnings are bounded, so they are put together
// on the stack and appended in pieces; messages and texts go through the escaper.
void BatchWriter::appendJsonPages(std::string& o) const {
    char buf[1024];
    char* p = buf;
    auto flush = [&] {
        o.append(buf, p - buf);
        p = buf;
    };
    // Makes room for n more characters.
    auto room = [&](std::size_t n) {
        if (static_cast<std::size_t>(buf + sizeof buf - p) < n)
            flush();
    };
    auto put = [&](std::string_view s) {
        room(s.size());
        if (s.size() > sizeof buf) {
            o.append(s);
            return;
        }
        std::memcpy(p, s.data(), s.size());
        p += s.size();
    };
    constexpr std::size_t kNumberRoom = 32;
    put("[");
    for (std::size_t i = 0; i < m_assessment.pages.size(); ++i) {
        const advice::Page& pg = m_assessment.pages[i];
        if (i)
            put(",");
        switch (pg.kind) {
        case advice::Page::Kind::Note:
            put("{\"Note\":");
            room(kNumberRoom);
            p = putInt(p, pg.code);
            break;
        case advice::Page::Kind::Warning:
            put("{\"Key\":\"");
            put(pg.key); // a key is a plain identifier
            put("\",\"Values\":[");
            for (std::size_t v = 0; v < pg.valueCount; ++v) {
                if (v)
                    put(",");
                room(kNumberRoom);
                if (const auto* n = std::get_if<std::int64_t>(&pg.values[v]))
                    p = putInt(p, *n);
                else
                    p = putNumber(p, std::get<double>(pg.values[v]));
            }
            put("]");
            break;
        case advice::Page::Kind::Error:
            put("{\"Error\":");
            flush();
            io::appendJsonString(o, pg.message);
            break;
        }
        if (m_options.texts) {
            put(",\"Text\":");
            flush();
            io::appendJsonString(o, m_pageTexts[i]);
        }
        put("}");
    }
    put("]");
    flush();
}

void BatchWriter::writeJson(const Application& app) {
    std::string& o = m_buf;
    const reports::Assessment& r = m_assessment;
    o.push_back('{');
    const auto columns = outputColumns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const OutputColumn& c = columns[i];
        if (c.logOnly && !m_options.log)
            continue;
        if (i)
            o.push_back(',');
        if (!c.jsonObject.empty()) {
            // The columns of one object stand together; it exists for a computed row only.
            std::size_t end = i;
            while (end < columns.size() && columns[end].jsonObject == c.jsonObject)
                ++end;
            appendJsonKey(o, c.jsonObject);
            if (!r.ok) {
                o.append("null");
            } else {
                o.push_back('{');
                for (std::size_t m = i; m < end; ++m) {
                    if (m > i)
                        o.push_back(',');
                    appendJsonKey(o, columns[m].key());
                    appendJsonValue(o, columns[m], app);
                }
                o.push_back('}');
            }
            i = end - 1;
            continue;
        }
        appendJsonKey(o, c.key());
        appendJsonValue(o, c, app);
    }
    o.append("}\n");
}

void BatchWriter::appendJsonKey(std::string& o, std::string_view key) {
    o.push_back('"');
    o.append(key); // keys are plain identifiers
    o.append("\":");
}

// One value of a JSON object: null where the CSV cell is empty, except that the
// pages and the log are always arrays.
void BatchWriter::appendJsonValue(std::string& o, const OutputColumn& c, const Application& app) {
    const reports::Assessment& r = m_assessment;
    const bool ok = app.valid && r.ok;
    switch (c.cell) {
    case Cell::Id:
        if (app.hasId)
            io::appendJsonString(o, app.id);
        else
            o.append("null");
        return;
    case Cell::Input:
        if (app.valid)
            appendNumber(o, c.input->get(app.inputs));
        else
            o.append("null");
        return;
    case Cell::Result: {
        const std::optional<double> v = ok ? c.result(r.results) : std::nullopt;
        if (!v)
            o.append("null");
        else
            c.integer ? appendInt(o, static_cast<long long>(*v)) : appendNumber(o, *v);
        return;
    }
    case Cell::Display:
        if (app.valid)
            io::appendJsonString(o, r.display.*c.display);
        else
            o.append("null");
        return;
    case Cell::SettingText:
        io::appendJsonString(o, r.setting.text);
        return;
    case Cell::SettingColour:
        o.push_back('"');
        o.append(colourName(r.setting.colour));
        o.push_back('"');
        return;
    case Cell::SettingPicture:
        if (r.setting.picture)
            appendInt(o, *r.setting.picture);
        else
            o.append("null");
        return;
    case Cell::SettingMonth:
        if (r.setting.monthKey.empty()) {
            o.append("null");
        } else {
            o.push_back('"');
            o.append(r.setting.monthKey); // a key is a plain identifier
            o.push_back('"');
        }
        return;
    case Cell::Greases:
        if (!app.valid) {
            o.append("null");
            return;
        }
        o.push_back('[');
        appendGreases(o, ',');
        o.push_back(']');
        return;
    case Cell::Pages:
        appendJsonPages(o);
        return;
    case Cell::SpeedRed:
        o.append(r.ok ? (r.speedRed ? "true" : "false") : "null");
        return;
    case Cell::Status:
        o.append(!app.valid ? "\"invalid\"" : r.ok ? "\"ok\"" : "\"failed\"");
        return;
    case Cell::Error:
        if (!app.valid)
            io::appendJsonString(o, app.error);
        else if (!r.ok)
            io::appendJsonString(o, r.error);
        else
            o.append("null");
        return;
    case Cell::Log:
        o.push_back('[');
        for (std::size_t i = 0; i < m_log.lines().size(); ++i) {
            if (i)
                o.push_back(',');
            io::appendJsonString(o, m_log.lines()[i]);
        }
        o.push_back(']');
        return;
    }
}
} // namespace unctora::cli
