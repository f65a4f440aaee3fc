#include "mainwindow_fixture.h"

#include "desktop/placement.h"
#include "widgets/clicklabel.h"
#include "widgets/groupbar.h"
#include "widgets/radiogroup.h"
#include "widgets/spinedit.h"
#include "windows/planwindow.h"
#include "../support/filelimit.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

namespace {

QString notes(const MainWindowTest::DialControls& d) { return d.memoNotes->toPlainText(); }

// Every page of the notes box, paged through with the ">" label.
QString allNotes(const MainWindowTest::DialControls& d) {
    QString all = notes(d);
    const QString header = all.section('\n', 0, 0);
    const int count = header.section('/', -1).toInt();
    for (int i = 1; i < count; ++i) {
        d.labNextNote->clicked(Qt::NoModifier);
        all += "\n" + notes(d);
    }
    return all;
}

} // namespace

TEST_F(MainWindowTest, FirstStartShowsTheWorkedExample) {
    TfrmMain& w = start();
    ASSERT_TRUE(w.created());
    ASSERT_TRUE(w.Activated());
    const DialControls d = dial();
    EXPECT_EQ(d.edTf->text(), "4000");
    EXPECT_EQ(d.edTfcorr->text(), "700");
    EXPECT_EQ(d.edGp->text(), "90.0");
    EXPECT_EQ(d.edQf->text(), "3.11");
    EXPECT_EQ(d.edBore_in->text(), "3.94");
    EXPECT_EQ(d.rgLubricator->itemIndex(), 1);
    // Ball bearing: replenishment from the side, and the choice is closed.
    EXPECT_EQ(d.rgReplenish->itemIndex(), 0);
    EXPECT_FALSE(d.rgReplenish->isEnabled());
    // Rotating outer ring, vertical shaft, moderate contamination: three pages.
    EXPECT_TRUE(notes(d).startsWith("Note: 1/3\n")) << notes(d).toStdString();
    EXPECT_FALSE(d.pnPrevNextNote->isHidden());
    EXPECT_EQ(d.labUnitGp->text(), "g");
    EXPECT_EQ(d.labUnitQf->text(), "g/day"); // after the language: no blank
    EXPECT_EQ(d.ocOpCond->caption(0), "Contamination/Moisture: Moderate");
    // Six tabs of width 143, no log.
    auto* pg = child<QTabWidget>("pgMain");
    EXPECT_FALSE(pg->isTabVisible(6));
    EXPECT_FALSE(pg->isTabVisible(7));
    EXPECT_TRUE(child<QPlainTextEdit>("memoLog")->toPlainText().isEmpty());
    EXPECT_TRUE(messages.errors.isEmpty()) << messages.errors.join("|").toStdString();
}

