#include "windows/historytab.h"

#include "windows/planmodel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <string_view>
#include <unordered_set>

using namespace unctora;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

std::optional<plan::Date> toDate(const QDate& d) {
    if (!d.isValid())
        return std::nullopt;
    return plan::Date{std::chrono::year{d.year()} / d.month() / d.day()};
}

} // namespace

void HistoryModel::setRecords(plan::ChangeRecords records) {
    m_records = std::move(records);
    // The latest day first; of one day the one recorded last, and of one moment the
    // later line of the file. Sorted on small keys: the records themselves are large,
    // and 100,000 of them are sorted at every opening.
    struct Key {
        int day;
        long long stamp; // YYYYMMDDhhmmss of the recording
        std::size_t index;
    };
    std::vector<Key> keys(m_records.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const std::string& t = m_records[i].recordedAt;
        long long stamp = 0;
        for (char c : t)
            if (c >= '0' && c <= '9')
                stamp = stamp * 10 + (c - '0');
        keys[i] = {static_cast<int>(m_records[i].date.time_since_epoch().count()), stamp, i};
    }
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
        if (a.day != b.day)
            return a.day > b.day;
        if (a.stamp != b.stamp)
            return a.stamp > b.stamp;
        return a.index > b.index;
    });
    m_newestFirst.resize(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i)
        m_newestFirst[i] = keys[i].index;
    setFilter(m_filter, m_words);
}

void HistoryModel::setFilter(const plan::HistoryFilter& filter, const QStringList& words) {
    beginResetModel();
    m_filter = filter;
    m_words = words;
    m_rows.clear();
    for (std::size_t i : m_newestFirst) {
        const plan::ChangeRecord& r = m_records[i];
        if ((!filter.pointId.empty() && r.pointId != filter.pointId) ||
            (!filter.location.empty() && r.location != filter.location) || (filter.from && r.date < *filter.from) ||
            (filter.to && r.date > *filter.to))
            continue;
        if (!words.isEmpty()) {
            QString all;
            for (int c = 0; c < ColumnCount; ++c)
                all += text(r, c) + '\n';
            if (!std::all_of(words.begin(), words.end(),
                             [&](const QString& w) { return all.contains(w, Qt::CaseInsensitive); }))
                continue;
        }
        m_rows.push_back(i);
    }
    endResetModel();
}

void HistoryModel::setHeaders(const QStringList& headers) {
    m_headers = headers;
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

int HistoryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int HistoryModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QString HistoryModel::text(const plan::ChangeRecord& r, int column) const {
    switch (column) {
    case Date: return PlanModel::dateText(qs(plan::isoDate(r.date)));
    case Id: return qs(r.pointId);
    case Location: return qs(r.location);
    case Machine: return qs(r.machine);
    case Lubricator: return qs(r.lubricator);
    case Grease: return qs(r.grease);
    case Setting: return qs(r.setting).replace('|', ' ');
    case DoneBy: return qs(r.doneBy);
    case Batch: return qs(r.batch);
    case Remarks: return qs(r.remarks).replace('\n', ' ');
    case RecordedAt: {
        // Stored in UTC; shown in the user's time.
        const QDateTime t = QDateTime::fromString(qs(r.recordedAt), Qt::ISODate);
        return t.isValid() ? QLocale().toString(t.toLocalTime(), PlanModel::dateFormat() + " HH:mm") : qs(r.recordedAt);
    }
    default: return {};
    }
}

QVariant HistoryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const plan::ChangeRecord& r = recordAt(index.row());
    if (role == Qt::DisplayRole)
        return text(r, index.column());
    if (role == Qt::ToolTipRole && index.column() == Remarks && !r.remarks.empty())
        return qs(r.remarks);
    return {};
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    return m_headers.value(section);
}

