#pragma once
// Driving another process's windows as a user would: finding them by caption,
// setting and reading their controls' texts, clicking and pressing keys. Every
// wait ends after kTimeoutMs.
#include <windows.h>

#include <string>

namespace remote {

inline constexpr DWORD kTimeoutMs = 20000;

// A visible top-level window with this caption, once it is idle; nullptr when
// none appears in time.
HWND WaitForWindow(const char* caption);
// False when the window is still there at the time-out.
bool WaitUntilGone(const char* caption);
std::string TextOf(HWND hWnd);
// Sets a control's text as a user's typing ends up (an edit notifies its dialog).
void SetText(HWND control, const std::string& text);
// Clicks a button and waits until the click is handled (at most kTimeoutMs: it may open a box).
void Click(HWND button);
// Presses a key in a control (a combo box's edit portion for a combo).
void PressKey(HWND control, WORD vk);
// Waits for a message box with this caption, answers it with its first button,
// waits until it is gone and gives its text; false when any wait ends in vain.
bool AnswerBox(const char* caption, std::string& text);

}  // namespace remote
