#pragma once
// Whole-file reads and writes that never hang on a special file, never swallow a huge
// one and never leave half a file behind.

#include <cstddef>
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
// A path that is a symbolic link is written through to the file the link names, so the
// link stays a link. Something at path that is not a regular file (a folder, a FIFO, a
// device) is refused rather than replaced.
void writeFileAtomically(const std::string& path, std::string_view bytes);

// The temporary file a write of <folder>/<name> uses: hidden, and marked so plainly as
// ours that a sweep of left-over temporaries never meets a file a person named.
// Its last six characters are mkstemp's.
std::string temporaryPattern(const std::string& name);
bool isOurTemporary(std::string_view fileName, std::string_view name);

// More than any file of ours can sensibly be: a settings file is a few kilobytes, the
// language file a few hundred.
inline constexpr std::size_t kMaxSettingsFileBytes = 10u << 20;
inline constexpr std::size_t kMaxLanguageFileBytes = 64u << 20;

// Reads a whole regular file of at most maxBytes; false when it cannot be opened or
// read, is not a regular file (a folder, a FIFO, a device; a link is followed) or is
// larger. reason, when given, receives why in a few words ("No such file or
// directory", "not a regular file", "larger than 10 MB").
bool readWholeFile(const std::string& path, std::string& bytes,
                   std::size_t maxBytes = kMaxSettingsFileBytes, std::string* reason = nullptr);

} // namespace unctora::files
