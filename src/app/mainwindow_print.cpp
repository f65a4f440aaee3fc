// TfrmMain: the Print command (with Shift: copy) and the HTML saves.

#include "app/mainwindow.h"
#include "desktop/messages.h"
#include "desktop/printing.h"
#include "reports/htmlpage.h"
#include "reports/printlayout.h"
#include "reports/ratetable.h"
#include "text/keys.h"
#include "tabs/acctab.h"
#include "tabs/ratetab.h"
#include "widgets/htmlview.h"
#include "widgets/radiogroup.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPrinter>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTableWidget>

#include <functional>

using namespace unctora;

namespace {

// Whether the printer stands for a real printer or a named file.
bool hasPrinter(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat ? !printer.outputFileName().isEmpty()
                                                         : !printer.printerName().isEmpty();
}

} // namespace

void TfrmMain::PrintCommand() {
    const bool shift = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
    QWidget* page = m_widgets.pgMain->currentWidget();
    const QString footer = QString::fromStdString(reports::printFooterText(table()));
    QPrinter printer(QPrinter::HighResolution);
    // With Shift nothing asks first: the calculation page goes to the default printer.
    if (!shift && !m_env.messages->choosePrinter(printer))
        return;
    // The two tables: with Shift copied as text, otherwise printed with their title.
    auto gridTab = [&](const std::function<QString()>& copyText, reports::PrintSource source,
                       const QTableWidget& grid, int titleChoice, reports::GridWidth width) {
        if (shift) {
            QGuiApplication::clipboard()->setText(copyText());
            return;
        }
        printer.setDocName(QString::fromStdString(reports::printJobName(source)));
        const QString title = QString::fromStdString(reports::gridPrintTitle(source, table(), titleChoice));
        reports::printGrid(printer, grid, width, m_fontName, title, footer);
    };
    if (page == m_rateTab) {
        // The title names the lubricator whose table is printed.
        gridTab([this] { return m_rateTab->copyText(); }, reports::PrintSource::DispenseRate, *m_rateTab->sgRate,
                reports::rateModel(m_rateTab->rgRateSelLub->itemIndex()), reports::GridWidth::ShrinkToPage);
        return;
    }
    if (page == m_accTab) {
        gridTab([this] { return m_accTab->copyText(); }, reports::PrintSource::Accessories, *m_accTab->sgAcc, 0,
                reports::GridWidth::FillWithLastColumn);
        return;
    }
    if (THtmlView* view = page ? page->findChild<THtmlView*>() : nullptr) {
        if (page->objectName() == "tabSelChart" && shift) {
            m_env.messages->showMessage(text(text::keys::strNoCopyThisPage.data()));
            return;
        }
        // Without the dialog the default printer prints; without any printer Qt falls back
        // to a PDF file that has no name.
        if (shift && !hasPrinter(printer)) {
            showError(text(text::keys::strNoPrinter.data()));
            return;
        }
        reports::printHtmlPage(printer, *view, m_fontName, footer);
        return;
    }
    // Any other tab: an image of the window on a white background. The tab pages have
    // a grey background of their own, so they turn white with the window.
    QList<QPair<QWidget*, QPalette>> whitened;
    auto whiten = [&whitened](QWidget* w) {
        whitened.append({w, w->palette()});
        QPalette white = w->palette();
        white.setColor(QPalette::Window, Qt::white);
        w->setPalette(white);
    };
    whiten(this);
    for (int i = 0; i < m_widgets.pgMain->count(); ++i)
        if (QWidget* tab = m_widgets.pgMain->widget(i); tab->testAttribute(Qt::WA_SetPalette))
            whiten(tab);
    auto restore = qScopeGuard([&whitened, this] {
        for (auto it = whitened.rbegin(); it != whitened.rend(); ++it)
            it->first->setPalette(it->second);
        repaint();
    });
    repaint();
    if (shift) {
        QGuiApplication::clipboard()->setPixmap(grab());
    } else {
        printer.setDocName(QString::fromStdString(reports::printJobName(reports::PrintSource::Window)));
        reports::printWidgetImage(printer, *this);
    }
}

void TfrmMain::saveHtml(THtmlView* view, std::string_view fileName) {
    const std::string path =
        m_env.dataFilePath(QString::fromUtf8(fileName.data(), static_cast<int>(fileName.size()))).toStdString();
    unctora::reports::saveHtmlSource(path, std::string_view(view->source().constData(), view->source().size()));
    m_env.messages->showMessage(QString::fromStdString(unctora::reports::htmlSavedMessage(path)));
}
