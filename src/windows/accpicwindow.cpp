#include "windows/accpicwindow.h"

#include "pictures/accpictures.h"
#include "reports/accessories.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

TfrmAccPic::TfrmAccPic(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("frmAccPic");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setAlignment(Qt::AlignCenter);
    labNoPic = new QLabel("No picture available", this);
    labNoPic->setObjectName("labNoPic");
    labNoPic->setAlignment(Qt::AlignCenter);
    QFont f = labNoPic->font();
    f.setBold(true);
    labNoPic->setFont(f);
    QPalette p = labNoPic->palette();
    p.setColor(QPalette::WindowText, Qt::red);
    labNoPic->setPalette(p);
    layout->addWidget(Image1);
    layout->addWidget(labNoPic);
    labNoPic->hide();
    resize(200, 200);
}

void TfrmAccPic::ShowAccessoryPicture(const QString& designation, const QRect& mainFrame) {
    namespace R = unctora::reports;
    const int number = R::accessoryNumber(designation.toStdString());
    const QPixmap picture =
        number >= 0 ? unctora::pictures::accessoryPicture(R::accessoryPictureNumber(number), devicePixelRatioF()) : QPixmap();
    Image1->setPixmap(picture);
    Image1->setAccessibleName(designation);
    Image1->setVisible(!picture.isNull());
    labNoPic->setVisible(picture.isNull());
    const QSize size = picture.isNull() ? QSize(200, 200) : picture.deviceIndependentSize().toSize();
    const QStyle* s = style();
    R::AccWindowMetrics m;
    m.dialogFrameWidth = s->pixelMetric(QStyle::PM_DefaultFrameWidth);
    m.dialogFrameHeight = m.dialogFrameWidth;
    m.captionHeight = s->pixelMetric(QStyle::PM_TitleBarHeight);
    m.verticalScrollBarWidth = s->pixelMetric(QStyle::PM_ScrollBarExtent);
    const R::AccRect r = R::accessoryPictureWindowGeometry(
        {mainFrame.left(), mainFrame.top(), mainFrame.width(), mainFrame.height()}, size.width(),
        size.height(), m);
    setFixedSize(size);
    move(r.left, r.top);
    setWindowTitle(designation);
    show();
}

void TfrmAccPic::mouseDoubleClickEvent(QMouseEvent*) {
    // A double-click copies the picture.
    if (!Image1->pixmap().isNull())
        QApplication::clipboard()->setPixmap(Image1->pixmap());
}
