#pragma once
// What the two generated HTML pages (calculations and selection chart) share: the
// file format, the file names in the data folder, the save on Shift + double-click
// and the settings of the views that show them.
//
// A page is a list of lines. On disk it is UTF-8 with a byte-order mark and CR LF
// after every line, the last one included. The views load the page from its file
// and keep those bytes as their source; a save writes the same bytes again.

#include <string>
#include <string_view>
#include <vector>

namespace unctora::reports {

// File names in the per-user data folder.
inline constexpr std::string_view kCalcPageFile = "calc.html";
inline constexpr std::string_view kChartPageFile = "chart.html";
inline constexpr std::string_view kChartSaveFile = "selchart.html";

// Settings of htmlCalc and htmlSelChart until a display font is applied.
inline constexpr std::string_view kHtmlDefaultFontFace = "Arial Unicode MS";
inline constexpr int kHtmlCalcFontSize = 9; // points; the chart view keeps the view's own size
inline constexpr std::string_view kHtmlFixedFontFace = "Courier New";
inline constexpr double kHtmlPrintMarginCm = 2.0; // on every side
inline constexpr double kHtmlPrintScale = 1.0;

// The bytes of a page file: EF BB BF, then every line followed by CR LF.
std::string htmlFileBytes(const std::vector<std::string>& lines);

// folder + "/" + name, without doubling a separator the folder already ends in.
std::string htmlFilePath(std::string_view dataFolder, std::string_view fileName);

// "HTML has been saved as <path>." - the message after a save.
std::string htmlSavedMessage(std::string_view path);

// The save on Shift + double-click: writes source (the bytes the view loaded)
// unchanged to path, replacing the file, and returns the message to show. Raises
// files::WriteError when the file cannot be written; the old file then stays.
std::string saveHtmlSource(const std::string& path, std::string_view source);

} // namespace unctora::reports
