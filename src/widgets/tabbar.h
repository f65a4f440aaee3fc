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
    // The width of every tab while all captions fit in it; otherwise each tab is
    // as wide as its caption needs and the rest of the strip is shared out evenly.
    void setTabWidth(int width);
    int tabWidth() const { return m_width; }

protected:
    QSize tabSizeHint(int index) const override;
    void paintEvent(QPaintEvent* event) override;
    void tabInserted(int index) override;
    void tabRemoved(int index) override;
    void changeEvent(QEvent* event) override;

private:
    QList<int> fittedWidths() const;
    int captionWidth(int index) const;

    int m_width = 143;
};
