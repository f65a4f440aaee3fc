#include "windows/aboutwindow.h"

#include "desktop/messages.h"
#include "core/version.h"
#include "pictures/pictures.h"
#include "widgets/accent.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>
#include <qdrawutil.h>
#include <functional>

namespace {

// The maker's texts. Talvik and everything about it is made up; the addresses are
// of the reserved example domain.
const char* const kAddress[] = {
    "Talvik Lubrication Systems",
    "14 Greasewell Lane",
    "Millbrook EX9 4TV",
    "United Kingdom",
};
// The program is free software under the MIT licence of the LICENSE file; the legal
// line and the notice say what it says, with its holder and year.
const char* const kLegalLine = "Copyright \u00A9 2026 Unctora authors. MIT licence.";
const char* const kWebSite = "www.talvik.example.com";
const char* const kWebLink = "https://www.talvik.example.com/unctora";
const char* const kEmail = "unctora@talvik.example.com";
const char* const kDisclaimer[] = {
    "Free software under the MIT licence: anyone may use, copy, change,",
    "publish, pass on and sell it, keeping the copyright and licence notice.",
    "It comes without warranty of any kind; the authors are not liable for",
    "damage arising from its use. The results are recommendations for typical",
    "operating conditions and do not replace the judgement of the engineer.",
    "Talvik, Unctora, VOXA, TENO, ZOLT and MERIDOSE are trade marks of Talvik",
    "Lubrication Systems. Other names may be trade marks of their owners.",
};

const QColor kAccent = accentColour();

// The panel that fills the window: a lowered outer and a raised inner bevel. A click
// on its bare background (not on a control) closes the window.
class BevelPanel : public QWidget {
public:
    std::function<void()> onBackgroundClick;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        qDrawShadePanel(&p, rect(), palette(), true, 1);
        qDrawShadePanel(&p, rect().adjusted(1, 1, -1, -1), palette(), false, 1);
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && !childAt(e->position().toPoint()) && onBackgroundClick)
            onBackgroundClick();
    }
};

QFont arial(int pixels, bool bold) {
    QFont f("Arial");
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

QListWidget* textList(const char* name, const QStringList& lines, const QFont& font) {
    auto* list = new QListWidget;
    list->setObjectName(name);
    list->addItems(lines);
    list->setFont(font);
    list->setFrameShape(QFrame::NoFrame);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setFocusPolicy(Qt::NoFocus);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return list;
}

QLabel* linkLabel(const char* name, const QString& href, const QString& text) {
    auto* label = new QLabel(QString("<a href=\"%1\" style=\"color:#0000ff; text-decoration:underline\">%2</a>")
                                 .arg(href.toHtmlEscaped(), text.toHtmlEscaped()));
    label->setObjectName(name);
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    label->setOpenExternalLinks(true); // the system's default program
    label->setFont(arial(12, false));
    label->adjustSize();
    return label;
}

} // namespace

