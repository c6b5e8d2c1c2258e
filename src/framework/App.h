#pragma once
// CWinApp: the application object. Exactly one exists, with static lifetime;
// the framework's WinMain calls its InitInstance.
#include "framework/Wnd.h"

#include <string>

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // False ends the program at once, without a message loop of the application.
    virtual BOOL InitInstance() = 0;

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
// The main window, or nullptr (also when no application object exists).
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
// The running program's file, its full path in UTF-8; empty when unknown.
std::string AfxGetProgramPath();
// The executable's base file name without extension, UTF-8: the default
// caption of every message box.
const char* AfxGetAppTitle();
// Common controls (visual styles come from the manifest).
void AfxInitCommonControls();

// Every message box of the program goes through this function pointer, so tests
// can watch them without blocking. Text and caption are UTF-8 (a path may hold
// any character); it defaults to ::MessageBoxW.
using MessageBoxFunction = int (*)(HWND owner, const char* text, const char* caption, UINT type);
extern MessageBoxFunction g_pfnMessageBox;
// A message box owned by the main window with the application title as caption.
int AfxMessageBox(const char* text, UINT type = MB_OK);
