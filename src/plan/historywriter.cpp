// Appending to a history file: one writer at a time, whole lines, synced to the disk.
#include "plan/history.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace unctora::plan {

namespace {

std::string sysError(std::string_view what, const std::string& path, int err) {
    return std::string(what) + " " + path + ": " + std::strerror(err);
}

bool writeAll(int fd, std::string_view bytes, int& err) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

HistoryWriter::~HistoryWriter() { close(); }

HistoryWriter::HistoryWriter(HistoryWriter&& o) noexcept
    : m_fd(o.m_fd), m_failure(o.m_failure), m_path(std::move(o.m_path)) {
    o.m_fd = -1;
}

HistoryWriter& HistoryWriter::operator=(HistoryWriter&& o) noexcept {
    if (this != &o) {
        close();
        m_fd = o.m_fd;
        m_failure = o.m_failure;
        m_path = std::move(o.m_path);
        o.m_fd = -1;
    }
    return *this;
}

void HistoryWriter::close() {
    if (m_fd >= 0)
        ::close(m_fd); // releases the lock
    m_fd = -1;
}

bool HistoryWriter::open(const std::string& path, std::string& error) {
    close();
    m_failure = HistoryFailure::System;
    bool created = false;
    int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CLOEXEC | O_CREAT | O_EXCL, 0644);
        created = fd >= 0;
        if (fd < 0 && errno == EEXIST)
            fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CLOEXEC);
    }
    if (fd < 0) {
        error = sysError("Cannot open the history file", path, errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = path + " is not a regular file";
        ::close(fd);
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        ::close(fd);
        if (err == EWOULDBLOCK)
            m_failure = HistoryFailure::Locked;
        error = err == EWOULDBLOCK ? "The history file " + path + " is being written by another program"
                                   : sysError("Cannot lock the history file", path, err);
        return false;
    }
    // Records go only into a history file: another CSV at the same name stays as it is.
    // A file still empty gets its header, and a header cut short by a writer killed
    // while creating the file gets its rest.
    const std::string header = historyHeaderLine();
    std::string present;
    if (::fstat(fd, &st) != 0) {
        error = sysError("Cannot read the history file", path, errno);
        ::close(fd);
        return false;
    }
    present.resize(std::min<std::size_t>(std::size_t(st.st_size), header.size() + 3));
    const ssize_t got = present.empty() ? 0 : ::pread(fd, present.data(), present.size(), 0);
    present.resize(got > 0 ? std::size_t(got) : 0);
    std::string_view head = present;
    if (head.starts_with("\xEF\xBB\xBF"))
        head.remove_prefix(3);
    if (header.starts_with(head) && head.size() < header.size()) {
        int err = 0;
        if (!writeAll(fd, std::string_view(header).substr(head.size()), err) || ::fsync(fd) != 0) {
            error = sysError("Cannot write the history file", path, err ? err : errno);
            ::close(fd);
            return false;
        }
    } else if (!head.starts_with(std::string_view(header).substr(0, header.size() - 1))) { // CR LF aside
        error = path + " is not a history file (its first line is not the header)";
        ::close(fd);
        return false;
    }
    if (created) {
        // The new name must survive a power cut as well as its contents.
        const int dir = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }
    m_fd = fd;
    m_path = path;
    m_failure = HistoryFailure::None;
    return true;
}

bool HistoryWriter::append(std::vector<ChangeRecord> records, std::string& error) {
    m_failure = HistoryFailure::System;
    if (m_fd < 0) {
        error = "The history file is not open";
        return false;
    }
    if (records.empty()) {
        m_failure = HistoryFailure::None;
        return true;
    }
    const std::string now = utcTimestamp();
    std::string bytes;
    for (ChangeRecord& r : records) {
        if (r.recordedAt.empty())
            r.recordedAt = now;
        const std::string p = recordProblem(r);
        if (!p.empty()) {
            m_failure = HistoryFailure::Refused;
            error = "Cannot record the change: " + p;
            return false;
        }
        bytes += historyLine(r);
    }
    // A line left unfinished by a writer that was killed is closed first, so that the
    // new records never join it.
    struct stat st {};
    if (::fstat(m_fd, &st) != 0) {
        error = sysError("Cannot read the history file", m_path, errno);
        return false;
    }
    if (st.st_size > 0) {
        char lastByte = '\n';
        if (::pread(m_fd, &lastByte, 1, st.st_size - 1) != 1) {
            error = sysError("Cannot read the history file", m_path, errno);
            return false;
        }
        if (lastByte != '\n')
            bytes.insert(bytes.begin(), '\n');
    }
    // A write that stops part way (a full disk) leaves nothing behind: the file is cut
    // back to where it was, so that a record reported as not written is not there
    // either, and trying again does not write it twice.
    const auto undo = [&] {
        if (::ftruncate(m_fd, st.st_size) == 0)
            ::fsync(m_fd);
    };
    int err = 0;
    if (!writeAll(m_fd, bytes, err)) {
        error = sysError("Cannot write the history file", m_path, err);
        undo();
        return false;
    }
    if (::fsync(m_fd) != 0) {
        error = sysError("Cannot write the history file to the disk", m_path, errno);
        undo();
        return false;
    }
    m_failure = HistoryFailure::None;
    return true;
}

bool appendHistory(const std::string& path, const std::vector<ChangeRecord>& records, std::string& error) {
    HistoryWriter w;
    return w.open(path, error) && w.append(records, error);
}

} // namespace unctora::plan
