#pragma once
// A whole-number spin edit that computes with what the user types.
//
// While the user types, every change of the text reports the value as typed, even
// above the range (12000 in a field limited to 10000); a value below the range counts
// as the lower bound (-50 as 0), so no negative size or speed is ever computed. An
// empty field counts as the lower bound and shows it at once; an unreadable text
// counts as the lower bound. When the field loses the focus, the value is brought
// into the range and the text shows it.

#include <QAbstractSpinBox>

class TSpinEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    // Only the arrows and keys change a field that cannot be typed in.
    void setTypingAllowed(bool allowed);

    // The value the calculation uses.
    double value() const { return m_value; }
    // Sets the value brought into the range, as the program does (not the user).
    void setValue(double v);

    void stepBy(int steps) override;
    // The colour of the digits. They are drawn by the inner line edit, which a style
    // sheet around the field gives a palette of its own: setting the field's palette
    // alone would not reach them.
    void setTextColour(const QColor& colour);

signals:
    void valueChanged(double value);

protected:
    StepEnabled stepEnabled() const override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void onTextEdited(const QString& text);
    void showValue();
    void commit(double v);

    int m_min = 0;
    int m_max = 99;
    double m_value = 0;
    bool m_updating = false;
};
