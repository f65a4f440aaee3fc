#include "tabs/acctab.h"

#include "reports/accessories.h"
#include "text/keys.h"
#include "strings/stringtable.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace R = unctora::reports;
namespace K = unctora::text::keys;

namespace {

// The accessories grid keeps its column headings, row 0, in view while the rows
// scroll: a second view of row 0 lies over the top of the viewport. The grid itself
// keeps all its rows, so what is printed, copied or exported is unchanged.
class AccGrid : public QTableWidget {
public:
    AccGrid() {
        m_heading = new QTableView(this);
        m_heading->setObjectName("sgAccHeading");
        m_heading->setModel(model());
        m_heading->horizontalHeader()->hide();
        m_heading->verticalHeader()->hide();
        m_heading->setFrameShape(QFrame::NoFrame);
        m_heading->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_heading->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_heading->setFocusPolicy(Qt::NoFocus);
        m_heading->setSelectionMode(QAbstractItemView::NoSelection);
        m_heading->setEditTriggers(QAbstractItemView::NoEditTriggers);
        m_heading->setWordWrap(true);
        m_heading->horizontalHeader()->setStretchLastSection(true);
        connect(model(), &QAbstractItemModel::rowsInserted, this, [this] { placeHeading(); });
        // Whole rows would jump under the heading; pixels let every row come into view.
        setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    }
    QAbstractItemView* heading() const { return m_heading; }

    void scrollTo(const QModelIndex& index, ScrollHint hint) override {
        QTableWidget::scrollTo(index, hint);
        // A row brought into view at the top would lie under the heading.
        if (index.row() <= 0)
            return;
        const int covered = rowHeight(0) - visualRect(index).top();
        if (covered > 0)
            verticalScrollBar()->setValue(verticalScrollBar()->value() - covered);
    }

protected:
    void updateGeometries() override {
        QTableWidget::updateGeometries();
        placeHeading();
    }

private:
    void placeHeading() {
        if (!m_heading)
            return;
        for (int r = 1; r < rowCount(); ++r)
            m_heading->setRowHidden(r, true);
        if (rowCount() > 0)
            m_heading->setRowHeight(0, rowHeight(0));
        for (int c = 0; c + 1 < columnCount(); ++c)
            m_heading->setColumnWidth(c, columnWidth(c));
        const QRect area = viewport()->geometry();
        m_heading->setGeometry(area.left(), area.top(), area.width(), rowCount() > 0 ? rowHeight(0) : 0);
        m_heading->setVisible(rowCount() > 0);
        m_heading->raise();
    }

    QTableView* m_heading = nullptr;
};

} // namespace

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
    auto* grid = new AccGrid;
    sgAcc = grid;
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
    m_heading = grid->heading();
    m_heading->viewport()->installEventFilter(this);
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
    const bool overHeading = m_heading && watched == m_heading->viewport();
    if (watched == sgAcc->viewport() || overHeading) {
        if (event->type() == QEvent::Wheel) {
            // The wheel scrolls the list, also over the heading, and shows the picture
            // again; the current row stays.
            emit pictureWanted(currentDesignation());
            if (overHeading) {
                QCoreApplication::sendEvent(sgAcc->viewport(), event);
                return true;
            }
            return false;
        }
        if (event->type() == QEvent::MouseButtonDblClick &&
            static_cast<QMouseEvent*>(event)->modifiers().testFlag(Qt::ShiftModifier)) {
            emit shiftDoubleClicked();
            return true;
        }
        // The heading is no row to choose: a click on it would choose the row beneath.
        if (overHeading && (event->type() == QEvent::MouseButtonPress ||
                            event->type() == QEvent::MouseButtonRelease ||
                            event->type() == QEvent::MouseButtonDblClick))
            return true;
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
