#include "files/WideText.h"

#include <windows.h>

namespace files {

namespace {

std::wstring WideOf(std::string_view text, UINT codePage) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

// `lost` must be null for UTF-8, which has room for every character.
std::string BytesOf(std::wstring_view wide, UINT codePage, DWORD flags, BOOL* lost) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    std::string bytes(
        static_cast<std::size_t>(WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, nullptr)),
        '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), size, bytes.data(), static_cast<int>(bytes.size()), nullptr, lost);
    return bytes;
}

}  // namespace

std::wstring Widen(std::string_view utf8) { return WideOf(utf8, CP_UTF8); }

std::string Narrow(std::wstring_view wide) { return BytesOf(wide, CP_UTF8, 0, nullptr); }

std::wstring WidenAnsi(std::string_view ansi) { return WideOf(ansi, CP_ACP); }

std::string Utf8OfAnsi(std::string_view ansi) { return Narrow(WidenAnsi(ansi)); }

bool ToAnsi(std::string& text) {
    if (GetACP() == CP_UTF8 || text.empty()) return true;
    BOOL lost = FALSE;
    text = BytesOf(Widen(text), CP_ACP, WC_NO_BEST_FIT_CHARS, &lost);
    return !lost;
}

}  // namespace files
