#pragma once
// Whole-file reads, replacement of a whole file as one step, and the few other
// file operations the program's writers need. Error numbers are the platform's
// own (Windows system error codes on Windows, errno elsewhere), so callers can
// show them in "code %d" messages. One interface, one implementation per
// platform (FileIOWin32.cpp, FileIOPosix.cpp); FileIO.cpp holds what they share.
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace files {

using ErrorCode = unsigned long;

// A missing file's error number: ERROR_FILE_NOT_FOUND on Windows, ENOENT
// elsewhere; both are 2.
inline constexpr ErrorCode kErrorNotFound = 2;
// The refusals that are the program's own. DescribeError gives them texts of
// their own: the system has none for some, and speaks of other things in others.
#ifdef _WIN32
inline constexpr ErrorCode kErrorFileTooLarge = 223;      // ERROR_FILE_TOO_LARGE
inline constexpr ErrorCode kErrorUnsupportedFile = 1630;  // ERROR_UNSUPPORTED_TYPE: a UTF-16 text file
inline constexpr ErrorCode kErrorDanglingLink = 1921;     // ERROR_CANT_RESOLVE_FILENAME
#else
inline constexpr ErrorCode kErrorFileTooLarge = EFBIG;
inline constexpr ErrorCode kErrorUnsupportedFile = EILSEQ;
inline constexpr ErrorCode kErrorDanglingLink = ENOLINK;
#endif

struct ReadResult {
    bool ok = false;
    bool missing = false;  // the file (or its folder) does not exist
    ErrorCode error = 0;
};

// Reads the whole file into `bytes`, sharing it with every other reader and
// writer. A file larger than `maxBytes` fails with kErrorFileTooLarge and
// reads nothing.
ReadResult ReadWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes);

// Replaces the file at `path` with `bytes` as one step. The bytes go to a new
// temporary file beside the file (beside its target when `path` is a link, so
// the link stays and its target gets the bytes), which takes the replaced
// file's attributes (on Windows also its security and streams, as the
// system's own replacement keeps them) and then takes its place. While other
// programs have the file open so that it cannot be replaced, the replacement
// is tried again for a short while. A read-only file is refused with the
// platform's access-denied code, as the platform's own writers refuse it, and
// a link whose target is missing with kErrorDanglingLink. On failure nothing
// has changed and the error is returned (and left as the thread's last error);
// 0 on success. After a success, the temporary files of this file that crashed
// runs left behind are removed once they are older than kStaleTemporaryAge
// (not a replaced file that a crash during its replacement left aside).
ErrorCode ReplaceWholeFile(const std::string& path, std::string_view bytes);

// Copies the file at `from` to `to`, which must not exist yet, in pieces of
// bounded size, and flushes the copy to disk.
ErrorCode CopyToNewFile(const std::string& from, const std::string& to);

// Removes a file, a read-only one too.
ErrorCode RemoveFile(const std::string& path);

bool Exists(const std::string& path);
bool IsFolder(const std::string& path);
// The full path of the folder that holds `path`.
std::string FolderOf(const std::string& path);

// How file operations pass the time while they wait for another program: by
// default the thread sleeps; a program with windows installs a function that
// keeps them painting and answering. It returns after about `time`.
using WaitFunction = void (*)(std::chrono::milliseconds time);
// Installs `wait` for every later wait (nullptr: sleep) and answers the one it replaces.
WaitFunction SetWaitFunction(WaitFunction wait);
// Calls `attempt` until it answers 0, or an error for which `passes` is false,
// or until `limit` has passed, waiting between attempts through the wait
// function; answers the last attempt's error.
ErrorCode RetryFor(std::chrono::milliseconds limit, const std::function<ErrorCode()>& attempt,
                   const std::function<bool(ErrorCode)>& passes);

// Held while it lives: an exclusive lock named by `path`, for writers that read
// a file, change it and write it back, so that two of them never interleave.
// A second holder waits for the first, at most `wait`; a lock file that cannot
// be made at all (a folder that cannot be written) fails at once.
class ExclusiveLock {
public:
    explicit ExclusiveLock(const std::string& path, std::chrono::milliseconds wait = std::chrono::seconds(10));
    ~ExclusiveLock();
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;
    // 0 while the lock is held, else why it could not be taken.
    ErrorCode Error() const { return m_error; }
    // Whether another holder kept the lock for the whole wait.
    bool HeldElsewhere() const { return m_heldElsewhere; }

private:
    std::string m_path;
    std::intptr_t m_handle;
    ErrorCode m_error = 0;
    bool m_heldElsewhere = false;
};

// The text for an error number (the program's own for its own refusals, else
// the platform's), without a final full stop, then ", code N": for messages
// that go on after it. UTF-8 on Windows.
std::string DescribeError(ErrorCode error);
// The platform's own text for an error number, as the platform gives it;
// empty when it has none.
std::string SystemErrorText(ErrorCode error);

// No writer runs this long: a temporary file this old was left by a crash.
inline constexpr std::chrono::minutes kStaleTemporaryAge{10};

// The name of the `attempt`th temporary file that process `process` may write
// for `path`: beside it, and recognisably its (see IsTemporaryOf).
std::string TemporaryName(const std::string& path, unsigned long process, unsigned attempt);
// Whether `name` (a file name without folder) is a temporary file of the file
// named `fileName`.
bool IsTemporaryOf(std::string_view fileName, std::string_view name);

}  // namespace files
