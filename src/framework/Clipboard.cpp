#include "framework/Clipboard.h"

#include "files/WideText.h"

#include <cstring>
#include <cwchar>

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

// Global memory locked for the length of a scope; its address is null when
// the lock fails (memory discarded, or no memory handle at all).
class LockedMemory {
public:
    explicit LockedMemory(HGLOBAL memory) : m_memory(memory), m_address(memory ? GlobalLock(memory) : nullptr) {}
    ~LockedMemory() {
        if (m_address) GlobalUnlock(m_memory);
    }
    LockedMemory(const LockedMemory&) = delete;
    LockedMemory& operator=(const LockedMemory&) = delete;
    void* Address() const { return m_address; }

private:
    HGLOBAL m_memory;
    void* m_address;
};

}  // namespace

bool AfxSetClipboardText(HWND owner, std::string_view text) {
    const std::wstring wide = files::Widen(text);
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return false;
    bool filled = false;
    if (const LockedMemory locked(memory); locked.Address()) {
        std::memcpy(locked.Address(), wide.c_str(), bytes);
        filled = true;
    }
    DWORD error = GetLastError();
    if (filled) {
        const OpenClipboardScope clipboard(owner);
        // Once set, the clipboard owns the memory.
        if (clipboard && EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory)) return true;
        error = GetLastError();
    }
    GlobalFree(memory);
    SetLastError(error);
    return false;
}

ClipboardText AfxGetClipboardText(HWND owner, std::string& text, std::size_t maxBytes) {
    const OpenClipboardScope clipboard(owner);
    HANDLE data = clipboard ? GetClipboardData(CF_UNICODETEXT) : nullptr;
    const LockedMemory locked(data);
    const auto* chars = static_cast<const wchar_t*>(locked.Address());
    if (!chars) return ClipboardText::None;
    // The text ends at its NUL, or at the end of its memory when it has none.
    const std::size_t length = wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t));
    // A character takes at least one byte: a longer text is refused unconverted.
    if (length > maxBytes) return ClipboardText::TooLarge;
    std::string converted = files::Narrow({chars, length});
    if (converted.size() > maxBytes) return ClipboardText::TooLarge;
    text = std::move(converted);
    return ClipboardText::Read;
}
