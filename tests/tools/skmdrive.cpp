// skmdrive: drives a running Skirmaker from outside, as a user would, by
// finding its windows by caption and sending messages to their controls.
//
//   skmdrive wait CAPTION               wait until a top-level window exists
//   skmdrive gone CAPTION               wait until it no longer exists
//   skmdrive settext CAPTION ID TEXT    set a control's text (edits notify their dialog)
//   skmdrive type CAPTION ID TEXT       type TEXT into a control key by key
//   skmdrive gettext CAPTION ID         print a control's text
//   skmdrive checked CAPTION ID         print 1 if a check box is checked, else 0
//   skmdrive click CAPTION ID           click a button and wait until it is handled
//   skmdrive post-click CAPTION ID      click a button without waiting (it may open a box)
//   skmdrive key CAPTION ID VK          press a key in a control (decimal virtual-key code), without waiting
//   skmdrive box CAPTION                wait for a message box, print its text, press its first button
//
// Waits end after 20 seconds with exit code 2; a missing window or control
// gives exit code 1.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr DWORD kTimeoutMs = 20000;

HWND WaitForWindow(const char* caption) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < kTimeoutMs; Sleep(20)) {
        if (HWND hWnd = FindWindowA(nullptr, caption)) return hWnd;
    }
    return nullptr;
}

std::string TextOf(HWND hWnd) {
    char buffer[4096] = {};
    SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL,
                        kTimeoutMs, nullptr);
    return buffer;
}

// Sends and waits, but never longer than `timeoutMs` (a handler may open a modal box).
void Send(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs = kTimeoutMs) {
    SendMessageTimeoutA(hWnd, message, wParam, lParam, SMTO_NORMAL, timeoutMs, nullptr);
}

void PressKey(HWND target, WORD vk) {
    const UINT scan = MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    PostMessageA(target, WM_KEYDOWN, vk, 1 | (scan << 16));
    PostMessageA(target, WM_KEYUP, vk, 1 | (scan << 16) | (1u << 30) | (1u << 31));
}

// The edit to type into: the control itself, or a combo box's edit portion.
HWND TypingTarget(HWND control) {
    HWND edit = FindWindowExA(control, nullptr, "Edit", nullptr);
    return edit ? edit : control;
}

// The message box's text is its longest static text.
std::string BoxText(HWND box) {
    std::string text;
    for (HWND child = FindWindowExA(box, nullptr, "Static", nullptr); child;
         child = FindWindowExA(box, child, "Static", nullptr)) {
        std::string candidate = TextOf(child);
        if (candidate.size() > text.size()) text = candidate;
    }
    return text;
}

int Usage() {
    std::fputs("usage: skmdrive wait|gone|settext|type|gettext|checked|click|post-click|key|box ...\n", stderr);
    return 64;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string command = argv[1];
    const char* caption = argv[2];

    if (command == "gone") {
        for (DWORD start = GetTickCount(); GetTickCount() - start < kTimeoutMs; Sleep(20))
            if (!FindWindowA(nullptr, caption)) return 0;
        return 2;
    }
    if (command == "box") {
        // Message boxes have the caption given; the setup dialog (which holds
        // control 1000) shares the dialog class but is not one.
        for (DWORD start = GetTickCount(); GetTickCount() - start < kTimeoutMs; Sleep(20)) {
            for (HWND hWnd = FindWindowExA(nullptr, nullptr, "#32770", caption); hWnd;
                 hWnd = FindWindowExA(nullptr, hWnd, "#32770", caption)) {
                if (!IsWindowVisible(hWnd) || GetDlgItem(hWnd, 1000)) continue;
                Sleep(100);  // let it finish painting and take input
                std::printf("%s\n", BoxText(hWnd).c_str());
                std::fflush(stdout);
                HWND button = FindWindowExA(hWnd, nullptr, "Button", nullptr);
                PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                             reinterpret_cast<LPARAM>(button));
                return 0;
            }
        }
        return 2;
    }

    HWND window = WaitForWindow(caption);
    if (!window) return 2;
    if (command == "wait") return 0;
    if (argc < 4) return Usage();
    HWND control = GetDlgItem(window, std::atoi(argv[3]));
    if (!control) return 1;

    if (command == "gettext") {
        std::printf("%s\n", TextOf(control).c_str());
    } else if (command == "checked") {
        LRESULT state = 0;
        SendMessageTimeoutA(control, BM_GETCHECK, 0, 0, SMTO_NORMAL, kTimeoutMs, reinterpret_cast<PDWORD_PTR>(&state));
        std::printf("%d\n", state == BST_CHECKED ? 1 : 0);
    } else if (command == "settext" && argc >= 5) {
        Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]));
    } else if (command == "type" && argc >= 5) {
        HWND target = TypingTarget(control);
        for (const char* c = argv[4]; *c; ++c) Send(target, WM_CHAR, static_cast<unsigned char>(*c), 1);
    } else if (command == "click") {
        Send(control, BM_CLICK, 0, 0);
    } else if (command == "post-click") {
        PostMessageA(control, BM_CLICK, 0, 0);
    } else if (command == "key" && argc >= 5) {
        PressKey(TypingTarget(control), static_cast<WORD>(std::atoi(argv[4])));
    } else {
        return Usage();
    }
    return 0;
}
