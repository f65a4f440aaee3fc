#include "strings/stringwindow.h"

#include <QApplication>
#include <QGuiApplication>

TfrmStrings::TfrmStrings(const QString& languageFile, QWidget* parent)
    : QWidget(parent, Qt::Window), m_file(languageFile) {
    setObjectName("frmStrings");
    setWindowTitle("Strings");
    resize(788, 539);
    LoadLanguageFile();
}

bool TfrmStrings::LoadLanguageFile() {
    // The busy cursor stays until the load ends, whatever happens.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = m_table.LoadLanguageFile(m_file.toStdString());
    QGuiApplication::restoreOverrideCursor();
    return ok;
}
