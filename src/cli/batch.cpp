#include "cli/batch.h"

#include "advice/notetext.h"
#include "cli/csv.h"
#include "core/errors.h"
#include "core/log.h"
#include "core/pipeline.h"
#include "core/suitability.h"
#include "strings/keys.h"
#include "strings/stringtable.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <cmath>

namespace unctora::cli {

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = char(x - 32);
        if (y >= 'a' && y <= 'z') y = char(y - 32);
        if (x != y)
            return false;
    }
    return true;
}

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

} // namespace

struct RowResult {
    core::Suitability suitability;
    core::CalcOutcome outcome;
    core::LineLog log;
    bool speedKnown = false;   // the warnings ran: SpeedRed has a value
    bool settingShown = false; // the calculation succeeded: the setting display has a value
};

namespace {

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

// The plant file's own columns besides Id.
constexpr std::string_view kPlanColumns[] = {"Location", "Machine", "InstalledOn", "Volume_ml", "Remarks"};

bool parseHeader(const std::vector<std::string>& names, std::size_t count,
                 std::vector<Column>& columns, std::string& error) {
    columns.clear();
    bool haveId = false;
    unsigned seenPlan = 0;
    std::vector<const core::InputField*> seen;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view name = trim(names[i]);
        Column c;
        if (equalsNoCase(name, "Id")) {
            if (haveId) {
                error = "the column \"" + printable(name) + "\" appears twice in the header";
                return false;
            }
            haveId = true;
        } else if (const auto plan = std::find_if(std::begin(kPlanColumns), std::end(kPlanColumns),
                                                  [&](std::string_view n) { return equalsNoCase(n, name); });
                   plan != std::end(kPlanColumns)) {
            c.planOnly = true;
            const std::size_t bit = static_cast<std::size_t>(plan - std::begin(kPlanColumns));
            if (seenPlan & (1u << bit)) {
                error = "the column \"" + printable(name) + "\" appears twice in the header";
                return false;
            }
            seenPlan |= 1u << bit;
        } else {
            c.field = core::findInputField(name);
            if (!c.field) {
                error = "unknown column \"" + printable(name) + "\" in the header";
                return false;
            }
            for (auto* f : seen)
                if (f == c.field) {
                    error = "the column \"" + printable(name) + "\" appears twice in the header";
                    return false;
                }
            seen.push_back(c.field);
        }
        columns.push_back(c);
    }
    return true;
}

// Reads a plain run of at most nine decimal digits, the common case of a plant list.
bool plainDigits(std::string_view t, int& v) {
    if (t.empty() || t.size() > 9)
        return false;
    int x = 0;
    for (char c : t) {
        if (c < '0' || c > '9')
            return false;
        x = x * 10 + (c - '0');
    }
    v = x;
    return true;
}

bool setInput(core::CalcInputs& in, const core::InputField& f, std::string_view text,
              std::string& error) {
    int plain = 0;
    if (plainDigits(text, plain) && !(f.index && f.name == "Outlets")) {
        if (f.number)
            in.*f.number = plain;
        else
            in.*f.index = std::min(plain, f.max);
        return true;
    }
    text = trim(text);
    if (text.empty()) {
        if (f.number)
            in.*f.number = f.firstStart;
        else
            in.*f.index = f.firstStart;
        return true;
    }
    if (f.number) {
        double v = 0;
        const char* b = text.data();
        const char* e = b + text.size();
        if (*b == '+')
            ++b;
        auto r = std::from_chars(b, e, v);
        if (r.ec != std::errc() || r.ptr != e || !std::isfinite(v)) {
            error = "\"" + std::string(text) + "\" is not a number";
            return false;
        }
        in.*f.number = v;
        return true;
    }
    const bool numeric = (text[0] >= '0' && text[0] <= '9') || text[0] == '-' || text[0] == '+';
    // The outlet counts are named by their number ("10" to "20"), never by an index:
    // "3" or "15" would otherwise quietly become some other count.
    const bool byCountOnly = f.name == "Outlets";
    if (!numeric || byCountOnly)
        for (std::size_t i = 0; i < f.items.size(); ++i)
            if (equalsNoCase(trim(f.items[i]), text)) {
                in.*f.index = static_cast<int>(i);
                return true;
            }
    if (byCountOnly) {
        std::string offered;
        for (std::size_t i = 0; i < f.items.size(); ++i)
            offered += (i == 0 ? "" : i + 1 == f.items.size() ? " or " : ", ") + std::string(trim(f.items[i]));
        error = "\"" + std::string(text) + "\" is not an offered outlet count (" + offered + ")";
        return false;
    }
    long long v = 0;
    const char* b = text.data();
    const char* e = b + text.size();
    if (*b == '+')
        ++b;
    auto r = std::from_chars(b, e, v);
    if (r.ptr == e && (r.ec == std::errc() || r.ec == std::errc::result_out_of_range)) {
        // Out-of-range indexes are clamped as the settings file clamps them.
        if (r.ec == std::errc::result_out_of_range)
            v = (*b == '-') ? f.min : f.max;
        in.*f.index = static_cast<int>(std::clamp<long long>(v, f.min, f.max));
        return true;
    }
    error = "\"" + std::string(text) + "\" is neither an item of " + std::string(f.name) +
            " nor an index";
    return false;
}

