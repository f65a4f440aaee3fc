// The about window: its version label, its texts (the legal ones as the licence has
// them) and the ways it closes.
#include "windows/aboutwindow.h"
#include "../app/widget_main.h"

#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
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

TEST(AboutWindow, LegalTextsAgreeWithTheLicenceAndFitTheirPlace) {
    // The holder and year of the licence file and of the package's copyright file.
    QFile licenceFile(UNCTORA_SOURCE_DIR "/LICENSE"), copyrightFile(UNCTORA_SOURCE_DIR "/resources/copyright");
    ASSERT_TRUE(licenceFile.open(QIODevice::ReadOnly));
    ASSERT_TRUE(copyrightFile.open(QIODevice::ReadOnly));
    const QString licence = QString::fromUtf8(licenceFile.readAll());
    const QString copyright = QString::fromUtf8(copyrightFile.readAll());
    ASSERT_TRUE(licence.startsWith("MIT License"));
    const QRegularExpressionMatch holder =
        QRegularExpression("Copyright \\(c\\) (\\d{4}) ([^\\n]+)").match(licence);
    ASSERT_TRUE(holder.hasMatch());
    EXPECT_TRUE(copyright.contains("Copyright: " + holder.captured(1) + " " + holder.captured(2)));
    EXPECT_TRUE(copyright.contains("License: MIT"));

    RecordedMessages messages;
    TfrmAbout w(&messages);
    w.show();
    const QString legal = w.lbCopyrite->text();
    EXPECT_TRUE(legal.contains(QString::fromUtf8("\u00A9 ") + holder.captured(1) + " " + holder.captured(2)))
        << legal.toStdString();
    EXPECT_TRUE(legal.contains("MIT")) << legal.toStdString();
    QStringList notice;
    for (int i = 0; i < w.lbDisclaimer->count(); ++i)
        notice << w.lbDisclaimer->item(i)->text();
    const QString all = (legal + " " + notice.join(' ')).toLower();
    EXPECT_TRUE(all.contains("mit licence"));
    // Nothing the licence does not say: it grants copying, changing and selling.
    for (const char* wrong : {"all rights reserved", "reserves all rights", "unchanged and complete"})
        EXPECT_FALSE(all.contains(wrong)) << wrong;
    for (const char* granted : {"use", "copy", "change", "sell", "without warranty"})
        EXPECT_TRUE(all.contains(granted)) << granted;

    // Every line whole within its list, and the legal line beside the picture.
    const QFontMetrics fm(w.lbDisclaimer->font());
    for (int i = 0; i < w.lbDisclaimer->count(); ++i) {
        const QRect row = w.lbDisclaimer->visualItemRect(w.lbDisclaimer->item(i));
        EXPECT_LE(fm.horizontalAdvance(notice[i]), w.lbDisclaimer->viewport()->width()) << notice[i].toStdString();
        EXPECT_LE(row.bottom(), w.lbDisclaimer->viewport()->height()) << notice[i].toStdString();
    }
    EXPECT_LT(w.lbCopyrite->geometry().right(), w.Image1->x());
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
