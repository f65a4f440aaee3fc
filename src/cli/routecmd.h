#pragma once
// unctora-calc route: the cartridge changes of a round, as the work-order CSV or as the
// printed route sheet (PDF).

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace unctora::plan {
struct Route;
}
namespace unctora::strings {
class StringTable;
}

namespace unctora::cli {

enum class RoutePaper { Locale, A4, Letter };

// What the command needs from the program that runs it.
struct RouteCommandContext {
    // Where unctora.sil is looked for (--lang without --language-file), and the
    // program that draws the route sheet.
    std::string programDir;
    // Draws the route sheet as the bytes of a PDF file in the language of texts
    // (English without one); false, with the reason in error, when it cannot. Drawing
    // takes the window toolkit, which unctora-calc does not load: without this the
    // command is handed whole to the program beside it that draws (kSheetProgram).
    std::function<bool(const plan::Route& route, const strings::StringTable* texts, RoutePaper paper,
                       std::string& pdf, std::string& error)>
        drawPdf;
};

// The program beside unctora-calc that runs "route ... --format pdf".
inline constexpr const char* kSheetProgram = "unctora-sheets";

// Runs "unctora-calc route PLANT.csv [--days N] [--from DATE] [--format csv|pdf]
// [--output FILE] [--history FILE] [--units si|imperial] [--lang NAME]
// [--language-file PATH] [--paper a4|letter]"; args are the words after "route".
// The CSV or PDF goes to --output FILE (written whole or not at all) or to out; a PDF
// is not written to a terminal. Exit code 0; 1 when some points could not be planned
// (named on err; the route lists the others); 2 for bad usage, a plant or history file
// that cannot be read, output that cannot be written, or a sheet that cannot be drawn.
int runRouteCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err,
                    const RouteCommandContext& context = {});

// The command's help: what it does and its options.
std::string routeCommandHelp();

} // namespace unctora::cli
