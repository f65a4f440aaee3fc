#include "widgets/accent.h"
#include "widgets/groupbar.h"

#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

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
    auto* button = new QPushButton(this);
    button->setObjectName(name);
    button->setText(caption);
    button->setCheckable(true);
    button->setFocusPolicy(Qt::TabFocus);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    button->setFixedHeight(19);
    button->setStyleSheet("QPushButton { text-align: left; padding: 1px 6px; border: 1px solid "
                          "#b4b4b4; border-radius: 2px; background: #e6e6e6; }"
                          "QPushButton:checked { background: #ffffff; }"
                          "QPushButton:hover { border-color: " + accentColourName() + "; }");
    content->setParent(m_layout->parentWidget());
    content->setVisible(false);
    const int index = count();
    m_layout->insertWidget(m_layout->count() - 1, button);
    m_layout->insertWidget(m_layout->count() - 1, content);
    m_groups.push_back({button, content});
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
        m_groups[i].content->setVisible(open);
    }
}

void TGroupBar::setCaption(int index, const QString& caption) {
    if (index >= 0 && index < count())
        m_groups[index].caption->setText(caption);
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
