// The main window from the keyboard: the Tab order, the group bars and radio groups,
// the tab strip, Alt+letter on the menu bar, and the names assistive tools read.

#include "mainwindow_fixture.h"

#include "widgets/badge.h"
#include "widgets/clicklabel.h"
#include "widgets/groupbar.h"
#include "widgets/radiogroup.h"
#include "widgets/spinedit.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <functional>

namespace {

class KeyboardTest : public MainWindowTest {
protected:
    TfrmMain& showActive() {
        TfrmMain& w = start();
        w.show();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        return w;
    }
    static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    // The widgets Tab visits from `from` until it comes back there.
    static QList<QWidget*> tabWalk(QWidget* from) {
        from->setFocus(Qt::TabFocusReason);
        QList<QWidget*> walk{from};
        for (int i = 0; i < 200; ++i) {
            press(Qt::Key_Tab);
            if (QApplication::focusWidget() == from)
                return walk;
            walk << QApplication::focusWidget();
        }
        ADD_FAILURE() << "Tab never came back to " << from->objectName().toStdString();
        return walk;
    }
    static QStringList names(const QList<QWidget*>& widgets) {
        QStringList l;
        for (QWidget* w : widgets)
            l << (!w ? "(none)" : w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName());
        return l;
    }
    static QString accessibleName(QWidget* w) {
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
        return i ? i->text(QAccessible::Name) : QString();
    }
    void switchLanguage(const char* action) {
        auto* a = window->findChild<QAction*>(action);
        ASSERT_NE(a, nullptr);
        a->trigger();
    }
};

} // namespace

TEST_F(KeyboardTest, TabWalksTheDialTabInReadingOrder) {
    showActive();
    const DialControls d = dial();
    ASSERT_FALSE(d.pnPrevNextNote->isHidden()); // three note pages
    const QList<QWidget*> walk = tabWalk(d.spedBore);
    const QStringList expected{
        "spedBore", "spedD", "spedB", "cbBrgType", "spedSpeed", "spedOpHrs",
        "rgBrgOpTemp" + QString::number(d.rgBrgOpTemp->itemIndex()), "opContMoist",
        "rgContMoist" + QString::number(d.rgContMoist->itemIndex()), "opLoad", "opShockLoad",
        "opAmbTemp", "opShaftOri", "opReplenish", "opRotOR", "rgLubricator1", "rgGreaseType0",
        "edTf", "edTfcorr", "edGp", "edQf", "memoNotes", "labPrevNote", "labNextNote",
        "pgMainTabs", "bnQuit"};
    EXPECT_EQ(names(walk).join(' ').toStdString(), expected.join(' ').toStdString());

    // Every enabled input in view is reached once; a radio group is one stop.
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible() || !w->isEnabled())
            continue;
        if (qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QComboBox*>(w) ||
            qobject_cast<QPushButton*>(w)) {
            EXPECT_EQ(walk.count(w), 1) << w->objectName().toStdString();
        }
        if (auto* g = qobject_cast<TRadioGroup*>(w)) {
            int stops = 0;
            for (int i = 0; i < g->count(); ++i)
                stops += static_cast<int>(walk.count(g->button(i)));
            EXPECT_EQ(stops, g->isEnabled() ? 1 : 0) << g->objectName().toStdString();
        }
    }
}

TEST_F(KeyboardTest, GroupBarsOpenWithSpaceAndArrowsChooseInsideAGroup) {
    showActive();
    const DialControls d = dial();
    // A closed condition group has no stops; Space on its caption opens it.
    QWidget* load = d.ocOpCond->captionButton(1);
    EXPECT_FALSE(tabWalk(d.spedBore).contains(d.rgLoad->button(d.rgLoad->itemIndex())));
    load->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    EXPECT_EQ(d.ocOpCond->openGroupIndex(), 1);
    EXPECT_TRUE(d.rgLoad->isVisible());
    press(Qt::Key_Tab);
    const int before = d.rgLoad->itemIndex();
    EXPECT_EQ(QApplication::focusWidget(), d.rgLoad->button(before));
    // An arrow chooses the neighbour and the window recalculates at once.
    press(Qt::Key_Up);
    EXPECT_EQ(d.rgLoad->itemIndex(), before - 1);
    EXPECT_EQ(QApplication::focusWidget(), d.rgLoad->button(before - 1));
    EXPECT_EQ(d.ocOpCond->caption(1), "Load: " + d.rgLoad->itemText(before - 1));
    // The new choice is the group's one stop.
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), d.ocOpCond->captionButton(2));

    // A cylindrical roller bearing brings its two bars into the order after the type.
    d.cbBrgType->setCurrentIndex(3);
    const QStringList walk = names(tabWalk(d.spedBore));
    const int type = walk.indexOf("cbBrgType");
    EXPECT_EQ(walk.mid(type + 1, 6).join(' ').toStdString(),
              "rgCageGlass rgCageSteel rgNonLoc rgLoc1 rgLoc2 rgNoCage");
    EXPECT_FALSE(walk.contains("rgSeries213"));
    d.rbCRB_Locating.bar->captionButton(3)->setFocus(Qt::TabFocusReason);
    const QString corrected = d.edTfcorr->text();
    press(Qt::Key_Space);
    EXPECT_EQ(d.rbCRB_Locating.bar->openGroupIndex(), 3);
    EXPECT_NE(d.edTfcorr->text(), corrected);
}

