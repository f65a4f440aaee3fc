// The Print command of each tab, answered by the test's print dialog (PDF output).
#include "mainwindow_fixture.h"

#include "reports/printlayout.h"
#include "tabs/ratetab.h"
#include "widgets/radiogroup.h"

#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

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
};

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
