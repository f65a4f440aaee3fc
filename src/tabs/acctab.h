#pragma once
// The "Accessories" tab: the accessories of the lubricators with their designation,
// description and the lubricators they suit.

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QAbstractItemView;
class QLabel;
class QTableWidget;
namespace unctora::strings {
class StringTable;
}

class AccTab : public QWidget {
    Q_OBJECT
public:
    explicit AccTab(std::function<const unctora::strings::StringTable*()> table, QWidget* parent = nullptr);

    // Looks the descriptions up in the current language (when the language is applied).
    void LoadAccessoryDescriptions();
    // Fills the grid keeping the current row, fits the row heights, and asks for the
    // picture of the current row.
    void FillAccessoryGrid();
    QString currentDesignation() const;
    // The grid's HTML export and its clipboard text.
    std::string htmlExport() const;
    QString copyText() const;
    void applyLanguage();

    QLabel* labAcc;
    QTableWidget* sgAcc;

signals:
    // The current row changed (or was clicked, or the wheel turned over the grid).
    void pictureWanted(const QString& designation);
    void shiftDoubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void shadeCells();
    std::function<const unctora::strings::StringTable*()> m_table;
    std::vector<std::string> m_descriptions;
    QAbstractItemView* m_heading = nullptr; // row 0 kept in view over the grid
};
