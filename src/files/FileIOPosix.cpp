#include "files/FileIO.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace files {
namespace {

class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() { close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    bool valid() const { return m_fd >= 0; }
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }
    void close() {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd;
};

ErrorCode Fail(int error) {
    errno = error;
    return static_cast<ErrorCode>(error);
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

// A new temporary file beside `target`, under a name no file has yet.
int CreateTemporary(const std::string& target, std::string& temp) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 1000; ++attempt) {
        temp = TemporaryName(target, static_cast<unsigned long>(::getpid()), counter++);
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Removes the temporary files of `target` that crashed runs left behind.
void RemoveStaleTemporaries(const std::string& target) {
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "./" : target.substr(0, slash + 1);
    const std::string fileName = target.substr(slash == std::string::npos ? 0 : slash + 1);
    const auto staleBefore = std::chrono::system_clock::now() - kStaleTemporaryAge;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string path = folder + entry->d_name;
        struct stat info;
        if (!IsTemporaryOf(fileName, entry->d_name) || ::stat(path.c_str(), &info) != 0) continue;
        if (std::chrono::system_clock::from_time_t(info.st_mtime) < staleBefore) ::unlink(path.c_str());
    }
    ::closedir(dir);
}

}  // namespace

ReadResult ReadWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes) {
    ReadResult result;
    Fd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid()) {
        result.error = static_cast<ErrorCode>(errno);
        result.missing = errno == ENOENT || errno == ENOTDIR;
        return result;
    }
    struct stat info;
    if (fstat(file.get(), &info) != 0) {
        result.error = static_cast<ErrorCode>(errno);
        return result;
    }
    if (static_cast<unsigned long long>(info.st_size) > maxBytes) {
        result.error = Fail(static_cast<int>(kErrorFileTooLarge));
        return result;
    }
    std::string content(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t got = ::read(file.get(), content.data() + done, content.size() - done);
        if (got < 0) {
            if (errno == EINTR) continue;
            result.error = static_cast<ErrorCode>(errno);
            return result;
        }
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    content.resize(done);
    bytes.swap(content);
    result.ok = true;
    return result;
}

ErrorCode ReplaceWholeFile(const std::string& path, std::string_view bytes) {
    // A link stays a link: its target is the file replaced.
    std::string target = path;
    char resolved[PATH_MAX];
    struct stat info;
    const bool replacing = ::stat(path.c_str(), &info) == 0;
    // A link whose target is missing names no file that could be made anew.
    struct stat own;
    if (!replacing && errno == ENOENT && ::lstat(path.c_str(), &own) == 0 && S_ISLNK(own.st_mode))
        return Fail(static_cast<int>(kErrorDanglingLink));
    if (replacing && ::realpath(path.c_str(), resolved)) target = resolved;
    if (replacing && (info.st_mode & 0222) == 0) return Fail(EACCES);
    std::string temp;
    Fd file(CreateTemporary(target, temp));
    if (!file.valid()) return Fail(errno);
    if ((replacing && ::fchmod(file.get(), info.st_mode & 07777) != 0) || !WriteAll(file.get(), bytes) ||
        ::fsync(file.get()) != 0) {
        const int error = errno;
        file.close();
        ::unlink(temp.c_str());
        return Fail(error);
    }
    file.close();
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return Fail(error);
    }
    RemoveStaleTemporaries(target);
    return 0;
}

std::string SystemErrorText(ErrorCode error) { return std::strerror(static_cast<int>(error)); }

ErrorCode CopyToNewFile(const std::string& from, const std::string& to) {
    Fd source(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (!source.valid()) return Fail(errno);
    Fd copy(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!copy.valid()) return Fail(errno);
    // In pieces, so that a file of any size takes no more memory than one.
    char piece[64 * 1024];
    bool copied = true;
    for (ssize_t got; copied && (got = ::read(source.get(), piece, sizeof piece)) != 0;) {
        const std::string_view read(piece, got > 0 ? static_cast<std::size_t>(got) : 0);
        copied = got > 0 ? WriteAll(copy.get(), read) : errno == EINTR;
    }
    if (copied && ::fsync(copy.get()) == 0) return 0;
    const int error = errno;
    copy.close();
    ::unlink(to.c_str());
    return Fail(error);
}

ErrorCode RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0 ? 0 : Fail(errno); }

bool Exists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

bool IsFolder(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    char resolved[PATH_MAX];
    return ::realpath(folder.c_str(), resolved) ? resolved : folder;
}

ExclusiveLock::ExclusiveLock(const std::string& path, std::chrono::milliseconds wait) : m_path(path), m_handle(-1) {
    // The holder removes the lock file as it lets go; a waiter that locked the
    // removed file tries again with the one now in the folder.
    m_error = RetryFor(
        wait,
        [&]() -> ErrorCode {
            Fd file(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
            if (!file.valid()) return static_cast<ErrorCode>(errno);
            if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) return static_cast<ErrorCode>(errno);
            struct stat locked, named;
            if (::fstat(file.get(), &locked) != 0 || ::stat(path.c_str(), &named) != 0 || locked.st_ino != named.st_ino)
                return EWOULDBLOCK;
            m_handle = file.release();
            return 0;
        },
        [](ErrorCode error) { return error == EWOULDBLOCK; });
    m_heldElsewhere = m_error == EWOULDBLOCK;
}

ExclusiveLock::~ExclusiveLock() {
    if (m_handle < 0 || m_error != 0) return;
    ::unlink(m_path.c_str());
    ::close(static_cast<int>(m_handle));
}

}  // namespace files
