// The plant plan window's File → Print route… and File → Print labels…, driven from
// the menu as a user drives them: the dialog answered, the PDF read back with
// pdftotext, the labels' codes read back with zbarimg, the choices kept across a restart.
#include "../app/mainwindow_fixture.h"

#include "plan/plantfile.h"
#include "windows/planmodel.h"
#include "windows/planwindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace unctora;

namespace {

const QString kExample = UNCTORA_SOURCE_DIR "/examples/plant.csv";

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(120000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

class PlanPrintTest : public MainWindowTest {
protected:
    TfrmPlan& open() {
        start();
        TfrmPlan* plan = window->ShowPlanWindow();
        plan->setDay(*plan::parseIsoDate("2026-12-10"));
        EXPECT_TRUE(plan->openFile(kExample)) << messages.errors.join('\n').toStdString();
        return *plan;
    }
    // Triggers a menu action of the window; the dialog it opens is handed to `answer`,
    // then closed with OK (or Cancel). Returns whether a dialog came.
    bool triggerWithDialog(TfrmPlan& w, const char* action, const std::function<void(QDialog&)>& answer,
                           bool ok = true) {
        bool came = false;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!d)
                return;
            came = true;
            answer(*d);
            ok ? d->accept() : d->reject();
        });
        QAction* a = w.findChild<QAction*>(action);
        EXPECT_TRUE(a) << action;
        if (a)
            a->trigger();
        // Without a dialog the answer has nothing to do, and must not wait for a later one.
        QCoreApplication::processEvents();
        return came;
    }
    // The Ids of the work-order CSV of the same plant, day and days, in their order.
    QStringList routeIds(int days, const QString& location = {}) {
        const QString csv = run(UNCTORA_CALC, {"route", kExample, "--from", "2026-12-10", "--days",
                                               QString::number(days)});
        QStringList ids;
        for (const QString& line : csv.split("\r\n", Qt::SkipEmptyParts).mid(1)) {
            const QStringList f = line.split(',');
            if (location.isEmpty() || f.value(1) == location)
                ids << f.value(0);
        }
        return ids;
    }
    // The Ids on a route sheet, in the order printed.
    static QStringList sheetIds(const QString& text, const QStringList& known) {
        QList<QPair<qsizetype, QString>> at;
        for (const QString& id : known)
            for (qsizetype i = text.indexOf(id); i >= 0; i = text.indexOf(id, i + 1))
                // "GBX-7 input shaft" is not "GBX-7": each Id is followed by its due date.
                if (QRegularExpression("^" + QRegularExpression::escape(id) + "\\s+(Due|Overdue since):")
                        .match(text.mid(i, id.size() + 300))
                        .hasMatch())
                    at.append({i, id});
        std::sort(at.begin(), at.end());
        QStringList out;
        for (const auto& p : at)
            out << p.second;
        return out;
    }
    QStringList allIds(TfrmPlan& w) {
        QStringList ids;
        for (const auto& p : w.model()->file().points)
            ids << QString::fromStdString(p.cell(plan::OwnColumn::Id));
        return ids;
    }
    // The QR codes on every page of a PDF, decoded.
    QStringList decodedLabels(const QString& pdf) {
        QTemporaryDir dir;
        run("pdftoppm", {"-r", "300", "-gray", "-png", pdf, dir.filePath("sheet")});
        QStringList pngs;
        for (const QString& f : QDir(dir.path()).entryList({"sheet*.png"}, QDir::Files, QDir::Name))
            pngs << dir.filePath(f);
        if (pngs.isEmpty())
            return {};
        QStringList codes =
            run("zbarimg", QStringList{"--raw", "-q", "-Sdisable", "-Sqrcode.enable"} + pngs).split('\n', Qt::SkipEmptyParts);
        codes.sort();
        return codes;
    }
    static QString keptPrints() { return qEnvironmentVariable("UNCTORA_KEEP_PRINTS"); }
    void keep(const QString& pdf, const QString& name) {
        if (!keptPrints().isEmpty()) {
            QFile::remove(QDir(keptPrints()).filePath(name));
            QFile::copy(pdf, QDir(keptPrints()).filePath(name));
        }
    }
    QByteArray settings() { return readSettings(); }
    void keepImage(QWidget& w, const QString& name) {
        if (!keptPrints().isEmpty())
            w.grab().save(QDir(keptPrints()).filePath(name));
    }
};

} // namespace

