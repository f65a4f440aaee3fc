#include "app/messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPrintDialog>

#include <cstdio>

namespace {

void toStderr(const QString& text) {
    std::fprintf(stderr, "%s: %s\n", qPrintable(QApplication::applicationName().toLower()),
                 text.toLocal8Bit().constData());
}

} // namespace

void BoxMessages::showError(const QString& text) {
    if (!m_asking) {
        toStderr(text);
        ++m_unansweredErrors;
        return;
    }
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), text);
}

void BoxMessages::showMessage(const QString& text) {
    if (!m_asking) {
        toStderr(text);
        return;
    }
    QMessageBox::information(QApplication::activeWindow(), QApplication::applicationName(), text);
}

bool BoxMessages::choosePrinter(QPrinter& printer) {
    if (!m_asking)
        return false;
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    // Page ranges play no part: every printout prints all of its pages.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
}
