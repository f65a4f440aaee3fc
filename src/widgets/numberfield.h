#pragma once
// A read-only field for a computed number that never shows it cut. A line edit
// scrolls a text wider than itself, and the part it shows ("54015136.00" of
// "205364371354015136.00") reads like a plausible number. This one widens itself
// for the whole text, up to a widest width its place allows; a text still wider is
// shown in a shorter notation ("2.054E+17"), with the whole text in the tooltip.
// Fields that stand in one column share their width, so that the column stays
// straight. The width follows the font: a change of the display font fits again.

#include <QLineEdit>

class TNumberField : public QLineEdit {
public:
    TNumberField(int designedWidth, int widestWidth, QWidget* parent = nullptr);

    // The whole text of the number; what the field shows may be shorter.
    void setNumber(const QString& text);
    const QString& number() const { return m_number; }

    // The width the field needs to show text whole in its current font.
    int widthFor(const QString& text) const;

    // Makes fields one column: each takes the width the widest text among them needs.
    static void shareWidth(const QList<TNumberField*>& column);

protected:
    void changeEvent(QEvent* event) override;

private:
    void fit();
    void show(int width);

    int m_designed;
    int m_widest;
    QString m_number;
    QList<TNumberField*> m_column{this};
};