TfrmAbout::TfrmAbout(MessageSink* messages, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_messages(messages) {
    using namespace unctora;
    setObjectName("frmAbout");
    setWindowTitle("About");
    setFixedSize(565, 388);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::Base, Qt::white);
    setPalette(pal);

    auto* panel = new BevelPanel;
    panel->onBackgroundClick = [this] { accept(); };
    pMain = panel;
    pMain->setObjectName("pMain");
    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(pMain);
    auto place = [this](QWidget* w, int x, int y) {
        w->setParent(pMain);
        w->move(x, y);
        return w;
    };

    imgDial = new QLabel;
    imgDial->setObjectName("imgDial");
    imgDial->setPixmap(pictures::settingPicture(7, devicePixelRatioF())
                           .scaled(QSize(52, 52) * devicePixelRatioF(), Qt::KeepAspectRatio,
                                   Qt::SmoothTransformation));
    imgDial->adjustSize();
    place(imgDial, 14, 14);

    lbPrgName = new QLabel("Unctora");
    lbPrgName->setObjectName("lbPrgName");
    lbPrgName->setFont(arial(32, true));
    lbPrgName->adjustSize();
    place(lbPrgName, 76, 12);
    lbPrgDesc = new QLabel("Re-lubrication Calculation Program");
    lbPrgDesc->setObjectName("lbPrgDesc");
    lbPrgDesc->setFont(arial(13, true));
    lbPrgDesc->adjustSize();
    place(lbPrgDesc, 78, 50);

    // The logo is white artwork: it stands on a plate in the accent colour.
    imgLogo = new QLabel;
    imgLogo->setObjectName("imgLogo");
    imgLogo->setAutoFillBackground(true);
    QPalette plate = imgLogo->palette();
    plate.setColor(QPalette::Window, kAccent);
    imgLogo->setPalette(plate);
    imgLogo->setAlignment(Qt::AlignCenter);
    imgLogo->setPixmap(QIcon(":/pictures/logo.svg").pixmap(QSize(120, 32)));
    imgLogo->setFixedSize(136, 44);
    place(imgLogo, 565 - 16 - 136, 16);

    QStringList address;
    for (const char* line : kAddress)
        address << QString::fromUtf8(line);
    lbAddress = textList("lbAddress", address, arial(12, false));
    lbAddress->setFixedSize(250, 4 * lbAddress->sizeHintForRow(0) + 4);
    place(lbAddress, 20, 92);

    Image1 = new QLabel;
    Image1->setObjectName("Image1");
    Image1->setPixmap(QIcon(":/pictures/42.svg").pixmap(QSize(150, 220)));
    Image1->adjustSize();
    place(Image1, 565 - 24 - 150, 74);

    // Creation: the name in the accent colour, the version label with the build
    // number, lined up on the address block.
    QPalette accent = lbPrgName->palette();
    accent.setColor(QPalette::WindowText, kAccent);
    lbPrgName->setPalette(accent);

    lbVer = new QLabel("v0x.xx");
    lbVer->setObjectName("lbVer");
    lbVer->setFont(arial(12, true));
    lbVer->setText(QString::fromStdString(core::VersionLabel(core::BuildNumber())));
    lbVer->adjustSize();
    place(lbVer, lbAddress->geometry().right() + 1 - lbVer->width(), lbAddress->geometry().bottom() + 6);
    lbVer->installEventFilter(this);

    lbCopyrite = new QLabel(QString::fromUtf8(kLegalLine));
    lbCopyrite->setObjectName("lbCopyrite");
    lbCopyrite->setFont(arial(11, false));
    lbCopyrite->adjustSize();
    place(lbCopyrite, lbAddress->x(), lbVer->geometry().bottom() + 8);

    lbWeb = linkLabel("lbWeb", kWebLink, kWebSite);
    place(lbWeb, lbAddress->x(), lbCopyrite->geometry().bottom() + 6);
    lbEmail = linkLabel("lbEmail", QString("mailto:") + kEmail, kEmail);
    place(lbEmail, lbAddress->x(), lbWeb->geometry().bottom() + 2);

    QStringList disclaimer;
    for (const char* line : kDisclaimer)
        disclaimer << QString::fromUtf8(line);
    lbDisclaimer = textList("lbDisclaimer", disclaimer, arial(10, false));
    QPalette grey = lbDisclaimer->palette();
    grey.setColor(QPalette::Text, QColor(90, 90, 90));
    lbDisclaimer->setPalette(grey);
    const int top = lbEmail->geometry().bottom() + 8;
    lbDisclaimer->setFixedSize(400, 388 - 12 - top);
    place(lbDisclaimer, lbAddress->x() - 4, top);

    OKButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), "OK");
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);
    OKButton->setFixedSize(88, 28);
    place(OKButton, 565 - 16 - 88, 388 - 14 - 28);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    // Escape closes the window whichever control has the focus.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QDialog::reject);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

bool TfrmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lbVer && event->type() == QEvent::MouseButtonPress &&
        (static_cast<QMouseEvent*>(event)->modifiers() & Qt::ShiftModifier)) {
        if (m_messages)
            m_messages->showMessage(QString::fromStdString(unctora::core::FullTitle()));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ShowAboutWindow(QWidget* parent, MessageSink* messages) {
    BoxMessages boxes;
    TfrmAbout about(messages ? messages : &boxes, parent);
    about.exec();
}
