#include "widgets/accent.h"
#include "widgets/groupbar.h"

#include <QGridLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

// A caption as high as its font needs (tall scripts such as Thai need more than the
// 19 pixels of the design) and never wider than the bar: a caption that does not fit
// is cut inside its own button instead of pushing the bar's contents out of sight.
class CaptionButton : public QPushButton {
public:
    using QPushButton::QPushButton;
    QSize sizeHint() const override {
        // Measured as drawn, fall-back fonts included; an open group's caption is bold.
        QFont bold = font();
        bold.setBold(true);
        int textHeight = 0;
        for (const QFontMetrics& fm : {fontMetrics(), QFontMetrics(bold)})
            textHeight = std::max({textHeight, fm.height(),
                                   fm.boundingRect(QRect(), Qt::TextSingleLine, text()).height()});
        // The frame and padding take 2 pixels at each edge; the fall-back fonts of
        // tall scripts bring their own leading, and half the padding is enough then.
        const int frame = textHeight > fontMetrics().height() + 2 ? 2 : 4;
        return {QPushButton::sizeHint().width(), std::max(19, textHeight + frame)};
    }
    QSize minimumSizeHint() const override { return {0, sizeHint().height()}; }
};

} // namespace

TGroupBar::TGroupBar(QWidget* parent) : QWidget(parent) {
    // The groups scroll when the open one does not fit the space the bar is given.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab stops at the captions and the open content, not at the area around them
    // (which scrolls to whatever takes the focus).
    scroll->setFocusPolicy(Qt::NoFocus);
    auto* inner = new QWidget;
    inner->setAutoFillBackground(false);
    scroll->viewport()->setAutoFillBackground(false);
    m_layout = new QVBoxLayout(inner);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(1);
    m_layout->addStretch(1);
    scroll->setWidget(inner);
    outer->addWidget(scroll);
}

int TGroupBar::addGroup(const QString& name, const QString& caption, QWidget* content) {
    auto* button = new CaptionButton(this);
    button->setObjectName(name);
    button->setText(caption);
    button->setCheckable(true);
    button->setFocusPolicy(Qt::TabFocus);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    button->setStyleSheet("QPushButton { text-align: left; padding: 1px 5px; border: 1px solid "
                          "#b4b4b4; border-radius: 2px; background: #e6e6e6; }"
                          "QPushButton:checked { background: #ffffff; }"
                          "QPushButton:hover { border-color: " + accentColourName() + "; }");
    content->setParent(m_layout->parentWidget());
    content->setVisible(false);
    const int index = count();
    m_groups.push_back({button, content, true});
    relayout();
    connect(button, &QPushButton::clicked, this, [this, index] {
        openGroup(index);
        emit opened(index);
    });
    return index;
}

int TGroupBar::openGroupIndex() const {
    for (int i = 0; i < count(); ++i)
        if (m_groups[i].caption->isChecked())
            return i;
    return -1;
}

void TGroupBar::openGroup(int index) {
    for (int i = 0; i < count(); ++i) {
        const bool open = i == index;
        m_groups[i].caption->setChecked(open);
        m_groups[i].content->setVisible(open && m_groups[i].contentShown);
    }
}

void TGroupBar::setContentShown(int index, bool shown) {
    if (index < 0 || index >= count())
        return;
    Group& g = m_groups[index];
    g.contentShown = shown;
    g.content->setVisible(shown && g.caption->isChecked());
}

void TGroupBar::setCaption(int index, const QString& caption) {
    if (index >= 0 && index < count()) {
        m_groups[index].caption->setText(caption);
        m_groups[index].caption->updateGeometry();
    }
}

QString TGroupBar::caption(int index) const {
    return index >= 0 && index < count() ? m_groups[index].caption->text() : QString();
}

QPushButton* TGroupBar::captionButton(int index) const {
    return index >= 0 && index < count() ? m_groups[index].caption : nullptr;
}

QWidget* TGroupBar::content(int index) const {
    return index >= 0 && index < count() ? m_groups[index].content : nullptr;
}

void TGroupBar::highlightOpenGroups(const QColor& accent) {
    for (const Group& g : m_groups) {
        const bool open = g.caption->isChecked();
        QFont f = g.caption->font();
        f.setBold(open);
        g.caption->setFont(f);
        QPalette p = g.caption->palette();
        p.setColor(QPalette::ButtonText, open ? accent : QColor(Qt::black));
        g.caption->setPalette(p);
    }
}

void TGroupBar::mousePressEvent(QMouseEvent* event) {
    emit barClicked();
    QWidget::mousePressEvent(event);
}

void TGroupBar::setCaptionColumns(int columns) {
    m_captionColumns = std::max(0, columns);
    relayout();
}

void TGroupBar::relayout() {
    // Everything out of the layouts, then back in the order the mode calls for.
    for (const Group& g : m_groups) {
        m_layout->removeWidget(g.caption);
        m_layout->removeWidget(g.content);
        if (m_captionGrid)
            m_captionGrid->removeWidget(g.caption);
    }
    if (m_captionGrid) {
        m_layout->removeItem(m_captionGrid);
        delete m_captionGrid;
        m_captionGrid = nullptr;
    }
    int at = 0;
    if (m_captionColumns > 0) {
        m_captionGrid = new QGridLayout;
        m_captionGrid->setSpacing(1);
        for (int i = 0; i < count(); ++i)
            m_captionGrid->addWidget(m_groups[i].caption, i / m_captionColumns, i % m_captionColumns);
        m_layout->insertLayout(at++, m_captionGrid);
        for (const Group& g : m_groups)
            m_layout->insertWidget(at++, g.content);
        return;
    }
    for (const Group& g : m_groups) {
        m_layout->insertWidget(at++, g.caption);
        m_layout->insertWidget(at++, g.content);
    }
}
