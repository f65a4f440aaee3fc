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

} // namespace unctora::core
