#pragma once
// The History tab of the plant plan: every cartridge change recorded beside the plant
// file, newest first, narrowed to a point, a location and a period, and to the words
// typed into the window's filter.

#include "plan/history.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QTableView;

class HistoryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Date, Id, Location, Machine, Lubricator, Grease, Setting, DoneBy, Batch, Remarks, RecordedAt, ColumnCount };
    using QAbstractTableModel::QAbstractTableModel;

    void setRecords(unctora::plan::ChangeRecords records);
    const unctora::plan::ChangeRecords& records() const { return m_records; }
    // Lists the records that pass the filter and contain every word, newest first.
    void setFilter(const unctora::plan::HistoryFilter& filter, const QStringList& words);
    const unctora::plan::HistoryFilter& filter() const { return m_filter; }
    const QStringList& words() const { return m_words; }
    void setHeaders(const QStringList& headers);
    const unctora::plan::ChangeRecord& recordAt(int row) const { return m_records[m_rows[std::size_t(row)]]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString text(const unctora::plan::ChangeRecord& r, int column) const;

    unctora::plan::ChangeRecords m_records;
    std::vector<std::size_t> m_newestFirst; // every record
    std::vector<std::size_t> m_rows;        // those shown
    unctora::plan::HistoryFilter m_filter;
    QStringList m_words;
    QStringList m_headers;
};

class HistoryTab : public QWidget {
    Q_OBJECT
public:
    explicit HistoryTab(QWidget* parent = nullptr);

    struct Texts {
        QStringList columns; // HistoryModel::ColumnCount entries
        QStringList filters; // point, location, from, to
        QString all;         // the choice that lets every point or location through
    };
    void setTexts(const Texts& texts);
    // The records of the history file, and a note about lines of it set aside (empty: none).
    void setRecords(unctora::plan::ChangeRecords records, const QString& note);
    // The words of the window's filter.
    void setWords(const QString& filterText);

    HistoryModel* model() const { return m_model; }
    QTableView* view() const { return m_view; }

private:
    void fillChoices();
    void apply();

    HistoryModel* m_model = nullptr;
    QTableView* m_view = nullptr;
    QLabel* m_pointLabel = nullptr;
    QLabel* m_locationLabel = nullptr;
    QComboBox* m_point = nullptr;
    QComboBox* m_location = nullptr;
    QCheckBox* m_useFrom = nullptr;
    QCheckBox* m_useTo = nullptr;
    QDateEdit* m_from = nullptr;
    QDateEdit* m_to = nullptr;
    QLabel* m_note = nullptr;
    QStringList m_words;
};
