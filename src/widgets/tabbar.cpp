#include "widgets/tabbar.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

TPageTabBar::TPageTabBar(QWidget* parent) : QTabBar(parent) {
    setExpanding(false);
    setDrawBase(false);
    setElideMode(Qt::ElideRight);
}

void TPageTabBar::setTabWidth(int width) {
    m_width = width;
    updateGeometry();
    update();
}

int TPageTabBar::captionWidth(int index) const {
    // The active tab is bold; any of them can be the active one. Three blanks lead
    // the caption, and it keeps 4 pixels from the next tab.
    QFont bold = font();
    bold.setBold(true);
    return QFontMetrics(bold).horizontalAdvance(QStringLiteral("   ") + tabText(index)) + 4;
}

QList<int> TPageTabBar::fittedWidths() const {
    QList<int> widths(count(), m_width);
    QList<int> shown;
    int needed = 0;
    bool allFit = true;
    for (int i = 0; i < count(); ++i)
        if (isTabVisible(i)) {
            shown << i;
            widths[i] = captionWidth(i);
            needed += widths[i];
            allFit = allFit && widths[i] <= m_width;
        }
    if (allFit) {
        for (int i : shown)
            widths[i] = m_width;
        return widths;
    }
    // What the equal tabs would have filled, shared out over the fitted ones.
    const int strip = m_width * static_cast<int>(shown.size());
    const int spare = std::max(0, strip - needed);
    for (int k = 0; k < shown.size(); ++k)
        widths[shown[k]] += spare / static_cast<int>(shown.size()) + (k < spare % shown.size() ? 1 : 0);
    return widths;
}

QSize TPageTabBar::tabSizeHint(int index) const {
    const QSize base = QTabBar::tabSizeHint(index);
    const int width = index >= 0 && index < count() ? fittedWidths()[index] : m_width;
    return {width, std::max(base.height(), fontMetrics().height() + 10)};
}

void TPageTabBar::tabInserted(int index) {
    QTabBar::tabInserted(index);
    updateGeometry();
}

void TPageTabBar::tabRemoved(int index) {
    QTabBar::tabRemoved(index);
    updateGeometry();
}

void TPageTabBar::changeEvent(QEvent* event) {
    QTabBar::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateGeometry();
}

void TPageTabBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    for (int i = 0; i < count(); ++i) {
        if (!isTabVisible(i))
            continue;
        const QRect r = tabRect(i);
        const bool active = i == currentIndex();
        QFont f = font();
        f.setBold(active);
        p.setFont(f);
        p.fillRect(r, active ? QColor(238, 238, 238) : QColor(199, 199, 199));
        p.setPen(active ? QColor(Qt::black) : QColor(32, 32, 32));
        const QString text = QStringLiteral("   ") + tabText(i);
        QRect textRect = p.fontMetrics().boundingRect(r, Qt::AlignLeft | Qt::TextSingleLine, text);
        textRect.translate(0, 2 + (r.height() - textRect.height()) / 2 - 2);
        p.drawText(textRect, Qt::AlignLeft | Qt::TextSingleLine, text);
        if (active && hasFocus()) {
            // The strip is drawn here, not by the style: the keyboard focus too.
            QStyleOptionFocusRect option;
            option.initFrom(this);
            option.rect = r.adjusted(3, 3, -3, -3);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
        }
    }
}
