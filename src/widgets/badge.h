#pragma once
// The setting badge: a rounded rectangle in the accent colour with one or more lines
// of text ("|" separates lines, a "^" centres a line on its own).

#include "widgets/accent.h"

#include <QColor>
#include <QWidget>

class TBadge : public QWidget {
    Q_OBJECT
public:
    explicit TBadge(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return m_text; }
    void setTextColour(const QColor& colour);
    QColor textColour() const { return m_textColour; }
    void setTextSize(int pixels);
    int textSize() const { return m_textSize; }
    void setFontFamily(const QString& family);
    QFont badgeFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    QColor m_textColour = Qt::white;
    QColor m_background = accentColour();
    int m_textSize = 24;
    QString m_family;
};
