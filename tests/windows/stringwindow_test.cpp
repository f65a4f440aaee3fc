// The string editor on its own, against a language file and a data folder made for
// each test.
#include "desktop/environment.h"
#include "windows/stringwindow.h"
#include "../app/widget_main.h"

#include <QAction>
#include <QDir>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QScreen>
#include <QListView>
#include <QListWidget>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QByteArray kLanguageFile = "\xEF\xBB\xBF[Strings]\r\n"
                                 "strFirst=One~Eins~Un\r\n"
                                 "strX=a~b\r\n"
                                 "strPleaseContact_01=Call us\r\n"
                                 "strPleaseContact_05=Ring oss\r\n"
                                 "strCalc_01=Bore~Bohrung\r\n"
                                 "strU=\xC3\xA9t\xC3\xA9~Sommer\r\n";

class StringWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(programDir.isValid() && dataDir.isValid());
        env.programDir = programDir.path();
        env.dataDir = dataDir.path();
        env.messages = &messages;
        writeLanguageFile(kLanguageFile);
    }
    void writeLanguageFile(const QByteArray& bytes) {
        QFile f(env.languageFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    static QByteArray read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    TfrmStrings& open() {
        window.reset();
        window = std::make_unique<TfrmStrings>(env, table);
        return *window;
    }
    QString line(int row) const { return window->lbText->model()->index(row, 0).data().toString(); }
    void clickLine(int row) {
        window->lbText->setCurrentIndex(window->lbText->model()->index(row, 0));
    }
    void accept(const QString& text) {
        window->edStrValue->setText(text);
        window->bnAcceptValue->trigger();
    }

    QTemporaryDir programDir, dataDir;
    RecordedMessages messages;
    AppEnvironment env;
    unctora::strings::StringTable table;
    std::unique_ptr<TfrmStrings> window;
};

} // namespace

TEST_F(StringWindowTest, OpensOnTheFirstLineInEnglish) {
    TfrmStrings& w = open();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.windowTitle(), "Strings");
    ASSERT_EQ(w.lbLang->count(), 11);
    EXPECT_EQ(w.lbLang->item(10)->text(), "Japanese");
    EXPECT_EQ(w.lbLang->currentRow(), 0);
    // The raw lines without the header, the first one selected and shown.
    ASSERT_EQ(w.lbText->model()->rowCount(), 6);
    EXPECT_EQ(line(5), QString::fromUtf8("strU=\xC3\xA9t\xC3\xA9~Sommer"));
    EXPECT_EQ(w.selectedLine(), 0);
    EXPECT_EQ(w.edStrName->text(), "strFirst");
    EXPECT_TRUE(w.edStrName->isReadOnly());
    EXPECT_EQ(w.edStrValue->text(), "One");
    EXPECT_EQ(w.sbStatus->currentMessage(), "11 languages, 6 strings");
    // Search and Close are there but hidden; Search is not finished.
    EXPECT_FALSE(w.bnSearch->isVisibleTo(&w));
    EXPECT_FALSE(w.bnClose->isVisibleTo(&w));
    EXPECT_TRUE(w.bnSave->isVisibleTo(&w));
    w.bnSearch->show();
    w.bnSearch->click();
    EXPECT_EQ(messages.messages, QStringList{"Not ready yet ..."});
    // The table's set operations select their language; the text follows.
    w.table()->SetLanguageByName("german");
    EXPECT_EQ(w.lbLang->currentRow(), 1);
    EXPECT_EQ(w.edStrValue->text(), "Eins");
}

TEST_F(StringWindowTest, ColumnEditRebuildsTheLine) {
    TfrmStrings& w = open();
    clickLine(1);
    w.lbLang->setCurrentRow(2); // French
    EXPECT_EQ(w.edStrName->text(), "strX");
    EXPECT_EQ(w.edStrValue->text(), "a"); // no French text: the English one
    accept("c");
    EXPECT_EQ(line(1), "strX=a~b~c~a~a~a~a~a~a~a~a~");
    EXPECT_EQ(w.table()->lines()[1], "strX=a~b~c~a~a~a~a~a~a~a~a~");
    // The look-ups see the edit at once; the current language is not the editor's.
    EXPECT_EQ(w.table()->CurrentLanguageName(), "English");
    w.table()->SetLanguageByNumber(3);
    EXPECT_EQ(w.table()->LangStr("strX"), "c");

    // A "~" would move every later language one column on: refused, line unchanged.
    accept("c~d");
    EXPECT_EQ(messages.errors.size(), 1);
    EXPECT_EQ(line(1), "strX=a~b~c~a~a~a~a~a~a~a~a~");
    // The item-numbered families are column entries too.
    clickLine(4);
    w.lbLang->setCurrentRow(1);
    EXPECT_EQ(w.edStrName->text(), "strCalc_01");
    EXPECT_EQ(w.edStrValue->text(), "Bohrung");
}

