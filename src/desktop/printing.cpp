#include "desktop/printing.h"

#include "widgets/printcheck.h"

#include "reports/printlayout.h"
#include "widgets/htmlview.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QHeaderView>
#include <QTableView>
#include <functional>
#include <optional>
#include <vector>
#include <cmath>

namespace unctora::reports {

namespace {

// Page units (tenths of a millimetre) to device pixels and back.
double toDevice(const QPrinter& p, double units) { return units * p.resolution() / 254.0; }
int toUnits(const QPrinter& p, double pixels) { return static_cast<int>(std::lround(pixels * 254.0 / p.resolution())); }

// The printed widths of the grid's columns in printer pixels, at most `available` in all.
std::vector<double> printedColumnWidths(const QTableView& grid, GridWidth width, double dpi,
                                        double available) {
    const int columns = grid.model() ? grid.model()->columnCount() : 0;
    std::vector<double> widths;
    double total = 0;
    for (int c = 0; c < columns; ++c) {
        widths.push_back(grid.columnWidth(c) * dpi / 96.0);
        total += widths.back();
    }
    if (columns == 0 || total <= 0)
        return widths;
    if (width == GridWidth::ShrinkToPage) {
        if (total > available)
            for (double& w : widths)
                w *= available / total;
        return widths;
    }
    // The last column takes what the others leave, and at least a third of the width;
    // its text wraps.
    double fixed = total - widths.back();
    const double fixedLimit = available * 2 / 3;
    if (fixed > fixedLimit) {
        for (int c = 0; c + 1 < columns; ++c)
            widths[c] *= fixedLimit / fixed;
        fixed = fixedLimit;
    }
    widths.back() = available - fixed;
    return widths;
}

} // namespace

void drawGridPageDecoration(QPainter& painter, const QPrinter& printer, const QString& fontFamily,
                            const QString& title, const QString& footer) {
    painter.save();
    const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
    const int pageWidth = toUnits(printer, area.width());
    const int pageHeight = std::abs(toUnits(printer, area.height()));
    QFont font(fontFamily);
    font.setBold(true);
    auto measure = [&](const QString& text) {
        return [&, text](int points) {
            font.setPointSize(points);
            const QFontMetrics fm(font, painter.device());
            return TextSize{toUnits(printer, fm.horizontalAdvance(text)), toUnits(printer, fm.height())};
        };
    };
    const FittedText t = fitText(pageWidth, 100, 12, measure(title));
    font.setPointSize(std::max(1, t.pointSize));
    painter.setFont(font);
    QFontMetrics fm(font, painter.device());
    painter.drawText(QPointF(toDevice(printer, t.x), toDevice(printer, 200 - t.size.height) + fm.ascent()), title);

    font.setBold(false);
    const FittedText f = fitText(pageWidth, 50, t.pointSize, measure(footer));
    font.setPointSize(std::max(1, f.pointSize));
    painter.setFont(font);
    fm = QFontMetrics(font, painter.device());
    const int footerTop = pageHeight - f.size.height - 50;
    painter.drawText(QPointF(toDevice(printer, f.x), toDevice(printer, footerTop) + fm.ascent()), footer);
    painter.drawLine(QPointF(toDevice(printer, 150), toDevice(printer, footerTop - 10)),
                     QPointF(toDevice(printer, pageWidth - 150), toDevice(printer, footerTop - 10)));
    painter.restore();
}

void printGrid(QPrinter& printer, const QTableView& grid, GridWidth width,
               const QString& fontFamily, const QString& title, const QString& footer) {
    const QAbstractItemModel* model = grid.model();
    const int rows = model ? model->rowCount() : 0;
    const int columns = model ? model->columnCount() : 0;
    // A grid with a header shows it as a first row in bold; the grids that keep their
    // header in row 0 have theirs hidden.
    const QHeaderView* header = grid.horizontalHeader();
    const bool headerRow = header && !header->isHidden();
    QPainter painter;
    beginPrinting(painter, printer);
    const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
    const double left = toDevice(printer, 200);
    const double top = toDevice(printer, 250);
    const double bottom = area.height() - toDevice(printer, 200);
    // The grid ends where the rule above the footer ends.
    const double available = area.width() - toDevice(printer, 150) - left;
    const std::vector<double> widths = printedColumnWidths(grid, width, printer.resolution(), available);
    // Screen pixels to printer pixels; the grid's screen font at that scale.
    const double scale = columns > 0 && grid.columnWidth(0) > 0 ? widths[0] / grid.columnWidth(0)
                                                                 : printer.resolution() / 96.0;
    QFont cellFont = grid.font();
    const double basePoints = cellFont.pixelSize() > 0 ? cellFont.pixelSize() * 0.75 : cellFont.pointSizeF();
    cellFont.setPointSizeF(std::max(6.0, basePoints * scale * 96.0 / printer.resolution()));
    QFont boldFont = cellFont;
    boldFont.setBold(true);
    const double padding = 3 * scale;

    struct Row {
        QStringList texts;
        QList<int> alignments;
        bool bold = false;
        double height = 0;
    };
    // A cell's text wraps inside its column; the row is as high as its highest cell, and
    // never lower than on screen.
    auto makeRow = [&](int screenHeight, bool bold, const std::function<QVariant(int, int)>& data) {
        Row row;
        row.bold = bold;
        row.height = screenHeight * scale;
        const QFontMetricsF fm(bold ? boldFont : cellFont, &printer);
        for (int c = 0; c < columns; ++c) {
            const QString text = data(c, Qt::DisplayRole).toString().replace('\r', '\n');
            const QVariant align = data(c, Qt::TextAlignmentRole);
            const int flags = align.isValid() ? align.toInt() : int(Qt::AlignCenter);
            const QRectF need = fm.boundingRect(QRectF(0, 0, std::max(1.0, widths[c] - 2 * padding), 1e9),
                                                flags | Qt::TextWordWrap, text);
            row.height = std::max(row.height, need.height() + 2 * padding);
            row.texts << text;
            row.alignments << flags;
        }
        return row;
    };
    std::optional<Row> head;
    if (headerRow)
        head = makeRow(std::max(header->height(), 20), true,
                       [&](int c, int role) { return model->headerData(c, Qt::Horizontal, role); });
    else if (rows > 0)
        head = makeRow(grid.rowHeight(0), true,
                       [&](int c, int role) { return model->index(0, c).data(role); });

    double y = top;
    auto drawRow = [&](const Row& row) {
        double x = left;
        painter.setFont(row.bold ? boldFont : cellFont);
        for (int c = 0; c < columns; ++c) {
            const QRectF cell(x, y, widths[c], row.height);
            painter.drawRect(cell);
            painter.drawText(cell.adjusted(padding, padding, -padding, -padding),
                             row.alignments[c] | Qt::TextWordWrap, row.texts[c]);
            x += widths[c];
        }
        y += row.height;
    };
    // Every page starts with the header row; a row that does not fit below the last one
    // goes whole onto the next page.
    auto startPage = [&] {
        drawGridPageDecoration(painter, printer, fontFamily, title, footer);
        y = top;
        if (head)
            drawRow(*head);
    };
    startPage();
    const double headHeight = head ? head->height : 0;
    for (int r = headerRow ? 0 : 1; r < rows; ++r) {
        const Row row = makeRow(grid.rowHeight(r), false,
                                [&](int c, int role) { return model->index(r, c).data(role); });
        if (y + row.height > bottom && y > top + headHeight) {
            printer.newPage();
            startPage();
        }
        drawRow(row);
    }
    finishPrinting(painter, printer);
}

void printHtmlPage(QPrinter& printer, const THtmlView& view, const QString& fontFamily,
                   const QString& footer) {
    view.printDocument(printer, 2.0, [&](QPainter& painter, const QRectF& area) {
        QFont f(fontFamily);
        f.setPointSize(8);
        painter.save();
        painter.setFont(f);
        const double unit = printer.resolution() / 254.0;
        painter.drawText(QRectF(area.left() + 50 * unit, area.top() + 40 * unit, area.width(), area.height()),
                         Qt::AlignLeft | Qt::AlignTop, footer);
        painter.restore();
    });
}

void printWidgetImage(QPrinter& printer, QWidget& widget) {
    const QPixmap image = widget.grab();
    QPainter painter;
    beginPrinting(painter, printer);
    const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSizeF size = QSizeF(image.size()).scaled(area.size(), Qt::KeepAspectRatio);
    painter.drawPixmap(QRectF(QPointF(0, 0), size), image, QRectF(image.rect()));
    finishPrinting(painter, printer);
}

} // namespace unctora::reports
