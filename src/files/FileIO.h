#pragma once
// Whole-file reads and atomic whole-file replacement. Error numbers are the
// platform's own (Windows system error codes on Windows, errno elsewhere), so
// callers can show them in "code %d" messages.
#include <cstddef>
#include <string>
#include <string_view>

namespace files {

using ErrorCode = unsigned long;

// A missing file's error number: ERROR_FILE_NOT_FOUND on Windows, ENOENT
// elsewhere; both are 2.
inline constexpr ErrorCode kErrorNotFound = 2;

struct ReadResult {
    bool ok = false;
    bool missing = false;  // the file (or its folder) does not exist
    ErrorCode error = 0;
};

// Reads the whole file into `bytes`. A file larger than `maxBytes` fails with
// the platform's "file too large" error and reads nothing.
ReadResult ReadWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes);

// Writes `bytes` to a new temporary file in the same folder as `path`, then
// replaces `path` with it. On failure `path` is untouched, the temporary file is
// removed and the error is returned (and left as the thread's last error).
// Returns 0 on success.
ErrorCode ReplaceWholeFile(const std::string& path, std::string_view bytes);

// Renames `from` to `to`, replacing `to`. Returns 0 on success.
ErrorCode RenameReplacing(const std::string& from, const std::string& to);

bool Exists(const std::string& path);

}  // namespace files
