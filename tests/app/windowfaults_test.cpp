// The window against a careless user and a hostile disk: a number typed far beyond
// its range, a PDF that cannot be written.
#include "mainwindow_fixture.h"

#include "widgets/spinedit.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <sys/stat.h>

namespace {

class WindowFaults : public MainWindowTest {
protected:
    TSpinEdit* spin(const char* name) { return child<TSpinEdit>(name); }
    QString text(const char* name) { return child<QLineEdit>(name)->text(); }
    void type(const char* name, const QString& typed) {
        TSpinEdit* s = spin(name);
        s->setFocus();
        QLineEdit* edit = s->findChild<QLineEdit*>();
        edit->selectAll();
        QTest::keyClicks(edit, typed);
    }
};

} // namespace

TEST_F(WindowFaults, TypedNumbersBeyond32BitsAreBroughtIntoRange) {
    start();
    spin("spedSpeed")->setValue(10000);
    const QString atMaximum = text("edTf");
    spin("spedSpeed")->setValue(100);
    // 2^32 + 100 would come out of a 32-bit conversion as 100.
    const struct {
        const char* typed;
        double used;
    } cases[] = {
        {"4294967396", 10000}, {"2147483648", 10000}, {"99999999999999999999999", 10000},
        {"-4294967296", 0}, {"12000", 12000}, // within 32 bits: as typed, until the field is left
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        type("spedSpeed", c.typed);
        EXPECT_EQ(spin("spedSpeed")->value(), c.used);
    }
    type("spedSpeed", "4294967396");
    EXPECT_EQ(text("edTf"), atMaximum);
    // Quit while the field still holds the typed text: the file gets what leaving the
    // field would make of it.
    quit();
    EXPECT_TRUE(readSettings().contains("\nSpeed=10000")) << readSettings().toStdString();
    start();
    type("spedSpeed", "12000");
    quit();
    EXPECT_TRUE(readSettings().contains("\nSpeed=10000")) << readSettings().toStdString();
    start();
    EXPECT_EQ(spin("spedSpeed")->value(), 10000);
}

TEST_F(WindowFaults, PrintToAPdfThatCannotBeWrittenIsAnError) {
    start();
    const QString missing = dataRoot.filePath("no/such/folder/print.pdf");
    for (const char* tab : {"tabDial", "tabDispRate", "tabCalc", "tabAcc"}) {
        SCOPED_TRACE(tab);
        child<QTabWidget>("pgMain")->setCurrentWidget(window->findChild<QWidget*>(tab));
        messages.pdfPath = missing;
        try {
            window->PrintCommand();
            ADD_FAILURE() << "printing to " << missing.toStdString() << " reported success";
        } catch (const std::exception& e) {
            EXPECT_EQ(std::string(e.what()), "Unable to write to " + missing.toStdString());
        }
        EXPECT_FALSE(QFileInfo::exists(missing));
    }
    // Through the menu, the failure reaches the program's error handler as a message
    // and the program goes on.
    child<QTabWidget>("pgMain")->setCurrentIndex(0);
    applicationMessages().errors.clear();
    window->show();
    QAction* print = nullptr;
    for (QAction* a : window->findChildren<QAction*>())
        if (a->objectName() == "Print1")
            print = a;
    ASSERT_TRUE(print);
    QEvent trigger(QEvent::User);
    struct Printer : QObject {
        QAction* action;
        bool event(QEvent* e) override {
            if (e->type() != QEvent::User)
                return QObject::event(e);
            action->trigger();
            return true;
        }
    } receiver;
    receiver.action = print;
    QCoreApplication::sendEvent(&receiver, &trigger);
    ASSERT_EQ(applicationMessages().errors.size(), 1);
    EXPECT_EQ(applicationMessages().errors[0], "Unable to write to " + missing);
    // With a writable file it prints again.
    messages.pdfPath = dataRoot.filePath("print.pdf");
    window->PrintCommand();
    EXPECT_GT(QFileInfo(messages.pdfPath).size(), 1000);
}

TEST_F(WindowFaults, SettingsFileThatIsNoFileStartsWithTheDefaults) {
    // A FIFO would wait for a writer before the window ever showed; a link to an endless
    // device would fill the memory.
    QDir().mkpath(env.dataDir);
    const QByteArray path = QFile::encodeName(env.settingsFile());
    for (int kind = 0; kind < 2; ++kind) {
        SCOPED_TRACE(kind == 0 ? "FIFO" : "link to /dev/zero");
        QFile::remove(env.settingsFile());
        if (kind == 0)
            ASSERT_EQ(::mkfifo(path.constData(), 0644), 0);
        else
            ASSERT_TRUE(QFile::link("/dev/zero", env.settingsFile()));
        start();
        ASSERT_TRUE(window->created());
        EXPECT_EQ(spin("spedSpeed")->value(), 2000);
        // Quit cannot replace it either: that is said, and the special file stays.
        messages.errors.clear();
        quit();
        ASSERT_FALSE(messages.errors.isEmpty());
        EXPECT_TRUE(messages.errors[0].endsWith("(not a regular file)")) << messages.errors[0].toStdString();
        EXPECT_TRUE(kind == 0 ? QFileInfo(env.settingsFile()).exists() && !QFileInfo(env.settingsFile()).isFile()
                              : QFileInfo(env.settingsFile()).isSymLink());
    }
    QFile::remove(env.settingsFile());
}

TEST_F(WindowFaults, PageFileThatIsNoFileIsReportedNotWaitedFor) {
    QDir().mkpath(env.dataDir);
    const QString page = env.dataFilePath("calc.html");
    ASSERT_EQ(::mkfifo(QFile::encodeName(page).constData(), 0644), 0);
    start();
    ASSERT_TRUE(window->created());
    bool reported = false;
    for (const QString& e : messages.errors)
        reported |= e == "Unable to write to " + page + " (not a regular file)";
    EXPECT_TRUE(reported) << messages.errors.join('\n').toStdString();
    EXPECT_FALSE(QFileInfo(page).isFile()); // still the FIFO: nothing of the user's is replaced
    QFile::remove(page);
}
