// Recording the round's cartridge changes in the plan window, as a technician does it:
// points picked by hand or by a scanned Id, the dialog filled in, the records appended
// beside the plant file, the plan, the Points tab and the History tab following them,
// and every way the history cannot be written ending with the entries still there.
#include "../app/mainwindow_fixture.h"

#include "plan/history.h"
#include "windows/historytab.h"
#include "windows/planmodel.h"
#include "windows/planwindow.h"
#include "windows/recorddialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace unctora;

namespace {

const QString kExample = UNCTORA_SOURCE_DIR "/examples/plant.csv";

class RecordChangeTest : public MainWindowTest {
protected:
    // The plan window on a copy of the example plant, shown and active so that its keys work.
    TfrmPlan& open() {
        plantPath = dataRoot.filePath("plant.csv");
        if (!QFileInfo::exists(plantPath)) {
            EXPECT_TRUE(QFile::copy(kExample, plantPath));
            QFile::setPermissions(plantPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        }
        start();
        TfrmPlan* plan = window->ShowPlanWindow();
        plan->setDay(*plan::parseIsoDate("2026-12-10"));
        if (plan->fileName() != plantPath) {
            EXPECT_TRUE(plan->openFile(plantPath)) << messages.errors.join('\n').toStdString();
        }
        plan->show();
        QApplication::setActiveWindow(plan);
        EXPECT_TRUE(QTest::qWaitForWindowActive(plan));
        return *plan;
    }
    int rowOf(TfrmPlan& w, const std::string& id) {
        const auto& points = w.model()->file().points;
        for (std::size_t i = 0; i < points.size(); ++i)
            if (points[i].cell(plan::OwnColumn::Id) == id)
                return static_cast<int>(i);
        return -1;
    }
    QString cell(TfrmPlan& w, int row, int column) { return w.model()->index(row, column).data().toString(); }
    QByteArray history() {
        QFile f(dataRoot.filePath("plant.history.csv"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Selects these points on the Points tab as a click and Ctrl+clicks would.
    void select(TfrmPlan& w, const std::vector<int>& rows) {
        QTableView* v = w.pointsView();
        v->clearSelection();
        for (int row : rows)
            for (int r = 0; r < v->model()->rowCount(); ++r)
                if (v->model()->index(r, PlanModel::Id).data().toString() == cell(w, row, PlanModel::Id))
                    v->selectionModel()->setCurrentIndex(v->model()->index(r, 0),
                                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    // Ctrl+R pressed on the Points tab.
    TfrmRecordChange* pressRecord(TfrmPlan& w) {
        QTest::keyClick(w.pointsView(), Qt::Key_R, Qt::ControlModifier);
        return w.recordDialog();
    }
    QString plantPath;
};

} // namespace

TEST_F(RecordChangeTest, TwoPointsRecordedTheHistoryAndThePlanFollowAcrossARestart) {
    TfrmPlan& w = open();
    const int wheel = rowOf(w, "WHEEL-5 crane wheel"), fan = rowOf(w, "FAN-101 drive end");
    ASSERT_GE(wheel, 0);
    ASSERT_GE(fan, 0);
    EXPECT_EQ(cell(w, wheel, PlanModel::Status), "Overdue");
    EXPECT_EQ(cell(w, wheel, PlanModel::LastChange), "");
    select(w, {wheel, fan});

    TfrmRecordChange* d = pressRecord(w);
    ASSERT_TRUE(d);
    ASSERT_EQ(d->pointCount(), 2);
    EXPECT_EQ(d->findChild<QDateEdit*>("deRecordDate")->date(), QDate(2026, 12, 10));
    // A day to come cannot be chosen: a change is recorded once it is done.
    EXPECT_EQ(d->findChild<QDateEdit*>("deRecordDate")->maximumDate(),
              std::max(QDate(2026, 12, 10), QDate::currentDate()));
    // Each point's setting and grease as the plan has them.
    for (int i = 0; i < 2; ++i) {
        const int row = rowOf(w, d->point(i).id.toStdString());
        EXPECT_EQ(d->setting(i), cell(w, row, PlanModel::Setting));
        EXPECT_EQ(d->grease(i), cell(w, row, PlanModel::Grease));
    }
    QTest::keyClicks(d->findChild<QLineEdit*>("edRecordDoneBy"), "A. Lindqvist");
    QTest::keyClicks(d->findChild<QLineEdit*>("edRecordBatch"), "L-2291");
    QTest::keyClicks(d->findChild<QPlainTextEdit*>("memoRecordRemarks"), "noise, \"rough\"");
    // The fan's cartridge is set one step faster than the plan says (7).
    d->findChild<QTableWidget*>("sgRecordPoints")->item(d->point(0).id == "FAN-101 drive end" ? 0 : 1, 4)->setText("6");
    QTest::keyClick(d->findChild<QLineEdit*>("edRecordBatch"), Qt::Key_Return);
    EXPECT_FALSE(w.recordDialog());
    EXPECT_TRUE(messages.errors.isEmpty()) << messages.errors.join('\n').toStdString();
    EXPECT_EQ(w.statusBar()->currentMessage(), "Changes recorded in plant.history.csv: 2");

    // Two records, one line each, appended under the header.
    const QList<QByteArray> lines = history().split('\n');
    ASSERT_EQ(lines.size(), 4) << history().toStdString(); // header, two records, the end
    EXPECT_EQ(lines[0], "Id,Date,DoneBy,Batch,Location,Machine,Lubricator,Grease,Setting,SettingValue,Remarks,RecordedAt");
    EXPECT_TRUE(lines[1].startsWith("FAN-101 drive end,2026-12-10,A. Lindqvist,L-2291,Boiler house,FAN-101,VOXA 125,"
                                    "NVTE2,6,6,\"noise, \"\"rough\"\"\",2"))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith("WHEEL-5 crane wheel,2026-12-10,A. Lindqvist,L-2291,Crane bay,WHEEL-5,VOXA 125,"
                                    "NVSU2,1,1,"))
        << lines[2].toStdString();

    // The plan follows: the wheel's new cartridge lasts two months from the change, the
    // fan runs at the 6 dialled and is marked while the plan would set another.
    const auto check = [&](TfrmPlan& p) {
        const int wh = rowOf(p, "WHEEL-5 crane wheel"), fa = rowOf(p, "FAN-101 drive end");
        EXPECT_EQ(cell(p, wh, PlanModel::NextChange), "2027-02-10");
        EXPECT_EQ(cell(p, wh, PlanModel::Status), "OK");
        EXPECT_EQ(cell(p, wh, PlanModel::LastChange), "2026-12-10");
        EXPECT_EQ(cell(p, wh, PlanModel::ChangedBy), "A. Lindqvist");
        EXPECT_EQ(cell(p, fa, PlanModel::NextChange), "2027-06-10");
        EXPECT_TRUE(cell(p, fa, PlanModel::Status).contains("Setting differs")) << cell(p, fa, PlanModel::Status).toStdString();
        // The History tab: newest first, the point's record on top of the list.
        HistoryModel* h = p.historyTab()->model();
        EXPECT_EQ(h->rowCount(), 2);
        EXPECT_EQ(h->index(0, HistoryModel::Id).data().toString(), "WHEEL-5 crane wheel");
        EXPECT_EQ(h->index(1, HistoryModel::Remarks).data().toString(), "noise, \"rough\"");
        EXPECT_EQ(h->headerData(HistoryModel::DoneBy, Qt::Horizontal, Qt::DisplayRole).toString(), "Done by");
    };
    check(w);
    EXPECT_FALSE(w.model()->modified()); // the plant file is not touched
    // The Last change column stands beside the status, where it can be seen.
    EXPECT_EQ(w.pointsView()->horizontalHeader()->visualIndex(PlanModel::LastChange), PlanModel::Status + 1);

    // The History tab prints as the other tabs do.
    w.findChild<QTabWidget*>("pgPlan")->setCurrentWidget(w.historyTab());
    messages.pdfPath = dataRoot.filePath("history.pdf");
    w.print();
    QProcess pdf;
    pdf.start("pdftotext", {"-layout", messages.pdfPath, "-"});
    ASSERT_TRUE(pdf.waitForFinished(20000));
    const QString printed = QString::fromUtf8(pdf.readAllStandardOutput());
    EXPECT_TRUE(printed.contains("Plant plan \u2013 History") && printed.contains("A. Lindqvist") &&
                printed.contains("L-2291"))
        << printed.toStdString();

    // The program ends and starts again: the plan reopens with its history, and the
    // dialog offers the last name.
    quit();
    TfrmPlan& again = open();
    check(again);
    select(again, {rowOf(again, "KILN-3 support roller")});
    TfrmRecordChange* next = pressRecord(again);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->doneBy(), "A. Lindqvist");
    next->reject();
    // In another language: the tab, the new columns and the dialog follow it.
    window->findChild<QAction*>("miRussian")->trigger();
    auto* tabs = again.findChild<QTabWidget*>("pgPlan");
    EXPECT_EQ(tabs->tabText(tabs->indexOf(again.historyTab())), "История");
    EXPECT_EQ(again.model()->headerData(PlanModel::LastChange, Qt::Horizontal, Qt::DisplayRole).toString(),
              "Последняя замена");
    EXPECT_EQ(again.historyTab()->model()->headerData(HistoryModel::DoneBy, Qt::Horizontal, Qt::DisplayRole).toString(),
              "Выполнил");
    EXPECT_EQ(again.findChild<QAction*>("miPlanRecord")->text(), "&Записать замену…");
    TfrmRecordChange* ru = pressRecord(again);
    ASSERT_TRUE(ru);
    EXPECT_EQ(ru->windowTitle(), "Запись замены картриджа");
    ru->reject();
}

TEST_F(RecordChangeTest, HistoryTabFiltersByPointLocationDateAndTheWindowFilter) {
    {
        std::vector<plan::ChangeRecord> records;
        const auto rec = [](const char* id, const char* date, const char* location, const char* by) {
            plan::ChangeRecord r;
            r.pointId = id;
            r.date = *plan::parseIsoDate(date);
            r.location = location;
            r.doneBy = by;
            r.grease = "NVSU2";
            return r;
        };
        records.push_back(rec("WHEEL-5 crane wheel", "2026-06-01", "Crane bay", "Berg"));
        records.push_back(rec("FAN-101 drive end", "2026-09-15", "Boiler house", "Okafor"));
        records.push_back(rec("WHEEL-5 crane wheel", "2026-10-01", "Crane bay", "Okafor"));
        records.push_back(rec("FAN-101 drive end", "2026-03-02", "Boiler house", "Berg"));
        std::string error;
        ASSERT_TRUE(plan::appendHistory(dataRoot.filePath("plant.history.csv").toStdString(), records, error)) << error;
    }
    TfrmPlan& w = open();
    HistoryTab* tab = w.historyTab();
    HistoryModel* h = tab->model();
    const auto dates = [&] {
        QStringList out;
        for (int r = 0; r < h->rowCount(); ++r)
            out << h->index(r, HistoryModel::Date).data().toString();
        return out.join(' ');
    };
    EXPECT_EQ(dates(), "2026-10-01 2026-09-15 2026-06-01 2026-03-02");
    auto* point = tab->findChild<QComboBox*>("cbHistPoint");
    auto* location = tab->findChild<QComboBox*>("cbHistLocation");
    EXPECT_EQ(point->itemText(0), "All");
    point->setCurrentIndex(point->findText("WHEEL-5 crane wheel"));
    EXPECT_EQ(dates(), "2026-10-01 2026-06-01");
    point->setCurrentIndex(0);
    location->setCurrentIndex(location->findText("Boiler house"));
    EXPECT_EQ(dates(), "2026-09-15 2026-03-02");
    location->setCurrentIndex(0);
    tab->findChild<QDateEdit*>("deHistFrom")->setDate(QDate(2026, 6, 1));
    tab->findChild<QCheckBox*>("chkHistFrom")->setChecked(true);
    tab->findChild<QDateEdit*>("deHistTo")->setDate(QDate(2026, 9, 15));
    tab->findChild<QCheckBox*>("chkHistTo")->setChecked(true);
    EXPECT_EQ(dates(), "2026-09-15 2026-06-01"); // both ends included
    // The window's filter narrows the history as it narrows the points.
    QTest::keyClicks(w.findChild<QLineEdit*>("edPlanFilter"), "okafor");
    EXPECT_EQ(dates(), "2026-09-15");
    // The last change on the Points tab: the latest date, whatever the file's order.
    EXPECT_EQ(cell(w, rowOf(w, "FAN-101 drive end"), PlanModel::LastChange), "2026-09-15");
    EXPECT_EQ(cell(w, rowOf(w, "FAN-101 drive end"), PlanModel::ChangedBy), "Okafor");
}

TEST_F(RecordChangeTest, ScannedIdSelectsItsPointAndCtrlRRecordsIt) {
    TfrmPlan& w = open();
    auto* filter = w.findChild<QLineEdit*>("edPlanFilter");
    auto* show = w.findChild<QComboBox*>("cbPlanShow");
    w.findChild<QTabWidget*>("pgPlan")->setCurrentIndex(3);
    // Only what needs attention is shown, and the point scanned needs none: it is shown anyway.
    show->setCurrentIndex(1);
    const int fan = rowOf(w, "FAN-101 non-drive end");
    ASSERT_FALSE(w.model()->plan()[fan].needsAttention());
    filter->setFocus();
    QTest::keyClicks(filter, "FAN-101 non-drive end");
    QTest::keyClick(filter, Qt::Key_Return);
    EXPECT_EQ(w.currentRow(), fan);
    EXPECT_EQ(w.findChild<QTabWidget*>("pgPlan")->currentIndex(), 0);
    EXPECT_EQ(w.pointsView()->selectionModel()->selectedRows().size(), 1);
    // The next scan replaces the Id instead of joining it.
    QTest::keyClicks(filter, "WHEEL-5 crane wheel");
    QTest::keyClick(filter, Qt::Key_Return);
    EXPECT_EQ(filter->text(), "WHEEL-5 crane wheel");
    const int wheel = rowOf(w, "WHEEL-5 crane wheel");
    EXPECT_EQ(w.currentRow(), wheel);
    // A part of an Id selects nothing new.
    QTest::keyClicks(filter, "WHEEL-5");
    QTest::keyClick(filter, Qt::Key_Return);
    EXPECT_EQ(w.currentRow(), wheel);
    filter->selectAll();
    QTest::keyClicks(filter, "WHEEL-5 crane wheel");
    QTest::keyClick(filter, Qt::Key_Return);

    // Ctrl+R where the focus is, in the filter field.
    QTest::keyClick(filter, Qt::Key_R, Qt::ControlModifier);
    TfrmRecordChange* d = w.recordDialog();
    ASSERT_TRUE(d);
    ASSERT_EQ(d->pointCount(), 1);
    EXPECT_EQ(d->point(0).id, "WHEEL-5 crane wheel");
    QTest::keyClick(d, Qt::Key_Escape);
    EXPECT_FALSE(w.recordDialog());
    EXPECT_TRUE(history().isEmpty()); // cancelled: nothing written
    // Storing from the calculator has a key of its own now.
    EXPECT_EQ(w.findChild<QAction*>("miPlanStore")->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
}

TEST_F(RecordChangeTest, AHistoryThatCannotBeWrittenKeepsTheDialogAndItsEntries) {
    TfrmPlan& w = open();
    select(w, {rowOf(w, "WHEEL-5 crane wheel"), rowOf(w, "FAN-101 drive end")});
    TfrmRecordChange* d = pressRecord(w);
    ASSERT_TRUE(d);
    QTest::keyClicks(d->findChild<QLineEdit*>("edRecordDoneBy"), "Berg");
    QTest::keyClicks(d->findChild<QLineEdit*>("edRecordBatch"), "L-7");
    const std::string path = dataRoot.filePath("plant.history.csv").toStdString();

    // Another program holds the history.
    {
        plan::HistoryWriter other;
        std::string error;
        ASSERT_TRUE(other.open(path, error)) << error;
        QTest::keyClick(d->findChild<QLineEdit*>("edRecordBatch"), Qt::Key_Return);
        ASSERT_EQ(w.recordDialog(), d);
        ASSERT_EQ(messages.errors.size(), 1);
        EXPECT_TRUE(messages.errors[0].contains("is being written by another program")) << messages.errors[0].toStdString();
        EXPECT_EQ(d->batch(), "L-7");
    }
    const QByteArray header = history();
    EXPECT_EQ(header.count('\n'), 1);

    // The disk fills up part way through the two records: neither is left in the file.
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = static_cast<rlim_t>(header.size() + 140);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QTest::keyClick(d->findChild<QLineEdit*>("edRecordBatch"), Qt::Key_Return);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    ASSERT_EQ(w.recordDialog(), d);
    ASSERT_EQ(messages.errors.size(), 2);
    EXPECT_TRUE(messages.errors[1].startsWith("The change could not be recorded in plant.history.csv: ")) << messages.errors[1].toStdString();
    EXPECT_EQ(history(), header);
    EXPECT_EQ(cell(w, rowOf(w, "WHEEL-5 crane wheel"), PlanModel::LastChange), "");

    // With room again the same entries go in once each.
    QTest::keyClick(d->findChild<QLineEdit*>("edRecordBatch"), Qt::Key_Return);
    EXPECT_FALSE(w.recordDialog());
    EXPECT_EQ(history().count('\n'), 3) << history().toStdString();
    EXPECT_EQ(history().count("Berg,L-7"), 2);

    // A plan never saved has nowhere to keep its history: it says so.
    w.newPlan();
    w.addPoint();
    w.selectRow(0);
    EXPECT_FALSE(pressRecord(w));
    EXPECT_EQ(messages.messages.last(), "Save the plant plan first: its history is kept beside the plant file.");
}

TEST_F(RecordChangeTest, AnotherThickenerWarnsAndTheChoiceIsTheUsers) {
    {
        plan::ChangeRecord r;
        r.pointId = "FAN-101 drive end";
        r.date = *plan::parseIsoDate("2026-11-02");
        r.grease = "NVBE2";
        std::string error;
        ASSERT_TRUE(plan::appendHistory(dataRoot.filePath("plant.history.csv").toStdString(), {r}, error)) << error;
    }
    TfrmPlan& w = open();
    select(w, {rowOf(w, "FAN-101 drive end")});
    TfrmRecordChange* d = pressRecord(w);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->grease(0), "NVTE2");
    const QByteArray before = history();
    // Going back: nothing written, the dialog still open.
    messages.choices = {1};
    d->accept();
    ASSERT_EQ(w.recordDialog(), d);
    ASSERT_EQ(messages.questions.size(), 1);
    const QString q = messages.questions[0];
    EXPECT_TRUE(q.contains("NVTE2 (thickener: lithium complex soap)") && q.contains("NVBE2 (thickener: Di-urea)") &&
                q.contains("grease supplier"))
        << q.toStdString();
    EXPECT_EQ(history(), before);
    // The same grease as before asks nothing; another thickener, recorded anyway, is written.
    messages.choices = {0};
    d->accept();
    EXPECT_FALSE(w.recordDialog());
    EXPECT_EQ(history().count('\n'), 3);
    EXPECT_EQ(cell(w, rowOf(w, "FAN-101 drive end"), PlanModel::LastChange), "2026-12-10");
}

TEST_F(RecordChangeTest, ALineCutShortIsSaidAndTheRecordsAroundItStay) {
    {
        plan::ChangeRecord r;
        r.pointId = "WHEEL-5 crane wheel";
        r.date = *plan::parseIsoDate("2026-11-20");
        r.doneBy = "Berg";
        std::string error;
        const std::string path = dataRoot.filePath("plant.history.csv").toStdString();
        ASSERT_TRUE(plan::appendHistory(path, {r}, error)) << error;
        QFile f(QString::fromStdString(path));
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write("FAN-101 drive end,2026-12-01,Okafor,,Boiler"); // a writer killed here
    }
    TfrmPlan& w = open();
    auto* note = w.findChild<QLabel*>("labPlanHistoryNote");
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(note->text(), "Line 3 of the history plant.history.csv is incomplete or unreadable and was set aside; "
                            "every other record is kept.");
    EXPECT_EQ(w.historyTab()->model()->rowCount(), 1);
    EXPECT_EQ(cell(w, rowOf(w, "WHEEL-5 crane wheel"), PlanModel::LastChange), "2026-11-20");
    EXPECT_EQ(cell(w, rowOf(w, "FAN-101 drive end"), PlanModel::LastChange), "");
}
