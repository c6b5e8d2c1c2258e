// skmdrive: drives a running Skirmaker from outside, as a user would, for the
// demo and screenshot scripts.
//
//   skmdrive wait CAPTION               wait until a top-level window exists
//   skmdrive gone CAPTION               wait until it no longer exists
//   skmdrive settext CAPTION ID TEXT    set a control's text (edits notify their dialog)
//   skmdrive gettext CAPTION ID         print a control's text
//   skmdrive click CAPTION ID           click a button and wait until it is handled
//   skmdrive post-click CAPTION ID      click a button without waiting (it may open a box)
//   skmdrive key CAPTION ID VK          press a key in a control (decimal virtual-key code)
//   skmdrive box CAPTION                wait for a message box, print its text, press its first button
//
// Waits end after 20 seconds with exit code 2; a missing control gives exit code 1.
#include "RemoteDrive.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: skmdrive wait|gone|settext|gettext|click|post-click|key|box CAPTION ...\n", stderr);
        return 64;
    }
    const std::string command = argv[1];
    const char* caption = argv[2];
    if (command == "gone") return remote::WaitUntilGone(caption) ? 0 : 2;
    if (command == "box") {
        std::string text;
        if (!remote::AnswerBox(caption, text)) return 2;
        std::printf("%s\n", text.c_str());
        return 0;
    }
    HWND window = remote::WaitForWindow(caption);
    if (!window) return 2;
    if (command == "wait") return 0;
    HWND control = argc >= 4 ? GetDlgItem(window, std::atoi(argv[3])) : nullptr;
    if (!control) return 1;
    if (command == "gettext")
        std::printf("%s\n", remote::TextOf(control).c_str());
    else if (command == "settext" && argc >= 5)
        remote::SetText(control, argv[4]);
    else if (command == "click")
        remote::Click(control);
    else if (command == "post-click")
        PostMessageA(control, BM_CLICK, 0, 0);
    else if (command == "key" && argc >= 5)
        remote::PressKey(control, static_cast<WORD>(std::atoi(argv[4])));
    else
        return 64;
    return 0;
}
