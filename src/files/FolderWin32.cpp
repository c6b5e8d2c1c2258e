#include "files/Folder.h"

#include "files/WideText.h"

#include <windows.h>

#include <string_view>

namespace files {
namespace {

FileTime TimeOf(const FILETIME& time) {
    return static_cast<FileTime>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

FolderEntry EntryOf(const WIN32_FIND_DATAW& found) {
    FolderEntry entry;
    entry.name = Narrow(found.cFileName);
    entry.isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.created = TimeOf(found.ftCreationTime);
    entry.written = TimeOf(found.ftLastWriteTime);
    return entry;
}

}  // namespace

ErrorCode ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) {
    entries.clear();
    std::wstring pattern = Widen(folder);
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? 0 : error;  // a folder without entries
    }
    do {
        const std::wstring_view name = found.cFileName;
        if (name != L"." && name != L"..") entries.push_back(EntryOf(found));
    } while (FindNextFileW(search, &found));
    const DWORD error = GetLastError();
    FindClose(search);
    return error == ERROR_NO_MORE_FILES ? 0 : error;
}

ErrorCode ReadEntry(const std::string& path, FolderEntry& entry) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data)) return GetLastError();
    entry.name = path.substr(path.find_last_of("\\/") + 1);
    entry.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.created = TimeOf(data.ftCreationTime);
    entry.written = TimeOf(data.ftLastWriteTime);
    return 0;
}

ErrorCode RenameToNewName(const std::string& from, const std::string& to) {
    // Without MOVEFILE_REPLACE_EXISTING a file under the new name stops the rename.
    if (MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_WRITE_THROUGH)) return 0;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_EXISTS ? kErrorNameTaken : error;
}

ErrorCode CheckReplaceable(const std::string& path) {
    const std::wstring wide = Widen(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (GetLastError() != ERROR_FILE_NOT_FOUND) return GetLastError();
    } else {
        if (attributes & FILE_ATTRIBUTE_READONLY) return ERROR_ACCESS_DENIED;
        // The replacement takes the name from the file: a program that holds
        // it open without allowing that stops it, as do the file's permissions.
        HANDLE file = CreateFileW(wide.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return GetLastError();
        CloseHandle(file);
    }
    // The new content is written beside it first.
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        HANDLE probe = CreateFileW(Widen(TemporaryName(path, GetCurrentProcessId(), attempt)).c_str(), GENERIC_WRITE, 0,
                                   nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (probe != INVALID_HANDLE_VALUE) {
            CloseHandle(probe);
            return 0;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) return GetLastError();
    }
    return ERROR_FILE_EXISTS;
}

}  // namespace files
