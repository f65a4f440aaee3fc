#pragma once
// unctora-calc text: one text of the language file, as the window would show it.

#include <ostream>
#include <string>
#include <vector>

namespace unctora::cli {

// Runs "unctora-calc text KEY [--number N] [--or-empty] [--lang NAME]
// [--language-file PATH]"; args are the words after "text". Prints the text that
// LangStr (LangStrOrEmpty with --or-empty) gives, and one newline. An unknown
// language name is refused as the batch refuses it. The language file defaults to
// unctora.sil in programDir. Exit code 0, or 2 for bad usage, a language file that is
// missing or cannot be read, or output that cannot be written.
// What both commands say of a --lang value that names no language.
inline constexpr const char* kLanguageNameUsage =
    "--lang takes a language name: English, German, French, Italian, Swedish, Spanish, "
    "Chinese, Thai, Russian, Portuguese or Japanese";

// What "unctora-calc text --help" prints: usage, what the command does, its options.
std::string textCommandHelp();

int runTextCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const std::string& programDir);

} // namespace unctora::cli
