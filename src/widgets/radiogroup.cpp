#include "widgets/radiogroup.h"

#include <QGridLayout>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

// A couple of pixels to spare: the style's size is the text's width rounded, and a
// font whose last letter reaches that edge (DejaVu Serif's "l") loses its last column.
// As high as the text is drawn: the style takes the whole line of a fall-back font
// (Thai) for the text, several pixels more than its letters need, and in a column
// of such items the last ones ran out of room.
class Item : public QRadioButton {
public:
    using QRadioButton::QRadioButton;
    QSize sizeHint() const override {
        const QSize s = QRadioButton::sizeHint() + QSize(2, 0);
        QStyleOptionButton opt;
        initStyleOption(&opt);
        const int indicator = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, &opt, this);
        const int text = fontMetrics().size(Qt::TextShowMnemonic, this->text()).height();
        const int drawn =
            style()->sizeFromContents(QStyle::CT_RadioButton, &opt, QSize(s.width(), std::max(indicator, text)), this)
                .height();
        return {s.width(), std::min(s.height(), std::max(drawn, text))};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }
};

} // namespace

TRadioGroup::TRadioGroup(QWidget* parent) : QGroupBox(parent), m_layout(new QGridLayout(this)) {
    m_group.setExclusive(true);
    m_layout->setContentsMargins(6, 2, 6, 2);
    m_layout->setHorizontalSpacing(6);
    m_layout->setVerticalSpacing(0);
    connect(&m_group, &QButtonGroup::idClicked, this, &TRadioGroup::clicked);
    connect(&m_group, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on)
            updateTabStop();
    });
}

void TRadioGroup::setItems(const QStringList& items) {
    const int keep = itemIndex();
    while (m_buttons.size() > items.size()) {
        QRadioButton* b = m_buttons.takeLast();
        m_group.removeButton(b);
        delete b;
    }
    for (int i = 0; i < items.size(); ++i) {
        if (i == m_buttons.size()) {
            auto* b = new Item(this);
            b->setObjectName(objectName() + QString::number(i));
            m_group.addButton(b, i);
            m_buttons.push_back(b);
        }
        m_buttons[i]->setText(items[i]);
    }
    relayout();
    // The chosen index stays; beyond the new last item the last item is chosen.
    if (keep >= count())
        setItemIndex(count() - 1);
    updateTabStop();
}

QStringList TRadioGroup::items() const {
    QStringList l;
    for (auto* b : m_buttons)
        l << b->text();
    return l;
}

void TRadioGroup::setItemText(int index, const QString& text) {
    if (index >= 0 && index < count())
        m_buttons[index]->setText(text);
}

QString TRadioGroup::itemText(int index) const {
    return index >= 0 && index < count() ? m_buttons[index]->text() : QString();
}

void TRadioGroup::setColumns(int columns) {
    m_columns = std::max(1, columns);
    relayout();
}

void TRadioGroup::relayout() {
    for (auto* b : m_buttons)
        m_layout->removeWidget(b);
    const int n = count();
    const int rows = (n + m_columns - 1) / std::max(1, m_columns);
    for (int i = 0; i < n; ++i)
        m_layout->addWidget(m_buttons[i], rows ? i % rows : 0, rows ? i / rows : 0);
}

int TRadioGroup::itemIndex() const { return m_group.checkedId(); }

void TRadioGroup::setItemIndex(int index) {
    if (index >= 0 && index < count()) {
        m_buttons[index]->setChecked(true);
        return;
    }
    // No item chosen: an exclusive group needs to be opened for that.
    m_group.setExclusive(false);
    for (auto* b : m_buttons)
        b->setChecked(false);
    m_group.setExclusive(true);
    updateTabStop();
}

void TRadioGroup::setItemEnabled(int index, bool enabled) {
    if (index >= 0 && index < count())
        m_buttons[index]->setEnabled(enabled);
    updateTabStop();
}

void TRadioGroup::updateTabStop() {
    // Tab stops at one item of the group, not at each: the chosen one, or the first
    // that can be chosen. Without this every button would be a stop until the first
    // one took the focus.
    QRadioButton* stop = nullptr;
    const int chosen = itemIndex();
    if (chosen >= 0 && chosen < count() && m_buttons[chosen]->isEnabled())
        stop = m_buttons[chosen];
    for (int i = 0; !stop && i < count(); ++i)
        if (m_buttons[i]->isEnabled())
            stop = m_buttons[i];
    for (auto* b : m_buttons)
        b->setFocusPolicy(b == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

bool TRadioGroup::isItemEnabled(int index) const {
    return index >= 0 && index < count() && m_buttons[index]->isEnabled();
}

QRadioButton* TRadioGroup::button(int index) const {
    return index >= 0 && index < count() ? m_buttons[index] : nullptr;
}

void TRadioGroup::setFrameless(bool frameless) {
    m_frameless = frameless;
    setFlat(frameless);
    m_layout->setContentsMargins(6, frameless ? 0 : 2, 6, frameless ? 0 : 2);
    update();
}

void TRadioGroup::paintEvent(QPaintEvent* event) {
    if (!m_frameless)
        QGroupBox::paintEvent(event);
}
