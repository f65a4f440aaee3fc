#include "windows/recorddialog.h"

#include "windows/planmodel.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Col { cId, cLocation, cMachine, cLubricator, cSetting, cGrease, cCount };

} // namespace

TfrmRecordChange::TfrmRecordChange(const Texts& texts, const std::vector<Point>& points, QDate day,
                                   QDate latest, const QString& doneBy, const QStringList& greases, QWidget* parent)
    : QDialog(parent), m_points(points) {
    setObjectName("frmRecordChange");
    setWindowTitle(texts.title);
    const auto field = [&](int i) { return texts.fields.value(i); };
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_date = new QDateEdit(day);
    m_date->setObjectName("deRecordDate");
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(PlanModel::dateFormat());
    // A change is recorded once it is done: not for a day to come.
    m_date->setDateRange(QDate(1900, 1, 1), std::max(day, latest));
    m_doneBy = new QLineEdit(doneBy);
    m_doneBy->setObjectName("edRecordDoneBy");
    m_batch = new QLineEdit;
    m_batch->setObjectName("edRecordBatch");
    m_remarks = new QPlainTextEdit;
    m_remarks->setObjectName("memoRecordRemarks");
    m_remarks->setTabChangesFocus(true);
    m_remarks->setFixedHeight(m_remarks->fontMetrics().lineSpacing() * 3 + 12);
    form->addRow(field(0), m_date);
    form->addRow(field(1), m_doneBy);
    form->addRow(field(2), m_batch);
    layout->addLayout(form);

    m_table = new QTableWidget(static_cast<int>(points.size()), cCount);
    m_table->setObjectName("sgRecordPoints");
    QStringList headers = texts.columns;
    while (headers.size() < cSetting)
        headers << QString();
    headers << field(3) << field(4);
    m_table->setHorizontalHeaderLabels(headers);
    m_table->verticalHeader()->hide();
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setEditTriggers(QAbstractItemView::AllEditTriggers);
    for (int r = 0; r < m_table->rowCount(); ++r) {
        const Point& p = m_points[static_cast<std::size_t>(r)];
        const QString shown[] = {p.id, p.location, p.machine, p.lubricator};
        for (int c = 0; c < cSetting; ++c) {
            auto* item = new QTableWidgetItem(shown[c]);
            item->setFlags(Qt::ItemIsEnabled);
            m_table->setItem(r, c, item);
        }
        m_table->setItem(r, cSetting, new QTableWidgetItem(p.setting));
        // The plan's grease unless another one was filled; a name the table does not
        // know may be typed.
        auto* grease = new QComboBox;
        grease->setEditable(true);
        grease->addItems(greases);
        grease->setCurrentText(p.grease);
        grease->setObjectName(QString("cbRecordGrease%1").arg(r));
        m_table->setCellWidget(r, cGrease, grease);
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_table, 1);
    auto* remarks = new QFormLayout;
    remarks->addRow(field(5), m_remarks);
    layout->addLayout(remarks);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->setObjectName("bnRecordButtons");
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Who did it is said once per round; the batch changes with each cartridge.
    (doneBy.isEmpty() ? static_cast<QWidget*>(m_doneBy) : m_batch)->setFocus();
    const int rows = std::min(m_table->rowCount(), 8);
    resize(std::max(560, m_table->horizontalHeader()->length() + 40),
           sizeHint().height() + rows * m_table->verticalHeader()->defaultSectionSize());
}

QDate TfrmRecordChange::date() const { return m_date->date(); }
QString TfrmRecordChange::doneBy() const { return m_doneBy->text().simplified(); }
QString TfrmRecordChange::batch() const { return m_batch->text().simplified(); }
QString TfrmRecordChange::remarks() const { return m_remarks->toPlainText().trimmed(); }

QString TfrmRecordChange::setting(int i) const {
    const QTableWidgetItem* item = m_table->item(i, cSetting);
    return item ? item->text().trimmed() : QString();
}

QString TfrmRecordChange::grease(int i) const {
    const auto* box = qobject_cast<QComboBox*>(m_table->cellWidget(i, cGrease));
    return box ? box->currentText().simplified() : QString();
}

void TfrmRecordChange::accept() {
    if (commit && !commit())
        return;
    QDialog::accept();
}
