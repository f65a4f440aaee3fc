// The setting display, the Dispense rate tab and the Operating conditions tab in the
// real main window.
#include "mainwindow_fixture.h"

#include "tabs/acctab.h"
#include "tabs/opcondtab.h"
#include "tabs/ratetab.h"
#include "widgets/badge.h"
#include "widgets/radiogroup.h"
#include "widgets/spinedit.h"
#include "windows/accpicwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QMouseEvent>
#include <QTabWidget>
#include <QWheelEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

TEST_F(MainWindowTest, SettingDisplayOfEachFamily) {
    start();
    const DialControls d = dial();
    // VOXA 125 on the worked example: DS 1.16 shows 1, "month", the dial picture.
    EXPECT_EQ(d.slDS->text(), "1");
    EXPECT_EQ(d.pbDS->textColour(), QColor(Qt::white));
    EXPECT_FALSE(d.labUnitDS->isHidden());
    EXPECT_EQ(d.labUnitDS->text(), "month");
    EXPECT_FALSE(d.imgDial->pixmap().isNull());
    // On screen the dial picture fits in what the results box shows of its panel.
    window->show();
    d.rgLubricator->button(0)->click();
    d.rgLubricator->button(1)->click();
    const int shown = d.pnDS->parentWidget()->height() - d.pnDS->y();
    EXPECT_LE(d.imgDial->pixmap().deviceIndependentSize().height(), shown);
    EXPECT_GE(d.imgDial->pixmap().deviceIndependentSize().height(), shown - 2);
    // TENO 250: setting 2, "months".
    d.rgLubricator->button(3)->click();
    EXPECT_EQ(d.slDS->text(), "2");
    EXPECT_EQ(d.labUnitDS->text(), "months");
    // A very low speed: the VOXA 125 dial is out of range.
    d.rgLubricator->button(1)->click();
    d.spedSpeed->setValue(0);
    d.spedD->setValue(30);
    d.spedB->setValue(10);
    EXPECT_EQ(d.slDS->text(), "--");
    EXPECT_EQ(d.pbDS->textColour(), QColor(255, 0, 0));
    EXPECT_TRUE(d.labUnitDS->isHidden());
    // VOXA 400: the feed-rate badge, no picture, note 7 first.
    d.spedSpeed->setValue(2000);
    d.spedD->setValue(180);
    d.spedB->setValue(100);
    d.rgLubricator->button(6)->click();
    EXPECT_TRUE(d.slDS->text().startsWith("Feed rate:|")) << d.slDS->text().toStdString();
    EXPECT_TRUE(d.imgDial->isHidden());
    EXPECT_TRUE(d.labUnitDS->isHidden());
    EXPECT_TRUE(d.memoNotes->toPlainText().startsWith("Note: 1/4\n")) << d.memoNotes->toPlainText().toStdString();
    // VOXA 1000: cycle and pause.
    d.rgLubricator->button(7)->click();
    EXPECT_TRUE(d.slDS->text().startsWith("tCo=")) << d.slDS->text().toStdString();
    // A failed calculation leaves the badge empty.
    d.spedD->setValue(0);
    EXPECT_EQ(d.slDS->text(), "");
}

TEST_F(MainWindowTest, DispenseRateTabGridAndCopy) {
    start();
    auto* tab = child<RateTab>("tabDispRate");
    ASSERT_TRUE(tab);
    EXPECT_EQ(tab->sgRate->rowCount(), 13);
    EXPECT_EQ(tab->sgRate->item(0, 0)->text(), "Dial setting");
    EXPECT_EQ(tab->sgRate->item(1, 5)->text(), "110.0");
    tab->rgRateSelLub->button(4)->click(); // ZOLT 120ml
    EXPECT_EQ(tab->sgRate->rowCount(), 9);
    EXPECT_EQ(tab->sgRate->item(0, 0)->text(), "DIP switch setting");
    EXPECT_EQ(tab->sgRate->item(8, 0)->text(), "24");
    // The picture is drawn when the tab comes on screen.
    window->show();
    child<QTabWidget>("pgMain")->setCurrentWidget(tab);
    EXPECT_FALSE(tab->imgRate->pixmap().isNull());
    EXPECT_EQ(tab->imgRate->pixmap().deviceIndependentSize().toSize(), tab->imgRate->size());
    tab->bnCopyRate->click();
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(copied.startsWith("DIP switch setting\t")) << copied.toStdString();
    EXPECT_EQ(copied.count("\r\n"), 8);
    EXPECT_TRUE(copied.endsWith("24\t0.04\t0.16\t\t1.0\t4.5"));
    // The tab's choice is its own: the calculation's lubricator stays.
    EXPECT_EQ(dial().rgLubricator->itemIndex(), 1);
}

