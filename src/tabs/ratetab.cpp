#include "tabs/ratetab.h"
#include "widgets/accent.h"

#include "pictures/pictures.h"
#include "reports/ratetable.h"
#include "text/keys.h"
#include "strings/stringtable.h"
#include "widgets/radiogroup.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>

namespace R = unctora::reports;
namespace K = unctora::text::keys;

RateTab::RateTab(Context context, QWidget* parent) : QWidget(parent), m_context(std::move(context)) {
    setObjectName("tabDispRate");
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(245, 245, 245));
    setPalette(pal);

    labDisprate = new QLabel("Dispense rate of Talvik MERIDOSE", this);
    labDisprate->setObjectName("labDisprate");
    QFont heading = labDisprate->font();
    heading.setPixelSize(16);
    heading.setBold(true);
    labDisprate->setFont(heading);
    // High enough for the tall lines of Thai in any display font.
    labDisprate->setGeometry(12, 6, 600, 31);

    rgRateSelLub = new TRadioGroup(this);
    rgRateSelLub->setObjectName("rgRateSelLub");
    QStringList models;
    for (int item = 0; item < R::kRateItemCount; ++item)
        models << QString::fromStdString(unctora::core::lubricatorName(R::rateModel(item)));
    rgRateSelLub->setItems(models);
    rgRateSelLub->setColumns(R::kRateItemCount);
    rgRateSelLub->setItemIndex(1);
    rgRateSelLub->setGeometry(12, 38, 580, 44);
    connect(rgRateSelLub, &TRadioGroup::clicked, this, &RateTab::buildRateTable);

    sgRate = new QTableWidget(this);
    sgRate->setObjectName("sgRate");
    sgRate->setColumnCount(R::kRateColumnCount);
    sgRate->horizontalHeader()->hide();
    sgRate->verticalHeader()->hide();
    sgRate->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgRate->setSelectionMode(QAbstractItemView::NoSelection);
    sgRate->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sgRate->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sgRate->move(12, 92);
    sgRate->installEventFilter(this);
    for (int c = 0; c < R::kRateColumnCount; ++c)
        sgRate->setColumnWidth(c, R::kRateColumnWidths[c]);
    connect(sgRate, &QTableWidget::currentCellChanged, this, [this](int row, int column, int oldRow, int) {
        // The header row and the setting column are fixed: a click on them leaves the
        // current row where it was (or on the first data row).
        if (row >= 0 && (row == 0 || column == 0)) {
            sgRate->setCurrentCell(row == 0 ? std::max(oldRow, 1) : row, std::max(column, 1));
            return;
        }
        shadeCells();
    });

    imgRate = new QLabel(this);
    imgRate->setObjectName("imgRate");
    bnCopyRate = new QPushButton("&Copy", this);
    bnCopyRate->setObjectName("bnCopyRate");
    bnCopyRate->setToolTip("Copy values to the clipboard");
    connect(bnCopyRate, &QPushButton::clicked, this, [this] { emit copyRequested(copyText()); });
}

QString RateTab::text(const char* key) const {
    return QString::fromStdString(
        unctora::strings::LangStr(m_context.table ? m_context.table() : nullptr, key));
}

void RateTab::buildRateTable() {
    const int item = std::max(0, rgRateSelLub->itemIndex());
    const auto* table = m_context.table ? m_context.table() : nullptr;
    const unctora::strings::UnitLabels* labels = m_context.unitLabels ? &m_context.unitLabels() : nullptr;
    const std::string sep = m_context.decimalSeparator ? m_context.decimalSeparator().toStdString() : ".";
    const auto grid = R::rateGrid(item, table, labels, sep);
    sgRate->setRowCount(static_cast<int>(grid.size()));
    for (int r = 0; r < sgRate->rowCount(); ++r) {
        sgRate->setRowHeight(r, r == 0 ? R::kRateHeaderRowHeight : R::kRateRowHeight);
        for (int c = 0; c < R::kRateColumnCount; ++c) {
            auto* cell = new QTableWidgetItem(QString::fromStdString(grid[r][c]));
            cell->setTextAlignment(Qt::AlignCenter);
            if (r == 0) {
                cell->setData(Qt::TextAlignmentRole, int(Qt::AlignCenter));
                cell->setFlags(Qt::ItemIsEnabled);
            }
            sgRate->setItem(r, c, cell);
        }
    }
    sgRate->setWordWrap(true);
    fitGrid();
    sgRate->setCurrentCell(1, 1);
    shadeCells();
    if (const int picture = R::ratePicture(item); picture != m_picture) {
        m_picture = picture;
        m_pictureDrawn = false;
        imgRate->resize(unctora::pictures::settingPictureSize(m_picture));
    }
    if (isVisible())
        drawPicture();
    placePicture();
    sgRate->show();
    imgRate->show();
    bnCopyRate->show();
}

