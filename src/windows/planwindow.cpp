#include "windows/planwindow.h"

#include "app/messages.h"
#include "app/placement.h"
#include "app/printing.h"
#include "core/greases.h"
#include "files/fileio.h"
#include "files/regini.h"
#include "plan/calendar.h"
#include "reports/printlayout.h"
#include "strings/format.h"
#include "strings/itemlist.h"
#include "strings/keys.h"
#include "strings/stringtable.h"
#include "windows/planmodel.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

using namespace unctora;
namespace K = unctora::strings::keys;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

constexpr const char* kSection = "PlantPlan";

QTableView* makeList(const char* name, QAbstractItemModel* model) {
    auto* t = new QTableView;
    t->setObjectName(name);
    t->setModel(model);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setStretchLastSection(true);
    t->setAlternatingRowColors(true);
    return t;
}

} // namespace

TfrmPlan::TfrmPlan(Context context, QWidget* parent)
    : QMainWindow(parent), m_ctx(std::move(context)), m_day(plan::today()) {
    setObjectName("frmPlan");
    setWindowFlag(Qt::Window);
    m_model = new PlanModel(this);
    m_model->setDay(m_day);
    m_filter = new PlanFilter(this);
    m_filter->setSourceModel(m_model);

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    auto* filterRow = new QHBoxLayout;
    m_filterLabel = new QLabel("Filter:");
    m_filterEdit = new QLineEdit;
    m_filterEdit->setObjectName("edPlanFilter");
    m_filterEdit->setClearButtonEnabled(true);
    m_filterLabel->setBuddy(m_filterEdit);
    m_show = new QComboBox;
    m_show->setObjectName("cbPlanShow");
    m_show->addItems({"All points", "Points that need attention"});
    filterRow->addWidget(m_filterLabel);
    filterRow->addWidget(m_filterEdit, 1);
    filterRow->addWidget(m_show);
    layout->addLayout(filterRow);

    m_tabs = new QTabWidget;
    m_tabs->setObjectName("pgPlan");
    m_points = new QTableView;
    m_points->setObjectName("tvPlanPoints");
    m_points->setModel(m_filter);
    m_points->setSortingEnabled(true);
    m_points->sortByColumn(PlanModel::NextChange, Qt::AscendingOrder);
    m_points->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_points->setAlternatingRowColors(true);
    m_points->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
    m_points->horizontalHeader()->setStretchLastSection(true);
    m_points->verticalHeader()->setDefaultSectionSize(22);
    m_tabs->addTab(m_points, "Points");
    auto* changesPage = new QWidget;
    auto* changesLayout = new QVBoxLayout(changesPage);
    m_period = new QLabel;
    m_period->setObjectName("labPlanPeriod");
    m_changeList = new PlanListModel(PlanListModel::Kind::Changes, m_model, this);
    m_purchaseList = new PlanListModel(PlanListModel::Kind::Purchases, m_model, this);
    m_changes = makeList("sgPlanChanges", m_changeList);
    changesLayout->addWidget(m_period);
    changesLayout->addWidget(m_changes);
    m_tabs->addTab(changesPage, "Cartridge changes");
    m_purchases = makeList("sgPlanPurchases", m_purchaseList);
    m_tabs->addTab(m_purchases, "Cartridges to buy");
    layout->addWidget(m_tabs, 1);
    setCentralWidget(central);
    m_summary = new QLabel;
    m_summary->setObjectName("labPlanSummary");
    statusBar()->addWidget(m_summary, 1);

    createActions();
    connect(m_filterEdit, &QLineEdit::textChanged, m_filter, &PlanFilter::setText);
    connect(m_show, &QComboBox::currentIndexChanged, this, [this](int i) { m_filter->setAttentionOnly(i == 1); });
    connect(m_model, &PlanModel::planChanged, this, &TfrmPlan::updateLists);
    connect(m_model, &PlanModel::modifiedChanged, this, &TfrmPlan::updateTitle);
    connect(m_points->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TfrmPlan::updateActions);
    connect(m_points, &QTableView::activated, this, [this](const QModelIndex& i) {
        // Enter or a double-click on a computed column opens the point in the calculator.
        if (!(m_model->flags(m_filter->mapToSource(i)) & Qt::ItemIsEditable))
            editInCalculator();
    });

    resize(980, 560);
    if (!m_ctx.settingsFile.isEmpty())
        app::RestoreWindowPlacement(*this, m_ctx.settingsFile.toStdString(), "frmPlan", true);
    applyLanguage();
    applyUnits();
    updateLists();
    updateActions();
    // The plant file of the last session opens again.
    if (!m_ctx.settingsFile.isEmpty()) {
        files::TStRegIni ini(m_ctx.settingsFile.toStdString(), true);
        ini.Section = kSection;
        const QString last = qs(ini.ReadString("File", ""));
        if (!last.isEmpty() && QFileInfo::exists(last))
            openFile(last);
    }
}

