#include "windows/planmodel.h"

#include "core/greases.h"
#include "strings/stringtable.h"

#include <QColor>
#include <QDate>
#include <QFont>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

using namespace unctora;
using plan::OwnColumn;
using plan::PointStatus;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

} // namespace

std::optional<OwnColumn> PlanModel::ownColumn(int column) {
    switch (column) {
    case PlanModel::Id: return OwnColumn::Id;
    case PlanModel::Location: return OwnColumn::Location;
    case PlanModel::Machine: return OwnColumn::Machine;
    case PlanModel::Unit: return OwnColumn::Unit;
    case PlanModel::InstalledOn: return OwnColumn::InstalledOn;
    case PlanModel::Volume: return OwnColumn::Volume_ml;
    case PlanModel::Remarks: return OwnColumn::Remarks;
    default: return std::nullopt;
    }
}

namespace {

int urgency(PointStatus s) {
    switch (s) {
    case PointStatus::Invalid: return 0;
    case PointStatus::Failed: return 1;
    case PointStatus::TooSmall: return 1;
    case PointStatus::Overdue: return 2;
    case PointStatus::DueSoon: return 3;
    case PointStatus::NotPlanned: return 3;
    case PointStatus::Ok: return 4;
    }
    return 5;
}

} // namespace

PlanModel::PlanModel(QObject* parent) : QAbstractTableModel(parent) {
    m_texts.headers = {"Id",      "Location",    "Machine", "Unit", "Bearing",  "Lubricator", "Grease",     "Setting",
                       "Months per cartridge", "Next change", "Grease per year", "Status", "Installed on",
                       "Volume, ml", "Remarks", "Last change", "Changed by"};
    m_texts.statuses = {"OK", "Due within 30 days", "Overdue", "Failed", "Invalid", "Unit too small", "Not planned"};
    m_texts.attention = {"Over-greased", "Grease unsuitable", "Installed in the future", "Duplicate Id",
                         "Life capped at 24 months", "Setting differs"};
}

