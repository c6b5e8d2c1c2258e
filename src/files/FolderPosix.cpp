#include "files/Folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

namespace files {
namespace {

// Seconds from 1601-01-01, where Windows counts from, to 1970-01-01.
constexpr FileTime kEpochOffsetSeconds = 11644473600;

// POSIX keeps no creation time.
FolderEntry EntryOf(std::string name, const struct stat& info) {
    FolderEntry entry;
    entry.name = std::move(name);
    entry.isFolder = S_ISDIR(info.st_mode);
    entry.written = (info.st_mtim.tv_sec + kEpochOffsetSeconds) * 10'000'000 + info.st_mtim.tv_nsec / 100;
    return entry;
}

}  // namespace

ErrorCode ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) {
    entries.clear();
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return static_cast<ErrorCode>(errno);
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    while (const dirent* found = ::readdir(dir)) {
        const std::string name = found->d_name;
        struct stat info;
        if (name != "." && name != ".." && ::stat((prefix + name).c_str(), &info) == 0)
            entries.push_back(EntryOf(name, info));
    }
    ::closedir(dir);
    return 0;
}

ErrorCode ReadEntry(const std::string& path, FolderEntry& entry) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) return static_cast<ErrorCode>(errno);
    entry = EntryOf(path.substr(path.rfind('/') + 1), info);
    return 0;
}

ErrorCode RenameToNewName(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return static_cast<ErrorCode>(errno);
    // A file system that cannot rename without replacing: the new name is
    // added first, which fails when it is taken, then the old one goes.
    if (::link(from.c_str(), to.c_str()) != 0) return static_cast<ErrorCode>(errno);
    return ::unlink(from.c_str()) == 0 ? 0 : static_cast<ErrorCode>(errno);
}

ErrorCode CheckReplaceable(const std::string& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) == 0) {
        // As ReplaceWholeFile refuses it.
        if ((info.st_mode & 0222) == 0) return EACCES;
    } else if (errno != ENOENT) {
        return static_cast<ErrorCode>(errno);
    }
    // The new content is written beside it first.
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const std::string probe = TemporaryName(path, static_cast<unsigned long>(::getpid()), attempt);
        const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            ::unlink(probe.c_str());
            return 0;
        }
        if (errno != EEXIST) return static_cast<ErrorCode>(errno);
    }
    return EEXIST;
}

}  // namespace files
