// The "Plant plan" window driven as a user drives it: a plant file opened, sorted and
// filtered, points edited in and stored from the calculator, saved, exported to a
// calendar and printed, with unsaved changes asked about before anything is lost.
#include "../app/mainwindow_fixture.h"

#include "plan/history.h"
#include "plan/plantfile.h"
#include "windows/planmodel.h"
#include "windows/planwindow.h"
#include "widgets/spinedit.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QSet>
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

    // The coming year's changes and what they take to buy, of every point again.
    w.findChild<QComboBox*>("cbPlanShow")->setCurrentIndex(0);
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
    // The copy takes an Id of its own, and a copy of the copy the next one.
    EXPECT_EQ(cell(w, 33, PlanModel::Id), "NEW-1 test point (2)");
    w.selectRow(33);
    w.duplicatePoint();
    EXPECT_EQ(cell(w, 34, PlanModel::Id), "NEW-1 test point (3)");
    w.selectRow(34);
    w.deletePoints();
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
    // A text that is no date is refused, not stored: the point keeps its date.
    EXPECT_FALSE(m->setData(m->index(wheel, PlanModel::InstalledOn), "15.31.2026", Qt::EditRole));
    EXPECT_FALSE(m->setData(m->index(wheel, PlanModel::InstalledOn), "soon", Qt::EditRole));
    EXPECT_EQ(cell(w, wheel, PlanModel::Status), "Due within 30 days");
    EXPECT_EQ(m->file().points[wheel].cell(plan::OwnColumn::InstalledOn), "2026-10-20");
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
    EXPECT_TRUE(saved.startsWith("Id;Speed;InstalledOn;Volume_ml;Location;Machine;Unit;Remarks;"));
    EXPECT_TRUE(saved.contains("\r\nshort;900\r\n")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("\r\ndate;900;someday;;;;;;")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("\r\ngood;900;2026-11-02;125,5;;;;;")) << saved.toStdString();

    // A file that is no plant file is refused with the reason, and the plan stays.
    const QString bad = dataRoot.filePath("bad.csv");
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Id,Sped\n1,900\n");
    }
    messages.errors.clear();
    EXPECT_FALSE(w.openFile(bad));
    ASSERT_EQ(messages.errors.size(), 1);
    EXPECT_TRUE(messages.errors[0].endsWith("is \"Speed\" meant?")) << messages.errors[0].toStdString();
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
    start();
    const QStringList kept = window->ShowPlanWindow()->recoveryFiles(path);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_TRUE(readFile(kept[0]).contains("not yet saved"));
    // Said as what happened, not as the question nobody could answer.
    ASSERT_FALSE(messages.messages.isEmpty());
    EXPECT_EQ(messages.messages.last(), "Unsaved changes to " + path + " were kept in " + kept[0]);
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

TEST_F(PlanWindowTest, RecoveryFilesAreKeptApartNumberedAndOffered) {
    // Two plant.csv in different folders, both with changes when the program ends.
    const QString first = copyOfExample();
    QDir(dataRoot.path()).mkpath("other");
    const QString second = dataRoot.filePath("other/plant.csv");
    ASSERT_TRUE(QFile::copy(first, second));
    TfrmPlan& w = open(first);
    messages.askingUser = false;
    w.model()->setData(w.model()->index(0, PlanModel::Remarks), "first, once", Qt::EditRole);
    const QString a = w.keepUnsavedAside();
    w.model()->setData(w.model()->index(0, PlanModel::Remarks), "first, twice", Qt::EditRole);
    const QString b = w.keepUnsavedAside();
    ASSERT_TRUE(w.openFile(second));
    w.model()->setData(w.model()->index(0, PlanModel::Remarks), "second", Qt::EditRole);
    const QString c = w.keepUnsavedAside();
    EXPECT_EQ(QSet<QString>({a, b, c}).size(), 3); // none overwrites another
    EXPECT_TRUE(readFile(a).contains("first, once"));
    EXPECT_TRUE(readFile(b).contains("first, twice"));
    EXPECT_TRUE(readFile(c).contains("second"));
    EXPECT_EQ(w.recoveryFiles(second), QStringList{c});
    EXPECT_EQ(w.recoveryFiles(first).size(), 2);

    // Opened again, the newest kept changes are offered; "Later" leaves them be.
    messages.askingUser = true;
    messages.questions.clear();
    messages.choices = {1};
    ASSERT_TRUE(w.openFile(first));
    ASSERT_EQ(messages.questions.size(), 1);
    EXPECT_TRUE(messages.questions[0].startsWith("Changes to plant.csv from ")) << messages.questions[0].toStdString();
    EXPECT_TRUE(messages.questions[0].endsWith(" were kept when the program ended. Open them?"));
    EXPECT_FALSE(w.model()->modified());
    // "Open them": the kept changes are the plan, unsaved; saved, their file goes.
    messages.choices = {0};
    ASSERT_TRUE(w.openFile(first));
    EXPECT_TRUE(w.model()->modified());
    const QString kept = w.model()->file().points[0].cell(plan::OwnColumn::Remarks).c_str();
    EXPECT_TRUE(kept == "first, twice" || kept == "first, once") << kept.toStdString();
    ASSERT_TRUE(w.save());
    EXPECT_TRUE(readFile(first).contains(kept.toUtf8()));
    EXPECT_EQ(w.recoveryFiles(first).size(), 1);
    // "Discard them": gone, and not offered again.
    messages.choices = {2};
    ASSERT_TRUE(w.openFile(first));
    EXPECT_TRUE(w.recoveryFiles(first).isEmpty());
    messages.questions.clear();
    ASSERT_TRUE(w.openFile(first));
    EXPECT_TRUE(messages.questions.isEmpty());
}

