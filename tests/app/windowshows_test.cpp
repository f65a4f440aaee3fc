// What the window shows a user, read back from the screen: the drawn colour of the
// speed field, the page Ctrl+Shift+Tab brings up, the results while a number is
// typed, every temperature in the imperial units, the accessories list scrolled, and
// the setting and the notes drawn again only when they change.

#include "mainwindow_fixture.h"

#include "tabs/opcondtab.h"
#include "widgets/groupbar.h"
#include "widgets/radiogroup.h"
#include "widgets/spinedit.h"
#include "windows/accpicwindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextCursor>
#include <QTextBrowser>
#include <QWheelEvent>

namespace {

class WindowShows : public MainWindowTest {
protected:
    TfrmMain& showActive(const QStringList& args = {}) {
        TfrmMain& w = start(args);
        w.show();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        return w;
    }
    // Types text into a spin edit key by key, as a user does; after each key the
    // check sees what the window shows.
    static void typeInto(TSpinEdit* spin, const QString& text,
                         const std::function<void(const QString& typedSoFar)>& check) {
        spin->setFocus(Qt::TabFocusReason);
        QLineEdit* edit = spin->findChild<QLineEdit*>();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        for (int i = 0; i < text.size(); ++i) {
            QTest::keyClicks(edit, text.mid(i, 1));
            check(text.left(i + 1));
        }
    }
    static int redPixels(const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                n += c.red() > 180 && c.green() < 90 && c.blue() < 90;
            }
        return n;
    }
    void trigger(const char* action) {
        auto* a = window->findChild<QAction*>(action);
        ASSERT_NE(a, nullptr) << action;
        a->trigger();
    }
};

} // namespace

TEST_F(WindowShows, SpeedFieldDigitsAreDrawnRedWhileTheSpeedIsTooLow) {
    showActive();
    const DialControls d = dial();
    auto drawnRed = [&] { return redPixels(d.spedSpeed->grab().toImage()); };
    EXPECT_EQ(drawnRed(), 0);
    // 1 rpm is far too slow for grease: the digit itself turns red.
    typeInto(d.spedSpeed, "1", [](const QString&) {});
    EXPECT_GT(drawnRed(), 8);
    // 2000 rpm is fine again: black digits, not a red pixel left.
    typeInto(d.spedSpeed, "2000", [](const QString&) {});
    EXPECT_EQ(drawnRed(), 0);
    // The colour survives leaving the field, a change of language and of font.
    typeInto(d.spedSpeed, "5", [](const QString&) {});
    d.spedBore->setFocus();
    trigger("miRussian");
    EXPECT_GT(drawnRed(), 8);
    window->ApplyFont("DejaVu Serif");
    EXPECT_GT(drawnRed(), 8);
}

TEST_F(WindowShows, ControlShiftTabPassesOverTheHiddenTabs) {
    // Ctrl+Shift+Tab arrives as Backtab with Ctrl and Shift, and under X it matches
    // shortcuts as Backtab with Ctrl alone; each goes to the window or to the control
    // that has the focus.
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } forms[] = {{Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier},
                 {Qt::Key_Backtab, Qt::ControlModifier}};
    for (const bool log : {false, true}) {
        SCOPED_TRACE(log ? "with -Log" : "without -Log");
        TfrmMain& w = showActive(log ? QStringList{"-Log"} : QStringList{});
        auto* pg = child<QTabWidget>("pgMain");
        auto* strip = child<QTabBar>("pgMainTabs");
        // Back from the first tab in the strip's order, right to left; the hidden
        // "Design only" page (and "Log" without the switch) never comes up.
        QStringList backwards;
        for (int i = pg->count() - 1; i >= 0; --i)
            if (pg->isTabVisible(i))
                backwards << pg->widget(i)->objectName();
        ASSERT_EQ(backwards.size(), log ? 7 : 6);
        for (const auto& form : forms) {
            for (const bool toFocus : {false, true}) {
                for (QWidget* from : {static_cast<QWidget*>(dial().spedSpeed), static_cast<QWidget*>(strip)}) {
                    SCOPED_TRACE(QString("key %1 modifiers %2 to %3 from %4")
                                     .arg(form.key, 0, 16)
                                     .arg(int(form.modifiers), 0, 16)
                                     .arg(toFocus ? "the focus" : "the window", from->objectName())
                                     .toStdString());
                    pg->setCurrentIndex(0);
                    from->setFocus(Qt::TabFocusReason);
                    QStringList visited;
                    for (int i = 0; i < backwards.size(); ++i) {
                        QWidget* to = toFocus ? QApplication::focusWidget() : &w;
                        QTest::keyClick(to, form.key, form.modifiers);
                        visited << pg->currentWidget()->objectName();
                        // The page shown is the one the strip marks.
                        EXPECT_EQ(strip->currentIndex(), pg->currentIndex());
                    }
                    EXPECT_EQ(visited.join(' ').toStdString(), backwards.join(' ').toStdString());
                }
            }
        }
        quit();
    }
}

