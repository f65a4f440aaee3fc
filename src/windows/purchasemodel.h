#pragma once
// What the cartridge changes of the coming months take to buy, as a table: per model
// and grease the cartridges, their volume and grease. When the plant keeps a stock
// list beside its file, four columns follow: what is in store, how long an order
// takes, the day to order by and how many to order. The store and the lead time are
// edited in the table, and every edit is written to the stock list at once.

#include "plan/date.h"
#include "plan/purchases.h"
#include "plan/stock.h"

#include <QAbstractTableModel>
#include <QStringList>

class PlanModel;

class PurchaseModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Lubricator, Grease, Cartridges, Volume, GreaseQuantity, InStore, LeadTime, OrderBy, ToOrder, ColumnCount };
    static constexpr int kPlainColumns = InStore;

    PurchaseModel(const PlanModel* plan, QObject* parent = nullptr);
    // The five plain headers, then the four of the stock.
    void setHeaders(const QStringList& headers, const QStringList& stockHeaders);
    // The text of an order that should have gone out already ("Overdue since %s").
    void setOverdueText(const QString& overdueSince) { m_overdueSince = overdueSince; }

    // The stock list of the plant file at `plantPath` (none for a plan not saved yet).
    // False with the reason when it is there but cannot be read: the plan then shows
    // no stock, and nothing is written to the file.
    bool setPlantPath(const QString& plantPath, QString* error = nullptr);
    QString stockPath() const { return m_stockPath; }
    bool hasStock() const { return m_stock.existed; }
    const unctora::plan::StockFile& stock() const { return m_stock; }
    // Starts a stock list for the plant: a row for each item listed, nothing in store,
    // the default lead time. False with the reason when it cannot be written.
    bool createStock(QString* error = nullptr);
    // Sets an item's stock and lead time and writes the list; false with the reason
    // when it cannot be written (the list stays as it was).
    bool setStock(int lubricator, int grease, int inStore, int leadDays, QString* error = nullptr);

    // Lists the purchases of the changes from `from` for `months` months of the points
    // `shown` lets through (all when it is empty); the orders count every point's.
    void refresh(unctora::plan::Date from, int months, const std::vector<bool>& shown = {});
    const std::vector<unctora::plan::PurchaseLine>& purchases() const { return m_purchases; }
    // Whether the lines list only some points while the orders count all.
    bool partial() const { return m_partial; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    // An edit could not be written to the stock list.
    void stockError(const QString& message);

private:
    void replan();

    const PlanModel* m_plan;
    QStringList m_headers;
    QString m_overdueSince = "Overdue since %s";
    QString m_stockPath;
    unctora::plan::StockFile m_stock;
    std::vector<unctora::plan::PurchaseLine> m_purchases;
    std::vector<unctora::plan::ChangeEntry> m_all; // every point's changes of the period
    unctora::plan::Date m_from{};
    int m_months = 12;
    std::vector<bool> m_shown;
    bool m_partial = false;
};
