#include "widgets/numberfield.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLocale>
#include <QStyle>
#include <QStyleOptionFrame>

#include <cmath>

namespace {

// The number of text in exponent notation with as many digits as fit in width:
// "2.054E+17". The text uses the separator of the user's locale, or a point.
QString shorter(const QString& text, const QFontMetrics& fm, int room) {
    const QChar sep = QLocale().decimalPoint().isEmpty() ? QChar('.') : QLocale().decimalPoint().at(0);
    QString plain = text.trimmed();
    plain.replace(sep, '.');
    bool ok = false;
    const double v = plain.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return text;
    QString best;
    for (int digits = 6; digits >= 0; --digits) {
        best = QString::number(v, 'E', digits);
        // "4.091000E+45" says no more than "4.091E+45".
        const int e = best.indexOf('E');
        int end = e;
        while (best.contains('.') && end > 0 && best[end - 1] == '0')
            --end;
        if (end > 0 && best[end - 1] == '.')
            --end;
        best.remove(end, e - end);
        best.replace('.', sep);
        if (fm.horizontalAdvance(best) <= room)
            break;
    }
    return best;
}

} // namespace

TNumberField::TNumberField(int designedWidth, int widestWidth, QWidget* parent)
    : QLineEdit(parent), m_designed(designedWidth), m_widest(std::max(designedWidth, widestWidth)) {
    setReadOnly(true);
    setFixedWidth(m_designed);
    setAlignment(Qt::AlignRight);
}

int TNumberField::widthFor(const QString& text) const {
    QStyleOptionFrame opt;
    initStyleOption(&opt);
    const int frame = hasFrame() ? style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, this) : 0;
    // The line edit keeps 2 pixels on either side of its text inside the frame; a
    // little more keeps the digits off the frame.
    return fontMetrics().horizontalAdvance(text) + 2 * frame + 4 + 4 + textMargins().left() +
           textMargins().right();
}

void TNumberField::setNumber(const QString& text) {
    if (m_measured && text == m_number && m_shownWidth == width()) {
        setCursorPosition(0);
        return;
    }
    m_number = text;
    m_numberWidth = fontMetrics().horizontalAdvance(m_number) + m_chrome;
    m_shownWidth = -1;
    fit();
}

void TNumberField::shareWidth(const QList<TNumberField*>& column) {
    for (TNumberField* f : column)
        f->m_column = column;
    column.first()->fit();
}

void TNumberField::measure() {
    m_chrome = widthFor(QString());
    m_numberWidth = fontMetrics().horizontalAdvance(m_number) + m_chrome;
    m_measured = true;
    m_shownWidth = -1;
}

int TNumberField::neededWidth() const { return std::clamp(m_numberWidth, m_designed, m_widest); }

void TNumberField::fit() {
    int width = 0;
    for (TNumberField* f : m_column) {
        if (!f->m_measured)
            f->measure();
        width = std::max(width, f->neededWidth());
    }
    for (TNumberField* f : m_column)
        f->show(width);
}

void TNumberField::show(int width) {
    if (width != this->width() || minimumWidth() != width || maximumWidth() != width)
        setFixedWidth(width);
    if (width == m_shownWidth) {
        setCursorPosition(0);
        return;
    }
    QString shown = m_number;
    if (m_numberWidth > width)
        shown = shorter(m_number, fontMetrics(), width - m_chrome);
    const QString tip = shown == m_number ? QString() : m_number;
    if (toolTip() != tip)
        setToolTip(tip);
    if (text() != shown)
        setText(shown);
    setCursorPosition(0);
    m_shownWidth = width;
}

void TNumberField::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_measured = false;
        fit();
    }
}
