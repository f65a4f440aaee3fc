#include "windows/purchasemodel.h"

#include "core/greases.h"
#include "text/format.h"
#include "windows/planmodel.h"

#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>

using namespace unctora;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }
std::string path8(const QString& path) { return QFile::encodeName(path).toStdString(); }

} // namespace

PurchaseModel::PurchaseModel(const PlanModel* plan, QObject* parent)
    : QAbstractTableModel(parent), m_plan(plan), m_from(plan::today()) {}

void PurchaseModel::setHeaders(const QStringList& headers, const QStringList& stockHeaders) {
    m_headers = headers.mid(0, kPlainColumns);
    while (m_headers.size() < kPlainColumns)
        m_headers << QString();
    m_headers << stockHeaders.mid(0, ColumnCount - kPlainColumns);
    emit headerDataChanged(Qt::Horizontal, 0, std::max(0, columnCount() - 1));
}

bool PurchaseModel::setPlantPath(const QString& plantPath, QString* error) {
    beginResetModel();
    m_stock = {};
    m_stockPath = plantPath.isEmpty() ? QString() : QFile::decodeName(plan::stockPathFor(path8(plantPath)).c_str());
    bool ok = true;
    if (!m_stockPath.isEmpty()) {
        std::string e;
        plan::StockFile read;
        if (plan::readStock(path8(m_stockPath), read, e)) {
            m_stock = std::move(read);
        } else {
            ok = false;
            if (error)
                *error = qs(e);
        }
    }
    endResetModel();
    replan();
    return ok;
}

bool PurchaseModel::createStock(QString* error) {
    if (m_stockPath.isEmpty() || m_stock.existed)
        return m_stock.existed;
    // A list that is there but could not be read is the user's to mend, not ours to
    // replace.
    if (QFileInfo::exists(m_stockPath)) {
        if (error)
            *error = m_stockPath + ": the file is there but could not be read";
        return false;
    }
    plan::StockFile made;
    made.existed = true;
    // Every item of the plant's changes, whatever the filter lists.
    for (const plan::PurchaseLine& l : plan::purchaseSummary(m_plan->plan(), m_all))
        made.set(l.lubricator, l.grease, 0, plan::kDefaultLeadDays);
    if (made.rows.empty())
        made.columns.assign(std::begin(plan::kStockColumnNames), std::end(plan::kStockColumnNames));
    try {
        plan::writeStock(path8(m_stockPath), made);
    } catch (const std::exception& e) {
        if (error)
            *error = qs(e.what());
        return false;
    }
    beginResetModel();
    m_stock = std::move(made);
    endResetModel();
    replan();
    return true;
}

bool PurchaseModel::setStock(int lubricator, int grease, int inStore, int leadDays, QString* error) {
    if (!m_stock.existed || m_stockPath.isEmpty())
        return false;
    // Set in the list as it is on the disk now, so that what a spreadsheet changed
    // meanwhile is kept.
    plan::StockFile changed;
    std::string readError;
    if (!plan::readStock(path8(m_stockPath), changed, readError)) {
        if (error)
            *error = qs(readError);
        return false;
    }
    // A list removed meanwhile is written again as it was shown.
    if (!changed.existed)
        changed = m_stock;
    changed.set(lubricator, grease, inStore, leadDays);
    try {
        plan::writeStock(path8(m_stockPath), changed);
    } catch (const std::exception& e) {
        if (error)
            *error = qs(e.what());
        return false;
    }
    m_stock = std::move(changed);
    // The lines stay as they are; only their stock and orders change.
    plan::planOrders(m_purchases, m_plan->plan(), m_all, m_stock, m_from);
    if (rowCount() > 0)
        emit dataChanged(index(0, InStore), index(rowCount() - 1, ColumnCount - 1));
    return true;
}

void PurchaseModel::refresh(plan::Date from, int months, const std::vector<bool>& shown) {
    m_from = from;
    m_months = months;
    m_shown = shown;
    replan();
}

void PurchaseModel::replan() {
    beginResetModel();
    m_all = plan::changeDates(m_plan->plan(), m_from, m_months);
    const std::vector<plan::ChangeEntry>& all = m_all;
    std::vector<plan::ChangeEntry> listed = all;
    if (!m_shown.empty())
        std::erase_if(listed, [&](const plan::ChangeEntry& c) { return c.point >= m_shown.size() || !m_shown[c.point]; });
    m_partial = listed.size() != all.size();
    m_purchases = plan::purchaseSummary(m_plan->plan(), listed);
    if (m_stock.existed)
        plan::planOrders(m_purchases, m_plan->plan(), all, m_stock, m_from);
    endResetModel();
}

int PurchaseModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_purchases.size());
}

int PurchaseModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_stock.existed ? ColumnCount : kPlainColumns;
}

QVariant PurchaseModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const plan::PurchaseLine& l = m_purchases[static_cast<std::size_t>(index.row())];
    const int c = index.column();
    const plan::StockOrder* o = l.stock ? &*l.stock : nullptr;
    if (role == Qt::BackgroundRole && c == OrderBy && o && o->overdue)
        return PlanModel::statusColour(plan::PointStatus::Overdue);
    if (role == Qt::EditRole && o && (c == InStore || c == LeadTime))
        return c == InStore ? o->inStore : o->leadDays;
    if (role == Qt::TextAlignmentRole && c != Lubricator && c != Grease && c != OrderBy)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (c) {
    case Lubricator: return qs(core::lubricatorName(l.lubricator));
    case Grease: return m_plan->greaseText(l.grease);
    case Cartridges: return l.cartridges;
    case Volume: return QLocale().toString(l.volumeMl, 'f', 0);
    case GreaseQuantity: return m_plan->massText(l.grams);
    default: break;
    }
    if (!o)
        return {};
    switch (c) {
    case InStore: return o->inStore;
    case LeadTime: return o->leadDays;
    case OrderBy: {
        if (!o->orderBy)
            return {};
        const QString date = PlanModel::dateText(qs(plan::isoDate(*o->orderBy)));
        if (!o->overdue)
            return date;
        try {
            return qs(text::format(m_overdueSince.toStdString(), {date.toStdString()}));
        } catch (const std::exception&) {
            return date;
        }
    }
    case ToOrder: return o->toOrder;
    default: return {};
    }
}

QVariant PurchaseModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    return m_headers.value(section);
}

Qt::ItemFlags PurchaseModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && m_stock.existed && (index.column() == InStore || index.column() == LeadTime))
        f |= Qt::ItemIsEditable;
    return f;
}

bool PurchaseModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable) || index.row() >= rowCount())
        return false;
    const plan::PurchaseLine l = m_purchases[static_cast<std::size_t>(index.row())];
    if (!l.stock)
        return false;
    bool ok = false;
    const int n = value.toString().trimmed().toInt(&ok);
    const int max = index.column() == InStore ? plan::kMaxStock : plan::kMaxLeadDays;
    if (!ok || n < 0 || n > max)
        return false;
    const int inStore = index.column() == InStore ? n : l.stock->inStore;
    const int lead = index.column() == LeadTime ? n : l.stock->leadDays;
    QString error;
    if (!setStock(l.lubricator, l.grease, inStore, lead, &error)) {
        emit stockError(error);
        return false;
    }
    return true;
}
