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
#include "windows/planmodel.h"

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
        QString format = QLocale().dateFormat(QLocale::ShortFormat);
        if (QLocale().language() == QLocale::C)
            format = "yyyy-MM-dd";
        else if (!format.contains("yyyy"))
            format.replace("yy", "yyyy");
        e->setDisplayFormat(format);
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

QByteArray fileHash(const QString& path, bool* exists) {
    QFile f(path);
    *exists = f.open(QIODevice::ReadOnly);
    if (!*exists)
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&f);
    return hash.result();
}

QString localDateTime(const QDateTime& t) { return QLocale().toString(t, "yyyy-MM-dd HH:mm"); }

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
    m_tabs->addTab(m_points, "Points");
    auto* changesPage = new QWidget;
    auto* changesLayout = new QVBoxLayout(changesPage);
    m_period = new QLabel;
    m_period->setObjectName("labPlanPeriod");
    m_changeList = new PlanListModel(PlanListModel::Kind::Changes, m_model, this);
    m_purchaseList = new PlanListModel(PlanListModel::Kind::Purchases, m_model, this);
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
    m_purchases = makeList("sgPlanPurchases", m_purchaseList);
    m_tabs->addTab(m_purchases, "Cartridges to buy");
    layout->addWidget(m_tabs, 1);
    setCentralWidget(central);
    m_summary = new QLabel;
    m_summary->setObjectName("labPlanSummary");
    statusBar()->addWidget(m_summary, 1);
    m_encodingNote = new QLabel;
    m_encodingNote->setObjectName("labPlanEncoding");
    m_encodingNote->hide();
    statusBar()->addPermanentWidget(m_encodingNote);

    createActions();
    createRoundActions();
    connect(m_filterEdit, &QLineEdit::textChanged, m_filter, &PlanFilter::setText);
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
        const DialogGuard guard(this);
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
    applyRoundTexts();
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
    m_kept.keptAside = text("strPlanKeptAside");
    m_remindLabel->setText(text("strPlanRemind"));
    m_remind->setAccessibleName(text("strPlanRemind").remove(':'));
    updateEncodingNote();
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
    m_purchaseList->refresh(m_day, 12, shown);
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
    m_diskHash.clear();
    m_diskExists = false;
    m_openedRecovery.clear();
    updateEncodingNote();
    updateTitle();
}

void TfrmPlan::updateEncodingNote() {
    const bool legacy = m_model->file().dialect.encoding == plan::Encoding::Windows1252;
    m_encodingNote->setText(legacy ? text("strPlanWindows1252") : QString());
    m_encodingNote->setVisible(legacy);
}

void TfrmPlan::rememberDiskState() { m_diskHash = fileHash(m_path, &m_diskExists); }

bool TfrmPlan::changedOnDisk(QDateTime* when) const {
    bool exists = false;
    const QByteArray now = fileHash(m_path, &exists);
    // A file that is gone loses nothing when it is written again.
    if (!exists || (exists == m_diskExists && now == m_diskHash))
        return false;
    if (when)
        *when = QFileInfo(m_path).lastModified();
    return true;
}

QString TfrmPlan::recoveryBase(const QString& plantPath) const {
    const QString folder = m_ctx.recoveryFolder.isEmpty() ? QDir::tempPath() : m_ctx.recoveryFolder;
    if (plantPath.isEmpty())
        return folder + "/untitled";
    const QString whole = QFileInfo(plantPath).absoluteFilePath();
    const QByteArray hash = QCryptographicHash::hash(whole.toUtf8(), QCryptographicHash::Sha256).toHex().left(12);
    return folder + "/" + QFileInfo(plantPath).completeBaseName() + "-" + QString::fromLatin1(hash);
}

QStringList TfrmPlan::recoveryFiles(const QString& plantPath) const {
    const QFileInfo base(recoveryBase(plantPath));
    QDir dir(base.path());
    const QFileInfoList found = dir.entryInfoList({base.fileName() + ".unsaved*.csv"}, QDir::Files, QDir::Time);
    QStringList out;
    for (const QFileInfo& f : found)
        out << f.filePath();
    return out;
}

