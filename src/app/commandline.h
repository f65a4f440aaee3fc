#pragma once
// The window program's --help and --version. They are answered before the toolkit
// starts, so they work without a display (and in a build script that makes the manual
// page from them).

#include <optional>
#include <string>

// What `unctora --help` prints.
std::string windowProgramHelp();

// For --help (or -h) and --version anywhere on the command line: prints the text to
// standard output and gives the exit code, 0, or 2 with a message on stderr when the
// text could not be written. Without them: nothing, and the program starts.
std::optional<int> answerInfoOption(int argc, char** argv);
