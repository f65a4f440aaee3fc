#pragma once
// The plant file: every lubrication point of a plant, one CSV row each.
//
// Its columns are the batch calculator's input columns and the point's own:
// Id, Location, Machine, Unit (the multi-point unit whose reservoir the point shares;
// empty: a unit of its own), InstalledOn (ISO date of the last cartridge change),
// Volume_ml (the cartridge or reservoir volume; empty: the model's nominal volume) and
// Remarks. A point is kept as the texts of its cells, exactly as read or stored, so
// that a row the program cannot make sense of is shown as invalid and written back
// unchanged, never dropped. Files from spreadsheets are read as they come: with a
// byte-order mark, separated by semicolons with a decimal comma, or in Windows-1252.
// Columns of other programs (a maintenance system's "Criticality") are kept as they
// are, and a save keeps the file's own order of columns.

#include "core/calcinputs.h"
#include "io/plantcolumns.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace unctora::plan {

// The point's own columns; the input fields follow them in the order of the record.
using io::OwnColumn;
using io::kOwnColumnCount;
std::string_view ownColumnName(OwnColumn c);

// All columns in file order: the seven own columns, then the 23 input fields.
std::size_t plantColumnCount();
std::string_view plantColumnName(std::size_t column);
// The input field of a column, or none for an own column.
const core::InputField* plantColumnField(std::size_t column);
std::size_t columnOf(OwnColumn c);
std::size_t columnOf(const core::InputField& f);

struct PlantPoint {
    // One text per column of plantColumnName, empty where the file had none.
    std::vector<std::string> cells = std::vector<std::string>(plantColumnCount());
    // The cells of the file's unknown columns (PlantFile::unknownColumns), kept as read.
    std::vector<std::string> extra;
    // A row that could not be split into the header's columns (a quote left open, a
    // field too many): kept as read, shown as invalid and written back as it was.
    std::vector<std::string> raw;
    std::string rawText; // the row's text as it stood in the file, without its line end
    std::string readError;
    long line = 0; // of the file it was read from; 0 for a point made in the program

    const std::string& cell(OwnColumn c) const { return cells[columnOf(c)]; }
    std::string& cell(OwnColumn c) { return cells[columnOf(c)]; }
    bool malformed() const { return !readError.empty(); }
};

enum class Encoding { Utf8, Windows1252 };

// How the file was written; a save keeps it, so a spreadsheet opens the file again.
struct CsvDialect {
    char separator = ',';
    bool decimalComma = false; // numbers as "12,5": goes with ';'
    bool byteOrderMark = false;
    // A file that is not UTF-8 is what a spreadsheet writes on a Western Windows
    // system: read as Windows-1252 and saved back in it.
    Encoding encoding = Encoding::Utf8;
    bool operator==(const CsvDialect&) const = default;
};

// A column of the file as its header names it: one of ours, or another program's.
struct FileColumn {
    std::string name;                          // as the header has it
    std::optional<std::size_t> known;          // our column (plantColumnName)
    std::size_t unknown = 0;                   // else its index in unknownColumns
};

struct PlantFile {
    CsvDialect dialect;
    std::vector<PlantPoint> points;
    // The header as read, in the file's order; empty for a new plan. Our columns that
    // it lacks follow it when the file is saved.
    std::vector<FileColumn> columns;
    std::vector<std::string> unknownColumns; // names of the columns that are not ours
};

// Reads a plant file. Each of our columns may appear once (letter case aside); a name
// that is one of ours mistyped ("Sped", "Installed On") is an error naming the column
// meant, and nothing is read. Other columns are kept as the file has them.
bool parsePlantFile(std::string_view bytes, PlantFile& file, std::string& error);
// Reads it from the disk: a regular file of at most 64 MB.
bool readPlantFile(const std::string& path, PlantFile& file, std::string& error);

// The file's bytes: the file's header followed by our columns it lacks, then one row
// per point, in the file's encoding. A text that Windows-1252 cannot hold makes the
// file UTF-8 with a byte-order mark; `used`, when given, gets the dialect written.
std::string plantFileBytes(const PlantFile& file, CsvDialect* used = nullptr);
// Writes atomically: a failed save (files::WriteError) leaves the old file as it was.
// Returns the dialect written.
CsvDialect writePlantFile(const std::string& path, const PlantFile& file);

// Text conversions between UTF-8 and Windows-1252. The five bytes the code page leaves
// unassigned become the C1 controls of their value, so that every byte reads back as
// it was. toWindows1252 fails on a character beyond the code page.
bool isUtf8(std::string_view bytes);
// The length of the UTF-8 sequence at text[i] and its character; 0 when not valid.
std::size_t decodeUtf8(std::string_view text, std::size_t i, char32_t& c);
std::string fromWindows1252(std::string_view bytes);
bool toWindows1252(std::string_view utf8, std::string& out);

// The text of a number cell as the calculation reads it: a decimal comma becomes a point.
std::string numberText(std::string_view cell, const CsvDialect& dialect);
// A number as a cell of the dialect: shortest text that reads back to the same value.
std::string numberCell(double v, const CsvDialect& dialect);

// Fills the input cells of a point from inputs (as the calculator holds them): numbers
// in the dialect, enumerations by their English item text, the outlets by their count.
void storeInputs(PlantPoint& point, const core::CalcInputs& inputs, const CsvDialect& dialect);

} // namespace unctora::plan