TEST_F(KeyboardTest, NotesPageWithTheKeyboard) {
    showActive();
    const DialControls d = dial();
    ASSERT_TRUE(d.memoNotes->toPlainText().startsWith("Note: 1/3"));
    d.labNextNote->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    EXPECT_TRUE(d.memoNotes->toPlainText().startsWith("Note: 2/3"));
    press(Qt::Key_Return);
    EXPECT_TRUE(d.memoNotes->toPlainText().startsWith("Note: 3/3"));
    d.labPrevNote->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    EXPECT_TRUE(d.memoNotes->toPlainText().startsWith("Note: 2/3"));
}

TEST_F(KeyboardTest, TabStripSwitchesWithArrowsAndControlTab) {
    showActive();
    auto* pg = child<QTabWidget>("pgMain");
    auto* strip = child<QTabBar>("pgMainTabs");
    strip->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Right);
    EXPECT_EQ(pg->currentIndex(), 1);
    // From the strip Tab goes into the page shown, then to Quit and round again.
    const QStringList walk = names(tabWalk(strip));
    EXPECT_EQ(walk.join(' ').toStdString(), "pgMainTabs rgRateSelLub1 sgRate bnCopyRate bnQuit");

    // Ctrl+Tab works from inside a page and passes over the hidden tabs.
    pg->setCurrentIndex(0);
    dial().spedSpeed->setFocus();
    press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(pg->currentIndex(), 1);
    pg->setCurrentIndex(0);
    strip->setFocus();
    press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(pg->currentIndex(), 5); // Accessories; "Design only" and "Log" are hidden
    press(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(pg->currentIndex(), 0);
}

