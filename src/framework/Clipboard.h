#pragma once
// The clipboard's text, as UTF-8; the clipboard holds it as Unicode text, which
// the system gives other programs in their code page.
#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

// Puts `text` on the clipboard, owned by `owner`; false (with the thread's last
// error) when the clipboard or its memory cannot be had.
bool AfxSetClipboardText(HWND owner, std::string_view text);

enum class ClipboardText { Read, None, TooLarge };
// The clipboard's text into `text`: None when it holds no text (or its memory
// cannot be had), TooLarge (reading nothing) when the text is longer than
// `maxBytes`.
ClipboardText AfxGetClipboardText(HWND owner, std::string& text, std::size_t maxBytes);
