#pragma once
// A bar of collapsible groups, one open at a time: each group has a caption button and
// a content widget shown only while the group is open. Opening a group (by a click on
// its caption) closes the others and emits opened(index); openGroup() from code does
// the same without the signal.

#include <QWidget>

class QPushButton;
class QVBoxLayout;

class TGroupBar : public QWidget {
    Q_OBJECT
public:
    explicit TGroupBar(QWidget* parent = nullptr);

    // The caption button takes the given object name; returns the group's index.
    int addGroup(const QString& name, const QString& caption, QWidget* content);
    int count() const { return static_cast<int>(m_groups.size()); }

    // Index of the first open group, -1 when none is open.
    int openGroupIndex() const;
    void openGroup(int index);

    void setCaption(int index, const QString& caption);
    QString caption(int index) const;
    QPushButton* captionButton(int index) const;
    QWidget* content(int index) const;
    // A group whose content only repeats its caption keeps the content hidden when it
    // opens, and leaves the room to the other captions.
    void setContentShown(int index, bool shown);
    // Open groups: bold caption in the accent colour; closed: regular, black.
    void highlightOpenGroups(const QColor& accent);

    // Captions side by side in this many columns, the open group's content below all
    // of them: a bar of short captions with long contents then fits a low band.
    // 0 (the default): each content directly below its own caption.
    void setCaptionColumns(int columns);

signals:
    void opened(int index);
    void barClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    struct Group {
        QPushButton* caption;
        QWidget* content;
        bool contentShown = true;
    };
    void relayout();

    QList<Group> m_groups;
    QVBoxLayout* m_layout;
    class QGridLayout* m_captionGrid = nullptr;
    int m_captionColumns = 0;
};