TEST_F(MainWindowTest, EveryInputKindRecalculates) {
    start();
    const DialControls d = dial();
    // Speed: 3000 rpm with the outer ring rotating (dm = D = 180) exceeds the
    // moderate-load limit 400000.
    d.spedSpeed->setValue(3000);
    EXPECT_TRUE(allNotes(d).contains("540000")) << allNotes(d).toStdString();
    // Speed 1 rpm: too low, the field turns red; minimum 20000 / 180 + 1 = 112.
    d.spedSpeed->setValue(1);
    EXPECT_EQ(d.spedSpeed->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_TRUE(allNotes(d).contains("112 rpm")) << allNotes(d).toStdString();
    d.spedSpeed->setValue(2000);
    EXPECT_EQ(d.spedSpeed->palette().color(QPalette::Text), QColor(Qt::black));
    // Bearing type: the cylindrical roller bars appear and replenishment opens again.
    d.cbBrgType->setCurrentIndex(3);
    EXPECT_FALSE(d.rbCRB_Cage.bar->isHidden());
    EXPECT_FALSE(d.rbCRB_Locating.bar->isHidden());
    EXPECT_TRUE(d.rbSRB_Series.bar->isHidden());
    EXPECT_TRUE(d.rgReplenish->isEnabled());
    EXPECT_EQ(d.rgReplenish->itemIndex(), 0);
    const QString tfcBefore = d.edTfcorr->text();
    // Sub-variant: without cage divides the corrected interval by ten.
    d.rbCRB_Locating.bar->captionButton(3)->click();
    EXPECT_EQ(d.rbCRB_Locating.bar->openGroupIndex(), 3);
    EXPECT_NE(d.edTfcorr->text(), tfcBefore);
    EXPECT_TRUE(d.rbCRB_Locating.bar->captionButton(3)->font().bold());
    EXPECT_FALSE(d.rbCRB_Locating.bar->captionButton(0)->font().bold());
    // A condition: the caption follows the choice.
    d.rgLoad->button(3)->click();
    EXPECT_EQ(d.ocOpCond->caption(1), "Load: Very High");
    // Operating hours: stepping only.
    const QString qf = d.edQf->text();
    d.spedOpHrs->stepBy(-16);
    EXPECT_EQ(d.spedOpHrs->value(), 8);
    EXPECT_NE(d.edQf->text(), qf);
}

TEST_F(MainWindowTest, LubricatorChoiceAndGreaseFallBack) {
    start();
    const DialControls d = dial();
    d.spedSpeed->setValue(1000);
    d.rgRotOR->button(0)->click(); // Sf 140000: speed class 2
    d.rgLoad->button(2)->click();
    d.rgLubricator->button(5)->click(); // ZOLT 380ml takes NVSU2
    d.rgGreaseType->button(4)->click();
    ASSERT_EQ(d.rgGreaseType->itemIndex(), 4);
    d.rgLubricator->button(4)->click(); // ZOLT 120ml does not
    EXPECT_EQ(d.rgGreaseType->itemIndex(), 0);
    EXPECT_FALSE(d.rgGreaseType->isItemEnabled(4));
    EXPECT_TRUE(d.rgGreaseType->isItemEnabled(3));
    EXPECT_TRUE(d.labSystem->text().endsWith("ZOLT 120ml"));
    EXPECT_TRUE(d.pnVOXA1000->isHidden());
    d.rgLubricator->button(7)->click();
    EXPECT_FALSE(d.pnVOXA1000->isHidden());
    EXPECT_FALSE(d.imgUnit->pixmap().isNull());
}

TEST_F(MainWindowTest, FailureDisplayAndPaging) {
    start();
    const DialControls d = dial();
    d.spedD->setValue(0);
    EXPECT_EQ(d.edTf->text(), "0");
    EXPECT_EQ(d.edGp->text(), "0");
    EXPECT_EQ(d.edD_in->text(), "0.00");
    EXPECT_TRUE(notes(d).startsWith("Note: 1/2\nThe calculation failed")) << notes(d).toStdString();
    d.labNextNote->clicked(Qt::NoModifier);
    EXPECT_TRUE(notes(d).startsWith("Note: 2/2\nInvalid floating point operation"));
    d.labNextNote->clicked(Qt::NoModifier); // wraps to the first page
    EXPECT_TRUE(notes(d).startsWith("Note: 1/2"));
    d.labPrevNote->clicked(Qt::NoModifier); // and back to the last
    EXPECT_TRUE(notes(d).startsWith("Note: 2/2"));
    // The next input change computes normally again.
    d.spedD->setValue(180);
    EXPECT_EQ(d.edTf->text(), "4000");
}

TEST_F(MainWindowTest, SpinEditTyping) {
    start();
    const DialControls d = dial();
    d.spedD->setValue(20); // small enough that the speed shows in the interval
    d.spedBore->setValue(10);
    d.spedSpeed->setFocus();
    QLineEdit* edit = d.spedSpeed->findChild<QLineEdit*>();
    ASSERT_TRUE(edit);
    edit->selectAll();
    QTest::keyClicks(edit, "12000");
    EXPECT_EQ(d.spedSpeed->value(), 12000); // computed as typed
    const QString typed = d.edTf->text();
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(d.spedSpeed, &out);
    EXPECT_EQ(d.spedSpeed->value(), 10000);
    EXPECT_EQ(edit->text(), "10000");
    EXPECT_NE(d.edTf->text(), typed);
    // Emptying the bore shows 0 at once and computes with d = 0.
    QLineEdit* bore = d.spedBore->findChild<QLineEdit*>();
    bore->selectAll();
    QTest::keyClick(bore, Qt::Key_Backspace);
    EXPECT_EQ(bore->text(), "0");
    EXPECT_EQ(d.edBore_in->text(), "0.00");
    // Letters count as the lower bound.
    bore->selectAll();
    QTest::keyClicks(bore, "abc");
    EXPECT_EQ(d.spedBore->value(), 0);
}

TEST_F(MainWindowTest, SettingsWrittenAndReadBack) {
    start();
    const DialControls d = dial();
    d.cbBrgType->setCurrentIndex(3);
    d.rbCRB_Cage.bar->captionButton(1)->click();
    d.rbCRB_Locating.bar->captionButton(2)->click();
    d.spedSpeed->setValue(1234);
    d.rgLoad->button(3)->click();
    d.rgLubricator->button(6)->click();
    quit();
    const QByteArray ini = readSettings();
    for (const char* line : {"Type=3", "CRBSub1=1", "CRBSub2=2", "Speed=1234", "Load=3",
                             "Units=0", "Language=English", "Version=v06.00 (291013)/B67"})
        EXPECT_TRUE(ini.contains(line)) << line << "\n" << ini.toStdString();
    EXPECT_FALSE(ini.contains("Lubricator"));
    start();
    EXPECT_EQ(dial().cbBrgType->currentIndex(), 3);
    EXPECT_EQ(dial().rbCRB_Cage.bar->openGroupIndex(), 1);
    EXPECT_EQ(dial().rbCRB_Locating.bar->openGroupIndex(), 2);
    EXPECT_EQ(dial().spedSpeed->value(), 1234);
    EXPECT_EQ(dial().rgLoad->itemIndex(), 3);
    EXPECT_EQ(dial().rgLubricator->itemIndex(), 1); // always the designed item
}

TEST_F(MainWindowTest, DamagedSettingsAreClamped) {
    writeSettings(QByteArray("[options]\nUnits=7\nLanguage=Klingon\n[DATA]\nType=25\nGrease=-3\n"
                             "crbsub2=9\nSpeed=99999\nOpHours=-5\nBore_mm=abc\n\x01\xff\xfe junk\n"
                             "[Data]\nType=1\n", 100));
    start();
    const DialControls d = dial();
    EXPECT_EQ(d.cbBrgType->currentIndex(), 9);
    EXPECT_EQ(d.rgGreaseType->itemIndex(), 0);
    EXPECT_EQ(d.rbCRB_Locating.bar->openGroupIndex(), 3);
    EXPECT_EQ(d.spedSpeed->value(), 10000);
    EXPECT_EQ(d.spedOpHrs->value(), 1);
    EXPECT_EQ(d.spedBore->value(), 100);
    EXPECT_EQ(window->CurrentUnits(), unctora::core::Units::Imperial);
    EXPECT_TRUE(d.labUnitGp->text() == "oz");
    EXPECT_EQ(strings->table()->CurrentLanguageName(), "English");
}

TEST_F(MainWindowTest, FullDiskShowsTheErrorAndKeepsTheSettings) {
    start();
    dial().spedSpeed->setValue(1500);
    quit();
    const QByteArray saved = readSettings();
    ASSERT_TRUE(saved.contains("Speed=1500\n"));

    start();
    dial().spedSpeed->setValue(2500);
    {
        FileSizeLimit full(64);
        ASSERT_TRUE(full.active());
        // A unit switch writes at once: the error is shown and the program goes on.
        window->ApplyUnits(1);
        EXPECT_EQ(dial().labUnitGp->text(), "oz");
        quit();
    }
    const QString expected = "Unable to write to " + env.settingsFile() + " (File too large)";
    ASSERT_EQ(messages.errors.size(), 2) << messages.errors.join("\n").toStdString();
    EXPECT_EQ(messages.errors[0], expected);
    EXPECT_EQ(messages.errors[1], expected);
    EXPECT_EQ(readSettings(), saved);
    // No temporary file is left behind.
    EXPECT_EQ(QDir(env.dataDir).entryList({"unctora.INI*"}, QDir::Files), QStringList{"unctora.INI"});
}

// Pixels of the accent colour in the title strip of a group box as drawn.
int accentPixels(QGroupBox* box) {
    const QImage image = box->grab(QRect(0, 0, box->width(), box->fontMetrics().height() + 2)).toImage();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += c.blue() > 150 && c.red() < 60 && c.green() < 140;
        }
    return n;
}

