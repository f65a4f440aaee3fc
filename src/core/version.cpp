#include "core/version.h"

namespace unctora::core {

FileVersion ReadFileVersion() {
    return {UNCTORA_VERSION_MAJOR, UNCTORA_VERSION_MINOR, UNCTORA_VERSION_PATCH, UNCTORA_VERSION_BUILD};
}

std::string ProgramTitle() { return kProgramTitle; }
std::string VersionText() { return kVersionText; }
std::string FullTitle() { return ProgramTitle() + " " + VersionText(); }
int BuildNumber() { return ReadFileVersion().build; }

std::string VersionLabel(int build) { return "v06.00 (B" + std::to_string(build) + ")"; }

std::string VersionBanner(const std::string& program) {
    const FileVersion v = ReadFileVersion();
    return program + " " + std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
           std::to_string(v.release) + "." + std::to_string(v.build) + " (" + ProgramTitle() + " " +
           VersionLabel(v.build) +
           ")\n"
           "Copyright (c) 2026 Unctora authors.\n"
           "Licensed under the MIT licence: free to use, copy, change and pass on.\n"
           "There is NO WARRANTY, to the extent permitted by law.\n";
}

} // namespace unctora::core
