#pragma once
// The folder operations the installation check needs: a folder's entries with
// their times, one entry's times, a rename that never replaces, and whether a
// file could be replaced now. Paths and error numbers as in FileIO.h; one
// implementation per platform (FolderWin32.cpp, FolderPosix.cpp).
#include "files/FileIO.h"

#include <cerrno>
#include <cstdint>
#include <string>
#include <vector>

namespace files {

// A moment as Windows counts it: 100-nanosecond ticks since 1601-01-01 UTC.
using FileTime = std::int64_t;

struct FolderEntry {
    std::string name;  // without its folder
    bool isFolder = false;
    FileTime created = 0;  // 0 where the platform keeps no creation time
    FileTime written = 0;
};

#ifdef _WIN32
inline constexpr ErrorCode kErrorNameTaken = 183;  // ERROR_ALREADY_EXISTS
#else
inline constexpr ErrorCode kErrorNameTaken = EEXIST;
#endif

// The entries of `folder` (with or without a final separator), "." and ".."
// left out, in no particular order.
ErrorCode ListFolder(const std::string& folder, std::vector<FolderEntry>& entries);

// The entry that `path` names.
ErrorCode ReadEntry(const std::string& path, FolderEntry& entry);

// Renames `from` to `to`, both in the same folder. When `to` exists already,
// it fails with kErrorNameTaken and changes nothing: no file is replaced.
ErrorCode RenameToNewName(const std::string& from, const std::string& to);

// 0 when ReplaceWholeFile could replace the file at `path` now (or make it,
// when it is missing), else why not; writes nothing that stays.
ErrorCode CheckReplaceable(const std::string& path);

}  // namespace files