TEST_F(WindowShows, ValuesBelowTheRangeCountAsTheLowerBoundWhileTyping) {
    showActive();
    const DialControls d = dial();
    struct Case {
        TSpinEdit* field;
        const char* typed;
    };
    for (const Case& c : {Case{d.spedD, "-50"}, Case{d.spedBore, "-7"}, Case{d.spedB, "-100"},
                          Case{d.spedSpeed, "-2000"}}) {
        SCOPED_TRACE(c.field->objectName().toStdString() + " " + c.typed);
        // What the window shows for the field at its lower bound.
        c.field->setValue(c.field->minimum());
        const QStringList atMinimum{d.edTf->text(), d.edTfcorr->text(), d.edGp->text(), d.edQf->text(),
                                    d.edBore_in->text(), d.edD_in->text(), d.edB_in->text()};
        c.field->setValue(c.field->maximum() / 2);
        typeInto(c.field, c.typed, [&](const QString& soFar) {
            SCOPED_TRACE(soFar.toStdString());
            for (QLineEdit* result : {d.edTf, d.edTfcorr, d.edGp, d.edQf, d.edBore_in, d.edD_in, d.edB_in})
                EXPECT_FALSE(result->text().startsWith('-')) << result->objectName().toStdString() << " "
                                                             << result->text().toStdString();
        });
        const QStringList shown{d.edTf->text(), d.edTfcorr->text(), d.edGp->text(), d.edQf->text(),
                                d.edBore_in->text(), d.edD_in->text(), d.edB_in->text()};
        EXPECT_EQ(shown.join(" | ").toStdString(), atMinimum.join(" | ").toStdString());
        // The typed text stays until the field is left; then it shows the bound.
        EXPECT_EQ(c.field->findChild<QLineEdit*>()->text(), c.typed);
        d.edTf->setFocus();
        EXPECT_EQ(c.field->findChild<QLineEdit*>()->text(), QString::number(c.field->minimum()));
        c.field->setValue(c.field->maximum() / 2);
    }
}

namespace {

// Every text the window shows in its controls (not the HTML pages), with where it is.
QStringList shownTexts(const QWidget& root) {
    QStringList texts;
    auto add = [&](const QObject* o, const QString& t) {
        if (!t.isEmpty())
            texts << o->objectName() + ": " + t;
    };
    for (const QWidget* w : root.findChildren<QWidget*>()) {
        if (const auto* l = qobject_cast<const QLabel*>(w))
            add(l, l->text());
        else if (const auto* b = qobject_cast<const QAbstractButton*>(w))
            add(b, b->text());
        else if (const auto* e = qobject_cast<const QLineEdit*>(w))
            add(e, e->text());
        else if (const auto* m = qobject_cast<const QPlainTextEdit*>(w))
            add(m, m->toPlainText());
        else if (const auto* g = qobject_cast<const QGroupBox*>(w))
            add(g, g->title());
    }
    return texts;
}

} // namespace

