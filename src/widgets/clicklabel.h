#pragma once
// A label that acts as a button. Given a focus policy it also takes the focus, shows
// it with a focus frame, and Space or Enter click it.

#include <QLabel>

class TClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked(Qt::KeyboardModifiers modifiers);
    void doubleClicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
