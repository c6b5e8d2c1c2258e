#include "ui/AboutDlg.h"

#include "resource.h"

#include <shellapi.h>

#include <cstdint>

namespace {
constexpr MessageEntry kMessageMap[] = {
    ON_BN_CLICKED(IDC_VISIT, CAboutDlg, OnVisit),
};
}  // namespace

ShellExecuteFunction g_pfnShellExecute = [](HWND owner, const char* operation, const char* file,
                                            const char* parameters, const char* directory, INT showCommand) {
    return ShellExecuteA(owner, operation, file, parameters, directory, showCommand);
};

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

MessageMap CAboutDlg::GetMessageMap() const { return kMessageMap; }

void CAboutDlg::OnVisit() {
    const std::string url = GetWindowTextString(GetDlgItem(IDC_URL));
    if (url.empty()) {
        MessageBox("No URL defined on button!");
        return;
    }
    HINSTANCE result = g_pfnShellExecute(nullptr, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    // The shell answers a pseudo handle: a value of 32 or less is an error code.
    if (static_cast<int>(reinterpret_cast<std::intptr_t>(result)) <= 32)
        MessageBox("::ShellExecute failed to open this link!");
}
