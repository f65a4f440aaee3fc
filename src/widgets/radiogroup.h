#pragma once
// A titled group of radio buttons laid out in columns, addressed by item index.
// Clicking an item emits clicked(index); setting the index from code does not.
// The group is one Tab stop (the chosen item, or the first enabled one); the arrow
// keys move the choice inside it.

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

class QGridLayout;
class QRadioButton;

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit TRadioGroup(QWidget* parent = nullptr);

    void setItems(const QStringList& items);
    QStringList items() const;
    int count() const { return static_cast<int>(m_buttons.size()); }
    void setItemText(int index, const QString& text);
    QString itemText(int index) const;

    void setColumns(int columns);
    int columns() const { return m_columns; }

    // -1: nothing chosen.
    int itemIndex() const;
    void setItemIndex(int index);

    void setItemEnabled(int index, bool enabled);
    bool isItemEnabled(int index) const;
    QRadioButton* button(int index) const;

    // Without frame and title: the group inside a box of its own. (A style sheet
    // would do the same, but it stops font changes from reaching the items.)
    void setFrameless(bool frameless);

protected:
    void paintEvent(QPaintEvent* event) override;

signals:
    void clicked(int index);

private:
    void relayout();
    void updateTabStop();

    QButtonGroup m_group;
    QList<QRadioButton*> m_buttons;
    QGridLayout* m_layout;
    int m_columns = 1;
    bool m_frameless = false;
};