TEST_F(MainWindowTest, MainGroupTitlesInTheAccentColour) {
    start();
    window->show();
    for (QGroupBox* box : {dial().gbBrgBasic, dial().gbLubricator, dial().gbGreaseType,
                           dial().gbOpCond, dial().gbResults})
        EXPECT_GT(accentPixels(box), 20) << box->objectName().toStdString();
    // Inner groups and the controls inside keep the usual colours.
    EXPECT_EQ(accentPixels(dial().gbBrgDim), 0);
    EXPECT_EQ(dial().spedSpeed->palette().color(QPalette::Text), QApplication::palette().color(QPalette::Text));
}

TEST_F(MainWindowTest, FontThatIsNotInstalledBecomesArial) {
    writeSettings("[Options]\nFontName=No Such Font Family\n");
    start();
    EXPECT_EQ(window->FontName(), "Arial");
    quit();
    EXPECT_TRUE(readSettings().contains("FontName=Arial\n")) << readSettings().toStdString();
    EXPECT_FALSE(TfrmMain::FontInstalled(QString(40, 'x')));
}

TEST_F(MainWindowTest, UnitSwitch) {
    start();
    const DialControls d = dial();
    d.rgBrgOpTemp->button(2)->click();
    window->ApplyUnits(1);
    EXPECT_EQ(d.edGp->text(), "3.2");
    EXPECT_EQ(d.labUnitGp->text(), "oz");
    EXPECT_EQ(d.labUnitQf->text(), "oz/ day"); // a unit switch puts a blank after the slash
    EXPECT_TRUE(d.rgBrgOpTemp->itemText(0).endsWith("117 to 145 \u00B0F"));
    EXPECT_TRUE(d.rgAmbTemp->itemText(0).endsWith("15 \u00B0F"));
    EXPECT_EQ(d.rgBrgOpTemp->itemIndex(), 2);
    EXPECT_TRUE(d.ocOpCond->caption(3).startsWith("Ambient temperature: "));
    window->ApplyUnits(0);
    EXPECT_TRUE(d.rgBrgOpTemp->itemText(3).endsWith("93 to 107 \u00B0C"));
    EXPECT_TRUE(d.rgAmbTemp->itemText(2).endsWith("40 \u00B0C"));
    EXPECT_EQ(d.edGp->text(), "90.0");
    // Both menu entries: the current one is bold.
    EXPECT_TRUE(child<QAction>("miUnitSI")->font().bold());
    EXPECT_FALSE(child<QAction>("miUnitImp")->font().bold());
}

