#include "windows/planwindow.h"

#include "desktop/messages.h"
#include "desktop/placement.h"
#include "desktop/printing.h"
#include "core/greases.h"
#include "files/fileio.h"
#include "files/regini.h"
#include "plan/calendar.h"
#include "plan/history.h"
#include "reports/printlayout.h"
#include "text/format.h"
#include "strings/itemlist.h"
#include "text/keys.h"
#include "strings/stringtable.h"
#include "windows/historytab.h"
#include "windows/planmodel.h"
#include "windows/purchasepage.h"
#include "windows/recorddialog.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDateEdit>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinter>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

using namespace unctora;
namespace K = unctora::text::keys;

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

// The InstalledOn cell's editor: a date in the locale's format with a calendar to pick
// it from; the model stores it as ISO 8601. What it cannot read it does not take.
class DateDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override {
        auto* e = new QDateEdit(parent);
        e->setObjectName("edPlanDate");
        e->setCalendarPopup(true);
        e->setDateRange(QDate(1900, 1, 1), QDate(2199, 12, 31));
        e->setDisplayFormat(PlanModel::dateFormat());
        return e;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* e = static_cast<QDateEdit*>(editor);
        const QDate d = index.data(Qt::EditRole).toDate();
        // A point without a date starts at today's; it is stored only once changed.
        e->setDate(d.isValid() ? d : QDate::currentDate());
        e->setProperty("untouched", !d.isValid());
        connect(e, &QDateEdit::dateChanged, e, [e] { e->setProperty("untouched", false); });
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        auto* e = static_cast<QDateEdit*>(editor);
        if (e->property("untouched").toBool() || !e->date().isValid())
            return;
        model->setData(index, e->date(), Qt::EditRole);
    }
};

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
    m_points->setItemDelegateForColumn(PlanModel::InstalledOn, new DateDelegate(m_points));
    // The last change beside the status, where the eye already is.
    m_points->horizontalHeader()->moveSection(PlanModel::LastChange, PlanModel::Status + 1);
    m_points->horizontalHeader()->moveSection(PlanModel::ChangedBy, PlanModel::Status + 2);
    m_tabs->addTab(m_points, "Points");
    auto* changesPage = new QWidget;
    auto* changesLayout = new QVBoxLayout(changesPage);
    m_period = new QLabel;
    m_period->setObjectName("labPlanPeriod");
    m_changeList = new PlanListModel(m_model, this);
    m_changes = makeList("sgPlanChanges", m_changeList);
    auto* periodRow = new QHBoxLayout;
    m_remindLabel = new QLabel("Calendar reminder, days ahead:");
    m_remind = new QSpinBox;
    m_remind->setObjectName("spPlanRemind");
    m_remind->setRange(0, plan::CalendarOptions::kMaxRemindDays);
    m_remind->setValue(plan::CalendarOptions::kDefaultRemindDays);
    m_remindLabel->setBuddy(m_remind);
    periodRow->addWidget(m_period, 1);
    periodRow->addWidget(m_remindLabel);
    periodRow->addWidget(m_remind);
    changesLayout->addLayout(periodRow);
    changesLayout->addWidget(m_changes);
    m_tabs->addTab(changesPage, "Cartridge changes");
    m_purchases = new PurchasePage(m_model, m_ctx.messages);
    m_tabs->addTab(m_purchases, "Cartridges to buy");
    m_history = new HistoryTab;
    m_tabs->addTab(m_history, "History");
    layout->addWidget(m_tabs, 1);
    setCentralWidget(central);
    m_summary = new QLabel;
    m_summary->setObjectName("labPlanSummary");
    statusBar()->addWidget(m_summary, 1);
    m_encodingNote = new QLabel;
    m_encodingNote->setObjectName("labPlanEncoding");
    m_encodingNote->hide();
    statusBar()->addPermanentWidget(m_encodingNote);
    m_historyNote = new QLabel;
    m_historyNote->setObjectName("labPlanHistoryNote");
    m_historyNote->hide();
    statusBar()->addPermanentWidget(m_historyNote);

    createActions();
    createRoundActions();
    connect(m_filterEdit, &QLineEdit::textChanged, m_filter, &PlanFilter::setText);
    connect(m_filterEdit, &QLineEdit::textChanged, m_history, &HistoryTab::setWords);
    // A hand scanner types a point's Id and Enter.
    connect(m_filterEdit, &QLineEdit::returnPressed, this, &TfrmPlan::selectScanned);
    connect(m_show, &QComboBox::currentIndexChanged, this, [this](int i) { m_filter->setAttentionOnly(i == 1); });
    // The changes and purchases list what the filter lets through, so that a list per
    // area can be printed.
    connect(m_filter, &PlanFilter::filterChanged, this, &TfrmPlan::updateLists);
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
        m_remind->setValue(std::clamp(ini.ReadInteger("RemindDays", plan::CalendarOptions::kDefaultRemindDays), 0,
                                      plan::CalendarOptions::kMaxRemindDays));
        m_doneBy = qs(ini.ReadString("DoneBy", ""));
        const QString last = qs(ini.ReadString("File", ""));
        if (!last.isEmpty() && QFileInfo::exists(last))
            openFile(last);
    }
}

