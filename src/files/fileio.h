#pragma once
// Whole-file writes that never leave half a file behind.

#include <stdexcept>
#include <string>
#include <string_view>

namespace unctora::files {

class WriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes bytes to a temporary file beside path, flushes it to the disk and renames it
// over path. On any failure the old file stays as it was, the temporary file is
// removed and WriteError carries "Unable to write to <path>" and the reason.
void writeFileAtomically(const std::string& path, std::string_view bytes);

// Reads a whole file; false when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::string& bytes);

} // namespace unctora::files
