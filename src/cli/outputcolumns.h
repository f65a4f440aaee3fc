#pragma once
// The batch calculator's output columns, listed once. The CSV header, the CSV rows
// and the JSON objects are all written from this list, so a column is added by adding
// its row (and, for a new kind of value, its case in the writer).

#include "core/calcinputs.h"
#include "core/pipeline.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace unctora::cli {

// What a column holds, which decides how each format writes it.
enum class Cell {
    Id,             // the row's Id (JSON: null without an Id column)
    Input,          // an input as the calculation used it (null for an invalid row)
    Result,         // a computed number (null or empty unless the row was computed)
    Display,        // a text of the window's result fields (null for an invalid row)
    SettingText,    // the setting badge: text, colour, picture number and month key;
    SettingColour,  // JSON puts the four into one object, null when nothing was computed
    SettingPicture, //
    SettingMonth,   //
    Greases,        // the suitable greases by number
    Pages,          // the advice pages
    SpeedRed,       // whether the speed field shows red
    Status,         // ok, failed or invalid
    Error,          // why the row failed or is invalid
    Log,            // the calculation log (only with --log)
};

struct OutputColumn {
    std::string_view name; // CSV header; JSON key unless jsonKey is given
    Cell cell;
    const core::InputField* input = nullptr;                      // Cell::Input
    std::optional<double> (*result)(const core::CalcResults&) = nullptr; // Cell::Result
    bool integer = false;                                         // Cell::Result written as a whole number
    std::string core::CalcDisplay::*display = nullptr;            // Cell::Display
    std::string_view jsonObject = {};                             // the JSON object it sits in
    std::string_view jsonKey = {};                                // its key there
    bool logOnly = false;

    std::string_view key() const { return jsonKey.empty() ? name : jsonKey; }
};

// Every column in output order: Id, the inputs in field order, the results, the
// result texts, the setting, the greases, pages, speed colour, status, error, log.
std::span<const OutputColumn> outputColumns();

} // namespace unctora::cli
