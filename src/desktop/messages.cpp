#include "desktop/messages.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>

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

QString BoxMessages::chooseFile(FileMode mode, const QString& caption, const QString& filter,
                                const QString& start) {
    if (!m_asking)
        return {};
    return mode == FileMode::Open
               ? QFileDialog::getOpenFileName(QApplication::activeWindow(), caption, start, filter)
               : QFileDialog::getSaveFileName(QApplication::activeWindow(), caption, start, filter);
}

MessageSink::Answer BoxMessages::askSaveChanges(const QString& text) {
    if (!m_asking)
        return Answer::Cancel;
    const auto b = QMessageBox::question(QApplication::activeWindow(), QApplication::applicationName(), text,
                                         QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                         QMessageBox::Save);
    return b == QMessageBox::Save ? Answer::Save : b == QMessageBox::Discard ? Answer::Discard : Answer::Cancel;
}

int BoxMessages::askChoice(const QString& text, const QStringList& buttons) {
    if (!m_asking || buttons.isEmpty())
        return -1;
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    QList<QAbstractButton*> added;
    for (int i = 0; i < buttons.size(); ++i)
        added << box.addButton(buttons[i], i == 0 ? QMessageBox::AcceptRole : QMessageBox::RejectRole);
    box.setDefaultButton(static_cast<QPushButton*>(added.first()));
    box.setEscapeButton(added.last());
    box.exec();
    const int i = static_cast<int>(added.indexOf(box.clickedButton()));
    return i;
}