TEST_F(PlanPrintTest, RouteSheetFromTheMenuGroupedAndFiltered) {
    TfrmPlan& w = open();
    QAction* print = w.findChild<QAction*>("miPlanPrint");
    QAction* route = w.findChild<QAction*>("miPlanPrintRoute");
    ASSERT_TRUE(print && route);
    // In the File menu right below Print…
    const QList<QAction*> file = w.findChild<QMenu*>("mnuPlanFile")->actions();
    EXPECT_EQ(file.indexOf(route), file.indexOf(print) + 1);
    EXPECT_EQ(route->text(), "Print &route…");

    messages.pdfPath = dataRoot.filePath("route.pdf");
    int asked = -1;
    ASSERT_TRUE(triggerWithDialog(w, "miPlanPrintRoute", [&](QDialog& d) {
        auto* days = d.findChild<QSpinBox*>("spPlanRouteDays");
        ASSERT_TRUE(days);
        asked = days->value();
        EXPECT_FALSE(d.findChild<QLabel*>("labPlanRouteNote")->text().contains("filter"));
        days->setValue(120);
    }));
    EXPECT_EQ(asked, 7); // the first time: a week
    EXPECT_EQ(messages.printDialogs, 1);
    ASSERT_GT(QFileInfo(messages.pdfPath).size(), 1000) << messages.errors.join('\n').toStdString();
    keep(messages.pdfPath, "route.pdf");
    const QString all = run("pdftotext", {"-layout", messages.pdfPath, "-"});
    const QStringList pages = all.split('\f', Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 2);
    // What the work orders list, in their order: by location, then machine, in the
    // plant file's order; a line to sign on every page.
    const QStringList expected = routeIds(120);
    ASSERT_EQ(expected.size(), 17);
    EXPECT_EQ(sheetIds(all, allIds(w)).join(" | ").toStdString(), expected.join(" | ").toStdString());
    for (const QString& page : pages) {
        EXPECT_EQ(page.count("Signature:"), 1) << page.toStdString();
        EXPECT_EQ(page.count(QRegularExpression("Page \\d of " + QString::number(pages.size()))), 1);
    }
    EXPECT_TRUE(all.contains("Changes due from 2026-12-10 to 2027-04-08"));
    EXPECT_TRUE(all.contains(QRegularExpression("WHEEL-5 crane wheel\\s+Overdue since: 2026-10-24")));
    EXPECT_TRUE(all.contains(QRegularExpression("Setting: 1\\s+Grease: NVSU2\\s+Lubricator: VOXA 125")));
    EXPECT_EQ(all.count("Remarks:"), 17);

    // The filter applies: one location, its machines in their order; the dialog says so
    // and offers the days chosen last.
    QTest::keyClicks(w.findChild<QLineEdit*>("edPlanFilter"), "Mill line 2");
    messages.pdfPath = dataRoot.filePath("mill.pdf");
    QString note;
    ASSERT_TRUE(triggerWithDialog(w, "miPlanPrintRoute", [&](QDialog& d) {
        asked = d.findChild<QSpinBox*>("spPlanRouteDays")->value();
        note = d.findChild<QLabel*>("labPlanRouteNote")->text();
    }));
    EXPECT_EQ(asked, 120);
    EXPECT_TRUE(note.contains("Only the points the filter shows are on the route.")) << note.toStdString();
    const QString mill = run("pdftotext", {"-layout", messages.pdfPath, "-"});
    EXPECT_EQ(sheetIds(mill, allIds(w)).join(" | ").toStdString(),
              routeIds(120, "Mill line 2").join(" | ").toStdString());
    EXPECT_EQ(routeIds(120, "Mill line 2").size(), 5);
    for (const char* other : {"Boiler house", "Kiln 3", "Crane bay", "Raw material conveyors"})
        EXPECT_FALSE(mill.contains(other)) << other;
    const qsizetype gbx = mill.indexOf(QRegularExpression("^\\s*GBX-7$", QRegularExpression::MultilineOption)),
                    mot55 = mill.indexOf(QRegularExpression("^\\s*MOT-55$", QRegularExpression::MultilineOption)),
                    mot61 = mill.indexOf(QRegularExpression("^\\s*MOT-61$", QRegularExpression::MultilineOption));
    EXPECT_TRUE(gbx > 0 && gbx < mot55 && mot55 < mot61) << mill.toStdString();

    // Cancelled: neither the printer is asked for nor anything printed.
    const int dialogs = messages.printDialogs;
    messages.pdfPath = dataRoot.filePath("cancelled.pdf");
    EXPECT_TRUE(triggerWithDialog(w, "miPlanPrintRoute", [](QDialog&) {}, false));
    EXPECT_EQ(messages.printDialogs, dialogs);
    EXPECT_FALSE(QFileInfo::exists(messages.pdfPath));

    // The days are kept in the settings file and offered again after a restart.
    EXPECT_TRUE(settings().contains("RouteDays=120")) << settings().toStdString();
    quit();
    TfrmPlan& again = open();
    messages.pdfPath = dataRoot.filePath("again.pdf");
    ASSERT_TRUE(triggerWithDialog(again, "miPlanPrintRoute",
                                  [&](QDialog& d) { asked = d.findChild<QSpinBox*>("spPlanRouteDays")->value(); }));
    EXPECT_EQ(asked, 120);
}

