#pragma once
// What the "Operating conditions" tab says about one condition and setting: the
// factor by which the condition changes the dial setting and a few lines of
// explanation.
//
// The table below names keys only; the texts are looked up in the current language
// when a description is shown, so a language or unit change just shows it again.

#include "core/conditions.h"
#include "core/units.h"
#include "strings/quantity.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace unctora::strings {
class StringTable;
}

namespace unctora::advice {

// The conditions in the order of the tab's condition list: the rows of the
// condition table (core/conditions.h).
using core::Condition;
using core::kConditionCount;

// One line of a description before its text is looked up.
struct DescriptionLine {
    enum class Kind {
        Column,         // the text of key
        Numbered,       // the text of key in the current language's numbered entry
        Blank,          // a line holding one blank
        NormalBrgTemp,  // strNormalBrgTemp with the bounds of the Normal class and the unit
        ElectricAndGas, // strElectricAndGas (numbered) with the text of key (the verb)
        Temperatures,   // key's template with each of `temperatures`, a number and the unit
    };
    Kind kind = Kind::Column;
    std::string_view key;
    // Temperatures quoted by a Temperatures line, in degrees Celsius. A difference
    // converts without the offset: 15 °C more is 27 °F more.
    struct Quoted {
        int celsius = 0;
        bool difference = false;
    };
    std::span<const Quoted> temperatures{};
};

// One row of the table.
struct DescriptionEntry {
    int condition = 0;
    int setting = 0;
    std::string_view compensation; // the factor text of the condition table; empty: the text of strNone
    std::span<const DescriptionLine> lines;
};

// Every row, ordered by condition and setting.
std::span<const DescriptionEntry> descriptionTable();

// The row for (condition, setting); nullptr when the table has none, which is the
// case for any index outside the condition's settings (-1 included).
const DescriptionEntry* findDescription(int condition, int setting);

// The Normal bearing temperature class as the description quotes it: 63 to 78 in
// SI, 145 to 172 in imperial (the Fahrenheit bounds, converted and rounded for SI).
struct TemperatureSpan {
    int low = 0;
    int high = 0;
};
TemperatureSpan normalBearingTemperature(core::Units units);

// A temperature in degrees Celsius as the units show it: as it is in SI, in degrees
// Fahrenheit, taken to the nearest integer, in imperial; a difference without the
// 32 degrees.
int shownTemperature(int celsius, core::Units units, bool difference = false);

// The compensation text of a row: the fixed text, or the text of strNone. A shock
// load's factor depends on the load it comes with: given the load setting of the
// inputs (0..3), its row shows the factor at that load; with -1, or a load outside
// the row, the table's text (that at a moderate load).
std::string compensationText(const DescriptionEntry& entry, const strings::StringTable* texts,
                             int load = -1);

// The description lines of a row in order. texts may be null (every look-up then
// gives the no-table marker). Templates come from the language file: one that does
// not fit its values raises text::FormatError.
std::vector<std::string> descriptionLines(const DescriptionEntry& entry,
                                          const strings::StringTable* texts, core::Units units,
                                          const strings::UnitLabels& labels);

// Both together for (condition, setting). For a combination not in the table the
// compensation is nullopt - the field keeps what it shows - and there are no lines.
struct ConditionDescription {
    std::optional<std::string> compensation;
    std::vector<std::string> lines;
};
ConditionDescription conditionDescription(int condition, int setting,
                                          const strings::StringTable* texts, core::Units units,
                                          const strings::UnitLabels& labels, int load = -1);

} // namespace unctora::advice
