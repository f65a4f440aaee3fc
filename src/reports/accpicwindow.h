#pragma once
// The accessory picture window: shows the picture of the accessory row chosen on the
// "Accessories" tab beside the main window.

#include <QWidget>

class TfrmAccPic : public QWidget {
    Q_OBJECT
public:
    explicit TfrmAccPic(QWidget* parent = nullptr);
};
