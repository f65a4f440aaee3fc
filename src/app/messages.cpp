#include "app/messages.h"

#include <QApplication>
#include <QMessageBox>

void BoxMessages::showError(const QString& text) {
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), text);
}

void BoxMessages::showMessage(const QString& text) {
    QMessageBox::information(QApplication::activeWindow(), QApplication::applicationName(), text);
}
