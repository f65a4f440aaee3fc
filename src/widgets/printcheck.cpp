#include "widgets/printcheck.h"

#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

namespace {

std::string failure(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return "Unable to write to " + printer.outputFileName().toStdString();
    return "Unable to print to " + printer.printerName().toStdString();
}

} // namespace

void beginPrinting(QPainter& painter, QPrinter& printer) {
    if (!painter.begin(&printer))
        throw PrintError(failure(printer));
}

void finishPrinting(QPainter& painter, QPrinter& printer) {
    const bool ended = painter.end();
    // The PDF engine does not report every failed write; a file that did not come out
    // whole is empty or missing.
    const bool written = printer.outputFormat() != QPrinter::PdfFormat ||
                         QFileInfo(printer.outputFileName()).size() > 0;
    if (!ended || !written || printer.printerState() == QPrinter::Error)
        throw PrintError(failure(printer));
}

void checkPrinted(const QPrinter& printer, bool started) {
    const bool written = printer.outputFormat() != QPrinter::PdfFormat ||
                         QFileInfo(printer.outputFileName()).size() > 0;
    if (!started || !written || printer.printerState() == QPrinter::Error)
        throw PrintError(failure(printer));
}
