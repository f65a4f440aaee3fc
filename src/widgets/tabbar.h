#pragma once
// The owner-drawn tab strip of the main window: the active tab bold and black on
// RGB(238,238,238), the others regular on RGB(199,199,199), captions after three
// blanks, every tab the same width. With the focus, the active tab shows a focus
// frame and the arrow keys switch tabs (QTabBar's own keys).

#include <QTabBar>

class TPageTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit TPageTabBar(QWidget* parent = nullptr);
    void setTabWidth(int width);
    int tabWidth() const { return m_width; }

protected:
    QSize tabSizeHint(int index) const override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_width = 143;
};
