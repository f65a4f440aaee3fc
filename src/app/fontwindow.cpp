#include "app/fontwindow.h"

TfrmSelFont::TfrmSelFont(QWidget* parent) : QDialog(parent) {
    setObjectName("frmSelFont");
    setWindowTitle("Select font");
}
