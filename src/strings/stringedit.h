#pragma once
// The string editor's own rules: which lines are language-numbered, how an edited
// text becomes a line again, and how the table is exported to the ".six" file.
// The editor window puts these on screen; they need no window themselves.

#include "strings/stringtable.h"

#include <string>
#include <string_view>

namespace unctora::strings {

// The language a numbered key belongs to: the number after its last "_" when that
// part has at least two characters and is all digits (strPleaseContact_03 gives 3).
// 0 for everything else, and for the item-numbered families of the calculation page
// and the selection chart (strCalc_07, strSelChartHead_03), whose numbers are no
// languages; strNote1_1 gives 0 as well (one digit).
int LanguageSuffix(std::string_view key);

// The key of the same numbered family in another language: key cut before the first
// "_" followed by suffix as "%.2d", then "_" and language as "%.2d"
// (strPleaseContact_01, 1, 5 gives strPleaseContact_05).
std::string languageEntryKey(std::string_view key, int suffix, int language);

// Why an edited text cannot be stored; empty when it can. A line break would split
// the line in two when the table is saved, and a "~" in a column text would shift
// every later language by one column.
std::string editedTextProblem(std::string_view text, bool numbered);

// The line that replaces key's line after its text in language editLanguage (1..11)
// was changed to text.
//
// Column entry: key, "=", then for every language in order its text and a "~" (the
// last one too): the new text for editLanguage, the resolved text for the others, so
// an untranslated language now holds the English text. A text deliberately left
// blank ("-" or two double quotes) keeps its marker, so that editing one language
// never makes another one show the English text.
//
// Numbered entry (numbered true, a key such as strPleaseContact_03): key, "=" and the
// text alone, so that a numbered look-up afterwards reads exactly the edited text.
std::string editedLine(const StringTable& table, std::string_view key, int editLanguage,
                       std::string_view text, bool numbered);

// The export file's bytes: a UTF-8 byte-order mark, then every line of the table in
// order, each one (the last too) followed by CR LF. A "[Strings]" header dropped at
// load time is not written back.
std::string stringFileBytes(const StringTable& table);

// Writes stringFileBytes to path whole, replacing the old file only once the new one
// is complete. Throws files::WriteError ("Unable to write to ...") on failure; the table
// is not touched either way.
void SaveStringFile(const StringTable& table, const std::string& path);

} // namespace unctora::strings