void PlanModel::setTexts(const Texts& texts) {
    m_texts = texts;
    while (m_texts.headers.size() < ColumnCount)
        m_texts.headers << QString();
    while (m_texts.statuses.size() < plan::kPointStatusCount)
        m_texts.statuses << QString();
    while (m_texts.attention.size() < plan::kAttentionCount)
        m_texts.attention << QString();
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    if (!m_plan.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

void PlanModel::setUnits(core::Units units) {
    if (units == m_units)
        return;
    m_units = units;
    recalculate(); // the badge texts follow the units
}

void PlanModel::setDay(plan::Date day) {
    m_day = day;
    recalculate();
}

void PlanModel::setFile(plan::PlantFile file, plan::LastChangeById history) {
    beginResetModel();
    m_file = std::move(file);
    m_history = std::move(history);
    m_plan = plan::evaluatePlan(m_file, m_units, m_day, &m_history);
    endResetModel();
    setModified(false);
    emit planChanged();
}

void PlanModel::setHistory(plan::LastChangeById history) {
    m_history = std::move(history);
    recalculate();
}

void PlanModel::recalculate() {
    m_plan = plan::evaluatePlan(m_file, m_units, m_day, &m_history);
    if (!m_plan.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    emit planChanged();
}

void PlanModel::replan(int) {
    // A point's unit and its Id concern the other points too: the whole plan follows.
    setModified(true);
    recalculate();
}

int PlanModel::addPoint(const core::CalcInputs& inputs) {
    const int row = rowCount();
    beginInsertRows({}, row, row);
    plan::PlantPoint p;
    plan::storeInputs(p, inputs, m_file.dialect);
    p.cell(OwnColumn::InstalledOn) = plan::isoDate(m_day);
    m_file.points.push_back(std::move(p));
    m_plan.push_back(plan::evaluatePoint(m_file.points.back(), m_file.dialect, m_units, m_day));
    endInsertRows();
    setModified(true);
    recalculate();
    return row;
}

int PlanModel::duplicatePoint(int row) {
    if (row < 0 || row >= rowCount())
        return -1;
    const int to = row + 1;
    beginInsertRows({}, to, to);
    plan::PlantPoint copy = m_file.points[row];
    copy.line = 0;
    // An Id names one point: the copy takes the first free "<Id> (n)".
    std::string& id = copy.cell(OwnColumn::Id);
    if (!id.empty() && !copy.malformed()) {
        std::string base = id;
        if (const auto open = base.rfind(" ("); open != std::string::npos && base.back() == ')' &&
            base.size() > open + 3 &&
            std::all_of(base.begin() + static_cast<std::ptrdiff_t>(open) + 2, base.end() - 1,
                        [](char c) { return c >= '0' && c <= '9'; }))
            base.erase(open);
        auto taken = [&](const std::string& candidate) {
            return std::any_of(m_file.points.begin(), m_file.points.end(),
                               [&](const plan::PlantPoint& p) { return p.cell(OwnColumn::Id) == candidate; });
        };
        for (int n = 2;; ++n) {
            const std::string candidate = base + " (" + std::to_string(n) + ")";
            if (!taken(candidate)) {
                id = candidate;
                break;
            }
        }
    }
    m_file.points.insert(m_file.points.begin() + to, std::move(copy));
    m_plan.insert(m_plan.begin() + to,
                  plan::evaluatePoint(m_file.points[to], m_file.dialect, m_units, m_day));
    endInsertRows();
    setModified(true);
    recalculate(); // the copy has the same Id
    return to;
}

void PlanModel::removePoints(QList<int> rows) {
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    bool any = false;
    for (int row : rows) {
        if (row < 0 || row >= rowCount())
            continue;
        beginRemoveRows({}, row, row);
        m_file.points.erase(m_file.points.begin() + row);
        m_plan.erase(m_plan.begin() + row);
        endRemoveRows();
        any = true;
    }
    if (any) {
        setModified(true);
        recalculate();
    }
}

void PlanModel::storeInputs(int row, const core::CalcInputs& inputs) {
    if (row < 0 || row >= rowCount())
        return;
    plan::PlantPoint& p = m_file.points[row];
    // A row that did not fit the header becomes a whole point again once the
    // calculator's inputs are stored in it.
    p.raw.clear();
    p.rawText.clear();
    p.readError.clear();
    plan::storeInputs(p, inputs, m_file.dialect);
    replan(row);
}

void PlanModel::setModified(bool modified) {
    if (modified == m_modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

int PlanModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_file.points.size());
}

int PlanModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount + static_cast<int>(m_file.unknownColumns.size());
}

QVariant PlanModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int row = index.row(), column = index.column();
    const plan::PointPlan& p = m_plan[row];
    switch (role) {
    case Qt::DisplayRole:
        return text(row, column);
    case Qt::EditRole:
        if (column == InstalledOn) {
            // The date editor takes a date; an empty or unreadable cell starts it empty.
            const QDate d = QDate::fromString(qs(m_file.points[row].cell(OwnColumn::InstalledOn)), Qt::ISODate);
            return d.isValid() ? QVariant(d) : QVariant(QDate());
        }
        if (const auto own = ownColumn(column))
            return qs(m_file.points[row].cell(*own));
        return text(row, column);
    case Qt::ToolTipRole: {
        const QString tip = messagesText(p);
        return tip.isEmpty() ? QVariant() : QVariant(tip);
    }
    case Qt::BackgroundRole: {
        // A point that needs attention shows it across its row, its status strongest.
        if (p.status == PointStatus::Ok)
            return p.attention.empty() ? QVariant()
                   : column == Status  ? QVariant(attentionColour())
                                       : QVariant(attentionColour().lighter(108));
        return column == Status ? statusColour(p.status) : statusColour(p.status).lighter(112);
    }
    case Qt::ForegroundRole:
        // The nominal volume a point takes while its own cell is empty.
        if (column == Volume && m_file.points[row].cell(OwnColumn::Volume_ml).empty())
            return QColor(110, 110, 110);
        // A setting beyond the unit's range: too small, or the slowest setting for a
        // bearing that needs less (a shared pump's pause set for another point is not).
        if (column == Setting &&
            (p.status == PointStatus::TooSmall ||
             std::any_of(p.attention.begin(), p.attention.end(), [](const plan::PointPlan::Note& n) {
                 return n.kind == plan::Attention::OverGreased && n.message.key == "strPlanMsgOverGreased";
             })))
            return QColor(200, 0, 0);
        return {};
    case StatusRole:
        return static_cast<int>(p.status);
    case AttentionRole:
        return p.needsAttention();
    case SortRole:
        switch (column) {
        case Months: return p.computed() ? p.months() : -1.0;
        case GreasePerYear: return p.computed() ? p.gramsPerYear : -1.0;
        case Volume: return p.volumeMl;
        case Status: return urgency(p.status);
        case InstalledOn: return qs(m_file.points[row].cell(OwnColumn::InstalledOn));
        case LastChange: return p.lastChange ? qs(plan::isoDate(p.lastChange->date)) : QString();
        // Points without a date come after every dated one.
        case NextChange:
            return p.nextChange ? static_cast<int>(p.nextChange->time_since_epoch().count())
                                : std::numeric_limits<int>::max();
        default: return text(row, column);
        }
    default:
        return {};
    }
}

QVariant PlanModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::ToolTipRole && orientation == Qt::Horizontal && section < ColumnCount)
        return m_texts.headers.value(section);
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section >= ColumnCount)
        return qs(m_file.unknownColumns.at(static_cast<std::size_t>(section - ColumnCount)));
    return m_texts.headers.value(section);
}