TEST_F(KeyboardTest, AltLetterOpensTheMenusAndTriggersTheBarActions) {
    showActive();
    dial().spedSpeed->setFocus();
    auto* options = child<QMenu>("Options1");
    press(Qt::Key_O, Qt::AltModifier);
    ASSERT_TRUE(options->isVisible());
    options->close();
    press(Qt::Key_L, Qt::AltModifier);
    auto* language = child<QMenu>("Language1");
    ASSERT_TRUE(language->isVisible());
    language->close();
    messages.cancelPrint = true;
    dial().spedSpeed->setFocus();
    press(Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(messages.printDialogs, 1);

    // Russian gives Options and Print the same letter; Alt+П opens the menu only.
    switchLanguage("miRussian");
    dial().spedSpeed->setFocus();
    // (QTest's key clicks know Latin letters only; this one carries its text.)
    QTest::sendKeyEvent(QTest::Press, QApplication::focusWidget(), Qt::Key(0x041F), QString(QChar(0x043F)),
                        Qt::AltModifier);
    EXPECT_TRUE(options->isVisible());
    options->close();
    EXPECT_EQ(messages.printDialogs, 1);
}

TEST_F(KeyboardTest, MnemonicsOfTheBarAndQuitDifferInEveryLanguage) {
    start();
    const char* languages[] = {"miChinese", "miGerman",   "miEnglish", "miSpanish",
                               "miFrench",  "miItalian",  "miJapanese", "miPortuguese",
                               "miRussian", "miSwedish", "miThai"};
    auto* quit = child<QPushButton>("bnQuit");
    for (const char* l : languages) {
        switchLanguage(l);
        QStringList texts;
        for (QAction* a : window->menuBar()->actions())
            if (a->isVisible())
                texts << a->text();
        texts << quit->text();
        QList<QKeySequence> keys;
        for (const QString& t : texts) {
            const QKeySequence k = QKeySequence::mnemonic(t);
            EXPECT_FALSE(k.isEmpty()) << l << ": " << t.toStdString();
            EXPECT_FALSE(keys.contains(k)) << l << ": " << texts.join(" | ").toStdString();
            keys << k;
        }
    }
}

TEST_F(KeyboardTest, EveryStopHasANameThatFollowsTheLanguage) {
    showActive();
    const DialControls d = dial();
    const QList<QWidget*> stops = tabWalk(d.spedBore);
    const QList<QWidget*> more{d.edBore_in, d.edD_in, d.edB_in, d.imgUnit, d.imgDial, d.pbDS,
                               child<QWidget>("imgLogo"), d.rgLubricator, d.rgGreaseType,
                               d.rgBrgOpTemp, d.rgContMoist, d.rgLoad, d.rgRotOR};
    // What each named control shows as its caption, in the language of the moment.
    const QList<std::pair<QWidget*, std::function<QString()>>> captions{
        {d.spedSpeed, [&] { return d.labSpeed->text(); }},
        {d.spedOpHrs, [&] { return d.labOpHrs->text(); }},
        {d.spedBore, [&] { return d.gbBrgDim->title() + " d"; }},
        {d.rgLubricator, [&] { return d.gbLubricator->title(); }},
        {d.rgGreaseType, [&] { return d.gbGreaseType->title(); }},
        {d.rgBrgOpTemp, [&] { return d.rgBrgOpTemp->title(); }},
        {d.rgLoad, [&] { return d.ocOpCond->caption(1).section(": ", 0, 0); }},
        {d.edTf, [&] { return d.labTf->text().simplified(); }},
        {d.memoNotes, [&] { return d.memoNotes->toPlainText().section(':', 0, 0); }},
    };
    QStringList english;
    for (const auto& [w, caption] : captions) {
        EXPECT_EQ(accessibleName(w), caption()) << w->objectName().toStdString();
        english << accessibleName(w);
    }
    const QString unit = accessibleName(d.imgUnit);
    switchLanguage("miGerman");
    // A combo box reads as its item on Linux; its group title labels it.
    const auto labels = QAccessible::queryAccessibleInterface(d.cbBrgType)->relations(QAccessible::Label);
    ASSERT_FALSE(labels.isEmpty());
    EXPECT_EQ(labels[0].first->text(QAccessible::Name), d.gbBrgType->title());
    EXPECT_EQ(d.cbBrgType->accessibleName(), d.gbBrgType->title());
    for (QWidget* w : stops + more)
        EXPECT_FALSE(accessibleName(w).isEmpty()) << w->objectName().toStdString();
    for (int i = 0; i < captions.size(); ++i) {
        QWidget* w = captions[i].first;
        EXPECT_EQ(accessibleName(w), captions[i].second()) << w->objectName().toStdString();
        EXPECT_NE(accessibleName(w), english[i]) << w->objectName().toStdString();
    }
    EXPECT_EQ(unit, "VOXA 125");
    d.rgLubricator->button(5)->click();
    EXPECT_EQ(accessibleName(d.imgUnit), "ZOLT 380ml");
    EXPECT_TRUE(accessibleName(d.pbDS).startsWith(d.labSystem->text())) << accessibleName(d.pbDS).toStdString();
}

TEST_F(KeyboardTest, TemperatureClassesAndSpeedCaptionsAreNeverCutOff) {
    showActive();
    const DialControls d = dial();
    for (const char* language : {"miEnglish", "miRussian", "miGerman", "miThai"}) {
        switchLanguage(language);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        for (int i = 0; i < d.rgBrgOpTemp->count(); ++i) {
            QRadioButton* b = d.rgBrgOpTemp->button(i);
            EXPECT_GE(b->width(), b->sizeHint().width()) << language << ": " << b->text().toStdString();
        }
        for (QLabel* l : {d.labSpeed, d.labOpHrs}) {
            EXPECT_GE(l->width(), l->minimumSizeHint().width()) << language << ": " << l->text().toStdString();
            EXPECT_GE(l->height(), l->heightForWidth(l->width())) << language << ": " << l->text().toStdString();
        }
    }
    // English keeps its two columns of classes.
    switchLanguage("miEnglish");
    EXPECT_EQ(d.rgBrgOpTemp->columns(), 2);
}
