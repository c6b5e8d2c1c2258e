#include "files/FileIO.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>

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
    void close() { if (m_fd >= 0) ::close(m_fd); m_fd = -1; }
private:
    int m_fd;
};

ErrorCode Fail(int error) {
    errno = error;
    return static_cast<ErrorCode>(error);
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
        result.error = Fail(EFBIG);
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
    static std::atomic<unsigned> counter{0};
    const std::string temp = path + ".~" + std::to_string(::getpid()) + "-" +
                             std::to_string(counter++) + ".tmp";
    Fd file(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (!file.valid()) return Fail(errno);
    while (!bytes.empty()) {
        const ssize_t put = ::write(file.get(), bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            file.close();
            ::unlink(temp.c_str());
            return Fail(error);
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    if (::fsync(file.get()) != 0) {
        const int error = errno;
        file.close();
        ::unlink(temp.c_str());
        return Fail(error);
    }
    file.close();
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return Fail(error);
    }
    return 0;
}

ErrorCode RenameReplacing(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) return Fail(errno);
    return 0;
}

bool Exists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

}  // namespace files
