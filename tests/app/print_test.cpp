// The Print command of each tab, answered by the test's print dialog (PDF output).
#include "mainwindow_fixture.h"
#include "pdfwords.h"

#include "reports/printlayout.h"
#include "text/keys.h"
#include "strings/stringtable.h"
#include "tabs/acctab.h"
#include "tabs/ratetab.h"
#include "widgets/htmlview.h"
#include "widgets/radiogroup.h"

#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QImage>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextDocument>

namespace {

// The text of a PDF, by pdftotext (poppler-utils, installed with the test tools).
QString pdfText(const QString& path) {
    QProcess p;
    p.start("pdftotext", {"-layout", path, "-"});
    if (!p.waitForFinished(20000))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

class PrintTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        messages.pdfPath = dataRoot.filePath("print.pdf");
    }
    void showTab(const char* name) {
        auto* pg = child<QTabWidget>("pgMain");
        pg->setCurrentWidget(window->findChild<QWidget*>(name));
    }
    qint64 pdfSize() const { return QFileInfo(messages.pdfPath).size(); }
    void showWindow(QSize size = {}) {
        if (size.isValid())
            window->resize(size);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    // The Print command with Shift held, as the user gives it.
    void printWithShift() {
        QTest::keyPress(window.get(), Qt::Key_Shift, Qt::ShiftModifier);
        window->PrintCommand();
        QTest::keyRelease(window.get(), Qt::Key_Shift, Qt::NoModifier);
    }
    PdfText printTab(const char* tab, const QString& file) {
        showTab(tab);
        messages.pdfPath = dataRoot.filePath(file);
        window->PrintCommand();
        if (!keptPrints().isEmpty())
            QFile::copy(messages.pdfPath, QDir(keptPrints()).filePath(file));
        return readPdfWords(messages.pdfPath);
    }
    // A folder to keep the printouts in for a look (UNCTORA_KEEP_PRINTS), or none.
    static QString keptPrints() { return qEnvironmentVariable("UNCTORA_KEEP_PRINTS"); }
    // The printable area of the page the test's printer prints on, in points.
    static QRectF printableArea() {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        return printer.pageLayout().paintRect(QPageLayout::Point);
    }
};

// Every cell of a grid, with its header when it shows one.
QStringList gridCells(const QTableWidget& grid) {
    QStringList cells;
    if (!grid.horizontalHeader()->isHidden())
        for (int c = 0; c < grid.columnCount(); ++c)
            cells << grid.model()->headerData(c, Qt::Horizontal).toString();
    for (int r = 0; r < grid.rowCount(); ++r)
        for (int c = 0; c < grid.columnCount(); ++c)
            cells << (grid.item(r, c) ? grid.item(r, c)->text() : QString());
    return cells;
}

std::string describe(const QList<PdfWord>& words) {
    std::string s;
    for (const PdfWord& w : words.mid(0, 8))
        s += QString("[p%1 %2,%3-%4,%5 \"%6\"] ")
                 .arg(w.page + 1)
                 .arg(w.box.left(), 0, 'f', 1)
                 .arg(w.box.top(), 0, 'f', 1)
                 .arg(w.box.right(), 0, 'f', 1)
                 .arg(w.box.bottom(), 0, 'f', 1)
                 .arg(w.text)
                 .toStdString();
    return s;
}

} // namespace

TEST_F(PrintTest, DispenseRateGridPrintsAndShiftCopies) {
    start();
    showTab("tabDispRate");
    auto* rate = child<RateTab>("tabDispRate");
    rate->rgRateSelLub->button(4)->click();
    window->PrintCommand();
    EXPECT_EQ(messages.printDialogs, 1);
    EXPECT_GT(pdfSize(), 1000);
    QFile pdf(messages.pdfPath);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(4) == "%PDF");
    // The page carries the table's own lubricator in its title (not the calculation's
    // VOXA 125), the rows and the footer.
    const QString text = pdfText(messages.pdfPath);
    EXPECT_TRUE(text.contains("Dispense rate ZOLT 120ml")) << text.toStdString();
    EXPECT_FALSE(text.contains("VOXA 125"));
    EXPECT_TRUE(text.contains("Output from Talvik Unctora v06.00 (291013)"));
    EXPECT_TRUE(text.contains("108.0"));
}

TEST_F(PrintTest, CancelledDialogPrintsNothing) {
    start();
    showTab("tabDispRate");
    messages.cancelPrint = true;
    window->PrintCommand();
    EXPECT_EQ(messages.printDialogs, 1);
    EXPECT_FALSE(QFileInfo::exists(messages.pdfPath));
}

TEST_F(PrintTest, WindowImageOnAWhiteBackgroundAndBack) {
    start();
    const QColor before = window->palette().color(QPalette::Window);
    window->PrintCommand(); // the Dial setting tab: the window image
    EXPECT_GT(pdfSize(), 1000);
    EXPECT_EQ(window->palette().color(QPalette::Window), before);
}

