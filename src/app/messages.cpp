#include "app/messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPrintDialog>

void BoxMessages::showError(const QString& text) {
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), text);
}

void BoxMessages::showMessage(const QString& text) {
    QMessageBox::information(QApplication::activeWindow(), QApplication::applicationName(), text);
}

bool BoxMessages::choosePrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    // Page ranges play no part: every printout prints all of its pages.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
}
