#pragma once
// Printing the grids, the HTML pages and the window image, with the title and footer
// the program adds to every page.

#include <QString>

class QPainter;
class QPrinter;
class QRectF;
class QTableView;
class QWidget;
class THtmlView;

namespace unctora::reports {

// Draws the title and footer of a printed grid page: page units are tenths of a
// millimetre of the printable area; the title is fitted in bold from 12 points, the
// footer regular from the title's final size, with a rule above the footer.
void drawGridPageDecoration(QPainter& painter, const QPrinter& printer, const QString& fontFamily,
                            const QString& title, const QString& footer);

// How a grid meets the page width: scaled down as a whole when it is wider, or with
// its last column filling the rest of the page and its text wrapped there.
enum class GridWidth { ShrinkToPage, FillWithLastColumn };

// Prints every row and column of a grid below a header area of 25 mm with a left
// margin of 20 mm, page after page, each page decorated as above. The grid's header,
// when it shows one, prints as a first row in bold; otherwise row 0 is the header and
// prints bold. The header row heads every page; texts wrap inside their cells, a row
// is as high as its text needs and goes whole onto the next page when it does not fit.
void printGrid(QPrinter& printer, const QTableView& grid, GridWidth width,
               const QString& fontFamily, const QString& title, const QString& footer);

// Prints an HTML view with margins of 2 cm and the footer text in 8 points on every page.
void printHtmlPage(QPrinter& printer, const THtmlView& view, const QString& fontFamily,
                   const QString& footer);

// Prints an image of the widget scaled to the page.
void printWidgetImage(QPrinter& printer, QWidget& widget);

} // namespace unctora::reports