TfrmPlan::~TfrmPlan() { saveSettings(); }

void TfrmPlan::saveSettings() {
    if (m_ctx.settingsFile.isEmpty() || m_settingsSaved)
        return;
    m_settingsSaved = true;
    try {
        app::SaveWindowPlacement(*this, m_ctx.settingsFile.toStdString(), "frmPlan", true);
        files::TStRegIni ini(m_ctx.settingsFile.toStdString(), true);
        ini.Section = kSection;
        ini.WriteString("File", m_path.toStdString());
        ini.WriteInteger("RemindDays", m_remind->value());
        ini.WriteString("DoneBy", m_doneBy.toStdString());
    } catch (const std::exception& e) {
        if (m_ctx.messages)
            m_ctx.messages->showError(QString::fromStdString(e.what()));
    }
}

int TfrmPlan::remindDays() const { return m_remind->value(); }

void TfrmPlan::setRemindDays(int days) { m_remind->setValue(days); }

void TfrmPlan::closeDialogs() {
    // Cancelled as Escape cancels them: each call that opened one returns as it would.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible())
            d->reject();
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
    std::vector<bool> shown;
    if (m_filter->rowCount() != m_model->rowCount()) {
        shown.resize(static_cast<std::size_t>(m_model->rowCount()));
        for (int r = 0; r < m_model->rowCount(); ++r)
            shown[static_cast<std::size_t>(r)] = m_filter->accepts(r);
        // A filter that lets nothing through lists nothing.
        if (std::none_of(shown.begin(), shown.end(), [](bool b) { return b; }))
            shown.assign(shown.size() + 1, false);
    }
    m_changeList->refresh(m_day, 12, shown);
    m_purchases->refresh(m_day, 12, shown);
    // Sized on what is shown, not on every row of a large plant.
    m_changes->horizontalHeader()->setResizeContentsPrecision(50);
    m_changes->resizeColumnsToContents();
    const auto& points = m_model->plan();
    int attention = 0;
    for (const plan::PointPlan& p : points)
        attention += p.needsAttention();
    const std::string summary = text("strPlanSummary").toStdString();
    const std::string period = text("strPlanPeriod").toStdString();
    try {
        m_summary->setText(qs(text::format(summary, {static_cast<int>(points.size()), attention})));
        m_period->setText(qs(text::format(period, {PlanModel::dateText(qs(plan::isoDate(m_day))).toStdString()})));
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
    m_actions.record->setEnabled(one);
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
        statusBar()->showMessage(qs(text::format(text("strPlanStored").toStdString(), {id})), 5000);
    } catch (const std::exception&) {
        statusBar()->showMessage(qs(id), 5000);
    }
}
