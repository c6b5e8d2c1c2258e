#include "framework/Wnd.h"

#include "framework/App.h"

namespace {
const char kObjectProperty[] = "Skirmaker.CWnd";
}

CWnd::~CWnd() {
    if (m_hWnd) Detach();
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    return hWnd ? static_cast<CWnd*>(GetPropA(hWnd, kObjectProperty)) : nullptr;
}

void CWnd::Attach(HWND hWnd) {
    m_hWnd = hWnd;
    SetPropA(hWnd, kObjectProperty, this);
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (hWnd && FromHandle(hWnd) == this) RemovePropA(hWnd, kObjectProperty);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::OnChildNotify(UINT) { return FALSE; }

std::string CWnd::GetWindowText() const { return GetWindowTextString(m_hWnd); }

int CWnd::MessageBox(const char* text, const char* caption, UINT type) const {
    return g_pfnMessageBox(m_hWnd, text, caption ? caption : AfxGetAppTitle(), type);
}

std::string GetWindowTextString(HWND hWnd) {
    const int length = GetWindowTextLengthA(hWnd);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(hWnd, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}
