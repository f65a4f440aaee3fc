#include "strings/startcheck.h"

#include <filesystem>
#include <system_error>

namespace unctora::strings {

std::string languageFilePath(const std::string& programDir) {
    return (std::filesystem::path(programDir) / kLanguageFileName).string();
}

bool languageFileExists(const std::string& path) {
    std::error_code ec;
    // A folder of that name is no language file; is_regular_file follows links.
    return std::filesystem::is_regular_file(std::filesystem::path(path), ec);
}

std::string missingLanguageFileMessage(const std::string& path) {
    std::string m = "Language file \"";
    m += path;
    m += "\"\r";
    m += "not found in the program directory.\r";
    m += " \r";
    m += "Program will be aborted.";
    return m;
}

std::optional<std::string> checkLanguageFile(const std::string& path) {
    if (languageFileExists(path))
        return std::nullopt;
    return missingLanguageFileMessage(path);
}

} // namespace unctora::strings
