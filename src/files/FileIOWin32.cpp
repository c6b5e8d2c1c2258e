#include "files/FileIO.h"

#include <windows.h>

#include <algorithm>
#include <atomic>

namespace files {
namespace {

// Closes a handle on every way out of a scope.
class Handle {
public:
    explicit Handle(HANDLE h) : m_h(h) {}
    ~Handle() { if (valid()) CloseHandle(m_h); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return m_h != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_h; }
    void close() { if (valid()) CloseHandle(m_h); m_h = INVALID_HANDLE_VALUE; }
private:
    HANDLE m_h;
};

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

}  // namespace

ReadResult ReadWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes) {
    ReadResult result;
    Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
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
    static std::atomic<unsigned> counter{0};
    const std::string temp = path + ".~" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(counter++) + ".tmp";
    Handle file(CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return Fail(GetLastError());
    if (!WriteAll(file.get(), bytes) || !FlushFileBuffers(file.get())) {
        const ErrorCode error = GetLastError();
        file.close();
        DeleteFileA(temp.c_str());
        return Fail(error);
    }
    file.close();
    if (!MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const ErrorCode error = GetLastError();
        DeleteFileA(temp.c_str());
        return Fail(error);
    }
    return 0;
}

ErrorCode RenameReplacing(const std::string& from, const std::string& to) {
    if (!MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return Fail(GetLastError());
    return 0;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace files
