#include "framework/Clipboard.h"

#include <cstring>

namespace {

// Open for the length of a scope.
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner) : m_open(OpenClipboard(owner) != FALSE) {}
    ~OpenClipboardScope() {
        if (m_open) CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    explicit operator bool() const { return m_open; }

private:
    bool m_open;
};

}  // namespace

bool AfxSetClipboardText(HWND owner, const std::string& text) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!memory) return false;
    char* bytes = static_cast<char*>(GlobalLock(memory));
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    const OpenClipboardScope clipboard(owner);
    // Once set, the clipboard owns the memory.
    if (clipboard && EmptyClipboard() && SetClipboardData(CF_TEXT, memory)) return true;
    const DWORD error = GetLastError();
    GlobalFree(memory);
    SetLastError(error);
    return false;
}

ClipboardText AfxGetClipboardText(HWND owner, std::string& text, std::size_t maxBytes) {
    const OpenClipboardScope clipboard(owner);
    HANDLE data = clipboard ? GetClipboardData(CF_TEXT) : nullptr;
    const char* bytes = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (!bytes) return ClipboardText::None;
    // The text ends at its NUL, or at the end of its memory when it has none.
    const std::size_t room = GlobalSize(data);
    const std::size_t length = strnlen(bytes, room);
    ClipboardText result = ClipboardText::TooLarge;
    if (length <= maxBytes) {
        text.assign(bytes, length);
        result = ClipboardText::Read;
    }
    GlobalUnlock(data);
    return result;
}
