#pragma once
// The clipboard's text, in the system's ANSI code page.
#include <windows.h>

#include <cstddef>
#include <string>

// Puts `text` on the clipboard, owned by `owner`; false (with the thread's last
// error) when the clipboard cannot be had.
bool AfxSetClipboardText(HWND owner, const std::string& text);

enum class ClipboardText { Read, None, TooLarge };
// The clipboard's text into `text`: None when it holds no text, TooLarge
// (reading nothing) when the text is longer than `maxBytes`.
ClipboardText AfxGetClipboardText(HWND owner, std::string& text, std::size_t maxBytes);
