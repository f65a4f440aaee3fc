#include "reports/htmlpage.h"

#include "files/fileio.h"

namespace unctora::reports {

std::string htmlFileBytes(const std::vector<std::string>& lines) {
    std::size_t size = 3;
    for (const std::string& line : lines)
        size += line.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    bytes += "\xEF\xBB\xBF";
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

std::string htmlFilePath(std::string_view dataFolder, std::string_view fileName) {
    std::string path(dataFolder);
    if (!path.empty() && path.back() != '/' && path.back() != '\\')
        path += '/';
    path += fileName;
    return path;
}

std::string htmlSavedMessage(std::string_view path) {
    return "HTML has been saved as " + std::string(path) + ".";
}

std::string saveHtmlSource(const std::string& path, std::string_view source) {
    files::writeFileAtomically(path, source);
    return htmlSavedMessage(path);
}

} // namespace unctora::reports
