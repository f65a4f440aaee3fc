// The "Plant plan" window driven as a user drives it: a plant file opened, sorted and
// filtered, points edited in and stored from the calculator, saved, exported to a
// calendar and printed, with unsaved changes asked about before anything is lost.
#include "../app/mainwindow_fixture.h"

#include "plan/plantfile.h"
#include "windows/planmodel.h"
#include "windows/planwindow.h"
#include "widgets/spinedit.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <libical/ical.h>

using namespace unctora;

namespace {

const QString kExample = UNCTORA_SOURCE_DIR "/examples/plant.csv";

class PlanWindowTest : public MainWindowTest {
protected:
    TfrmPlan& open(const QString& file = kExample) {
        start();
        TfrmPlan* plan = window->ShowPlanWindow();
        plan->setDay(*plan::parseIsoDate("2026-12-10"));
        if (!file.isEmpty()) {
            EXPECT_TRUE(plan->openFile(file)) << messages.errors.join('\n').toStdString();
        }
        return *plan;
    }
    // The model row of the point with this Id.
    int rowOf(TfrmPlan& w, const std::string& id) {
        const auto& points = w.model()->file().points;
        for (std::size_t i = 0; i < points.size(); ++i)
            if (points[i].cell(plan::OwnColumn::Id) == id)
                return static_cast<int>(i);
        return -1;
    }
    QString cell(TfrmPlan& w, int row, int column) {
        return w.model()->index(row, column).data().toString();
    }
    QByteArray readFile(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString copyOfExample() {
        const QString path = dataRoot.filePath("plant.csv");
        QFile::remove(path);
        EXPECT_TRUE(QFile::copy(kExample, path));
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return path;
    }
};

} // namespace

TEST_F(PlanWindowTest, OpensFromTheMenuBarAndShowsEveryPoint) {
    start();
    window->show();
    QAction* action = window->findChild<QAction*>("PlantPlan1");
    ASSERT_TRUE(action);
    EXPECT_EQ(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    action->trigger();
    ASSERT_TRUE(window->planWindow());
    EXPECT_TRUE(window->planWindow()->isVisible());

    TfrmPlan& w = open();
    EXPECT_EQ(w.model()->rowCount(), 32);
    EXPECT_TRUE(w.windowTitle().startsWith("Plant plan \u2013 plant.csv")) << w.windowTitle().toStdString();
    const int wheel = rowOf(w, "WHEEL-5 crane wheel");
    ASSERT_GE(wheel, 0);
    EXPECT_EQ(cell(w, wheel, PlanModel::Location), "Crane bay");
    EXPECT_EQ(cell(w, wheel, PlanModel::Lubricator), "VOXA 125");
    EXPECT_EQ(cell(w, wheel, PlanModel::Setting), "1");
    // Dial 1 below -10 degC: the gas cell runs at half speed, the cartridge lasts 2 months.
    EXPECT_EQ(cell(w, wheel, PlanModel::Months), "2.0");
    EXPECT_EQ(cell(w, wheel, PlanModel::Volume), "125"); // the nominal volume
    EXPECT_EQ(cell(w, wheel, PlanModel::NextChange), "2026-10-24");
    EXPECT_EQ(cell(w, wheel, PlanModel::Status), "Overdue");
    EXPECT_EQ(w.model()->index(wheel, PlanModel::Status).data(Qt::BackgroundRole).value<QColor>(),
              PlanModel::statusColour(plan::PointStatus::Overdue));
    // A bearing that needs less than the slowest setting: planned at it, and marked.
    const int idler = rowOf(w, "CONV-14 idler set");
    EXPECT_EQ(cell(w, idler, PlanModel::Setting), "12");
    EXPECT_EQ(cell(w, idler, PlanModel::NextChange), "2028-07-14");
    EXPECT_EQ(cell(w, idler, PlanModel::Status), "OK \u00B7 Over-greased \u00D73.8");
    EXPECT_EQ(w.model()->index(idler, PlanModel::Status).data(Qt::BackgroundRole).value<QColor>(),
              PlanModel::attentionColour());
    EXPECT_TRUE(w.model()->index(idler, PlanModel::Status).data(Qt::ToolTipRole).toString().startsWith(
        "The setting is out of the lubricator's range.\nOver-greased \u00D73.8: the bearing needs 0.022 ml/day"));
    // The two pulleys of CONV-11 share a pump: one setting, one change under the unit's name.
    const int head = rowOf(w, "CONV-11 head pulley"), tail = rowOf(w, "CONV-11 tail pulley");
    EXPECT_EQ(cell(w, head, PlanModel::Unit), "CONV-11 pump");
    EXPECT_EQ(cell(w, head, PlanModel::Setting), cell(w, tail, PlanModel::Setting));
    EXPECT_EQ(cell(w, head, PlanModel::NextChange), cell(w, tail, PlanModel::NextChange));
    EXPECT_TRUE(cell(w, tail, PlanModel::Status).contains("Over-greased"));
    // Its pause is set for the head pulley: a setting within range, not shown as beyond it.
    EXPECT_EQ(w.model()->index(tail, PlanModel::Setting).data(Qt::ForegroundRole), QVariant());
    EXPECT_EQ(w.model()->index(idler, PlanModel::Setting).data(Qt::ForegroundRole).value<QColor>(), QColor(200, 0, 0));

    // Sorted by the next change, the overdue ones first and the undated ones last.
    QTableView* view = w.pointsView();
    view->sortByColumn(PlanModel::NextChange, Qt::AscendingOrder);
    EXPECT_EQ(view->model()->index(0, PlanModel::Id).data().toString(), "WHEEL-5 crane wheel");
    view->sortByColumn(PlanModel::Status, Qt::AscendingOrder);
    EXPECT_TRUE(view->model()->index(0, PlanModel::Status).data().toString().startsWith("Overdue"));
    // The filter: every word typed, in any column; then only what needs attention.
    auto* filter = w.findChild<QLineEdit*>("edPlanFilter");
    QTest::keyClicks(filter, "mill VOXA");
    for (int r = 0; r < view->model()->rowCount(); ++r) {
        EXPECT_EQ(view->model()->index(r, PlanModel::Location).data().toString(), "Mill line 2");
        EXPECT_TRUE(view->model()->index(r, PlanModel::Lubricator).data().toString().startsWith("VOXA"));
    }
    EXPECT_EQ(view->model()->rowCount(), 4); // GBX-9, MOT-55 at both ends, MOT-61
    filter->clear();
    w.findChild<QComboBox*>("cbPlanShow")->setCurrentIndex(1);
    int attention = 0;
    for (const auto& p : w.model()->plan())
        attention += p.needsAttention();
    EXPECT_EQ(view->model()->rowCount(), attention);
    EXPECT_EQ(w.findChild<QLabel*>("labPlanSummary")->text(), QString("32 points, %1 need attention").arg(attention));
    EXPECT_GT(attention, 0);
    EXPECT_LT(attention, 32);

    // The coming year's changes and what they take to buy.
    QAbstractItemModel* changes = w.findChild<QTableView*>("sgPlanChanges")->model();
    QAbstractItemModel* purchases = w.findChild<QTableView*>("sgPlanPurchases")->model();
    const auto year = plan::changeDates(w.model()->plan(), *plan::parseIsoDate("2026-12-10"), 12);
    ASSERT_EQ(changes->rowCount(), static_cast<int>(year.size()));
    EXPECT_EQ(changes->index(0, 0).data().toString().toStdString(), plan::isoDate(year[0].date));
    EXPECT_EQ(changes->headerData(0, Qt::Horizontal).toString(), "Date");
    int cartridges = 0;
    for (int r = 0; r < purchases->rowCount(); ++r)
        cartridges += purchases->index(r, 2).data().toInt();
    EXPECT_EQ(cartridges, changes->rowCount());
}

TEST_F(PlanWindowTest, EditInAndStoreFromTheCalculator) {
    TfrmPlan& w = open(copyOfExample());
    const int kiln = rowOf(w, "KILN-3 support roller");
    w.selectRow(kiln);
    w.editInCalculator();
    // The calculator shows the point's inputs and computes them as the plan did.
    const core::CalcInputs shown = window->readInputs();
    EXPECT_EQ(shown, w.model()->inputsOf(kiln));
    EXPECT_EQ(child<QLineEdit>("edQf")->text().isEmpty(), false);
    EXPECT_EQ(child<QTabWidget>("pgMain")->currentIndex(), 0);
    // A change in the calculator, stored back into the point.
    child<TSpinEdit>("spedSpeed")->setValue(150);
    const QString before = cell(w, kiln, PlanModel::Setting);
    w.storeFromCalculator();
    EXPECT_EQ(w.model()->inputsOf(kiln).Speed, 150);
    EXPECT_EQ(w.model()->file().points[kiln].cells[plan::columnOf(*core::findInputField("Speed"))], "150");
    EXPECT_NE(cell(w, kiln, PlanModel::Setting), before);
    EXPECT_TRUE(w.model()->modified());
    EXPECT_TRUE(w.windowTitle().endsWith(" *"));

    // Add takes the calculator's inputs; duplicate and delete act on the current point.
    child<TSpinEdit>("spedSpeed")->setValue(777);
    w.addPoint();
    const int added = w.model()->rowCount() - 1;
    EXPECT_EQ(w.model()->inputsOf(added).Speed, 777);
    EXPECT_EQ(cell(w, added, PlanModel::InstalledOn), "2026-12-10");
    w.model()->setData(w.model()->index(added, PlanModel::Id), "NEW-1 test point", Qt::EditRole);
    w.selectRow(added);
    w.duplicatePoint();
    EXPECT_EQ(w.model()->rowCount(), 34);
    EXPECT_EQ(cell(w, 33, PlanModel::Id), "NEW-1 test point");
    w.selectRow(33);
    w.deletePoints();
    EXPECT_EQ(w.model()->rowCount(), 33);

    // Saved, the file reads back with the stored and the added point.
    ASSERT_TRUE(w.save()) << messages.errors.join('\n').toStdString();
    EXPECT_FALSE(w.model()->modified());
    plan::PlantFile back;
    std::string error;
    ASSERT_TRUE(plan::readPlantFile(w.fileName().toStdString(), back, error)) << error;
    ASSERT_EQ(back.points.size(), 33u);
    EXPECT_EQ(back.points[kiln].cells[plan::columnOf(*core::findInputField("Speed"))], "150");
    EXPECT_EQ(back.points[32].cell(plan::OwnColumn::Id), "NEW-1 test point");
}

TEST_F(PlanWindowTest, EditedCellsReplanTheirPoint) {
    TfrmPlan& w = open(copyOfExample());
    const int wheel = rowOf(w, "WHEEL-5 crane wheel");
    PlanModel* m = w.model();
    EXPECT_TRUE(m->flags(m->index(wheel, PlanModel::InstalledOn)) & Qt::ItemIsEditable);
    EXPECT_FALSE(m->flags(m->index(wheel, PlanModel::Setting)) & Qt::ItemIsEditable);
    m->setData(m->index(wheel, PlanModel::InstalledOn), "2026-12-20", Qt::EditRole);
    EXPECT_EQ(cell(w, wheel, PlanModel::NextChange), "2027-02-20");
    EXPECT_TRUE(cell(w, wheel, PlanModel::Status).startsWith("OK"));
    // Due soon: within a quarter of its two months' life.
    m->setData(m->index(wheel, PlanModel::InstalledOn), "2026-11-15", Qt::EditRole);
    EXPECT_TRUE(cell(w, wheel, PlanModel::Status).startsWith("OK"));
    m->setData(m->index(wheel, PlanModel::InstalledOn), "2026-10-20", Qt::EditRole);
    EXPECT_EQ(cell(w, wheel, PlanModel::Status), "Due within 30 days");
    m->setData(m->index(wheel, PlanModel::InstalledOn), "15.11.2026", Qt::EditRole);
    EXPECT_EQ(cell(w, wheel, PlanModel::Status), "Invalid");
    EXPECT_EQ(cell(w, wheel, PlanModel::NextChange), "");
    m->setData(m->index(wheel, PlanModel::Volume), "250", Qt::EditRole);
    m->setData(m->index(wheel, PlanModel::InstalledOn), "2026-11-15", Qt::EditRole);
    EXPECT_EQ(m->plan()[wheel].volumeMl, 250);
    EXPECT_EQ(m->index(wheel, PlanModel::Volume).data(Qt::ForegroundRole), QVariant()); // its own value
}

TEST_F(PlanWindowTest, DamagedFileOpensWithItsBadRowsMarked) {
    const QString path = dataRoot.filePath("damaged.csv");
    const QByteArray text = "Id;Speed;InstalledOn;Volume_ml\r\n"
                            "good;900;2026-11-02;125,5\r\n"
                            "short;900\r\n"
                            "date;900;someday;\r\n";
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    TfrmPlan& w = open(path);
    ASSERT_EQ(w.model()->rowCount(), 3);
    EXPECT_NE(cell(w, 0, PlanModel::Status), "Invalid");
    EXPECT_EQ(cell(w, 1, PlanModel::Status), "Invalid");
    EXPECT_EQ(cell(w, 2, PlanModel::Status), "Invalid");
    EXPECT_EQ(cell(w, 0, PlanModel::Volume), "125,5");
    EXPECT_FALSE(w.model()->flags(w.model()->index(1, PlanModel::Id)) & Qt::ItemIsEditable);
    // Saved again: the spreadsheet's dialect and every row are kept.
    ASSERT_TRUE(w.saveAs(path));
    const QByteArray saved = readFile(path);
    EXPECT_TRUE(saved.startsWith("Id;Location;Machine;Unit;InstalledOn;Volume_ml;Remarks;"));
    EXPECT_TRUE(saved.contains("\r\nshort;900\r\n")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("\r\ndate;;;;someday;;;")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("\r\ngood;;;;2026-11-02;125,5;;")) << saved.toStdString();

    // A file that is no plant file is refused with the reason, and the plan stays.
    const QString bad = dataRoot.filePath("bad.csv");
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Id,Colour\n1,red\n");
    }
    messages.errors.clear();
    EXPECT_FALSE(w.openFile(bad));
    ASSERT_EQ(messages.errors.size(), 1);
    EXPECT_TRUE(messages.errors[0].endsWith("unknown column \"Colour\" in the header")) << messages.errors[0].toStdString();
    EXPECT_EQ(w.model()->rowCount(), 3);
    EXPECT_EQ(w.fileName(), path);
}

TEST_F(PlanWindowTest, FailedSaveKeepsTheOldFileAndTheChanges) {
    const QString path = copyOfExample();
    const QByteArray old = readFile(path);
    TfrmPlan& w = open(path);
    w.model()->setData(w.model()->index(0, PlanModel::Remarks), "changed", Qt::EditRole);
    messages.errors.clear();
    EXPECT_FALSE(w.saveAs(dataRoot.filePath("no/such/folder/plant.csv")));
    ASSERT_EQ(messages.errors.size(), 1);
    EXPECT_TRUE(messages.errors[0].startsWith("Unable to write to ")) << messages.errors[0].toStdString();
    EXPECT_TRUE(w.model()->modified());
    EXPECT_EQ(w.fileName(), path);
    EXPECT_EQ(readFile(path), old);
}

TEST_F(PlanWindowTest, UnsavedChangesAreAskedAboutOnClose) {
    const QString path = copyOfExample();
    const QByteArray old = readFile(path);
    TfrmPlan* w = &open(path);
    w->show();
    w->model()->setData(w->model()->index(0, PlanModel::Remarks), "changed", Qt::EditRole);
    // Cancel: the window stays, and so does the main window.
    messages.answer = MessageSink::Answer::Cancel;
    EXPECT_FALSE(w->close());
    EXPECT_EQ(messages.questions.size(), 1);
    EXPECT_EQ(messages.questions[0], "The plant plan has unsaved changes. Save them?");
    window->show();
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    // Save: written, then closed.
    messages.answer = MessageSink::Answer::Save;
    EXPECT_TRUE(w->close());
    EXPECT_TRUE(readFile(path).contains("changed"));
    // Discard: nothing written.
    w->model()->setData(w->model()->index(0, PlanModel::Remarks), "again", Qt::EditRole);
    messages.answer = MessageSink::Answer::Discard;
    EXPECT_TRUE(w->close());
    EXPECT_FALSE(readFile(path).contains("again"));
    EXPECT_NE(readFile(path), old);
}

TEST_F(PlanWindowTest, EndingBySignalKeepsUnsavedChangesAside) {
    const QString path = copyOfExample();
    const QByteArray old = readFile(path);
    TfrmPlan& w = open(path);
    w.model()->setData(w.model()->index(0, PlanModel::Remarks), "not yet saved", Qt::EditRole);
    messages.stopAsking();
    quit();
    EXPECT_EQ(readFile(path), old); // the plant file is never written unasked
    const QByteArray aside = readFile(env.dataDir + "/plant.unsaved.csv");
    EXPECT_TRUE(aside.contains("not yet saved")) << aside.toStdString();
    EXPECT_TRUE(messages.questions.isEmpty());
}

TEST_F(PlanWindowTest, CalendarExportReadsBack) {
    TfrmPlan& w = open();
    const QString ics = dataRoot.filePath("plan.ics");
    messages.files << ics;
    ASSERT_TRUE(w.exportCalendar({}));
    EXPECT_EQ(messages.fileDialogs.size(), 1);
    const QByteArray text = readFile(ics);
    icalcomponent* cal = icalparser_parse_string(text.constData());
    ASSERT_TRUE(cal);
    const int events = icalcomponent_count_components(cal, ICAL_VEVENT_COMPONENT);
    icalcomponent_free(cal);
    EXPECT_EQ(events, w.findChild<QTableView*>("sgPlanChanges")->model()->rowCount());
    EXPECT_GT(events, 10);
    ASSERT_FALSE(messages.messages.isEmpty());
    EXPECT_TRUE(messages.messages.last().startsWith(QString::number(events) + " cartridge changes written to "));
    // Cancelled: nothing happens.
    EXPECT_FALSE(w.exportCalendar({}));
}

TEST_F(PlanWindowTest, PrintsThePlanAndTheSummaryToPdf) {
    TfrmPlan& w = open();
    auto* tabs = w.findChild<QTabWidget*>("pgPlan");
    const struct {
        int tab;
        const char* title;
        const char* line;
    } pages[] = {{0, "Plant plan \u2013 Points", "WHEEL-5"}, {1, "Plant plan \u2013 Cartridge changes", "2027-01"},
                 {2, "Plant plan \u2013 Cartridges to buy", "VOXA 1000"}};
    for (const auto& p : pages) {
        SCOPED_TRACE(p.title);
        tabs->setCurrentIndex(p.tab);
        messages.pdfPath = dataRoot.filePath(QString("plan%1.pdf").arg(p.tab));
        w.print();
        ASSERT_GT(QFileInfo(messages.pdfPath).size(), 1000);
        QProcess pdf;
        pdf.start("pdftotext", {"-layout", messages.pdfPath, "-"});
        ASSERT_TRUE(pdf.waitForFinished(20000));
        const QString text = QString::fromUtf8(pdf.readAllStandardOutput());
        EXPECT_TRUE(text.contains(p.title)) << text.toStdString();
        EXPECT_TRUE(text.contains(p.line)) << text.toStdString();
        EXPECT_TRUE(text.contains("Output from Talvik Unctora"));
    }
    // A PDF that cannot be written is said to be so.
    messages.pdfPath = dataRoot.filePath("no/such/folder/plan.pdf");
    EXPECT_THROW(w.print(), std::exception);
}

TEST_F(PlanWindowTest, FollowsTheLanguageAndTheUnits) {
    TfrmPlan& w = open();
    window->findChild<QAction*>("miGerman")->trigger();
    EXPECT_TRUE(w.windowTitle().startsWith("Anlagenplan")) << w.windowTitle().toStdString();
    const QString header = w.model()->headerData(PlanModel::NextChange, Qt::Horizontal, Qt::DisplayRole).toString();
    EXPECT_NE(header, "Next change");
    EXPECT_FALSE(header.isEmpty());
    const int wheel = rowOf(w, "WHEEL-5 crane wheel");
    EXPECT_NE(cell(w, wheel, PlanModel::Status), "Overdue");
    // What a point needs looked at, and why, in the language chosen.
    const int idler = rowOf(w, "CONV-14 idler set");
    EXPECT_TRUE(cell(w, idler, PlanModel::Status).startsWith("OK \u00B7 \u00DCberschmiert \u00D73"));
    EXPECT_TRUE(w.model()->index(idler, PlanModel::Status).data(Qt::ToolTipRole).toString().contains(
        "Das Lager braucht 0"))
        << w.model()->index(idler, PlanModel::Status).data(Qt::ToolTipRole).toString().toStdString();
    const QString grams = cell(w, wheel, PlanModel::GreasePerYear);
    window->ApplyUnits(1);
    const QString ounces = cell(w, wheel, PlanModel::GreasePerYear);
    EXPECT_NE(grams, ounces);
    EXPECT_TRUE(ounces.endsWith("oz") || ounces.endsWith("Unzen") || !ounces.isEmpty());
    window->ApplyUnits(0);
    EXPECT_EQ(cell(w, wheel, PlanModel::GreasePerYear), grams);
}

TEST_F(PlanWindowTest, TheLastPlantFileOpensAgain) {
    const QString path = copyOfExample();
    open(path);
    quit();
    start();
    TfrmPlan* w = window->ShowPlanWindow();
    EXPECT_EQ(w->fileName(), path);
    EXPECT_EQ(w->model()->rowCount(), 32);
}
