#pragma once
// CAboutDlg: the about box, naming the program and opening its web page.
#include "framework/Dialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

    // Opens the address shown in the box through the shell, or reports why not.
    void OnVisit();

protected:
    MessageMap GetMessageMap() const override;
};

// The shell's "open" action goes through this pointer so tests can stand in for
// the browser; it defaults to ::ShellExecuteA. Results of 32 or less are failures.
using ShellExecuteFunction = HINSTANCE (*)(HWND owner, const char* operation, const char* file,
                                           const char* parameters, const char* directory, INT showCommand);
extern ShellExecuteFunction g_pfnShellExecute;
