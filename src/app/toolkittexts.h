#pragma once
// The texts the toolkit draws itself — the buttons of message boxes (Save, Discard,
// Cancel), the key names of menu shortcuts ("Ctrl"), the file and print dialogs —
// in the language the user chose. They come from the toolkit's own translations;
// a language they do not cover keeps the toolkit's English.

#include <QString>
#include <QStringList>
#include <QTranslator>

#include <memory>

class ToolkitTexts {
public:
    // Folders searched for the translations, in order: the system's (where the
    // distribution installs them) and a "translations" folder beside the program.
    explicit ToolkitTexts(QStringList folders);
    ~ToolkitTexts();
    ToolkitTexts(const ToolkitTexts&) = delete;
    ToolkitTexts& operator=(const ToolkitTexts&) = delete;

    static QStringList defaultFolders(const QString& programDir);

    // Language number 1..11 (English, German, ... Japanese). Replaces the texts of
    // the language before; true when translations were found and installed (English
    // needs none and gives false).
    bool switchTo(int languageNumber);

    // The locale name whose translations a language takes ("de", "zh_CN", "pt_BR").
    static QString localeName(int languageNumber);

private:
    QStringList m_folders;
    std::unique_ptr<QTranslator> m_translator;
};