TEST_F(MainWindowTest, CommandLineSwitches) {
    start({"/LOG", "-editlang"});
    auto* pg = child<QTabWidget>("pgMain");
    EXPECT_TRUE(pg->isTabVisible(7));
    EXPECT_FALSE(pg->isTabVisible(6));
    EXPECT_TRUE(child<QAction>("miEdittext1")->isVisible());
    const QStringList log = child<QPlainTextEdit>("memoLog")->toPlainText().split('\n');
    EXPECT_TRUE(log.contains("calculateGreaseQuantity"));
    const qsizetype before = log.size();
    dial().spedSpeed->setValue(2100);
    const QStringList after = child<QPlainTextEdit>("memoLog")->toPlainText().split('\n');
    // One change: the suitability lines, then the ten calculation lines.
    EXPECT_GT(after.size(), before + 10 + 3 + 13 * 3 - 1);
    EXPECT_TRUE(after.last().startsWith("DS=")) << after.last().toStdString();
    EXPECT_TRUE(after.contains("Lubricator=1=VOXA 125, brg=0 (0/0)"));
    start({"-Logx"});
    EXPECT_FALSE(child<QTabWidget>("pgMain")->isTabVisible(7));
    EXPECT_FALSE(child<QAction>("miEdittext1")->isVisible());
}

TEST_F(MainWindowTest, MissingLanguageFileAbortsTheStart) {
    QFile::remove(programDir.filePath("unctora.sil"));
    TfrmMain& w = start();
    EXPECT_FALSE(w.created());
    ASSERT_EQ(messages.errors.size(), 1);
    EXPECT_TRUE(messages.errors[0].startsWith("Language file \"" + programDir.path()));
    EXPECT_TRUE(messages.errors[0].endsWith("Program will be aborted."));
}

