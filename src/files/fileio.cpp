#include "files/fileio.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

namespace unctora::files {

namespace {

constexpr std::string_view kTemporaryMark = ".unctora-tmp-";
constexpr std::size_t kMkstempLetters = 6;

[[noreturn]] void fail(const std::string& path, const std::string& reason) {
    throw WriteError("Unable to write to " + path + " (" + reason + ")");
}
[[noreturn]] void fail(const std::string& path, int err) { fail(path, std::strerror(err)); }

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a write of path really changes: path itself, or the end of its chain of
// symbolic links (which need not exist yet). A loop of links gives ELOOP.
std::string followLinks(const std::string& path) {
    std::string target = path;
    for (int hops = 0;; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return target;
        if (hops == 40)
            fail(path, ELOOP);
        char buf[PATH_MAX];
        const ssize_t n = ::readlink(target.c_str(), buf, sizeof buf - 1);
        if (n < 0)
            fail(path, errno);
        std::string next(buf, static_cast<std::size_t>(n));
        target = next.starts_with('/') ? next : folderOf(target) + "/" + next;
    }
}

// A write that was killed before its rename leaves its temporary file behind. Such a
// file is removed by a later write of the same file once it is old enough that no other
// write can still be using it. Only our own marked names are looked at.
void removeStaleTemporaries(const std::string& folder, const std::string& name) {
    constexpr std::time_t kStaleSeconds = 10 * 60;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view file(entry->d_name);
        if (!isOurTemporary(file, name))
            continue;
        const std::string path = folder + "/" + std::string(file);
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && now - st.st_mtime > kStaleSeconds)
            ::unlink(path.c_str());
    }
    ::closedir(dir);
}

} // namespace

std::string temporaryPattern(const std::string& name) {
    return "." + name + std::string(kTemporaryMark) + std::string(kMkstempLetters, 'X');
}

bool isOurTemporary(std::string_view file, std::string_view name) {
    const std::size_t head = 1 + name.size() + kTemporaryMark.size();
    if (file.size() != head + kMkstempLetters || !file.starts_with('.') ||
        file.substr(1, name.size()) != name || file.substr(1 + name.size(), kTemporaryMark.size()) != kTemporaryMark)
        return false;
    return std::all_of(file.begin() + static_cast<std::ptrdiff_t>(head), file.end(),
                       [](unsigned char c) { return std::isalnum(c); });
}

void writeFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string target = followLinks(path);
    // A file the user made read-only stays refused, as a direct write would be.
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode))
        fail(path, "not a regular file");
    if (exists && (old.st_mode & 0222) == 0)
        fail(path, EACCES);
    const std::string folder = folderOf(target);
    const std::string name = nameOf(target);
    std::string tmp = folder + "/" + temporaryPattern(name);
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
    if (::rename(tmp.c_str(), target.c_str()) != 0) {
        int err = errno;
        ::unlink(tmp.c_str());
        fail(path, err);
    }
    // The rename itself reaches the disk only with its folder; a power cut right after
    // a save would otherwise bring the old file back. Not every file system can do it.
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    removeStaleTemporaries(folder, name);
}

bool readWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes,
                   std::string* reason) {
    auto refuse = [&](const std::string& why) {
        if (reason)
            *reason = why;
        return false;
    };
    // O_NONBLOCK: opening a FIFO must not wait for a writer that never comes.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return refuse(std::strerror(errno));
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return refuse(std::strerror(errno));
    if (S_ISDIR(st.st_mode))
        return refuse("a folder, not a file");
    if (!S_ISREG(st.st_mode))
        return refuse("not a regular file");
    const std::string tooLarge = "larger than " + std::to_string(maxBytes >> 20) + " MB";
    if (static_cast<unsigned long long>(st.st_size) > maxBytes)
        return refuse(tooLarge);
    std::string data;
    data.reserve(static_cast<std::size_t>(st.st_size));
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return refuse(std::strerror(errno));
        }
        if (n == 0)
            break;
        // The file may grow while it is read.
        if (data.size() + static_cast<std::size_t>(n) > maxBytes)
            return refuse(tooLarge);
        data.append(buf, static_cast<std::size_t>(n));
    }
    bytes = std::move(data);
    return true;
}

} // namespace unctora::files
