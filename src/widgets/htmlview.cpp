#include "widgets/htmlview.h"

#include "widgets/printcheck.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>
#include <memory>

THtmlView::THtmlView(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setTextInteractionFlags(Qt::TextBrowserInteraction);
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::white);
    setPalette(p);
    QFont f = font();
    f.setFamily("Arial Unicode MS");
    f.setPointSize(9);
    setFont(f);
    document()->setDefaultFont(f);
    connect(this, &QTextBrowser::anchorClicked, this, &THtmlView::onAnchor);
}

bool THtmlView::loadFromFile(const QString& path) {
    // Only a page file: a FIFO in its place would never end the read, a link to a
    // device never stop it.
    constexpr qint64 kMaxPageBytes = 64 << 20;
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxPageBytes)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    m_source = bytes;
    m_file = path;
    // The pages are UTF-8 with a byte-order mark; the mark is not text.
    QByteArray text = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    m_pendingHtml = QString::fromUtf8(text);
    m_pending = true;
    if (isVisible())
        ensureLaidOut();
    return true;
}

void THtmlView::ensureLaidOut() const {
    if (!m_pending)
        return;
    m_pending = false;
    // The document is what the view shows of its loaded page: setting it late does
    // not change what the view is.
    const_cast<THtmlView*>(this)->setHtml(m_pendingHtml);
    m_pendingHtml.clear();
}

void THtmlView::showEvent(QShowEvent* event) {
    ensureLaidOut();
    QTextBrowser::showEvent(event);
}

void THtmlView::setDefaultFontFace(const QString& family) {
    QFont f = font();
    f.setFamily(family);
    setFont(f);
    document()->setDefaultFont(f);
}

void THtmlView::onAnchor(const QUrl& url) {
    bool handled = false;
    emit linkClicked(url.toString(), handled);
    // The pages hold no navigation of their own: an unhandled link is left alone.
}

void THtmlView::mouseDoubleClickEvent(QMouseEvent* event) {
    emit doubleClicked(event->modifiers());
    QTextBrowser::mouseDoubleClickEvent(event);
}

void THtmlView::printDocument(QPrinter& printer, double marginCm, const FooterPainter& footer) const {
    ensureLaidOut();
    QPainter painter;
    beginPrinting(painter, printer);
    const double dpi = printer.resolution();
    const double margin = marginCm / 2.54 * dpi;
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRectF full(0, 0, page.width(), page.height());
    const QRectF body = full.adjusted(margin, margin, -margin, -margin);
    // The page is laid out as the view lays it out, at 96 dots per inch, and drawn
    // scaled up to the printer: sizes given in pixels keep the proportion they have to
    // sizes given in points, as on screen.
    constexpr double kLayoutDpi = 96.0;
    QImage layoutDevice(1, 1, QImage::Format_RGB32);
    layoutDevice.setDotsPerMeterX(qRound(kLayoutDpi / 0.0254));
    layoutDevice.setDotsPerMeterY(qRound(kLayoutDpi / 0.0254));
    const double scale = dpi / kLayoutDpi;
    std::unique_ptr<QTextDocument> doc(document()->clone());
    doc->documentLayout()->setPaintDevice(&layoutDevice);
    QFont f = doc->defaultFont();
    f.setPointSizeF(f.pointSizeF() > 0 ? f.pointSizeF() : 9);
    doc->setDefaultFont(f);
    const QSizeF pageSize = body.size() / scale;
    doc->setPageSize(pageSize);
    const int pages = std::max(1, doc->pageCount());
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            printer.newPage();
        painter.save();
        painter.translate(body.topLeft());
        painter.scale(scale, scale);
        painter.translate(0, -i * pageSize.height());
        const QRectF clip(0, i * pageSize.height(), pageSize.width(), pageSize.height());
        doc->drawContents(&painter, clip);
        painter.restore();
        if (footer)
            footer(painter, QRectF(body.left(), body.bottom(), body.width(), margin));
    }
    finishPrinting(painter, printer);
}