TEST_F(StringWindowTest, NumberedEntryFollowsTheLanguage) {
    TfrmStrings& w = open();
    w.lbLang->setCurrentRow(4); // Swedish
    clickLine(2);               // strPleaseContact_01
    EXPECT_EQ(w.selectedLine(), 3);
    EXPECT_EQ(w.edStrName->text(), "strPleaseContact_05");
    EXPECT_EQ(w.edStrValue->text(), "Ring oss");
    // Stored as the text alone: the numbered look-up gives exactly what was typed.
    accept("Ring ~ oss");
    EXPECT_EQ(line(3), "strPleaseContact_05=Ring ~ oss");
    EXPECT_EQ(w.table()->LangStr("strPleaseContact", 5), "Ring ~ oss");
    EXPECT_EQ(w.table()->LangStr("strPleaseContact", 1), "Call us");

    // No Thai line: nothing is selected and an accept changes nothing.
    w.lbLang->setCurrentRow(7);
    EXPECT_EQ(w.selectedLine(), -1);
    EXPECT_EQ(w.edStrName->text(), "strPleaseContact_08");
    EXPECT_FALSE(w.bnAcceptValue->isEnabled());
    const auto before = w.table()->lines();
    accept("x");
    EXPECT_EQ(w.table()->lines(), before);
    // Back to English: the family's first line again.
    w.lbLang->setCurrentRow(0);
    EXPECT_EQ(w.selectedLine(), 2);
    EXPECT_EQ(w.edStrValue->text(), "Call us");
    // A click on the line on show drops what was typed and not accepted.
    w.show();
    w.edStrValue->setText("typed");
    const QModelIndex shown = w.lbText->model()->index(2, 0);
    QTest::mouseClick(w.lbText->viewport(), Qt::LeftButton, {}, w.lbText->visualRect(shown).center());
    EXPECT_EQ(w.edStrValue->text(), "Call us");
}

TEST_F(StringWindowTest, SaveReloadAndFailure) {
    TfrmStrings& w = open();
    clickLine(5);
    w.lbLang->setCurrentRow(1);
    accept(QString::fromUtf8("Sommer \xE2\x98\x80"));
    w.bnSave->click();
    ASSERT_TRUE(messages.errors.isEmpty()) << messages.errors.join('\n').toStdString();
    const QByteArray six = read(programDir.filePath("unctora.six"));
    EXPECT_TRUE(six.startsWith("\xEF\xBB\xBF" "strFirst=One~Eins~Un\r\nstrX=a~b\r\n"));
    EXPECT_TRUE(six.endsWith("~\r\n"));
    EXPECT_EQ(six.count("\r\n"), 6);
    EXPECT_EQ(read(env.languageFile()), kLanguageFile); // never written

    // Reload drops the unsaved edit; the saved file read as the language file gives
    // the edited texts.
    accept("weg");
    w.bnReload->click();
    EXPECT_EQ(w.table()->lines()[5], "strU=\xC3\xA9t\xC3\xA9~Sommer");
    EXPECT_EQ(w.selectedLine(), 5);
    writeLanguageFile(six);
    ASSERT_TRUE(w.LoadLanguageFile());
    w.table()->SetLanguageByNumber(2);
    EXPECT_EQ(w.table()->LangStr("strU"), "Sommer \xE2\x98\x80");
    EXPECT_EQ(w.table()->LangStr("strX"), "b");
    EXPECT_EQ(w.table()->LangStr("strPleaseContact", 5), "Ring oss");

    // A file that cannot be written: the error is shown and the table is unchanged.
    QFile::remove(programDir.filePath("unctora.six"));
    ASSERT_TRUE(QDir(programDir.path()).mkpath("unctora.six/busy"));
    const auto lines = w.table()->lines();
    w.bnSave->click();
    ASSERT_EQ(messages.errors.size(), 1);
    EXPECT_TRUE(messages.errors[0].startsWith("Unable to write to " + programDir.filePath("unctora.six")));
    EXPECT_EQ(w.table()->lines(), lines);
    // A language file that has gone leaves the table as it was.
    QFile::remove(env.languageFile());
    EXPECT_FALSE(w.LoadLanguageFile());
    EXPECT_EQ(w.table()->lines(), lines);
}

TEST_F(StringWindowTest, EmptyFileShowsNothing) {
    writeLanguageFile("[Strings]\r\n");
    TfrmStrings& w = open();
    EXPECT_EQ(w.selectedLine(), -1);
    EXPECT_EQ(w.edStrName->text(), "");
    EXPECT_EQ(w.edStrValue->text(), "");
    EXPECT_EQ(w.sbStatus->currentMessage(), "11 languages, 0 strings");
    w.lbLang->setCurrentRow(3);
    accept("x");
    EXPECT_EQ(w.table()->lineCount(), 0u);
}

