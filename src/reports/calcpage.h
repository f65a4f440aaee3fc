#pragma once
// The Calculations page: an HTML document whose whole body is text from the
// language file - 35 slots strCalc_01 .. strCalc_35, one line each, written
// verbatim. The page holds no input or result values; it changes only with the
// language (and with the display font, which the view applies, not the document).
//
// Building the page: calcPageDocument() gives the bytes, writeCalcPage() puts them
// in "calc.html" and returns them; the window then loads them into htmlCalc and
// keeps them as the source a Shift + double-click saves (see reports/htmlpage.h).

#include <string>
#include <string_view>
#include <vector>

namespace unctora::strings {
class StringTable;
}

namespace unctora::reports {

// Link target in the page that the view swallows: a click on it does nothing.
inline constexpr std::string_view kCalcIgnoredLink = "VOXA400";

// The page's lines without line ends: six head lines, the 35 slot texts looked up
// with LangStrOrEmpty (an empty text is an empty line), "</body>" and "</html>".
std::vector<std::string> calcPageLines(const strings::StringTable* texts);

// The file bytes of the page: byte-order mark, CR LF after every line.
std::string calcPageDocument(const strings::StringTable* texts);

// Builds the page and writes it to path, replacing the file; returns the bytes
// written. Raises files::WriteError when path cannot be written - the old file then
// stays, and the view should keep the document it shows.
std::string writeCalcPage(const std::string& path, const strings::StringTable* texts);

// True when a click on a link with this target is handled by the page itself
// (and so does nothing): exactly "VOXA400", letter case included. Any other target
// is left to the view's own link handling.
bool calcLinkHandled(std::string_view target);

} // namespace unctora::reports
