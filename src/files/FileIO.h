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
#include <string>
#include <string_view>

namespace files {

using ErrorCode = unsigned long;

// A missing file's error number: ERROR_FILE_NOT_FOUND on Windows, ENOENT
// elsewhere; both are 2.
inline constexpr ErrorCode kErrorNotFound = 2;
// What ReadWholeFile fails with for a file over its bound.
#ifdef _WIN32
inline constexpr ErrorCode kErrorTooLarge = 223;  // ERROR_FILE_TOO_LARGE
#else
inline constexpr ErrorCode kErrorTooLarge = EFBIG;
#endif

struct ReadResult {
    bool ok = false;
    bool missing = false;  // the file (or its folder) does not exist
    ErrorCode error = 0;
};

// Reads the whole file into `bytes`. A file larger than `maxBytes` fails with
// the platform's "file too large" error and reads nothing.
ReadResult ReadWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes);

// Replaces the file at `path` with `bytes` as one step. The bytes go to a new
// temporary file beside the file (beside its target when `path` is a link, so
// the link stays and its target gets the bytes), which takes the replaced
// file's attributes and is then renamed over it. A read-only file is refused
// with the platform's access-denied code, as the platform's own writers refuse
// it. On failure nothing has changed and the error is returned (and left as
// the thread's last error); 0 on success. After a success, the temporary files
// of this file that crashed runs left behind are removed once they are older
// than kStaleTemporaryAge.
ErrorCode ReplaceWholeFile(const std::string& path, std::string_view bytes);

// Copies the file at `from` to `to`, which must not exist yet.
ErrorCode CopyToNewFile(const std::string& from, const std::string& to);

// Removes a file, a read-only one too.
ErrorCode RemoveFile(const std::string& path);

bool Exists(const std::string& path);
bool IsFolder(const std::string& path);

// Held while it lives: an exclusive lock named by `path`, for writers that read
// a file, change it and write it back, so that two of them never interleave.
// A second holder waits for the first, at most `wait`.
class ExclusiveLock {
public:
    explicit ExclusiveLock(const std::string& path, std::chrono::milliseconds wait = std::chrono::seconds(10));
    ~ExclusiveLock();
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;
    // 0 while the lock is held, else why it could not be taken.
    ErrorCode Error() const { return m_error; }

private:
    std::string m_path;
    std::intptr_t m_handle;
    ErrorCode m_error = 0;
};

// The platform's text for an error number, without a final full stop, then
// ", code N": for messages that go on after it.
std::string DescribeError(ErrorCode error);
// The platform's own text for an error number, as the platform gives it.
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