BatchWriter::BatchWriter(std::FILE* out, const BatchOptions& options)
    : m_out(out), m_options(options) {
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

void BatchWriter::drain() {
    if (m_buf.empty())
        return;
    errno = 0;
    if (m_writeErrno == 0 && std::fwrite(m_buf.data(), 1, m_buf.size(), m_out) != m_buf.size())
        m_writeErrno = errno ? errno : EIO;
    m_buf.clear();
}

void BatchWriter::flush() {
    drain();
    errno = 0;
    if (m_writeErrno == 0 && (std::fflush(m_out) != 0 || std::ferror(m_out)))
        m_writeErrno = errno ? errno : EIO;
}

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
    RowResult r;
    if (app.valid) {
        core::CalcInputs& in = app.inputs;
        core::clampInputs(in);
        core::applyReplenishmentRule(in);
        core::CalcContext ctx;
        ctx.log = m_options.log ? &r.log : nullptr;
        r.suitability = core::checkApplicationSuitability(in, ctx);
        in.Grease = r.suitability.grease;
        r.outcome = core::calculate(in, m_options.units, ctx);
    }
    advise(app, r);
    if (m_options.format == OutputFormat::Csv)
        writeCsv(app, r);
    else
        writeJson(app, r);
    if (m_buf.size() > (1 << 16))
        drain();
}

// The notes box of the row: the warnings after a successful calculation, the failure
// pages after a failed one, nothing for a row that could not be read.
void BatchWriter::advise(const Application& app, RowResult& r) {
    m_advice.pages.clear();
    m_advice.speedRed = false;
    m_pageTexts.clear();
    if (!app.valid)
        return;
    const core::CalcInputs& in = app.inputs;
    if (r.outcome.ok) {
        // The setting display comes first: its notes for the multi-point units (6 to
        // 8) stand before the warnings, and stay before the failure pages should the
        // warnings fail.
        reports::settingDisplay(in, r.outcome.run.results, m_options.units, ".", m_setting);
        if (m_setting.note)
            m_advice.pages.push_back(*m_setting.note);
        try {
            advice::addWarnings(in, r.outcome.run.results, m_advice);
            r.speedKnown = true;
            r.settingShown = true;
        } catch (const core::CalculationError& e) {
            // The warnings are the calculation's last step: their failure is the
            // calculation's, shown as the window shows it.
            r.outcome.ok = false;
            r.outcome.error = e.what();
            r.outcome.run.results = core::CalcResults{};
            core::CalcDisplay& d = r.outcome.run.display;
            d.edTf = d.edTfcorr = d.edGp = d.edQf = "0";
        }
    }
    if (!r.outcome.ok)
        advice::appendFailurePages(m_advice.pages, in.Lubricator, r.outcome.error);
    if (m_options.texts)
        for (const advice::Page& p : m_advice.pages)
            m_pageTexts.push_back(advice::pageText(p, m_options.texts, m_quantity));
}