TEST_F(MainWindowTest, LanguageSwitchChangesTablesAndKeepsSelections) {
    start();
    auto* rate = child<RateTab>("tabDispRate");
    auto* op = child<OpCondTab>("tabOpCond");
    ASSERT_TRUE(rate && op);
    rate->rgRateSelLub->button(2)->click();
    op->rgCond->button(1)->click();   // Load
    op->rgSetting->button(3)->click(); // Very High
    dial().cbBrgType->setCurrentIndex(4);
    child<QAction>("miGerman")->trigger();
    EXPECT_EQ(rate->rgRateSelLub->itemIndex(), 2);
    EXPECT_EQ(rate->sgRate->item(0, 0)->text(), "Einstellung");
    EXPECT_EQ(op->rgCond->itemIndex(), 1);
    EXPECT_EQ(op->rgSetting->itemIndex(), 3);
    EXPECT_EQ(op->edDialComp->text(), "x 0.15");
    EXPECT_EQ(dial().cbBrgType->currentIndex(), 4);
    EXPECT_NE(op->rgCond->itemText(0), "Contamination/Moisture");
    // Units switched while the ambient temperature is shown: the settings follow.
    op->rgCond->button(5)->click();
    window->ApplyUnits(1);
    EXPECT_TRUE(op->rgSetting->itemText(0).contains("15")) << op->rgSetting->itemText(0).toStdString();
    window->ApplyUnits(0);
    EXPECT_TRUE(op->rgSetting->itemText(0).contains("-10")) << op->rgSetting->itemText(0).toStdString();
}

TEST_F(MainWindowTest, ApplyFontReachesTheTableOfControlsAndThePages) {
    start();
    const QStringList families = QFontDatabase::families();
    ASSERT_FALSE(families.isEmpty());
    const QString name = families.contains("DejaVu Serif") ? "DejaVu Serif" : families.last();
    window->ApplyFont(name);
    EXPECT_EQ(window->FontName(), name);
    const DialControls d = dial();
    EXPECT_EQ(d.gbBrgBasic->font().family(), name);
    EXPECT_EQ(d.memoNotes->font().family(), name);
    EXPECT_EQ(d.pbDS->badgeFont().family(), name);
    EXPECT_EQ(child<QLabel>("labCalc")->font().family(), name);
    // The calculation page was rebuilt and reloaded.
    EXPECT_FALSE(child<QWidget>("htmlCalc") == nullptr);
    quit();
    EXPECT_TRUE(readSettings().contains(("FontName=" + name).toUtf8()));
}

TEST_F(MainWindowTest, AccessoriesTabAndItsPictureWindow) {
    start();
    TfrmAccPic picture(window.get());
    window->attachWindows(&picture, nullptr, strings.get());
    auto* pg = child<QTabWidget>("pgMain");
    auto* acc = child<AccTab>("tabAcc");
    ASSERT_TRUE(acc);
    EXPECT_EQ(acc->sgAcc->rowCount(), 38);
    for (int r = 1; r < acc->sgAcc->rowCount(); ++r)
        EXPECT_GE(acc->sgAcc->rowHeight(r), 42) << r;
    pg->setCurrentWidget(acc);
    EXPECT_TRUE(picture.isVisible());
    acc->sgAcc->setCurrentCell(5, 1);
    EXPECT_EQ(picture.windowTitle(), acc->sgAcc->item(5, 0)->text());
    EXPECT_FALSE(picture.Image1->pixmap().isNull());
    // The wheel shows the picture again but leaves the current row.
    QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(acc->sgAcc->viewport(), &wheel);
    EXPECT_EQ(acc->sgAcc->currentRow(), 5);
    // Another tab hides the window; a language change keeps the row.
    pg->setCurrentIndex(0);
    EXPECT_FALSE(picture.isVisible());
    child<QAction>("miGerman")->trigger();
    EXPECT_EQ(acc->sgAcc->currentRow(), 5);
    EXPECT_NE(acc->labAcc->text().indexOf("Talvik MERIDOSE"), -1);
    // Shift + double-click exports the grid.
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                    Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(acc->sgAcc->viewport(), &dbl);
    ASSERT_FALSE(messages.messages.isEmpty());
    EXPECT_TRUE(messages.messages.last().startsWith("HTML has been saved as "));
    EXPECT_TRUE(QFile::exists(env.dataFilePath("acc.html")));
    window->attachWindows(nullptr, nullptr, strings.get());
}
