#pragma once
// Item lists of the language file: the comma-separated texts that replace the
// items of a radio group ("Low,Moderate,High,\"Very High\"").

#include <string>
#include <string_view>
#include <vector>

namespace unctora::strings {

// Splits an item-list text into its items.
// - Blanks and control characters (U+0000..U+001F) before an item are skipped.
// - An item that begins with a double quote runs to the closing double quote; two
//   double quotes inside stand for one. Without a closing quote it runs to the end.
//   Text straight after the closing quote starts the next item.
// - Any other item ends at the next comma, blank or control character, so an item
//   with a blank in it must be quoted.
// - After an item only blanks are skipped, then one comma is consumed.
// - A comma as the text's last character adds an empty item.
std::vector<std::string> parseItemList(std::string_view text);

// A result caption for two lines: the first backslash-n pair (the two characters)
// becomes one CR; a text without that pair gets a CR at its end. Later pairs stay.
std::string BreakAtNewline(std::string_view text);

} // namespace unctora::strings
