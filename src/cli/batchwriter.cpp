// The batch calculator's writer: one assessment per row, as CSV or JSON Lines.

#include "cli/batch.h"

#include "advice/notetext.h"
#include "cli/csv.h"
#include "strings/keys.h"
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

char* putText(char* p, std::string_view s) {
    if (s.empty())
        return p; // an empty view may hold no pointer at all, which memcpy must not get
    std::memcpy(p, s.data(), s.size());
    return p + s.size();
}

std::string_view colourName(reports::BadgeColour c) {
    return c == reports::BadgeColour::Red ? "red" : "white";
}

const char* kResultNames[] = {"tf", "tfc", "Gp", "Qf", "tfcHours", "OldQf", "DS", "PauseBase"};
const char* kDisplayNames[] = {"edTf",     "edTfcorr", "edGp",  "edQf",
                               "edBore_in", "edD_in",  "edB_in"};
// SettingText, SettingColour, SettingPicture, SettingMonth.
constexpr std::size_t kSettingColumns = 4;

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
        m_labels.setMassUnitLabel(core::Units::SI, strings::LangStr(t, strings::keys::strGram));
        m_labels.setMassUnitLabel(core::Units::Imperial, strings::LangStr(t, strings::keys::stroz));
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
    m_buf.append("Id");
    for (const auto& f : core::inputFields()) {
        m_buf.push_back(',');
        m_buf.append(f.name);
    }
    for (const char* n : kResultNames) {
        m_buf.push_back(',');
        m_buf.append(n);
    }
    for (const char* n : kDisplayNames) {
        m_buf.push_back(',');
        m_buf.append(n);
    }
    m_buf.append(",SettingText,SettingColour,SettingPicture,SettingMonth");
    m_buf.append(",Greases,Pages,SpeedRed,Status,Error");
    if (m_options.log)
        m_buf.append(",Log");
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
    const reports::Assessment& r = m_assessment;
    std::string& o = m_buf;
    appendCsvField(o, app.id);
    const auto& fields = core::inputFields();
    if (!app.valid) {
        // Empty cells up to and including the setting, Greases, Pages and SpeedRed.
        o.append(fields.size() + std::size(kResultNames) + std::size(kDisplayNames) +
                     kSettingColumns + 3,
                 ',');
        o.append(",invalid,");
        appendCsvField(o, app.error);
        if (m_options.log)
            o.push_back(',');
        o.append("\r\n");
        return;
    }
    // Numbers take at most 32 characters and the result texts are short except a
    // feed rate near the double range (some 320 characters): 4096 always suffices.
    char row[4096];
    char* p = row;
    for (const auto& f : fields) {
        *p++ = ',';
        p = putNumber(p, f.get(app.inputs));
    }
    const core::CalcResults& res = r.results;
    if (r.ok) {
        for (double v : {res.tf, res.tfc, res.Gp, res.Qf}) {
            *p++ = ',';
            p = putNumber(p, v);
        }
        *p++ = ',';
        if (res.tfcHours)
            p = putInt(p, *res.tfcHours);
        *p++ = ',';
        if (res.OldQf)
            p = putNumber(p, *res.OldQf);
        *p++ = ',';
        p = putNumber(p, res.DS);
        *p++ = ',';
        p = putNumber(p, res.PauseBase);
    } else {
        for (std::size_t i = 0; i < std::size(kResultNames); ++i)
            *p++ = ',';
    }
    o.append(row, p - row);
    const core::CalcDisplay& d = r.display;
    for (const std::string* t : {&d.edTf, &d.edTfcorr, &d.edGp, &d.edQf, &d.edBore_in, &d.edD_in,
                                 &d.edB_in}) {
        o.push_back(',');
        appendCsvField(o, *t); // quoted when the decimal separator is a comma
    }
    if (r.ok) {
        // With "." as decimal separator the badge text holds no comma, quote or line
        // break: it needs no quoting.
        o.push_back(',');
        o.append(r.setting.text);
        p = row;
        *p++ = ',';
        p = putText(p, colourName(r.setting.colour));
        *p++ = ',';
        if (r.setting.picture)
            p = putInt(p, *r.setting.picture);
        *p++ = ',';
        p = putText(p, r.setting.monthKey);
        o.append(row, p - row);
    } else {
        o.append(kSettingColumns, ',');
    }
    p = row;
    *p++ = ',';
    bool first = true;
    for (int i = 0; i < core::kGreaseCount; ++i)
        if (r.suitability.enabled[i]) {
            if (!first)
                *p++ = ' ';
            p = putInt(p, i);
            first = false;
        }
    o.append(row, p - row);
    o.push_back(',');
    appendCsvPages(o);
    o.push_back(',');
    if (r.ok)
        o.append(r.speedRed ? "true" : "false");
    if (r.ok) {
        o.append(",ok,");
    } else {
        o.append(",failed,");
        appendCsvField(o, r.error);
    }
    if (m_options.log) {
        o.push_back(',');
        std::string joined;
        for (std::size_t i = 0; i < m_log.lines().size(); ++i) {
            if (i)
                joined.push_back('\n');
            joined.append(m_log.lines()[i]);
        }
        appendCsvField(o, joined);
    }
    o.append("\r\n");
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
        appendCsvField(o, m_cell);
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
            appendJsonString(o, pg.message);
            break;
        }
        if (m_options.texts) {
            put(",\"Text\":");
            flush();
            appendJsonString(o, m_pageTexts[i]);
        }
        put("}");
    }
    put("]");
    flush();
}

