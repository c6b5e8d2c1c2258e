// The start-up floor: the setup dialog's template with the program's manifest,
// shown by a bare DialogBoxParam and no logic; Esc or the close box ends it.
#include "resource.h"

#include <windows.h>

namespace {

INT_PTR CALLBACK EmptyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message != WM_COMMAND || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)) return FALSE;
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return static_cast<int>(
        DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_SKIRMAKER_DIALOG), nullptr, EmptyDialogProc, 0));
}
