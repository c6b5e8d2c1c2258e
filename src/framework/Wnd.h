#pragma once
// CWnd: a C++ object attached to a window handle. Attached objects can be found
// from their handle (a window property, not a global list), see their window's
// messages first (through the common-controls subclassing service, which chains
// with other subclasses and keeps the window's character set), pre-translate the
// messages of their window and its children, and take reflected notifications.
// An object lets go of its window when the window is destroyed.
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
    // Lets go of the window, removing what Attach added to it.
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
    // A message box owned by this window; no caption means the application title.
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK) const;

protected:
    // Every message of the attached window, before the window's own procedure;
    // the default passes it on.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window's own processing of the message being handled.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called once the window is gone and the object has let go of it.
    virtual void PostNcDestroy() {}

private:
    static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);
};

// Reads a window's whole text (any length).
std::string GetWindowTextString(HWND hWnd);

// Tells the user that handling `message` of `hWnd` stopped on the exception
// being handled; call it only inside a catch block.
void AfxReportException(HWND hWnd, UINT message, WPARAM wParam) noexcept;
// The same for an action the program named, such as work of a timer.
void AfxReportException(HWND hWnd, const char* action) noexcept;

// Runs `call` for a window procedure: an exception never unwinds through the
// system's code; it is reported to the user and `failed` is answered instead.
template <class Result, class Call>
Result AfxCallGuarded(HWND hWnd, UINT message, WPARAM wParam, Result failed, Call&& call) noexcept {
    try {
        return call();
    } catch (...) {
        AfxReportException(hWnd, message, wParam);
        return failed;
    }
}
