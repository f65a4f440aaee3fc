#include "app/aboutwindow.h"

#include "app/version.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle(QString::fromStdString(unctora::app::ProgramTitle()));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QString::fromStdString(unctora::app::FullTitle()));
    title->setObjectName("labTitle");
    QFont f = title->font();
    f.setBold(true);
    f.setPixelSize(16);
    title->setFont(f);
    layout->addWidget(title);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

void ShowAboutWindow(QWidget* parent) {
    TfrmAbout about(parent);
    about.exec();
}
