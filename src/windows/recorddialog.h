#pragma once
// TfrmRecordChange: the cartridge changes done at one or more points, as the
// technician records them: the day (today unless said otherwise), who did it, the batch
// or lot, the remarks, and for each point the setting dialled and the grease filled,
// both as the plan has them until changed.
//
// OK hands the entries to the commit callable; the dialog closes only when it says
// they are written, so that nothing typed is lost when they cannot be.

#include <QDate>
#include <QDialog>
#include <QStringList>
#include <functional>

class QDateEdit;
class QDialogButtonBox;
class QLineEdit;
class QPlainTextEdit;
class QTableWidget;

class TfrmRecordChange : public QDialog {
    Q_OBJECT
public:
    struct Point {
        QString id, location, machine, lubricator;
        QString setting; // as the plan gives it, lines joined with "|"
        QString grease;
    };
    struct Texts {
        QString title = "Record cartridge change";
        // Date, Done by, Batch or lot, Setting dialled, Grease filled, Remarks
        QStringList fields = {"Date", "Done by", "Batch or lot", "Setting dialled", "Grease filled", "Remarks"};
        // Id, Location, Machine, Lubricator
        QStringList columns = {"Id", "Location", "Machine", "Lubricator"};
    };
    // `day` is offered; no day after `latest` (today) can be chosen.
    TfrmRecordChange(const Texts& texts, const std::vector<Point>& points, QDate day, QDate latest,
                     const QString& doneBy, const QStringList& greases, QWidget* parent = nullptr);

    QDate date() const;
    QString doneBy() const;
    QString batch() const;
    QString remarks() const;
    int pointCount() const { return static_cast<int>(m_points.size()); }
    const Point& point(int i) const { return m_points[static_cast<std::size_t>(i)]; }
    QString setting(int i) const;
    QString grease(int i) const;

    // Called by OK; true when the entries are written and the dialog may close.
    std::function<bool()> commit;

    void accept() override;

private:
    std::vector<Point> m_points;
    QDateEdit* m_date = nullptr;
    QLineEdit* m_doneBy = nullptr;
    QLineEdit* m_batch = nullptr;
    QPlainTextEdit* m_remarks = nullptr;
    QTableWidget* m_table = nullptr;
};
