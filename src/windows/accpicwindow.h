#pragma once
// The accessory picture window: a small tool window at the bottom right of the main
// window showing the picture of the accessory in the current row of the grid.

#include <QWidget>

class QLabel;

class TfrmAccPic : public QWidget {
    Q_OBJECT
public:
    explicit TfrmAccPic(QWidget* parent = nullptr);

    // Shows designation's picture (or "No picture available"), sized to the picture
    // and placed anew at the bottom right of mainFrame, with the designation as caption.
    void ShowAccessoryPicture(const QString& designation, const QRect& mainFrame);

    QLabel* Image1;
    QLabel* labNoPic;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
