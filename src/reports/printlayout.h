#pragma once
// What the printouts add to the page: job names, the title and footer texts, and the
// fitting of a text across the page. Page units are tenths of a millimetre.

#include <functional>
#include <string>

namespace unctora::strings {
class StringTable;
}

namespace unctora::reports {

enum class PrintSource { DispenseRate, Accessories, Calculations, SelectionChart, Window };

// "Talvik Unctora_Rate", "Talvik Unctora_Acc", else "Talvik Unctora_Main".
std::string printJobName(PrintSource source);

// The footer of every printout: strOutputFrom, a blank and the full program title.
std::string printFooterText(const strings::StringTable* texts);

// The title of a printed grid: "Talvik Unctora - " and strAcc for the accessories;
// strDispRate, a blank and the name of the lubricator whose table is printed.
std::string gridPrintTitle(PrintSource source, const strings::StringTable* texts, int lubricator);

struct TextSize {
    int width = 0;
    int height = 0;
};
struct FittedText {
    int pointSize = 0;
    int x = 0; // left edge that centres the text on the page
    TextSize size;
};
// Centres a text across pageWidth, shrinking its font one point at a time while it
// does not fit (x < 0) or is higher than heightLimit, as long as the size is at
// least 3 points (so it never goes below 2).
FittedText fitText(int pageWidth, int heightLimit, int startPointSize,
                   const std::function<TextSize(int pointSize)>& measure);

} // namespace unctora::reports
