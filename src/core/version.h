#pragma once
// The program's title and version texts. The four-part file version (6.0.4.67) is
// compiled into the executable from the project version; ReadFileVersion reads it
// from there, so there is no record that could be missing.

#include <string>

namespace unctora::core {

struct FileVersion {
    int major, minor, release, build;
};
FileVersion ReadFileVersion();

inline constexpr const char* kProgramTitle = "Talvik Unctora";
inline constexpr const char* kVersionText = "v06.00 (291013)";
inline constexpr const char* kFileDescription = "Grease lubrication calculator";

// The one highlight colour: group captions, open groups, the footer, the setting
// badge, the selected grid row and the program name in the about window.
struct Rgb {
    int red, green, blue;
};
inline constexpr Rgb AccentColor{0, 102, 204};

// "Talvik Unctora", "v06.00 (291013)" and both joined by a blank.
std::string ProgramTitle();
std::string VersionText();
std::string FullTitle();
// The fourth part of the file version (67).
int BuildNumber();

// The about window's version label: "v06.00 (B67)" for build 67.
std::string VersionLabel(int build);

// What `PROGRAM --version` prints: the program's name, the file version and, in
// parentheses, the title with the about window's version label on the first line
// ("unctora-calc 6.0.4.67 (Talvik Unctora v06.00 (B67))"), then the licence.
std::string VersionBanner(const std::string& program);

} // namespace unctora::core
