#include "reports/printlayout.h"

#include "core/greases.h"
#include "core/version.h"
#include "text/keys.h"
#include "strings/stringtable.h"

namespace unctora::reports {

namespace K = text::keys;

std::string printJobName(PrintSource source) {
    const std::string title = core::ProgramTitle();
    switch (source) {
    case PrintSource::DispenseRate: return title + "_Rate";
    case PrintSource::Accessories: return title + "_Acc";
    default: return title + "_Main";
    }
}

std::string printFooterText(const strings::StringTable* texts) {
    return strings::LangStr(texts, K::strOutputFrom) + " " + core::FullTitle();
}

std::string gridPrintTitle(PrintSource source, const strings::StringTable* texts, int lubricator) {
    if (source == PrintSource::Accessories)
        return core::ProgramTitle() + " - " + strings::LangStr(texts, K::strAcc);
    return strings::LangStr(texts, K::strDispRate) + " " + core::lubricatorName(lubricator);
}

FittedText fitText(int pageWidth, int heightLimit, int startPointSize,
                   const std::function<TextSize(int)>& measure) {
    FittedText f;
    f.pointSize = startPointSize;
    f.size = measure(f.pointSize);
    f.x = (pageWidth - f.size.width) / 2;
    while ((f.x < 0 || f.size.height > heightLimit) && f.pointSize >= 3) {
        --f.pointSize;
        f.size = measure(f.pointSize);
        f.x = (pageWidth - f.size.width) / 2;
    }
    return f;
}

} // namespace unctora::reports
