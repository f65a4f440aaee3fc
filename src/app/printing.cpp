#include "app/printing.h"

#include "widgets/printcheck.h"

#include "reports/printlayout.h"
#include "widgets/htmlview.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QHeaderView>
#include <QTableView>
#include <functional>
#include <cmath>

namespace unctora::reports {

namespace {

// Page units (tenths of a millimetre) to device pixels and back.
double toDevice(const QPrinter& p, double units) { return units * p.resolution() / 254.0; }
int toUnits(const QPrinter& p, double pixels) { return static_cast<int>(std::lround(pixels * 254.0 / p.resolution())); }

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

void printGrid(QPrinter& printer, const QTableView& grid, bool shrinkToFit,
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
    // Screen pixels to printer pixels at the grid's own size.
    double scale = printer.resolution() / 96.0;
    const double left = toDevice(printer, 200);
    const double top = toDevice(printer, 250);
    const double bottom = area.height() - toDevice(printer, 200);
    int gridWidth = 0;
    for (int c = 0; c < columns; ++c)
        gridWidth += grid.columnWidth(c);
    if (shrinkToFit && gridWidth * scale > area.width() - left)
        scale = (area.width() - left) / gridWidth;
    QFont cellFont = grid.font();
    // The grid's screen font at the grid's printed scale.
    const double basePoints = cellFont.pixelSize() > 0 ? cellFont.pixelSize() * 0.75 : cellFont.pointSizeF();
    cellFont.setPointSizeF(std::max(4.0, basePoints * scale * 96.0 / printer.resolution()));
    double y = top;
    drawGridPageDecoration(painter, printer, fontFamily, title, footer);
    auto printRow = [&](int height, bool bold, const std::function<QString(int)>& text) {
        const double h = height * scale;
        if (y + h > bottom && y > top) {
            printer.newPage();
            drawGridPageDecoration(painter, printer, fontFamily, title, footer);
            y = top;
        }
        double x = left;
        QFont f = cellFont;
        f.setBold(bold);
        painter.setFont(f);
        for (int c = 0; c < columns; ++c) {
            const double w = grid.columnWidth(c) * scale;
            const QRectF cell(x, y, w, h);
            painter.drawRect(cell);
            painter.drawText(cell.adjusted(2, 0, -2, 0), Qt::AlignCenter | Qt::TextWordWrap, text(c));
            x += w;
        }
        y += h;
    };
    if (headerRow)
        printRow(std::max(header->height(), 20), true,
                 [&](int c) { return model->headerData(c, Qt::Horizontal).toString(); });
    for (int r = 0; r < rows; ++r)
        printRow(grid.rowHeight(r), !headerRow && r == 0,
                 [&](int c) { return model->index(r, c).data().toString(); });
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
