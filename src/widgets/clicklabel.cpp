#include "widgets/clicklabel.h"

#include <QMouseEvent>

void TClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(event->modifiers());
    QLabel::mouseReleaseEvent(event);
}

void TClickLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    emit doubleClicked();
    QLabel::mouseDoubleClickEvent(event);
}
