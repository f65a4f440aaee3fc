#pragma once
// The program's title and version texts, from the four-part file version compiled in.

#include <string>

namespace unctora::app {

struct FileVersion {
    int major, minor, release, build;
};
FileVersion ReadFileVersion();

inline constexpr const char* kProgramTitle = "Talvik Unctora";
inline constexpr const char* kVersionText = "v06.00 (291013)";
std::string ProgramTitle();
std::string VersionText();
std::string FullTitle();
int BuildNumber();

} // namespace unctora::app
