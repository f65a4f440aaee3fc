#pragma once
// The batch calculator: the window's calculation applied to a list of applications.

#include "core/calcinputs.h"
#include "core/log.h"
#include "core/units.h"
#include "reports/assessment.h"
#include "strings/quantity.h"

#include "cli/csv.h"

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

struct BatchOptions {
    OutputFormat format = OutputFormat::Csv;
    core::Units units = core::Units::SI;
    bool log = false;
    // With a table, every advice page also carries its text in the table's current
    // language (numbers with "." as decimal separator); without one no text is made.
    const strings::StringTable* texts = nullptr;
};

// The columns a plant list may name: "Id", an input field, or one of the columns a
// plant file keeps for its plan (Location, Machine, InstalledOn, Volume_ml, Remarks),
// which the calculation reads past.
struct Column {
    const core::InputField* field = nullptr; // nullptr: the Id column or a plan column
    bool planOnly = false;
    bool unknown = false; // a column of some other program, read past
};

// Maps header names to columns; on a mistyped or repeated name, returns false with a
// message naming it. A name that is no column of ours (a maintenance system's
// "Criticality") becomes an unknown column and is added to `unknown` when given.
bool parseHeader(const std::vector<std::string>& names, std::size_t count,
                 std::vector<Column>& columns, std::string& error,
                 std::vector<std::string>* unknown = nullptr);

// The known column a header name means when it is one mistyped: the same but for
// letter case and blanks ("Installed On"), or a letter or two off ("Sped"). Empty when
// the name is too far from every known column to be a slip. `known` lists the names.
std::string_view meantColumn(std::string_view name, const std::vector<std::string_view>& known);
// The message for such a name.
std::string mistypedColumnError(std::string_view name, std::string_view meant);

// Sets one input from the text of a cell. Empty cells keep the first-start default.
// Numbers: a decimal number; enumerations: the item's English text or its index.
// Returns false with a message when the text is neither.
bool setInput(core::CalcInputs& in, const core::InputField& f, std::string_view text,
              std::string& error);

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
    // values raises strings::FormatError.
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

    CheckedOutput m_output;
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