TEST_F(PlanWindowTest, ChangesOnDiskAreNotOverwrittenUnasked) {
    // Two windows on one plant file, as two instances of the program have it.
    const QString path = copyOfExample();
    TfrmPlan& mine = open(path);
    TfrmPlan::Context c;
    c.table = [this] { return strings->table(); };
    c.messages = &messages;
    c.recoveryFolder = env.dataDir;
    TfrmPlan other(c);
    ASSERT_TRUE(other.openFile(path));
    other.model()->setData(other.model()->index(1, PlanModel::Remarks), "from the other", Qt::EditRole);
    ASSERT_TRUE(other.save());
    mine.model()->setData(mine.model()->index(0, PlanModel::Remarks), "mine", Qt::EditRole);
    // Cancel: nothing written, the changes still here.
    messages.questions.clear();
    messages.choices = {2};
    EXPECT_FALSE(mine.save());
    ASSERT_EQ(messages.questions.size(), 1);
    EXPECT_TRUE(messages.questions[0].startsWith("plant.csv was changed on disk at 20")) << messages.questions[0].toStdString();
    EXPECT_TRUE(readFile(path).contains("from the other"));
    EXPECT_TRUE(mine.model()->modified());
    // Save as: to another file, the plant file left as the other window wrote it.
    const QString copy = dataRoot.filePath("mine.csv");
    messages.choices = {1};
    messages.files << copy;
    EXPECT_TRUE(mine.save());
    EXPECT_TRUE(readFile(copy).contains("mine"));
    EXPECT_TRUE(readFile(path).contains("from the other"));
    EXPECT_EQ(mine.fileName(), copy);
    // Overwrite, when that is what is wanted; a save of one's own asks nothing.
    ASSERT_TRUE(mine.openFile(path));
    mine.model()->setData(mine.model()->index(0, PlanModel::Remarks), "mine again", Qt::EditRole);
    other.model()->setData(other.model()->index(2, PlanModel::Remarks), "other again", Qt::EditRole);
    ASSERT_TRUE(other.save());
    messages.questions.clear();
    messages.choices = {0};
    EXPECT_TRUE(mine.save());
    EXPECT_EQ(messages.questions.size(), 1);
    EXPECT_TRUE(readFile(path).contains("mine again"));
    mine.model()->setData(mine.model()->index(0, PlanModel::Remarks), "once more", Qt::EditRole);
    EXPECT_TRUE(mine.save());
    EXPECT_EQ(messages.questions.size(), 1);
    other.model()->setModified(false);
}

