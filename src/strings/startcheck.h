#pragma once
// The check that the program runs first thing: without its language file it
// cannot show a single text, so it says so and ends.

#include <optional>
#include <string>

namespace unctora::strings {

// File name of the language file beside the program.
inline constexpr const char* kLanguageFileName = "unctora.sil";

// programDir joined with kLanguageFileName.
std::string languageFilePath(const std::string& programDir);

// True when a regular file (or a link to one) exists at path.
bool languageFileExists(const std::string& path);

// The message for a missing language file. Its lines are separated by single CR
// characters: the file name in double quotes, "not found in the program
// directory.", one blank, "Program will be aborted.".
std::string missingLanguageFileMessage(const std::string& path);

// The message when no language file exists at path, nothing when it exists.
std::optional<std::string> checkLanguageFile(const std::string& path);

} // namespace unctora::strings
