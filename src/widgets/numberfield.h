#pragma once
// A read-only field for a computed number that never shows it cut. A line edit
// scrolls a text wider than itself, and the part it shows ("54015136.00" of
// "205364371354015136.00") reads like a plausible number. This one widens itself
// for the whole text, up to a widest width its place allows; a text still wider is
// shown in a shorter notation ("2.054E+17"), with the whole text in the tooltip.
// Fields that stand in one column share their width, so that the column stays
// straight. The width follows the font: a change of the display font fits again.
//
// Every input change sets every field, most of them to the number they already
// show, so a field measures its number once, when the number or its font or style
// changes, and a column is fitted again only when one of its widths changes.

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
    // The width the number needs, clamped to the designed and widest widths.
    int neededWidth() const;
    // Measures the frame and the number again, in the current font and style.
    void measure();

    int m_designed;
    int m_widest;
    QString m_number;
    int m_chrome = 0; // frame and margins: widthFor(QString())
    int m_numberWidth = 0; // widthFor(m_number)
    bool m_measured = false;
    int m_shownWidth = -1; // the width show() last fitted m_number into; -1: to fit
    QList<TNumberField*> m_column{this};
};