TEST_F(PlanWindowTest, DatesAreShownAndTakenInTheUsersFormat) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TfrmPlan& w = open(copyOfExample());
    w.show();
    PlanModel* m = w.model();
    const int wheel = rowOf(w, "WHEEL-5 crane wheel");
    EXPECT_EQ(cell(w, wheel, PlanModel::NextChange), "24.10.2026");
    EXPECT_TRUE(m->setData(m->index(wheel, PlanModel::InstalledOn), "17.12.2026", Qt::EditRole));
    EXPECT_EQ(m->file().points[wheel].cell(plan::OwnColumn::InstalledOn), "2026-12-17");
    EXPECT_EQ(cell(w, wheel, PlanModel::InstalledOn), "17.12.2026");
    // A week after the day of the plan: planned, and marked as installed in the future.
    EXPECT_TRUE(cell(w, wheel, PlanModel::Status).startsWith("OK")) << cell(w, wheel, PlanModel::Status).toStdString();
    EXPECT_FALSE(m->setData(m->index(wheel, PlanModel::InstalledOn), "32.12.2026", Qt::EditRole));
    EXPECT_EQ(m->file().points[wheel].cell(plan::OwnColumn::InstalledOn), "2026-12-17");
    // The cell's editor: a date with a calendar, in the same format; what it holds is
    // stored as ISO 8601.
    QTableView* view = w.pointsView();
    const QModelIndex at = view->model()->index(
        static_cast<PlanFilter*>(view->model())->mapFromSource(m->index(wheel, PlanModel::InstalledOn)).row(),
        PlanModel::InstalledOn);
    view->setCurrentIndex(at);
    view->edit(at);
    auto* editor = view->findChild<QDateEdit*>("edPlanDate");
    ASSERT_TRUE(editor);
    EXPECT_TRUE(editor->calendarPopup());
    EXPECT_EQ(editor->text(), "17.12.2026");
    editor->setDate(QDate(2027, 1, 5));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents(); // the editor's data is committed on the next turn
    EXPECT_EQ(m->file().points[wheel].cell(plan::OwnColumn::InstalledOn), "2027-01-05");
    QLocale::setDefault(before);
}

TEST_F(PlanWindowTest, TheFilterAppliesToTheChangesAndPurchases) {
    TfrmPlan& w = open();
    QAbstractItemModel* changes = w.findChild<QTableView*>("sgPlanChanges")->model();
    QAbstractItemModel* purchases = w.findChild<QTableView*>("sgPlanPurchases")->model();
    const int all = changes->rowCount();
    QTest::keyClicks(w.findChild<QLineEdit*>("edPlanFilter"), "crusher");
    ASSERT_GT(changes->rowCount(), 0);
    EXPECT_LT(changes->rowCount(), all);
    for (int r = 0; r < changes->rowCount(); ++r)
        EXPECT_EQ(changes->index(r, 2).data().toString(), "Crusher building");
    int cartridges = 0;
    for (int r = 0; r < purchases->rowCount(); ++r)
        cartridges += purchases->index(r, 2).data().toInt();
    EXPECT_EQ(cartridges, changes->rowCount());
    // Words that no point has: nothing to change, nothing to buy.
    w.findChild<QLineEdit*>("edPlanFilter")->setText("no such words");
    EXPECT_EQ(changes->rowCount(), 0);
    EXPECT_EQ(purchases->rowCount(), 0);
    // Only the points that need attention.
    w.findChild<QLineEdit*>("edPlanFilter")->clear();
    EXPECT_EQ(changes->rowCount(), all);
    w.findChild<QComboBox*>("cbPlanShow")->setCurrentIndex(1);
    EXPECT_LT(changes->rowCount(), all);
    for (int r = 0; r < changes->rowCount(); ++r) {
        // A shared unit's change is named as the unit: one of its points needs attention.
        const std::string name = changes->index(r, 1).data().toString().toStdString();
        bool found = false, attention = false;
        for (std::size_t i = 0; i < w.model()->plan().size(); ++i) {
            const plan::PointPlan& p = w.model()->plan()[i];
            if (w.model()->file().points[i].cell(plan::OwnColumn::Id) == name || p.unit == name) {
                found = true;
                attention = attention || p.needsAttention();
            }
        }
        EXPECT_TRUE(found) << name;
        EXPECT_TRUE(attention) << name;
    }
}

