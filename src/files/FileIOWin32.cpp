#include "files/FileIO.h"

#include "files/WideText.h"

#include <windows.h>

#include <algorithm>
#include <atomic>

namespace files {
namespace {

// Closes a handle on every way out of a scope.
class Handle {
public:
    explicit Handle(HANDLE h) : m_h(h) {}
    ~Handle() { close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return m_h != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_h; }
    void close() {
        if (valid()) CloseHandle(m_h);
        m_h = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE m_h;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The attributes a replaced file passes on to the file that replaces it.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// How long a replacement waits for other programs to close the file.
constexpr std::chrono::seconds kReplaceWait{2};

ErrorCode Fail(ErrorCode error) {
    SetLastError(error);
    return error;
}

DWORD Attributes(const std::string& path) { return GetFileAttributesW(Widen(path).c_str()); }

bool WriteAll(HANDLE h, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD chunk = bytes.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(h, bytes.data(), chunk, &written, nullptr)) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// The file that `path` names: the target of a link, as the file system
// resolves it, with its attributes; `path` itself when it does not exist.
ErrorCode ResolveTarget(const std::string& path, std::string& target, DWORD& attributes) {
    target = path;
    attributes = INVALID_FILE_ATTRIBUTES;
    Handle file(CreateFileW(Widen(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                            nullptr));
    if (!file.valid()) {
        const ErrorCode error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) return error;
        // Windows shows a link whose target is missing as a reparse point.
        // Wine hides a host's such link from every query (PutUnderNewName finds it).
        const DWORD own = Attributes(path);
        return own != INVALID_FILE_ATTRIBUTES && (own & FILE_ATTRIBUTE_REPARSE_POINT) ? kErrorDanglingLink : 0;
    }
    std::wstring final(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(file.get(), final.data(), static_cast<DWORD>(final.size()),
                                             FILE_NAME_NORMALIZED);
    if (length >= final.size()) {
        final.resize(length);
        length = GetFinalPathNameByHandleW(file.get(), final.data(), static_cast<DWORD>(final.size()),
                                           FILE_NAME_NORMALIZED);
    }
    if (length > 0 && length < final.size()) {
        const std::wstring_view resolved(final.data(), length);
        if (resolved.starts_with(L"\\\\?\\UNC\\"))
            target = "\\\\" + Narrow(resolved.substr(8));
        else
            target = Narrow(resolved.starts_with(L"\\\\?\\") ? resolved.substr(4) : resolved);
    }
    attributes = Attributes(target);
    return 0;
}

// A new temporary file beside `target`, under a name no file has yet.
HANDLE CreateTemporary(const std::string& target, std::string& temp) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 1000; ++attempt) {
        temp = TemporaryName(target, GetCurrentProcessId(), counter++);
        HANDLE file = CreateFileW(Widen(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
        const DWORD error = GetLastError();
        if (file != INVALID_HANDLE_VALUE || (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)) return file;
    }
    return INVALID_HANDLE_VALUE;
}

std::uint64_t Ticks(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Removes the temporary files of `target` that crashed runs left behind.
void RemoveStaleTemporaries(const std::string& target) {
    const std::size_t slash = target.find_last_of("\\/");
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    const std::string fileName = target.substr(folder.size());
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    constexpr std::uint64_t kTicksPerMinute = 60ull * 10'000'000ull;
    const std::uint64_t staleBefore = Ticks(now) - kStaleTemporaryAge.count() * kTicksPerMinute;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Widen(target + ".~*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = Narrow(found.cFileName);
        if (IsTemporaryOf(fileName, name) && Ticks(found.ftLastWriteTime) < staleBefore)
            DeleteFileW(Widen(folder + name).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// The errors of a replacement that another program's handle on the file
// causes; they pass once it closes the file. Wine denies access to a rename
// over any open file, Windows to a file whose deletion is pending.
bool PassesWhenClosed(ErrorCode error) {
    switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
    case ERROR_ACCESS_DENIED:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2:
    case ERROR_ALREADY_EXISTS:  // the file was made meanwhile: the next attempt replaces it
        return true;
    default:
        return false;
    }
}

// What keeps the file at `path` from being renamed now; 0 when nothing does.
ErrorCode RenameBlocker(const std::string& path) {
    Handle file(CreateFileW(Widen(path).c_str(), DELETE, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
    return file.valid() ? 0 : GetLastError();
}

// Gives the finished file `temp` the name `target`, which no file has. A new
// name linked to it, unlike a rename, never takes the place of a link to nowhere.
ErrorCode PutUnderNewName(const std::string& temp, const std::string& target) {
    if (CreateHardLinkW(Widen(target).c_str(), Widen(temp).c_str(), nullptr)) {
        DeleteFileW(Widen(temp).c_str());
        return 0;
    }
    const ErrorCode error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS) return Exists(target) ? error : kErrorDanglingLink;
    // A file system without hard links.
    return MoveFileExW(Widen(temp).c_str(), Widen(target).c_str(), MOVEFILE_WRITE_THROUGH) ? 0 : GetLastError();
}

// Puts the finished file `temp` in the place of the file `target` with the
// system's replacement, which keeps the replaced file's security, attributes
// and streams. The replaced file goes to a name of ours, so that where the
// replacement stops half-way it is there to be put back.
ErrorCode ReplaceExisting(const std::string& temp, const std::string& target) {
    std::string backup;
    Handle(CreateTemporary(target, backup)).close();
    if (ReplaceFileW(Widen(target).c_str(), Widen(temp).c_str(), Widen(backup).c_str(), 0, nullptr, nullptr)) {
        DeleteFileW(Widen(backup).c_str());
        return 0;
    }
    const ErrorCode error = GetLastError();
    if (Exists(target))
        DeleteFileW(Widen(backup).c_str());
    else
        MoveFileExW(Widen(backup).c_str(), Widen(target).c_str(), MOVEFILE_WRITE_THROUGH);
    // The replacement's own codes say which step failed; what keeps its file from being renamed says why.
    ErrorCode blocker = 0;
    if (error == ERROR_UNABLE_TO_REMOVE_REPLACED) blocker = RenameBlocker(target);
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
        blocker = RenameBlocker(temp);
    return blocker != 0 ? blocker : error;
}

}  // namespace

ReadResult ReadWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes) {
    ReadResult result;
    Handle file(CreateFileW(Widen(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        result.error = GetLastError();
        result.missing = result.error == ERROR_FILE_NOT_FOUND || result.error == ERROR_PATH_NOT_FOUND;
        return result;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size)) {
        result.error = GetLastError();
        return result;
    }
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
        result.error = Fail(kErrorFileTooLarge);
        return result;
    }
    std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < content.size()) {
        DWORD got = 0;
        DWORD want = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 0x40000000));
        if (!ReadFile(file.get(), content.data() + done, want, &got, nullptr)) {
            result.error = GetLastError();
            return result;
        }
        if (got == 0) break;  // the file shrank meanwhile
        done += got;
    }
    content.resize(done);
    bytes.swap(content);
    result.ok = true;
    return result;
}

ErrorCode ReplaceWholeFile(const std::string& path, std::string_view bytes) {
    std::string target;
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    if (const ErrorCode error = ResolveTarget(path, target, attributes)) return Fail(error);
    const bool replacing = attributes != INVALID_FILE_ATTRIBUTES;
    if (replacing && (attributes & FILE_ATTRIBUTE_READONLY)) return Fail(ERROR_ACCESS_DENIED);
    std::string temp;
    Handle file(CreateTemporary(target, temp));
    if (!file.valid()) return Fail(GetLastError());
    if (!WriteAll(file.get(), bytes) || !FlushFileBuffers(file.get())) {
        const ErrorCode error = GetLastError();
        file.close();
        DeleteFileW(Widen(temp).c_str());
        return Fail(error);
    }
    file.close();
    // Wine's replacement keeps no attributes.
    if (replacing) SetFileAttributesW(Widen(temp).c_str(), (attributes & kKeptAttributes) | FILE_ATTRIBUTE_NORMAL);
    const auto putInPlace = [&] {
        return Exists(target) ? ReplaceExisting(temp, target) : PutUnderNewName(temp, target);
    };
    if (const ErrorCode error = RetryFor(kReplaceWait, putInPlace, PassesWhenClosed)) {
        DeleteFileW(Widen(temp).c_str());
        return Fail(error);
    }
    RemoveStaleTemporaries(target);
    return 0;
}

std::string SystemErrorText(ErrorCode error) {
    // The runtime's error category gives C library texts for these numbers;
    // the user must read the system's own.
    wchar_t text[512];
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                        text, sizeof text / sizeof text[0], nullptr);
    return Narrow(std::wstring_view(text, length));
}

ErrorCode CopyToNewFile(const std::string& from, const std::string& to) {
    const std::wstring copy = Widen(to);
    if (!CopyFileW(Widen(from).c_str(), copy.c_str(), TRUE)) return Fail(GetLastError());
    // A plain file, which the user may remove, and on disk before anything relies on it.
    SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
    Handle file(CreateFileW(copy.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (file.valid() && FlushFileBuffers(file.get())) return 0;
    const ErrorCode error = GetLastError();
    file.close();
    DeleteFileW(copy.c_str());
    return Fail(error);
}

ErrorCode RemoveFile(const std::string& path) {
    const std::wstring name = Widen(path);
    SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(name.c_str()) ? 0 : Fail(GetLastError());
}

bool Exists(const std::string& path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }

bool IsFolder(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FolderOf(const std::string& path) {
    const std::wstring name = Widen(path);
    std::wstring full(MAX_PATH, L'\0');
    wchar_t* file = nullptr;
    DWORD length = GetFullPathNameW(name.c_str(), static_cast<DWORD>(full.size()), full.data(), &file);
    if (length >= full.size()) {
        full.resize(length);
        length = GetFullPathNameW(name.c_str(), static_cast<DWORD>(full.size()), full.data(), &file);
    }
    if (length == 0 || length >= full.size() || !file) return path;
    std::wstring_view folder(full.data(), static_cast<std::size_t>(file - full.data()));
    // "C:\" keeps its backslash; "C:\work\" does not.
    if (folder.size() > 3 && folder.ends_with(L'\\')) folder.remove_suffix(1);
    return Narrow(folder);
}

ExclusiveLock::ExclusiveLock(const std::string& path, std::chrono::milliseconds wait)
    : m_path(path), m_handle(reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE)) {
    // Opened without sharing, the lock file admits one holder; it goes with
    // its last handle, also when the holder's process ends without closing it.
    const std::wstring name = Widen(path);
    m_error = RetryFor(
        wait,
        [&]() -> ErrorCode {
            HANDLE file = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
            m_handle = reinterpret_cast<std::intptr_t>(file);
            return file == INVALID_HANDLE_VALUE ? GetLastError() : 0;
        },
        [&](ErrorCode error) {
            // A holder has the lock file open, or is just deleting it as it
            // lets go, which denies access to it meanwhile. Where no lock file
            // is there, the folder refused to take one.
            const bool absent = !Exists(path) && GetLastError() == ERROR_FILE_NOT_FOUND;
            m_heldElsewhere = error == ERROR_SHARING_VIOLATION || (error == ERROR_ACCESS_DENIED && !absent);
            return m_heldElsewhere;
        });
    if (m_error == 0) m_heldElsewhere = false;
}

ExclusiveLock::~ExclusiveLock() {
    if (reinterpret_cast<HANDLE>(m_handle) != INVALID_HANDLE_VALUE) CloseHandle(reinterpret_cast<HANDLE>(m_handle));
}

}  // namespace files