HistoryTab::HistoryTab(QWidget* parent) : QWidget(parent) {
    setObjectName("tabPlanHistory");
    m_model = new HistoryModel(this);
    m_model->setHeaders({"Date", "Id", "Location", "Machine", "Lubricator", "Grease", "Setting dialled", "Done by",
                         "Batch or lot", "Remarks", "Recorded at"});
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    m_pointLabel = new QLabel("Point");
    m_point = new QComboBox;
    m_point->setObjectName("cbHistPoint");
    m_point->setMinimumContentsLength(14);
    m_point->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_pointLabel->setBuddy(m_point);
    m_locationLabel = new QLabel("Location");
    m_location = new QComboBox;
    m_location->setObjectName("cbHistLocation");
    m_location->setMinimumContentsLength(10);
    m_location->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_locationLabel->setBuddy(m_location);
    auto dateEdit = [](const char* name) {
        auto* e = new QDateEdit(QDate::currentDate());
        e->setObjectName(name);
        e->setCalendarPopup(true);
        e->setDateRange(QDate(1900, 1, 1), QDate(9999, 12, 31));
        e->setDisplayFormat(PlanModel::dateFormat());
        e->setEnabled(false);
        return e;
    };
    m_useFrom = new QCheckBox("From");
    m_useFrom->setObjectName("chkHistFrom");
    m_from = dateEdit("deHistFrom");
    m_useTo = new QCheckBox("To");
    m_useTo->setObjectName("chkHistTo");
    m_to = dateEdit("deHistTo");
    row->addWidget(m_pointLabel);
    row->addWidget(m_point, 2);
    row->addWidget(m_locationLabel);
    row->addWidget(m_location, 1);
    row->addWidget(m_useFrom);
    row->addWidget(m_from);
    row->addWidget(m_useTo);
    row->addWidget(m_to);
    layout->addLayout(row);
    m_note = new QLabel;
    m_note->setObjectName("labHistNote");
    m_note->setWordWrap(true);
    m_note->hide();
    layout->addWidget(m_note);
    m_view = new QTableView;
    m_view->setObjectName("sgPlanHistory");
    m_view->setModel(m_model);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->setAlternatingRowColors(true);
    layout->addWidget(m_view, 1);
    fillChoices();

    connect(m_point, &QComboBox::currentIndexChanged, this, &HistoryTab::apply);
    connect(m_location, &QComboBox::currentIndexChanged, this, &HistoryTab::apply);
    connect(m_from, &QDateEdit::dateChanged, this, &HistoryTab::apply);
    connect(m_to, &QDateEdit::dateChanged, this, &HistoryTab::apply);
    connect(m_useFrom, &QCheckBox::toggled, this, [this](bool on) {
        m_from->setEnabled(on);
        apply();
    });
    connect(m_useTo, &QCheckBox::toggled, this, [this](bool on) {
        m_to->setEnabled(on);
        apply();
    });
}

void HistoryTab::setTexts(const Texts& texts) {
    if (texts.columns.size() == HistoryModel::ColumnCount)
        m_model->setHeaders(texts.columns);
    if (texts.filters.size() == 4) {
        m_pointLabel->setText(texts.filters[0] + ':');
        m_locationLabel->setText(texts.filters[1] + ':');
        m_useFrom->setText(texts.filters[2]);
        m_useTo->setText(texts.filters[3]);
        m_point->setAccessibleName(texts.filters[0]);
        m_location->setAccessibleName(texts.filters[1]);
    }
    if (!texts.all.isEmpty()) {
        m_point->setItemText(0, texts.all);
        m_location->setItemText(0, texts.all);
    }
    for (QDateEdit* e : {m_from, m_to})
        e->setDisplayFormat(PlanModel::dateFormat());
    m_view->resizeColumnsToContents();
}

void HistoryTab::setRecords(plan::ChangeRecords records, const QString& note) {
    m_model->setRecords(std::move(records));
    m_note->setText(note);
    m_note->setVisible(!note.isEmpty());
    fillChoices();
    apply();
    m_view->horizontalHeader()->setResizeContentsPrecision(50);
    m_view->resizeColumnsToContents();
}

void HistoryTab::setWords(const QString& filterText) {
    m_words = filterText.split(' ', Qt::SkipEmptyParts);
    apply();
}

void HistoryTab::fillChoices() {
    // The points and locations the records name, in order; a choice made stays while it
    // is there. The first item lets all through.
    std::unordered_set<std::string_view> ids, locations;
    for (const plan::ChangeRecord& r : m_model->records()) {
        ids.insert(r.pointId);
        if (!r.location.empty())
            locations.insert(r.location);
    }
    const auto refill = [](QComboBox* box, const std::unordered_set<std::string_view>& values) {
        std::vector<std::string_view> sorted(values.begin(), values.end());
        std::sort(sorted.begin(), sorted.end());
        QStringList texts;
        texts.reserve(static_cast<qsizetype>(sorted.size()) + 1);
        texts << (box->count() > 0 ? box->itemText(0) : QString("All"));
        for (std::string_view v : sorted)
            texts << QString::fromUtf8(v.data(), static_cast<qsizetype>(v.size()));
        const QString kept = box->currentIndex() > 0 ? box->currentText() : QString();
        const QSignalBlocker block(box);
        box->clear();
        box->addItems(texts);
        const int at = kept.isEmpty() ? 0 : static_cast<int>(texts.indexOf(kept, 1));
        box->setCurrentIndex(std::max(at, 0));
    };
    refill(m_point, ids);
    refill(m_location, locations);
}

void HistoryTab::apply() {
    plan::HistoryFilter f;
    if (m_point->currentIndex() > 0)
        f.pointId = m_point->currentText().toStdString();
    if (m_location->currentIndex() > 0)
        f.location = m_location->currentText().toStdString();
    if (m_useFrom->isChecked())
        f.from = toDate(m_from->date());
    if (m_useTo->isChecked())
        f.to = toDate(m_to->date());
    const plan::HistoryFilter& now = m_model->filter();
    if (f.pointId == now.pointId && f.location == now.location && f.from == now.from && f.to == now.to &&
        m_words == m_model->words())
        return; // listed already
    m_model->setFilter(f, m_words);
}
