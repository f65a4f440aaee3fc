#include "tabs/acctab.h"

#include "reports/accessories.h"
#include "strings/keys.h"
#include "strings/stringtable.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace R = unctora::reports;
namespace K = unctora::strings::keys;

AccTab::AccTab(std::function<const unctora::strings::StringTable*()> table, QWidget* parent)
    : QWidget(parent), m_table(std::move(table)) {
    setObjectName("tabAcc");
    auto* layout = new QVBoxLayout(this);
    labAcc = new QLabel("Accessoires for Talvik MERIDOSE");
    labAcc->setObjectName("labAcc");
    QFont f = labAcc->font();
    f.setPixelSize(16);
    f.setBold(true);
    labAcc->setFont(f);
    layout->addWidget(labAcc);
    sgAcc = new QTableWidget;
    sgAcc->setObjectName("sgAcc");
    sgAcc->setColumnCount(R::kAccColumnCount);
    sgAcc->horizontalHeader()->hide();
    sgAcc->verticalHeader()->hide();
    sgAcc->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgAcc->setSelectionMode(QAbstractItemView::NoSelection);
    sgAcc->setWordWrap(true);
    sgAcc->setColumnWidth(0, R::kAccDesignationColumnWidth);
    sgAcc->horizontalHeader()->setStretchLastSection(true);
    sgAcc->viewport()->installEventFilter(this);
    layout->addWidget(sgAcc, 1);
    connect(sgAcc, &QTableWidget::currentCellChanged, this, [this] {
        shadeCells();
        emit pictureWanted(currentDesignation());
    });
    connect(sgAcc, &QTableWidget::cellClicked, this, [this] { emit pictureWanted(currentDesignation()); });
}

void AccTab::LoadAccessoryDescriptions() {
    m_descriptions = R::loadAccessoryDescriptions(m_table ? m_table() : nullptr);
}

void AccTab::FillAccessoryGrid() {
    const int remembered = sgAcc->currentRow();
    const auto grid = R::accessoryGrid(m_table ? m_table() : nullptr, m_descriptions);
    const QSignalBlocker block(sgAcc);
    sgAcc->setRowCount(static_cast<int>(grid.size()));
    const int lineHeight = sgAcc->fontMetrics().boundingRect("gh").height();
    for (int r = 0; r < sgAcc->rowCount(); ++r) {
        for (int c = 0; c < R::kAccColumnCount; ++c) {
            // A CR in a cell starts its second line.
            QString text = QString::fromStdString(grid[r][c]).replace('\r', '\n');
            auto* cell = new QTableWidgetItem(text);
            cell->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            sgAcc->setItem(r, c, cell);
        }
        if (r > 0)
            sgAcc->setRowHeight(r, R::accessoryRowHeight(grid[r], lineHeight));
    }
    sgAcc->setCurrentCell(R::accessoryRowAfterRefill(remembered, sgAcc->rowCount()), 1);
    shadeCells();
    emit pictureWanted(currentDesignation());
}

QString AccTab::currentDesignation() const {
    const int r = sgAcc->currentRow();
    const QTableWidgetItem* cell = r > 0 ? sgAcc->item(r, 0) : nullptr;
    return cell ? cell->text() : QString();
}

void AccTab::shadeCells() {
    const QPalette pal = QApplication::palette();
    const int current = sgAcc->currentRow();
    for (int r = 0; r < sgAcc->rowCount(); ++r)
        for (int c = 0; c < sgAcc->columnCount(); ++c) {
            QTableWidgetItem* cell = sgAcc->item(r, c);
            if (!cell)
                continue;
            switch (R::accessoryCellShade(r, current)) {
            case R::AccCellShade::Fixed:
                cell->setBackground(pal.color(QPalette::Button));
                cell->setForeground(pal.color(QPalette::ButtonText));
                break;
            case R::AccCellShade::Selected:
                cell->setBackground(QColor(QRgb(R::kAccSelectedBackground)));
                cell->setForeground(pal.color(QPalette::HighlightedText));
                break;
            case R::AccCellShade::OddRow:
                cell->setBackground(QColor(QRgb(R::kAccOddRowBackground)));
                cell->setForeground(pal.color(QPalette::Text));
                break;
            case R::AccCellShade::Plain:
                cell->setBackground(pal.color(QPalette::Base));
                cell->setForeground(pal.color(QPalette::Text));
                break;
            }
        }
}

bool AccTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == sgAcc->viewport()) {
        if (event->type() == QEvent::Wheel) {
            // The wheel shows the picture again but does not move the current row.
            emit pictureWanted(currentDesignation());
            return true;
        }
        if (event->type() == QEvent::MouseButtonDblClick &&
            static_cast<QMouseEvent*>(event)->modifiers().testFlag(Qt::ShiftModifier)) {
            emit shiftDoubleClicked();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

namespace {
std::vector<R::AccGridRow> gridRows(const QTableWidget* grid) {
    std::vector<R::AccGridRow> rows;
    for (int r = 0; r < grid->rowCount(); ++r) {
        R::AccGridRow row;
        for (int c = 0; c < R::kAccColumnCount; ++c)
            row[c] = grid->item(r, c) ? grid->item(r, c)->text().replace('\n', '\r').toStdString() : std::string();
        rows.push_back(std::move(row));
    }
    return rows;
}
} // namespace

std::string AccTab::htmlExport() const {
    R::AccHtmlOptions options;
    const auto* table = m_table ? m_table() : nullptr;
    options.title = unctora::strings::LangStr(table, K::strAcc) + " Talvik MERIDOSE";
    options.languageNumber = unctora::strings::CurrentLanguageNumber(table);
    options.currentRow = sgAcc->currentRow();
    options.highlightText = QApplication::palette().color(QPalette::HighlightedText).rgb() & 0xFFFFFF;
    return R::accessoryHtml(gridRows(sgAcc), options);
}

QString AccTab::copyText() const { return QString::fromStdString(R::accessoryCopyText(gridRows(sgAcc))); }

void AccTab::applyLanguage() {
    labAcc->setText(QString::fromStdString(unctora::strings::LangStr(m_table ? m_table() : nullptr, K::strAcc)) +
                    " Talvik MERIDOSE");
    LoadAccessoryDescriptions();
    FillAccessoryGrid();
}
