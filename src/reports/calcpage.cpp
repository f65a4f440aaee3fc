#include "reports/calcpage.h"

#include "files/fileio.h"
#include "reports/htmlpage.h"
#include "text/keys.h"
#include "strings/stringtable.h"

namespace unctora::reports {

std::vector<std::string> calcPageLines(const strings::StringTable* texts) {
    namespace keys = text::keys;
    std::vector<std::string> lines = {
        "<html>",
        "<head>",
        "<title>Calculations</title>",
        R"(<meta http-equiv="Content-Type" content="text/html; charset=UTF-8"/>)",
        "</head>",
        "<body>",
    };
    lines.reserve(lines.size() + keys::kCalcSlots + 2);
    // Each slot is an HTML fragment of the language file; a slot meant to be empty
    // ("-") still gives its line, so the slot numbers stay the line numbers.
    for (int slot = 1; slot <= keys::kCalcSlots; ++slot)
        lines.push_back(strings::LangStrOrEmpty(texts, keys::calcKey(slot)));
    lines.emplace_back("</body>");
    lines.emplace_back("</html>");
    return lines;
}

std::string calcPageDocument(const strings::StringTable* texts) {
    return htmlFileBytes(calcPageLines(texts));
}

std::string writeCalcPage(const std::string& path, const strings::StringTable* texts) {
    std::string bytes = calcPageDocument(texts);
    files::writeFileAtomically(path, bytes);
    return bytes;
}

bool calcLinkHandled(std::string_view target) { return target == kCalcIgnoredLink; }

} // namespace unctora::reports
