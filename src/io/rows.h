#pragma once
// The rows of a plant list: which column a header name means, and the inputs a
// row's cells set. The batch calculator and the plant plan read them alike.

#include "core/calcinputs.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace unctora::io {

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

} // namespace unctora::io