TEST(PrintLayout, TitlesJobNamesAndFitting) {
    namespace R = unctora::reports;
    EXPECT_EQ(R::printJobName(R::PrintSource::DispenseRate), "Talvik Unctora_Rate");
    EXPECT_EQ(R::printJobName(R::PrintSource::Accessories), "Talvik Unctora_Acc");
    EXPECT_EQ(R::printJobName(R::PrintSource::Window), "Talvik Unctora_Main");
    EXPECT_EQ(R::printFooterText(nullptr), "frmString=nil! Talvik Unctora v06.00 (291013)");
    // The printed dispense-rate table is titled with its own lubricator.
    EXPECT_EQ(R::gridPrintTitle(R::PrintSource::DispenseRate, nullptr, 4), "frmString=nil! ZOLT 120ml");
    EXPECT_EQ(R::gridPrintTitle(R::PrintSource::Accessories, nullptr, 4),
              "Talvik Unctora - frmString=nil!");
    // A text 100 units wide per point on a page 1000 wide: 12 points is 1200, too
    // wide; it shrinks to 10 points, x = 0.
    auto wide = [](int points) { return R::TextSize{points * 100, points * 5}; };
    R::FittedText f = R::fitText(1000, 100, 12, wide);
    EXPECT_EQ(f.pointSize, 10);
    EXPECT_EQ(f.x, 0);
    // Too high at every size: it stops at 2 points, never below.
    auto high = [](int points) { return R::TextSize{10, 200 + points}; };
    f = R::fitText(1000, 100, 12, high);
    EXPECT_EQ(f.pointSize, 2);
    // A text that fits keeps its size and is centred.
    f = R::fitText(1000, 100, 12, [](int) { return R::TextSize{400, 50}; });
    EXPECT_EQ(f.pointSize, 12);
    EXPECT_EQ(f.x, 300);
}

// A page tab is laid out only when it comes on screen or is printed: a print of a tab
// the window never showed, after a language switch, carries the page in that language.
TEST_F(PrintTest, PageOfATabNeverShownPrintsInTheCurrentLanguage) {
    start();
    child<QAction>("miGerman")->trigger();
    showTab("tabCalc");
    window->PrintCommand();
    const QString text = pdfText(messages.pdfPath);
    EXPECT_TRUE(text.contains("Nachschmierintervall")) << text.toStdString();
    EXPECT_FALSE(text.contains("Relubrication interval"));
}

// Every tab that prints text, printed through the Print command in three languages and
// read back from the PDF: all of its text is there, nothing reaches past the printable
// area, and no text is smaller than 6 points.
class PrintedPages : public PrintTest, public testing::WithParamInterface<const char*> {};

