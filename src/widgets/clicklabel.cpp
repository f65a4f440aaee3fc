#include "widgets/clicklabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

void TClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(event->modifiers());
    QLabel::mouseReleaseEvent(event);
}

void TClickLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    emit doubleClicked();
    QLabel::mouseDoubleClickEvent(event);
}

void TClickLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat()) {
            emit clicked(event->modifiers());
            return;
        }
        break;
    default:
        break;
    }
    QLabel::keyPressEvent(event);
}

void TClickLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter p(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(1, 1, -1, -1);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
}