TEST_F(MainWindowTest, UnwritableDataFolderKeepsTheWindowUsable) {
    env.dataDir = programDir.filePath("unctora.sil/data"); // below a file: cannot be created
    start();
    EXPECT_FALSE(messages.errors.isEmpty());
    // Each file that cannot be written is reported once, not once for every step of the start.
    QStringList distinct = messages.errors;
    EXPECT_EQ(distinct.removeDuplicates(), 0) << messages.errors.join("\n").toStdString();
    EXPECT_EQ(dial().edTf->text(), "4000");
    dial().spedSpeed->setValue(1000);
    EXPECT_NE(dial().edTf->text(), "4000");
    const qsizetype errors = messages.errors.size();
    quit(); // the settings cannot be written: an error, no crash
    EXPECT_GT(messages.errors.size(), errors);
}

TEST_F(MainWindowTest, LanguageMenuAppliesTheLanguage) {
    start();
    QAction* german = child<QAction>("miGerman");
    german->trigger();
    EXPECT_TRUE(german->font().bold());
    EXPECT_FALSE(child<QAction>("miEnglish")->font().bold());
    EXPECT_TRUE(readSettings().contains("Language=German"));
    EXPECT_TRUE(notes(dial()).startsWith("Hinweis: 1/3")) << notes(dial()).toStdString();
    EXPECT_EQ(dial().edTf->text(), "4000");
}

TEST(Application, AnExceptionFromAHandlerIsShownAndTheProgramGoesOn) {
    struct Throwing : QObject {
        bool event(QEvent* e) override {
            if (e->type() == QEvent::User)
                throw std::runtime_error("Unable to write to /nowhere/calc.html");
            return QObject::event(e);
        }
    } object;
    applicationMessages().errors.clear();
    QEvent event(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&object, &event));
    ASSERT_EQ(applicationMessages().errors.size(), 1);
    EXPECT_EQ(applicationMessages().errors[0], "Unable to write to /nowhere/calc.html");
}

TEST(WindowPlacement, CentresNegativeAndKeepsOnTheScreen) {
    using unctora::app::placedPosition;
    const QSize screen(1920, 1080);
    EXPECT_EQ(placedPosition(-4, 10, 870, 680, screen), QPoint(525, 10)); // centred across
    EXPECT_EQ(placedPosition(5000, 10, 870, 680, screen), QPoint(1050, 10)); // right edge on the screen's
    EXPECT_EQ(placedPosition(10, -1, 870, 680, screen), QPoint(10, 200));
    EXPECT_EQ(placedPosition(10, 900, 870, 680, screen), QPoint(10, 400));
    // Larger than the screen: left and top may end negative.
    EXPECT_EQ(placedPosition(0, 0, 2000, 680, screen), QPoint(-80, 0));
    // The largest positions a settings file can hold still land on the screen.
    EXPECT_EQ(placedPosition(2147483647, 2147483647, 870, 680, screen), QPoint(1050, 400));
    EXPECT_EQ(placedPosition(2147483000, 10, 2147483647, 680, screen), QPoint(1920 - 2147483647, 10));
}

TEST_F(MainWindowTest, KeepsItsLanguageWhenTheStringWindowIsGone) {
    // The string table is the program's, not the string window's: the main window's
    // texts stay in the chosen language without the editor.
    start();
    const DialControls d = dial();
    const QString english = d.gbBrgType->title();
    child<QAction>("miGerman")->trigger();
    const QString german = d.gbBrgType->title();
    ASSERT_NE(german, english);
    strings.reset();
    child<QAction>("miEnglish")->trigger();
    EXPECT_EQ(d.gbBrgType->title(), english);
    child<QAction>("miGerman")->trigger();
    EXPECT_EQ(d.gbBrgType->title(), german);
}

TEST_F(MainWindowTest, EndsAfterTheStringWindowAsTheProgramEndsThem) {
    // The program ends its windows in the reverse order of their making: the string
    // window first. Whatever asks for texts while the main window ends (closing the
    // plant plan, saving) must not reach the freed table.
    TfrmMain& w = start();
    ASSERT_NE(w.ShowPlanWindow(), nullptr);
    strings.reset();
    window.reset();
    EXPECT_FALSE(window);
}