TEST_P(PrintedPages, WholeInsideThePageAndReadableInThreeLanguages) {
    const QString tab = GetParam();
    start();
    const QRectF area = printableArea();
    struct Language {
        const char* action;
        const char* code;
    };
    for (const Language& language : {Language{"miEnglish", "en"}, Language{"miGerman", "de"},
                                     Language{"miChinese", "zh"}}) {
        child<QAction>(language.action)->trigger();
        // The grids take their column widths from the window: print at the usual size and
        // at a wide one.
        for (QSize size : {QSize(1024, 740), QSize(1900, 1000)}) {
            SCOPED_TRACE(QString("%1 %2 %3x%4")
                             .arg(tab, language.code)
                             .arg(size.width())
                             .arg(size.height())
                             .toStdString());
            showWindow(size);
            const PdfText pdf = printTab(tab.toLatin1().constData(),
                                         QString("%1-%2-%3.pdf").arg(tab, language.code).arg(size.width()));
            ASSERT_TRUE(pdf.ok()) << messages.errors.join("; ").toStdString();
            EXPECT_TRUE(pdf.outside(area).isEmpty()) << describe(pdf.outside(area));
            const PdfWord low = pdf.smallest();
            EXPECT_GE(low.box.height(), 6.0) << describe({low});

            QString expected;
            if (tab == "tabAcc" || tab == "tabDispRate") {
                auto* grid = window->findChild<QTableWidget*>(tab == "tabAcc" ? "sgAcc" : "sgRate");
                const QStringList cells = gridCells(*grid);
                const int columns = grid->columnCount();
                expected = cells.join("");
                // The header row heads every page, and no row is split between pages.
                const QString header = withoutSpaces(cells.mid(0, columns).join(""));
                for (int p = 0; p < pdf.pages.size(); ++p)
                    EXPECT_TRUE(pdf.joined(p).contains(header)) << "page " << p + 1 << " has no header";
                for (int r = 1; r * columns < cells.size(); ++r) {
                    const QString row = cells.mid(r * columns, columns).join("");
                    bool whole = false;
                    for (int p = 0; p < pdf.pages.size() && !whole; ++p)
                        whole = missingCharacters(row, pdf.joined(p)).isEmpty();
                    EXPECT_TRUE(whole) << "row " << r << " is not whole on one page: " << row.toStdString();
                }
            } else {
                const auto* view = window->findChild<QWidget*>(tab)->findChild<THtmlView*>();
                expected = view->document()->toPlainText();
            }
            const QString missing = missingCharacters(expected, pdf.joined());
            EXPECT_TRUE(missing.isEmpty()) << "missing: " << missing.toStdString() << "; pages: " << pdf.pages.size();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Tabs, PrintedPages,
                         testing::Values("tabAcc", "tabDispRate", "tabCalc", "tabSelChart"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param + 3);
                         });

// Shift + Print on the calculation page prints without asking; with no printer there,
// the user is told so instead of being shown an empty file name.
TEST_F(PrintTest, ShiftPrintWithoutAPrinterSaysThatThereIsNone) {
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        GTEST_SKIP() << "this machine has a printer";
    start();
    showTab("tabCalc");
    printWithShift();
    EXPECT_EQ(messages.printDialogs, 0);
    ASSERT_EQ(messages.errors.size(), 1) << messages.errors.join("; ").toStdString();
    EXPECT_EQ(messages.errors.first(), "No printer is available. Install a printer to print this page.");
    // In another language the text follows it.
    child<QAction>("miGerman")->trigger();
    printWithShift();
    ASSERT_EQ(messages.errors.size(), 2);
    EXPECT_TRUE(messages.errors.last().startsWith("Kein Drucker")) << messages.errors.last().toStdString();
}

// The window image, copied or printed, shows the pages on white where the window shows
// them on grey.
TEST_F(PrintTest, WindowImageCopiedAndPrintedOnWhite) {
    start();
    showWindow(QSize(1024, 740));
    const QRectF area = printableArea();
    for (const char* tab : {"tabDial", "tabOpCond"}) {
        SCOPED_TRACE(tab);
        showTab(tab);
        const QImage before = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRgb windowGrey = window->palette().color(QPalette::Window).rgb();
        const QRgb pageGrey = window->findChild<QWidget*>(tab)->palette().color(QPalette::Window).rgb();
        // Spots of plain background: grey on screen, with grey all around them, and not
        // in a picture (the dial pictures have a grey panel of their own).
        auto plain = [&](int x, int y) {
            const auto* label = qobject_cast<QLabel*>(window->childAt(x, y));
            if (label && !label->pixmap().isNull())
                return false;
            for (int dy = -3; dy <= 3; ++dy)
                for (int dx = -3; dx <= 3; ++dx) {
                    const QRgb c = before.pixel(x + dx, y + dy);
                    if (c != windowGrey && c != pageGrey)
                        return false;
                }
            return true;
        };
        QList<QPoint> spots;
        for (int y = 4; y < before.height() - 4; y += 6)
            for (int x = 4; x < before.width() - 4; x += 6)
                if (plain(x, y))
                    spots << QPoint(x, y);
        ASSERT_GT(spots.size(), 500);

        printWithShift();
        const QImage copy = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(copy.size(), before.size());
        int grey = 0;
        for (QPoint p : spots)
            grey += copy.pixel(p) != qRgb(255, 255, 255);
        EXPECT_EQ(grey, 0) << "of " << spots.size() << " background spots in the copy";
        if (!keptPrints().isEmpty())
            copy.save(QDir(keptPrints()).filePath(QString(tab) + "-copy.png"));

        messages.pdfPath = dataRoot.filePath(QString(tab) + ".pdf");
        window->PrintCommand();
        if (!keptPrints().isEmpty())
            QFile::copy(messages.pdfPath, QDir(keptPrints()).filePath(QString(tab) + ".pdf"));
        // Rendered so that a window pixel is at least a page pixel.
        const double pointsPerPixel = std::min(area.width() / before.width(), area.height() / before.height());
        const int dpi = static_cast<int>(std::ceil(72.0 / pointsPerPixel));
        const QImage page = renderPdfPage(messages.pdfPath, 0, dpi).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(page.isNull());
        grey = 0;
        for (QPoint p : spots) {
            // The image may be stored with lossy compression: the mean of a few pixels.
            const QPoint at = ((area.topLeft() + QPointF(p) * pointsPerPixel) * dpi / 72.0).toPoint();
            int sum = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    sum += qGray(page.pixel(at + QPoint(dx, dy)));
            grey += sum / 9 < 251;
        }
        EXPECT_EQ(grey, 0) << "of " << spots.size() << " background spots on the printed page";
        // The window is back to its own colours.
        EXPECT_EQ(window->grab().toImage().convertToFormat(QImage::Format_RGB32), before);
    }
}
