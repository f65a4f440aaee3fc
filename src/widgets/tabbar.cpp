#include "widgets/tabbar.h"

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

QSize TPageTabBar::tabSizeHint(int index) const {
    const QSize base = QTabBar::tabSizeHint(index);
    return {m_width, std::max(base.height(), fontMetrics().height() + 10)};
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