TEST_F(PlanWindowTest, OtherColumnsAndWindowsFilesAreKept) {
    // A Western Windows spreadsheet's export of a maintenance system: Windows-1252,
    // columns of its own.
    const QString path = dataRoot.filePath("export.csv");
    const QByteArray bytes = "Criticality;Id;Location;Speed;InstalledOn\r\n"
                             "A;P-1;Halle S\xFC" "d;1480;2026-11-02\r\n";
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    TfrmPlan& w = open(path);
    PlanModel* m = w.model();
    ASSERT_EQ(m->columnCount(), PlanModel::ColumnCount + 1);
    EXPECT_EQ(m->headerData(PlanModel::ColumnCount, Qt::Horizontal, Qt::DisplayRole).toString(), "Criticality");
    EXPECT_EQ(m->index(0, PlanModel::ColumnCount).data().toString(), "A");
    EXPECT_FALSE(m->flags(m->index(0, PlanModel::ColumnCount)) & Qt::ItemIsEditable);
    EXPECT_EQ(cell(w, 0, PlanModel::Location), "Halle S\u00fcd");
    auto* note = w.findChild<QLabel*>("labPlanEncoding");
    ASSERT_TRUE(note);
    EXPECT_FALSE(note->isHidden());
    EXPECT_TRUE(note->text().contains("Windows-1252"));
    // Saved: the same bytes where nothing changed, and a change in the same encoding.
    m->setData(m->index(0, PlanModel::Machine), "L\u00fcfter", Qt::EditRole);
    ASSERT_TRUE(w.save());
    const QByteArray saved = readFile(path);
    EXPECT_TRUE(saved.startsWith("Criticality;Id;Location;Speed;InstalledOn;Machine;")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("\r\nA;P-1;Halle S\xFC" "d;1480;2026-11-02;L\xFC" "fter;")) << saved.toStdString();
}

TEST_F(PlanWindowTest, TheReminderSettingGoesIntoTheCalendarAndIsKept) {
    TfrmPlan& w = open();
    EXPECT_EQ(w.remindDays(), 7);
    w.setRemindDays(3);
    const QString ics = dataRoot.filePath("plan.ics");
    ASSERT_TRUE(w.exportCalendar(ics));
    const QByteArray text = readFile(ics);
    EXPECT_TRUE(text.contains("TRIGGER:-P3D"));
    EXPECT_FALSE(text.contains("TRIGGER:-P7D"));
    quit();
    start();
    EXPECT_EQ(window->ShowPlanWindow()->remindDays(), 3);
}

TEST_F(PlanWindowTest, RecordedChangesBesideThePlantFileDateItsCartridges) {
    const QString path = copyOfExample();
    TfrmPlan& w = open(path);
    const int row = rowOf(w, "FAN-101 drive end");
    ASSERT_GE(row, 0);
    const plan::PointPlan before = w.model()->plan()[row];
    ASSERT_TRUE(before.nextChange && before.monthsPerCartridge > 1) << before.error;
    const QString shownBefore = cell(w, row, PlanModel::NextChange);

    // Changed on 1 December at a dial one month shorter than the plan gives.
    plan::ChangeRecord r;
    r.pointId = "FAN-101 drive end";
    r.date = *plan::parseIsoDate("2026-12-01");
    r.doneBy = "K. Lind";
    r.setting = std::to_string(before.monthsPerCartridge - 1);
    std::string error;
    ASSERT_TRUE(plan::appendHistory(plan::historyPathFor(QFile::encodeName(path).toStdString()), {r}, error)) << error;
    ASSERT_TRUE(w.openFile(path));
    const plan::PointPlan& after = w.model()->plan()[row];
    EXPECT_EQ(after.nextChange, plan::addMonths(r.date, before.monthsPerCartridge - 1));
    EXPECT_NE(cell(w, row, PlanModel::NextChange), shownBefore);
    EXPECT_TRUE(w.model()->index(row, 0).data(PlanModel::AttentionRole).toBool());
    EXPECT_TRUE(after.has(plan::Attention::SettingDiffers));

    // A history that is no history is said; the plan is made from the file alone.
    QFile f(QString::fromStdString(plan::historyPathFor(QFile::encodeName(path).toStdString())));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("Id,Sped\n");
    f.close();
    messages.errors.clear();
    ASSERT_TRUE(w.openFile(path));
    EXPECT_EQ(messages.errors.size(), 1);
    EXPECT_EQ(w.model()->plan()[row].nextChange, before.nextChange);
}
