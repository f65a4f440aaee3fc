#pragma once
// The "Cartridges to buy" tab of the plant plan: what the coming year's changes take
// to buy and, when the plant keeps a stock list beside its file, what is in store and
// when to order. A plant without one gets a button that starts it. The store and the
// lead time are edited in the table; a list that cannot be read or written, and rows
// of it that are not used, are said through the message sink.

#include "plan/date.h"

#include <QWidget>
#include <vector>

class MessageSink;
class PlanModel;
class PurchaseModel;
class QLabel;
class QPushButton;
class QTableView;
namespace unctora::strings {
class StringTable;
}

class PurchasePage : public QWidget {
    Q_OBJECT
public:
    PurchasePage(const PlanModel* plan, MessageSink* messages, QWidget* parent = nullptr);

    void applyLanguage(const unctora::strings::StringTable* table);
    // The plant file the plan works on (empty: not saved yet); its stock list is read.
    void setPlantPath(const QString& path);
    void refresh(unctora::plan::Date from, int months, const std::vector<bool>& shown = {});
    QTableView* view() const { return m_view; }
    PurchaseModel* model() const { return m_model; }
    // Starts a stock list, as the button does; false when it cannot.
    bool keepStock();

private:
    void updateControls();
    void showProblems();
    QString text(const char* key) const;

    const unctora::strings::StringTable* m_table = nullptr;
    MessageSink* m_messages;
    PurchaseModel* m_model;
    QTableView* m_view;
    QPushButton* m_keep;
    QLabel* m_whole;
};
