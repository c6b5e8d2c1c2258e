// skmdrive: drives a running Skirmaker from outside, as a user would, for the
// demo and screenshot scripts.
//
//   skmdrive wait CAPTION               wait until a top-level window is shown and idle
//   skmdrive gone CAPTION               wait until it no longer exists
//   skmdrive post-click CAPTION ID      click a button without waiting (it may open a box)
//   skmdrive key CAPTION ID VK          press a key in a control (decimal virtual-key code)
//   skmdrive focus CAPTION ID           give a control of a dialog the keyboard focus
//   skmdrive system-menu CAPTION [ID]   open a window's system menu, as Alt+Space does, or choose its entry ID
//
// Waits end after 20 seconds with exit code 2; a missing control gives exit code 1.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr DWORD kTimeoutMs = 20000;

template <class Found>
bool Poll(Found found) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < kTimeoutMs; Sleep(20))
        if (found()) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: skmdrive wait|gone|post-click|key|focus|system-menu CAPTION ...\n", stderr);
        return 64;
    }
    const std::string command = argv[1];
    const char* caption = argv[2];
    if (command == "gone") return Poll([&] { return !FindWindowA(nullptr, caption); }) ? 0 : 2;
    HWND window = nullptr;
    if (!Poll([&] { return (window = FindWindowA(nullptr, caption)) && IsWindowVisible(window); })) return 2;
    // Shown once its initialisation is over; a message answered once it is idle.
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, nullptr);
    if (command == "wait") return 0;
    if (command == "system-menu")
        return PostMessageA(window, WM_SYSCOMMAND, argc >= 4 ? std::atoi(argv[3]) : SC_KEYMENU, ' ') ? 0 : 1;
    HWND control = argc >= 4 ? GetDlgItem(window, std::atoi(argv[3])) : nullptr;
    if (!control) return 1;
    if (command == "post-click") {
        PostMessageA(control, BM_CLICK, 0, 0);
    } else if (command == "focus") {
        PostMessageA(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    } else if (command == "key" && argc >= 5) {
        const WORD vk = static_cast<WORD>(std::atoi(argv[4]));
        const UINT scan = MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
        PostMessageA(control, WM_KEYDOWN, vk, 1 | (scan << 16));
        PostMessageA(control, WM_KEYUP, vk, 1 | (scan << 16) | (1u << 30) | (1u << 31));
    } else {
        return 64;
    }
    return 0;
}
