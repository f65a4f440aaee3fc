#include "app/toolkittexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>

ToolkitTexts::ToolkitTexts(QStringList folders) : m_folders(std::move(folders)) {}

ToolkitTexts::~ToolkitTexts() {
    if (m_translator)
        QCoreApplication::removeTranslator(m_translator.get());
}

QStringList ToolkitTexts::defaultFolders(const QString& programDir) {
    return {QLibraryInfo::path(QLibraryInfo::TranslationsPath), QDir(programDir).filePath("translations")};
}

QString ToolkitTexts::localeName(int languageNumber) {
    // The language file's Portuguese is Brazil's (graxa), its Chinese the simplified.
    static const char* const names[] = {"en", "de", "fr", "it", "sv", "es",
                                        "zh_CN", "th", "ru", "pt_BR", "ja"};
    return languageNumber >= 1 && languageNumber <= 11 ? QString(names[languageNumber - 1]) : QString("en");
}

bool ToolkitTexts::switchTo(int languageNumber) {
    if (m_translator) {
        QCoreApplication::removeTranslator(m_translator.get());
        m_translator.reset();
    }
    const QString locale = localeName(languageNumber);
    if (locale == "en")
        return false;
    auto translator = std::make_unique<QTranslator>();
    for (const QString& folder : m_folders)
        // "qt_xx" takes in the catalogues of the toolkit's modules.
        if (translator->load("qt_" + locale, folder) || translator->load("qtbase_" + locale, folder)) {
            QCoreApplication::installTranslator(translator.get());
            m_translator = std::move(translator);
            return true;
        }
    return false;
}
