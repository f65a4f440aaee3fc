#pragma once
// The font selection window.

#include <QDialog>

class TfrmSelFont : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSelFont(QWidget* parent = nullptr);
};
