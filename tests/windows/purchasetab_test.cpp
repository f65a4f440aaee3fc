// The plan window's "Cartridges to buy" tab with a stock list: started from the tab,
// edited in the table as a storekeeper does, written beside the plant file at once,
// and shown again after the program is started anew.
#include "../app/mainwindow_fixture.h"

#include "plan/plan.h"
#include "windows/planmodel.h"
#include "windows/planwindow.h"
#include "windows/purchasemodel.h"
#include "windows/purchasepage.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

using namespace unctora;

namespace {

const QString kExample = UNCTORA_SOURCE_DIR "/examples/plant.csv";

class PurchaseTabTest : public MainWindowTest {
protected:
    TfrmPlan& openPlan() {
        TfrmPlan* plan = window->ShowPlanWindow();
        plan->setDay(*plan::parseIsoDate("2026-12-10"));
        if (plan->fileName() != plantPath)
            EXPECT_TRUE(plan->openFile(plantPath)) << messages.errors.join('\n').toStdString();
        return *plan;
    }
    void copyExample() {
        plantPath = dataRoot.filePath("plant.csv");
        stockPath = dataRoot.filePath("plant.stock.csv");
        ASSERT_TRUE(QFile::copy(kExample, plantPath));
        QFile::setPermissions(plantPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    QByteArray stockOnDisk() const {
        QFile f(stockPath);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTableView* view(TfrmPlan& w) { return w.findChild<QTableView*>("sgPlanPurchases"); }
    // The row of the purchases table that lists this model and grease, as drawn.
    int rowOf(TfrmPlan& w, const QString& lubricator, const QString& grease) {
        QAbstractItemModel* m = view(w)->model();
        for (int r = 0; r < m->rowCount(); ++r)
            if (m->index(r, PurchaseModel::Lubricator).data().toString() == lubricator &&
                m->index(r, PurchaseModel::Grease).data().toString() == grease)
                return r;
        return -1;
    }
    QString shown(TfrmPlan& w, int row, int column) { return view(w)->model()->index(row, column).data().toString(); }
    // The dates of this item's changes as the changes tab lists them.
    std::vector<QDate> changeDates(TfrmPlan& w, const QString& lubricator, const QString& grease) {
        QAbstractItemModel* m = w.findChild<QTableView*>("sgPlanChanges")->model();
        std::vector<QDate> out;
        for (int r = 0; r < m->rowCount(); ++r)
            if (m->index(r, 4).data().toString() == lubricator && m->index(r, 5).data().toString() == grease)
                out.push_back(QDate::fromString(m->index(r, 0).data().toString(), Qt::ISODate));
        return out;
    }

    QString plantPath, stockPath;
};

} // namespace

TEST_F(PurchaseTabTest, AStockListStartedAndEditedInTheTableIsKeptBesideThePlantFile) {
    copyExample();
    start();
    TfrmPlan& w = openPlan();
    // A plant without a stock list: the five columns of before, and the button.
    ASSERT_TRUE(view(w));
    EXPECT_EQ(view(w)->model()->columnCount(), 5);
    auto* keep = w.findChild<QPushButton*>("bnPlanKeepStock");
    ASSERT_TRUE(keep);
    EXPECT_FALSE(keep->isHidden());
    EXPECT_TRUE(keep->isEnabled());
    EXPECT_EQ(keep->text(), "Keep a stock list");
    EXPECT_FALSE(QFile::exists(stockPath));

    keep->click();
    EXPECT_TRUE(keep->isHidden());
    ASSERT_EQ(view(w)->model()->columnCount(), 9);
    EXPECT_EQ(view(w)->model()->headerData(PurchaseModel::OrderBy, Qt::Horizontal).toString(), "Order by");
    const QByteArray started = stockOnDisk();
    EXPECT_TRUE(started.startsWith("Lubricator,Grease,Stock,LeadTime_days\r\n")) << started.toStdString();
    EXPECT_TRUE(started.contains("\r\nVOXA 125,NVSU2,0,14\r\n")) << started.toStdString();

    // The storekeeper types 3 into the store of VOXA 125 with NVSU2 and presses Enter.
    const int row = rowOf(w, "VOXA 125", "NVSU2");
    ASSERT_GE(row, 0);
    const std::vector<QDate> dates = changeDates(w, "VOXA 125", "NVSU2");
    ASSERT_GT(dates.size(), 4u);
    EXPECT_EQ(shown(w, row, PurchaseModel::Cartridges).toInt(), static_cast<int>(dates.size()));
    w.show();
    QTableView* table = view(w);
    const QModelIndex store = table->model()->index(row, PurchaseModel::InStore);
    table->setCurrentIndex(store);
    table->edit(store);
    auto* editor = table->findChild<QSpinBox*>("spPlanStock");
    ASSERT_TRUE(editor);
    editor->selectAll();
    QTest::keyClicks(editor, "3");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents(); // the delegate commits the edit from the event loop
    EXPECT_EQ(shown(w, row, PurchaseModel::InStore), "3");
    EXPECT_TRUE(stockOnDisk().contains("\r\nVOXA 125,NVSU2,3,14\r\n")) << stockOnDisk().toStdString();
    // And 30 days of lead time.
    ASSERT_TRUE(table->model()->setData(table->model()->index(row, PurchaseModel::LeadTime), 30, Qt::EditRole));
    // A count out of range is not taken.
    EXPECT_FALSE(table->model()->setData(table->model()->index(row, PurchaseModel::LeadTime), 731, Qt::EditRole));
    EXPECT_TRUE(stockOnDisk().contains("\r\nVOXA 125,NVSU2,3,30\r\n")) << stockOnDisk().toStdString();
    // Three in store serve the first three changes: the fourth is ordered 30 days ahead.
    const QDate orderBy = dates[3].addDays(-30);
    EXPECT_EQ(shown(w, row, PurchaseModel::OrderBy),
              orderBy < QDate(2026, 12, 10) ? "Overdue since " + orderBy.toString(Qt::ISODate)
                                             : orderBy.toString(Qt::ISODate));
    EXPECT_EQ(shown(w, row, PurchaseModel::ToOrder).toInt(), static_cast<int>(dates.size()) - 3);
    const QString orderShown = shown(w, row, PurchaseModel::OrderBy);

    // An item whose first change is overdue and nothing in store: ordering is late.
    const int late = rowOf(w, "TENO 125", "NVSU2");
    ASSERT_GE(late, 0);
    const std::vector<QDate> lateDates = changeDates(w, "TENO 125", "NVSU2");
    ASSERT_FALSE(lateDates.empty());
    ASSERT_LT(lateDates[0], QDate(2026, 12, 10));
    EXPECT_EQ(shown(w, late, PurchaseModel::OrderBy),
              "Overdue since " + lateDates[0].addDays(-14).toString(Qt::ISODate));
    EXPECT_EQ(view(w)->model()->index(late, PurchaseModel::OrderBy).data(Qt::BackgroundRole).value<QColor>(),
              PlanModel::statusColour(plan::PointStatus::Overdue));

    // Started anew, the plan opens its plant file again with its stock list.
    quit();
    EXPECT_TRUE(stockOnDisk().contains("\r\nVOXA 125,NVSU2,3,30\r\n"));
    start();
    TfrmPlan& again = openPlan();
    EXPECT_EQ(again.fileName(), plantPath);
    const int after = rowOf(again, "VOXA 125", "NVSU2");
    ASSERT_GE(after, 0);
    EXPECT_EQ(shown(again, after, PurchaseModel::InStore), "3");
    EXPECT_EQ(shown(again, after, PurchaseModel::LeadTime), "30");
    EXPECT_EQ(shown(again, after, PurchaseModel::OrderBy), orderShown);
    EXPECT_TRUE(again.findChild<QPushButton*>("bnPlanKeepStock")->isHidden());
    EXPECT_TRUE(messages.errors.isEmpty()) << messages.errors.join('\n').toStdString();
}

TEST_F(PurchaseTabTest, BadRowsAreSaidAndKeptAndAListThatCannotBeReadIsNotWritten) {
    copyExample();
    {
        QFile f(dataRoot.filePath("plant.stock.csv"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Lubricator,Grease,Stock,LeadTime_days,Shelf\r\nVOXA 125,NVSU2,lots,14,A1\r\nVOXA 61,NVTE2,1,1,A2\r\n");
    }
    start();
    TfrmPlan& w = openPlan();
    ASSERT_EQ(messages.errors.size(), 1);
    EXPECT_EQ(messages.errors[0].toStdString(),
              "Some rows of plant.stock.csv are not used; they stay in the file as they are:\n"
              "Line 2: Column Stock: \"lots\" is not a whole number of cartridges from 0 to 100000.\n"
              "Line 3: Column Lubricator: \"VOXA 61\" is not a lubricator model.");
    const int row = rowOf(w, "VOXA 125", "NVSU2");
    ASSERT_GE(row, 0);
    EXPECT_EQ(shown(w, row, PurchaseModel::InStore), "0");
    // Set in the table: the row that named the item takes the count, its shelf kept;
    // the row that does not read stays as it was.
    ASSERT_TRUE(view(w)->model()->setData(view(w)->model()->index(row, PurchaseModel::InStore), 2, Qt::EditRole));
    EXPECT_EQ(stockOnDisk(),
              "Lubricator,Grease,Stock,LeadTime_days,Shelf\r\nVOXA 125,NVSU2,2,14,A1\r\nVOXA 61,NVTE2,1,1,A2\r\n");

    // What a spreadsheet wrote meanwhile is kept by the next edit in the table.
    {
        QFile f(stockPath);
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write("TENO 125,NVSU2,6,9,C1\r\n");
    }
    ASSERT_TRUE(view(w)->model()->setData(view(w)->model()->index(row, PurchaseModel::LeadTime), 20, Qt::EditRole));
    EXPECT_EQ(stockOnDisk(), "Lubricator,Grease,Stock,LeadTime_days,Shelf\r\nVOXA 125,NVSU2,2,20,A1\r\n"
                             "VOXA 61,NVTE2,1,1,A2\r\nTENO 125,NVSU2,6,9,C1\r\n");

    // A list whose header is not a stock list's: said, and not replaced by a new one.
    messages.errors.clear();
    const QByteArray notOurs = "Lubricator,Grease,Count\r\nVOXA 125,NVSU2,2\r\n";
    {
        QFile f(stockPath);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(notOurs);
    }
    ASSERT_TRUE(w.openFile(plantPath));
    ASSERT_EQ(messages.errors.size(), 1);
    EXPECT_TRUE(messages.errors[0].contains("does not name the columns")) << messages.errors[0].toStdString();
    EXPECT_EQ(view(w)->model()->columnCount(), 5);
    EXPECT_FALSE(w.findChild<QPushButton*>("bnPlanKeepStock")->isEnabled());
    EXPECT_FALSE(w.findChild<PurchasePage*>()->keepStock());
    EXPECT_EQ(stockOnDisk(), notOurs);

    // A stock list that is a folder: said once, nothing to edit, nothing written.
    messages.errors.clear();
    ASSERT_TRUE(QFile::remove(stockPath));
    ASSERT_TRUE(QDir().mkdir(stockPath));
    ASSERT_TRUE(w.openFile(plantPath));
    ASSERT_EQ(messages.errors.size(), 1);
    EXPECT_TRUE(messages.errors[0].contains("plant.stock.csv")) << messages.errors[0].toStdString();
    EXPECT_EQ(view(w)->model()->columnCount(), 5);
    EXPECT_FALSE(w.findChild<PurchasePage*>()->keepStock());
    EXPECT_EQ(messages.errors.size(), 2);
    EXPECT_EQ(view(w)->model()->columnCount(), 5);
    EXPECT_TRUE(QFileInfo(stockPath).isDir());
}
