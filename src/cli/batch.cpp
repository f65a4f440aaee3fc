#include "cli/batch.h"

#include "io/csv.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <cmath>

namespace unctora::cli {

std::optional<OutputFormat> parseFormat(const std::string* value) {
    if (value && *value == "csv")
        return OutputFormat::Csv;
    if (value && *value == "jsonl")
        return OutputFormat::Jsonl;
    return std::nullopt;
}

std::optional<core::Units> parseUnits(const std::string* value) {
    if (value && *value == "si")
        return core::Units::SI;
    if (value && *value == "imperial")
        return core::Units::Imperial;
    return std::nullopt;
}

std::optional<int> parseWholeNumber(const std::string* value, int lo, int hi) {
    int n = 0;
    if (!value || value->empty() ||
        std::from_chars(value->data(), value->data() + value->size(), n).ptr != value->data() + value->size() ||
        n < lo || n > hi)
        return std::nullopt;
    return n;
}

int reportWriteError(std::FILE* err, std::FILE* out, int errnum) {
    std::fprintf(err, "unctora-calc: Unable to write to %s (%s)\n",
                 out == stdout ? "standard output" : "the output", std::strerror(errnum ? errnum : EIO));
    return 2;
}

int runCsv(std::FILE* in, std::FILE* out, std::FILE* err, const BatchOptions& options,
           const std::string& inputName) {
    io::CsvReader reader(in);
    io::CsvRecord rec;
    std::vector<io::Column> columns;
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
    std::vector<std::string> unknown;
    if (!rec.error.empty() || !io::parseHeader(rec.fields, rec.count, columns, error, &unknown)) {
        std::fprintf(err, "unctora-calc: %s, line %ld: %s\n", inputName.c_str(), rec.line,
                     rec.error.empty() ? error.c_str() : rec.error.c_str());
        return 2;
    }
    for (const std::string& name : unknown)
        std::fprintf(err, "unctora-calc: %s: the column \"%s\" is not used\n", inputName.c_str(),
                     io::printable(name).c_str());
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
            if (!columns[i].field && !columns[i].planOnly && !columns[i].unknown) {
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
                if (f && !io::setInput(app.inputs, *f, rec.fields[i], error)) {
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
