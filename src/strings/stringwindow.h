#pragma once
// The string window: it owns the string table for the whole run (the look-ups of
// every other window go through table()), and it becomes the translators' editor.

#include "strings/stringtable.h"

#include <QWidget>

class TfrmStrings : public QWidget {
    Q_OBJECT
public:
    // Loads the language file at creation; the language starts as English.
    explicit TfrmStrings(const QString& languageFile, QWidget* parent = nullptr);

    unctora::strings::StringTable* table() { return &m_table; }
    const unctora::strings::StringTable* table() const { return &m_table; }
    bool LoadLanguageFile();

private:
    QString m_file;
    unctora::strings::StringTable m_table;
};