TEST_F(WindowShows, EveryTemperatureFollowsTheUnitSystem) {
    for (const char* language : {"miEnglish", "miRussian", "miChinese"}) {
        SCOPED_TRACE(language);
        showActive();
        trigger(language);
        const DialControls d = dial();
        auto* op = window->findChild<OpCondTab*>();
        ASSERT_NE(op, nullptr);
        for (const char* units : {"miUnitImp", "miUnitSI"}) {
            SCOPED_TRACE(units);
            trigger(units);
            const bool imperial = std::string_view(units) == "miUnitImp";
            const QString wrong = imperial ? "°C" : "°F";
            const QString right = imperial ? "°F" : "°C";
            QStringList seen;
            // The dial-setting tab with each ambient class on a gas-driven unit (the
            // warnings quote the class bound), every note page.
            d.rgLubricator->button(1)->click();
            for (int ambient = 0; ambient < d.rgAmbTemp->count(); ++ambient) {
                d.rgAmbTemp->button(ambient)->click();
                for (int page = 0; page < 6; ++page) {
                    seen << shownTexts(*window);
                    QTest::mouseClick(d.labNextNote, Qt::LeftButton);
                }
            }
            // The operating-conditions tab: every condition and setting.
            for (int condition = 0; condition < op->rgCond->count(); ++condition) {
                op->rgCond->button(condition)->click();
                for (int setting = 0; setting < op->rgSetting->count(); ++setting) {
                    op->rgSetting->button(setting)->click();
                    seen << shownTexts(*window);
                }
            }
            int quoted = 0;
            for (const QString& t : seen) {
                EXPECT_FALSE(t.contains(wrong)) << t.toStdString();
                quoted += t.contains(right);
            }
            EXPECT_GT(quoted, 0);
            // The classes quote the calculation's temperatures in these units.
            op->rgCond->button(3)->click();
            op->rgSetting->button(0)->click();
            EXPECT_TRUE(op->Memo2->toPlainText().contains(imperial ? "131 " : "55 "))
                << op->Memo2->toPlainText().toStdString();
            op->rgSetting->button(2)->click();
            EXPECT_TRUE(op->Memo2->toPlainText().contains(imperial ? "27 " : "15 "))
                << op->Memo2->toPlainText().toStdString();
            EXPECT_TRUE(op->Memo2->toPlainText().contains(imperial ? "185 " : "85 "))
                << op->Memo2->toPlainText().toStdString();
            op->rgSetting->button(3)->click();
            EXPECT_TRUE(op->Memo2->toPlainText().contains(imperial ? "212 " : "100 "))
                << op->Memo2->toPlainText().toStdString();
            // The Calculations page explains formulas in degrees Celsius and gives
            // every temperature in both units.
            child<QTabWidget>("pgMain")->setCurrentWidget(window->findChild<QWidget*>("tabCalc"));
            const QString page = child<QTextBrowser>("htmlCalc")->toPlainText();
            child<QTabWidget>("pgMain")->setCurrentIndex(0);
            for (const char* both : {"70 °C (158 °F)", "15 °C (27 °F)", "10 °C (15 °F)", "40 °C (105 °F)", "212"})
                EXPECT_TRUE(page.contains(both)) << both;
        }
        quit();
    }
}

