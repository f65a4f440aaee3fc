#include "windows/purchasepage.h"

#include "desktop/messages.h"
#include "plan/stock.h"
#include "strings/itemlist.h"
#include "strings/stringtable.h"
#include "text/format.h"
#include "windows/purchasemodel.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

using namespace unctora;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// The store and the lead time take whole numbers within the list's range.
class CountDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
        auto* e = new QSpinBox(parent);
        e->setObjectName("spPlanStock");
        e->setRange(0, index.column() == PurchaseModel::InStore ? plan::kMaxStock : plan::kMaxLeadDays);
        return e;
    }
};

} // namespace

PurchasePage::PurchasePage(const PlanModel* plan, MessageSink* messages, QWidget* parent)
    : QWidget(parent), m_messages(messages), m_model(new PurchaseModel(plan, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    m_whole = new QLabel;
    m_whole->setObjectName("labPlanStockWhole");
    m_whole->setWordWrap(true);
    m_keep = new QPushButton("Keep a stock list");
    m_keep->setObjectName("bnPlanKeepStock");
    row->addWidget(m_whole, 1);
    row->addStretch(); // keeps the button at its own width when the note is hidden
    row->addWidget(m_keep);
    layout->addLayout(row);
    m_view = new QTableView;
    m_view->setObjectName("sgPlanPurchases");
    m_view->setModel(m_model);
    m_view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->setAlternatingRowColors(true);
    m_view->setWordWrap(false);
    auto* counts = new CountDelegate(m_view);
    m_view->setItemDelegateForColumn(PurchaseModel::InStore, counts);
    m_view->setItemDelegateForColumn(PurchaseModel::LeadTime, counts);
    layout->addWidget(m_view, 1);
    connect(m_keep, &QPushButton::clicked, this, [this] { keepStock(); });
    connect(m_model, &PurchaseModel::stockError, this, [this](const QString& message) {
        if (m_messages)
            m_messages->showError(message);
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, &PurchasePage::updateControls);
    // An edited store may turn a date into "Overdue since ...".
    connect(m_model, &QAbstractItemModel::dataChanged, this,
            [this] { m_view->resizeColumnToContents(PurchaseModel::OrderBy); });
    updateControls();
}

QString PurchasePage::text(const char* key) const { return m_table ? qs(strings::LangStr(m_table, key)) : QString(); }

void PurchasePage::applyLanguage(const strings::StringTable* table) {
    m_table = table;
    if (!table)
        return;
    auto items = [&](const char* key) {
        QStringList out;
        for (const std::string& s : strings::parseItemList(text(key).toStdString()))
            out << qs(s);
        return out;
    };
    m_model->setHeaders(items("strPlanPurchaseItems"), items("strPlanStockItems"));
    m_model->setOverdueText(text("strPlanOverdueSince"));
    m_keep->setText(text("strPlanStockKeep"));
    m_whole->setText(text("strPlanStockWhole"));
    m_view->setAccessibleName(text("strPlanTabPurchases"));
}

void PurchasePage::setPlantPath(const QString& path) {
    QString error;
    if (!m_model->setPlantPath(path, &error) && m_messages)
        m_messages->showError(error);
    showProblems();
    updateControls();
}

void PurchasePage::showProblems() {
    const plan::StockFile& stock = m_model->stock();
    if (!m_messages || stock.problems.empty())
        return;
    QString message;
    try {
        message = qs(text::format(text("strPlanStockBadRows").toStdString(),
                                  {QFileInfo(m_model->stockPath()).fileName().toStdString()}));
    } catch (const std::exception&) {
        message = m_model->stockPath();
    }
    for (const plan::PlanMessage& m : stock.problems)
        message += "\n" + qs(plan::messageText(m, m_table));
    m_messages->showError(message);
}

void PurchasePage::refresh(plan::Date from, int months, const std::vector<bool>& shown) {
    m_model->refresh(from, months, shown);
}

bool PurchasePage::keepStock() {
    QString error;
    if (!m_model->createStock(&error)) {
        if (m_messages && !error.isEmpty())
            m_messages->showError(error);
        return false;
    }
    return true;
}

void PurchasePage::updateControls() {
    // Sized on what is listed whenever the lines or the columns change.
    m_view->horizontalHeader()->setResizeContentsPrecision(50);
    m_view->resizeColumnsToContents();
    const bool stock = m_model->hasStock();
    m_keep->setVisible(!stock);
    // Not over a list that is there but could not be read.
    m_keep->setEnabled(!m_model->stockPath().isEmpty() && !QFileInfo::exists(m_model->stockPath()));
    m_whole->setVisible(stock && m_model->partial());
}
