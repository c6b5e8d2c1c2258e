#include "framework/App.h"

#include "files/FileIO.h"
#include "files/WideText.h"
#include "framework/ResponsiveWait.h"

#include <commctrl.h>

#include <string>

namespace {
CWinApp* g_pApp = nullptr;

std::string ExecutableBaseName() {
    std::string name = AfxGetProgramPath();
    const auto slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const auto dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}
}  // namespace

MessageBoxFunction g_pfnMessageBox = [](HWND owner, const char* text, const char* caption, UINT type) {
    return MessageBoxW(owner, files::Widen(text ? text : "").c_str(), caption ? files::Widen(caption).c_str() : nullptr,
                       type);
};

CWinApp::CWinApp() {
    g_pApp = this;
    files::SetWaitFunction(&AfxWaitResponsively);
}

CWinApp::~CWinApp() {
    if (g_pApp == this) g_pApp = nullptr;
}

std::string AfxGetProgramPath() {
    // Read wide: a name the ANSI code page cannot hold would come as '?'.
    std::wstring path(32768, L'\0');  // the longest path Windows has
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length < path.size() ? length : 0);
    return files::Narrow(path);
}

CWinApp* AfxGetApp() { return g_pApp; }

CWnd* AfxGetMainWnd() { return g_pApp ? g_pApp->m_pMainWnd : nullptr; }

HINSTANCE AfxGetInstanceHandle() {
    return g_pApp && g_pApp->m_hInstance ? g_pApp->m_hInstance : GetModuleHandleA(nullptr);
}

const char* AfxGetAppTitle() {
    static const std::string title = ExecutableBaseName();
    return title.c_str();
}

void AfxInitCommonControls() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
}

int AfxMessageBox(const char* text, UINT type) {
    CWnd* main = AfxGetMainWnd();
    return g_pfnMessageBox(main ? main->m_hWnd : nullptr, text, AfxGetAppTitle(), type);
}