void BatchWriter::writeCsv(const Application& app, const RowResult& r) {
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
    const core::CalcResults& res = r.outcome.run.results;
    if (r.outcome.ok) {
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
    const core::CalcDisplay& d = r.outcome.run.display;
    for (const std::string* t : {&d.edTf, &d.edTfcorr, &d.edGp, &d.edQf, &d.edBore_in, &d.edD_in,
                                 &d.edB_in}) {
        o.push_back(',');
        appendCsvField(o, *t); // quoted when the decimal separator is a comma
    }
    if (r.settingShown) {
        // With "." as decimal separator the badge text holds no comma, quote or line
        // break: it needs no quoting.
        o.push_back(',');
        o.append(m_setting.text);
        p = row;
        *p++ = ',';
        p = putText(p, colourName(m_setting.colour));
        *p++ = ',';
        if (m_setting.picture)
            p = putInt(p, *m_setting.picture);
        *p++ = ',';
        p = putText(p, m_setting.monthKey);
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
    if (r.speedKnown)
        o.append(m_advice.speedRed ? "true" : "false");
    if (r.outcome.ok) {
        o.append(",ok,");
    } else {
        o.append(",failed,");
        appendCsvField(o, r.outcome.error);
    }
    if (m_options.log) {
        o.push_back(',');
        std::string joined;
        for (std::size_t i = 0; i < r.log.lines().size(); ++i) {
            if (i)
                joined.push_back('\n');
            joined.append(r.log.lines()[i]);
        }
        appendCsvField(o, joined);
    }
    o.append("\r\n");
}

// The pages as one CSV cell, a line per page. Notes and keys need no escaping, so
// the common rows skip the escaper and only take the quotes their line feeds need.
void BatchWriter::appendCsvPages(std::string& o) {
    const advice::Pages& pages = m_advice.pages;
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
    for (std::size_t i = 0; i < m_advice.pages.size(); ++i) {
        const advice::Page& pg = m_advice.pages[i];
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

void BatchWriter::writeJson(const Application& app, const RowResult& r) {
    std::string& o = m_buf;
    o.append("{\"Id\":");
    if (app.hasId)
        appendJsonString(o, app.id);
    else
        o.append("null");
    const core::CalcResults& res = r.outcome.run.results;
    const bool ok = app.valid && r.outcome.ok;
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
    const core::CalcDisplay& d = r.outcome.run.display;
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
    if (r.settingShown) {
        o.append("{\"Text\":");
        appendJsonString(o, m_setting.text);
        o.append(",\"Colour\":\"");
        o.append(colourName(m_setting.colour));
        o.append("\",\"Picture\":");
        if (m_setting.picture)
            appendInt(o, *m_setting.picture);
        else
            o.append("null");
        o.append(",\"Month\":");
        if (m_setting.monthKey.empty()) {
            o.append("null}");
        } else {
            o.push_back('"');
            o.append(m_setting.monthKey); // a key is a plain identifier
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
    o.append(r.speedKnown ? (m_advice.speedRed ? "true" : "false") : "null");
    o.append(",\"Status\":");
    if (!app.valid) {
        o.append("\"invalid\",\"Error\":");
        appendJsonString(o, app.error);
    } else if (!r.outcome.ok) {
        o.append("\"failed\",\"Error\":");
        appendJsonString(o, r.outcome.error);
    } else {
        o.append("\"ok\",\"Error\":null");
    }
    if (m_options.log) {
        o.append(",\"Log\":[");
        for (std::size_t i = 0; i < r.log.lines().size(); ++i) {
            if (i)
                o.push_back(',');
            appendJsonString(o, r.log.lines()[i]);
        }
        o.push_back(']');
    }
    o.append("}\n");
}

int reportWriteError(std::FILE* err, std::FILE* out, int errnum) {
    std::fprintf(err, "unctora-calc: Unable to write to %s (%s)\n",
                 out == stdout ? "standard output" : "the output", std::strerror(errnum ? errnum : EIO));
    return 2;
}

int runCsv(std::FILE* in, std::FILE* out, std::FILE* err, const BatchOptions& options,
           const std::string& inputName) {
    CsvReader reader(in);
    CsvRecord rec;
    std::vector<Column> columns;
    BatchWriter writer(out, options);
    if (!reader.next(rec)) {
        if (reader.failed()) {
            std::fprintf(err, "unctora-calc: cannot read %s\n", inputName.c_str());
            return 2;
        }
        writer.writeHeader(); // an empty list gives an empty table
        writer.flush();
        return writer.failed() ? reportWriteError(err, out, writer.writeErrno()) : 0;
    }
    std::string error;
    if (!rec.error.empty() || !parseHeader(rec.fields, rec.count, columns, error)) {
        std::fprintf(err, "unctora-calc: %s, line %ld: %s\n", inputName.c_str(), rec.line,
                     rec.error.empty() ? error.c_str() : rec.error.c_str());
        return 2;
    }
    writer.writeHeader();
    int exitCode = 0;
    Application app;
    while (reader.next(rec)) {
        app.inputs = core::CalcInputs{};
        app.valid = true;
        app.error.clear();
        app.id.clear();
        app.hasId = false;
        for (std::size_t i = 0; i < columns.size() && i < rec.count; ++i)
            if (!columns[i].field && !columns[i].planOnly) {
                app.id = rec.fields[i];
                app.hasId = true;
            }
        auto invalid = [&](const std::string& what) {
            app.valid = false;
            app.error = "line " + std::to_string(rec.line) + ": " + what;
        };
        if (!rec.error.empty()) {
            invalid(rec.error);
        } else if (rec.count != columns.size()) {
            invalid("expected " + std::to_string(columns.size()) + " fields, found " +
                    std::to_string(rec.count));
        } else {
            for (std::size_t i = 0; i < columns.size(); ++i) {
                const core::InputField* f = columns[i].field;
                if (f && !setInput(app.inputs, *f, rec.fields[i], error)) {
                    invalid("column " + std::string(f->name) + ": " + error);
                    break;
                }
            }
        }
        if (!app.valid)
            exitCode = 1;
        writer.write(app);
        // Output that cannot be written makes the rest of the list pointless.
        if (writer.failed())
            break;
    }
    writer.flush();
    if (writer.failed())
        return reportWriteError(err, out, writer.writeErrno());
    if (reader.failed()) {
        std::fprintf(err, "unctora-calc: reading %s failed\n", inputName.c_str());
        return 2;
    }
    return exitCode;
}

} // namespace unctora::cli