TfrmPlan::~TfrmPlan() {
    if (m_ctx.settingsFile.isEmpty())
        return;
    try {
        app::SaveWindowPlacement(*this, m_ctx.settingsFile.toStdString(), "frmPlan", true);
        files::TStRegIni ini(m_ctx.settingsFile.toStdString(), true);
        ini.Section = kSection;
        ini.WriteString("File", m_path.toStdString());
    } catch (const std::exception& e) {
        if (m_ctx.messages)
            m_ctx.messages->showError(QString::fromStdString(e.what()));
    }
}

void TfrmPlan::createActions() {
    m_actions.file = menuBar()->addMenu("&File");
    m_actions.file->setObjectName("mnuPlanFile");
    auto add = [this](QMenu* menu, const char* name, QKeySequence keys, auto slot) {
        QAction* a = menu->addAction(name);
        a->setObjectName(name);
        if (!keys.isEmpty())
            a->setShortcut(keys);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    m_actions.newPlan = add(m_actions.file, "miPlanNew", QKeySequence::New, [this] {
        if (maybeSave())
            newPlan();
    });
    m_actions.open = add(m_actions.file, "miPlanOpen", QKeySequence::Open, [this] {
        if (!maybeSave() || !m_ctx.messages)
            return;
        const QString path = m_ctx.messages->chooseFile(MessageSink::FileMode::Open, text("strPlanOpen").remove('&'),
                                                        text("strPlanCsvFiles") + " (*.csv)", m_path);
        if (!path.isEmpty())
            openFile(path);
    });
    m_actions.save = add(m_actions.file, "miPlanSave", QKeySequence::Save, [this] { save(); });
    m_actions.saveAs = add(m_actions.file, "miPlanSaveAs", QKeySequence::SaveAs, [this] { saveAs({}); });
    m_actions.file->addSeparator();
    m_actions.exportIcs = add(m_actions.file, "miPlanExportIcs", QKeySequence(), [this] { exportCalendar({}); });
    m_actions.print = add(m_actions.file, "miPlanPrint", QKeySequence::Print, [this] { print(); });
    m_actions.file->addSeparator();
    m_actions.close = add(m_actions.file, "miPlanClose", QKeySequence::Close, [this] { close(); });

    m_actions.points = menuBar()->addMenu("P&oints");
    m_actions.points->setObjectName("mnuPlanPoints");
    m_actions.add = add(m_actions.points, "miPlanAdd", QKeySequence(Qt::CTRL | Qt::Key_Plus), [this] { addPoint(); });
    m_actions.duplicate =
        add(m_actions.points, "miPlanDuplicate", QKeySequence(Qt::CTRL | Qt::Key_D), [this] { duplicatePoint(); });
    m_actions.remove = add(m_actions.points, "miPlanDelete", QKeySequence::Delete, [this] { deletePoints(); });
    // Delete belongs to the cell editor while one is open.
    m_actions.remove->setShortcutContext(Qt::WidgetShortcut);
    m_points->addAction(m_actions.remove);
    m_actions.points->addSeparator();
    m_actions.edit = add(m_actions.points, "miPlanEdit", QKeySequence(Qt::CTRL | Qt::Key_E), [this] { editInCalculator(); });
    m_actions.store =
        add(m_actions.points, "miPlanStore", QKeySequence(Qt::CTRL | Qt::Key_R), [this] { storeFromCalculator(); });
}

QString TfrmPlan::text(const char* key) const {
    const strings::StringTable* t = m_ctx.table ? m_ctx.table() : nullptr;
    return t ? qs(strings::LangStr(t, key)) : QString();
}

QStringList TfrmPlan::items(const char* key) const {
    QStringList out;
    for (const std::string& s : strings::parseItemList(text(key).toStdString()))
        out << qs(s);
    return out;
}

void TfrmPlan::applyLanguage() {
    if (!m_ctx.table || !m_ctx.table())
        return;
    m_actions.file->setTitle(text("strPlanFile"));
    m_actions.newPlan->setText(text("strPlanNew"));
    m_actions.open->setText(text("strPlanOpen"));
    m_actions.save->setText(text("strPlanSave"));
    m_actions.saveAs->setText(text("strPlanSaveAs"));
    m_actions.exportIcs->setText(text("strPlanExportIcs"));
    m_actions.print->setText(text("strPlanPrint"));
    m_actions.close->setText(text("strPlanClose"));
    m_actions.points->setTitle(text("strPlanPointsMenu"));
    m_actions.add->setText(text("strPlanAdd"));
    m_actions.duplicate->setText(text("strPlanDuplicate"));
    m_actions.remove->setText(text("strPlanDelete"));
    m_actions.edit->setText(text("strPlanEdit"));
    m_actions.store->setText(text("strPlanStore"));
    m_filterLabel->setText(text("strPlanFilter"));
    const int shown = m_show->currentIndex();
    const QStringList show = items("strPlanShowItems");
    for (int i = 0; i < m_show->count() && i < show.size(); ++i)
        m_show->setItemText(i, show[i]);
    m_show->setCurrentIndex(shown);
    m_tabs->setTabText(0, text("strPlanTabPoints"));
    m_tabs->setTabText(1, text("strPlanTabChanges"));
    m_tabs->setTabText(2, text("strPlanTabPurchases"));
    PlanModel::Texts t;
    t.headers = items("strPlanColumnItems");
    t.statuses = items("strPlanStatusItems");
    t.attention = items("strPlanAttentionItems");
    t.outOfRange = text("strPlanOutOfRange");
    t.table = m_ctx.table();
    t.unspecified = text("strUnspecified");
    t.gram = text("strGram");
    t.ounce = text("stroz");
    t.perYear = QString();
    m_model->setTexts(t);
    m_kept.title = text("strPlanTitle");
    m_kept.untitled = text("strPlanUntitled");
    m_kept.unsaved = text("strPlanUnsaved");
    m_points->setAccessibleName(text("strPlanTabPoints"));
    m_changes->setAccessibleName(text("strPlanTabChanges"));
    m_purchases->setAccessibleName(text("strPlanTabPurchases"));
    m_filterEdit->setAccessibleName(text("strPlanFilter").remove(':'));
    m_show->setAccessibleName(text("strPlanFilter").remove(':'));
    fitColumns();
    updateTitle();
    updateLists();
}

void TfrmPlan::fitColumns() {
    // As wide as the texts of the first rows, but no column so wide that the dates and
    // statuses end up out of sight; a header that is cut shows its text as a tip.
    m_points->horizontalHeader()->setResizeContentsPrecision(100);
    m_points->resizeColumnsToContents();
    for (int c = 0; c < m_model->columnCount(); ++c)
        m_points->setColumnWidth(c, std::min(m_points->columnWidth(c), 190));
}

void TfrmPlan::applyUnits() { m_model->setUnits(m_ctx.units ? m_ctx.units() : core::Units::SI); }

void TfrmPlan::setDay(plan::Date day) {
    m_day = day;
    m_model->setDay(day);
}

void TfrmPlan::updateTitle() {
    const QString name = m_path.isEmpty() ? m_kept.untitled : QFileInfo(m_path).fileName();
    setWindowTitle(m_kept.title + " \u2013 " + name + (m_model->modified() ? " *" : ""));
}

void TfrmPlan::updateLists() {
    m_changeList->setHeaders(items("strPlanChangeItems"));
    m_purchaseList->setHeaders(items("strPlanPurchaseItems"));
    m_changeList->refresh(m_day, 12);
    m_purchaseList->refresh(m_day, 12);
    // Sized on what is shown, not on every row of a large plant.
    for (QTableView* t : {m_changes, m_purchases}) {
        t->horizontalHeader()->setResizeContentsPrecision(50);
        t->resizeColumnsToContents();
    }
    const auto& points = m_model->plan();
    int attention = 0;
    for (const plan::PointPlan& p : points)
        attention += p.needsAttention();
    const std::string summary = text("strPlanSummary").toStdString();
    const std::string period = text("strPlanPeriod").toStdString();
    try {
        m_summary->setText(qs(strings::format(summary, {static_cast<int>(points.size()), attention})));
        m_period->setText(qs(strings::format(period, {plan::isoDate(m_day)})));
    } catch (const std::exception&) {
        // A damaged template: the numbers alone rather than no status at all.
        m_summary->setText(QString("%1 / %2").arg(points.size()).arg(attention));
        m_period->setText(qs(plan::isoDate(m_day)));
    }
}

void TfrmPlan::updateActions() {
    const bool one = currentRow() >= 0;
    m_actions.duplicate->setEnabled(one);
    m_actions.remove->setEnabled(one);
    m_actions.edit->setEnabled(one);
    m_actions.store->setEnabled(one && m_ctx.calculatorInputs != nullptr);
}

int TfrmPlan::currentRow() const {
    const QModelIndex i = m_points->currentIndex();
    return i.isValid() ? m_filter->mapToSource(i).row() : -1;
}

void TfrmPlan::selectRow(int modelRow) {
    const QModelIndex i = m_filter->mapFromSource(m_model->index(modelRow, PlanModel::Id));
    if (!i.isValid())
        return;
    m_points->setCurrentIndex(i);
    m_points->selectRow(i.row());
    m_points->scrollTo(i);
}

void TfrmPlan::newPlan() {
    m_model->setFile({});
    m_path.clear();
    updateTitle();
}

bool TfrmPlan::openFile(const QString& path) {
    plan::PlantFile file;
    std::string error;
    if (!plan::readPlantFile(QFile::encodeName(path).toStdString(), file, error)) {
        if (m_ctx.messages)
            m_ctx.messages->showError(qs(error));
        return false;
    }
    m_model->setFile(std::move(file));
    m_path = path;
    fitColumns();
    updateTitle();
    return true;
}

bool TfrmPlan::save() { return m_path.isEmpty() ? saveAs({}) : saveAs(m_path); }

bool TfrmPlan::saveAs(const QString& given) {
    QString path = given;
    if (path.isEmpty() && m_ctx.messages)
        path = m_ctx.messages->chooseFile(MessageSink::FileMode::Save, text("strPlanSaveAs").remove('&'),
                                          text("strPlanCsvFiles") + " (*.csv)", m_path);
    if (path.isEmpty())
        return false;
    try {
        plan::writePlantFile(QFile::encodeName(path).toStdString(), m_model->file());
    } catch (const std::exception& e) {
        if (m_ctx.messages)
            m_ctx.messages->showError(qs(e.what()));
        return false;
    }
    m_path = path;
    m_model->setModified(false);
    updateTitle();
    return true;
}

bool TfrmPlan::exportCalendar(const QString& given) {
    QString path = given;
    if (path.isEmpty() && m_ctx.messages) {
        const QString start = m_path.isEmpty() ? QString() : QFileInfo(m_path).path() + "/" +
                                                                   QFileInfo(m_path).completeBaseName() + ".ics";
        path = m_ctx.messages->chooseFile(MessageSink::FileMode::Save, text("strPlanExportIcs").remove('&'),
                                          text("strPlanIcsFiles") + " (*.ics)", start);
    }
    if (path.isEmpty())
        return false;
    const auto& changes = m_changeList->changes();
    plan::CalendarTexts texts;
    if (!text("strPlanIcsSummary").isEmpty()) {
        texts.summary = text("strPlanIcsSummary").toStdString();
        texts.lubricator = text("strLubricator").toStdString();
        texts.grease = text("strGrease").toStdString();
        texts.setting = items("strPlanColumnItems").value(PlanModel::Setting).toStdString();
        texts.overdue = text("strPlanOverdue").toStdString();
    }
    try {
        plan::writeCalendar(QFile::encodeName(path).toStdString(), m_model->file(), m_model->plan(), changes, texts);
    } catch (const std::exception& e) {
        if (m_ctx.messages)
            m_ctx.messages->showError(qs(e.what()));
        return false;
    }
    if (m_ctx.messages) {
        const std::string tmpl = text("strPlanExported").toStdString();
        try {
            m_ctx.messages->showMessage(
                qs(strings::format(tmpl, {static_cast<int>(changes.size()), path.toStdString()})));
        } catch (const std::exception&) {
            m_ctx.messages->showMessage(path);
        }
    }
    return true;
}

void TfrmPlan::print() {
    if (!m_ctx.messages)
        return;
    QPrinter printer(QPrinter::HighResolution);
    if (!m_ctx.messages->choosePrinter(printer))
        return;
    const strings::StringTable* t = m_ctx.table ? m_ctx.table() : nullptr;
    const QString footer = qs(reports::printFooterText(t));
    const QString family = m_ctx.fontFamily ? m_ctx.fontFamily() : font().family();
    const int tab = m_tabs->currentIndex();
    const QString title = text("strPlanTitle") + " \u2013 " + m_tabs->tabText(tab);
    printer.setDocName(title);
    const QTableView* grid = tab == 0 ? m_points : tab == 1 ? m_changes : m_purchases;
    reports::printGrid(printer, *grid, true, family, title, footer);
}

bool TfrmPlan::maybeSave() {
    if (!m_model->modified() || !m_ctx.messages)
        return true;
    if (!m_ctx.messages->asking()) {
        keepUnsavedAside();
        return true;
    }
    switch (m_ctx.messages->askSaveChanges(m_kept.unsaved)) {
    case MessageSink::Answer::Save: return save();
    case MessageSink::Answer::Discard: return true;
    case MessageSink::Answer::Cancel: return false;
    }
    return false;
}

void TfrmPlan::closeWithProgram() {
    if (!m_model->modified() || !m_ctx.messages)
        return;
    if (m_ctx.messages->asking()) {
        // The program ends whatever is answered: going back is no choice here.
        switch (m_ctx.messages->askSaveChanges(m_kept.unsaved)) {
        case MessageSink::Answer::Save:
            // Only to the file it came from: no dialog while the program ends.
            if (!m_path.isEmpty() && saveAs(m_path))
                return;
            break;
        case MessageSink::Answer::Discard:
            m_model->setModified(false);
            return;
        case MessageSink::Answer::Cancel:
            break;
        }
    }
    keepUnsavedAside();
}

void TfrmPlan::keepUnsavedAside() {
    if (!m_model->modified())
        return;
    // The plant file stays as it was; the changes go to a file of their own.
    const QString folder = m_ctx.recoveryFolder.isEmpty() ? QDir::tempPath() : m_ctx.recoveryFolder;
    const QString base = m_path.isEmpty() ? QString("plant") : QFileInfo(m_path).completeBaseName();
    const QString path = folder + "/" + base + ".unsaved.csv";
    try {
        QDir().mkpath(folder);
        plan::writePlantFile(QFile::encodeName(path).toStdString(), m_model->file());
        m_model->setModified(false);
        if (m_ctx.messages)
            m_ctx.messages->showMessage(m_kept.unsaved + "\n" + path);
    } catch (const std::exception& e) {
        if (m_ctx.messages)
            m_ctx.messages->showError(qs(e.what()));
    }
}

void TfrmPlan::closeEvent(QCloseEvent* event) {
    if (maybeSave())
        event->accept();
    else
        event->ignore();
}

void TfrmPlan::addPoint() {
    const core::CalcInputs inputs = m_ctx.calculatorInputs ? m_ctx.calculatorInputs() : core::CalcInputs{};
    const int row = m_model->addPoint(inputs);
    selectRow(row);
    m_tabs->setCurrentIndex(0);
    m_points->edit(m_filter->mapFromSource(m_model->index(row, PlanModel::Id)));
}

void TfrmPlan::duplicatePoint() {
    const int row = m_model->duplicatePoint(currentRow());
    if (row >= 0)
        selectRow(row);
}

void TfrmPlan::deletePoints() {
    QList<int> rows;
    for (const QModelIndex& i : m_points->selectionModel()->selectedRows())
        rows << m_filter->mapToSource(i).row();
    if (rows.isEmpty() && currentRow() >= 0)
        rows << currentRow();
    m_model->removePoints(rows);
    updateActions();
}

void TfrmPlan::editInCalculator() {
    const int row = currentRow();
    if (row < 0) {
        if (m_ctx.messages)
            m_ctx.messages->showMessage(text("strPlanNoPoint"));
        return;
    }
    if (m_ctx.showInCalculator)
        m_ctx.showInCalculator(m_model->inputsOf(row));
}

void TfrmPlan::storeFromCalculator() {
    const int row = currentRow();
    if (row < 0 || !m_ctx.calculatorInputs) {
        if (m_ctx.messages)
            m_ctx.messages->showMessage(text("strPlanNoPoint"));
        return;
    }
    m_model->storeInputs(row, m_ctx.calculatorInputs());
    const std::string id = m_model->file().points[row].cell(plan::OwnColumn::Id);
    try {
        statusBar()->showMessage(qs(strings::format(text("strPlanStored").toStdString(), {id})), 5000);
    } catch (const std::exception&) {
        statusBar()->showMessage(qs(id), 5000);
    }
}