void TfrmPlan::offerRecovery() {
    if (!m_ctx.messages || !m_ctx.messages->asking() || m_path.isEmpty())
        return;
    const QStringList found = recoveryFiles(m_path);
    if (found.isEmpty())
        return;
    const QString kept = found.first();
    const QString tmpl = text("strPlanRecovery").isEmpty()
                             ? QString("Changes to %s from %s were kept when the program ended. Open them?")
                             : text("strPlanRecovery");
    QString question;
    try {
        question = qs(text::format(tmpl.toStdString(), {QFileInfo(m_path).fileName().toStdString(),
                                                            localDateTime(QFileInfo(kept).lastModified()).toStdString()}));
    } catch (const std::exception&) {
        question = kept;
    }
    QStringList buttons = items("strPlanRecoveryItems");
    if (buttons.size() != 3)
        buttons = {"Open them", "Later", "Discard them"};
    int answer;
    {
        const DialogGuard guard(this);
        answer = m_ctx.messages->askChoice(question, buttons);
    }
    if (answer == 2) {
        QFile::remove(kept);
        return;
    }
    if (answer != 0)
        return;
    plan::PlantFile file;
    std::string error;
    if (!plan::readPlantFile(QFile::encodeName(kept).toStdString(), file, error)) {
        m_ctx.messages->showError(qs(error));
        return;
    }
    m_model->setFile(std::move(file));
    m_model->setModified(true);
    m_openedRecovery = kept;
    updateEncodingNote();
}

bool TfrmPlan::openFile(const QString& path) {
    plan::PlantFile file;
    std::string error;
    if (!plan::readPlantFile(QFile::encodeName(path).toStdString(), file, error)) {
        if (m_ctx.messages)
            m_ctx.messages->showError(qs(error));
        return false;
    }
    // The changes recorded beside the plant file date its cartridges; a history that
    // cannot be read is said, and the plan is made from the file alone.
    plan::HistoryFile history;
    const std::string historyPath = plan::historyPathFor(QFile::encodeName(path).toStdString());
    if (!plan::readHistory(historyPath, history, error) && m_ctx.messages)
        m_ctx.messages->showError(qs(error));
    m_model->setFile(std::move(file), plan::lastChangeById(history.records));
    m_path = path;
    m_openedRecovery.clear();
    rememberDiskState();
    updateEncodingNote();
    offerRecovery();
    fitColumns();
    updateTitle();
    return true;
}

bool TfrmPlan::save() { return m_path.isEmpty() ? saveAs({}) : saveAs(m_path); }

bool TfrmPlan::saveAs(const QString& given) {
    QString path = given;
    if (path.isEmpty() && m_ctx.messages) {
        const DialogGuard guard(this);
        path = m_ctx.messages->chooseFile(MessageSink::FileMode::Save, text("strPlanSaveAs").remove('&'),
                                          text("strPlanCsvFiles") + " (*.csv)", m_path);
    }
    if (path.isEmpty())
        return false;
    // Another program (or another window) wrote the file since it was opened: its
    // changes are not overwritten unasked.
    QDateTime when;
    if (!m_path.isEmpty() && QFileInfo(path) == QFileInfo(m_path) && changedOnDisk(&when)) {
        if (!m_ctx.messages || !m_ctx.messages->asking())
            return false;
        QString question;
        try {
            question = qs(text::format(text("strPlanChangedOnDisk").toStdString(),
                                          {QFileInfo(m_path).fileName().toStdString(), localDateTime(when).toStdString()}));
        } catch (const std::exception&) {
            question = m_path;
        }
        QStringList buttons = items("strPlanChangedItems");
        if (buttons.size() != 3)
            buttons = {"Overwrite", "Save as", "Cancel"};
        int answer;
        {
            const DialogGuard guard(this);
            answer = m_ctx.messages->askChoice(question, buttons);
        }
        if (answer == 1)
            return saveAs({});
        if (answer != 0)
            return false;
    }
    plan::CsvDialect written;
    try {
        written = plan::writePlantFile(QFile::encodeName(path).toStdString(), m_model->file());
    } catch (const std::exception& e) {
        if (m_ctx.messages)
            m_ctx.messages->showError(qs(e.what()));
        return false;
    }
    m_model->setDialect(written);
    m_path = path;
    rememberDiskState();
    // The changes a recovery file held are in the plant file now.
    if (!m_openedRecovery.isEmpty())
        QFile::remove(m_openedRecovery);
    m_openedRecovery.clear();
    m_model->setModified(false);
    updateEncodingNote();
    updateTitle();
    return true;
}

