#include "files/FileIO.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <thread>

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

// The attributes a replaced file passes on to the file that replaces it.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

ErrorCode Fail(ErrorCode error) {
    SetLastError(error);
    return error;
}

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
    Handle file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) {
        const ErrorCode error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? 0 : error;
    }
    char final[MAX_PATH * 4];
    const DWORD length = GetFinalPathNameByHandleA(file.get(), final, sizeof final, FILE_NAME_NORMALIZED);
    if (length > 0 && length < sizeof final) {
        const std::string_view resolved(final, length);
        if (resolved.starts_with("\\\\?\\UNC\\"))
            target = "\\\\" + std::string(resolved.substr(8));
        else
            target = resolved.starts_with("\\\\?\\") ? std::string(resolved.substr(4)) : std::string(resolved);
    }
    attributes = GetFileAttributesA(target.c_str());
    return 0;
}

// A new temporary file beside `target`, under a name no file has yet.
HANDLE CreateTemporary(const std::string& target, std::string& temp) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 1000; ++attempt) {
        temp = TemporaryName(target, GetCurrentProcessId(), counter++);
        HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
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
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((target + ".~*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (IsTemporaryOf(fileName, found.cFileName) && Ticks(found.ftLastWriteTime) < staleBefore)
            DeleteFileA((folder + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace

ReadResult ReadWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes) {
    ReadResult result;
    Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
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
        result.error = Fail(ERROR_FILE_TOO_LARGE);
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
        DeleteFileA(temp.c_str());
        return Fail(error);
    }
    file.close();
    if (replacing) SetFileAttributesA(temp.c_str(), (attributes & kKeptAttributes) | FILE_ATTRIBUTE_NORMAL);
    if (!MoveFileExA(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const ErrorCode error = GetLastError();
        DeleteFileA(temp.c_str());
        return Fail(error);
    }
    RemoveStaleTemporaries(target);
    return 0;
}

std::string SystemErrorText(ErrorCode error) {
    // The runtime's error category gives C library texts for these numbers;
    // the user must read the system's own.
    char text[512];
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                        text, sizeof text, nullptr);
    return length > 0 ? std::string(text, length) : "Unknown error";
}

ErrorCode CopyToNewFile(const std::string& from, const std::string& to) {
    return CopyFileA(from.c_str(), to.c_str(), TRUE) ? 0 : Fail(GetLastError());
}

ErrorCode RemoveFile(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(path.c_str()) ? 0 : Fail(GetLastError());
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

ExclusiveLock::ExclusiveLock(const std::string& path, std::chrono::milliseconds wait) : m_path(path) {
    // Opened without sharing, the lock file admits one holder; it goes with
    // its last handle, also when the holder's process ends without closing it.
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        m_handle = reinterpret_cast<std::intptr_t>(file);
        m_error = file == INVALID_HANDLE_VALUE ? GetLastError() : 0;
        if (m_error == 0) return;
        // A holder (or a lock file that its holder is just deleting) is there.
        const bool held = m_error == ERROR_SHARING_VIOLATION || m_error == ERROR_ACCESS_DENIED;
        if (!held || std::chrono::steady_clock::now() >= deadline) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

ExclusiveLock::~ExclusiveLock() {
    if (reinterpret_cast<HANDLE>(m_handle) != INVALID_HANDLE_VALUE) CloseHandle(reinterpret_cast<HANDLE>(m_handle));
}

}  // namespace files
