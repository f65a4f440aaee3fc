#pragma once
// The points of a plant plan as a table model: the plant file's texts where a person
// edits them (Id, location, machine, installation date, volume, remarks), and what the
// plan makes of each point beside them. Every change re-plans the point it touches.
// The columns of other programs that the file has follow, read-only. Dates are shown
// and taken in the user's locale, and stored as ISO 8601.

#include "core/units.h"
#include "plan/plan.h"

#include <QAbstractTableModel>

namespace unctora::strings {
class StringTable;
}
#include <QSortFilterProxyModel>
#include <QStringList>

class QDate;

class PlanModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Id, Location, Machine, Unit, Bearing, Lubricator, Grease, Setting, Months, NextChange,
        GreasePerYear, Status, InstalledOn, Volume, Remarks,
        // The last change recorded in the history: its day, and who did it.
        LastChange, ChangedBy, ColumnCount
    };
    // Sorts numbers as numbers, dates as dates, statuses by urgency.
    static constexpr int SortRole = Qt::UserRole;
    static constexpr int StatusRole = Qt::UserRole + 1;
    // Whether the point needs looking at: a status other than OK, or an attention.
    static constexpr int AttentionRole = Qt::UserRole + 2;

    explicit PlanModel(QObject* parent = nullptr);

    // The words the table shows: column headers, status names, "Unspecified", the mass
    // unit labels; set again when the language changes.
    struct Texts {
        QStringList headers;  // ColumnCount entries
        QStringList statuses;  // Ok, DueSoon, Overdue, Failed, Invalid, TooSmall, NotPlanned
        QStringList attention; // OverGreased, GreaseUnsuitable, InstalledInFuture, DuplicateId, LifeCapped,
                               // SettingDiffers
        // Leads the tip of a point whose setting is out of the unit's range.
        QString outOfRange;
        // The language the point's messages are told in; none: English.
        const unctora::strings::StringTable* table = nullptr;
        QString unspecified = "Unspecified";
        QString gram = "g";
        QString ounce = "oz";
        QString perYear = "/year";
    };
    void setTexts(const Texts& texts);
    void setUnits(unctora::core::Units units);
    // The day the statuses are counted from.
    void setDay(unctora::plan::Date day);

    // The file's points, planned from their last recorded changes where `history` has them.
    void setFile(unctora::plan::PlantFile file, unctora::plan::LastChangeById history = {});
    const unctora::plan::LastChangeById& history() const { return m_history; }
    // A history read again (a change was recorded): the points are planned anew, the
    // file stays as it is.
    void setHistory(unctora::plan::LastChangeById history);
    const unctora::plan::PlantFile& file() const { return m_file; }
    const std::vector<unctora::plan::PointPlan>& plan() const { return m_plan; }
    // Plans every point again: 10,000 points well within a blink.
    void recalculate();

    // Editing the list; every change marks the plan modified.
    int addPoint(const unctora::core::CalcInputs& inputs);
    // The copy gets an Id of its own: "FAN-101 (2)".
    int duplicatePoint(int row);
    void removePoints(QList<int> rows);
    void storeInputs(int row, const unctora::core::CalcInputs& inputs);
    // The inputs a point is computed with (its cells read as the calculator reads them).
    unctora::core::CalcInputs inputsOf(int row) const { return m_plan[row].inputs; }

    bool modified() const { return m_modified; }
    void setModified(bool modified);
    // The dialect a save wrote (a file may have become UTF-8).
    void setDialect(const unctora::plan::CsvDialect& dialect) { m_file.dialect = dialect; }
    // A date as the locale shows it, and a date typed in any of the locale's formats or
    // as ISO 8601; an invalid QDate when it is none.
    static QString dateText(const QString& iso);
    // The locale's short date format with the year in full (ISO 8601 in the C locale).
    static QString dateFormat();
    // Which own column of the plant file an editable table column shows.
    static std::optional<unctora::plan::OwnColumn> ownColumn(int column);
    static QDate readDate(const QString& text);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    static QColor statusColour(unctora::plan::PointStatus status);
    // The row colour of a planned point that needs looking at.
    static QColor attentionColour();
    // What the point's status and attention say, and why, one line each.
    QString statusText(const unctora::plan::PointPlan& p) const;
    QString messagesText(const unctora::plan::PointPlan& p) const;
    const Texts& texts() const { return m_texts; }
    unctora::core::Units units() const { return m_units; }
    QString greaseText(int grease) const;
    QString massText(double grams) const;

signals:
    void modifiedChanged(bool modified);
    // The plan of one or more points changed: the change dates and purchases follow.
    void planChanged();

private:
    void replan(int row);
    QString text(int row, int column) const;

    unctora::plan::PlantFile m_file;
    unctora::plan::LastChangeById m_history;
    std::vector<unctora::plan::PointPlan> m_plan;
    Texts m_texts;
    unctora::core::Units m_units = unctora::core::Units::SI;
    unctora::plan::Date m_day = unctora::plan::today();
    bool m_modified = false;
};

// The cartridge changes of the coming months as a table: the texts are made when the
// view asks for them, so a plant of thousands of points lists its year at once. What
// they take to buy is PurchaseModel's (windows/purchasemodel.h).
class PlanListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit PlanListModel(const PlanModel* plan, QObject* parent = nullptr);
    void setHeaders(const QStringList& headers);
    // Lists the changes from `from` for `months` months of the points `shown` lets
    // through (all when it is empty).
    void refresh(unctora::plan::Date from, int months, const std::vector<bool>& shown = {});
    const std::vector<unctora::plan::ChangeEntry>& changes() const { return m_changes; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const PlanModel* m_plan;
    QStringList m_headers;
    std::vector<unctora::plan::ChangeEntry> m_changes;
};

// The points the filter lets through: those whose texts contain every word typed, and
// with `attentionOnly` those that are overdue, due soon, failed or invalid.
class PlanFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit PlanFilter(QObject* parent = nullptr);
    void setText(const QString& text);
    void setAttentionOnly(bool on);
    // Whether the point in this row of the source model is let through.
    bool accepts(int sourceRow) const { return filterAcceptsRow(sourceRow, {}); }

signals:
    void filterChanged();

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override;

private:
    QStringList m_words;
    bool m_attentionOnly = false;
};