void RateTab::fitGrid() {
    if (sgRate->rowCount() == 0)
        return;
    // Header texts wrap inside their cells (the cell keeps 3 pixels at each side):
    // the setting column widens for a word longer than it, and the header row grows
    // for a header that needs a third line, both in the font the grid shows now.
    const QFontMetrics fm(sgRate->font());
    constexpr int padding = 2 * 3 + 2;
    int settingWidth = R::kRateColumnWidths[0];
    if (const QTableWidgetItem* setting = sgRate->item(0, 0))
        for (const QString& word : setting->text().split(QRegularExpression("\\s+"), Qt::SkipEmptyParts))
            settingWidth = std::max(settingWidth, fm.horizontalAdvance(word) + padding);
    sgRate->setColumnWidth(0, settingWidth);
    int headerHeight = R::kRateHeaderRowHeight;
    for (int c = 0; c < sgRate->columnCount(); ++c)
        if (const QTableWidgetItem* header = sgRate->item(0, c); header && !header->text().isEmpty()) {
            QString text = header->text();
            text.replace('\r', QChar::LineSeparator).replace('\n', QChar::LineSeparator);
            const QRect room(0, 0, sgRate->columnWidth(c) - 2 * 3, 1000);
            const QRect need = fm.boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, text);
            headerHeight = std::max(headerHeight, need.height() + 4);
        }
    sgRate->setRowHeight(0, headerHeight);
    // As large as its rows and columns: no empty strip below the last row.
    const int frame = 2 * sgRate->frameWidth();
    sgRate->resize(sgRate->horizontalHeader()->length() + frame, sgRate->verticalHeader()->length() + frame);
    placePicture();
    bnCopyRate->move(sgRate->x(), sgRate->y() + sgRate->height() + 8);
}

bool RateTab::eventFilter(QObject* watched, QEvent* event) {
    // A display font of another width or height (Options, Select font).
    if (watched == sgRate && event->type() == QEvent::FontChange)
        fitGrid();
    return QWidget::eventFilter(watched, event);
}

void RateTab::shadeCells() {
    const QPalette pal = QApplication::palette();
    const int current = sgRate->currentRow();
    for (int r = 0; r < sgRate->rowCount(); ++r)
        for (int c = 0; c < sgRate->columnCount(); ++c) {
            QTableWidgetItem* cell = sgRate->item(r, c);
            if (!cell)
                continue;
            QFont f = sgRate->font();
            switch (R::rateCellShade(r, c, current)) {
            case R::RateCellShade::Fixed:
            case R::RateCellShade::Spacer:
                cell->setBackground(pal.color(QPalette::Button));
                cell->setForeground(pal.color(QPalette::ButtonText));
                break;
            case R::RateCellShade::Selected:
                cell->setBackground(accentColour());
                cell->setForeground(pal.color(QPalette::HighlightedText));
                break;
            case R::RateCellShade::OddRow:
                cell->setBackground(QColor(0xEC, 0xEC, 0xEC));
                cell->setForeground(pal.color(QPalette::Text));
                break;
            case R::RateCellShade::Plain:
                cell->setBackground(pal.color(QPalette::Base));
                cell->setForeground(pal.color(QPalette::Text));
                break;
            }
            cell->setFont(f);
        }
}

void RateTab::drawPicture() {
    if (m_picture < 0 || m_pictureDrawn)
        return;
    imgRate->setPixmap(unctora::pictures::settingPicture(m_picture, devicePixelRatioF()));
    m_pictureDrawn = true;
}

void RateTab::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    drawPicture();
}

void RateTab::placePicture() {
    const int gridRight = sgRate->x() + sgRate->width();
    imgRate->move(R::ratePictureLeft(gridRight, width(), imgRate->width()), sgRate->y());
}

void RateTab::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placePicture();
}

QString RateTab::copyText() const {
    std::vector<std::array<std::string, R::kRateColumnCount>> grid;
    for (int r = 0; r < sgRate->rowCount(); ++r) {
        std::array<std::string, R::kRateColumnCount> row;
        for (int c = 0; c < R::kRateColumnCount; ++c)
            row[c] = sgRate->item(r, c) ? sgRate->item(r, c)->text().toStdString() : std::string();
        grid.push_back(std::move(row));
    }
    return QString::fromStdString(R::rateCopyText(grid));
}

void RateTab::applyLanguage() {
    labDisprate->setText(text(K::strDispRate.data()) + " Talvik MERIDOSE");
    bnCopyRate->setText(text(K::strCopyClip.data()));
    bnCopyRate->setToolTip(text(K::strCopyClipHint.data()));
    buildRateTable();
}