namespace {

// Turns the wheel over the middle of `over` by `notches` (down when positive), one
// notch at a time as a wheel does.
void turnWheel(QWidget* over, int notches) {
    const QPointF at(over->width() / 2.0, over->height() / 2.0);
    for (int i = 0; i < std::abs(notches); ++i) {
        QWheelEvent wheel(at, over->mapToGlobal(at), QPoint(), QPoint(0, notches > 0 ? -120 : 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &wheel);
    }
}

} // namespace

TEST_F(WindowShows, AccessoriesHeaderStaysInViewAndTheWheelScrollsTheList) {
    TfrmAccPic picture;
    TfrmMain& w = start();
    window->attachWindows(&picture, nullptr, strings.get());
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    auto* pg = child<QTabWidget>("pgMain");
    pg->setCurrentWidget(window->findChild<QWidget*>("tabAcc"));
    auto* grid = child<QTableWidget>("sgAcc");
    grid->setCurrentCell(3, 1);
    const QString current = grid->item(3, 0)->text();
    QWidget* viewport = grid->viewport();
    const int headerHeight = grid->rowHeight(0);
    auto header = [&] { return grid->grab(QRect(viewport->geometry().topLeft(), QSize(viewport->width(), headerHeight))).toImage(); };
    auto list = [&] { return viewport->grab(QRect(0, headerHeight, viewport->width(), viewport->height() - headerHeight)).toImage(); };
    const QImage headerAtTop = header();
    const QImage listAtTop = list();

    // Three notches down: the list moves, the current row stays, the header stays.
    turnWheel(viewport, 3);
    EXPECT_TRUE(list() != listAtTop) << "the list did not move";
    EXPECT_EQ(grid->currentRow(), 3);
    EXPECT_EQ(picture.windowTitle(), current);
    EXPECT_TRUE(header() == headerAtTop) << "the header is not drawn as at the top";

    // All the way down the header is still there, and back up the list is as it was.
    grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
    EXPECT_TRUE(header() == headerAtTop) << "the header is not drawn as at the top";
    turnWheel(viewport, -100);
    EXPECT_TRUE(list() == listAtTop) << "the list is not back at the top";
    EXPECT_EQ(grid->currentRow(), 3);

    // Over the header the wheel scrolls the list as well; a click on the header
    // chooses no row.
    auto* heading = grid->findChild<QAbstractItemView*>("sgAccHeading");
    ASSERT_NE(heading, nullptr);
    turnWheel(heading->viewport(), 2);
    EXPECT_TRUE(list() != listAtTop) << "the list did not move";
    QTest::mouseClick(heading->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(40, headerHeight / 2));
    EXPECT_EQ(grid->currentRow(), 3);
    EXPECT_TRUE(header() == headerAtTop) << "the header is not drawn as at the top";
    // A row chosen with the keyboard comes into view below the header, not under it.
    grid->setFocus();
    for (int row = 3; row > 1; --row)
        QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(grid->currentRow(), 1);
    EXPECT_GE(grid->visualRect(grid->model()->index(1, 0)).top(), headerHeight);
}

TEST_F(WindowShows, AccessoryPictureFollowsTheMainWindowWhenItIsResized) {
    TfrmAccPic picture;
    TfrmMain& w = start();
    window->attachWindows(&picture, nullptr, strings.get());
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    auto* pg = child<QTabWidget>("pgMain");
    QWidget* acc = window->findChild<QWidget*>("tabAcc");
    pg->setCurrentWidget(acc);
    ASSERT_TRUE(picture.isVisible());
    // Wholly on the screen, so that nothing but the size changes.
    w.move(20, 20);
    QApplication::processEvents();
    const QPoint before = picture.pos();
    // A smaller window (a smaller screen, another font): the picture keeps to its
    // bottom right corner, where leaving the tab and coming back puts it.
    w.setFixedSize(w.width() - 120, w.height() - 150);
    QApplication::processEvents();
    const QPoint followed = picture.pos();
    pg->setCurrentIndex(0);
    pg->setCurrentWidget(acc);
    EXPECT_NE(followed, before);
    EXPECT_EQ(followed, picture.pos());
}

namespace {

// Counts what is drawn on the watched widgets.
struct PaintCount : QObject {
    QMap<QObject*, int> paints;
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            ++paints[watched];
        return false;
    }
};

} // namespace

TEST_F(WindowShows, AChangeDrawsTheSettingAndTheNotesOnlyWhenTheyChange) {
    showActive();
    const DialControls d = dial();
    QWidget* notes = d.memoNotes->viewport();
    d.spedSpeed->setValue(1500);
    QTest::qWait(20);
    const QString badge = d.pbDS->text(), page = d.memoNotes->toPlainText();
    ASSERT_FALSE(page.isEmpty());
    PaintCount count;
    d.pbDS->installEventFilter(&count);
    notes->installEventFilter(&count);

    // Another speed with the same setting and the same first note: the results change,
    // the badge and the notes box are not drawn again.
    d.spedSpeed->setValue(1510);
    QTest::qWait(20);
    ASSERT_EQ(d.pbDS->text(), badge);
    ASSERT_EQ(d.memoNotes->toPlainText(), page);
    EXPECT_EQ(count.paints.value(d.pbDS), 0);
    EXPECT_EQ(count.paints.value(notes), 0);

    // Scrolled down with its text selected, the notes box starts from the top at the next
    // change, as before.
    d.memoNotes->verticalScrollBar()->setValue(d.memoNotes->verticalScrollBar()->maximum());
    QTextCursor end = d.memoNotes->textCursor();
    end.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    d.memoNotes->setTextCursor(end);
    d.spedSpeed->setValue(1520);
    QTest::qWait(20);
    EXPECT_EQ(d.memoNotes->toPlainText(), page);
    EXPECT_EQ(d.memoNotes->textCursor().position(), 0);
    EXPECT_FALSE(d.memoNotes->textCursor().hasSelection());
    EXPECT_EQ(d.memoNotes->verticalScrollBar()->value(), d.memoNotes->verticalScrollBar()->minimum());

    // A change of the setting draws the badge with its new text.
    count.paints.clear();
    d.spedSpeed->setValue(100);
    QTest::qWait(20);
    EXPECT_NE(d.pbDS->text(), badge);
    EXPECT_GT(count.paints.value(d.pbDS), 0);
    EXPECT_GT(count.paints.value(notes), 0);
    d.pbDS->removeEventFilter(&count);
    notes->removeEventFilter(&count);
}
