#pragma once
// CWnd: a C++ object attached to a window handle. Attached objects can be found
// from their handle (a window property, not a global list), pre-translate the
// messages of their window and its children, and take reflected notifications.
#include <windows.h>

#include <string>

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    // The object attached to `hWnd`, or nullptr.
    static CWnd* FromHandle(HWND hWnd);
    void Attach(HWND hWnd);
    HWND Detach();

    // Called by the message loop for messages addressed to this window or one of
    // its child windows before they are dispatched; TRUE means "handled, drop it".
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // A control notification (WM_COMMAND code) sent to the parent and offered to
    // the control's own object first; TRUE means the control handled it.
    virtual BOOL OnChildNotify(UINT code);

    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    std::string GetWindowText() const;
    void SetWindowText(const std::string& text) { ::SetWindowTextA(m_hWnd, text.c_str()); }
    // A message box owned by this window; no caption means the application title.
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK) const;
};

// Reads a window's whole text (any length).
std::string GetWindowTextString(HWND hWnd);
