#include "framework/Wnd.h"

#include "files/WideText.h"
#include "framework/App.h"

#include <commctrl.h>

#include <new>

namespace {
const char kObjectProperty[] = "Skirmaker.CWnd";
constexpr UINT_PTR kSubclassId = 1;

// What the user was doing when a handler stopped, for the report.
std::string ActionOf(HWND hWnd, UINT message, WPARAM wParam) {
    if (message == WM_INITDIALOG) return "Opening the window";
    if (message == WM_COMMAND) {
        // The report is UTF-8: the label is read wide rather than in the ANSI code page.
        const HWND button = GetDlgItem(hWnd, LOWORD(wParam));
        std::wstring label(static_cast<std::size_t>(GetWindowTextLengthW(button)) + 1, L'\0');
        label.resize(static_cast<std::size_t>(GetWindowTextW(button, label.data(), static_cast<int>(label.size()))));
        std::erase(label, L'&');
        if (!label.empty() && HIWORD(wParam) == BN_CLICKED) return "\"" + files::Narrow(label) + "\"";
    }
    return "The last action";
}

std::string Reason() {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return "there is not enough memory";
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "an unexpected error occurred";
    }
}
}  // namespace

CWnd::~CWnd() {
    if (m_hWnd) Detach();
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    return hWnd ? static_cast<CWnd*>(GetPropA(hWnd, kObjectProperty)) : nullptr;
}

void CWnd::Attach(HWND hWnd) {
    m_hWnd = hWnd;
    SetPropA(hWnd, kObjectProperty, this);
    SetWindowSubclass(hWnd, &SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (hWnd && FromHandle(hWnd) == this) {
        RemoveWindowSubclass(hWnd, &SubclassProc, kSubclassId);
        RemovePropA(hWnd, kObjectProperty);
    }
    m_hWnd = nullptr;
    return hWnd;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) { return DefWindowProc(message, wParam, lParam); }

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<CWnd*>(data);
    if (message != WM_NCDESTROY)
        return AfxCallGuarded(hWnd, message, wParam, LRESULT{0}, [&] { return self->WindowProc(message, wParam, lParam); });
    // The window's own processing runs first; then the object lets go of it.
    const LRESULT result = DefSubclassProc(hWnd, message, wParam, lParam);
    self->Detach();
    AfxCallGuarded(hWnd, message, wParam, 0, [&] {
        self->PostNcDestroy();
        return 0;
    });
    return result;
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

namespace {
// Says that the action `describe` gives stopped on the exception being handled.
template <class Describe>
void ReportStop(HWND hWnd, Describe describe) noexcept {
    HWND owner = IsWindow(hWnd) ? GetAncestor(hWnd, GA_ROOT) : nullptr;
    try {
        const std::string text = describe() + " did not finish: " + Reason() + ".";
        g_pfnMessageBox(owner, text.c_str(), AfxGetAppTitle(), MB_OK | MB_ICONERROR);
    } catch (...) {
        // Not even the report could be built: say the least that needs no memory.
        g_pfnMessageBox(owner, "The last action did not finish: there is not enough memory.", AfxGetAppTitle(),
                        MB_OK | MB_ICONERROR);
    }
}
}  // namespace

void AfxReportException(HWND hWnd, UINT message, WPARAM wParam) noexcept {
    ReportStop(hWnd, [&] { return ActionOf(hWnd, message, wParam); });
}

void AfxReportException(HWND hWnd, const char* action) noexcept {
    ReportStop(hWnd, [&] { return std::string(action); });
}
