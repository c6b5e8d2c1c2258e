#pragma once
// Reading and writing private-profile (.ini) files the way the Windows
// private-profile functions do, on every platform, editing only the lines a
// change needs so that the rest of the file stays byte for byte as it was.
#include "files/FileIO.h"

#include <cerrno>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace gameconfig {

// The buffer size the mission's reads use: at most 63 characters come back.
inline constexpr std::size_t kReadBufferSize = 64;

// Files above this size are read as empty and refused for writing, so a
// stray huge file never makes us allocate without bound.
inline constexpr std::size_t kMaxProfileBytes = 64u * 1024u * 1024u;

// Error numbers for the refusals that are ours rather than the file system's.
inline constexpr files::ErrorCode kErrorUnsupportedFile = files::kErrorUnsupportedFile;
#ifdef _WIN32
inline constexpr files::ErrorCode kErrorInvalidName = 87;         // ERROR_INVALID_PARAMETER
inline constexpr files::ErrorCode kErrorChangedMeanwhile = 1237;  // ERROR_RETRY
#else
inline constexpr files::ErrorCode kErrorInvalidName = EINVAL;
inline constexpr files::ErrorCode kErrorChangedMeanwhile = EAGAIN;
#endif

// How often an update reads the file again because another program changed
// it meanwhile before it gives up.
inline constexpr int kUpdateAttempts = 5;

// Whether a read removes one pair of enclosing quotes, as Windows does.
enum class Quotes { Keep, Strip };

struct ProfileEntry {
    std::string_view key;
    std::string_view value;
};

// A section and key name pair found in a file, in file order.
struct ProfileName {
    std::string section;
    std::string key;
};

enum class SetResult { Changed, Unchanged, InvalidName, UnsupportedFile };

// The bytes of one profile file, with lookups and a batch update.
class ProfileFile {
public:
    ProfileFile() = default;
    explicit ProfileFile(std::string bytes) : m_bytes(std::move(bytes)) {}

    const std::string& Bytes() const { return m_bytes; }

    // What GetPrivateProfileStringA stores in a buffer of `bufferSize` bytes:
    // the value of the first matching key of the first matching section, or
    // `defaultValue` without its trailing spaces when there is none; at most
    // bufferSize - 1 characters. The count it returns is the result's size.
    std::string Get(std::string_view section, std::string_view key, Quotes quotes = Quotes::Keep,
                    std::size_t bufferSize = kReadBufferSize, std::string_view defaultValue = {}) const;

    // Whether the file has a section of that name (letter case aside).
    bool HasSection(std::string_view section) const;

    // False for files we cannot edit without damaging them: UTF-16 text, or
    // bytes that are mostly NUL (UTF-16 without its mark, or not text at all).
    bool IsEditable() const;

    // Sets every entry of `entries` in `section` with one rewrite of the bytes,
    // the way WritePrivateProfileStringA sets one: an existing key keeps its
    // spelling and gets the new value, a missing key goes after the section's
    // last non-blank line, a missing section is appended. A later entry for
    // the same key wins. Values are cut at their first CR, LF or NUL, since a
    // line break in a value would inject lines into the file. Names are
    // trimmed; a name that cannot be written back as itself (empty, holding a
    // line break, NUL or '=', or a key starting with '[') changes nothing.
    SetResult Set(std::string_view section, std::span<const ProfileEntry> entries);

    // Every entry line's section and key, in file order.
    std::vector<ProfileName> Entries() const;

private:
    std::string m_bytes;
};

// Reads the file at `path` into `file`. A missing file reads as empty and
// answers 0; a file that cannot be read (an oversized one, or UTF-16 text,
// which we do not convert, included) reads as empty and answers why.
files::ErrorCode ReadProfileFile(const std::string& path, ProfileFile& file);

// Sets `entries` in `section` of the file at `path` as one update: the file is
// read, changed in memory and replaced through a temporary file, so a failure
// leaves it exactly as it was. A missing file is created. Just before the
// replace the file is read again: when another program has changed it since,
// the section is set in its new bytes instead, so nothing it wrote is lost
// (kUpdateAttempts times, then kErrorChangedMeanwhile). Returns 0 or the
// error number, which is also left as the thread's last error where the
// file system set it.
files::ErrorCode UpdateProfileSection(const std::string& path, std::string_view section,
                                     std::span<const ProfileEntry> entries);

// Called, when set, between an update's read and its look at the file before
// the replace: where another program's write may fall. Tests make one there.
inline void (*g_pfnBeforeReplaceCheck)(const std::string& path) = nullptr;

// What is wrong with the settings file at `path` and what to do about it, for
// the program's own refusals, which the system has no useful text for; empty
// for any other error.
std::string ExplainRefusal(files::ErrorCode error, const std::string& path);

}  // namespace gameconfig
