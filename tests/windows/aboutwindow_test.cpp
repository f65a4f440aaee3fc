// The about window: its version label, its texts and the ways it closes.
#include "windows/aboutwindow.h"
#include "../app/widget_main.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

TEST(AboutWindow, LayoutAndTexts) {
    RecordedMessages messages;
    TfrmAbout w(&messages);
    EXPECT_EQ(w.windowTitle(), "About");
    EXPECT_EQ(w.size(), QSize(565, 388));
    EXPECT_FALSE(w.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(w.lbVer->text(), "v06.00 (B67)");
    EXPECT_EQ(w.lbVer->geometry().right(), w.lbAddress->geometry().right());
    EXPECT_EQ(w.lbCopyrite->x(), w.lbAddress->x());
    EXPECT_EQ(w.lbPrgName->text(), "Unctora");
    EXPECT_EQ(w.lbPrgName->palette().color(QPalette::WindowText), QColor(0, 102, 204));
    EXPECT_EQ(w.lbAddress->count(), 4);
    EXPECT_FALSE(w.imgLogo->pixmap().isNull());
    EXPECT_FALSE(w.Image1->pixmap().isNull());
    EXPECT_FALSE(w.imgDial->pixmap().isNull());
    // The maker's addresses are of the example domain only.
    for (QLabel* link : {w.lbWeb, w.lbEmail})
        EXPECT_TRUE(link->text().contains("talvik.example.com")) << link->text().toStdString();
    // Every control stands inside the window.
    for (QWidget* c : w.pMain->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(w.pMain->rect().contains(c->geometry())) << c->objectName().toStdString();
}

TEST(AboutWindow, ShiftPressOnTheVersionShowsTheFullTitle) {
    RecordedMessages messages;
    TfrmAbout w(&messages);
    w.show();
    QTest::mousePress(w.lbVer, Qt::LeftButton);
    QTest::mouseRelease(w.lbVer, Qt::LeftButton);
    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_TRUE(w.isVisible()); // a label is no background
    QTest::mousePress(w.lbVer, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(messages.messages, QStringList{"Talvik Unctora v06.00 (291013)"});
}

TEST(AboutWindow, EscapeOkAndBackgroundClose) {
    RecordedMessages messages;
    struct Case {
        const char* name;
        std::function<void(TfrmAbout&)> close;
    } cases[] = {
        {"Escape", [](TfrmAbout& w) { QTest::keyClick(w.OKButton, Qt::Key_Escape); }},
        {"OK", [](TfrmAbout& w) { w.OKButton->click(); }},
        {"background", [](TfrmAbout& w) { QTest::mousePress(w.pMain, Qt::LeftButton, {}, QPoint(300, 10)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TfrmAbout w(&messages);
        bool closed = false;
        QTimer::singleShot(0, &w, [&] {
            c.close(w);
            closed = !w.isVisible();
            if (w.isVisible())
                w.done(42); // not closed: end the test's modal loop anyway
        });
        const int result = w.exec();
        EXPECT_TRUE(closed);
        EXPECT_NE(result, 42);
    }
}

TEST(AboutWindow, ShowAboutWindowReturnsWhenClosed) {
    RecordedMessages messages;
    int shown = 0;
    for (int i = 0; i < 2; ++i) {
        QTimer::singleShot(0, qApp, [&] {
            auto* about = qobject_cast<TfrmAbout*>(QApplication::activeModalWidget());
            if (!about)
                return;
            ++shown;
            EXPECT_EQ(about->lbVer->text(), "v06.00 (B67)");
            about->OKButton->click();
        });
        ShowAboutWindow(nullptr, &messages);
    }
    EXPECT_EQ(shown, 2);
    // Freed after each showing.
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<TfrmAbout*>(w), nullptr);
}
