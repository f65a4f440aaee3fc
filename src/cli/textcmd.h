#pragma once
// unctora-calc text: one text of the language file, as the window would show it.

#include <ostream>
#include <string>
#include <vector>

namespace unctora::cli {

// Runs "unctora-calc text KEY [--number N] [--or-empty] [--lang NAME]
// [--language-file PATH]"; args are the words after "text". Prints the text that
// LangStr (LangStrOrEmpty with --or-empty) gives, and one newline. The language is
// set by name, so an unknown name leaves English. The language file defaults to
// unctora.sil in programDir. Exit code 0, or 2 for bad usage or a language file
// that is missing or cannot be read.
int runTextCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const std::string& programDir);

} // namespace unctora::cli
