#include "widgets/badge.h"

#include "reports/setting.h"

#include <QFontMetrics>
#include <QPainter>

TBadge::TBadge(QWidget* parent) : QWidget(parent) {}

// Each input change sets every property; only a change is drawn again.

void TBadge::setText(const QString& text) {
    if (m_text == text)
        return;
    m_text = text;
    update();
}

void TBadge::setTextColour(const QColor& colour) {
    if (m_textColour == colour)
        return;
    m_textColour = colour;
    update();
}

void TBadge::setTextSize(int pixels) {
    if (m_textSize == pixels)
        return;
    m_textSize = pixels;
    update();
}

void TBadge::setFontFamily(const QString& family) {
    if (m_family == family)
        return;
    m_family = family;
    update();
}

QFont TBadge::badgeFont() const {
    QFont f = font();
    if (!m_family.isEmpty())
        f.setFamily(m_family);
    f.setPixelSize(m_textSize);
    return f;
}

void TBadge::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(245, 245, 245));
    const int w = width(), h = height();
    const int r = unctora::reports::badgeCornerRadius(w);
    p.setPen(Qt::black);
    p.setBrush(m_background);
    p.drawRoundedRect(QRectF(2, 2, w - 4, h - 4), r / 2.0, r / 2.0);
    const QFont f = badgeFont();
    p.setFont(f);
    p.setPen(m_textColour);
    const QFontMetrics fm(f);
    const auto lines = unctora::reports::layoutBadgeText(
        m_text.toStdString(), w, h, fm.height(), [&fm](std::string_view line) {
            return fm.horizontalAdvance(QString::fromUtf8(line.data(), static_cast<int>(line.size())));
        });
    for (const auto& line : lines)
        p.drawText(line.x, line.y + fm.ascent(), QString::fromStdString(line.text));
}