Qt::ItemFlags PlanModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && ownColumn(index.column()) && !m_file.points[index.row()].malformed())
        f |= Qt::ItemIsEditable;
    return f;
}

bool PlanModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid())
        return false;
    const auto own = ownColumn(index.column());
    if (!own || m_file.points[index.row()].malformed())
        return false;
    // A cell is one line of the file: line breaks typed into it become blanks.
    QString v = value.toString();
    if (own == OwnColumn::InstalledOn) {
        // Stored as ISO 8601 whatever the locale shows; a text that is no date is
        // refused, an empty one clears the date.
        QDate d = value.typeId() == QMetaType::QDate ? value.toDate() : QDate();
        if (value.typeId() != QMetaType::QDate && !v.trimmed().isEmpty())
            d = readDate(v);
        if (value.typeId() != QMetaType::QDate && !v.trimmed().isEmpty() && !d.isValid())
            return false;
        v = d.isValid() ? d.toString(Qt::ISODate) : QString();
    }
    if (own != OwnColumn::Remarks)
        v = v.simplified();
    std::string text = v.toStdString();
    std::string& cell = m_file.points[index.row()].cell(*own);
    if (cell == text)
        return false;
    cell = std::move(text);
    replan(index.row());
    return true;
}

PlanFilter::PlanFilter(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(PlanModel::SortRole);
    setSortCaseSensitivity(Qt::CaseInsensitive);
}

void PlanFilter::setText(const QString& text) {
    m_words = text.split(' ', Qt::SkipEmptyParts);
    invalidateFilter();
    emit filterChanged();
}

void PlanFilter::setAttentionOnly(bool on) {
    m_attentionOnly = on;
    invalidateFilter();
    emit filterChanged();
}

bool PlanFilter::filterAcceptsRow(int row, const QModelIndex& parent) const {
    const QAbstractItemModel* m = sourceModel();
    if (m_attentionOnly && !m->index(row, PlanModel::Status, parent).data(PlanModel::AttentionRole).toBool())
        return false;
    if (m_words.isEmpty())
        return true;
    QString all;
    for (int c = 0; c < m->columnCount(parent); ++c)
        all += m->index(row, c, parent).data().toString() + '\n';
    return std::all_of(m_words.begin(), m_words.end(),
                       [&](const QString& w) { return all.contains(w, Qt::CaseInsensitive); });
}

PlanListModel::PlanListModel(const PlanModel* plan, QObject* parent) : QAbstractTableModel(parent), m_plan(plan) {}

void PlanListModel::setHeaders(const QStringList& headers) {
    m_headers = headers;
    emit headerDataChanged(Qt::Horizontal, 0, std::max(0, columnCount() - 1));
}

void PlanListModel::refresh(plan::Date from, int months, const std::vector<bool>& shown) {
    beginResetModel();
    m_changes = plan::changeDates(m_plan->plan(), from, months);
    if (!shown.empty())
        std::erase_if(m_changes, [&](const plan::ChangeEntry& c) { return c.point >= shown.size() || !shown[c.point]; });
    endResetModel();
}

int PlanListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return static_cast<int>(m_changes.size());
}

int PlanListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 7;
}

QVariant PlanListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int c = index.column();
    const plan::ChangeEntry& e = m_changes[index.row()];
    if (role == Qt::BackgroundRole && e.overdue)
        return PlanModel::statusColour(PointStatus::Overdue);
    if (role != Qt::DisplayRole)
        return {};
    const plan::PlantPoint& p = m_plan->file().points[e.point];
    const plan::PointPlan& pp = m_plan->plan()[e.point];
    switch (c) {
    case 0: return PlanModel::dateText(qs(plan::isoDate(e.date)));
    // A shared unit is changed once, under its own name.
    case 1: return qs(pp.unit.empty() ? p.cell(OwnColumn::Id) : pp.unit);
    case 2: return qs(p.cell(OwnColumn::Location));
    case 3: return qs(p.cell(OwnColumn::Machine));
    case 4: return qs(core::lubricatorName(pp.inputs.Lubricator));
    case 5: return m_plan->greaseText(pp.inputs.Grease);
    case 6: return qs(pp.setting).replace('|', ' ');
    default: return {};
    }
}

QVariant PlanListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    return m_headers.value(section);
}