void BatchWriter::writeJson(const Application& app) {
    const reports::Assessment& r = m_assessment;
    std::string& o = m_buf;
    o.append("{\"Id\":");
    if (app.hasId)
        appendJsonString(o, app.id);
    else
        o.append("null");
    const core::CalcResults& res = r.results;
    const bool ok = app.valid && r.ok;
    for (const auto& f : core::inputFields()) {
        o.append(",\"");
        o.append(f.name);
        o.append("\":");
        if (app.valid)
            appendNumber(o, f.get(app.inputs));
        else
            o.append("null");
    }
    auto number = [&](const char* name, std::optional<double> v) {
        o.append(",\"");
        o.append(name);
        o.append("\":");
        if (v)
            appendNumber(o, *v);
        else
            o.append("null");
    };
    auto some = [&](double v) { return ok ? std::optional<double>(v) : std::nullopt; };
    number("tf", some(res.tf));
    number("tfc", some(res.tfc));
    number("Gp", some(res.Gp));
    number("Qf", some(res.Qf));
    o.append(",\"tfcHours\":");
    if (ok && res.tfcHours)
        appendInt(o, *res.tfcHours);
    else
        o.append("null");
    number("OldQf", ok && res.OldQf ? std::optional<double>(*res.OldQf) : std::nullopt);
    number("DS", some(res.DS));
    number("PauseBase", some(res.PauseBase));
    const core::CalcDisplay& d = r.display;
    const std::string* texts[] = {&d.edTf, &d.edTfcorr, &d.edGp, &d.edQf,
                                  &d.edBore_in, &d.edD_in, &d.edB_in};
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        o.append(",\"");
        o.append(kDisplayNames[i]);
        o.append("\":");
        if (app.valid)
            appendJsonString(o, *texts[i]);
        else
            o.append("null");
    }
    o.append(",\"Setting\":");
    if (r.ok) {
        o.append("{\"Text\":");
        appendJsonString(o, r.setting.text);
        o.append(",\"Colour\":\"");
        o.append(colourName(r.setting.colour));
        o.append("\",\"Picture\":");
        if (r.setting.picture)
            appendInt(o, *r.setting.picture);
        else
            o.append("null");
        o.append(",\"Month\":");
        if (r.setting.monthKey.empty()) {
            o.append("null}");
        } else {
            o.push_back('"');
            o.append(r.setting.monthKey); // a key is a plain identifier
            o.append("\"}");
        }
    } else {
        o.append("null");
    }
    o.append(",\"Greases\":");
    if (app.valid) {
        o.push_back('[');
        bool first = true;
        for (int i = 0; i < core::kGreaseCount; ++i)
            if (r.suitability.enabled[i]) {
                if (!first)
                    o.push_back(',');
                appendInt(o, i);
                first = false;
            }
        o.push_back(']');
    } else {
        o.append("null");
    }
    o.append(",\"Pages\":");
    appendJsonPages(o);
    o.append(",\"SpeedRed\":");
    o.append(r.ok ? (r.speedRed ? "true" : "false") : "null");
    o.append(",\"Status\":");
    if (!app.valid) {
        o.append("\"invalid\",\"Error\":");
        appendJsonString(o, app.error);
    } else if (!r.ok) {
        o.append("\"failed\",\"Error\":");
        appendJsonString(o, r.error);
    } else {
        o.append("\"ok\",\"Error\":null");
    }
    if (m_options.log) {
        o.append(",\"Log\":[");
        for (std::size_t i = 0; i < m_log.lines().size(); ++i) {
            if (i)
                o.push_back(',');
            appendJsonString(o, m_log.lines()[i]);
        }
        o.push_back(']');
    }
    o.append("}\n");
}
} // namespace unctora::cli
