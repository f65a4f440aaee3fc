// unctora-sheets: draws what unctora-calc hands over, "route ... --format pdf", with the
// toolkit's painter. unctora-calc itself stays free of the toolkit, so that it starts as
// fast as it did; this program is loaded only to draw.

#include "cli/routecmd.h"
#include "sheets/routepdf.h"
#include "sheets/routesheet.h"

#include <QGuiApplication>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

using namespace unctora;

namespace {

std::string programDir(const char* argv0) {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        exe = std::filesystem::absolute(argv0, ec);
    return exe.parent_path().string();
}

bool drawRoute(const plan::Route& route, const strings::StringTable* texts, cli::RoutePaper paper, std::string& pdf,
               std::string& error) {
    const QPageSize::PageSizeId page = paper == cli::RoutePaper::A4       ? QPageSize::A4
                                       : paper == cli::RoutePaper::Letter ? QPageSize::Letter
                                                                          : sheets::localePaper();
    const QByteArray bytes = sheets::routeSheetPdf(route, sheets::routeSheetTexts(texts), page);
    if (bytes.isEmpty()) {
        error = "the PDF writer could not start";
        return false;
    }
    pdf.assign(bytes.constData(), std::size_t(bytes.size()));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "route") != 0) {
        std::fprintf(stderr, "unctora-sheets draws the route sheet of \"unctora-calc route --format pdf\";\n"
                             "run that command instead.\n");
        return 2;
    }
    // Nothing is shown: fonts and painting need no display. The toolkit's notes about
    // the session (no runtime folder, say) are no business of a command's error output.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "unctora-sheets: %s\n", message.toLocal8Bit().constData());
    });
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    // The toolkit takes the user's locale for the C library too; numbers stay as the
    // batch calculator writes them, the paper is still the locale's.
    std::setlocale(LC_NUMERIC, "C");
    cli::RouteCommandContext context;
    context.programDir = programDir(argv[0]);
    context.drawPdf = drawRoute;
    const int code = cli::runRouteCommand({argv + 2, argv + argc}, stdout, stderr, context);
    return std::fflush(stdout) == 0 || code == 2 ? code : 2;
}
