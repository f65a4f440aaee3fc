#include "reports/accpicwindow.h"

TfrmAccPic::TfrmAccPic(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName("frmAccPic");
    resize(200, 200);
}