bool TfrmPlan::exportCalendar(const QString& given) {
    QString path = given;
    if (path.isEmpty() && m_ctx.messages) {
        const QString start = m_path.isEmpty() ? QString() : QFileInfo(m_path).path() + "/" +
                                                                   QFileInfo(m_path).completeBaseName() + ".ics";
        const DialogGuard guard(this);
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
        texts.overdueSince = text("strPlanOverdueSince").toStdString();
        texts.refillSummary = text("strPlanIcsRefill").toStdString();
    }
    plan::CalendarOptions options;
    options.firstDay = m_day;
    options.remindDays = m_remind->value();
    try {
        plan::writeCalendar(QFile::encodeName(path).toStdString(), m_model->file(), m_model->plan(), changes, texts,
                            options);
    } catch (const std::exception& e) {
        if (m_ctx.messages)
            m_ctx.messages->showError(qs(e.what()));
        return false;
    }
    if (m_ctx.messages) {
        const std::string tmpl = text("strPlanExported").toStdString();
        try {
            m_ctx.messages->showMessage(
                qs(text::format(tmpl, {static_cast<int>(changes.size()), path.toStdString()})));
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
    {
        const DialogGuard guard(this);
        if (!m_ctx.messages->choosePrinter(printer))
            return;
    }
    const strings::StringTable* t = m_ctx.table ? m_ctx.table() : nullptr;
    const QString footer = qs(reports::printFooterText(t));
    const QString family = m_ctx.fontFamily ? m_ctx.fontFamily() : font().family();
    const int tab = m_tabs->currentIndex();
    const QString title = text("strPlanTitle") + " \u2013 " + m_tabs->tabText(tab);
    printer.setDocName(title);
    const QTableView* grid = tab == 0 ? m_points : tab == 1 ? m_changes : m_purchases;
    reports::printGrid(printer, *grid, reports::GridWidth::ShrinkToPage, family, title, footer);
}

bool TfrmPlan::maybeSave() {
    if (!m_model->modified() || !m_ctx.messages)
        return true;
    if (!m_ctx.messages->asking()) {
        keepUnsavedAside();
        return true;
    }
    MessageSink::Answer answer;
    {
        const DialogGuard guard(this);
        answer = m_ctx.messages->askSaveChanges(m_kept.unsaved);
    }
    // The program may have been ended while the question was open.
    if (!m_ctx.messages->asking()) {
        keepUnsavedAside();
        return answer != MessageSink::Answer::Cancel;
    }
    switch (answer) {
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
        MessageSink::Answer answer;
        {
            const DialogGuard guard(this);
            answer = m_ctx.messages->askSaveChanges(m_kept.unsaved);
        }
        switch (answer) {
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

QString TfrmPlan::keepUnsavedAside() {
    if (!m_model->modified())
        return {};
    // The plant file stays as it was; the changes go to a file of their own, next to
    // any kept earlier.
    const QString base = recoveryBase(m_path);
    QString path = base + ".unsaved.csv";
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = base + QString(".unsaved-%1.csv").arg(n);
    try {
        QDir().mkpath(QFileInfo(base).path());
        plan::writePlantFile(QFile::encodeName(path).toStdString(), m_model->file());
        m_model->setModified(false);
        if (m_ctx.messages) {
            const std::string name = m_path.isEmpty() ? m_kept.untitled.toStdString() : m_path.toStdString();
            try {
                m_ctx.messages->showMessage(
                    qs(text::format(m_kept.keptAside.toStdString(), {name, path.toStdString()})));
            } catch (const std::exception&) {
                m_ctx.messages->showMessage(path);
            }
        }
        return path;
    } catch (const std::exception& e) {
        if (m_ctx.messages)
            m_ctx.messages->showError(qs(e.what()));
        return {};
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
        statusBar()->showMessage(qs(text::format(text("strPlanStored").toStdString(), {id})), 5000);
    } catch (const std::exception&) {
        statusBar()->showMessage(qs(id), 5000);
    }
}
