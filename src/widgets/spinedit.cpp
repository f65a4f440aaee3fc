#include "widgets/spinedit.h"

#include "core/round.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <limits>
#include <cmath>

TSpinEdit::TSpinEdit(QWidget* parent) : QAbstractSpinBox(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setKeyboardTracking(true);
    connect(lineEdit(), &QLineEdit::textEdited, this, &TSpinEdit::onTextEdited);
    showValue();
}

void TSpinEdit::setRange(int minimum, int maximum) {
    m_min = minimum;
    m_max = std::max(minimum, maximum);
    setValue(m_value);
}

void TSpinEdit::setTextColour(const QColor& colour) {
    for (QWidget* w : {static_cast<QWidget*>(this), static_cast<QWidget*>(lineEdit())}) {
        // A palette change repolishes the field under the style sheets: only when it changes.
        QPalette p = w->palette();
        if (p.color(QPalette::Text) == colour)
            continue;
        p.setColor(QPalette::Text, colour);
        w->setPalette(p);
        w->update();
    }
}

void TSpinEdit::setTypingAllowed(bool allowed) { lineEdit()->setReadOnly(!allowed); }

void TSpinEdit::setValue(double v) {
    if (std::isnan(v))
        v = m_min;
    // Whole values as everywhere else in the program: halves to the even neighbour.
    v = static_cast<double>(unctora::core::Round(std::clamp(v, double(m_min), double(m_max))));
    commit(v);
    showValue();
}

void TSpinEdit::commit(double v) {
    if (v == m_value)
        return;
    m_value = v;
    emit valueChanged(v);
}

void TSpinEdit::showValue() {
    m_updating = true;
    lineEdit()->setText(QString::number(static_cast<long long>(m_value)));
    m_updating = false;
}

void TSpinEdit::stepBy(int steps) {
    // Steps start from the value brought into the range.
    const double base = std::clamp(m_value, double(m_min), double(m_max));
    setValue(base + steps);
    selectAll();
}

QAbstractSpinBox::StepEnabled TSpinEdit::stepEnabled() const {
    StepEnabled e = StepNone;
    if (m_value < m_max)
        e |= StepUpEnabled;
    if (m_value > m_min)
        e |= StepDownEnabled;
    return e;
}

QValidator::State TSpinEdit::validate(QString&, int&) const {
    // Any text may be typed; what it means is decided as it changes.
    return QValidator::Acceptable;
}

void TSpinEdit::fixup(QString& input) const { input = QString::number(static_cast<long long>(m_value)); }

void TSpinEdit::onTextEdited(const QString& text) {
    if (m_updating)
        return;
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        // An emptied field counts as the lower bound and shows it at once.
        commit(m_min);
        showValue();
        lineEdit()->selectAll();
        return;
    }
    // Typed values are used as they stand until the field is left; an unreadable
    // text counts as the lower bound. A whole number beyond 32 bits is used as leaving
    // the field would make it: brought into the range, never cut down to some other
    // number on its way into the calculation or the settings file.
    static const QRegularExpression wholeNumber(QStringLiteral("^[+-]?[0-9]+$"));
    if (!wholeNumber.match(t).hasMatch()) {
        commit(m_min);
        return;
    }
    bool ok = false;
    const long long typed = t.toLongLong(&ok);
    const bool negative = t.startsWith('-');
    if (!ok || typed > std::numeric_limits<int>::max() || typed < std::numeric_limits<int>::min())
        commit(negative ? m_min : m_max);
    else if (typed < m_min)
        // Nothing below the range is computed, not even on the way to a number: a
        // minus typed first, or a digit deleted, would show a negative quantity.
        commit(m_min);
    else
        commit(static_cast<double>(typed));
}

void TSpinEdit::focusOutEvent(QFocusEvent* event) {
    setValue(m_value);
    QAbstractSpinBox::focusOutEvent(event);
}