TEST_F(PlanPrintTest, LabelsFromTheMenuScanBackToTheirPoints) {
    TfrmPlan& w = open();
    QTableView* view = w.pointsView();
    view->sortByColumn(PlanModel::Id, Qt::AscendingOrder);
    // Three points picked out of the list, as Ctrl+click picks them.
    QStringList picked;
    for (int r : {2, 9, 20}) {
        view->selectionModel()->select(view->model()->index(r, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        picked << view->model()->index(r, PlanModel::Id).data().toString();
    }
    picked.sort();
    messages.pdfPath = dataRoot.filePath("labels.pdf");
    QString which;
    ASSERT_TRUE(triggerWithDialog(w, "miPlanPrintLabels", [&](QDialog& d) {
        which = d.findChild<QLabel*>("labPlanLabelWhich")->text();
        auto* sheet = d.findChild<QComboBox*>("cbPlanLabelLayout");
        ASSERT_EQ(sheet->count(), 4);
        EXPECT_EQ(sheet->currentIndex(), 0); // A4 3 × 8 for the test's locale
        sheet->setCurrentIndex(1);           // A4 2 × 7
        auto* first = d.findChild<QSpinBox*>("spPlanLabelFirst");
        EXPECT_EQ(first->maximum(), 14);
        first->setValue(13); // two labels left on a used sheet: the third goes on a new one
    }));
    EXPECT_EQ(which, "3 labels, one for each selected point.");
    ASSERT_TRUE(messages.errors.isEmpty()) << messages.errors.join('\n').toStdString();
    const QStringList scanned = decodedLabels(messages.pdfPath);
    EXPECT_EQ(scanned.join(" | ").toStdString(), picked.join(" | ").toStdString());
    // A scanner types a code into the filter: that point, and only it, is selected
    // (also where another Id begins with it).
    auto* filter = w.findChild<QLineEdit*>("edPlanFilter");
    for (const QString& id : scanned) {
        SCOPED_TRACE(id.toStdString());
        filter->clear();
        QTest::keyClicks(filter, id);
        QTest::keyClick(filter, Qt::Key_Return);
        const QModelIndexList selected = view->selectionModel()->selectedRows();
        ASSERT_EQ(selected.size(), 1);
        EXPECT_EQ(selected[0].siblingAtColumn(PlanModel::Id).data().toString(), id);
        ASSERT_GE(w.currentRow(), 0);
        EXPECT_EQ(QString::fromStdString(w.model()->file().points[std::size_t(w.currentRow())].cell(plan::OwnColumn::Id)),
                  id);
    }
    filter->clear();
    QTest::keyClicks(filter, "FAN-101");
    EXPECT_EQ(view->model()->rowCount(), 2);
    QTest::keyClicks(filter, " drive end");
    ASSERT_EQ(view->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(view->selectionModel()->selectedRows()[0].siblingAtColumn(PlanModel::Id).data().toString(),
              "FAN-101 drive end");
    filter->clear();
    const QString info = run("pdfinfo", {messages.pdfPath});
    EXPECT_TRUE(info.contains("Pages:           2")) << info.toStdString();
    EXPECT_TRUE(info.contains("(A4)")) << info.toStdString();
    // Each label carries its point's texts beside the code.
    const QString words = run("pdftotext", {"-layout", messages.pdfPath, "-"});
    for (const QString& id : picked)
        EXPECT_TRUE(words.contains(id)) << id.toStdString();

    // Nothing selected: every point the filter shows gets one, and the dialog says so.
    view->clearSelection();
    QTest::keyClicks(w.findChild<QLineEdit*>("edPlanFilter"), "pump");
    QStringList shown;
    for (int r = 0; r < view->model()->rowCount(); ++r)
        shown << view->model()->index(r, PlanModel::Id).data().toString();
    shown.sort();
    ASSERT_GE(shown.size(), 4);
    messages.pdfPath = dataRoot.filePath("pumps.pdf");
    int offered = -1;
    ASSERT_TRUE(triggerWithDialog(w, "miPlanPrintLabels", [&](QDialog& d) {
        which = d.findChild<QLabel*>("labPlanLabelWhich")->text();
        offered = d.findChild<QComboBox*>("cbPlanLabelLayout")->currentIndex();
    }));
    EXPECT_EQ(offered, 1); // the sheet chosen last
    EXPECT_EQ(which, QString("No point is selected: %1 labels, one for each point the filter shows.").arg(shown.size()));
    EXPECT_EQ(decodedLabels(messages.pdfPath).join(" | ").toStdString(), shown.join(" | ").toStdString());

    // Every point of the plan, on the default sheet: kept for the README's picture.
    w.findChild<QLineEdit*>("edPlanFilter")->clear();
    messages.pdfPath = dataRoot.filePath("all-labels.pdf");
    ASSERT_TRUE(triggerWithDialog(w, "miPlanPrintLabels", [&](QDialog& d) {
        which = d.findChild<QLabel*>("labPlanLabelWhich")->text();
        d.findChild<QComboBox*>("cbPlanLabelLayout")->setCurrentIndex(0);
    }));
    EXPECT_EQ(which, "No point is selected: 32 labels, one for each point of the plan.");
    QStringList all = allIds(w);
    all.sort();
    EXPECT_EQ(decodedLabels(messages.pdfPath).join(" | ").toStdString(), all.join(" | ").toStdString());
    keep(messages.pdfPath, "labels.pdf");
    EXPECT_TRUE(settings().contains("LabelLayout=0")) << settings().toStdString();
}

TEST_F(PlanPrintTest, TheDefaultSheetIsOfTheLocalesPaper) {
    // A locale whose paper is Letter, made for the test (the machine may have none).
    QTemporaryDir locales;
    if (QProcess::execute("localedef", {"-i", "en_US", "-f", "UTF-8", locales.filePath("en_US.UTF-8")}) < 0 ||
        !QFileInfo::exists(locales.filePath("en_US.UTF-8/LC_PAPER")))
        GTEST_SKIP() << "no locale with Letter paper can be made here";
    const QByteArray oldPath = qgetenv("LOCPATH"), oldPaper = qgetenv("LC_PAPER");
    qputenv("LOCPATH", locales.path().toLocal8Bit());
    qputenv("LC_PAPER", "en_US.UTF-8");
    TfrmPlan& w = open();
    int offered = -1;
    triggerWithDialog(w, "miPlanPrintLabels",
                      [&](QDialog& d) { offered = d.findChild<QComboBox*>("cbPlanLabelLayout")->currentIndex(); }, false);
    oldPath.isNull() ? qunsetenv("LOCPATH") : qputenv("LOCPATH", oldPath);
    oldPaper.isNull() ? qunsetenv("LC_PAPER") : qputenv("LC_PAPER", oldPaper);
    EXPECT_EQ(offered, 2); // Letter, 3 × 10
}

TEST_F(PlanPrintTest, WhatCannotBeLabelledIsSaidAndNothingPrinted) {
    TfrmPlan& w = open();
    QTest::keyClicks(w.findChild<QLineEdit*>("edPlanFilter"), "no such point anywhere");
    messages.pdfPath = dataRoot.filePath("none.pdf");
    QAction* labels = w.findChild<QAction*>("miPlanPrintLabels");
    labels->trigger();
    EXPECT_EQ(messages.messages.value(0), "No point is shown: there is nothing to label.");
    EXPECT_EQ(messages.printDialogs, 0);

    // A point whose Id cannot be coded: the others are not printed half-way either.
    w.findChild<QLineEdit*>("edPlanFilter")->clear();
    w.model()->setData(w.model()->index(3, PlanModel::Id), QString(3000, QChar('x')), Qt::EditRole);
    ASSERT_TRUE(triggerWithDialog(w, "miPlanPrintLabels", [](QDialog&) {}));
    EXPECT_EQ(messages.errors.value(0), "The Id " + QString(3000, QChar('x')) + " is too long for a QR code.");
    EXPECT_FALSE(QFileInfo::exists(messages.pdfPath));
}

TEST_F(PlanPrintTest, ShiftPrintsWithoutAskingAndSaysWhenThereIsNoPrinter) {
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        GTEST_SKIP() << "this machine has a printer";
    TfrmPlan& w = open();
    w.show();
    for (const char* action : {"miPlanPrintRoute", "miPlanPrintLabels"}) {
        SCOPED_TRACE(action);
        const qsizetype errors = messages.errors.size();
        QTest::keyPress(&w, Qt::Key_Shift, Qt::ShiftModifier);
        const bool dialog = triggerWithDialog(w, action, [](QDialog&) {}, false);
        QTest::keyRelease(&w, Qt::Key_Shift, Qt::NoModifier);
        EXPECT_FALSE(dialog);
        EXPECT_EQ(messages.printDialogs, 0);
        ASSERT_EQ(messages.errors.size(), errors + 1);
        EXPECT_EQ(messages.errors.last(), "No printer is available. Install a printer to print this page.");
    }
}

TEST_F(PlanPrintTest, TheMenuAndTheDialogSpeakTheLanguage) {
    TfrmPlan& w = open();
    window->findChild<QAction*>("miRussian")->trigger();
    EXPECT_EQ(w.findChild<QAction*>("miPlanPrintRoute")->text(), "Печать &обхода…");
    EXPECT_EQ(w.findChild<QAction*>("miPlanPrintLabels")->text(), "Печать &этикеток…");
    messages.pdfPath = dataRoot.filePath("ru.pdf");
    QString title;
    ASSERT_TRUE(triggerWithDialog(w, "miPlanPrintRoute", [&](QDialog& d) {
        title = d.windowTitle();
        d.findChild<QSpinBox*>("spPlanRouteDays")->setValue(120);
        keepImage(d, "route-dialog-ru.png");
    }));
    EXPECT_EQ(title, "Печать обхода");
    keep(messages.pdfPath, "route-ru.pdf");
    const QString t = run("pdftotext", {"-layout", messages.pdfPath, "-"});
    EXPECT_TRUE(t.contains("Обход смазки")) << t.toStdString();
    EXPECT_TRUE(t.contains("Подпись:"));
    EXPECT_EQ(t.count("Примечания:"), 17);

    // The labels' dialog in Chinese: the sheets as the language file names them.
    window->findChild<QAction*>("miChinese")->trigger();
    messages.pdfPath = dataRoot.filePath("zh.pdf");
    QString which, sheet;
    ASSERT_TRUE(triggerWithDialog(w, "miPlanPrintLabels", [&](QDialog& d) {
        which = d.findChild<QLabel*>("labPlanLabelWhich")->text();
        sheet = d.findChild<QComboBox*>("cbPlanLabelLayout")->currentText();
        keepImage(d, "labels-dialog-zh.png");
    }, false));
    EXPECT_EQ(which, "未选中任何点：32 个标签，计划中的每个点一个。");
    EXPECT_EQ(sheet, "A4，3 × 8（70 × 36 mm）");
}
