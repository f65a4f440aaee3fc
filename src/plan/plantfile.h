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
// byte-order mark, and separated by semicolons with a decimal comma.

#include "core/calcinputs.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace unctora::plan {

// The point's own columns; the input fields follow them in the order of the record.
enum class OwnColumn { Id, Location, Machine, Unit, InstalledOn, Volume_ml, Remarks };
inline constexpr std::size_t kOwnColumnCount = 7;
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
    // A row that could not be split into the header's columns (a quote left open, a
    // field too many): kept as read, shown as invalid and written back as it was.
    std::vector<std::string> raw;
    std::string readError;
    long line = 0; // of the file it was read from; 0 for a point made in the program

    const std::string& cell(OwnColumn c) const { return cells[columnOf(c)]; }
    std::string& cell(OwnColumn c) { return cells[columnOf(c)]; }
    bool malformed() const { return !readError.empty(); }
};

// How the file was written; a save keeps it, so a spreadsheet opens the file again.
struct CsvDialect {
    char separator = ',';
    bool decimalComma = false; // numbers as "12,5": goes with ';'
    bool byteOrderMark = false;
    bool operator==(const CsvDialect&) const = default;
};

struct PlantFile {
    CsvDialect dialect;
    std::vector<PlantPoint> points;
};

// Reads a plant file. The header must name known columns only, each once (letter
// case aside); otherwise false with a message naming the column, and nothing is read.
bool parsePlantFile(std::string_view bytes, PlantFile& file, std::string& error);
// Reads it from the disk: a regular file of at most 64 MB.
bool readPlantFile(const std::string& path, PlantFile& file, std::string& error);

// The file's bytes: a header of every column, then one row per point.
std::string plantFileBytes(const PlantFile& file);
// Writes atomically: a failed save (files::WriteError) leaves the old file as it was.
void writePlantFile(const std::string& path, const PlantFile& file);

// The text of a number cell as the calculation reads it: a decimal comma becomes a point.
std::string numberText(std::string_view cell, const CsvDialect& dialect);
// A number as a cell of the dialect: shortest text that reads back to the same value.
std::string numberCell(double v, const CsvDialect& dialect);

// Fills the input cells of a point from inputs (as the calculator holds them): numbers
// in the dialect, enumerations by their English item text, the outlets by their count.
void storeInputs(PlantPoint& point, const core::CalcInputs& inputs, const CsvDialect& dialect);

} // namespace unctora::plan
