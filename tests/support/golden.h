#pragma once
// Output kept byte for byte in a golden file: compared with it, or written anew when
// UNCTORA_WRITE_GOLDEN is set (only for a deliberate change of the output).

#include "commandline.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace testsupport {

inline void expectGolden(const std::filesystem::path& golden, const std::string& out) {
    if (std::getenv("UNCTORA_WRITE_GOLDEN")) {
        std::filesystem::create_directories(golden.parent_path());
        std::ofstream(golden, std::ios::binary) << out;
        return;
    }
    const std::string expected = readFile(golden);
    ASSERT_FALSE(expected.empty()) << golden;
    if (out == expected)
        return;
    std::size_t at = 0;
    while (at < out.size() && at < expected.size() && out[at] == expected[at])
        ++at;
    ADD_FAILURE() << golden.filename() << " differs at byte " << at << ":\n  got      "
                  << out.substr(at > 60 ? at - 60 : 0, 160) << "\n  expected "
                  << expected.substr(at > 60 ? at - 60 : 0, 160);
}

} // namespace testsupport
