#include "RemoteDrive.h"

namespace remote {
namespace {

template <class Found>
bool Poll(Found found) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < kTimeoutMs; Sleep(20))
        if (found()) return true;
    return false;
}

// The edit to type into: the control itself, or a combo box's edit portion.
HWND TypingTarget(HWND control) {
    HWND edit = FindWindowExA(control, nullptr, "Edit", nullptr);
    return edit ? edit : control;
}

}  // namespace

HWND WaitForWindow(const char* caption) {
    HWND found = nullptr;
    // Shown once its initialisation is over; a message answered once it is idle.
    Poll([&] { return (found = FindWindowA(nullptr, caption)) && IsWindowVisible(found); });
    if (found) SendMessageTimeoutA(found, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, nullptr);
    return found;
}

bool WaitUntilGone(const char* caption) {
    return Poll([&] { return !FindWindowA(nullptr, caption); });
}

std::string TextOf(HWND hWnd) {
    char buffer[4096] = {};
    SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL, kTimeoutMs,
                        nullptr);
    return buffer;
}

void SetText(HWND control, const std::string& text) {
    SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL, kTimeoutMs,
                        nullptr);
}

void Click(HWND button) { SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, kTimeoutMs, nullptr); }

void PressKey(HWND control, WORD vk) {
    HWND target = TypingTarget(control);
    const UINT scan = MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    PostMessageA(target, WM_KEYDOWN, vk, 1 | (scan << 16));
    PostMessageA(target, WM_KEYUP, vk, 1 | (scan << 16) | (1u << 30) | (1u << 31));
}

bool AnswerBox(const char* caption, std::string& text) {
    // Message boxes share the dialog class; a box has no control 1000, which
    // every setup dialog holds.
    HWND box = nullptr;
    if (!Poll([&] {
            box = FindWindowExA(nullptr, nullptr, "#32770", caption);
            while (box && (!IsWindowVisible(box) || GetDlgItem(box, 1000)))
                box = FindWindowExA(nullptr, box, "#32770", caption);
            return box != nullptr;
        }))
        return false;
    Sleep(100);  // let it finish painting and take input
    // Its text is its longest static text.
    text.clear();
    for (HWND child = FindWindowExA(box, nullptr, "Static", nullptr); child;
         child = FindWindowExA(box, child, "Static", nullptr)) {
        const std::string candidate = TextOf(child);
        if (candidate.size() > text.size()) text = candidate;
    }
    HWND button = FindWindowExA(box, nullptr, "Button", nullptr);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return Poll([&] { return !IsWindow(box); });
}

}  // namespace remote
