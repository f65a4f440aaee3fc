#pragma once
// The batch calculator: the window's calculation applied to a list of applications.

#include "core/calcinputs.h"
#include "core/log.h"
#include "core/units.h"
#include "reports/assessment.h"
#include "strings/quantity.h"

#include "io/csv.h"
#include "io/rows.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace unctora::strings {
class StringTable;
}

namespace unctora::cli {

enum class OutputFormat { Csv, Jsonl };

// The values of --format and --units, shared by every command; nullopt for anything
// else (nullptr: the option had no value).
std::optional<OutputFormat> parseFormat(const std::string* value);
std::optional<core::Units> parseUnits(const std::string* value);
// A whole number from lo to hi, digits only; nullopt for anything else.
std::optional<int> parseWholeNumber(const std::string* value, int lo, int hi);

struct BatchOptions {
    OutputFormat format = OutputFormat::Csv;
    core::Units units = core::Units::SI;
    bool log = false;
    // With a table, every advice page also carries its text in the table's current
    // language (numbers with "." as decimal separator); without one no text is made.
    const strings::StringTable* texts = nullptr;
};

// One application as the window would compute it.
struct Application {
    std::string id;
    bool hasId = false;
    bool valid = true;
    std::string error; // why the row is invalid
    core::CalcInputs inputs;
};

struct OutputColumn;

// Writes the header and one row (or JSON object) per application, column by column
// from the list in cli/outputcolumns.h.
class BatchWriter {
public:
    BatchWriter(std::FILE* out, const BatchOptions& options);
    ~BatchWriter();
    BatchWriter(const BatchWriter&) = delete;
    BatchWriter& operator=(const BatchWriter&) = delete;
    void writeHeader();
    // Brings the row's inputs into range as the window's controls do, assesses them
    // and writes the row with its advice pages. A page template of the language file that does not fit its
    // values raises text::FormatError.
    void write(Application& app);
    // Hands everything written so far to the stream and flushes it.
    void flush();
    // Whether some output could not be written (a full disk, a closed stream), and why.
    bool failed() const { return m_output.error() != 0; }
    int writeErrno() const { return m_output.error(); }

private:
    void writeCsv(const Application& app);
    void writeJson(const Application& app);
    void appendCsvCell(std::string& o, const OutputColumn& c, const Application& app);
    void appendJsonValue(std::string& o, const OutputColumn& c, const Application& app);
    static void appendJsonKey(std::string& o, std::string_view key);
    void appendGreases(std::string& o, char separator) const;
    const std::string& joinedLog();
    void appendCsvPages(std::string& o);
    void appendJsonPages(std::string& o) const;

    io::CheckedOutput m_output;
    std::string& m_buf = m_output.buffer();
    BatchOptions m_options;
    // Units and labels of the page texts, in the language of options.texts.
    strings::UnitLabels m_labels;
    strings::QuantityContext m_quantity;
    // The assessment and log of the current row; kept across rows so their storage
    // is reused.
    reports::Assessment m_assessment;
    core::LineLog m_log;
    std::vector<std::string> m_pageTexts;
    std::string m_cell;
};

// Says on err that out could not be written ("Unable to write to standard output (No
// space left on device)") and gives the exit code 2.
int reportWriteError(std::FILE* err, std::FILE* out, int errnum);

// Runs a whole plant list from `in`; returns the exit code (0 all rows read,
// 1 some rows invalid, 2 the list could not be read at all). Messages go to err.
int runCsv(std::FILE* in, std::FILE* out, std::FILE* err, const BatchOptions& options,
           const std::string& inputName);

} // namespace unctora::cli
