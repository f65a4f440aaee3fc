#pragma once
// The texts of the advice pages: the eight numbered notes and the warnings, in the
// current language and unit system.
//
// Templates come from the language file and may not fit their values; formatting
// them raises text::FormatError, which these functions let through for the
// caller's one handler.

#include "advice/pages.h"
#include "strings/quantity.h"

#include <string>

namespace unctora::strings {
class StringTable;
}

namespace unctora::advice {

// The quantities the notes 1 and 2 quote, in ounces: the most and the least a
// lubricator dispenses per month.
double note1Amount(int lubricator);
double note2Amount(int lubricator);

// Text of numbered note `code` (1 to 8) for `lubricator`; empty for any other code.
// Texts are looked up in `texts` (null while there is no table: every look-up then
// gives strings::kNoTableMarker); quantities are shown in the units, with the
// labels and the decimal separator of `quantity`.
std::string NoteText(int lubricator, int code, const strings::StringTable* texts,
                     const strings::QuantityContext& quantity);

// The text of a page as the notes box shows it, without the page header. Warnings
// on numbered entries are read in the table's current language. The two ambient
// warnings quote the bound of their ambient class in the units of `quantity` (-10 °C
// or 15 °F, 40 °C or 105 °F); any other warning without values is its text as it
// stands.
std::string pageText(const Page& page, const strings::StringTable* texts,
                     const strings::QuantityContext& quantity);

} // namespace unctora::advice
