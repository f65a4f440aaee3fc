#pragma once
// An HTML view for the generated pages: loads a document from a file and keeps the
// bytes it loaded, reports link clicks (the handler may mark them handled) and
// double-clicks with their modifier keys, and prints with a footer on every page.

#include <QByteArray>
#include <QTextBrowser>
#include <functional>

class QPrinter;
class QPainter;

class THtmlView : public QTextBrowser {
    Q_OBJECT
public:
    explicit THtmlView(QWidget* parent = nullptr);

    // Loads the document; false (and the view keeps what it showed) when the file
    // cannot be read. A view that is not on screen lays the page out when it is shown
    // or printed: a page takes longer to lay out than everything else a language
    // switch does.
    bool loadFromFile(const QString& path);
    // Lays out a loaded page that waits for the view to be shown.
    void ensureLaidOut() const;
    // The document source exactly as loaded.
    const QByteArray& source() const { return m_source; }
    QString fileName() const { return m_file; }

    void setDefaultFontFace(const QString& family);

    // Prints the document with margins of marginCm on every side; footer(painter,
    // footerRect) is called for every page to draw into the area below the text.
    using FooterPainter = std::function<void(QPainter&, const QRectF&)>;
    void printDocument(QPrinter& printer, double marginCm, const FooterPainter& footer) const;

signals:
    // A link was clicked; set handled to keep the view from following it.
    void linkClicked(const QString& target, bool& handled);
    void doubleClicked(Qt::KeyboardModifiers modifiers);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void onAnchor(const QUrl& url);

    QByteArray m_source;
    QString m_file;
    mutable QString m_pendingHtml; // loaded, not yet laid out
    mutable bool m_pending = false;
};