TEST_F(StringWindowTest, TheTableOutlivesTheWindowWithItsEdits) {
    // The program owns the table; the window only edits it. What was accepted stays
    // in the table when the window is gone, and the table's set operations no longer
    // reach the window.
    TfrmStrings& w = open();
    EXPECT_EQ(w.table(), &table);
    clickLine(1);
    w.lbLang->setCurrentRow(2); // French
    accept("c");
    window.reset();
    ASSERT_GT(table.lineCount(), 1u);
    EXPECT_EQ(table.lines()[1], "strX=a~b~c~a~a~a~a~a~a~a~a~");
    table.SetLanguageByNumber(3);
    EXPECT_EQ(table.LangStr("strX"), "c");

    // A new window shows the same table, the file read again.
    open();
    EXPECT_EQ(window->table(), &table);
    EXPECT_EQ(table.lines()[1], "strX=a~b");
    table.SetLanguageByName("german");
    EXPECT_EQ(window->lbLang->currentRow(), 1);
}

TEST_F(StringWindowTest, PlacementKeptUnderItsOwnSection) {
    {
        QFile f(env.settingsFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[frmStrings]\nWinLeft=30\nWinTop=40\nWinWidth=500\nWinHeight=300\n");
    }
    open();
    EXPECT_EQ(window->pos(), QPoint(30, 40));
    EXPECT_EQ(window->size(), QSize(500, 300));
    window->move(50, 60);
    window->resize(520, 310);
    window.reset();
    const QByteArray ini = read(env.settingsFile());
    for (const char* entry : {"WinLeft=50", "WinTop=60", "WinState=0", "WinWidth=520", "WinHeight=310"})
        EXPECT_TRUE(ini.contains(entry)) << entry << "\n" << ini.toStdString();

    // A negative position centres the window; the default size is kept.
    QFile::remove(env.settingsFile());
    {
        QFile f(env.settingsFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[frmStrings]\nWinLeft=-4\nWinTop=-1\n");
    }
    open();
    const QRect screen = window->screen()->geometry();
    EXPECT_EQ(window->size(), QSize(772, 501));
    EXPECT_EQ(window->x(), std::max(0, (screen.width() - 772) / 2));
    EXPECT_EQ(window->y(), std::max(0, (screen.height() - 501) / 2));
}

TEST_F(StringWindowTest, EveryFocusableControlHasAnAccessibleName) {
    TfrmStrings& w = open();
    w.show();
    const FocusStops stops = focusStops(w);
    EXPECT_TRUE(stops.unnamed.isEmpty()) << stops.unnamed.join(", ").toStdString();
    for (const char* name : {"bnReload", "bnSave", "lbLang", "lbText", "edStrName", "edStrValue"})
        EXPECT_TRUE(stops.all.contains(name)) << name;
}

TEST_F(StringWindowTest, SaveKeepsTheTranslatorsOwnFilesAndLinks) {
    // Copies a translator keeps beside the export are not leftovers of ours, however old.
    const QString french = programDir.filePath("unctora.six.french");
    {
        QFile f(french);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("mine");
    }
    const QDateTime old = QDateTime::currentDateTime().addSecs(-3600);
    {
        QFile f(french);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(old, QFileDevice::FileModificationTime));
    }
    // An export kept elsewhere and linked in stays a link.
    QTemporaryDir elsewhere;
    const QString real = elsewhere.filePath("work.six");
    ASSERT_TRUE(QFile::link(real, programDir.filePath("unctora.six")));
    TfrmStrings& w = open();
    w.bnSave->click();
    ASSERT_TRUE(messages.errors.isEmpty()) << messages.errors.join('\n').toStdString();
    EXPECT_EQ(read(french), "mine");
    EXPECT_TRUE(QFileInfo(programDir.filePath("unctora.six")).isSymLink());
    EXPECT_TRUE(read(real).startsWith("\xEF\xBB\xBF" "strFirst=One~Eins~Un\r\n"));
}

TEST_F(StringWindowTest, StoredSizeNeverExceedsTheScreen) {
    {
        QFile f(env.settingsFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[frmStrings]\nWinLeft=0\nWinTop=0\nWinWidth=2147483647\nWinHeight=2147483647\n");
    }
    open();
    const QSize available = window->screen()->availableGeometry().size();
    EXPECT_LE(window->width(), available.width());
    EXPECT_LE(window->height(), available.height());
    EXPECT_GT(window->width(), 0);
}
