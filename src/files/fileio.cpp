#include "files/fileio.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace unctora::files {

namespace {

[[noreturn]] void fail(const std::string& path, int err) {
    throw WriteError("Unable to write to " + path + " (" + std::strerror(err) + ")");
}

// A write that was killed before its rename leaves its temporary file behind. Such a
// file is removed by a later write of the same file once it is old enough that no other
// write can still be using it.
void removeStaleTemporaries(const std::string& folder, const std::string& name) {
    constexpr std::time_t kStaleSeconds = 10 * 60;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const std::string prefix = name + ".";
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        // mkstemp's pattern: the name, a dot and six letters or digits.
        const std::string_view file(entry->d_name);
        if (file.size() != prefix.size() + 6 || !file.starts_with(prefix) ||
            !std::all_of(file.begin() + prefix.size(), file.end(),
                         [](unsigned char c) { return std::isalnum(c); }))
            continue;
        const std::string path = folder + "/" + std::string(file);
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && now - st.st_mtime > kStaleSeconds)
            ::unlink(path.c_str());
    }
    ::closedir(dir);
}

} // namespace

void writeFileAtomically(const std::string& path, std::string_view bytes) {
    // A file the user made read-only stays refused, as a direct write would be.
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (exists && (old.st_mode & 0222) == 0)
        fail(path, EACCES);
    std::string tmp = path + ".XXXXXX";
    int fd = ::mkstemp(tmp.data());
    if (fd < 0)
        fail(path, errno);
    auto abandon = [&](int err) {
        ::close(fd);
        ::unlink(tmp.c_str());
        fail(path, err);
    };
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            abandon(errno);
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    // Keep the permissions an existing file had; a new file gets the usual 0644.
    ::fchmod(fd, exists ? (old.st_mode & 07777) : 0644);
    if (::fsync(fd) != 0)
        abandon(errno);
    if (::close(fd) != 0) {
        int err = errno;
        ::unlink(tmp.c_str());
        fail(path, err);
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        int err = errno;
        ::unlink(tmp.c_str());
        fail(path, err);
    }
    // The rename itself reaches the disk only with its folder; a power cut right after
    // a save would otherwise bring the old file back. Not every file system can do it.
    const auto slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    removeStaleTemporaries(folder, slash == std::string::npos ? path : path.substr(slash + 1));
}

bool readWholeFile(const std::string& path, std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    std::string data;
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        data.append(buf, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    if (ok)
        bytes = std::move(data);
    return ok;
}

} // namespace unctora::files
